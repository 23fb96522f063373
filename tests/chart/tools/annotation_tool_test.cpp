#include "chart/tools/annotation_tool.h"

#include "chart/tools/rectangle_tool.h"
#include "chart/tools/tool_geometry.h"
#include "support/stored_defaults.h"
#include "tool_test_chart.h"

namespace {

template <typename T>
class AnnotationOnChart : public ToolChartTest {
protected:
    AnnotationOnChart() { tool.SetParentChart(&chart); }
    ~AnnotationOnChart() override { tool.SetParentChart(nullptr); }
    TRect Box()
    {
        TRect r;
        int x, y, lines;
        tool.GetShapeBounds(r, x, y, lines);
        return r;
    }
    T tool;
};

using TAnnotationOnChart = AnnotationOnChart<TAnnotationTool>;
using TRectangleOnChart = AnnotationOnChart<TRectangleTool>;

}  // namespace

TEST_F(TAnnotationOnChart, DefaultBoxStartsTenPixelsIn)
{
    tool.SetText("Hello");
    Draw();
    const TRect r = Box();
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 10);
    EXPECT_EQ(tool.Width(), r.Right - r.Left + 1);
}

TEST_F(TAnnotationOnChart, PercentPositionIsAShareOfTheChartBounds)
{
    device.SetSize(401, 300);
    tool.SetPositionUnits(muPercent);
    tool.Shape().SetLeft(25);
    tool.Shape().SetTop(10);
    Draw();
    // round(25 * 401 * 0.01) = round(100.25)
    EXPECT_EQ(Box().Left, 100);
    // round(10 * 301 * 0.01) = round(30.1)
    EXPECT_EQ(Box().Top, 30);
}

TEST_F(TAnnotationOnChart, SettingWidthTurnsAutoSizeOff)
{
    EXPECT_TRUE(tool.AutoSize());
    tool.SetWidth(80);
    EXPECT_FALSE(tool.AutoSize());
    EXPECT_EQ(tool.Width(), 80);
}

TEST_F(TAnnotationOnChart, SettingPositionTurnsTheCustomPositionOff)
{
    tool.SetLeft(30);
    EXPECT_TRUE(tool.Shape().CustomPosition());
    tool.SetPosition(ppRightBottom);
    EXPECT_FALSE(tool.Shape().CustomPosition());
}

TEST(AnnotationDefaults, EveryAnnotationToolIsBuiltAtItsStoredDefaults)
{
    TAnnotationCallout callout;
    EXPECT_FALSE(callout.Visible());
    // the white arrow pen writes Visible whatever its value
    ExpectFreshAtStoredDefaults(callout.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(callout),
                                {"Arrow.Visible"});
    TTextShape shape;
    ExpectFreshAtStoredDefaults(shape.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(shape));
    TAnnotationTool annotation;
    EXPECT_TRUE(annotation.AutoSize());
    EXPECT_EQ(annotation.Cursor(), crDefault);
    ExpectFreshAtStoredDefaults(annotation.PropertyTable(), static_cast<TCustomChartElement&>(annotation),
                                {"Callout.Arrow.Visible"});
    ExpectFreshAtStoredDefaults(annotation.Shape().PropertyTable(),
                                static_cast<TPlotCustomShapeBrushPen&>(annotation.Shape()));
    TRectangleTool rectangle;
    EXPECT_FALSE(rectangle.AutoSize());
    EXPECT_EQ(rectangle.Cursor(), crHandPoint);
    EXPECT_TRUE(rectangle.Shape().CustomPosition());
    EXPECT_EQ(rectangle.Shape().Transparency(), 75);
    // a box placed and sized by hand writes where and how large it is
    ExpectFreshAtStoredDefaults(rectangle.PropertyTable(), static_cast<TCustomChartElement&>(rectangle),
                                {"Callout.Arrow.Visible", "Shape.Left", "Shape.Top", "Height", "Width"});
    ExpectFreshAtStoredDefaults(rectangle.Shape().PropertyTable(),
                                static_cast<TPlotCustomShapeBrushPen&>(rectangle.Shape()), {"Left", "Top"});
}

TEST(CalloutStart, TargetBelowRightLeavesFromTheCornerAboveFromTheTopMiddle)
{
    const TRect r{10, 10, 60, 40};
    EXPECT_EQ(CalloutStart(r, TPoint{100, 100}).X, 60);
    EXPECT_EQ(CalloutStart(r, TPoint{100, 100}).Y, 40);
    EXPECT_EQ(CalloutStart(r, TPoint{35, 0}).X, 35);
    EXPECT_EQ(CalloutStart(r, TPoint{35, 0}).Y, 10);
}

TEST(CalloutTarget, DistanceMovesBackTowardsTheStartAndAZeroLengthStays)
{
    const TPoint t = CalloutTarget(TPoint{0, 0}, TPoint{30, 40}, 10);
    EXPECT_EQ(t.X, 24);
    EXPECT_EQ(t.Y, 32);
    const TPoint same = CalloutTarget(TPoint{5, 5}, TPoint{5, 5}, 10);
    EXPECT_EQ(same.X, 5);
    EXPECT_EQ(same.Y, 5);
}

TEST_F(TAnnotationOnChart, CalloutOntoItsOwnStartDrawsWithoutFailing)
{
    tool.SetText("Hello");
    Draw();
    const TRect r = Box();
    tool.Callout().SetVisible(true);
    tool.Callout().Arrow()->SetVisible(true);
    tool.Callout().SetDistance(5);
    // a target at the middle of the box: the start is the same point
    tool.Callout().SetXPosition((r.Left + r.Right) / 2);
    tool.Callout().SetYPosition((r.Top + r.Bottom) / 2);
    Draw();
    bool line = false;
    for (const auto& l : device.DrawingLines())
        line = line || l.rfind("LineTo", 0) == 0 || l.rfind("Polyline", 0) == 0;
    EXPECT_TRUE(line);
}

TEST(RectangleClickedCorner, FourPixelsAwayIsNotNear)
{
    const TRect r{100, 100, 200, 160};
    EXPECT_EQ(RectangleClickedCorner(r, 103, 130), 0);
    EXPECT_EQ(RectangleClickedCorner(r, 104, 130), -1);
    EXPECT_EQ(RectangleClickedCorner(r, 150, 101), 1);
    EXPECT_EQ(RectangleClickedCorner(r, 198, 130), 2);
    EXPECT_EQ(RectangleClickedCorner(r, 150, 157), 3);
    EXPECT_EQ(RectangleClickedCorner(r, 101, 101), 4);
    EXPECT_EQ(RectangleClickedCorner(r, 101, 159), 5);
    EXPECT_EQ(RectangleClickedCorner(r, 199, 101), 6);
    EXPECT_EQ(RectangleClickedCorner(r, 199, 159), 7);
    EXPECT_EQ(RectangleClickedCorner(r, 90, 130), -1);
}

TEST(ResizedRectangle, LeftEdgePastTheRightStopsThreePixelsShort)
{
    const TRect r = ResizedRectangle(TRect{100, 100, 200, 160}, 0, 250, 0);
    EXPECT_EQ(r.Left, 197);
    EXPECT_EQ(r.Right, 200);
    const TRect c = ResizedRectangle(TRect{100, 100, 200, 160}, 7, 220, 90);
    EXPECT_EQ(c.Right, 220);
    EXPECT_EQ(c.Bottom, 103);
}

TEST_F(TRectangleOnChart, DefaultsAreAFiftyPixelBoxAtTen)
{
    Draw();
    const TRect r = Box();
    EXPECT_EQ(r.Left, 10);
    EXPECT_EQ(r.Top, 10);
    EXPECT_EQ(r.Right, 59);
    EXPECT_EQ(r.Bottom, 59);
    EXPECT_EQ(tool.Cursor(), crHandPoint);
    EXPECT_FALSE(tool.AutoSize());
    EXPECT_EQ(tool.Shape().Transparency(), 75);
}

TEST_F(TRectangleOnChart, DragMovesTheBoxKeepingItsSize)
{
    Draw();
    int dragging = 0, dragged = 0;
    tool.OnDragging = [&](TRectangleTool&) { ++dragging; };
    tool.OnDragged = [&](TRectangleTool&) { ++dragged; };
    chart.MouseDown(mbLeft, 0, 30, 30);
    EXPECT_TRUE(tool.Dragging());
    chart.MouseMove(0, 50, 40);
    chart.MouseUp(mbLeft, 0, 50, 40);
    EXPECT_EQ(tool.Left(), 30);
    EXPECT_EQ(tool.Top(), 20);
    EXPECT_EQ(tool.Width(), 50);
    EXPECT_EQ(tool.Height(), 50);
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(dragged, 1);
}

TEST_F(TRectangleOnChart, ResizeOfTheLeftEdgeKeepsTheMinimumSize)
{
    Draw();
    int resized = 0;
    tool.OnResized = [&](TRectangleTool&) { ++resized; };
    chart.MouseDown(mbLeft, 0, 11, 30);
    EXPECT_EQ(tool.GrabbedPart(), 0);
    chart.MouseMove(0, 200, 30);
    chart.MouseUp(mbLeft, 0, 200, 30);
    EXPECT_EQ(tool.Left(), 56);
    EXPECT_EQ(tool.Shape().ShapeBounds.Right, 59);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(tool.GrabbedPart(), -1);
}

TEST_F(TRectangleOnChart, MoveOverAnEdgeShowsTheSizeCursor)
{
    Draw();
    chart.MouseMove(0, 59, 30);
    EXPECT_EQ(chart.Cursor(), crSizeWE);
    chart.MouseMove(0, 10, 59);
    EXPECT_EQ(chart.Cursor(), crSizeNESW);
    tool.SetAllowResize(false);
    chart.MouseMove(0, 30, 30);
    EXPECT_EQ(chart.Cursor(), crHandPoint);
}

TEST_F(TRectangleOnChart, PercentDragOnAControlWithoutSizeDoesNotDivideByZero)
{
    Draw();
    tool.SetPositionUnits(muPercent);
    tool.Shape().SetLeft(0);
    tool.Shape().SetTop(0);
    chart.resize(0, 0);
    chart.MouseDown(mbLeft, 0, 30, 30);
    chart.MouseMove(0, 50, 40);
    chart.MouseUp(mbLeft, 0, 50, 40);
    // no size to take a percent of: the corner stays as it was given
    EXPECT_EQ(tool.Left(), 20);
    EXPECT_EQ(tool.Top(), 10);
    chart.resize(400, 300);
    tool.Shape().SetLeft(10);
    tool.Shape().SetTop(10);
    chart.MouseDown(mbLeft, 0, 45, 35);
    chart.MouseMove(0, 85, 65);
    chart.MouseUp(mbLeft, 0, 85, 65);
    // the box's pixel corner (80, 60) in percent of 400 x 300
    EXPECT_EQ(tool.Left(), 20);
    EXPECT_EQ(tool.Top(), 20);
}

TEST_F(TAnnotationOnChart, RightBottomPlaceLeavesTheMarginsInside)
{
    tool.SetText("AB");
    tool.Shape().Frame()->SetVisible(false);
    tool.Shape().Margins().SetUnits(maPixels);
    tool.SetPosition(ppRightBottom);
    Draw();
    const TRect r = Box();
    const int mh = tool.Shape().Margins().HorizSize();
    const int mv = tool.Shape().Margins().VertSize();
    // W = 401, H = 301 for bounds 0..400 x 0..300
    EXPECT_EQ(r.Left, 401 - (r.Right - r.Left + 1 - mh) - mh);
    EXPECT_EQ(r.Top, 301 - (r.Bottom - r.Top + 1 - mv) - mv);
    EXPECT_EQ(r.Right, 400);
    EXPECT_EQ(r.Bottom, 300);
}

TEST_F(TAnnotationOnChart, ShapeGetsTheChartWhileLoadingAndAfter)
{
    TAnnotationTool loaded;
    loaded.BeginLoading();
    loaded.SetParentChart(&chart);
    EXPECT_EQ(loaded.Shape().ParentChart(), &chart);
    EXPECT_EQ(loaded.Callout().ParentChart(), &chart);
    loaded.EndLoading();
    EXPECT_EQ(loaded.Shape().ParentChart(), &chart);
    EXPECT_EQ(loaded.Callout().ParentChart(), &chart);
    loaded.SetParentChart(nullptr);
}
