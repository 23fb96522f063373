#pragma once
// Sorting, flooring, swapping and axis-tick helpers of the component library.
#include <cstdint>
#include <functional>
#include <span>
#include <utility>

// Comb sort of v[first..last] (indices into v): the gap starts at StartGap and
// shrinks by 1.3 (truncated, at least 1) before each pass; a pass exchanges v[i]
// and v[i + gap] when OutOfOrder(v[i], v[i + gap]) and calls OnExchange(i,
// i + gap); OnPass() follows each pass. Stops after a gap-1 pass without exchanges.
template <typename T, typename OutOfOrder, typename OnExchange, typename OnPass>
void CombSort(T* v, int first, int last, int startGap, OutOfOrder outOfOrder, OnExchange onExchange, OnPass onPass)
{
    int gap = startGap;
    bool exchanged = true;
    while (gap > 1 || exchanged) {
        gap = static_cast<int>(gap / 1.3);
        if (gap < 1)
            gap = 1;
        exchanged = false;
        for (int i = first; i + gap <= last; ++i) {
            if (outOfOrder(v[i], v[i + gap])) {
                std::swap(v[i], v[i + gap]);
                exchanged = true;
                onExchange(i, i + gap);
            }
        }
        onPass();
    }
}

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
