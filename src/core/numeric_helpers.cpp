#include "core/numeric_helpers.h"

#include "base/basic_types.h"

#include <cmath>
#include <limits>
#include <utility>

namespace {

std::int64_t g_combSortPasses = 0;
std::function<void(std::int64_t)> g_combSortFeedback;

void CountCombSortPass()
{
    ++g_combSortPasses;
    if (g_combSortFeedback)
        g_combSortFeedback(g_combSortPasses);
}

// Log10 of 2 and of 5 with the margin that puts an exact 2*10^k or 5*10^k into
// the lower class.
const long double kLog2Margin = std::log10(2.0L) + 1e-10L;
const long double kLog5Margin = std::log10(5.0L) + 1e-10L;

// Most steps the first tick may need to reach lo; a handful suffice whenever the
// step is resolvable at lo.
constexpr int kMaxAdvance = 1000;

void NothingToDraw(long double& first, long double& step, long double lo, std::uint16_t& minor)
{
    first = lo;
    step = 0;
    minor = 1;
}

}  // namespace

void CombSortDoubles(std::span<double> values, int high, bool ascending)
{
    if (high >= 0 && static_cast<std::size_t>(high) >= values.size())
        high = static_cast<int>(values.size()) - 1;
    if (high < 1)
        return;
    const auto noExchange = [](int, int) {};
    if (ascending)
        CombSort(values.data(), 0, high, high + 1, [](double a, double b) { return a > b; }, noExchange,
                 CountCombSortPass);
    else
        CombSort(values.data(), 0, high, high + 1, [](double a, double b) { return a < b; }, noExchange,
                 CountCombSortPass);
}

std::int64_t CombSortPassCount()
{
    return g_combSortPasses;
}

void SetCombSortFeedback(std::function<void(std::int64_t)> feedback)
{
    g_combSortFeedback = std::move(feedback);
}

std::int32_t FloorInt(double x)
{
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(x))
        return 0;
    if (x < kMin)
        return std::numeric_limits<std::int32_t>::min();
    if (x >= kMax)
        return std::numeric_limits<std::int32_t>::max();
    std::int64_t r = Round(x);
    if (static_cast<double>(r) > x)
        --r;
    return static_cast<std::int32_t>(r);
}

void CalcNiceTicks(std::int32_t n, long double& first, long double& step, long double lo,
                   long double hi, std::uint16_t& minor)
{
    if (lo == hi || !std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(hi - lo) || n < 0) {
        NothingToDraw(first, step, lo, minor);
        return;
    }
    const long double dir = lo > hi ? -1.0L : 1.0L;

    if (n == 0) {
        step = 1;
        first = std::trunc(lo) - 1;
        for (int i = 0; i < kMaxAdvance && dir * (lo - first) > 0.001L; ++i)
            first += step;
        minor = std::fabs(hi - lo) <= 10 ? 5 : 1;
        return;
    }

    long double L = std::log10(std::fabs(hi - lo) / n);
    long double f = L - std::trunc(L);
    if (std::fabs(f) < 1e-10L || std::fabs(f) > 0.9999999999L) {
        L = std::nearbyint(L);
        f = 0;
    }
    if (L < 0 && f != 0)
        L -= 1;
    if (f < 0)
        f += 1;
    // Step = mantissa * 10^k, formed from an exact power of ten where one exists.
    long double mantissa;
    if (f < kLog2Margin) {
        mantissa = 1;
        minor = 5;
    } else if (f < kLog5Margin) {
        mantissa = 2;
        minor = 4;
    } else {
        mantissa = 5;
        minor = 5;
    }
    step = dir * mantissa * std::pow(10.0L, std::trunc(L));

    // A step below the spacing of the numbers near the bounds cannot advance.
    if (step == 0 || !std::isfinite(step) || lo + step == lo || hi + step == hi) {
        NothingToDraw(first, step, lo, minor);
        return;
    }
    first = (std::trunc(lo / step) - 1) * step;
    // A thousandth of the step, exact for whole steps (0.001L lies below 0.001).
    const long double margin = std::fabs(step) / 1000;
    int i = 0;
    for (; i < kMaxAdvance && dir * (lo - first) > margin; ++i)
        first += step;
    if (i == kMaxAdvance)
        NothingToDraw(first, step, lo, minor);
}
