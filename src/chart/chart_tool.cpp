#include "chart/chart_tool.h"

#include <algorithm>

#include "chart/axis_container.h"
#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/property_stream.h"

// ---- TChartTools ----

TChartTools::~TChartTools() = default;

int TChartTools::IndexOf(const TPlotCustomTool* Tool) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), Tool);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TChartTools::Add(TPlotCustomTool* Tool)
{
    if (IndexOf(Tool) < 0)
        m_items.push_back(Tool);
}

void TChartTools::Remove(const TPlotCustomTool* Tool)
{
    std::erase(m_items, Tool);
}

void TChartTools::Clear()
{
    // each tool leaves the list as it is freed
    while (!m_items.empty())
        delete m_items.back();
}

void TChartTools::NotifyPhase(TToolDrawPhase Phase) const
{
    // a tool may leave the list while it is told
    const std::vector<TPlotCustomTool*> items = m_items;
    for (TPlotCustomTool* tool : items)
        if (IndexOf(tool) >= 0 && tool->Active())
            tool->ChartEvent(Phase);
}

// ---- TPlotCustomTool ----

TPlotCustomTool::TPlotCustomTool(QObject* Owner) : TCustomChartElement(Owner) {}

TPlotCustomTool::~TPlotCustomTool()
{
    if (TSeriesParent* chart = ParentChart())
        if (TChartTools* tools = chart->ToolList())
            tools->Remove(this);
}

void TPlotCustomTool::SetParentChart(TSeriesParent* Value)
{
    TSeriesParent* old = ParentChart();
    if (old == Value)
        return;
    if (old) {
        if (TChartTools* tools = old->ToolList())
            tools->Remove(this);
        if (!Value)
            old->Invalidate();
    }
    TCustomChartElement::SetParentChart(Value);
    if (Value)
        if (TChartTools* tools = Value->ToolList())
            tools->Add(this);
}

// ---- TPlotCustomToolSeries ----

TPlotCustomToolSeries::TPlotCustomToolSeries(QObject* Owner) : TPlotCustomTool(Owner) {}

TPlotCustomToolSeries::~TPlotCustomToolSeries()
{
    if (m_series)
        RemoveFreeNotification(m_series);
}

void TPlotCustomToolSeries::SetSeries(TChartSeries* Value)
{
    if (m_series == Value)
        return;
    if (m_series)
        RemoveFreeNotification(m_series);
    m_series = Value;
    if (m_series)
        FreeNotification(m_series);
    Repaint();
}

void TPlotCustomToolSeries::Notification(QObject* AComponent)
{
    TPlotCustomTool::Notification(AComponent);
    if (AComponent == m_series)
        m_series = nullptr;
}

TChartAxis* TPlotCustomToolSeries::GetHorizAxis() const
{
    if (m_series)
        return m_series->GetHorizAxis();
    TSeriesParent* chart = ParentChart();
    if (!chart)
        return nullptr;
    if (!chart->ActiveSeriesOnAxis(TStandardAxis::Bottom) && chart->ActiveSeriesOnAxis(TStandardAxis::Top))
        return chart->StandardAxis(TStandardAxis::Top);
    return chart->StandardAxis(TStandardAxis::Bottom);
}

TChartAxis* TPlotCustomToolSeries::GetVertAxis() const
{
    if (m_series)
        return m_series->GetVertAxis();
    TSeriesParent* chart = ParentChart();
    if (!chart)
        return nullptr;
    if (!chart->ActiveSeriesOnAxis(TStandardAxis::Left) && chart->ActiveSeriesOnAxis(TStandardAxis::Right))
        return chart->StandardAxis(TStandardAxis::Right);
    return chart->StandardAxis(TStandardAxis::Left);
}

const TPropertyTable<TCustomChartElement>& TPlotCustomToolSeries::Properties()
{
    using S = TPlotCustomToolSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomChartElement::Properties())
            .Defined(
                "Series", [](const S& s, TPropertyWriter& w) { w.WriteIdent(s.m_series->Name()); },
                [](S& s, TPropertyReader& r) {
                    const TPropertyValue v = r.ReadValue();
                    if (v.Type != vaIdent && !v.IsString())
                        InvalidPropertyValue();
                    if (TChartSeries* series = s.FindChartSeries(v.Str)) {
                        s.m_loadedSeriesName.clear();
                        s.SetSeries(series);
                    } else {
                        s.m_loadedSeriesName = v.Str;
                    }
                },
                [](const S& s) { return s.m_series != nullptr && !s.m_series->Name().empty(); });
    return table;
}

TChartSeries* TPlotCustomToolSeries::FindChartSeries(const std::string& Name) const
{
    TSeriesParent* chart = ParentChart();
    const auto* panel = dynamic_cast<const TCustomAxisPanel*>(chart ? chart->Panel() : nullptr);
    if (!panel || Name.empty())
        return nullptr;
    for (int i = 0; i < panel->SeriesCount(); ++i)
        if (panel->Series(i)->Name() == Name)
            return panel->Series(i);
    return nullptr;
}

void TPlotCustomToolSeries::Loaded()
{
    TPlotCustomTool::Loaded();
    if (m_loadedSeriesName.empty())
        return;
    if (TChartSeries* series = FindChartSeries(m_loadedSeriesName))
        SetSeries(series);
    m_loadedSeriesName.clear();
}

void TPlotCustomToolSeries::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TPlotCustomToolSeries*>(&Source))
        SetSeries(s->m_series);
    TPlotCustomTool::Assign(Source);
}

// ---- TPlotCustomToolAxis ----

TPlotCustomToolAxis::TPlotCustomToolAxis(QObject* Owner) : TPlotCustomTool(Owner) {}

TPlotCustomToolAxis::~TPlotCustomToolAxis()
{
    if (m_axis)
        m_axis->RemoveHolder(this);
}

void TPlotCustomToolAxis::SetAxis(TChartAxis* Value)
{
    if (m_axis != Value) {
        if (m_axis)
            m_axis->RemoveHolder(this);
        m_axis = Value;
        if (Value)
            Value->AddHolder(this);
    }
    SetParentChart(Value ? Value->ParentChart() : nullptr);
    Repaint();
}

void TPlotCustomToolAxis::ForgetAxis()
{
    if (m_axis)
        m_axis->RemoveHolder(this);
    m_axis = nullptr;
}

void TPlotCustomToolAxis::SetParentChart(TSeriesParent* Value)
{
    if (m_axis && static_cast<TSeriesParent*>(m_axis->ParentChart()) != Value)
        ForgetAxis();
    TPlotCustomTool::SetParentChart(Value);
}

void TPlotCustomToolAxis::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TPlotCustomToolAxis*>(&Source))
        SetAxis(s->m_axis);
    TPlotCustomTool::Assign(Source);
}

const TPropertyTable<TCustomChartElement>& TPlotCustomToolAxis::Properties()
{
    using S = TPlotCustomToolAxis;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomChartElement::Properties())
            .Defined(
                "AxisID",
                [](const S& s, TPropertyWriter& w) {
                    const TSeriesParent* chart = s.m_axis->ParentChart();
                    int index = -1;
                    for (int i = 0; i < chart->AxisListCount(); ++i)
                        if (chart->AxisListItem(i) == s.m_axis)
                            index = i;
                    w.WriteInteger(index);
                },
                [](S& s, TPropertyReader& r) {
                    const std::int64_t index = r.ReadInteger();
                    TSeriesParent* chart = s.ParentChart();
                    if (!chart || index < 0 || index >= chart->AxisListCount())
                        throw EReadError("Invalid property value");
                    s.SetAxis(chart->AxisListItem(static_cast<int>(index)));
                },
                [](const S& s) { return s.m_axis != nullptr && s.m_axis->ParentChart() != nullptr; });
    return table;
}
