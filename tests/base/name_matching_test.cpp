#include "base/name_matching.h"
#include "base/basic_types.h"

#include <gtest/gtest.h>

TEST(NameFolding, OnlyAsciiLettersAreLowered)
{
    EXPECT_EQ(LowerAscii("ÁRBOL Ñandú ABC"), "Árbol Ñandú abc");
    EXPECT_EQ(LowerAscii("Z[@A"), "z[@a");
}

TEST(NameFolding, TrimsOnlyCodesUpTo32)
{
    EXPECT_EQ(TrimControl("\t\r\n pop \x01"), "pop");
    EXPECT_EQ(TrimControl("\x7f" "a"), "\x7f" "a");
    EXPECT_EQ(TrimControl("   "), "");
}

TEST(NameFolding, SameNameTrimsAndFolds)
{
    EXPECT_TRUE(SameName(" Pop ", "pOP"));
    EXPECT_FALSE(SameName("Ñu", "ñu"));
    EXPECT_FALSE(SameTextAscii(" pop", "pop"));
}

TEST(Rounding, HalvesGoToEven)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.5000001), 3);
    EXPECT_EQ(Trunc(-2.7), -2);
}

TEST(ColourChannels, RedInTheLowByte)
{
    EXPECT_EQ(RGB(0xFF, 0x8C, 0x00), 0x008CFFu);
    EXPECT_EQ(GetRValue(0x123456), 0x56);
    EXPECT_EQ(GetBValue(0x123456), 0x12);
}
