#include "chart/axis_panel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

#include "chart/chart_axis.h"
#include "chart/chart_tool.h"
#include "chart/chart_walls.h"
#include "chart/series_marks.h"
#include "support/recording_canvas.h"
#include "support/test_series.h"

namespace {

// A chart that marks its walls, titles and legend in the log.
class TDrawChart : public TCustomAxisPanel {
public:
    TDrawChart()
    {
        SetBufferedDisplay(false);
        SetView3D(false);
        SetAutoRepaint(true);
    }
    void Mark(const std::string& Text) { Canvas()->TextOut(0, 0, Text); }
    void DrawWalls() override { Mark("walls"); }
    void DrawTitlesAndLegend(bool BeforeSeries) override { Mark(BeforeSeries ? "titles-before" : "titles-after"); }
};

class TLogTool : public TPlotCustomTool {
public:
    explicit TLogTool(TDrawChart& Chart, std::string Name) : m_chart(Chart), m_name(std::move(Name)) {}
    void ChartEvent(TToolDrawPhase Phase) override { m_chart.Mark(m_name + ":" + std::to_string(Phase)); }
    void WheelEvent(TToolWheelKind Kind, int Delta, int, int) override
    {
        Wheel.push_back(std::to_string(Kind) + "/" + std::to_string(Delta));
        if (TakeWheelKind == Kind)
            m_chart.MouseHandled = true;
    }
    std::vector<std::string> Wheel;
    int TakeWheelKind = -1;

private:
    TDrawChart& m_chart;
    std::string m_name;
};

class TDrawSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        chart.Canvas()->SetBufferedDisplay(false);
        chart.OnBeforeDrawAxes = [this](TCustomAxisPanel&) { chart.Mark("axes"); };
        chart.OnBeforeDrawSeries = [this](TCustomAxisPanel&) { chart.Mark("before-series"); };
        chart.OnBeforeDrawChart = [this](TCustomAxisPanel&) { chart.Mark("before-chart"); };
        chart.OnAfterDraw = [this](TCustomAxisPanel&) { chart.Mark("after-draw"); };
    }
    void TearDown() override
    {
        while (chart.SeriesCount() > 0)
            chart.RemoveSeries(chart.Series(0));
    }
    Lines Draw()
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, 400, 300});
        return device.Lines();
    }
    TTestBarSeries& AddBars(std::initializer_list<double> Values, const char* Name)
    {
        auto* s = new TTestBarSeries(&owner);
        s->SetName(Name);
        for (double v : Values)
            s->Add(v);
        chart.AddSeries(s);
        return *s;
    }
    // The markers, bars and clip changes of a draw, in order.
    Lines Events()
    {
        Lines out;
        for (const std::string& line : Draw()) {
            if (line.rfind("TextOut(0,0,", 0) == 0)
                out.push_back(line.substr(12, line.size() - 13));
            else if (line.rfind("Rectangle(", 0) == 0 || line.rfind("ExtSelectClipRgn", 0) == 0 ||
                     line == "SelectClipRgn(none)")
                out.push_back(line);
        }
        return out;
    }
    // Position of the first line starting with Prefix at or after From; -1 when none.
    static int Find(const Lines& Log, const std::string& Prefix, int From = 0)
    {
        for (int i = std::max(From, 0); i < static_cast<int>(Log.size()); ++i)
            if (Log[static_cast<std::size_t>(i)].rfind(Prefix, 0) == 0)
                return i;
        return -1;
    }

    QObject owner;
    platform::RecordingDevice device{400, 300};
    TDrawChart chart;
};

}  // namespace


TEST_F(TDrawSequence, AxesBehindComeBeforeTheSeriesInTheFixedOrder)
{
    AddBars({1, 3, 2}, "A");
    TLogTool tool(chart, "t");
    tool.SetParentChart(&chart);
    const Lines events = Events();
    EXPECT_EQ(events, (Lines{"t:2", "before-chart", "titles-before", "walls", "t:3", "axes", "t:1", "before-series",
                             "ExtSelectClipRgn(rect(38,13,388,268),and)", "Rectangle(36,267,41,267)",
                             "Rectangle(210,13,215,267)", "Rectangle(385,140,390,267)", "SelectClipRgn(none)",
                             "t:4", "titles-after", "t:0", "after-draw"}));
}

TEST_F(TDrawSequence, AxesInFrontComeAfterToolNoticeFour)
{
    AddBars({1, 3, 2}, "A");
    TLogTool tool(chart, "t");
    tool.SetParentChart(&chart);
    chart.SetAxisBehind(false);
    const Lines events = Events();
    const auto at = [&](const std::string& e) {
        return std::find(events.begin(), events.end(), e) - events.begin();
    };
    EXPECT_LT(at("SelectClipRgn(none)"), at("t:4"));
    EXPECT_EQ(at("t:3"), at("t:4") + 1);
    EXPECT_EQ(at("axes"), at("t:3") + 1);
    EXPECT_LT(at("axes"), at("titles-after"));
    EXPECT_EQ(std::count(events.begin(), events.end(), "t:3"), 1);
}

TEST_F(TDrawSequence, EachSeriesIsClippedOnItsOwnInListOrder)
{
    AddBars({1, 2}, "A");
    AddBars({2, 1}, "B");
    Lines events = Events();
    std::erase_if(events, [](const std::string& e) { return e.find(':') == std::string::npos && e.find('(') == std::string::npos; });
    ASSERT_EQ(events.size(), 8u);
    EXPECT_EQ(events[0].rfind("ExtSelectClipRgn", 0), 0u);
    EXPECT_EQ(events[3], "SelectClipRgn(none)");
    EXPECT_EQ(events[4].rfind("ExtSelectClipRgn", 0), 0u);
    EXPECT_EQ(events[7], "SelectClipRgn(none)");
}

TEST_F(TDrawSequence, ClipPointsOffDrawsWithoutClipping)
{
    AddBars({1, 2}, "A");
    chart.SetClipPoints(false);
    const Lines events = Events();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.rfind("ExtSelectClipRgn", 0) == 0; }),
              0);
}

TEST_F(TDrawSequence, InactiveToolHearsNoPhase)
{
    AddBars({1}, "A");
    TLogTool active(chart, "a"), idle(chart, "i");
    active.SetParentChart(&chart);
    idle.SetParentChart(&chart);
    idle.SetActive(false);
    const Lines events = Events();
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("i:", 0) == 0; }),
              0);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("a:", 0) == 0; }),
              5);
}

TEST_F(TDrawSequence, RepaintRequestsDuringTheDrawAreIgnoredAndRepaintingComesBack)
{
    TTestBarSeries& bars = AddBars({1, 2}, "A");
    bool repaintWhileDrawing = true;
    bars.BeforeDrawValues = [&](TChartSeries& s) {
        repaintWhileDrawing = chart.AutoRepaint();
        s.Repaint();
    };
    Draw();
    EXPECT_FALSE(repaintWhileDrawing);
    EXPECT_TRUE(chart.AutoRepaint());
}

TEST_F(TDrawSequence, FailureInsideASeriesLeavesRepaintingOn)
{
    TTestBarSeries& bars = AddBars({1, 2}, "A");
    bars.BeforeDrawValues = [](TChartSeries&) { throw std::runtime_error("broken series"); };
    EXPECT_THROW(Draw(), std::runtime_error);
    EXPECT_TRUE(chart.AutoRepaint());
    bars.BeforeDrawValues = nullptr;
    EXPECT_NO_THROW(Draw());
}

TEST_F(TDrawSequence, SeriesWithNoVisiblePointGetsNoValueEvents)
{
    TTestBarSeries& bars = AddBars({1, 2, 3}, "A");
    AddBars({1, 2, 3}, "B");
    chart.BottomAxis()->SetMinMax(10, 20);
    int before = 0, after = 0;
    bars.BeforeDrawValues = [&](TChartSeries&) { ++before; };
    bars.AfterDrawValues = [&](TChartSeries&) { ++after; };
    Draw();
    EXPECT_EQ(bars.FirstValueIndex(), -1);
    EXPECT_EQ(before, 0);
    EXPECT_EQ(after, 0);
}

TEST_F(TDrawSequence, SeriesToolHearsItsSeriesDrawing)
{
    struct TSeriesLog : TPlotCustomToolSeries {
        std::vector<int> Events;
        void SeriesDrawEvent(int Event) override { Events.push_back(Event); }
    };
    TTestBarSeries& a = AddBars({1, 2}, "A");
    AddBars({1, 2}, "B");
    TSeriesLog tool;
    tool.SetParentChart(&chart);
    tool.SetSeries(&a);
    Draw();
    EXPECT_EQ(tool.Events, (std::vector<int>{1, 4}));
}

// ---- visible range ----

TEST_F(TDrawSequence, OrderedSeriesOnAZoomedAxisDrawsOnlyThePointsInside)
{
    TTestBarSeries& bars = AddBars({1, 2, 3, 4, 5, 6, 7, 8}, "A");  // X = 0..7
    chart.BottomAxis()->SetMinMax(2.5, 5.5);
    Draw();
    EXPECT_EQ(bars.FirstValueIndex(), 3);
    EXPECT_EQ(bars.LastValueIndex(), 5);
    bars.SetDrawBetweenPoints(true);
    Draw();
    EXPECT_EQ(bars.LastValueIndex(), 6);
}

TEST_F(TDrawSequence, UnorderedSeriesDrawsAllPointsWhateverTheRange)
{
    TTestBarSeries& bars = AddBars({}, "A");
    bars.XValues().SetOrder(loNone);
    for (double x : {5.0, 1.0, 9.0, 3.0})
        bars.AddXY(x, 1);
    chart.BottomAxis()->SetMinMax(2, 4);
    Draw();
    EXPECT_EQ(bars.FirstValueIndex(), 0);
    EXPECT_EQ(bars.LastValueIndex(), 3);
}

TEST_F(TDrawSequence, HiddenAxisStillPlacesItsSeries)
{
    TTestBarSeries& bars = AddBars({1, 2, 3}, "A");
    chart.LeftAxis()->SetVisible(false);
    chart.LeftAxis()->SetMinMax(0, 4);
    Draw();
    EXPECT_EQ(chart.LeftAxis()->CurrentMinimum(), 0.0);
    EXPECT_EQ(chart.LeftAxis()->CurrentMaximum(), 4.0);
    // value 2 halfway up, value 3 a quarter below the top
    EXPECT_LT(bars.CalcYPosValue(3), bars.CalcYPosValue(2));
    EXPECT_LT(bars.CalcYPosValue(2), bars.CalcYPosValue(0));
}

// ---- 3D ----

class TDrawSequence3D : public TDrawSequence {
protected:
    void SetUp() override
    {
        TDrawSequence::SetUp();
        chart.SetView3D(true);
        for (const char* name : {"A", "B", "C"}) {
            TTestBarSeries& s = AddBars({1, 2}, name);
            s.OnDrawValue = [this, name](int i) { drawn.push_back(name + std::to_string(i)); };
        }
        chart.Series(0)->SetZOrder(0);
        chart.Series(1)->SetZOrder(0);
        chart.Series(2)->SetZOrder(1);
    }
    std::vector<std::string> drawn;
};

TEST_F(TDrawSequence3D, SameZOrderSeriesAreDrawnPointByPointAnotherAlone)
{
    Draw();
    // the first series of the list is the deepest
    EXPECT_EQ(chart.Series(0)->ComputedZOrder(), 1);
    EXPECT_EQ(chart.Series(1)->ComputedZOrder(), 1);
    EXPECT_EQ(chart.Series(2)->ComputedZOrder(), 0);
    EXPECT_EQ(drawn, (std::vector<std::string>{"A0", "B0", "A1", "B1", "C0", "C1"}));
}

TEST_F(TDrawSequence3D, InvertedDepthAxisKeepsZOrdersAndFlipsTheDrawingOrder)
{
    chart.DepthAxis()->SetInverted(true);
    Draw();
    EXPECT_EQ(chart.Series(0)->ComputedZOrder(), 0);
    EXPECT_EQ(chart.Series(2)->ComputedZOrder(), 1);
    EXPECT_EQ(drawn, (std::vector<std::string>{"C0", "C1", "A0", "B0", "A1", "B1"}));
}

TEST_F(TDrawSequence3D, GroupSendsValueEventsOncePerMember)
{
    int before = 0, after = 0;
    for (int i = 0; i < 3; ++i) {
        chart.Series(i)->BeforeDrawValues = [&](TChartSeries&) { ++before; };
        chart.Series(i)->AfterDrawValues = [&](TChartSeries&) { ++after; };
    }
    Draw();
    EXPECT_EQ(before, 3);
    EXPECT_EQ(after, 3);
}

TEST_F(TDrawSequence3D, DepthOfTheChartIsTheSlotTimesTheZOrders)
{
    Draw();
    // orthogonal view: slot = round(chart width x 15 x 0.001) over the chart
    // rectangle before the axes take their room: 400 less 3 % margins = 376 -> 5.64
    const int slot = 6;
    EXPECT_EQ(chart.Width3D, slot * 2);
    EXPECT_EQ(chart.Series(2)->StartZ(), 0);
    EXPECT_EQ(chart.Series(0)->StartZ(), slot);
}

// ---- legend symbol ----

namespace {

class TLegendBars : public TTestBarSeries {
public:
    using TTestBarSeries::TTestBarSeries;
    void PrepareLegendCanvas(int, TColor& BackColor, TBrushStyle& BrushStyle) override
    {
        if (Fail)
            throw std::runtime_error("legend failed");
        BackColor = clYellow;
        BrushStyle = bsCross;
    }
    bool Fail = false;
};

}  // namespace

TEST_F(TDrawSequence, LegendSymbolIsARectangleInThePointColour)
{
    TLegendBars series(&owner);
    series.Add(1, "", clRed);
    chart.AddSeries(&series);
    chart.Canvas()->InitWindow(&device, chart.View3DOptions(), clWhite, false, TRect{0, 0, 400, 300});
    device.ClearLog();
    series.DrawLegend(0, TRect{5, 6, 25, 16});
    const auto calls = device.CallsNamed("Rectangle");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].ToString(), "Rectangle(5,6,25,16)");
    EXPECT_NE(calls[0].brush.find("0x0000FF"), std::string::npos) << calls[0].brush;
    // the series gets its own brush style back
    EXPECT_EQ(series.Brush().Style(), bsSolid);
    chart.RemoveSeries(&series);
}

TEST_F(TDrawSequence, WholeSeriesLegendIsSkippedWithColourEachPoint)
{
    TLegendBars series(&owner);
    series.Add(1);
    chart.AddSeries(&series);
    chart.Canvas()->InitWindow(&device, chart.View3DOptions(), clWhite, false, TRect{0, 0, 400, 300});
    series.SetColorEachPoint(true);
    device.ClearLog();
    series.DrawLegend(-1, TRect{5, 6, 25, 16});
    EXPECT_EQ(device.Count("Rectangle"), 0);
    chart.RemoveSeries(&series);
}

TEST_F(TDrawSequence, FailingLegendSymbolLeavesRepaintingOn)
{
    TLegendBars series(&owner);
    series.Add(1);
    chart.AddSeries(&series);
    chart.Canvas()->InitWindow(&device, chart.View3DOptions(), clWhite, false, TRect{0, 0, 400, 300});
    series.Fail = true;
    ASSERT_TRUE(chart.AutoRepaint());
    EXPECT_THROW(series.DrawLegend(0, TRect{5, 6, 25, 16}), std::runtime_error);
    EXPECT_TRUE(chart.AutoRepaint());
    chart.RemoveSeries(&series);
}

TEST_F(TDrawSequence, HiddenAxisHandsTheWorkingRectangleToTheSizeHook)
{
    AddBars({1, 2, 3}, "Bars");
    chart.LeftAxis()->SetVisible(false);
    chart.BottomAxis()->SetVisible(false);
    Draw();
    const TRect without = chart.ChartRect;
    std::vector<TChartAxis*> asked;
    chart.Axes().OnCalcInvisibleAxisRect = [&](TChartAxis& Axis, TRect& R) {
        asked.push_back(&Axis);
        if (&Axis == chart.LeftAxis())
            R.Left += 30;
    };
    Draw();
    EXPECT_EQ(chart.ChartRect.Left, without.Left + 30);
    EXPECT_EQ(chart.ChartRect.Right, without.Right);
    EXPECT_NE(std::find(asked.begin(), asked.end(), chart.LeftAxis()), asked.end());
    EXPECT_NE(std::find(asked.begin(), asked.end(), chart.BottomAxis()), asked.end());
    // shown axes size themselves and are not handed to the hook
    asked.clear();
    chart.LeftAxis()->SetVisible(true);
    Draw();
    EXPECT_EQ(std::find(asked.begin(), asked.end(), chart.LeftAxis()), asked.end());
}

TEST_F(TDrawSequence, MarksOfEverySeriesComeAfterAllTheValues)
{
    chart.SetAxisVisible(false);  // no axis label writes the points' labels
    TTestBarSeries& a = AddBars({}, "A");
    TTestBarSeries& b = AddBars({}, "B");
    for (TTestBarSeries* s : {&a, &b}) {
        for (int i = 0; i < 2; ++i)
            s->Add(10 + i, "mark" + s->Name() + std::to_string(i));
        s->Marks().SetVisible(true);
        s->Marks().SetStyle(smsLabel);
        s->OnDrawValue = [this, s](int i) { chart.Mark(s->Name() + std::to_string(i)); };
    }
    const Lines log = Draw();
    const auto first = [&](const std::string& text) {
        for (int i = 0; i < static_cast<int>(log.size()); ++i)
            if (log[static_cast<std::size_t>(i)].find(text) != std::string::npos)
                return i;
        return -1;
    };
    const int lastBar = Find(log, "TextOut(0,0,B1)");
    ASSERT_GE(lastBar, 0);
    // the first series' marks follow the second series' bars, in series order
    EXPECT_GT(first("markA0"), lastBar);
    EXPECT_GT(first("markB0"), first("markA1"));
    EXPECT_LT(first("markB1"), Find(log, "TextOut(0,0,after-draw)"));
}
