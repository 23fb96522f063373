// Image filters given values at the ends of their types, as a stream or a
// caller may give them: each ends, within the channel range, or leaves the
// bitmap as it was when it would make a picture no bitmap can hold, without
// an error, as it is applied at every paint (run under the sanitizer build too).
#include <gtest/gtest.h>

#include <QObject>
#include <QPushButton>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <numbers>
#include <string>

#include "chart/back_image.h"
#include "chart/chart.h"
#include "chart/chart_legend.h"
#include "chart/chart_stream.h"
#include "chart/chart_title.h"
#include "chart/chart_walls.h"
#include "chart/filter_editor_form.h"
#include "chart/plot_filters.h"
#include "chart/plot_picture.h"
#include "testing/fake_dialogs.h"

namespace {

// A grey bitmap of 24-bit rows.
TBitmap Grey(int W, int H, int V = 100)
{
    TBitmap b(W, H, pf24bit);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            std::uint8_t* p = b.ScanLine(y) + 3 * x;
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(V);
        }
    return b;
}

// Blue, green and red of a pixel.
std::array<int, 3> At(TBitmap& B, int X, int Y)
{
    B.SetPixelFormat(pf24bit);
    const std::uint8_t* p = B.ScanLine(Y) + 3 * X;
    return {p[0], p[1], p[2]};
}

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TEST(FilterExtremes, RotateReducesAnyFiniteAngleAndRefusesTheRest)
{
    TRotateFilter f;
    // a whole number of turns and a right angle, however many turns
    TBitmap b = Grey(6, 3);
    f.Angle = 360.0 * 1e9 + 90;
    ApplyTo(f, b);
    EXPECT_EQ(f.Angle, 90);
    EXPECT_EQ(b.Width(), 3);
    EXPECT_EQ(b.Height(), 6);

    // by exact integer arithmetic on their binary values, 1e300 is a whole
    // number of turns and 7e299 is 72 degrees beyond one
    TBitmap big = Grey(6, 3);
    f.Angle = 1e300;
    ApplyTo(f, big);
    EXPECT_EQ(f.Angle, 0);
    EXPECT_EQ(big.Width(), 6);
    f.Angle = 7e299;
    ApplyTo(f, big);
    EXPECT_EQ(f.Angle, 72);

    for (double bad : {kInf, -kInf, kNaN}) {
        TBitmap same = Grey(6, 3);
        f.Angle = bad;
        ApplyTo(f, same);
        EXPECT_EQ(same.Width(), 6);
        EXPECT_EQ(same.Height(), 3);
        EXPECT_EQ(At(same, 0, 0), (std::array<int, 3>{100, 100, 100}));
    }
}

TEST(FilterExtremes, RotateWithoutBackColourLeavesTheCornersTransparent)
{
    // black with one pixel of every colour a background might take first
    TBitmap b = Grey(10, 4, 0);
    std::uint8_t* p = b.ScanLine(0);
    p[0] = 0xFE, p[1] = 0x01, p[2] = 0xFE;
    TRotateFilter f;
    f.Angle = 45;
    f.BackColor = clNone;
    ApplyTo(f, b);
    ASSERT_EQ(b.Width(), 10);
    ASSERT_EQ(b.Height(), 10);
    EXPECT_TRUE(b.Transparent());
    const platform::Bitmap drawn = b.ToDrawnBitmap();
    // corners outside the turned image, none of the image's pixels
    EXPECT_EQ(drawn.RawPixel(0, 0) >> 24, 0u);
    EXPECT_EQ(drawn.RawPixel(9, 9) >> 24, 0u);
    EXPECT_EQ(drawn.RawPixel(5, 5), 0xFF000000u);
    EXPECT_NE(b.Pixel(0, 9), 0xFE01FEu);

    // a right angle has no background: nothing turns transparent
    TBitmap r = Grey(10, 4, 0);
    f.Angle = 90;
    ApplyTo(f, r);
    EXPECT_FALSE(r.Transparent());

    // white stays white
    TBitmap w = Grey(10, 4, 0);
    f.Angle = 45;
    f.BackColor = clWhite;
    ApplyTo(f, w);
    EXPECT_FALSE(w.Transparent());
    EXPECT_EQ(At(w, 0, 0), (std::array<int, 3>{255, 255, 255}));
}

TEST(FilterExtremes, RotateWithoutBackColourFindsAFreeColourInAnImageOfManyColours)
{
    // every colour from the one a background takes first onwards, each once
    constexpr int kSide = 1024;
    TBitmap b(kSide, kSide, pf24bit);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const TColor c = (0xFE01FEu + static_cast<TColor>(y * kSide + x)) & 0xFFFFFFu;
            std::uint8_t* p = b.ScanLine(y) + 3 * x;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    TRotateFilter f;
    f.Angle = 45;
    f.BackColor = clNone;
    ApplyTo(f, b);
    ASSERT_GT(b.Width(), kSide);
    EXPECT_TRUE(b.Transparent());
    const TColor key = b.Pixel(0, b.Height() - 1);
    const platform::Bitmap drawn = b.ToDrawnBitmap();
    EXPECT_EQ(drawn.RawPixel(0, 0) >> 24, 0u);
    // the background's colour is none of the image's
    const TColor rgb = key & 0xFFFFFFu;
    EXPECT_GE((rgb - 0xFE01FEu) & 0xFFFFFFu, static_cast<TColor>(kSide * kSide)) << std::hex << key;
    EXPECT_EQ(drawn.RawPixel(b.Width() / 2, b.Height() / 2) >> 24, 0xFFu);
}

TEST(FilterExtremes, PictureTurnedWithoutBackColourIsDrawnTransparent)
{
    TPlotPicture picture;
    const TBitmap b = Grey(10, 4, 0);
    picture.SetGraphic(&b);
    auto* f = static_cast<TRotateFilter*>(picture.Filters()->Add(*FindFilterClass("TRotateFilter")));
    f->Angle = 30;
    f->BackColor = clNone;
    const TGraphic* g = picture.FilteredGraphic();
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->Transparent());
    EXPECT_FALSE(picture.Graphic()->Transparent());
}

// Two colours off the channels' ends, as every colour filter changes them.
constexpr TColor kBlue = RGB(40, 80, 200);
constexpr TColor kRed = RGB(200, 60, 30);

// Blue with a red top-left quarter.
TBitmap TwoColours()
{
    TBitmap b(40, 20);
    b.Fill(kBlue);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            b.SetPixel(x, y, kRed);
    return b;
}

// The pixels of G as drawn: transparent ones, those of one of Colours, others.
struct TDrawnPixels {
    int Transparent = 0;
    int Listed = 0;
    int Other = 0;
};

TDrawnPixels CountDrawn(const TGraphic* G, std::initializer_list<TColor> Colours)
{
    TDrawnPixels n;
    const platform::Bitmap drawn = dynamic_cast<const TBitmap&>(*G).ToDrawnBitmap();
    for (int y = 0; y < drawn.Height(); ++y)
        for (int x = 0; x < drawn.Width(); ++x) {
            const std::uint32_t p = drawn.RawPixel(x, y);
            if (p >> 24 == 0) {
                ++n.Transparent;
                continue;
            }
            const bool listed = std::any_of(Colours.begin(), Colours.end(), [p](TColor c) {
                return (platform::ColorToArgb(c) & 0xFFFFFFu) == (p & 0xFFFFFFu);
            });
            ++(listed ? n.Listed : n.Other);
        }
    return n;
}

// A colour filter after a turn without a back colour: the background stays
// transparent, whatever the turn covers of the corners; the picture shows in
// the filter's colours only.
TEST(FilterExtremes, ColourFiltersAfterATurnKeepItsBackgroundTransparent)
{
    const struct {
        const char* Class;
        std::function<void(TPlotFilter&)> Set;
    } filters[] = {
        {"TInvertFilter", [](TPlotFilter&) {}},
        {"TGrayScaleFilter", [](TPlotFilter& f) { static_cast<TGrayScaleFilter&>(f).Method = gmEye; }},
        {"TBrightnessFilter", [](TPlotFilter& f) { static_cast<TBrightnessFilter&>(f).Amount = 20; }},
        {"TContrastFilter", [](TPlotFilter& f) { static_cast<TContrastFilter&>(f).Amount = 50; }},
        {"TColorFilter", [](TPlotFilter& f) { static_cast<TColorFilter&>(f).Green = 40; }},
        {"THueLumSatFilter", [](TPlotFilter& f) { static_cast<THueLumSatFilter&>(f).Luminance = 30; }},
        {"TGammaCorrectionFilter", [](TPlotFilter&) {}},
    };
    for (const auto& each : filters) {
        // the filter's colours for the picture's, on a plain bitmap
        TBitmap plain(2, 1);
        plain.SetPixel(0, 0, kBlue);
        plain.SetPixel(1, 0, kRed);
        {
            const std::unique_ptr<TPlotFilter> f = FindFilterClass(each.Class)->Create();
            each.Set(*f);
            ApplyTo(*f, plain);
        }
        const TColor blue = plain.Pixel(0, 0), red = plain.Pixel(1, 0);
        ASSERT_NE(blue, kBlue) << each.Class;
        ASSERT_NE(red, kRed) << each.Class;
        for (double angle : {1.0, 45.0, 300.0}) {
            for (bool part : {false, true}) {
                SCOPED_TRACE(std::string(each.Class) + " after " + std::to_string(angle) + (part ? ", on a part" : ""));
                TPlotPicture picture;
                const TBitmap b = TwoColours();
                picture.SetGraphic(&b);
                auto* turn = static_cast<TRotateFilter*>(picture.Filters()->Add(*FindFilterClass("TRotateFilter")));
                turn->Angle = angle;
                turn->BackColor = clNone;
                TPlotFilter* f = picture.Filters()->Add(*FindFilterClass(each.Class));
                each.Set(*f);
                if (part) {
                    // the left half only: there the picture's colours change
                    f->Region()->Width = 20;
                }
                const TDrawnPixels n = CountDrawn(picture.FilteredGraphic(),
                                                  part ? std::initializer_list<TColor>{blue, red, kBlue, kRed}
                                                       : std::initializer_list<TColor>{blue, red});
                EXPECT_GT(n.Transparent, 0);
                EXPECT_EQ(n.Other, 0);
                EXPECT_NEAR(n.Listed, 40 * 20, 2 * (40 + 20));
            }
        }
    }
}

// Turned twice, or a transparent picture turned: what was transparent stays
// so, and so does what the turn uncovers.
TEST(FilterExtremes, ATurnKeepsWhatWasTransparentBeforeIt)
{
    {
        TPlotPicture picture;
        const TBitmap b = TwoColours();
        picture.SetGraphic(&b);
        for (double angle : {30.0, 15.0}) {
            auto* turn = static_cast<TRotateFilter*>(picture.Filters()->Add(*FindFilterClass("TRotateFilter")));
            turn->Angle = angle;
            turn->BackColor = clNone;
        }
        const TDrawnPixels n = CountDrawn(picture.FilteredGraphic(), {kBlue, kRed});
        EXPECT_GT(n.Transparent, 0);
        EXPECT_EQ(n.Other, 0);
        EXPECT_NEAR(n.Listed, 40 * 20, 4 * (40 + 20));
    }
    for (double angle : {1.0, 30.0}) {
        SCOPED_TRACE(angle);
        // white around a blue block, the white drawn transparent
        TBitmap b(40, 20);
        b.Fill(clWhite);
        for (int y = 5; y < 15; ++y)
            for (int x = 10; x < 30; ++x)
                b.SetPixel(x, y, kBlue);
        b.SetTransparent(true);
        TPlotPicture picture;
        picture.SetGraphic(&b);
        auto* turn = static_cast<TRotateFilter*>(picture.Filters()->Add(*FindFilterClass("TRotateFilter")));
        turn->Angle = angle;
        turn->BackColor = clNone;
        const TDrawnPixels n = CountDrawn(picture.FilteredGraphic(), {kBlue});
        EXPECT_EQ(n.Other, 0);
        EXPECT_NEAR(n.Listed, 20 * 10, 2 * (20 + 10));
    }
}

// The turned picture's transparent colour is not stored: read back, the
// chart's filters make it again.
TEST(FilterExtremes, ATurnWithoutBackColourIsTransparentAgainWhenRead)
{
    TChart chart;
    const TBitmap b = TwoColours();
    chart.BackImage()->SetGraphic(&b);
    auto* turn = static_cast<TRotateFilter*>(chart.BackImage()->Filters()->Add(*FindFilterClass("TRotateFilter")));
    turn->Angle = 1;
    turn->BackColor = clNone;
    TChart copy;
    QObject form;
    ReadChart(copy, &form, WriteChart(chart));
    ASSERT_TRUE(copy.BackImage()->HasGraphic());
    EXPECT_FALSE(copy.BackImage()->Graphic()->Transparent());
    const TDrawnPixels n = CountDrawn(copy.BackImage()->FilteredGraphic(), {kBlue, kRed});
    EXPECT_GT(n.Transparent, 0);
    EXPECT_EQ(n.Other, 0);
    EXPECT_NEAR(n.Listed, 40 * 20, 2 * (40 + 20));
}

// A picture turned without a back colour, drawn as a shown chart's back
// image over the chart's own colour: the chart shows through everywhere
// around the turned picture, whatever the turn covers of the bitmap's
// corners, and the picture itself stays whole and opaque.
// Where a turned back image is shown, and its size before the turn.
constexpr int kLeft = 60, kTop = 50, kW = 40, kH = 20;

// A shown red chart of 240 x 180 whose back image, a picture of Colour,
// is turned by Angle without a back colour, then filtered by Then.
QImage ShownTurnedBackImage(TColor Colour, double Angle, const std::function<void(TFilterItems&)>& Then = {})
{
    TChart chart;
    chart.resize(240, 180);
    chart.SetView3D(false);
    chart.SetAxisVisible(false);
    chart.Title()->SetVisible(false);
    chart.Legend()->SetVisible(false);
    chart.BackWall()->SetVisible(false);
    chart.SetBevelOuter(bvNone);
    chart.SetColor(clRed);
    TBackImage& image = *chart.BackImage();
    TBitmap picture(kW, kH);
    picture.Fill(Colour);
    image.SetGraphic(&picture);
    image.SetMode(pbmCustom);
    image.SetLeft(kLeft);
    image.SetTop(kTop);
    auto* f = static_cast<TRotateFilter*>(image.Filters()->Add(*FindFilterClass("TRotateFilter")));
    f->Angle = Angle;
    f->BackColor = clNone;
    if (Then)
        Then(*image.Filters());
    chart.show();
    if (!QTest::qWaitForWindowExposed(&chart))
        return {};
    return chart.grab().toImage();
}

class TurnedBackImage : public ::testing::TestWithParam<double> {};

TEST_P(TurnedBackImage, ShowsTheChartAroundThePictureOnly)
{
    const double angle = GetParam();
    const QImage shown = ShownTurnedBackImage(clBlue, angle);
    ASSERT_EQ(shown.width(), 240);

    // where the picture's centre lands: the middle of the turned bitmap
    const double rad = angle * std::numbers::pi / 180;
    const double tw = std::abs(std::nearbyint(kW * std::cos(rad))) + std::abs(std::nearbyint(kH * std::sin(rad)));
    const double th = std::abs(std::nearbyint(kW * std::sin(rad))) + std::abs(std::nearbyint(kH * std::cos(rad)));
    const double cx = kLeft + (tw - 1) / 2;
    const double cy = kTop + (th - 1) / 2;
    int blue = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb p = shown.pixel(x, y) & 0xFFFFFF;
            // along the picture's own axes, turned counter-clockwise on screen
            const double dx = x - cx, dy = y - cy;
            const double u = std::abs(dx * std::cos(rad) - dy * std::sin(rad));
            const double v = std::abs(dx * std::sin(rad) + dy * std::cos(rad));
            const bool inside = u < kW / 2.0 - 1.5 && v < kH / 2.0 - 1.5;
            const bool outside = u > kW / 2.0 + 1.5 || v > kH / 2.0 + 1.5;
            if (inside)
                ASSERT_EQ(p, 0x0000FFu) << "(" << x << ", " << y << ") inside the picture";
            else if (outside)
                ASSERT_EQ(p, 0xFF0000u) << "(" << x << ", " << y << ") around the picture";
            else
                ASSERT_TRUE(p == 0x0000FFu || p == 0xFF0000u) << std::hex << p << " at (" << std::dec << x << ", "
                                                              << y << ") on the picture's edge";
            blue += p == 0x0000FFu;
        }
    // as many pixels as the picture has, give or take its edges
    EXPECT_NEAR(blue, kW * kH, 2 * (kW + kH));
}

INSTANTIATE_TEST_SUITE_P(FilterExtremes, TurnedBackImage, ::testing::Values(1.0, 30.0, 89.0, 181.0, 269.0, 300.0));

// A picture turned without a back colour, then greyed, as a shown chart's
// back image: its pixels all grey to one value, the very value the first
// free colour of the turn greys to; the picture shows whole in its grey and
// the chart around it.
TEST(FilterExtremes, TurnedThenGreyedBackImageShowsThePictureInItsGrey)
{
    constexpr TColor kPink = RGB(200, 150, 158);
    for (TGrayMethod method : {gmSimple, gmEye, gmEye2}) {
        SCOPED_TRACE(static_cast<int>(method));
        // the grey of the picture's colour, on a plain bitmap
        TBitmap plain(1, 1);
        plain.SetPixel(0, 0, kPink);
        {
            TGrayScaleFilter grey;
            grey.Method = method;
            ApplyTo(grey, plain);
        }
        const QRgb grey = platform::ColorToArgb(plain.Pixel(0, 0)) & 0xFFFFFFu;
        ASSERT_NE(grey, 0xFF0000u);
        const QImage shown = ShownTurnedBackImage(kPink, 30, [method](TFilterItems& Filters) {
            static_cast<TGrayScaleFilter*>(Filters.Add(*FindFilterClass("TGrayScaleFilter")))->Method = method;
        });
        ASSERT_EQ(shown.width(), 240);
        int greyed = 0, other = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb p = shown.pixel(x, y) & 0xFFFFFF;
                greyed += p == grey;
                other += p != grey && p != 0xFF0000u;
            }
        EXPECT_EQ(other, 0);
        EXPECT_NEAR(greyed, kW * kH, 2 * (kW + kH));
    }
}

TEST(FilterExtremes, RotateEditorOffersTheBackColour)
{
    platform::FakeDialogs dialogs;
    platform::ScopedDialogs scoped(dialogs);
    QWidget parent;
    TRotateFilter f;
    TFilterEditorForm form(&parent);
    f.CreateEditor(form);
    QPushButton* back = nullptr;
    for (QPushButton* b : parent.findChildren<QPushButton*>())
        if (b->text() == "Back")
            back = b;
    ASSERT_NE(back, nullptr);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    dialogs.QueueColor(clNone);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(f.BackColor, clNone);
    dialogs.QueueColor(std::nullopt);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(f.BackColor, clNone);
    dialogs.QueueColor(clRed);
    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(f.BackColor, clRed);
}

TEST(FilterExtremes, ChannelAmountsAtTheEndsOfInt)
{
    const auto apply = [](TPlotFilter& F) {
        TBitmap b = Grey(4, 4);
        ApplyTo(F, b);
        return At(b, 0, 0);
    };
    const std::array<int, 3> white{255, 255, 255}, black{0, 0, 0};
    TBrightnessFilter bright;
    for (bool percent : {false, true}) {
        bright.Percent = percent;
        bright.Amount = INT_MAX;
        EXPECT_EQ(apply(bright), white);
        bright.Amount = INT_MIN;
        EXPECT_EQ(apply(bright), black);
    }
    TColorFilter colour;
    colour.Red = INT_MAX;
    colour.Green = INT_MIN;
    colour.Blue = INT_MIN + 1;
    EXPECT_EQ(apply(colour), (std::array<int, 3>{0, 0, 255}));
    THueLumSatFilter hls;
    hls.Luminance = INT_MAX;
    hls.Hue = INT_MIN;
    EXPECT_EQ(apply(hls), white);
    TGammaCorrectionFilter gamma;
    gamma.Amount = INT_MIN;
    EXPECT_EQ(apply(gamma)[0], 255);  // g = 2.1e7: every level but 0 becomes 255
    TMosaicFilter mosaic;
    mosaic.Amount = INT_MAX;
    EXPECT_EQ(apply(mosaic), (std::array<int, 3>{100, 100, 100}));

    // the bevel's bands: raised at the top left, lowered at the bottom right
    TBevelFilter bevel;
    bevel.Size = INT_MAX;
    bevel.Bright = INT_MIN;
    TBitmap b = Grey(4, 4);
    ApplyTo(bevel, b);
    EXPECT_EQ(At(b, 0, 0), black);
    EXPECT_EQ(At(b, 3, 3), white);
    bevel.Bright = INT_MAX;
    TBitmap c = Grey(4, 4);
    ApplyTo(bevel, c);
    EXPECT_EQ(At(c, 0, 0), white);
    EXPECT_EQ(At(c, 3, 3), black);
}

TEST(FilterExtremes, SizesNoPictureCanHaveAreLeftUndone)
{
    // true when the bitmap is left as it was, no error raised
    const auto refused = [](TPlotFilter& F) {
        TBitmap b = Grey(4, 4);
        EXPECT_NO_THROW(ApplyTo(F, b));
        return b.Width() == 4 && b.Height() == 4 && At(b, 0, 0) == std::array<int, 3>{100, 100, 100}
               && At(b, 3, 3) == std::array<int, 3>{100, 100, 100};
    };
    TResizeFilter resize;
    resize.Width = INT_MAX;
    resize.Height = INT_MAX;
    EXPECT_TRUE(refused(resize));
    resize.Width = 40000;
    resize.Height = 2;
    EXPECT_TRUE(refused(resize));
    resize.Width = 9000;
    resize.Height = 9000;
    EXPECT_TRUE(refused(resize));
    TCropFilter crop;
    crop.Width = INT_MAX;
    crop.Height = 1;
    EXPECT_TRUE(refused(crop));
    TZoomFilter zoom;
    zoom.Percent = -1e300;
    EXPECT_TRUE(refused(zoom));

    // sizes a picture may have
    resize.Width = 3;
    resize.Height = 5;
    EXPECT_FALSE(refused(resize));
    resize.Width = 32767;
    resize.Height = 2;
    TBitmap wide = Grey(4, 4);
    ApplyTo(resize, wide);
    EXPECT_EQ(wide.Width(), 32767);
    EXPECT_EQ(wide.Height(), 2);
    resize.Width = 32768;
    EXPECT_TRUE(refused(resize));
    zoom.Percent = -50;
    TBitmap zoomed = Grey(4, 4);
    zoomed.ScanLine(0)[0] = 0;
    ApplyTo(zoom, zoomed);
    EXPECT_NE(At(zoomed, 0, 0)[0], 0);
}

TEST(FilterExtremes, CropFarOutsideIsWhiteAndZoomRefusesNoNumber)
{
    TCropFilter crop;
    crop.Width = 2;
    crop.Height = 2;
    for (int at : {INT_MIN, INT_MAX}) {
        crop.Left = at;
        crop.Top = at;
        TBitmap b = Grey(4, 4);
        ApplyTo(crop, b);
        EXPECT_EQ(At(b, 1, 1), (std::array<int, 3>{255, 255, 255}));
    }
    TZoomFilter zoom;
    for (double bad : {kInf, -kInf, kNaN, 1e300}) {
        zoom.Percent = bad;
        TBitmap b = Grey(4, 4);
        ApplyTo(zoom, b);
        EXPECT_EQ(b.Width(), 4);
        EXPECT_EQ(At(b, 2, 2), (std::array<int, 3>{100, 100, 100}));
    }
}
