// Axis drawing on the recording device. Fixed metrics of the 8 pt label font:
// 6 pixels a character, 13 pixels a line ("W"). Chart rectangle 40,20 - 360,260.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "chart/axis_items.h"
#include "chart/axis_test_chart.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/plot_font.h"
#include "core/date_time.h"

namespace {

struct TText {
    int X, Y;
    std::string Text;
    bool operator==(const TText&) const = default;
};

std::vector<TText> Texts(const platform::RecordingDevice& Device)
{
    std::vector<TText> texts;
    for (const auto& c : Device.Calls())
        if (c.name == "TextOut")
            texts.push_back({std::stoi(c.args[0]), std::stoi(c.args[1]), c.args[2]});
    return texts;
}

std::vector<std::string> TextsOnly(const platform::RecordingDevice& Device)
{
    std::vector<std::string> texts;
    for (const TText& t : Texts(Device))
        texts.push_back(t.Text);
    return texts;
}

// "x0,y0-x1,y1" for each MoveTo followed by LineTo (state calls between them skipped).
std::vector<std::string> Segments(const platform::RecordingDevice& Device)
{
    std::vector<std::string> segments;
    const platform::RecordedCall* move = nullptr;
    for (const auto& c : Device.Calls()) {
        if (c.name == "MoveTo") {
            move = &c;
        } else if (c.name == "LineTo" && move) {
            segments.push_back(move->args[0] + "," + move->args[1] + "-" + c.args[0] + "," + c.args[1]);
            move = nullptr;
        } else if (c.drawing) {
            move = nullptr;
        }
    }
    return segments;
}

class AxisDraw : public ::testing::Test {
protected:
    // Range on the axis, its span from the chart rectangle, line and labels placed.
    void Prepare(TChartAxis& A, double Min, double Max)
    {
        A.SetMinMax(Min, Max);
        A.SetStartEnd();
        A.AdjustMaxMin();
        TRect r = chart.ChartRect;
        A.CalcRect(r, false);
        chart.device.ClearLog();
    }
    // The bottom axis drawn from Min to Max with value labels and no ticks.
    TChartAxis& DrawValueLabels(double Min, double Max)
    {
        TChartAxis& a = *chart.BottomAxis();
        a.SetLabelStyle(talValue);
        a.SetTickLength(0);
        Prepare(a, Min, Max);
        a.Draw(false);
        return a;
    }
    TTestAxisChart chart;
};

TEST_F(AxisDraw, EmptyChartRectangleWithFourAxes)
{
    // Bottom and top: labels 13 + line (2 + 1) + ticks 4 = 20; left and right
    // have no labels without series: 7 each.
    TRect r{0, 0, 400, 300};
    chart.LayoutAxes(r);
    EXPECT_EQ(r, (TRect{7, 20, 393, 280}));
}

TEST_F(AxisDraw, HiddenLabelsAndTitleTakeOnlyTheTicks)
{
    chart.BottomAxis()->SetLabels(false);
    TRect r{0, 0, 400, 300};
    chart.BottomAxis()->CalcRect(r, true);
    EXPECT_EQ(r.Bottom, 293);
    chart.TopAxis()->SetLabelsAlternate(true);
    chart.TopAxis()->CalcRect(r, true);
    EXPECT_EQ(r.Top, 2 * 13 + 7);
}

TEST_F(AxisDraw, TitleTakesItsRoom)
{
    chart.LeftAxis()->Title()->SetCaption("Count");
    TRect r{0, 0, 400, 300};
    chart.LeftAxis()->CalcRect(r, true);
    // Title at 90 degrees runs along the vertical axis: one line, 13.
    EXPECT_EQ(chart.LeftAxis()->PosTitle, 13);
    EXPECT_EQ(r.Left, 13 + 7);
}

TEST_F(AxisDraw, TitleStandsBelowEveryLineOfMultiLineLabels)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(0, 1, "young");
    s->AddXY(1, 2, std::string("middle") + '\r' + "aged");
    s->AddXY(2, 3, "old");
    TChartAxis& a = *chart.BottomAxis();
    a.Title()->SetCaption("age group");
    TRect r{0, 0, 400, 300};
    a.CalcRect(r, true);
    // Title 13 at the bottom, labels of two lines 2 x 13 above it, then line 3 and ticks 4.
    EXPECT_EQ(a.PosTitle, 300 - 13);
    EXPECT_EQ(a.PosLabels, 300 - 13 - 26);
    EXPECT_EQ(r.Bottom, 300 - 13 - 26 - 7);

    // Drawn: the second line of a label ends where the title begins.
    a.SetStartEnd();
    a.AdjustMaxMin();
    chart.device.ClearLog();
    a.Draw(false);
    const auto texts = Texts(chart.device);
    int labelsEnd = 0;
    int titleTop = 0;
    for (const TText& t : texts) {
        if (t.Text == "age group")
            titleTop = t.Y;
        else
            labelsEnd = std::max(labelsEnd, t.Y + 13);
    }
    EXPECT_EQ(labelsEnd, 300 - 13);
    EXPECT_EQ(titleTop, 300 - 13);
}

TEST_F(AxisDraw, SingleLineLabelsKeepOneLineOfRoom)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(0, 1, "young");
    s->AddXY(1, 2, "middle");
    TChartAxis& a = *chart.BottomAxis();
    TRect r{0, 0, 400, 300};
    a.CalcRect(r, true);
    EXPECT_EQ(a.PosLabels, 300 - 13);
    EXPECT_EQ(r.Bottom, 300 - 13 - 7);
}

TEST_F(AxisDraw, StandardLabelsFromTheTop)
{
    TChartAxis& a = DrawValueLabels(0, 100);
    const std::vector<std::string> expected = {"100", "90", "80", "70", "60", "50", "40", "30", "20", "10", "0"};
    EXPECT_EQ(TextsOnly(chart.device), expected);
    // 3.2 pixels a unit from 40; labels below the line (260 + 3 for the pen + 0 ticks).
    const auto texts = Texts(chart.device);
    ASSERT_EQ(texts.size(), 11u);
    EXPECT_EQ(texts[0], (TText{360, 263, "100"}));
    EXPECT_EQ(texts[1], (TText{328, 263, "90"}));
    EXPECT_EQ(texts[10], (TText{40, 263, "0"}));
    EXPECT_EQ(a.TickPositions.size(), 11u);
    EXPECT_EQ(a.TickPositions[5], 200);
    // The automatic item list holds what was drawn.
    EXPECT_TRUE(a.Items().Automatic());
    EXPECT_EQ(a.Items().Count(), 11);
}

TEST_F(AxisDraw, LabelAtTheStartIsDroppedWhenNotOnAxis)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    a.SetLabelsOnAxis(false);
    Prepare(a, 0, 100);
    a.Draw(false);
    const auto texts = TextsOnly(chart.device);
    ASSERT_EQ(texts.size(), 9u);
    EXPECT_EQ(texts.front(), "90");
    EXPECT_EQ(texts.back(), "10");
}

TEST_F(AxisDraw, VerticalLabelsAreRightAlignedAndRaised)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetLabelStyle(talValue);
    Prepare(a, 0, 100);
    a.Draw(false);
    const auto texts = Texts(chart.device);
    ASSERT_EQ(texts.size(), 11u);
    // 2.4 pixels a unit up from 260; half a line (6) above; labels left of 40 - 3 - 4.
    EXPECT_EQ(texts[0], (TText{33, 20 - 6, "100"}));
    EXPECT_EQ(texts[10], (TText{33, 260 - 6, "0"}));
}

TEST_F(AxisDraw, NextLabelEventIsCapped)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    Prepare(a, 0, 100);
    int calls = 0;
    chart.OnGetNextAxisLabel = [&](TChartAxis&, int, double& Value, bool& Stop) {
        ++calls;
        Value = 50;
        Stop = false;
    };
    a.Draw(false);
    EXPECT_EQ(calls, 2001);
    EXPECT_EQ(TextsOnly(chart.device).size(), 2001u);
}

TEST_F(AxisDraw, NextLabelEventStoppingAtOnceGivesTheStandardLabels)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    Prepare(a, 0, 100);
    chart.OnGetNextAxisLabel = [](TChartAxis&, int, double&, bool& Stop) { Stop = true; };
    a.Draw(false);
    EXPECT_EQ(TextsOnly(chart.device).size(), 11u);
}

TEST_F(AxisDraw, NextLabelEventValues)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    Prepare(a, 0, 100);
    chart.OnGetNextAxisLabel = [](TChartAxis&, int Index, double& Value, bool& Stop) {
        Value = Index * 25.0;
        Stop = Index > 4;
    };
    a.Draw(false);
    // Index 0 gives 0 too: 0, 25, 50, 75, 100; 125 is outside.
    EXPECT_EQ(TextsOnly(chart.device), (std::vector<std::string>{"0", "25", "50", "75", "100"}));
}

TEST_F(AxisDraw, ExponentIsSmallerAndRaised)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelsExponent(true);
    a.PosLabels = 270;
    a.DrawAxisLabel(100, "1.5E3");
    const auto texts = Texts(chart.device);
    ASSERT_EQ(texts.size(), 2u);
    // Mantissa 18 wide, exponent in 6 pt (em 8: 4 a character): centred block 18 + 1 + 4 = 23.
    EXPECT_EQ(texts[0], (TText{100 - 11, 270, "1.5"}));
    // Raised by (13 - 1) / 2 - 2 = 4, one pixel after the mantissa.
    EXPECT_EQ(texts[1], (TText{100 - 11 + 18 + 1, 266, "3"}));
    EXPECT_EQ(a.LabelsFont()->Size(), 8);
}

TEST_F(AxisDraw, MultiLineLabelsSplitAtBlanks)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelsMultiLine(true);
    a.SetDateTimeFormat("mmm yyyy");
    EXPECT_EQ(a.LabelValue(5), "5");
    a.SetAxisValuesFormat("0 'kg'");
    const std::string text = a.LabelValue(5);
    EXPECT_EQ(text, std::string("5") + '\r' + "kg");
    a.PosLabels = 270;
    a.DrawAxisLabel(100, text);
    EXPECT_EQ(Texts(chart.device), (std::vector<TText>{{100, 270, "5"}, {100, 283, "kg"}}));
}

TEST_F(AxisDraw, LogarithmicAxisFromZeroStartsAtOneTenth)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetLabelStyle(talValue);
    a.SetMinMax(0, 1000);
    a.SetLogarithmic(true);
    a.SetStartEnd();
    a.AdjustMaxMin();
    chart.device.ClearLog();
    a.Draw(true);
    EXPECT_EQ(TextsOnly(chart.device), (std::vector<std::string>{"0.1", "1", "10", "100", "1,000"}));
}

TEST_F(AxisDraw, LogarithmicLabelsTowardsAnInfiniteMaximumEnd)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetLabelStyle(talValue);
    a.SetMinMax(1, std::numeric_limits<double>::infinity());
    a.SetLogarithmic(true);
    a.SetStartEnd();
    a.AdjustMaxMin();
    a.Draw(true);
    EXPECT_LE(a.TickPositions.size(), 10000u);
}

TEST_F(AxisDraw, NonFiniteRangeDrawsAndEnds)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    a.SetMinMax(0, std::numeric_limits<double>::quiet_NaN());
    a.SetStartEnd();
    a.AdjustMaxMin();
    a.Draw(true);
    EXPECT_LE(a.TickPositions.size(), 1u);
}

TEST_F(AxisDraw, GridEveryThirdLabel)
{
    TChartAxis& a = *chart.LeftAxis();
    Prepare(a, 0, 100);
    // Labels 100 .. 0 every 10: 260 - 2.4 v.
    a.TickPositions = {20, 44, 68, 92, 116, 140, 164, 188, 212, 236, 260};
    a.Grid()->SetDrawEvery(3);
    a.DrawGrids(11);
    // Index 0 (20) is the axis end: not drawn.
    EXPECT_EQ(Segments(chart.device), (std::vector<std::string>{"41,92-360,92", "41,164-360,164", "41,236-360,236"}));
}

TEST_F(AxisDraw, CentredGridFallsBetweenLabels)
{
    TChartAxis& a = *chart.LeftAxis();
    Prepare(a, 0, 100);
    a.TickPositions = {20, 44, 68, 92};
    a.SetGridCentered(true);
    a.DrawGrids(4);
    EXPECT_EQ(Segments(chart.device), (std::vector<std::string>{"41,32-360,32", "41,56-360,56", "41,80-360,80"}));
    chart.device.ClearLog();
    a.TickPositions = {20, 45};
    a.DrawGrids(2);  // 32.5 -> 32
    EXPECT_EQ(Segments(chart.device), (std::vector<std::string>{"41,32-360,32"}));
}

TEST_F(AxisDraw, GridAskedForMoreLinesThanPositionsDrawsWhatExists)
{
    TChartAxis& a = *chart.BottomAxis();
    Prepare(a, 0, 100);
    a.TickPositions = {100, 200};
    a.DrawGrids(50);
    EXPECT_EQ(Segments(chart.device), (std::vector<std::string>{"100,21-100,260", "200,21-200,260"}));
}

TEST_F(AxisDraw, TicksOutwardAndInward)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    a.SetIncrement(50);
    a.SetTickInnerLength(3);
    a.Grid()->Hide();
    a.MinorTicks()->Hide();
    a.Axis()->Hide();
    a.SetLabels(false);
    Prepare(a, 0, 100);
    a.PosAxis = 260;
    a.Draw(false);
    // Outer ticks from 261 down 4; inner from 259 up 3; at 360, 200, 40.
    EXPECT_EQ(Segments(chart.device),
              (std::vector<std::string>{"360,261-360,265", "200,261-200,265", "40,261-40,265", "360,259-360,256",
                                        "200,259-200,256", "40,259-40,256"}));
}

TEST_F(AxisDraw, NoInnerTicksOfLengthZero)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    a.Grid()->Hide();
    a.MinorTicks()->Hide();
    a.Axis()->Hide();
    a.Ticks()->Hide();
    Prepare(a, 0, 100);
    a.Draw(false);
    EXPECT_TRUE(Segments(chart.device).empty());
}

TEST_F(AxisDraw, MinorTickCountBelowOneDrawsNone)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetLabelStyle(talValue);
    a.Grid()->Hide();
    a.Ticks()->Hide();
    a.Axis()->Hide();
    a.SetLabels(false);
    a.SetMinorTickCount(0);
    Prepare(a, 0, 100);
    a.Draw(false);
    EXPECT_TRUE(Segments(chart.device).empty());
    a.SetMinorTickCount(1);
    a.SetIncrement(50);
    chart.device.ClearLog();
    a.Draw(false);
    // Ticks at 360, 200, 40: one minor tick halfway in each gap.
    EXPECT_EQ(Segments(chart.device), (std::vector<std::string>{"280,261-280,263", "120,261-120,263"}));
}

TEST_F(AxisDraw, MinorTicksBetweenEqualPositionsEnd)
{
    // Two labels at one place: a spacing of 0 is not continued to the axis ends.
    TChartAxis& a = *chart.BottomAxis();
    a.Items().Add(50);
    a.Items().Add(50);
    a.Grid()->Hide();
    a.Ticks()->Hide();
    a.Axis()->Hide();
    a.SetLabels(false);
    Prepare(a, 0, 100);
    a.Draw(false);
    EXPECT_EQ(Segments(chart.device), (std::vector<std::string>{"200,261-200,263"}));
}

TEST_F(AxisDraw, PositionPercentMovesTheLine)
{
    TChartAxis& a = *chart.LeftAxis();
    a.SetPositionPercent(50);
    TRect r = chart.ChartRect;
    a.CalcRect(r, false);
    EXPECT_EQ(a.PosAxis, 40 + 160);
    a.SetPositionUnits(muPixels);
    a.CalcRect(r, false);
    EXPECT_EQ(a.PosAxis, 90);
    chart.BottomAxis()->SetPositionPercent(50);
    chart.BottomAxis()->CalcRect(r, false);
    EXPECT_EQ(chart.BottomAxis()->PosAxis, 260 - 120);
}

TEST_F(AxisDraw, ClickNearTheLineTowardsTheChart)
{
    TChartAxis& a = *chart.LeftAxis();
    Prepare(a, 0, 100);
    // Line at 40, labels at 33: the rectangle runs 33 .. 43.
    EXPECT_TRUE(a.Clicked(42, 100));
    EXPECT_TRUE(a.Clicked(33, 20));
    EXPECT_FALSE(a.Clicked(44, 100));
    EXPECT_FALSE(a.Clicked(38, 261));
    a.SetLabels(false);
    EXPECT_FALSE(a.Clicked(42, 100));
    EXPECT_TRUE(a.Clicked(40, 100));
}

TEST_F(AxisDraw, CustomItemsDrawTheirOwnTexts)
{
    TChartAxis& a = *chart.BottomAxis();
    a.SetMinMax(0, 100);
    a.Items().Add(25, "quarter");
    a.Items().Add(50);
    a.Items().Add(150, "outside");
    EXPECT_FALSE(a.Items().Automatic());
    Prepare(a, 0, 100);
    a.Draw(false);
    EXPECT_EQ(TextsOnly(chart.device), (std::vector<std::string>{"quarter", "50"}));
    EXPECT_EQ(a.TickPositions, (std::vector<int>{120, 200}));
}

TEST_F(AxisDraw, SeriesTextLabelsAndTheOverlapRule)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(0, 1, "A");
    s->AddXY(1, 2, "LongLabel");
    s->AddXY(1.1, 3, "C");
    s->AddXY(4, 4, "D");
    TChartAxis& a = *chart.BottomAxis();
    EXPECT_EQ(a.CalcLabelStyle(), talText);
    EXPECT_EQ(chart.LeftAxis()->CalcLabelStyle(), talValue);
    EXPECT_EQ(chart.TopAxis()->CalcLabelStyle(), talNone);
    a.SetStartEnd();
    a.AdjustMaxMin();  // 0..4: 80 pixels a unit
    TRect r = chart.ChartRect;
    a.CalcRect(r, false);
    chart.device.ClearLog();
    a.Draw(false);
    // A at 40 (half size 3); LongLabel at 120: (54 + 10) / 2 = 32, 120 - 32 >= 43;
    // C at 128: (6 + 1) / 2 = 3, 125 < 152: skipped; D at 360.
    EXPECT_EQ(TextsOnly(chart.device), (std::vector<std::string>{"A", "LongLabel", "D"}));
}

TEST_F(AxisDraw, TextLabelsComingBackToOnePlaceAreWrittenOnce)
{
    // outcomes 0 and 1 in turn, labelled on the bottom axis
    TChartSeries* s = chart.AddSeries();
    for (int i = 0; i < 40; ++i)
        s->AddXY(i % 2, i, i % 2 ? "Yes" : "No");
    TChartAxis& a = *chart.BottomAxis();
    ASSERT_EQ(a.CalcLabelStyle(), talText);
    a.SetStartEnd();
    a.AdjustMaxMin();
    TRect r = chart.ChartRect;
    a.CalcRect(r, false);
    chart.device.ClearLog();
    a.Draw(false);
    EXPECT_EQ(TextsOnly(chart.device), (std::vector<std::string>{"No", "Yes"}));
}

TEST_F(AxisDraw, StepGrowsWhenTheLabelsWrittenCarryMoreDecimals)
{
    // 1..2 over 440 pixels: the measured labels "2", "1" and "1.5" (18
    // pixels, 20 with the separation) let 22 fit, a step of 0.05 (1/23
    // grown), 22 pixels apart; but "1.05" is 24 pixels wide, 26 with the
    // separation: the step grows to 0.1 (44 pixels).
    chart.ChartRect.Right = 480;
    DrawValueLabels(1, 2);
    const std::vector<std::string> expected = {"2", "1.9", "1.8", "1.7", "1.6", "1.5", "1.4", "1.3", "1.2", "1.1", "1"};
    EXPECT_EQ(TextsOnly(chart.device), expected);
}

TEST_F(AxisDraw, LabelsAreWrittenWithoutABoxAfterAnotherAxis)
{
    // each axis leaves the canvas opaque when it is done
    for (TChartAxis* a : {chart.BottomAxis(), chart.LeftAxis()}) {
        a->SetLabelStyle(talValue);
        Prepare(*a, 0, 100);
        a->Draw(false);
    }
    bool opaque = true;
    int written = 0;
    for (const auto& c : chart.device.Calls()) {
        if (c.name == "SetBkMode")
            opaque = c.args[0] != "transparent";
        if (c.name == "TextOut") {
            ++written;
            EXPECT_FALSE(opaque) << c.ToString();
        }
    }
    EXPECT_EQ(written, 11);
}

TEST_F(AxisDraw, DepthLabelsNeverLeaveTheSeriesList)
{
    TChartSeries* s = chart.AddSeries();
    s->AddXY(0, 1);
    s->SetTitle("Only");
    TChartAxis& d = *chart.DepthAxis();
    d.SetLabelStyle(talText);
    chart.Is3D = true;
    d.SetMinMax(-5, 7);
    d.SetStartEnd();
    d.AdjustMaxMin();
    chart.device.ClearLog();
    d.Draw(true);
    EXPECT_EQ(TextsOnly(chart.device), (std::vector<std::string>{"Only"}));
}

TEST_F(AxisDraw, DateTimeLabelTexts)
{
    TChartSeries* s = chart.AddSeries();
    s->XValues().SetDateTime(true);
    s->AddXY(EncodeDate(2020, 1, 1), 1);
    TChartAxis& a = *chart.BottomAxis();
    TRect r = chart.ChartRect;
    a.CalcRect(r, false);
    ASSERT_TRUE(a.IsDateTimeAxis());
    EXPECT_EQ(a.LabelValue(-1), "");
    a.SetDateTimeFormat("yyyy-mm-dd");
    EXPECT_EQ(a.LabelValue(EncodeDate(2021, 3, 4)), "2021-03-04");
}

TEST_F(AxisDraw, AxisLabelHookChangesTexts)
{
    TChartAxis& a = *chart.BottomAxis();
    chart.OnGetAxisLabel = [](TChartAxis&, TChartSeries* Series, int Index, std::string& Text) {
        if (!Series && Index == -1)
            Text = "<" + Text + ">";
    };
    EXPECT_EQ(a.LabelValue(1234.5), "<1,234.5>");
}

}  // namespace

TEST_F(AxisDraw, ACopyOfADrawnAxisKeepsItsLabelsAutomatic)
{
    TChartAxis& a = DrawValueLabels(0, 100);
    ASSERT_EQ(a.Items().Count(), 11);

    TTestAxisChart other;
    TChartAxis& b = *other.BottomAxis();
    b.Assign(a);
    EXPECT_TRUE(b.Items().Automatic());
    EXPECT_EQ(b.Items().Count(), 0);
    // drawn over its own range, the copy labels that range
    b.SetMinMax(200, 300);
    b.SetStartEnd();
    b.AdjustMaxMin();
    TRect r = other.ChartRect;
    b.CalcRect(r, false);
    other.device.ClearLog();
    b.Draw(false);
    const std::vector<std::string> expected = {"300", "290", "280", "270", "260", "250",
                                               "240", "230", "220", "210", "200"};
    EXPECT_EQ(TextsOnly(other.device), expected);
    EXPECT_TRUE(b.Items().Automatic());

    // custom labels are copied as they are
    a.Items().Clear();
    a.Items().Add(25, "quarter");
    b.Assign(a);
    EXPECT_FALSE(b.Items().Automatic());
    ASSERT_EQ(b.Items().Count(), 1);
    EXPECT_EQ(b.Items()[0].Text(), "quarter");
    EXPECT_DOUBLE_EQ(b.Items()[0].Value(), 25);
}
