#include "chart/series_pointer.h"

#include <gtest/gtest.h>

#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/view3d_options.h"
#include "series/every_series_type.h"
#include "support/stored_defaults.h"
#include "support/recording_canvas.h"

namespace {

class TSeriesPointerDraw : public CanvasOnRecorderTest {
protected:
    Lines Draw(TSeriesPointerStyle Style, int W = 4, int H = 4)
    {
        device.ClearLog();
        pointer.PrepareCanvas(canvas, clRed);
        pointer.DrawPointer(canvas, false, 50, 40, W, H, clRed, Style);
        return device.DrawingLines();
    }
    TSeriesPointer pointer{nullptr};
};

}  // namespace

TEST(TSeriesPointerDefaults, ConstructorValues)
{
    TSeriesPointer p(nullptr);
    EXPECT_TRUE(p.Dark3D());
    EXPECT_TRUE(p.Draw3D());
    EXPECT_EQ(p.HorizSize(), 4);
    EXPECT_EQ(p.VertSize(), 4);
    EXPECT_TRUE(p.InflateMargins());
    EXPECT_EQ(p.Style(), psRectangle);
    EXPECT_EQ(p.Transparency(), 0);
    EXPECT_FALSE(p.Shadow()->Visible());
    EXPECT_EQ(p.Shadow()->GetSize(), 3);
}

TEST(TSeriesPointerDefaults, ThePointerOfEverySeriesTypeIsBuiltAtItsStoredDefaults)
{
    TSeriesPointer alone(nullptr);
    ExpectFreshAtStoredDefaults(alone.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(alone));
    for (const TSeriesType& type : EverySeriesType()) {
        const auto series = type.Create();
        auto* owner = dynamic_cast<TCustomSeries*>(series.get());
        if (!owner)
            continue;
        SCOPED_TRACE(type.Name);
        TSeriesPointer& pointer = owner->Pointer();
        ExpectFreshAtStoredDefaults(pointer.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(pointer));
    }
}

TEST(TSeriesPointerDefaults, SizeBelowOneRaisesAndKeepsTheValue)
{
    TSeriesPointer p(nullptr);
    p.SetHorizSize(6);
    try {
        p.SetHorizSize(0);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Pointer size must be greater than zero");
    }
    EXPECT_EQ(p.HorizSize(), 6);
    EXPECT_THROW(p.SetVertSize(-1), ChartException);
    EXPECT_EQ(p.VertSize(), 4);
    p.SetSize(7);
    EXPECT_EQ(p.HorizSize(), 7);
    EXPECT_EQ(p.VertSize(), 7);
}

TEST(TSeriesPointerDefaults, MarginsGrowToTheSizePlusOneWhenVisibleAndInflating)
{
    TSeriesPointer p(nullptr);
    p.SetHorizSize(5);
    int l = 2, r = 9;
    p.GetHorizMargins(l, r);
    EXPECT_EQ(l, 6);
    EXPECT_EQ(r, 9);
    int t = 0, b = 0;
    p.GetVertMargins(t, b);
    EXPECT_EQ(t, 5);
    EXPECT_EQ(b, 5);
    p.SetInflateMargins(false);
    t = b = 0;
    p.GetVertMargins(t, b);
    EXPECT_EQ(t, 0);
    p.SetInflateMargins(true);
    p.SetVisible(false);
    p.GetVertMargins(t, b);
    EXPECT_EQ(b, 0);
}

TEST_F(TSeriesPointerDraw, RectangleCoversXMinus4ToXPlus4Inclusive)
{
    EXPECT_EQ(Draw(psRectangle), (Lines{"Rectangle(46,36,55,45)"}));
}

TEST_F(TSeriesPointerDraw, CircleIsTheEllipseOfTheHalfSizes)
{
    EXPECT_EQ(Draw(psCircle, 4, 3), (Lines{"Ellipse(46,37,54,43)"}));
}

TEST_F(TSeriesPointerDraw, TrianglesPointUpDownLeftRight)
{
    EXPECT_EQ(Draw(psTriangle), (Lines{"Polygon(46,44 54,44 50,36)"}));
    EXPECT_EQ(Draw(psDownTriangle), (Lines{"Polygon(46,36 54,36 50,44)"}));
    EXPECT_EQ(Draw(psLeftTriangle), (Lines{"Polygon(46,40 54,36 54,44)"}));
    EXPECT_EQ(Draw(psRightTriangle), (Lines{"Polygon(54,40 46,36 46,44)"}));
}

TEST_F(TSeriesPointerDraw, StarIsExactlyCrossThenDiagonalCross)
{
    Lines cross = Draw(psCross);
    const Lines diag = Draw(psDiagCross);
    cross.insert(cross.end(), diag.begin(), diag.end());
    EXPECT_EQ(Draw(psStar), cross);
    // from (left, top) to (right + 1, bottom + 1), from (right, top) to (left - 1, bottom + 1)
    EXPECT_EQ(diag, (Lines{"LineTo(55,45)", "LineTo(45,45)"}));
}

TEST_F(TSeriesPointerDraw, DiamondAndHexagonPolygons)
{
    EXPECT_EQ(Draw(psDiamond), (Lines{"Polygon(46,40 50,36 54,40 50,44)"}));
    // h div 2 = 2 for h 5
    EXPECT_EQ(Draw(psHexagon, 4, 5), (Lines{"Polygon(50,35 54,38 54,42 50,45 46,42 46,38)"}));
}

TEST_F(TSeriesPointerDraw, SmallDotTakesTheBrushColourNotThePen)
{
    pointer.Pen()->SetColor(clBlue);
    device.ClearLog();
    pointer.PrepareCanvas(canvas, clRed);
    pointer.DrawPointer(canvas, false, 50, 40, 4, 4, clRed, psSmallDot);
    EXPECT_EQ(canvas.GetPixel(50, 40), clRed);
}

TEST_F(TSeriesPointerDraw, NothingDrawsNothing)
{
    EXPECT_TRUE(Draw(psNothing).empty());
}

TEST_F(TSeriesPointerDraw, VisibleShadowIsDrawnBeforeTheShapeOnlyForBoxShapes)
{
    pointer.Shadow()->SetVisible(true);
    pointer.Shadow()->SetSmooth(false);
    const Lines rect = Draw(psRectangle);
    ASSERT_GE(rect.size(), 2u);
    EXPECT_EQ(rect.back(), "Rectangle(46,36,55,45)");
    EXPECT_EQ(Draw(psDiamond), (Lines{"Polygon(46,40 50,36 54,40 50,44)"}));
}

TEST_F(TSeriesPointerDraw, GradientOfARectangleIsClippedToItAndTakesThePointColour)
{
    pointer.Gradient()->SetVisible(true);
    const Lines lines = Draw(psRectangle);
    EXPECT_EQ(pointer.Gradient()->EndColor(), clRed);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Rectangle(46,36,55,45)");
    EXPECT_GT(device.Count("IntersectClipRect") + device.Count("SelectClipRgn") +
                  device.Count("ExtSelectClipRgn"), 0);
}

TEST_F(TSeriesPointerDraw, PenOfTheDefaultColourTakesThePointColour)
{
    pointer.Pen()->SetColor(clDefault);
    pointer.PrepareCanvas(canvas, clLime);
    EXPECT_EQ(canvas.Pen()->Color(), clLime);
    pointer.Pen()->SetVisible(false);
    pointer.PrepareCanvas(canvas, clLime);
    EXPECT_EQ(canvas.Pen()->Style(), psClear);
}

TEST(TSeriesPointerAssign, CopiesEveryPointerProperty)
{
    TSeriesPointer a(nullptr), b(nullptr);
    a.SetStyle(psDiamond);
    a.SetHorizSize(7);
    a.SetVertSize(2);
    a.SetDark3D(false);
    a.SetDraw3D(false);
    a.SetInflateMargins(false);
    a.SetTransparency(30);
    a.Shadow()->SetVisible(true);
    a.SetVisible(false);
    b.Assign(a);
    EXPECT_EQ(b.Style(), psDiamond);
    EXPECT_EQ(b.HorizSize(), 7);
    EXPECT_EQ(b.VertSize(), 2);
    EXPECT_FALSE(b.Dark3D());
    EXPECT_FALSE(b.Draw3D());
    EXPECT_FALSE(b.InflateMargins());
    EXPECT_EQ(b.Transparency(), 30);
    EXPECT_TRUE(b.Shadow()->Visible());
    EXPECT_FALSE(b.Visible());
}

namespace {

class TSeriesPointer3D : public ::testing::Test {
protected:
    void SetUp() override
    {
        canvas.SetBufferedDisplay(false);
        view.SetOrthogonal(true);
        canvas.InitWindow(&device, &view, clWhite, true, TRect{0, 0, 200, 150});
        canvas.Projection(20, TRect{20, 20, 180, 130});
        series.SetDepth(10);
        series.CalcDepthPositions();  // Z 0 to 10
        device.ClearLog();
    }
    Lines Draw(TSeriesPointerStyle Style)
    {
        device.ClearLog();
        pointer.PrepareCanvas(canvas, clRed);
        pointer.DrawPointer(canvas, true, 50, 40, 4, 4, clRed, Style);
        return device.DrawingLines();
    }
    platform::RecordingDevice device{200, 150};
    TView3DOptions view;
    TPlotCanvas3D canvas;
    TChartSeries series;
    TSeriesPointer pointer{&series};
};

}  // namespace

TEST_F(TSeriesPointer3D, SolidRectangleIsACubeFlatOneAPlane)
{
    const Lines cube = Draw(psRectangle);
    pointer.SetDraw3D(false);
    const Lines flat = Draw(psRectangle);
    EXPECT_EQ(flat.size(), 1u);
    EXPECT_GT(cube.size(), flat.size());
}

TEST_F(TSeriesPointer3D, FlatTriangleIsOneProjectedPolygon)
{
    pointer.SetDraw3D(false);
    const Lines lines = Draw(psTriangle);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Polygon(", 0), 0u);
}

TEST_F(TSeriesPointer3D, TransparencyBlendsThePointer)
{
    pointer.SetTransparency(50);
    Draw(psCircle);
    EXPECT_GT(device.Count("AlphaBlend") + device.Count("BitBlt") + device.Count("StretchBlt"), 0);
}
