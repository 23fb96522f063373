#include "core/statistics_grid.h"

#include "support/spanish_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(StatNumberTexts, FixedPointRightAlignedInSixCharacters)
{
    EXPECT_EQ(StatNumber(2.5), " 2.500");
    EXPECT_EQ(StatNumber(-1.2703), "-1.270");
    EXPECT_EQ(StatNumber(625.0), "625.000");
    EXPECT_EQ(StatNumber(0.0), " 0.000");
    EXPECT_EQ(StatNumber(-0.0001), " 0.000");
    EXPECT_EQ(StatNumber(51.639778, 6, 1), "  51.6");
}

TEST(StatNumberTexts, UndefinedFiguresAreADashRightAligned)
{
    EXPECT_EQ(StatNumber(std::numeric_limits<double>::quiet_NaN()), "     -");
    EXPECT_EQ(StatNumber(std::numeric_limits<double>::infinity()), "     -");
    EXPECT_EQ(StatNumber(-std::numeric_limits<double>::infinity()), "     -");
    EXPECT_EQ(StatDash(), "     -");
}

TEST(StatTexts, CentredCapitalsAndIntegers)
{
    EXPECT_EQ(StatCentred("90%"), "        90%         ");
    EXPECT_EQ(StatCentred("abcdefghijklmnopqrstuvwxyz"), "abcdefghijklmnopqrst");
    EXPECT_EQ(StatUpper("Peso (kg) ñ"), "PESO (KG) ñ");
    EXPECT_EQ(StatInt(-12), "-12");
}

TEST_F(SpanishLocale, StatNumberKeepsTheDecimalPointUnderACommaLocale)
{
    EXPECT_EQ(StatNumber(2.5), " 2.500");
}

TEST(StatTextTableCells, EmptyTextClearsACellAndSizeIsChecked)
{
    TStatTextTable t;
    t.SetSize(2, 2);
    t.SetCell(1, 1, "x");
    EXPECT_TRUE(t.InsideSize());
    t.SetCell(2, 1, "y");
    EXPECT_FALSE(t.InsideSize());
    t.SetCell(2, 1, "");
    EXPECT_TRUE(t.InsideSize());
    EXPECT_EQ(t.LastRow(), 1);
    t.Clear();
    EXPECT_EQ(t.LastRow(), -1);
}
