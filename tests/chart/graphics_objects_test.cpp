#include "chart/graphics_objects.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace {

// Green with a red bottom-left pixel and one blue pixel.
TBitmap ThreeColours()
{
    TBitmap b(4, 3);
    b.Fill(clGreen);
    b.SetPixel(0, 2, clRed);
    b.SetPixel(2, 1, clBlue);
    return b;
}

std::uint32_t Alpha(const platform::Bitmap& B, int X, int Y) { return B.RawPixel(X, Y) >> 24; }

}  // namespace

TEST(TBitmapTransparentColor, WithoutOneTheBottomLeftPixelsColourIsDrawnTransparent)
{
    TBitmap b = ThreeColours();
    EXPECT_EQ(b.TransparentColor(), clNone);
    EXPECT_EQ(Alpha(b.ToDrawnBitmap(), 0, 2), 0xFFu);
    b.SetTransparent(true);
    const platform::Bitmap drawn = b.ToDrawnBitmap();
    EXPECT_EQ(drawn.RawPixel(0, 2), 0u);
    EXPECT_EQ(Alpha(drawn, 2, 1), 0xFFu);
    EXPECT_EQ(drawn.RawPixel(1, 1), 0xFF008000u);
}

TEST(TBitmapTransparentColor, TheNamedColourIsDrawnTransparentAndCopiesKeepIt)
{
    TBitmap b = ThreeColours();
    b.SetTransparentColor(clBlue);
    // only when the bitmap is transparent
    EXPECT_EQ(Alpha(b.ToDrawnBitmap(), 2, 1), 0xFFu);
    b.SetTransparent(true);
    const TBitmap copy(b);
    TBitmap assigned;
    assigned.Assign(b);
    const std::unique_ptr<TGraphic> clone = b.Clone();
    const auto* cloned = static_cast<const TBitmap*>(clone.get());
    for (const TBitmap* each : std::initializer_list<const TBitmap*>{&b, &copy, &assigned, cloned}) {
        EXPECT_EQ(each->TransparentColor(), clBlue);
        const platform::Bitmap drawn = each->ToDrawnBitmap();
        EXPECT_EQ(drawn.RawPixel(2, 1), 0u);
        EXPECT_EQ(drawn.RawPixel(0, 2), 0xFFFF0000u);
        EXPECT_EQ(drawn.RawPixel(3, 0), 0xFF008000u);
    }
    // in 24-bit rows too
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.ToDrawnBitmap().RawPixel(2, 1), 0u);
    EXPECT_EQ(Alpha(b.ToDrawnBitmap(), 0, 2), 0xFFu);
}
