#include "core/format_settings.h"

#include <gtest/gtest.h>

TEST(FormatSettings, EnglishDefaults)
{
    const TFormatSettings& s = DefaultFormatSettings();
    EXPECT_EQ(s.DecimalSeparator, ".");
    EXPECT_EQ(s.ThousandSeparator, ",");
    EXPECT_EQ(s.DateSeparator, "/");
    EXPECT_EQ(s.TimeSeparator, ":");
    EXPECT_EQ(s.ShortDateFormat, "m/d/yyyy");
    EXPECT_EQ(s.LongTimeFormat, "h:nn:ss AMPM");
    EXPECT_EQ(s.LongMonthNames[0], "January");
    EXPECT_EQ(s.LongMonthNames[11], "December");
    EXPECT_EQ(s.ShortMonthNames[8], "Sep");
    EXPECT_EQ(s.LongDayNames[0], "Sunday");
    EXPECT_EQ(s.ShortDayNames[6], "Sat");
}

TEST(FormatSettings, DefaultsAreOneSharedObject)
{
    EXPECT_EQ(&DefaultFormatSettings(), &DefaultFormatSettings());
}

TEST(PatternLiterals, QuotedTextUpToTheClosingQuoteOrTheEnd)
{
    EXPECT_EQ(PatternLiteralLength("a'bc'd", 1), 4u);
    EXPECT_EQ(PatternLiteralText("a'bc'd", 1, 4), "bc");
    EXPECT_EQ(PatternLiteralLength("a\"b'c\"", 1), 5u);
    EXPECT_EQ(PatternLiteralText("a\"b'c\"", 1, 5), "b'c");
    EXPECT_EQ(PatternLiteralLength("a'bc", 1), 3u);
    EXPECT_EQ(PatternLiteralText("a'bc", 1, 3), "bc");
    EXPECT_EQ(PatternLiteralLength("'", 0), 1u);
    EXPECT_EQ(PatternLiteralText("'", 0, 1), "");
    EXPECT_EQ(PatternLiteralLength("abc", 0), 0u);
}
