// A candle's Pen, Draw3D and Dark3D are its pointer's: what a caller sets
// through them is what a paint of the chart draws, legend symbol included.
#include <gtest/gtest.h>

#include "chart/chart_legend.h"
#include "chart/legend_symbol.h"
#include "chart/series/candle_series.h"
#include "chart/view3d_options.h"
#include "../tools/tool_test_chart.h"

namespace {

class CandlePointerSettings : public ToolChartTest {
protected:
    CandlePointerSettings()
    {
        candle = new TCandleSeries(&owner);
        candle->AddOHLC(5, 60, 80, 20, 40);  // a down candle
        candle->SetDownCloseColor(clLime);
        chart.AddSeries(candle);
        chart.BottomAxis()->SetMinMax(0, 10);
        chart.LeftAxis()->SetMinMax(0, 100);
    }
    // The drawing calls of that name, with the pen and brush in force.
    std::vector<std::string> Named(const std::string& Name) const
    {
        std::vector<std::string> out;
        for (const auto& call : device.CallsNamed(Name))
            out.push_back(call.ToStringWithState());
        return out;
    }
    // Polygons filled in a darkened green (the cube's shaded sides).
    int DarkGreenFills() const
    {
        int n = 0;
        for (const auto& call : device.Calls()) {
            if (!call.drawing || call.brush.rfind("solid 0x", 0) != 0 || call.brush.size() != 14)
                continue;
            const std::string bgr = call.brush.substr(8);  // BBGGRR
            const std::string g = bgr.substr(2, 2);
            if (bgr.substr(0, 2) == "00" && bgr.substr(4, 2) == "00" && g != "FF" && g != "00")
                ++n;
        }
        return n;
    }

    TCandleSeries* candle = nullptr;
};

}  // namespace

TEST_F(CandlePointerSettings, PenOutlinesBodyAndLegendSymbol)
{
    EXPECT_EQ(&candle->Pen(), candle->Pointer().Pen());
    chart.Legend()->SetVisible(true);
    chart.Legend()->Symbol()->Pen()->SetVisible(false);
    candle->Pen().SetColor(clBlue);
    candle->Pen().SetWidth(2);
    Draw();
    const std::vector<std::string> rects = Named("Rectangle");
    // the body, then the legend symbol's body, both outlined with the pen
    int outlined = 0;
    for (const std::string& r : rects)
        if (r.find("solid 2 0xFF0000") != std::string::npos)
            ++outlined;
    EXPECT_EQ(outlined, 2) << ::testing::PrintToString(rects);

    // a hidden pen leaves the body without an outline
    candle->Pen().Hide();
    Draw();
    for (const std::string& r : Named("Rectangle"))
        EXPECT_EQ(r.find("solid 2 0xFF0000"), std::string::npos) << r;
}

TEST_F(CandlePointerSettings, Draw3DAndDark3DShapeTheBodyOnA3DChart)
{
    chart.SetView3D(true);
    chart.View3DOptions()->SetOrthogonal(true);
    EXPECT_FALSE(candle->Draw3D());
    EXPECT_TRUE(candle->Dark3D());
    Draw();
    EXPECT_EQ(DarkGreenFills(), 0);  // a flat body

    candle->SetDraw3D(true);
    EXPECT_TRUE(candle->Pointer().Draw3D());
    Draw();
    EXPECT_GT(DarkGreenFills(), 0);  // a box with darkened sides

    candle->SetDark3D(false);
    EXPECT_FALSE(candle->Pointer().Dark3D());
    Draw();
    EXPECT_EQ(DarkGreenFills(), 0);  // the same box, sides undarkened
    EXPECT_GT(device.Count("Polygon") + device.Count("PolyPolygon"), 0);
}
