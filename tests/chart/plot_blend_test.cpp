#include "chart/plot_blend.h"

#include <gtest/gtest.h>

#include "chart/plot_canvas_3d.h"
#include "testing/recording_device.h"
#include "support/recording_canvas.h"

namespace {

class BlendOnRecorder : public CanvasOnRecorderTest {
protected:
    BlendOnRecorder() : CanvasOnRecorderTest(100, 80) {}
    void TearDown() override { UseAlphaBlend = true; }

    void Fill(const TRect& r, TColor c)
    {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(c);
        canvas.FillRect(r);
    }
};

}  // namespace

TEST_F(BlendOnRecorder, SoftwareMixKeepsTransparencyPercentOfTheBackground)
{
    UseAlphaBlend = false;
    // background white, drawn red; 30 percent: 0 + 255 x 30 div 100 = 76
    TPlotBlend* blend = canvas.BeginBlending(TRect{10, 10, 20, 20}, 30);
    Fill(TRect{10, 10, 20, 20}, clRed);
    canvas.EndBlending(blend);
    EXPECT_EQ(device.GetPixel(15, 15), RGB(255, 76, 76));
    EXPECT_EQ(device.GetPixel(25, 15), clWhite);
}

TEST_F(BlendOnRecorder, SoftwareMixTurnsPureWhiteRedChannelTo254First)
{
    UseAlphaBlend = false;
    Fill(TRect{0, 0, 100, 80}, clBlack);
    TPlotBlend* blend = canvas.BeginBlending(TRect{0, 0, 4, 4}, 50);
    Fill(TRect{0, 0, 4, 4}, clWhite);
    canvas.EndBlending(blend);
    // red 254 - 254 x 50 div 100 = 127; the others 255 + (-255 x 50) div 100 = 128
    EXPECT_EQ(device.GetPixel(1, 1), RGB(127, 128, 128));
}

TEST_F(BlendOnRecorder, ZeroKeepsTheDrawingAndHundredTheBackground)
{
    UseAlphaBlend = false;
    TPlotBlend* a = canvas.BeginBlending(TRect{0, 0, 4, 4}, 0);
    Fill(TRect{0, 0, 4, 4}, clBlue);
    canvas.EndBlending(a);
    EXPECT_EQ(device.GetPixel(1, 1), clBlue);
    TPlotBlend* b = canvas.BeginBlending(TRect{0, 0, 4, 4}, 100);
    Fill(TRect{0, 0, 4, 4}, clRed);
    canvas.EndBlending(b);
    EXPECT_EQ(device.GetPixel(1, 1), clBlue);
}

TEST_F(BlendOnRecorder, NestedBlendsEndWithTheirOwnTransparency)
{
    TPlotBlend* outer = canvas.BeginBlending(TRect{0, 0, 40, 40}, 80);
    TPlotBlend* inner = canvas.BeginBlending(TRect{10, 10, 20, 20}, 20);
    canvas.EndBlending(inner);
    canvas.EndBlending(outer);
    const auto blends = device.CallsNamed("AlphaBlend");
    ASSERT_EQ(blends.size(), 2u);
    // 255 - round(2.55 x 80) and 255 - round(2.55 x 20)
    EXPECT_EQ(blends[0].args.back(), "51");
    EXPECT_EQ(blends[1].args.back(), "204");
}

TEST_F(BlendOnRecorder, RectanglesOutsideTheBounds)
{
    TPlotBlend right(&canvas, TRect{150, 10, 160, 20});
    EXPECT_FALSE(right.Valid());
    TPlotBlend left(&canvas, TRect{-30, -30, -10, -10});
    EXPECT_TRUE(left.Valid());
    EXPECT_EQ(left.Rect(), (TRect{0, 0, 1, 1}));
}
