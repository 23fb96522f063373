#include "widgets/instrument_base.h"

#include <gtest/gtest.h>

#include "platform/qt_drawing_device.h"

namespace {

constexpr TColor kWhite = 0xFFFFFF, kSilver = 0xC0C0C0, kGrey = 0x808080, kBlack = 0;

platform::Bitmap FramedImage(int style)
{
    platform::QtDrawingDevice dc(12, 12);
    dc.SelectBrush(platform::BrushDesc::Solid(0x00FF00));
    dc.FillRect(platform::Rect{0, 0, 12, 12});
    DrawFrame(dc, style, 0, 0, 9, 9, kWhite, kSilver, kGrey, kBlack, 0x0000FF);
    return dc.Surface();
}

}  // namespace

TEST(DrawFrameRaised, OuterAndInnerBevelsPixelByPixel)
{
    const auto dc = FramedImage(fsRaised);
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(dc.Pixel(i, 0), kWhite) << i;
        if (i < 9) {
            EXPECT_EQ(dc.Pixel(0, i), kWhite) << i;
        }
    }
    EXPECT_EQ(dc.Pixel(0, 9), kBlack);
    for (int i = 1; i <= 9; ++i) {
        EXPECT_EQ(dc.Pixel(9, i), kBlack) << i;
        EXPECT_EQ(dc.Pixel(i, 9), kBlack) << i;
    }
    for (int x = 1; x <= 8; ++x)
        EXPECT_EQ(dc.Pixel(x, 1), kSilver) << x;
    for (int y = 2; y <= 7; ++y)
        EXPECT_EQ(dc.Pixel(1, y), kSilver) << y;
    EXPECT_EQ(dc.Pixel(1, 8), kGrey);
    for (int y = 2; y <= 8; ++y)
        EXPECT_EQ(dc.Pixel(8, y), kGrey) << y;
    for (int x = 1; x <= 8; ++x)
        EXPECT_EQ(dc.Pixel(x, 8), kGrey) << x;
    EXPECT_EQ(dc.Pixel(2, 2), 0x00FF00u);
    EXPECT_EQ(dc.Pixel(10, 10), 0x00FF00u);
}

TEST(DrawFrameSimple, FourSidesInTheLineColour)
{
    const auto dc = FramedImage(fsSimple);
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(dc.Pixel(i, 0), 0x0000FFu);
        EXPECT_EQ(dc.Pixel(i, 9), 0x0000FFu);
        EXPECT_EQ(dc.Pixel(0, i), 0x0000FFu);
        EXPECT_EQ(dc.Pixel(9, i), 0x0000FFu);
    }
    EXPECT_EQ(dc.Pixel(1, 1), 0x00FF00u);
    EXPECT_EQ(dc.Pixel(10, 9), 0x00FF00u);
}

TEST(DrawFrameStyles, NoneAndOutOfRangeDrawNothing)
{
    for (int style : {0, 6, 7, 0x7F}) {
        const auto dc = FramedImage(style);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(dc.Pixel(i, 0), 0x00FF00u) << style;
    }
    // The top bit is masked off: 0x83 is fsRaised.
    EXPECT_EQ(FramedImage(0x83).Pixel(0, 0), kWhite);
}

TEST(DrawFrameStyles, LoweredEmbossedEngravedCornerColours)
{
    struct Case { int style; TColor c1, c2, c3, c4; };
    for (const Case& c : {Case{fsLowered, kGrey, kWhite, kBlack, kSilver}, Case{fsEmbossed, kWhite, kGrey, kGrey, kWhite},
                          Case{fsEngraved, kGrey, kWhite, kWhite, kGrey}}) {
        const auto dc = FramedImage(c.style);
        EXPECT_EQ(dc.Pixel(9, 0), c.c1) << c.style;  // outer top-right keeps C1
        EXPECT_EQ(dc.Pixel(0, 9), c.c2) << c.style;  // outer bottom-left takes C2
        EXPECT_EQ(dc.Pixel(1, 1), c.c3) << c.style;
        EXPECT_EQ(dc.Pixel(1, 8), c.c4) << c.style;  // inner bottom-left takes C4
    }
}

TEST(BlendColorsRounding, HalvesGoToEven)
{
    EXPECT_EQ(BlendColors(0x000000, 0xFFFFFF, 0.5), 0x808080u);  // 127.5 -> 128
    EXPECT_EQ(BlendColors(0x000001, 0x000000, 0.5), 0x000000u);  // 0.5 -> 0
    EXPECT_EQ(BlendColors(0x000003, 0x000000, 0.5), 0x000002u);  // 1.5 -> 2
    EXPECT_EQ(BlendColors(0x102030, 0x405060, 1.7), 0x405060u);
    EXPECT_EQ(BlendColors(0x102030, 0x405060, -0.2), 0x102030u);
    EXPECT_EQ(BlendColors(0x102030, 0x405060, std::nan("")), 0x102030u);
    // channels apart: red 0x10 -> 0x40 at 0.25 is 0x1C
    EXPECT_EQ(BlendColors(0x000010, 0x000040, 0.25), 0x00001Cu);
    // system colours are taken literally; the top byte is dropped
    EXPECT_EQ(BlendColors(0xFF00000F, 0xFF00000F, 0.3), 0x00000Fu);
}

TEST(TDTLabelEvents, OrderAndTimeFormatFireEvenWhenUnchanged)
{
    TDTLabel label;
    int fired = 0;
    TDTLabel* sender = nullptr;
    label.OnChange = [&](TDTLabel* s) { ++fired; sender = s; };
    label.SetDateOrder(label.DateOrder());
    label.SetTimeFormat(label.TimeFormat());
    EXPECT_EQ(fired, 2);
    EXPECT_EQ(sender, &label);
    label.SetMonthName(false);
    label.SetYearLength(ylNone);
    label.SetDateSeparator(0);
    label.SetTimeSeparator(0);
    label.SetDateForTime(dtNone);
    EXPECT_EQ(fired, 2);
    label.SetMonthName(true);
    EXPECT_EQ(fired, 3);
}

TEST(TDTLabelAssign, CopiesSettingsNotHandlerAndFiresOnce)
{
    TDTLabel source;
    source.SetDateSeparator('.');
    source.SetYearLength(ylYY);
    source.SetDateOrder(doYYMMDD);
    bool sourceFired = false;
    source.OnChange = [&](TDTLabel*) { sourceFired = true; };
    TDTLabel target;
    int fired = 0;
    target.OnChange = [&](TDTLabel*) { ++fired; };
    target.Assign(source);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(sourceFired);
    EXPECT_EQ(target.DateSeparator(), '.');
    EXPECT_EQ(target.YearLength(), ylYY);
    EXPECT_EQ(target.DateOrder(), doYYMMDD);
}
