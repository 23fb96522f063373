#pragma once
// Comparison of a quantitative variable between the first two groups (the two
// smallest codes) of a categorical one: per-group summaries and intervals, the
// F test, Student's and Welch's t tests, and the texts of the grid. Undefined
// figures are NaN here and "-" in the grid.
#include "core/quantitative_statistics.h"
#include "core/two_sample_tests.h"

#include <vector>

class TIntVector;
class TStatGrid;
class TVector;
struct tCatVar;
struct tNumVarDef;

struct TGroupSummary {
    int code = 0;
    int n = 0;
    double mean = 0.0;
    double var = 0.0;  // divisor n - 1; NaN below two
    double sd = 0.0;
    double min = 0.0;
    double max = 0.0;
    double sem = 0.0;
    TMeanInterval ci95;
    // a normal curve needs two values and a positive deviation
    bool HasCurve() const;
};

struct TGroupComparison {
    int groupCount = 0;  // distinct codes in the data, 0 without data
    TGroupSummary group1;
    TGroupSummary group2;
    bool tested = false;  // both groups have a deviation
    TTwoSampleTTest test;  // non-finite fields read as undefined
};

// Groups by the categorical column; pairs beyond the shorter column are not used.
TGroupComparison CompareGroups(const TVector& Y, const TIntVector& G);

// The two groups' histograms on one area scale over [lo, hi] of both groups,
// with the class counts by CountClasses and bars at the class centres;
// densities are count / ((T1 + T2) x width).
struct TGroupHistograms {
    bool valid = false;
    double lower = 0.0;
    double upper = 0.0;
    double width = 0.0;
    std::vector<double> centres;
    std::vector<double> density1;
    std::vector<double> density2;
    double share1 = 0.0;  // T1 / (T1 + T2), scale of group 1's curve
    double share2 = 0.0;
};
TGroupHistograms GroupHistograms(const TVector& Y, const TIntVector& G, const TGroupComparison& c,
                                 int classCount);

// With fewer than two groups the one group is written with a text in place of
// the tests.
void WriteGroupComparisonGrid(TStatGrid& grid, const tNumVarDef& defY, const tCatVar& defG,
                              const TGroupComparison& c);

// The text written in place of the tests for a single group.
inline constexpr const char* kOneGroupText = "One group only: no comparison";
