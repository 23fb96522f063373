#include "chart/chart_title.h"

#include <gtest/gtest.h>

#include "chart/axis_items.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/legend_title.h"
#include "chart_test_support.h"
#include "support/stored_defaults.h"

namespace {

class TChartTitleLayout : public ::testing::Test, public ChartOnRecorder {};

}  // namespace

TEST(TChartTitleDefaults, TopAndFootTitles)
{
    TChartTitle title;
    EXPECT_TRUE(title.Transparent());
    EXPECT_TRUE(title.AdjustFrame());
    EXPECT_EQ(title.Alignment(), taCenter);
    EXPECT_EQ(title.VertMargin(), 5);
    EXPECT_EQ(title.Font()->Color(), clBlue);
    EXPECT_TRUE(title.OnTop());
    TChartFootTitle foot;
    EXPECT_FALSE(foot.OnTop());
    EXPECT_EQ(foot.Font()->Color(), clRed);
    EXPECT_EQ(foot.Font()->Style(), fsItalic);
}

TEST(TChartTitleDefaults, TheShapesAChartBuildsAreAtTheirStoredDefaults)
{
    TChart chart;
    std::vector<TPlotCustomShapeBrushPen*> shapes{chart.Title(),  chart.SubTitle(),         chart.Foot(),
                                                  chart.SubFoot(), chart.Legend(),          chart.Legend()->Title(),
                                                  &chart.Walls().Back(), &chart.Walls().Left(), &chart.Walls().Right(),
                                                  &chart.Walls().Bottom()};
    for (TStandardAxis side : {TStandardAxis::Left, TStandardAxis::Top, TStandardAxis::Right, TStandardAxis::Bottom}) {
        TChartAxis* axis = chart.StandardAxis(side);
        ASSERT_NE(axis, nullptr);
        shapes.push_back(axis->Title());
        shapes.push_back(&axis->Items().Format());
    }
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectFreshAtStoredDefaults(shapes[i]->PropertyTable(), *shapes[i]);
    }
}

TEST(TChartTitleDefaults, CaptionMakesOneLineOrNone)
{
    TChartTitle title;
    title.Text().Add("a");
    title.Text().Add("b");
    title.SetCaption("Histogram");
    ASSERT_EQ(title.Text().Count(), 1);
    EXPECT_EQ(title.Text()[0], "Histogram");
    title.SetCaption("");
    EXPECT_EQ(title.Text().Count(), 0);
}

TEST_F(TChartTitleLayout, CentredTopTitleTakesItsBand)
{
    chart.Title()->SetCaption("Histogram");
    const auto lines = DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); });
    // frame 1; band 20..35 inflated by the frame; total = 9*6 + 6 + 1 = 61 about centre 210
    EXPECT_EQ(chart.Title()->ShapeBounds, (TRect{180, 20, 240, 35}));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"TextOut(183,21,Histogram)"}));
    // title bottom 35 + VertMargin 5 + frame 1
    EXPECT_EQ(chart.ChartRect.Top, 41);
    EXPECT_EQ(chart.ChartHeight, 320 - 41);
}

TEST_F(TChartTitleLayout, TwoLineFootTitleShowsItsFirstLineLowest)
{
    chart.Foot()->Text().Add("ab");
    chart.Foot()->Text().Add("cdef");
    const auto lines = DrawWith({10, 20, 410, 320}, [&] { chart.Foot()->DrawTitle("foot"); });
    EXPECT_EQ(chart.Foot()->ShapeBounds, (TRect{195, 293, 225, 321}));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"TextOut(204,307,ab)", "TextOut(198,294,cdef)"}));
    EXPECT_EQ(chart.ChartRect.Bottom, 321 - 6 - 26);
}

TEST_F(TChartTitleLayout, WithoutAdjustFrameTheBoxSpansTheChartWidth)
{
    chart.Title()->SetCaption("T");
    chart.Title()->SetAdjustFrame(false);
    chart.Title()->SetAlignment(taLeftJustify);
    const auto lines = DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); });
    EXPECT_EQ(chart.Title()->ShapeBounds, (TRect{9, 20, 411, 35}));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"TextOut(12,21,T)"}));
}

TEST_F(TChartTitleLayout, VisibleTitleWithoutLinesDrawsNothing)
{
    const auto lines = DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); });
    EXPECT_TRUE(Texts(lines).empty());
    EXPECT_EQ(chart.ChartRect, (TRect{10, 20, 410, 320}));
}

TEST_F(TChartTitleLayout, CustomPositionKeepsTheChartRectangle)
{
    chart.Title()->SetCaption("Hi");
    chart.Title()->SetLeft(100);
    chart.Title()->SetTop(50);
    EXPECT_TRUE(chart.Title()->CustomPosition());
    const auto lines = DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); });
    // total = 12 + 6 + 1 = 19; right = 119, centre 109: 100..118
    EXPECT_EQ(chart.Title()->ShapeBounds, (TRect{100, 50, 118, 63}));
    EXPECT_EQ(Texts(lines), (std::vector<std::string>{"TextOut(103,51,Hi)"}));
    EXPECT_EQ(chart.ChartRect, (TRect{10, 20, 410, 320}));
}

TEST_F(TChartTitleLayout, ClickedHoldsEdges)
{
    chart.Title()->SetCaption("Histogram");
    DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); });
    EXPECT_TRUE(chart.Title()->Clicked(180, 20));
    EXPECT_TRUE(chart.Title()->Clicked(240, 35));
    EXPECT_FALSE(chart.Title()->Clicked(241, 35));
    chart.Title()->SetVisible(false);
    EXPECT_FALSE(chart.Title()->Clicked(200, 25));
}

TEST_F(TChartTitleLayout, HtmlTitlePlacesEveryLineOnItsOwnRow)
{
    chart.Title()->Text().Add("ab");
    chart.Title()->Text().Add("cdef");
    const auto plain = Texts(DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); }));
    ASSERT_EQ(plain, (std::vector<std::string>{"TextOut(204,21,ab)", "TextOut(198,34,cdef)"}));
    chart.Title()->SetTextFormat(ttfHtml);
    chart.Title()->Text().SetLines({"<i>ab</i>", "cd<i>ef</i>"});
    const auto html = Texts(DrawWith({10, 20, 410, 320}, [&] { chart.Title()->DrawTitle("title"); }));
    // each line starts where its plain text would, one text height below the line before
    EXPECT_EQ(html, (std::vector<std::string>{"TextOut(204,21,ab)", "TextOut(198,34,cd)", "TextOut(210,34,ef)"}));
}
