#include "core/number_format.h"
#include "number_format_reference.h"
#include "support/spanish_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

// Expected texts are written out by hand from the pattern rules: digits of the
// value at 15 significant digits, rounded half away from zero.

namespace {

struct TPatternCase {
    const char* Pattern;
    double Value;
    const char* Expected;
};

void PrintTo(const TPatternCase& c, std::ostream* os)
{
    *os << '"' << c.Pattern << "\" " << c.Value;
}

class FormatFloatPatterns : public ::testing::TestWithParam<TPatternCase> {};

TEST_P(FormatFloatPatterns, WritesTheExpectedText)
{
    const TPatternCase& c = GetParam();
    EXPECT_EQ(FormatFloat(c.Pattern, c.Value), c.Expected);
}

// The classic table of patterns for 1234, -1234, 0.5 and 0.
INSTANTIATE_TEST_SUITE_P(ClassicTable, FormatFloatPatterns, ::testing::Values(
    TPatternCase{"0", 1234, "1234"}, TPatternCase{"0", -1234, "-1234"},
    TPatternCase{"0", 0.5, "1"}, TPatternCase{"0", 0, "0"},
    TPatternCase{"0.00", 1234, "1234.00"}, TPatternCase{"0.00", -1234, "-1234.00"},
    TPatternCase{"0.00", 0.5, "0.50"}, TPatternCase{"0.00", 0, "0.00"},
    TPatternCase{"#.##", 1234, "1234"}, TPatternCase{"#.##", -1234, "-1234"},
    TPatternCase{"#.##", 0.5, ".5"}, TPatternCase{"#.##", 0, ""},
    TPatternCase{"#,##0.00", 1234, "1,234.00"}, TPatternCase{"#,##0.00", -1234, "-1,234.00"},
    TPatternCase{"#,##0.00", 0.5, "0.50"}, TPatternCase{"#,##0.00", 0, "0.00"},
    TPatternCase{"#,##0.00;(#,##0.00)", 1234, "1,234.00"},
    TPatternCase{"#,##0.00;(#,##0.00)", -1234, "(1,234.00)"},
    TPatternCase{"#,##0.00;(#,##0.00)", 0.5, "0.50"}, TPatternCase{"#,##0.00;(#,##0.00)", 0, "0.00"},
    TPatternCase{"#,##0.00;;Zero", 1234, "1,234.00"}, TPatternCase{"#,##0.00;;Zero", -1234, "-1,234.00"},
    TPatternCase{"#,##0.00;;Zero", 0.5, "0.50"}, TPatternCase{"#,##0.00;;Zero", 0, "Zero"},
    TPatternCase{"0.000E+00", 1234, "1.234E+03"}, TPatternCase{"0.000E+00", -1234, "-1.234E+03"},
    TPatternCase{"0.000E+00", 0.5, "5.000E-01"}, TPatternCase{"0.000E+00", 0, "0.000E+00"},
    TPatternCase{"#.###E-0", 1234, "1.234E3"}, TPatternCase{"#.###E-0", -1234, "-1.234E3"},
    TPatternCase{"#.###E-0", 0.5, "5E-1"}, TPatternCase{"#.###E-0", 0, "0E0"}));

// The engine's own patterns: axis values, series values, percentages.
INSTANTIATE_TEST_SUITE_P(EnginePatterns, FormatFloatPatterns, ::testing::Values(
    TPatternCase{"#,##0.###", 1234567.8915, "1,234,567.892"},
    TPatternCase{"#,##0.###", 0.1 + 0.2, "0.3"},
    TPatternCase{"#,##0.###", 1000, "1,000"},
    TPatternCase{"#,##0.###", 999, "999"},
    TPatternCase{"#,##0.###", -1234567, "-1,234,567"},
    TPatternCase{"#,##0.###", 0.0004, "0"},
    TPatternCase{"#,##0.###", 0.0005, "0.001"},
    TPatternCase{"#,##0.###", -2.7755575615628914e-17, "0"},
    TPatternCase{"##0.## %", 25, "25 %"},
    TPatternCase{"##0.## %", 33.333333333, "33.33 %"},
    TPatternCase{"##0.## %", 100, "100 %"},
    TPatternCase{"##0.## %", 12.345, "12.35 %"},
    TPatternCase{"##0.## %", 0.004, "0 %"},
    TPatternCase{"#,##0.#", 24, "24"},
    TPatternCase{"#,##0.#", 23.45, "23.5"},
    TPatternCase{"0.##", -1000, "-1000"},
    TPatternCase{"0.##", 1099000, "1099000"}));

// Halves go away from zero on the decimal digits of the value.
INSTANTIATE_TEST_SUITE_P(Rounding, FormatFloatPatterns, ::testing::Values(
    TPatternCase{"0", 2.5, "3"}, TPatternCase{"0", -2.5, "-3"}, TPatternCase{"0", 3.5, "4"},
    TPatternCase{"0", 0.49999999, "0"},
    TPatternCase{"0.00", 1.005, "1.01"}, TPatternCase{"0.00", 0.125, "0.13"},
    TPatternCase{"0.00", -0.125, "-0.13"}, TPatternCase{"0.00", 1e-20, "0.00"},
    TPatternCase{"#,##0.00", 999.996, "1,000.00"}, TPatternCase{"0.0#", 1, "1.0"},
    TPatternCase{"0.0#", 1.25, "1.25"}, TPatternCase{"0.0#", 1.255, "1.26"},
    TPatternCase{"0.#0", 1.5, "1.50"},
    TPatternCase{"0.000000000000000000", 0.1, "0.100000000000000000"}));

INSTANTIATE_TEST_SUITE_P(IntegerDigits, FormatFloatPatterns, ::testing::Values(
    TPatternCase{"0", 123456, "123456"}, TPatternCase{"000", 5, "005"},
    TPatternCase{"0#", 5, "05"}, TPatternCase{"#0", 5, "5"},
    TPatternCase{"0,000", 5, "0,005"}, TPatternCase{"#,#", 1234567, "1,234,567"},
    TPatternCase{".00", 12.5, "12.50"}, TPatternCase{"#", 0, ""},
    TPatternCase{"#,##0", 1e17, "100,000,000,000,000,000"},
    TPatternCase{"#,##0", 1e20, "1E20"}));

INSTANTIATE_TEST_SUITE_P(Exponents, FormatFloatPatterns, ::testing::Values(
    TPatternCase{"0.00E+000", 1.5e-7, "1.50E-007"}, TPatternCase{"00.0E+0", 12345, "12.3E+3"},
    TPatternCase{"0.000E+00", 9.9996, "1.000E+01"}, TPatternCase{"0.0e-00", 123, "1.2e02"},
    TPatternCase{"0.0E+00", 1e300, "1.0E+300"}, TPatternCase{"0E+0", 5e-324, "5E-324"}));

INSTANTIATE_TEST_SUITE_P(LiteralsAndSections, FormatFloatPatterns, ::testing::Values(
    TPatternCase{"'Value: '0.0", 3.14159, "Value: 3.1"}, TPatternCase{"\"x\"#", 5, "x5"},
    TPatternCase{"0.0' ;x';(0.0)", 2, "2.0 ;x"}, TPatternCase{"0.0' ;x';(0.0)", -2, "(2.0)"},
    TPatternCase{"0 EUR", 5, "5 EUR"}, TPatternCase{"'#0.'0", 7, "#0.7"},
    TPatternCase{"$#,##0", -1234, "-$1,234"}, TPatternCase{"'unclosed", 1, "unclosed"},
    TPatternCase{"0.0;-0.0;'zero'", -0.01, "zero"}, TPatternCase{"0.0;(0.0)", -0.01, "0.0"},
    TPatternCase{"0.0;(0.0)", 0.01, "0.0"}, TPatternCase{"0.0;;", 0, "0.0"},
    TPatternCase{";(0)", -3, "(3)"}, TPatternCase{";(0)", 3, "3"},
    TPatternCase{"", 2.5, "2.5"}));

TEST(FormatFloat, NotANumberAndInfinities)
{
    EXPECT_EQ(FormatFloat("#,##0.###", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("#,##0.###", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("#,##0.###", -std::numeric_limits<double>::infinity()), "-INF");
}

TEST(FormatFloat, DecimalCommaOnlyWhereTheSettingsAskForIt)
{
    TFormatSettings spanish;
    spanish.DecimalSeparator = ",";
    spanish.ThousandSeparator = ".";
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5, spanish), "1.234.567,50");
    EXPECT_EQ(FormatFloat("##0.## %", 12.5, spanish), "12,5 %");
    EXPECT_EQ(FormatFloat("0.00E+00", 1234, spanish), "1,23E+03");
    EXPECT_EQ(FormatFloat("#,##0.00", 1234567.5), "1,234,567.50");
}

// Whole numbers with grouping against a grouping written independently.
TEST(FormatFloat, GroupsRandomWholeNumbersByThrees)
{
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<long long> dist(-999999999999999LL, 999999999999999LL);
    for (int k = 0; k < 2000; ++k) {
        const long long n = dist(random);
        std::string digits = std::to_string(n < 0 ? -n : n);
        std::string grouped;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0)
                grouped += ',';
            grouped += digits[i];
        }
        if (n < 0)
            grouped.insert(0, "-");
        ASSERT_EQ(FormatFloat("#,##0", static_cast<double>(n)), grouped);
    }
}

TEST(FloatToStr, GeneralFormat)
{
    EXPECT_EQ(FloatToStr(0), "0");
    EXPECT_EQ(FloatToStr(-0.0), "0");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(FloatToStr(-0.25), "-0.25");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(FloatToStr(2.0 / 3.0), "0.666666666666667");
    EXPECT_EQ(FloatToStr(100), "100");
    EXPECT_EQ(FloatToStr(1234567.125), "1234567.125");
    EXPECT_EQ(FloatToStr(123456789012345.0), "123456789012345");
    EXPECT_EQ(FloatToStr(1e15), "1E15");
    EXPECT_EQ(FloatToStr(-2.5e20), "-2.5E20");
    EXPECT_EQ(FloatToStr(1e-5), "0.00001");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(1e300), "1E300");
    EXPECT_EQ(FloatToStr(-1.25e-300), "-1.25E-300");
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

// Random patterns built from every kind of pattern piece, and values of every
// size and sign, against the straightforward reference code.
std::string RandomPattern(std::mt19937_64& random)
{
    static const char* const kPieces[] = {
        "0", "0", "0", "#", "#", "#", ".", ".", ",", ",", "00", "##", "#,##0", "0.00", "E+", "E-", "e+", "e-",
        "E+00", "E-0000", "E+00000", "E", "e", "+", "-", ";", ";", "%", " ", "$", "(", ")", "'lit'", "\"x;y\"",
        "'0.#'", "''", "'", "\"", "x", "EUR", "E+0", "0E+0", "#.##E-00"};
    constexpr std::size_t kCount = sizeof kPieces / sizeof kPieces[0];
    std::uniform_int_distribution<std::size_t> piece(0, kCount - 1);
    std::uniform_int_distribution<int> length(0, 9);
    std::string pattern;
    for (int n = length(random); n > 0; --n)
        pattern += kPieces[piece(random)];
    return pattern;
}

double RandomValue(std::mt19937_64& random)
{
    static const double kSpecial[] = {0.0, -0.0, 0.5, -0.5, 1, -1, 9.9995, 999.996, 0.125, 1.005, 1e15, 1e17, 1e18,
                                      9.99999999999999e17, 1e19, 1e-5, 1e-20, 5e-324, 2.2250738585072014e-308,
                                      1.7976931348623157e308, -1.7976931348623157e308, 999999999999999.0, 0.05};
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-330, 310);
    std::uniform_int_distribution<int> small(-25, 25);
    std::uniform_int_distribution<long long> whole(-99999999999LL, 99999999999LL);
    switch (kind(random)) {
    case 0: return kSpecial[std::uniform_int_distribution<std::size_t>(0, std::size(kSpecial) - 1)(random)];
    case 1: return unit(random) * std::pow(10.0, exponent(random));
    case 2: return unit(random) * std::pow(10.0, small(random));
    case 3: return static_cast<double>(whole(random)) / std::pow(10.0, std::uniform_int_distribution<int>(0, 6)(random));
    case 4: return (static_cast<double>(whole(random) % 100000) + 0.5) / std::pow(10.0, std::uniform_int_distribution<int>(0, 4)(random));
    default: return static_cast<double>(whole(random));
    }
}

TEST(NumberPattern, AgreesWithTheReferenceOnRandomPatternsAndValues)
{
    TFormatSettings other;
    other.DecimalSeparator = ",";
    other.ThousandSeparator = "\xC2\xA0";  // a separator of more than one byte
    std::mt19937_64 random(20250307);
    for (int k = 0; k < 4000; ++k) {
        const std::string pattern = RandomPattern(random);
        const TNumberPattern prepared(pattern);
        for (int j = 0; j < 40; ++j) {
            const double value = RandomValue(random);
            const TFormatSettings& settings = j % 4 == 3 ? other : DefaultFormatSettings();
            const std::string expected = number_format_reference::ReferenceFormatFloat(pattern, value, settings);
            ASSERT_EQ(prepared.Format(value, settings), expected) << '"' << pattern << "\" " << value;
            ASSERT_EQ(FormatFloat(pattern, value, settings), expected) << '"' << pattern << "\" " << value;
        }
    }
}

TEST(NumberPattern, AgreesWithTheReferenceOnTheEditorPatterns)
{
    std::vector<std::string> patterns = {"0", "#,##0.###", "##0.## %", "#,##0.00;(#,##0.00);Zero"};
    for (int digits = 1; digits <= 16; ++digits)
        patterns.push_back("0." + std::string(static_cast<std::size_t>(digits), '0') + "E+0000");
    for (int digits = 1; digits <= 20; ++digits)
        patterns.push_back("0." + std::string(static_cast<std::size_t>(digits), '0'));
    for (int optional = 0; optional <= 13; ++optional)
        patterns.push_back("0.0" + std::string(static_cast<std::size_t>(optional), '#') + "E+0000");
    std::mt19937_64 random(77);
    for (const std::string& pattern : patterns) {
        const TNumberPattern prepared(pattern);
        for (int j = 0; j < 3000; ++j) {
            const double value = RandomValue(random);
            ASSERT_EQ(prepared.Format(value), number_format_reference::ReferenceFormatFloat(pattern, value, DefaultFormatSettings()))
                << '"' << pattern << "\" " << value;
        }
    }
}

TEST(NumberPattern, AppendsToTheGivenText)
{
    const TNumberPattern pattern("#,##0.00;(#,##0.00)");
    std::string text = "a";
    pattern.AppendTo(text, -1234.5);
    pattern.AppendTo(text, std::numeric_limits<double>::infinity());
    EXPECT_EQ(text, "a(1,234.50)INF");
    EXPECT_EQ(pattern.Pattern(), "#,##0.00;(#,##0.00)");
    EXPECT_EQ(TNumberPattern().Format(2.5), "2.5");
}

// More patterns than the per-thread store holds, used in turn.
TEST(NumberPattern, FormatFloatKeepsManyPatternsApart)
{
    for (int round = 0; round < 3; ++round)
        for (int digits = 0; digits < 12; ++digits) {
            const std::string pattern = digits == 0 ? "0" : "0." + std::string(static_cast<std::size_t>(digits), '0');
            ASSERT_EQ(FormatFloat(pattern, 2.0 / 3.0), digits == 0 ? "1" : "0." + std::string(static_cast<std::size_t>(digits) - 1, '6') + "7");
        }
}

TEST(FloatToStr, AgreesWithTheReferenceOnRandomValues)
{
    TFormatSettings comma;
    comma.DecimalSeparator = ",";
    std::mt19937_64 random(4242);
    for (int k = 0; k < 100000; ++k) {
        const double value = RandomValue(random);
        ASSERT_EQ(FloatToStr(value), number_format_reference::ReferenceFloatToStr(value, DefaultFormatSettings())) << value;
        ASSERT_EQ(FloatToStr(value, comma), number_format_reference::ReferenceFloatToStr(value, comma)) << value;
    }
}

TEST(FloatToStr, DecimalSeparatorFromTheSettings)
{
    TFormatSettings settings;
    settings.DecimalSeparator = ",";
    EXPECT_EQ(FloatToStr(2.5, settings), "2,5");
    EXPECT_EQ(FloatToStr(1.5e-7, settings), "1,5E-7");
    EXPECT_EQ(FloatToStr(0.001, settings), "0,001");
}

} // namespace

TEST_F(SpanishLocale, NumberTextsIgnoreTheProcessLocale)
{
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(FormatFloat("#,##0.###", 1234.5678), "1,234.568");
    EXPECT_EQ(FormatFloat("##0.## %", 12.345), "12.35 %");
    EXPECT_EQ(FormatFloat("0.000E+00", 0.5), "5.000E-01");
    EXPECT_EQ(FloatToStr(2.5), "2.5");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
}
