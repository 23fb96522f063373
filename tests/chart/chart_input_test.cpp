// The chart's events from real mouse input on a shown chart, at positions
// taken from the chart's own layout after it painted.
#include <gtest/gtest.h>

#include <QObject>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <tuple>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/legend_items.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "chart/tools/annotation_tool.h"
#include "support/shown_chart.h"

namespace {

struct TSeriesClick {
    TChartSeries* Series;
    int Index;
    TShiftState Shift;
};

class ChartInput : public ShownChartTest {
protected:
    ChartInput() : ShownChartTest({500, 400}, {0, 0, 400, 300}) { Show(); }

    // A line series of 11 points on a rising diagonal.
    template <typename T = TLineSeries>
    T* AddSeries(const std::string& title, double scale = 10)
    {
        auto* s = new T(&form);
        s->SetTitle(title);
        for (int i = 0; i <= 10; ++i)
            s->AddXY(i, i * scale);
        chart->AddSeries(s);
        return s;
    }
    // Paints now: the positions below are the chart's own layout.
    void Paint() { chart->repaint(); }
    // A spot of the chart area away from the rising diagonal.
    QPoint EmptySpot() const { return {chart->ChartRect.Right - 15, chart->ChartRect.Bottom - 15}; }
    void DoubleClickAt(QPoint p) { QTest::mouseDClick(Window(), Qt::LeftButton, {}, InHost(p)); }
};

}  // namespace

// ---- single clicks on the chart's parts ----

using ChartClickInput = ChartInput;

TEST_F(ChartClickInput, AClickOnAPointReachesOnClickSeriesWithItsIndex)
{
    TLineSeries* a = AddSeries("Alpha");
    TLineSeries* b = AddSeries("Beta", 5);
    Paint();
    std::vector<std::pair<TChartSeries*, int>> clicks;
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries* s, int i, TMouseButton, TShiftState, int, int) {
        clicks.emplace_back(s, i);
    };
    ClickAt(PointOf(*a, 4));
    ClickAt(PointOf(*b, 7));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], std::make_pair(static_cast<TChartSeries*>(a), 4));
    EXPECT_EQ(clicks[1], std::make_pair(static_cast<TChartSeries*>(b), 7));
}

TEST_F(ChartClickInput, AFastLineClickedBeforeItsRedrawAnswersNoPointItNoLongerHas)
{
    auto* s = AddSeries<TFastLineSeries>("Fast");
    Paint();
    const QPoint last = PointOf(*s, 10);
    std::vector<int> clicks;
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries*, int i, TMouseButton, TShiftState, int, int) {
        clicks.push_back(i);
    };
    // the press comes before the chart has drawn the shorter series
    s->Delete(10);
    ASSERT_EQ(s->Count(), 10);
    ClickAt(last);
    for (const int i : clicks)
        EXPECT_LT(i, s->Count());
    // emptied, and filled again before a draw: no point is hit outside its values
    clicks.clear();
    s->Clear();
    s->AddXY(0, 0);
    ClickAt(last);
    for (const int i : clicks)
        EXPECT_LT(i, s->Count());
}

TEST_F(ChartClickInput, ASeriesFreedByItsOwnClickHandlerEndsThePress)
{
    TLineSeries* keep = AddSeries("Keep", 5);
    auto* gone = AddSeries<TPointSeries>("Gone");
    gone->Pointer().SetVisible(true);
    Paint();
    const QPoint onGone = PointOf(*gone, 6);
    int others = 0;
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++others; };
    chart->OnClickBackground = [&](TCustomChart&, TMouseButton, TShiftState, int, int) { ++others; };
    gone->OnClick = [](TChartSeries& s) { delete &s; };
    ClickAt(onGone);
    EXPECT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(others, 0);
    // the same through a press on a pointer
    auto* pointed = AddSeries<TPointSeries>("Pointed");
    pointed->Pointer().SetVisible(true);
    Paint();
    pointed->OnClickPointer = [](TCustomSeries& s, int, int, int) { delete &s; };
    ClickAt(PointOf(*pointed, 6));
    EXPECT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(chart->Series(0), keep);
    EXPECT_EQ(others, 0);
}

TEST_F(ChartClickInput, LegendAxisTitleAndBackgroundEachHearTheirClick)
{
    chart->Title()->SetCaption("Histogram");
    AddSeries("Alpha");
    AddSeries("Beta", 5);
    Paint();
    int legend = 0, background = 0;
    std::vector<TChartAxis*> axes;
    std::vector<TChartTitle*> titles;
    chart->OnClickLegend = [&](TCustomChart&, TMouseButton, TShiftState, int, int) { ++legend; };
    chart->OnClickBackground = [&](TCustomChart&, TMouseButton, TShiftState, int, int) { ++background; };
    chart->OnClickAxis = [&](TCustomChart&, TChartAxis* a, TMouseButton, TShiftState, int, int) { axes.push_back(a); };
    chart->OnClickTitle = [&](TCustomChart&, TChartTitle* t, TMouseButton, TShiftState, int, int) {
        titles.push_back(t);
    };

    const TLegendItem* second = chart->Legend()->Items().Existing(1);
    ASSERT_NE(second, nullptr);
    ClickAt({second->Left + 2, second->Top + 2});
    EXPECT_EQ(legend, 1);

    ClickAt(Centre(chart->LeftAxis()->AxisRect()));
    EXPECT_EQ(axes, std::vector<TChartAxis*>{chart->LeftAxis()});

    ClickAt(Centre(chart->Title()->ShapeBounds));
    EXPECT_EQ(titles, std::vector<TChartTitle*>{chart->Title()});

    ClickAt(EmptySpot());
    EXPECT_EQ(background, 1);
    EXPECT_EQ(legend, 1);
    EXPECT_EQ(axes.size(), 1u);
    EXPECT_EQ(titles.size(), 1u);
}

// ---- the chart's own click ----

using ChartOwnClickInput = ChartInput;

TEST_F(ChartOwnClickInput, ALeftPressAndReleaseOnTheChartClicksOnce)
{
    AddSeries("Alpha");
    Paint();
    int clicks = 0;
    chart->OnClick = [&](TCustomPlotPanel& p) {
        EXPECT_EQ(&p, chart);
        ++clicks;
    };
    ClickAt(EmptySpot());
    EXPECT_EQ(clicks, 1);
    // also a click on a part that handled the press
    chart->OnClickSeries = [](TCustomChart&, TChartSeries*, int, TMouseButton, TShiftState, int, int) {};
    ClickAt(PointOf(*chart->Series(0), 3));
    EXPECT_EQ(clicks, 2);
}

TEST_F(ChartOwnClickInput, RightButtonsAndReleasesOutsideMakeNoClick)
{
    AddSeries("Alpha");
    Paint();
    int clicks = 0;
    chart->OnClick = [&](TCustomPlotPanel&) { ++clicks; };
    ClickAt(EmptySpot(), Qt::RightButton);
    EXPECT_EQ(clicks, 0);
    QTest::mousePress(Window(), Qt::LeftButton, {}, EmptySpot());
    QTest::mouseRelease(Window(), Qt::LeftButton, {}, QPoint(450, 350));
    EXPECT_EQ(clicks, 0);
}

TEST_F(ChartOwnClickInput, ADoubleClickClicksOnceAndDoubleClicksOnce)
{
    AddSeries("Alpha");
    Paint();
    int clicks = 0, doubles = 0;
    chart->OnClick = [&](TCustomPlotPanel&) { ++clicks; };
    chart->OnDblClick = [&](TCustomPlotPanel&) { ++doubles; };
    DoubleClickAt(EmptySpot());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
}

// ---- double clicks ----

using ChartDoubleClickInput = ChartInput;

TEST_F(ChartDoubleClickInput, ASeriesHearsOnClickThenOnDblClick)
{
    TLineSeries* a = AddSeries("Alpha");
    AddSeries("Beta", 5);
    Paint();
    std::vector<TChartSeries*> clicks, doubles;
    std::vector<TSeriesClick> seriesClicks;
    a->OnClick = [&](TChartSeries& s) { clicks.push_back(&s); };
    a->OnDblClick = [&](TChartSeries& s) { doubles.push_back(&s); };
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries* s, int i, TMouseButton, TShiftState shift, int, int) {
        seriesClicks.push_back({s, i, shift});
    };
    DoubleClickAt(PointOf(*a, 6));
    EXPECT_EQ(clicks, std::vector<TChartSeries*>{a});
    EXPECT_EQ(doubles, std::vector<TChartSeries*>{a});
    // each of the two presses, the second marked as double
    ASSERT_EQ(seriesClicks.size(), 2u);
    EXPECT_EQ(seriesClicks[0].Series, a);
    EXPECT_EQ(seriesClicks[0].Index, 6);
    EXPECT_FALSE(seriesClicks[0].Shift & ssDouble);
    EXPECT_EQ(seriesClicks[1].Series, a);
    EXPECT_EQ(seriesClicks[1].Index, 6);
    EXPECT_TRUE(seriesClicks[1].Shift & ssDouble);
}

TEST_F(ChartDoubleClickInput, TheWidgetsDoubleClickEventGoesTheSameWay)
{
    // press, release, double click, release: the order of a double click
    // that comes to the widget as one event
    TLineSeries* a = AddSeries("Alpha");
    Paint();
    int clicks = 0, doubles = 0, downs = 0;
    a->OnClick = [&](TChartSeries&) { ++clicks; };
    a->OnDblClick = [&](TChartSeries&) { ++doubles; };
    chart->OnMouseDown = [&](TCustomPlotPanel&, TMouseButton, TShiftState, int, int) { ++downs; };
    const QPoint p = PointOf(*a, 2);
    QTest::mouseClick(chart, Qt::LeftButton, {}, p);
    QTest::mouseDClick(chart, Qt::LeftButton, {}, p);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, p);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(downs, 2);
}

TEST_F(ChartDoubleClickInput, TheSecondPressStartsAZoom)
{
    AddSeries("Alpha");
    Paint();
    const QPoint p = EmptySpot();
    QTest::mouseClick(chart, Qt::LeftButton, {}, p);
    EXPECT_FALSE(chart->Zoom()->Active);
    QTest::mouseDClick(chart, Qt::LeftButton, {}, p);
    EXPECT_TRUE(chart->Zoom()->Active);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, p);
    EXPECT_FALSE(chart->Zoom()->Active);
    EXPECT_FALSE(chart->Zoomed);
}

TEST_F(ChartDoubleClickInput, ACancelledDoubleClickEndsThere)
{
    TLineSeries* a = AddSeries("Alpha");
    Paint();
    int seriesClicks = 0, downs = 0;
    chart->OnClickSeries = [&](TCustomChart&, TChartSeries*, int, TMouseButton, TShiftState, int, int) {
        ++seriesClicks;
    };
    chart->OnMouseDown = [&](TCustomPlotPanel&, TMouseButton, TShiftState, int, int) { ++downs; };
    chart->OnDblClick = [](TCustomPlotPanel& p) { p.CancelMouse = true; };
    DoubleClickAt(PointOf(*a, 5));
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(seriesClicks, 1);
}

TEST_F(ChartDoubleClickInput, AnAnnotationHearsOnDblClickInsideItsBox)
{
    AddSeries("Alpha");
    auto* tool = new TAnnotationTool(&form);
    tool->SetText("Hello");
    tool->SetParentChart(chart);
    Paint();
    TRect box;
    int x, y, lines;
    tool->GetShapeBounds(box, x, y, lines);
    int clicks = 0, doubles = 0;
    tool->OnClick = [&](TAnnotationTool&, TMouseButton, TShiftState, int, int) { ++clicks; };
    tool->OnDblClick = [&](TAnnotationTool& t, TMouseButton b, TShiftState s, int px, int py) {
        EXPECT_EQ(&t, tool);
        EXPECT_EQ(b, mbLeft);
        EXPECT_TRUE(s & ssDouble);
        EXPECT_EQ(px, box.Left + 3);
        EXPECT_EQ(py, box.Top + 3);
        ++doubles;
    };
    DoubleClickAt({box.Left + 3, box.Top + 3});
    // a click on each press, the double click on the second
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 1);
    DoubleClickAt(EmptySpot());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(doubles, 1);
}

// ---- the mouse over series ----

using ChartHoverInput = ChartInput;

TEST_F(ChartHoverInput, EnterAndLeaveFireOnceAndTheSeriesCursorShows)
{
    TLineSeries* a = AddSeries("Alpha");
    a->SetCursor(crHandPoint);
    std::vector<std::string> events;
    a->OnMouseEnter = [&](TChartSeries& s) { events.push_back("enter " + s.Title()); };
    a->OnMouseLeave = [&](TChartSeries& s) { events.push_back("leave " + s.Title()); };
    Paint();
    MoveTo(EmptySpot());
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(chart->cursor().shape(), Qt::ArrowCursor);
    MoveTo(PointOf(*a, 3));
    EXPECT_EQ(events, std::vector<std::string>{"enter Alpha"});
    EXPECT_EQ(chart->Cursor(), crHandPoint);
    EXPECT_EQ(chart->cursor().shape(), Qt::PointingHandCursor);
    // along the series: still inside
    MoveTo(PointOf(*a, 4));
    EXPECT_EQ(events.size(), 1u);
    MoveTo(EmptySpot());
    EXPECT_EQ(events, (std::vector<std::string>{"enter Alpha", "leave Alpha"}));
    EXPECT_EQ(chart->Cursor(), crDefault);
    EXPECT_EQ(chart->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(ChartHoverInput, LeavingTheChartLeavesTheSeries)
{
    TLineSeries* a = AddSeries("Alpha");
    int enters = 0, leaves = 0;
    a->OnMouseEnter = [&](TChartSeries&) { ++enters; };
    a->OnMouseLeave = [&](TChartSeries&) { ++leaves; };
    Paint();
    MoveTo(PointOf(*a, 8));
    EXPECT_EQ(enters, 1);
    // off the chart, onto the window beside it
    QTest::mouseMove(Window(), QPoint(450, 350));
    EXPECT_EQ(leaves, 1);
    EXPECT_FALSE(a->MouseInside());
}

TEST_F(ChartHoverInput, TheTopmostSeriesGivesItsCursorAndEachTracksItself)
{
    TLineSeries* a = AddSeries("Alpha");
    TLineSeries* b = AddSeries("Beta", 10);  // the same points, drawn over Alpha
    a->SetCursor(crCross);
    b->SetCursor(crHandPoint);
    int aEnters = 0, bEnters = 0;
    a->OnMouseEnter = [&](TChartSeries&) { ++aEnters; };
    b->OnMouseEnter = [&](TChartSeries&) { ++bEnters; };
    Paint();
    MoveTo(PointOf(*b, 5));
    EXPECT_EQ(chart->Cursor(), crHandPoint);
    EXPECT_EQ(aEnters, 1);
    EXPECT_EQ(bEnters, 1);
    b->SetActive(false);
    Paint();
    MoveTo(PointOf(*a, 6));
    EXPECT_EQ(chart->Cursor(), crCross);
    EXPECT_EQ(aEnters, 1);
}

TEST_F(ChartHoverInput, RemovingTheSeriesUnderTheMouseRestoresTheChartCursor)
{
    TLineSeries* a = AddSeries("Alpha");
    a->SetCursor(crHandPoint);
    Paint();
    MoveTo(PointOf(*a, 3));
    ASSERT_EQ(chart->Cursor(), crHandPoint);
    chart->RemoveSeries(a);
    EXPECT_EQ(chart->Cursor(), crDefault);
    EXPECT_FALSE(a->MouseInside());
    delete a;
}

// ---- clicks on a point's pointer ----

using ChartPointerInput = ChartInput;

TEST_F(ChartPointerInput, APointSeriesWithOnlyOnClickPointerHearsItsPointer)
{
    auto* s = AddSeries<TPointSeries>("Dots");
    std::vector<std::tuple<TCustomSeries*, int, int, int>> hits;
    s->OnClickPointer = [&](TCustomSeries& Sender, int i, int x, int y) { hits.emplace_back(&Sender, i, x, y); };
    Paint();
    const QPoint p = PointOf(*s, 7);
    ClickAt(p + QPoint(1, 1));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0], std::make_tuple(static_cast<TCustomSeries*>(s), 7, p.x() + 1, p.y() + 1));
    // an empty spot: no pointer
    ClickAt(EmptySpot());
    EXPECT_EQ(hits.size(), 1u);
}

TEST_F(ChartPointerInput, AHiddenPointerHearsNothing)
{
    auto* s = AddSeries<TPointSeries>("Dots");
    int hits = 0;
    s->OnClickPointer = [&](TCustomSeries&, int, int, int) { ++hits; };
    s->Pointer().Hide();
    Paint();
    ClickAt(PointOf(*s, 4));
    EXPECT_EQ(hits, 0);
    EXPECT_FALSE(s->HasClickEvents());
}

TEST_F(ChartPointerInput, TheMouseOverAPointerIsNoClick)
{
    auto* s = AddSeries<TPointSeries>("Dots");
    s->SetCursor(crHandPoint);
    int hits = 0;
    s->OnClickPointer = [&](TCustomSeries&, int, int, int) { ++hits; };
    Paint();
    MoveTo(PointOf(*s, 2));
    MoveTo(PointOf(*s, 3));
    EXPECT_EQ(chart->Cursor(), crHandPoint);
    EXPECT_EQ(hits, 0);
    ClickAt(PointOf(*s, 3));
    EXPECT_EQ(hits, 1);
}
