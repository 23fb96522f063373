// Speed of the distribution functions and the normal generator beside the same
// computation in Boost, and a table of their worst errors against Boost.Math.
#include "core/distributions.h"
#include "core/random_numbers.h"

#include <benchmark/benchmark.h>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/random/linear_congruential.hpp>
#include <boost/random/normal_distribution.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace bm = boost::math;

const int kDfs[] = {1, 2, 3, 5, 10, 30, 100};

// Arguments cycled through by the timing loops.
template <typename F>
std::array<double, 64> Grid(F f)
{
    std::array<double, 64> a{};
    for (std::size_t i = 0; i < a.size(); ++i)
        a[i] = f(static_cast<double>(i) / 64.0);
    return a;
}

const auto kX = Grid([](double u) { return -5.0 + 10.0 * u; });
const auto kP = Grid([](double u) { return 0.0005 + 0.999 * u; });
const auto kChi = Grid([](double u) { return 0.05 + 25.0 * u; });
const auto kF = Grid([](double u) { return 0.02 + 6.0 * u; });

// ---- accuracy table ----

struct ErrorRow {
    std::string name;
    std::string grid;
    double worstAbs = 0.0;
    double worstRel = 0.0;
    std::string where;     // argument of the worst relative error
    std::string whereAbs;  // argument of the worst absolute error
};

class ErrorTracker {
public:
    void Add(double value, double reference, const std::string& where)
    {
        const double abs = std::fabs(value - reference);
        const double rel = reference != 0.0 ? abs / std::fabs(reference) : abs;
        if (!(abs <= m_worstAbs)) {
            m_worstAbs = abs;
            m_whereAbs = where;
        }
        if (!(rel <= m_worstRel)) {
            m_worstRel = rel;
            m_where = where;
        }
    }
    ErrorRow Row(std::string name, std::string grid) const
    {
        return {std::move(name), std::move(grid), m_worstAbs, m_worstRel, m_where, m_whereAbs};
    }

private:
    double m_worstAbs = 0.0;
    double m_worstRel = 0.0;
    std::string m_where;
    std::string m_whereAbs;
};

std::string Arg(const char* format, double a, double b = 0.0, double c = 0.0)
{
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::vector<ErrorRow> ComputeErrorTable()
{
    std::vector<ErrorRow> rows;
    const bm::normal normal;

    {
        ErrorTracker e;
        for (int i = -800; i <= 800; ++i) {
            const double x = i / 100.0;
            e.Add(NormalCDF(x), bm::cdf(normal, x), Arg("x=%g", x));
        }
        rows.push_back(e.Row("NormalCDF", "x in [-8, 8] step 0.01"));
    }
    {
        ErrorTracker e;
        for (int i = -400; i <= 400; ++i) {
            const double x = i / 100.0;
            e.Add(NormalCDF(x), bm::cdf(normal, x), Arg("x=%g", x));
        }
        rows.push_back(e.Row("NormalCDF", "x in [-4, 4] step 0.01"));
    }
    {
        ErrorTracker e;
        for (int i = 0; i < 1000; ++i) {
            const double p = 0.0005 + i / 1000.0;
            e.Add(InvNormal(p), bm::quantile(normal, p), Arg("p=%g", p));
        }
        for (double p = 1e-9; p < 1e-3; p *= 10.0) {
            e.Add(InvNormal(p), bm::quantile(normal, p), Arg("p=%g", p));
            e.Add(InvNormal(1.0 - p), bm::quantile(normal, 1.0 - p), Arg("p=1-%g", p));
        }
        rows.push_back(e.Row("InvNormal", "p = 0.0005..0.9995 step 0.001, 1e-9..1e-4 and mirrored"));
    }
    {
        ErrorTracker e;
        for (int df : kDfs) {
            const bm::students_t dist(df);
            for (int i = -200; i <= 200; ++i) {
                const double t = i / 20.0;
                e.Add(StudentTCDF(df, t), bm::cdf(dist, t), Arg("df=%g t=%g", df, t));
            }
        }
        rows.push_back(e.Row("StudentTCDF", "df 1..100, t in [-10, 10] step 0.05"));
    }
    {
        ErrorTracker e;
        for (int df : kDfs) {
            const bm::students_t dist(df);
            for (int i = 0; i < 1000; ++i) {
                const double p = 0.0005 + i / 1000.0;
                e.Add(InvStudentT(df, p), bm::quantile(dist, p), Arg("df=%g p=%g", df, p));
            }
        }
        rows.push_back(e.Row("InvStudentT", "df 1..100, p = 0.0005..0.9995 step 0.001"));
    }
    {
        ErrorTracker e;
        for (int df : kDfs) {
            const bm::chi_squared dist(df);
            const double top = 3.0 * df + 30.0;
            for (int i = 1; i <= 400; ++i) {
                const double x = top * i / 400.0;
                e.Add(Chi2CDF(df, x), bm::cdf(dist, x), Arg("df=%g x=%g", df, x));
            }
        }
        rows.push_back(e.Row("Chi2CDF", "df 1..100, x in (0, 3 df + 30], 400 steps"));
    }
    {
        ErrorTracker e;
        const int pairs[][2] = {{1, 1}, {2, 5}, {5, 10}, {10, 3}, {20, 30}, {9, 11}};
        for (const auto& d : pairs) {
            const bm::fisher_f dist(d[0], d[1]);
            for (int i = 1; i <= 400; ++i) {
                const double x = i / 40.0;
                e.Add(FisherFCDF(d[0], d[1], x), bm::cdf(dist, x), Arg("df=%g,%g x=%g", d[0], d[1], x));
            }
        }
        rows.push_back(e.Row("FisherFCDF", "df pairs 1,1..20,30, x in (0, 10] step 0.025"));
    }
    {
        // Kolmogorov-Smirnov distance of draws against the normal CDF
        constexpr int n = 100000;
        SetRandSeed(1234);
        std::vector<double> z(n);
        for (double& v : z)
            v = RandomNormal();
        std::sort(z.begin(), z.end());
        double d = 0.0;
        for (int i = 0; i < n; ++i) {
            const double c = bm::cdf(normal, z[i]);
            d = std::max({d, (i + 1.0) / n - c, c - static_cast<double>(i) / n});
        }
        rows.push_back({"RandomNormal", "1e5 draws from seed 1234", d, d,
                        Arg("KS distance (5%% critical value %.4f)", 1.358 / std::sqrt(double(n))), ""});
    }
    return rows;
}

const std::vector<ErrorRow>& ErrorTable()
{
    static const std::vector<ErrorRow> rows = [] {
        std::vector<ErrorRow> r = ComputeErrorTable();
        std::fprintf(stderr, "\nWorst error against Boost.Math\n%-13s %-56s %-10s %-18s %-10s %s\n",
                     "function", "grid", "abs", "at", "rel", "at");
        for (const ErrorRow& row : r)
            std::fprintf(stderr, "%-13s %-56s %-10.3g %-18s %-10.3g %s\n", row.name.c_str(), row.grid.c_str(),
                         row.worstAbs, row.whereAbs.c_str(), row.worstRel, row.where.c_str());
        std::fprintf(stderr, "\n");
        return r;
    }();
    return rows;
}

// Reports the table's rows as counters; also prints it once.
void BM_WorstErrorAgainstBoost(benchmark::State& state)
{
    const ErrorRow& row = ErrorTable()[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state)
        benchmark::DoNotOptimize(row.worstRel);
    state.SetLabel(row.name + ": " + row.grid);
    state.counters["worst_abs"] = row.worstAbs;
    state.counters["worst_rel"] = row.worstRel;
}
BENCHMARK(BM_WorstErrorAgainstBoost)->DenseRange(0, 7)->Iterations(1);

// ---- timings: each iteration evaluates one argument of a 64-value grid ----

template <typename F>
void RunOverGrid(benchmark::State& state, const std::array<double, 64>& args, F f)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(args[i]));
        i = (i + 1) & 63;
    }
}

void BM_RandomNormal(benchmark::State& state)
{
    SetRandSeed(1234);
    for (auto _ : state)
        benchmark::DoNotOptimize(RandomNormal());
}
BENCHMARK(BM_RandomNormal);

void BM_Boost_RandomNormal(benchmark::State& state)
{
    // same multiplier and increment, modulus 2^32; Boost's normal deviates
    boost::random::linear_congruential_engine<std::uint64_t, 134775813, 1, 4294967296ull> engine(1234);
    boost::random::normal_distribution<double> dist;
    for (auto _ : state)
        benchmark::DoNotOptimize(dist(engine));
}
BENCHMARK(BM_Boost_RandomNormal);

void BM_NormalCDF(benchmark::State& state)
{
    RunOverGrid(state, kX, [](double x) { return NormalCDF(x); });
}
BENCHMARK(BM_NormalCDF);

void BM_Boost_NormalCDF(benchmark::State& state)
{
    const bm::normal d;
    RunOverGrid(state, kX, [&](double x) { return bm::cdf(d, x); });
}
BENCHMARK(BM_Boost_NormalCDF);

void BM_InvNormal(benchmark::State& state)
{
    RunOverGrid(state, kP, [](double p) { return InvNormal(p); });
}
BENCHMARK(BM_InvNormal);

void BM_Boost_InvNormal(benchmark::State& state)
{
    const bm::normal d;
    RunOverGrid(state, kP, [&](double p) { return bm::quantile(d, p); });
}
BENCHMARK(BM_Boost_InvNormal);

void BM_StudentTCDF(benchmark::State& state)
{
    const auto df = static_cast<std::int32_t>(state.range(0));
    RunOverGrid(state, kX, [df](double t) { return StudentTCDF(df, t); });
}
BENCHMARK(BM_StudentTCDF)->Arg(1)->Arg(10)->Arg(100);

void BM_Boost_StudentTCDF(benchmark::State& state)
{
    const bm::students_t d(static_cast<double>(state.range(0)));
    RunOverGrid(state, kX, [&](double t) { return bm::cdf(d, t); });
}
BENCHMARK(BM_Boost_StudentTCDF)->Arg(1)->Arg(10)->Arg(100);

void BM_InvStudentT(benchmark::State& state)
{
    const auto df = static_cast<std::int32_t>(state.range(0));
    RunOverGrid(state, kP, [df](double p) { return InvStudentT(df, p); });
}
BENCHMARK(BM_InvStudentT)->Arg(1)->Arg(10)->Arg(100);

void BM_Boost_InvStudentT(benchmark::State& state)
{
    const bm::students_t d(static_cast<double>(state.range(0)));
    RunOverGrid(state, kP, [&](double p) { return bm::quantile(d, p); });
}
BENCHMARK(BM_Boost_InvStudentT)->Arg(1)->Arg(10)->Arg(100);

void BM_Chi2CDF(benchmark::State& state)
{
    const auto df = static_cast<std::int32_t>(state.range(0));
    RunOverGrid(state, kChi, [df](double x) { return Chi2CDF(df, x); });
}
BENCHMARK(BM_Chi2CDF)->Arg(1)->Arg(10)->Arg(100);

void BM_Boost_Chi2CDF(benchmark::State& state)
{
    const bm::chi_squared d(static_cast<double>(state.range(0)));
    RunOverGrid(state, kChi, [&](double x) { return bm::cdf(d, x); });
}
BENCHMARK(BM_Boost_Chi2CDF)->Arg(1)->Arg(10)->Arg(100);

void BM_FisherFCDF(benchmark::State& state)
{
    RunOverGrid(state, kF, [](double x) { return FisherFCDF(5, 10, x); });
}
BENCHMARK(BM_FisherFCDF);

void BM_Boost_FisherFCDF(benchmark::State& state)
{
    const bm::fisher_f d(5, 10);
    RunOverGrid(state, kF, [&](double x) { return bm::cdf(d, x); });
}
BENCHMARK(BM_Boost_FisherFCDF);

} // namespace
