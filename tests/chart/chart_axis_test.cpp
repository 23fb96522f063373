// Fixed text metrics of the recording device (8 pt labels: em 11): a character
// is (11 + 1) / 2 = 6 pixels wide, a line 11 + 11 / 4 = 13 pixels high.
// Label increments below follow the rules by hand: label size L, L + round(10% L),
// N = round(axis pixels / that), S = range / (N + 1) grown 1, 2, 5 until
// round(range / S) <= N.
#include "chart/chart_axis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "chart/axis_test_chart.h"
#include "chart/axis_items.h"
#include "chart/axis_title.h"
#include "chart/chart_messages.h"
#include "chart/plot_procs.h"
#include "support/written_names.h"
#include "core/date_time.h"

namespace {

template <typename F>
std::string ErrorOf(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "no error";
}

// Names written, but for the title shadow's, written whatever their values.
std::vector<std::string> WrittenNames(const TChartAxis& Axis)
{
    TPropertyWriter w;
    Axis.WriteProperties(w);
    w.WriteListEnd();
    TPropertyReader r(w.Data());
    std::vector<std::string> names;
    while (!r.EndOfList()) {
        names.push_back(r.ReadPropName());
        r.ReadValue();
    }
    return WithoutShadowsStoredAlways(names);
}

bool Has(const std::vector<std::string>& Names, const std::string& Name)
{
    return std::find(Names.begin(), Names.end(), Name) != Names.end();
}

class ChartAxisTest : public ::testing::Test {
protected:
    TTestAxisChart chart;
};

TEST_F(ChartAxisTest, FixedMetricsOfTheLabelFont)
{
    chart.canvas.AssignFont(chart.BottomAxis()->LabelsFont());
    EXPECT_EQ(chart.canvas.TextWidth("100"), 18);
    EXPECT_EQ(chart.canvas.FontHeight(), 13);
}

TEST_F(ChartAxisTest, StandardAxesAsCreated)
{
    ASSERT_EQ(chart.Axes().Count(), 6);
    EXPECT_TRUE(chart.BottomAxis()->Horizontal());
    EXPECT_FALSE(chart.BottomAxis()->OtherSide());
    EXPECT_TRUE(chart.TopAxis()->Horizontal());
    EXPECT_TRUE(chart.TopAxis()->OtherSide());
    EXPECT_EQ(chart.TopAxis()->ZPosition(), 100);
    EXPECT_EQ(chart.TopAxis()->Grid()->ZPosition(), 100);
    EXPECT_EQ(chart.LeftAxis()->Title()->Angle(), 90);
    EXPECT_EQ(chart.RightAxis()->Title()->Angle(), 270);
    EXPECT_TRUE(chart.RightAxis()->OtherSide());
    EXPECT_TRUE(chart.DepthAxis()->IsDepthAxis());
    EXPECT_FALSE(chart.DepthAxis()->Visible());
    EXPECT_TRUE(chart.DepthAxis()->OtherSide());
    EXPECT_FALSE(chart.DepthTopAxis()->OtherSide());
    EXPECT_EQ(chart.LeftAxis()->Axis()->Width(), 2);
    EXPECT_EQ(chart.LeftAxis()->AxisValuesFormat(), "#,##0.###");
    EXPECT_TRUE(chart.LeftAxis()->Labels());
    EXPECT_EQ(chart.LeftAxis()->LabelsSeparation(), 10);
    EXPECT_EQ(chart.LeftAxis()->TickLength(), 4);
    EXPECT_EQ(chart.LeftAxis()->MinorTickCount(), 3);
    EXPECT_TRUE(chart.LeftAxis()->Title()->Transparent());
}

TEST_F(ChartAxisTest, SettersRaiseTheirTexts)
{
    TChartAxis& a = *chart.LeftAxis();
    EXPECT_EQ(ErrorOf([&] { a.SetIncrement(-1); }), "Axis increment must be >= 0");
    EXPECT_EQ(ErrorOf([&] { a.SetIncrement(std::nan("")); }), "Axis increment must be >= 0");
    a.SetMaximum(10);
    a.SetMinimum(5);
    EXPECT_EQ(ErrorOf([&] { a.SetMaximum(4); }), "Axis Maximum Value must be >= Minimum");
    EXPECT_EQ(ErrorOf([&] { a.SetMinimum(11); }), "Axis Minimum Value must be <= Maximum");
    EXPECT_EQ(a.Maximum(), 10);
    EXPECT_EQ(a.Minimum(), 5);
    for (double base : {1.0, 0.0, -2.0})
        EXPECT_EQ(ErrorOf([&] { a.SetLogarithmicBase(base); }), "Axis Logarithmic Base should be <> 1 and > 0");
    a.SetLogarithmicBase(2);
    EXPECT_EQ(a.LogarithmicBase(), 2);
    EXPECT_EQ(ErrorOf([&] { a.SetLabelsSeparation(-1); }), "Labels Separation % must be greater than 0");
    a.SetLabelsSeparation(0);
    EXPECT_EQ(a.LabelsSeparation(), 0);
    EXPECT_EQ(ErrorOf([&] { chart.SetChart3DPercent(0); }), "3D effect percent must be between 1 and 100");
    EXPECT_EQ(ErrorOf([&] { chart.Pages().SetMaxPointsPerPage(-1); }), "MaxPointsPerPage must be >= 0");
}

TEST_F(ChartAxisTest, LogarithmicChecks)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(1, -5);
    s->AddXY(2, 10);
    EXPECT_EQ(ErrorOf([&] { chart.LeftAxis()->SetLogarithmic(true); }),
              "Logarithmic Axis Min and Max values should be >= 0");
    EXPECT_FALSE(chart.LeftAxis()->Logarithmic());
    s->XValues().SetDateTime(true);
    EXPECT_EQ(ErrorOf([&] { chart.BottomAxis()->SetLogarithmic(true); }), "DateTime Axis cannot be Logarithmic");
    s->XValues().SetDateTime(false);
    chart.BottomAxis()->SetLogarithmic(true);
    EXPECT_TRUE(chart.BottomAxis()->Logarithmic());
}

TEST_F(ChartAxisTest, SimpleSettersNormalise)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetZPosition(0);
    EXPECT_EQ(a.ZPosition(), 0.01);
    a.SetLabelsAngle(450);
    EXPECT_EQ(a.LabelsAngle(), 90);
    a.SetLabelsAngle(-90);
    EXPECT_EQ(a.LabelsAngle(), 270);
    a.Title()->SetAngle(450);
    EXPECT_EQ(a.Title()->Angle(), 90);
}

TEST_F(ChartAxisTest, RepaintOnlyOnChange)
{
    TChartAxis& a = *chart.BottomAxis();
    const int before = chart.Repaints;
    a.SetTickLength(4);
    EXPECT_EQ(chart.Repaints, before);
    a.SetTickLength(5);
    EXPECT_EQ(chart.Repaints, before + 1);
}

TEST_F(ChartAxisTest, AutomaticFlags)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetAutomaticMinimum(false);
    EXPECT_FALSE(a.Automatic());
    a.SetAutomaticMinimum(true);
    EXPECT_TRUE(a.Automatic());
    a.SetAutomatic(false);
    EXPECT_FALSE(a.AutomaticMaximum());
    EXPECT_FALSE(a.AutomaticMinimum());
    chart.Loading = true;
    a.SetAutomatic(true);
    EXPECT_FALSE(a.AutomaticMaximum());
}

TEST_F(ChartAxisTest, LoadingAcceptsMinimumBeforeMaximum)
{
    chart.Loading = true;
    TChartAxis& a = *chart.LeftAxis();
    EXPECT_NO_THROW(a.SetMinimum(5));
    EXPECT_NO_THROW(a.SetMaximum(10));
    EXPECT_EQ(a.Minimum(), 5);
    EXPECT_EQ(a.Maximum(), 10);
}

TEST_F(ChartAxisTest, SetMinMaxSwapsKeepsARangeAndFeedsFollowers)
{
    TChartAxis* custom = chart.CustomAxes().Add();
    TChartAxis* second = chart.CustomAxes().Add();
    ASSERT_TRUE(custom->SetMasterAxis(chart.LeftAxis()));
    ASSERT_TRUE(second->SetMasterAxis(custom));
    chart.LeftAxis()->SetMinMax(8, 3);
    EXPECT_FALSE(chart.LeftAxis()->Automatic());
    EXPECT_EQ(chart.LeftAxis()->Minimum(), 3);
    EXPECT_EQ(chart.LeftAxis()->Maximum(), 8);
    EXPECT_EQ(custom->Minimum(), 3);
    EXPECT_EQ(second->Maximum(), 8);
    chart.LeftAxis()->SetMinMax(2, 2);
    EXPECT_EQ(chart.LeftAxis()->Maximum(), 2 + 1e-10);
}

TEST_F(ChartAxisTest, MasterLoopIsRefused)
{
    TChartAxis* a = chart.CustomAxes().Add();
    TChartAxis* b = chart.CustomAxes().Add();
    ASSERT_TRUE(b->SetMasterAxis(a));
    EXPECT_FALSE(a->SetMasterAxis(b));
    EXPECT_FALSE(a->SetMasterAxis(a));
    EXPECT_EQ(a->MasterAxis(), nullptr);
    a->SetMinMax(1, 2);
    EXPECT_EQ(b->Minimum(), 1);
}

TEST_F(ChartAxisTest, FreedMasterLeavesNoDanglingLink)
{
    TChartAxis* master = chart.CustomAxes().Add();
    TChartAxis* follower = chart.CustomAxes().Add();
    ASSERT_TRUE(follower->SetMasterAxis(master));
    chart.CustomAxes().Delete(0);
    EXPECT_EQ(follower->MasterAxis(), nullptr);
}

TEST_F(ChartAxisTest, FreedCustomAxisHandsItsSeriesBack)
{
    TChartAxis* custom = chart.CustomAxes().Add();
    custom->SetHorizontal(true);
    TChartSeries* s = chart.AddSeries();
    s->SetCustomHorizAxis(custom);
    s->SetHorizAxis(aCustomHorizAxis);
    s->SetCustomVertAxis(custom);
    s->SetVertAxis(aCustomVertAxis);
    EXPECT_EQ(chart.Axes().Count(), 7);
    chart.CustomAxes().Delete(0);
    EXPECT_EQ(chart.Axes().Count(), 6);
    EXPECT_EQ(s->CustomHorizAxis(), nullptr);
    EXPECT_EQ(s->HorizAxis(), aBottomAxis);
    EXPECT_EQ(s->VertAxis(), aLeftAxis);
    EXPECT_EQ(s->GetHorizAxis(), chart.BottomAxis());
}

TEST_F(ChartAxisTest, DepthAxesInvertTogether)
{
    chart.DepthAxis()->SetInverted(true);
    EXPECT_TRUE(chart.DepthTopAxis()->Inverted());
    chart.DepthTopAxis()->SetInverted(false);
    EXPECT_FALSE(chart.DepthAxis()->Inverted());
}

TEST_F(ChartAxisTest, AssignCopiesAllButZPosition)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetMinMax(-10, -5);
    a.SetLabelsAngle(90);
    a.SetZPosition(50);
    a.Title()->SetCaption("Value");
    TChartAxis* custom = chart.CustomAxes().Add();
    custom->Assign(a);
    EXPECT_EQ(custom->Minimum(), -10);
    EXPECT_EQ(custom->Maximum(), -5);
    EXPECT_EQ(custom->LabelsAngle(), 90);
    EXPECT_EQ(custom->Title()->Caption(), "Value");
    EXPECT_EQ(custom->ZPosition(), 0.01);
}

// ---- streaming ----

TEST_F(ChartAxisTest, DefaultAxisWritesNothing)
{
    EXPECT_TRUE(WrittenNames(*chart.LeftAxis()).empty());
    EXPECT_TRUE(WrittenNames(*chart.TopAxis()).empty());
    EXPECT_TRUE(WrittenNames(*chart.DepthAxis()).empty());
}

TEST_F(ChartAxisTest, StoredRules)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetMaximum(50);
    EXPECT_FALSE(Has(WrittenNames(a), "Maximum"));
    a.SetAutomaticMaximum(false);
    auto names = WrittenNames(a);
    EXPECT_TRUE(Has(names, "Maximum"));
    EXPECT_FALSE(Has(names, "Minimum"));
    a.SetZPosition(50);
    a.SetHorizontal(true);
    names = WrittenNames(a);
    EXPECT_TRUE(Has(names, "ZPosition"));
    EXPECT_FALSE(Has(names, "Horizontal"));
    TChartAxis* custom = chart.CustomAxes().Add();
    custom->SetHorizontal(true);
    custom->SetAxisValuesFormat("0.00");
    names = WrittenNames(*custom);
    EXPECT_TRUE(Has(names, "Horizontal"));
    EXPECT_TRUE(Has(names, "OtherSide"));
    EXPECT_TRUE(Has(names, "AxisValuesFormat"));
    chart.TopAxis()->SetZPosition(80);
    EXPECT_TRUE(Has(WrittenNames(*chart.TopAxis()), "ZPosition"));
    chart.DepthAxis()->SetZPosition(80);
    EXPECT_TRUE(WrittenNames(*chart.DepthAxis()).empty());
    chart.DepthAxis()->SetVisible(true);
    EXPECT_EQ(WrittenNames(*chart.DepthAxis()), std::vector<std::string>{"Visible"});
    // the rest of an axis, as any axis stores it
    chart.DepthAxis()->SetInverted(true);
    chart.DepthAxis()->SetLabelsAngle(90);
    EXPECT_EQ(WrittenNames(*chart.DepthAxis()), (std::vector<std::string>{"Inverted", "LabelsAngle", "Visible"}));
    chart.DepthAxis()->SetVisible(false);
    EXPECT_EQ(WrittenNames(*chart.DepthAxis()), (std::vector<std::string>{"Inverted", "LabelsAngle"}));
}

TEST_F(ChartAxisTest, RoundTrip)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetAutomatic(false);
    a.SetMaximum(10);
    a.SetMinimum(-3);
    a.SetIncrement(0.5);
    a.SetLabelsAngle(90);
    a.SetGridCentered(true);
    a.Grid()->SetDrawEvery(3);
    a.Axis()->SetWidth(3);
    a.Axis()->SetLineMode(lmCylinder);
    a.Title()->SetCaption("Time");
    a.SetLabelStyle(talText);
    a.SetPositionUnits(muPixels);
    a.LabelsFont()->SetSize(12);
    a.SetDateTimeFormat("dd/mm");
    TPropertyWriter w;
    a.WriteProperties(w);
    w.WriteListEnd();

    TTestAxisChart other;
    other.Loading = true;
    TChartAxis& b = *other.BottomAxis();
    TPropertyReader r(w.Data());
    b.ReadProperties(r);
    other.Loading = false;
    EXPECT_FALSE(b.Automatic());
    EXPECT_EQ(b.Maximum(), 10);
    EXPECT_EQ(b.Minimum(), -3);
    EXPECT_EQ(b.Increment(), 0.5);
    EXPECT_EQ(b.LabelsAngle(), 90);
    EXPECT_TRUE(b.GridCentered());
    EXPECT_EQ(b.Grid()->DrawEvery(), 3);
    EXPECT_EQ(b.Axis()->Width(), 3);
    EXPECT_EQ(b.Axis()->LineMode(), lmCylinder);
    EXPECT_EQ(b.Title()->Caption(), "Time");
    EXPECT_EQ(b.LabelStyle(), talText);
    EXPECT_EQ(b.PositionUnits(), muPixels);
    EXPECT_EQ(b.LabelsFont()->Size(), 12);
    EXPECT_EQ(b.DateTimeFormat(), "dd/mm");
}

TEST_F(ChartAxisTest, MinimumBeforeMaximumInAStream)
{
    TPropertyWriter w;
    w.WritePropName("Minimum");
    w.WriteFloat(5);
    w.WritePropName("Maximum");
    w.WriteFloat(10);
    w.WriteListEnd();
    chart.Loading = true;
    TPropertyReader r(w.Data());
    EXPECT_NO_THROW(chart.LeftAxis()->ReadProperties(r));
    EXPECT_EQ(chart.LeftAxis()->Minimum(), 5);
}

// ---- scale through the axis ----

TEST_F(ChartAxisTest, AutomaticRangeFromSeries)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(2, 30);
    s->AddXY(8, -4);
    chart.BottomAxis()->SetStartEnd();
    chart.BottomAxis()->AdjustMaxMin();
    chart.LeftAxis()->SetStartEnd();
    chart.LeftAxis()->AdjustMaxMin();
    EXPECT_EQ(chart.BottomAxis()->CurrentMinimum(), 2);
    EXPECT_EQ(chart.BottomAxis()->CurrentMaximum(), 8);
    EXPECT_EQ(chart.LeftAxis()->CurrentMinimum(), -4);
    EXPECT_EQ(chart.LeftAxis()->CurrentMaximum(), 30);
    // 320 pixels for 6 units: x = 5 -> 40 + 160.
    EXPECT_EQ(chart.BottomAxis()->CalcPosValue(5), 200);
    EXPECT_EQ(chart.BottomAxis()->CalcXPosValue(5), 200);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->PositionToValue(200), 5);
}

TEST_F(ChartAxisTest, IncrementOfAHundredOnTheBottomAxis)
{
    // Widest label "12.5" (4 x 6 = 24): 24 + 2 = 26; 320 / 26 -> 12; 100 / 13 -> 10.
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(0, 100);
    a.SetStartEnd();
    a.AdjustMaxMin();
    EXPECT_EQ(a.CalcLabelsIncrement(), 10);
    EXPECT_EQ(a.Increment(), 0);
    a.SetLabelsAlternate(true);
    EXPECT_EQ(a.CalcLabelsIncrement(), 5);
}

TEST_F(ChartAxisTest, HugeAndInfiniteRangesFindAnIncrement)
{
    // The middle value 5e299 or infinity never gains decimals by halving.
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(0, 1e300);
    a.SetStartEnd();
    a.AdjustMaxMin();
    EXPECT_GT(a.CalcLabelsIncrement(), 0);
    a.SetMinMax(0, std::numeric_limits<double>::infinity());
    a.AdjustMaxMin();
    EXPECT_EQ(a.CalcLabelsIncrement(), 1);
}

TEST_F(ChartAxisTest, MaximumRoundRoundsUpToTheIncrement)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(0, 3);
    s->AddXY(1, 97);
    TChartAxis& a = *chart.LeftAxis();
    a.SetMaximumRound(true);
    a.SetMinimumRound(true);
    a.SetStartEnd();
    a.AdjustMaxMin();
    EXPECT_EQ(a.CurrentMaximum(), 100);
    EXPECT_EQ(a.CurrentMinimum(), 0);
}

TEST_F(ChartAxisTest, ScrollWithLimitsInsideDoesNothing)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(0, 3);
    s->AddXY(1, 7);
    TChartAxis& a = *chart.LeftAxis();
    a.SetMinMax(0, 10);
    a.Scroll(2, true);
    EXPECT_EQ(a.Maximum(), 10);
    a.Scroll(2, false);
    EXPECT_EQ(a.Minimum(), 2);
    EXPECT_EQ(a.Maximum(), 12);
}

TEST_F(ChartAxisTest, MarginsThroughTheAxis)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(0, 100);
    a.SetStartEnd();
    a.AdjustMaxMin();
    a.AdjustMaxMinRect(TRect{32, 0, 32, 0});  // 256 pixels for 100: 32 px = 12.5
    EXPECT_DOUBLE_EQ(a.CurrentMinimum(), -12.5);
    EXPECT_DOUBLE_EQ(a.CurrentMaximum(), 112.5);
}

TEST(AxisDateStepBack, MonthsKeepAValidDay)
{
    EXPECT_EQ(StepBackAxisDate(dtOneMonth, EncodeDate(2023, 3, 31)), EncodeDate(2023, 2, 28));
    EXPECT_EQ(StepBackAxisDate(dtOneMonth, EncodeDate(2024, 3, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(StepBackAxisDate(dtSixMonths, EncodeDate(2024, 8, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(StepBackAxisDate(dtThreeMonths, EncodeDate(2024, 1, 15)), EncodeDate(2023, 10, 15));
    EXPECT_EQ(StepBackAxisDate(dtOneYear, EncodeDate(2024, 2, 29)), EncodeDate(2023, 2, 28));
    EXPECT_EQ(StepBackAxisDate(dtHalfMonth, EncodeDate(2024, 3, 20)), EncodeDate(2024, 3, 15));
    EXPECT_EQ(StepBackAxisDate(dtHalfMonth, EncodeDate(2024, 3, 15)), EncodeDate(2024, 3, 1));
    EXPECT_EQ(StepBackAxisDate(dtHalfMonth, EncodeDate(2024, 3, 1)), EncodeDate(2024, 2, 15));
}

}  // namespace
