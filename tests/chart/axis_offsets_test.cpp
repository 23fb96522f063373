// The pixels an axis keeps free beyond its limits in a whole chart's draw:
// the series' margins (here the pointers') widen only limits the axis finds
// itself; MinimumOffset and MaximumOffset add their pixels to either limit,
// fixed or not.
#include <gtest/gtest.h>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/point_series.h"
#include "chart/series_pointer.h"
#include "testing/recording_device.h"

namespace {

class AxisOffsets : public ::testing::Test {
protected:
    AxisOffsets()
    {
        chart.SetBufferedDisplay(false);
        chart.SetView3D(false);
        chart.Legend()->SetVisible(false);
        points = new TPointSeries(&chart);
        chart.AddSeries(points);
        points->Pointer().SetSize(4);  // 5 pixels of margin each way
        points->AddXY(0, 0);
        points->AddXY(10, 1);
    }
    void Draw() { chart.Draw(&device, TRect{0, 0, 400, 300}); }
    // pixels from the top and bottom of the chart rectangle to the extreme points
    int Top() const { return points->CalcYPos(1) - chart.ChartRect.Top; }
    int Bottom() const { return chart.ChartRect.Bottom - points->CalcYPos(0); }
    int Left() const { return points->CalcXPos(0) - chart.ChartRect.Left; }
    int Right() const { return chart.ChartRect.Right - points->CalcXPos(1); }

    TChart chart;
    TPointSeries* points = nullptr;
    platform::RecordingDevice device{400, 300};
};

TEST_F(AxisOffsets, AutomaticLimitsKeepThePointersInside)
{
    Draw();
    EXPECT_NEAR(Top(), 5, 1);
    EXPECT_NEAR(Bottom(), 5, 1);
    EXPECT_NEAR(Left(), 5, 1);
    EXPECT_NEAR(Right(), 5, 1);
}

TEST_F(AxisOffsets, OffsetsAddToTheSeriesMargins)
{
    chart.LeftAxis()->SetMaximumOffset(20);
    chart.LeftAxis()->SetMinimumOffset(20);
    chart.BottomAxis()->SetMinimumOffset(5);
    chart.BottomAxis()->SetMaximumOffset(5);
    Draw();
    EXPECT_NEAR(Top(), 25, 1);
    EXPECT_NEAR(Bottom(), 25, 1);
    EXPECT_NEAR(Left(), 10, 1);
    EXPECT_NEAR(Right(), 10, 1);
}

TEST_F(AxisOffsets, FixedLimitsStayWhereTheyWereSet)
{
    chart.LeftAxis()->SetMinMax(0, 1);
    chart.BottomAxis()->SetMinMax(-0.5, 10.5);
    Draw();
    EXPECT_EQ(chart.LeftAxis()->CurrentMinimum(), 0);
    EXPECT_EQ(chart.LeftAxis()->CurrentMaximum(), 1);
    EXPECT_EQ(chart.BottomAxis()->CurrentMinimum(), -0.5);
    EXPECT_EQ(chart.BottomAxis()->CurrentMaximum(), 10.5);
    EXPECT_EQ(Top(), 0);
    EXPECT_EQ(Bottom(), 0);
}

TEST_F(AxisOffsets, AFixedMinimumWithAnAutomaticMaximum)
{
    chart.LeftAxis()->SetAutomaticMinimum(false);
    chart.LeftAxis()->SetMinimum(0);
    chart.LeftAxis()->SetMaximumOffset(20);
    Draw();
    EXPECT_EQ(chart.LeftAxis()->CurrentMinimum(), 0);
    EXPECT_EQ(Bottom(), 0);
    EXPECT_NEAR(Top(), 25, 1);
}

TEST_F(AxisOffsets, OffsetsWidenFixedLimitsToo)
{
    chart.LeftAxis()->SetMinMax(0, 1);
    chart.LeftAxis()->SetMaximumOffset(15);
    chart.LeftAxis()->SetMinimumOffset(5);
    Draw();
    EXPECT_NEAR(Top(), 15, 1);
    EXPECT_NEAR(Bottom(), 5, 1);
}

TEST_F(AxisOffsets, AnInvertedAxisKeepsEachOffsetAtItsOwnLimit)
{
    chart.LeftAxis()->SetInverted(true);
    chart.LeftAxis()->SetMinMax(0, 1);
    chart.LeftAxis()->SetMaximumOffset(15);
    Draw();
    // the maximum at the bottom now
    EXPECT_NEAR(chart.ChartRect.Bottom - points->CalcYPos(1), 15, 1);
    EXPECT_EQ(points->CalcYPos(0), chart.ChartRect.Top);
}

} // namespace
