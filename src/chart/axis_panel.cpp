#include "chart/axis_panel.h"

#include <algorithm>
#include <cstdio>

#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_procs.h"
#include "chart/series_source.h"

std::vector<std::pair<std::string, TChartSeries*>> FillSeriesItems(const TCustomSeriesList& List)
{
    std::vector<std::pair<std::string, TChartSeries*>> items;
    for (TChartSeries* s : List.Items())
        if (s->ShowInEditor())
            items.emplace_back(s->TitleOrName(), s);
    return items;
}

// ---- TCustomAxisPanel ----

TCustomAxisPanel::TCustomAxisPanel(QWidget* Parent) : TCustomPlotPanelExtended(Parent), m_self(this)
{
    CreateStandardAxes();
}

void TCustomAxisPanel::PageChanged()
{
    TChartChangePage event;
    Broadcast(event);
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    MarkDestroying();
    for (TPlotCustomTool* tool : m_tools.Items())
        tool->ForgetAxis();
    while (SeriesCount() > 0) {
        TChartSeries* s = Series(SeriesCount() - 1);
        RemoveSeries(s);
        delete s;
    }
    m_tools.Clear();
}

const TPropertyTable<TCustomPlotPanel>& TCustomAxisPanel::Properties()
{
    using P = TCustomAxisPanel;
    static const TPropertyTable<TCustomPlotPanel> table =
        TPropertyTable<TCustomPlotPanel>::Of<P>(TCustomPlotPanelExtended::Properties())
            .Property("Chart3DPercent", IntegerKind, TAccessors{&P::Chart3DPercent, &P::SetChart3DPercent}, 15)
            // older names of the page settings, read only
            .Obsolete("MaxPointsPerPage",
                      [](P& p, const TPropertyValue& v) {
                          p.Pages().SetMaxPointsPerPage(static_cast<int>(IntegerValue(v, 0, INT32_MAX)));
                      })
            .Obsolete("Page",
                      [](P& p, const TPropertyValue& v) {
                          p.Pages().SetCurrent(static_cast<int>(IntegerValue(v, INT32_MIN, INT32_MAX)));
                      })
            .Obsolete("ScaleLastPage",
                      [](P& p, const TPropertyValue& v) { p.Pages().SetScaleLastPage(BooleanValue(v)); });
    return table;
}

void TCustomAxisPanel::BroadcastSeriesNotice(TSeriesNotice Code, TCustomChartSeries* Series)
{
    if (Destroying())
        return;
    TPlotSeriesEvent event;
    event.Event = Code;
    event.Series = Series;
    Broadcast(event);
}

TChartSeries* TCustomAxisPanel::AddSeries(TChartSeries* Series)
{
    if (!Series || m_seriesList.IndexOf(Series) >= 0)
        return Series;
    if (Series->ParentChart() && Series->ParentChart() != this)
        Series->ParentChart()->RemoveSeries(Series);
    Series->SetParentChart(this);
    if (Series->OwnSeriesColor() == clDefault)
        Series->SetAssignedColor(PickFreeSeriesColor(true, Series));
    Series->RebindAxes();
    Series->CheckDataSource();
    m_seriesList.Add(Series);
    BroadcastSeriesNotice(TSeriesNotice::Added, Series);
    if (OnAddSeries)
        OnAddSeries(*Series);
    Invalidate();
    return Series;
}

TChartSeries* TCustomAxisPanel::AddSeriesOfClass(TChartSeriesClass Class)
{
    return AddSeries(Class(parent()));
}

void TCustomAxisPanel::RemoveSeries(TChartSeries* Series)
{
    if (!Series || m_seriesList.IndexOf(Series) < 0)
        return;
    BroadcastSeriesNotice(TSeriesNotice::Removed, Series);
    m_seriesGroups.RemoveSeries(Series);
    m_seriesList.Remove(Series);
    Series->SetParentChart(nullptr);
    if (OnRemoveSeries && !Destroying())
        OnRemoveSeries(*Series);
    Invalidate();
}

void TCustomAxisPanel::RemoveSeries(int Index)
{
    if (Index >= 0 && Index < SeriesCount())
        RemoveSeries(Series(Index));
}

void TCustomAxisPanel::FreeSeriesOfClass(const char* ClassName)
{
    for (int i = SeriesCount() - 1; i >= 0; --i) {
        TChartSeries* s = Series(i);
        if (!ClassName || std::string(s->metaObject()->className()) == ClassName) {
            RemoveSeries(s);
            delete s;
        }
    }
}

void TCustomAxisPanel::ExchangeSeries(int A, int B)
{
    if (A < 0 || B < 0 || A >= SeriesCount() || B >= SeriesCount() || A == B)
        return;
    TChartSeries* a = Series(A);
    TChartSeries* b = Series(B);
    m_seriesList.Exchange(A, B);
    const int ga = m_seriesGroups.Contains(a);
    if (ga >= 0 && ga == m_seriesGroups.Contains(b)) {
        TCustomSeriesList& list = m_seriesGroups.Items(ga).Series();
        list.Exchange(list.IndexOf(a), list.IndexOf(b));
    }
    BroadcastSeriesNotice(TSeriesNotice::Exchanged, a);
    Invalidate();
}

void TCustomAxisPanel::ExchangeSeries(TChartSeries* A, TChartSeries* B)
{
    ExchangeSeries(m_seriesList.IndexOf(A), m_seriesList.IndexOf(B));
}

int TCustomAxisPanel::CountActiveSeries() const
{
    int n = 0;
    for (TChartSeries* s : m_seriesList.Items())
        if (s->Active())
            ++n;
    return n;
}

TChartSeries* TCustomAxisPanel::SeriesLegend(int Index, bool OnlyActive) const
{
    int seen = 0;
    for (TChartSeries* s : m_seriesList.Items()) {
        if (!s->ShowInLegend() || (OnlyActive && !s->Active()))
            continue;
        if (seen++ == Index)
            return s;
    }
    return nullptr;
}

std::string TCustomAxisPanel::SeriesTitleLegend(int Index, bool OnlyActive) const
{
    const TChartSeries* s = SeriesLegend(Index, OnlyActive);
    return s ? s->TitleOrName() : std::string();
}

int TCustomAxisPanel::GetMaxValuesCount() const
{
    int n = 0;
    for (TChartSeries* s : m_seriesList.Items())
        if (s->Active())
            n = std::max(n, s->Count());
    return n;
}

void TCustomAxisPanel::SetColorPalette(std::vector<TColor> Value)
{
    if (m_palette == Value)
        return;
    m_palette = std::move(Value);
    Invalidate();
}

TColor TCustomAxisPanel::GetDefaultColor(int Index) const
{
    if (m_palette.empty())
        return ColorPaletteColor(Index);
    const int n = static_cast<int>(m_palette.size());
    return m_palette[static_cast<std::size_t>(((Index % n) + n) % n)];
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor Color, bool CheckBackground, const TChartSeries* Series) const
{
    for (TChartSeries* s : m_seriesList.Items())
        if (s != Series && s->SeriesColor() == Color)
            return false;
    return !(CheckBackground && Color == GetBackColor());
}

TColor TCustomAxisPanel::PickFreeSeriesColor(bool CheckBackground, const TChartSeries* Series) const
{
    // the default palette stands in for an empty global one
    const std::size_t global = ::ColorPalette().empty() ? DefaultColorPalette.size() : ::ColorPalette().size();
    const int n = static_cast<int>(m_palette.empty() ? global : m_palette.size());
    TColor color = clDefault;
    for (int i = 0; i < n; ++i) {
        color = GetDefaultColor(i);
        if (IsFreeSeriesColor(color, CheckBackground, Series))
            return color;
    }
    return color;
}

void TCustomAxisPanel::AssignFreeSeriesColors(bool CheckBackground)
{
    for (TChartSeries* s : m_seriesList.Items())
        if (s->OwnSeriesColor() == clDefault)
            s->SetAssignedColor(PickFreeSeriesColor(CheckBackground, s));
}

void TCustomAxisPanel::CheckCircularSource(TChartSeries* Series, QObject* Source) const
{
    // walk every source of Source, depth first
    std::vector<const QObject*> pending{Source};
    std::vector<const QObject*> seen;
    while (!pending.empty()) {
        const QObject* o = pending.back();
        pending.pop_back();
        if (o == Series)
            throw ChartException(PlotMsgCircularSeries);
        if (std::find(seen.begin(), seen.end(), o) != seen.end())
            continue;
        seen.push_back(o);
        if (const auto* s = qobject_cast<const TChartSeries*>(o)) {
            for (int i = 0; i < s->DataSourceCount(); ++i)
                pending.push_back(s->DataSourceAt(i));
        } else if (const auto* src = qobject_cast<const TPlotSeriesSource*>(o); src && src->Series() != Series) {
            if (src->Series())
                pending.push_back(src->Series());
        }
    }
}

void TCustomAxisPanel::CheckDataSource(TChartSeries* Series, QObject* Source)
{
    CheckCircularSource(Series, Source);
}

void TCustomAxisPanel::RefreshSeriesData(TChartSeries* Series)
{
    ::RefreshSeriesData(*Series, false);
}
