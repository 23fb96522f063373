#include "chart/tools/marks_tip_tool.h"

#include <QPointer>

#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_panel.h"
#include "chart/tools/tool_chart.h"
#include "platform/hint_service.h"

namespace {
constexpr const char* kMouseActionNames[] = {"mtmMove", "mtmClick"};
constexpr const char* kMarksStyleNames[] = {
    "smsValue",          "smsPercent",    "smsLabel",       "smsLabelPercent",    "smsLabelValue",
    "smsLegend",         "smsPercentTotal", "smsLabelPercentTotal", "smsXValue", "smsXY",
    "smsSeriesTitle",    "smsPointIndex", "smsPercentRelative"};
}  // namespace

TMarksTipTool::TMarksTipTool(QObject* Owner) : TPlotCustomToolSeries(Owner) {}

std::string TMarksTipTool::Description() const { return ProMsgToolMarkTips; }
std::string TMarksTipTool::LongDescription() const { return ProMsgToolMarkTipsDesc; }

int TMarksTipTool::HideDelay() const { return platform::ApplicationHints().HintHidePause(); }
void TMarksTipTool::SetHideDelay(int Value) { platform::ApplicationHints().SetHintHidePause(Value); }
int TMarksTipTool::MouseDelay() const { return platform::ApplicationHints().HintPause(); }
void TMarksTipTool::SetMouseDelay(int Value) { platform::ApplicationHints().SetHintPause(Value); }

const TPropertyTable<TCustomChartElement>& TMarksTipTool::Properties()
{
    using S = TMarksTipTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolSeries::Properties())
            .Property("HideDelay", IntegerKind, TAccessors{&S::HideDelay, &S::SetHideDelay}, 2500)
            .Property("MouseAction", EnumKind(kMouseActionNames), TAccessors{&S::MouseAction, &S::SetMouseAction},
                      mtmMove)
            .Property("MouseDelay", IntegerKind, TAccessors{&S::MouseDelay, &S::SetMouseDelay}, 500)
            .Property("Style", EnumKind(kMarksStyleNames), TAccessors{&S::Style, &S::SetStyle}, smsLabel);
    return table;
}

void TMarksTipTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TMarksTipTool*>(&Source)) {
        m_mouseAction = s->m_mouseAction;
        m_style = s->m_style;
    }
    TPlotCustomToolSeries::Assign(Source);
}

TCustomPlotPanel* TMarksTipTool::Chart() const
{
    if (const TChartSeries* s = Series()) {
        TSeriesParent* chart = s->ParentChart();
        return chart ? chart->Panel() : nullptr;
    }
    return ToolPanel(*this);
}

void TMarksTipTool::CancelHint()
{
    if (OnCancelHint)
        OnCancelHint(*this);
    TCustomPlotPanel* chart = Chart();
    const bool had = chart && !chart->Hint().empty();
    if (chart)
        chart->SetHint({});
    if (had)
        platform::ApplicationHints().CancelHint();
}

void TMarksTipTool::SetMouseAction(TMarkToolMouseAction Value)
{
    m_mouseAction = Value;
    CancelHint();
}

void TMarksTipTool::SetActive(bool Value)
{
    TPlotCustomToolSeries::SetActive(Value);
    if (!Value)
        CancelHint();
}

void TMarksTipTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton, TShiftState, int X, int Y)
{
    if (!((Kind == tmkMove && m_mouseAction == mtmMove) || (Kind == tmkDown && m_mouseAction == mtmClick)))
        return;
    TCustomPlotPanel* chart = Chart();
    if (!chart)
        return;
    TChartSeries* series = nullptr;
    int index = -1;
    if (TChartSeries* own = Series()) {
        index = own->Clicked(X, Y);
        if (index != -1)
            series = own;
    } else {
        series = SeriesPointAt(*this, X, Y, index);
    }
    if (series) {
        std::string text;
        {
            TAutoRepaintOff quiet(*chart);
            TSeriesMarks& marks = series->Marks();
            const TSeriesMarksStyle old = marks.Style();
            marks.SetStyle(m_style);
            // the mark text handler may free the series
            const QPointer<TChartSeries> alive(series);
            text = series->GetMarkText(index);
            if (!alive)
                return;
            marks.SetStyle(old);
        }
        if (OnGetText)
            OnGetText(*this, text);
        if (text == chart->Hint())
            return;
        platform::HintService& hints = platform::ApplicationHints();
        hints.CancelHint();
        chart->SetShowHint(true);
        chart->SetHint(text);
        hints.ActivateHint(chart->mapToGlobal(QPoint(X, Y)), text);
        return;
    }
    // another tip tool of the chart may be showing its own point
    if (TSeriesParent* own = ParentChart(); own && own->ToolList())
        for (const TPlotCustomTool* t : own->ToolList()->Items())
            if (t != this && dynamic_cast<const TMarksTipTool*>(t))
                return;
    CancelHint();
}
