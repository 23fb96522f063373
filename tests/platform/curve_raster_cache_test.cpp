#include "platform/curve_raster_cache.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "platform/qt_drawing_device.h"

using namespace platform;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The same drawing on two devices: one through the curve cache, one without it
// (the shapes' own flattening, rounding and walking: the reference).
struct Pair {
    QtDrawingDevice cached{160, 120};
    QtDrawingDevice plain{160, 120};

    Pair()
    {
        // a background with every pixel different, so ROPs and gaps show
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x) {
                const std::uint32_t p = 0xFF000000u | static_cast<std::uint32_t>((x * 37 + y * 101) & 0xFFFFFF);
                cached.SetPixel(x, y, static_cast<TColor>(p & 0xFFFFFF));
                plain.SetPixel(x, y, static_cast<TColor>(p & 0xFFFFFF));
            }
    }
    void Both(const std::function<void(QtDrawingDevice&)>& draw)
    {
        draw(cached);
        CurveRasterCache::SetEnabled(false);
        draw(plain);
        CurveRasterCache::SetEnabled(true);
    }
    // The first differing pixel, or "" when the surfaces match.
    std::string Difference() const
    {
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x)
                if (cached.Surface().RawPixel(x, y) != plain.Surface().RawPixel(x, y))
                    return "pixel " + std::to_string(x) + "," + std::to_string(y);
        return {};
    }
};

// Where shapes go: inside, over each edge, and beyond the surface.
const int kPlaces[][2] = {{5, 7}, {-9, 30}, {120, -6}, {70, 95}, {131, 100}, {-40, -40}, {33, 61}};

}  // namespace

TEST(CurveRasterCache, EllipsesOfEverySizeMatchTheShapesOwnPixels)
{
    Pair pair;
    int shape = 0;
    for (int w = 1; w <= 48; ++w)
        for (int h = 1; h <= 48; ++h) {
            // each size at three places: built at the first, moved to the others
            for (int k = 0; k < 3; ++k, ++shape) {
                const int* at = kPlaces[(w * 7 + h * 3 + k) % 7];
                pair.Both([&](QtDrawingDevice& d) {
                    d.SelectPen(PenDesc::Solid(static_cast<TColor>(shape * 2654435761u & 0xFFFFFF)));
                    if (shape % 4 == 3)
                        d.SelectBrush(BrushDesc::NullBrush());
                    else
                        d.SelectBrush(BrushDesc::Solid(static_cast<TColor>(shape * 40503u & 0xFFFFFF)));
                    d.SetPolyFillMode(shape % 5 == 0 ? PolyFillMode::Winding : PolyFillMode::Alternate);
                    d.Ellipse(at[0], at[1], at[0] + w, at[1] + h);
                });
            }
            ASSERT_EQ(pair.Difference(), "") << w << "x" << h;
        }
}

TEST(CurveRasterCache, LargeEllipsesMatch)
{
    Pair pair;
    for (int w : {60, 97, 150, 201, 333})
        for (int h : {59, 120, 199, 260}) {
            for (int k = 0; k < 3; ++k)
                pair.Both([&](QtDrawingDevice& d) {
                    d.SelectPen(PenDesc::Solid(static_cast<TColor>(w * 977 + h * 31 + k)));
                    d.SelectBrush(BrushDesc::Solid(static_cast<TColor>(w * 131 + h * 7919 + k)));
                    d.Ellipse(-w / 3 + 17 * k, -h / 4 + 23 * k, -w / 3 + 17 * k + w, -h / 4 + 23 * k + h);
                });
            ASSERT_EQ(pair.Difference(), "") << w << "x" << h;
        }
}

TEST(CurveRasterCache, RoundRectsPiesAndChordsMatch)
{
    Pair pair;
    std::mt19937 rng(20261209);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 4000; ++i) {
        const int w = pick(1, 70);
        const int h = pick(1, 70);
        const int cw = pick(-10, 80);
        const int ch = pick(-10, 80);
        // radial points anywhere about the box, also on its centre
        const int sx = pick(-20, w + 20), sy = pick(-20, h + 20);
        const int ex = i % 9 == 0 ? sx : pick(-20, w + 20), ey = i % 9 == 0 ? sy : pick(-20, h + 20);
        const int kind = i % 3;
        const bool clockwise = i % 7 < 3;
        for (int k = 0; k < 3; ++k) {
            const int* at = kPlaces[(i + k * 3) % 7];
            const int x = at[0], y = at[1];
            pair.Both([&](QtDrawingDevice& d) {
                d.SelectPen(PenDesc::Solid(static_cast<TColor>(i * 2654435761u & 0xFFFFFF)));
                d.SelectBrush(i % 5 == 4 ? BrushDesc::NullBrush()
                                         : BrushDesc::Solid(static_cast<TColor>(i * 40503u & 0xFFFFFF)));
                d.SetPolyFillMode(i % 4 == 0 ? PolyFillMode::Winding : PolyFillMode::Alternate);
                d.SetArcDirection(clockwise ? ArcDirection::Clockwise : ArcDirection::CounterClockwise);
                if (kind == 0)
                    d.RoundRect(x, y, x + w, y + h, cw, ch);
                else if (kind == 1)
                    d.Pie(x, y, x + w, y + h, x + sx, y + sy, x + ex, y + ey);
                else
                    d.Chord(x + w, y + h, x, y, x + sx, y + sy, x + ex, y + ey);  // corners either way round
            });
        }
        ASSERT_EQ(pair.Difference(), "") << "shape " << i << " kind " << kind << " " << w << "x" << h;
    }
}

TEST(CurveRasterCache, RopsClipsAndViewportsMatch)
{
    Pair pair;
    const Rop2 rops[] = {Rop2::CopyPen, Rop2::XorPen, Rop2::NotXorPen, Rop2::MaskPen, Rop2::Not};
    for (int i = 0; i < 1500; ++i) {
        const int w = 2 + (i * 7) % 45;
        const int h = 2 + (i * 13) % 41;
        const int clip = i % 4;
        for (int k = 0; k < 3; ++k) {
            const int* at = kPlaces[(i + k) % 7];
            pair.Both([&](QtDrawingDevice& d) {
                d.SetViewportOrg({(i % 3) * 5 - 5, (i % 5) * 3 - 6});
                if (clip == 1)
                    d.SelectClipRgn(Region::FromRect({10, 12, 120, 90}));
                else if (clip == 2)
                    d.SelectClipRgn(Region::FromRects({{0, 0, 50, 60}, {70, 20, 150, 110}}));
                else if (clip == 3)
                    d.SelectClipRgn(Region::FromEllipse({20, 10, 140, 115}));
                else
                    d.SelectClipRgn(std::nullopt);
                d.SetROP2(rops[i % 5]);
                d.SelectPen(PenDesc::Solid(static_cast<TColor>(i * 2654435761u & 0xFFFFFF)));
                // brushes under a ROP other than copying go through the mask: left to the shapes
                d.SelectBrush(i % 2 ? BrushDesc::NullBrush() : BrushDesc::Hatched(HatchStyle::Cross, clBlue));
                if (i % 3 == 0)
                    d.Ellipse(at[0], at[1], at[0] + w, at[1] + h);
                else if (i % 3 == 1)
                    d.RoundRect(at[0], at[1], at[0] + w, at[1] + h, w / 2, h / 3);
                else
                    d.Pie(at[0], at[1], at[0] + w, at[1] + h, at[0], at[1] + h / 2, at[0] + w, at[1]);
                d.SetViewportOrg({0, 0});
                d.SelectClipRgn(std::nullopt);
                d.SetROP2(Rop2::CopyPen);
            });
        }
        ASSERT_EQ(pair.Difference(), "") << "case " << i;
    }
}

TEST(CurveRasterCache, MostArcsMoveExactly)
{
    // the cache serves a size only when its points move exactly: nearly all do
    int shiftable = 0;
    int total = 0;
    for (int w = 1; w <= 120; ++w)
        for (int h = 1; h <= 120; h += 7, ++total)
            shiftable += EllipseArcShiftable((w - 1) / 2.0, (h - 1) / 2.0, 0, 2 * kPi);
    EXPECT_GE(shiftable, total * 99 / 100);
    // 4096 rx cos 0 = 1.5: a tie on the grid, which a move may round either way
    EXPECT_FALSE(EllipseArcShiftable(1.5 / 4096, 1, 0, 2 * kPi));
}

TEST(CurveRasterCache, PolygonCrossingsJustOffWholeColumnsDoNotMove)
{
    // crossings k/2 * 4: whole or half, exact anywhere
    EXPECT_TRUE(PolygonSpansShiftable({{0.5, 0.5}, {4.5, 2.5}, {0.5, 6.5}}));
    // the crossing one row down an edge of 49 by 49 is (1/49) * 49 rounded:
    // just below 1, which a move may round onto the whole column
    EXPECT_TRUE((1.0 / 49.0) * 49.0 < 1.0);
    EXPECT_FALSE(PolygonSpansShiftable({{0.5, 0.5}, {49.5, 49.5}, {0.5, 49.5}}));
}

TEST(StrokeCache, WideLinesMatchTheirOwnStrokeWhereverTheyAre)
{
    Pair pair;
    const Rop2 rops[] = {Rop2::CopyPen, Rop2::XorPen, Rop2::NotXorPen, Rop2::MaskPen};
    const PenEndCap caps[] = {PenEndCap::Round, PenEndCap::Flat, PenEndCap::Square};
    const PenJoin joins[] = {PenJoin::Round, PenJoin::Bevel, PenJoin::Miter};
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> run(-45, 45);
    std::uniform_int_distribution<int> place(-30, 180);
    for (int i = 0; i < 3000; ++i) {
        const int width = 2 + i % 13;
        const int dx = i % 17 == 0 ? 0 : run(random);
        const int dy = i % 19 == 0 ? 0 : run(random);
        // each run drawn at two places: built at the first, moved to the second
        for (int k = 0; k < 2; ++k) {
            const int x = place(random) % 170;
            const int y = place(random) % 130;
            pair.Both([&](QtDrawingDevice& d) {
                if (i % 4 == 1)
                    d.SelectClipRgn(Region::FromRects({{0, 0, 50, 60}, {70, 20, 150, 110}}));
                else if (i % 4 == 2)
                    d.SelectClipRgn(Region::FromEllipse({20, 10, 140, 115}));
                d.SetViewportOrg({(i % 3) * 4 - 4, 0});
                d.SetROP2(rops[i % 4]);
                d.SelectPen(PenDesc::Geometric(PenStyle::Solid, width, static_cast<TColor>(i * 2654435761u & 0xFFFFFF),
                                               caps[(i / 4) % 3], joins[(i / 12) % 3]));
                d.MoveTo(x, y);
                d.LineTo(x + dx, y + dy);
                d.SetViewportOrg({0, 0});
                d.SelectClipRgn(std::nullopt);
                d.SetROP2(Rop2::CopyPen);
            });
        }
        ASSERT_EQ(pair.Difference(), "") << "case " << i;
    }
}

TEST(StrokeCache, AWideLineCoversTheSamePixelsMovedByWholePixels)
{
    // a 3-pixel round-ended line from two places, without the cache: the
    // stroke does not depend on where it lies
    CurveRasterCache::SetEnabled(false);
    QtDrawingDevice here(200, 200);
    QtDrawingDevice there(200, 200);
    for (QtDrawingDevice* d : {&here, &there}) {
        d->SelectBrush(BrushDesc::Solid(clWhite));
        d->FillRect({0, 0, 200, 200});
        d->SelectPen(PenDesc::Geometric(PenStyle::Solid, 3, clBlack));
    }
    here.MoveTo(10, 20);
    here.LineTo(47, 33);
    there.MoveTo(10 + 101, 20 + 137);
    there.LineTo(47 + 101, 33 + 137);
    CurveRasterCache::SetEnabled(true);
    int painted = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(here.Surface().RawPixel(x, y), there.Surface().RawPixel(x + 101, y + 137)) << x << "," << y;
            painted += (here.Surface().RawPixel(x, y) & 0xFFFFFF) == 0 ? 1 : 0;
        }
    // about the line's length (39.2) times its width
    EXPECT_GT(painted, 110);
    EXPECT_LT(painted, 130);
}
