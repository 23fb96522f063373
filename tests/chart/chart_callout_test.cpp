#include "chart/chart_callout.h"

#include <gtest/gtest.h>

#include "chart/axis_panel.h"
#include "chart/chart_series.h"
#include "support/recording_canvas.h"
#include "support/stored_defaults.h"

namespace {

class TCalloutDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        chart.SetView3D(false);
        chart.AddSeries(&series);
        chart.Canvas()->SetBufferedDisplay(false);
        chart.Canvas()->InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, 200, 150});
        device.ClearLog();
    }
    void TearDown() override { chart.RemoveSeries(&series); }

    platform::RecordingDevice device{200, 150};
    TCustomAxisPanel chart;
    TChartSeries series;
};

}  // namespace

TEST(TCalloutDefaults, CalloutAndMarksCalloutValues)
{
    TCallout c(nullptr);
    EXPECT_FALSE(c.Draw3D());
    EXPECT_TRUE(c.Visible());
    EXPECT_EQ(c.Style(), psRectangle);
    EXPECT_EQ(c.ArrowHead(), ahNone);
    EXPECT_EQ(c.ArrowHeadSize(), 8);
    EXPECT_EQ(c.Distance(), 0);
    EXPECT_EQ(c.Brush()->Color(), clBlack);
    EXPECT_EQ(c.Arrow()->Color(), clWhite);
    TMarksCallout m(nullptr);
    EXPECT_FALSE(m.Visible());
    EXPECT_EQ(m.Length(), 8);
    EXPECT_EQ(m.Arrow()->Color(), clWhite);
}

TEST(TCalloutDefaults, EveryCalloutIsBuiltAtItsStoredDefaults)
{
    // the white arrow pen writes Visible whatever its value
    const std::vector<std::string> arrow{"Arrow.Visible"};
    TCallout callout(nullptr);
    ExpectFreshAtStoredDefaults(callout.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(callout), arrow);
    TMarksCallout marks(nullptr);
    ExpectFreshAtStoredDefaults(marks.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(marks), arrow);
    // the length a series gives its marks' callout is the one a stream leaves out
    marks.InitLength(20);
    EXPECT_EQ(marks.Length(), 20);
    ExpectFreshAtStoredDefaults(marks.PropertyTable(), static_cast<TPlotCustomShapeBrushPen&>(marks), arrow);
    marks.SetLength(8);
    EXPECT_EQ(WrittenBeyondShadows(marks.PropertyTable(), static_cast<const TPlotCustomShapeBrushPen&>(marks)),
              (std::vector<std::string>{"Arrow.Visible", "Length"}));
    marks.PropertyTable().LoadStoredDefaults(marks);
    EXPECT_EQ(marks.Length(), 20);
}

TEST(TCalloutDefaults, MarksCalloutLiftsTheBoxByLengthAndDistance)
{
    TMarksCallout m(nullptr);
    m.SetLength(10);
    m.SetDistance(3);
    TSeriesMarkPosition p;
    p.LeftTop = {20, 50};
    p.ArrowTo = {30, 70};
    p.ArrowFrom = {30, 70};
    m.ApplyArrowLength(p);
    EXPECT_EQ(p.LeftTop, (TPoint2{20, 37}));
    EXPECT_EQ(p.ArrowTo, (TPoint2{30, 57}));
    EXPECT_EQ(p.ArrowFrom, (TPoint2{30, 67}));
}

TEST(TCalloutDefaults, AssignCopiesCalloutThenPointerProperties)
{
    TMarksCallout a(nullptr), b(nullptr);
    a.SetLength(12);
    a.SetDistance(4);
    a.SetArrowHead(ahSolid);
    a.SetArrowHeadSize(5);
    a.SetStyle(psCircle);
    b.Assign(a);
    EXPECT_EQ(b.Length(), 12);
    EXPECT_EQ(b.Distance(), 4);
    EXPECT_EQ(b.ArrowHead(), ahSolid);
    EXPECT_EQ(b.ArrowHeadSize(), 5);
    EXPECT_EQ(b.Style(), psCircle);
}

TEST_F(TCalloutDraw, HeadlessArrowIsALineAndThePointerAtTheStart)
{
    TCallout c(&series);
    c.SetSize(2);
    c.Draw(clRed, {10, 20}, {0, 0}, {60, 80}, 0);
    EXPECT_EQ(device.DrawingLines(), (Lines{"LineTo(60,80)", "Rectangle(8,18,13,23)"}));
}

TEST_F(TCalloutDraw, ThroughTheMiddlePointDrawsTwoSegments)
{
    TCallout c(&series);
    c.SetVisible(false);
    c.Draw(clRed, {10, 20}, {30, 20}, {60, 80}, 0, true);
    EXPECT_EQ(device.DrawingLines(), (Lines{"LineTo(30,20)", "LineTo(60,80)"}));
}

TEST_F(TCalloutDraw, ArrowWithALineHeadDrawsNoPointerShape)
{
    TCallout c(&series);
    c.SetArrowHead(ahLine);
    c.Draw(clRed, {10, 20}, {0, 0}, {60, 80}, 0);
    EXPECT_EQ(device.Count("Rectangle"), 0);
    EXPECT_GT(device.DrawingLines().size(), 0u);
}

TEST_F(TCalloutDraw, ChartBoundsOffsetMovesThePoints)
{
    chart.ChartBounds = TRect{5, 7, 200, 150};
    TCallout c(&series);
    c.SetVisible(false);
    c.Draw(clRed, {10, 20}, {0, 0}, {60, 80}, 0);
    EXPECT_EQ(device.DrawingLines(), (Lines{"LineTo(65,87)"}));
}
