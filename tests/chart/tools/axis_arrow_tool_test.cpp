#include "chart/tools/axis_arrow_tool.h"

#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

class TAxisArrowsOnChart : public ToolChartTest {
protected:
    TAxisArrowsOnChart()
    {
        chart.BottomAxis()->SetMinMax(0, 100);
        arrows.SetAxis(chart.BottomAxis());
        Draw();
        axis = chart.BottomAxis();
    }
    ~TAxisArrowsOnChart() override { arrows.SetAxis(nullptr); }

    void Press(int X, int Y) { chart.MouseDown(mbLeft, 0, X, Y); chart.MouseUp(mbLeft, 0, X, Y); }

    TAxisArrowTool arrows;
    TChartAxis* axis = nullptr;
};

}  // namespace

TEST_F(TAxisArrowsOnChart, StartArrowScrollsUpByTheScrollPercentEndArrowDown)
{
    std::vector<bool> clicks;
    arrows.OnClick = [&](TAxisArrowTool&, bool AtStart) { clicks.push_back(AtStart); };
    Press(axis->StartPos() + 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 110);
    axis->SetMinMax(0, 100);
    Press(axis->EndPos() - 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), -10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 90);
    EXPECT_EQ(clicks, (std::vector<bool>{true, false}));
}

TEST_F(TAxisArrowsOnChart, InvertedScrollGoesTheOtherWay)
{
    arrows.SetScrollInverted(true);
    Press(axis->StartPos() + 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), -10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 90);
    axis->SetMinMax(0, 100);
    Press(axis->EndPos() - 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 10);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 110);
}

TEST_F(TAxisArrowsOnChart, ZeroPercentTurnsClicksOff)
{
    int clicks = 0;
    arrows.OnClick = [&](TAxisArrowTool&, bool) { ++clicks; };
    arrows.SetScrollPercent(0);
    Press(axis->StartPos() + 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 0);
    EXPECT_DOUBLE_EQ(axis->Maximum(), 100);
    EXPECT_EQ(clicks, 0);
}

TEST_F(TAxisArrowsOnChart, HitZonesAreStrictAndLessThanThreePixelsAcross)
{
    const int s = axis->StartPos();
    const int e = axis->EndPos();
    const int line = axis->PosAxis;
    EXPECT_EQ(arrows.ClickedArrow(s + 5, line + 2), 0);
    EXPECT_EQ(arrows.ClickedArrow(s + 5, line - 2), 0);
    EXPECT_EQ(arrows.ClickedArrow(s + 5, line + 3), -1);
    EXPECT_EQ(arrows.ClickedArrow(s, line), -1);
    EXPECT_EQ(arrows.ClickedArrow(s + 15, line), 0);
    EXPECT_EQ(arrows.ClickedArrow(s + 16, line), -1);
    EXPECT_EQ(arrows.ClickedArrow(e - 15, line), 1);
    EXPECT_EQ(arrows.ClickedArrow(e - 16, line), -1);
    EXPECT_EQ(arrows.ClickedArrow(e, line), -1);
    arrows.SetPosition(aaStart);
    EXPECT_EQ(arrows.ClickedArrow(e - 5, line), -1);
    arrows.SetPosition(aaEnd);
    EXPECT_EQ(arrows.ClickedArrow(s + 5, line), -1);
    EXPECT_EQ(arrows.ClickedArrow(e - 5, line), 1);
}

TEST_F(TAxisArrowsOnChart, APressThreePixelsOffTheLineLeavesTheAxis)
{
    Press(axis->StartPos() + 5, axis->PosAxis + 3);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 0);
    Press(axis->StartPos() + 5, axis->PosAxis + 2);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 10);
}

TEST_F(TAxisArrowsOnChart, VerticalAxisArrowsLieOnItsLine)
{
    arrows.SetAxis(chart.LeftAxis());
    Draw();
    TChartAxis* left = chart.LeftAxis();
    Press(left->PosAxis + 1, left->StartPos() + 4);
    EXPECT_DOUBLE_EQ(left->Minimum(), 10);
    EXPECT_DOUBLE_EQ(left->Maximum(), 110);
}

TEST_F(TAxisArrowsOnChart, RefusedScrollKeepsTheAxisAndAnAllowedOneFiresOnScroll)
{
    bool allow = false;
    chart.OnAllowScroll = [&](TChartAxis&, double&, double&, bool& Allow) { Allow = allow; };
    int scrolls = 0;
    chart.OnScroll = [&](TCustomPlotPanelExtended&) { ++scrolls; };
    Press(axis->StartPos() + 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 0);
    EXPECT_EQ(scrolls, 0);
    allow = true;
    Press(axis->StartPos() + 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(axis->Minimum(), 10);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(TAxisArrowsOnChart, TheOtherHorizontalAxisFollowsWhenASeriesUsesBoth)
{
    TTestLineSeries& s = AddLine({{10, 10}, {90, 90}});
    s.SetHorizAxis(aBothHorizAxis);
    chart.BottomAxis()->SetMinMax(0, 100);
    chart.TopAxis()->SetMinMax(0, 100);
    Draw();
    Press(axis->StartPos() + 5, axis->PosAxis);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 10);
    EXPECT_DOUBLE_EQ(chart.TopAxis()->Minimum(), 10);
    EXPECT_DOUBLE_EQ(chart.TopAxis()->Maximum(), 110);
}

TEST_F(TAxisArrowsOnChart, ArrowsAreDrawnAfterThePaintAtBothEnds)
{
    arrows.Brush().SetColor(clRed);
    Draw();
    int both = 0;
    for (const auto& call : device.Calls())
        if (call.name == "Polygon" && call.brush.find("0x0000FF") != std::string::npos)
            ++both;
    arrows.SetPosition(aaStart);
    Draw();
    int start = 0;
    for (const auto& call : device.Calls())
        if (call.name == "Polygon" && call.brush.find("0x0000FF") != std::string::npos)
            ++start;
    EXPECT_GT(both, 0);
    EXPECT_EQ(both, 2 * start);
}

TEST(AxisArrowStreaming, RoundTrip)
{
    TAxisArrowTool a;
    EXPECT_TRUE(StreamedNames(Written(a)).empty());
    a.SetPosition(aaEnd);
    a.SetHeadWidth(5);
    a.SetLength(30);
    a.SetScrollInverted(true);
    a.SetScrollPercent(25);
    a.SetSizePercent(70);
    TAxisArrowTool b;
    ReadInto(b, Written(a));
    EXPECT_EQ(b.Position(), aaEnd);
    EXPECT_EQ(b.HeadWidth(), 5);
    EXPECT_EQ(b.Length(), 30);
    EXPECT_TRUE(b.ScrollInverted());
    EXPECT_EQ(b.ScrollPercent(), 25);
    EXPECT_EQ(b.SizePercent(), 70);
}
