#include "chart/tools/clip_series_tool.h"

#include "chart/plot_panel.h"
#include "tool_test_chart.h"

namespace {

class TClipSeriesOnChart : public ToolChartTest {
protected:
    TClipSeriesOnChart()
    {
        series = &AddLine({{2, 20}, {8, 80}});
        tool.SetSeries(series);
        tool.SetParentChart(&chart);
    }
    ~TClipSeriesOnChart() override
    {
        tool.SetParentChart(nullptr);
        chart.Printing = false;
        ClipWhenPrinting = true;
    }
    // The clip calls of the last paint.
    int ClipCallsAroundTheSeries() const
    {
        int clips = 0;
        for (const auto& c : device.Calls())
            if (c.name == "IntersectClipRect" || c.name == "ExtSelectClipRgn" || c.name == "SelectClipRgn")
                ++clips;
        return clips;
    }

    TTestLineSeries* series = nullptr;
    TClipSeriesTool tool;
};

}  // namespace

TEST_F(TClipSeriesOnChart, TheSeriesIsClippedWhileItDraws)
{
    tool.SetActive(false);
    Draw();
    const int without = ClipCallsAroundTheSeries();
    tool.SetActive(true);
    int clippedWhileDrawing = -1;
    series->AfterDrawValues = [&](TChartSeries&) {
        const auto& calls = device.Calls();
        clippedWhileDrawing = 0;
        for (const auto& c : calls)
            if (c.name == "IntersectClipRect" || c.name == "ExtSelectClipRgn" || c.name == "SelectClipRgn")
                ++clippedWhileDrawing;
    };
    Draw();
    EXPECT_GT(ClipCallsAroundTheSeries(), without);
    EXPECT_GT(clippedWhileDrawing, 0);
}

TEST_F(TClipSeriesOnChart, PrintingWithoutClippingLeavesTheSeriesUnclipped)
{
    tool.SetActive(false);
    chart.Printing = true;
    ClipWhenPrinting = false;
    Draw();
    const int plain = ClipCallsAroundTheSeries();
    tool.SetActive(true);
    Draw();
    EXPECT_EQ(ClipCallsAroundTheSeries(), plain);
}

TEST_F(TClipSeriesOnChart, ClipsToTheRectangleOfTheSeriesAxes)
{
    Draw();
    const TChartAxis* h = chart.BottomAxis();
    const TChartAxis* v = chart.LeftAxis();
    bool found = false;
    for (const auto& c : device.Calls())
        if (c.name == "IntersectClipRect" &&
            c.args == std::vector<std::string>{std::to_string(h->StartPos()), std::to_string(v->StartPos()),
                                               std::to_string(h->EndPos()), std::to_string(v->EndPos())})
            found = true;
    if (!found) {
        // the canvas may set the clip as a region; the log then names its bounds
        for (const auto& c : device.Calls())
            if (c.name == "ExtSelectClipRgn" || c.name == "SelectClipRgn")
                found = true;
    }
    EXPECT_TRUE(found);
}

// The tool clips before the series' BeforeDrawValues handler draws and
// unclips before its AfterDrawValues handler draws.
TEST_F(TClipSeriesOnChart, HandlersDrawInsideTheToolsClip)
{
    const auto fill = [&](const TRect& R, TColor Colour) {
        TCanvas3D& c = *chart.Canvas();
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(Colour);
        c.FillRect(R);
    };
    series->BeforeDrawValues = [&](TChartSeries&) { fill(TRect{2, 2, 9, 9}, clRed); };
    series->AfterDrawValues = [&](TChartSeries&) { fill(TRect{12, 2, 19, 9}, clBlue); };
    Draw();
    ASSERT_LT(4, chart.BottomAxis()->StartPos());
    // outside the series' axes: the first is clipped away, the second is not
    EXPECT_NE(device.Surface().Pixel(5, 5), clRed);
    EXPECT_EQ(device.Surface().Pixel(15, 5), clBlue);
}
