#include "chart/plot_gradient.h"

#include <gtest/gtest.h>

#include "chart/plot_canvas_3d.h"
#include "testing/recording_device.h"
#include "support/recording_canvas.h"

// Expected band colours follow the fill's formulas by hand: at balance 50 a
// channel is start + (difference x i) div D; otherwise start + round(f x
// difference) with f = ((1 + i) / (1 + D)) ^ (balance x 0.015 + 0.5).

namespace {

class GradientOnRecorder : public CanvasOnRecorderTest {
protected:
    GradientOnRecorder() : CanvasOnRecorderTest(300, 300) {}
    TColor Pixel(int x, int y) const { return device.GetPixel(x, y); }
};

}  // namespace

TEST(GradientStepColor, LinearAndBalanceCurve)
{
    EXPECT_EQ(GradientStepColor(RGB(10, 20, 30), RGB(210, 120, 30), 127, 255, 50), RGB(109, 69, 30));
    // balance 100: exponent 2; (1/4)^2 x 255 = 15.94 -> 16
    EXPECT_EQ(GetRValue(GradientStepColor(0, RGB(255, 0, 0), 0, 3, 100)), 16);
    EXPECT_EQ(GetRValue(GradientStepColor(0, RGB(255, 0, 0), 3, 3, 100)), 255);
    // balance 0: exponent 0.5; (1/4)^0.5 x 255 = 127.5 -> 128 (halves to even)
    EXPECT_EQ(GetRValue(GradientStepColor(0, RGB(255, 0, 0), 0, 3, 0)), 128);
}

TEST_F(GradientOnRecorder, TopBottomUses256BandsFromStartAtTheBottom)
{
    canvas.GradientFill(TRect{0, 0, 10, 300}, RGB(10, 20, 30), RGB(210, 120, 30), gdTopBottom, 50);
    EXPECT_EQ(device.Count("PatBlt"), 256);
    EXPECT_EQ(Pixel(5, 299), RGB(10, 20, 30));    // band 0 at the bottom: the start colour
    EXPECT_EQ(Pixel(5, 0), RGB(210, 120, 30));    // band 255 at the top: exactly the end colour
    // row 150 is 149 above the bottom row: band 127 covers offsets 148..149
    EXPECT_EQ(Pixel(5, 150), RGB(109, 69, 30));
    EXPECT_EQ(Pixel(10, 150), clWhite);  // right edge left out
}

TEST_F(GradientOnRecorder, BottomTopIsTopBottomWithTheColoursExchanged)
{
    canvas.GradientFill(TRect{0, 0, 4, 40}, clRed, clBlue, gdBottomTop, 50);
    platform::RecordingDevice other(300, 300);
    TPlotCanvas3D second;
    InitOnRecorder(second, other);
    second.GradientFill(TRect{0, 0, 4, 40}, clBlue, clRed, gdTopBottom, 50);
    EXPECT_EQ(device.Surface(), other.Surface());
    EXPECT_EQ(Pixel(0, 0), clRed);
}

TEST_F(GradientOnRecorder, LeftRightStartsAtTheRightEdgeAndTinyExtentsDrawNothing)
{
    canvas.GradientFill(TRect{0, 0, 3, 2}, RGB(0, 0, 0), RGB(200, 0, 0), gdLeftRight, 50);
    // N = 3, D = 2: columns from the right 0, 100, 200
    EXPECT_EQ(Pixel(2, 0), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(1, 1), RGB(100, 0, 0));
    EXPECT_EQ(Pixel(0, 0), RGB(200, 0, 0));
    device.ClearLog();
    canvas.GradientFill(TRect{0, 0, 1, 50}, clRed, clBlue, gdRightLeft, 50);
    EXPECT_EQ(device.Count("PatBlt"), 0);
}

TEST_F(GradientOnRecorder, FromCenterRingsMoveInwards)
{
    // the colours are exchanged: the outer ring has the end colour; D = 2 + 2
    canvas.GradientFill(TRect{0, 0, 4, 4}, RGB(0, 0, 0), RGB(200, 0, 0), gdFromCenter, 50);
    EXPECT_EQ(Pixel(0, 0), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(3, 2), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(1, 1), RGB(100, 0, 0));  // 200 - 200 x 2 div 4
    EXPECT_EQ(Pixel(2, 2), RGB(100, 0, 0));
}

TEST_F(GradientOnRecorder, DiagonalsNeverOvershootTheEndColour)
{
    canvas.GradientFill(TRect{0, 0, 200, 200}, RGB(0, 0, 0), RGB(100, 0, 0), gdDiagonalDown, 50);
    const auto pens = device.CallsNamed("SelectPen");
    ASSERT_GE(pens.size(), 2u);
    // the last selected pen is the canvas pen restored; the one before is the last step
    EXPECT_EQ(pens[pens.size() - 2].args[0], "solid 1 0x000064");
    for (const auto& p : pens)
        EXPECT_LE(p.args[0], std::string("solid 1 0x000064")) << p.args[0];
    // one line per diagonal of the rectangle
    EXPECT_EQ(device.Count("LineTo"), 399);

    // a small rectangle keeps its steps: D = min(255, 3 + 2 - 1) = 4
    device.ClearLog();
    canvas.GradientFill(TRect{0, 0, 3, 2}, RGB(0, 0, 0), RGB(100, 0, 0), gdDiagonalUp, 50);
    const auto small = device.CallsNamed("SelectPen");
    Lines colours;
    for (std::size_t i = 0; i + 1 < small.size(); ++i)
        colours.push_back(small[i].args[0]);
    EXPECT_EQ(colours, (Lines{"solid 1 0x000000", "solid 1 0x000019", "solid 1 0x000032", "solid 1 0x00004B"}));
    // the last diagonal is the corner pixel (2, 0); the line ends one step past it
    EXPECT_EQ(device.CallsNamed("MoveTo").back().args, (std::vector<std::string>{"2", "0"}));
    EXPECT_EQ(device.CallsNamed("LineTo").back().args, (std::vector<std::string>{"1", "-1"}));
}

TEST_F(GradientOnRecorder, RadialFillRingsFromTheEndColourIn)
{
    TCustomPlotGradient g;
    g.SetStartColor(RGB(0, 0, 0));
    g.SetEndColor(RGB(255, 0, 0));
    g.DrawRadial(canvas, TRect{0, 0, 4, 4});
    const auto ellipses = device.CallsNamed("Ellipse");
    ASSERT_EQ(ellipses.size(), 5u);  // M = N = 4: j = 4 .. 0
    // centre (1 + 2, 1 + 2); half sizes j x 4 x 0.5 / 4
    EXPECT_EQ(ellipses[0].ToString(), "Ellipse(1,1,5,5)");
    EXPECT_EQ(ellipses[2].ToString(), "Ellipse(2,2,4,4)");
    EXPECT_EQ(ellipses[4].ToString(), "Ellipse(3,3,3,3)");
    // start + round(j x 255 / 4): 255, 191, 128 (127.5), 64, 0
    EXPECT_EQ(ellipses[0].brush, "solid 0x0000FF");
    EXPECT_EQ(ellipses[1].brush, "solid 0x0000BF");
    EXPECT_EQ(ellipses[2].brush, "solid 0x000080");
    EXPECT_EQ(ellipses[3].brush, "solid 0x000040");
    EXPECT_EQ(ellipses[4].brush, "solid 0x000000");
    EXPECT_EQ(ellipses[0].pen.substr(0, 4), "null");
    EXPECT_EQ(Pixel(0, 0), RGB(255, 0, 0));  // filled first with the end colour
    EXPECT_EQ(canvas.Pen()->Style(), psSolid);
}

TEST_F(GradientOnRecorder, RadialFillLeavesTheCanvasBrushAsItWas)
{
    TBitmap pattern(8, 8);
    canvas.Brush()->SetColor(clGreen);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Brush()->SetBitmap(&pattern);
    TCustomPlotGradient g;
    g.DrawRadial(canvas, TRect{0, 0, 6, 6});
    EXPECT_EQ(canvas.Brush()->Color(), clGreen);
    EXPECT_EQ(canvas.Brush()->Style(), bsClear);
    EXPECT_EQ(canvas.Brush()->Bitmap(), &pattern);
}

TEST_F(GradientOnRecorder, MiddleColourSplitsTheBands)
{
    TPlotGradient g;
    g.SetStartColor(clRed);
    g.SetMidColor(clLime);
    g.SetEndColor(clBlue);
    g.Draw(canvas, TRect{0, 0, 2, 4});
    EXPECT_EQ(Pixel(0, 0), clBlue);
    EXPECT_EQ(Pixel(0, 1), clLime);
    EXPECT_EQ(Pixel(0, 2), clLime);
    EXPECT_EQ(Pixel(0, 3), clRed);
    g.SetMidColor(clNone);
    EXPECT_EQ(g.MidColor(), clNone);
}

TEST_F(GradientOnRecorder, MonochromeMakesGreys)
{
    canvas.SetMonochrome(true);
    TPlotGradient g;  // white to yellow
    g.Draw(canvas, TRect{0, 0, 2, 2});
    EXPECT_EQ(Pixel(0, 1), clWhite);
    EXPECT_EQ(Pixel(0, 0), RGB(170, 170, 170));
}

TEST_F(GradientOnRecorder, VisibleSubGradientBlendsOverTheMain)
{
    TPlotGradient g;
    g.SubGradient()->SetVisible(true);
    EXPECT_EQ(g.SubGradient()->Transparency(), 50);
    canvas.Bounds = TRect{0, 0, 300, 300};
    g.Draw(canvas, TRect{0, 0, 10, 10});
    const auto blends = device.CallsNamed("AlphaBlend");
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].args.back(), "128");  // 255 - round(2.55 x 50)
}

TEST(TPlotGradientAssign, CopiesEverythingWithTheSubGradient)
{
    TPlotGradient a;
    a.SetAngle(30);
    a.SetBalance(70);
    a.SetDirection(gdRadial);
    a.SetMidColor(clGreen);
    a.SetRadialX(3);
    a.SetRadialY(-4);
    a.SetVisible(true);
    a.SubGradient()->SetTransparency(20);
    int changes = 0;
    TPlotGradient b([&] { ++changes; });
    b.Assign(a);
    EXPECT_EQ(b.Angle(), 30);
    EXPECT_EQ(b.Balance(), 70);
    EXPECT_EQ(b.Direction(), gdRadial);
    EXPECT_EQ(b.MidColor(), clGreen);
    EXPECT_EQ(b.RadialX(), 3);
    EXPECT_EQ(b.RadialY(), -4);
    EXPECT_TRUE(b.Visible());
    ASSERT_NE(b.SubGradientIfAny(), nullptr);
    EXPECT_EQ(b.SubGradientIfAny()->Transparency(), 20);
    EXPECT_GT(changes, 0);
    TPlotGradient c;
    b.Assign(c);
    EXPECT_EQ(b.SubGradientIfAny(), nullptr);
}

TEST(DarkenBrighten, ChannelsStopAtTheLimits)
{
    EXPECT_EQ(DarkenColor(RGB(100, 20, 200), 64), RGB(36, 0, 136));
    EXPECT_EQ(BrightenColor(RGB(250, 0, 10), 10), RGB(255, 10, 20));
    // system colours are resolved first: window text is black
    EXPECT_EQ(BrightenColor(0xFF000008, 5), RGB(5, 5, 5));
}

TEST_F(GradientOnRecorder, AngleTurnsTheGradientInsideTheRectangle)
{
    TPlotGradient g;
    g.SetStartColor(clRed);   // bottom
    g.SetEndColor(clBlue);    // top
    g.SetAngle(90);           // counter-clockwise: the top edge goes to the left
    g.Draw(canvas, TRect{20, 20, 40, 40});
    ASSERT_EQ(device.Count("DrawBitmap"), 1);
    EXPECT_FALSE(device.GetClipRgn().has_value());
    const TColor left = Pixel(20, 30);
    const TColor right = Pixel(39, 30);
    EXPECT_GT(GetBValue(left), GetBValue(right));
    EXPECT_LT(GetRValue(left), GetRValue(right));
    EXPECT_EQ(Pixel(19, 30), clWhite);  // clipped to the rectangle
    EXPECT_EQ(Pixel(20, 25), Pixel(20, 35));  // bands run vertically now
}

TEST_F(GradientOnRecorder, TurnedGradientSpansTheWholeRectangle)
{
    // a quarter turn of a 20 x 10 rectangle: the gradient is drawn 10 wide and
    // 20 high, so after the turn its end colour is the left column and its
    // start colour the right column, exactly
    TPlotGradient g;
    g.SetStartColor(clRed);
    g.SetEndColor(clBlue);
    g.SetAngle(90);
    g.Draw(canvas, TRect{20, 20, 40, 30});
    for (int y = 20; y < 30; ++y) {
        EXPECT_EQ(Pixel(20, y), clBlue) << y;
        EXPECT_EQ(Pixel(39, y), clRed) << y;
    }
    // 20 bands of the linear ramp, one per column: band 10 from the right
    // (red to blue over D = 19): 255 - 255 x 10 div 19 = 121 red
    EXPECT_EQ(Pixel(29, 25), RGB(121, 0, 134));

    // other angles leave no pixel of the rectangle bare
    for (int angle : {10, 30, 60, 300}) {
        g.SetAngle(angle);
        g.Draw(canvas, TRect{100, 100, 150, 150});
        for (int y = 100; y < 150; ++y)
            for (int x = 100; x < 150; ++x)
                ASSERT_NE(Pixel(x, y), clWhite) << angle << ": " << x << "," << y;
    }
}

TEST_F(GradientOnRecorder, PolygonGradientAtDepth)
{
    TPlotGradient g;
    const TPoint p[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    canvas.Pen()->SetStyle(psSolid);
    g.DrawPolygonZ(canvas, p, 0);
    EXPECT_EQ(canvas.Pen()->Style(), psClear);
    EXPECT_EQ(device.Count("ExtSelectClipRgn"), 1);
    EXPECT_GT(device.Count("PatBlt"), 0);
    EXPECT_EQ(device.Count("Polygon"), 0);  // no outline with the pen cleared
}
