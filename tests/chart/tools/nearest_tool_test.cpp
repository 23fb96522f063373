#include "chart/tools/nearest_tool.h"

#include <cmath>

#include "chart/series/line_series.h"
#include "chart/series/point_series.h"
#include "tool_stream_support.h"
#include "tool_test_chart.h"

namespace {

// A line whose own hit test answers one point at one pixel.
class THitLineSeries : public TTestLineSeries {
public:
    using TTestLineSeries::TTestLineSeries;
    int HitX = -1;
    int HitY = -1;
    int HitIndex = -1;
    int Clicked(int X, int Y) const override { return X == HitX && Y == HitY ? HitIndex : -1; }
};

// Points placed at given pixels, whatever the axes say.
class TPixelSeries : public TTestLineSeries {
public:
    using TTestLineSeries::TTestLineSeries;
    std::vector<TPoint> Pixels;
    int CalcXPos(int Index) const override { return Pixels[static_cast<std::size_t>(Index)].X; }
    int CalcYPos(int Index) const override { return Pixels[static_cast<std::size_t>(Index)].Y; }
    void Place(std::vector<TPoint> P)
    {
        Pixels = std::move(P);
        for (std::size_t i = 0; i < Pixels.size(); ++i)
            AddXY(static_cast<double>(i), 0);
    }
};

class TNearestOnChart : public ToolChartTest {
protected:
    TNearestOnChart() { tool.SetParentChart(&chart); }
    ~TNearestOnChart() override { tool.SetParentChart(nullptr); }

    template <typename S>
    S& Add()
    {
        auto* s = new S(&owner);
        chart.AddSeries(s);
        return *s;
    }
    // Pixel of a value on the default axes.
    TPoint At(double X, double Y) const
    {
        return {chart.BottomAxis()->CalcPosValue(X), chart.LeftAxis()->CalcPosValue(Y)};
    }

    TNearestTool tool;
};

int RoundedDistance(TPoint A, int X, int Y)
{
    const double dx = A.X - X;
    const double dy = A.Y - Y;
    return static_cast<int>(std::nearbyint(std::hypot(dx, dy)));
}

}  // namespace

TEST_F(TNearestOnChart, NearestPointByDistance)
{
    TTestLineSeries& s = AddLine({{1, 10}, {5, 50}, {9, 90}});
    Draw();
    const TPoint p = At(5, 50);
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, p.X + 3, p.Y + 4), 1);
    const TPoint q = At(9, 90);
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, q.X - 30, q.Y + 30), 2);
}

TEST_F(TNearestOnChart, TheSeriesOwnHitTestComesFirst)
{
    auto& s = Add<THitLineSeries>();
    s.AddXY(1, 10);
    s.AddXY(5, 50);
    s.AddXY(9, 90);
    Draw();
    const TPoint p = At(1, 10);
    s.HitX = p.X;
    s.HitY = p.Y;
    s.HitIndex = 2;
    // point 0 lies right under the mouse, but the series' own answer wins
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, p.X, p.Y), 2);
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, p.X + 1, p.Y), 0);
}

TEST_F(TNearestOnChart, EqualRoundedDistancesGoToTheLowerIndex)
{
    auto& s = Add<TPixelSeries>();
    Draw();
    s.Place({{200, 100}, {210, 100}, {150, 150}});
    // distances sqrt(4^2 + 40^2) = 40.2 and sqrt(6^2 + 40^2) = 40.45 both round to 40
    ASSERT_EQ(RoundedDistance(s.Pixels[0], 204, 140), RoundedDistance(s.Pixels[1], 204, 140));
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, 204, 140), 0);
    // reversed, the lower index is still the first one met
    s.Pixels = {{210, 100}, {200, 100}, {150, 150}};
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, 204, 140), 0);
}

TEST_F(TNearestOnChart, NullPointsAndPointsOutsideTheChartRectangleAreSkipped)
{
    auto& s = Add<TPixelSeries>();
    Draw();
    const TRect r = chart.ChartRect;
    s.Place({{r.Left + 10, r.Top + 10}, {r.Left + 20, r.Top + 10}, {r.Left - 1, r.Top + 10}});
    s.SetValueColor(0, clNone);
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, r.Left + 10, r.Top + 10), 1);
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, r.Left - 1, r.Top + 10), 1);
}

TEST_F(TNearestOnChart, NoPointsNoNearest)
{
    TTestLineSeries& s = AddLine({});
    Draw();
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, 100, 100), -1);
}

TEST_F(TNearestOnChart, DistancesOfFarPixelsDoNotWrapAround)
{
    auto& s = Add<TPixelSeries>();
    Draw();
    // far points: 65536 pixels away squares to 2^32, which wraps to 0 in 32 bits
    chart.CustomChartRect = true;
    chart.ChartRect = TRect{0, 0, 50000000, 50000000};
    s.Place({{20000000 + 65536, 20000000}, {20000000 + 300, 20000000 + 400}});
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, 20000000, 20000000), 1);
    // beyond 10000 pixels nothing counts
    s.Pixels[1] = {20000000 + 10000, 20000000};
    EXPECT_EQ(TNearestTool::GetNearestPoint(s, 20000000, 20000000), -1);
}

TEST_F(TNearestOnChart, MoveFindsThePointFiresOnChangeAndTheMarkIsDrawnAfterThePaint)
{
    TTestLineSeries& s = AddLine({{1, 10}, {5, 50}, {9, 90}});
    tool.SetSeries(&s);
    tool.Pen().SetColor(clRed);
    tool.Pen().SetStyle(psSolid);
    int changes = 0;
    tool.OnChange = [&](TNearestTool&) { ++changes; };
    Draw();
    const TPoint p = At(5, 50);
    chart.MouseMove(0, p.X + 2, p.Y - 3);
    EXPECT_EQ(tool.NearestIndex(), 1);
    EXPECT_EQ(tool.Point(), (TPoint{p.X + 2, p.Y - 3}));
    EXPECT_EQ(changes, 1);
    Draw();
    const auto ellipses = device.CallsNamed("Ellipse");
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].args, (std::vector<std::string>{std::to_string(p.X - 20), std::to_string(p.Y - 20),
                                                           std::to_string(p.X + 20), std::to_string(p.Y + 20)}));
    EXPECT_NE(ellipses[0].pen.find("0x0000FF"), std::string::npos);
    // the line from the mouse ends at the point
    bool line = false;
    for (const auto& c : device.Calls())
        if (c.name == "LineTo" && c.args == std::vector<std::string>{std::to_string(p.X), std::to_string(p.Y)})
            line = true;
    EXPECT_TRUE(line);
}

TEST_F(TNearestOnChart, StylesDrawTheirShapes)
{
    TTestLineSeries& s = AddLine({{1, 10}, {5, 50}, {9, 90}});
    tool.SetSeries(&s);
    tool.SetDrawLine(false);
    Draw();
    const TPoint p = At(5, 50);
    chart.MouseMove(0, p.X, p.Y);
    tool.SetSize(5);
    tool.SetStyle(hsRectangle);
    Draw();
    const auto rects = device.CallsNamed("Rectangle");
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.back().args, (std::vector<std::string>{std::to_string(p.X - 5), std::to_string(p.Y - 5),
                                                           std::to_string(p.X + 5), std::to_string(p.Y + 5)}));
    tool.SetStyle(hsDiamond);
    Draw();
    const auto polygons = device.CallsNamed("Polygon");
    ASSERT_FALSE(polygons.empty());
    tool.SetStyle(hsNone);
    Draw();
    EXPECT_EQ(device.Count("Ellipse"), 0);
    EXPECT_TRUE(device.CallsNamed("Polygon").size() < polygons.size());
}

// The series' own symbol marks the nearest point, drawn with the tool's pen;
// no line joins it to another point, and the series keeps its pens.
TEST_F(TNearestOnChart, SeriesStyleMarksTheNearestPointWithTheSeriesSymbol)
{
    const auto check = [&](TCustomSeries& s) {
        SCOPED_TRACE(s.metaObject()->className());
        s.AddXY(1, 10);
        s.AddXY(5, 50);
        s.AddXY(9, 90);
        tool.SetSeries(&s);
        tool.SetDrawLine(false);
        tool.SetStyle(hsSeries);
        tool.Pen().SetStyle(psSolid);
        tool.Pen().SetWidth(3);
        tool.Pen().SetColor(clRed);
        Draw();
        const TPoint p = At(5, 50);
        chart.MouseMove(0, p.X, p.Y);
        ASSERT_EQ(tool.NearestIndex(), 1);
        Draw();
        int marks = 0;
        for (const auto& call : device.Calls()) {
            const bool outlines = call.name == "Rectangle" || call.name == "LineTo" || call.name == "Polyline"
                                  || call.name == "Polygon" || call.name == "Ellipse";
            if (!outlines || call.pen.find("solid 3 0x0000FF") == std::string::npos)
                continue;
            ASSERT_EQ(call.name, "Rectangle") << call.ToStringWithState();
            const int l = std::stoi(call.args[0]), t = std::stoi(call.args[1]);
            const int r = std::stoi(call.args[2]), b = std::stoi(call.args[3]);
            EXPECT_EQ((l + r) / 2, p.X) << call.ToString();
            EXPECT_EQ((t + b) / 2, p.Y) << call.ToString();
            ++marks;
        }
        EXPECT_EQ(marks, 1);
        EXPECT_EQ(s.Pen().Width(), 1);
        EXPECT_EQ(s.Pointer().Pen()->Width(), 1);
        tool.SetSeries(nullptr);
        chart.RemoveSeries(&s);
    };
    TLineSeries line(&owner);
    chart.AddSeries(&line);
    check(line);
    TPointSeries points(&owner);
    chart.AddSeries(&points);
    check(points);
}

TEST_F(TNearestOnChart, LeavingTheChartForgetsThePoint)
{
    TTestLineSeries& s = AddLine({{1, 10}, {5, 50}, {9, 90}});
    tool.SetSeries(&s);
    Draw();
    const TPoint p = At(5, 50);
    chart.MouseMove(0, p.X, p.Y);
    ASSERT_EQ(tool.NearestIndex(), 1);
    chart.MouseLeave();
    EXPECT_EQ(tool.NearestIndex(), -1);
    Draw();
    EXPECT_EQ(device.Count("Ellipse"), 0);
}

TEST_F(TNearestOnChart, WithoutFullRepaintTwoMovesOverOnePointLeaveOneMark)
{
    TTestLineSeries& s = AddLine({{1, 10}, {5, 50}, {9, 90}});
    tool.SetSeries(&s);
    tool.SetFullRepaint(false);
    DrawBuffered();
    const QImage clean = WindowImage();
    const TPoint p = At(5, 50);
    chart.MouseMove(0, p.X + 1, p.Y + 1);
    const QImage once = WindowImage();
    EXPECT_NE(once, clean);
    chart.MouseMove(0, p.X + 1, p.Y + 1);
    EXPECT_EQ(WindowImage(), once);
    // leaving erases it
    chart.MouseLeave();
    EXPECT_EQ(WindowImage(), clean);
    chart.hide();
}

TEST(NearestStreaming, RoundTrip)
{
    TNearestTool a;
    a.SetFullRepaint(false);
    a.SetSize(7);
    a.SetStyle(hsDiamond);
    a.LinePen().SetColor(clRed);
    TNearestTool b;
    ReadInto(b, Written(a));
    EXPECT_FALSE(b.FullRepaint());
    EXPECT_EQ(b.Size(), 7);
    EXPECT_EQ(b.Style(), hsDiamond);
    EXPECT_EQ(b.LinePen().Color(), clRed);
    EXPECT_EQ(b.Pen().Style(), psDot);
    EXPECT_EQ(b.Brush().Style(), bsClear);
    TNearestTool c;
    c.Assign(a);
    EXPECT_EQ(c.Size(), 7);
    EXPECT_FALSE(c.FullRepaint());
}
