// Stochastic, RMS, performance, variance, exponential moving average, MACD,
// Bollinger and cross points against the reference script (see
// function_test_support.h).
#include <cmath>

#include "chart/series/bollinger_function.h"
#include "chart/series/cross_points_function.h"
#include "chart/series/exp_mov_ave_function.h"
#include "chart/series/macd_function.h"
#include "chart/series/performance_function.h"
#include "chart/series/rms_function.h"
#include "chart/series/stochastic_function.h"
#include "chart/series/variance_function.h"
#include "chart/series/volume_series.h"
#include "function_test_support.h"

namespace {

using OtherFunctions = FunctionTest;

TEST_F(OtherFunctions, StochasticOfOHLC)
{
    FillOHLC();
    Attach<TStochasticFunction>(ohlc, 3);
    // stoch3
    ExpectNear(Ys(series), {50.0, 25.0, 83.33333333333333, 66.66666666666667, 25.0, 20.0, 20.0, 80.0,
                            66.66666666666667, 75.0});
}

TEST_F(OtherFunctions, StochasticOfEqualHighAndLowIsZero)
{
    ohlc.AddOHLC(0, 5, 5, 5, 5);
    ohlc.AddOHLC(1, 5, 5, 5, 5);
    Attach<TStochasticFunction>(ohlc, 2);
    EXPECT_EQ(Ys(series), (std::vector<double>{0}));
}

// A source without High and Low lists is refused, as ADX and RSI refuse one.
TEST_F(OtherFunctions, StochasticRefusesASourceWithoutHighAndLow)
{
    FillReference();
    TStochasticFunction f;
    EXPECT_FALSE(f.IsValidSource(source));
    EXPECT_TRUE(f.IsValidSource(ohlc));
    EXPECT_EQ(f.Calculate(source, 0, 2), 0);
    series.SetFunction(new TStochasticFunction);
    EXPECT_ANY_THROW(series.AddDataSource(&source));
    EXPECT_EQ(series.Count(), 0);
}

TEST_F(OtherFunctions, StochasticWholeSource)
{
    FillOHLC();
    TStochasticFunction f;
    // close 14 between low 9 and high 15 over all points
    EXPECT_NEAR(f.Calculate(ohlc, -1, -1), 100.0 * 5 / 6, 1e-12);
}

TEST_F(OtherFunctions, RMS)
{
    TRMSFunction f;
    EXPECT_EQ(f.EditorClassName(), "TRMSFuncEditor");
    source.Add(3);
    EXPECT_EQ(f.Calculate(source, -1, -1), 0);
    source.Add(4);
    EXPECT_DOUBLE_EQ(f.Calculate(source, -1, -1), 5);
    f.SetComplete(true);
    EXPECT_DOUBLE_EQ(f.Calculate(source, -1, -1), std::sqrt(12.5));
    source.Clear();
    FillReference();
    EXPECT_NEAR(f.Calculate(source, -1, -1), 8.031189202104505, 1e-12);  // rms_all_complete
    f.SetComplete(false);
    EXPECT_NEAR(f.Calculate(source, -1, -1), 8.465616732800196, 1e-12);  // rms_all
}

TEST_F(OtherFunctions, PerformanceIsMeasuredFromTheFirstPoint)
{
    FillReference();
    Attach<TPerformanceFunction>(source, 3);
    // perf3
    ExpectNear(Ys(series), {33.333333333333336, 166.66666666666666, 233.33333333333334, 200.0, 300.0,
                            133.33333333333334, 100.0, 266.6666666666667});
}

TEST_F(OtherFunctions, Variance)
{
    FillReference();
    TVarianceFunction f;
    EXPECT_NEAR(f.Calculate(source, -1, -1), 8.25, 1e-12);  // var_all
    EXPECT_NEAR(f.Calculate(source, 0, 2), 2.0 / 3, 1e-12);
    TChartSeries empty;
    EXPECT_EQ(f.Calculate(empty, -1, -1), 0);
}

TEST_F(OtherFunctions, ExpMovingAverage)
{
    FillReference();
    auto* f = Attach<TExpMovAveFunction>(source, 4);
    EXPECT_TRUE(f->IgnoreNulls());
    // ema4
    ExpectNear(Ys(series), {3.0, 3.8, 3.88, 5.5280000000000005, 7.316800000000001, 7.990080000000001, 9.594048,
                            8.5564288, 7.53385728, 8.920314368});
    EXPECT_EQ(Xs(series), (std::vector<double>{1, 2, 4, 5, 7, 8, 10, 11, 13, 14}));
    EXPECT_EQ(TExpMovAveFunction().Period(), 10);
}

TEST_F(OtherFunctions, ExpMovingAverageLeadingNulls)
{
    source.AddNullXY(0, 100);
    source.AddXY(1, 3);
    source.AddXY(2, 6);
    auto* f = Attach<TExpMovAveFunction>(source, 2);
    // k = 2/3: nulls take part with their stored value
    ExpectNear(Ys(series), {100, 2 + 100.0 / 3, 4 + (2 + 100.0 / 3) / 3});
    f->SetIgnoreNulls(false);
    EXPECT_EQ(Xs(series), (std::vector<double>{1, 2}));
    ExpectNear(Ys(series), {3, 5});
}

TEST_F(OtherFunctions, MACDLines)
{
    FillReference();
    auto* f = new TMACDFunction;
    EXPECT_EQ(f->Period(), 26);
    EXPECT_EQ(f->Period2(), 12);
    EXPECT_EQ(f->Period3(), 9);
    EXPECT_EQ(f->SignalSeries().SeriesColor(), 32768);
    EXPECT_EQ(f->HistogramSeries().SeriesColor(), 255);
    EXPECT_FALSE(f->SignalSeries().ShowInLegend());
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(4);
    f->SetPeriod2(2);
    f->SetPeriod3(3);
    series.AddDataSource(&source);
    f->EndUpdate();
    ExpectNear(Ys(series), {0.0, 0.5333333333333332, 0.23111111111111082, 1.1757037037037028, 1.5844345679012335,
                            0.9769981893004118, 1.3949780631001367, -0.22675344563328892, -0.7572988285444291,
                            0.6718717824851907});
    ExpectNear(Ys(f->SignalSeries()), {0.0, 0.2666666666666666, 0.24888888888888872, 0.7122962962962958,
                                       1.1483654320987646, 1.0626818106995883, 1.2288299368998625,
                                       0.5010382456332868, -0.12813029145557114, 0.27187074551480983});
    ExpectNear(Ys(f->HistogramSeries()), {0.0, 0.2666666666666666, -0.017777777777777892, 0.46340740740740705,
                                          0.43606913580246887, -0.08568362139917651, 0.1661481262002742,
                                          -0.7277916912665757, -0.629168537088858, 0.4000010369703809});
    EXPECT_EQ(Xs(f->HistogramSeries()), Xs(source));
    EXPECT_TRUE(f->HistogramSeries().UseYOrigin());
    f->SetPeriod2(0);
    EXPECT_EQ(f->Period2(), 1);
}

TEST_F(OtherFunctions, BollingerExponentialAndPlain)
{
    FillReference();
    auto* f = new TBollingerFunction;
    EXPECT_EQ(f->Period(), 10);
    EXPECT_EQ(f->Deviation(), 2);
    EXPECT_TRUE(f->Exponential());
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(3);
    series.AddDataSource(&source);
    f->EndUpdate();
    EXPECT_EQ(Xs(series), (std::vector<double>{4, 5, 7, 8, 10, 11, 13, 14}));
    ExpectNear(Ys(series), {5.6329931618554525, 9.39934634239519, 12.988876515698589, 10.132993161855453,
                            12.744438257849295, 12.734609335312651, 12.56183858267454, 13.476743798938575});
    ExpectNear(Ys(f->LowBand()), {2.367006838144548, 2.60065365760481, 3.011123484301412, 6.8670068381445475,
                                  7.7555617421507055, 4.515390664687349, 2.0631614173254595, 4.835756201061426});
    f->SetExponential(false);
    ExpectNear(Ys(series), {5.6329931618554525, 9.066013009061857, 12.322209849031921, 10.632993161855453,
                            12.827771591182628, 13.442942668645985, 13.582671916007875, 12.320493798938575});
    ExpectNear(Ys(f->LowBand()), {2.367006838144548, 2.267320324271477, 2.344456817634745, 7.3670068381445475,
                                  7.838895075484039, 5.223723998020683, 3.0839947506587935, 3.679506201061426});
}

TEST_F(OtherFunctions, BollingerDeviationKeepsItsDigitsFarFromZero)
{
    for (double v : {1e8 + 1, 1e8 + 2, 1e8 + 3})
        source.Add(v);
    auto* f = new TBollingerFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(3);
    f->SetExponential(false);
    f->SetDeviation(1);
    series.AddDataSource(&source);
    f->EndUpdate();
    // average 1e8 + 2, population deviation sqrt(2/3)
    ExpectNear(Ys(series), {1e8 + 2 + std::sqrt(2.0 / 3)}, 1e-15);
}

// A period below one point, or too few points for the exponential averages,
// read before the start: no band.
TEST_F(OtherFunctions, BollingerWithoutEnoughPointsGivesNothing)
{
    source.Add(5);
    auto* f = new TBollingerFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(1);
    series.AddDataSource(&source);
    f->EndUpdate();
    EXPECT_EQ(series.Count(), 0);
    EXPECT_EQ(f->LowBand().Count(), 0);
    source.Add(6);
    f->SetPeriod(0.3);
    EXPECT_EQ(series.Count(), 0);
    f->SetExponential(false);
    EXPECT_EQ(series.Count(), 0);
}

class CrossPoints : public FunctionTest {
protected:
    void Compute()
    {
        auto* f = new TCrossPointsFunction;
        f->BeginUpdate();
        series.SetFunction(f);
        series.AddDataSource(&a);
        series.AddDataSource(&b);
        f->EndUpdate();
    }
    TChartSeries a, b;
};

TEST_F(CrossPoints, TwoLinesCrossing)
{
    a.AddXY(0, 0);
    a.AddXY(4, 4);
    b.AddXY(0, 4);
    b.AddXY(4, 0);
    Compute();
    EXPECT_EQ(Xs(series), (std::vector<double>{2}));
    EXPECT_EQ(Ys(series), (std::vector<double>{2}));
    EXPECT_EQ(TCrossPointsFunction().EditorClassName(), "");
}

TEST_F(CrossPoints, NeverCrossingGivesNothing)
{
    a.AddXY(0, 0);
    a.AddXY(4, 0);
    b.AddXY(0, 1);
    b.AddXY(4, 2);
    Compute();
    EXPECT_EQ(series.Count(), 0);
}

// The touching point is the end of one segment and the start of the next:
// it is added once.
TEST_F(CrossPoints, TouchingAtASharedPointYieldsThatPointOnce)
{
    a.AddXY(0, 0);
    a.AddXY(2, 2);
    a.AddXY(4, 0);
    b.AddXY(0, 4);
    b.AddXY(2, 2);
    b.AddXY(4, 4);
    Compute();
    EXPECT_EQ(Xs(series), (std::vector<double>{2}));
    EXPECT_EQ(Ys(series), (std::vector<double>{2}));
}

TEST_F(CrossPoints, OneSourceGivesNothing)
{
    a.AddXY(0, 0);
    a.AddXY(4, 4);
    auto* f = new TCrossPointsFunction;
    series.SetFunction(f);
    series.AddDataSource(&a);
    EXPECT_EQ(series.Count(), 0);
}

}  // namespace
