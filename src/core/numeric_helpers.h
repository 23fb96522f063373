#pragma once
// Sorting, flooring, swapping and axis-tick helpers of the component library.
#include <cstdint>
#include <functional>
#include <span>

// Comb sort of values[0..high] in place (high is cut to the span's last index).
// Every pass increments a library-wide pass counter and calls the feedback
// procedure, when one is set, with it.
void CombSortDoubles(std::span<double> values, int high, bool ascending);
std::int64_t CombSortPassCount();
void SetCombSortFeedback(std::function<void(std::int64_t passes)> feedback);

// Greatest integer not above x. NaN gives 0; values beyond the 32-bit range
// give the nearest end of that range.
std::int32_t FloorInt(double x);

// Tick layout for an axis running from lo to hi with about n intervals: the
// first tick at or beyond lo, the signed step between major ticks and the
// number of minor intervals per step. Step 0 means there is nothing to draw
// (equal or non-finite bounds, a negative n, a step the bounds cannot resolve).
void CalcNiceTicks(std::int32_t n, long double& first, long double& step, long double lo,
                   long double hi, std::uint16_t& minor);

inline void SwapInt32(std::int32_t& a, std::int32_t& b)
{
    const std::int32_t t = a;
    a = b;
    b = t;
}

inline void SwapExtended(long double& a, long double& b)
{
    const long double t = a;
    a = b;
    b = t;
}
