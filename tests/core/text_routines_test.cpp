#include "core/text_routines.h"
#include "testing/settable_clock.h"
#include "support/spanish_locale.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstdint>
#include <cmath>
#include <filesystem>
#include <limits>
#include <ostream>
#include <locale>
#include <random>
#include <regex>
#include <stdexcept>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// Day number of a time of day, in days.
double dayNumber(double day, int h, int m, int s)
{
    return day + (h * 3600.0 + m * 60.0 + s) / 86400.0;
}

struct THMS {
    std::uint32_t h;
    std::uint16_t m, s;
    bool operator==(const THMS&) const = default;
};

void PrintTo(const THMS& t, std::ostream* os)
{
    *os << t.h << ":" << t.m << ":" << t.s;
}

// MinutesToHMS into outputs that held Before.
THMS HMSOf(double Minutes, THMS Before)
{
    MinutesToHMS(Minutes, Before.h, Before.m, Before.s);
    return Before;
}

} // namespace

// --- time ----------------------------------------------------------------

TEST(FormatTime, HoursUnpaddedMinutesAndSecondsOnTwoDigits)
{
    EXPECT_EQ(FormatHMS(9, 5, 0), "9:05:00");
    EXPECT_EQ(FormatHMS(12, 30, 7), "12:30:07");
    EXPECT_EQ(FormatHMS(0, 0, 0), "0:00:00");
    EXPECT_EQ(FormatHMS(123, 10, 59), "123:10:59");
}

TEST(FormatTime, TimeOfDayOfADayNumber)
{
    EXPECT_EQ(FormatTimeHMS(dayNumber(45000, 9, 5, 0)), "9:05:00");
    EXPECT_EQ(FormatTimeHMS(dayNumber(45000, 12, 30, 7)), "12:30:07");
    EXPECT_EQ(FormatTimeHMS(0.0), "0:00:00");
    EXPECT_EQ(FormatTimeHMS(0.5), "12:00:00");
    EXPECT_EQ(FormatTimeHMS(dayNumber(36526, 23, 59, 59)), "23:59:59");
    // Rounded to the millisecond first: half a millisecond before midnight is midnight.
    EXPECT_EQ(FormatTimeHMS(45000.0 + (86400000.0 - 0.4) / 86400000.0), "0:00:00");
    // 1899-12-29 06:00 is day -1.25.
    EXPECT_EQ(FormatTimeHMS(-1.25), "6:00:00");
}

TEST(FormatTime, NonFiniteDayNumbersGiveMidnight)
{
    EXPECT_EQ(FormatTimeHMS(std::numeric_limits<double>::quiet_NaN()), "0:00:00");
    EXPECT_EQ(FormatTimeHMS(std::numeric_limits<double>::infinity()), "0:00:00");
    EXPECT_EQ(FormatTimeHMS(1e300), "0:00:00");
    EXPECT_EQ(FormatTimeHMS(-5e11), "0:00:00");
    // The last calendar day still has its time.
    EXPECT_EQ(FormatTimeHMS(dayNumber(2958465, 18, 0, 1)), "18:00:01");
}

TEST(MinutesToHMS, SplitsMinutesIntoHoursMinutesSeconds)
{
    const std::vector<std::pair<double, THMS>> cases{
        {125.5, {2, 5, 30}}, {59.99, {0, 59, 59}}, {0.0, {0, 0, 0}},       {60.0, {1, 0, 0}},
        {61.25, {1, 1, 15}}, {0.5, {0, 0, 30}},    {1439.0, {23, 59, 0}}, {600.75, {10, 0, 45}},
    };
    for (const auto& [minutes, hms] : cases)
        EXPECT_EQ(HMSOf(minutes, {99, 99, 99}), hms) << minutes;
}

TEST(MinutesToHMS, RunsPastSixteenBitsOfMinutesKeepTheirHours)
{
    struct Case {
        double minutes;
        THMS hms;
        const char* text;
    };
    // 65536 = 1092 * 60 + 16; 100000 = 1666 * 60 + 40; 4e6 = 66666 * 60 + 40
    const std::vector<Case> cases{
        {65535.0, {1092, 15, 0}, "1092:15:00"},
        {65536.5, {1092, 16, 30}, "1092:16:30"},
        {100000.25, {1666, 40, 15}, "1666:40:15"},
        {4e6 + 0.75, {66666, 40, 45}, "66666:40:45"},
    };
    for (const Case& c : cases) {
        const THMS got = HMSOf(c.minutes, {0, 99, 99});
        EXPECT_EQ(got, c.hms) << c.minutes;
        EXPECT_EQ(FormatHMS(got.h, got.m, got.s), c.text);
    }
    std::uint32_t h = 0;
    std::uint16_t m = 0, s = 0;
    MinutesToHMS(1e300, h, m, s);  // stops at the last whole hour count
    EXPECT_EQ(h, 0xFFFFFFFFu);
    EXPECT_EQ(m, 59);
    EXPECT_EQ(s, 59);
}

TEST(MinutesToHMS, NotANumberGivesZero)
{
    std::uint32_t h = 1;
    std::uint16_t m = 1, s = 1;
    MinutesToHMS(std::numeric_limits<double>::quiet_NaN(), h, m, s);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(s, 0);
    // Infinite and negative inputs must stay defined (no trap under UBSan).
    MinutesToHMS(std::numeric_limits<double>::infinity(), h, m, s);
    MinutesToHMS(-5.5, h, m, s);
    MinutesToHMS(-1e30, h, m, s);
}

namespace {

// Monotonic clock that moves a fixed step at every reading.
class SteppingClock : public platform::SettableClock {
public:
    explicit SteppingClock(double step) : m_step(step) {}
    double MonotonicSeconds() const override
    {
        const double now = m_now;
        m_now += m_step;
        ++reads;
        if (first < 0)
            first = now;
        last = now;
        return now;
    }
    mutable int reads = 0;
    mutable double first = -1.0;
    mutable double last = -1.0;

private:
    double m_step;
    mutable double m_now = 0.0;
};

} // namespace

TEST(DelaySeconds, WaitsUntilTheAbsoluteSpanHasPassed)
{
    for (double seconds : {1.0, -1.0, 0.3}) {
        SteppingClock clock(0.25);
        platform::ScopedClock scoped(clock);
        DelaySeconds(seconds);
        EXPECT_GE(clock.last - clock.first, std::fabs(seconds)) << seconds;
        EXPECT_LT(clock.last - clock.first, std::fabs(seconds) + 0.25) << seconds;
    }
}

// Counts the sleeps and readings of a settable clock.
class SleepCountingClock : public platform::SettableClock {
public:
    double MonotonicSeconds() const override
    {
        ++reads;
        return SettableClock::MonotonicSeconds();
    }
    void SleepFor(double seconds) override
    {
        sleeps.push_back(seconds);
        SettableClock::SleepFor(seconds);
    }
    mutable int reads = 0;
    std::vector<double> sleeps;
};

TEST(DelaySeconds, SleepsTheWholeSpanInsteadOfPolling)
{
    SleepCountingClock clock;
    platform::ScopedClock scoped(clock);
    DelaySeconds(-2.5);
    ASSERT_EQ(clock.sleeps.size(), 1u);
    EXPECT_DOUBLE_EQ(clock.sleeps[0], 2.5);
    EXPECT_EQ(clock.reads, 3);  // start, before the sleep, after it
    EXPECT_DOUBLE_EQ(clock.MonotonicSeconds(), 2.5);
}

TEST(DelaySeconds, ZeroReturnsAtOnce)
{
    SteppingClock clock(1.0);
    platform::ScopedClock scoped(clock);
    DelaySeconds(0.0);
    EXPECT_LE(clock.reads, 2);
}

// --- text ----------------------------------------------------------------

TEST(SameLeadingText, ComparesTheFirstNCharactersWithoutCase)
{
    EXPECT_TRUE(SameLeadingText("Population", "POP", 3));
    EXPECT_FALSE(SameLeadingText("po", "pop", 3));
    EXPECT_FALSE(SameLeadingText("pop", "po", 3));
    EXPECT_FALSE(SameLeadingText("Popular", "Pos", 3));
    EXPECT_TRUE(SameLeadingText("abc", "ABD", 2));
    EXPECT_TRUE(SameLeadingText("", "", 0));
    EXPECT_TRUE(SameLeadingText("x", "y", 0));
    EXPECT_TRUE(SameLeadingText("x", "y", -2));
}

TEST(SameLeadingText, CountsCharactersNotBytes)
{
    // "Aña" and "Añb" share their first three bytes but not three characters.
    EXPECT_FALSE(SameLeadingText("Aña", "Añb", 3));
    EXPECT_FALSE(SameLeadingText("Añox", "AÑOy", 2));
    EXPECT_TRUE(SameLeadingText("añoX", "AñOY", 3));
    // "Año" is four bytes but three characters.
    EXPECT_FALSE(SameLeadingText("Año", "Año", 4));
    // Only ASCII letters are folded.
    EXPECT_FALSE(SameLeadingText("ñu", "Ñu", 2));
}

TEST(DistributionKind, FirstThreeLettersWithoutCase)
{
    EXPECT_EQ(DistributionKind("Normal"), 1);
    EXPECT_EQ(DistributionKind("nor"), 1);
    EXPECT_EQ(DistributionKind("NORMALITY"), 1);
    EXPECT_EQ(DistributionKind("UNIFORM"), 2);
    EXPECT_EQ(DistributionKind("Uniforme"), 2);
    EXPECT_EQ(DistributionKind("lognormal"), 0);
    EXPECT_EQ(DistributionKind(""), 0);
    EXPECT_EQ(DistributionKind("no"), 0);
    EXPECT_EQ(DistributionKind(" normal"), 0);
}

struct NumberCase {
    const char* text;
    double value;
};

class TextToFloatValid : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToFloatValid, ReadsTheNumber)
{
    EXPECT_EQ(TextToFloat(GetParam().text), GetParam().value) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Grammar, TextToFloatValid,
    ::testing::Values(NumberCase{"3,5", 3.5}, NumberCase{"3.5", 3.5}, NumberCase{"1e5", 100000.0},
        NumberCase{"1E+5", 100000.0}, NumberCase{"2.5e-3", 0.0025}, NumberCase{"-.5", -0.5},
        NumberCase{"+2", 2.0}, NumberCase{"5.", 5.0}, NumberCase{".5", 0.5}, NumberCase{",5", 0.5},
        NumberCase{" 1", 1.0}, NumberCase{"   -2,25e1", -22.5}, NumberCase{"0", 0.0},
        NumberCase{"007", 7.0}, NumberCase{"1,5e2", 150.0}, NumberCase{"-0", 0.0},
        NumberCase{"0.1", 0.1}, NumberCase{"123456789012345678901234567890", 1.2345678901234568e29},
        NumberCase{"1.7976931348623157e308", 1.7976931348623157e308},
        NumberCase{"4.9e-324", 4.9e-324}, NumberCase{"1e-400", 0.0},
        NumberCase{"0.0001e-400", 0.0}, NumberCase{"1000e-330", 0.0}, NumberCase{"0.001e-320", 1e-323},
        NumberCase{"0.001e310", 1e307}, NumberCase{"0e999999", 0.0},
        NumberCase{"1e-99999999999999999999", 0.0},
        NumberCase{"-999.999", -999.999}));

class TextToFloatInvalid : public ::testing::TestWithParam<const char*> {};

TEST_P(TextToFloatInvalid, GivesTheNoNumberValue)
{
    EXPECT_EQ(TextToFloat(GetParam()), -999.999) << '"' << GetParam() << '"';
}

INSTANTIATE_TEST_SUITE_P(Grammar, TextToFloatInvalid,
    ::testing::Values("", " ", ".", "+", "-", "+.", "1e", "1e+", "e5", "1 ", "3,5 ", "1,000,5",
        "1.000,5", "1.2.3", "--1", "+-1", " - 1", "\t1", "1\t", "inf", "-inf", "nan", "infinity",
        "0x10", "1e400", "-1e400", "0.01e311", "9e99999999999999999999", "abc", "1_000", "1'000", "1d5",
        "١"));

TEST(TextToFloat, AgreesWithARegularGrammarOnEveryShortText)
{
    // Second method: the grammar as a regular expression, after the first
    // comma has become a point.
    const std::regex number(R"(^ *[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$)");
    const std::string alphabet = "05.,eE+- x";
    std::vector<std::string> texts{""};
    for (int length = 1; length <= 4; ++length) {
        std::vector<std::string> longer;
        for (const std::string& t : texts)
            if (t.size() == static_cast<std::size_t>(length - 1))
                for (char c : alphabet)
                    longer.push_back(t + c);
        texts.insert(texts.end(), longer.begin(), longer.end());
    }
    for (const std::string& text : texts) {
        std::string pointed = text;
        if (const auto comma = pointed.find(','); comma != std::string::npos)
            pointed[comma] = '.';
        const bool valid = std::regex_match(pointed, number);
        const double value = TextToFloat(text);
        if (valid) {
            EXPECT_TRUE(std::isfinite(value)) << '"' << text << '"';
            EXPECT_NE(value, -999.999) << '"' << text << '"';
        } else {
            EXPECT_EQ(value, -999.999) << '"' << text << '"';
        }
    }
}

TEST(TextToFloat, RoundTripsShortestDecimalTexts)
{
    std::mt19937_64 generator(20261208);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    for (int i = 0; i < 2000; ++i) {
        const double x = std::ldexp(mantissa(generator), exponent(generator));
        char buffer[64];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
        std::string text(buffer, result.ptr);
        EXPECT_EQ(TextToFloat(text), x) << text;
        if (const auto point = text.find('.'); point != std::string::npos)
            text[point] = ',';
        EXPECT_EQ(TextToFloat(text), x) << text;
    }
}

TEST(TextToFloat, EmbeddedNulIsNoNumber)
{
    EXPECT_EQ(TextToFloat(std::string_view("1\0" "5", 3)), -999.999);
}

TEST_F(SpanishLocale, NumbersAndTimeTextsIgnoreTheProcessLocale)
{
    // The locale really is Spanish: its decimal point is a comma.
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(TextToFloat("3.5"), 3.5);
    EXPECT_EQ(TextToFloat("3,5"), 3.5);
    EXPECT_EQ(TextToFloat("1,000,5"), -999.999);
    EXPECT_EQ(TextToFloat("1.234,5"), -999.999);
    EXPECT_EQ(TextToFloat("-2,5e3"), -2500.0);
    EXPECT_EQ(FormatHMS(1234, 5, 6), "1234:05:06");
    EXPECT_EQ(FormatTimeHMS(dayNumber(45000, 9, 5, 0)), "9:05:00");
    EXPECT_EQ(AlignRight("1234", 6), "  1234");
}

TEST(FileVersionCompatible, AcceptsEveryVersion)
{
    EXPECT_TRUE(FileVersionCompatible(""));
    EXPECT_TRUE(FileVersionCompatible("1.0"));
    EXPECT_TRUE(FileVersionCompatible("99.9"));
    EXPECT_TRUE(FileVersionCompatible("not a version"));
}

// Runs the test in a known working folder and goes back afterwards.
class AppDirFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = std::filesystem::current_path();
        m_folder = std::filesystem::temp_directory_path() / ("vexa appdir " + std::to_string(::getpid()));
        std::filesystem::create_directories(m_folder);
        std::filesystem::current_path(m_folder);
        m_folder = std::filesystem::current_path();
    }
    void TearDown() override
    {
        std::filesystem::current_path(m_previous);
        std::filesystem::remove_all(m_folder);
    }

    std::filesystem::path m_previous;
    std::filesystem::path m_folder;
};

TEST_F(AppDirFolder, ExpandsTheLeadingPlaceholder)
{
    const std::string folder = m_folder.string();
    ASSERT_EQ(folder.front(), '/');
    std::string url;
    AppDirURL("{appdir}help/a.htm", url);
    EXPECT_EQ(url, "file://" + folder + "/help/a.htm");
    AppDirURL("{appdir}", url);
    EXPECT_EQ(url, "file://" + folder + "/");
    AppDirURL("{appdir}a}b", url);
    EXPECT_EQ(url, "file://" + folder + "/a}b");
}

TEST_F(AppDirFolder, OtherTextsComeBackUnchanged)
{
    for (const char* text : {"{docs}help/a.htm", "help/a.htm", "{appdir", "{APPDIR}a.htm",
             "x{appdir}a.htm", " {appdir}a.htm", "http://example.org/{appdir}", ""}) {
        std::string url = "previous";
        AppDirURL(text, url);
        EXPECT_EQ(url, text);
    }
}

TEST_F(AppDirFolder, ResultMayBeTheArgument)
{
    std::string text = "{appdir}x.htm";
    AppDirURL(text, text);
    EXPECT_EQ(text, "file://" + m_folder.string() + "/x.htm");
}

TEST(ItemOrFirst, FallsBackToTheFirstItem)
{
    const std::vector<int> a{10, 20, 30};
    EXPECT_EQ(ItemOrFirst(0, a), 10);
    EXPECT_EQ(ItemOrFirst(1, a), 20);
    EXPECT_EQ(ItemOrFirst(2, a), 30);
    EXPECT_EQ(ItemOrFirst(3, a), 10);
    EXPECT_EQ(ItemOrFirst(-1, a), 10);
    EXPECT_EQ(ItemOrFirst(1, std::vector<int>{}), 0);

    const std::vector<TColor> palette{0x800000, 0x0000FF};
    EXPECT_EQ(ItemOrFirst(1, palette), 0x0000FFu);
    EXPECT_EQ(ItemOrFirst(2, palette), 0x800000u);
    EXPECT_EQ(ItemOrFirst(0, std::vector<TColor>{}), 0u);
}

TEST(AlignRight, PadsOrCutsToNCharacters)
{
    EXPECT_EQ(AlignRight("12", 5), "   12");
    EXPECT_EQ(AlignRight(" \t12\r\n", 5), "   12");
    EXPECT_EQ(AlignRight("123456", 3), "456");
    EXPECT_EQ(AlignRight("12", 2), "12");
    EXPECT_EQ(AlignRight("", 3), "   ");
    EXPECT_EQ(AlignRight("12", 0), "");
    EXPECT_EQ(AlignRight("12", -3), "");
    // Characters, not bytes: "Año" is three characters.
    EXPECT_EQ(AlignRight("Año", 5), "  Año");
    EXPECT_EQ(AlignRight("añoñ", 2), "oñ");
}

TEST(RightChars, LastCharactersUntrimmed)
{
    EXPECT_EQ(RightChars("abcdef", 3), "def");
    EXPECT_EQ(RightChars("ab", 5), "ab");
    EXPECT_EQ(RightChars(" ab ", 3), "ab ");
    EXPECT_EQ(RightChars("Año", 2), "ño");
    EXPECT_EQ(RightChars("Año", 3), "Año");
    EXPECT_EQ(RightChars("abc", 0), "");
    EXPECT_EQ(RightChars("abc", -1), "");
}
