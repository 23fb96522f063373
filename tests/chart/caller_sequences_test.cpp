// Sequences of public calls that free or move series, axes, tools, sources
// and charts in an order a program may use; each object left behind must
// stay usable (run under the sanitizer build as well).
#include <gtest/gtest.h>

#include <QImage>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/axis_container.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/chart_stream.h"
#include "chart/controls/chart_grid.h"
#include "chart/plot_canvas.h"
#include "chart/plot_canvas_3d.h"
#include "chart/projection_3d.h"
#include "chart/series/adx_function.h"
#include "chart/series/area_series.h"
#include "chart/series/bar_series.h"
#include "chart/series/bollinger_function.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "chart/series/macd_function.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/volume_series.h"
#include "chart/series_source.h"
#include "chart/series_types.h"
#include "chart/tools/annotation_tool.h"
#include "chart/tools/axis_arrow_tool.h"
#include "chart/tools/axis_scroll_tool.h"
#include "chart/tools/color_band_tool.h"
#include "chart/tools/color_line_tool.h"
#include "chart/tools/full_screen_tool.h"
#include "chart/tools/grid_band_tool.h"
#include "chart/view3d_options.h"
#include "platform/qt_drawing_device.h"
#include "support/shown_chart.h"

namespace {

class ShownChart : public ShownChartTest {
protected:
    ShownChart() : ShownChartTest({420, 320}, {0, 0, 400, 300})
    {
        chart->Legend()->SetVisible(false);
        Show();
    }
    template <typename T = TLineSeries>
    T* NewSeries(int Points = 11)
    {
        auto* s = new T(&form);
        for (int i = 0; i < Points; ++i)
            s->AddXY(i, i * 10.0);
        return s;
    }
};

// Every axis tool class, made fresh.
std::vector<std::function<TPlotCustomToolAxis*()>> AxisToolMakers()
{
    return {[] { return new TColorLineTool; }, [] { return new TColorBandTool; },
            [] { return new TGridBandTool; }, [] { return new TAxisArrowTool; },
            [] { return new TAxisScrollTool; }};
}

}  // namespace

// ---- a series and the custom axes of its charts ----

using SeriesCustomAxis = ShownChart;

TEST_F(SeriesCustomAxis, AxisFreedWhileTheSeriesIsOffTheChartIsDroppedByTheSeries)
{
    auto* line = NewSeries<TFastLineSeries>();
    auto* histogram = NewSeries<THistogramSeries>();
    for (TChartSeries* s : {static_cast<TChartSeries*>(line), static_cast<TChartSeries*>(histogram)}) {
        TChartAxis* axis = chart->CustomAxes().Add();
        s->SetCustomVertAxis(axis);
        chart->AddSeries(s);
        EXPECT_EQ(s->GetVertAxis(), axis);
        chart->RemoveSeries(s);
        chart->CustomAxes().Delete(0);
        EXPECT_EQ(s->CustomVertAxis(), nullptr);
        EXPECT_EQ(s->VertAxis(), aLeftAxis);
        chart->AddSeries(s);
        EXPECT_EQ(s->GetVertAxis(), chart->LeftAxis());
    }
    chart->LeftAxis()->SetMinMax(0, 100);
    chart->BottomAxis()->SetMinMax(0, 10);
    Shot();
    std::vector<int> clicked;
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries*, int Index, TMouseButton, TShiftState, int, int) {
        clicked.push_back(Index);
    };
    ClickAt(PointOf(*line, 5));
    EXPECT_EQ(clicked, std::vector<int>{5});
}

TEST_F(SeriesCustomAxis, ClearingTheCustomAxesUnbindsSeriesOnAndOffTheChart)
{
    auto* on = NewSeries();
    auto* off = NewSeries();
    TChartAxis* a = chart->CustomAxes().Add();
    TChartAxis* b = chart->CustomAxes().Add();
    b->SetHorizontal(true);
    for (TChartSeries* s : {static_cast<TChartSeries*>(on), static_cast<TChartSeries*>(off)}) {
        chart->AddSeries(s);
        s->SetCustomVertAxis(a);
        s->SetCustomHorizAxis(b);
    }
    chart->RemoveSeries(off);
    chart->CustomAxes().Clear();
    for (TChartSeries* s : {static_cast<TChartSeries*>(on), static_cast<TChartSeries*>(off)}) {
        EXPECT_EQ(s->CustomVertAxis(), nullptr);
        EXPECT_EQ(s->CustomHorizAxis(), nullptr);
        EXPECT_EQ(s->HorizAxis(), aBottomAxis);
    }
    EXPECT_EQ(on->GetVertAxis(), chart->LeftAxis());
    EXPECT_EQ(on->GetHorizAxis(), chart->BottomAxis());
    chart->AddSeries(off);
    EXPECT_EQ(off->GetHorizAxis(), chart->BottomAxis());
    Shot();
}

TEST_F(SeriesCustomAxis, AxisSetBeforeTheSeriesJoinsItsChartIsUsedThere)
{
    auto* s = NewSeries();
    TChartAxis* axis = chart->CustomAxes().Add();
    s->SetCustomVertAxis(axis);
    EXPECT_EQ(s->GetVertAxis(), nullptr);
    chart->AddSeries(s);
    EXPECT_EQ(s->VertAxis(), aCustomVertAxis);
    EXPECT_EQ(s->GetVertAxis(), axis);
}

TEST_F(SeriesCustomAxis, SeriesMovedToAnotherChartDrawsOnThatChartsAxes)
{
    auto other = std::make_unique<TChart>();
    auto* s = NewSeries();
    chart->AddSeries(s);
    TChartAxis* axis = chart->CustomAxes().Add();
    s->SetCustomVertAxis(axis);
    other->AddSeries(s);
    EXPECT_EQ(chart->SeriesCount(), 0);
    EXPECT_EQ(s->CustomVertAxis(), nullptr);
    EXPECT_EQ(s->GetVertAxis(), other->LeftAxis());
    // an axis of another chart is not taken either
    s->SetCustomVertAxis(axis);
    EXPECT_EQ(s->CustomVertAxis(), nullptr);
    EXPECT_EQ(s->GetVertAxis(), other->LeftAxis());
    delete chart;
    chart = nullptr;
    other->resize(300, 200);
    EXPECT_FALSE(other->grab().isNull());
    other->RemoveSeries(s);
}

TEST_F(SeriesCustomAxis, AssignAndTypeChangeKeepACustomAxisOnlyOnItsOwnChart)
{
    TChart other;
    auto* s = NewSeries();
    chart->AddSeries(s);
    TChartAxis* axis = chart->CustomAxes().Add();
    s->SetCustomVertAxis(axis);
    auto* same = NewSeries();
    chart->AddSeries(same);
    same->Assign(*s);
    EXPECT_EQ(same->GetVertAxis(), axis);
    auto* moved = NewSeries();
    other.AddSeries(moved);
    moved->Assign(*s);
    EXPECT_EQ(moved->CustomVertAxis(), nullptr);
    EXPECT_EQ(moved->GetVertAxis(), other.LeftAxis());
    // off any chart the copy keeps the axis until the axis goes
    auto* loose = NewSeries();
    loose->Assign(*s);
    EXPECT_EQ(loose->CustomVertAxis(), axis);
    TChartSeries* changed = loose;
    ChangeSeriesType(changed, SeriesClassOf<TFastLineSeries>());
    EXPECT_EQ(changed->CustomVertAxis(), axis);
    chart->CustomAxes().Delete(0);
    EXPECT_EQ(changed->CustomVertAxis(), nullptr);
    EXPECT_EQ(same->GetVertAxis(), chart->LeftAxis());
    chart->AddSeries(changed);
    EXPECT_EQ(changed->GetVertAxis(), chart->LeftAxis());
    other.RemoveSeries(moved);
}

// ---- axis tools and the axis they draw on ----

namespace {

// A press, a drag and a release on the shown chart, through the window system.
void DragOn(TChart& Chart)
{
    Chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Chart));
    QWindow* window = Chart.windowHandle();
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(window, QPoint(20, 20));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseMove(window, QPoint(150, 100));
}

}  // namespace

TEST(AxisToolLifetime, EveryWayOfFreeingACustomAxisLeavesItsToolsWithoutIt)
{
    QObject form;
    TChart source;
    source.CustomAxes().Add();
    const std::vector<std::uint8_t> stream = WriteChart(source);
    const std::vector<std::function<void(TChart&)>> frees = {
        [](TChart& c) { c.CustomAxes().Delete(0); }, [](TChart& c) { c.CustomAxes().Clear(); },
        [&](TChart& c) { ReadChart(c, &form, stream); }};
    for (std::size_t way = 0; way < frees.size(); ++way)
        for (const auto& make : AxisToolMakers()) {
            TChart chart;
            chart.resize(300, 200);
            chart.SetView3D(false);
            TChartAxis* axis = chart.CustomAxes().Add();
            TPlotCustomToolAxis* tool = make();
            tool->SetAxis(axis);
            ASSERT_EQ(chart.Tools().IndexOf(tool), 0);
            frees[way](chart);
            SCOPED_TRACE(std::string(tool->metaObject()->className()) + " way " + std::to_string(way));
            EXPECT_EQ(tool->Axis(), nullptr);
            EXPECT_EQ(chart.Tools().IndexOf(tool), 0);
            EXPECT_FALSE(chart.grab().isNull());
            DragOn(chart);
            delete tool;
        }
}

TEST(AxisToolLifetime, ToolMovedOffItsChartDropsTheAxisAndOutlivesTheChart)
{
    for (bool toAnother : {false, true})
        for (const auto& make : AxisToolMakers()) {
            auto first = std::make_unique<TChart>();
            TChart second;
            second.resize(300, 200);
            TChartAxis* axis = first->CustomAxes().Add();
            std::unique_ptr<TPlotCustomToolAxis> tool(make());
            tool->SetAxis(axis);
            const bool gridBand = dynamic_cast<TGridBandTool*>(tool.get()) != nullptr;
            EXPECT_EQ(static_cast<bool>(axis->OnDrawGrids), gridBand);
            tool->SetParentChart(toAnother ? static_cast<TSeriesParent*>(&second) : nullptr);
            SCOPED_TRACE(tool->metaObject()->className());
            EXPECT_EQ(tool->Axis(), nullptr);
            // the grid band no longer draws the first chart's grid
            EXPECT_FALSE(axis->OnDrawGrids);
            EXPECT_EQ(first->Tools().Count(), 0);
            first.reset();
            EXPECT_FALSE(second.grab().isNull());
            DragOn(second);
            tool.reset();
            EXPECT_EQ(second.Tools().Count(), 0);
        }
}

TEST(AxisToolLifetime, ColorBandEdgeLinesFollowTheBand)
{
    TChart chart;
    TColorBandTool band;
    TChartAxis* axis = chart.CustomAxes().Add();
    band.SetAxis(axis);
    band.SetStartValue(2);
    band.SetEndValue(4);
    EXPECT_EQ(band.StartLine().Axis(), axis);
    chart.CustomAxes().Delete(0);
    EXPECT_EQ(band.StartLine().Axis(), nullptr);
    EXPECT_EQ(band.EndLine().Axis(), nullptr);
    band.SetAxis(chart.LeftAxis());
    EXPECT_EQ(band.EndLine().Axis(), chart.LeftAxis());
}

// ---- series sources and data-source lists ----

TEST(SeriesSourceLifetime, RebindingASourceLeavesTheFirstSeriesWithoutIt)
{
    QObject form;
    auto* a = new TLineSeries(&form);
    auto* b = new TLineSeries(&form);
    auto* source = new TPlotSeriesSource(&form);
    source->SetSeries(a);
    EXPECT_EQ(a->DataSource(), source);
    source->SetSeries(b);
    EXPECT_EQ(a->DataSourceCount(), 0);
    EXPECT_EQ(b->DataSource(), source);
    EXPECT_EQ(source->Series(), b);
    delete source;
    EXPECT_EQ(b->DataSourceCount(), 0);
    delete a;
    delete b;
}

TEST(SeriesSourceLifetime, AssignTakesASourceComponentAndASeriesFromTheOriginal)
{
    QObject form;
    TChart chart;
    auto* feeder = new TLineSeries(&form);
    feeder->AddXY(1, 2);
    auto* b = new TLineSeries(&form);
    auto* source = new TPlotSeriesSource(&form);
    chart.AddSeries(feeder);
    chart.AddSeries(b);
    b->AddDataSource(source);
    b->AddDataSource(feeder);
    ASSERT_EQ(b->DataSourceCount(), 2);
    auto* a = new TLineSeries(&form);
    chart.AddSeries(a);
    a->Assign(*b);
    ASSERT_EQ(a->DataSourceCount(), 2);
    EXPECT_EQ(a->DataSourceAt(0), source);
    EXPECT_EQ(a->DataSourceAt(1), feeder);
    EXPECT_EQ(source->Series(), a);
    // the component feeds one series only: the original lost it, first, and so its list
    EXPECT_EQ(b->DataSourceCount(), 0);

    // the same through a change of type, with a component nobody owns
    auto loose = std::make_unique<TPlotSeriesSource>();
    b->AddDataSource(loose.get());
    b->AddDataSource(feeder);
    ASSERT_EQ(b->DataSourceCount(), 2);
    TChartSeries* changed = b;
    ChangeSeriesType(changed, SeriesClassOf<TFastLineSeries>());
    ASSERT_EQ(changed->DataSourceCount(), 2);
    EXPECT_EQ(changed->DataSourceAt(0), loose.get());
    EXPECT_EQ(loose->Series(), changed);
    loose.reset();
    EXPECT_EQ(changed->DataSourceCount(), 0);

    // a component of the form: the series takes it over, and its new type after it
    QPointer<TPlotSeriesSource> owned = new TPlotSeriesSource(&form);
    changed->AddDataSource(owned);
    changed->AddDataSource(feeder);
    EXPECT_EQ(owned->parent(), changed);
    TChartSeries* retyped = changed;
    ChangeSeriesType(retyped, SeriesClassOf<TLineSeries>());
    ASSERT_FALSE(owned.isNull());
    EXPECT_EQ(owned->parent(), retyped);
    EXPECT_EQ(owned->Series(), retyped);
    ASSERT_EQ(retyped->DataSourceCount(), 2);
    EXPECT_EQ(retyped->DataSourceAt(0), owned.data());
    EXPECT_EQ(retyped->DataSourceAt(1), feeder);
}

TEST(SeriesSourceLifetime, CircularSourcesAreRefusedWithOrWithoutAChart)
{
    QObject form;
    auto* a = new TLineSeries(&form);
    auto* b = new TLineSeries(&form);
    auto* c = new TLineSeries(&form);
    b->SetDataSource(a);
    c->SetDataSource(b);
    try {
        a->SetDataSource(c);
        FAIL() << "no exception";
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
    }
    EXPECT_EQ(a->DataSourceCount(), 0);
    EXPECT_THROW(a->AddDataSource(b), ChartException);

    // on a chart, then just after leaving it
    TChart chart;
    for (TChartSeries* s : {static_cast<TChartSeries*>(a), static_cast<TChartSeries*>(b),
                            static_cast<TChartSeries*>(c)})
        chart.AddSeries(s);
    EXPECT_THROW(a->SetDataSource(c), ChartException);
    chart.RemoveSeries(a);
    chart.RemoveSeries(c);
    EXPECT_THROW(a->SetDataSource(c), ChartException);
    EXPECT_EQ(a->DataSourceCount(), 0);
    // the chain that stays still carries a's points
    a->AddXY(0, 7);
    ASSERT_EQ(c->Count(), 1);
    EXPECT_EQ(c->YValues().Value(0), 7);
}

// ---- function helper series ----

TEST(FunctionHelperSeries, HelpersLeaveTheChartWithTheirSeries)
{
    struct Case {
        const char* Name;
        std::function<TPlotFunction*()> Make;
        std::function<std::vector<TChartSeries*>(TPlotFunction&)> Helpers;
    };
    const std::vector<Case> cases = {
        {"MACD", [] { return new TMACDFunction; },
         [](TPlotFunction& f) {
             auto& m = static_cast<TMACDFunction&>(f);
             return std::vector<TChartSeries*>{&m.SignalSeries(), &m.HistogramSeries()};
         }},
        {"ADX", [] { return new TADXFunction; },
         [](TPlotFunction& f) {
             auto& m = static_cast<TADXFunction&>(f);
             return std::vector<TChartSeries*>{&m.UpLine(), &m.DownLine()};
         }},
        {"Bollinger", [] { return new TBollingerFunction; },
         [](TPlotFunction& f) {
             auto& m = static_cast<TBollingerFunction&>(f);
             return std::vector<TChartSeries*>{&m.LowBand()};
         }}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QObject form;
        auto* chart = new TChart;
        auto* prices = new TOHLCSeries(&form);
        for (int i = 0; i < 40; ++i)
            prices->AddOHLC(i, 10 + i % 5, 14 + i % 3, 8 - i % 2, 11 + i % 4);
        chart->AddSeries(prices);
        auto* series = new TLineSeries(&form);
        chart->AddSeries(series);
        TPlotFunction* f = c.Make();
        series->SetFunction(f);
        series->AddDataSource(prices);
        const std::vector<TChartSeries*> helpers = c.Helpers(*f);
        for (TChartSeries* h : helpers)
            EXPECT_EQ(h->ParentChart(), static_cast<TSeriesParent*>(chart));
        chart->RemoveSeries(series);
        for (TChartSeries* h : helpers)
            EXPECT_EQ(h->ParentChart(), nullptr);
        delete chart;
        delete series;
    }
}

// ---- the canvas font of a freed tool ----

using FreedToolFont = ShownChart;

TEST_F(FreedToolFont, AnnotationFreedAfterAMouseMoveLeavesNoFontOnTheCanvas)
{
    auto* bars = NewSeries<TBarSeries>(5);
    chart->AddSeries(bars);
    bars->Shadow().SetVisible(true);
    auto* note = new TAnnotationTool(&form);
    note->SetText("Note");
    note->SetCursor(crHandPoint);
    note->SetParentChart(chart);
    const QImage before = Shot();
    const TRect r = note->Shape().ShapeBounds;
    MoveTo(QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    EXPECT_EQ(chart->Canvas()->CurrentFont(), note->Shape().Font());
    delete note;
    EXPECT_EQ(chart->Canvas()->CurrentFont(), nullptr);
    // the next full draw
    chart->Invalidate();
    const QImage after = Shot();
    ASSERT_EQ(after.size(), before.size());
    // the note is gone from the picture, the bars are not
    int changed = 0;
    for (int y = r.Top; y <= r.Bottom; ++y)
        for (int x = r.Left; x <= r.Right; ++x)
            changed += after.pixel(x, y) != before.pixel(x, y);
    EXPECT_GT(changed, 0);
    const QPoint bar = PointOf(*bars, 2) + QPoint(0, 3);
    EXPECT_EQ(after.pixel(bar), before.pixel(bar));
}

// ---- a full-screen tool detached from its chart ----

TEST(FullScreenToolLifetime, DetachedWhileOnPutsTheChartBackBeforeTheChartGoes)
{
    QWidget form;
    auto* layout = new QVBoxLayout(&form);
    auto* chart = new TChart;
    layout->addWidget(chart);
    form.resize(300, 200);
    form.show();
    QPointer<TFullScreenTool> tool = new TFullScreenTool(chart);
    tool->SetParentChart(chart);
    tool->SetActive(true);
    ASSERT_NE(tool->Host(), nullptr);
    EXPECT_NE(chart->parentWidget(), &form);
    tool->SetParentChart(nullptr);
    EXPECT_EQ(tool->Host(), nullptr);
    EXPECT_FALSE(tool->Active());
    EXPECT_EQ(chart->parentWidget(), &form);
    EXPECT_EQ(layout->indexOf(chart), 0);
    delete chart;
    EXPECT_TRUE(tool.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// ---- the chart data grid while its chart goes ----

TEST(ChartGridLifetime, ChartFreedWithTheGridsSeriesOnIt)
{
    QObject form;
    auto* chart = new TChart;
    auto* s = new TLineSeries(&form);
    s->AddXY(1, 2);
    chart->AddSeries(s);
    TChartGrid grid;
    grid.SetSeries(s);
    EXPECT_EQ(grid.Series(), s);
    delete chart;
    EXPECT_EQ(grid.Series(), nullptr);
    EXPECT_EQ(grid.Chart(), nullptr);
    grid.resize(200, 100);
    EXPECT_FALSE(grid.grab().isNull());
}

// ---- a deep perspective chart on a small window ----

// A perspective whose divisor nearly vanishes at depth -2: a point there is
// about five million times farther from the centre than in front.
void NearSingularPerspective(TProjection3D& P)
{
    P.Is3D = true;
    P.IsOrthogonal = false;
    P.PerspectiveOn = true;
    P.PerspectiveFactor = 0.5000001;
    P.ZoomFactor = 1;
    P.SinElev = P.SinRot = P.SinTilt = 0;
    P.CosElev = P.CosRot = P.CosTilt = 1;
    P.Tilted = false;
    P.CentreX = P.ScreenCentreX = 25;
    P.CentreY = P.ScreenCentreY = 20;
    P.CentreZ = 0;
}

TEST(DeepPerspective, ProjectedPointsStayNearTheScreenCentre)
{
    TProjection3D p;
    NearSingularPerspective(p);
    const int limit = 1 << 24;
    TPoint pt;
    for (int x : {-2000, -40, 65, 3000}) {
        p.ProjectPoint3D(pt, x, 20, -2);
        EXPECT_LE(std::abs(pt.X - 25), limit);
        // still on the far side the divisor's sign gives
        EXPECT_EQ(pt.X < 25, x > 25);
        EXPECT_EQ(pt.Y, 20);
    }
    // points away from the singular depth are exact
    p.ProjectPoint3D(pt, 35, 30, 0);
    EXPECT_EQ(pt.X, 35);
    EXPECT_EQ(pt.Y, 30);
    p.ProjectPoint3D(pt, 35, 30, 2);
    EXPECT_EQ(pt.X, 30);  // 25 + 10 / 2.0000002
    EXPECT_EQ(pt.Y, 25);
}

TEST(DeepPerspective, CubeAcrossTheSingularDepthDraws)
{
    platform::QtDrawingDevice window(50, 40);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 50, 40});
    NearSingularPerspective(canvas);
    canvas.Brush()->SetColor(clRed);
    canvas.Cube(-3000, 3000, -2500, 2500, -4, 4, true);
    canvas.Cube(5, 45, 5, 35, -2, -2, false);
}

TEST(DeepPerspective, SixteenSeriesDeepChartDrawsAtFiftyByForty)
{
    QObject form;
    TChart chart;
    chart.resize(50, 40);
    chart.SetView3D(true);
    chart.SetChart3DPercent(54);
    chart.View3DOptions()->SetOrthogonal(false);
    for (int i = 0; i < 16; ++i) {
        TChartSeries* s = nullptr;
        switch (i % 3) {
        case 0: s = new TBarSeries(&form); break;
        case 1: s = new TAreaSeries(&form); break;
        default: s = new TLineSeries(&form); break;
        }
        for (int j = 0; j < 6; ++j)
            s->AddXY(j, (i * 7 + j * 13) % 20 - 5);
        s->Marks().SetVisible(true);
        chart.AddSeries(s);
    }
    for (int perspective : {30, 40, 50}) {
        chart.View3DOptions()->SetPerspective(perspective);
        const QImage picture = chart.grab().toImage();
        EXPECT_EQ(picture.size(), QSize(50, 40));
    }
}
