#include "chart/chart_engine.h"
#include "chart/chart_messages.h"
#include "core/random_numbers.h"
#include "shell/mdi_child.h"
#include "shell/startup.h"
#include "shell/version_info.h"

#include <gtest/gtest.h>

TEST(StartUp, LeavesTheGeneratorInAFixedState)
{
    SetRandSeed(99);
    RunUnitInitializations();
    RunUnitFinalizations();
    const std::uint32_t first = RandSeed();
    SetRandSeed(12345);
    Randomize();
    RunUnitInitializations();
    RunUnitFinalizations();
    EXPECT_EQ(RandSeed(), first);
    SetRandSeed(0);
    InitializeRandomSeeding();
    EXPECT_EQ(RandSeed(), first);
}

TEST(StartUp, VersionTextsAndSwitches)
{
    SetGlobalAskOnClose(false);
    RunUnitInitializations();
    RunUnitFinalizations();
    EXPECT_TRUE(GlobalAskOnClose());
    EXPECT_EQ(ProgramTitle(), "Vexa 1.0");
    EXPECT_EQ(BuildDate(), "2/2011");
    EXPECT_EQ(ApplicationFolder(), "");
    SetApplicationFolder(QStringLiteral("/opt/vexa"));
    EXPECT_EQ(ApplicationFolder(), "/opt/vexa/");
    EXPECT_EQ(DocumentsFolder(), "/opt/vexa/Docs");
    EXPECT_EQ(SpreadsheetsFolder(), "/opt/vexa/Excel");
    InitializeVersionInfo();
    EXPECT_EQ(DocumentsFolder(), "");
}

TEST(StartUp, StartsTheChartEngineAndStopsIt)
{
    // the test program has started the engine already: one more start and stop
    // keeps it running
    RunUnitInitializations();
    EXPECT_EQ(ChartEngineUnits().front(), "PlotHtml");
    EXPECT_EQ(PlotMsgValuesX, "X");
    RunUnitFinalizations();
    EXPECT_TRUE(ChartEngineLastShutDown().empty());
    EXPECT_EQ(PlotMsgValuesX, "X");
}
