// Moving average, exponential average, momentum, momentum division and
// standard deviation against the reference script (see function_test_support.h).
#include <cmath>

#include "chart/chart_exceptions.h"
#include "chart/series/exp_average_function.h"
#include "chart/series/momentum_div_function.h"
#include "chart/series/momentum_function.h"
#include "chart/series/moving_average_function.h"
#include "chart/series/std_deviation_function.h"
#include "function_test_support.h"

namespace {

using PeriodFunctions = FunctionTest;

TEST_F(PeriodFunctions, MovingAverageOfFourValuesPeriodTwo)
{
    for (double v : {1, 2, 3, 4})
        source.Add(v);
    Attach<TMovingAverageFunction>(source, 2);
    EXPECT_EQ(Ys(series), (std::vector<double>{1.5, 2.5, 3.5}));
    EXPECT_EQ(Xs(series), (std::vector<double>{1, 2, 3}));
}

TEST_F(PeriodFunctions, MovingAverageDefaults)
{
    TMovingAverageFunction f;
    EXPECT_EQ(f.Period(), 1);
    EXPECT_EQ(f.PeriodAlign(), paLast);
    EXPECT_FALSE(f.Weighted());
    EXPECT_FALSE(f.WeightedIndex());
    EXPECT_EQ(f.EditorClassName(), "TMovAveFuncEditor");
}

TEST_F(PeriodFunctions, MovingAveragePlainWeightedAndByIndex)
{
    FillReference();
    auto* f = Attach<TMovingAverageFunction>(source, 3);
    // sma3
    ExpectNear(Ys(series), {4.0, 5.666666666666667, 7.333333333333333, 9.0, 10.333333333333334, 9.333333333333334,
                            8.333333333333334, 8.0});
    f->SetWeighted(true);
    // wma3
    ExpectNear(Ys(series), {4.142857142857143, 6.0, 7.875, 9.1, 10.48, 9.275862068965518, 8.088235294117647,
                            8.131578947368421});
    f->SetWeighted(false);
    f->SetWeightedIndex(true);
    // wima3
    ExpectNear(Ys(series), {4.166666666666667, 6.166666666666667, 8.333333333333334, 9.166666666666666,
                            10.666666666666666, 9.0, 7.333333333333333, 8.666666666666666});
}

TEST_F(PeriodFunctions, WeightedIndexOfOneTwoThree)
{
    for (double v : {1, 2, 3})
        source.Add(v);
    auto* f = Attach<TMovingAverageFunction>(source, 3);
    f->SetWeightedIndex(true);
    EXPECT_EQ(Ys(series), (std::vector<double>{14.0 / 6}));
}

TEST_F(PeriodFunctions, WeightedAverageWithZeroXSumIsZero)
{
    source.AddXY(-1, 5);
    source.AddXY(1, 7);
    auto* f = Attach<TMovingAverageFunction>(source, 2);
    f->SetWeighted(true);
    EXPECT_EQ(Ys(series), (std::vector<double>{0}));
}

TEST_F(PeriodFunctions, ExpAverageReference)
{
    FillReference();
    auto* f = Attach<TExpAverageFunction>(source, 3);
    f->SetWeight(0.3);
    // expavg0.3
    ExpectNear(Ys(series), {4.7, 5.199999999999999, 8.6, 9.7, 9.899999999999999, 10.499999999999998,
                            6.699999999999999, 7.499999999999999});
}

TEST_F(PeriodFunctions, ExpAverageWeightOneAndZero)
{
    FillReference();
    auto* f = Attach<TExpAverageFunction>(source, 1);
    f->SetWeight(1);
    EXPECT_EQ(Ys(series), (std::vector<double>{3, 5, 4, 8, 10, 9, 12, 7, 6, 11}));
    f->SetWeight(0);
    EXPECT_EQ(Ys(series), (std::vector<double>{3, 3, 5, 4, 8, 10, 9, 12, 7, 6}));
}

TEST_F(PeriodFunctions, ExpAverageWeightOutsideZeroOneIsRefused)
{
    TExpAverageFunction f;
    EXPECT_EQ(f.Weight(), 0.2);
    EXPECT_EQ(f.EditorClassName(), "TExpAveFuncEditor");
    try {
        f.SetWeight(1.5);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "ExpAverage Weight must be between 0 and 1");
    }
    EXPECT_THROW(f.SetWeight(-0.1), ChartException);
    EXPECT_EQ(f.Weight(), 0.2);
}

TEST_F(PeriodFunctions, MomentumAndDivision)
{
    FillReference();
    Attach<TMomentumFunction>(source, 3);
    // momentum3
    EXPECT_EQ(Ys(series), (std::vector<double>{1.0, 3.0, 6.0, 1.0, 2.0, -2.0, -6.0, 4.0}));
    Attach<TMomentumDivFunction>(source, 3);
    // momdiv3
    ExpectNear(Ys(series), {133.33333333333334, 160.0, 250.0, 112.5, 120.0, 77.77777777777777, 50.0,
                            157.14285714285714});
}

TEST_F(PeriodFunctions, MomentumDivisionByZeroStartIsZero)
{
    for (double v : {0, 5, 2})
        source.Add(v);
    Attach<TMomentumDivFunction>(source, 2);
    EXPECT_EQ(Ys(series), (std::vector<double>{0, 40}));
}

// Period 0 of a moving function is the whole source (first index -1): the
// window is 0..Count-1, nothing before the start is read.
TEST_F(PeriodFunctions, WholeSourceCallsReadFromIndexZero)
{
    FillReference();
    TMomentumFunction momentum;
    EXPECT_EQ(momentum.Calculate(source, -1, -1), 8);
    TMomentumDivFunction division;
    EXPECT_NEAR(division.Calculate(source, -1, -1), 366.6666666666667, 1e-12);
    TExpAverageFunction average;
    average.SetWeight(0.3);
    EXPECT_NEAR(average.Calculate(source, -1, -1), 7.499999999999999, 1e-12);
    TMovingAverageFunction mean;
    EXPECT_NEAR(mean.Calculate(source, -1, -1), 7.5, 1e-12);
}

TEST_F(PeriodFunctions, WholeSourceOfAnEmptySeriesGivesNothing)
{
    TMomentumFunction momentum;
    EXPECT_EQ(momentum.Calculate(source, -1, -1), 0);
    TExpAverageFunction average;
    EXPECT_EQ(average.Calculate(source, -1, -1), 0);
    TStdDeviationFunction deviation;
    EXPECT_EQ(deviation.Calculate(source, -1, -1), 0);
    Attach<TMomentumFunction>(source, 0);
    EXPECT_EQ(series.Count(), 0);
}

TEST_F(PeriodFunctions, WholeSourceThroughPeriodZero)
{
    FillReference();
    Attach<TStdDeviationFunction>(source, 0);
    ASSERT_EQ(series.Count(), 1);
    EXPECT_NEAR(series.YValues().Value(0), 3.0276503540974917, 1e-12);  // sd_all_sample
}

TEST_F(PeriodFunctions, StdDeviationSmallCases)
{
    TStdDeviationFunction f;
    EXPECT_EQ(f.EditorClassName(), "TRMSFuncEditor");
    source.Add(2);
    EXPECT_EQ(f.Calculate(source, -1, -1), 0);
    source.Add(4);
    EXPECT_DOUBLE_EQ(f.Calculate(source, -1, -1), std::sqrt(2.0));
    f.SetComplete(true);
    EXPECT_DOUBLE_EQ(f.Calculate(source, -1, -1), 1);
}

TEST_F(PeriodFunctions, StdDeviationReference)
{
    FillReference();
    auto* f = new TStdDeviationFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(3);
    series.AddDataSource(&source);
    f->EndUpdate();
    // by period of 3 points: windows 0-2, 3-5, 6-8 (sd3sample entries 0, 3, 6)
    ExpectNear(Ys(series), {1.0, 1.0, 3.214550253664318});
    EXPECT_NEAR(f->Calculate(source, -1, -1), 3.0276503540974917, 1e-12);  // sd_all_sample
    f->SetComplete(true);
    EXPECT_NEAR(f->Calculate(source, -1, -1), 2.8722813232690143, 1e-12);  // sd_all_pop
}

// n*n and n*(n-1) beyond 46,340 points no longer fit 32 bits.
TEST_F(PeriodFunctions, StdDeviationOfFiftyThousandPoints)
{
    for (int i = 0; i < 50000; ++i)
        source.Add(i % 7);
    TStdDeviationFunction f;
    EXPECT_NEAR(f.Calculate(source, -1, -1), 1.9999949989937276, 1e-12);  // sd_50000_sample
    f.SetComplete(true);
    EXPECT_NEAR(f.Calculate(source, -1, -1), 1.9999749989437368, 1e-12);  // sd_50000_pop
}

// n*Q - S*S over raw sums cancels for values far from zero.
TEST_F(PeriodFunctions, StdDeviationFarFromZeroKeepsItsDigits)
{
    for (double v : {1e8 + 1, 1e8 + 2, 1e8 + 3})
        source.Add(v);
    TStdDeviationFunction f;
    EXPECT_NEAR(f.Calculate(source, -1, -1), 1.0, 1e-12);  // sd_1e8
}

TEST_F(PeriodFunctions, StdDeviationAcrossSources)
{
    TChartSeries a, b, c;
    a.Add(2);
    a.Add(1);
    b.Add(4);
    b.Add(1);
    c.Add(9);
    auto* f = new TStdDeviationFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    series.AddDataSource(&a);
    series.AddDataSource(&b);
    series.AddDataSource(&c);
    // index 0 over 2, 4, 9; index 1 over 1, 1 (c has no second point)
    EXPECT_NEAR(f->CalculateMany(0), std::sqrt(((2 - 5.0) * (2 - 5.0) + 1 + 16) / 2), 1e-12);
    EXPECT_EQ(f->CalculateMany(1), 0);
    f->EndUpdate();
}

}  // namespace
