#include "core/random_numbers.h"
#include "window_base/mdi_child.h"
#include "shell/startup.h"
#include "shell/version_info.h"

#include <gtest/gtest.h>

TEST(StartUp, LeavesTheGeneratorInAFixedState)
{
    SetRandSeed(99);
    RunUnitInitializations();
    const std::uint32_t first = RandSeed();
    SetRandSeed(12345);
    Randomize();
    RunUnitInitializations();
    EXPECT_EQ(RandSeed(), first);
    SetRandSeed(0);
    InitializeRandomSeeding();
    EXPECT_EQ(RandSeed(), first);
}

TEST(StartUp, VersionTextsAndSwitches)
{
    SetGlobalAskOnClose(false);
    RunUnitInitializations();
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
