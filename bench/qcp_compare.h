#pragma once
// Times our chart and QCustomPlot doing the same work in alternation within
// each iteration. Counters: ours_ms, qcp_ms and ratio (ours / QCustomPlot).
#include <benchmark/benchmark.h>

#include <chrono>

namespace qcp_compare {

inline double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

template <typename Ours, typename Theirs>
void Alternate(benchmark::State& state, Ours ours, Theirs theirs)
{
    double oursMs = 0;
    double theirsMs = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        ours();
        const auto t1 = std::chrono::steady_clock::now();
        theirs();
        const auto t2 = std::chrono::steady_clock::now();
        oursMs += Ms(t1 - t0);
        theirsMs += Ms(t2 - t1);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = oursMs / n;
    state.counters["qcp_ms"] = theirsMs / n;
    state.counters["ratio"] = theirsMs > 0 ? oursMs / theirsMs : 0;
}

}  // namespace qcp_compare
