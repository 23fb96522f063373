#include "chart/chart_legend.h"

#include <gtest/gtest.h>

#include <QObject>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "chart/chart_series.h"
#include "chart/legend_symbol.h"
#include "chart/plot_shadow.h"
#include "chart_test_support.h"
#include "support/recording_canvas.h"

namespace {

class TChartLegendTest : public ::testing::Test, public ChartOnRecorder {
protected:
    TChartSeries* AddSeries(const std::string& title)
    {
        auto* s = new TChartSeries(&form);
        s->SetTitle(title);
        chart.AddSeries(s);
        return s;
    }
    std::vector<std::string> DrawLegend(const TRect& r)
    {
        return DrawWith(r, [&] { chart.Legend()->DrawLegend(); });
    }
    QObject form;
};

}  // namespace

TEST(SplitLegendColumnsTest, AtMostTwoColumns)
{
    const char sep = LegendColumnSeparator;
    EXPECT_EQ(SplitLegendColumns("abc"), (std::array<std::string, 2>{"abc", ""}));
    EXPECT_EQ(SplitLegendColumns(std::string("a") + sep + "b"), (std::array<std::string, 2>{"a", "b"}));
    EXPECT_EQ(SplitLegendColumns(std::string("a") + sep + "b" + sep + "c"), (std::array<std::string, 2>{"a", "b"}));
}

TEST_F(TChartLegendTest, Defaults)
{
    TCustomChartLegend& l = *chart.Legend();
    EXPECT_EQ(l.Alignment(), laRight);
    EXPECT_EQ(l.LegendStyle(), lsAuto);
    EXPECT_EQ(l.MaxNumRows(), 10);
    EXPECT_EQ(l.TextStyle(), ltsLeftValue);
    EXPECT_EQ(l.TopPos(), 10);
    EXPECT_TRUE(l.ResizeChart());
    EXPECT_TRUE(l.CurrentPage());
    EXPECT_EQ(l.PositionUnits(), muPixels);
    EXPECT_EQ(l.Color(), clWhite);
    EXPECT_EQ(l.ColorWidth(), 20);
    EXPECT_FALSE(l.DividingLines()->Visible());
}

TEST(TLegendSymbolDefaults, ShadowOfSizeThreeInTheShadowsOwnColour)
{
    const TLegendSymbol symbol([] {}, [] { return 0; });
    EXPECT_EQ(symbol.Shadow()->HorizSize(), 3);
    EXPECT_EQ(symbol.Shadow()->VertSize(), 3);
    EXPECT_EQ(symbol.Shadow()->Color(), clSilver);
    EXPECT_EQ(symbol.Shadow()->DefaultColor(), clSilver);
    EXPECT_EQ(symbol.Width(), 20);
    EXPECT_EQ(symbol.WidthUnits(), lcsPercent);
}

TEST_F(TChartLegendTest, StyleResolvesToValuesForOneSeriesAndSeriesForTwo)
{
    TCustomChartLegend& l = *chart.Legend();
    TChartSeries* a = AddSeries("Alpha");
    a->AddXY(0, 1);
    a->AddXY(1, 2);
    a->AddXY(2, 3);
    EXPECT_EQ(l.ResolvedStyle(), lsValues);
    EXPECT_EQ(l.LegendSeries(), a);
    EXPECT_EQ(l.ItemCount(lsValues), 3);
    l.SetCheckBoxes(true);
    EXPECT_EQ(l.ResolvedStyle(), lsSeries);
    l.SetCheckBoxes(false);
    AddSeries("Beta");
    EXPECT_EQ(l.ResolvedStyle(), lsSeries);
    EXPECT_EQ(l.ItemCount(lsSeries), 2);
    EXPECT_EQ(l.ItemText(lsSeries, 1), "Beta");
    l.SetFirstValue(1);
    EXPECT_EQ(l.ItemCount(lsSeries), 1);
    l.SetFirstValue(5);
    EXPECT_EQ(l.ItemCount(lsSeries), 0);
}

TEST_F(TChartLegendTest, LegendSeriesListsItsValuesUntilItLeavesOrIsFreed)
{
    TCustomChartLegend& l = *chart.Legend();
    TChartSeries* a = AddSeries("Alpha");
    a->AddXY(0, 1);
    TChartSeries* b = AddSeries("Beta");
    for (int i = 0; i < 4; ++i)
        b->AddXY(i, i);
    l.SetLegendStyle(lsValues);
    EXPECT_EQ(l.LegendSeries(), a);
    EXPECT_EQ(l.ItemCount(lsValues), 1);
    l.SetSeries(b);
    EXPECT_EQ(l.LegendSeries(), b);
    EXPECT_EQ(l.ItemCount(lsValues), 4);
    // taken off the chart: the chart's first shown series again
    chart.RemoveSeries(b);
    EXPECT_EQ(l.LegendSeries(), a);
    chart.AddSeries(b);
    EXPECT_EQ(l.LegendSeries(), b);
    // freed: the reference is dropped, never read
    chart.RemoveSeries(b);
    delete b;
    EXPECT_EQ(l.Series(), nullptr);
    EXPECT_EQ(l.LegendSeries(), a);
    EXPECT_EQ(l.ItemCount(lsValues), 1);
}

TEST_F(TChartLegendTest, NegativeFirstValueRaisesAndIsNotStored)
{
    TCustomChartLegend& l = *chart.Legend();
    l.SetFirstValue(0);
    try {
        l.SetFirstValue(-1);
        FAIL() << "no exception";
    } catch (const LegendException& e) {
        EXPECT_STREQ(e.what(), "First Legend Value must be > 0");
    }
    EXPECT_EQ(l.FirstValue(), 0);
}

// Two series "Alpha" (30 px) and "Beta" (24 px): text width 30 + 6 - 1 = 35,
// symbol 20 % of it = 7, item height 13, inner margin round(1.3) = 1; the
// symbol shadow (3 px) and the legend's shadow (3 px) are visible. The
// symbol's shadow is blurred: it takes 3 + 3 + 1 = 7 pixels past the symbol.
TEST_F(TChartLegendTest, RightLegendLayoutAndGap)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    const auto lines = DrawLegend({10, 20, 410, 320});
    const TCustomChartLegend& l = *chart.Legend();
    EXPECT_EQ(l.ItemHeight(), 13);
    EXPECT_EQ(l.TextWidthTotal(), 35);
    EXPECT_EQ(l.SymbolWidth(), 7);
    EXPECT_EQ(l.Rows(), 2);
    EXPECT_EQ(l.LastValue(), 1);
    // top 10 % of 600; height 13 * 2 + 2 + 2 + (7 - 13 / 6); right 410 - 3 - 2, width 35 + 12 + 7 + 7
    EXPECT_EQ(l.ShapeBounds, (TRect{344, 60, 405, 95}));
    EXPECT_EQ(l.SymbolX(), 350);
    EXPECT_EQ(l.TextX(), 368);
    EXPECT_EQ(ChartOnRecorder::Texts(lines),
              (std::vector<std::string>{"TextOut(366,62,Alpha)", "TextOut(366,75,Beta)"}));
    // legend left 344 less 3 % of the chart width 400
    EXPECT_EQ(chart.ChartRect.Right, 332);
}

TEST_F(TChartLegendTest, HorizMarginReplacesThePercentGap)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    chart.Legend()->SetHorizMargin(5);
    DrawLegend({10, 20, 410, 320});
    EXPECT_EQ(chart.ChartRect.Right, 339);
}

TEST_F(TChartLegendTest, ItemsRecordTheirPlaces)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    DrawLegend({10, 20, 410, 320});
    TLegendItems& items = chart.Legend()->Items();
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.Item(0)->Left, 366);
    EXPECT_EQ(items.Item(1)->Top, 75);
    EXPECT_EQ(items.Item(0)->SymbolRect, (TRect{350, 64, 357, 73}));
}

TEST_F(TChartLegendTest, ItemAtPointOfVerticalLegend)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    DrawLegend({10, 20, 410, 320});
    const TCustomChartLegend& l = *chart.Legend();
    EXPECT_EQ(l.Clicked(370, 63), 0);
    EXPECT_EQ(l.Clicked(370, 80), 1);
    // inside the box below the last row
    EXPECT_EQ(l.Clicked(370, 89), -1);
    EXPECT_EQ(l.Clicked(300, 63), -1);
}

TEST_F(TChartLegendTest, BottomLegendInColumns)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    chart.Legend()->SetAlignment(laBottom);
    const auto lines = DrawLegend({10, 20, 410, 320});
    const TCustomChartLegend& l = *chart.Legend();
    EXPECT_EQ(l.Columns(), 2);
    EXPECT_EQ(l.Rows(), 1);
    // bottom 320 - (1 + 1 + 3), height 13 + 2 + 2 + 5; width (35 + 7) * 2 + 8 + 6 + 4 + 4 = 106,
    // left 210 - 53 + round(10 % of (800 - 106)); texts 6 + 7 + 4 + 7 - 2 past the column
    EXPECT_EQ(l.ShapeBounds, (TRect{226, 293, 332, 315}));
    EXPECT_EQ(ChartOnRecorder::Texts(lines),
              (std::vector<std::string>{"TextOut(248,295,Alpha)", "TextOut(298,295,Beta)"}));
    // legend top less 4 % of the chart height 300
    EXPECT_EQ(chart.ChartRect.Bottom, 281);
    EXPECT_EQ(l.Clicked(230, 300), 0);
    EXPECT_EQ(l.Clicked(290, 300), 1);
}

TEST_F(TChartLegendTest, ExtraSpaceHookSetsTheRoomBelowABottomLegend)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    chart.Legend()->SetAlignment(laBottom);
    int given = -1;
    chart.Legend()->OnExtraSpace = [&](TCustomChartLegend&, int& Extra) {
        given = Extra;
        Extra += 10;
    };
    DrawLegend({10, 20, 410, 320});
    const TCustomChartLegend& l = *chart.Legend();
    // the hook sees frame 1 + 1 + shadow 3 and adds 10: bottom 320 - 15, height 22
    EXPECT_EQ(given, 5);
    EXPECT_EQ(l.ShapeBounds.Bottom, 305);
    EXPECT_EQ(l.ShapeBounds.Top, 283);
    // the room taken below is not room at the right: clicks reach the last column
    EXPECT_EQ(l.Clicked(290, 290), 1);
}

TEST_F(TChartLegendTest, HtmlLegendTitleLinesFallWherePlainLinesDo)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    TLegendTitle& title = *chart.Legend()->Title();
    title.Text().SetLines({"ab", "cdef"});
    const auto plain = ChartOnRecorder::Texts(DrawLegend({10, 20, 410, 320}));
    title.SetTextFormat(ttfHtml);
    title.Text().SetLines({"<b>ab</b>", "cd<i>ef</i>"});
    const auto html = ChartOnRecorder::Texts(DrawLegend({10, 20, 410, 320}));
    ASSERT_GE(plain.size(), 2u);
    ASSERT_GE(html.size(), 3u);
    // the second line one text height below the first, as in plain text
    EXPECT_EQ(html[0], plain[0]);
    const std::string second = plain[1].substr(0, plain[1].size() - 5) + "cd)";
    EXPECT_EQ(html[1], second);
}

TEST_F(TChartLegendTest, NothingFitsNothingDrawnAndNoItemFound)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    chart.Legend()->SetAlignment(laBottom);
    chart.Legend()->ShapeBounds = TRect{0, 0, 100, 100};
    const auto lines = DrawLegend({10, 20, 30, 320});
    const TCustomChartLegend& l = *chart.Legend();
    EXPECT_EQ(l.Columns(), 0);
    EXPECT_EQ(l.Rows(), 0);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(chart.ChartRect, (TRect{10, 20, 30, 320}));
    EXPECT_EQ(l.Clicked(50, 50), -1);
}

TEST_F(TChartLegendTest, CheckBoxClicksToggleSeriesAndIgnoreBadIndexes)
{
    TChartSeries* a = AddSeries("Alpha");
    TChartSeries* b = AddSeries("Beta");
    TCustomChartLegend& l = *chart.Legend();
    EXPECT_FALSE(l.DoMouseDown(0));
    l.SetCheckBoxes(true);
    EXPECT_TRUE(l.DoMouseDown(1));
    EXPECT_FALSE(b->Active());
    EXPECT_TRUE(l.DoMouseDown(1));
    EXPECT_TRUE(b->Active());
    EXPECT_FALSE(l.DoMouseDown(-1));
    l.DoMouseDown(7);
    EXPECT_TRUE(a->Active());
    EXPECT_TRUE(b->Active());
    l.SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(a->Active());
    EXPECT_FALSE(b->Active());
    l.DoMouseDown(1);
    EXPECT_FALSE(a->Active());
    EXPECT_TRUE(b->Active());
}

TEST_F(TChartLegendTest, CheckBoxesWidenTheItems)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    chart.Legend()->SetCheckBoxes(true);
    DrawLegend({10, 20, 410, 320});
    const TCustomChartLegend& l = *chart.Legend();
    EXPECT_EQ(l.ItemHeight(), 17);
    // width 61 and 15 more to the left; items start 15 in
    EXPECT_EQ(l.ShapeBounds.Left, 405 - 61 - 15);
    EXPECT_EQ(l.SymbolX(), 329 + 15 + 6);
}

class TLegendSymbolDraw : public CanvasOnRecorderTest {};

TEST_F(TLegendSymbolDraw, TheShadowLeavesTheFramePenAlone)
{
    TLegendSymbol symbol([] {}, [] { return 0; });
    canvas.Pen()->SetColor(clRed);
    canvas.Pen()->SetStyle(psSolid);
    symbol.DrawSymbol(canvas, TRect{10, 10, 30, 20}, clBlue);
    const auto rects = device.CallsNamed("Rectangle");
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(rects.back().ToString(), "Rectangle(10,10,30,20)");
    EXPECT_EQ(rects.back().pen, "solid 1 0x0000FF");
    EXPECT_EQ(rects.back().brush, "solid 0xFF0000");
}

namespace {

// The area a symbol's shadow paints on the screen: the symbol offset by the
// shadow's sizes, and, blurred, grown by the sizes again and one pixel more
// (the blurred bitmap's extra column and row).
TRect PaintedShadow(const TRect& S, const TPlotShadow& Shadow)
{
    const int h = Shadow.HorizSize();
    const int v = Shadow.VertSize();
    if (!Shadow.Smooth())
        return TRect{S.Left + std::min(0, h), S.Top + std::min(0, v), S.Right + std::max(0, h),
                     S.Bottom + std::max(0, v)};
    return TRect{S.Left + h - std::abs(h), S.Top + v - std::abs(v), S.Right + h + std::abs(h) + 1,
                 S.Bottom + v + std::abs(v) + 1};
}

bool Overlap(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Inside(const TRect& a, const TRect& b)
{
    return a.Left >= b.Left && a.Top >= b.Top && a.Right <= b.Right && a.Bottom <= b.Bottom;
}

std::string RectText(const TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
           std::to_string(r.Bottom);
}

}  // namespace

TEST_F(TChartLegendTest, TextsKeepClearOfTheSymbolsAndTheirShadows)
{
    AddSeries("Alpha");
    AddSeries("Beta");
    TLegendSymbol& symbol = *chart.Legend()->Symbol();
    for (const bool smooth : {true, false})
        for (const int size : {3, 5, 8}) {
            const std::string what = (smooth ? "blurred " : "flat ") + std::to_string(size);
            symbol.Shadow()->SetSmooth(smooth);
            symbol.Shadow()->SetSize(size);
            symbol.SetWidthUnits(lcsPixels);
            symbol.SetWidth(16);
            DrawLegend({10, 20, 410, 320});
            const TCustomChartLegend& l = *chart.Legend();
            const TRect& b = l.ShapeBounds;
            const TRect inner{b.Left + 1, b.Top + 1, b.Right - 1, b.Bottom - 1};
            // the symbols as drawn, their shadows, and the texts' boxes
            std::vector<TRect> symbols;
            std::vector<TRect> texts;
            for (const platform::RecordedCall& c : device.Calls()) {
                if (c.name != "Rectangle" && c.name != "TextOut")
                    continue;
                const int x = std::stoi(c.args[0]);
                const int y = std::stoi(c.args[1]);
                if (c.name == "TextOut")
                    texts.push_back(TRect{x, y, x + chart.Canvas()->TextWidth(c.args[2]),
                                          y + chart.Canvas()->TextHeight(c.args[2])});
                else if (std::stoi(c.args[2]) - x == 16)
                    symbols.push_back(TRect{x, y, std::stoi(c.args[2]), std::stoi(c.args[3])});
            }
            ASSERT_EQ(symbols.size(), 2u) << what;
            ASSERT_EQ(texts.size(), 2u) << what;
            for (const TRect& s : symbols) {
                const TRect shadow = PaintedShadow(s, *symbol.Shadow());
                EXPECT_TRUE(Inside(shadow, inner)) << what << ": shadow " << RectText(shadow) << " frame "
                                                   << RectText(b);
                for (const TRect& t : texts) {
                    EXPECT_FALSE(Overlap(t, s)) << what << ": text " << RectText(t) << " symbol " << RectText(s);
                    EXPECT_FALSE(Overlap(t, shadow))
                        << what << ": text " << RectText(t) << " shadow " << RectText(shadow);
                }
            }
            for (const TRect& t : texts)
                EXPECT_TRUE(Inside(t, inner)) << what << ": text " << RectText(t) << " frame " << RectText(b);
        }
}
