#include "chart/tools/rotate_tool.h"

#include <cmath>

#include "chart/plot_procs.h"
#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

class TRotateOnChart : public ToolChartTest {
protected:
    TRotateOnChart()
    {
        AddLine({{1, 10}, {9, 90}});
        rotate.SetParentChart(&chart);
        rotate.SetCursor(crDefault);
        options().SetRotationDouble(0);
        options().SetElevationDouble(345);
        Draw();
        width = chart.ChartWidth;
        height = chart.ChartHeight;
    }
    ~TRotateOnChart() override { rotate.SetParentChart(nullptr); }

    TView3DOptions& options() { return *chart.View3DOptions(); }
    void Drag(int DX, int DY)
    {
        chart.MouseDown(mbLeft, 0, 100, 150);
        chart.MouseMove(0, 100 + DX, 150 + DY);
        chart.MouseUp(mbLeft, 0, 100 + DX, 150 + DY);
    }

    TRotateTool rotate;
    int width = 0;
    int height = 0;
};

}  // namespace

TEST_F(TRotateOnChart, AFullWidthDragTurnsNinetyDegreesAtNeutralSpeed)
{
    rotate.SetStyle(rsRotation);
    Drag(width, 0);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 90);
    EXPECT_DOUBLE_EQ(options().ElevationDouble(), 345);
    EXPECT_TRUE(chart.View3D());
    EXPECT_FALSE(options().Orthogonal());
}

TEST_F(TRotateOnChart, SpeedHundredFiftyTurnsTwiceAsFar)
{
    rotate.SetStyle(rsRotation);
    rotate.SetSpeed(150);
    Drag(width, 0);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 180);
}

TEST_F(TRotateOnChart, InvertedTurnsBackwards)
{
    rotate.SetStyle(rsRotation);
    rotate.SetInverted(true);
    Drag(width / 2, 0);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 360 - 45.0 * (width / 2) * 2 / width);
}

TEST_F(TRotateOnChart, ElevationStaysBetween270And360)
{
    rotate.SetStyle(rsElevation);
    Drag(0, -height);
    EXPECT_DOUBLE_EQ(options().ElevationDouble(), 360);
    Drag(0, 2 * height);
    EXPECT_DOUBLE_EQ(options().ElevationDouble(), 270);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 0);
}

TEST_F(TRotateOnChart, StepsBeyondAFullTurnWrap)
{
    rotate.SetStyle(rsRotation);
    rotate.SetSpeed(1050);
    // 11 times the neutral turn: 990 degrees
    Drag(width, 0);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 270);
    Drag(-width, 0);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 0);
    Drag(-width, 0);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 90);
    EXPECT_DOUBLE_EQ(WrapDegrees(-1e-15), 0);
    EXPECT_DOUBLE_EQ(WrapDegrees(720), 0);
}

TEST_F(TRotateOnChart, AChartWithoutWidthOrHeightDoesNotTurn)
{
    chart.MouseDown(mbLeft, 0, 100, 150);
    chart.ChartWidth = 0;
    chart.ChartHeight = 0;
    chart.MouseMove(0, 180, 100);
    chart.MouseUp(mbLeft, 0, 180, 100);
    EXPECT_DOUBLE_EQ(options().RotationDouble(), 0);
    EXPECT_DOUBLE_EQ(options().ElevationDouble(), 345);
    EXPECT_DOUBLE_EQ(rotate.RotationStep(), 0);
    EXPECT_DOUBLE_EQ(rotate.ElevationStep(), 0);
}

TEST_F(TRotateOnChart, OtherButtonsDoNotDrag)
{
    chart.MouseDown(mbRight, 0, 100, 150);
    EXPECT_FALSE(rotate.Dragging());
    chart.MouseUp(mbRight, 0, 100, 150);
}

TEST_F(TRotateOnChart, WithoutInertiaTheTurningStopsAtRelease)
{
    rotate.SetStyle(rsRotation);
    Drag(width / 10, 0);
    const double angle = options().RotationDouble();
    EXPECT_FALSE(rotate.InertiaTimerActive());
    Draw();
    EXPECT_DOUBLE_EQ(options().RotationDouble(), angle);
}

TEST_F(TRotateOnChart, InertiaCoastsWithStepsThatDecayAtEachPaintPhase)
{
    rotate.SetStyle(rsRotation);
    rotate.SetInertia(50);
    // a tenth of the width: a 9 degree step
    chart.MouseDown(mbLeft, 0, 100, 150);
    chart.MouseMove(0, 100 + width / 10, 150);
    const double step = 9.0 * (width / 10) * 10 / width;
    EXPECT_DOUBLE_EQ(rotate.RotationStep(), step);
    chart.MouseUp(mbLeft, 0, 100 + width / 10, 150);
    EXPECT_TRUE(rotate.InertiaTimerActive());
    const double before = options().RotationDouble();
    rotate.InertiaTimerTick();
    EXPECT_DOUBLE_EQ(options().RotationDouble(), before + step);
    // k = (100 - 50) / 1000 per phase
    rotate.ChartEvent(tdpAfterDraw);
    EXPECT_DOUBLE_EQ(rotate.RotationStep(), step - step * 0.05);
    // the decay goes on until the step falls to 0.01 degree, then the timer stops
    int calls = 1;
    while (rotate.InertiaTimerActive() && calls < 2000) {
        rotate.ChartEvent(tdpBeforeSeries);
        ++calls;
    }
    EXPECT_FALSE(rotate.InertiaTimerActive());
    EXPECT_LE(rotate.RotationStep(), 0.01);
    EXPECT_GT(rotate.RotationStep(), 0.01 * 0.95);
    // 9 * 0.95^n <= 0.01 first at n = 133, and one more call stops the timer
    if (width % 10 == 0) {
        EXPECT_EQ(calls, 134);
    }
}

TEST_F(TRotateOnChart, APressStopsTheCoasting)
{
    rotate.SetInertia(80);
    Drag(20, 0);
    ASSERT_TRUE(rotate.InertiaTimerActive());
    chart.MouseDown(mbLeft, 0, 10, 10);
    EXPECT_FALSE(rotate.InertiaTimerActive());
    chart.MouseUp(mbLeft, 0, 10, 10);
}

TEST_F(TRotateOnChart, InertiaIsClampedToZeroToHundred)
{
    rotate.SetInertia(150);
    EXPECT_EQ(rotate.Inertia(), 100);
    rotate.SetInertia(-3);
    EXPECT_EQ(rotate.Inertia(), 0);
}

TEST_F(TRotateOnChart, TheOutlineTakesTheRepaintsDuringTheDrag)
{
    rotate.Pen().SetVisible(true);
    chart.SetAutoRepaint(true);
    int rotations = 0;
    rotate.OnRotate = [&](TRotateTool&) { ++rotations; };
    chart.MouseDown(mbLeft, 0, 100, 150);
    chart.MouseMove(0, 110, 150);
    EXPECT_FALSE(chart.AutoRepaint());
    chart.MouseMove(0, 120, 150);
    chart.MouseUp(mbLeft, 0, 120, 150);
    EXPECT_TRUE(chart.AutoRepaint());
    EXPECT_EQ(rotations, 2);
}

TEST_F(TRotateOnChart, TheCursorShowsOnlyDuringTheDrag)
{
    rotate.SetCursor(crPlotHand);
    chart.MouseDown(mbLeft, 0, 100, 150);
    EXPECT_EQ(ScreenCursor(), crPlotHand);
    chart.MouseUp(mbLeft, 0, 100, 150);
    EXPECT_EQ(ScreenCursor(), crDefault);
}

TEST(RotateStreaming, RoundTripAndDefaults)
{
    TRotateTool a;
    EXPECT_EQ(a.Cursor(), crPlotHand);
    EXPECT_FALSE(a.Pen().Visible());
    EXPECT_EQ(a.Pen().Mode(), pmXor);
    a.SetButton(mbRight);
    a.SetCursor(crDefault);
    a.SetInertia(40);
    a.SetInverted(true);
    a.SetSpeed(70);
    a.SetStyle(rsElevation);
    TRotateTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.Button(), mbRight);
    EXPECT_EQ(b.Cursor(), crDefault);
    EXPECT_EQ(b.Inertia(), 40);
    EXPECT_TRUE(b.Inverted());
    EXPECT_EQ(b.Speed(), 70);
    EXPECT_EQ(b.Style(), rsElevation);
    TRotateTool c;
    c.Assign(a);
    EXPECT_EQ(c.Inertia(), 40);
    EXPECT_EQ(c.Style(), rsElevation);
}
