#pragma once
// Cross table of two categorical columns, the 2 x 2 test (chi-square with
// Yates' continuity correction, odds ratio and its interval) and the texts of
// the contingency grid.
#include "core/categorical_statistics.h"

#include <cstdint>
#include <string>
#include <vector>

class TIntVector;
class TStatGrid;
struct tCatVar;

// Observed counts with totals: O[i][j] for i = 1..R, j = 1..C; row 0 and
// column 0 hold the totals, O[0][0] the grand total.
struct TContingencyTable {
    std::vector<TCategorySlot> rows;  // categories of A
    std::vector<TCategorySlot> cols;  // categories of B
    std::vector<std::vector<int>> O;
    int R() const { return static_cast<int>(rows.size()); }
    int C() const { return static_cast<int>(cols.size()); }
    int N() const { return O.empty() ? 0 : O[0][0]; }
};

// Pairs beyond the shorter column are not counted.
TContingencyTable CrossTable(const TIntVector& A, const tCatVar& defA, const TIntVector& B, const tCatVar& defB);

struct TTwoByTwoResult {
    std::int32_t R = 0;
    std::int32_t C = 0;
    std::int32_t df = 0;
    double correction = 0.0;  // subtracted from |ad - bc|: N / 2
    double chi2 = 0.0;  // NaN unless valid
    bool valid = false;  // 2 x 2 with smallest expected count above 5
    double Emin = 0.0;   // NaN unless 2 x 2
    double p = 0.0;      // NaN unless valid
    double oddsRatio = 0.0;  // NaN unless 2 x 2
    double lower = 0.0;
    double upper = 0.0;
    double se = 0.0;            // of the log odds ratio
    double centralRatio = 0.0;  // centre of the interval
};

// O as in TContingencyTable. The odds ratio and its interval are given for
// every 2 x 2 table with a grand total; the chi-square only when valid.
TTwoByTwoResult TwoByTwoTest(int R, int C, const std::vector<std::vector<int>>& O);

// Bars of the chart: orientation 0 puts the first two categories of B as
// series across the categories of A, 1 the reverse. One series only when the
// variable giving the series has one category.
struct TContingencyBars {
    std::vector<std::string> titles;                // one per series
    std::vector<std::string> labels;                // one per bar position
    std::vector<std::vector<double>> values;        // [series][position], O / N
    std::string axisTitle;
};
TContingencyBars ContingencyBars(const TContingencyTable& t, const tCatVar& defA, const tCatVar& defB,
                                 int orientation);

void WriteContingencyGrid(TStatGrid& grid, const tCatVar& defA, const tCatVar& defB,
                          const TContingencyTable& t, const TTwoByTwoResult& test);
