// The statistical functions over 10^6 source points (period 20 where there is
// one) beside plain std::vector loops doing the same arithmetic per window,
// both reading the source values and storing the results (X and Y), timed in
// the same iterations. "ratio" is our time / the plain loop's time.
#include <benchmark/benchmark.h>

#include <cmath>
#include <functional>
#include <vector>

#include "bench_ratio.h"
#include "chart/chart_series.h"
#include "chart/series/bollinger_function.h"
#include "chart/series/exp_mov_ave_function.h"
#include "chart/series/macd_function.h"
#include "chart/series/moving_average_function.h"
#include "chart/series/std_deviation_function.h"

namespace {

constexpr int Points = 1000000;
constexpr int Period = 20;

struct Data {
    std::vector<double> x, y;
    Data() : x(Points), y(Points)
    {
        double v = 500;
        for (int i = 0; i < Points; ++i) {
            x[i] = i;
            v += std::sin(i * 0.37) * 3 + std::cos(i * 0.011);
            y[i] = v;
        }
    }
};

const Data& SourceData()
{
    static const Data d;
    return d;
}

struct Plain {
    std::vector<double> x, y;
    void Clear()
    {
        x.clear();
        y.clear();
    }
    void Add(double X, double Y)
    {
        x.push_back(X);
        y.push_back(Y);
    }
};

void Ema(const std::vector<double>& v, double period, std::vector<double>& out)
{
    out.resize(v.size());
    const double k = 2 / (period + 1);
    double e = v[0];
    out[0] = e;
    for (std::size_t i = 1; i < v.size(); ++i)
        out[i] = e = k * v[i] + (1 - k) * e;
}

// two passes per window, as the function does
double Deviation(const double* v, int n)
{
    double mean = 0;
    for (int k = 0; k < n; ++k)
        mean += v[k];
    mean /= n;
    double s = 0, q = 0;
    for (int k = 0; k < n; ++k) {
        const double d = v[k] - mean;
        s += d;
        q += d * d;
    }
    const double r = (double(n) * q - s * s) / (double(n) * n);
    return r > 0 ? std::sqrt(r) : 0;
}

template <class F>
void Run(benchmark::State& state, const std::function<void(F&)>& Setup, const std::function<void(Plain&)>& Loop)
{
    const Data& d = SourceData();
    TChartSeries source, series;
    source.BeginUpdate();
    for (int i = 0; i < Points; ++i)
        source.AddXY(d.x[i], d.y[i]);
    source.EndUpdate();
    auto* f = new F;
    f->BeginUpdate();
    series.SetFunction(f);
    Setup(*f);
    series.AddDataSource(&source);
    Plain plain;
    bench::TimeBoth(
        state,
        [&] {
            f->EndUpdate();
            f->BeginUpdate();
        },
        [&] {
            plain.Clear();
            Loop(plain);
            benchmark::DoNotOptimize(plain.y.data());
        },
        "ours_ms", "plain_ms");
    state.counters["points"] = series.Count();
}

void BM_MovingAverage20(benchmark::State& state)
{
    Run<TMovingAverageFunction>(state, [](TMovingAverageFunction& f) { f.SetPeriod(Period); },
                                [](Plain& p) {
                                    const Data& d = SourceData();
                                    for (int i = Period - 1; i < Points; ++i) {
                                        double s = 0;
                                        for (int k = i - Period + 1; k <= i; ++k)
                                            s += d.y[k];
                                        p.Add(d.x[i], s / Period);
                                    }
                                });
}

void BM_StdDeviation20(benchmark::State& state)
{
    Run<TStdDeviationFunction>(state, [](TStdDeviationFunction& f) { f.SetPeriod(Period); },
                               [](Plain& p) {
                                   const Data& d = SourceData();
                                   for (int i = 0; i + Period <= Points; i += Period) {
                                       const double n = Period;
                                       double mean = 0;
                                       for (int k = i; k < i + Period; ++k)
                                           mean += d.y[k];
                                       mean /= n;
                                       double s = 0, q = 0;
                                       for (int k = i; k < i + Period; ++k) {
                                           s += d.y[k] - mean;
                                           q += (d.y[k] - mean) * (d.y[k] - mean);
                                       }
                                       const double r = (n * q - s * s) / (n * (n - 1));
                                       p.Add((d.x[i] + d.x[i + Period - 1]) * 0.5, r > 0 ? std::sqrt(r) : 0);
                                   }
                               });
}

void BM_Bollinger20(benchmark::State& state)
{
    Run<TBollingerFunction>(state, [](TBollingerFunction& f) { f.SetPeriod(Period); },
                            [](Plain& p) {
                                const Data& d = SourceData();
                                static std::vector<double> avg;
                                static Plain low;
                                low.Clear();
                                for (double m : {2.0, -2.0}) {
                                    Ema(d.y, Period, avg);
                                    Plain& band = m > 0 ? p : low;
                                    for (int i = Period; i <= Points; ++i)
                                        band.Add(d.x[i - 1], avg[i - 1] + m * Deviation(&d.y[i - Period], Period));
                                }
                            });
}

void BM_ExpMovingAverage(benchmark::State& state)
{
    Run<TExpMovAveFunction>(state, [](TExpMovAveFunction& f) { f.SetPeriod(Period); },
                            [](Plain& p) {
                                const Data& d = SourceData();
                                const double k = 2.0 / (Period + 1);
                                double e = d.y[0];
                                p.Add(d.x[0], e);
                                for (int i = 1; i < Points; ++i) {
                                    e = k * d.y[i] + (1 - k) * e;
                                    p.Add(d.x[i], e);
                                }
                            });
}

void BM_MACD(benchmark::State& state)
{
    Run<TMACDFunction>(state, [](TMACDFunction&) {},
                       [](Plain& p) {
                           const Data& d = SourceData();
                           static std::vector<double> s, l, macd, sig;
                           Ema(d.y, 12, s);
                           Ema(d.y, 26, l);
                           macd.resize(s.size());
                           for (int i = 0; i < Points; ++i) {
                               macd[i] = s[i] - l[i];
                               p.Add(d.x[i], macd[i]);
                           }
                           Ema(macd, 9, sig);
                           static Plain signal, histogram;
                           signal.Clear();
                           histogram.Clear();
                           for (int i = 0; i < Points; ++i)
                               signal.Add(d.x[i], sig[i]);
                           for (int i = 0; i < Points; ++i)
                               histogram.Add(d.x[i], macd[i] - sig[i]);
                       });
}

}  // namespace

BENCHMARK(BM_MovingAverage20)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StdDeviation20)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Bollinger20)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ExpMovingAverage)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MACD)->Unit(benchmark::kMillisecond)->Iterations(5);
