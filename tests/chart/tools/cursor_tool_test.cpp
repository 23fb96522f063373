#include "chart/tools/cursor_tool.h"

#include "chart/chart_engine.h"
#include "chart/tools/tool_geometry.h"
#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

class TCursorToolOnChart : public ToolChartTest {
protected:
    TCursorToolOnChart() { tool.SetParentChart(&chart); }
    ~TCursorToolOnChart() override { tool.SetParentChart(nullptr); }
    int Px(double X) const { return chart.BottomAxis()->CalcPosValue(X); }
    int Py(double Y) const { return chart.LeftAxis()->CalcPosValue(Y); }

    TCursorTool tool;
};

}  // namespace

TEST(CursorClickedPart, ToleranceIsInclusive)
{
    const TRect r{0, 0, 100, 100};
    EXPECT_EQ(CursorClickedPart(cssVertical, r, 50, 50, 3, 53, 10), 2);
    EXPECT_EQ(CursorClickedPart(cssVertical, r, 50, 50, 3, 54, 10), 0);
    EXPECT_EQ(CursorClickedPart(cssBoth, r, 50, 50, 3, 52, 47), 3);
    EXPECT_EQ(CursorClickedPart(cssBoth, r, 50, 50, 3, 10, 47), 1);
    EXPECT_EQ(CursorClickedPart(cssBoth, r, 50, 50, 3, 150, 50), 0);
}

TEST(CursorClickedPart, HorizontalStyleIgnoresTheVerticalPosition)
{
    EXPECT_EQ(CursorClickedPart(cssHorizontal, TRect{0, 0, 100, 100}, 50, 50, 3, 50, 10), 0);
    EXPECT_EQ(CursorClickedPart(cssHorizontal, TRect{0, 0, 100, 100}, 50, 50, 3, 10, 52), 1);
}

TEST(NearestPointIndex, VerticalCursorMeasuresAlongXAndTiesKeepTheLowerIndex)
{
    const double x[] = {1, 2, 3};
    const double y[] = {10, 50, 90};
    EXPECT_EQ(NearestPointIndex(x, y, 0, 2, 2.4, 0, ssDefault, cssVertical), 1);
    EXPECT_EQ(NearestPointIndex(x, y, 0, 2, 2.5, 0, ssDefault, cssVertical), 1);
    EXPECT_EQ(NearestPointIndex(x, y, 0, 2, 0, 85, ssHorizontal, cssBoth), 2);
    // Euclidean in value units: (2.9, 12) is nearer (1, 10) than (3, 90)
    EXPECT_EQ(NearestPointIndex(x, y, 0, 2, 2.9, 12, ssDefault, cssBoth), 0);
    EXPECT_EQ(NearestPointIndex(x, y, 2, 1, 0, 0, ssDefault, cssBoth), -1);
}

TEST_F(TCursorToolOnChart, NewCursorSitsAtTheAxesCentreAndReportsItsValues)
{
    int changes = 0, index = 99;
    double xv = 0;
    tool.OnChange = [&](TCursorTool&, int, int, double XValue, double, TChartSeries* S, int I) {
        ++changes;
        xv = XValue;
        index = I;
        EXPECT_EQ(S, nullptr);
    };
    EXPECT_EQ(tool.X(), -1);
    Draw();
    const TChartAxis& h = *chart.BottomAxis();
    EXPECT_EQ(tool.X(), (h.StartPos() + h.EndPos()) / 2);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(index, -1);
    EXPECT_DOUBLE_EQ(xv, h.CalcPosPoint((h.StartPos() + h.EndPos()) / 2));
    Draw();
    EXPECT_EQ(changes, 1);
}

TEST_F(TCursorToolOnChart, DragSnapsToTheNearestPoint)
{
    TTestLineSeries& s = AddLine({{1, 10}, {2, 50}, {3, 90}});
    tool.SetSeries(&s);
    tool.SetSnap(true);
    tool.SetStyle(cssVertical);
    Draw();
    int snaps = 0, lastIndex = -5;
    tool.OnSnapChange = [&](TCursorTool&, int, int, double, double, TChartSeries*, int I) {
        ++snaps;
        lastIndex = I;
    };
    chart.MouseDown(mbLeft, 0, tool.X(), Py(50));
    ASSERT_EQ(tool.GrabbedPart(), 2);
    chart.MouseMove(0, Px(2.4), Py(50));
    EXPECT_DOUBLE_EQ(tool.XValue(), 2);
    EXPECT_EQ(tool.X(), Px(2));
    EXPECT_EQ(lastIndex, 1);
    chart.MouseMove(0, Px(2.3), Py(50));
    EXPECT_EQ(snaps, 1);
    chart.MouseUp(mbLeft, 0, Px(2.3), Py(50));
    EXPECT_EQ(tool.GrabbedPart(), 0);
}

TEST_F(TCursorToolOnChart, PressWithinClickToleranceGrabs)
{
    tool.SetStyle(cssVertical);
    Draw();
    const int x = tool.X();
    chart.MouseDown(mbLeft, 0, x + 3, 100);
    EXPECT_EQ(tool.GrabbedPart(), 2);
    EXPECT_TRUE(chart.MouseHandled);
    chart.MouseUp(mbLeft, 0, x + 3, 100);
    chart.MouseDown(mbLeft, 0, x + 4, 100);
    EXPECT_EQ(tool.GrabbedPart(), 0);
    chart.MouseUp(mbLeft, 0, x + 4, 100);
}

TEST_F(TCursorToolOnChart, MoveOverTheLinesSetsTheSplitCursors)
{
    Draw();
    chart.MouseMove(0, tool.X(), tool.Y() - 40);
    EXPECT_EQ(chart.Cursor(), crHSplit);
    chart.MouseMove(0, tool.X() - 40, tool.Y());
    EXPECT_EQ(chart.Cursor(), crVSplit);
    chart.MouseMove(0, tool.X(), tool.Y());
    EXPECT_EQ(chart.Cursor(), crSizeAll);
}

TEST_F(TCursorToolOnChart, EachDrawIsTheSameExclusiveOrFigure)
{
    tool.SetStyle(cssScope);
    std::vector<std::string> first, second;
    platform::Rop2 mode = platform::Rop2::CopyPen;
    chart.OnAfterDraw = [&](TCustomAxisPanel&) {
        device.ClearLog();
        tool.RedrawCursor();
        mode = device.GetROP2();
        first = device.DrawingLines(true);
        device.ClearLog();
        tool.RedrawCursor();
        second = device.DrawingLines(true);
    };
    Draw();
    EXPECT_EQ(mode, platform::Rop2::XorPen);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    // scope mark: four segments and the rectangle, then both lines (LineTo calls)
    EXPECT_EQ(first.size(), 4u + 1 + 2);
}

TEST_F(TCursorToolOnChart, MoveOnTheBufferRestoresTheImageWhenMovedBack)
{
    chart.SetColor(clWhite);
    DrawBuffered();
    const QImage start = WindowImage();
    const int x = tool.X();
    const int y = tool.Y();
    tool.SetFollowMouse(true);
    chart.MouseMove(0, x + 30, y + 20);
    EXPECT_EQ(tool.X(), x + 30);
    EXPECT_NE(WindowImage(), start);
    chart.MouseMove(0, x, y);
    EXPECT_EQ(WindowImage(), start);
    // no full repaint was asked for: the buffer is still valid
    EXPECT_FALSE(static_cast<TPlotCanvas3D*>(chart.Canvas())->BufferInvalid);
}

TEST_F(TCursorToolOnChart, MoveOutsideTheAxesDoesNotMoveTheCursor)
{
    tool.SetFollowMouse(true);
    Draw();
    const int x = tool.X();
    chart.MouseMove(0, 1, 1);
    EXPECT_EQ(tool.X(), x);
}

TEST_F(TCursorToolOnChart, StreamsItsChangedProperties)
{
    tool.SetStyle(cssHorizontal);
    tool.SetClickTolerance(5);
    TCursorTool copy;
    ReadInto(copy, Written(tool));
    EXPECT_EQ(copy.Style(), cssHorizontal);
    EXPECT_EQ(copy.ClickTolerance(), 5);
    EXPECT_EQ(copy.ScopeSize(), 4);
}

TEST_F(TCursorToolOnChart, SizesShortenTheLinesAroundTheCursor)
{
    tool.SetHorizSize(10);
    tool.SetVertSize(5);
    Draw();
    const TRect r = tool.AxisRectWithSizes();
    EXPECT_EQ(r.Left, tool.X() - 10);
    EXPECT_EQ(r.Right, tool.X() + 10);
    EXPECT_EQ(r.Top, tool.Y() - 5);
    EXPECT_EQ(r.Bottom, tool.Y() + 5);
}

TEST_F(TCursorToolOnChart, ChartRectOrTheApplicationsRectangle)
{
    Draw();
    tool.UseChartRect = true;
    EXPECT_EQ(tool.AxisRect(), chart.ChartRect);
    tool.UseChartRect = false;
    tool.OnGetAxisRect = [](TCursorTool&, TRect& R) { R.Left = 100; };
    EXPECT_EQ(tool.AxisRect().Left, 100);
    EXPECT_EQ(tool.AxisRect().Right, chart.BottomAxis()->EndPos());
}

TEST_F(TCursorToolOnChart, ScopeOnlyCameraDrawsItsFrameAndCross)
{
    tool.SetStyle(cssScopeOnly);
    tool.SetScopeStyle(scsCamera);
    std::vector<std::string> lines;
    chart.OnAfterDraw = [&](TCustomAxisPanel&) {
        device.ClearLog();
        tool.RedrawCursor();
        lines = device.DrawingLines();
    };
    Draw();
    const int x = tool.X(), y = tool.Y();
    ASSERT_EQ(lines.size(), 3u);
    const std::string l = std::to_string(x - 4), t = std::to_string(y - 4), r = std::to_string(x + 4),
                      b = std::to_string(y + 4);
    // the frame as the canvas draws a rectangle at depth 0
    EXPECT_EQ(lines[0], "Polygon(" + l + "," + t + " " + r + "," + t + " " + r + "," + b + " " + l + "," + b + ")");
}
