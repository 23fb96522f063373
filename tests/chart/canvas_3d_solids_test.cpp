#include "chart/canvas_3d_solids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>

#include "chart/plot_canvas_3d.h"
#include "chart/plot_gradient.h"
#include "chart/view3d_options.h"
#include "testing/recording_device.h"

// The orthogonal view at 45 degrees and zoom 100 maps (x, y, z) to (x + z, y - z).

namespace {

using Lines = std::vector<std::string>;

class SolidsOnRecorder : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.SetBufferedDisplay(false);
        canvas.InitWindow(&device, &options, clWhite, true, TRect{0, 0, 200, 150});
        canvas.Projection(20, TRect{0, 0, 200, 150});
        device.ClearLog();
    }
    void Use2D()
    {
        canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, 200, 150});
        canvas.Projection(20, TRect{0, 0, 200, 150});
        device.ClearLog();
    }
    // Polygon logs its points as one argument, "x,y x,y ...".
    static int PointCount(const platform::RecordedCall& c)
    {
        return c.args.empty() ? 0 : 1 + static_cast<int>(std::count(c.args[0].begin(), c.args[0].end(), ' '));
    }
    static std::string PointAt(const platform::RecordedCall& c, int i)
    {
        std::size_t pos = 0;
        for (int k = 0; k < i; ++k)
            pos = c.args[0].find(' ', pos) + 1;
        return c.args[0].substr(pos, c.args[0].find(' ', pos) - pos);
    }
    std::vector<platform::RecordedCall> Polygons() const { return device.CallsNamed("Polygon"); }

    platform::RecordingDevice device{200, 150};
    TView3DOptions options;
    TPlotCanvas3D canvas;
};

}  // namespace

TEST_F(SolidsOnRecorder, CylinderDrawsTheFacetsTurnedToTheViewerThenTheCap)
{
    canvas.Brush()->SetColor(RGB(200, 200, 200));
    canvas.Cylinder(true, 0, 0, 40, 100, 0, 20, true);
    const auto polys = Polygons();
    // rim x + z = 30 + round(20 cos a) - round(10 sin a) falls for facets (1,2)..(6,7),
    // (15,16) and the closing (16,1)
    ASSERT_EQ(polys.size(), 9u);
    for (std::size_t i = 0; i < 8; ++i)
        EXPECT_EQ(PointCount(polys[i]), 4);
    EXPECT_EQ(PointCount(polys[8]), 16);
    // facet i darkened by 8 i; the closing facet keeps the brush of facet 14
    const Lines brushes = {"solid 0xC8C8C8", "solid 0xC0C0C0", "solid 0xB8B8B8", "solid 0xB0B0B0",
                           "solid 0xA8A8A8", "solid 0xA0A0A0", "solid 0x585858", "solid 0x585858",
                           "solid 0x888888"};
    for (std::size_t i = 0; i < polys.size(); ++i)
        EXPECT_EQ(polys[i].brush, brushes[i]) << i;
    EXPECT_EQ(polys[0].ToString(), "Polygon(44,-6 44,94 37,97 37,-3)");
    EXPECT_EQ(canvas.Brush()->Color(), RGB(200, 200, 200));
}

TEST_F(SolidsOnRecorder, CylinderEqualsConeAtOneHundredAndConeZeroEndsInAPoint)
{
    canvas.Cylinder(true, 0, 0, 40, 100, 0, 20, false);
    const Lines cylinder = device.DrawingLines();
    device.ClearLog();
    canvas.Cone(true, 0, 0, 40, 100, 0, 20, false, 100);
    EXPECT_EQ(device.DrawingLines(), cylinder);
    device.ClearLog();
    canvas.Cone(true, 0, 0, 40, 100, 0, 20, false, 0);
    for (const auto& p : Polygons()) {
        if (PointCount(p) != 4)
            continue;
        // the bottom rim is the axis point (20, 100, 10)
        EXPECT_EQ(PointAt(p, 1), "30,90");
        EXPECT_EQ(PointAt(p, 2), "30,90");
    }
}

TEST_F(SolidsOnRecorder, CylinderSegmentsCanBeChanged)
{
    const int saved = CylinderSegments;
    CylinderSegments = 4;
    canvas.Cylinder(true, 0, 0, 40, 100, 0, 20, false);
    CylinderSegments = saved;
    EXPECT_EQ(PointCount(Polygons().back()), 4);
}

TEST_F(SolidsOnRecorder, PyramidSkipsTrianglesTurnedAway)
{
    canvas.Pyramid(true, 0, 0, 40, 40, 0, 20, false);
    // base at y = 40; apex (20, 0, 10) -> (30, -10); front and right faces show
    EXPECT_EQ(device.DrawingLines(), (Lines{"Polygon(0,40 40,40 60,20 20,20)", "Polygon(40,40 0,40 30,-10)",
                                            "Polygon(60,20 40,40 30,-10)"}));
}

TEST_F(SolidsOnRecorder, TruncatedPyramidBaseSidesAndTop)
{
    canvas.PyramidTrunc(TRect{0, 0, 40, 40}, 0, 20, 10, 5);
    EXPECT_EQ(device.DrawingLines(),
              (Lines{"Polygon(0,40 40,40 60,20 20,20)",      // base
                     "Polygon(0,40 40,40 35,-5 15,-5)",      // front
                     "Polygon(40,40 60,20 45,-15 35,-5)",    // right
                     "Polygon(15,-5 35,-5 45,-15 25,-15)"}));  // top
}

TEST_F(SolidsOnRecorder, PieAndDonutPointCounts)
{
    Use2D();
    // a quarter: 45 + 2 arc points and the centre; the rim runs right to left, no outer side
    canvas.Pie3D(100, 100, 50, 50, 0, 10, 0, std::numbers::pi / 2, false, false, 0, nullptr);
    auto polys = Polygons();
    ASSERT_EQ(polys.size(), 1u);
    EXPECT_EQ(PointCount(polys[0]), 48);
    EXPECT_EQ(PointAt(polys[0], 0), "150,100");
    EXPECT_EQ(PointAt(polys[0], 47), "100,100");

    // the lower half: 92 points, its rim turns to the viewer all along
    device.ClearLog();
    canvas.Pie3D(100, 100, 50, 50, 0, 10, std::numbers::pi, 2 * std::numbers::pi, false, false, 0, nullptr);
    polys = Polygons();
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(PointCount(polys[0]), 93);
    EXPECT_EQ(PointCount(polys[1]), 184);

    // a donut: the inner side first, then the front face of both arcs
    device.ClearLog();
    canvas.Pie3D(100, 100, 50, 50, 0, 10, 0, std::numbers::pi / 2, false, false, 50, nullptr);
    polys = Polygons();
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(PointCount(polys[0]), 94);
    EXPECT_EQ(PointCount(polys[1]), 94);
    EXPECT_EQ(PointAt(polys[1], 47), "100,75");  // the inner arc starts at the end angle

    // flat sides: the start side's outer point lies right of the screen centre (100)
    device.ClearLog();
    canvas.Brush()->SetColor(RGB(200, 0, 0));
    canvas.Pie3D(100, 100, 50, 50, 0, 10, 0, std::numbers::pi / 2, true, true, 0, nullptr);
    polys = Polygons();
    ASSERT_EQ(polys.size(), 2u);
    EXPECT_EQ(polys[0].ToString(), "Polygon(100,100 150,100 150,100 100,100)");
    EXPECT_EQ(polys[0].brush, "solid 0x000048");  // darkened by 128
    EXPECT_EQ(polys[1].brush, "solid 0x0000C8");
}

TEST_F(SolidsOnRecorder, ArrowsFilledAndOpen)
{
    Use2D();
    canvas.ArrowDefaultHead(true, TPoint{0, 0}, TPoint{100, 0}, 20, 10, 0);
    // shaft 20 x 0.005 x 50 = 5 each side: 10 wide
    EXPECT_EQ(device.DrawingLines(), (Lines{"Polygon(0,-5 90,-5 90,-10 100,0 90,10 90,5 0,5)"}));
    device.ClearLog();
    canvas.Arrow(false, TPoint{0, 100}, TPoint{0, 0}, 20, 10, 0, 50);
    EXPECT_EQ(device.DrawingLines(), (Lines{"LineTo(0,0)", "LineTo(0,0)", "LineTo(0,0)"}));
    const auto moves = device.CallsNamed("MoveTo");
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[1].args, (std::vector<std::string>{"-10", "10"}));
    EXPECT_EQ(moves[2].args, (std::vector<std::string>{"10", "10"}));
    device.ClearLog();
    canvas.Arrow(true, TPoint{5, 5}, TPoint{5, 5}, 20, 10, 0, 50);
    EXPECT_TRUE(device.DrawingLines().empty());
}

TEST_F(SolidsOnRecorder, CubeShowsTheBackFaceWhenTheFrontTurnsAway)
{
    canvas.Brush()->SetColor(RGB(200, 200, 200));
    canvas.Cube(0, 40, 0, 40, 0, 20, true);
    const auto polys = Polygons();
    // front, right side (darkened by 128), top (darkened by 64)
    ASSERT_EQ(polys.size(), 3u);
    EXPECT_EQ(polys[0].ToString(), "Polygon(0,0 40,0 40,40 0,40)");
    EXPECT_EQ(polys[1].brush, "solid 0x484848");
    EXPECT_EQ(polys[2].brush, "solid 0x888888");
    // a clear brush draws every face (a wire box)
    device.ClearLog();
    canvas.Brush()->SetStyle(bsClear);
    canvas.Cube(0, 40, 0, 40, 0, 20, false);
    EXPECT_EQ(Polygons().size(), 5u);
}

TEST_F(SolidsOnRecorder, CubeOrientationOfAHugeBoxKeepsItsSign)
{
    // 60000 x 60000 = 3.6e9 does not fit 32 bits: the front face still turns
    // towards the viewer, so it is drawn and not the back face
    canvas.Cube(0, 60000, 0, 60000, 0, 20, false);
    const auto polys = Polygons();
    ASSERT_FALSE(polys.empty());
    EXPECT_EQ(polys[0].ToString(), "Polygon(0,0 60000,0 60000,60000 0,60000)");
}

TEST_F(SolidsOnRecorder, PieFrontFaceWithAGradient)
{
    Use2D();
    TCustomPlotGradient g;
    canvas.Pie3D(100, 100, 50, 50, 0, 10, 0, std::numbers::pi / 2, false, false, 0, &g);
    const auto clips = device.CallsNamed("ExtSelectClipRgn");
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].args[0].substr(0, 19), "polygon(150,100 150");
    EXPECT_GT(device.Count("PatBlt"), 0);
}

TEST_F(SolidsOnRecorder, SolidsDrawThroughTheCanvasInterface)
{
    TCanvas3D& surface = canvas;
    canvas.Brush()->SetColor(RGB(200, 200, 200));
    DrawPyramid(surface, true, 10, 10, 50, 60, 0, 20, true);
    const auto viaFunction = device.Lines();
    device.ClearLog();
    canvas.Brush()->SetColor(RGB(200, 200, 200));
    canvas.Pyramid(true, 10, 10, 50, 60, 0, 20, true);
    EXPECT_EQ(device.Lines(), viaFunction);
    EXPECT_FALSE(viaFunction.empty());
}

TEST_F(SolidsOnRecorder, PieSidesLeaveTheirCornersInFourCorners)
{
    canvas.Brush()->SetColor(RGB(200, 200, 200));
    // a quarter from 90 to 180 degrees: its side at the end angle lies left of the screen centre
    DrawPie3D(canvas, 100, 75, 40, 30, 0, 10, 0.5 * std::numbers::pi, std::numbers::pi, false, true, 0, nullptr);
    // that side, from the centre at depth 0 to the outer point and back at depth 10
    EXPECT_EQ(canvas.FourCorners[0], (TPoint{100, 75}));
    EXPECT_EQ(canvas.FourCorners[1], (TPoint{60, 75}));
    EXPECT_EQ(canvas.FourCorners[2], (TPoint{70, 65}));
    EXPECT_EQ(canvas.FourCorners[3], (TPoint{110, 65}));
}
