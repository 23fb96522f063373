#include "chart/series/ohlc_series.h"

#include <gtest/gtest.h>

#include "chart/chart_exceptions.h"

namespace {

TEST(OHLCSeries, ListsAndNames)
{
    TOHLCSeries s;
    EXPECT_EQ(s.DateValues().Name(), "Date");
    EXPECT_EQ(s.CloseValues().Name(), "Close");
    EXPECT_EQ(s.HighValues().Name(), "High");
    EXPECT_EQ(s.LowValues().Name(), "Low");
    EXPECT_EQ(s.OpenValues().Name(), "Open");
    EXPECT_TRUE(s.DateValues().DateTime());
    EXPECT_EQ(&s.CloseValues(), &s.MandatoryValueList());
    ASSERT_EQ(s.ValuesListCount(), 5);
    EXPECT_EQ(&s.ValuesList(2), &s.HighValues());
    EXPECT_EQ(&s.ValuesList(3), &s.LowValues());
    EXPECT_EQ(&s.ValuesList(4), &s.OpenValues());
    EXPECT_EQ(s.NumSampleValues(), 40);
}

TEST(OHLCSeries, AddOHLCAndVerticalRange)
{
    TOHLCSeries s;
    EXPECT_EQ(s.AddOHLC(3, 10, 15, 5, 12), 0);
    EXPECT_EQ(s.HighValues().Value(0), 15);
    EXPECT_EQ(s.LowValues().Value(0), 5);
    EXPECT_EQ(s.OpenValues().Value(0), 10);
    EXPECT_EQ(s.CloseValues().Value(0), 12);
    EXPECT_EQ(s.DateValues().Value(0), 3);
    EXPECT_EQ(s.MaxYValue(), 15);
    EXPECT_EQ(s.MinYValue(), 5);
    EXPECT_EQ(s.AddOHLC(4, 1, 2, 0.5, 1.5), 1);
    EXPECT_EQ(s.MinYValue(), 0.5);
}

TEST(OHLCSeries, SampleHighAndLowEncloseOpenAndClose)
{
    TOHLCSeries s;
    s.AddSampleValues(200);
    ASSERT_EQ(s.Count(), 200);
    for (int i = 0; i < s.Count(); ++i) {
        const double o = s.OpenValues().Value(i), c = s.CloseValues().Value(i);
        EXPECT_GT(s.HighValues().Value(i), std::max(o, c)) << i;
        EXPECT_LT(s.LowValues().Value(i), std::min(o, c)) << i;
    }
}

TEST(OHLCSeries, OnlyAnotherOHLCSeriesIsASource)
{
    TOHLCSeries s, other;
    TChartSeries line;
    EXPECT_FALSE(s.IsValidSourceOf(&line));
    EXPECT_TRUE(s.IsValidSourceOf(&other));
    EXPECT_FALSE(s.IsValidSourceOf(&s));
    EXPECT_THROW(s.SetDataSource(&line), ChartException);
}

}  // namespace
