#include "chart/tools/color_line_tool.h"

#include "tool_test_chart.h"

namespace {

class TColorLineOnChart : public ToolChartTest {
protected:
    TColorLineOnChart()
    {
        line.SetAxis(chart.LeftAxis());
        line.Pen().SetColor(clRed);
    }
    ~TColorLineOnChart() override { line.SetAxis(nullptr); }
    // The rows of the horizontal lines drawn in red.
    std::vector<int> RedRows()
    {
        std::vector<int> rows;
        for (const auto& call : device.Calls())
            if (call.name == "LineTo" && call.pen.find("0x0000FF") != std::string::npos)
                rows.push_back(std::stoi(call.args[1]));
        return rows;
    }

    TColorLineTool line;
};

}  // namespace

TEST_F(TColorLineOnChart, CentreStyleLiesHalfWayAndSettingValueMakesItCustom)
{
    line.SetStyle(clCenter);
    Draw();
    EXPECT_DOUBLE_EQ(line.CalcValue(), 50);
    EXPECT_EQ(line.LinePosition(), chart.LeftAxis()->CalcPosValue(50));
    line.SetValue(20);
    EXPECT_EQ(line.Style(), clCustom);
    EXPECT_DOUBLE_EQ(line.CalcValue(), 20);
}

TEST_F(TColorLineOnChart, PaintOnAZoomedAxisKeepsTheUsersValue)
{
    line.SetValue(80);
    chart.LeftAxis()->SetMinMax(0, 50);
    Draw();
    // drawn at the axis end, the value itself untouched
    EXPECT_DOUBLE_EQ(line.Value(), 80);
    const std::vector<int> zoomed = RedRows();
    ASSERT_FALSE(zoomed.empty());
    EXPECT_EQ(zoomed.back(), chart.LeftAxis()->StartPos());
    chart.LeftAxis()->SetMinMax(0, 100);
    Draw();
    EXPECT_EQ(RedRows().back(), chart.LeftAxis()->CalcPosValue(80));
}

TEST_F(TColorLineOnChart, DragPastTheAxisEndStopsAtTheMaximum)
{
    line.SetValue(50);
    Draw();
    const int p = line.LinePosition();
    chart.MouseDown(mbLeft, 0, 200, p + 2);
    ASSERT_TRUE(line.Dragging());
    chart.MouseMove(0, 200, 1);
    EXPECT_DOUBLE_EQ(line.Value(), 100);
    chart.MouseUp(mbLeft, 0, 200, 1);
    EXPECT_FALSE(line.Dragging());
}

TEST_F(TColorLineOnChart, WithoutLimitTheDragGoesPastTheAxis)
{
    line.SetNoLimitDrag(true);
    line.SetValue(50);
    Draw();
    int ends = 0;
    line.OnEndDragLine = [&](TColorLineTool&) { ++ends; };
    chart.MouseDown(mbLeft, 0, 200, line.LinePosition());
    chart.MouseMove(0, 200, 1);
    EXPECT_GT(line.Value(), 100);
    chart.MouseUp(mbLeft, 0, 200, 1);
    EXPECT_EQ(ends, 1);
}

TEST_F(TColorLineOnChart, PressThreePixelsAwayMisses)
{
    line.SetValue(50);
    Draw();
    chart.MouseDown(mbLeft, 0, 200, line.LinePosition() + 3);
    EXPECT_FALSE(line.Dragging());
    chart.MouseUp(mbLeft, 0, 200, 0);
}

TEST_F(TColorLineOnChart, InactiveLineDrawsNothing)
{
    line.SetValue(50);
    line.SetActive(false);
    Draw();
    EXPECT_TRUE(RedRows().empty());
}
