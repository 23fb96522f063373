#include "core/group_comparison.h"

#include "core/categorical_statistics.h"
#include "core/numeric_vector.h"
#include "core/statistics_grid.h"
#include "core/variable_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The values of one group in data order; the group's size.
int GroupValues(const TVector& Y, const TIntVector& G, int n, int code, TVector& values)
{
    int count = 0;
    for (int i = 1; i <= n; ++i)
        if (G.GetElem(i) == code)
            ++count;
    values.SetNrOfElem(count);
    int k = 0;
    for (int i = 1; i <= n; ++i)
        if (G.GetElem(i) == code)
            values.SetElem(++k, Y.GetElem(i));
    return count;
}

TGroupSummary Summarise(const TVector& Y, const TIntVector& G, int n, int code)
{
    TGroupSummary g;
    g.code = code;
    TVector values;
    g.n = GroupValues(Y, G, n, code, values);
    values.MeanVar(1, g.n, g.mean, g.var);
    if (g.n < 2)
        g.var = kNaN;
    g.sd = std::sqrt(g.var);
    values.MinMax(1, g.n, g.min, g.max);
    g.sem = g.sd / std::sqrt(static_cast<double>(g.n));
    g.ci95 = MeanInterval(g.mean, g.sem, g.n, 0.975);
    return g;
}

} // namespace

bool TGroupSummary::HasCurve() const
{
    return n >= 2 && sd > 0 && std::isfinite(sd);
}

TGroupComparison CompareGroups(const TVector& Y, const TIntVector& G)
{
    TGroupComparison c;
    const int n = std::min(Y.NrOfElem(), G.NrOfElem());
    TIntVector codes;
    codes.SetNrOfElem(n);
    for (int i = 1; i <= n; ++i)
        codes.SetElem(i, G.GetElem(i));
    const TFrequencies f = FrequencyTable(codes);
    c.groupCount = static_cast<int>(f.values.size());
    if (c.groupCount >= 1)
        c.group1 = Summarise(Y, G, n, f.values[0]);
    if (c.groupCount < 2)
        return c;
    c.group2 = Summarise(Y, G, n, f.values[1]);
    c.tested = c.group1.n >= 2 && c.group2.n >= 2;
    if (!c.tested)
        return c;
    TTwoSampleTTest& t = c.test;
    TwoSampleTTest(c.group1.n, c.group2.n, t, c.group1.mean, c.group1.sd, c.group2.mean, c.group2.sd, 0.05);
    // probabilities of an undefined statistic are undefined too
    if (!std::isfinite(t.F))
        t.FP = kNaN;
    if (!std::isfinite(t.t))
        t.p = t.LowerLimit = t.UpperLimit = t.HalfWidth = kNaN;
    if (!std::isfinite(t.WelchT))
        t.WelchP = t.WelchLowerLimit = t.WelchUpperLimit = t.WelchHalfWidth = kNaN;
    return c;
}

TGroupHistograms GroupHistograms(const TVector& Y, const TIntVector& G, const TGroupComparison& c,
                                 int classCount)
{
    TGroupHistograms h;
    if (c.groupCount < 2 || classCount < 1)
        return h;
    h.lower = std::min(c.group1.min, c.group2.min);
    h.upper = std::max(c.group1.max, c.group2.max);
    if (!(h.upper > h.lower))
        return h;
    const int n = std::min(Y.NrOfElem(), G.NrOfElem());
    TVector y1;
    TVector y2;
    GroupValues(Y, G, n, c.group1.code, y1);
    GroupValues(Y, G, n, c.group2.code, y2);
    const std::vector<int> n1 = CountClasses(y1, h.lower, h.upper, classCount);
    const std::vector<int> n2 = CountClasses(y2, h.lower, h.upper, classCount);
    if (n1.empty() || n2.empty())
        return h;
    h.width = (h.upper - h.lower) / classCount;
    int t1 = 0;
    int t2 = 0;
    for (int i = 0; i < classCount; ++i) {
        t1 += n1[static_cast<std::size_t>(i)];
        t2 += n2[static_cast<std::size_t>(i)];
    }
    const double area = (t1 + t2) * h.width;
    for (int i = 0; i < classCount; ++i) {
        h.centres.push_back(h.lower + (i + 0.5) * h.width);
        h.density1.push_back(n1[static_cast<std::size_t>(i)] / area);
        h.density2.push_back(n2[static_cast<std::size_t>(i)] / area);
    }
    h.share1 = static_cast<double>(t1) / (t1 + t2);
    h.share2 = static_cast<double>(t2) / (t1 + t2);
    h.valid = true;
    return h;
}

void WriteGroupComparisonGrid(TStatGrid& grid, const tNumVarDef& defY, const tCatVar& defG,
                              const TGroupComparison& c)
{
    const int c0 = kStatFirstCol;
    const int c1 = c0 + 1;
    const int c2 = c0 + 2;
    const int c3 = c0 + 3;
    const int r0 = kStatFirstRow;
    const std::string indent = "   ";
    const auto str = [](double v) { return StatNumber(v); };
    grid.Clear();
    grid.SetSize(c0 + 6, 25);
    grid.SetColWidth(c0, 125);
    for (int c = c1; c <= c3; ++c)
        grid.SetColWidth(c, 100);
    if (c.groupCount < 1)
        return;

    grid.SetCell(c0, r0 + 1, StatUpper(defY.Name));
    grid.SetCell(c1, r0 + 1, StatCentred("BY"));
    grid.SetCell(c2, r0 + 1, StatUpper(defG.Name));
    grid.SetCell(c0, r0 + 3, "GROUPS");
    grid.SetCell(c0, r0 + 4, defG.Name + ":");
    grid.SetCell(c0, r0 + 5, indent + "n:");
    grid.SetCell(c0, r0 + 6, indent + "min:");
    grid.SetCell(c0, r0 + 7, indent + "max:");
    grid.SetCell(c0, r0 + 8, indent + "mean:");
    grid.SetCell(c0, r0 + 9, indent + "s.d.:");
    grid.SetCell(c0, r0 + 10, indent + "s.e.m.:");
    grid.SetCell(c0, r0 + 12, "INFERENCE");
    grid.SetCell(c0, r0 + 13, "# 95%-CI");
    grid.SetCell(c1, r0 + 13, "Lower");
    grid.SetCell(c2, r0 + 13, "Upper");
    grid.SetCell(c3, r0 + 13, "precision");
    const TGroupSummary* groups[] = {&c.group1, &c.group2};
    const int count = std::min(c.groupCount, 2);
    for (int k = 0; k < count; ++k) {
        const TGroupSummary& g = *groups[k];
        const int col = c1 + k;
        grid.SetCell(col, r0 + 3, StatInt(g.code));
        grid.SetCell(col, r0 + 4, StatUpper(CategoryLabel(defG, g.code)));
        grid.SetCell(col, r0 + 5, StatInt(g.n));
        grid.SetCell(col, r0 + 6, str(g.min));
        grid.SetCell(col, r0 + 7, str(g.max));
        grid.SetCell(col, r0 + 8, str(g.mean));
        grid.SetCell(col, r0 + 9, str(g.sd));
        grid.SetCell(col, r0 + 10, str(g.sem));
        const int row = r0 + 14 + k;
        grid.SetCell(c0, row, defG.Name + "=" + CategoryLabel(defG, g.code));
        grid.SetCell(c1, row, str(g.ci95.lower));
        grid.SetCell(c2, row, str(g.ci95.upper));
        grid.SetCell(c3, row, str(g.ci95.precision));
    }
    if (c.groupCount < 2) {
        grid.SetCell(c0, r0 + 16, kOneGroupText);
        return;
    }
    const TTwoSampleTTest& t = c.test;
    const double undefined = std::numeric_limits<double>::quiet_NaN();
    const auto field = [&](double v) { return c.tested ? v : undefined; };
    grid.SetCell(c0, r0 + 16, "# HOMOGENEITY");
    grid.SetCell(c0, r0 + 17, "- F Test:");
    grid.SetCell(c1, r0 + 17, "Fexp=" + str(field(t.F)));
    grid.SetCell(c2, r0 + 17, "P=" + str(field(t.FP)));
    grid.SetCell(c0, r0 + 18, "- Student test:");
    grid.SetCell(c1, r0 + 18, "texp=" + str(field(t.t)));
    grid.SetCell(c2, r0 + 18, "d.f.=" + (c.tested ? StatInt(t.df) : StatDash()));
    grid.SetCell(c3, r0 + 18, "P=" + str(field(t.p)));
    grid.SetCell(c0, r0 + 19, "Effect size:");
    grid.SetCell(c1, r0 + 19, "m1-m2=" + str(std::fabs(c.group1.mean - c.group2.mean)));
    grid.SetCell(c2, r0 + 19, "d-Cohen=" + str(field(t.StandardisedDifference)));
    grid.SetCell(c0, r0 + 20, "95%-CI(m1-m2):");
    grid.SetCell(c1, r0 + 20, str(field(t.LowerLimit)));
    grid.SetCell(c2, r0 + 20, str(field(t.UpperLimit)));
    grid.SetCell(c3, r0 + 20, "(prec=" + str(field(t.HalfWidth)) + ")");
    grid.SetCell(c0, r0 + 21, "- Welch test:");
    grid.SetCell(c1, r0 + 21, "texp=" + str(field(t.WelchT)));
    grid.SetCell(c2, r0 + 21, "d.f.=" + str(field(t.WelchDF)));
    grid.SetCell(c3, r0 + 21, "P=" + str(field(t.WelchP)));
    grid.SetCell(c0, r0 + 22, "95%-CI(m1-m2):");
    grid.SetCell(c1, r0 + 22, str(field(t.WelchLowerLimit)));
    grid.SetCell(c2, r0 + 22, str(field(t.WelchUpperLimit)));
    grid.SetCell(c3, r0 + 22, "(prec=" + str(field(t.WelchHalfWidth)) + ")");
}
