#include "platform/qt_drawing_device.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include <functional>
#include <limits>
#include <random>
#include <tuple>

#include "platform/system_colors.h"

using namespace platform;

namespace {

// Bounding box of the pixels that differ from white (right/bottom exclusive).
Rect InkBox(const DrawingDevice& d)
{
    Rect r{d.Width(), d.Height(), -1, -1};
    for (int y = 0; y < d.Height(); ++y)
        for (int x = 0; x < d.Width(); ++x)
            if (d.GetPixel(x, y) != clWhite) {
                r.left = std::min(r.left, x);
                r.top = std::min(r.top, y);
                r.right = std::max(r.right, x + 1);
                r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

int CountColor(const DrawingDevice& d, TColor c)
{
    int n = 0;
    for (int y = 0; y < d.Height(); ++y)
        for (int x = 0; x < d.Width(); ++x)
            n += d.GetPixel(x, y) == c;
    return n;
}

// ArcTo's box and radial points.
struct ArcArgs {
    int x1, y1, x2, y2, x3, y3, x4, y4;
};

// A path for a black fill with no pen: from start an outer arc counter-
// clockwise, then an inner one back clockwise.
void RingPath(DrawingDevice& d, Point start, const ArcArgs& outer, const ArcArgs& inner)
{
    d.SelectPen(PenDesc::NullPen());
    d.SelectBrush(BrushDesc::Solid(clBlack));
    d.MoveTo(start.x, start.y);
    d.BeginPath();
    d.ArcTo(outer.x1, outer.y1, outer.x2, outer.y2, outer.x3, outer.y3, outer.x4, outer.y4);
    d.SetArcDirection(ArcDirection::Clockwise);
    d.ArcTo(inner.x1, inner.y1, inner.x2, inner.y2, inner.x3, inner.y3, inner.x4, inner.y4);
    d.SetArcDirection(ArcDirection::CounterClockwise);
    d.EndPath();
}

class QtDevice : public ::testing::Test {
protected:
    QtDrawingDevice dev{40, 40};
    void SetUp() override { dev.SetBkMode(BackMode::Transparent); }
};

}  // namespace

TEST_F(QtDevice, RectangleLeavesOutRightAndBottomEdges)
{
    dev.SelectPen(PenDesc::Solid(clBlack));
    dev.SelectBrush(BrushDesc::Solid(clRed));
    dev.Rectangle(2, 3, 12, 10);
    EXPECT_EQ(InkBox(dev), (Rect{2, 3, 12, 10}));
    EXPECT_EQ(dev.GetPixel(2, 3), clBlack);
    EXPECT_EQ(dev.GetPixel(11, 9), clBlack);
    EXPECT_EQ(dev.GetPixel(11, 5), clBlack);
    EXPECT_EQ(dev.GetPixel(3, 4), clRed);
    EXPECT_EQ(dev.GetPixel(10, 8), clRed);
    EXPECT_EQ(CountColor(dev, clRed), 8 * 5);
    EXPECT_EQ(CountColor(dev, clBlack), 2 * 10 + 2 * 5);
}

TEST_F(QtDevice, NullPenShapesFillOnePixelLess)
{
    dev.SelectPen(PenDesc::NullPen());
    dev.SelectBrush(BrushDesc::Solid(clBlue));
    dev.Rectangle(2, 3, 12, 10);
    EXPECT_EQ(InkBox(dev), (Rect{2, 3, 11, 9}));
    EXPECT_EQ(CountColor(dev, clBlue), 9 * 6);

    QtDrawingDevice e(40, 40);
    e.SelectPen(PenDesc::NullPen());
    e.SelectBrush(BrushDesc::Solid(clBlue));
    e.Ellipse(0, 0, 20, 10);
    EXPECT_EQ(InkBox(e), (Rect{0, 0, 19, 9}));
}

TEST_F(QtDevice, EllipseSpansItsBoxWithoutRightAndBottomEdges)
{
    dev.SelectPen(PenDesc::Solid(clBlack));
    dev.SelectBrush(BrushDesc::Solid(clLime));
    dev.Ellipse(4, 6, 24, 16);
    EXPECT_EQ(InkBox(dev), (Rect{4, 6, 24, 16}));
    // outline at the four extremes, fill in the middle
    EXPECT_EQ(dev.GetPixel(4, 11), clBlack);
    EXPECT_EQ(dev.GetPixel(23, 11), clBlack);
    EXPECT_EQ(dev.GetPixel(14, 6), clBlack);
    EXPECT_EQ(dev.GetPixel(14, 15), clBlack);
    EXPECT_EQ(dev.GetPixel(14, 11), clLime);
    EXPECT_EQ(dev.GetPixel(4, 6), clWhite);
    // symmetric about the box centre
    for (int y = 6; y < 16; ++y)
        for (int x = 4; x < 24; ++x)
            EXPECT_EQ(dev.GetPixel(x, y) == clWhite, dev.GetPixel(27 - x, 21 - y) == clWhite) << x << "," << y;
}

TEST_F(QtDevice, LinesLeaveOutTheirLastPixel)
{
    dev.SelectPen(PenDesc::Solid(clBlack));
    dev.MoveTo(1, 1);
    dev.LineTo(10, 1);
    EXPECT_EQ(dev.GetPixel(1, 1), clBlack);
    EXPECT_EQ(dev.GetPixel(9, 1), clBlack);
    EXPECT_EQ(dev.GetPixel(10, 1), clWhite);
    EXPECT_EQ(dev.GetCurrentPosition(), (Point{10, 1}));

    const Point pts[] = {{1, 5}, {5, 5}, {5, 9}};
    dev.Polyline(pts, 3);
    EXPECT_EQ(dev.GetPixel(5, 5), clBlack);
    EXPECT_EQ(dev.GetPixel(5, 8), clBlack);
    EXPECT_EQ(dev.GetPixel(5, 9), clWhite);
    EXPECT_EQ(CountColor(dev, clBlack), 9 + 8);

    // our own stepping: the minor coordinate rounds, a tie to the smaller one
    QtDrawingDevice d(10, 10);
    d.MoveTo(0, 0);
    d.LineTo(4, 2);
    EXPECT_EQ(d.GetPixel(0, 0), clBlack);
    EXPECT_EQ(d.GetPixel(1, 0), clBlack);
    EXPECT_EQ(d.GetPixel(2, 1), clBlack);
    EXPECT_EQ(d.GetPixel(3, 1), clBlack);
    EXPECT_EQ(CountColor(d, clBlack), 4);
}

TEST_F(QtDevice, LinesFarOutsideAreClippedWithoutWalkingThem)
{
    dev.MoveTo(-2000000000, 20);
    dev.LineTo(2000000000, 20);
    EXPECT_EQ(CountColor(dev, clBlack), 40);
    dev.MoveTo(-1000000000, -1000000000);
    dev.LineTo(1000000000, 1000000000);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(dev.GetPixel(i, i), clBlack) << i;
}

// Lines from the ends of the int range: the pixels on the device are drawn,
// with or without a clip of several rectangles.
TEST_F(QtDevice, LinesFromTheEndsOfTheIntRangeKeepTheirPixels)
{
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    for (const bool clipped : {false, true}) {
        QtDrawingDevice d(40, 40);
        if (clipped) {
            // rows [0, 20) and [30, 40)
            d.ExtSelectClipRgn(Region::FromRect({0, 0, 40, 20}), ClipCombine::Copy);
            d.ExtSelectClipRgn(Region::FromRect({0, 30, 40, 40}), ClipCombine::Or);
        }
        d.SelectPen(PenDesc::Solid(clBlack));
        d.MoveTo(kMax, 5);
        d.LineTo(30, 5);  // 31 .. 39
        d.MoveTo(5, kMax);
        d.LineTo(5, 33);  // 34 .. 39
        d.MoveTo(kMin, 32);
        d.LineTo(kMax, 32);  // the whole row
        d.MoveTo(kMax, kMax);
        d.LineTo(kMax, kMax);
        EXPECT_EQ(CountColor(d, clBlack), 9 + 6 + 40) << clipped;
        EXPECT_EQ(d.GetPixel(31, 5), clBlack) << clipped;
        EXPECT_EQ(d.GetPixel(30, 5), clWhite) << clipped;
        EXPECT_EQ(d.GetPixel(5, 34), clBlack) << clipped;
        EXPECT_EQ(d.GetPixel(5, 33), clWhite) << clipped;
    }
}

TEST_F(QtDevice, XorDrawnTwiceLeavesTheImageUnchanged)
{
    dev.SelectBrush(BrushDesc::Solid(RGB(10, 200, 30)));
    dev.FillRect({0, 0, 20, 40});
    dev.SelectBrush(BrushDesc::Hatched(HatchStyle::DiagCross, clBlue));
    dev.FillRect({20, 0, 40, 40});
    const Bitmap before = dev.Surface();

    auto drawAll = [&] {
        dev.SelectPen(PenDesc::Solid(RGB(200, 100, 50)));
        dev.SelectBrush(BrushDesc::Solid(RGB(1, 2, 3)));
        dev.Rectangle(3, 3, 30, 30);
        dev.Ellipse(5, 8, 35, 38);
        const Point star[] = {{20, 0}, {30, 39}, {0, 12}, {39, 12}, {8, 39}};
        dev.Polygon(star, 5);
        dev.Pie(0, 0, 39, 39, 39, 20, 20, 0);
        dev.MoveTo(0, 39);
        dev.LineTo(39, 0);
        dev.SelectPen(PenDesc::Geometric(PenStyle::Solid, 4, clRed, PenEndCap::Round));
        dev.MoveTo(2, 20);
        dev.LineTo(37, 25);
    };
    dev.SetROP2(Rop2::XorPen);
    drawAll();
    EXPECT_FALSE(dev.Surface() == before);
    drawAll();
    EXPECT_TRUE(dev.Surface() == before);

    dev.SetROP2(Rop2::NotXorPen);
    drawAll();
    drawAll();
    EXPECT_TRUE(dev.Surface() == before);
}

TEST_F(QtDevice, StyledPensStepPixelExactly)
{
    dev.SelectPen(PenDesc::Cosmetic(PenStyle::Dot, clBlack));
    dev.MoveTo(0, 0);
    dev.LineTo(20, 0);
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(dev.GetPixel(x, 0) == clBlack, (x % 6) < 3) << x;

    // opaque background paints the gaps
    dev.SetBkMode(BackMode::Opaque);
    dev.SetBkColor(clRed);
    dev.MoveTo(0, 2);
    dev.LineTo(12, 2);
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(dev.GetPixel(x, 2), (x % 6) < 3 ? clBlack : clRed) << x;
    dev.SetBkMode(BackMode::Transparent);

    // alternate pixels
    dev.SelectPen(PenDesc::Cosmetic(PenStyle::Alternate, clBlack));
    dev.MoveTo(0, 4);
    dev.LineTo(10, 4);
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(dev.GetPixel(x, 4) == clBlack, x % 2 == 0) << x;

    // small dots: a user style of a 0 dash and a gap of space + 1 puts dots space + 1 apart
    dev.SelectPen(PenDesc::Geometric(PenStyle::UserStyle, 1, clBlack, PenEndCap::Round, PenJoin::Round, {0, 3}));
    dev.MoveTo(0, 6);
    dev.LineTo(13, 6);
    for (int x = 0; x < 13; ++x)
        EXPECT_EQ(dev.GetPixel(x, 6) == clBlack, x % 3 == 0) << x;

    // the pattern runs on along a polyline
    dev.SelectPen(PenDesc::Cosmetic(PenStyle::Dot, clBlack));
    const Point pts[] = {{0, 10}, {4, 10}, {4, 20}};
    dev.Polyline(pts, 3);
    EXPECT_EQ(dev.GetPixel(4, 10), clWhite);  // step 4
    EXPECT_EQ(dev.GetPixel(4, 12), clBlack);  // step 6
}

TEST_F(QtDevice, WidePensCoverTheirWidth)
{
    dev.SelectPen(PenDesc::Geometric(PenStyle::Solid, 3, clBlack, PenEndCap::Flat, PenJoin::Miter));
    dev.MoveTo(5, 10);
    dev.LineTo(15, 10);
    EXPECT_EQ(InkBox(dev), (Rect{5, 9, 15, 12}));
    EXPECT_EQ(CountColor(dev, clBlack), 30);
}

TEST_F(QtDevice, ZeroLengthWideLineIsADot)
{
    dev.SelectPen(PenDesc::Geometric(PenStyle::Solid, 5, clBlack, PenEndCap::Round));
    dev.MoveTo(20, 20);
    dev.LineTo(20, 20);
    EXPECT_EQ(InkBox(dev), (Rect{18, 18, 23, 23}));
    EXPECT_EQ(dev.GetPixel(20, 20), clBlack);
    EXPECT_EQ(dev.GetPixel(18, 18), clWhite);  // round
    // flat ends draw nothing; a one-pixel pen draws nothing either (last pixel left out)
    QtDrawingDevice d(10, 10);
    d.SelectPen(PenDesc::Geometric(PenStyle::Solid, 5, clBlack, PenEndCap::Flat));
    d.MoveTo(5, 5);
    d.LineTo(5, 5);
    d.SelectPen(PenDesc::Solid(clBlack));
    d.LineTo(5, 5);
    EXPECT_EQ(CountColor(d, clBlack), 0);
}

TEST_F(QtDevice, RingPathOfTwoArcsHasAHole)
{
    // all round both times
    RingPath(dev, {38, 20}, {2, 2, 38, 38, 38, 20, 38, 20}, {12, 12, 28, 28, 28, 20, 28, 20});
    dev.StrokeAndFillPath();
    EXPECT_EQ(dev.GetPixel(20, 20), clWhite);
    EXPECT_EQ(dev.GetPixel(20, 6), clBlack);
    EXPECT_EQ(dev.GetPixel(6, 20), clBlack);
    EXPECT_EQ(dev.GetPixel(1, 1), clWhite);
}

TEST_F(QtDevice, RingSectorPathStartsAtTheCurrentPosition)
{
    // centre (20, 20): outer radius 18 from 3 to 12 o'clock, inner radius 8 back
    RingPath(dev, {38, 20}, {2, 2, 39, 39, 38, 20, 20, 2}, {12, 12, 29, 29, 20, 12, 28, 20});
    dev.FillPath();
    EXPECT_EQ(dev.GetPixel(30, 10), clBlack);  // in the ring
    EXPECT_EQ(dev.GetPixel(29, 16), clBlack);  // near the closing edge
    EXPECT_EQ(dev.GetPixel(30, 17), clBlack);
    EXPECT_EQ(dev.GetPixel(24, 16), clWhite);  // in the hole
    EXPECT_EQ(dev.GetPixel(10, 10), clWhite);  // another quarter
    EXPECT_EQ(dev.GetPixel(30, 30), clWhite);
}

TEST_F(QtDevice, FillRectFillsHalfOpenRectangleAndNothingWhenInverted)
{
    dev.SelectBrush(BrushDesc::Solid(clNavy));
    dev.FillRect({3, 4, 7, 6});
    EXPECT_EQ(InkBox(dev), (Rect{3, 4, 7, 6}));
    dev.FillRect({20, 20, 10, 30});
    dev.FillRect({20, 20, 30, 10});
    EXPECT_EQ(CountColor(dev, clNavy), 8);
    // raster operations do not apply to it
    dev.SetROP2(Rop2::XorPen);
    dev.FillRect({3, 4, 7, 6});
    EXPECT_EQ(CountColor(dev, clNavy), 8);
}

TEST_F(QtDevice, PolygonsFillOddEven)
{
    dev.SelectPen(PenDesc::NullPen());
    dev.SelectBrush(BrushDesc::Solid(clBlack));
    const Point star[] = {{20, 0}, {32, 39}, {0, 14}, {39, 14}, {8, 39}};
    dev.Polygon(star, 5);
    EXPECT_EQ(dev.GetPixel(20, 22), clWhite);  // the centre pentagon is a hole
    EXPECT_EQ(dev.GetPixel(20, 5), clBlack);
    dev.SetPolyFillMode(PolyFillMode::Winding);
    dev.Polygon(star, 5);
    EXPECT_EQ(dev.GetPixel(20, 22), clBlack);

    // a square fills [left, right) x [top, bottom)
    QtDrawingDevice d(20, 20);
    d.SelectPen(PenDesc::NullPen());
    d.SelectBrush(BrushDesc::Solid(clBlack));
    const Point sq[] = {{2, 2}, {8, 2}, {8, 7}, {2, 7}};
    d.Polygon(sq, 4);
    EXPECT_EQ(InkBox(d), (Rect{2, 2, 8, 7}));
}

TEST_F(QtDevice, ClipCombinationsAndRestore)
{
    dev.SelectBrush(BrushDesc::Solid(clBlack));
    // no clip: a difference starts from the whole device
    dev.ExtSelectClipRgn(Region::FromRect({10, 10, 30, 30}), ClipCombine::Diff);
    dev.FillRect({0, 0, 40, 40});
    EXPECT_EQ(CountColor(dev, clBlack), 1600 - 400);
    EXPECT_EQ(dev.GetPixel(10, 10), clWhite);
    EXPECT_EQ(dev.GetPixel(9, 10), clBlack);

    QtDrawingDevice d(40, 40);
    d.SelectBrush(BrushDesc::Solid(clBlack));
    d.IntersectClipRect(0, 0, 20, 40);
    const std::optional<Region> saved = d.GetClipRgn();
    d.ExtSelectClipRgn(Region::FromRect({10, 0, 30, 40}), ClipCombine::Xor);  // [0,10) and [20,30)
    d.FillRect({0, 0, 40, 1});
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(d.GetPixel(x, 0) == clBlack, x < 10 || (x >= 20 && x < 30)) << x;
    d.ExtSelectClipRgn(Region::FromRect({35, 0, 40, 40}), ClipCombine::Or);
    d.FillRect({0, 1, 40, 2});
    EXPECT_EQ(d.GetPixel(36, 1), clBlack);
    EXPECT_EQ(d.GetPixel(15, 1), clWhite);
    d.ExtSelectClipRgn(Region::FromRect({12, 0, 14, 40}), ClipCombine::Copy);
    d.FillRect({0, 2, 40, 3});
    EXPECT_EQ(CountColor(d, clBlack), 20 + 25 + 2);
    // back to the saved clip, then none
    d.SelectClipRgn(saved);
    d.FillRect({0, 3, 40, 4});
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(d.GetPixel(x, 3) == clBlack, x < 20) << x;
    d.SelectClipRgn(std::nullopt);
    d.FillRect({0, 4, 40, 5});
    EXPECT_EQ(d.GetPixel(39, 4), clBlack);

    // an elliptic clip lets through exactly the region's pixels
    QtDrawingDevice e(40, 40);
    e.SelectBrush(BrushDesc::Solid(clBlack));
    const Region ell = Region::FromEllipse({3, 5, 33, 26});
    e.SelectClipRgn(ell);
    e.FillRect({0, 0, 40, 40});
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(e.GetPixel(x, y) == clBlack, ell.Contains(x, y)) << x << "," << y;
}

TEST_F(QtDevice, RegionsConvertExactly)
{
    const QRect limit(0, 0, 50, 50);
    const std::vector<Region> regions = {
        Region::FromEllipse({1, 2, 40, 31}),
        Region::FromRoundRect({2, 3, 45, 40}, 15, 9),
        Region::FromPolygon({{3, 1}, {44, 20}, {10, 47}, {25, 5}}),
        Region::Combine(Region::FromEllipse({0, 0, 30, 30}), Region::FromRect({10, 10, 40, 40}), ClipCombine::Xor),
        Region::Combine(Region::FromRect({0, 0, 30, 30}), Region::FromEllipse({10, 10, 40, 40}), ClipCombine::Diff),
    };
    for (const Region& r : regions) {
        const QRegion q = ToQRegion(r, limit);
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 50; ++x)
                ASSERT_EQ(q.contains(QPoint(x, y)), r.Contains(x, y)) << r.Describe() << " " << x << "," << y;
    }
}

TEST_F(QtDevice, PixelsRespectClipAndSurface)
{
    EXPECT_EQ(dev.GetPixel(-1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(dev.GetPixel(40, 3), 0xFFFFFFFFu);
    EXPECT_EQ(dev.GetPixel(0, 40), 0xFFFFFFFFu);
    EXPECT_EQ(dev.SetPixel(45, 0, clRed), 0xFFFFFFFFu);
    dev.IntersectClipRect(10, 10, 20, 20);
    EXPECT_EQ(dev.SetPixel(9, 10, clRed), 0xFFFFFFFFu);
    EXPECT_EQ(dev.GetPixel(9, 10), clWhite);
    EXPECT_EQ(dev.SetPixel(10, 10, clRed), clRed);
    EXPECT_EQ(dev.GetPixel(10, 10), clRed);
    // system colours resolve
    EXPECT_EQ(dev.SetPixel(11, 11, SystemColor(SystemColorIndex::BtnFace)), RGB(212, 208, 200));
    EXPECT_EQ(dev.GetPixel(11, 11), RGB(212, 208, 200));
    // the viewport origin shifts logical coordinates
    dev.SetViewportOrg({5, 5});
    EXPECT_EQ(dev.GetPixel(5, 5), clRed);
}

TEST_F(QtDevice, PiesFollowTheArcDirection)
{
    dev.SelectPen(PenDesc::NullPen());
    dev.SelectBrush(BrushDesc::Solid(clBlack));
    // from 3 o'clock to 12 o'clock, counter-clockwise: the upper right quarter
    dev.Pie(0, 0, 40, 40, 40, 20, 20, 0);
    EXPECT_EQ(dev.GetPixel(30, 10), clBlack);
    EXPECT_EQ(dev.GetPixel(10, 10), clWhite);
    EXPECT_EQ(dev.GetPixel(30, 30), clWhite);
    QtDrawingDevice d(40, 40);
    d.SelectPen(PenDesc::NullPen());
    d.SelectBrush(BrushDesc::Solid(clBlack));
    d.SetArcDirection(ArcDirection::Clockwise);
    d.Pie(0, 0, 40, 40, 40, 20, 20, 0);
    EXPECT_EQ(d.GetPixel(30, 10), clWhite);
    EXPECT_EQ(d.GetPixel(10, 10), clBlack);
    EXPECT_EQ(d.GetPixel(30, 30), clBlack);
}

TEST(QtDeviceArcs, RadialPointsAreGeometricAngles)
{
    // a 2:1 ellipse centred at (40, 20); the radial at 45 degrees meets it at
    // x - 40 = 20 - y = sqrt(320) = 17.9, i.e. near pixel (58, 2)
    QtDrawingDevice d(90, 45);
    d.Arc(0, 0, 81, 41, 81, 20, 80, -20);
    EXPECT_EQ(d.GetPixel(80, 20), clBlack);  // starts at 3 o'clock
    bool nearEnd = false;
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 90; ++x)
            if (d.GetPixel(x, y) == clBlack) {
                EXPECT_GE(x, 56) << x << "," << y;  // stops at the radial
                EXPECT_LE(y, 21);
                nearEnd = nearEnd || (std::abs(x - 58) <= 1 && std::abs(y - 2) <= 1);
            }
    EXPECT_TRUE(nearEnd);
}

TEST_F(QtDevice, HatchBrushesKeepTransparentGaps)
{
    dev.SelectBrush(BrushDesc::Solid(clYellow));
    dev.FillRect({0, 0, 40, 40});
    dev.SelectBrush(BrushDesc::Hatched(HatchStyle::Horizontal, clBlue));
    dev.FillRect({0, 0, 16, 16});
    EXPECT_EQ(dev.GetPixel(3, 0), clBlue);
    EXPECT_EQ(dev.GetPixel(3, 8), clBlue);
    EXPECT_EQ(dev.GetPixel(3, 1), clYellow);
    dev.SetBkMode(BackMode::Opaque);
    dev.SetBkColor(clRed);
    dev.FillRect({0, 0, 16, 16});
    EXPECT_EQ(dev.GetPixel(3, 1), clRed);
}

TEST_F(QtDevice, PathsFillStrokeAndClip)
{
    dev.SelectPen(PenDesc::Solid(clBlack));
    dev.SelectBrush(BrushDesc::Solid(clRed));
    dev.BeginPath();
    dev.Rectangle(2, 2, 12, 12);
    dev.EndPath();
    EXPECT_EQ(CountColor(dev, clRed) + CountColor(dev, clBlack), 0);  // nothing drawn inside the bracket
    dev.FillPath();
    EXPECT_EQ(InkBox(dev), (Rect{2, 2, 11, 11}));
    EXPECT_EQ(CountColor(dev, clRed), 81);

    QtDrawingDevice d(40, 40);
    d.SelectBrush(BrushDesc::Solid(clRed));
    d.BeginPath();
    d.Ellipse(0, 0, 31, 31);
    d.EndPath();
    d.SelectClipPath(ClipCombine::And);
    d.FillRect({0, 0, 40, 40});
    EXPECT_EQ(d.GetPixel(15, 15), clRed);
    EXPECT_EQ(d.GetPixel(1, 1), clWhite);
    EXPECT_EQ(d.GetPixel(35, 15), clWhite);

    // a widened line strokes like the wide pen
    QtDrawingDevice w(40, 40);
    w.SelectPen(PenDesc::Geometric(PenStyle::Solid, 3, clBlack, PenEndCap::Flat, PenJoin::Miter));
    w.SelectBrush(BrushDesc::Solid(clBlack));
    w.BeginPath();
    w.MoveTo(5, 10);
    w.LineTo(15, 10);
    w.EndPath();
    w.WidenPath();
    w.SelectPen(PenDesc::NullPen());
    w.FillPath();
    EXPECT_EQ(InkBox(w), (Rect{5, 9, 15, 12}));
}

TEST_F(QtDevice, BlitsCopyStretchAndBlend)
{
    Bitmap src(4, 2, ColorToArgb(clRed));
    src.SetPixel(0, 0, clBlue);
    dev.BitBlt(10, 10, 4, 2, src, 0, 0, Rop3::SrcCopy);
    EXPECT_EQ(dev.GetPixel(10, 10), clBlue);
    EXPECT_EQ(dev.GetPixel(13, 11), clRed);
    EXPECT_EQ(dev.GetPixel(14, 11), clWhite);
    // invert twice: unchanged
    const Bitmap before = dev.Surface();
    dev.BitBlt(9, 9, 4, 2, src, 0, 0, Rop3::SrcInvert);
    dev.BitBlt(9, 9, 4, 2, src, 0, 0, Rop3::SrcInvert);
    EXPECT_TRUE(dev.Surface() == before);
    // doubled
    dev.StretchBlt(0, 20, 8, 4, src, 0, 0, 4, 2, Rop3::SrcCopy);
    EXPECT_EQ(dev.GetPixel(0, 20), clBlue);
    EXPECT_EQ(dev.GetPixel(1, 21), clBlue);
    EXPECT_EQ(dev.GetPixel(2, 20), clRed);
    EXPECT_EQ(dev.GetPixel(1, 22), clRed);
    // half-way blend of black over white
    const Bitmap black(2, 2, 0xFF000000u);
    dev.AlphaBlend(30, 30, 2, 2, black, 0, 0, 2, 2, 128);
    EXPECT_EQ(dev.GetPixel(30, 30), RGB(127, 127, 127));
    // a device can blit its own surface
    dev.BitBlt(20, 0, 10, 10, dev.Surface(), 5, 5, Rop3::SrcCopy);
    EXPECT_EQ(dev.GetPixel(25, 5), clBlue);
}

TEST_F(QtDevice, FontsResolveAndMeasure)
{
    EXPECT_EQ(ResolveFontFamily("Arial"), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ResolveFontFamily("ARIAL"), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(ResolveFontFamily("Courier New"), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(ResolveFontFamily("COURIER NEW"), QStringLiteral("Liberation Mono"));
    EXPECT_FALSE(ResolveFontFamily("No Such Face 123").isEmpty());
    FontDesc f;
    f.height = FontHeightFromPoints(8);
    EXPECT_EQ(ToQFont(f).pixelSize(), 11);
    dev.SelectFont(f);
    const Size plain = dev.GetTextExtent("Hello");
    EXPECT_GT(plain.cx, 15);
    EXPECT_LT(plain.cx, 40);
    EXPECT_GE(plain.cy, 11);
    EXPECT_LE(plain.cy, 15);
    dev.SetTextCharacterExtra(3);
    EXPECT_EQ(dev.GetTextExtent("Hello").cx, plain.cx + 15);
    const TextMetrics tm = dev.GetTextMetrics();
    EXPECT_EQ(tm.height, tm.ascent + tm.descent);
}

class QtDeviceText : public ::testing::Test {
protected:
    QtDrawingDevice dev{200, 120};
    FontDesc font;
    void SetUp() override
    {
        font.height = -20;
        dev.SelectFont(font);
        dev.SetBkMode(BackMode::Transparent);
    }
    Rect Draw(unsigned align, const std::string& text)
    {
        QtDrawingDevice d(200, 120);
        d.SelectFont(font);
        d.SetBkMode(BackMode::Transparent);
        d.SetTextAlign(align);
        d.TextOut(100, 60, text);
        return InkBox(d);
    }
};

TEST_F(QtDeviceText, AlignmentPlacesTheTextBox)
{
    const Size ext = dev.GetTextExtent("HHHH");
    const TextMetrics tm = dev.GetTextMetrics();

    const Rect lt = Draw(TextAlign::Left | TextAlign::Top, "HHHH");
    EXPECT_NEAR(lt.left, 100, 2);
    EXPECT_NEAR(lt.right, 100 + ext.cx, 3);
    EXPECT_NEAR(lt.bottom, 60 + tm.ascent, 2);  // capitals sit on the baseline
    EXPECT_GE(lt.top, 60);

    const Rect rt = Draw(TextAlign::Right | TextAlign::Top, "HHHH");
    EXPECT_NEAR(rt.right, 100, 3);
    const Rect ct = Draw(TextAlign::Center | TextAlign::Top, "HHHH");
    EXPECT_NEAR((ct.left + ct.right) / 2.0, 100, 2);

    const Rect base = Draw(TextAlign::Left | TextAlign::Baseline, "HHHH");
    EXPECT_NEAR(base.bottom, 60, 2);
    const Rect bottom = Draw(TextAlign::Left | TextAlign::Bottom, "HHHH");
    EXPECT_NEAR(bottom.bottom, 60 - tm.descent, 2);
}

TEST_F(QtDeviceText, LevelTextMatchesAPainterMovedToThePoint)
{
    // placed by its point on an untransformed painter: the pixels of the
    // text drawn at the origin of a painter moved there
    const unsigned aligns[] = {TextAlign::Left | TextAlign::Top, TextAlign::Right | TextAlign::Top,
                               TextAlign::Center | TextAlign::Baseline, TextAlign::Left | TextAlign::Bottom};
    for (unsigned align : aligns)
        for (bool opaque : {false, true}) {
            QtDrawingDevice d(200, 120);
            d.SelectFont(font);
            d.SetBkMode(opaque ? BackMode::Opaque : BackMode::Transparent);
            d.SetBkColor(0x0000FFFF);
            d.SetTextColor(0x00800000);
            d.SetTextAlign(align);
            d.SetViewportOrg({7, -3});
            d.TextOut(93, 63, "Wave 12.5");
            d.TextOut(20, 30, "gj");

            QImage ref(200, 120, QImage::Format_RGB32);
            ref.fill(QColor(255, 255, 255));
            QPainter p(&ref);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            p.setRenderHint(QPainter::Antialiasing, true);
            const QFont qf = ToQFont(font);
            p.setFont(qf);
            const QFontMetrics fm(qf);
            const unsigned h = align & TextAlign::HorizontalMask;
            const unsigned v = align & TextAlign::VerticalMask;
            for (auto [x, y, text] : {std::tuple{100, 60, QString("Wave 12.5")}, std::tuple{27, 27, QString("gj")}}) {
                const int w = fm.horizontalAdvance(text);
                const int x0 = h == TextAlign::Right ? -w : (h == TextAlign::Center ? -(w / 2) : 0);
                const int base = v == TextAlign::Baseline ? 0 : (v == TextAlign::Bottom ? -fm.descent() : fm.ascent());
                p.setTransform(QTransform::fromTranslate(x, y));
                if (opaque) {
                    p.setRenderHint(QPainter::Antialiasing, false);
                    p.fillRect(QRectF(x0, base - fm.ascent(), w, fm.ascent() + fm.descent()), QColor(255, 255, 0));
                    p.setRenderHint(QPainter::Antialiasing, true);
                }
                p.setPen(QColor(0, 0, 0x80));
                p.drawText(QPointF(x0, base), text);
            }
            p.end();
            const QImage ours = QImageFromBitmap(d.Surface());
            int differ = 0;
            for (int y = 0; y < 120; ++y)
                for (int x = 0; x < 200; ++x)
                    differ += (ours.pixel(x, y) & 0xFFFFFF) != (ref.pixel(x, y) & 0xFFFFFF);
            EXPECT_EQ(differ, 0) << "align " << align << (opaque ? " opaque" : "");
        }
}

TEST_F(QtDeviceText, EscapementTurnsAboutTheAlignmentPoint)
{
    font.escapement = 900;
    const Rect up = Draw(TextAlign::Left | TextAlign::Baseline, "HHHH");
    EXPECT_GT(up.Height(), up.Width());
    EXPECT_NEAR(up.bottom, 60, 2);  // the text runs upwards from the point
    EXPECT_NEAR(up.right, 100, 2);  // the baseline is the right edge after a quarter turn
}

TEST_F(QtDeviceText, UpdateCPDrawsAtAndMovesTheCurrentPosition)
{
    dev.MoveTo(30, 40);
    dev.SetTextAlign(TextAlign::UpdateCP | TextAlign::Top);
    dev.TextOut(0, 0, "HH");
    const Size ext = dev.GetTextExtent("HH");
    EXPECT_EQ(dev.GetCurrentPosition(), (Point{30 + ext.cx, 40}));
    const Rect ink = InkBox(dev);
    EXPECT_NEAR(ink.left, 30, 2);
    EXPECT_GE(ink.top, 40);
}

TEST_F(QtDeviceText, EmptyClipHidesText)
{
    dev.IntersectClipRect(0, 0, 0, 0);
    dev.TextOut(10, 10, "Hidden");
    EXPECT_EQ(InkBox(dev).right, -1);
}

TEST_F(QtDeviceText, TextPathsClipAndWiden)
{
    dev.SelectBrush(BrushDesc::Solid(clRed));
    dev.BeginPath();
    dev.TextOut(10, 10, "OHO");
    dev.EndPath();
    dev.SelectClipPath(ClipCombine::And);
    dev.FillRect({0, 0, 200, 120});
    const Size ext = dev.GetTextExtent("OHO");
    const Rect box = InkBox(dev);
    EXPECT_GE(box.left, 10);
    EXPECT_LE(box.right, 10 + ext.cx + 1);
    EXPECT_GE(box.top, 10);
    EXPECT_LE(box.bottom, 10 + ext.cy);
    // the counter of the O stays clear (odd-even)
    const int red = CountColor(dev, clRed);
    EXPECT_GT(red, 50);
    EXPECT_LT(red, ext.cx * ext.cy / 2);

    QtDrawingDevice w(200, 120);
    w.SelectFont(font);
    w.SelectPen(PenDesc::Geometric(PenStyle::Solid, 3, clBlack));
    w.SelectBrush(BrushDesc::Solid(clBlack));
    w.BeginPath();
    w.TextOut(10, 10, "OHO");
    w.EndPath();
    w.WidenPath();
    w.FillPath();
    const Rect wide = InkBox(w);
    EXPECT_LT(wide.left, box.left);
    EXPECT_GT(wide.right, box.right);
}

TEST_F(QtDeviceText, OpaqueBackgroundFillsTheCell)
{
    dev.SetBkMode(BackMode::Opaque);
    dev.SetBkColor(clRed);
    dev.TextOut(10, 10, "ab");
    const Size ext = dev.GetTextExtent("ab");
    EXPECT_EQ(dev.GetPixel(10, 10), clRed);
    EXPECT_EQ(dev.GetPixel(10 + ext.cx - 1, 10 + ext.cy - 1), clRed);
    EXPECT_EQ(dev.GetPixel(10 + ext.cx + 1, 10), clWhite);
}

TEST_F(QtDevice, PatBltWithTheDCBrush)
{
    dev.SelectStockObject(StockObject::DCBrush);
    dev.SetDCBrushColor(clTeal);
    dev.PatBlt(2, 2, 5, 3, Rop3::PatCopy);
    EXPECT_EQ(InkBox(dev), (Rect{2, 2, 7, 5}));
    EXPECT_EQ(dev.GetPixel(6, 4), clTeal);
    EXPECT_EQ(dev.SetDCBrushColor(clMaroon), clTeal);
    dev.PatBlt(2, 2, 1, 1, Rop3::PatCopy);
    EXPECT_EQ(dev.GetPixel(2, 2), clMaroon);
    const Bitmap before = dev.Surface();
    dev.PatBlt(0, 0, 10, 10, Rop3::PatInvert);
    dev.PatBlt(0, 0, 10, 10, Rop3::PatInvert);
    EXPECT_TRUE(dev.Surface() == before);
    dev.PatBlt(0, 0, 1, 1, Rop3::DstInvert);
    EXPECT_EQ(dev.GetPixel(0, 0), clBlack);
}

TEST_F(QtDevice, FloodFillAndCheckBox)
{
    dev.SelectPen(PenDesc::Solid(clBlack));
    dev.SelectBrush(BrushDesc::NullBrush());
    dev.Rectangle(5, 5, 15, 15);
    dev.SelectBrush(BrushDesc::Solid(clRed));
    EXPECT_TRUE(dev.FloodFill(8, 8, clBlack, FloodFillType::Border));
    EXPECT_EQ(CountColor(dev, clRed), 8 * 8);
    EXPECT_TRUE(dev.FloodFill(8, 8, clRed, FloodFillType::Surface));
    dev.DrawCheckBox({20, 20, 33, 33}, true, true);
    EXPECT_EQ(dev.GetPixel(20, 20), RGB(128, 128, 128));
    EXPECT_GT(CountColor(dev, clBlack), 36);
}

TEST(QtDeviceXor, RandomDrawingUndoesItselfUnderEveryInvertingMode)
{
    std::mt19937 gen(4321);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    for (int trial = 0; trial < 40; ++trial) {
        QtDrawingDevice d(64, 48);
        d.SelectBrush(BrushDesc::Hatched(HatchStyle::Cross, RGB(90, 10, 200)));
        d.FillRect({0, 0, 64, 48});
        if (trial % 3 == 1)
            d.SelectClipRgn(Region::FromEllipse({pick(-10, 20), pick(-10, 20), pick(30, 80), pick(30, 60)}));
        if (trial % 3 == 2)
            d.ExtSelectClipRgn(Region::FromPolygon({{pick(0, 64), pick(0, 48)}, {pick(0, 64), pick(0, 48)},
                                                    {pick(0, 64), pick(0, 48)}, {pick(0, 64), pick(0, 48)}}),
                               ClipCombine::Diff);
        const Bitmap before = d.Surface();
        const int kind = pick(0, 7);
        PenDesc pen;
        switch (pick(0, 4)) {
        case 0: pen = PenDesc::Solid(RGB(pick(0, 255), 40, 80)); break;
        case 1: pen = PenDesc::Cosmetic(PenStyle::DashDot, clRed); break;
        case 2: pen = PenDesc::Geometric(PenStyle::Solid, pick(2, 7), clBlue, PenEndCap::Square, PenJoin::Bevel); break;
        case 3: pen = PenDesc::Geometric(PenStyle::UserStyle, 1, clGreen, PenEndCap::Flat, PenJoin::Miter, {0, 2}); break;
        default: pen = PenDesc::NullPen(); break;
        }
        const BrushDesc brush = pick(0, 2) == 0 ? BrushDesc::Hatched(HatchStyle::BDiagonal, clLime)
                                                : BrushDesc::Solid(RGB(7, pick(0, 255), 99));
        const Rop2 rop = pick(0, 1) ? Rop2::XorPen : Rop2::NotXorPen;
        auto draw = [&] {
            d.SetROP2(rop);
            d.SelectPen(pen);
            d.SelectBrush(brush);
            const int a = pick(-20, 70), b = pick(-20, 60), c = pick(-20, 70), e = pick(-20, 60);
            switch (kind) {
            case 0: d.Rectangle(a, b, c, e); break;
            case 1: d.Ellipse(a, b, c, e); break;
            case 2: d.RoundRect(a, b, c, e, pick(0, 30), pick(0, 30)); break;
            case 3: d.Pie(a, b, c, e, pick(-20, 70), pick(-20, 60), pick(-20, 70), pick(-20, 60)); break;
            case 4: d.Chord(a, b, c, e, pick(-20, 70), pick(-20, 60), pick(-20, 70), pick(-20, 60)); break;
            case 5: {
                const Point pts[] = {{a, b}, {c, e}, {pick(-20, 70), pick(-20, 60)}, {pick(-20, 70), pick(-20, 60)}};
                d.Polygon(pts, 4);
                break;
            }
            case 6: {
                const Point pts[] = {{a, b}, {c, e}, {pick(-20, 70), pick(-20, 60)}};
                d.Polyline(pts, 3);
                break;
            }
            default: d.Arc(a, b, c, e, pick(-20, 70), pick(-20, 60), pick(-20, 70), pick(-20, 60)); break;
            }
        };
        const auto state = gen;
        draw();
        gen = state;  // the same figure again
        draw();
        ASSERT_TRUE(d.Surface() == before) << "trial " << trial << " kind " << kind;
    }
}

namespace {

// Each row of a convex shape drawn over white: one run of ink that starts and
// ends with the pen colour and has only the brush colour in between.
void ExpectFillInsideOutline(const DrawingDevice& d, TColor pen, TColor brush, const std::string& what)
{
    for (int y = 0; y < d.Height(); ++y) {
        int first = -1;
        int last = -1;
        for (int x = 0; x < d.Width(); ++x)
            if (d.GetPixel(x, y) != clWhite) {
                if (first < 0)
                    first = x;
                last = x;
            }
        if (first < 0)
            continue;
        EXPECT_EQ(d.GetPixel(first, y), pen) << what << " row " << y << " starts with the fill at " << first;
        EXPECT_EQ(d.GetPixel(last, y), pen) << what << " row " << y << " ends with the fill at " << last;
        for (int x = first; x <= last; ++x) {
            const TColor c = d.GetPixel(x, y);
            ASSERT_NE(c, clWhite) << what << " gap at " << x << "," << y;
            ASSERT_TRUE(c == pen || c == brush) << what << " stray colour at " << x << "," << y;
        }
    }
}

}  // namespace

TEST(QtDeviceShapes, FillStaysInsideAOnePixelOutline)
{
    for (int size = 5; size < 30; size += 3) {
        auto draw = [&](const std::string& what, auto&& shape) {
            QtDrawingDevice d(40, 40);
            d.SetBkMode(BackMode::Transparent);
            d.SelectPen(PenDesc::Solid(clBlack));
            d.SelectBrush(BrushDesc::Solid(clRed));
            shape(d);
            ExpectFillInsideOutline(d, clBlack, clRed, what + " " + std::to_string(size));
        };
        draw("ellipse", [&](QtDrawingDevice& d) { d.Ellipse(1, 2, 1 + size, 2 + size * 2 / 3 + 2); });
        draw("roundrect", [&](QtDrawingDevice& d) { d.RoundRect(1, 1, 2 + size, 3 + size, 9, 7); });
        draw("chord", [&](QtDrawingDevice& d) { d.Chord(1, 1, 2 + size, 2 + size, 2 + size, 1, 1, 2 + size); });
        draw("pie", [&](QtDrawingDevice& d) { d.Pie(1, 1, 2 + size, 2 + size, 2 + size, 1, 1, 1); });
        draw("triangle", [&](QtDrawingDevice& d) {
            const Point t[] = {{1, 1}, {1 + size, 1}, {1, 1 + size}};
            d.Polygon(t, 3);
        });
        draw("slanted", [&](QtDrawingDevice& d) {
            const Point t[] = {{3, 1}, {2 + size, 4}, {size / 2, 2 + size}};
            d.Polygon(t, 3);
        });
    }
}

TEST(QtDeviceShapes, PieRadialsLevelWithTheCentreAreStraight)
{
    // the upper right quarter of a circle in (0,0)-(40,40) with a null pen:
    // its left column and its bottom row are straight edges
    QtDrawingDevice d(40, 40);
    d.SelectPen(PenDesc::NullPen());
    d.SelectBrush(BrushDesc::Solid(clBlack));
    d.Pie(0, 0, 40, 40, 40, 20, 20, 0);
    const Rect ink = InkBox(d);
    for (int y = ink.top + 2; y < ink.bottom; ++y)
        EXPECT_EQ(d.GetPixel(ink.left, y), clBlack) << y;
    for (int x = ink.left; x < ink.right - 2; ++x)
        EXPECT_EQ(d.GetPixel(x, ink.bottom - 1), clBlack) << x;
    EXPECT_EQ(d.GetPixel(ink.left - 1, ink.bottom - 1), clWhite);
    EXPECT_EQ(d.GetPixel(ink.left, ink.bottom), clWhite);

    // a pie whose radials coincide is the whole ellipse, without a seam
    for (const Point radial : {Point{5, 5}, Point{40, 20}, Point{20, 0}, Point{33, 37}, Point{0, 27}}) {
        QtDrawingDevice pie(40, 40);
        pie.SelectPen(PenDesc::NullPen());
        pie.SelectBrush(BrushDesc::Solid(clBlack));
        pie.Pie(0, 0, 40, 40, radial.x, radial.y, radial.x, radial.y);
        QtDrawingDevice ellipse(40, 40);
        ellipse.SelectPen(PenDesc::NullPen());
        ellipse.SelectBrush(BrushDesc::Solid(clBlack));
        ellipse.Ellipse(0, 0, 40, 40);
        EXPECT_EQ(CountColor(pie, clBlack), CountColor(ellipse, clBlack)) << radial.x << "," << radial.y;
    }
}

TEST(QtDeviceRop2, AllSixteenModesFollowTheirTruthTables)
{
    // mode m, pen bit p, destination bit d: the result is bit (2p + d) of m - 1
    auto expected = [](int mode, TColor pen, TColor dst) {
        TColor out = 0;
        for (int bit = 0; bit < 24; ++bit) {
            const int p = (pen >> bit) & 1;
            const int d = (dst >> bit) & 1;
            out |= static_cast<TColor>(((mode - 1) >> (2 * p + d)) & 1) << bit;
        }
        return out;
    };
    const TColor pen = RGB(0xF0, 0xCC, 0x0F);
    const TColor dst = RGB(0xAA, 0x33, 0x5C);
    for (int mode = 1; mode <= 16; ++mode) {
        QtDrawingDevice d(8, 4);
        d.SelectBrush(BrushDesc::Solid(dst));
        d.FillRect({0, 0, 8, 4});
        d.SetROP2(static_cast<Rop2>(mode));
        d.SelectPen(PenDesc::Solid(pen));
        d.MoveTo(0, 0);
        d.LineTo(8, 0);
        d.SelectPen(PenDesc::NullPen());
        d.SelectBrush(BrushDesc::Solid(pen));
        d.Rectangle(0, 1, 9, 4);  // fills rows 1 and 2
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(d.GetPixel(x, 0), expected(mode, pen, dst)) << "mode " << mode << " line";
            EXPECT_EQ(d.GetPixel(x, 2), expected(mode, pen, dst)) << "mode " << mode << " fill";
            EXPECT_EQ(d.GetPixel(x, 3), dst) << "mode " << mode;
        }
    }
}

TEST(QtDeviceClip, HugeClipRectanglesKeepTheDevice)
{
    const int big = 2000000000;
    QtDrawingDevice d(40, 40);
    d.IntersectClipRect(-big, -big, big, big);
    EXPECT_EQ(d.SetPixel(5, 5, clBlack), clBlack);
    EXPECT_EQ(d.GetClipBox(), (Rect{0, 0, 40, 40}));
    d.ExcludeClipRect(-big, -big, big, 10);
    EXPECT_EQ(d.SetPixel(5, 5, clBlack), 0xFFFFFFFFu);
    EXPECT_EQ(d.SetPixel(5, 10, clBlack), clBlack);

    QtDrawingDevice e(40, 40);
    e.SelectClipRgn(Region::FromRect({-big, -big, big, big}));
    EXPECT_EQ(e.SetPixel(39, 39, clBlack), clBlack);
    e.ExtSelectClipRgn(Region::FromRect({20, -big, big, big}), ClipCombine::Xor);
    EXPECT_EQ(e.SetPixel(19, 0, clBlack), clBlack);
    EXPECT_EQ(e.SetPixel(20, 0, clBlack), 0xFFFFFFFFu);
    EXPECT_EQ(e.GetClipBox(), (Rect{0, 0, 20, 40}));
}

TEST(QtDeviceShapes, BoxesLeaveOutRightAndBottomAndOneMoreWithANullPen)
{
    auto box = [](bool pen, auto&& shape) {
        QtDrawingDevice d(40, 40);
        d.SetBkMode(BackMode::Transparent);
        d.SelectPen(pen ? PenDesc::Solid(clBlack) : PenDesc::NullPen());
        d.SelectBrush(BrushDesc::Solid(clRed));
        shape(d);
        return InkBox(d);
    };
    auto rect = [](QtDrawingDevice& d) { d.Rectangle(3, 4, 23, 19); };
    auto ellipse = [](QtDrawingDevice& d) { d.Ellipse(3, 4, 23, 19); };
    auto roundRect = [](QtDrawingDevice& d) { d.RoundRect(3, 4, 23, 19, 8, 6); };
    auto pie = [](QtDrawingDevice& d) { d.Pie(3, 4, 23, 19, 0, 0, 0, 0); };  // one full turn
    for (const auto& [name, shape] : std::vector<std::pair<std::string, std::function<void(QtDrawingDevice&)>>>{
             {"rectangle", rect}, {"ellipse", ellipse}, {"roundrect", roundRect}, {"pie", pie}}) {
        EXPECT_EQ(box(true, shape), (Rect{3, 4, 23, 19})) << name;
        EXPECT_EQ(box(false, shape), (Rect{3, 4, 22, 18})) << name;
    }
}

TEST_F(QtDeviceText, AlignmentFlagsPlaceTheOpaqueCellExactly)
{
    dev.SetTextCharacterExtra(2);
    const Size ext = dev.GetTextExtent("HHHH");
    const TextMetrics tm = dev.GetTextMetrics();
    EXPECT_EQ(ext.cy, tm.ascent + tm.descent);
    auto cell = [&](unsigned align) {
        QtDrawingDevice d(200, 120);
        d.SelectFont(font);
        d.SetTextCharacterExtra(2);
        d.SetBkMode(BackMode::Opaque);
        d.SetBkColor(clRed);
        d.SetTextColor(clRed);
        d.SetTextAlign(align);
        d.TextOut(100, 60, "HHHH");
        return InkBox(d);
    };
    EXPECT_EQ(cell(0), (Rect{100, 60, 100 + ext.cx, 60 + ext.cy}));  // left, top
    EXPECT_EQ(cell(2), (Rect{100 - ext.cx, 60, 100, 60 + ext.cy}));  // right
    EXPECT_EQ(cell(6), (Rect{100 - ext.cx / 2, 60, 100 - ext.cx / 2 + ext.cx, 60 + ext.cy}));  // centre
    EXPECT_EQ(cell(8), (Rect{100, 60 - ext.cy, 100 + ext.cx, 60}));  // bottom
    EXPECT_EQ(cell(24), (Rect{100, 60 - tm.ascent, 100 + ext.cx, 60 + tm.descent}));  // baseline
    EXPECT_EQ(cell(2 | 24), (Rect{100 - ext.cx, 60 - tm.ascent, 100, 60 + tm.descent}));
}

TEST_F(QtDeviceText, EscapementTurnsTheCellAboutTheAlignmentPoint)
{
    const Size ext = dev.GetTextExtent("HHHH");
    auto cell = [&](int escapement, unsigned align) {
        FontDesc f = font;
        f.escapement = escapement;
        QtDrawingDevice d(200, 200);
        d.SelectFont(f);
        d.SetBkMode(BackMode::Opaque);
        d.SetBkColor(clRed);
        d.SetTextColor(clRed);
        d.SetTextAlign(align);
        d.TextOut(100, 100, "HHHH");
        return InkBox(d);
    };
    // a quarter turn counter-clockwise: the text runs up from the point
    EXPECT_EQ(cell(900, 0), (Rect{100, 100 - ext.cx, 100 + ext.cy, 100}));
    EXPECT_EQ(cell(900, 2), (Rect{100, 100, 100 + ext.cy, 100 + ext.cx}));
    // half a turn: upside down, to the left of and above the point
    EXPECT_EQ(cell(1800, 0), (Rect{100 - ext.cx, 100 - ext.cy, 100, 100}));
    EXPECT_EQ(cell(2700, 8), (Rect{100, 100, 100 + ext.cy, 100 + ext.cx}));
}

TEST(QtDeviceXor, CurvedOutlinesPassEachPixelOnce)
{
    // an exclusive-or white pen over white blackens exactly the pixels a copy
    // black pen draws, unless the outline passes a pixel twice
    for (int w = 2; w < 45; w += 3)
        for (int h = 2; h < 45; h += 5)
            for (int kind = 0; kind < 5; ++kind) {
                QtDrawingDevice copy(50, 50);
                QtDrawingDevice xored(50, 50);
                for (QtDrawingDevice* d : {&copy, &xored}) {
                    d->SelectBrush(BrushDesc::NullBrush());
                    d->SelectPen(PenDesc::Solid(clBlack));
                }
                xored.SetROP2(Rop2::XorPen);
                xored.SelectPen(PenDesc::Solid(clWhite));
                for (QtDrawingDevice* d : {&copy, &xored}) {
                    switch (kind) {
                    case 0: d->Ellipse(2, 2, 2 + w, 2 + h); break;
                    case 1: d->RoundRect(2, 2, 2 + w, 2 + h, w / 2, h / 3); break;
                    case 2: d->Arc(2, 2, 2 + w, 2 + h, 2 + w, 2, 2, 2 + h); break;
                    case 3: d->Pie(2, 2, 2 + w, 2 + h, 2 + w, 2 + h / 3, 2, 2); break;
                    default: d->Chord(2, 2, 2 + w, 2 + h, 2 + w / 2, 2 + h, 2, 2); break;
                    }
                }
                for (int y = 0; y < 50; ++y)
                    for (int x = 0; x < 50; ++x)
                        ASSERT_EQ(copy.GetPixel(x, y), xored.GetPixel(x, y))
                            << "kind " << kind << " size " << w << "x" << h << " at " << x << "," << y;
            }
}

TEST(QtDeviceClip, ClipBoxesGivenCornerLastArePutInOrder)
{
    QtDrawingDevice d(40, 40);
    d.IntersectClipRect(30, 25, 10, 5);
    EXPECT_EQ(d.GetClipBox(), (Rect{10, 5, 30, 25}));
    d.ExcludeClipRect(20, 25, 10, 5);
    EXPECT_EQ(d.GetClipBox(), (Rect{20, 5, 30, 25}));

    QtDrawingDevice e(40, 40);
    e.SelectClipRgn(Region::FromRect({30, 25, 10, 5}));
    EXPECT_EQ(e.GetClipBox(), (Rect{10, 5, 30, 25}));
    e.ExtSelectClipRgn(Region::FromEllipse({30, 25, 10, 5}), ClipCombine::And);
    EXPECT_EQ(e.GetClipBox(), (Rect{10, 5, 30, 25}));
    EXPECT_EQ(e.SetPixel(20, 15, clBlack), clBlack);
    EXPECT_EQ(Region::FromRoundRect({30, 25, 10, 5}, 4, 4).Box(), (Rect{10, 5, 30, 25}));
}

// ---- fast paths give the general paths' pixels ----

namespace {

// A surface with some detail, so copies and blends show every pixel.
void Paint(QtDrawingDevice& d, int seed)
{
    for (int y = 0; y < d.Height(); ++y)
        for (int x = 0; x < d.Width(); ++x)
            d.SetPixel(x, y, RGB((x * 7 + seed) & 0xFF, (y * 11 + seed * 3) & 0xFF, (x * y + seed) & 0xFF));
}

// The whole surface as a clip of two bands: drawing under it takes the
// clip-walking paths, and every pixel is visible.
void ClipInTwoBands(DrawingDevice& d)
{
    d.SelectClipRgn(Region::FromRects({{0, 0, d.Width(), d.Height() / 2}, {0, d.Height() / 2, d.Width(), d.Height()}}));
}

}  // namespace

TEST(QtDeviceFastPaths, SolidFillsUnclippedMatchTheClipWalk)
{
    QtDrawingDevice fast(50, 40), walked(50, 40);
    ClipInTwoBands(walked);
    for (QtDrawingDevice* d : {&fast, &walked}) {
        d->SetViewportOrg({3, -2});
        d->SelectBrush(BrushDesc::Solid(0x00336699));
        d->FillRect({-10, -5, 20, 30});
        d->FillRect({25, 10, 70, 60});
        d->FillRect({30, 30, 20, 20});  // inverted: nothing
        d->PatBlt(5, 5, 10, -4, Rop3::PatCopy);
        d->SelectBrush(BrushDesc::Solid(clYellow));
        d->Rectangle(10, 12, 40, 33);
    }
    EXPECT_TRUE(fast.Surface() == walked.Surface());
    EXPECT_EQ(fast.Surface().Pixel(0, 0), 0x00336699u);
    EXPECT_EQ(fast.Surface().Pixel(49, 39), 0x00336699u);
}

TEST(QtDeviceFastPaths, StyledLevelAndUprightLinesMatchTheClipWalk)
{
    // the walked surface's clip has a second rectangle, one pixel below the
    // box at (0, H): drawing under it takes the general walk
    constexpr int W = 70, H = 50;
    std::mt19937 gen(97);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen); };
    const PenDesc pens[] = {
        PenDesc::Cosmetic(PenStyle::Dot, clBlack),
        PenDesc::Cosmetic(PenStyle::Dash, clRed),
        PenDesc::Cosmetic(PenStyle::DashDot, clBlue),
        PenDesc::Cosmetic(PenStyle::DashDotDot, clGreen),
        PenDesc::Cosmetic(PenStyle::Alternate, clNavy),
        PenDesc::Geometric(PenStyle::UserStyle, 1, clMaroon, PenEndCap::Flat, PenJoin::Miter, {2, 3, 1, 4}),
        PenDesc::Geometric(PenStyle::UserStyle, 1, clPurple, PenEndCap::Round, PenJoin::Round, {0, 2}),
    };
    int drawn = 0;
    for (int trial = 0; trial < 300; ++trial) {
        QtDrawingDevice fast(W, H + 1), walked(W, H + 1);
        Paint(fast, trial);
        Paint(walked, trial);
        const Rect box = trial % 4 == 0 ? Rect{pick(0, 20), pick(0, 15), pick(40, W), pick(30, H)} : Rect{0, 0, W, H};
        fast.SelectClipRgn(Region::FromRect(box));
        walked.SelectClipRgn(Region::FromRects({box, {0, H, 1, H + 1}}));
        const PenDesc& pen = pens[trial % std::size(pens)];
        const bool opaque = pick(0, 1) == 1;
        const Point org{pick(-5, 5), pick(-5, 5)};
        std::vector<Point> pts{{pick(-20, W + 20), pick(-10, H + 10)}};
        for (int k = 0; k < 6; ++k) {
            Point next = pts.back();
            if (pick(0, 1))
                next.x = pick(-20, W + 20);
            else
                next.y = pick(-10, H + 10);
            pts.push_back(next);
        }
        for (QtDrawingDevice* d : {&fast, &walked}) {
            d->SetViewportOrg(org);
            d->SelectPen(pen);
            d->SetBkMode(opaque ? BackMode::Opaque : BackMode::Transparent);
            d->SetBkColor(clYellow);
            // a polyline (the pattern runs on), then lines from the pen position
            d->Polyline(pts.data(), static_cast<int>(pts.size()));
            d->MoveTo(pts[1].x, pts[1].y);
            d->LineTo(pts[2].x, pts[2].y);
            d->LineTo(pts[2].x, pts[2].y);
            d->LineTo(pts[3].x, pts[3].y);
        }
        const Bitmap before = [&] {
            QtDrawingDevice plain(W, H + 1);
            Paint(plain, trial);
            return plain.Surface();
        }();
        if (!(fast.Surface() == before))
            ++drawn;
        for (int y = 0; y < H + 1; ++y)
            for (int x = 0; x < W; ++x) {
                if (x == 0 && y == H)
                    continue;
                ASSERT_EQ(fast.Surface().RawPixel(x, y), walked.Surface().RawPixel(x, y))
                    << "trial " << trial << " at " << x << "," << y;
            }
    }
    EXPECT_GT(drawn, 250);
}

TEST(QtDeviceFastPaths, SolidRowFillsOfEveryWidthCoverExactlyTheirPixels)
{
    // widths across the vector length and four vectors a pass, at every
    // start within a vector
    for (int width = 1; width <= 140; ++width)
        for (int left = 0; left < 9; ++left) {
            QtDrawingDevice d(152, 3);
            Paint(d, 4);
            const Bitmap before = d.Surface();
            d.SelectBrush(BrushDesc::Solid(0x00123456));
            d.FillRect({left, 1, left + width, 2});
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 152; ++x) {
                    const bool inside = y == 1 && x >= left && x < left + width;
                    ASSERT_EQ(d.Surface().Pixel(x, y), inside ? 0x00123456u : before.Pixel(x, y))
                        << width << " " << left << " " << x << "," << y;
                }
        }
}

TEST(QtDeviceFastPaths, RectangleOutlineMatchesTheSamePolygon)
{
    // each outline pixel painted once: XOR shows a pixel painted twice
    for (bool brush : {false, true}) {
        QtDrawingDevice sides(40, 30), polygon(40, 30);
        Paint(sides, 1);
        Paint(polygon, 1);
        for (QtDrawingDevice* d : {&sides, &polygon}) {
            d->SetROP2(Rop2::XorPen);
            d->SelectPen(PenDesc::Solid(0x0000FFFF));
            d->SelectBrush(brush ? BrushDesc::Solid(0x00FF00FF) : BrushDesc::NullBrush());
            ClipInTwoBands(*d);
        }
        sides.Rectangle(-3, 4, 25, 35);
        sides.Rectangle(30, 2, 12, 20);  // corners given right to left
        const Point a[] = {{-3, 4}, {24, 4}, {24, 34}, {-3, 34}};
        const Point b[] = {{12, 2}, {29, 2}, {29, 19}, {12, 19}};
        polygon.Polygon(a, 4);
        polygon.Polygon(b, 4);
        EXPECT_TRUE(sides.Surface() == polygon.Surface()) << brush;
    }
}

TEST(QtDeviceFastPaths, OneToOneBlitsMatchTheSourceAndSelfBlitsReadTheOldPixels)
{
    QtDrawingDevice source(30, 20);
    Paint(source, 5);
    QtDrawingDevice blit(40, 30), stretch(40, 30), self(40, 30), copied(40, 30);
    for (QtDrawingDevice* d : {&blit, &stretch, &self, &copied})
        Paint(*d, 9);
    // partly outside the source: those pixels are black
    blit.BitBlt(4, 3, 30, 25, source.Surface(), -2, 1, Rop3::SrcCopy);
    stretch.SetStretchBltMode(StretchMode::Halftone);  // 1:1 never smooths
    stretch.StretchBlt(4, 3, 30, 25, source.Surface(), -2, 1, 30, 25, Rop3::SrcCopy);
    EXPECT_TRUE(blit.Surface() == stretch.Surface());
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 30; ++x) {
            const int sx = x - 2, sy = y + 1;
            const TColor want = source.Surface().Contains(sx, sy) ? source.GetPixel(sx, sy) : clBlack;
            ASSERT_EQ(blit.GetPixel(4 + x, 3 + y), want) << x << "," << y;
        }
    // overlapping copy of the surface onto itself, against a copy of it
    const Bitmap before = copied.Surface();
    self.BitBlt(5, 4, 30, 20, self.Surface(), 2, 1, Rop3::SrcCopy);
    copied.BitBlt(5, 4, 30, 20, before, 2, 1, Rop3::SrcCopy);
    EXPECT_TRUE(self.Surface() == copied.Surface());
    self.AlphaBlend(3, 2, 25, 20, self.Surface(), 6, 4, 25, 20, 100);
    const Bitmap mid = copied.Surface();
    copied.AlphaBlend(3, 2, 25, 20, mid, 6, 4, 25, 20, 100);
    EXPECT_TRUE(self.Surface() == copied.Surface());
}

TEST(QtDeviceFastPaths, OneToOneBlitsInsideTheSourceCopyEachPixel)
{
    QtDrawingDevice source(50, 40);
    Paint(source, 7);
    struct Case {
        int x, y, w, h, sx, sy;
    };
    // inside; over each edge of the surface; the whole surface
    const Case cases[] = {{5, 4, 20, 15, 3, 2}, {-6, -3, 20, 15, 10, 8}, {30, 20, 20, 15, 0, 0}, {0, 0, 40, 30, 5, 5}};
    for (bool clip : {false, true})
        for (const Case& c : cases) {
            QtDrawingDevice d(40, 30), want(40, 30);
            Paint(d, 3);
            Paint(want, 3);
            if (clip) {
                // a clip that hides part of each blit
                for (QtDrawingDevice* k : {&d, &want})
                    k->SelectClipRgn(Region::FromRects({{2, 2, 30, 12}, {8, 12, 38, 28}}));
            }
            d.BitBlt(c.x, c.y, c.w, c.h, source.Surface(), c.sx, c.sy, Rop3::SrcCopy);
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x)
                    want.SetPixel(c.x + x, c.y + y, source.GetPixel(c.sx + x, c.sy + y));
            EXPECT_TRUE(d.Surface() == want.Surface()) << clip << " " << c.x << "," << c.y;
            // the same through a raster operation and a blend
            QtDrawingDevice r(40, 30), rs(40, 30);
            Paint(r, 4);
            Paint(rs, 4);
            r.BitBlt(c.x, c.y, c.w, c.h, source.Surface(), c.sx, c.sy, Rop3::SrcInvert);
            for (int y = 0; y < c.h; ++y)
                for (int x = 0; x < c.w; ++x)
                    if (rs.Surface().Contains(c.x + x, c.y + y))
                        rs.SetPixel(c.x + x, c.y + y,
                                    (rs.GetPixel(c.x + x, c.y + y) ^ source.GetPixel(c.sx + x, c.sy + y)) & 0xFFFFFF);
            EXPECT_TRUE(r.Surface() == rs.Surface()) << "xor " << c.x << "," << c.y;
        }
}

TEST(QtDeviceFastPaths, RectangleInOneColourIsItsOutlineAndFill)
{
    for (bool clip : {false, true}) {
        QtDrawingDevice one(40, 30), two(40, 30);
        Paint(one, 2);
        Paint(two, 2);
        one.SelectPen(PenDesc::Solid(0x0000A0FF));
        one.SelectBrush(BrushDesc::Solid(0x0000A0FF));
        two.SelectPen(PenDesc::Solid(0x0000A0FF));
        two.SelectBrush(BrushDesc::Solid(0x00123456));
        if (clip)
            for (QtDrawingDevice* k : {&one, &two})
                k->SelectClipRgn(Region::FromRects({{2, 2, 30, 12}, {8, 12, 38, 28}}));
        for (QtDrawingDevice* d : {&one, &two}) {
            d->Rectangle(-3, 4, 25, 35);
            d->Rectangle(30, 2, 12, 20);
            d->Rectangle(5, 5, 7, 7);
        }
        // the fill of the second, in the pen's colour
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                if (two.GetPixel(x, y) == 0x00123456)
                    two.SetPixel(x, y, 0x0000A0FF);
        EXPECT_TRUE(one.Surface() == two.Surface()) << clip;
    }
}

TEST(QtDeviceFastPaths, AlphaBlendRowsFollowTheBlendFormula)
{
    QtDrawingDevice d(20, 10);
    Paint(d, 2);
    QtDrawingDevice src(20, 10);
    Paint(src, 40);
    const Bitmap before = d.Surface();
    d.AlphaBlend(0, 0, 20, 10, src.Surface(), 0, 0, 20, 10, 77);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            const std::uint32_t s = src.Surface().ScanLine(y)[x], o = before.ScanLine(y)[x];
            std::uint32_t want = 0xFF000000u;
            for (int shift : {0, 8, 16}) {
                const int sc = (s >> shift) & 0xFF, dc = (o >> shift) & 0xFF;
                want |= static_cast<std::uint32_t>((sc * 77 + dc * 178 + 127) / 255) << shift;
            }
            ASSERT_EQ(d.Surface().ScanLine(y)[x], want) << x << "," << y;
        }
}

TEST(QtDeviceFastPaths, FloodFillCoversTheFourConnectedArea)
{
    // a maze of random walls; the reference area by a plain pixel search
    QtDrawingDevice d(60, 45);
    std::mt19937 rng(7);
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 60; ++x)
            if (rng() % 3 == 0)
                d.SetPixel(x, y, clBlack);
    d.SetPixel(30, 20, clWhite);
    std::vector<char> want(60 * 45, 0);
    std::vector<Point> stack{{30, 20}};
    while (!stack.empty()) {
        const Point p = stack.back();
        stack.pop_back();
        if (p.x < 0 || p.y < 0 || p.x >= 60 || p.y >= 45 || want[p.y * 60 + p.x] || d.GetPixel(p.x, p.y) != clWhite)
            continue;
        want[p.y * 60 + p.x] = 1;
        stack.insert(stack.end(), {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}});
    }
    const Bitmap before = d.Surface();
    d.SelectBrush(BrushDesc::Solid(clRed));
    ASSERT_TRUE(d.FloodFill(30, 20, clWhite, FloodFillType::Surface));
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(d.GetPixel(x, y), want[y * 60 + x] ? clRed : before.Pixel(x, y)) << x << "," << y;
    // a second fill reuses the marks: the black walls up to the red area
    ASSERT_TRUE(d.FloodFill(0, 0, clRed, FloodFillType::Border) || d.GetPixel(0, 0) == clRed);
    d.SelectBrush(BrushDesc::Solid(clBlue));
    EXPECT_TRUE(d.FloodFill(30, 20, clRed, FloodFillType::Surface));
    for (int y = 0; y < 45; ++y)
        for (int x = 0; x < 60; ++x)
            if (want[y * 60 + x]) {
                ASSERT_EQ(d.GetPixel(x, y), clBlue) << x << "," << y;
            }
}

TEST(QtDeviceFastPaths, TextAfterAClipChangeDrawsAsOnAFreshDevice)
{
    // the text painter lives on between texts: its clip must follow the device's
    QtDrawingDevice kept(120, 40), fresh(120, 40);
    kept.SetBkMode(BackMode::Transparent);
    fresh.SetBkMode(BackMode::Transparent);
    kept.IntersectClipRect(0, 0, 30, 40);
    kept.TextOut(2, 2, "Ab");
    kept.SelectClipRgn(std::nullopt);
    kept.FillRect({0, 0, 120, 40});
    kept.TextOut(50, 10, "Value 12");
    kept.IntersectClipRect(0, 0, 40, 40);
    kept.SelectClipRgn(std::nullopt);
    kept.TextOut(60, 20, "Value 34");
    fresh.TextOut(50, 10, "Value 12");
    fresh.TextOut(60, 20, "Value 34");
    EXPECT_TRUE(kept.Surface() == fresh.Surface());
    EXPECT_NE(InkBox(kept).right, -1);
    // a clip of many rectangles set again holds the next text (the raster
    // engine keeps such a clip switched off when the painter's clipping was)
    kept.SelectClipRgn(Region::FromEllipse({0, 0, 40, 40}));
    kept.TextOut(5, 15, "Ab");
    kept.SelectClipRgn(std::nullopt);
    kept.TextOut(70, 2, "Cd");
    kept.SelectClipRgn(Region::FromEllipse({0, 0, 40, 40}));
    const Bitmap before = kept.Surface();
    kept.SetTextAlign(TextAlign::Right | TextAlign::Baseline);
    kept.TextOut(110, 30, "Value 56");
    EXPECT_TRUE(kept.Surface() == before);
}

TEST(QtDeviceFastPaths, RepeatedEllipsesMatchFirstDrawings)
{
    // outlines of one size reuse their sines: the same pixels every time
    QtDrawingDevice first(80, 60), again(80, 60);
    first.SelectBrush(BrushDesc::Solid(clAqua));
    again.SelectBrush(BrushDesc::Solid(clAqua));
    for (int i = 0; i < 6; ++i)
        first.Ellipse(3 + i * 9, 4 + i * 5, 30 + i * 9, 25 + i * 5);
    for (int i = 0; i < 6; ++i)
        again.Ellipse(3 + i * 9, 4 + i * 5, 30 + i * 9, 25 + i * 5);
    EXPECT_TRUE(first.Surface() == again.Surface());
    QtDrawingDevice single(80, 60);
    single.SelectBrush(BrushDesc::Solid(clAqua));
    single.Ellipse(3, 4, 30, 25);
    QtDrawingDevice other(80, 60);
    other.SelectBrush(BrushDesc::Solid(clAqua));
    other.Ellipse(3, 4, 30, 25);
    EXPECT_TRUE(single.Surface() == other.Surface());
    EXPECT_EQ(single.GetPixel(16, 14), clAqua);
    EXPECT_EQ(single.GetPixel(3, 14), clBlack);
}

TEST(QtDeviceFastPaths, NullPenRectanglesFillAsTheSamePolygon)
{
    // a null-pen box fills [left, right - 1) x [top, bottom - 1): the pixel
    // centres inside the polygon through its corners (left, top)-(right - 1, bottom - 1)
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-12, 60);
    const Rop2 rops[] = {Rop2::CopyPen, Rop2::XorPen, Rop2::MaskPen};
    for (int i = 0; i < 400; ++i) {
        QtDrawingDevice box(50, 40), polygon(50, 40);
        Paint(box, i);
        Paint(polygon, i);
        int l = coord(random), t = coord(random), r = coord(random), b = coord(random);
        if (l > r)
            std::swap(l, r);
        if (t > b)
            std::swap(t, b);
        for (QtDrawingDevice* d : {&box, &polygon}) {
            if (i % 3 == 1)
                ClipInTwoBands(*d);
            else if (i % 3 == 2)
                d->SelectClipRgn(Region::FromRects({{0, 0, 20, 15}, {25, 5, 45, 35}, {3, 30, 17, 40}}));
            d->SetViewportOrg({i % 5 - 2, i % 7 - 3});
            d->SetROP2(rops[i % 3]);
            d->SelectPen(PenDesc::NullPen());
            d->SelectBrush(i % 4 == 3 ? BrushDesc::Hatched(HatchStyle::DiagCross, clRed)
                                      : BrushDesc::Solid(static_cast<TColor>(i * 2654435761u & 0xFFFFFF)));
        }
        box.Rectangle(l, t, r, b);
        const Point corners[] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};
        if (r - 1 > l && b - 1 > t)
            polygon.Polygon(corners, 4);
        ASSERT_TRUE(box.Surface() == polygon.Surface()) << "case " << i;
    }
}

TEST(QtDeviceFastPaths, LevelAndUprightLinesPaintTheWalksPixelsOnce)
{
    // XOR marks every pixel a line paints; the walk of LinePixels is the reference
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coord(-10, 70);
    for (int i = 0; i < 600; ++i) {
        QtDrawingDevice d(60, 50);
        Paint(d, i);
        const Bitmap before = d.Surface();
        const bool clipped = i % 2 == 1;
        if (clipped)
            d.SelectClipRgn(Region::FromRects({{0, 0, 30, 20}, {10, 20, 55, 50}}));
        d.SetROP2(Rop2::XorPen);
        const TColor pen = 0x00A5C3E1;
        d.SelectPen(PenDesc::Solid(pen));
        Point a{coord(random), coord(random)};
        Point b = a;
        (i % 4 < 2 ? b.x : b.y) = coord(random);
        if (i % 13 == 0)
            b = a;
        d.MoveTo(a.x, a.y);
        d.LineTo(b.x, b.y);
        std::vector<std::uint8_t> want(60 * 50, 0);
        LinePixels(a, b, false, {0, 0, 60, 50}, [&](int x, int y, std::int64_t) {
            const bool inClip = !clipped || (x < 30 && y < 20) || (x >= 10 && x < 55 && y >= 20);
            if (inClip)
                ++want[static_cast<std::size_t>(y * 60 + x)];
        });
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x) {
                const std::uint32_t expected =
                    want[static_cast<std::size_t>(y * 60 + x)] ? before.Pixel(x, y) ^ pen : before.Pixel(x, y);
                ASSERT_EQ(d.Surface().Pixel(x, y), expected) << "case " << i << " at " << x << "," << y;
            }
    }
}

TEST(QtDeviceFastPaths, SolidLinesOfEverySlopePaintTheWalksPixelsUnderEveryClip)
{
    // no clip, one rectangle, two rectangles; XOR and copy pens; the walk of
    // LinePixels is the reference
    std::mt19937 random(23);
    std::uniform_int_distribution<int> coord(-10, 70);
    const TColor pen = 0x00A5C3E1;
    for (int i = 0; i < 900; ++i) {
        QtDrawingDevice d(60, 50);
        Paint(d, i);
        const Bitmap before = d.Surface();
        const int clip = i % 3;
        if (clip == 1)
            d.SelectClipRgn(Region::FromRects({{5, 7, 52, 41}}));
        else if (clip == 2)
            d.SelectClipRgn(Region::FromRects({{0, 0, 30, 20}, {10, 20, 55, 50}}));
        const bool xorPen = i % 2 == 0;
        d.SetROP2(xorPen ? Rop2::XorPen : Rop2::CopyPen);
        d.SelectPen(PenDesc::Solid(pen));
        Point a{coord(random), coord(random)};
        Point b{coord(random), coord(random)};
        if (i % 5 == 0)
            b.x = a.x;
        d.MoveTo(a.x, a.y);
        d.LineTo(b.x, b.y);
        std::vector<std::uint8_t> want(60 * 50, 0);
        LinePixels(a, b, false, {0, 0, 60, 50}, [&](int x, int y, std::int64_t) {
            const bool inClip = clip == 0 || (clip == 1 && x >= 5 && x < 52 && y >= 7 && y < 41)
                                || (clip == 2 && ((x < 30 && y < 20) || (x >= 10 && x < 55 && y >= 20)));
            if (inClip)
                ++want[static_cast<std::size_t>(y * 60 + x)];
        });
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x) {
                const std::uint8_t n = want[static_cast<std::size_t>(y * 60 + x)];
                ASSERT_LE(n, 1);
                const std::uint32_t old = before.Pixel(x, y);
                const std::uint32_t expected = n == 0 ? old : xorPen ? old ^ pen : pen;
                ASSERT_EQ(d.Surface().Pixel(x, y), expected) << "case " << i << " at " << x << "," << y;
            }
    }
}

TEST(QtDeviceFastPaths, PolygonOutlinesInABoxMatchTheClipWalk)
{
    // a one-rectangle clip against the same rectangle with a second one in a
    // corner, which takes the per-pixel clip test, compared inside the first;
    // pieces with upright, level and sloped edges, also flat ones and
    // points, filled or not, copied or XORed
    std::mt19937 random(5);
    std::uniform_int_distribution<int> coord(-8, 68);
    const Rect box{6, 4, 51, 43};
    for (int i = 0; i < 400; ++i) {
        std::vector<Point> pts;
        const int n = 1 + i % 5;
        for (int k = 0; k < n; ++k)
            pts.push_back({coord(random), coord(random)});
        if (i % 7 == 0 && n >= 4) {
            // an area piece: two upright sides
            pts[2] = {pts[1].x, 40};
            pts[3] = {pts[0].x, 40};
        }
        if (i % 11 == 0)
            for (Point& p : pts)
                p.x = pts[0].x;
        Bitmap surfaces[2];
        for (int walked = 0; walked < 2; ++walked) {
            QtDrawingDevice d(60, 50);
            Paint(d, i);
            if (walked)
                d.SelectClipRgn(Region::FromRects({box, {0, 0, 2, 2}}));
            else
                d.SelectClipRgn(Region::FromRects({box}));
            d.SetROP2(i % 3 == 0 ? Rop2::XorPen : Rop2::CopyPen);
            d.SelectPen(PenDesc::Solid(0x00A5C3E1));
            d.SelectBrush(i % 4 == 0 ? BrushDesc::NullBrush() : BrushDesc::Solid(0x00203040));
            d.Polygon(pts.data(), static_cast<int>(pts.size()));
            surfaces[walked] = d.Surface();
        }
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                ASSERT_EQ(surfaces[0].Pixel(x, y), surfaces[1].Pixel(x, y)) << "case " << i << " at " << x << "," << y;
    }
}

TEST(QtDeviceFastPaths, StyledLinesKeepTheirPatternWhereTheClipCutsTheirStart)
{
    // a dash is 18 on, 6 off, counted in steps from the start of the run of
    // LineTo calls, also where the clip hides the first steps
    QtDrawingDevice d(120, 60);
    d.SelectBrush(BrushDesc::Solid(clWhite));
    d.FillRect({0, 0, 120, 60});
    d.SelectClipRgn(Region::FromRects({{30, 0, 120, 30}, {0, 30, 120, 60}}));
    d.SelectPen(PenDesc::Cosmetic(PenStyle::Dash, clBlack));
    const Point a{2, 3};
    const Point b{111, 41};
    const Point c{20, 57};
    d.MoveTo(a.x, a.y);
    d.LineTo(b.x, b.y);
    d.LineTo(c.x, c.y);
    std::vector<int> want(120 * 60, 0);
    const auto mark = [&](Point p, Point q, std::int64_t base) {
        LinePixels(p, q, false, {0, 0, 120, 60}, [&](int x, int y, std::int64_t step) {
            const bool inClip = (x >= 30 && y < 30) || y >= 30;
            if (inClip && (base + step) % 24 < 18)
                want[static_cast<std::size_t>(y * 120 + x)] = 1;
        });
    };
    mark(a, b, 0);
    mark(b, c, 109);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 120; ++x)
            ASSERT_EQ(d.GetPixel(x, y) == clBlack, want[static_cast<std::size_t>(y * 120 + x)] == 1) << x << "," << y;
}
