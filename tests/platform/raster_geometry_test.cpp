#include "platform/raster_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <set>
#include <utility>

using namespace platform;

namespace {

std::set<std::pair<int, int>> Pixels(const SpanList& spans)
{
    std::set<std::pair<int, int>> out;
    for (const Span& s : spans)
        for (int x = s.x0; x < s.x1; ++x)
            out.insert({x, s.y});
    return out;
}

std::vector<std::pair<int, int>> Line(Point a, Point b, bool last, const Rect& limit)
{
    std::vector<std::pair<int, int>> out;
    LinePixels(a, b, last, limit, [&](int x, int y, std::int64_t) { out.push_back({x, y}); });
    return out;
}

}  // namespace

TEST(RasterSpans, FillsAgreeWithTheCentreSampleTests)
{
    std::mt19937 gen(1234);
    std::uniform_real_distribution<double> coord(-5.0, 45.0);
    const Rect limit{0, 0, 40, 40};
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<std::vector<PointF>> polys(2);
        for (auto& poly : polys)
            for (int i = 0; i < 6; ++i)
                poly.push_back({coord(gen), coord(gen)});
        for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding}) {
            const auto got = Pixels(PolygonSpans(polys, mode, limit));
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(got.count({x, y}) == 1, PointInPolygons(polys, mode, x + 0.5, y + 0.5))
                        << trial << " " << x << "," << y;
        }
        const double l = coord(gen), t = coord(gen);
        const double r = l + std::abs(coord(gen)), b = t + std::abs(coord(gen));
        const auto ell = Pixels(EllipseSpans(l, t, r, b, limit));
        const double cw = std::abs(coord(gen)), ch = std::abs(coord(gen));
        const auto rr = Pixels(RoundRectSpans(l, t, r, b, cw, ch, limit));
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                ASSERT_EQ(ell.count({x, y}) == 1, PointInEllipse(x + 0.5, y + 0.5, l, t, r, b)) << x << "," << y;
                ASSERT_EQ(rr.count({x, y}) == 1, PointInRoundRect(x + 0.5, y + 0.5, l, t, r, b, cw, ch))
                    << x << "," << y;
            }
    }
}

TEST(RasterSpans, QuickRowsGiveTheSpansOfTheGeneralRows)
{
    // area pieces (two vertical sides), thin slivers, triangles, vertices on
    // pixel centres and edges, several polygons, both rules, partly outside
    std::mt19937 gen(99);
    std::uniform_real_distribution<double> coord(-10.0, 110.0);
    std::uniform_int_distribution<int> whole(-10, 110);
    const Rect limit{0, 0, 100, 100};
    const auto centre = [&] { return whole(gen) + 0.5; };
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<std::vector<PointF>> polys;
        const int kind = trial % 5;
        if (kind == 0) {
            // zero, one or two columns wide, or within one column
            const double x0 = centre() - (trial % 2) * 0.3, x1 = x0 + std::abs(whole(gen)) % 3 * 0.5,
                         bottom = centre();
            polys.push_back({{x0, centre()}, {x1, centre()}, {x1, bottom}, {x0, bottom}});
        } else if (kind == 1) {
            polys.push_back({{coord(gen), coord(gen)}, {coord(gen), coord(gen)}, {coord(gen), coord(gen)}});
        } else if (kind == 2) {
            std::vector<PointF> p;
            for (int i = 0; i < 7; ++i)
                p.push_back({centre(), centre()});
            polys.push_back(p);
        } else {
            for (int k = 0; k < kind - 1; ++k) {
                std::vector<PointF> p;
                for (int i = 0; i < 4 + k; ++i)
                    p.push_back({coord(gen), coord(gen)});
                polys.push_back(p);
            }
        }
        for (PolyFillMode mode : {PolyFillMode::Alternate, PolyFillMode::Winding})
            ASSERT_EQ(PolygonSpans(polys, mode, limit), PolygonSpans(polys, mode, limit, false)) << trial;
    }
}

TEST(RasterSpans, SquareAndCircleExtents)
{
    // a polygon on pixel corners fills [left, right) x [top, bottom)
    const auto sq = PolygonSpans({{{2, 3}, {7, 3}, {7, 9}, {2, 9}}}, PolyFillMode::Alternate, {0, 0, 20, 20});
    EXPECT_EQ(SpansBounds(sq), (Rect{2, 3, 7, 9}));
    EXPECT_EQ(Pixels(sq).size(), 30u);
    // a circle of diameter 10: four-fold symmetric, widest rows 10 pixels
    const auto c = EllipseSpans(0, 0, 10, 10, {0, 0, 20, 20});
    EXPECT_EQ(SpansBounds(c), (Rect{0, 0, 10, 10}));
    for (const Span& s : c)
        EXPECT_EQ(s.x0, 10 - s.x1);
    EXPECT_EQ(CombineSpans(sq, c, ClipCombine::And).size() > 0, true);
}

TEST(RasterSpans, HugeShapesCostOnlyTheirVisibleRows)
{
    const Rect limit{0, 0, 40, 40};
    const auto rr = RoundRectSpans(-1e8, -1e8, 1e8, 1e8, 5e7, 5e7, limit);
    EXPECT_EQ(Pixels(rr).size(), 1600u);
    const auto e = EllipseSpans(-1e8, -1e8, 1e8, 1e8, limit);
    EXPECT_EQ(Pixels(e).size(), 1600u);
    const auto p = PolygonSpans({{{-1e9, -1e9}, {1e9, -1e9}, {0, 1e9}}}, PolyFillMode::Alternate, limit);
    EXPECT_EQ(Pixels(p).size(), 1600u);
}

TEST(RasterSpans, CombineSpansByRow)
{
    const SpanList a = {{0, 0, 10}, {1, 0, 10}};
    const SpanList b = {{0, 5, 15}, {2, 0, 3}};
    EXPECT_EQ(CombineSpans(a, b, ClipCombine::And), (SpanList{{0, 5, 10}}));
    EXPECT_EQ(CombineSpans(a, b, ClipCombine::Or), (SpanList{{0, 0, 15}, {1, 0, 10}, {2, 0, 3}}));
    EXPECT_EQ(CombineSpans(a, b, ClipCombine::Xor), (SpanList{{0, 0, 5}, {0, 10, 15}, {1, 0, 10}, {2, 0, 3}}));
    EXPECT_EQ(CombineSpans(a, b, ClipCombine::Diff), (SpanList{{0, 0, 5}, {1, 0, 10}}));
}

TEST(RasterLines, StepsOnePixelPerMajorStep)
{
    const Rect all{-100, -100, 100, 100};
    // a tie on the minor axis takes the smaller coordinate
    EXPECT_EQ(Line({0, 0}, {4, 2}, true, all),
              (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}));
    EXPECT_EQ(Line({0, 0}, {0, -3}, false, all), (std::vector<std::pair<int, int>>{{0, 0}, {0, -1}, {0, -2}}));
    EXPECT_TRUE(Line({5, 5}, {5, 5}, false, all).empty());
    EXPECT_EQ(Line({5, 5}, {5, 5}, true, all).size(), 1u);
}

TEST(RasterLines, TiesTakeTheSmallerMinorCoordinateInEveryOctant)
{
    using Pixels = std::vector<std::pair<int, int>>;
    const Rect all{-100, -100, 100, 100};
    // slopes of 1/2 from (10, 10): every other step is a tie; drawn by hand
    // with the tie on the upper row (x-major) or the left column (y-major)
    EXPECT_EQ(Line({10, 10}, {14, 12}, false, all), (Pixels{{10, 10}, {11, 10}, {12, 11}, {13, 11}}));
    EXPECT_EQ(Line({10, 10}, {12, 14}, false, all), (Pixels{{10, 10}, {10, 11}, {11, 12}, {11, 13}}));
    EXPECT_EQ(Line({10, 10}, {8, 14}, false, all), (Pixels{{10, 10}, {9, 11}, {9, 12}, {8, 13}}));
    EXPECT_EQ(Line({10, 10}, {6, 12}, false, all), (Pixels{{10, 10}, {9, 10}, {8, 11}, {7, 11}}));
    EXPECT_EQ(Line({10, 10}, {6, 8}, false, all), (Pixels{{10, 10}, {9, 9}, {8, 9}, {7, 8}}));
    EXPECT_EQ(Line({10, 10}, {8, 6}, false, all), (Pixels{{10, 10}, {9, 9}, {9, 8}, {8, 7}}));
    EXPECT_EQ(Line({10, 10}, {12, 6}, false, all), (Pixels{{10, 10}, {10, 9}, {11, 8}, {11, 7}}));
    EXPECT_EQ(Line({10, 10}, {14, 8}, false, all), (Pixels{{10, 10}, {11, 9}, {12, 9}, {13, 8}}));
    // slope 3/2 and 1/6 (ties at odd steps only)
    EXPECT_EQ(Line({0, 0}, {-2, -3}, true, all), (Pixels{{0, 0}, {-1, -1}, {-1, -2}, {-2, -3}}));
    EXPECT_EQ(Line({0, 0}, {6, -1}, true, all),
              (Pixels{{0, 0}, {1, 0}, {2, 0}, {3, -1}, {4, -1}, {5, -1}, {6, -1}}));

    // a line and its reverse cover the same pixels
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> coord(-30, 30);
    for (int trial = 0; trial < 300; ++trial) {
        const Point a{coord(gen), coord(gen)};
        const Point b{coord(gen), coord(gen)};
        auto forward = Line(a, b, true, all);
        auto backward = Line(b, a, true, all);
        std::sort(forward.begin(), forward.end());
        std::sort(backward.begin(), backward.end());
        ASSERT_EQ(forward, backward) << a.x << "," << a.y << " " << b.x << "," << b.y;
    }
}

TEST(RasterLines, ClippingKeepsTheSamePixelsAndSteps)
{
    std::mt19937 gen(99);
    std::uniform_int_distribution<int> coord(-60, 60);
    const Rect limit{-10, -8, 12, 15};
    for (int trial = 0; trial < 200; ++trial) {
        const Point a{coord(gen), coord(gen)};
        const Point b{coord(gen), coord(gen)};
        std::vector<std::tuple<int, int, std::int64_t>> full;
        std::vector<std::tuple<int, int, std::int64_t>> clipped;
        LinePixels(a, b, false, {-1000, -1000, 1000, 1000}, [&](int x, int y, std::int64_t k) {
            if (x >= limit.left && x < limit.right && y >= limit.top && y < limit.bottom)
                full.emplace_back(x, y, k);
        });
        LinePixels(a, b, false, limit, [&](int x, int y, std::int64_t k) { clipped.emplace_back(x, y, k); });
        ASSERT_EQ(full, clipped) << trial;
    }
}

TEST(RasterArcs, ParametricAngleFindsThePointOnTheRadial)
{
    // on a 2:1 ellipse the radial at 45 degrees meets the curve at x = y
    const double t = ParametricAngle(20, 10, 1, 1);
    const double x = 20 * std::cos(t);
    const double y = 10 * std::sin(t);
    EXPECT_NEAR(x, y, 1e-9);
    EXPECT_NEAR(x * x / 400 + y * y / 100, 1.0, 1e-12);
    const auto pts = EllipseArcPoints(0, 0, 20, 10, 0, 3.14159265358979323846 / 2);
    EXPECT_NEAR(pts.front().x, 20, 1e-9);
    EXPECT_NEAR(pts.back().y, -10, 1e-9);  // counter-clockwise on screen goes up
}

TEST(RasterLines, LinesInsideTheLimitMatchTheClippedWalkOfTheirExtension)
{
    // a line wholly inside the limit is walked without the clip search; the
    // line twice as long, cut by the same limit, is walked with it and steps
    // through the same pixels first (k * 2m / 2n rounds as k * m / n)
    std::mt19937 rng(11);
    const Rect limit{-40, -30, 50, 35};
    for (int i = 0; i < 2000; ++i) {
        const Point a{static_cast<int>(rng() % 90) - 40, static_cast<int>(rng() % 65) - 30};
        const Point b{static_cast<int>(rng() % 90) - 40, static_cast<int>(rng() % 65) - 30};
        const Point c{2 * b.x - a.x, 2 * b.y - a.y};
        const auto inside = Line(a, b, true, limit);
        const auto longer = Line(a, c, true, limit);
        ASSERT_LE(inside.size(), longer.size());
        ASSERT_TRUE(std::equal(inside.begin(), inside.end(), longer.begin()))
            << a.x << "," << a.y << " " << b.x << "," << b.y;
        const auto open = Line(a, b, false, limit);
        ASSERT_EQ(open.size(), std::max<std::size_t>(inside.size(), 1) - 1);
    }
}
