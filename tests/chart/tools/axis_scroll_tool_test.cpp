#include "chart/tools/axis_scroll_tool.h"

#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

// The chart rectangle fixed so that the bottom axis is 400 pixels long.
class TAxisScrollOnChart : public ToolChartTest {
protected:
    TAxisScrollOnChart()
    {
        chart.BottomAxis()->SetMinMax(0, 100);
        chart.LeftAxis()->SetMinMax(0, 100);
        scroll.SetParentChart(&chart);
        chart.CustomChartRect = true;
        chart.ChartRect = TRect{40, 20, 440, 220};
        Draw();
    }
    ~TAxisScrollOnChart() override { scroll.SetParentChart(nullptr); }

    void Drag(int X0, int Y0, int X1, int Y1)
    {
        chart.MouseDown(mbLeft, 0, X0, Y0);
        chart.MouseMove(0, X1, Y1);
        chart.MouseUp(mbLeft, 0, X1, Y1);
    }

    TAxisScrollTool scroll;
};

}  // namespace

TEST_F(TAxisScrollOnChart, DraggingTheBottomAxisFortyPixelsLeftShowsTenToHundredTen)
{
    TChartAxis* axis = chart.BottomAxis();
    ASSERT_EQ(axis->AxisSize(), 400);
    const int y = axis->PosAxis + 2;
    Drag(200, y, 160, y);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 110);
    EXPECT_EQ(scroll.DraggedAxis(), nullptr);
}

TEST_F(TAxisScrollOnChart, ScrollInvertedDragsTheOtherWay)
{
    scroll.SetScrollInverted(true);
    TChartAxis* axis = chart.BottomAxis();
    const int y = axis->PosAxis + 2;
    Drag(200, y, 160, y);
    EXPECT_DOUBLE_EQ(axis->Minimum(), -10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 90);
}

TEST_F(TAxisScrollOnChart, AnInvertedAxisTurnsTheDirection)
{
    TChartAxis* axis = chart.BottomAxis();
    axis->SetInverted(true);
    Draw();
    const int y = axis->PosAxis + 2;
    Drag(200, y, 160, y);
    EXPECT_DOUBLE_EQ(axis->Minimum(), -10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 90);
}

TEST_F(TAxisScrollOnChart, DraggingTheLeftAxisDownShowsHigherValues)
{
    TChartAxis* axis = chart.LeftAxis();
    ASSERT_EQ(axis->AxisSize(), 200);
    const int x = axis->PosAxis + 1;
    // 20 of 200 pixels down: the values follow the mouse, a tenth of the range
    Drag(x, 100, x, 120);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 110);
}

TEST_F(TAxisScrollOnChart, AnAxisSharingASeriesFollowsByItsOwnRange)
{
    TTestLineSeries& s = AddLine({{10, 10}, {90, 90}});
    s.SetHorizAxis(aBothHorizAxis);
    chart.BottomAxis()->SetMinMax(0, 100);
    chart.TopAxis()->SetMinMax(0, 200);
    Draw();
    const int y = chart.BottomAxis()->PosAxis + 2;
    Drag(200, y, 160, y);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 10);
    EXPECT_DOUBLE_EQ(chart.TopAxis()->Minimum(), 20);
    EXPECT_DOUBLE_EQ(chart.TopAxis()->Maximum(), 220);
    // the left axis shares the series but not the orientation
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 0);
}

TEST_F(TAxisScrollOnChart, OwnAxisOnlyWhenUnderTheMouseElseAnyAxisThere)
{
    scroll.SetAxis(chart.LeftAxis());
    const int y = chart.BottomAxis()->PosAxis + 2;
    chart.MouseDown(mbLeft, 0, 200, y);
    EXPECT_EQ(scroll.DraggedAxis(), chart.BottomAxis());
    chart.MouseUp(mbLeft, 0, 200, y);
    chart.MouseDown(mbLeft, 0, 200, 100);
    EXPECT_EQ(scroll.DraggedAxis(), nullptr);
    chart.MouseUp(mbLeft, 0, 200, 100);
    scroll.SetAxis(nullptr);
}

TEST_F(TAxisScrollOnChart, HoveringAnAxisShowsTheHandCursor)
{
    chart.MouseMove(0, 200, chart.BottomAxis()->PosAxis + 2);
    EXPECT_EQ(chart.Cursor(), crHandPoint);
}

TEST_F(TAxisScrollOnChart, AZeroLengthAxisDoesNotScroll)
{
    TChartAxis* axis = chart.BottomAxis();
    const int y = axis->PosAxis + 2;
    chart.MouseDown(mbLeft, 0, 200, y);
    chart.ChartRect = TRect{40, 20, 40, 220};
    chart.BottomAxis()->SetStartEnd();
    ASSERT_EQ(axis->AxisSize(), 0);
    chart.MouseMove(0, 160, y);
    chart.MouseUp(mbLeft, 0, 160, y);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 0);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 100);
}

TEST(AxisScrollStreaming, RoundTrip)
{
    TAxisScrollTool a;
    EXPECT_TRUE(StreamedNames(Written(a)).empty());
    a.SetScrollInverted(true);
    TAxisScrollTool b;
    ReadInto(b, Written(a));
    EXPECT_TRUE(b.ScrollInverted());
}
