#include "chart/plot_function.h"

#include <gtest/gtest.h>

#include <chrono>

#include "chart/axis_panel.h"
#include "chart/chart_exceptions.h"
#include "chart/chart_series.h"

namespace {

// Sum of the mandatory values of a window.
template <class Base>
class TSum : public Base {
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

using TSumFunction = TSum<TPlotFunction>;
using TMovingSum = TSum<TPlotMovingFunction>;

class PlotFunction : public ::testing::Test {
protected:
    void Fill(std::initializer_list<double> xs)
    {
        int k = 0;
        for (double x : xs)
            source.AddXY(x, ++k);
    }
    void FillSequence(int n)
    {
        for (int i = 0; i < n; ++i)
            source.AddXY(i, i);
    }
    template <class F>
    F* Attach()
    {
        auto* f = new F;
        f->BeginUpdate();
        series.SetFunction(f);
        series.AddDataSource(&source);
        return f;
    }
    std::vector<std::pair<double, double>> Points() const
    {
        std::vector<std::pair<double, double>> p;
        for (int i = 0; i < series.Count(); ++i)
            p.emplace_back(series.XValues().Value(i), series.YValues().Value(i));
        return p;
    }
    using P = std::vector<std::pair<double, double>>;
    TChartSeries source, series;
};

TEST_F(PlotFunction, PeriodZeroGivesOneMiddlePoint)
{
    FillSequence(10);
    auto* f = Attach<TSumFunction>();
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{4.5, 45}}));
}

TEST_F(PlotFunction, PeriodZeroLevelLineWithoutSinglePoint)
{
    FillSequence(10);
    series.SetSinglePointFunction(false);
    auto* f = Attach<TSumFunction>();
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{0, 45}, {9, 45}}));
}

TEST_F(PlotFunction, NumPointsPeriodSkipsTheIncompleteLastGroup)
{
    FillSequence(10);
    auto* f = Attach<TSumFunction>();
    f->SetPeriod(4);
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{1.5, 6}, {5.5, 22}}));
    f->SetPeriodAlign(paLast);
    EXPECT_EQ(Points(), (P{{3, 6}, {7, 22}}));
    f->SetPeriodAlign(paFirst);
    EXPECT_EQ(Points(), (P{{0, 6}, {4, 22}}));
}

TEST_F(PlotFunction, PeriodRoundingToZeroCountsAsOne)
{
    FillSequence(3);
    auto* f = Attach<TSumFunction>();
    f->SetPeriod(0.3);
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{0, 0}, {1, 1}, {2, 2}}));
}

TEST_F(PlotFunction, MovingWindowOfThree)
{
    FillSequence(10);
    auto* f = Attach<TMovingSum>();
    f->SetPeriod(3);
    f->EndUpdate();
    ASSERT_EQ(series.Count(), 8);
    EXPECT_EQ(Points()[0], (std::pair<double, double>{2, 3}));
    EXPECT_EQ(Points()[7], (std::pair<double, double>{9, 24}));
}

TEST_F(PlotFunction, MovingPeriodBelowOneCountsAsOne)
{
    FillSequence(4);
    auto* f = Attach<TMovingSum>();
    f->SetPeriod(0.2);
    f->EndUpdate();
    EXPECT_EQ(series.Count(), 4);
}

TEST_F(PlotFunction, RangePeriodsIncludingAnEmptyOne)
{
    Fill({0, 1, 5});
    auto* f = Attach<TSumFunction>();
    f->SetPeriodStyle(psRange);
    f->SetPeriodAlign(paFirst);
    f->SetPeriod(2);
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{0, 3}, {2, 0}, {4, 3}}));
}

TEST_F(PlotFunction, RangeBoundaryThatStopsGrowingEnds)
{
    Fill({1e17, 1e17});
    auto* f = Attach<TSumFunction>();
    f->SetPeriodStyle(psRange);
    f->SetPeriod(1);
    f->EndUpdate();
    EXPECT_EQ(series.Count(), 0);
}

TEST_F(PlotFunction, NegativePeriodRaisesAndKeepsTheOldOne)
{
    TSumFunction f;
    f.SetPeriod(2);
    try {
        f.SetPeriod(-1);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Function Period should be >= 0");
    }
    EXPECT_EQ(f.Period(), 2);
}

TEST_F(PlotFunction, SourceChangesRecalculate)
{
    FillSequence(2);
    auto* f = Attach<TSumFunction>();
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{0.5, 1}}));
    source.BeginUpdate();
    source.AddXY(2, 5);
    source.EndUpdate();
    EXPECT_EQ(Points(), (P{{1, 6}}));
}

TEST_F(PlotFunction, PeriodPointsOfAHorizontalSourceComeSwapped)
{
    source.SetHorizontal();
    FillSequence(10);
    auto* f = Attach<TSumFunction>();
    f->SetPeriod(4);
    f->EndUpdate();
    EXPECT_EQ(Points(), (P{{6, 1.5}, {22, 5.5}}));
}

TEST_F(PlotFunction, RecalculationRefillsTheSameArraysTrimmedToTheNewPoints)
{
    FillSequence(2500);
    auto* f = Attach<TMovingSum>();
    f->SetPeriod(1);
    f->EndUpdate();
    ASSERT_EQ(series.Count(), 2500);
    const double* xs = series.XValues().Data();
    const double* ys = series.YValues().Data();
    f->SetPeriod(2);
    ASSERT_EQ(series.Count(), 2499);
    EXPECT_EQ(series.XValues().Data(), xs);
    EXPECT_EQ(series.YValues().Data(), ys);
    EXPECT_EQ(series.XValues().Capacity(), 3000);
    EXPECT_EQ(Points()[2498], (std::pair<double, double>{2499, 2498 + 2499}));
    // far fewer points: the room past them goes back
    f->SetPeriod(2000);
    ASSERT_EQ(series.Count(), 501);
    EXPECT_EQ(series.XValues().Capacity(), 1000);
    EXPECT_EQ(series.YValues().Capacity(), 1000);
    EXPECT_EQ(Points()[0], (std::pair<double, double>{1999, 1999.0 * 2000 / 2}));
    // a plain clear gives the arrays back
    series.Clear();
    EXPECT_EQ(series.XValues().Capacity(), 0);
    EXPECT_EQ(series.YValues().Capacity(), 0);
}

TEST_F(PlotFunction, MovingDefaults)
{
    TPlotMovingFunction f;
    EXPECT_EQ(f.Period(), 1);
    EXPECT_EQ(f.PeriodAlign(), paLast);
    EXPECT_EQ(f.EditorClassName(), "TPlotFunctionEditor");
}

TEST_F(PlotFunction, ParentSeriesSetterMovesTheFunction)
{
    auto* f = new TSumFunction;
    series.SetFunction(f);
    TChartSeries other;
    f->SetParentSeries(&other);
    EXPECT_EQ(series.FunctionType(), nullptr);
    EXPECT_EQ(other.FunctionType(), f);
}

// Range periods far smaller than the gaps between X values: a bounded
// amount of work and a clear error, the series left empty and usable.
class RangePeriods : public PlotFunction {
protected:
    RangePeriods()
    {
        Fill({0, 1000});
        f = Attach<TSumFunction>();
        f->SetPeriodStyle(psRange);
        f->SetPeriodAlign(paFirst);
    }
    TSumFunction* f = nullptr;
};

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
    // a thousand million periods would take minutes; a loaded machine or a sanitizer build, not seconds
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 5000);
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

}  // namespace

namespace {

class TGallerySeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    void PrepareForGallery(bool IsEnabled) override { Prepared.push_back(IsEnabled); }
    std::vector<bool> Prepared;
};

}  // namespace

TEST(PlotFunctionGallery, EverySeriesOfTheChartPreparesItself)
{
    TCustomAxisPanel chart;
    TGallerySeries a, b;
    chart.AddSeries(&a);
    chart.AddSeries(&b);
    TPlotFunction function;
    function.PrepareForGallery(chart);
    EXPECT_EQ(a.Prepared, std::vector<bool>{true});
    EXPECT_EQ(b.Prepared, std::vector<bool>{true});
    chart.RemoveSeries(&a);
    chart.RemoveSeries(&b);
}
