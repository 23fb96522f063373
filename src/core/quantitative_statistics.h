#pragma once
// Descriptive statistics of one quantitative column, its density histogram
// and the texts of its result grid. A figure that is not defined for the data
// is NaN here and "-" in the grid.
#include <string>
#include <vector>

class TStatGrid;
class TVector;
struct tNumVarDef;

struct TMeanInterval {
    double lower = 0.0;
    double upper = 0.0;
    double precision = 0.0;  // half-width
};

// mean -/+ InvStudentT(n - 1, q) x sem; NaN below two values or without a sem.
TMeanInterval MeanInterval(double mean, double sem, int n, double q);

struct TQuantitativeSummary {
    int n = 0;
    double mean = 0.0;
    double var = 0.0;  // divisor n - 1; NaN below two values
    double sd = 0.0;
    double min = 0.0;
    double max = 0.0;
    double range = 0.0;
    double median = 0.0;
    double q1 = 0.0;
    double q3 = 0.0;
    double p5 = 0.0;
    double p95 = 0.0;
    double iqr = 0.0;
    double siqr = 0.0;
    double cv = 0.0;  // percent; NaN unless |mean| > 1
    double sem = 0.0;
    TMeanInterval ci90;
    TMeanInterval ci95;
    TMeanInterval ci99;
};

// Every field but n is NaN for an empty column; the deviation and what rests
// on it are NaN for one value.
TQuantitativeSummary QuantitativeSummary(const TVector& data);

// Class counts of values over [lower, upper] in classCount classes of equal
// width: a value equal to upper lies in the last class, values outside the
// range are not counted. Empty when the range or count is unusable.
std::vector<int> CountClasses(const TVector& data, double lower, double upper, int classCount);

// Histogram of densities count / (total x width) with one bar per class,
// standing at the centre of its class.
struct TDensityHistogram {
    bool valid = false;   // false for fewer than two distinct values
    double lower = 0.0;   // extent of the classes
    double upper = 0.0;
    double width = 0.0;   // class width
    int total = 0;        // values counted
    std::vector<int> counts;
    std::vector<double> centres;
    std::vector<double> densities;
    double axisMax = 0.0;  // top of the density axis, room above bars and curve
};

// Histogram of the page: classCount classes over min - 5 % of the range to
// max + 5 %, so every value is counted and the bars, the data and the normal
// curve share one axis. axisMax covers the peak of the normal density too.
TDensityHistogram QuantitativeHistogram(const TVector& data, const TQuantitativeSummary& s, int classCount);

// Peak of the normal density of the page, 1 / (sqrt(6.2832) x sd); NaN when
// sd is not positive.
double PeakDensity(double sd);

// Writes the page's grid: name in capitals, n, extremes, position,
// dispersion, order statistics, interquartile ranges and the intervals.
void WriteQuantitativeGrid(TStatGrid& grid, const tNumVarDef& def, const TQuantitativeSummary& s);
