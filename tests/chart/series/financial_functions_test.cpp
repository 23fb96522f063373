// ADX and RSI against the reference script (see function_test_support.h).
#include "chart/series/adx_function.h"
#include "chart/series/rsi_function.h"
#include "function_test_support.h"

namespace {

using FinancialFunctions = FunctionTest;

TEST_F(FinancialFunctions, ADXLinesAndIndex)
{
    FillOHLC();
    auto* f = new TADXFunction;
    EXPECT_EQ(f->Period(), 14);
    EXPECT_EQ(f->EditorClassName(), "TADXFuncEditor");
    EXPECT_EQ(f->DownLine().SeriesColor(), 255);
    EXPECT_EQ(f->UpLine().SeriesColor(), 32768);
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(3);
    series.AddDataSource(&ohlc);
    f->EndUpdate();
    // directional lines from index Period, the index from 2 * Period - 2
    EXPECT_EQ(Xs(f->UpLine()), (std::vector<double>{3, 4, 5, 6, 7, 8, 9, 10, 11}));
    ExpectNear(Ys(f->UpLine()), {12.5, 35.483870967741936, 24.719101123595507, 16.98841698841699,
                                 11.563731931668856, 7.818747223456242, 24.400107845780532, 27.13931859606487,
                                 18.589240840629348});
    ExpectNear(Ys(f->DownLine()), {25.0, 12.903225806451614, 8.98876404494382, 16.602316602316602,
                                   21.94480946123522, 25.633051976899157, 15.556753842005936, 10.786558863392067,
                                   7.388318901355701});
    EXPECT_EQ(Xs(series), (std::vector<double>{4, 5, 6, 7, 8, 9, 10, 11}));
    ExpectNear(Ys(series), {40.0, 42.22222222222222, 28.531289910600254, 29.34765732602109, 37.31632223682504,
                            32.25496606161705, 35.87587180858676, 38.28980897323323});
}

TEST_F(FinancialFunctions, ADXOnTooFewPointsGivesNothing)
{
    FillOHLC();
    auto* f = new TADXFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(7);
    series.AddDataSource(&ohlc);
    f->EndUpdate();
    EXPECT_EQ(series.Count(), 0);
    EXPECT_EQ(f->UpLine().Count(), 0);
}

// Period 1 divided by Period - 1 and read before the start.
TEST_F(FinancialFunctions, ADXBelowPeriodTwoGivesNothing)
{
    FillOHLC();
    auto* f = new TADXFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(1);
    series.AddDataSource(&ohlc);
    f->EndUpdate();
    EXPECT_EQ(series.Count(), 0);
    EXPECT_EQ(f->DownLine().Count(), 0);
}

TEST_F(FinancialFunctions, ADXOfFlatPricesIsZero)
{
    for (int i = 0; i < 6; ++i)
        ohlc.AddOHLC(i, 5, 5, 5, 5);
    auto* f = new TADXFunction;
    f->BeginUpdate();
    series.SetFunction(f);
    f->SetPeriod(2);
    series.AddDataSource(&ohlc);
    f->EndUpdate();
    EXPECT_EQ(Ys(series), (std::vector<double>{0, 0, 0, 0}));
    EXPECT_EQ(Ys(f->UpLine()), (std::vector<double>{0, 0, 0, 0}));
}

TEST_F(FinancialFunctions, ADXAndRSIRefuseOtherSources)
{
    FillReference();
    EXPECT_FALSE(TADXFunction().IsValidSource(source));
    EXPECT_FALSE(TRSIFunction().IsValidSource(source));
    EXPECT_TRUE(TRSIFunction().IsValidSource(ohlc));
}

TEST_F(FinancialFunctions, RSIBothStyles)
{
    FillOHLC();
    auto* f = Attach<TRSIFunction>(ohlc, 4);
    EXPECT_EQ(f->Style(), rsiOpenClose);
    // rsi4_openclose
    ExpectNear(Ys(series), {52.27272727272727, 55.319148936170215, 29.166666666666657, 28.57142857142857, 28.0,
                            0.0, 28.26086956521739, 27.65957446808511, 54.0});
    f->SetStyle(rsiClose);
    // rsi4_close
    ExpectNear(Ys(series), {33.33333333333333, 66.66666666666666, 66.66666666666666, 66.66666666666666, 0.0, 0.0,
                            60.0, 75.0, 100.0});
}

TEST_F(FinancialFunctions, RSIWithoutLossesIsHundredAndWholeSourceReadsFromZero)
{
    ohlc.AddOHLC(0, 1, 3, 1, 2);
    ohlc.AddOHLC(1, 2, 4, 2, 3);
    TRSIFunction f;
    f.SetStyle(rsiClose);
    EXPECT_EQ(f.Calculate(ohlc, -1, -1), 100);
    TOHLCSeries empty;
    EXPECT_EQ(f.Calculate(empty, -1, -1), 0);
}

}  // namespace
