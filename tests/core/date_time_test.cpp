#include "core/date_time.h"
#include "support/spanish_locale.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

namespace {

namespace chr = std::chrono;

// Reference day numbers from the standard library's civil calendar:
// days between 1899-12-30 and the date.
double referenceDayNumber(int y, unsigned m, unsigned d)
{
    const chr::sys_days date{chr::year{y} / chr::month{m} / chr::day{d}};
    const chr::sys_days origin{chr::year{1899} / chr::December / chr::day{30}};
    return static_cast<double>((date - origin).count());
}

TEST(EncodeDate, KnownDayNumbers)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1899, 12, 31), 1.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2000, 2, 29), 36585.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
}

TEST(EncodeDate, RejectsDaysOutsideTheCalendar)
{
    TDateTime d = 123.0;
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(2100, 2, 29, d));
    EXPECT_TRUE(TryEncodeDate(2004, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(2001, 4, 31, d));
    EXPECT_FALSE(TryEncodeDate(2001, 13, 1, d));
    EXPECT_FALSE(TryEncodeDate(2001, 0, 1, d));
    EXPECT_FALSE(TryEncodeDate(2001, 1, 0, d));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
    EXPECT_THROW(EncodeDate(1900, 2, 29), EConvertError);
}

TEST(EncodeDate, MatchesTheCivilCalendarOnRandomDates)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> year(1, 9999), month(1, 12), day(1, 31);
    for (int k = 0; k < 20000; ++k) {
        const int y = year(random), m = month(random), d = day(random);
        const bool valid = chr::year_month_day{chr::year{y} / chr::month{unsigned(m)} / chr::day{unsigned(d)}}.ok();
        TDateTime date = 0;
        ASSERT_EQ(TryEncodeDate(y, m, d, date), valid) << y << '-' << m << '-' << d;
        if (!valid)
            continue;
        ASSERT_EQ(date, referenceDayNumber(y, unsigned(m), unsigned(d)));
        int yy = 0, mm = 0, dd = 0;
        ASSERT_TRUE(DecodeDate(date < 0 ? date - 0.75 : date + 0.75, yy, mm, dd));
        ASSERT_EQ(yy, y);
        ASSERT_EQ(mm, m);
        ASSERT_EQ(dd, d);
    }
}

TEST(DecodeDate, NegativeDayNumbersKeepTheFractionAsTime)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    ASSERT_TRUE(DecodeDate(-1.25, y, m, d));
    EXPECT_EQ(y, 1899);
    EXPECT_EQ(m, 12);
    EXPECT_EQ(d, 29);
    DecodeTime(-1.25, h, n, s, ms);
    EXPECT_EQ(h, 6);
    EXPECT_EQ(n, 0);
    ASSERT_TRUE(DecodeDate(-0.5, y, m, d));
    EXPECT_EQ(d, 30);
    DecodeTime(-0.5, h, n, s, ms);
    EXPECT_EQ(h, 12);
}

TEST(DecodeDate, RoundsToTheMillisecondBeforeSplitting)
{
    int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
    const double almostMidnight = 36526.0 + 86399999.6 / 86400000.0;
    ASSERT_TRUE(DecodeDate(almostMidnight, y, m, d));
    EXPECT_EQ(d, 2);
    DecodeTime(almostMidnight, h, n, s, ms);
    EXPECT_EQ(h + n + s + ms, 0);
}

TEST(DecodeDate, OutsideTheCalendarGivesZeros)
{
    int y = 1, m = 1, d = 1;
    EXPECT_FALSE(DecodeDate(3e6, y, m, d));
    EXPECT_EQ(y + m + d, 0);
    EXPECT_FALSE(DecodeDate(-693594.0, y, m, d));
    EXPECT_FALSE(DecodeDate(std::numeric_limits<double>::quiet_NaN(), y, m, d));
    EXPECT_FALSE(DecodeDate(std::numeric_limits<double>::infinity(), y, m, d));
    EXPECT_TRUE(DecodeDate(-693593.0, y, m, d));
    EXPECT_EQ(y, 1);
}

TEST(EncodeTime, FractionsOfADay)
{
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
    EXPECT_DOUBLE_EQ(EncodeTime(23, 59, 59, 999), 86399999.0 / 86400000.0);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 60, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
    EXPECT_THROW(EncodeTime(-1, 0, 0, 0), EConvertError);
}

TEST(DecodeTime, EveryMinuteOfADayRoundTrips)
{
    for (int minute = 0; minute < 1440; ++minute) {
        const double t = 40000.0 + EncodeTime(minute / 60, minute % 60, 17, 345);
        int h = 0, n = 0, s = 0, ms = 0;
        DecodeTime(t, h, n, s, ms);
        ASSERT_EQ(h * 60 + n, minute);
        ASSERT_EQ(s, 17);
        ASSERT_EQ(ms, 345);
    }
}

TEST(DayOfWeek, SundayIsOne)
{
    EXPECT_EQ(DayOfWeek(0), 7);                         // 1899-12-30, Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(1900, 1, 1)), 2);    // Monday
    EXPECT_EQ(DayOfWeek(EncodeDate(2000, 1, 1)), 7);    // Saturday
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 6, 9)), 1);    // Sunday
    EXPECT_EQ(DayOfWeek(-1.5), 6);                      // 1899-12-29, Friday
    EXPECT_EQ(DayOfWeek(1e9), 0);
}

class FormatDateTimeTest : public ::testing::Test {
protected:
    // Monday 5 March 2007, 14:07:09.045
    const double m_value = EncodeDate(2007, 3, 5) + EncodeTime(14, 7, 9, 45);
};

TEST_F(FormatDateTimeTest, NumbersAndNames)
{
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", m_value), "2007-03-05 14:07:09.045");
    EXPECT_EQ(FormatDateTime("d/m/yy", m_value), "5/3/07");
    EXPECT_EQ(FormatDateTime("dddd, mmmm d", m_value), "Monday, March 5");
    EXPECT_EQ(FormatDateTime("ddd mmm", m_value), "Mon Mar");
    EXPECT_EQ(FormatDateTime("h:n:s z", m_value), "14:7:9 45");
    EXPECT_EQ(FormatDateTime("YYYY-MM-DD HH:NN", m_value), "2007-03-05 14:07");
    EXPECT_EQ(FormatDateTime("yy", EncodeDate(2000, 7, 1)), "00");
}

TEST_F(FormatDateTimeTest, MinutesAfterHours)
{
    EXPECT_EQ(FormatDateTime("hh:mm", m_value), "14:07");
    EXPECT_EQ(FormatDateTime("h mm", m_value), "14 07");
    EXPECT_EQ(FormatDateTime("mm hh", m_value), "03 14");
    EXPECT_EQ(FormatDateTime("hh:nn mm", m_value), "14:07 03");
}

TEST_F(FormatDateTimeTest, TwelveHourClock)
{
    EXPECT_EQ(FormatDateTime("h:nn am/pm", m_value), "2:07 pm");
    EXPECT_EQ(FormatDateTime("h:nn AM/PM", m_value), "2:07 PM");
    EXPECT_EQ(FormatDateTime("h a/p", m_value), "2 p");
    EXPECT_EQ(FormatDateTime("h:nn ampm", m_value), "2:07 PM");
    EXPECT_EQ(FormatDateTime("hh am/pm", EncodeTime(0, 30, 0, 0)), "12 am");
    EXPECT_EQ(FormatDateTime("h:nn am/pm", EncodeTime(12, 0, 0, 0)), "12:00 pm");
    EXPECT_EQ(FormatDateTime("h A/P", EncodeTime(9, 0, 0, 0)), "9 A");
    EXPECT_EQ(FormatDateTime("'am/pm' hh", m_value), "am/pm 14");
}

TEST_F(FormatDateTimeTest, NamedFormats)
{
    EXPECT_EQ(FormatDateTime("c", m_value), "3/5/2007 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("", m_value), "3/5/2007 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2007, 3, 5)), "3/5/2007");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2007, 3, 5)), "3/5/2007");
    EXPECT_EQ(FormatDateTime("ddddd", m_value), "3/5/2007");
    EXPECT_EQ(FormatDateTime("dddddd", m_value), "Monday, March 5, 2007");
    EXPECT_EQ(FormatDateTime("t", m_value), "2:07 PM");
    EXPECT_EQ(FormatDateTime("tt", m_value), "2:07:09 PM");
}

TEST_F(FormatDateTimeTest, LiteralsAndSeparators)
{
    EXPECT_EQ(FormatDateTime("'Day' d", m_value), "Day 5");
    EXPECT_EQ(FormatDateTime("\"at\" hh", m_value), "at 14");
    EXPECT_EQ(FormatDateTime("dd'/'mm", m_value), "05/03");
    EXPECT_EQ(FormatDateTime("'open", m_value), "open");
    TFormatSettings s;
    s.DateSeparator = "-";
    s.TimeSeparator = ".";
    s.LongMonthNames[2] = "marzo";
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy hh:nn", m_value, s), "05-03-2007 14.07");
    EXPECT_EQ(FormatDateTime("d mmmm", m_value, s), "5 marzo");
}

TEST_F(FormatDateTimeTest, SelfReferringFormatsEnd)
{
    TFormatSettings s;
    s.ShortDateFormat = "c";
    s.LongTimeFormat = "tt";
    EXPECT_NO_THROW(FormatDateTime("c", m_value, s));
}

TEST_F(FormatDateTimeTest, NegativeDayNumbers)
{
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -700000.0), "0000-00-00 00:00");
}

} // namespace

TEST_F(SpanishLocale, DateTextsIgnoreTheProcessLocale)
{
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const double value = EncodeDate(2007, 3, 5) + EncodeTime(14, 7, 9, 45);
    EXPECT_EQ(FormatDateTime("dddd d mmmm yyyy", value), "Monday 5 March 2007");
    EXPECT_EQ(FormatDateTime("c", value), "3/5/2007 2:07:09 PM");
    EXPECT_EQ(FormatDateTime("ss.zzz", value), "09.045");
}
