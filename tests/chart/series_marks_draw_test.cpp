#include "chart/series_marks.h"

#include <gtest/gtest.h>

#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "support/recording_canvas.h"
#include "support/test_series.h"

namespace {

class TMarksDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        chart.SetBufferedDisplay(false);
        chart.SetView3D(false);
        chart.Canvas()->SetBufferedDisplay(false);
        for (double v : {1.0, 2.0, 3.0, 4.0, 5.0})
            series.Add(v);
        series.Marks().SetVisible(true);
        series.Marks().SetStyle(smsValue);
        chart.AddSeries(&series);
    }
    void TearDown() override { chart.RemoveSeries(&series); }
    Lines Draw()
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, 400, 300});
        return device.Lines();
    }
    Lines Texts()
    {
        Lines out;
        for (const std::string& line : Draw())
            if (line.rfind("TextOut(", 0) == 0)
                out.push_back(line);
        return out;
    }
    bool HasPosition(int i) const { return series.Marks().Position(i) != nullptr; }

    platform::RecordingDevice device{400, 300};
    TCustomAxisPanel chart;
    TTestBarSeries series;
};

}  // namespace

TEST_F(TMarksDraw, DrawEveryTwoSkipsOddPointsAndNullPointsHaveNoMark)
{
    series.Marks().SetDrawEvery(2);
    series.SetValueColor(2, clNone);
    Draw();
    EXPECT_TRUE(HasPosition(0));
    EXPECT_FALSE(HasPosition(1));
    EXPECT_FALSE(HasPosition(2));
    EXPECT_FALSE(HasPosition(3));
    EXPECT_TRUE(HasPosition(4));
}

TEST_F(TMarksDraw, DrawEveryBelowOneActsAsOneWhenDrawingAndClicking)
{
    series.Marks().SetDrawEvery(0);
    Draw();
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(HasPosition(i)) << i;
    const TSeriesMarkPosition& p = *series.Marks().Position(3);
    EXPECT_EQ(series.Marks().Clicked(p.LeftTop.X + 1, p.LeftTop.Y + 1), 3);
    series.Marks().SetDrawEvery(-4);
    EXPECT_EQ(series.Marks().Clicked(p.LeftTop.X + 1, p.LeftTop.Y + 1), 3);
}

TEST_F(TMarksDraw, BoxIsTheTextPlusMarginsPlusOneAboveThePoint)
{
    Draw();
    // recording metrics for the marks' 8-point font (height -11): em 11, "W" 11 + 11 / 4 = 13
    // high, 6 wide per character; margins 20 x 0.02 x 13 = 5.2 -> 5 and 5 x 0.02 x 13 = 1.3 -> 1
    const TSeriesMarkPosition& p = *series.Marks().Position(2);
    // text "3": 6 + 5 + 5, 13 + 1 + 1; a visible 1-pixel frame adds width - 1 = 0
    EXPECT_EQ(p.Width, 16);
    EXPECT_EQ(p.Height, 15);
    series.Marks().Frame()->SetVisible(false);
    Draw();
    const TSeriesMarkPosition& q = *series.Marks().Position(2);
    EXPECT_EQ(q.Width, 17);
    EXPECT_EQ(q.Height, 16);
    const int x = series.CalcXPos(2);
    const int y = series.CalcYPos(2);
    EXPECT_EQ(p.ArrowTo, (TPoint2{x, y}));
    EXPECT_EQ(p.LeftTop, (TPoint2{x - p.Width / 2, y - p.Height + 1}));
    EXPECT_FALSE(p.Custom);
}

TEST_F(TMarksDraw, VisibleSymbolWidensTheBoxByTheTextHeightLessFour)
{
    series.Marks().Symbol()->SetVisible(true);
    Draw();
    // 16 as without the symbol, plus 13 - 4
    EXPECT_EQ(series.Marks().Position(2)->Width, 25);
    EXPECT_EQ(series.Marks().Symbol()->Color(), series.GetValueColor(4));
}

TEST_F(TMarksDraw, TwoLineTextDrawsTheSecondLineOneLineHeightLower)
{
    series.Marks().SetStyle(smsLabel);
    series.Labels().SetLabel(0, std::string("ab") + '\r' + "cd");
    const Lines texts = Texts();
    const auto first = std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find(",ab)") != std::string::npos; });
    const auto second = std::find_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find(",cd)") != std::string::npos; });
    ASSERT_NE(first, texts.end());
    ASSERT_NE(second, texts.end());
    int x1, y1, x2, y2;
    std::sscanf(first->c_str(), "TextOut(%d,%d", &x1, &y1);
    std::sscanf(second->c_str(), "TextOut(%d,%d", &x2, &y2);
    EXPECT_EQ(x1, x2);
    EXPECT_EQ(y2 - y1, 13);  // the height of "W" in the marks' font
}

TEST_F(TMarksDraw, CustomPositionSurvivesARedrawOthersAreReplaced)
{
    Draw();
    TSeriesMarkPosition* moved = series.Marks().Position(1);
    moved->Custom = true;
    moved->LeftTop = {7, 9};
    series.Marks().Position(2)->LeftTop = {1, 1};
    Draw();
    EXPECT_EQ(series.Marks().Position(1)->LeftTop, (TPoint2{7, 9}));
    EXPECT_NE(series.Marks().Position(2)->LeftTop, (TPoint2{1, 1}));
}

TEST_F(TMarksDraw, MarksAreClippedOnlyWhenAsked)
{
    chart.SetClipPoints(false);
    const auto clips = [](const Lines& log) {
        return std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.rfind("ExtSelectClipRgn", 0) == 0; });
    };
    EXPECT_EQ(clips(Draw()), 0);
    series.Marks().SetClip(true);
    EXPECT_EQ(clips(Draw()), 1);
}

TEST(TSeriesMarksOverlap, OverlappingMarkMovesUpByTheOverlap)
{
    TChartSeries series;
    TSeriesMarks& marks = series.Marks();
    marks.Frame()->SetVisible(false);
    marks.Shadow()->SetVisible(false);
    TSeriesMarkPosition first;
    first.LeftTop = {10, 50};
    first.Width = 30;
    first.Height = 20;
    marks.MarkPosition(0, first);
    TSeriesMarkPosition second;
    second.LeftTop = {20, 40};
    second.Width = 30;
    second.Height = 20;
    second.ArrowTo = {35, 60};
    // second spans 40..60, first starts at 50 below it: up by 60 - 50
    marks.AntiOverlap(0, 1, second);
    EXPECT_EQ(second.LeftTop.Y, 30);
    EXPECT_EQ(second.ArrowTo.Y, 50);
    TSeriesMarkPosition third;
    third.LeftTop = {15, 60};
    third.Width = 10;
    third.Height = 20;
    // third spans 60..80 over the first (50..70): down by 70 - 60
    marks.AntiOverlap(0, 1, third);
    EXPECT_EQ(third.LeftTop.Y, 70);
    TSeriesMarkPosition apart;
    apart.LeftTop = {100, 50};
    apart.Width = 5;
    apart.Height = 5;
    marks.AntiOverlap(0, 1, apart);
    EXPECT_EQ(apart.LeftTop.Y, 50);
}

TEST(TSeriesMarksOverlap, TwoOverlappingMarksClickTheHigherIndex)
{
    TChartSeries series;
    TSeriesMarks& marks = series.Marks();
    for (int i = 0; i < 2; ++i) {
        TSeriesMarkPosition p;
        p.LeftTop = {10 + i * 5, 10};
        p.Width = 20;
        p.Height = 10;
        marks.MarkPosition(i, p);
    }
    EXPECT_EQ(marks.Clicked(17, 15), 1);
    EXPECT_EQ(marks.Clicked(11, 15), 0);
    EXPECT_EQ(marks.Clicked(100, 15), -1);
}

TEST(TSeriesMarksOverlap, FrameAndShadowGrowTheBoxesThatMayOverlap)
{
    TChartSeries series;
    TSeriesMarks& marks = series.Marks();
    marks.Frame()->SetVisible(false);
    marks.Shadow()->SetVisible(true);
    marks.Shadow()->SetSize(3);
    TSeriesMarkPosition first;
    first.LeftTop = {10, 50};
    first.Width = 30;
    first.Height = 20;
    marks.MarkPosition(0, first);
    TSeriesMarkPosition above;
    above.LeftTop = {10, 29};
    above.Width = 30;
    above.Height = 20;
    // 29..49 grown by the shadow to 52 reaches the first (50..73): up by 52 - 50
    marks.AntiOverlap(0, 1, above);
    EXPECT_EQ(above.LeftTop.Y, 27);
}

TEST_F(TMarksDraw, HtmlMarkIsMeasuredByItsHtmlExtent)
{
    series.Marks().SetStyle(smsLabel);
    series.Labels().SetLabel(2, "<b>ab</b>");
    series.Marks().SetTextFormat(ttfHtml);
    // the bottom axis would show the label's source text under the bar
    chart.BottomAxis()->SetLabelStyle(talValue);
    const Lines texts = Texts();
    // "ab" as text: 2 x 6 + margins 5 + 5; one line 13 + 1 + 1 (the tags take no room)
    EXPECT_EQ(series.Marks().Position(2)->Width, 22);
    EXPECT_EQ(series.Marks().Position(2)->Height, 15);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find(",ab)") != std::string::npos; }), 1);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.find("<b>") != std::string::npos; }), 0);
}

TEST_F(TMarksDraw, MarkBoxIn3DFollowsTheViewsTextZoom)
{
    // reference: the box of a 16-point font in 2D
    series.Marks().Font()->SetSize(16);
    Draw();
    const int width16 = series.Marks().Position(2)->Width;
    const int height16 = series.Marks().Position(2)->Height;
    series.Marks().Font()->SetSize(8);
    Draw();
    const int width8 = series.Marks().Position(2)->Width;
    ASSERT_NE(width8, width16);

    chart.SetView3D(true);
    chart.View3DOptions()->SetZoom(200);
    Draw();
    EXPECT_EQ(series.Marks().Position(2)->Width, width16);
    EXPECT_EQ(series.Marks().Position(2)->Height, height16);
    chart.View3DOptions()->SetZoomText(false);
    Draw();
    EXPECT_EQ(series.Marks().Position(2)->Width, width8);
}

TEST(TSeriesMarksClick, RotatedMarkIsHitInsideItsTurnedBox)
{
    TChartSeries series;
    TSeriesMarks& marks = series.Marks();
    TSeriesMarkPosition p;
    p.LeftTop = {10, 10};
    p.Width = 40;
    p.Height = 10;
    marks.MarkPosition(0, p);
    // unturned: 10..50 x 10..20
    EXPECT_EQ(marks.Clicked(45, 15), 0);
    EXPECT_EQ(marks.Clicked(30, 30), -1);
    // a quarter turn about the centre (30, 15) spans 25..35 x -5..35
    marks.SetAngle(90);
    EXPECT_EQ(marks.Clicked(45, 15), -1);
    EXPECT_EQ(marks.Clicked(30, 30), 0);
    EXPECT_EQ(marks.Clicked(30, 0), 0);
    EXPECT_EQ(marks.Clicked(38, 30), -1);
    // a full turn and more is taken modulo 360
    marks.SetAngle(450);
    EXPECT_EQ(marks.Clicked(30, 30), 0);
}

TEST_F(TMarksDraw, MaxMarkWidthIsTheWidestVisibleMarkTextOverTheActiveSeries)
{
    series.Marks().SetStyle(smsLabel);
    const char* labels[] = {"a", "bbbb", "cc", "dddddddd", "e"};
    for (int i = 0; i < 5; ++i)
        series.Labels().SetLabel(i, labels[i]);
    Draw();
    TCanvas3D& canvas = *chart.Canvas();
    canvas.AssignFont(series.Marks().Font());
    const int widest = canvas.TextWidth("dddddddd");
    const int next = canvas.TextWidth("bbbb");
    ASSERT_GT(widest, next);
    EXPECT_EQ(series.MaxMarkWidth(), widest);
    EXPECT_EQ(chart.MaxMarkWidth(), widest);
    // a hidden mark item does not count
    series.Marks().Item(3).SetVisible(false);
    EXPECT_EQ(series.MaxMarkWidth(), next);
    // an inactive series does not count for the chart
    series.SetActive(false);
    EXPECT_EQ(chart.MaxMarkWidth(), 0);
    series.SetActive(true);
    series.Marks().SetVisible(false);
    series.Marks().ClearItems();
    EXPECT_EQ(chart.MaxMarkWidth(), 0);
}
