#include "platform/bitmap_codec.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(BitmapCodec, RoundTripsThroughLosslessFormats)
{
    Bitmap b(5, 3, ColorToArgb(clWhite));
    b.SetPixel(0, 0, clRed);
    b.SetPixel(4, 2, RGB(1, 2, 3));
    for (const char* format : {"PNG", "BMP"}) {
        const std::vector<std::uint8_t> bytes = EncodeBitmap(b, format);
        ASSERT_FALSE(bytes.empty()) << format;
        const std::optional<Bitmap> back = DecodeBitmap(bytes);
        ASSERT_TRUE(back.has_value()) << format;
        EXPECT_EQ(back->Width(), 5);
        EXPECT_EQ(back->Height(), 3);
        EXPECT_EQ(back->Pixel(0, 0), clRed) << format;
        EXPECT_EQ(back->Pixel(4, 2), RGB(1, 2, 3)) << format;
        EXPECT_EQ(back->Pixel(2, 1), clWhite) << format;
    }
}

TEST(BitmapCodec, BadInputGivesNothing)
{
    EXPECT_FALSE(DecodeBitmap({}).has_value());
    EXPECT_FALSE(DecodeBitmap({1, 2, 3, 4, 5}).has_value());
    EXPECT_FALSE(LoadBitmapFile("/nonexistent/picture.png").has_value());
    EXPECT_TRUE(EncodeBitmap(Bitmap(), "PNG").empty());
    EXPECT_TRUE(EncodeBitmap(Bitmap(2, 2), "NO-SUCH-FORMAT").empty());
}

TEST(BitmapCodec, AlphaSurvivesPng)
{
    Bitmap b(2, 1, 0x80FF0000u);  // half-transparent red
    b.SetHasAlpha(true);
    const std::optional<Bitmap> back = DecodeBitmap(EncodeBitmap(b, "PNG"));
    ASSERT_TRUE(back.has_value());
    EXPECT_TRUE(back->HasAlpha());
    EXPECT_EQ(back->RawPixel(1, 0), 0x80FF0000u);
}
