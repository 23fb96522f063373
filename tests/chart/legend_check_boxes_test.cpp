// Legend check boxes on a shown chart, clicked through the window system,
// with series whose functions keep lines of their own on the chart (they
// leave the chart's series list while their series is switched off).
#include <gtest/gtest.h>

#include <QPoint>

#include <string>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_legend.h"
#include "chart/legend_items.h"
#include "chart/series/line_series.h"
#include "chart/series/macd_function.h"
#include "chart/series/ohlc_series.h"
#include "chart/series_groups.h"
#include "support/shown_chart.h"

namespace {

class LegendCheckBoxes : public ShownChartTest {
protected:
    LegendCheckBoxes() : ShownChartTest({560, 380}, {0, 0, 540, 360})
    {
        chart->Legend()->SetVisible(true);
        chart->Legend()->SetCheckBoxes(true);
        prices = new TOHLCSeries(&form);
        prices->SetTitle("Prices");
        for (int i = 0; i < 40; ++i)
            prices->AddOHLC(i, 10 + i % 5, 14 + i % 3, 8 - i % 2, 11 + i % 4);
        chart->AddSeries(prices);
        // function series made and fed before they join the chart: their
        // lines go on the chart first, ahead of them
        for (const char* title : {"MACD one", "MACD two"}) {
            auto* s = new TLineSeries(&form);
            s->SetTitle(title);
            s->SetFunction(new TMACDFunction);
            s->SetDataSource(prices);
            chart->AddSeries(s);
            macds.push_back(s);
        }
        for (const char* title : {"X", "Y"}) {
            auto* s = new TLineSeries(&form);
            s->SetTitle(title);
            for (int i = 0; i < 10; ++i)
                s->AddXY(i, i * (title[0] == 'X' ? 2 : 3));
            chart->AddSeries(s);
            lines.push_back(s);
        }
        Show();
    }

    // The series the legend lists, in its order.
    std::vector<TChartSeries*> Listed() const
    {
        std::vector<TChartSeries*> listed;
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (chart->Series(i)->ShowInLegend())
                listed.push_back(chart->Series(i));
        return listed;
    }
    std::vector<std::string> ActiveTitles() const
    {
        std::vector<std::string> titles;
        for (TChartSeries* s : Listed())
            if (s->Active())
                titles.push_back(s->Title());
        return titles;
    }
    // A click on the check box of the legend line that lists Series, as drawn.
    void ClickCheckBoxOf(const TChartSeries* Series)
    {
        const std::vector<TChartSeries*> listed = Listed();
        int index = -1;
        for (std::size_t i = 0; i < listed.size(); ++i)
            if (listed[i] == Series)
                index = static_cast<int>(i);
        ASSERT_GE(index, 0);
        ClickCheckBoxAt(index);
    }
    // A click on the check box of legend line Index, as drawn.
    void ClickCheckBoxAt(int index)
    {
        Shot();
        TCustomChartLegend& legend = *chart->Legend();
        const TLegendItem* item = legend.Items().Existing(index);
        ASSERT_NE(item, nullptr);
        ClickAt(QPoint(legend.ShapeBounds.Left + 9, item->Top + legend.ItemHeight() / 2));
    }

    TOHLCSeries* prices = nullptr;
    std::vector<TChartSeries*> macds, lines;
};

}  // namespace

TEST_F(LegendCheckBoxes, ARadioClickLeavesExactlyTheChosenSeriesOn)
{
    ASSERT_LT(chart->SeriesIndexOf(&static_cast<TMACDFunction*>(macds[0]->FunctionType())->SignalSeries()),
              chart->SeriesIndexOf(macds[0]));
    chart->Legend()->SetLegendStyle(lsSeries);
    chart->Legend()->SetCheckBoxesStyle(cbsRadio);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"Prices"});

    ClickCheckBoxOf(lines[1]);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"Y"});
    ClickCheckBoxOf(macds[1]);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"MACD two"});
    ClickCheckBoxOf(lines[0]);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"X"});
    ClickCheckBoxOf(macds[0]);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"MACD one"});
    ClickCheckBoxOf(prices);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"Prices"});
    // the lines of a function series off the chart are off the chart
    for (TChartSeries* s : macds)
        EXPECT_LT(chart->SeriesIndexOf(&static_cast<TMACDFunction*>(s->FunctionType())->SignalSeries()), 0);
}

TEST_F(LegendCheckBoxes, SwitchingToRadioBoxesLeavesOnlyTheFirstActiveSeriesOn)
{
    // every series on, the first one of them a function series
    chart->RemoveSeries(prices);
    chart->Legend()->SetLegendStyle(lsSeries);
    EXPECT_EQ(ActiveTitles(), (std::vector<std::string>{"MACD one", "MACD two", "X", "Y"}));
    chart->Legend()->SetCheckBoxesStyle(cbsRadio);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"MACD one"});
    ClickCheckBoxOf(lines[1]);
    EXPECT_EQ(ActiveTitles(), std::vector<std::string>{"Y"});
}

TEST_F(LegendCheckBoxes, CheckClicksSwitchOneSeriesEach)
{
    chart->Legend()->SetLegendStyle(lsSeries);
    ClickCheckBoxOf(macds[0]);
    EXPECT_EQ(ActiveTitles(), (std::vector<std::string>{"Prices", "MACD two", "X", "Y"}));
    ClickCheckBoxOf(lines[0]);
    EXPECT_EQ(ActiveTitles(), (std::vector<std::string>{"Prices", "MACD two", "Y"}));
    ClickCheckBoxOf(macds[0]);
    EXPECT_EQ(ActiveTitles(), (std::vector<std::string>{"Prices", "MACD one", "MACD two", "Y"}));
}

// Groups that share series: the chosen group is on as a whole, every series
// of the others only is off.
TEST_F(LegendCheckBoxes, ARadioClickOnAGroupLeavesThatWholeGroupOn)
{
    TSeriesGroup& first = chart->SeriesGroups().Add();
    first.SetName("first");
    first.Series().Add(lines[0]);
    first.Series().Add(lines[1]);
    TSeriesGroup& second = chart->SeriesGroups().Add();
    second.SetName("second");
    second.Series().Add(lines[1]);
    second.Series().Add(prices);
    TSeriesGroup& third = chart->SeriesGroups().Add();
    third.SetName("third");
    third.Series().Add(macds[0]);
    chart->Legend()->SetLegendStyle(lsSeriesGroups);
    chart->Legend()->SetCheckBoxesStyle(cbsRadio);

    ClickCheckBoxAt(0);
    EXPECT_EQ(first.Active(), gaYes);
    EXPECT_EQ(third.Active(), gaNo);
    EXPECT_FALSE(prices->Active());
    ClickCheckBoxAt(1);
    EXPECT_EQ(second.Active(), gaYes);
    EXPECT_FALSE(lines[0]->Active());
    ClickCheckBoxAt(2);
    EXPECT_EQ(third.Active(), gaYes);
    EXPECT_EQ(first.Active(), gaNo);
    EXPECT_EQ(second.Active(), gaNo);
    ClickCheckBoxAt(0);
    EXPECT_EQ(first.Active(), gaYes);
    EXPECT_EQ(third.Active(), gaNo);
}
