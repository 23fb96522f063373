#include "chart/chart.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QObject>
#include <QWheelEvent>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/series/bar_series.h"
#include "chart/series/line_series.h"
#include "testing/recording_device.h"

namespace {

// Points answer clicks within 3 pixels.
class TClickSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    int Clicked(int X, int Y) const override
    {
        for (int i = 0; i < Count(); ++i)
            if (std::abs(CalcXPos(i) - X) <= 3 && std::abs(CalcYPos(i) - Y) <= 3)
                return i;
        return -1;
    }
};

class TChartControl : public ::testing::Test {
protected:
    TChartControl()
    {
        chart.resize(400, 300);
        chart.SetBufferedDisplay(false);
        chart.SetView3D(false);
    }
    TClickSeries* AddSeries(const std::string& title)
    {
        auto* s = new TClickSeries(&form);
        s->SetTitle(title);
        for (int i = 0; i <= 10; ++i)
            s->AddXY(i, i * 10);
        chart.AddSeries(s);
        return s;
    }
    void DrawChart() { chart.Draw(&device, TRect{0, 0, 400, 300}); }
    static TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

    QObject form;
    TChart chart;
    platform::RecordingDevice device{400, 300};
};

}  // namespace

TEST_F(TChartControl, Defaults)
{
    EXPECT_TRUE(chart.Title()->Text().Empty());
    EXPECT_EQ(chart.ScrollMouseButton(), mbRight);
    EXPECT_EQ(chart.ColorPaletteIndex(), 0);
    EXPECT_EQ(chart.BackWall()->Color(), clSilver);
    EXPECT_EQ(chart.Frame(), chart.BackWall()->Pen());
    EXPECT_FALSE(chart.AxesSaved());
}

TEST_F(TChartControl, ClickedPartsOfALaidOutChart)
{
    chart.Title()->SetCaption("Histogram");
    TClickSeries* a = AddSeries("Alpha");
    AddSeries("Beta");
    DrawChart();
    const TPoint title = Centre(chart.Title()->ShapeBounds);
    EXPECT_EQ(chart.CalcClickedPart(title.X, title.Y).Part, cpTitle);
    const TLegendItem* second = chart.Legend()->Items().Existing(1);
    ASSERT_NE(second, nullptr);
    const TChartClickedPart legend = chart.CalcClickedPart(second->Left + 2, second->Top + 2);
    EXPECT_EQ(legend.Part, cpLegend);
    EXPECT_EQ(legend.PointIndex, 1);
    const TChartClickedPart point = chart.CalcClickedPart(a->CalcXPos(0), a->CalcYPos(0));
    // Beta has the same points and is tested first (last to first)
    EXPECT_EQ(point.Part, cpSeries);
    EXPECT_EQ(point.PointIndex, 0);
    const TPoint inside{chart.ChartXCenter, chart.ChartRect.Top + 5};
    EXPECT_EQ(chart.CalcClickedPart(inside.X, inside.Y).Part, cpChartRect);
    const TRect axisRect = chart.LeftAxis()->AxisRect();
    const TChartClickedPart axis = chart.CalcClickedPart(axisRect.Left + 1, chart.ChartYCenter);
    EXPECT_EQ(axis.Part, cpAxis);
    EXPECT_EQ(axis.AAxis, chart.LeftAxis());
    // a click search tests only series that answer clicks
    EXPECT_EQ(chart.CalcClickedPart(a->CalcXPos(5), a->CalcYPos(5), true).Part, cpChartRect);
}

TEST_F(TChartControl, NoActiveSeriesNoChartAreaClick)
{
    TClickSeries* a = AddSeries("Alpha");
    DrawChart();
    a->SetActive(false);
    EXPECT_EQ(chart.CalcClickedPart(chart.ChartXCenter, chart.ChartYCenter).Part, cpNone);
}

TEST_F(TChartControl, WheelScrollsTheVerticalAxesByThreePercent)
{
    AddSeries("Alpha");
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMinMax(0, 100);
    chart.BottomAxis()->SetAutomatic(false);
    chart.BottomAxis()->SetMinMax(0, 10);
    EXPECT_TRUE(chart.MouseWheel(0, -120, 100, 100));
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 3);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 103);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 0);
    chart.MouseWheel(0, 120, 100, 100);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 100);
    chart.SetAllowPanning(pmHorizontal);
    EXPECT_FALSE(chart.MouseWheel(0, -120, 100, 100));
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 0);
}

TEST_F(TChartControl, OnAllowScrollMayVetoTheWheel)
{
    AddSeries("Alpha");
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMinMax(0, 100);
    chart.OnAllowScroll = [](TChartAxis&, double&, double&, bool& allow) { allow = false; };
    chart.MouseWheel(0, -120, 100, 100);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 0);
}

TEST_F(TChartControl, DragRightZoomsDragLeftUndoes)
{
    AddSeries("Alpha");
    DrawChart();
    const TRect r = chart.ChartRect;
    const int x0 = r.Left + 20;
    const int y0 = r.Top + 20;
    const int x1 = r.Left + 120;
    const int y1 = r.Top + 100;
    const double expectMin = chart.BottomAxis()->CalcPosPoint(x0);
    const double expectMax = chart.BottomAxis()->CalcPosPoint(x1);
    chart.MouseDown(mbLeft, 0, x0, y0);
    ASSERT_TRUE(chart.Zoom()->Active);
    chart.MouseMove(0, x1, y1);
    chart.MouseUp(mbLeft, 0, x1, y1);
    EXPECT_TRUE(chart.Zoomed);
    EXPECT_TRUE(chart.AxesSaved());
    EXPECT_FALSE(chart.BottomAxis()->Automatic());
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), expectMin);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), expectMax);
    DrawChart();
    // to the lower left: only x decides, the zoom is undone
    chart.MouseDown(mbLeft, 0, x1, y0);
    chart.MouseUp(mbLeft, 0, x0, y1);
    EXPECT_FALSE(chart.Zoomed);
    EXPECT_FALSE(chart.AxesSaved());
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
}

TEST_F(TChartControl, ShortDragNeitherZoomsNorUndoes)
{
    AddSeries("Alpha");
    DrawChart();
    const TRect r = chart.ChartRect;
    chart.MouseDown(mbLeft, 0, r.Left + 20, r.Top + 20);
    chart.MouseUp(mbLeft, 0, r.Left + 30, r.Top + 60);
    EXPECT_FALSE(chart.Zoomed);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
}

TEST_F(TChartControl, PanningShiftsAxesAndStopsOutsideTheChartRectangle)
{
    AddSeries("Alpha");
    DrawChart();
    const TRect r = chart.ChartRect;
    const double before = chart.BottomAxis()->Minimum();
    const double step = chart.BottomAxis()->CalcPosPoint(r.Left + 50) - chart.BottomAxis()->CalcPosPoint(r.Left + 60);
    int scrolls = 0;
    chart.OnScroll = [&](TCustomPlotPanelExtended&) { ++scrolls; };
    chart.MouseDown(mbRight, 0, r.Left + 60, r.Top + 50);
    ASSERT_TRUE(chart.Panning().Active);
    chart.MouseMove(0, r.Left + 50, r.Top + 50);
    EXPECT_EQ(scrolls, 1);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), before - step);
    chart.MouseMove(0, r.Right + 10, r.Top + 50);
    EXPECT_FALSE(chart.Panning().Active);
    chart.MouseUp(mbRight, 0, r.Right + 10, r.Top + 50);
    chart.UndoZoom();
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
}

TEST_F(TChartControl, UndoAfterCustomAxesChangedRestoresTheAxesThatRemain)
{
    AddSeries("Alpha");
    TChartAxis* first = chart.CustomAxes().Add();
    first->SetAutomatic(false);
    first->SetMinMax(5, 6);
    DrawChart();
    chart.ZoomRect(TRect{chart.ChartRect.Left + 10, chart.ChartRect.Top + 10, chart.ChartRect.Left + 100,
                         chart.ChartRect.Top + 100});
    chart.CustomAxes().Delete(0);
    TChartAxis* second = chart.CustomAxes().Add();
    second->SetAutomatic(false);
    second->SetMinMax(-7, 7);
    chart.UndoZoom();
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    // the new axis had no saved record: left as it is
    EXPECT_FALSE(second->Automatic());
    EXPECT_DOUBLE_EQ(second->Minimum(), -7);
    EXPECT_DOUBLE_EQ(second->Maximum(), 7);
}

TEST_F(TChartControl, ClickOnTitleRaisesOnClickTitle)
{
    chart.Title()->SetCaption("Histogram");
    AddSeries("Alpha");
    DrawChart();
    TChartTitle* clicked = nullptr;
    chart.OnClickTitle = [&](TCustomChart&, TChartTitle* t, TMouseButton, TShiftState, int, int) { clicked = t; };
    const TPoint p = Centre(chart.Title()->ShapeBounds);
    chart.MouseDown(mbLeft, 0, p.X, p.Y);
    EXPECT_EQ(clicked, chart.Title());
    EXPECT_FALSE(chart.Zoom()->Active);
}

namespace {

// Texts drawn below the chart rectangle, with their x.
std::vector<std::pair<int, std::string>> TextsBelow(const platform::RecordingDevice& Device, int Bottom)
{
    std::vector<std::pair<int, std::string>> texts;
    for (const auto& c : Device.Calls())
        if (c.name == "TextOut" && std::stoi(c.args[1]) > Bottom)
            texts.emplace_back(std::stoi(c.args[0]), c.args[2]);
    return texts;
}

}  // namespace

TEST_F(TChartControl, PointLabelsStandUnderTheBarsFromTheFirstDraw)
{
    auto* bars = new TBarSeries(&form);
    bars->Marks().SetVisible(false);
    chart.AddSeries(bars);
    bars->AddXYPointY(0.3, "young");
    bars->AddXYPointY(0.5, "old");
    DrawChart();
    const TChartAxis& axis = *chart.BottomAxis();
    using Texts = std::vector<std::pair<int, std::string>>;
    EXPECT_EQ(TextsBelow(device, chart.ChartRect.Bottom),
              (Texts{{axis.CalcPosValue(0), "young"}, {axis.CalcPosValue(1), "old"}}));

    // refilled between two paints: the new points are labelled, not the old range
    bars->Clear();
    bars->AddXYPointY(0.2, "a");
    bars->AddXYPointY(0.3, "b");
    bars->AddXYPointY(0.5, "c");
    device.ClearLog();
    DrawChart();
    EXPECT_EQ(TextsBelow(device, chart.ChartRect.Bottom),
              (Texts{{axis.CalcPosValue(0), "a"}, {axis.CalcPosValue(1), "b"}, {axis.CalcPosValue(2), "c"}}));
}

TEST_F(TChartControl, PaletteIndexAppliesAndIsKeptAsGiven)
{
    AddSeries("Alpha");
    chart.SetColorPaletteIndex(8);
    ASSERT_EQ(chart.ColorPalette().size(), 25u);
    // dark red, 000099 as written in the table
    EXPECT_EQ(chart.ColorPalette()[0], 0x000099u);
    chart.SetColorPaletteIndex(16);
    EXPECT_EQ(chart.ColorPaletteIndex(), 16);
    EXPECT_TRUE(chart.ColorPalette().empty());
}

TEST_F(TChartControl, WindowEventsWheelAndDrag)
{
    AddSeries("Alpha");
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMinMax(0, 100);
    QWheelEvent wheel(QPointF(100, 100), QPointF(100, 100), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&chart, &wheel);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 3);

    chart.LeftAxis()->SetAutomatic(true);
    DrawChart();
    const TRect r = chart.ChartRect;
    const QPointF from(r.Left + 20, r.Top + 20);
    const QPointF to(r.Left + 150, r.Top + 120);
    QMouseEvent press(QEvent::MouseButtonPress, from, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, to, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, to, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &press);
    QApplication::sendEvent(&chart, &move);
    QApplication::sendEvent(&chart, &release);
    EXPECT_TRUE(chart.Zoomed);
    EXPECT_FALSE(chart.BottomAxis()->Automatic());
}

namespace {

// The chart's walls rectangle step within reach.
class TWallStepsChart : public TChart {
public:
    using TCustomChart::CalcWallsRect;
};

class TChart3D : public ::testing::Test {
protected:
    TChart3D()
    {
        chart.resize(400, 300);
        chart.SetBufferedDisplay(false);
        chart.SetView3D(true);
        auto* s = new TClickSeries(&form);
        for (int i = 0; i <= 10; ++i)
            s->AddXY(i, i * 10);
        chart.AddSeries(s);
    }
    void DrawChart() { chart.Draw(&device, TRect{0, 0, 400, 300}); }
    // Whether a brush of the colour was selected in the log.
    static bool Brushed(const std::vector<std::string>& Log, TColor Colour)
    {
        const std::string text = platform::RecordingDevice::ColorText(Colour);
        return std::any_of(Log.begin(), Log.end(), [&](const std::string& l) {
            return l.rfind("SelectBrush(solid " + text, 0) == 0;
        });
    }

    QObject form;
    TWallStepsChart chart;
    platform::RecordingDevice device{400, 300};
};

}  // namespace

TEST_F(TChart3D, OrthogonalViewTakesTheDepthOffTheRightAndTheTop)
{
    chart.View3DOptions()->SetOrthogonal(true);
    chart.View3DOptions()->SetOrthoAngle(45);
    chart.BackWall()->SetSize(4);
    chart.RightWall()->SetVisible(true);
    chart.RightWall()->SetSize(3);
    chart.LeftWall()->SetSize(2);
    DrawChart();
    const int w = chart.TotalWidth3D();
    const int h = chart.TotalHeight3D();
    ASSERT_GT(w, 0);
    ASSERT_GT(h, 0);
    chart.ChartRect = TRect{10, 20, 310, 220};
    chart.CalcWallsRect();
    // right: the depth, the back wall's 4, the right wall's 3 + 1; top: 4 and the height
    EXPECT_EQ(chart.ChartRect, (TRect{10, 20 + 4 + h, 310 - (w + 4) - 4, 220}));
    EXPECT_EQ(chart.ChartWidth, 300 - (w + 4) - 4);
    // turned past 90 degrees the depth comes off the left, with the left wall's 2 + 1
    chart.View3DOptions()->SetOrthoAngle(135);
    chart.ChartRect = TRect{10, 20, 310, 220};
    chart.CalcWallsRect();
    EXPECT_EQ(chart.ChartRect, (TRect{10 + w + 4 + 3, 20 + 4 + h, 310, 220}));
    // a hidden right wall takes nothing
    chart.View3DOptions()->SetOrthoAngle(45);
    chart.RightWall()->SetVisible(false);
    chart.ChartRect = TRect{10, 20, 310, 220};
    chart.CalcWallsRect();
    EXPECT_EQ(chart.ChartRect.Right, 310 - (w + 4));
    // without the orthogonal view the walls take no room here
    chart.View3DOptions()->SetOrthogonal(false);
    chart.ChartRect = TRect{10, 20, 310, 220};
    chart.CalcWallsRect();
    EXPECT_EQ(chart.ChartRect, (TRect{10, 20, 310, 220}));
}

TEST_F(TChart3D, AxisWallSizeIsTheSizeOfTheAxisOwnVisibleWall)
{
    chart.LeftWall()->SetSize(2);
    chart.BottomWall()->SetSize(3);
    chart.RightWall()->SetVisible(true);
    chart.RightWall()->SetSize(4);
    chart.BackWall()->SetSize(5);
    EXPECT_EQ(chart.AxisWallSize(*chart.LeftAxis()), 2);
    EXPECT_EQ(chart.AxisWallSize(*chart.BottomAxis()), 3);
    EXPECT_EQ(chart.AxisWallSize(*chart.RightAxis()), 4);
    EXPECT_EQ(chart.AxisWallSize(*chart.TopAxis()), 5);
    chart.LeftWall()->SetVisible(false);
    EXPECT_EQ(chart.AxisWallSize(*chart.LeftAxis()), 0);
    chart.SetView3DWalls(false);
    EXPECT_EQ(chart.AxisWallSize(*chart.BottomAxis()), 0);
    chart.SetView3DWalls(true);
    chart.SetView3D(false);
    EXPECT_EQ(chart.AxisWallSize(*chart.BottomAxis()), 0);
}

TEST_F(TChart3D, SideWallOnTheViewersSideIsDrawnOverTheSeries)
{
    const TColor back = 0x00102030, left = 0x00405060, right = 0x00708090, bottom = 0x00A0B0C0;
    chart.BackWall()->SetColor(back);
    chart.BackWall()->SetTransparent(false);
    chart.LeftWall()->SetColor(left);
    chart.RightWall()->SetColor(right);
    chart.BottomWall()->SetColor(bottom);
    chart.RightWall()->SetVisible(true);
    // the log is cut where the series begin
    chart.OnBeforeDrawSeries = [this](TCustomAxisPanel&) { chart.Canvas()->TextOut(0, 0, "series"); };
    device.ClearLog();
    DrawChart();
    const std::vector<std::string> log = device.Lines();
    const auto cut = std::find_if(log.begin(), log.end(),
                                  [](const std::string& l) { return l.find(",series)") != std::string::npos; });
    ASSERT_NE(cut, log.end());
    const std::vector<std::string> behind(log.begin(), cut);
    const std::vector<std::string> front(cut, log.end());
    const bool leftInFront = chart.Walls().LeftOnViewerSide();
    const bool rightInFront = chart.Walls().RightOnViewerSide();
    // one side wall faces the viewer, the other stands behind the series
    ASSERT_NE(leftInFront, rightInFront);
    EXPECT_TRUE(Brushed(behind, back));
    EXPECT_TRUE(Brushed(behind, bottom));
    EXPECT_EQ(Brushed(behind, left), !leftInFront);
    EXPECT_EQ(Brushed(behind, right), !rightInFront);
    EXPECT_EQ(Brushed(front, left), leftInFront);
    EXPECT_EQ(Brushed(front, right), rightInFront);
    EXPECT_FALSE(Brushed(front, bottom));
}

namespace {

// Draws the chart of one line series with these values on the recording
// device; a draw that has not returned after 20 s ends the run.
void DrawLineOf(std::initializer_list<double> Values)
{
    std::atomic<bool> done{false};
    std::thread watchdog([&done] {
        for (int i = 0; i < 200 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) {
            std::fprintf(stderr, "the chart never finished drawing\n");
            std::abort();
        }
    });
    QObject form;
    TChart chart;
    chart.resize(400, 300);
    chart.SetBufferedDisplay(false);
    chart.SetView3D(false);
    auto* line = new TLineSeries(&form);
    for (double v : Values)
        line->Add(v);
    chart.AddSeries(line);
    platform::RecordingDevice device{400, 300};
    chart.Draw(&device, TRect{0, 0, 400, 300});
    done = true;
    watchdog.join();
    EXPECT_FALSE(device.Calls().empty());
    EXPECT_TRUE(std::isfinite(chart.LeftAxis()->CalcLabelsIncrement()));
}

}  // namespace

TEST(ChartTinyRange, SubnormalRangeDraws)
{
    DrawLineOf({0, 0, 0, 1.73e-322});
}

TEST(ChartTinyRange, RangeBelowThePrecisionOfTheValuesDraws)
{
    DrawLineOf({1e6, 1e6, 1e6, std::nextafter(1e6, 2e6)});
    DrawLineOf({-1e15, std::nextafter(-1e15, 0.0)});
}
