// Drives the chart engine the way a program does, with sequences of its
// public calls read from the input: charts, series of every registered class,
// custom axes, tools of every registered class, source components and
// functions, a data grid and a series list box; paints, mouse input, stream
// round trips and Assign; event handlers that remove or free series while the
// chart draws; back and bar pictures replaced between paints, with filters
// given extreme and non-finite values; series groups, function lines as data
// sources, mark text handlers that free their series, marks by any index,
// depth axis ranges beyond int and bars on axes zoomed far in; changes of
// series type with sources, source components and dependants (checked: every
// dependant keeps its sources, a series' own source component goes to its new
// type); legend check boxes clicked (checked: a radio click leaves exactly its
// series on); objects freed in any order, the rest freed in an order the input
// chooses. Ownership is the engine's: series, tools, sources
// and functions belong to a form (or their series), charts and custom axes
// are freed by whoever made them, the axes only through the chart's calls.
// The engine's refusals (ChartException, read errors) are expected, except
// from a chart's own write read back and from a copy between two charts.
#include "chart_fuzz_application.h"
#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>

#include "chart/axis_container.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_legend.h"
#include "chart/chart_series.h"
#include "chart/chart_stream.h"
#include "chart/chart_tool.h"
#include "chart/controls/chart_grid.h"
#include "chart/controls/chart_list_box.h"
#include "chart/legend_items.h"
#include "chart/back_image.h"
#include "chart/plot_function.h"
#include "chart/plot_picture.h"
#include "chart/series/custom_bar_series.h"
#include "chart/property_stream.h"
#include "chart/series_groups.h"
#include "chart/series_marks.h"
#include "chart/series_source.h"
#include "chart/series_types.h"
#include "chart/view3d_options.h"

#include <QApplication>
#include <QMouseEvent>
#include <QObject>
#include <QPointer>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

class Input : public TFuzzBytes {
public:
    using TFuzzBytes::TFuzzBytes;
    // 0..N-1 (0 when N is 0).
    int Pick(std::size_t N) { return N == 0 ? 0 : static_cast<int>(Byte() % N); }
    double Value() { return (static_cast<int>(Byte()) - 64) * 0.75; }
};

template <typename T>
void Prune(std::vector<QPointer<T>>& Items)
{
    std::erase_if(Items, [](const QPointer<T>& p) { return p.isNull(); });
}

template <typename T>
T* PickFrom(Input& In, std::vector<QPointer<T>>& Items)
{
    Prune(Items);
    if (Items.empty())
        return nullptr;
    return Items[static_cast<std::size_t>(In.Pick(Items.size()))].data();
}

[[noreturn]] void Fail(const char* What)
{
    std::fprintf(stderr, "%s\n", What);
    std::abort();
}

// A source component that loads a few points into its series.
class PointsSource : public TPlotSeriesSource {
public:
    using TPlotSeriesSource::TPlotSeriesSource;
    void Load() override
    {
        if (TChartSeries* s = Series()) {
            s->Clear();
            for (int i = 0; i < 4; ++i)
                s->AddXY(i, 3 * i + 1);
        }
    }
};

// The registered series, function and tool classes, gathered once.
struct Classes {
    std::vector<TSeriesClass> series;
    std::vector<TFunctionClass> functions;
    std::vector<TToolClass> tools;

    static const Classes& Registered()
    {
        static const Classes classes = [] {
            Classes c;
            const TPlotSeriesTypes& types = PlotSeriesTypes();
            for (int i = 0; i < types.Count(); ++i) {
                if (types[i].SeriesClass &&
                    std::find(c.series.begin(), c.series.end(), types[i].SeriesClass) == c.series.end())
                    c.series.push_back(types[i].SeriesClass);
                if (types[i].FunctionClass &&
                    std::find(c.functions.begin(), c.functions.end(), types[i].FunctionClass) == c.functions.end())
                    c.functions.push_back(types[i].FunctionClass);
            }
            const TPlotToolTypes& tools = PlotToolTypes();
            for (int i = 0; i < tools.Count(); ++i)
                c.tools.push_back(tools[i]);
            return c;
        }();
        return classes;
    }
};

class Session {
public:

    void Run(Input& In)
    {
        NewChart();
        int steps = 0;
        while (In.More() && steps++ < 120) {
            m_mustNotThrow = false;
            try {
                Step(In);
            } catch (const ChartException& e) {
                MayThrow(e);
            } catch (const EReadError& e) {
                MayThrow(e);
            }
        }
        FreeAll(In);
    }

private:
    // A chart's own write read back and a copy between two charts never fail.
    void MayThrow(const std::exception& E) const
    {
        if (m_mustNotThrow) {
            std::fprintf(stderr, "a step that must not fail threw: %s\n", E.what());
            std::abort();
        }
    }

    TChart* PickChart(Input& In) { return PickFrom(In, m_charts); }
    TChartSeries* PickSeries(Input& In) { return PickFrom(In, m_series); }
    // A chart axis by position in its list (standard and custom ones).
    TChartAxis* PickAxis(Input& In, TChart& Chart)
    {
        const int n = Chart.AxisListCount();
        return n > 0 ? Chart.AxisListItem(In.Pick(static_cast<std::size_t>(n))) : nullptr;
    }

    void NewChart()
    {
        Prune(m_charts);
        if (m_charts.size() >= 3)
            return;
        auto* chart = new TChart;
        chart->resize(160 + 40 * static_cast<int>(m_charts.size()), 120);
        chart->SetView3D(false);
        m_charts.emplace_back(chart);
    }

    void Mouse(Input& In, TChart& Chart)
    {
        const QPointF p(In.Pick(static_cast<std::size_t>(Chart.width())), In.Pick(static_cast<std::size_t>(Chart.height())));
        const Qt::MouseButton button = In.Pick(4) == 0 ? Qt::RightButton : Qt::LeftButton;
        QPointer<TChart> alive(&Chart);
        switch (In.Pick(5)) {
        case 0: {
            QMouseEvent e(QEvent::MouseButtonPress, p, p, button, button, Qt::NoModifier);
            QApplication::sendEvent(&Chart, &e);
            break;
        }
        case 1: {
            QMouseEvent e(QEvent::MouseMove, p, p, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&Chart, &e);
            break;
        }
        case 2: {
            QMouseEvent e(QEvent::MouseButtonRelease, p, p, button, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(&Chart, &e);
            break;
        }
        case 3: {
            QMouseEvent e(QEvent::MouseButtonDblClick, p, p, button, button, Qt::NoModifier);
            QApplication::sendEvent(&Chart, &e);
            break;
        }
        default: {
            QWheelEvent e(p, p, QPoint(), QPoint(0, In.Byte() < 128 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
            QApplication::sendEvent(&Chart, &e);
            break;
        }
        }
        if (alive)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Step(Input& In)
    {
        switch (In.Pick(41)) {
        case 0:
            NewChart();
            break;
        case 1:
            if (TChart* c = PickChart(In))
                delete c;
            break;
        case 2: {
            Prune(m_series);
            if (m_series.size() < 12 && !m_seriesClasses.empty()) {
                TChartSeries* s = m_seriesClasses[static_cast<std::size_t>(In.Pick(m_seriesClasses.size()))].Create(&m_form);
                m_series.emplace_back(s);
                for (int i = 0, n = In.Pick(8); i < n; ++i)
                    s->AddXY(i, In.Value());
            }
            break;
        }
        case 3:
            if (TChartSeries* s = PickSeries(In))
                delete s;
            break;
        case 4: {
            TChart* c = PickChart(In);
            TChartSeries* s = PickSeries(In);
            if (c && s)
                c->AddSeries(s);
            break;
        }
        case 5: {
            TChart* c = PickChart(In);
            TChartSeries* s = PickSeries(In);
            if (c && s)
                c->RemoveSeries(s);
            break;
        }
        case 6:
            if (TChart* c = PickChart(In); c && c->CustomAxes().Count() < 4) {
                TChartAxis* a = c->CustomAxes().Add();
                a->SetHorizontal(In.Pick(2) == 0);
            }
            break;
        case 7:
            if (TChart* c = PickChart(In))
                c->CustomAxes().Delete(In.Pick(static_cast<std::size_t>(c->CustomAxes().Count()) + 1));
            break;
        case 8:
            if (TChart* c = PickChart(In))
                c->CustomAxes().Clear();
            break;
        case 9: {
            TChart* c = PickChart(In);
            TChartSeries* s = PickSeries(In);
            if (c && s) {
                TChartAxis* a = PickAxis(In, *c);
                if (In.Pick(2) == 0)
                    s->SetCustomVertAxis(a);
                else
                    s->SetCustomHorizAxis(a);
            }
            break;
        }
        case 10: {
            Prune(m_tools);
            if (m_tools.size() < 10 && !m_toolClasses.empty()) {
                TCustomChartElement* t =
                    m_toolClasses[static_cast<std::size_t>(In.Pick(m_toolClasses.size()))].Create(&m_form);
                m_tools.emplace_back(t);
                if (TChart* c = PickChart(In))
                    t->SetParentChart(c);
            }
            break;
        }
        case 11:
            if (TCustomChartElement* t = PickFrom(In, m_tools))
                delete t;
            break;
        case 12:
            if (TCustomChartElement* t = PickFrom(In, m_tools)) {
                TChart* c = In.Pick(3) == 0 ? nullptr : PickChart(In);
                t->SetParentChart(c);
            }
            break;
        case 13: {
            auto* t = qobject_cast<TPlotCustomToolAxis*>(PickFrom(In, m_tools));
            TChart* c = PickChart(In);
            if (t && c)
                t->SetAxis(PickAxis(In, *c));
            break;
        }
        case 14: {
            auto* t = qobject_cast<TPlotCustomToolSeries*>(PickFrom(In, m_tools));
            if (t)
                t->SetSeries(PickSeries(In));
            break;
        }
        case 15: {
            Prune(m_sources);
            if (m_sources.size() < 4)
                m_sources.emplace_back(new TPlotSeriesSource(&m_form));
            if (TPlotSeriesSource* src = PickFrom(In, m_sources))
                src->SetSeries(In.Pick(4) == 0 ? nullptr : PickSeries(In));
            break;
        }
        case 16:
            if (TPlotSeriesSource* src = PickFrom(In, m_sources))
                delete src;
            break;
        case 17: {
            TChartSeries* s = PickSeries(In);
            TChartSeries* t = PickSeries(In);
            if (s && t && s != t)
                s->AddDataSource(t);
            break;
        }
        case 18: {
            TChartSeries* s = PickSeries(In);
            if (!s)
                break;
            if (In.Pick(2) == 0) {
                s->SetDataSource(nullptr);
            } else if (s->DataSourceCount() > 0) {
                s->RemoveDataSource(s->DataSourceAt(In.Pick(static_cast<std::size_t>(s->DataSourceCount()))));
            }
            break;
        }
        case 19: {
            TChartSeries* s = PickSeries(In);
            if (!s || m_functionClasses.empty())
                break;
            if (In.Pick(4) == 0)
                s->SetFunction(nullptr);
            else
                s->SetFunction(
                    m_functionClasses[static_cast<std::size_t>(In.Pick(m_functionClasses.size()))].Create(nullptr));
            break;
        }
        case 20:
        case 21:
            if (TChart* c = PickChart(In))
                c->grab();
            break;
        case 22:
        case 23:
            if (TChart* c = PickChart(In))
                Mouse(In, *c);
            break;
        case 24:
            if (TChart* c = PickChart(In)) {
                const std::vector<std::uint8_t> bytes = WriteChart(*c);
                TChart* target = PickChart(In);
                // reading adds series and tools: a bound keeps runs short
                if (target && In.Pick(2) == 0 && m_form.children().size() < 40) {
                    m_mustNotThrow = true;
                    ReadChart(*target, &m_form, bytes);
                    TrackChildren();
                }
            }
            break;
        case 25: {
            TChartSeries* s = PickSeries(In);
            TChartSeries* t = PickSeries(In);
            if (s && t && s != t)
                s->Assign(*t);
            break;
        }
        case 26: {
            TChartSeries* s = PickSeries(In);
            if (s && !m_seriesClasses.empty()) {
                TChartSeries* changed = s;
                ChangeSeriesType(changed,
                                 m_seriesClasses[static_cast<std::size_t>(In.Pick(m_seriesClasses.size()))]);
                Prune(m_series);
                if (std::find(m_series.begin(), m_series.end(), changed) == m_series.end())
                    m_series.emplace_back(changed);
            }
            break;
        }
        case 27: {
            TChart* c = PickChart(In);
            TChart* d = PickChart(In);
            if (c && d && c != d) {
                m_mustNotThrow = true;
                c->Assign(*d);
            }
            break;
        }
        case 28:
            switch (In.Pick(4)) {
            case 0:
                m_grid.SetSeries(PickSeries(In));
                break;
            case 1:
                m_grid.SetChart(PickChart(In));
                break;
            case 2:
                m_list.SetChart(PickChart(In));
                break;
            default:
                m_grid.grab();
                m_list.grab();
                break;
            }
            break;
        case 29:
            if (TChart* c = PickChart(In)) {
                c->SetView3D(In.Pick(2) == 0);
                c->SetChart3DPercent(1 + In.Pick(100));
                c->View3DOptions()->SetOrthogonal(In.Pick(2) == 0);
                c->View3DOptions()->SetPerspective(In.Pick(101));
            }
            break;
        case 30:
            if (TChartSeries* s = PickSeries(In)) {
                for (int i = 0, n = In.Pick(6); i < n; ++i)
                    s->AddXY(In.Value(), In.Value());
                if (In.Pick(4) == 0)
                    s->Clear();
            }
            break;
        case 31:
            if (TChart* c = PickChart(In); c && c->SeriesCount() > 1)
                c->ExchangeSeries(In.Pick(static_cast<std::size_t>(c->SeriesCount())),
                                  In.Pick(static_cast<std::size_t>(c->SeriesCount())));
            break;
        case 32:
            if (TChartSeries* s = PickSeries(In)) {
                s->SetHorizAxis(static_cast<THorizAxis>(In.Pick(4)));
                s->SetVertAxis(static_cast<TVertAxis>(In.Pick(4)));
            }
            break;
        case 33: {
            TCustomChartElement* t = PickFrom(In, m_tools);
            TCustomChartElement* u = PickFrom(In, m_tools);
            if (t && u && t != u && t->metaObject() == u->metaObject())
                t->Assign(*u);
            break;
        }
        case 34: {
            TChart* c = PickChart(In);
            TChart* d = PickChart(In);
            if (c && d && c != d)
                c->CustomAxes().Assign(d->CustomAxes());
            break;
        }
        case 35:
            SourcesAndTypes(In);
            break;
        case 36:
            Handler(In);
            break;
        case 37:
            Picture(In);
            break;
        case 38:
            Filter(In);
            break;
        case 39:
            GroupsHelpersMarksAndZooms(In);
            break;
        default:
            if (TCustomChartElement* t = PickFrom(In, m_tools))
                t->SetActive(In.Pick(2) == 0);
            break;
        }
    }

    // ---- sources, dependants and changes of type; legend check boxes ----

    void SourcesAndTypes(Input& In)
    {
        switch (In.Pick(5)) {
        case 0: {
            // a dependant of several sources, computed by a function or copying
            TChartSeries* d = PickSeries(In);
            if (!d)
                break;
            if (In.Pick(2) == 0 && !m_functionClasses.empty())
                d->SetFunction(m_functionClasses[static_cast<std::size_t>(In.Pick(m_functionClasses.size()))].Create(nullptr));
            for (int i = 0, n = 2 + In.Pick(2); i < n; ++i)
                if (TChartSeries* s = PickSeries(In); s && s != d)
                    d->AddDataSource(s);
            break;
        }
        case 1: {
            // a source component of the form, taken over by a series and opened
            TChartSeries* s = PickSeries(In);
            Prune(m_sources);
            if (!s || m_sources.size() >= 6)
                break;
            auto* source = new PointsSource(&m_form);
            m_sources.emplace_back(source);
            s->AddDataSource(source, In.Pick(2) == 0);
            source->Open();
            break;
        }
        case 2:
        case 3:
            ChangeTypeChecked(In);
            break;
        default:
            LegendCheckBoxes(In);
            break;
        }
    }

    // A change of type keeps every dependant's sources in their places and
    // hands the series' own source components to the new series.
    void ChangeTypeChecked(Input& In)
    {
        TChartSeries* s = PickSeries(In);
        if (!s || m_seriesClasses.empty())
            return;
        struct Dependant {
            QPointer<TChartSeries> Series;
            std::vector<QObject*> Sources;
        };
        std::vector<Dependant> dependants;
        for (TChartSeries* d : s->LinkedSeries()) {
            Dependant x{d, {}};
            for (int i = 0; i < d->DataSourceCount(); ++i)
                x.Sources.push_back(d->DataSourceAt(i));
            dependants.push_back(std::move(x));
        }
        std::vector<QPointer<TPlotSeriesSource>> own;
        for (int i = 0; i < s->DataSourceCount(); ++i)
            if (auto* src = qobject_cast<TPlotSeriesSource*>(s->DataSourceAt(i)); src && src->parent() == s)
                own.emplace_back(src);
        TChartSeries* changed = s;
        ChangeSeriesType(changed, m_seriesClasses[static_cast<std::size_t>(In.Pick(m_seriesClasses.size()))]);
        Prune(m_series);
        if (std::find(m_series.begin(), m_series.end(), changed) == m_series.end())
            m_series.emplace_back(changed);
        if (changed == s)
            return;
        for (Dependant& d : dependants) {
            if (!d.Series || !d.Series->IsValidSourceOf(changed))
                continue;
            std::replace(d.Sources.begin(), d.Sources.end(), static_cast<QObject*>(s), static_cast<QObject*>(changed));
            std::vector<QObject*> now;
            for (int i = 0; i < d.Series->DataSourceCount(); ++i)
                now.push_back(d.Series->DataSourceAt(i));
            if (now != d.Sources)
                Fail("a change of type changed a dependant's other sources");
        }
        for (const QPointer<TPlotSeriesSource>& src : own)
            if (!src || src->Series() != changed || src->parent() != changed)
                Fail("a series' own source component did not go over to its new type");
    }

    // The series a chart's legend lists, and how many of them are on.
    static int ActiveInLegend(const TChart& Chart)
    {
        int n = 0;
        for (int i = 0; i < Chart.SeriesCount(); ++i)
            if (Chart.Series(i)->ShowInLegend() && Chart.Series(i)->Active())
                ++n;
        return n;
    }

    // Check boxes in the legend, clicked where they are drawn.
    void LegendCheckBoxes(Input& In)
    {
        TChart* c = PickChart(In);
        if (!c)
            return;
        TCustomChartLegend& legend = *c->Legend();
        legend.SetVisible(true);
        legend.SetCheckBoxes(true);
        legend.SetLegendStyle(In.Pick(4) == 0 ? lsLastValues : lsSeries);
        const bool radio = In.Pick(2) == 0;
        const bool wasRadio = legend.CheckBoxesStyle() == cbsRadio;
        legend.SetCheckBoxesStyle(radio ? cbsRadio : cbsCheck);
        if (radio && !wasRadio && ActiveInLegend(*c) > 1)
            Fail("radio check boxes left more than one series on");
        c->grab();
        const int first = legend.FirstValue(), last = legend.LastValue();
        if (last < first)
            return;
        const TLegendItem* item = legend.Items().Existing(In.Pick(static_cast<std::size_t>(last - first + 1)));
        if (!item)
            return;
        const QPointF p(legend.ShapeBounds.Left + 9, item->Top + legend.ItemHeight() / 2);
        const int index = legend.Clicked(static_cast<int>(p.x()), static_cast<int>(p.y()));
        const QPointer<TChartSeries> target(index < 0 ? nullptr : c->SeriesLegend(index, false));
        const bool wasActive = target && target->Active();
        // tools hear the press first and may keep it
        const bool checked = target && c->Tools().Count() == 0;
        QMouseEvent press(QEvent::MouseButtonPress, p, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(c, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, p, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(c, &release);
        if (!checked || !target)
            return;
        if (radio && (!target->Active() || ActiveInLegend(*c) != 1))
            Fail("a radio click left another series on, or its own off");
        if (!radio && target->Active() == wasActive)
            Fail("a check click did not switch its series");
    }

    // A series event or chart event handler that removes or frees series
    // (never the series whose handler runs: its handler would free itself).
    void Handler(Input& In)
    {
        TChartSeries* s = PickSeries(In);
        const QPointer<TChartSeries> target(PickSeries(In));
        const QPointer<TChart> chart(PickChart(In));
        const bool free = In.Pick(2) == 0;
        auto act = [target, chart, free](TChartSeries* Self) {
            if (!target || target.data() == Self)
                return;
            if (free)
                delete target.data();
            else if (chart)
                chart->RemoveSeries(target.data());
        };
        switch (In.Pick(5)) {
        case 0:
            if (s)
                s->BeforeDrawValues = [act](TChartSeries& Self) { act(&Self); };
            break;
        case 1:
            if (s)
                s->AfterDrawValues = [act](TChartSeries& Self) { act(&Self); };
            break;
        case 2:
            if (chart)
                chart->OnBeforeDrawSeries = [act](TCustomAxisPanel&) { act(nullptr); };
            break;
        case 3:
            if (chart)
                chart->OnAfterDraw = [act](TCustomAxisPanel&) { act(nullptr); };
            break;
        default:
            if (s) {
                s->BeforeDrawValues = nullptr;
                s->AfterDrawValues = nullptr;
            }
            break;
        }
    }

    // ---- series groups, function lines as sources, mark text handlers,
    // marks by index, depth axis ranges and zoomed bars ----

    void GroupsHelpersMarksAndZooms(Input& In)
    {
        switch (In.Pick(6)) {
        case 0:
            Groups(In);
            break;
        case 1:
            HelperLineSource(In);
            break;
        case 2:
            MarkTextHandler(In);
            break;
        case 3:
            MarksByIndex(In);
            break;
        case 4:
            DepthRange(In);
            break;
        default:
            ZoomedBars(In);
            break;
        }
    }

    // A group of a chart, or the group of no chart; series of any chart (or
    // none) join, leave, are removed from their chart and freed.
    void Groups(Input& In)
    {
        TChart* c = PickChart(In);
        TSeriesGroup* g = &m_looseGroup;
        if (c && In.Pick(4) != 0) {
            TSeriesGroups& groups = c->SeriesGroups();
            if (groups.Count() == 0 || (groups.Count() < 4 && In.Pick(4) == 0))
                groups.Add();
            g = &groups.Items(In.Pick(static_cast<std::size_t>(groups.Count())));
        }
        TCustomSeriesList& members = g->Series();
        switch (In.Pick(7)) {
        case 0:
        case 1:
            if (TChartSeries* s = PickSeries(In))
                members.Add(s);
            break;
        case 2:
            if (!members.Empty())
                members.Remove(members[In.Pick(static_cast<std::size_t>(members.Count()))]);
            break;
        case 3:
            g->SetActive(static_cast<TSeriesGroupActive>(In.Pick(3)));
            break;
        case 4:
            // the state read, as the legend does
            if (g->Active() == gaSome)
                g->SetActive(In.Pick(2) == 0 ? gaYes : gaNo);
            break;
        case 5:
            // a member off its chart, then freed; a function's line is its function's
            if (!members.Empty()) {
                TChartSeries* s = members[In.Pick(static_cast<std::size_t>(members.Count()))];
                if (c && In.Pick(2) == 0)
                    c->RemoveSeries(s);
                if (!s->OwnedByFunction())
                    delete s;
            }
            break;
        default:
            if (c)
                c->SeriesGroups().Delete(In.Pick(static_cast<std::size_t>(c->SeriesGroups().Count()) + 1));
            break;
        }
    }

    // A function's own line as the data source of a series: of its feed (a
    // circle), of the function's series (a circle) or of any other series.
    void HelperLineSource(Input& In)
    {
        TChartSeries* s = PickSeries(In);
        if (!s || m_functionClasses.empty())
            return;
        if (!s->FunctionType() || In.Pick(4) == 0) {
            s->SetFunction(m_functionClasses[static_cast<std::size_t>(In.Pick(m_functionClasses.size()))].Create(nullptr));
            TChartSeries* feed = PickSeries(In);
            if (feed && feed != s)
                s->SetDataSource(feed);
        }
        TPlotFunction* f = s->FunctionType();
        if (!f)
            return;
        const QList<TChartSeries*> lines = f->findChildren<TChartSeries*>(Qt::FindDirectChildrenOnly);
        if (lines.isEmpty())
            return;
        TChartSeries* line = lines[In.Pick(static_cast<std::size_t>(lines.size()))];
        TChartSeries* target = nullptr;
        switch (In.Pick(3)) {
        case 0:
            if (s->DataSourceCount() > 0)
                target = qobject_cast<TChartSeries*>(s->DataSourceAt(In.Pick(static_cast<std::size_t>(s->DataSourceCount()))));
            break;
        case 1:
            target = s;
            break;
        default:
            target = PickSeries(In);
            break;
        }
        if (!target)
            return;
        if (In.Pick(2) == 0)
            target->SetDataSource(line);
        else
            target->AddDataSource(line);
    }

    // OnGetMarkText handlers: changing the text, emptying it, freeing or
    // removing their own series or another one; marks shown, in any style,
    // and sometimes as an axis' labels.
    void MarkTextHandler(Input& In)
    {
        TChartSeries* s = PickSeries(In);
        if (!s)
            return;
        s->Marks().SetVisible(In.Pick(4) != 0);
        s->Marks().SetStyle(static_cast<TSeriesMarksStyle>(In.Pick(13)));
        const int at = In.Pick(6);
        const QPointer<TChartSeries> other(PickSeries(In));
        const QPointer<TChart> chart(PickChart(In));
        switch (In.Pick(7)) {
        case 0:
            s->OnGetMarkText = nullptr;
            break;
        case 1:
            s->OnGetMarkText = [](const TChartSeries&, int Index, std::string& Text) {
                Text += "\r" + std::to_string(Index);
            };
            break;
        case 2:
            s->OnGetMarkText = [](const TChartSeries&, int, std::string& Text) { Text.clear(); };
            break;
        case 3:
        case 4:
            // frees its own series: the last thing the handler does
            s->OnGetMarkText = [at](const TChartSeries& Self, int Index, std::string&) {
                if (Index >= at)
                    delete const_cast<TChartSeries*>(&Self);
            };
            break;
        case 5:
            s->OnGetMarkText = [at, chart](const TChartSeries& Self, int Index, std::string&) {
                if (Index >= at && chart)
                    chart->RemoveSeries(const_cast<TChartSeries*>(&Self));
            };
            break;
        default:
            s->OnGetMarkText = [other, chart](const TChartSeries& Self, int, std::string&) {
                if (!other || other.data() == &Self)
                    return;
                if (chart)
                    chart->RemoveSeries(other.data());
                else
                    delete other.data();
            };
            break;
        }
        if (chart && In.Pick(4) == 0)
            if (TChartAxis* a = PickAxis(In, *chart))
                a->SetLabelStyle(In.Pick(2) == 0 ? talMark : talAuto);
    }

    // Marks items and positions by any index, negative ones included.
    void MarksByIndex(Input& In)
    {
        static const int indexes[] = {-1, -2, -1000, INT_MIN, 0, 1, 2, 3, 5, 9};
        TChartSeries* s = PickSeries(In);
        if (!s)
            return;
        TSeriesMarks& m = s->Marks();
        const int i = indexes[In.Pick(std::size(indexes))];
        switch (In.Pick(7)) {
        case 0:
            m.Item(i).SetText({"Item", "two"});
            break;
        case 1:
            m.Item(i).SetVisible(In.Pick(2) == 0);
            break;
        case 2: {
            TSeriesMarkPosition& p = m.PositionAt(i);
            p.Custom = In.Pick(2) == 0;
            p.LeftTop = {In.Pick(200) - 20, In.Pick(200) - 20};
            p.Width = In.Pick(80);
            p.Height = In.Pick(40);
            break;
        }
        case 3:
            // reading adds nothing
            if (!m.ItemOrNull(i) && !m.Position(i))
                static_cast<void>(m.Clicked(In.Pick(200), In.Pick(200)));
            break;
        case 4:
            m.DeleteItem(i);
            break;
        case 5:
            m.DeletePosition(i);
            break;
        default:
            m.SetVisible(true);
            m.SetDrawEvery(1 + In.Pick(3));
            break;
        }
    }

    // The depth axes of a 3D chart shown, over ranges up to and beyond int.
    void DepthRange(Input& In)
    {
        static const double values[] = {0, -0.5, 0.5, 1, 2, 3e9, 3e9 + 1, -3e9, 2147483647.5, -2147483648.5,
                                        1e18, -1e18, 1e300, -1e300};
        TChart* c = PickChart(In);
        if (!c)
            return;
        c->SetView3D(In.Pick(4) != 0);
        TChartAxis* depth = In.Pick(2) == 0 ? c->DepthAxis() : c->DepthTopAxis();
        depth->SetVisible(In.Pick(4) != 0);
        if (In.Pick(4) == 0)
            depth->SetAutomatic(true);
        else
            depth->SetMinMax(values[In.Pick(std::size(values))], values[In.Pick(std::size(values))]);
        if (In.Pick(3) == 0)
            depth->SetInverted(In.Pick(2) == 0);
        if (In.Pick(3) == 0)
            depth->SetLabelStyle(static_cast<TAxisLabelStyle>(In.Pick(5)));
    }

    // Bars of every style, cylinders and cones mostly, on an axis zoomed far
    // in or out.
    void ZoomedBars(Input& In)
    {
        static const double spans[] = {1e-10, 1e-12, 1e-300, 1e-6, 1, 1e10, 1e300};
        auto* bars = qobject_cast<TCustomBarSeries*>(PickSeries(In));
        TChart* c = PickChart(In);
        if (!bars || !c)
            return;
        c->AddSeries(bars);
        bars->SetBarStyle(In.Pick(2) == 0 ? (In.Pick(2) == 0 ? bsCilinder : bsCone) : static_cast<TBarStyle>(In.Pick(13)));
        bars->SetBarWidthPercent(1 + In.Pick(100));
        bars->SetConePercent(In.Pick(101));
        c->SetView3D(In.Pick(4) != 0);
        TChartAxis* axis = In.Pick(2) == 0 ? c->BottomAxis() : c->LeftAxis();
        const double from = In.Value();
        axis->SetMinMax(from, from + spans[In.Pick(std::size(spans))]);
    }

    // A small bitmap of the input's colours.
    static TBitmap SmallBitmap(Input& In)
    {
        TBitmap b(1 + In.Pick(12), 1 + In.Pick(12));
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                b.SetPixel(x, y, In.Pick(3) == 0 ? clRed : In.Pick(2) == 0 ? clBlue : clLime);
        return b;
    }

    // The picture of a chart's back image or of a bar series' brush.
    TPicture* PickPicture(Input& In)
    {
        if (In.Pick(2) == 0) {
            TChart* c = PickChart(In);
            return c ? c->BackImage() : nullptr;
        }
        auto* bars = qobject_cast<TCustomBarSeries*>(PickSeries(In));
        if (!bars)
            return nullptr;
        bars->Marks().SetVisible(In.Pick(2) == 0);
        return bars->BarBrush().Image();
    }

    // Pictures set, replaced and freed between paints.
    void Picture(Input& In)
    {
        TPicture* picture = PickPicture(In);
        if (!picture)
            return;
        switch (In.Pick(3)) {
        case 0:
            picture->SetGraphic(nullptr);
            break;
        default: {
            const TBitmap b = SmallBitmap(In);
            picture->SetGraphic(&b);
            break;
        }
        }
        if (TChart* c = PickChart(In); c && In.Pick(2) == 0) {
            c->BackImage()->SetMode(static_cast<TPlotBackImageMode>(In.Pick(4)));
            c->SetBackImageInside(In.Pick(2) == 0);
        }
    }

    // A filter of any class, with properties at the ends of their types.
    void Filter(Input& In)
    {
        auto* picture = dynamic_cast<TPlotPicture*>(PickPicture(In));
        if (!picture)
            return;
        TFilterItems* filters = picture->Filters();
        if (filters->Count() < 4 || In.Pick(4) == 0) {
            const std::span<const TFilterClass* const> classes = RegisteredFilterClasses();
            if (classes.empty())
                return;
            if (filters->Count() >= 4)
                filters->Clear();
            filters->Add(*classes[static_cast<std::size_t>(In.Pick(classes.size()))]);
        }
        TPlotFilter* f = filters->Item(In.Pick(static_cast<std::size_t>(filters->Count())));
        static const char* const names[] = {"Amount", "Percent", "Red", "Green", "Blue", "Hue", "Luminance",
                                            "Saturation", "Angle", "BackColor", "AutoSize", "Width", "Height",
                                            "Left", "Top", "Smooth", "NumCols", "NumRows", "Bright", "Size",
                                            "Steps", "Method", "Direction"};
        static const std::int64_t ints[] = {0, 1, -1, 2, 90, 180, 255, 256, 270, 360, -360, 10000, INT_MAX,
                                            INT_MIN, 0x1FFFFFFF, 0xFFFFFF};
        static const long double floats[] = {0.5L, -45.0L, 1e300L, -1e300L, 7e299L,
                                             std::numeric_limits<long double>::infinity(),
                                             -std::numeric_limits<long double>::infinity(),
                                             std::numeric_limits<long double>::quiet_NaN()};
        for (int i = 0, n = 1 + In.Pick(3); i < n; ++i) {
            const std::string name = names[In.Pick(std::size(names))];
            TPropertyValue v;
            if (name == "Steps") {
                // the blur runs its steps on every paint: a count that takes ages is the caller's
                v.Type = vaInt8;
                v.Int = In.Pick(4);
            } else if (In.Pick(3) == 0) {
                v.Type = vaExtended;
                v.Float = floats[In.Pick(std::size(floats))];
            } else {
                v.Type = vaInt64;
                v.Int = ints[In.Pick(std::size(ints))];
            }
            f->ReadProperty(name, v);
        }
        if (In.Pick(4) == 0) {
            TFilterRegion* r = f->Region();
            r->Left = static_cast<int>(ints[In.Pick(std::size(ints))]);
            r->Top = static_cast<int>(ints[In.Pick(std::size(ints))]);
            r->Width = static_cast<int>(ints[In.Pick(std::size(ints))]);
            r->Height = static_cast<int>(ints[In.Pick(std::size(ints))]);
        }
    }

    // Series and tools a chart stream made, owned by the form.
    void TrackChildren()
    {
        Prune(m_series);
        Prune(m_tools);
        for (QObject* o : m_form.children()) {
            if (auto* s = qobject_cast<TChartSeries*>(o)) {
                if (std::find(m_series.begin(), m_series.end(), s) == m_series.end())
                    m_series.emplace_back(s);
            } else if (auto* t = qobject_cast<TPlotCustomTool*>(o)) {
                if (std::find(m_tools.begin(), m_tools.end(), t) == m_tools.end())
                    m_tools.emplace_back(t);
            }
        }
    }

    // What is left goes in an order the input chooses; the form frees the rest.
    void FreeAll(Input& In)
    {
        for (;;) {
            Prune(m_charts);
            Prune(m_series);
            Prune(m_tools);
            Prune(m_sources);
            const std::size_t total = m_charts.size() + m_series.size() + m_tools.size() + m_sources.size();
            if (total == 0 || !In.More())
                break;
            switch (In.Pick(4)) {
            case 0:
                delete PickChart(In);
                break;
            case 1:
                delete PickSeries(In);
                break;
            case 2:
                delete PickFrom(In, m_tools);
                break;
            default:
                delete PickFrom(In, m_sources);
                break;
            }
        }
        m_grid.SetSeries(nullptr);
        m_grid.SetChart(nullptr);
        m_list.SetChart(nullptr);
        Prune(m_charts);
        for (const QPointer<TChart>& c : m_charts)
            delete c.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    const std::vector<TSeriesClass>& m_seriesClasses = Classes::Registered().series;
    const std::vector<TFunctionClass>& m_functionClasses = Classes::Registered().functions;
    const std::vector<TToolClass>& m_toolClasses = Classes::Registered().tools;
    // before the controls and charts: freed after them
    QObject m_form;
    bool m_mustNotThrow = false;
    TChartGrid m_grid;
    TChartListBox m_list;
    std::vector<QPointer<TChart>> m_charts;
    std::vector<QPointer<TChartSeries>> m_series;
    std::vector<QPointer<TCustomChartElement>> m_tools;
    std::vector<QPointer<TPlotSeriesSource>> m_sources;
    // a group of no chart
    TSeriesGroup m_looseGroup;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartChartFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    AnsweredDialogs answered;
    Input in(data, size);
    Session session;
    session.Run(in);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
