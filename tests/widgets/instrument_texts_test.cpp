#include "widgets/instrument_texts.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NumberTextFixed, DecimalsWithoutPaddingOrNegativeZero)
{
    EXPECT_EQ(NumberText(20, 0), "20");
    EXPECT_EQ(NumberText(0.2, 2), "0.20");
    EXPECT_EQ(NumberText(-1.5, 1), "-1.5");
    EXPECT_EQ(NumberText(-0.001, 2), "0.00");
    EXPECT_EQ(NumberText(-1e-17, 2), "0.00");
    EXPECT_EQ(NumberText(1234567.0, 0), "1234567");
}

TEST(NumberTextExponent, FourDigitExponentCutToTwo)
{
    EXPECT_EQ(NumberText(2e6, -1), "2.0E+06");
    EXPECT_EQ(NumberText(1.8000000000000002e-4, -1), "1.8E-04");
    EXPECT_EQ(NumberText(-2.5e-5, -1), "-2.5E-05");
    EXPECT_EQ(NumberText(0, -1), "0.0E+00");
}

TEST(NumberTextExponent, ExponentsOfThreeDigitsAreStarred)
{
    // "1.5E+0123" loses "01" and every character becomes "*"
    EXPECT_EQ(NumberText(1.5e123, -1), "*******");
    EXPECT_EQ(NumberText(-2e-200, -1), "********");  // "-2.0E-00" starred
}

TEST(LabelNumberTextRule, LongNumbersSwitchToTheExponentForm)
{
    // 15 characters in fixed form: the mantissa is rounded to fit 14, never cut
    EXPECT_EQ(LabelNumberText(123456789012345.0, 0), "1.23456789E+14");
    EXPECT_EQ(LabelNumberText(-98765432109.876, 3), "-9.8765432E+10");
    EXPECT_EQ(LabelNumberText(1234.5678, 2), "1234.57");
    EXPECT_EQ(LabelNumberText(12345678901234.0, 0), "12345678901234");
}

TEST(ElapsedTimeTextForm, HoursMinutesSecondsAndMilliseconds)
{
    EXPECT_EQ(ElapsedTimeText(0, false), " 00:00:00");
    EXPECT_EQ(ElapsedTimeText(1200, false), " 00:20:00");
    EXPECT_EQ(ElapsedTimeText(3600, false), " 01:00:00");
    EXPECT_EQ(ElapsedTimeText(-61.5, true), "-00:01:01.500");
    EXPECT_EQ(ElapsedTimeText(360000, false), " 100:00:00");
    // just under a whole second reads the next whole second
    EXPECT_EQ(ElapsedTimeText(8.0999999999, true), " 00:00:08.100");
    EXPECT_EQ(ElapsedTimeText(7.9999999, true), " 00:00:08.000");
    EXPECT_EQ(ElapsedTimeText(59.9999999, false), " 00:01:00");
}

TEST(ParseDecimalStrict, NumbersOnly)
{
    EXPECT_EQ(ParseDecimal("12.5"), 12.5);
    EXPECT_EQ(ParseDecimal("  -3 "), -3.0);
    EXPECT_EQ(ParseDecimal("+.5e2"), 50.0);
    EXPECT_EQ(ParseDecimal("1,5", true), 1.5);
    EXPECT_FALSE(ParseDecimal("1,5"));
    EXPECT_FALSE(ParseDecimal(""));
    EXPECT_FALSE(ParseDecimal("abc"));
    EXPECT_FALSE(ParseDecimal("12abc"));
    EXPECT_FALSE(ParseDecimal("1e"));
    EXPECT_FALSE(ParseDecimal("."));
    EXPECT_FALSE(ParseDecimal("1e999"));
    EXPECT_FALSE(ParseDecimal("nan"));
    EXPECT_EQ(ParseDecimal("-999.999"), -999.999);  // an ordinary number, no sentinel
}
