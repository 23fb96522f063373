// Vector statistics and sorting on 10^6 values beside the standard library
// and a plain two-pass loop over the same data.
#include "core/numeric_vector.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int kCount = 1'000'000;

const std::vector<double>& Doubles()
{
    static const std::vector<double> values = [] {
        std::mt19937 gen(12345);
        std::normal_distribution<double> normal(170.0, 9.5);
        std::vector<double> v(kCount);
        for (auto& x : v)
            x = normal(gen);
        return v;
    }();
    return values;
}

const std::vector<std::int32_t>& Ints()
{
    static const std::vector<std::int32_t> values = [] {
        std::mt19937 gen(54321);
        std::vector<std::int32_t> v(kCount);
        for (auto& x : v)
            x = static_cast<std::int32_t>(gen() % 100000);
        return v;
    }();
    return values;
}

void FillVector(TVector& v)
{
    const auto& src = Doubles();
    v.SetNrOfElem(kCount);
    for (int i = 0; i < kCount; ++i)
        v.SetElem(i + 1, src[static_cast<std::size_t>(i)]);
}

void FillIntVector(TIntVector& v)
{
    const auto& src = Ints();
    v.SetNrOfElem(kCount);
    for (int i = 0; i < kCount; ++i)
        v.SetElem(i + 1, src[static_cast<std::size_t>(i)]);
}

void BM_TVectorMeanVar(benchmark::State& state)
{
    TVector v;
    FillVector(v);
    for (auto _ : state) {
        double mean = 0, var = 0;
        v.MeanVar(1, kCount, mean, var);
        benchmark::DoNotOptimize(mean);
        benchmark::DoNotOptimize(var);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TVectorMeanVar)->Unit(benchmark::kMillisecond);

void BM_TwoPassMeanVar(benchmark::State& state)
{
    const auto& x = Doubles();
    for (auto _ : state) {
        double sum = 0;
        for (double v : x)
            sum += v;
        const double mean = sum / kCount;
        double ss = 0;
        for (double v : x)
            ss += (v - mean) * (v - mean);
        const double var = ss / (kCount - 1);
        benchmark::DoNotOptimize(mean);
        benchmark::DoNotOptimize(var);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TwoPassMeanVar)->Unit(benchmark::kMillisecond);

// Copy of the range, comb sort, interpolation.
void BM_TVectorPercentile(benchmark::State& state)
{
    TVector v;
    FillVector(v);
    for (auto _ : state)
        benchmark::DoNotOptimize(v.Percentile(1, kCount, 50));
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TVectorPercentile)->Unit(benchmark::kMillisecond);

// The same copy and a std::sort of it.
void BM_StdSortDoublesCopy(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<double> copy = Doubles();
        std::sort(copy.begin(), copy.end());
        benchmark::DoNotOptimize(copy[kCount / 2]);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_StdSortDoublesCopy)->Unit(benchmark::kMillisecond);

void BM_TIntVectorSortRange(benchmark::State& state)
{
    TIntVector v;
    for (auto _ : state) {
        state.PauseTiming();
        FillIntVector(v);
        state.ResumeTiming();
        v.SortRange(true, 1, kCount);
        benchmark::DoNotOptimize(v.GetElem(1));
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_TIntVectorSortRange)->Unit(benchmark::kMillisecond);

void BM_StdSortInts(benchmark::State& state)
{
    std::vector<std::int32_t> v;
    for (auto _ : state) {
        state.PauseTiming();
        v = Ints();
        state.ResumeTiming();
        std::sort(v.begin(), v.end());
        benchmark::DoNotOptimize(v.front());
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_StdSortInts)->Unit(benchmark::kMillisecond);

}  // namespace
