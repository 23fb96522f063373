#include "chart/chart_walls.h"

#include <gtest/gtest.h>

#include <functional>

#include "chart/axis_panel.h"
#include "chart/property_stream.h"
#include "support/recording_canvas.h"
#include "support/stored_defaults.h"
#include "support/written_names.h"

namespace {

std::vector<std::string> StreamNames(const std::vector<std::uint8_t>& Data)
{
    std::vector<std::string> names;
    TPropertyReader r(Data);
    while (!r.AtEnd()) {
        names.push_back(r.ReadPropName());
        r.SkipValue();
    }
    return names;
}

// The chart's canvas drawing straight onto Device over Bounds, with the
// chart rectangle R; in 3D with a depth of 20 projected.
void PrepareChart(TCustomAxisPanel& Chart, platform::RecordingDevice& Device, bool In3D, const TRect& Bounds,
                  const TRect& R)
{
    Chart.SetView3D(In3D);
    Chart.Canvas()->SetBufferedDisplay(false);
    Chart.Canvas()->InitWindow(&Device, Chart.View3DOptions(), clWhite, In3D, Bounds);
    Chart.ChartRect = R;
    if (In3D) {
        Chart.Width3D = 20;
        Chart.Canvas()->Projection(20, R);
    }
    Device.ClearLog();
}

class TWallsDraw : public ::testing::Test {
protected:
    void SetUp() override { PrepareChart(chart, device, false, TRect{0, 0, 200, 150}, TRect{10, 20, 110, 120}); }
    platform::RecordingDevice device{200, 150};
    TCustomAxisPanel chart;
    TChartWalls walls{&chart};
};

}  // namespace

TEST(TChartWallsDefaults, ColoursVisibilityAndStoredDefaults)
{
    TCustomAxisPanel chart;
    TChartWalls walls(&chart);
    EXPECT_EQ(walls.Back().Color(), clSilver);
    EXPECT_TRUE(walls.Back().Transparent());
    EXPECT_FALSE(walls.Back().Shadow()->Visible());
    EXPECT_EQ(walls.Back().Shadow()->Color(), clGray);
    EXPECT_EQ(walls.Left().Color(), 8454143u);
    EXPECT_EQ(walls.Bottom().Color(), clWhite);
    EXPECT_EQ(walls.Right().Color(), clSilver);
    EXPECT_FALSE(walls.Right().Visible());
    EXPECT_TRUE(walls.Left().Visible());
    for (const TCustomChartWall* w : {static_cast<const TCustomChartWall*>(&walls.Back()),
                                      static_cast<const TCustomChartWall*>(&walls.Left())}) {
        EXPECT_FALSE(w->AutoHide());
        EXPECT_TRUE(w->Dark3D());
        EXPECT_EQ(w->StartPosition(), 0);
        EXPECT_EQ(w->EndPosition(), 100);
        EXPECT_EQ(w->Size(), 0);
    }
}

TEST(TChartWallsDefaults, BackWallAtItsDefaultColourIsNotWritten)
{
    TCustomAxisPanel chart;
    TChartWalls walls(&chart);
    TPropertyWriter w;
    walls.Back().PropertyTable().Write(walls.Back(), w);
    EXPECT_EQ(WithoutShadowsStoredAlways(StreamNames(w.Data())), std::vector<std::string>{});
    walls.Back().SetColor(clRed);
    TPropertyWriter w2;
    walls.Back().PropertyTable().Write(walls.Back(), w2);
    EXPECT_EQ(WithoutShadowsStoredAlways(StreamNames(w2.Data())), std::vector<std::string>{"Color"});
}

TEST(TChartWallsDefaults, EveryWallIsBuiltAtItsStoredDefaults)
{
    TCustomAxisPanel chart;
    const auto fresh = [](TPlotCustomShapeBrushPen& wall) { ExpectFreshAtStoredDefaults(wall.PropertyTable(), wall); };
    // each class alone
    TChartWall plain(&chart);
    EXPECT_EQ(plain.Color(), clDefault);
    fresh(plain);
    TChartWall coloured(&chart, clRed);
    fresh(coloured);
    TChartBackWall back(&chart);
    fresh(back);
    TChartLeftWall left(&chart, clGreen);
    fresh(left);
    TChartRightWall right(&chart);
    fresh(right);
    TChartBottomWall bottom(&chart, clBlue);
    fresh(bottom);
    // the walls of a chart, the right one hidden from the start
    TChartWalls walls(&chart);
    for (TCustomChartWall* wall : std::initializer_list<TCustomChartWall*>{&walls.Back(), &walls.Left(),
                                                                             &walls.Right(), &walls.Bottom()})
        fresh(*wall);
    // a wall an owner builds translucent keeps that as its stored default
    TChartWall translucent(&chart);
    translucent.InitTransparency(40);
    EXPECT_EQ(translucent.Transparency(), 40);
    fresh(translucent);
    // a hidden right wall read back from a stream that leaves Visible out stays hidden
    walls.Right().SetVisible(true);
    EXPECT_EQ(WrittenBeyondShadows(walls.Right().PropertyTable(),
                                   static_cast<const TPlotCustomShapeBrushPen&>(walls.Right())),
              std::vector<std::string>{"Visible"});
    walls.Right().PropertyTable().LoadStoredDefaults(walls.Right());
    EXPECT_FALSE(walls.Right().Visible());
}

TEST(TChartWallsDefaults, AssignCopiesWallSettings)
{
    TCustomAxisPanel chart;
    TChartWalls a(&chart), b(&chart);
    a.Left().SetSize(7);
    a.Left().SetEndPosition(60);
    a.Left().SetAutoHide(true);
    a.Back().SetColor(clBlue);
    b.Assign(a);
    EXPECT_EQ(b.Left().Size(), 7);
    EXPECT_EQ(b.Left().EndPosition(), 60);
    EXPECT_TRUE(b.Left().AutoHide());
    EXPECT_EQ(b.Back().Color(), clBlue);
}

TEST(TChartWallsDefaults, DrawableNeedsView3DWallsVisibleAndNoAutoHide)
{
    TCustomAxisPanel chart;
    TChartWalls walls(&chart);
    EXPECT_TRUE(walls.Left().Drawable());
    walls.Left().SetAutoHide(true);
    EXPECT_FALSE(walls.Left().Drawable());
    walls.Left().SetAutoHide(false);
    chart.SetView3DWalls(false);
    EXPECT_FALSE(walls.Left().Drawable());
    EXPECT_TRUE(walls.Left().HasDarkSides());
    walls.Left().Brush()->SetStyle(bsClear);
    EXPECT_FALSE(walls.Left().HasDarkSides());
}

TEST_F(TWallsDraw, FullBackWallIn2DCoversTheChartRectanglePlusOne)
{
    walls.DrawBack();
    EXPECT_EQ(device.DrawingLines(), (Lines{"Rectangle(10,20,111,121)"}));
}

TEST_F(TWallsDraw, EndPositionFiftyShortensTheWallFromTheBottomByHalf)
{
    walls.Back().SetEndPosition(50);
    walls.DrawBack();
    // bottom = 120 - round(100 x 50 x 0.01); no extra pixel below
    EXPECT_EQ(device.DrawingLines(), (Lines{"Rectangle(10,20,111,70)"}));
    device.ClearLog();
    walls.Back().SetEndPosition(100);
    walls.Back().SetStartPosition(25);
    walls.DrawBack();
    EXPECT_EQ(device.DrawingLines(), (Lines{"Rectangle(10,45,111,121)"}));
}

TEST_F(TWallsDraw, TransparentWallDrawsOnlyItsFrame)
{
    walls.DrawBack();
    const auto calls = device.CallsNamed("Rectangle");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].brush, "null");  // a clear brush
    device.ClearLog();
    walls.Back().SetTransparent(false);
    walls.DrawBack();
    const auto solid = device.CallsNamed("Rectangle");
    ASSERT_EQ(solid.size(), 1u);
    EXPECT_NE(solid[0].brush.find("0xC0C0C0"), std::string::npos) << solid[0].brush;
}

TEST_F(TWallsDraw, TranslucentBackWallBlendsItsRectangle)
{
    walls.Back().SetTransparent(false);
    walls.Back().SetTransparency(40);
    walls.DrawBack();
    EXPECT_EQ(device.Count("Rectangle"), 1);
    EXPECT_GT(device.Count("AlphaBlend") + device.Count("BitBlt") + device.Count("StretchBlt"), 0);
}

TEST_F(TWallsDraw, RightWallNeedsA3DChart)
{
    walls.Right().SetVisible(true);
    walls.DrawRight();
    EXPECT_TRUE(device.DrawingLines().empty());
}

TEST(TWalls3D, SideWallsDrawPlanesAndBoxes)
{
    platform::RecordingDevice device(300, 200);
    TCustomAxisPanel chart;
    PrepareChart(chart, device, true, TRect{0, 0, 300, 200}, TRect{40, 30, 240, 160});
    TChartWalls walls(&chart);
    walls.DrawLeft();
    const Lines plane = device.DrawingLines();
    ASSERT_FALSE(plane.empty());
    device.ClearLog();
    walls.Left().SetSize(5);
    walls.DrawLeft();
    EXPECT_GT(device.DrawingLines().size(), plane.size());  // a box has more faces than a plane
    device.ClearLog();
    walls.DrawBottom();
    walls.DrawBack();
    EXPECT_FALSE(device.DrawingLines().empty());
}

namespace {

// The polygons a drawing logged, with the DC brush colour each was filled in.
std::vector<std::string> ColouredPolygons(const Lines& Log)
{
    std::vector<std::string> out;
    std::string colour;
    for (const std::string& l : Log) {
        if (l.rfind("SetDCBrushColor(", 0) == 0)
            colour = l.substr(16, l.size() - 17);
        else if (l.rfind("Polygon(", 0) == 0)
            out.push_back(colour + " " + l.substr(8, l.size() - 9));
    }
    return out;
}

std::string Corners(TCanvas3D& Canvas, const TPoint3D (&P)[4])
{
    std::string s;
    for (const TPoint3D& p : P) {
        TPoint q;
        Canvas.Project(p.X, p.Y, p.Z, q);
        s += (s.empty() ? "" : " ") + std::to_string(q.X) + "," + std::to_string(q.Y);
    }
    return s;
}

class TWallPictures3D : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareChart(chart, device, true, TRect{0, 0, 300, 200}, TRect{40, 30, 240, 160});
        // two columns by two rows: red, green over blue, white
        picture.SetPixel(0, 0, clRed);
        picture.SetPixel(1, 0, clLime);
        picture.SetPixel(0, 1, clBlue);
        picture.SetPixel(1, 1, clWhite);
    }
    // The last four coloured polygons of the wall drawn with the picture: its cells.
    std::vector<std::string> Drawn(TCustomChartWall& Wall, void (TChartWalls::*Draw)())
    {
        Wall.Picture()->SetGraphic(&picture);
        device.ClearLog();
        (walls.*Draw)();
        const std::vector<std::string> cells = ColouredPolygons(device.Lines());
        if (cells.size() < 4)
            return cells;
        return std::vector<std::string>(cells.end() - 4, cells.end());
    }
    // The cells row by row in the picture's colours; At places the picture's
    // column and row lines 0..2 on the wall.
    std::vector<std::string> Expected(const std::function<TPoint3D(int, int)>& At)
    {
        const char* colours[] = {"0x0000FF", "0x00FF00", "0xFF0000", "0xFFFFFF"};
        std::vector<std::string> want;
        for (int v = 0; v < 2; ++v)
            for (int h = 0; h < 2; ++h) {
                const TPoint3D corners[4] = {At(h, v), At(h + 1, v), At(h + 1, v + 1), At(h, v + 1)};
                want.push_back(std::string(colours[v * 2 + h]) + " " + Corners(*chart.Canvas(), corners));
            }
        return want;
    }

    platform::RecordingDevice device{300, 200};
    TCustomAxisPanel chart;
    TChartWalls walls{&chart};
    TBitmap picture{2, 2, pf24bit};
};

}  // namespace

TEST_F(TWallPictures3D, LeftWallPictureLiesOnTheWallsFaceCellByCell)
{
    // columns across the depth 0..20, rows down the wall 30..160, on the plane x = 40
    EXPECT_EQ(Drawn(walls.Left(), &TChartWalls::DrawLeft),
              Expected([](int h, int v) { return TPoint3D{40, 30 + v * 65, h * 10}; }));
}

TEST_F(TWallPictures3D, BottomWallPictureLiesOnTheFloorCellByCell)
{
    // columns along x 40..240, rows across the depth 0..20, on the plane y = 160
    EXPECT_EQ(Drawn(walls.Bottom(), &TChartWalls::DrawBottom),
              Expected([](int h, int v) { return TPoint3D{40 + h * 100, 160, v * 10}; }));
}
