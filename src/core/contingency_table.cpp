#include "core/contingency_table.h"

#include "core/distributions.h"
#include "core/numeric_vector.h"
#include "core/statistics_grid.h"
#include "core/variable_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

int SlotOf(const std::vector<TCategorySlot>& slots, int code)
{
    const auto it = std::lower_bound(slots.begin(), slots.end(), code,
                                     [](const TCategorySlot& s, int c) { return s.code < c; });
    return it != slots.end() && it->code == code ? static_cast<int>(it - slots.begin()) + 1 : 0;
}

void CopyColumn(const TIntVector& from, TIntVector& to, int n)
{
    to.SetNrOfElem(n);
    for (int i = 1; i <= n; ++i)
        to.SetElem(i, from.GetElem(i));
}

} // namespace

TContingencyTable CrossTable(const TIntVector& A, const tCatVar& defA, const TIntVector& B, const tCatVar& defB)
{
    TContingencyTable t;
    const int n = std::min(A.NrOfElem(), B.NrOfElem());
    TIntVector a;
    TIntVector b;
    CopyColumn(A, a, n);
    CopyColumn(B, b, n);
    t.rows = CategorySlots(a, defA);
    t.cols = CategorySlots(b, defB);
    t.O.assign(static_cast<std::size_t>(t.R() + 1), std::vector<int>(static_cast<std::size_t>(t.C() + 1), 0));
    for (int k = 1; k <= n; ++k) {
        const int i = SlotOf(t.rows, a.GetElem(k));
        const int j = SlotOf(t.cols, b.GetElem(k));
        if (i == 0 || j == 0)
            continue;
        ++t.O[i][j];
        ++t.O[i][0];
        ++t.O[0][j];
        ++t.O[0][0];
    }
    return t;
}

TTwoByTwoResult TwoByTwoTest(int R, int C, const std::vector<std::vector<int>>& O)
{
    TTwoByTwoResult r;
    r.R = R;
    r.C = C;
    r.chi2 = r.Emin = r.p = r.oddsRatio = r.lower = r.upper = r.se = r.centralRatio = kNaN;
    if (R != 2 || C != 2 || O.size() < 3 || O[0].size() < 3 || O[0][0] <= 0)
        return r;
    const double a = O[1][1];
    const double b = O[1][2];
    const double c = O[2][1];
    const double d = O[2][2];
    const double r1 = O[1][0];
    const double r2 = O[2][0];
    const double c1 = O[0][1];
    const double c2 = O[0][2];
    const double N = O[0][0];
    r.Emin = std::min(c1, c2) * std::min(r1, r2) / N;
    r.valid = r.Emin > 5;
    if (r.valid) {
        // Yates: |ad - bc| less N / 2, never below 0
        r.correction = N / 2;
        r.df = 1;
        const double diff = std::max(std::fabs(a * d - b * c) - r.correction, 0.0);
        r.chi2 = N * diff * diff / (r1 * r2 * c1 * c2);
        r.p = 1 - Chi2CDF(1, r.chi2);
    }
    // Woolf's interval; 0.5 is added to every cell only when one is empty
    const double h = a != 0 && b != 0 && c != 0 && d != 0 ? 0 : 0.5;
    r.centralRatio = (a + h) * (d + h) / ((c + h) * (b + h));
    r.oddsRatio = r.centralRatio;
    r.se = std::sqrt(1 / (a + h) + 1 / (b + h) + 1 / (c + h) + 1 / (d + h));
    r.lower = r.centralRatio * std::exp(-1.96 * r.se);
    r.upper = r.centralRatio * std::exp(1.96 * r.se);
    return r;
}

TContingencyBars ContingencyBars(const TContingencyTable& t, const tCatVar& defA, const tCatVar& defB,
                                 int orientation)
{
    TContingencyBars bars;
    const int N = t.N();
    if (N <= 0)
        return bars;
    const bool bByA = orientation == 0;
    const auto& series = bByA ? t.cols : t.rows;
    const auto& positions = bByA ? t.rows : t.cols;
    const tCatVar& seriesDef = bByA ? defB : defA;
    const tCatVar& positionDef = bByA ? defA : defB;
    bars.axisTitle = positionDef.Name;
    const int count = std::min(2, static_cast<int>(series.size()));
    for (int s = 1; s <= count; ++s) {
        bars.titles.push_back(CategoryLabel(seriesDef, series[static_cast<std::size_t>(s - 1)].code));
        std::vector<double> values;
        for (int k = 1; k <= static_cast<int>(positions.size()); ++k)
            values.push_back(static_cast<double>(bByA ? t.O[k][s] : t.O[s][k]) / N);
        bars.values.push_back(std::move(values));
    }
    for (const TCategorySlot& slot : positions)
        bars.labels.push_back(CategoryLabel(positionDef, slot.code));
    return bars;
}

void WriteContingencyGrid(TStatGrid& grid, const tCatVar& defA, const tCatVar& defB,
                          const TContingencyTable& t, const TTwoByTwoResult& test)
{
    const int c0 = kStatFirstCol;
    const int R = t.R();
    const int C = t.C();
    const auto str = [](double v) { return StatNumber(v); };
    const auto count = [](int v) { return StatCentred(StatInt(v)); };
    grid.Clear();
    grid.SetSize(C + 5, R + 20);

    grid.SetCell(c0, 2, "CATEGORICAL");
    grid.SetCell(c0 + 1, 2, "DATA");
    grid.SetCell(c0 + 2, 2, "ANALYSIS");
    const int h = 3;
    grid.SetCell(c0, h, "OBSERVED");
    grid.SetCell(c0 + 1, h, "FREQUENCIES");
    grid.SetCell(c0, h + 1, StatUpper(defB.Name));
    grid.SetCell(c0, h + 2, StatUpper(defA.Name));
    for (int j = 1; j <= C; ++j)
        grid.SetCell(c0 + 1 + j, h + 1, StatCentred(CategoryLabel(defB, t.cols[static_cast<std::size_t>(j - 1)].code)));
    grid.SetCell(c0 + 2 + C, h + 1, StatCentred("Total"));
    for (int i = 1; i <= R; ++i)
        grid.SetCell(c0 + 1, h + 1 + i, StatCentred(CategoryLabel(defA, t.rows[static_cast<std::size_t>(i - 1)].code)));
    const int totals = h + 2 + R;
    grid.SetCell(c0 + 1, totals, StatCentred("Total"));
    for (int i = 1; i <= R; ++i) {
        for (int j = 1; j <= C; ++j)
            grid.SetCell(c0 + 1 + j, h + 1 + i, count(t.O[i][j]));
        grid.SetCell(c0 + 2 + C, h + 1 + i, count(t.O[i][0]));
    }
    for (int j = 1; j <= C; ++j)
        grid.SetCell(c0 + 1 + j, totals, count(t.O[0][j]));
    grid.SetCell(c0 + 2 + C, totals, count(t.N()));

    const bool twoByTwo = R == 2 && C == 2;
    grid.SetCell(c0, totals + 2, "TEST");
    grid.SetCell(c0, totals + 3, "Validity:");
    grid.SetCell(c0 + 1, totals + 3, twoByTwo ? (test.valid ? "OK" : "NO!") : StatDash());
    grid.SetCell(c0, totals + 4, "Min(Eij):");
    grid.SetCell(c0 + 1, totals + 4, str(test.Emin));
    grid.SetCell(c0, totals + 5, "X²exp:");
    grid.SetCell(c0 + 1, totals + 5, str(test.chi2));
    if (test.valid)
        grid.SetCell(c0 + 2, totals + 5, "(" + StatInt(test.df) + " df)");
    grid.SetCell(c0, totals + 6, "Sig:");
    grid.SetCell(c0 + 1, totals + 6, str(test.p));
    grid.SetCell(c0, totals + 7, "OR:");
    grid.SetCell(c0 + 1, totals + 7, str(test.oddsRatio));
    grid.SetCell(c0, totals + 8, "95%-CI(OR):");
    grid.SetCell(c0 + 1, totals + 8, "(" + str(test.lower) + ";");
    grid.SetCell(c0 + 2, totals + 8, str(test.upper) + ")");
}
