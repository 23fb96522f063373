#include "chart/chart_tool.h"

#include <gtest/gtest.h>

#include <QPointer>

#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/property_stream.h"

namespace {

class TWheelTool : public TPlotCustomTool {
public:
    TWheelTool(TCustomAxisPanel& Chart, int Take) : m_chart(Chart), m_take(Take) {}
    void WheelEvent(TToolWheelKind Kind, int Delta, int, int) override
    {
        Heard.push_back(std::to_string(Kind) + "/" + std::to_string(Delta));
        if (Kind == m_take)
            m_chart.MouseHandled = true;
    }
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton, TShiftState, int, int) override
    {
        Heard.push_back("mouse" + std::to_string(Kind));
        if (m_take == 100 + Kind)
            m_chart.MouseHandled = true;
    }
    std::vector<std::string> Heard;

private:
    TCustomAxisPanel& m_chart;
    int m_take;
};

void ReadAll(TPlotCustomToolAxis& Tool, const std::vector<std::uint8_t>& Data)
{
    TPropertyReader r(Data);
    while (!r.AtEnd()) {
        const std::string name = r.ReadPropName();
        Tool.PropertyTable().Read(Tool, name, r);
    }
}

}  // namespace

TEST(TPlotCustomTool, MovingToAnotherChartLeavesTheFirstList)
{
    TCustomAxisPanel a, b;
    TPlotCustomTool tool;
    tool.SetParentChart(&a);
    EXPECT_EQ(a.Tools().IndexOf(&tool), 0);
    tool.SetParentChart(&b);
    EXPECT_EQ(a.Tools().Count(), 0);
    EXPECT_EQ(b.Tools().IndexOf(&tool), 0);
    tool.SetParentChart(nullptr);
    EXPECT_EQ(b.Tools().Count(), 0);
}

TEST(TPlotCustomTool, FreedToolLeavesTheListAndClearFreesTools)
{
    TCustomAxisPanel chart;
    {
        TPlotCustomTool tool;
        tool.SetParentChart(&chart);
    }
    EXPECT_EQ(chart.Tools().Count(), 0);
    auto* owned = new TPlotCustomTool;
    owned->SetParentChart(&chart);
    chart.Tools().Clear();
    EXPECT_EQ(chart.Tools().Count(), 0);
}

TEST(TPlotCustomTool, EditorNamesAndEmptyTexts)
{
    TPlotCustomToolSeries s;
    TPlotCustomToolAxis a;
    EXPECT_EQ(s.EditorClassName(), "TSeriesToolEditor");
    EXPECT_EQ(a.EditorClassName(), "TAxisToolEditor");
    EXPECT_EQ(s.Description(), "");
    EXPECT_EQ(s.LongDescription(), "");
}

TEST(TPlotCustomToolSeries, WithoutASeriesTheOnlyUsedHorizontalAxisIsTheTopOne)
{
    TCustomAxisPanel chart;
    TChartSeries series;
    series.SetHorizAxis(aTopAxis);
    series.SetVertAxis(aRightAxis);
    chart.AddSeries(&series);
    TPlotCustomToolSeries tool;
    tool.SetParentChart(&chart);
    EXPECT_EQ(tool.GetHorizAxis(), chart.TopAxis());
    EXPECT_EQ(tool.GetVertAxis(), chart.RightAxis());
    series.SetActive(false);
    EXPECT_EQ(tool.GetHorizAxis(), chart.BottomAxis());
    EXPECT_EQ(tool.GetVertAxis(), chart.LeftAxis());
    chart.RemoveSeries(&series);
}

TEST(TPlotCustomToolSeries, FreedSeriesLeavesTheToolWithoutOne)
{
    TPlotCustomToolSeries tool;
    auto* series = new TChartSeries;
    tool.SetSeries(series);
    EXPECT_EQ(tool.Series(), series);
    delete series;
    EXPECT_EQ(tool.Series(), nullptr);
}

TEST(TPlotCustomToolAxis, AxisMovesTheToolToItsChart)
{
    TCustomAxisPanel a, b;
    TPlotCustomToolAxis tool;
    tool.SetParentChart(&a);
    tool.SetAxis(b.LeftAxis());
    EXPECT_EQ(a.Tools().Count(), 0);
    EXPECT_EQ(b.Tools().IndexOf(&tool), 0);
    tool.SetAxis(nullptr);
    EXPECT_EQ(b.Tools().Count(), 0);
}

TEST(TPlotCustomToolAxis, AxisIdIsTheIndexInTheChartsAxisList)
{
    TCustomAxisPanel chart;
    TPlotCustomToolAxis tool;
    tool.SetAxis(chart.RightAxis());
    TPropertyWriter w;
    tool.PropertyTable().Write(tool, w);
    TPlotCustomToolAxis copy;
    copy.SetParentChart(&chart);
    ReadAll(copy, w.Data());
    EXPECT_EQ(copy.Axis(), chart.RightAxis());
    EXPECT_EQ(chart.Axes().IndexOf(chart.RightAxis()), 3);
}

TEST(TPlotCustomToolAxis, AxisIdOfAnAxisTheChartLacksIsAReadError)
{
    TCustomAxisPanel chart;
    TPlotCustomToolAxis tool;
    tool.SetParentChart(&chart);
    TPropertyWriter w;
    w.WritePropName("AxisID");
    w.WriteInteger(chart.Axes().Count());
    EXPECT_THROW(ReadAll(tool, w.Data()), EReadError);
    EXPECT_EQ(tool.Axis(), nullptr);
    TPropertyWriter negative;
    negative.WritePropName("AxisID");
    negative.WriteInteger(-1);
    EXPECT_THROW(ReadAll(tool, negative.Data()), EReadError);
}

TEST(TPlotCustomToolAxis, FreedChartLeavesItsAxisToolsWithoutAxisAndFreesThem)
{
    auto* chart = new TCustomAxisPanel;
    QPointer<TPlotCustomToolAxis> tool = new TPlotCustomToolAxis;
    tool->SetAxis(chart->BottomAxis());
    ASSERT_EQ(chart->Tools().IndexOf(tool), 0);
    delete chart;
    EXPECT_TRUE(tool.isNull());
}

TEST(ChartToolsWheel, StepThenDownOrUpUntilATakesIt)
{
    TCustomAxisPanel chart;
    TWheelTool first(chart, -1), second(chart, twkUp);
    first.SetParentChart(&chart);
    second.SetParentChart(&chart);
    EXPECT_TRUE(chart.NotifyToolsWheel(120, 5, 6));
    EXPECT_EQ(first.Heard, (std::vector<std::string>{"1/120", "2/120"}));
    EXPECT_EQ(second.Heard, (std::vector<std::string>{"1/120", "2/120"}));
    first.Heard.clear();
    second.Heard.clear();
    EXPECT_FALSE(chart.NotifyToolsWheel(-120, 5, 6));
    EXPECT_EQ(first.Heard, (std::vector<std::string>{"1/-120", "0/-120"}));
}

TEST(ChartToolsWheel, HandledToolStopsTheRestAndAnInactiveOneHearsNothing)
{
    TCustomAxisPanel chart;
    TWheelTool idle(chart, -1), taker(chart, twkWheel), last(chart, -1);
    idle.SetParentChart(&chart);
    taker.SetParentChart(&chart);
    last.SetParentChart(&chart);
    idle.SetActive(false);
    EXPECT_TRUE(chart.MouseWheel(0, 120, 1, 1));
    EXPECT_TRUE(idle.Heard.empty());
    EXPECT_EQ(taker.Heard, (std::vector<std::string>{"1/120"}));
    EXPECT_TRUE(last.Heard.empty());
}

TEST(ChartToolsMouse, PressClearsTheHandledFlagAndTheTakerStopsTheRest)
{
    TCustomAxisPanel chart;
    TWheelTool taker(chart, 100 + tmkDown), other(chart, -1);
    taker.SetParentChart(&chart);
    other.SetParentChart(&chart);
    chart.MouseHandled = true;
    EXPECT_TRUE(chart.NotifyToolsMouse(tmkDown, mbLeft, 0, 3, 4));
    EXPECT_EQ(taker.Heard, (std::vector<std::string>{"mouse0"}));
    EXPECT_TRUE(other.Heard.empty());
    chart.MouseHandled = false;
    EXPECT_FALSE(chart.NotifyToolsMouse(tmkMove, mbLeft, 0, 3, 4));
    EXPECT_EQ(other.Heard, (std::vector<std::string>{"mouse1"}));
}

TEST(ChartToolsPhase, MouseLeavingThePanelSendsPhaseFive)
{
    struct TPhaseTool : TPlotCustomTool {
        std::vector<int> Phases;
        void ChartEvent(TToolDrawPhase Phase) override { Phases.push_back(Phase); }
    };
    TCustomAxisPanel chart;
    TPhaseTool tool;
    tool.SetParentChart(&chart);
    chart.MouseLeave();
    EXPECT_EQ(tool.Phases, (std::vector<int>{5}));
}
