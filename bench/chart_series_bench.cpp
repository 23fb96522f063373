// A series of 10^6 points (ascending X) beside the same values in plain
// containers: adding them (series vs two std::vector<double> push_backs) and
// writing and reading them as "Data" (series vs copying the values into and
// out of a vector and a raw memcpy of the same bytes). Times in milliseconds;
// each "ratio" counter is the series time over the plain one.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <vector>

#include "chart/chart_series.h"

namespace {

constexpr int kPoints = 1000000;

double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

double YOf(int i)
{
    return static_cast<double>(static_cast<long long>(i) * 7919 % 1000) * 0.5;
}

// Runs the three steps in each iteration and reports each time and the
// series time over each of the others.
template <typename A, typename B, typename C>
void TimeThree(benchmark::State& state, A series, B vector, C raw)
{
    double t[3] = {0, 0, 0};
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        series();
        const auto t1 = std::chrono::steady_clock::now();
        vector();
        const auto t2 = std::chrono::steady_clock::now();
        raw();
        const auto t3 = std::chrono::steady_clock::now();
        t[0] += Ms(t1 - t0);
        t[1] += Ms(t2 - t1);
        t[2] += Ms(t3 - t2);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["series_ms"] = t[0] / n;
    state.counters["vector_ms"] = t[1] / n;
    state.counters["memcpy_ms"] = t[2] / n;
    state.counters["ratio_vector"] = t[1] > 0 ? t[0] / t[1] : 0;
    state.counters["ratio_memcpy"] = t[2] > 0 ? t[0] / t[2] : 0;
}

void BM_SeriesAddRatio(benchmark::State& state)
{
    std::vector<double> source(2 * kPoints);
    for (int i = 0; i < kPoints; ++i) {
        source[2 * i] = i;
        source[2 * i + 1] = YOf(i);
    }
    std::vector<double> copy(source.size());
    TimeThree(
        state,
        [&] {
            TChartSeries s;
            s.BeginUpdate();
            for (int i = 0; i < kPoints; ++i)
                s.AddXY(source[2 * i], source[2 * i + 1]);
            s.EndUpdate();
            benchmark::DoNotOptimize(s.Count());
        },
        [&] {
            std::vector<double> x, y;
            for (int i = 0; i < kPoints; ++i) {
                x.push_back(source[2 * i]);
                y.push_back(source[2 * i + 1]);
            }
            benchmark::DoNotOptimize(x.data());
            benchmark::DoNotOptimize(y.data());
        },
        [&] {
            std::memcpy(copy.data(), source.data(), source.size() * sizeof(double));
            benchmark::ClobberMemory();
        });
}
BENCHMARK(BM_SeriesAddRatio)->Unit(benchmark::kMillisecond);

struct Filled {
    TChartSeries series;
    std::vector<double> x, y;
    Filled()
    {
        series.BeginUpdate();
        for (int i = 0; i < kPoints; ++i) {
            // X not 0, 1, 2, ...: both values are written
            series.AddXY(i + 0.5, YOf(i));
            x.push_back(i + 0.5);
            y.push_back(YOf(i));
        }
        series.EndUpdate();
    }
};

void BM_SeriesWriteDataRatio(benchmark::State& state)
{
    Filled f;
    std::vector<std::uint8_t> raw(2 * kPoints * sizeof(double));
    TimeThree(
        state,
        [&] { benchmark::DoNotOptimize(f.series.WriteData().data()); },
        [&] {
            std::vector<double> out;
            for (int i = 0; i < kPoints; ++i) {
                out.push_back(f.x[static_cast<std::size_t>(i)]);
                out.push_back(f.y[static_cast<std::size_t>(i)]);
            }
            benchmark::DoNotOptimize(out.data());
        },
        [&] {
            std::memcpy(raw.data(), f.x.data(), kPoints * sizeof(double));
            std::memcpy(raw.data() + kPoints * sizeof(double), f.y.data(), kPoints * sizeof(double));
            benchmark::ClobberMemory();
        });
}
BENCHMARK(BM_SeriesWriteDataRatio)->Unit(benchmark::kMillisecond);

void BM_SeriesReadDataRatio(benchmark::State& state)
{
    Filled f;
    const std::vector<std::uint8_t> data = f.series.WriteData();
    std::vector<double> back(2 * kPoints);
    TimeThree(
        state,
        [&] {
            TChartSeries s;
            s.ReadData(data);
            benchmark::DoNotOptimize(s.Count());
        },
        [&] {
            std::vector<double> x, y;
            const std::uint8_t* p = data.data() + 5;
            for (int i = 0; i < kPoints; ++i, p += 16) {
                double a, b;
                std::memcpy(&a, p, 8);
                std::memcpy(&b, p + 8, 8);
                x.push_back(a);
                y.push_back(b);
            }
            benchmark::DoNotOptimize(x.data());
            benchmark::DoNotOptimize(y.data());
        },
        [&] {
            std::memcpy(back.data(), data.data() + 5, back.size() * sizeof(double));
            benchmark::ClobberMemory();
        });
}
BENCHMARK(BM_SeriesReadDataRatio)->Unit(benchmark::kMillisecond);

}  // namespace
