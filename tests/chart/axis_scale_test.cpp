// Expected values worked out by hand from the rules:
//   numeric: S = |range| / (N + 1), grown along 1, 2, 5 until round(range / S) <= N;
//   date-time: S grown along the 27-step table (doubling above a year);
//   labels that fit: N = round(AxisSize / (L + round(sep% x L)));
//   clamped form: round(Start + (v - min) x size / range); fast form: Start + round(...).
#include "chart/axis_scale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "chart/plot_procs.h"

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(AxisNiceStep, FollowsOneTwoFive)
{
    EXPECT_EQ(NiceStep(1), 2);
    EXPECT_EQ(NiceStep(2), 5);
    EXPECT_EQ(NiceStep(5), 10);
    EXPECT_EQ(NiceStep(10), 20);
    EXPECT_EQ(NiceStep(0.5), 1);
    EXPECT_EQ(NiceStep(3), 5);
    EXPECT_EQ(NiceStep(6.25), 10);
    EXPECT_EQ(NiceStep(4500), 5000);
}

TEST(AxisNiceStep, DegenerateArgumentsEndAtAFixedStep)
{
    EXPECT_EQ(NiceStep(Inf), 1);
    EXPECT_EQ(NiceStep(0), MinAxisIncrement);
    EXPECT_EQ(NiceStep(NaN), MinAxisIncrement);
    EXPECT_EQ(NiceStep(-3), MinAxisIncrement);
    EXPECT_GT(NiceStep(1e-300), 0);
}

TEST(AxisNiceStep, TinyStepsStillGrow)
{
    // Scaled back down, 2, 5 or 10 fall below the subnormal step itself.
    for (double x : {1.73e-322, 4.94e-324, 1e-310, 2.5e-308, std::numeric_limits<double>::denorm_min(),
                     std::numeric_limits<double>::min()}) {
        const double next = NiceStep(x);
        EXPECT_GT(next, x) << x;
        EXPECT_TRUE(std::isfinite(next)) << x;
    }
}

TEST(AxisIncrement, SubnormalRangeEndsWithAFiniteIncrement)
{
    TNumericIncrementInput in;
    in.Range = 1.73e-322;
    for (int n : {1, 3, 10, 40}) {
        const double s = CalcNumericIncrement(in, n);
        EXPECT_EQ(s, MinAxisIncrement) << n;
    }
}

TEST(AxisIncrement, NumericHundredOnFiveHundredPixels)
{
    // 30-pixel labels + 10 % = 33; 500 / 33 = 15.15 -> 15 labels; 100 / 16 = 6.25 -> 10.
    const int n = LabelsThatFit(500, 30, 10);
    EXPECT_EQ(n, 15);
    TNumericIncrementInput in;
    in.Range = 100;
    EXPECT_EQ(CalcNumericIncrement(in, n), 10);
    // Restarting from a fixed increment of 1: 1, 2, 5, 10.
    in.Increment = 1;
    EXPECT_EQ(CalcNumericIncrement(in, n), 10);
}

TEST(AxisIncrement, NumericWithoutSeparationTakesTheFirstStep)
{
    TNumericIncrementInput in;
    in.Range = 100;
    in.LabelsSeparation = 0;
    EXPECT_DOUBLE_EQ(CalcNumericIncrement(in, 15), 6.25);
}

TEST(AxisIncrement, ZeroRangeGivesOne)
{
    TNumericIncrementInput in;
    EXPECT_EQ(CalcNumericIncrement(in, 10), 1);
}

TEST(AxisIncrement, NoRoomGivesTheSmallestIncrement)
{
    TNumericIncrementInput in;
    in.Range = 100;
    EXPECT_EQ(CalcNumericIncrement(in, 0), MinAxisIncrement);
    EXPECT_EQ(CalcDateTimeIncrement(30, 0, 0), DateTimeStep[dtOneMicroSecond]);
}

TEST(AxisIncrement, FewPointsSeriesKeepsAWholeStep)
{
    // 0..5 with room for 20 labels: 5 / 21 = 0.238 gives 21 labels, grown to 0.5;
    // a series of 6 points lifts the start to 1.
    TNumericIncrementInput in;
    in.Range = 5;
    EXPECT_DOUBLE_EQ(CalcNumericIncrement(in, 20), 0.5);
    in.FewestSeriesPoints = 6;
    EXPECT_EQ(CalcNumericIncrement(in, 20), 1);
}

TEST(AxisIncrement, MillionOnWideAxis)
{
    // 1e6 / 31 = 32258 -> 50000 (round(1e6 / 50000) = 20 <= 30).
    TNumericIncrementInput in;
    in.Range = 1e6;
    EXPECT_EQ(CalcNumericIncrement(in, 30), 50000);
}

TEST(AxisIncrement, LogarithmicGrowsByTheBase)
{
    // 1..1e6 with 3 labels: 1e6 / 4 -> 10^round(5.4) = 1e5; 10 labels > 3 -> 1e6.
    TNumericIncrementInput in;
    in.Range = 1e6;
    in.Logarithmic = true;
    EXPECT_DOUBLE_EQ(CalcNumericIncrement(in, 3), 1e6);
}

TEST(AxisIncrement, LogarithmicBaseBelowOneStillEnds)
{
    TNumericIncrementInput in;
    in.Range = 1000;
    in.Logarithmic = true;
    in.LogarithmicBase = 0.5;
    const double s = CalcNumericIncrement(in, 4);
    EXPECT_GT(s, 0);
    EXPECT_LE(std::nearbyint(in.Range / s), 4);
}

TEST(AxisIncrement, NonFiniteRangeEnds)
{
    TNumericIncrementInput in;
    in.Range = Inf;
    EXPECT_EQ(CalcNumericIncrement(in, 10), 1);
    in.Range = NaN;
    EXPECT_EQ(CalcNumericIncrement(in, 10), 1);
    EXPECT_EQ(CalcDateTimeIncrement(Inf, 0, 10), DateTimeStep[dtOneMicroSecond]);
    EXPECT_EQ(CalcDateTimeIncrement(NaN, 0, 10), DateTimeStep[dtOneMicroSecond]);
}

TEST(AxisIncrement, NaNIncrementIsTreatedAsNone)
{
    TNumericIncrementInput in;
    in.Range = 100;
    in.Increment = NaN;
    EXPECT_EQ(CalcNumericIncrement(in, 15), 10);
}

TEST(AxisIncrement, DateTimeThirtyDaysGetsAWeek)
{
    // 60-pixel labels + 6 = 66; 400 / 66 = 6.06 -> 6; 1, 2, 3 days give 30, 15, 10 labels; 7 days 4.
    const int n = LabelsThatFit(400, 60, 10);
    EXPECT_EQ(n, 6);
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(30, 0, n), 7);
}

TEST(AxisIncrement, DateTimeTenYearsDoublesBeyondAYear)
{
    // 3652 days with 4 labels: 365 -> 10 labels, 730 -> 5, 1460 -> round(2.5) = 2.
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(3652, 0, 4), 1460);
    // Six hours on 12 labels: 30 minutes gives 12.
    EXPECT_DOUBLE_EQ(CalcDateTimeIncrement(0.25, 0, 12), DateTimeStep[dtThirtyMinutes]);
}

TEST(AxisIncrement, LabelsThatFitWithoutASize)
{
    EXPECT_EQ(LabelsThatFit(400, 0, 10), 1);
    EXPECT_EQ(LabelsThatFit(400, 40, 0), 10);
}

class AxisScaleForms : public ::testing::Test {
protected:
    void Make(bool horizontal, double min, double max, int origin, int span)
    {
        s.Horizontal = horizontal;
        s.SelectForms();
        s.CurrentMinimum = min;
        s.CurrentMaximum = max;
        s.SetStartEnd(origin, span, 0, 100);
    }
    TAxisScale s;
};

TEST_F(AxisScaleForms, ClampedHorizontalRoundsHalvesToEven)
{
    Make(true, 0, 100, 10, 200);  // 2 pixels per unit
    EXPECT_EQ(s.CalcPosValue(0), 10);
    EXPECT_EQ(s.CalcPosValue(100), 210);
    EXPECT_EQ(s.CalcPosValue(1.25), 12);  // 12.5 -> 12
    EXPECT_EQ(s.CalcPosValue(1.75), 14);  // 13.5 -> 14
    s.Inverted = true;
    EXPECT_EQ(s.CalcPosValue(1.25), 208);  // 207.5 -> 208
}

TEST_F(AxisScaleForms, ClampedAndFastDifferOnHalves)
{
    // Start 11: clamped round(11 + 2.5) = 14 (13.5 -> 14); fast 11 + round(2.5) = 13.
    Make(true, 0, 100, 11, 200);
    EXPECT_EQ(s.CalcPosValue(1.25), 14);
    s.FastCalc = true;
    s.SelectForms();
    EXPECT_EQ(s.CalcPosValue(1.25), 13);
}

TEST_F(AxisScaleForms, VerticalRunsUpwards)
{
    Make(false, 0, 10, 20, 100);
    EXPECT_EQ(s.CalcPosValue(0), 120);
    EXPECT_EQ(s.CalcPosValue(10), 20);
    EXPECT_EQ(s.CalcPosValue(2.5), 95);
    EXPECT_EQ(s.CalcXPosValue(2.5), 45);
    EXPECT_EQ(s.CalcYPosValue(2.5), 95);
    s.Inverted = true;
    EXPECT_EQ(s.CalcPosValue(2.5), 45);
}

TEST_F(AxisScaleForms, ZeroRangeGoesToTheCentre)
{
    Make(true, 5, 5, 0, 101);
    EXPECT_EQ(s.CenterPos, 50);
    EXPECT_EQ(s.CalcPosValue(123), 50);
}

TEST_F(AxisScaleForms, EveryFormClampsAndMapsNaNToAnEnd)
{
    Make(true, 0, 1, 0, 1000);
    EXPECT_EQ(s.CalcPosValue(1e300), MaxPixelPos);
    EXPECT_EQ(s.CalcPosValue(-1e300), -MaxPixelPos);
    EXPECT_EQ(s.CalcPosValue(NaN), 0);
    s.FastCalc = true;
    s.SelectForms();
    EXPECT_EQ(s.CalcPosValue(1e300), MaxPixelPos);
    EXPECT_EQ(s.CalcPosValue(NaN), 0);
    s.FastCalc = false;
    s.DepthAxis = true;
    s.SelectForms();
    EXPECT_EQ(s.CalcPosValue(1e300), MaxPixelPos);
    EXPECT_EQ(s.CalcPosValue(NaN), 0);
    s.DepthAxis = false;
    s.Horizontal = false;
    s.SelectForms();
    EXPECT_EQ(s.CalcPosValue(-1e300), MaxPixelPos);
    EXPECT_EQ(s.CalcPosValue(NaN), 1000);
}

TEST_F(AxisScaleForms, DepthFormHasNoOrigin)
{
    s.DepthAxis = true;
    Make(false, 0, 4, 50, 40);
    EXPECT_EQ(s.CalcPosValue(1), 10);
    s.Inverted = true;
    EXPECT_EQ(s.CalcPosValue(1), 30);
}

TEST_F(AxisScaleForms, LogarithmicForm)
{
    s.Logarithmic = true;
    Make(true, 1, 1000, 0, 300);
    EXPECT_EQ(s.CalcPosValue(10), 100);
    EXPECT_EQ(s.CalcPosValue(100), 200);
    EXPECT_EQ(s.CalcPosValue(0), 0);
    EXPECT_EQ(s.CalcPosValue(-5), 0);
    s.Horizontal = false;
    s.SelectForms();
    EXPECT_EQ(s.CalcPosValue(10), 200);
    EXPECT_EQ(s.CalcPosValue(0), 300);
    s.Inverted = true;
    EXPECT_EQ(s.CalcPosValue(0), 0);
    EXPECT_EQ(s.CalcPosValue(10), 100);
}

TEST_F(AxisScaleForms, PositionToValueInvertsTheForms)
{
    Make(true, 0, 100, 10, 200);
    EXPECT_DOUBLE_EQ(s.PositionToValue(110), 50);
    EXPECT_DOUBLE_EQ(s.CalcPosPoint(10), 0);
    Make(false, 0, 100, 10, 200);
    EXPECT_DOUBLE_EQ(s.PositionToValue(60), 75);
    s.Logarithmic = true;
    s.SelectForms();
    Make(false, 1, 1000, 0, 300);
    EXPECT_DOUBLE_EQ(s.PositionToValue(0), 1000);
    EXPECT_DOUBLE_EQ(s.PositionToValue(300), 1);
    EXPECT_NEAR(s.PositionToValue(200), 10, 1e-12);
}

TEST_F(AxisScaleForms, SizeValue)
{
    Make(true, 0, 100, 0, 200);
    EXPECT_EQ(s.CalcSizeValue(25), 50);
    EXPECT_EQ(s.CalcSizeValue(-1), 0);
    EXPECT_EQ(s.CalcSizeValue(1e300), MaxPixelPos);
}

TEST_F(AxisScaleForms, MarginsWidenTheRange)
{
    // 0..100 on 200 pixels, 20 pixels free at each end: 160 pixels for 100, 20 px = 12.5.
    Make(true, 0, 100, 0, 200);
    s.AdjustMaxMinRect(20, 20);
    EXPECT_DOUBLE_EQ(s.CurrentMinimum, -12.5);
    EXPECT_DOUBLE_EQ(s.CurrentMaximum, 112.5);
    EXPECT_EQ(s.StartPos, 0);
    EXPECT_EQ(s.EndPos, 200);
    Make(false, 0, 100, 0, 200);
    s.AdjustMaxMinRect(20, 20);
    EXPECT_DOUBLE_EQ(s.CurrentMinimum, -12.5);
    EXPECT_DOUBLE_EQ(s.CurrentMaximum, 112.5);
}

TEST_F(AxisScaleForms, MarginsAsLargeAsTheSpanLeaveTheRangeAlone)
{
    Make(true, 0, 100, 0, 200);
    s.AdjustMaxMinRect(100, 100);
    EXPECT_EQ(s.CurrentMinimum, 0);
    EXPECT_EQ(s.CurrentMaximum, 100);
    EXPECT_EQ(s.AxisSize, 200);
}

TEST_F(AxisScaleForms, StartEndInPercent)
{
    s.CurrentMaximum = 1;
    s.SetStartEnd(10, 201, 25, 75);
    EXPECT_EQ(s.StartPos, 60);   // 50.25 -> 50
    EXPECT_EQ(s.EndPos, 161);    // 150.75 -> 151
    EXPECT_EQ(s.AxisSize, 101);
    EXPECT_EQ(s.CenterPos, 110);
}

// Random scales of every linear kind: the copied-out form gives the scale's
// own pixel for values inside, beside, far beyond and at the rounding
// boundaries of the range, and for the special values.
TEST(LinearPixelForm, SamePixelsAsTheScale)
{
    std::mt19937_64 rng(20261209);
    std::uniform_real_distribution<double> unit(0, 1);
    const auto pick = [&](int N) { return static_cast<int>(rng() % static_cast<unsigned>(N)); };
    const double magnitudes[] = {1e-300, 1e-9, 1e-3, 1, 7, 1e3, 1e6, 1e12, 1e100, 1e300};
    long compared = 0;
    long spans = 0;
    long found = 0;
    for (int round = 0; round < 4000; ++round) {
        TAxisScale s;
        s.Horizontal = pick(2) == 0;
        s.Inverted = pick(2) == 0;
        s.FastCalc = pick(2) == 0;
        s.SelectForms();
        const double mag = magnitudes[pick(10)];
        double lo = (unit(rng) * 2 - 1) * mag;
        double hi = lo + (pick(8) == 0 ? 0 : unit(rng) * mag * (pick(2) ? 1 : 1e-6));
        if (pick(20) == 0)
            hi = lo + 3;  // whole units: many values on exact halves
        s.CurrentMinimum = lo;
        s.CurrentMaximum = hi;
        const int origin = pick(3) == 0 ? -pick(5000) : pick(5000);
        const int span = pick(10) == 0 ? 0 : 1 + pick(pick(4) == 0 ? 100000 : 4000);
        s.SetStartEnd(origin, span, pick(4) == 0 ? unit(rng) * 20 : 0, pick(4) == 0 ? 80 + unit(rng) * 20 : 100);
        if (s.AxisSize > 0 && pick(3) == 0) {
            // one or two units a pixel from a whole minimum: offsets land on exact halves
            lo = std::floor(lo);
            hi = lo + s.AxisSize * (pick(2) + 1.0);
            s.CurrentMinimum = lo;
            s.CurrentMaximum = hi;
            s.RecalcSizes();
        }
        for (bool horiz : {true, false}) {
            const TLinearPixelForm f(s, horiz);
            ASSERT_TRUE(f.Linear());
            std::vector<double> values;
            std::vector<int> wanted;
            const auto same = [&](double v) {
                const int want = horiz ? s.CalcXPosValue(v) : s.CalcYPosValue(v);
                values.push_back(v);
                wanted.push_back(want);
                ASSERT_EQ(f.At(v), want) << "value " << v << " range " << lo << ".." << hi << " start "
                                         << s.StartPos << " end " << s.EndPos << " inverted " << s.Inverted
                                         << " fast " << s.FastCalc;
                ++compared;
            };
            const double range = hi - lo;
            for (int k = 0; k < 200; ++k) {
                const double v = lo + (unit(rng) * 3 - 1) * (range == 0 ? mag : range);
                same(v);
            }
            // values whose pixel offset lies on a half
            if (s.AxisSize > 0 && range > 0)
                for (int k = 0; k < 50; ++k)
                    same(lo + (pick(3 * s.AxisSize + 1) - s.AxisSize + 0.5) * (range / s.AxisSize));
            for (double v : {lo, hi, -lo, 0.0, 1e308, -1e308, Inf, -Inf, NaN, lo * 1e200, hi * 1e-200})
                same(v);
            if (::testing::Test::HasFatalFailure())
                return;
            // the same values a block at a time, odd lengths included
            std::vector<int> got(values.size());
            const int cut = pick(static_cast<int>(values.size()));
            f.AtEach(values.data(), cut, got.data());
            f.AtEach(values.data() + cut, static_cast<int>(values.size()) - cut, got.data() + cut);
            ASSERT_EQ(got, wanted) << "range " << lo << ".." << hi << " fast " << s.FastCalc;
            // every value between the ends of a pixel's span lands on that pixel
            for (int k = 0; k < 10; ++k) {
                const int p = wanted[static_cast<std::size_t>(pick(static_cast<int>(wanted.size())))];
                double spanLo = 0, spanHi = 0;
                f.ValuesOn(p, spanLo, spanHi);
                ++spans;
                if (spanLo > spanHi)
                    continue;
                ++found;
                for (double t : {0.0, 0.001, 0.25, 0.5, 0.75, 0.999, 1.0}) {
                    const double v = t == 1.0 ? spanHi : spanLo + (spanHi - spanLo) * t;
                    ASSERT_EQ(f.At(v), p) << "span " << spanLo << ".." << spanHi << " of pixel " << p;
                }
            }
        }
    }
    EXPECT_GT(compared, 1000000);
    // most pixels have a span; ends clamped or beyond the doubles have none
    EXPECT_GT(found, spans / 2);
}

TEST(LinearPixelForm, ValuesOnAPixelSpanNearlyAllOfIt)
{
    TAxisScale s;
    s.Horizontal = true;
    s.CurrentMinimum = 0;
    s.CurrentMaximum = 100;
    s.SetStartEnd(0, 100, 0, 100);
    s.SelectForms();
    for (bool inverted : {false, true}) {
        s.Inverted = inverted;
        const TLinearPixelForm f(s, true);
        const int p = f.At(10);
        ASSERT_EQ(p, inverted ? s.EndPos - 10 : s.StartPos + 10);
        double lo = 0, hi = 0;
        f.ValuesOn(p, lo, hi);
        EXPECT_NEAR(lo, 9.5, 0.001);
        EXPECT_NEAR(hi, 10.5, 0.001);
        EXPECT_EQ(f.At(lo), p);
        EXPECT_EQ(f.At(hi), p);
        EXPECT_NE(f.At(9.49), p);
        EXPECT_NE(f.At(10.51), p);
    }
    // a range of zero puts every value on the centre, and nothing elsewhere
    s.CurrentMaximum = 0;
    s.SetStartEnd(0, 100, 0, 100);
    s.SelectForms();
    const TLinearPixelForm zero(s, true);
    double lo = 0, hi = 0;
    zero.ValuesOn(zero.At(5), lo, hi);
    EXPECT_EQ(lo, -HUGE_VAL);
    EXPECT_EQ(hi, HUGE_VAL);
    zero.ValuesOn(zero.At(5) + 1, lo, hi);
    EXPECT_GT(lo, hi);
}

TEST(LinearPixelForm, LogarithmicAndDepthFormsAreNotCovered)
{
    TAxisScale s;
    s.Logarithmic = true;
    s.SelectForms();
    EXPECT_FALSE(TLinearPixelForm(s, true).Linear());
    TAxisScale d;
    d.DepthAxis = true;
    d.SelectForms();
    EXPECT_FALSE(TLinearPixelForm(d, false).Linear());
    TAxisScale l;
    EXPECT_TRUE(TLinearPixelForm(l, false).Linear());
}

}  // namespace
