#include "chart/plot_shadow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

#include "chart/plot_canvas_3d.h"
#include "platform/qt_drawing_device.h"
#include "testing/recording_device.h"
#include "support/recording_canvas.h"
#include "support/pixel_compare.h"

namespace {

class ShadowOnRecorder : public CanvasOnRecorderTest {
protected:
    void SetUp() override
    {
        CanvasOnRecorderTest::SetUp();
        canvas.Projection(0, TRect{0, 0, 200, 150});
        device.ClearLog();
    }

    TPlotShadow shadow;
};

platform::Bitmap Row(std::initializer_list<int> greys)
{
    platform::Bitmap b(static_cast<int>(greys.size()), 1);
    int x = 0;
    for (int g : greys)
        b.SetPixel(x++, 0, RGB(static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(g)));
    return b;
}

// The blur as first written, pixel by pixel over a copy of the bitmap, with
// the weights cut at the edges and a 64-bit division per channel: the
// reference the row-wise blur must match exactly.
void ReferenceBlurPass(platform::Bitmap& p, int r, int smoothBlur, bool horizontal, int bandX, int bandY, bool plain)
{
    if (r == 0)
        return;
    const std::vector<std::int64_t> w = ShadowKernel(r, smoothBlur);
    const int width = p.Width();
    const int height = p.Height();
    const platform::Bitmap in = p;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (plain && x < width - bandX && y < height - bandY)
                continue;
            std::int64_t sr = 0, sg = 0, sb = 0, sw = 0;
            for (int k = -r; k <= r; ++k) {
                const int xx = horizontal ? x + k : x;
                const int yy = horizontal ? y : y + k;
                if (xx < 0 || yy < 0 || xx >= width || yy >= height)
                    continue;
                const std::int64_t wk = w[static_cast<std::size_t>(k + r)];
                const std::uint32_t c = in.RawPixel(xx, yy);
                sr += wk * ((c >> 16) & 0xFF);
                sg += wk * ((c >> 8) & 0xFF);
                sb += wk * (c & 0xFF);
                sw += wk;
            }
            if (sw == 0)
                sw = 1;
            const auto ch = [sw](std::int64_t v) { return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v / sw, 0, 255)); };
            p.SetRawPixel(x, y, 0xFF000000u | (ch(sr) << 16) | (ch(sg) << 8) | ch(sb));
        }
    }
}

void ReferenceBlur(platform::Bitmap& p, int rx, int ry, int smoothBlur, bool plain)
{
    rx = std::abs(rx);
    ry = std::abs(ry);
    ReferenceBlurPass(p, rx, smoothBlur, true, 2 * rx + 1, 2 * ry + 1, plain);
    ReferenceBlurPass(p, ry, smoothBlur, false, 2 * rx + 1, 2 * ry + 1, plain);
}

platform::Bitmap Noise(int width, int height, unsigned seed)
{
    std::mt19937 generator(seed);
    platform::Bitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetRawPixel(x, y, 0xFF000000u | (generator() & 0xFFFFFFu));
    return b;
}

}  // namespace

TEST(ShadowKernel, WeightsFallFromTheCentre)
{
    EXPECT_EQ(ShadowKernel(0, 0), (std::vector<std::int64_t>{100000}));
    // Base 1.818: outer weights 100000 / 1.818^3 = 100000 / 6.008715 = 16642.5 (below the half)
    const auto w = ShadowKernel(3, 0);
    ASSERT_EQ(w.size(), 7u);
    EXPECT_EQ(w[3], 100000);
    EXPECT_EQ(w[0], 16642);
    EXPECT_EQ(w[6], w[0]);
    EXPECT_EQ(w[1], w[5]);
    EXPECT_GT(w[2], w[1]);
    // radius 1: 100000 / 1.818 = 55005.5005 -> 55006
    EXPECT_EQ(ShadowKernel(1, 0)[0], 55006);
    EXPECT_EQ(ShadowKernel(-1, 0).size(), 3u);
}

TEST(ShadowBlur, WeightedMeanCutAtTheEdges)
{
    platform::Bitmap b = Row({0, 0, 255, 0, 0});
    BlurShadowPixels(b, 1, 0, 0, false);
    // centre 255 x 100000 / 210012; neighbours 255 x 55006 / 210012; the edge pixel
    // takes only the weights inside the bitmap
    EXPECT_EQ(GetRValue(b.Pixel(2, 0)), 121);
    EXPECT_EQ(GetRValue(b.Pixel(1, 0)), 66);
    EXPECT_EQ(GetRValue(b.Pixel(3, 0)), 66);
    EXPECT_EQ(GetRValue(b.Pixel(0, 0)), 0);
}

TEST(ShadowBlur, WideRadiusSumsDoNotOverflow)
{
    // (2 x 60 + 1) x 100000 x 255 is beyond 32 bits
    platform::Bitmap b(130, 1, 0xFFFFFFFF);
    BlurShadowPixels(b, 60, 0, 0, false);
    for (int x = 0; x < 130; ++x)
        ASSERT_EQ(b.Pixel(x, 0), clWhite) << x;
}

TEST(ShadowBlur, PlainRectangleChangesOnlyTheRightAndBottomBands)
{
    platform::Bitmap b(10, 10, 0xFFFFFFFF);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            if ((x + y) % 2)
                b.SetPixel(x, y, clBlack);
    const platform::Bitmap before = b;
    BlurShadowPixels(b, 1, 1, 0, true);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(b.RawPixel(x, y), before.RawPixel(x, y)) << x << "," << y;
    EXPECT_NE(b.RawPixel(8, 8), before.RawPixel(8, 8));
}

TEST_F(ShadowOnRecorder, NoColourOrNoSizeDrawsNothing)
{
    shadow.SetTransparency(50);
    shadow.SetSize(3);
    shadow.SetColor(clNone);
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    shadow.SetColor(clBlack);
    shadow.SetSize(0);
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    EXPECT_TRUE(device.DrawingLines().empty());
}

TEST_F(ShadowOnRecorder, FlatShadowFillsTheTwoStrips)
{
    shadow.SetSmooth(false);
    shadow.SetSize(4);
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    EXPECT_EQ(device.DrawingLines(true),
              (Lines{"Polygon(14,30 54,30 54,34 14,34) pen=[null 1 0x000000] brush=[solid 0xC0C0C0] font=[Arial -11 400]",
                     "Polygon(50,14 54,14 54,34 50,34) pen=[null 1 0x000000] brush=[solid 0xC0C0C0] font=[Arial -11 400]"}));
    device.ClearLog();
    canvas.Begin2DSection();
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    shadow.SetHorizSize(-4);
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    canvas.End2DSection();
    EXPECT_EQ(device.DrawingLines(), (Lines{"Rectangle(14,30,54,35)", "Rectangle(50,14,55,35)",
                                            "Rectangle(6,30,46,35)", "Rectangle(11,14,6,35)"}));
}

TEST_F(ShadowOnRecorder, WithoutABufferASmoothShadowIsGradedLines)
{
    shadow.SetColor(clBlack);
    shadow.SetSize(2);
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    // step round(255 / 2) = 128 (127.5, halves to even)
    EXPECT_EQ(device.DrawingLines(true),
              (Lines{"LineTo(52,30) pen=[solid 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]",
                     "LineTo(52,31) pen=[solid 1 0x808080] brush=[solid 0xFFFFFF] font=[Arial -11 400]",
                     "LineTo(50,32) pen=[solid 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]",
                     "SetPixel(50,32,0x000000) pen=[solid 1 0x000000] brush=[solid 0xFFFFFF] font=[Arial -11 400]",
                     "LineTo(51,32) pen=[solid 1 0x808080] brush=[solid 0xFFFFFF] font=[Arial -11 400]",
                     "SetPixel(51,32,0x808080) pen=[solid 1 0x808080] brush=[solid 0xFFFFFF] font=[Arial -11 400]"}));
}

TEST_F(ShadowOnRecorder, TransparencyBlendsTheShadow)
{
    shadow.SetSmooth(false);
    shadow.SetSize(4);
    shadow.SetTransparency(50);
    canvas.Bounds = TRect{0, 0, 200, 150};
    shadow.DrawRect(canvas, TRect{10, 10, 50, 30});
    const auto blends = device.CallsNamed("AlphaBlend");
    ASSERT_EQ(blends.size(), 1u);
    EXPECT_EQ(blends[0].args[0], "14");
    EXPECT_EQ(blends[0].args.back(), "128");
}

TEST_F(ShadowOnRecorder, EllipseShadows)
{
    shadow.SetSize(3);
    shadow.SetSmooth(false);
    shadow.DrawEllipse(canvas, TRect{10, 10, 50, 30}, 0);
    EXPECT_EQ(device.DrawingLines(), (Lines{"Ellipse(13,13,54,34)"}));
    device.ClearLog();
    shadow.SetSmooth(true);
    shadow.DrawEllipse(canvas, TRect{10, 10, 50, 30}, 0);
    // clipped radial fill from silver darkened by 128 to silver brightened by 32
    const auto fills = device.CallsNamed("FillRect");
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].brush, "solid 0xE0E0E0");
    EXPECT_EQ(device.CallsNamed("Ellipse").back().brush, "solid 0x404040");
    EXPECT_FALSE(device.GetClipRgn().has_value());
}

TEST_F(ShadowOnRecorder, PolygonShadowIsOffset)
{
    shadow.SetSize(2);
    const TPoint p[3] = {{0, 0}, {10, 0}, {0, 10}};
    shadow.DrawPolygon(canvas, p);
    EXPECT_EQ(device.DrawingLines(), (Lines{"Polygon(2,2 12,2 2,12)"}));
}

TEST(ShadowOnBuffer, SmoothShadowStaysInsideTheBuffer)
{
    platform::RecordingDevice window(100, 80);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 100, 80});
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetSize(5);
    shadow.DrawRect(canvas, TRect{80, 60, 100, 80});  // runs past the buffer's edge
    ASSERT_NE(canvas.Bitmap(), nullptr);
    EXPECT_EQ(canvas.Bitmap()->GetPixel(0, 0), clWhite);
}

TEST(ShadowStoring, OnlyWhatDiffersFromTheInstanceDefaults)
{
    TPlotShadow shadow;
    EXPECT_FALSE(shadow.IsColorStored());
    EXPECT_FALSE(shadow.IsHorizSizeStored());
    EXPECT_FALSE(shadow.IsVertSizeStored());
    EXPECT_FALSE(shadow.IsVisibleStored());
    // an owner's own defaults are not stored either
    shadow.InitColor(clBlack);
    shadow.InitSize(3);
    EXPECT_EQ(shadow.Color(), clBlack);
    EXPECT_EQ(shadow.GetSize(), 3);
    EXPECT_FALSE(shadow.IsColorStored());
    EXPECT_FALSE(shadow.IsHorizSizeStored());
    EXPECT_FALSE(shadow.IsVertSizeStored());
    // each size against the one default size
    shadow.SetVertSize(5);
    EXPECT_FALSE(shadow.IsHorizSizeStored());
    EXPECT_TRUE(shadow.IsVertSizeStored());
    shadow.SetColor(clSilver);
    EXPECT_TRUE(shadow.IsColorStored());
    shadow.SetVisible(false);
    EXPECT_TRUE(shadow.IsVisibleStored());
}

struct BlurCase {
    int Width;
    int Height;
    int RadiusX;
    int RadiusY;
    int SmoothBlur;
    bool Plain;
};

class ShadowBlurMatchesReference : public ::testing::TestWithParam<BlurCase> {};

TEST_P(ShadowBlurMatchesReference, PixelForPixel)
{
    const BlurCase c = GetParam();
    platform::Bitmap fast = Noise(c.Width, c.Height, 7u + static_cast<unsigned>(c.RadiusX * 31 + c.RadiusY));
    platform::Bitmap reference = fast;
    BlurShadowPixels(fast, c.RadiusX, c.RadiusY, c.SmoothBlur, c.Plain);
    ReferenceBlur(reference, c.RadiusX, c.RadiusY, c.SmoothBlur, c.Plain);
    EXPECT_EQ(DifferingPixels(fast, reference), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ShadowBlurMatchesReference,
                         ::testing::Values(BlurCase{40, 30, 3, 3, 0, false}, BlurCase{40, 30, 5, 2, 0, true},
                                           BlurCase{37, 23, -4, 6, 250, false}, BlurCase{25, 19, 0, 4, 0, true},
                                           BlurCase{25, 19, 4, 0, 90, false},
                                           // bands wider than the bitmap, kernels longer than it
                                           BlurCase{6, 5, 4, 3, 0, true}, BlurCase{9, 70, 30, 45, 0, false},
                                           // outer weights that round to 0
                                           BlurCase{80, 3, 30, 1, 0, false},
                                           // a kernel whose sums pass 32 bits: red and blue summed apart
                                           BlurCase{20, 3, 6000, 0, 0, false}));

namespace {

// The smooth rectangle or ellipse shadow as first written: the area under the
// shadow copied to a scratch device, the shape filled there, the reference
// blur over it, and every pixel written back into the buffer.
void ReferenceSmoothShadow(platform::DrawingDevice& dest, const TRect& shape, bool ellipse, int size, TColor colour)
{
    const int sw = shape.Right - shape.Left;
    const int sh = shape.Bottom - shape.Top;
    const int w = std::max(1, sw + 1 + 2 * size);
    const int h = std::max(1, sh + 1 + 2 * size);
    const platform::Point origin{shape.Left, shape.Top};  // offset size, less the size
    std::unique_ptr<platform::DrawingDevice> temp = dest.CreateCompatible(w, h);
    temp->BitBlt(0, 0, w, h, dest.Surface(), origin.x, origin.y, platform::Rop3::SrcCopy);
    temp->SelectPen(platform::PenDesc::NullPen());
    temp->SelectBrush(platform::BrushDesc::Solid(colour));
    if (ellipse)
        temp->Ellipse(size, size, size + sw + 1, size + sh + 1);
    else
        temp->Rectangle(size, size, size + sw + 1, size + sh + 1);
    platform::Bitmap pixels = temp->Surface();
    ReferenceBlur(pixels, size, size, 0, !ellipse);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (dest.Surface().Contains(origin.x + x, origin.y + y))
                dest.ScanLine(origin.y + y)[origin.x + x] = pixels.RawPixel(x, y);
}

}  // namespace

TEST(ShadowOnBuffer, SmoothShadowMatchesTheReferenceAndTouchesOnlyItsArea)
{
    for (const bool ellipse : {false, true}) {
        for (const TRect shape : {TRect{50, 40, 170, 110}, TRect{230, 150, 290, 200}}) {  // the second runs past the edge
            platform::QtDrawingDevice windowA(260, 180);
            platform::QtDrawingDevice windowB(260, 180);
            TPlotCanvas3D fast;
            TPlotCanvas3D reference;
            fast.InitWindow(&windowA, nullptr, clWhite, false, TRect{0, 0, 260, 180});
            reference.InitWindow(&windowB, nullptr, clWhite, false, TRect{0, 0, 260, 180});
            const platform::Bitmap noise = Noise(261, 181, 3u);
            for (platform::DrawingDevice* d : {fast.Bitmap(), reference.Bitmap()})
                for (int y = 0; y < 181; ++y)
                    std::copy_n(noise.ScanLine(y), 261, d->ScanLine(y));
            TPlotShadow shadow;
            shadow.SetColor(clNavy);
            shadow.SetSize(6);
            if (ellipse)
                shadow.DrawEllipse(fast, shape, 0);
            else
                shadow.DrawRect(fast, shape);
            ReferenceSmoothShadow(*reference.Bitmap(), shape, ellipse, 6, clNavy);
            EXPECT_EQ(DifferingPixels(fast.Bitmap()->Surface(), reference.Bitmap()->Surface()), 0)
                << ellipse << " " << shape.Left;
            // outside the shadow's bitmap nothing moved
            const TRect area{shape.Left, shape.Top, shape.Right + 12, shape.Bottom + 12};
            const platform::Bitmap& after = fast.Bitmap()->Surface();
            int changedInside = 0;
            for (int y = 0; y < after.Height(); ++y)
                for (int x = 0; x < after.Width(); ++x) {
                    const bool inside = x >= area.Left && x <= area.Right && y >= area.Top && y <= area.Bottom;
                    if (!inside)
                        ASSERT_EQ(after.RawPixel(x, y), noise.RawPixel(x, y)) << x << "," << y;
                    else
                        changedInside += after.RawPixel(x, y) != noise.RawPixel(x, y);
                }
            EXPECT_GT(changedInside, 100);
        }
    }
}

TEST(ShadowReach, TheOffsetOrTheBlurredBitmapPastTheShape)
{
    TPlotShadow shadow;
    shadow.SetHorizSize(3);
    shadow.SetVertSize(2);
    EXPECT_EQ(shadow.HorizReach(), 3 + 3 + 1);
    EXPECT_EQ(shadow.VertReach(), 2 + 2 + 1);
    shadow.SetSmooth(false);
    EXPECT_EQ(shadow.HorizReach(), 3);
    EXPECT_EQ(shadow.VertReach(), 2);
    shadow.SetHorizSize(-4);
    EXPECT_EQ(shadow.HorizReach(), 0);
    shadow.SetSmooth(true);
    EXPECT_EQ(shadow.HorizReach(), 1);  // blurred from the offset shape back to the shape's edge
    shadow.SetVisible(false);
    EXPECT_EQ(shadow.VertReach(), 0);
    shadow.SetVisible(true);
    shadow.SetColor(clNone);
    EXPECT_EQ(shadow.VertReach(), 0);
}

// The last column and row the blurred shadow writes are its reach past the shape.
TEST(ShadowReach, MatchesThePixelsTheBlurWrites)
{
    for (const int size : {1, 3, 6}) {
        platform::QtDrawingDevice window(200, 160);
        TPlotCanvas3D canvas;
        canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 200, 160});
        const platform::Bitmap noise = Noise(201, 161, 5u);
        for (int y = 0; y < 161; ++y)
            std::copy_n(noise.ScanLine(y), 201, canvas.Bitmap()->ScanLine(y));
        TPlotShadow shadow;
        shadow.SetColor(clBlack);
        shadow.SetSize(size);
        const TRect shape{40, 30, 90, 70};
        shadow.DrawRect(canvas, shape);
        const platform::Bitmap& after = canvas.Bitmap()->Surface();
        int right = -1;
        int bottom = -1;
        for (int y = 0; y < after.Height(); ++y)
            for (int x = 0; x < after.Width(); ++x)
                if (after.RawPixel(x, y) != noise.RawPixel(x, y)) {
                    right = std::max(right, x);
                    bottom = std::max(bottom, y);
                }
        EXPECT_EQ(right, shape.Right + shadow.HorizReach() - 1) << size;
        EXPECT_EQ(bottom, shape.Bottom + shadow.VertReach() - 1) << size;
    }
}
