// What a series and the functions fed by it hear when one of its value
// lists changes as a whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/chart_series.h"
#include "chart/chart_value_list.h"
#include "chart/series/moving_average_function.h"
#include "chart/series/ohlc_series.h"

namespace {

std::vector<double> Values(const TChartValueList& List)
{
    return std::vector<double>(List.Data(), List.Data() + List.Count());
}

TEST(ValueListNotices, FillSequenceOfASourceRecalculatesTheFunctionFedByIt)
{
    TChartSeries source;
    for (double x : {10.0, 20.0, 40.0})
        source.AddXY(x, x / 10);
    TChartSeries series;
    auto* average = new TMovingAverageFunction;
    average->SetPeriod(1);
    series.SetFunction(average);
    series.AddDataSource(&source);
    ASSERT_EQ(Values(series.XValues()), (std::vector<double>{10, 20, 40}));
    source.XValues().FillSequence();
    EXPECT_EQ(Values(source.XValues()), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(Values(series.XValues()), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(Values(series.YValues()), (std::vector<double>{1, 2, 4}));
}

TEST(ValueListNotices, FillSequenceTellsTheSeriesCopyingTheList)
{
    TChartSeries source;
    TChartSeries copy;
    copy.AddDataSource(&source);
    copy.AddXY(5, 5);  // a point the source does not have
    source.XValues().FillSequence();
    EXPECT_EQ(copy.Count(), 0);
}

TEST(ValueListNotices, ValueSourceMakesTheFunctionReadTheNamedList)
{
    TOHLCSeries source;
    source.AddOHLC(1, 10, 15, 5, 12);
    source.AddOHLC(2, 12, 18, 9, 11);
    TChartSeries series;
    auto* average = new TMovingAverageFunction;
    average->SetPeriod(1);
    series.SetFunction(average);
    series.AddDataSource(&source);
    EXPECT_EQ(Values(series.YValues()), (std::vector<double>{12, 11}));  // the close values
    series.YValues().SetValueSource("High");
    EXPECT_EQ(Values(series.YValues()), (std::vector<double>{15, 18}));
    series.YValues().SetValueSource("Low");
    EXPECT_EQ(Values(series.YValues()), (std::vector<double>{5, 9}));
}

TEST(ValueListNotices, InitDateTimeSetsTheFlagAndItsStoredDefault)
{
    TChartSeries series;
    series.AddXY(1, 1);
    TChartValueList& x = series.XValues();
    x.InitDateTime(true);
    EXPECT_TRUE(x.DateTime());
    EXPECT_TRUE(x.DefaultDateTime());
    // at its stored default, the flag is not written
    TPropertyWriter w;
    TChartValueList::Properties().Write(x, w);
    const std::string written(w.Data().begin(), w.Data().end());
    EXPECT_EQ(written.find("DateTime"), std::string::npos);
    x.InitDateTime(false);
    EXPECT_FALSE(x.DateTime());
    EXPECT_FALSE(x.DefaultDateTime());
}

}  // namespace

#include "chart/chart.h"

namespace {

TEST(ChartEditorHooks, ValueSourceItemsAreTheValueListNamesOfTheSourceSeries)
{
    TChart chart;
    auto* source = new TOHLCSeries;
    auto* series = new TChartSeries;
    chart.AddSeries(source);
    chart.AddSeries(series);
    std::vector<std::string> names;
    const auto collect = [&](const std::string& Name) { names.push_back(Name); };
    chart.FillValueSourceItems(series, collect);
    EXPECT_TRUE(names.empty());  // no source yet
    series->AddDataSource(source);
    chart.FillValueSourceItems(series, collect);
    std::vector<std::string> expected;
    for (int i = 0; i < source->ValuesListCount(); ++i)
        expected.push_back(source->ValuesList(i).Name());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(names.size(), 5u);  // the dates, the close values, open, high and low
    EXPECT_NE(std::find(names.begin(), names.end(), "High"), names.end());
    // the series-source hook lists nothing
    names.clear();
    chart.FillSeriesSourceItems(series, collect);
    EXPECT_TRUE(names.empty());
    chart.RemoveSeries(series);
    chart.RemoveSeries(source);
    delete series;
    delete source;
}

}  // namespace
