#include "widgets/scale_ticks.h"

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "core/date_time.h"
#include "core/numeric_helpers.h"
#include "widgets/instrument_texts.h"

namespace {

// Step sizes of elapsed-time scales in seconds with their minor intervals.
struct TimeStep {
    double seconds;
    int minors;
};
constexpr TimeStep kTimeSteps[28] = {
    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5}, {0.02, 4}, {0.05, 5}, {0.1, 5},   {0.2, 4},
    {0.5, 5},   {1, 5},     {2, 4},     {5, 5},    {10, 5},   {20, 4},   {30, 6},    {60, 6},
    {120, 6},   {180, 6},   {300, 5},   {600, 5},  {1200, 6}, {1800, 6}, {3600, 6},  {7200, 4},
    {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6}};

// Slightly below 1: the logarithmic generator's tolerance.
constexpr long double kNearOne = 0.999999999L;

// The first multiple of step at or beyond low in the step's direction
// (within a thousandth of a step).
long double FirstMultiple(long double low, long double step)
{
    const long double d = step < 0 ? -1 : 1;
    long double first = (std::trunc(low / step) - 1) * step;
    for (int i = 0; i < 4 && d * (low - first) >= std::fabs(step) / 1000; ++i)
        first += step;
    return first;
}

// How many ticks a pass from first by step up to high would give (an upper bound).
long double PassCount(long double low, long double high, long double step)
{
    return std::fabs(high - low) / std::fabs(step) + 3;
}

// Minor and major passes of a stepped scale (linear and elapsed time). Minor
// ticks from one step before the first major tick, recorded from the low end
// on; major ticks recorded only when there are no minor ticks.
template <typename Label>
void SteppedTicks(TTickPlan& plan, const TTickSettings& s, long double first, long double step, int minors,
                  const Label& label)
{
    const long double low = s.low, high = s.high;
    const long double d = high <= low ? -1 : 1;
    const long double limit = std::max(s.pixels, 1);
    // A step pointing away from the high end would never reach it.
    if (d * step < 0) {
        step = -step;
        first = FirstMultiple(low, step);
    }
    // More major ticks than pixels: coarser steps of the same kind.
    while (PassCount(low, high, step) > limit + 3 && std::isfinite(step * 10)) {
        step *= 10;
        first = FirstMultiple(low, step);
    }
    const long double minorStep = step / std::max(minors, 1);
    const bool minorPass = s.shortTicks && PassCount(low, high, minorStep) <= limit + 3;
    // Each pass stops after at most this many steps, whatever the step.
    const std::int64_t bound = static_cast<std::int64_t>(limit) * 2 + 8;
    if (minorPass) {
        const std::int64_t minorBound = bound * std::max(minors, 1);
        for (std::int64_t i = 0; i < minorBound; ++i) {
            const long double t = (first - step) + i * minorStep;
            if (d * (t - high) > 0.001L * std::fabs(minorStep))
                break;
            if (d * t >= d * low)
                plan.ticks.push_back(TTickMark{static_cast<double>(t), false, true, false, {}, {}});
        }
    }
    for (std::int64_t i = 0; i < bound; ++i) {
        const long double t = first + i * step;
        if (d * (t - high) > 0.001L * std::fabs(step))
            break;
        TTickMark mark{static_cast<double>(t), true, !minorPass, false, {}, {}};
        if (s.labelType != ftNoFigs) {
            mark.labelled = true;
            mark.label = label(static_cast<double>(t), static_cast<int>(i));
        }
        plan.ticks.push_back(std::move(mark));
    }
}

std::string TrimTrailingZeros(std::string text)
{
    if (text.find('.') == std::string::npos || text.find_first_of("eE") != std::string::npos)
        return text;
    while (!text.empty() && text.back() == '0')
        text.pop_back();
    if (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

// A literal character inside a date pattern.
std::string Quoted(char c)
{
    if (c == 0)
        return {};
    return c == '\'' ? std::string("\"'\"") : std::string("'") + c + "'";
}

// A point of the continuous time line as a day number whose fraction is the
// time of day without sign (before day 0 the date counts down).
TDateTime ToDayNumber(long double t)
{
    if (std::fabs(t) < 1e-10L)
        return 0;
    const long double day = std::floor(t);
    if (day >= 0)
        return static_cast<double>(t);
    return static_cast<double>(day - (t - day));
}

std::string YearPattern(const TDTLabel& f)
{
    return f.YearLength() == ylYY ? "yy" : f.YearLength() == ylYYYY ? "yyyy" : "";
}

std::string DatePattern(const TDTLabel& f)
{
    const std::string sep = Quoted(f.DateSeparator());
    const std::string day = "dd", month = f.MonthName() ? "mmm" : "mm", year = YearPattern(f);
    if (year.empty())
        return f.DateOrder() == doDDMMYY ? day + sep + month : month + sep + day;
    switch (f.DateOrder()) {
    case doDDMMYY: return day + sep + month + sep + year;
    case doYYMMDD: return year + sep + month + sep + day;
    default: return month + sep + day + sep + year;
    }
}

enum class Granularity { Seconds, Minutes, Hours, Days, Months, Years };

std::string TimePattern(const TDTLabel& f, Granularity g)
{
    const std::string sep = Quoted(f.TimeSeparator());
    switch (f.TimeFormat()) {
    case tfHHhMM:
        return g == Granularity::Hours ? "h'h'" : g == Granularity::Minutes ? "h'h'nn" : "h'h'nn" + sep + "ss";
    case tfAMPM:
        return g == Granularity::Hours     ? "ham/pm"
               : g == Granularity::Minutes ? "h" + sep + "nnam/pm"
                                           : "h" + sep + "nn'.'ssam/pm";
    default:
        return g == Granularity::Seconds ? "hh" + sep + "nn" + sep + "ss" : "hh" + sep + "nn";
    }
}

// The largest of the steps not above q, at least the first.
int LargestStep(std::initializer_list<int> steps, long double q)
{
    int chosen = *steps.begin();
    for (int step : steps)
        if (step <= q)
            chosen = step;
    return chosen;
}

int YearOf(long double t)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(ToDayNumber(std::floor(t)), y, m, d);
    return y;
}

}  // namespace

int AutomaticDecimals(int decPlaces, double low, double high)
{
    if (decPlaces != -2 && decPlaces != -3)
        return decPlaces;
    const double r = std::fabs(high - low);
    if (r >= 1e6 || r <= 0.0001)
        return -1;
    if (r >= 100)
        return 0;
    return static_cast<int>(2 - Round(std::log(r) / 2.5));
}

std::string UserTickItem(const std::string& userTickText, int n)
{
    std::size_t start = 0;
    for (int item = 0;; ++item) {
        const std::size_t bar = userTickText.find('|', start);
        if (item == n || bar == std::string::npos)
            return userTickText.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
        start = bar + 1;
    }
}

std::string ApplyInscript(const std::string& label, const std::string& inscript)
{
    if (label.empty())
        return label;
    const std::size_t amp = inscript.find('&');
    if (amp == std::string::npos)
        return inscript + label;
    return inscript.substr(0, amp) + label + inscript.substr(amp + 1);
}

TTickPlan LinearTicks(const TTickSettings& s)
{
    TTickPlan plan;
    long double first = 0, step = 0;
    std::uint16_t minors = 1;
    CalcNiceTicks(s.minTicks, first, step, s.low, s.high, minors);
    if (step == 0)
        return plan;
    const int decimals = AutomaticDecimals(s.decPlaces, s.low, s.high);
    const double range = s.high - s.low;
    SteppedTicks(plan, s, first, step, minors, [&](double t, int i) {
        std::string text;
        if (std::fabs(t / range) > 1e-14)
            text = LabelNumberText(t, decimals);
        else if (std::fabs(range) <= 100000)
            text = LabelNumberText(0.0, decimals);  // the decimals of its neighbours
        else
            text = decimals != 0 ? "0.0" : "0";
        if (s.decPlaces == 0 && std::fabs(t - std::nearbyint(t)) > 1e-6)
            text.clear();
        if (s.labelType == ftUserText)
            return UserTickItem(s.userTickText, i);
        return ApplyInscript(text, s.inscript);
    });
    return plan;
}

TTickPlan LogarithmicTicks(const TTickSettings& s)
{
    // A range end at or below zero has no logarithm: linear ticks instead.
    if (!(s.low > 0 && s.high > 0))
        return LinearTicks(s);
    const double decades = std::fabs(std::log10(s.high / s.low));
    if (decades < 1)
        return LinearTicks(s);
    const long double lo = std::min(s.low, s.high), hi = std::max(s.low, s.high);
    int decimals = s.decPlaces;
    if (s.decPlaces == -2) {
        if (hi - lo >= 1e6 || hi - lo <= 0.0001)
            decimals = -1;
        else if (lo >= 1)
            decimals = 0;
        else
            decimals = static_cast<int>(1 - Round(std::log10(static_cast<double>(lo))));
    }
    const bool subdivide = decades + 0.5 < s.minTicks;
    const long double first = std::pow(10.0L, std::floor(std::log10(kNearOne * lo)));
    TTickPlan plan;
    const int limit = std::max(s.pixels, 1);
    int labelled = 0;
    auto add = [&](long double v, int k) {
        if (!(lo < v / kNearOne && kNearOne * v < hi))
            return;
        if (static_cast<int>(plan.ticks.size()) >= limit)
            return;
        const bool major = k == 1 || ((k == 2 || k == 5) && subdivide);
        if (!major && !s.shortTicks)
            return;
        TTickMark mark{static_cast<double>(v), major, true, false, {}, {}};
        if (major && s.labelType != ftNoFigs) {
            mark.labelled = true;
            std::string text;
            bool counts = true;
            if (s.decPlaces == -3) {
                counts = k == 1;
                if (counts)
                    text = NumberText(std::nearbyint(std::log10(static_cast<double>(v))), 0);
            } else {
                text = LabelNumberText(static_cast<double>(v), decimals);
                if (s.decPlaces == -2)
                    text = TrimTrailingZeros(text);
            }
            if (s.labelType == ftUserText)
                text = counts ? UserTickItem(s.userTickText, labelled) : std::string();
            else
                text = ApplyInscript(text, s.inscript);
            labelled += counts ? 1 : 0;
            mark.label = std::move(text);
        }
        plan.ticks.push_back(std::move(mark));
    };
    for (long double m = 1; kNearOne * first * m <= hi && std::isfinite(first * m); m *= 10) {
        if (!subdivide) {
            add(first * m, 1);
            continue;
        }
        for (int k = 1; k <= 9; ++k)
            add(k * first * m, k);
    }
    return plan;
}

bool TimeTicks(const TTickSettings& s, TTickPlan& plan)
{
    const double q = std::fabs(s.high - s.low) / std::max(s.minTicks, 1);
    int index = -1;
    for (int i = 0; i < 28; ++i)
        if (kTimeSteps[i].seconds <= q)
            index = i;
    if (index < 0 || index == 27)
        return false;
    const long double step = (s.high <= s.low ? -1.0L : 1.0L) * kTimeSteps[index].seconds;
    const bool millis = index <= 8;  // steps under one second
    SteppedTicks(plan, s, FirstMultiple(s.low, step), step, kTimeSteps[index].minors,
                 [&](double t, int) { return ElapsedTimeText(t, millis); });
    return true;
}

TTickPlan CalendarTicks(const TTickSettings& s)
{
    TTickPlan plan;
    const long double low = s.low, high = s.high;
    // Dates exist from 1 January 1 to 31 December 9999.
    if (high < low || low < kMinDateTime || high > 3000000 || high >= kMaxDateTime + 1) {
        plan.message = TScaleMessage::InvalidDateTime;
        return plan;
    }
    const int count = std::max(s.minTicks, 1);
    const long double q = (high - low) / count;
    if (q <= 1.1574e-05L) {
        plan.message = TScaleMessage::BelowOneSecond;
        return plan;
    }
    const TDTLabel& f = s.dateFormat;
    const std::size_t limit = static_cast<std::size_t>(std::max(s.pixels, 1));
    auto full = [&] { return plan.ticks.size() >= limit; };
    auto past = [&](long double day) { return day - high >= 1e-8L; };

    if (q > 366) {
        const long double years = std::max<long double>((high - low) / 365.25L / count, 1);
        const long double e = std::log10(years);
        const long double mantissa = std::pow(10.0L, e - std::trunc(e));
        const int base = mantissa < 2 ? 1 : mantissa < 5 ? 2 : 5;
        const long long step = base * static_cast<long long>(std::nearbyint(std::pow(10.0L, std::trunc(e))));
        const long long every = s.shortTicks && step > 1 ? (base == 5 ? step / 5 : step / 2) : step;
        long long year = std::max<long long>(YearOf(low) / every * every, every);
        for (; year <= 9999 && !full(); year += every) {
            const TDateTime day = EncodeDate(static_cast<int>(year), 1, 1);
            if (day < low - 1e-8L)
                continue;
            if (past(day))
                break;
            TTickMark mark{day, year % step == 0, true, false, {}, {}};
            if (mark.major && f.YearLength() != ylNone) {
                mark.labelled = true;
                mark.label = f.YearLength() == ylYY ? FormatDateTime("yy", day) : std::to_string(year);
            }
            plan.ticks.push_back(std::move(mark));
        }
        return plan;
    }
    if (q > 30) {
        const int step = LargestStep({1, 2, 3, 4, 6}, (high - low) / 30.4375L / count);
        const std::string year = YearPattern(f), month = f.MonthName() ? "mmm" : "mm";
        const std::string sep = Quoted(f.DateSeparator());
        const std::string pattern = year.empty()                ? month
                                    : f.DateOrder() == doYYMMDD ? year + sep + month
                                                                : month + sep + year;
        int y = YearOf(low), m = 1;
        for (; y <= 9999 && !full(); m += step) {
            if (m > 12) {
                m -= 12;
                ++y;
                if (y > 9999)
                    break;
            }
            const TDateTime day = EncodeDate(y, m, 1);
            if (day < low - 1e-8L)
                continue;
            if (past(day))
                break;
            plan.ticks.push_back(TTickMark{day, true, true, true, FormatDateTime(pattern, day), {}});
        }
        return plan;
    }
    const std::string datePattern = DatePattern(f);
    if (q > 1) {
        const int step = LargestStep({1, 2, 3, 7, 14, 28}, q);
        const long double start = EncodeDate(YearOf(low), 1, 1);
        long long k = static_cast<long long>(std::floor((low - start) / step));
        for (;; ++k) {
            const long double day = start + static_cast<long double>(k) * step;
            if (day < low - 1e-8L)
                continue;
            if (past(day) || day > kMaxDateTime || full())
                break;
            const TDateTime value = ToDayNumber(day);
            plan.ticks.push_back(TTickMark{static_cast<double>(day), true, true, true,
                                           FormatDateTime(datePattern, value), {}});
        }
        return plan;
    }
    // Times of day: steps in seconds that divide a day.
    const long double seconds = q * 86400;
    Granularity g;
    long long step;
    if (q <= 0.00069444L) {
        g = Granularity::Seconds;
        step = LargestStep({1, 2, 5, 10, 15, 30}, seconds);
    } else if (q <= 0.041667L) {
        g = Granularity::Minutes;
        step = 60LL * LargestStep({1, 2, 5, 10, 15, 30}, seconds / 60);
    } else {
        g = Granularity::Hours;
        step = 3600LL * LargestStep({1, 2, 3, 6, 12}, seconds / 3600);
    }
    const std::string timePattern = TimePattern(f, g);
    long long k = static_cast<long long>(std::floor(low * 86400 / step));
    long long lastDay = std::numeric_limits<long long>::min();
    bool first = true;
    for (;; ++k) {
        const long double t = static_cast<long double>(k * step) / 86400;
        if (t < low - 1e-8L)
            continue;
        if (past(t) || full())
            break;
        const TDateTime value = ToDayNumber(t);
        TTickMark mark{static_cast<double>(t), true, true, true, FormatDateTime(timePattern, value), {}};
        const long long day = static_cast<long long>(std::floor(t));
        const bool withDate = f.DateForTime() == dtAllTicks || (f.DateForTime() == dtOnePerChart && first) ||
                              (f.DateForTime() == dtOnePerDay && day != lastDay);
        if (withDate) {
            mark.dateLine = FormatDateTime(datePattern, value);
            lastDay = day;
        }
        first = false;
        plan.ticks.push_back(std::move(mark));
    }
    return plan;
}

TTickPlan PlanScaleTicks(const TTickSettings& s)
{
    if (s.labelType == ftDateTime)
        return CalendarTicks(s);
    TTickPlan plan;
    if (s.labelType == ftTime && TimeTicks(s, plan))
        return plan;
    return s.logarithmic ? LogarithmicTicks(s) : LinearTicks(s);
}
