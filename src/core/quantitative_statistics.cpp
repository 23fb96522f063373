#include "core/quantitative_statistics.h"

#include "core/distributions.h"
#include "core/numeric_vector.h"
#include "core/statistics_grid.h"
#include "core/variable_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

TMeanInterval MeanInterval(double mean, double sem, int n, double q)
{
    TMeanInterval ci{kNaN, kNaN, kNaN};
    if (n < 2 || !std::isfinite(sem))
        return ci;
    const double t = InvStudentT(n - 1, q);
    ci.lower = mean - t * sem;
    ci.upper = mean + t * sem;
    ci.precision = (ci.upper - ci.lower) / 2;
    return ci;
}

TQuantitativeSummary QuantitativeSummary(const TVector& data)
{
    TQuantitativeSummary s;
    s.n = data.NrOfElem();
    const int n = s.n;
    data.MeanVar(1, n, s.mean, s.var);
    if (n < 2)
        s.var = kNaN;  // no deviation from one value
    s.sd = std::sqrt(s.var);
    data.MinMax(1, n, s.min, s.max);
    s.range = s.max - s.min;
    s.median = data.Percentile(1, n, 50);
    s.q1 = data.Percentile(1, n, 25);
    s.q3 = data.Percentile(1, n, 75);
    s.p5 = data.Percentile(1, n, 5);
    s.p95 = data.Percentile(1, n, 95);
    s.iqr = s.q3 - s.q1;
    s.siqr = s.iqr / 2;
    s.cv = std::fabs(s.mean) > 1.0 ? s.sd / s.mean * 100 : kNaN;
    s.sem = s.sd / std::sqrt(static_cast<double>(n));
    s.ci90 = MeanInterval(s.mean, s.sem, n, 0.95);
    s.ci95 = MeanInterval(s.mean, s.sem, n, 0.975);
    s.ci99 = MeanInterval(s.mean, s.sem, n, 0.995);
    return s;
}

std::vector<int> CountClasses(const TVector& data, double lower, double upper, int classCount)
{
    std::vector<int> counts;
    if (classCount < 1 || !std::isfinite(lower) || !std::isfinite(upper) || !(upper > lower))
        return counts;
    const double width = (upper - lower) / classCount;
    if (!(width > 0))
        return counts;
    counts.assign(static_cast<std::size_t>(classCount), 0);
    for (int i = 1; i <= data.NrOfElem(); ++i) {
        const double x = data.GetElem(i);
        if (!(x >= lower && x <= upper))
            continue;
        // the upper bound and rounding at it belong to the last class
        const double k = std::min(std::trunc((x - lower) / width), classCount - 1.0);
        ++counts[static_cast<std::size_t>(k)];
    }
    return counts;
}

double PeakDensity(double sd)
{
    if (!(sd > 0) || !std::isfinite(sd))
        return kNaN;
    return 1 / (std::sqrt(6.2832) * sd);
}

TDensityHistogram QuantitativeHistogram(const TVector& data, const TQuantitativeSummary& s, int classCount)
{
    TDensityHistogram h;
    if (!(s.range > 0) || !std::isfinite(s.range) || classCount < 1)
        return h;
    h.lower = s.min - 0.05 * s.range;
    h.upper = s.max + 0.05 * s.range;
    h.counts = CountClasses(data, h.lower, h.upper, classCount);
    if (h.counts.empty())
        return h;
    h.width = (h.upper - h.lower) / classCount;
    int largest = 0;
    for (int c : h.counts) {
        h.total += c;
        largest = std::max(largest, c);
    }
    if (h.total == 0)
        return h;
    h.valid = true;
    for (int i = 0; i < classCount; ++i) {
        h.centres.push_back(h.lower + (i + 0.5) * h.width);
        h.densities.push_back(h.counts[static_cast<std::size_t>(i)] / (h.total * h.width));
    }
    h.axisMax = largest / (h.total * h.width) + 0.1;
    const double peak = PeakDensity(s.sd);
    if (std::isfinite(peak) && h.axisMax < peak)
        h.axisMax = peak + 0.1;
    return h;
}

void WriteQuantitativeGrid(TStatGrid& grid, const tNumVarDef& def, const TQuantitativeSummary& s)
{
    const int c0 = kStatFirstCol;
    const int c1 = c0 + 1;
    const int c2 = c0 + 2;
    const int c3 = c0 + 3;
    const auto str = [](double v) { return StatNumber(v); };
    grid.Clear();
    grid.SetSize(c0 + 5, 25);
    grid.SetColWidth(c0, 95);
    for (int c = c1; c <= c3; ++c)
        grid.SetColWidth(c, 100);

    int row = kStatFirstRow + 1;
    grid.SetCell(c0, row, StatUpper(def.Name));
    ++row;
    grid.SetCell(c0, row, "n");
    grid.SetCell(c1, row, StatInt(s.n));
    ++row;
    grid.SetCell(c0, row, "Extremes:");
    grid.SetCell(c1, row, "min=" + str(s.min));
    grid.SetCell(c2, row, "max=" + str(s.max));
    grid.SetCell(c3, row, "A=" + str(s.range));
    ++row;
    grid.SetCell(c0, row, "Position:");
    grid.SetCell(c1, row, "Mean=" + str(s.mean));
    grid.SetCell(c2, row, "Median=" + str(s.median));
    ++row;
    grid.SetCell(c0, row, "Dispersion:");
    grid.SetCell(c1, row, "sd=" + str(s.sd));
    grid.SetCell(c2, row, "Var=" + str(s.var));
    grid.SetCell(c3, row, "CV=" + (std::isfinite(s.cv) ? StatNumber(s.cv, 6, 1) + "%" : StatDash()));
    ++row;
    grid.SetCell(c0, row, "Ordered stats.:");
    grid.SetCell(c1, row, "Q1=" + str(s.q1));
    grid.SetCell(c2, row, "Q3=" + str(s.q3));
    ++row;
    grid.SetCell(c1, row, "P5 =" + str(s.p5));
    grid.SetCell(c2, row, "P95=" + str(s.p95));
    ++row;
    grid.SetCell(c0, row, "IQ Rank:");
    grid.SetCell(c1, row, "IQR=" + str(s.iqr));
    grid.SetCell(c2, row, "SIQR=" + str(s.siqr));
    row += 2;
    grid.SetCell(c0, row, "CI(Mean):");
    grid.SetCell(c1, row, "SEM=" + str(s.sem));
    ++row;
    grid.SetCell(c0, row, "Confidence:");
    grid.SetCell(c1, row, "Lower");
    grid.SetCell(c2, row, "Upper");
    grid.SetCell(c3, row, "Precision");
    const std::pair<const char*, const TMeanInterval*> levels[] = {
        {"90%", &s.ci90}, {"95%", &s.ci95}, {"99%", &s.ci99}};
    for (const auto& [label, ci] : levels) {
        ++row;
        grid.SetCell(c0, row, StatCentred(label));
        grid.SetCell(c1, row, str(ci->lower));
        grid.SetCell(c2, row, str(ci->upper));
        grid.SetCell(c3, row, str(ci->precision));
    }
}
