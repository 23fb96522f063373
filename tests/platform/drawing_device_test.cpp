#include "platform/drawing_device.h"

#include <gtest/gtest.h>

#include "platform/system_colors.h"

using namespace platform;

TEST(DrawingDeviceValues, MulDivRoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(8, 96, 72), 11);    // 10.67
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(3, 1, 2), 2);       // 1.5
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // product beyond 32 bits
    EXPECT_EQ(FontHeightFromPoints(8), -11);
    EXPECT_EQ(FontHeightFromPoints(10), -13);
}

TEST(DrawingDeviceValues, ColourPixelConversions)
{
    EXPECT_EQ(ColorToArgb(RGB(1, 2, 3)), 0xFF010203u);
    EXPECT_EQ(ArgbToColor(0xFF010203u), RGB(1, 2, 3));
    Bitmap b(3, 2, 0xFF000000u);
    b.SetPixel(2, 1, clRed);
    EXPECT_EQ(b.RawPixel(2, 1), 0xFFFF0000u);
    EXPECT_EQ(b.Pixel(2, 1), clRed);
    EXPECT_EQ(b.Pixel(3, 1), 0xFFFFFFFFu);
    b.Resize(4, 3);
    EXPECT_EQ(b.Pixel(2, 1), clRed);
    EXPECT_EQ(b.Pixel(3, 2), clWhite);
}

TEST(DrawingDeviceValues, CodePointCountCountsCharactersNotBytes)
{
    EXPECT_EQ(CodePointCount(""), 0);
    EXPECT_EQ(CodePointCount("Hello"), 5);
    EXPECT_EQ(CodePointCount("\xC3\xA9t\xC3\xA9"), 3);      // "été": two 2-byte letters
    EXPECT_EQ(CodePointCount("\xE2\x82\xAC" "5"), 2);       // euro sign, 3 bytes
    EXPECT_EQ(CodePointCount("\xF0\x9F\x98\x80"), 1);      // U+1F600, 4 bytes
}

TEST(DrawingDeviceValues, StockObjectsReplaceOnlyThePenOrTheBrush)
{
    PenDesc pen = PenDesc::Solid(clRed, 3);
    BrushDesc brush = BrushDesc::Hatched(HatchStyle::Cross, clBlue);
    SelectStock(StockObject::NullBrush, clGreen, clYellow, pen, brush);
    EXPECT_TRUE(brush.IsNull());
    EXPECT_EQ(pen, PenDesc::Solid(clRed, 3));
    SelectStock(StockObject::DCPen, clGreen, clYellow, pen, brush);
    EXPECT_EQ(pen.color, clGreen);
    EXPECT_EQ(pen.width, 1);
    EXPECT_TRUE(pen.useDCColor);
    SelectStock(StockObject::DCBrush, clGreen, clYellow, pen, brush);
    EXPECT_EQ(brush.style, BrushStyle::Solid);
    EXPECT_EQ(brush.color, clYellow);
    EXPECT_TRUE(brush.useDCColor);
    SelectStock(StockObject::WhitePen, clGreen, clYellow, pen, brush);
    EXPECT_EQ(pen, PenDesc::Solid(clWhite));
    EXPECT_TRUE(brush.useDCColor);
}

TEST(DrawingDeviceValues, SystemColoursResolveThroughTheTable)
{
    EXPECT_EQ(ColorToRGB(SystemColor(SystemColorIndex::BtnFace)), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(SystemColor(SystemColorIndex::Window)), clWhite);
    EXPECT_EQ(ColorToRGB(SystemColor(SystemColorIndex::WindowText)), clBlack);
    EXPECT_EQ(ColorToRGB(SystemColor(SystemColorIndex::InfoBk)), RGB(255, 255, 225));
    EXPECT_EQ(ColorToRGB(0xFF000000u + 200), clBlack);  // outside the table
    EXPECT_EQ(ColorToRGB(clRed), clRed);
}

TEST(RegionContains, ShapesCoverTheirBoxWithoutRightAndBottomEdges)
{
    const Region r = Region::FromRect({2, 3, 5, 6});
    EXPECT_TRUE(r.Contains(2, 3));
    EXPECT_TRUE(r.Contains(4, 5));
    EXPECT_FALSE(r.Contains(5, 5));
    EXPECT_FALSE(r.Contains(4, 6));

    const Region e = Region::FromEllipse({0, 0, 10, 10});
    EXPECT_TRUE(e.Contains(0, 4));
    EXPECT_TRUE(e.Contains(9, 5));
    EXPECT_FALSE(e.Contains(10, 5));
    EXPECT_FALSE(e.Contains(0, 0));

    const Region rr = Region::FromRoundRect({0, 0, 20, 20}, 10, 10);
    EXPECT_FALSE(rr.Contains(0, 0));
    EXPECT_TRUE(rr.Contains(10, 0));
    EXPECT_TRUE(rr.Contains(3, 3));

    // odd-even: the inner square of a doubly wound figure is a hole
    const Region poly = Region::FromPolyPolygon({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{3, 3}, {7, 3}, {7, 7}, {3, 7}}});
    EXPECT_TRUE(poly.Contains(1, 1));
    EXPECT_FALSE(poly.Contains(5, 5));
    EXPECT_FALSE(poly.Contains(10, 5));
    const Region wind = Region::FromPolyPolygon({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{3, 3}, {7, 3}, {7, 7}, {3, 7}}},
                                                PolyFillMode::Winding);
    EXPECT_TRUE(wind.Contains(5, 5));
}

TEST(RegionContains, CombinationsAndOffset)
{
    const Region a = Region::FromRect({0, 0, 10, 10});
    const Region b = Region::FromRect({5, 0, 15, 10});
    EXPECT_TRUE(Region::Combine(a, b, ClipCombine::And).Contains(6, 1));
    EXPECT_FALSE(Region::Combine(a, b, ClipCombine::And).Contains(4, 1));
    EXPECT_TRUE(Region::Combine(a, b, ClipCombine::Or).Contains(12, 1));
    EXPECT_FALSE(Region::Combine(a, b, ClipCombine::Xor).Contains(6, 1));
    EXPECT_TRUE(Region::Combine(a, b, ClipCombine::Xor).Contains(12, 1));
    EXPECT_TRUE(Region::Combine(a, b, ClipCombine::Diff).Contains(4, 1));
    EXPECT_FALSE(Region::Combine(a, b, ClipCombine::Diff).Contains(6, 1));
    EXPECT_EQ(Region::Combine(a, b, ClipCombine::Copy).Describe(), "rect(0,0,10,10)");
    const Region moved = Region::Combine(a, b, ClipCombine::Diff).Offset(100, 0);
    EXPECT_TRUE(moved.Contains(104, 1));
    EXPECT_EQ(moved.Describe(), "diff(rect(100,0,110,10),rect(105,0,115,10))");
    EXPECT_FALSE(Region().Contains(0, 0));
}
