#include "chart/tools/color_band_tool.h"

#include "chart/tools/grid_band_tool.h"
#include "chart/tools/tool_geometry.h"
#include "tool_test_chart.h"

namespace {

class TColorBandOnChart : public ToolChartTest {
protected:
    TColorBandOnChart() { band.SetAxis(chart.LeftAxis()); }
    ~TColorBandOnChart() override { band.SetAxis(nullptr); }

    TColorBandTool band;
};

bool SameRect(const TRect& A, const TRect& B)
{
    return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

}  // namespace

TEST_F(TColorBandOnChart, EndsInEitherOrderGiveTheSameBand)
{
    band.SetStartValue(10);
    band.SetEndValue(5);
    Draw();
    const TRect a = band.BoundsRect();
    band.SetStartValue(5);
    band.SetEndValue(10);
    const TRect b = band.BoundsRect();
    EXPECT_TRUE(SameRect(a, b));
    const TChartAxis& v = *chart.LeftAxis();
    EXPECT_EQ(b.Top, v.CalcPosValue(10));
    // bottom grows by one for the pen
    EXPECT_EQ(b.Bottom, v.CalcPosValue(5) + 1);
    EXPECT_EQ(b.Left, chart.ChartRect.Left + 1);
}

TEST_F(TColorBandOnChart, BandOutsideTheAxisIsNotDrawn)
{
    band.SetStartValue(120);
    band.SetEndValue(150);
    band.SetColor(clLime);
    Draw();
    const TRect r = band.BoundsRect();
    EXPECT_EQ(r.Right - r.Left, 0);
    EXPECT_EQ(device.Count("Rectangle"), device.Count("Rectangle"));
}

TEST_F(TColorBandOnChart, BandIsClippedToTheAxisEnds)
{
    band.SetStartValue(50);
    band.SetEndValue(500);
    Draw();
    EXPECT_EQ(band.BoundsRect().Top, chart.LeftAxis()->StartPos());
}

TEST_F(TColorBandOnChart, ResizingTheStartEdgeMovesTheStartValue)
{
    band.SetStartValue(20);
    band.SetEndValue(60);
    band.SetResizeStart(true);
    int resized = 0;
    band.OnResized = [&](TColorBandTool&) { ++resized; };
    Draw();
    const TChartAxis& v = *chart.LeftAxis();
    chart.MouseDown(mbLeft, 0, 200, v.CalcPosValue(20));
    EXPECT_TRUE(band.StartLine().Dragging());
    chart.MouseMove(0, 200, v.CalcPosValue(30));
    EXPECT_NEAR(band.StartValue(), 30, 0.5);
    chart.MouseUp(mbLeft, 0, 200, v.CalcPosValue(30));
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(chart.Tools().IndexOf(&band.StartLine()), -1);
}

TEST_F(TColorBandOnChart, PressInsideTheBandClicks)
{
    band.SetStartValue(20);
    band.SetEndValue(60);
    Draw();
    int clicks = 0;
    band.OnClick = [&](TColorBandTool&, TMouseButton, TShiftState, int, int) { ++clicks; };
    chart.MouseDown(mbLeft, 0, 200, chart.LeftAxis()->CalcPosValue(40));
    chart.MouseUp(mbLeft, 0, 200, chart.LeftAxis()->CalcPosValue(40));
    EXPECT_EQ(clicks, 1);
}

TEST(GridBandStripes, TwoTicksGiveOneBand)
{
    const int ticks[] = {100, 200};
    const auto stripes = GridBandStripes(ticks, true, 40, 440);
    ASSERT_EQ(stripes.size(), 1u);
    EXPECT_EQ(stripes[0], (std::pair<int, int>{439, 100}));
}

TEST(GridBandStripes, ThreeTicksGiveTheEdgesAndTheGaps)
{
    const int ticks[] = {260, 150, 40};
    const auto stripes = GridBandStripes(ticks, false, 20, 280);
    EXPECT_EQ(stripes, (std::vector<std::pair<int, int>>{{21, 260}, {260, 150}, {150, 40}, {40, 280}}));
}

TEST(GridBandStripes, FewerThanTwoTicksGiveNone)
{
    const int ticks[] = {100};
    EXPECT_TRUE(GridBandStripes(ticks, true, 40, 440).empty());
}

TEST_F(TColorBandOnChart, GridBandPaintsOneRectanglePerStripeThroughTheAxisHook)
{
    band.SetAxis(nullptr);
    AddLine({{1, 10}, {9, 90}});
    TGridBandTool grid;
    grid.Band1().SetColor(clYellow);
    grid.Band2().SetColor(clAqua);
    grid.SetAxis(chart.LeftAxis());
    Draw();
    const std::size_t ticks = chart.LeftAxis()->TickPositions.size();
    ASSERT_GE(ticks, 3u);
    int yellow = 0, aqua = 0;
    for (const auto& call : device.Calls())
        if (call.name == "Rectangle") {
            yellow += call.brush.find("0x00FFFF") != std::string::npos;
            aqua += call.brush.find("0xFFFF00") != std::string::npos;
        }
    const auto stripes = GridBandStripes(chart.LeftAxis()->TickPositions, false, chart.LeftAxis()->StartPos(),
                                         chart.LeftAxis()->EndPos());
    EXPECT_EQ(static_cast<std::size_t>(yellow + aqua), stripes.size());
    EXPECT_EQ(yellow, static_cast<int>((stripes.size() + 1) / 2));
    grid.SetAxis(nullptr);
    EXPECT_FALSE(chart.LeftAxis()->OnDrawGrids);
}

TEST_F(TColorBandOnChart, PictureIsStretchedOverTheBandInsteadOfTheFill)
{
    band.SetStartValue(20);
    band.SetEndValue(60);
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    band.Picture()->SetGraphic(&bitmap);
    Draw();
    const TRect r = band.BoundsRect();
    EXPECT_EQ(device.Count("StretchDrawBitmap"), 1);
    EXPECT_EQ(device.CallsNamed("StretchDrawBitmap")[0].ToString(),
              "StretchDrawBitmap(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                  std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ",4x4)");
}
