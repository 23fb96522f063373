// Pages of 10 points over 25: pages 1..3, page 3 holds points 20..24.
#include "chart/axis_container.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/axis_test_chart.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"

namespace {

class NoAxesSeries : public TChartSeries {
public:
    bool UseAxis() const override { return false; }
};

class AxisContainerTest : public ::testing::Test {
protected:
    TChartSeries* Points(int Count)
    {
        TChartSeries* s = chart.AddSeries();
        for (int i = 0; i < Count; ++i)
            s->AddXY(i, 100 + i);
        return s;
    }
    TTestAxisChart chart;
};

TEST_F(AxisContainerTest, PageCountAndLastPage)
{
    Points(25);
    chart.Pages().SetMaxPointsPerPage(10);
    EXPECT_EQ(chart.Pages().Count(), 3);
    chart.Pages().SetCurrent(3);
    EXPECT_EQ(chart.AxisMinX(*chart.BottomAxis()), 20);
    EXPECT_EQ(chart.AxisMaxX(*chart.BottomAxis()), 24);
    // The Y side is not paged: all points.
    EXPECT_EQ(chart.AxisMinY(*chart.LeftAxis()), 100);
    EXPECT_EQ(chart.AxisMaxY(*chart.LeftAxis()), 124);
    chart.Pages().SetScaleLastPage(false);
    // 5 points stretched to 10: 20 + (24 - 20) x 10 / 5.
    EXPECT_EQ(chart.AxisMaxX(*chart.BottomAxis()), 28);
}

TEST_F(AxisContainerTest, AutoScaleTakesThePageValuesOnly)
{
    Points(25);
    chart.Pages().SetMaxPointsPerPage(10);
    chart.Pages().SetAutoScale(true);
    chart.Pages().SetCurrent(2);
    EXPECT_EQ(chart.AxisMinY(*chart.LeftAxis()), 110);
    EXPECT_EQ(chart.AxisMaxY(*chart.LeftAxis()), 119);
}

TEST_F(AxisContainerTest, CurrentPageIsClampedAndNotifiesOnChange)
{
    Points(25);
    chart.Pages().SetMaxPointsPerPage(10);
    int changes = 0;
    chart.OnPageChange = [&](TChartPage&) { ++changes; };
    chart.Pages().SetCurrent(0);
    EXPECT_EQ(chart.Pages().Current(), 1);
    EXPECT_EQ(changes, 0);
    chart.Pages().SetCurrent(9);
    EXPECT_EQ(chart.Pages().Current(), 3);
    EXPECT_EQ(changes, 1);
    chart.Pages().SetMaxPointsPerPage(20);
    EXPECT_EQ(chart.Pages().Current(), 2);
}

TEST_F(AxisContainerTest, LimitsWithoutSeriesAreZero)
{
    EXPECT_EQ(chart.AxisMinX(*chart.BottomAxis()), 0);
    EXPECT_EQ(chart.AxisMaxY(*chart.LeftAxis()), 0);
    double lo = 1;
    double hi = 1;
    EXPECT_FALSE(chart.AxisRange(*chart.LeftAxis(), lo, hi));
}

TEST_F(AxisContainerTest, DepthAxisLimitsFromTheZOrder)
{
    Points(3);
    chart.SetMaxZOrder(2);
    EXPECT_EQ(chart.AxisMinimum(*chart.DepthAxis()), -0.5);
    EXPECT_EQ(chart.AxisMaximum(*chart.DepthAxis()), 2.5);
}

TEST_F(AxisContainerTest, AxisVisibility)
{
    EXPECT_TRUE(chart.IsAxisVisible(*chart.LeftAxis()));
    EXPECT_FALSE(chart.IsAxisVisible(*chart.DepthAxis()));
    TChartSeries* s = Points(2);
    EXPECT_TRUE(chart.IsAxisVisible(*chart.LeftAxis()));
    EXPECT_FALSE(chart.IsAxisVisible(*chart.RightAxis()));
    s->SetVertAxis(aRightAxis);
    EXPECT_TRUE(chart.IsAxisVisible(*chart.RightAxis()));
    chart.SetAxisVisible(false);
    EXPECT_FALSE(chart.IsAxisVisible(*chart.RightAxis()));
}

TEST_F(AxisContainerTest, FirstSeriesWithoutAxesHidesThemAll)
{
    chart.AddSeries(new NoAxesSeries());
    Points(2);
    EXPECT_FALSE(chart.IsAxisVisible(*chart.LeftAxis()));
    EXPECT_FALSE(chart.IsAxisVisible(*chart.BottomAxis()));
}

TEST_F(AxisContainerTest, SeriesDepth)
{
    // 320 pixels x 15 x 0.001 = 4.8 -> 5 a slot; three slots for Z orders 0..2.
    chart.Is3D = true;
    chart.SetMaxZOrder(2);
    chart.CalcSeriesDepth();
    EXPECT_EQ(chart.SeriesWidth3D(), 5);
    EXPECT_EQ(chart.SeriesHeight3D(), 5);
    EXPECT_EQ(chart.TotalWidth3D(), 15);
    chart.Is3D = false;
    chart.CalcSeriesDepth();
    EXPECT_EQ(chart.TotalWidth3D(), 0);
}

TEST_F(AxisContainerTest, CustomAxesAndTheSeriesParentQuestions)
{
    TChartAxis* custom = chart.CustomAxes().Add();
    EXPECT_EQ(chart.CustomAxis(0), custom);
    EXPECT_EQ(chart.CustomAxisIndex(custom), 0);
    EXPECT_EQ(chart.CustomAxisIndex(chart.LeftAxis()), -1);
    EXPECT_EQ(chart.StandardAxis(TStandardAxis::Top), chart.TopAxis());
    EXPECT_TRUE(custom->IsCustom());
    EXPECT_FALSE(chart.LeftAxis()->IsCustom());
    chart.Axes().SetFastCalc(true);
    EXPECT_TRUE(chart.AxisHorizontal(*chart.BottomAxis()));
}

TEST_F(AxisContainerTest, AssignCopiesTheAxes)
{
    chart.LeftAxis()->SetMinMax(1, 5);
    chart.CustomAxes().Add()->SetLabelsAngle(90);
    chart.SetAxisBehind(false);
    TTestAxisChart other;
    other.AssignAxes(chart);
    EXPECT_EQ(other.LeftAxis()->Maximum(), 5);
    EXPECT_EQ(other.CustomAxes().Count(), 1);
    EXPECT_EQ(other.CustomAxes()[0]->LabelsAngle(), 90);
    EXPECT_FALSE(other.AxisBehind());
}

TEST_F(AxisContainerTest, PanelStreamsItsAxes)
{
    chart.LeftAxis()->Title()->SetCaption("Count");
    chart.DepthAxis()->SetVisible(true);
    chart.SetAxisVisible(false);
    TPropertyWriter w;
    chart.WriteProperties(w);
    w.WriteListEnd();
    std::vector<std::string> names;
    TPropertyReader r(w.Data());
    while (!r.EndOfList()) {
        names.push_back(r.ReadPropName());
        r.ReadValue();
    }
    for (const char* name : {"AxisVisible", "DepthAxis.Visible", "LeftAxis.Title.Caption"})
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;

    TTestAxisChart other;
    TPropertyReader back(w.Data());
    other.ReadProperties(back);
    EXPECT_EQ(other.LeftAxis()->Title()->Caption(), "Count");
    EXPECT_TRUE(other.DepthAxis()->Visible());
    EXPECT_FALSE(other.AxisVisible());
}

}  // namespace
