#include "chart/plot_procs.h"
#include "core/date_time.h"

#include <gtest/gtest.h>

#include <QObject>
#include <algorithm>
#include <climits>
#include <numeric>
#include <cstdint>
#include <random>
#include <vector>

namespace {

class PlotProcs : public ::testing::Test {
protected:
    // the test main has started the engine: each test starts from, and leaves,
    // the unit as the engine set it up
    void SetUp() override { PlotProcsStartUp(); }
    void TearDown() override { PlotProcsStartUp(); }
};

// --- Palette ------------------------------------------------------------------

TEST_F(PlotProcs, StartUpFillsTheTwentyDefaultColours)
{
    const std::vector<TColor> expected = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF,
                                          0x808000, 0x800000, 0x000080, 0x00FF00, 0x008080, 0x800080, 0xC0C0C0,
                                          0xFFFF00, 0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
    EXPECT_EQ(ColorPalette(), expected);
}

TEST_F(PlotProcs, PaletteColourWraps)
{
    EXPECT_EQ(ColorPaletteColor(23), 0xFF0000u);  // the fourth colour, blue
    EXPECT_EQ(ColorPaletteColor(0), 0x0000FFu);
    EXPECT_EQ(ColorPaletteColor(19), 0xA4A0A0u);
    EXPECT_EQ(ColorPaletteColor(20), 0x0000FFu);
}

TEST_F(PlotProcs, NegativePaletteIndexWrapsBackwards)
{
    EXPECT_EQ(ColorPaletteColor(-1), 0xA4A0A0u);
    EXPECT_EQ(ColorPaletteColor(-20), 0x0000FFu);
    EXPECT_EQ(ColorPaletteColor(-23), 0xF0CAA6u);
    EXPECT_EQ(ColorPaletteColor(INT_MIN), 0x800080u);  // -2147483648 = -107374183 * 20 + 12
}

TEST_F(PlotProcs, EmptyPaletteFallsBackToTheDefaultColours)
{
    PlotProcsShutDown();
    EXPECT_TRUE(ColorPalette().empty());
    EXPECT_EQ(ColorPaletteColor(5), 0x808080u);
    EXPECT_EQ(ColorPaletteColor(-3), 0xF0CAA6u);
    EXPECT_EQ(ColorPaletteColor(23), 0xFF0000u);
}

TEST_F(PlotProcs, CustomPaletteTakesTheFirstHighPlusOneColours)
{
    const TColor custom[] = {0x111111, 0x222222, 0x333333, 0x444444};
    SetDefaultColorPalette(custom, 2);
    EXPECT_EQ(ColorPalette(), (std::vector<TColor>{0x111111, 0x222222, 0x333333}));
    EXPECT_EQ(ColorPaletteColor(4), 0x222222u);
    SetDefaultColorPalette(custom, 0);
    EXPECT_EQ(ColorPalette().size(), 20u);
}

TEST_F(PlotProcs, PaletteCountIsClampedToTheGivenColours)
{
    const TColor custom[] = {0x111111, 0x222222, 0x333333};
    SetDefaultColorPalette(custom, 10);
    EXPECT_EQ(ColorPalette(), (std::vector<TColor>{0x111111, 0x222222, 0x333333}));
    SetDefaultColorPalette(custom, -5);
    EXPECT_EQ(ColorPalette().size(), 20u);
    SetDefaultColorPalette(custom, 1);
    SetDefaultColorPalette(std::span<const TColor>(), 3);
    EXPECT_EQ(ColorPalette().size(), 20u);
}

// --- Date-time steps ----------------------------------------------------------

TEST(DateTimeSteps, TableInDays)
{
    EXPECT_DOUBLE_EQ(DateTimeStep[dtOneMicroSecond], 1.0 / 86400000000.0);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtFiveSeconds], 5.0 / 86400.0);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtThirtyMinutes], 1.0 / 48.0);
    EXPECT_DOUBLE_EQ(DateTimeStep[dtTwoHours], 1.0 / 12.0);
    EXPECT_EQ(DateTimeStep[dtOneWeek], 7.0);
    EXPECT_EQ(DateTimeStep[dtHalfMonth], 15.0);
    EXPECT_EQ(DateTimeStep[dtSixMonths], 182.0);
    EXPECT_EQ(DateTimeStep[dtOneYear], 365.0);
    EXPECT_TRUE(std::is_sorted(DateTimeStep.begin(), DateTimeStep.end()));
    EXPECT_EQ(static_cast<int>(dtNone), 27);
}

TEST(DateTimeSteps, FindStep)
{
    EXPECT_EQ(FindDateTimeStep(1), dtOneDay);
    EXPECT_EQ(FindDateTimeStep(1.5), dtNone);
    EXPECT_EQ(FindDateTimeStep(365), dtOneYear);
    EXPECT_EQ(FindDateTimeStep(1.0 / 86400.0), dtOneSecond);
    EXPECT_EQ(FindDateTimeStep(1.0 / 86400000000.0), dtOneMicroSecond);
    EXPECT_EQ(FindDateTimeStep(7.0 + 1e-12), dtOneWeek);
    EXPECT_EQ(FindDateTimeStep(0), dtNone);
}

TEST(DateTimeSteps, NextStep)
{
    EXPECT_EQ(NextDateTimeStep(1), 2.0);
    EXPECT_EQ(NextDateTimeStep(400), 365.0);
    EXPECT_EQ(NextDateTimeStep(182), 365.0);
    EXPECT_EQ(NextDateTimeStep(7), 15.0);
    EXPECT_EQ(NextDateTimeStep(10), 15.0);
    EXPECT_EQ(NextDateTimeStep(0.5), 1.0);
    EXPECT_DOUBLE_EQ(NextDateTimeStep(1.0 / 86400.0), 5.0 / 86400.0);
    EXPECT_EQ(NextDateTimeStep(0), 365.0);  // below every step
}

TEST(DateTimeSteps, DefaultFormat)
{
    EXPECT_EQ(DateTimeDefaultFormat(2), "m/d/yyyy");
    EXPECT_EQ(DateTimeDefaultFormat(1), "h:nn:ss AMPM");
    EXPECT_EQ(DateTimeDefaultFormat(0.5), "h:nn:ss AMPM");
    TFormatSettings s;
    s.ShortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(DateTimeDefaultFormat(30, s), "dd/mm/yyyy");
}

double date(int y, int m, int d)
{
    return EncodeDate(y, m, d);
}

TEST_F(PlotProcs, TruncDateToCalendarUnits)
{
    const double v = date(2007, 3, 20) + 0.6;
    EXPECT_EQ(TruncDateToStep(dtHalfMonth, v), date(2007, 3, 15));
    EXPECT_EQ(TruncDateToStep(dtHalfMonth, date(2007, 3, 15) + 0.1), date(2007, 3, 15));
    EXPECT_EQ(TruncDateToStep(dtHalfMonth, date(2007, 3, 14) + 0.1), date(2007, 3, 1));
    for (TDateTimeStep s : {dtOneMonth, dtTwoMonths, dtThreeMonths, dtFourMonths, dtSixMonths})
        EXPECT_EQ(TruncDateToStep(s, v), date(2007, 3, 1));
    EXPECT_EQ(TruncDateToStep(dtOneYear, v), date(2007, 1, 1));
    EXPECT_EQ(TruncDateToStep(dtOneDay, v), date(2007, 3, 20));
    EXPECT_EQ(TruncDateToStep(dtOneHour, v), date(2007, 3, 20));
}

TEST_F(PlotProcs, TruncLeavesDatesUpTo1900)
{
    EXPECT_EQ(TruncDateToStep(dtOneYear, 1.5), 1.5);
    EXPECT_EQ(TruncDateToStep(dtOneYear, 2.0), 2.0);
    EXPECT_EQ(TruncDateToStep(dtOneYear, -400.25), -400.25);
    EXPECT_EQ(TruncDateToStep(dtOneDay, 2.5), 2.0);
}

double stepped(double v, bool increment, TDateTimeStep s)
{
    IncDecDateTime(true, increment, v, s < dtNone ? DateTimeStep[s] : 0.0, s);
    return v;
}

TEST(IncDecDateTime, MonthsCarryIntoTheYear)
{
    EXPECT_EQ(stepped(date(2007, 12, 10), true, dtOneMonth), date(2008, 1, 1));
    EXPECT_EQ(stepped(date(2008, 1, 10), false, dtOneMonth), date(2007, 12, 1));
    EXPECT_EQ(stepped(date(2008, 2, 20), false, dtThreeMonths), date(2007, 11, 1));
    EXPECT_EQ(stepped(date(2007, 8, 31), true, dtSixMonths), date(2008, 2, 1));
    EXPECT_EQ(stepped(date(2007, 6, 15), false, dtSixMonths), date(2006, 12, 1));
    EXPECT_EQ(stepped(date(2007, 3, 5), false, dtTwoMonths), date(2007, 1, 1));
    EXPECT_EQ(stepped(date(2007, 11, 5), true, dtFourMonths), date(2008, 3, 1));
    EXPECT_EQ(stepped(date(2007, 1, 31) + 0.5, true, dtOneMonth), date(2007, 2, 1));
}

TEST(IncDecDateTime, YearsNeverBuild29FebruaryInACommonYear)
{
    EXPECT_EQ(stepped(date(2008, 2, 29), true, dtOneYear), date(2009, 2, 28));
    EXPECT_EQ(stepped(date(2008, 2, 29), false, dtOneYear), date(2007, 2, 28));
    EXPECT_EQ(stepped(date(2007, 6, 15) + 0.5, true, dtOneYear), date(2008, 6, 15));
    EXPECT_EQ(stepped(date(2000, 2, 29), true, dtOneYear), date(2001, 2, 28));
    double v = date(1996, 2, 29);
    for (int i = 0; i < 8; ++i)
        IncDecDateTime(true, true, v, 365, dtOneYear);
    EXPECT_EQ(v, date(2004, 2, 28));
}

TEST(IncDecDateTime, HalfMonthsBackward)
{
    EXPECT_EQ(stepped(date(2007, 3, 20), false, dtHalfMonth), date(2007, 3, 15));
    EXPECT_EQ(stepped(date(2007, 3, 15), false, dtHalfMonth), date(2007, 3, 1));
    EXPECT_EQ(stepped(date(2007, 3, 2), false, dtHalfMonth), date(2007, 3, 1));
    EXPECT_EQ(stepped(date(2007, 3, 1), false, dtHalfMonth), date(2007, 2, 15));
    EXPECT_EQ(stepped(date(2007, 1, 1), false, dtHalfMonth), date(2006, 12, 15));
}

TEST(IncDecDateTime, HalfMonthsForward)
{
    EXPECT_EQ(stepped(date(2007, 3, 1), true, dtHalfMonth), date(2007, 3, 15));
    EXPECT_EQ(stepped(date(2007, 3, 2), true, dtHalfMonth), date(2007, 3, 15));
    EXPECT_EQ(stepped(date(2007, 3, 14), true, dtHalfMonth), date(2007, 3, 15));
    EXPECT_EQ(stepped(date(2007, 3, 15), true, dtHalfMonth), date(2007, 4, 1));
    EXPECT_EQ(stepped(date(2007, 3, 20), true, dtHalfMonth), date(2007, 4, 1));
    EXPECT_EQ(stepped(date(2007, 12, 20), true, dtHalfMonth), date(2008, 1, 1));
    EXPECT_EQ(stepped(date(2007, 12, 1), true, dtHalfMonth), date(2007, 12, 15));
}

// Every day of 1999..2001 (a common year, a leap year, month ends): each
// calendar step moves the right way and lands on a valid date.
TEST(IncDecDateTime, EveryCalendarStepMovesTheRightWay)
{
    for (double v = date(1999, 1, 1); v < date(2002, 1, 1); v += 1.0) {
        for (int s = dtHalfMonth; s <= dtOneYear; ++s) {
            const auto step = static_cast<TDateTimeStep>(s);
            const double up = stepped(v + 0.25, true, step);
            const double down = stepped(v + 0.25, false, step);
            ASSERT_GT(up, v) << s << ' ' << v;
            ASSERT_LT(down, v) << s << ' ' << v;
            ASSERT_EQ(up, std::floor(up));
            ASSERT_EQ(down, std::floor(down));
            ASSERT_LE(up - v, 46.0 + (s > dtHalfMonth ? DateTimeStep[s] + 31 : 0));
            if (s == dtHalfMonth) {  // never skips a half month
                ASSERT_LE(up - v, 17.0) << v;
                ASSERT_LE(v - down, 17.0) << v;
            }
        }
    }
}

TEST(IncDecDateTime, OtherStepsAddTheStep)
{
    EXPECT_EQ(stepped(10.5, true, dtSixHours), 10.75);
    EXPECT_EQ(stepped(10.5, false, dtSixHours), 10.25);
    EXPECT_EQ(stepped(10.5, true, dtOneWeek), 17.5);
    double v = 40000.0;
    IncDecDateTime(false, true, v, 30.0, dtOneMonth);
    EXPECT_EQ(v, 40030.0);
    v = 40000.0;
    IncDecDateTime(true, false, v, 0.5, dtNone);
    EXPECT_EQ(v, 39999.5);
}

TEST(IncDecDateTime, LeavingTheCalendarAddsTheStep)
{
    EXPECT_EQ(stepped(date(9999, 12, 10), true, dtOneMonth), date(9999, 12, 10) + 30.0);
    EXPECT_EQ(stepped(date(1, 1, 10), false, dtOneYear), date(1, 1, 10) - 365.0);
    EXPECT_EQ(stepped(5e6, true, dtOneMonth), 5e6 + 30.0);
}

// --- Sorting ------------------------------------------------------------------

// Stack bytes spanned by the calls that reached Note: a deep recursion shows
// as a wide span.
struct TStackSpan {
    std::uintptr_t Low = UINTPTR_MAX;
    std::uintptr_t High = 0;
    void Note()
    {
        volatile char marker = 0;
        const auto at = reinterpret_cast<std::uintptr_t>(&marker);
        Low = std::min(Low, at);
        High = std::max(High, at);
    }
    std::uintptr_t Bytes() const { return High - Low; }
};

constexpr std::uintptr_t kShallowStack = 8 * 1024;

// Sorts the values through the index interface, counting comparisons.
struct TSortProbe {
    std::vector<int> Values;
    long long Comparisons = 0;
    TStackSpan Stack;
    void Sort()
    {
        IndexQuickSort(
            0, static_cast<int>(Values.size()) - 1,
            [this](int a, int b) {
                ++Comparisons;
                Stack.Note();
                const int x = Values.at(static_cast<std::size_t>(a));
                const int y = Values.at(static_cast<std::size_t>(b));
                return x < y ? -1 : x > y ? 1 : 0;
            },
            [this](int a, int b) { std::swap(Values.at(static_cast<std::size_t>(a)), Values.at(static_cast<std::size_t>(b))); });
    }
};

TEST(IndexQuickSort, MatchesStdSortOnRandomArraysWithDuplicates)
{
    std::mt19937 random(42);
    for (int round = 0; round < 300; ++round) {
        const int n = std::uniform_int_distribution<int>(0, 400)(random);
        const int range = std::uniform_int_distribution<int>(1, 50)(random);
        TSortProbe probe;
        for (int i = 0; i < n; ++i)
            probe.Values.push_back(std::uniform_int_distribution<int>(0, range)(random));
        std::vector<int> expected = probe.Values;
        std::sort(expected.begin(), expected.end());
        probe.Sort();
        ASSERT_EQ(probe.Values, expected) << "round " << round;
    }
}

TEST(IndexQuickSort, SortsAPartOnly)
{
    TSortProbe probe;
    probe.Values = {9, 8, 7, 6, 5, 4, 3, 2, 1};
    IndexQuickSort(
        2, 5, [&](int a, int b) { return probe.Values[a] - probe.Values[b]; },
        [&](int a, int b) { std::swap(probe.Values[a], probe.Values[b]); });
    EXPECT_EQ(probe.Values, (std::vector<int>{9, 8, 4, 5, 6, 7, 3, 2, 1}));
}

TEST(IndexQuickSort, LargeOrderedReversedAndConstantArraysStayShallow)
{
    constexpr int n = 200000;
    std::vector<std::vector<int>> inputs(3, std::vector<int>(n));
    std::iota(inputs[0].begin(), inputs[0].end(), 0);
    std::iota(inputs[1].rbegin(), inputs[1].rend(), 0);
    std::fill(inputs[2].begin(), inputs[2].end(), 7);
    for (const std::vector<int>& input : inputs) {
        TSortProbe probe;
        probe.Values = input;
        probe.Sort();
        ASSERT_TRUE(std::is_sorted(probe.Values.begin(), probe.Values.end()));
        EXPECT_LT(probe.Comparisons, 4LL * n * 18);  // n log2 n scale
        EXPECT_LT(probe.Stack.Bytes(), kShallowStack);
    }
}

// An adversary that decides values while being asked (McIlroy's "killer
// adversary") drives a middle-pivot quicksort into its worst case, in either
// direction of the order; the recursion still stays shallow.
TEST(IndexQuickSort, AdversarialInputDoesNotRecurseDeeply)
{
    constexpr int n = 6000;
    for (const int direction : {1, -1}) {
        const int gas = n;
        std::vector<int> value(n, gas);  // by item
        std::vector<int> item(n);        // item at each position
        std::iota(item.begin(), item.end(), 0);
        int solid = 0;
        int candidate = 0;
        TStackSpan stack;
        auto compare = [&](int a, int b) {
            stack.Note();
            const int x = item[static_cast<std::size_t>(a)];
            const int y = item[static_cast<std::size_t>(b)];
            if (value[x] == gas && value[y] == gas)
                value[x == candidate ? x : y] = solid++;
            if (value[x] == gas)
                candidate = x;
            else if (value[y] == gas)
                candidate = y;
            return direction * (value[x] - value[y]);
        };
        auto swap = [&](int a, int b) { std::swap(item[static_cast<std::size_t>(a)], item[static_cast<std::size_t>(b)]); };
        IndexQuickSort(0, n - 1, compare, swap);
        for (int i = 1; i < n; ++i)
            ASSERT_LE(direction * (value[item[i - 1]] - value[item[i]]), 0) << i;
        EXPECT_LT(stack.Bytes(), kShallowStack) << direction;
    }
}

TEST(IndexQuickSort, InconsistentCompareStaysInRange)
{
    std::mt19937 random(3);
    std::vector<int> data(500);
    IndexQuickSort(
        0, 499,
        [&](int a, int b) {
            EXPECT_TRUE(a >= 0 && a < 500 && b >= 0 && b < 500);
            return std::uniform_int_distribution<int>(-1, 1)(random);
        },
        [&](int a, int b) { std::swap(data.at(a), data.at(b)); });
}

// --- Hit tests ----------------------------------------------------------------

TEST(PointNearLine, DistanceToTheSegment)
{
    const TPoint a{0, 0}, b{10, 0};
    EXPECT_TRUE(PointOnLinePts({5, 1}, a, b));
    EXPECT_FALSE(PointOnLinePts({5, 2}, a, b));
    EXPECT_TRUE(PointNearLinePts({5, 2}, a, b, 1));
    EXPECT_TRUE(PointOnLinePts({10, 0}, a, b));
    EXPECT_FALSE(PointOnLinePts({12, 0}, a, b));
    EXPECT_TRUE(PointNearLinePts({12, 0}, a, b, 1));
    EXPECT_FALSE(PointOnLinePts({-2, 0}, a, b));
    EXPECT_TRUE(PointOnLine({5, 6}, 0, 0, 10, 10));      // 0.707 from the diagonal
    EXPECT_FALSE(PointOnLine({5, 7}, 0, 0, 10, 10));     // 1.414
    EXPECT_TRUE(PointNearLine({5, 7}, 0, 0, 10, 10, 1));
    EXPECT_TRUE(PointOnLine({50000, 50001}, 0, 0, 100000, 100000));
}

TEST(PointNearLine, SegmentThatIsAPoint)
{
    EXPECT_TRUE(PointOnLine({3, 3}, 3, 3, 3, 3));
    EXPECT_TRUE(PointOnLine({4, 3}, 3, 3, 3, 3));
    EXPECT_FALSE(PointOnLine({4, 4}, 3, 3, 3, 3));
    EXPECT_TRUE(PointNearLine({4, 4}, 3, 3, 3, 3, 1));
}

TEST(PointInPolygon, EvenOddRule)
{
    const TPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPolygon({5, 5}, square, 3));
    EXPECT_FALSE(PointInPolygon({15, 5}, square, 3));
    EXPECT_TRUE(PointInPolygon({0, 5}, square, 3));   // left edge counts
    EXPECT_FALSE(PointInPolygon({10, 5}, square, 3)); // right edge does not
    EXPECT_TRUE(PointInPolygon({5, 0}, square, 3));
    EXPECT_FALSE(PointInPolygon({5, 10}, square, 3));
    // A "U": the notch is outside.
    const TPoint u[] = {{0, 0}, {3, 0}, {3, 6}, {6, 6}, {6, 0}, {9, 0}, {9, 9}, {0, 9}};
    EXPECT_FALSE(PointInPolygon({4, 2}, u));
    EXPECT_TRUE(PointInPolygon({1, 2}, u));
    EXPECT_TRUE(PointInPolygon({4, 7}, u));
}

TEST(PointInPolygon, HighIsClampedToThePoints)
{
    const TPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(PointInPolygon({5, 5}, square, 100));
    EXPECT_FALSE(PointInPolygon({5, 5}, square, -1));
    EXPECT_FALSE(PointInPolygon({5, 5}, std::span<const TPoint>(), 3));
}

TEST(PointInTriangle, ApexAtTheTop)
{
    EXPECT_TRUE(PointInTriangle({5, 5}, 0, 10, 0, 10));
    EXPECT_TRUE(PointInTriangle({5, 9}, 0, 10, 0, 10));
    EXPECT_FALSE(PointInTriangle({1, 1}, 0, 10, 0, 10));
    EXPECT_FALSE(PointInTriangle({9, 2}, 0, 10, 0, 10));
}

TEST(PointInEllipse, InsideTheBoundingRectangle)
{
    EXPECT_FALSE(PointInEllipse({5, 0}, 0, 0, 10, 0));  // no height
    EXPECT_FALSE(PointInEllipse({0, 5}, 0, 0, 0, 10));  // no width
    EXPECT_TRUE(PointInEllipse({10, 5}, 0, 0, 20, 10));
    EXPECT_TRUE(PointInEllipse({20, 5}, 0, 0, 20, 10));
    EXPECT_TRUE(PointInEllipse({10, 10}, 0, 0, 20, 10));
    EXPECT_FALSE(PointInEllipse({0, 0}, 0, 0, 20, 10));
    EXPECT_TRUE(PointInEllipse({17, 8}, 0, 0, 20, 10));   // 0.49 + 0.36
    EXPECT_FALSE(PointInEllipse({18, 9}, 0, 0, 20, 10));  // 0.64 + 0.64
}

TEST(SegmentsIntersect, CrossingAndMissing)
{
    double x = 0, y = 0;
    EXPECT_TRUE(SegmentsIntersect(0, 0, 10, 10, 0, 10, 10, 0, x, y));
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 5);
    // The lines cross at (2.5, 2.5), the segments do not reach it.
    EXPECT_FALSE(SegmentsIntersect(0, 0, 1, 1, 5, 0, 4, 1, x, y));
    EXPECT_DOUBLE_EQ(x, 2.5);
    EXPECT_DOUBLE_EQ(y, 2.5);
}

TEST(SegmentsIntersect, ParallelSegments)
{
    double x = 0, y = 0;
    EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 10, 0, 1, 10, 11, x, y));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 10);
    EXPECT_FALSE(SegmentsIntersect(0, 0, 10, 10, 2, 2, 12, 12, x, y));  // on one line
    EXPECT_EQ(x, 10);
}

TEST(SegmentsIntersect, VerticalSegmentsGiveTheirX)
{
    double x = 0, y = 0;
    EXPECT_TRUE(SegmentsIntersect(5, 0, 5, 10, 0, 0, 10, 10, x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    EXPECT_TRUE(SegmentsIntersect(0, 2, 10, 2, 3, -5, 3, 5, x, y));
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 2);
    EXPECT_FALSE(SegmentsIntersect(5, 0, 5, 1, 0, 3, 10, 3, x, y));
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 3);
    EXPECT_FALSE(SegmentsIntersect(1, 0, 1, 5, 2, 0, 2, 5, x, y));
    EXPECT_EQ(x, 1);
    EXPECT_EQ(y, 5);
    EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

// --- Texts --------------------------------------------------------------------

TEST_F(PlotProcs, ExtractFields)
{
    EXPECT_EQ(ExtractField("a;b;c", 2), "b");
    EXPECT_EQ(ExtractField("a;b", 5), "b");
    EXPECT_EQ(ExtractField("a;b;c", 1), "a");
    EXPECT_EQ(ExtractField("a;b;c", 3), "c");
    EXPECT_EQ(ExtractField("", 1), "");
    EXPECT_EQ(ExtractField("a;b", 0), "");
    EXPECT_EQ(ExtractField("a;b", -1), "");
    EXPECT_EQ(ExtractField("a;;c", 2), "");
    EXPECT_EQ(ExtractField("abc", 2), "abc");
    EXPECT_EQ(ExtractFieldSep("a, b, c", 3, ", "), "c");
    EXPECT_EQ(ExtractFieldSep("a|b", 2, ""), "a|b");
    EXPECT_EQ(FieldSeparator(), ";");
}

TEST_F(PlotProcs, FieldSeparatorCanChangeAndShutDownRestoresIt)
{
    SetFieldSeparator("|");
    EXPECT_EQ(ExtractField("a|b", 2), "b");
    EXPECT_EQ(ExtractFieldSep("a;b|c", 2, ";"), "b|c");
    EXPECT_EQ(FieldSeparator(), "|");
    PlotProcsShutDown();
    EXPECT_EQ(FieldSeparator(), ";");
}

TEST(PlotTexts, ReplaceOrDeleteCharacters)
{
    EXPECT_EQ(StrReplaceChar("a b c", ' ', '\r'), "a\rb\rc");
    EXPECT_EQ(StrReplaceChar("a-b-c", '-', '\0'), "abc");
    EXPECT_EQ(StrReplaceChar("", '-', '+'), "");
    EXPECT_EQ(StrReplaceChar("Año", 'o', '0'), "Añ0");
    EXPECT_EQ(LineSeparator(), '\r');
}

TEST(PlotTexts, PlainIntegers)
{
    EXPECT_EQ(IntToStrPlain(1234567), "1234567");
    EXPECT_EQ(IntToStrPlain(-42), "-42");
    EXPECT_EQ(IntToStrPlain(0), "0");
    EXPECT_EQ(IntToStrPlain(LLONG_MIN), "-9223372036854775808");
}

TEST(GetUniqueComponentName, SmallestFreeNumber)
{
    EXPECT_EQ(GetUniqueComponentName(nullptr, "Series"), "Series1");
    QObject owner;
    EXPECT_EQ(GetUniqueComponentName(&owner, "Series"), "Series1");
    auto* a = new QObject(&owner);
    a->setObjectName("Series1");
    auto* b = new QObject(&owner);
    b->setObjectName("SERIES2");  // names match without case
    auto* c = new QObject(&owner);
    c->setObjectName("Series4");
    auto* grandChild = new QObject(c);
    grandChild->setObjectName("Series3");  // not owned by owner
    EXPECT_EQ(GetUniqueComponentName(&owner, "Series"), "Series3");
    auto* d = new QObject(&owner);
    d->setObjectName("Series3");
    EXPECT_EQ(GetUniqueComponentName(&owner, "Series"), "Series5");
}

} // namespace
