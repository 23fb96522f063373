#include "chart/chart_engine.h"
#include "chart/plot_procs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "chart/axis_container.h"
#include "chart/axis_scale.h"
#include "chart/chart_messages.h"
#include "chart/color_palettes.h"
#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_picture.h"
#include "core/random_numbers.h"

namespace {

using Names = std::vector<std::string>;

// The test program has started the engine once; each test leaves it that way.
class TChartEngineLifecycle : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (!ChartEngineUnits().empty())
            StopChartEngine();
        StartChartEngine();
    }
};

TEST_F(TChartEngineLifecycle, UnitsStartInTheirOrder)
{
    EXPECT_EQ(ChartEngineUnits(), (Names{"PlotHtml", "PlotConst", "PlotCanvas", "PlotFilters", "PlotProcs", "PlotEngine", "Chart", "PlotProCo", "CandleCh", "StatChar"}));
}

TEST_F(TChartEngineLifecycle, ShutDownRunsInReverseOrder)
{
    StopChartEngine();
    EXPECT_EQ(ChartEngineLastShutDown(), (Names{"StatChar", "CandleCh", "PlotProCo", "Chart", "PlotEngine", "PlotProcs", "PlotFilters", "PlotCanvas", "PlotConst", "PlotHtml"}));
    EXPECT_TRUE(ChartEngineUnits().empty());
}

TEST_F(TChartEngineLifecycle, SecondStartIsNoStartAndNeedsItsOwnStop)
{
    PlotMsgValuesX = "changed";
    StartChartEngine();  // counted, not run again: the text stays as replaced
    EXPECT_EQ(PlotMsgValuesX, "changed");
    StopChartEngine();  // one start still stands
    EXPECT_TRUE(ChartEngineLastShutDown().empty());
    EXPECT_EQ(PlotMsgValuesX, "changed");
    EXPECT_EQ(ChartEngineUnits().size(), 10u);
    StopChartEngine();
    EXPECT_EQ(ChartEngineLastShutDown().size(), 10u);
    EXPECT_TRUE(PlotMsgValuesX.empty());
    StartChartEngine();
    EXPECT_EQ(PlotMsgValuesX, "X");
}

TEST_F(TChartEngineLifecycle, StopAfterTheLastStopDoesNothing)
{
    StopChartEngine();
    StopChartEngine();
    EXPECT_TRUE(ChartEngineLastShutDown().empty());
    StartChartEngine();
    EXPECT_EQ(ProMsgToolCursor, "Cursor");
}

TEST_F(TChartEngineLifecycle, StopEmptiesTextsFontNameAndFilters)
{
    StopChartEngine();
    for (const TMessageText& m : PlotConstMessages())
        EXPECT_TRUE(m.Variable->empty());
    for (const TMessageText& m : PlotProCoMessages())
        EXPECT_TRUE(m.Variable->empty());
    EXPECT_TRUE(PlotChartFileExtension.empty());
    EXPECT_TRUE(DefaultFontName.empty());
    EXPECT_EQ(FindFilterClass("TRotateFilter"), nullptr);
    EXPECT_TRUE(ColorPalette().empty());

    StartChartEngine();
    EXPECT_EQ(ColorPalette().size(), 20u);
    EXPECT_EQ(DefaultFontName, "Arial");
    EXPECT_EQ(DefaultFontSize, 8);
    EXPECT_NE(FindFilterClass("TRotateFilter"), nullptr);
    EXPECT_EQ(PlotMsgAxisMinMax, "Axis Minimum Value must be <= Maximum");
}

TEST_F(TChartEngineLifecycle, StartUpLeavesTheGeneratorAlone)
{
    StopChartEngine();
    SetRandSeed(0x1234ABCDu);
    StartChartEngine();
    EXPECT_EQ(RandSeed(), 0x1234ABCDu);
    StopChartEngine();
    EXPECT_EQ(RandSeed(), 0x1234ABCDu);
}

TEST(TPlotFilterRegistration, RegisteringTwiceKeepsOneEntryPerClass)
{
    RegisterPlotFilters();  // the engine has registered them already
    RegisterPlotFilters();
    const auto registered = RegisteredFilterClasses();
    ASSERT_EQ(registered.size(), 21u);
    const auto classes = PlotFilterClasses();
    EXPECT_TRUE(std::equal(registered.begin(), registered.end(), classes.begin(), classes.end()));
    EXPECT_EQ(registered[0]->ClassName, "TInvertFilter");
    EXPECT_EQ(registered[20]->ClassName, "TZoomFilter");
}

TEST_F(TChartEngineLifecycle, PlotEngineSetsThePixelLimitAndStreamedAxisClasses)
{
    EXPECT_EQ(MaxPixelPos, 0x3FFFFFF);
    for (const char* name : {"TChartAxisTitle", "TChartAxis", "TChartDepthAxis", "TSeriesMarks"})
        EXPECT_TRUE(IsAxisStreamClass(name)) << name;
    StopChartEngine();
    EXPECT_FALSE(IsAxisStreamClass("TChartAxis"));
}

}  // namespace

TEST_F(TChartEngineLifecycle, ChartUnitKeepsTheRegistriesAndPaletteNames)
{
    ASSERT_EQ(ColorPalettes().size(), 16u);
    EXPECT_EQ(ColorPalettes()[0], "Default");
    while (!ChartEngineUnits().empty())
        StopChartEngine();
    EXPECT_TRUE(ColorPalettes().empty());
    StartChartEngine();
    EXPECT_EQ(ColorPalettes().size(), 16u);
}
