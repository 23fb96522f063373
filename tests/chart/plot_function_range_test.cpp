// Range periods far smaller than the gaps between X values: a bounded
// amount of work and a clear error, the series left empty and usable.
#include <gtest/gtest.h>

#include <chrono>

#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"
#include "chart/plot_function.h"

namespace {

// Sum of the mandatory values of a window.
class TRangeSum : public TPlotFunction {
public:
    double Calculate(const TChartSeries& Source, int First, int Last) override
    {
        if (First == -1) {
            First = 0;
            Last = Source.Count() - 1;
        }
        double s = 0;
        for (int i = First; i <= Last; ++i)
            s += Source.MandatoryValue(i);
        return s;
    }
};

class RangePeriods : public ::testing::Test {
protected:
    RangePeriods()
    {
        source.AddXY(0, 1);
        source.AddXY(1000, 2);
        f = new TRangeSum;
        f->BeginUpdate();
        series.SetFunction(f);
        f->SetPeriodStyle(psRange);
        f->SetPeriodAlign(paFirst);
        series.AddDataSource(&source);
    }
    TChartSeries source, series;
    TRangeSum* f = nullptr;
};

}  // namespace

TEST_F(RangePeriods, ATinyPeriodStopsQuicklyWithAClearError)
{
    f->SetPeriod(1e-6);
    const auto start = std::chrono::steady_clock::now();
    try {
        f->EndUpdate();
        FAIL() << "a thousand million periods were computed";
    } catch (const ChartException& e) {
        EXPECT_NE(std::string(e.what()).find("Function Period too small"), std::string::npos) << e.what();
    }
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 500);
    EXPECT_EQ(series.Count(), 0);
    EXPECT_FALSE(series.Updating());

    // a sound period afterwards: one point per period, empty ones at 0
    f->SetPeriod(100);
    ASSERT_EQ(series.Count(), 11);
    EXPECT_EQ(series.XValues().Value(0), 0);
    EXPECT_EQ(series.YValues().Value(0), 1);
    for (int i = 1; i < 10; ++i) {
        EXPECT_DOUBLE_EQ(series.XValues().Value(i), 100.0 * i);
        EXPECT_EQ(series.YValues().Value(i), 0);
    }
    EXPECT_EQ(series.YValues().Value(10), 2);
}

TEST_F(RangePeriods, ManyEmptyPeriodsWithinTheBoundAreAllGiven)
{
    // 100,000 periods of 0.01: every empty one still yields its point
    f->SetPeriod(0.01);
    f->EndUpdate();
    EXPECT_GT(series.Count(), 99990);
    EXPECT_LT(series.Count(), 100010);
    EXPECT_EQ(series.YValues().Value(0), 1);
    EXPECT_EQ(series.YValues().Value(series.Count() - 1), 2);
    EXPECT_EQ(series.YValues().Value(series.Count() / 2), 0);
}
