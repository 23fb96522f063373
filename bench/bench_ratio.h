#pragma once
// Times our drawing and Qt doing the same work in the same iterations, so a
// busy machine slows both alike. Counters: ours_ms, qt_ms and ratio (ours / Qt).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

// The canvas sizes every drawing case runs at (the argument is the width).
inline void CanvasSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(960)->Arg(1920)->Unit(benchmark::kMillisecond);
}

inline int HeightFor(int width) { return width * 9 / 16; }

// With --benchmark_repetitions: the least and greatest repetition beside the
// median (of the time and of each counter, the ratio too).
inline void MinMedianMax(benchmark::internal::Benchmark* b)
{
    b->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
    b->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
}

template <class Ours, class Qt>
void TimeBoth(benchmark::State& state, Ours&& ours, Qt&& qt, const char* oursName = "ours_ms",
              const char* qtName = "qt_ms")
{
    using Clock = std::chrono::steady_clock;
    double oursMs = 0;
    double qtMs = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        ours();
        const auto t1 = Clock::now();
        qt();
        const auto t2 = Clock::now();
        oursMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
        qtMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters[oursName] = oursMs / n;
    state.counters[qtName] = qtMs / n;
    state.counters["ratio"] = qtMs > 0 ? oursMs / qtMs : 0;
}

}  // namespace bench
