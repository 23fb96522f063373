#include "chart/view3d_options.h"

#include <gtest/gtest.h>

#include <QObject>
#include <QTest>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/series/line_series.h"

namespace {

TEST(TView3DOptionsDefaults, AsCreated)
{
    TView3DOptions o;
    EXPECT_EQ(o.Elevation(), 345);
    EXPECT_EQ(o.FontZoom(), 100);
    EXPECT_EQ(o.HorizOffset(), 0);
    EXPECT_EQ(o.OrthoAngle(), 45);
    EXPECT_TRUE(o.Orthogonal());
    EXPECT_EQ(o.Perspective(), 100);
    EXPECT_EQ(o.Rotation(), 345);
    EXPECT_EQ(o.Tilt(), 0);
    EXPECT_EQ(o.VertOffset(), 0);
    EXPECT_EQ(o.Zoom(), 100);
    EXPECT_TRUE(o.ZoomText());
}

TEST(TView3DOptionsSetters, RepaintOnceAndNotForEqualValues)
{
    int repaints = 0;
    TView3DOptions o(nullptr, [&] { ++repaints; });
    o.SetElevation(345);
    o.SetRotation(345);
    o.SetTilt(0);
    o.SetOrthogonal(true);
    o.SetZoom(100);
    o.SetFontZoom(100);
    o.SetPerspective(100);
    o.SetOrthoAngle(45);
    o.SetZoomText(true);
    o.SetHorizOffset(0);
    o.SetVertOffset(0);
    EXPECT_EQ(repaints, 0);
    o.SetTilt(10);
    o.SetPerspective(20);
    o.SetFontZoom(120);
    o.SetOrthoAngle(30);
    o.SetOrthogonal(false);
    o.SetZoomText(false);
    o.SetElevation(300);
    o.SetRotation(10);
    EXPECT_EQ(repaints, 8);
}

TEST(TView3DOptionsSetters, OffsetsRepaintThenNotifyScroll)
{
    std::vector<std::string> log;
    TView3DOptions o(nullptr, [&] { log.push_back("repaint"); });
    o.OnScrolled = [&](bool horizontal) { log.push_back(horizontal ? "h" : "v"); };
    o.SetHorizOffset(5);
    o.SetVertOffset(-2);
    o.SetVertOffset(-2);
    EXPECT_EQ(log, (std::vector<std::string>{"repaint", "h", "repaint", "v"}));
}

TEST(TView3DOptionsSetters, ZoomNotifiesWithOldValueFirst)
{
    std::vector<std::string> log;
    TView3DOptions o(nullptr, [&] { log.push_back("repaint"); });
    o.OnZoomed = [&](int old) { log.push_back("zoom " + std::to_string(old)); };
    o.SetZoom(100);
    EXPECT_TRUE(log.empty());
    o.SetZoom(150);
    EXPECT_EQ(log, (std::vector<std::string>{"zoom 100", "repaint"}));
    EXPECT_EQ(o.Zoom(), 150);
}

TEST(TView3DOptionsRounding, HalvesToEven)
{
    TView3DOptions o;
    o.SetRotationDouble(344.5);
    EXPECT_EQ(o.Rotation(), 344);
    o.SetRotationDouble(345.5);
    EXPECT_EQ(o.Rotation(), 346);
    o.SetElevationDouble(10.5);
    EXPECT_EQ(o.Elevation(), 10);
    o.SetZoomDouble(99.6);
    EXPECT_EQ(o.Zoom(), 100);
}

// The angles and the zoom are stored as doubles (the rotation tool turns by
// fractions) but read as Integers: a value beyond the int range reads as the
// nearest end, one that is no number as 0.
TEST(TView3DOptionsRounding, ValuesBeyondTheIntRangeReadAtItsEnds)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr int hi = std::numeric_limits<int>::max();
    constexpr int lo = std::numeric_limits<int>::min();
    const struct {
        double Value;
        int Read;
    } cases[] = {{1e30, hi},
                 {-1e30, lo},
                 {inf, hi},
                 {-inf, lo},
                 {std::nan(""), 0},
                 {2147483647.4, hi},
                 {2147483647.5, hi},  // halves to even: 2^31
                 {2147483646.5, 2147483646},
                 {-2147483648.5, lo},
                 {-2147483647.5, lo},
                 {9.3e18, hi},
                 {-9.3e18, lo}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Value);
        TView3DOptions o;
        o.SetZoomDouble(c.Value);
        o.SetElevationDouble(c.Value);
        o.SetRotationDouble(c.Value);
        EXPECT_EQ(o.Zoom(), c.Read);
        EXPECT_EQ(o.Elevation(), c.Read);
        EXPECT_EQ(o.Rotation(), c.Read);
    }
}

TEST(TView3DOptionsSetters, ZoomFromBeyondTheIntRangeNotifiesTheEndOfTheRange)
{
    TView3DOptions o;
    std::vector<int> old;
    o.OnZoomed = [&](int z) { old.push_back(z); };
    o.SetZoomDouble(1e30);
    o.SetZoomDouble(-std::numeric_limits<double>::infinity());
    o.SetZoomDouble(std::nan(""));
    o.SetZoom(100);
    EXPECT_EQ(old, (std::vector<int>{100, std::numeric_limits<int>::max(), std::numeric_limits<int>::min(), 0}));
}

// A shown 3D chart paints at every such zoom (run under the sanitizer build).
TEST(TView3DOptionsOnAChart, ZoomBeyondTheIntRangePaints)
{
    for (double zoom : {1e30, -1e30, std::nan("")}) {
        SCOPED_TRACE(zoom);
        QObject form;
        TChart chart;
        chart.resize(300, 200);
        auto* s = new TLineSeries(&form);
        for (int i = 0; i < 5; ++i)
            s->AddXY(i, i * i);
        chart.AddSeries(s);
        chart.View3DOptions()->SetZoomDouble(zoom);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        EXPECT_EQ(chart.grab().toImage().width(), 300);
    }
}

TEST(TView3DOptionsAssign, KeepsValuesBeyondTheIntRangeExactly)
{
    TView3DOptions source;
    source.SetZoomDouble(1e30);
    source.SetElevationDouble(-std::numeric_limits<double>::infinity());
    source.SetRotationDouble(std::nan(""));
    TView3DOptions target;
    target.Assign(&source);
    EXPECT_EQ(target.ZoomDouble(), 1e30);
    EXPECT_EQ(target.ElevationDouble(), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(target.RotationDouble()));
}

TEST(TView3DOptionsAssign, CopiesValuesWithoutRepaint)
{
    TView3DOptions source;
    source.SetRotationDouble(12.25);
    source.SetElevation(300);
    source.SetTilt(7);
    source.SetZoom(80);
    source.SetFontZoom(90);
    source.SetHorizOffset(3);
    source.SetVertOffset(4);
    source.SetOrthogonal(false);
    source.SetOrthoAngle(60);
    source.SetPerspective(15);
    source.SetZoomText(false);
    int repaints = 0;
    TView3DOptions target(nullptr, [&] { ++repaints; });
    bool scrolled = false;
    target.OnScrolled = [&](bool) { scrolled = true; };
    target.Assign(&source);
    target.Assign(nullptr);
    EXPECT_EQ(repaints, 0);
    EXPECT_FALSE(scrolled);
    EXPECT_DOUBLE_EQ(target.RotationDouble(), 12.25);
    EXPECT_EQ(target.Elevation(), 300);
    EXPECT_EQ(target.Tilt(), 7);
    EXPECT_EQ(target.Zoom(), 80);
    EXPECT_EQ(target.FontZoom(), 90);
    EXPECT_EQ(target.HorizOffset(), 3);
    EXPECT_EQ(target.VertOffset(), 4);
    EXPECT_FALSE(target.Orthogonal());
    EXPECT_EQ(target.OrthoAngle(), 60);
    EXPECT_EQ(target.Perspective(), 15);
    EXPECT_FALSE(target.ZoomText());
}

TEST(TView3DOptionsOrthoRatio, TangentOfTheFoldedAngle)
{
    TView3DOptions o;
    EXPECT_NEAR(o.CalcOrthoRatio(), 1.0, 1e-12);
    o.SetOrthoAngle(135);
    EXPECT_NEAR(o.CalcOrthoRatio(), 1.0, 1e-12);
    o.SetOrthoAngle(30);
    EXPECT_NEAR(o.CalcOrthoRatio(), 0.5773502691896257, 1e-12);  // tan 30 degrees
    o.SetOrthogonal(false);
    EXPECT_DOUBLE_EQ(o.CalcOrthoRatio(), 1.0);
}

}  // namespace
