// Legend symbols stand against the legend's colour: a hatched symbol's gaps
// show it, and a symbol in that very colour gets its outline drawn again.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <QWidget>

#include "chart/chart.h"
#include "chart/chart_legend.h"
#include "chart/chart_walls.h"
#include "chart/legend_items.h"
#include "chart/legend_symbol.h"
#include "chart/series/bar_series.h"
#include "support/shown_chart.h"

namespace {

class LegendSymbolBack : public ShownChartTest {
protected:
    LegendSymbolBack() : ShownChartTest({500, 400}, {0, 0, 500, 400})
    {
        chart->SetColor(clWhite);
        // the back wall in a colour of its own, unlike the legend's
        chart->Walls().Back().SetTransparent(false);
        chart->Walls().Back().SetColor(clSilver);
        chart->Walls().Back().Gradient()->SetVisible(false);
        // symbols drawn by the series' own rectangle, not the legend's framed one
        chart->Legend()->Symbol()->Pen()->SetVisible(false);
        chart->Legend()->Symbol()->SetWidthUnits(lcsPixels);
        chart->Legend()->Symbol()->SetWidth(24);
        Show();
    }
    TBarSeries* AddBars(TColor Colour)
    {
        auto* s = new TBarSeries(&form);
        s->SetSeriesColor(Colour);
        s->Marks().SetVisible(false);
        s->AddXY(0, 3);
        s->AddXY(1, 5);
        chart->AddSeries(s);
        return s;
    }
    static int Count(const QImage& I, const TRect& R, TColor C)
    {
        int n = 0;
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x)
                n += (I.pixel(x, y) & 0xFFFFFF) == Rgb(C);
        return n;
    }
    const TRect& Symbol(int i) const { return chart->Legend()->Items().Existing(i)->SymbolRect; }
};

}  // namespace

// A hatched bar symbol shows what its bars show between their lines: the bar
// brush's colour, else the chart's colour, never the legend's.
TEST_F(LegendSymbolBack, HatchedBarSymbolsShowTheBarsBackColourBetweenTheirLines)
{
    const TColor legend = 0x80FFFF;  // light yellow
    const TColor back = 0xE0FFE0;    // light green
    chart->Legend()->SetColor(legend);
    chart->SetColor(back);
    TBarSeries* s = AddBars(clRed);
    s->BarBrush().SetStyle(bsBDiagonal);
    const auto inner = [&] {
        const TRect r = Symbol(0);
        return TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    };
    const auto bar = [&] {
        s->CalcBarBounds(1);
        const TRect b = s->BarBounds();
        return TRect{b.Left + 2, b.Top + 2, b.Right - 2, b.Bottom - 2};
    };
    QImage image = Shot();
    ASSERT_NE(chart->Legend()->Items().Existing(0), nullptr);
    ASSERT_GT(Symbol(0).Right - Symbol(0).Left, 4);
    EXPECT_GT(Count(image, inner(), clRed), 0);
    EXPECT_GT(Count(image, inner(), back), 0);
    EXPECT_EQ(Count(image, inner(), legend), 0);
    EXPECT_EQ(Count(image, inner(), clSilver), 0);
    EXPECT_GT(Count(image, bar(), back), 0);

    // a brush colour of its own stands behind bars and symbol alike
    s->BarBrush().SetColor(clBlue);
    image = Shot();
    EXPECT_GT(Count(image, inner(), clBlue), 0);
    EXPECT_EQ(Count(image, inner(), legend), 0);
    EXPECT_EQ(Count(image, inner(), back), 0);
    EXPECT_GT(Count(image, bar(), clBlue), 0);
}

TEST_F(LegendSymbolBack, ASymbolInTheLegendsColourIsOutlined)
{
    chart->Legend()->SetColor(clBlack);
    chart->Legend()->Font()->SetColor(clWhite);
    AddBars(clBlack);
    const QImage image = Shot();
    ASSERT_NE(chart->Legend()->Items().Existing(0), nullptr);
    const TRect r = Symbol(0);
    // the black symbol on the black legend shows a white frame
    const TRect top{r.Left + 1, r.Top, r.Right - 1, r.Top + 1};
    const TRect left{r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1};
    EXPECT_EQ(Count(image, top, clWhite), top.Right - top.Left);
    EXPECT_EQ(Count(image, left, clWhite), left.Bottom - left.Top);
}
