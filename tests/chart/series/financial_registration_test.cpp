// The financial and statistical units' entries in the type registries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/chart_engine.h"
#include "chart/series_types.h"

namespace {

// Class, description and page of every entry from the candle unit on.
std::vector<std::string> Entries()
{
    std::vector<std::string> out;
    bool from = false;
    for (int i = 0; i < PlotSeriesTypes().Count(); ++i) {
        const TPlotSeriesType& t = PlotSeriesTypes()[i];
        const char* name = t.FunctionClass ? t.FunctionClass.ClassName() : t.SeriesClass.ClassName();
        if (std::string(name) == "TCandleSeries")
            from = true;
        if (from)
            out.push_back(std::string(name) + "|" + *t.Description + "|" + *t.GalleryPage + "|" +
                          std::to_string(t.NumGallerySeries));
    }
    return out;
}

const std::vector<std::string> Expected = {
    "TCandleSeries|Candle|Financial|1",
    "TVolumeSeries|Volume|Financial|1",
    "TDarvasSeries|Darvas|Financial|1",
    "TADXFunction|ADX|Financial|1",
    "TRSIFunction|R.S.I.|Financial|1",
    "TMovingAverageFunction|Moving\rAverage|Financial|1",
    "TExpMovAveFunction|Exp.Moving\rAverage|Financial|1",
    "TExpAverageFunction|Exponential\rAverage|Extended|1",
    "TMomentumFunction|Momentum|Financial|1",
    "TMomentumDivFunction|Momentum\rDivision|Financial|1",
    "TStdDeviationFunction|Standard\rDeviation|Extended|1",
    "TRMSFunction|Root Mean\rSquare|Extended|1",
    "TMACDFunction|MACD|Financial|1",
    "TStochasticFunction|Stochastic|Financial|1",
    "TBollingerFunction|Bollinger\rbands|Financial|1",
    "TCrossPointsFunction|Cross Points|Extended|1",
    "TPerformanceFunction|Performance|Extended|1",
    "TVarianceFunction|Variance|Extended|1",
    "TPerimeterFunction|Perimeter|Extended|1",
    "THistogramSeries|Histogram|Stats|1",
    "THorizHistogramSeries|Horizontal\rHistogram|Stats|1",
};

class FinancialRegistration : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (!ChartEngineUnits().empty())
            StopChartEngine();
        StartChartEngine();
    }
};

TEST_F(FinancialRegistration, EntriesInOrderWithTheirTextsAndPages)
{
    EXPECT_EQ(Entries(), Expected);
    EXPECT_TRUE(IsChartClassRegistered("TCandleSeries"));
    EXPECT_TRUE(IsChartClassRegistered("TPerimeterFunction"));
}

TEST_F(FinancialRegistration, NoneLeftAfterShutDownAndBackAfterRestart)
{
    StopChartEngine();
    EXPECT_TRUE(Entries().empty());
    for (int i = 0; i < PlotSeriesTypes().Count(); ++i) {
        const std::string name = PlotSeriesTypes()[i].FunctionClass ? PlotSeriesTypes()[i].FunctionClass.ClassName()
                                                                     : PlotSeriesTypes()[i].SeriesClass.ClassName();
        for (const std::string& e : Expected)
            EXPECT_NE(e.substr(0, e.find('|')), name);
    }
    StartChartEngine();
    EXPECT_EQ(Entries(), Expected);
}

// A second start request enters nothing twice.
TEST_F(FinancialRegistration, SecondStartAddsNothing)
{
    StartChartEngine();
    EXPECT_EQ(Entries(), Expected);
    StopChartEngine();
    EXPECT_EQ(Entries(), Expected);
}

}  // namespace
