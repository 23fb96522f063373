#include "widgets/scale_ticks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "core/date_time.h"
#include "testing/recording_device.h"
#include "recorder_install.h"
#include "widgets/scale.h"

namespace {

TTickSettings Linear(double low, double high, int minTicks = 3)
{
    TTickSettings s;
    s.low = low;
    s.high = high;
    s.minTicks = minTicks;
    s.pixels = 360;
    return s;
}

TTickSettings Dates(double low, double high, int minTicks = 3)
{
    TTickSettings s = Linear(low, high, minTicks);
    s.labelType = ftDateTime;
    s.dateFormat.SetDateSeparator('-');
    s.dateFormat.SetTimeSeparator(':');
    s.dateFormat.SetYearLength(ylYYYY);
    s.dateFormat.SetMonthName(true);
    s.dateFormat.SetDateForTime(dtOnePerDay);
    s.dateFormat.SetDateOrder(doDDMMYY);
    return s;
}

std::vector<double> Values(const TTickPlan& plan, bool major)
{
    std::vector<double> v;
    for (const TTickMark& m : plan.ticks)
        if (m.major == major)
            v.push_back(m.value);
    return v;
}

std::vector<std::string> Labels(const TTickPlan& plan)
{
    std::vector<std::string> v;
    for (const TTickMark& m : plan.ticks)
        if (m.labelled)
            v.push_back(m.label);
    return v;
}

using Doubles = std::vector<double>;
using Texts = std::vector<std::string>;

}  // namespace

TEST(LinearTicks, MajorsEveryTwentyMinorsEveryFive)
{
    const TTickPlan plan = LinearTicks(Linear(0, 100));
    EXPECT_EQ(Values(plan, true), (Doubles{0, 20, 40, 60, 80, 100}));
    Doubles minors;
    for (int v = 0; v <= 100; v += 5)
        minors.push_back(v);
    EXPECT_EQ(Values(plan, false), minors);
    EXPECT_EQ(Labels(plan), (Texts{"0", "20", "40", "60", "80", "100"}));
    // only the minor pass is recorded
    for (const TTickMark& m : plan.ticks)
        EXPECT_EQ(m.record, !m.major);
}

TEST(LinearTicks, ReversedRangeCountsDown)
{
    const TTickPlan plan = LinearTicks(Linear(1, 0));
    EXPECT_EQ(Labels(plan), (Texts{"1.00", "0.80", "0.60", "0.40", "0.20", "0.00"}));  // D = 2 - round(ln 1 / 2.5)
}

TEST(LinearTicks, AutomaticDecimalsFollowTheRange)
{
    EXPECT_EQ(AutomaticDecimals(-2, 0, 100), 0);
    EXPECT_EQ(AutomaticDecimals(-2, 0, 1), 2);
    EXPECT_EQ(AutomaticDecimals(-3, 0, 10), 1);      // 2 - round(0.92)
    EXPECT_EQ(AutomaticDecimals(-2, 0, 0.05), 3);    // 2 - round(-1.198)
    EXPECT_EQ(AutomaticDecimals(-2, 0, 2e6), -1);
    EXPECT_EQ(AutomaticDecimals(-2, 0, 0.0001), -1);
    EXPECT_EQ(AutomaticDecimals(5, 0, 100), 5);
    EXPECT_EQ(Labels(LinearTicks(Linear(0, 1))), (Texts{"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"}));
}

TEST(LinearTicks, ZeroTickReadsZero)
{
    // -1 + 0.2 * 5 accumulates to a tiny non-zero value on the way
    TTickSettings s = Linear(-1, 1, 5);
    s.decPlaces = 2;
    const Texts labels = Labels(LinearTicks(s));
    EXPECT_EQ(labels, (Texts{"-1.00", "-0.80", "-0.60", "-0.40", "-0.20", "0.00", "0.20", "0.40", "0.60", "0.80",
                             "1.00"}));
    // wide ranges write "0.0" unless there are no decimals
    EXPECT_EQ(Labels(LinearTicks(Linear(-1e6, 1e6)))[2], "0.0");
}

TEST(LinearTicks, ZeroTickCarriesTheDecimalsOfItsNeighbours)
{
    EXPECT_EQ(Labels(LinearTicks(Linear(-4, 4, 3))), (Texts{"-4.0", "-2.0", "0.0", "2.0", "4.0"}));
    EXPECT_EQ(Labels(LinearTicks(Linear(0, 0.5, 5))), (Texts{"0.00", "0.10", "0.20", "0.30", "0.40", "0.50"}));
    // a tick that rounds to zero with the chosen decimals loses its sign
    TTickSettings s = Linear(-0.3, 0.3, 6);
    s.decPlaces = 0;
    s.labelType = ftNum;
    for (const std::string& label : Labels(LinearTicks(s)))
        EXPECT_NE(label, "-0");
    s.decPlaces = 2;
    s.low = -0.004;
    s.high = 0.016;
    s.minTicks = 4;  // step 0.005: -0.0, 0.005 ...
    const Texts labels = Labels(LinearTicks(s));
    EXPECT_EQ(std::find(labels.begin(), labels.end(), "-0.00"), labels.end());
}

TEST(LinearTicks, NoMinimumCountOverAReversedRangeEndsAtOnce)
{
    // one per unit from the low end towards the high end, in both directions
    TTickSettings s = Linear(1, 0, 0);
    s.decPlaces = 0;
    const TTickPlan reversed = LinearTicks(s);
    EXPECT_EQ(Values(reversed, true), (Doubles{1, 0}));
    EXPECT_EQ(Labels(reversed), (Texts{"1", "0"}));
    EXPECT_EQ(Values(reversed, false), (Doubles{1, 0.8, 0.6, 0.4, 0.2, 0}));
    s = Linear(-3, -7, 0);
    EXPECT_EQ(Values(LinearTicks(s), true), (Doubles{-3, -4, -5, -6, -7}));
    s = Linear(0, 1, 0);
    EXPECT_EQ(Values(LinearTicks(s), true), (Doubles{0, 1}));
    // a huge reversed range stays within the pixels
    s = Linear(1e9, 0, 0);
    s.pixels = 300;
    EXPECT_LE(LinearTicks(s).ticks.size(), 2u * 300 + 8);
}

TEST(LinearTicks, NoDecimalsLeavesHalfStepsUnlabelled)
{
    TTickSettings s = Linear(0, 2);
    s.decPlaces = 0;
    EXPECT_EQ(Labels(LinearTicks(s)), (Texts{"0", "", "1", "", "2"}));
}

TEST(LinearTicks, InscriptAroundTheNumber)
{
    EXPECT_EQ(ApplyInscript("20", "& kg"), "20 kg");
    EXPECT_EQ(ApplyInscript("20", "$"), "$20");
    EXPECT_EQ(ApplyInscript("20", "ca. & m/s"), "ca. 20 m/s");
    EXPECT_EQ(ApplyInscript("", "$"), "");
    TTickSettings s = Linear(0, 100);
    s.inscript = "& kg";
    EXPECT_EQ(Labels(LinearTicks(s))[1], "20 kg");
}

TEST(LinearTicks, UserTextsInOrderThenTheLastAgain)
{
    TTickSettings s = Linear(0, 30);  // majors 0, 10, 20, 30
    s.labelType = ftUserText;
    s.userTickText = "a|b|c";
    EXPECT_EQ(Labels(LinearTicks(s)), (Texts{"a", "b", "c", "c"}));
    s.userTickText = "a|b|c|";
    EXPECT_EQ(Labels(LinearTicks(s)), (Texts{"a", "b", "c", ""}));
    EXPECT_EQ(UserTickItem("", 3), "");
}

TEST(LinearTicks, NoFiguresDrawsNoLabels)
{
    TTickSettings s = Linear(0, 100);
    s.labelType = ftNoFigs;
    EXPECT_TRUE(Labels(LinearTicks(s)).empty());
}

TEST(LinearTicks, NeverMoreTicksThanPixels)
{
    TTickSettings s = Linear(0, 1e6, 0);  // step 1 by the rule for no tick count
    s.pixels = 359;
    const TTickPlan plan = LinearTicks(s);
    EXPECT_LE(plan.ticks.size(), 359u);
    EXPECT_GE(plan.ticks.size(), 2u);
    EXPECT_EQ(plan.ticks.back().value, 1e6);
    s = Linear(0, 100);
    s.pixels = 10;  // 21 minor ticks do not fit
    const TTickPlan small = LinearTicks(s);
    EXPECT_LE(small.ticks.size(), 10u);
}

TEST(LogarithmicTicks, DecadesWithTwoAndFiveWhenTicksAreWanted)
{
    TTickSettings s = Linear(1, 1000, 5);
    s.logarithmic = true;
    const TTickPlan plan = LogarithmicTicks(s);
    EXPECT_EQ(Values(plan, true), (Doubles{1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}));
    EXPECT_EQ(Values(plan, false),
              (Doubles{3, 4, 6, 7, 8, 9, 30, 40, 60, 70, 80, 90, 300, 400, 600, 700, 800, 900}));
    EXPECT_EQ(Labels(plan), (Texts{"1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}));
    s.minTicks = 3;
    EXPECT_EQ(Values(LogarithmicTicks(s), true), (Doubles{1, 10, 100, 1000}));
    EXPECT_TRUE(Values(LogarithmicTicks(s), false).empty());
}

TEST(LogarithmicTicks, DecadeExponentsAndTrimmedDecimals)
{
    TTickSettings s = Linear(1, 1000, 3);
    s.logarithmic = true;
    s.decPlaces = -3;
    EXPECT_EQ(Labels(LogarithmicTicks(s)), (Texts{"0", "1", "2", "3"}));
    s = Linear(0.01, 10, 3);
    s.logarithmic = true;  // decimals 1 - round(-2) = 3, trailing zeros dropped
    EXPECT_EQ(Labels(LogarithmicTicks(s)), (Texts{"0.01", "0.1", "1", "10"}));
}

TEST(LogarithmicTicks, EndAtOrBelowZeroFallsBackToLinear)
{
    TTickSettings s = Linear(0, 100);
    s.logarithmic = true;
    EXPECT_EQ(Values(PlanScaleTicks(s), true), (Doubles{0, 20, 40, 60, 80, 100}));
    s.low = -5;
    EXPECT_FALSE(PlanScaleTicks(s).ticks.empty());
}

TEST(TimeTicks, TwentyMinuteSteps)
{
    TTickSettings s = Linear(0, 3600);
    s.labelType = ftTime;
    const TTickPlan plan = PlanScaleTicks(s);
    EXPECT_EQ(Values(plan, true), (Doubles{0, 1200, 2400, 3600}));
    EXPECT_EQ(Labels(plan), (Texts{" 00:00:00", " 00:20:00", " 00:40:00", " 01:00:00"}));
    EXPECT_EQ(Values(plan, false).size(), 19u);  // 6 minor intervals of 200 s
}

TEST(TimeTicks, StepsUnderASecondShowMilliseconds)
{
    TTickSettings s = Linear(0, 2);
    s.labelType = ftTime;
    EXPECT_EQ(Labels(PlanScaleTicks(s)),
              (Texts{" 00:00:00.000", " 00:00:00.500", " 00:00:01.000", " 00:00:01.500", " 00:00:02.000"}));
    s = Linear(7.7, 8.1);  // 0.1 s steps from 7.7: 7.7 + 3 * 0.1 lies a hair under 8
    s.labelType = ftTime;
    const Texts labels = Labels(PlanScaleTicks(s));
    EXPECT_NE(std::find(labels.begin(), labels.end(), " 00:00:08.000"), labels.end());
}

TEST(TimeTicks, DeclinesForDaysAndFallsBackToNumbers)
{
    TTickSettings s = Linear(0, 86400 * 10);
    s.labelType = ftTime;
    s.decPlaces = 4;
    TTickPlan plan;
    EXPECT_FALSE(TimeTicks(s, plan));
    EXPECT_EQ(Values(PlanScaleTicks(s), true).front(), 0);
    s = Linear(0, 0.002);
    s.labelType = ftTime;
    EXPECT_FALSE(TimeTicks(s, plan));
    s = Linear(0, 3600, 0);  // no tick count: taken as one
    s.labelType = ftTime;
    EXPECT_TRUE(TimeTicks(s, plan));
}

TEST(CalendarTicks, MessagesForImpossibleRanges)
{
    EXPECT_EQ(CalendarTicks(Dates(10, 5)).message, TScaleMessage::InvalidDateTime);
    EXPECT_EQ(CalendarTicks(Dates(-700000, 5)).message, TScaleMessage::InvalidDateTime);
    EXPECT_EQ(CalendarTicks(Dates(0, 0.5 / 86400)).message, TScaleMessage::BelowOneSecond);
    // past 31 December 9999
    EXPECT_EQ(CalendarTicks(Dates(2958000, 2958466)).message, TScaleMessage::InvalidDateTime);
    EXPECT_EQ(CalendarTicks(Dates(2950000, 2958465)).message, TScaleMessage::None);
}

TEST(CalendarTicks, DaysEveryThirdDay)
{
    const double start = EncodeDate(2024, 1, 1);
    const TTickPlan plan = CalendarTicks(Dates(start, start + 10));
    EXPECT_EQ(Labels(plan), (Texts{"01-Jan-2024", "04-Jan-2024", "07-Jan-2024", "10-Jan-2024"}));
}

TEST(CalendarTicks, HoursWithTheDateOncePerDay)
{
    const double start = EncodeDate(2024, 3, 5);
    const TTickPlan plan = CalendarTicks(Dates(start, start + 0.5));  // 4 hours per tick: 3-hour steps
    EXPECT_EQ(Labels(plan), (Texts{"00:00", "03:00", "06:00", "09:00", "12:00"}));
    EXPECT_EQ(plan.ticks.front().dateLine, "05-Mar-2024");
    EXPECT_EQ(plan.ticks[1].dateLine, "");
}

TEST(CalendarTicks, MonthsAndYears)
{
    const TTickPlan months = CalendarTicks(Dates(EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31)));
    // 365 / 30.4375 / 3 = 3.997 months per tick: 3-month steps
    EXPECT_EQ(Labels(months), (Texts{"Jan-2024", "Apr-2024", "Jul-2024", "Oct-2024"}));
    const TTickPlan years = CalendarTicks(Dates(EncodeDate(2000, 1, 1), EncodeDate(2100, 1, 1)));
    EXPECT_EQ(Labels(years), (Texts{"2000", "2020", "2040", "2060", "2080", "2100"}));
    EXPECT_EQ(Values(years, false).size(), 5u);  // every ten years between
}

TEST(CalendarTicks, YearsStopAt9999)
{
    const TTickPlan plan = CalendarTicks(Dates(EncodeDate(9000, 1, 1), kMaxDateTime));
    ASSERT_FALSE(plan.ticks.empty());
    EXPECT_LE(plan.ticks.back().value, kMaxDateTime);
}

// Drawing through the scale on the recording device (characters 6 pixels
// wide, text 13 pixels high for the default font).
class ScaleDrawing : public ::testing::Test {
protected:
    TScale scale;
    platform::RecordingDevice& dc = InstallRecorder(scale, 400, 400);
};

TEST_F(ScaleDrawing, HorizontalLabelsCentredAboveTheTicks)
{
    scale.ForcePaint();
    const auto texts = dc.CallsNamed("TextOut");
    ASSERT_EQ(texts.size(), 6u);
    // tick 20 at x = round(20 + 3.59 * 20) = 92, label 12 wide, y = 379 - 7 - 13
    EXPECT_EQ(texts[1].args, (std::vector<std::string>{"86", "359", "20"}));
    // tick 0 at x 20: "0" starts at 17
    EXPECT_EQ(texts[0].args, (std::vector<std::string>{"17", "359", "0"}));
    EXPECT_EQ(scale.TickTable().size(), 21u);
}

TEST_F(ScaleDrawing, VerticalLabelsBesideTheTicks)
{
    scale.SetScaleType(sctYL);
    dc.ClearLog();
    scale.ForcePaint();
    const auto texts = dc.CallsNamed("TextOut");
    ASSERT_EQ(texts.size(), 6u);
    // base line x = 20; tick 0 at y 379; label at x 28, y 379 - 13 / 2
    EXPECT_EQ(texts[0].args, (std::vector<std::string>{"28", "373", "0"}));
    scale.SetScaleType(sctYR);
    dc.ClearLog();
    scale.ForcePaint();
    // base line x = 379; "100" 18 wide ends 2 pixels before the tick end: 379 - 6 - 18 - 2
    EXPECT_EQ(dc.CallsNamed("TextOut")[5].args, (std::vector<std::string>{"353", "14", "100"}));
}

TEST_F(ScaleDrawing, CalendarMessageCentredBelowTheBaseLine)
{
    scale.SetLabelType(ftDateTime);
    scale.SetRange(5, 10);
    dc.ClearLog();
    scale.ForcePaint();
    const auto texts = dc.CallsNamed("TextOut");
    ASSERT_EQ(texts.size(), 1u);
    // middle 7.5 -> pixel 200 (reversed range); 22 characters * 6 = 132 wide
    EXPECT_EQ(texts[0].args, (std::vector<std::string>{"134", "386", "invalid DateTime scale"}));
}

TEST_F(ScaleDrawing, CaptionByAnchorAndAlignment)
{
    scale.SetCaptionAnchor(uaSclCenter);
    dc.ClearLog();
    scale.SetCaption("kg");
    // x = 20 + 360 / 2 + 4 - 12 / 2, y = 379 + 4
    EXPECT_EQ(dc.CallsNamed("TextOut").back().args, (std::vector<std::string>{"198", "383", "kg"}));
}
