#include "widgets/instrument_bitmaps.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Named {
    const char* name;
    int width;
    int height;
};

}  // namespace

class InstrumentBitmapSizes : public ::testing::TestWithParam<Named> {};

TEST_P(InstrumentBitmapSizes, HaveTheirSize)
{
    const platform::Bitmap& b = InstrumentBitmap(GetParam().name);
    EXPECT_EQ(b.Width(), GetParam().width);
    EXPECT_EQ(b.Height(), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(
    All, InstrumentBitmapSizes,
    ::testing::Values(Named{"SEGHORZ", 200, 38}, Named{"SEGVERT", 68, 190}, Named{"SEGDOT", 38, 38},
                      Named{"SEGPLUS", 200, 190}, Named{"SEGCOLON", 68, 190}, Named{"SEGDEG", 160, 138},
                      Named{"CHECKBOX", 32, 32}, Named{"RADIOBUT", 28, 28}, Named{"SLIDETOPBOT", 36, 60},
                      Named{"SLIDELFTRGT", 60, 36}, Named{"COLSLIDETB", 36, 60}, Named{"COLSLIDELR", 60, 36},
                      Named{"LEDREDGREEN", 28, 28}, Named{"ARROWTR", 50, 50}, Named{"ARROWUD", 50, 50},
                      Named{"ARROWLR", 50, 50}, Named{"TRAFFICLGT", 62, 62}, Named{"BEVELEDLED", 34, 34},
                      Named{"SMILEYS", 36, 36}, Named{"SMILEYRG", 36, 36}, Named{"BULB", 78, 98},
                      Named{"BUTLAMP", 98, 48}, Named{"HDLEFT", 96, 32}, Named{"HDRIGHT", 96, 32},
                      Named{"USER1", 48, 48}, Named{"USER5", 48, 48}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InstrumentBitmaps, UnknownNameIsEmpty)
{
    EXPECT_TRUE(InstrumentBitmap("NOSUCH").IsEmpty());
}

TEST(InstrumentBitmaps, SegmentsAreBlackOnWhiteOnlyWithNoAntialiasing)
{
    for (const char* name : {"SEGHORZ", "SEGVERT", "SEGDOT", "SEGPLUS", "SEGCOLON", "SEGDEG"}) {
        const platform::Bitmap& b = InstrumentBitmap(name);
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x) {
                const TColor c = b.Pixel(x, y);
                ASSERT_TRUE(c == clBlack || c == clWhite) << name << " at " << x << "," << y;
            }
        EXPECT_EQ(b.Pixel(0, 0), clWhite) << name;
    }
}

TEST(InstrumentBitmaps, FloodSeedsLieInsideTheirShapes)
{
    auto black = [](const char* name, int x, int y) { return InstrumentBitmap(name).Pixel(x, y) == clBlack; };
    EXPECT_TRUE(black("SEGHORZ", 100, 19));
    EXPECT_TRUE(black("SEGVERT", 34, 95));
    EXPECT_TRUE(black("SEGDOT", 19, 19));
    EXPECT_TRUE(black("SEGPLUS", 100, 95));
    EXPECT_TRUE(black("SEGCOLON", 18, 190 - 18));
    EXPECT_TRUE(black("SEGCOLON", 68 - 18, 18));
    EXPECT_TRUE(black("SEGDEG", 25, 138 / 2));
    // the hole of the degree ring, at (230, 70) in the master cell placed at (150, 0)
    EXPECT_FALSE(black("SEGDEG", 80, 70));
}

TEST(InstrumentBitmaps, PlusIsOneShapeAndTheRingOneRing)
{
    // the plus: its bar ends are reached from the centre through black pixels
    const platform::Bitmap& plus = InstrumentBitmap("SEGPLUS");
    for (int x = 20; x <= 180; ++x)
        EXPECT_EQ(plus.Pixel(x, 95), clBlack) << x;
    // the ring: black on both sides of the hole along its middle row
    const platform::Bitmap& deg = InstrumentBitmap("SEGDEG");
    EXPECT_EQ(deg.Pixel(20, 69), clBlack);
    EXPECT_EQ(deg.Pixel(140, 69), clBlack);
    EXPECT_EQ(deg.Pixel(5, 69), clWhite);
}

TEST(InstrumentBitmaps, ButtonPicturesShowTheKeyColourInEachQuadrant)
{
    for (const char* name : {"CHECKBOX", "RADIOBUT", "LEDREDGREEN", "BULB", "HDLEFT", "USER3"}) {
        const platform::Bitmap& b = InstrumentBitmap(name);
        const int w = b.Width() / 2, h = b.Height() / 2;
        for (int q = 0; q < 4; ++q) {
            const int x0 = (q % 2) * w, y0 = (q / 2) * h;
            EXPECT_EQ(b.Pixel(x0, y0), kButtonKeyColor) << name << " quadrant " << q;
        }
        // the on and off pictures differ, the enabled and disabled ones too
        bool onOff = false, enabled = false;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                onOff = onOff || b.Pixel(x, y) != b.Pixel(x + w, y);
                enabled = enabled || b.Pixel(x, y) != b.Pixel(x, y + h);
            }
        EXPECT_TRUE(onOff) << name;
        EXPECT_TRUE(enabled) << name;
    }
}
