#include "chart/axis_panel.h"

#include <algorithm>
#include <cstdio>

#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_function.h"
#include "chart/plot_procs.h"
#include "chart/series_source.h"

// ---- TChartPage ----

void TChartPage::Changed()
{
    m_panel->Invalidate();
    TChartChangePage event;
    m_panel->Broadcast(event);
}

void TChartPage::SetAutoScale(bool Value)
{
    if (m_autoScale == Value)
        return;
    m_autoScale = Value;
    m_panel->Invalidate();
}

void TChartPage::SetCurrent(int Value)
{
    // while reading, the series that make the pages are not there yet: the
    // page is kept and clamped once the chart has loaded
    if (m_panel->Loading()) {
        m_current = std::max(1, Value);
        return;
    }
    Value = std::clamp(Value, 1, std::max(1, Count()));
    if (m_current == Value)
        return;
    m_current = Value;
    Changed();
    if (m_panel->OnPageChange)
        m_panel->OnPageChange(*this);
}

void TChartPage::SetMaxPointsPerPage(int Value)
{
    if (Value < 0)
        throw ChartException(PlotMsgMaxPointsPerPage);
    if (m_maxPointsPerPage == Value)
        return;
    m_maxPointsPerPage = Value;
    m_panel->Invalidate();
    if (m_panel->Loading())
        return;
    const int count = Count();
    if (count < m_current)
        m_current = std::max(1, count);
    Changed();
}

void TChartPage::SetScaleLastPage(bool Value)
{
    if (m_scaleLastPage == Value)
        return;
    m_scaleLastPage = Value;
    m_panel->Invalidate();
}

const TPropertyTable<TChartPage>& TChartPage::Properties()
{
    using G = TChartPage;
    static const TPropertyTable<G> table =
        TPropertyTable<G>::Of()
            .Property("AutoScale", BooleanKind, TAccessors{&G::AutoScale, &G::SetAutoScale}, false)
            .Property("Current", IntegerKind, TAccessors{&G::Current, &G::SetCurrent}, 1)
            .Property("MaxPointsPerPage", IntegerKind, TAccessors{&G::MaxPointsPerPage, &G::SetMaxPointsPerPage}, 0)
            .Property("ScaleLastPage", BooleanKind, TAccessors{&G::ScaleLastPage, &G::SetScaleLastPage}, true);
    return table;
}

void TChartPage::ClampCurrent()
{
    m_current = std::clamp(m_current, 1, std::max(1, Count()));
}

int TChartPage::Count() const
{
    return m_panel->NumPages();
}

void TChartPage::Assign(const TChartPage& Source)
{
    if (&Source == this)
        return;
    const bool paged = m_current != Source.m_current || m_maxPointsPerPage != Source.m_maxPointsPerPage;
    m_autoScale = Source.m_autoScale;
    m_current = Source.m_current;
    m_maxPointsPerPage = Source.m_maxPointsPerPage;
    m_scaleLastPage = Source.m_scaleLastPage;
    if (paged)
        Changed();
    else
        m_panel->Invalidate();
}

std::vector<std::pair<std::string, TChartSeries*>> FillSeriesItems(const TCustomSeriesList& List)
{
    std::vector<std::pair<std::string, TChartSeries*>> items;
    for (TChartSeries* s : List.Items())
        if (s->ShowInEditor())
            items.emplace_back(s->TitleOrName(), s);
    return items;
}

// ---- TCustomAxisPanel ----

namespace {

// A standard axis as a streamed sub-object, with its own class's table.
template <auto Get>
TChartAxis* AxisOf(const TCustomAxisPanel& Panel)
{
    return (Panel.*Get)();
}

// The axis' own Assign: the range is copied in one step, never checked
// half way against the other end.
template <auto Get>
void AssignAxis(TCustomAxisPanel& Target, const TCustomAxisPanel& Source)
{
    (Target.*Get)()->Assign(*(Source.*Get)());
}

const TPropertyTable<TChartAxis>& AxisTable(const TChartAxis& Axis)
{
    return Axis.PropertyTable();
}

// Custom axes: a collection, one property list per axis.
void WriteCustomAxes(const TCustomAxisPanel& Panel, TPropertyWriter& W)
{
    const TChartCustomAxes& axes = Panel.CustomAxes();
    W.WriteValueType(vaCollection);
    for (int i = 0; i < axes.Count(); ++i) {
        W.WriteListBegin();
        axes[i]->WriteProperties(W);
        W.WriteListEnd();
    }
    W.WriteListEnd();
}

void ReadCustomAxes(TCustomAxisPanel& Panel, TPropertyReader& R)
{
    if (R.ReadValueType() != vaCollection)
        InvalidPropertyValue();
    TChartCustomAxes& axes = Panel.CustomAxes();
    axes.Clear();
    while (!R.EndOfList()) {
        const TValueType next = R.NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32)
            R.ReadInteger();
        R.ReadListBegin();
        axes.Add()->ReadProperties(R);
        R.ReadListEnd();
    }
    R.ReadListEnd();
}

// Series groups: a collection of name and member names; the members are
// found among the chart's series once it has loaded.
void WriteSeriesGroups(const TCustomAxisPanel& Panel, TPropertyWriter& W)
{
    const TSeriesGroups& groups = Panel.SeriesGroups();
    W.WriteValueType(vaCollection);
    for (int i = 0; i < groups.Count(); ++i) {
        const TSeriesGroup& g = groups.Items(i);
        W.WriteListBegin();
        W.WritePropName("Name");
        W.WriteString(g.Name());
        if (!g.Series().Empty()) {
            W.WritePropName("Series");
            W.WriteListBegin();
            for (const TChartSeries* series : g.Series().Items())
                W.WriteString(series->Name());
            W.WriteListEnd();
        }
        W.WriteListEnd();
    }
    W.WriteListEnd();
}

void ReadSeriesGroups(TCustomAxisPanel& Panel, TPropertyReader& R)
{
    if (R.ReadValueType() != vaCollection)
        InvalidPropertyValue();
    TSeriesGroups& groups = Panel.SeriesGroups();
    groups.Clear();
    while (!R.EndOfList()) {
        const TValueType next = R.NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32)
            R.ReadInteger();
        R.ReadListBegin();
        TSeriesGroup& g = groups.Add();
        while (!R.EndOfList()) {
            const std::string name = R.ReadPropName();
            if (property_detail::SameName(name, "Name")) {
                g.SetName(StringValue(R.ReadValue()));
            } else if (property_detail::SameName(name, "Series")) {
                std::vector<std::string> members;
                R.ReadListBegin();
                while (!R.EndOfList())
                    members.push_back(StringValue(R.ReadValue()));
                R.ReadListEnd();
                g.SetPendingSeries(std::move(members));
            } else {
                property_detail::UnknownProperty("TSeriesGroup", name);
            }
        }
        R.ReadListEnd();
    }
    R.ReadListEnd();
}

}  // namespace

TCustomAxisPanel::TCustomAxisPanel(QWidget* Parent) : TCustomPlotPanelExtended(Parent)
{
    CreateStandardAxes();
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    MarkDestroying();
    // axis tools lose their axis before the tools are freed
    for (TPlotCustomTool* tool : m_tools.Items())
        tool->ForgetAxis();
    while (SeriesCount() > 0) {
        TChartSeries* s = Series(SeriesCount() - 1);
        RemoveSeries(s);
        // a function's line goes with the function
        if (!s->OwnedByFunction())
            delete s;
    }
    m_tools.Clear();
}

const TPropertyTable<TCustomPlotPanel>& TCustomAxisPanel::Properties()
{
    using P = TCustomAxisPanel;
    static const TPropertyTable<TCustomPlotPanel> table =
        TPropertyTable<TCustomPlotPanel>::Of<P>(TCustomPlotPanelExtended::Properties())
            .Property("AxisBehind", BooleanKind, TAccessors{&P::AxisBehind, &P::SetAxisBehind}, true)
            .Property("AxisVisible", BooleanKind, TAccessors{&P::AxisVisible, &P::SetAxisVisible}, true)
            .Property("Chart3DPercent", IntegerKind, TAccessors{&P::Chart3DPercent, &P::SetChart3DPercent}, 15)
            .Property("ClipPoints", BooleanKind, TAccessors{&P::ClipPoints, &P::SetClipPoints}, true)
            .Property("View3DWalls", BooleanKind, TAccessors{&P::View3DWalls, &P::SetView3DWalls}, true)
            .Object("BottomAxis", AxisOf<&P::BottomAxis>, AxisOf<&P::BottomAxis>, nullptr, AxisTable)
            .AssignedBy(AssignAxis<&P::BottomAxis>)
            .Object("DepthAxis", AxisOf<&P::DepthAxis>, AxisOf<&P::DepthAxis>, nullptr, AxisTable)
            .AssignedBy(AssignAxis<&P::DepthAxis>)
            .Object("DepthTopAxis", AxisOf<&P::DepthTopAxis>, AxisOf<&P::DepthTopAxis>, nullptr, AxisTable)
            .AssignedBy(AssignAxis<&P::DepthTopAxis>)
            .Object("LeftAxis", AxisOf<&P::LeftAxis>, AxisOf<&P::LeftAxis>, nullptr, AxisTable)
            .AssignedBy(AssignAxis<&P::LeftAxis>)
            .Object("RightAxis", AxisOf<&P::RightAxis>, AxisOf<&P::RightAxis>, nullptr, AxisTable)
            .AssignedBy(AssignAxis<&P::RightAxis>)
            .Object("TopAxis", AxisOf<&P::TopAxis>, AxisOf<&P::TopAxis>, nullptr, AxisTable)
            .AssignedBy(AssignAxis<&P::TopAxis>)
            .Defined("CustomAxes", &WriteCustomAxes, &ReadCustomAxes,
                     [](const P& p) { return p.CustomAxes().Count() > 0; })
            .Object(
                "Pages", [](const P& p) { return &p.Pages(); }, [](P& p) { return &p.Pages(); }, nullptr,
                TChartPage::Properties())
            // the four values as one: the page is not clamped against the old page size
            .AssignedBy([](P& t, const P& s) { t.Pages().Assign(s.Pages()); })
            .Defined("SeriesGroups", &WriteSeriesGroups, &ReadSeriesGroups,
                     [](const P& p) { return p.SeriesGroups().Count() > 0; })
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

void TCustomAxisPanel::Assign(const TCustomPlotPanel& Source)
{
    if (&Source == this)
        return;
    if (const auto* panel = dynamic_cast<const TCustomAxisPanel*>(&Source)) {
        SetColorPalette(panel->ColorPalette());
        CustomAxes().Assign(panel->CustomAxes());
    }
    TCustomPlotPanelExtended::Assign(Source);
}

void TCustomAxisPanel::Loaded()
{
    TCustomPlotPanelExtended::Loaded();
    // group members read by name are the chart's series of those names
    for (int i = 0; i < m_seriesGroups.Count(); ++i) {
        TSeriesGroup& g = m_seriesGroups.Items(i);
        std::vector<std::string> names = g.TakePendingSeries();
        for (const std::string& name : names)
            for (TChartSeries* s : m_seriesList.Items())
                if (s->Name() == name && g.Series().IndexOf(s) < 0) {
                    g.Series().Add(s);
                    break;
                }
    }
    m_pages.ClampCurrent();
}

void TCustomAxisPanel::BroadcastSeriesNotice(TSeriesNotice Code, TCustomChartSeries* Series)
{
    if (Destroying())
        return;
    TPlotSeriesEvent event;
    event.Event = Code;
    event.Series = Series;
    Broadcast(event);
    // the lines a function keeps on the chart are shown while its series is:
    // off, they leave the chart; on, the function puts them back
    if (Code == TSeriesNotice::ActiveChanged)
        if (auto* s = dynamic_cast<TChartSeries*>(Series); s && s->FunctionType() && s->ParentChart() == this) {
            if (s->Active())
                s->FunctionType()->Recalculate();
            else
                for (TChartSeries* line :
                     s->FunctionType()->findChildren<TChartSeries*>(Qt::FindDirectChildrenOnly))
                    if (line->ParentChart() == this)
                        RemoveSeries(line);
        }
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
    // the chart shows its own cursor again when it showed the series'
    if (Series->Cursor() != crDefault && Cursor() == Series->Cursor())
        TCustomPlotPanel::SetCursor(LoadedCursor);
    Series->SetMouseInside(false);
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
        // a freed series takes its function's lines along
        if (i >= SeriesCount())
            continue;
        TChartSeries* s = Series(i);
        if (s->OwnedByFunction())
            continue;
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

int TCustomAxisPanel::MaxMarkWidth() const
{
    int width = 0;
    // the mark text handler may free series
    for (const QPointer<TChartSeries>& s : SeriesSnapshot())
        if (StillListed(s) && s->Active())
            width = std::max(width, s->MaxMarkWidth());
    return width;
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

int TCustomAxisPanel::NumPages() const
{
    const int perPage = m_pages.MaxPointsPerPage();
    if (perPage < 1 || SeriesCount() == 0)
        return 1;
    const bool yMandatory = Series(0)->YMandatory();
    const TStandardAxis axes[2] = {yMandatory ? TStandardAxis::Bottom : TStandardAxis::Left,
                                   yMandatory ? TStandardAxis::Top : TStandardAxis::Right};
    int pages = 1;
    for (TStandardAxis axis : axes) {
        int most = 1;
        for (TChartSeries* s : m_seriesList.Items())
            if (s->Active() && s->AssociatedToStandardAxis(axis))
                most = std::max(most, s->Count());
        pages = std::max(pages, most / perPage + (most % perPage != 0 ? 1 : 0));
    }
    return pages;
}

void TCustomAxisPanel::SetChart3DPercent(int Value)
{
    if (Value < 1 || Value > 100) {
        std::string text = PlotMsg3DPercent;
        char buf[160];
        std::snprintf(buf, sizeof buf, text.c_str(), 1, 100);
        throw ChartException(buf);
    }
    SetIntegerProperty(m_chart3DPercent, Value);
}

void TCustomAxisPanel::CheckCircularSource(TChartSeries* Series, QObject* Source) const
{
    ::CheckCircularSource(Series, Source);
}

void TCustomAxisPanel::CheckDataSource(TChartSeries* Series, QObject* Source)
{
    CheckCircularSource(Series, Source);
}

void TCustomAxisPanel::RefreshSeriesData(TChartSeries* Series)
{
    ::RefreshSeriesData(*Series, false);
}
