#pragma once
// Simple linear regression of Y on X: sums of squares and products,
// coefficients with standard errors and intervals, the slope test, the
// explained variance, and the texts of the regression grid. A figure the data
// do not define (fewer than three pairs, a constant X or Y, a perfect fit) is
// NaN here and "-" in the grid.
#include <cstdint>
#include <vector>

class TStatGrid;
class TVector;
struct tNumVarDef;

struct TRegressionSummary {
    double meanX = 0.0;
    double meanY = 0.0;
    double varX = 0.0;  // Sxx / (n - 1)
    double varY = 0.0;
    double b0 = 0.0;
    double b1 = 0.0;
    double r = 0.0;
    double r2 = 0.0;
    double seB0 = 0.0;
    double seB1 = 0.0;
    double covXY = 0.0;  // Sxy / n
    double S2 = 0.0;     // residual variance
    double Sxx = 0.0;
    double Syy = 0.0;
    double Sxy = 0.0;
    std::int32_t df = 0;  // n - 2
    double b0Lower = 0.0;
    double b0Upper = 0.0;
    double b0Precision = 0.0;
    double b1Lower = 0.0;
    double b1Upper = 0.0;
    double b1Precision = 0.0;
    double t = 0.0;
    double p = 0.0;  // two-sided
    int n = 0;       // pairs used: the shorter column's length
};

// Sums of squares and products about the means, taken directly.
TRegressionSummary SumsOfProducts(const TVector& X, const TVector& Y);

// Points of the regression chart: 0 data and fitted line, 1 residuals,
// 2 standardised residuals (none when the residual deviation is zero or
// undefined). line holds the model at each x (0 for residual plots).
struct TRegressionPlot {
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> line;
};
TRegressionPlot RegressionPlot(const TVector& X, const TVector& Y, const TRegressionSummary& s, int item);

void WriteRegressionGrid(TStatGrid& grid, const tNumVarDef& defX, const TVector& X, const tNumVarDef& defY,
                         const TVector& Y, const TRegressionSummary& s);
