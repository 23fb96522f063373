#include "chart/plot_filters.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QSpinBox>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "chart/drawing_utils.h"
#include "chart/filter_editor_form.h"
#include "testing/fake_dialogs.h"

namespace {

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

void PrintTo(const Rgb& c, std::ostream* os)
{
    *os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

TBitmap MakeBitmap(int w, int h, Rgb fill = {255, 255, 255})
{
    TBitmap b(w, h, pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = b.ScanLine(y) + 3 * x;
            p[0] = static_cast<std::uint8_t>(fill.b);
            p[1] = static_cast<std::uint8_t>(fill.g);
            p[2] = static_cast<std::uint8_t>(fill.r);
        }
    return b;
}

void Set(TBitmap& b, int x, int y, Rgb c)
{
    std::uint8_t* p = b.ScanLine(y) + 3 * x;
    p[0] = static_cast<std::uint8_t>(c.b);
    p[1] = static_cast<std::uint8_t>(c.g);
    p[2] = static_cast<std::uint8_t>(c.r);
}

void SetGrey(TBitmap& b, int x, int y, int v)
{
    Set(b, x, y, {v, v, v});
}

Rgb Get(TBitmap& b, int x, int y)
{
    b.SetPixelFormat(pf24bit);
    const std::uint8_t* p = b.ScanLine(y) + 3 * x;
    return {p[2], p[1], p[0]};
}

int Grey(TBitmap& b, int x, int y)
{
    return Get(b, x, y).r;
}

// 3 x 3 grey picture from row-major values.
TBitmap Grey3x3(const std::array<int, 9>& v)
{
    TBitmap b = MakeBitmap(3, 3);
    for (int i = 0; i < 9; ++i)
        SetGrey(b, i % 3, i / 3, v[static_cast<std::size_t>(i)]);
    return b;
}

void ExpectOnlyCentreChanged(TBitmap& b, const std::array<int, 9>& before)
{
    for (int i = 0; i < 9; ++i) {
        if (i != 4) {
            EXPECT_EQ(Grey(b, i % 3, i / 3), before[static_cast<std::size_t>(i)]) << "pixel " << i;
        }
    }
}

// 3 x 2 greys: a b c / d e f = 1 2 3 / 4 5 6
TBitmap SixGreys()
{
    TBitmap b = MakeBitmap(3, 2, {0, 0, 0});
    const int v[2][3] = {{1, 2, 3}, {4, 5, 6}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            SetGrey(b, x, y, v[y][x]);
    return b;
}

// The six greys turned by 90 degrees, counter-clockwise: c f / b e / a d
void ExpectSixGreysTurnedBy90(TBitmap& b)
{
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    const int e90[3][2] = {{3, 6}, {2, 5}, {1, 4}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Grey(b, x, y), e90[y][x]);
}

}  // namespace

TEST(TConvolveFilters, BlurChangesOnlyTheCentreOfThreeByThree)
{
    const std::array<int, 9> v = {9, 18, 27, 36, 0, 45, 54, 63, 72};
    TBitmap b = Grey3x3(v);
    TBlurFilter blur;
    ApplyTo(blur, b);
    // (9+18+27+36+0+45+54+63+72) / 9 = 36
    EXPECT_EQ(Grey(b, 1, 1), 36);
    ExpectOnlyCentreChanged(b, v);
}

TEST(TConvolveFilters, BlurFactorFollowsTheAmount)
{
    const std::array<int, 9> v = {9, 18, 27, 36, 0, 45, 54, 63, 72};
    TBitmap b = Grey3x3(v);
    TBlurFilter blur;
    blur.Amount = 2;
    ApplyTo(blur, b);
    // 324 / 10 = 32.4
    EXPECT_EQ(Grey(b, 1, 1), 32);
}

TEST(TConvolveFilters, BlurStepsRepeatAndZeroStepsDoNothing)
{
    const std::array<int, 9> v = {9, 18, 27, 36, 0, 45, 54, 63, 72};
    TBitmap b = Grey3x3(v);
    TBlurFilter blur;
    blur.Steps = 0;
    ApplyTo(blur, b);
    EXPECT_EQ(Grey(b, 1, 1), 0);
    blur.Steps = 2;
    ApplyTo(blur, b);
    // first step 36; second: (324 + 36) / 9 = 40
    EXPECT_EQ(Grey(b, 1, 1), 40);
}

TEST(TConvolveFilters, BlurOfEveryAmountMatchesTheKernelSumRounded)
{
    // reference: each inner pixel of the part, per channel, the sum of its
    // 3 x 3 neighbours with the centre weighted by the amount, times the
    // filter's factor (1 / weight sum in float), rounded half to even; all
    // pixels of a pass read the picture as it was before it
    for (int amount : {1, 2, -3, 7, 300}) {
        TBitmap b = MakeBitmap(23, 17);
        std::uint32_t state = 99;
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x) {
                state = state * 1664525u + 1013904223u;
                Set(b, x, y, {static_cast<int>(state >> 24), static_cast<int>((state >> 16) & 0xFF),
                              static_cast<int>((state >> 8) & 0xFF)});
            }
        std::vector<Rgb> want(23 * 17);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x)
                want[y * 23 + x] = Get(b, x, y);
        const TRect part{2, 1, 20, 15};
        const double factor = static_cast<double>(1.0f / static_cast<float>(8 + amount));
        for (int pass = 0; pass < 2; ++pass) {
            const std::vector<Rgb> before = want;
            for (int y = part.Top + 1; y < part.Bottom; ++y)
                for (int x = part.Left + 1; x < part.Right; ++x) {
                    int sum[3] = {0, 0, 0};
                    for (int dy = -1; dy <= 1; ++dy)
                        for (int dx = -1; dx <= 1; ++dx) {
                            const Rgb& c = before[(y + dy) * 23 + x + dx];
                            const int w = dx == 0 && dy == 0 ? amount : 1;
                            sum[0] += w * c.r;
                            sum[1] += w * c.g;
                            sum[2] += w * c.b;
                        }
                    int out[3];
                    for (int k = 0; k < 3; ++k)
                        out[k] = static_cast<int>(std::clamp(std::nearbyint(factor * sum[k]), 0.0, 255.0));
                    want[y * 23 + x] = {out[0], out[1], out[2]};
                }
        }
        TBlurFilter blur;
        blur.Amount = amount;
        blur.Steps = 2;
        blur.Apply(b, part);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x)
                ASSERT_EQ(Get(b, x, y), want[y * 23 + x]) << amount << " at " << x << "," << y;
    }
}

TEST(TPixelFilters, ContrastOfEveryValueFollowsTheFormula)
{
    // t = Round(v * Amount / 100) (Amount / 100 in float) or Amount; v + t (v - 128) / 256
    for (bool percent : {false, true}) {
        TBitmap b = MakeBitmap(256, 1);
        for (int v = 0; v < 256; ++v)
            Set(b, v, 0, {v, 255 - v, (v * 7) & 0xFF});
        TContrastFilter f;
        f.Percent = percent;
        f.Amount = 83;
        ApplyTo(f, b);
        auto expect = [&](int v) {
            const float factor = static_cast<float>(83 * 0.01);
            const std::int64_t t = percent ? static_cast<std::int64_t>(std::nearbyint(v * static_cast<double>(factor))) : 83;
            return static_cast<int>(std::clamp<std::int64_t>(v + (t * (v - 128)) / 256, 0, 255));
        };
        for (int v = 0; v < 256; ++v)
            ASSERT_EQ(Get(b, v, 0), (Rgb{expect(v), expect(255 - v), expect((v * 7) & 0xFF)})) << percent << " " << v;
    }
}

TEST(TConvolveFilters, SharpenEmbossAndSoftenKernels)
{
    {
        TBitmap b = Grey3x3({60, 60, 60, 60, 100, 60, 60, 60, 60});
        TSharpenFilter f;
        ApplyTo(f, b);
        // 2 x 100 - 0.125 x 8 x 60, divided by 1
        EXPECT_EQ(Grey(b, 1, 1), 140);
    }
    {
        TBitmap b = Grey3x3({0, 50, 0, 40, 20, 10, 0, 30, 0});
        TEmbossFilter f;
        ApplyTo(f, b);
        // -(-50 - 40 + 20 + 10 - 30) = 90
        EXPECT_EQ(Grey(b, 1, 1), 90);
        EXPECT_FLOAT_EQ(f.Factor, -1.0f);
    }
    {
        TBitmap b = Grey3x3({0, 0, 0, 0, 10, 20, 0, 31, 40});
        TSoftenFilter f;
        ApplyTo(f, b);
        // (10 + 20 + 31 + 40) / 4 = 25.25
        EXPECT_EQ(Grey(b, 1, 1), 25);
    }
}

TEST(TConvolveFilters, RegionKeepsItsBorder)
{
    TBitmap b = MakeBitmap(5, 5, {0, 0, 0});
    SetGrey(b, 2, 2, 90);
    TBlurFilter blur;
    blur.Region()->Left = 1;
    blur.Region()->Top = 1;
    blur.Region()->Width = 2;
    blur.Region()->Height = 2;
    ApplyTo(blur, b);  // rectangle (1,1)-(3,3): only (2,2) is inside
    EXPECT_EQ(Grey(b, 2, 2), 10);
    EXPECT_EQ(Grey(b, 1, 1), 0);
}

TEST(TPixelFilters, InvertAndGrayScaleMethods)
{
    TBitmap b = MakeBitmap(1, 1, {100, 200, 40});
    TInvertFilter inv;
    ApplyTo(inv, b);
    EXPECT_EQ(Get(b, 0, 0), (Rgb{155, 55, 215}));

    const std::pair<TGrayMethod, int> cases[] = {
        {gmSimple, 113},  // 340 div 3
        {gmEye, 152},     // 30 + 118 + 4.4
        {gmEye2, 140},    // 4500 shr 5
    };
    for (const auto& [method, expected] : cases) {
        TBitmap g = MakeBitmap(1, 1, {100, 200, 40});
        TGrayScaleFilter f;
        f.Method = method;
        ApplyTo(f, g);
        EXPECT_EQ(Get(g, 0, 0), (Rgb{expected, expected, expected})) << method;
    }
    // exact halves go to the even neighbour: 0.59 x 44 + 0.11 x 14 = 27.5 -> 28,
    // 0.59 x 45 + 0.11 x 45 = 31.5 -> 32, 0.3 x 5 = 1.5 -> 2, 0.3 x 15 = 4.5 -> 4
    const std::pair<Rgb, int> halves[] = {
        {{0, 44, 14}, 28}, {{0, 45, 45}, 32}, {{5, 0, 0}, 2}, {{15, 0, 0}, 4}};
    for (const auto& [colour, expected] : halves) {
        TBitmap g = MakeBitmap(1, 1, colour);
        TGrayScaleFilter f;
        f.Method = gmEye;
        ApplyTo(f, g);
        EXPECT_EQ(Grey(g, 0, 0), expected) << colour.r << "," << colour.g << "," << colour.b;
    }
}

TEST(TPixelFilters, BrightnessInPercentRoundsHalfToEven)
{
    TBitmap b = MakeBitmap(1, 1, {0, 100, 250});
    TBrightnessFilter f;
    f.Amount = 10;
    ApplyTo(f, b);
    // 255 x 10 x 0.01 = 25.5 -> 26
    EXPECT_EQ(Get(b, 0, 0), (Rgb{26, 126, 255}));

    TBitmap c = MakeBitmap(1, 1, {10, 100, 250});
    f.Percent = false;
    f.Amount = -20;
    ApplyTo(f, c);
    EXPECT_EQ(Get(c, 0, 0), (Rgb{0, 80, 230}));

    f.Amount = 0;
    ApplyTo(f, c);
    EXPECT_EQ(Get(c, 0, 0), (Rgb{0, 80, 230}));
}

TEST(TPixelFilters, ContrastSpreadsAroundTheMiddle)
{
    TBitmap b = MakeBitmap(1, 1, {200, 100, 0});
    TContrastFilter f;
    f.Percent = false;
    f.Amount = 64;
    ApplyTo(f, b);
    // 200 + 64*72/256 = 218; 100 + (-1792)/256 = 93; 0 - 32 -> 0
    EXPECT_EQ(Get(b, 0, 0), (Rgb{218, 93, 0}));

    TBitmap c = MakeBitmap(1, 1, {200, 100, 128});
    f.Percent = true;
    f.Amount = 50;
    ApplyTo(f, c);
    // t = 100: 200 + 7200/256 = 228; t = 50: 100 + (-1400)/256 = 95 (toward zero)
    EXPECT_EQ(Get(c, 0, 0), (Rgb{228, 95, 128}));
}

TEST(TPixelFilters, ColorAddsPerChannel)
{
    TBitmap b = MakeBitmap(1, 1, {100, 100, 100});
    TColorFilter f;
    f.Red = 10;
    f.Green = -300;
    f.Blue = 200;
    ApplyTo(f, b);
    EXPECT_EQ(Get(b, 0, 0), (Rgb{110, 0, 255}));
}

TEST(TPixelFilters, HueLumSatOnTheTwoFortyScale)
{
    // grey 128: luminance 120; +40 gives 160, that is 160 x 255 / 240 = 170
    TBitmap b = MakeBitmap(1, 1, {128, 128, 128});
    THueLumSatFilter f;
    f.Luminance = 40;
    ApplyTo(f, b);
    EXPECT_EQ(Get(b, 0, 0), (Rgb{170, 170, 170}));

    // pure red has hue 0; a third of the turn (80) is pure green
    TBitmap c = MakeBitmap(1, 1, {255, 0, 0});
    THueLumSatFilter h;
    h.Hue = 80;
    ApplyTo(h, c);
    EXPECT_EQ(Get(c, 0, 0), (Rgb{0, 255, 0}));
}

TEST(TPixelFilters, GammaCorrection)
{
    TBitmap b = MakeBitmap(1, 1, {1, 128, 254});
    TGammaCorrectionFilter f;
    EXPECT_EQ(f.Amount, 70);
    f.Amount = 100;
    ApplyTo(f, b);
    EXPECT_EQ(Get(b, 0, 0), (Rgb{1, 128, 254}));

    f.Amount = 50;  // g = 0.5: 255 x (i/255)^2
    ApplyTo(f, b);
    // 1/255 -> 0.0039; 128^2/255 = 64.25; 254^2/255 = 253.0
    EXPECT_EQ(Get(b, 0, 0), (Rgb{0, 64, 253}));
}

TEST(TGeometricFilters, MosaicAveragesBlocksAndNarrowLastBlock)
{
    TBitmap b = MakeBitmap(4, 3, {0, 0, 0});
    // first block (3 x 3): values 0..80 step 10 -> mean 40; last column 30, 60, 90 -> mean 60
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x)
            SetGrey(b, x, y, 10 * (3 * y + x));
        SetGrey(b, 3, y, 30 * (y + 1));
    }
    TMosaicFilter f;
    f.Amount = 3;
    ApplyTo(f, b);
    EXPECT_EQ(Grey(b, 0, 0), 40);
    EXPECT_EQ(Grey(b, 2, 2), 40);
    EXPECT_EQ(Grey(b, 3, 0), 60);
    EXPECT_EQ(Grey(b, 3, 2), 60);

    // a 14 x 14 block summing to 147 averages 0.75; 294 averages 1.5 -> 2 (halves to even)
    for (const auto& [total, expected] : {std::pair{147, 1}, std::pair{294, 2}}) {
        TBitmap m = MakeBitmap(14, 14, {0, 0, 0});
        for (int i = 0; i < total; ++i)
            SetGrey(m, i % 14, (i / 14) % 14, Grey(m, i % 14, (i / 14) % 14) + 1);
        TMosaicFilter big;
        big.Amount = 14;
        ApplyTo(big, m);
        EXPECT_EQ(Grey(m, 13, 13), expected) << total;
    }

    TBitmap c = MakeBitmap(2, 1, {0, 0, 0});
    SetGrey(c, 1, 0, 50);
    f.Amount = 0;
    ApplyTo(f, c);
    EXPECT_EQ(Grey(c, 1, 0), 50);
}

TEST(TGeometricFilters, FlipAndReverse)
{
    TBitmap b = MakeBitmap(2, 3, {0, 0, 0});
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            SetGrey(b, x, y, 10 * y + x);
    TFlipFilter flip;
    ApplyTo(flip, b);
    EXPECT_EQ(Grey(b, 0, 0), 20);
    EXPECT_EQ(Grey(b, 1, 1), 11);
    EXPECT_EQ(Grey(b, 1, 2), 1);
    TReverseFilter rev;
    ApplyTo(rev, b);
    EXPECT_EQ(Grey(b, 0, 0), 21);
    EXPECT_EQ(Grey(b, 1, 2), 0);
}

TEST(TGeometricFilters, MirrorDoublesTheBitmap)
{
    TBitmap b = MakeBitmap(2, 2, {0, 0, 0});
    SetGrey(b, 0, 0, 1);
    SetGrey(b, 1, 0, 2);
    SetGrey(b, 0, 1, 3);
    SetGrey(b, 1, 1, 4);
    TMirrorFilter down;
    TBitmap d;
    d.Assign(b);
    ApplyTo(down, d);
    ASSERT_EQ(d.Width(), 2);
    ASSERT_EQ(d.Height(), 4);
    const int expectDown[4][2] = {{1, 2}, {3, 4}, {3, 4}, {1, 2}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Grey(d, x, y), expectDown[y][x]);

    TMirrorFilter left;
    left.Direction = mdLeft;
    ApplyTo(left, b);
    ASSERT_EQ(b.Width(), 4);
    ASSERT_EQ(b.Height(), 2);
    const int expectLeft[2][4] = {{2, 1, 1, 2}, {4, 3, 3, 4}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Grey(b, x, y), expectLeft[y][x]);
}

TEST(TGeometricFilters, RotateByRightAnglesMovesPixelsExactly)
{
    TBitmap b = SixGreys();
    TBitmap r90;
    r90.Assign(b);
    TRotateFilter f;
    f.Angle = 450;  // reduced to 90
    ApplyTo(f, r90);
    EXPECT_EQ(f.Angle, 90);
    ExpectSixGreysTurnedBy90(r90);

    TBitmap r270;
    r270.Assign(b);
    f.Angle = 270;
    ApplyTo(f, r270);
    const int e270[3][2] = {{4, 1}, {5, 2}, {6, 3}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(Grey(r270, x, y), e270[y][x]);

    f.Angle = 180;
    ApplyTo(f, b);
    ASSERT_EQ(b.Width(), 3);
    EXPECT_EQ(Grey(b, 0, 0), 6);
    EXPECT_EQ(Grey(b, 2, 1), 1);
}

TEST(TGeometricFilters, RotateBitmapTurnsTheWholeBitmapWithoutTheRegistry)
{
    const bool registered = FindFilterClass("TRotateFilter") != nullptr;
    UnregisterPlotFilters();
    TBitmap b = SixGreys();
    RotateBitmap(b, 90);
    if (registered)
        RegisterPlotFilters();
    ExpectSixGreysTurnedBy90(b);
}

TEST(TGeometricFilters, RotateOtherAnglesSizeAndBackground)
{
    TBitmap b = MakeBitmap(10, 4, {0, 0, 0});
    TRotateFilter f;
    f.Angle = 45;
    f.BackColor = clRed;
    ApplyTo(f, b);
    // |round(10 cos 45)| + |round(4 sin 45)| = 7 + 3
    EXPECT_EQ(b.Width(), 10);
    EXPECT_EQ(b.Height(), 10);
    EXPECT_EQ(Get(b, 0, 0), (Rgb{255, 0, 0}));    // outside the turned image
    EXPECT_EQ(Get(b, 5, 5), (Rgb{0, 0, 0}));      // the centre

    TBitmap narrow = MakeBitmap(1, 5, {7, 7, 7});
    f.Angle = 30;
    ApplyTo(f, narrow);
    EXPECT_EQ(narrow.Width(), 1);
    EXPECT_EQ(narrow.Height(), 5);
}

TEST(TGeometricFilters, CropStretchesThePartBack)
{
    TBitmap b = MakeBitmap(4, 4, {0, 0, 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            SetGrey(b, x, y, 10 * y + x);
    TCropFilter f;
    f.Left = 1;
    f.Top = 1;
    f.Width = 2;
    f.Height = 2;
    ApplyTo(f, b);
    ASSERT_EQ(b.Width(), 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Grey(b, x, y), 10 * (1 + y / 2) + 1 + x / 2) << x << "," << y;
}

TEST(TGeometricFilters, ZoomEnlargesTheCentredPart)
{
    TBitmap b = MakeBitmap(4, 4, {0, 0, 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            SetGrey(b, x, y, 10 * y + x);
    TZoomFilter f;
    f.Percent = 50;  // one pixel off each side
    ApplyTo(f, b);
    EXPECT_EQ(Grey(b, 0, 0), 11);
    EXPECT_EQ(Grey(b, 3, 3), 22);
    EXPECT_EQ(Grey(b, 2, 1), 12);
}

TEST(TGeometricFilters, BevelRaisesTopLeftAndLowersBottomRight)
{
    TBitmap b = MakeBitmap(4, 4, {100, 100, 100});
    TBevelFilter f;
    f.Bright = 10;
    f.Size = 1;
    ApplyTo(f, b);
    EXPECT_EQ(Grey(b, 0, 0), 110);
    EXPECT_EQ(Grey(b, 1, 1), 100);
    EXPECT_EQ(Grey(b, 3, 3), 90);
    EXPECT_EQ(Grey(b, 3, 0), 100);  // top band and right band
    EXPECT_EQ(Grey(b, 2, 3), 90);
}

TEST(TGeometricFilters, ResizeAndTileEdgeCases)
{
    TBitmap b = MakeBitmap(4, 4, {100, 100, 100});
    TResizeFilter r;
    ApplyTo(r, b);
    EXPECT_EQ(b.Width(), 4);
    r.Width = 8;
    r.Height = 2;
    ApplyTo(r, b);
    EXPECT_EQ(b.Width(), 8);
    EXPECT_EQ(b.Height(), 2);

    TTileFilter t;
    t.NumCols = 0;
    t.NumRows = 1;
    TBitmap c = MakeBitmap(4, 4, {100, 100, 100});
    ApplyTo(t, c);
    EXPECT_EQ(t.NumCols, 1);
    EXPECT_EQ(c.Width(), 4);
}

TEST(TResampler, FiltersAtKnownPoints)
{
    // the limit of sin(pi x)/(pi x) at 0 is 1
    EXPECT_DOUBLE_EQ(LanczosFilter(0), 1.0);
    EXPECT_NEAR(LanczosFilter(1), 0.0, 1e-15);
    // sinc(0.5) sinc(1/6) = (2/pi) x (0.5 / (pi/6)) = 6/pi^2
    EXPECT_NEAR(LanczosFilter(0.5), 6.0 / (M_PI * M_PI), 1e-12);
    EXPECT_EQ(LanczosFilter(3.0), 0.0);
    EXPECT_DOUBLE_EQ(TriangleFilter(-0.25), 0.75);
    EXPECT_EQ(TriangleFilter(1.0), 0.0);
}

TEST(TResampler, SameSizeIsIdentityAndHalvingAveragesByHand)
{
    TBitmap src = MakeBitmap(4, 1);
    const int v[4] = {10, 20, 30, 40};
    for (int x = 0; x < 4; ++x)
        SetGrey(src, x, 0, v[x]);
    for (bool fast : {true, false}) {
        TBitmap same(4, 1, pf24bit);
        ResampleBitmap(src, same, fast);
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Grey(same, x, 0), v[x]) << fast;
    }
    // triangle at half size: weights 256, 512, 256 around 0 and 2 (mirrored at the left edge)
    TBitmap half(2, 1, pf24bit);
    ResampleBitmap(src, half, true);
    EXPECT_EQ(Grey(half, 0, 0), 15);  // (512 x 10 + 512 x 20) shr 10
    EXPECT_EQ(Grey(half, 1, 0), 30);  // (256 x 20 + 512 x 30 + 256 x 40) shr 10
}

TEST(TDrawingUtils, PointAlongLineAndHypotenuse)
{
    EXPECT_DOUBLE_EQ(Hypotenuse(3, 4), 5.0);
    EXPECT_EQ(PointAlongLine({0, 0}, {0, 10}, 3), (TPoint{0, 7}));
    EXPECT_EQ(PointAlongLine({0, 10}, {0, 0}, 3), (TPoint{0, 3}));
    // 3-4-5 triangle: 5 back from (3, 4) towards the origin
    EXPECT_EQ(PointAlongLine({0, 0}, {3, 4}, 5), (TPoint{0, 0}));
    TPoint a{1, 2}, c{3, 4};
    SwapPoint(a, c);
    EXPECT_EQ(a, (TPoint{3, 4}));
}

TEST(TPlotFilterRegistry, ClassesInOrderWithTheirTexts)
{
    const char* names[] = {"TInvertFilter", "TGrayScaleFilter", "TMosaicFilter", "TFlipFilter",
                           "TReverseFilter", "TBrightnessFilter", "TContrastFilter", "TColorFilter",
                           "THueLumSatFilter", "TBlurFilter", "TSharpenFilter", "TGammaCorrectionFilter",
                           "TEmbossFilter", "TSoftenFilter", "TCropFilter", "TResizeFilter", "TRotateFilter",
                           "TMirrorFilter", "TTileFilter", "TBevelFilter", "TZoomFilter"};
    const char* texts[] = {"Invert", "Gray scale", "Mosaic", "Flip", "Reverse", "Brightness", "Contrast",
                           "Color", "Hue,Lum,Sat", "Blur", "Sharpen", "Gamma correction", "Emboss",
                           "Antialias", "Crop", "Resize", "Rotate", "Mirror", "Tile", "Bevel", "Zoom"};
    const auto classes = PlotFilterClasses();
    ASSERT_EQ(classes.size(), 21u);
    for (std::size_t i = 0; i < classes.size(); ++i) {
        EXPECT_EQ(classes[i]->ClassName, names[i]);
        EXPECT_EQ(FindFilterClass(names[i]), classes[i]);
        auto f = classes[i]->Create();
        EXPECT_EQ(f->ClassName(), names[i]);
        EXPECT_EQ(f->Description(), texts[i]);
    }
}

TEST(TPlotFilterStream, PropertiesRoundTrip)
{
    TPlotPicture picture;
    auto* rotate = static_cast<TRotateFilter*>(picture.Filters()->Add(*FindFilterClass("TRotateFilter")));
    rotate->Angle = 45.5;
    rotate->BackColor = clRed;
    rotate->AutoSize = false;
    auto* gray = static_cast<TGrayScaleFilter*>(picture.Filters()->Add(*FindFilterClass("TGrayScaleFilter")));
    gray->Method = gmEye2;
    auto* mirror = static_cast<TMirrorFilter*>(picture.Filters()->Add(*FindFilterClass("TMirrorFilter")));
    mirror->Direction = mdLeft;
    picture.Filters()->Add(*FindFilterClass("TMosaicFilter"));
    auto* crop = static_cast<TCropFilter*>(picture.Filters()->Add(*FindFilterClass("TCropFilter")));
    crop->Width = 3;
    crop->Left = 2;
    crop->Smooth = true;

    TPlotPicture copy;
    copy.ReadFilterItems(picture.WriteFilterItems());
    ASSERT_EQ(copy.Filters()->Count(), 5);
    auto* r = dynamic_cast<TRotateFilter*>(copy.Filters()->Item(0));
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Angle, 45.5);
    EXPECT_EQ(r->BackColor, clRed);
    EXPECT_FALSE(r->AutoSize);
    EXPECT_EQ(dynamic_cast<TGrayScaleFilter*>(copy.Filters()->Item(1))->Method, gmEye2);
    EXPECT_EQ(dynamic_cast<TMirrorFilter*>(copy.Filters()->Item(2))->Direction, mdLeft);
    EXPECT_EQ(dynamic_cast<TMosaicFilter*>(copy.Filters()->Item(3))->Amount, 8);
    auto* c = dynamic_cast<TCropFilter*>(copy.Filters()->Item(4));
    EXPECT_EQ(c->Width, 3);
    EXPECT_EQ(c->Left, 2);
    EXPECT_TRUE(c->Smooth);
    // the copy writes the same bytes
    EXPECT_EQ(copy.WriteFilterItems(), picture.WriteFilterItems());
}

TEST(TPlotFilterStream, DefaultsAreNotStored)
{
    TPlotPicture a, b;
    a.Filters()->Add(*FindFilterClass("TGammaCorrectionFilter"));  // 70 is its own default
    b.Filters()->Add(*FindFilterClass("TBrightnessFilter"));
    auto* g = static_cast<TGammaCorrectionFilter*>(a.Filters()->Item(0));
    TPlotPicture ga;
    ga.Filters()->Add(*FindFilterClass("TGammaCorrectionFilter"));
    static_cast<TGammaCorrectionFilter*>(ga.Filters()->Item(0))->Amount = 5;
    EXPECT_LT(a.WriteFilterItems().size(), ga.WriteFilterItems().size());
    EXPECT_EQ(a.WriteFilterItems().size(), b.WriteFilterItems().size() + std::string("TGammaCorrectionFilter").size()
                                                - std::string("TBrightnessFilter").size());
    EXPECT_EQ(g->Amount, 70);
}

TEST(TDrawingUtils, EditColorAnswersWhetherTheColourChanged)
{
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    TColor c = clRed;
    dialogs.QueueColor(std::nullopt);
    EXPECT_FALSE(EditColor(nullptr, c));
    EXPECT_EQ(c, clRed);
    dialogs.QueueColor(clRed);
    EXPECT_FALSE(EditColor(nullptr, c));
    dialogs.QueueColor(clBlue);
    EXPECT_TRUE(EditColor(nullptr, c));
    EXPECT_EQ(c, clBlue);
}

TEST(TPlotFilterEditors, OneControlPerPropertyBoundToTheField)
{
    QWidget parent;
    TBlurFilter blur;
    TFilterEditorForm form(&parent);
    blur.CreateEditor(form);
    ASSERT_NE(form.FirstControl(), nullptr);
    auto boxes = parent.findChildren<QSpinBox*>();
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0]->maximum(), 10000);
    boxes[1]->setValue(4);
    EXPECT_EQ(blur.Steps, 4);

    QWidget other;
    TBrightnessFilter bright;
    TFilterEditorForm brightForm(&other);
    bright.CreateEditor(brightForm);
    auto checks = other.findChildren<QCheckBox*>();
    ASSERT_EQ(checks.size(), 1);
    EXPECT_EQ(checks[0]->text().toStdString(), "Percent");
    checks[0]->setChecked(false);
    EXPECT_FALSE(bright.Percent);

    QWidget third;
    TMosaicFilter mosaic;  // no Percent control
    TFilterEditorForm mosaicForm(&third);
    mosaic.CreateEditor(mosaicForm);
    EXPECT_TRUE(third.findChildren<QCheckBox*>().isEmpty());
}

// Expected values of the Lanczos resampler below come from a separate script
// evaluating its two-pass formula by hand: weights nearest(filter x scale x 1024),
// unnormalised, the sum shifted right by 10 bits (so a flat colour loses a level
// or two).
TEST(TGeometricFilters, TileRepeatsTheShrunkImageInAGrid)
{
    // left half black, right half 200: every row alike
    TBitmap b = MakeBitmap(4, 4, {0, 0, 0});
    for (int y = 0; y < 4; ++y)
        for (int x = 2; x < 4; ++x)
            SetGrey(b, x, y, 200);
    TTileFilter t;
    t.NumCols = 2;
    t.NumRows = 2;
    ApplyTo(t, b);
    ASSERT_EQ(b.Width(), 4);
    ASSERT_EQ(b.Height(), 4);
    // the 4 x 4 image shrunk to a 2 x 2 cell is 0, 148 on both rows; four cells
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Grey(b, x, y), x % 2 == 0 ? 0 : 148) << x << "," << y;

    // 6 x 6 flat (30, 60, 90) in the default 3 x 3 grid: each 2 x 2 cell is (28, 58, 88)
    TBitmap u = MakeBitmap(6, 6, {30, 60, 90});
    TTileFilter d;
    ApplyTo(d, u);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Get(u, x, y), (Rgb{28, 58, 88})) << x << "," << y;
}

TEST(TGeometricFilters, ResizeStretchesThroughTheResampler)
{
    // 4 x 4 flat (30, 60, 90) to 8 x 2: columns alternate one and two levels darker
    TBitmap b = MakeBitmap(4, 4, {30, 60, 90});
    TResizeFilter r;
    r.Width = 8;
    r.Height = 2;
    ApplyTo(r, b);
    ASSERT_EQ(b.Width(), 8);
    ASSERT_EQ(b.Height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(Get(b, x, y), x % 2 == 0 ? (Rgb{29, 59, 89}) : (Rgb{28, 58, 88})) << x << "," << y;

    // the same size keeps every pixel
    TBitmap p = MakeBitmap(3, 2);
    for (int i = 0; i < 6; ++i)
        SetGrey(p, i % 3, i / 3, 40 * i);
    r.Width = 3;
    r.Height = 2;
    ApplyTo(r, p);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Grey(p, i % 3, i / 3), 40 * i) << i;
}

TEST(TConvolveFilters, BlurOfAPartInPlaceMatchesTheFilterOnItsCopy)
{
    std::mt19937 rng(77);
    for (int amount : {1, 2, 0, -3, 5, 100, 248, 249, 256, 257, -300})
        for (int w : {1, 2, 3, 4, 17, 40})
            for (int h : {1, 2, 3, 5, 12}) {
                // a part of a larger picture: the pixels around it stay as they are
                const int stride = w + 6;
                std::vector<std::uint32_t> pixels(static_cast<std::size_t>(stride) * (h + 4));
                for (auto& p : pixels)
                    p = static_cast<std::uint32_t>(rng());
                // dark text on light ground, as shadows are
                for (std::size_t i = 0; i < pixels.size(); i += 3)
                    pixels[i] &= 0xFF1F1F1Fu;
                std::vector<std::uint32_t> expected = pixels;
                TBitmap copy(w, h, pf24bit);
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const std::uint32_t p = pixels[static_cast<std::size_t>((y + 2) * stride + x + 3)];
                        std::uint8_t* d = copy.ScanLine(y) + 3 * x;
                        d[0] = static_cast<std::uint8_t>(p);
                        d[1] = static_cast<std::uint8_t>(p >> 8);
                        d[2] = static_cast<std::uint8_t>(p >> 16);
                    }
                TBlurFilter blur;
                blur.Amount = amount;
                blur.Apply(copy, TRect{0, 0, w - 1, h - 1});
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const std::uint8_t* s = copy.ScanLine(y) + 3 * x;
                        expected[static_cast<std::size_t>((y + 2) * stride + x + 3)] =
                            0xFF000000u | std::uint32_t{s[2]} << 16 | std::uint32_t{s[1]} << 8 | s[0];
                    }
                const bool done = BlurOpaquePart(pixels.data() + 2 * stride + 3, stride, w, h, amount);
                // the table covers centres -255..255 (amounts -254..256)
                ASSERT_EQ(done, amount >= -254 && amount <= 256) << amount;
                if (done) {
                    ASSERT_EQ(pixels, expected) << amount << " " << w << "x" << h;
                }
            }
}
