#pragma once
// Helpers shared by the statistical and financial functions: the window a
// function reads, look-up of a source's named lists, deviation sums that do
// not cancel, and the settings an auxiliary line takes from its parent.
#include <span>
#include <string>

#include "chart/chart_series.h"

// First = -1 stands for the whole source: the window becomes 0..Count-1 once.
// False when the window holds no point (nothing may be read).
inline bool ResolveWindow(const TChartSeries& Source, int& First, int& Last)
{
    if (First < 0) {
        First = 0;
        Last = Source.Count() - 1;
    }
    return First <= Last && Last < Source.Count();
}

// The list of that name (X, Y or an extra list), or nullptr.
const TChartValueList* FindValueList(const TChartSeries& Source, const std::string& Name);

// Sums of the N values about their mean (two passes): S = sum of deviations,
// Q = sum of squared deviations, so that N*Q - S*S keeps its digits for data
// far from zero.
void DeviationSums(const double* Values, int N, double& S, double& Q);

// Standard deviation of N values: population (divisor N*N) or sample
// (N*(N-1)); 0 below two values or for a negative quotient.
double WindowDeviation(const double* Values, int N, bool Complete);

// Line takes Parent's chart (joining its series), custom and standard
// vertical axis, date-time X flag and drawing handlers.
void TakeChartSettings(TChartSeries& Line, const TChartSeries& Parent);

// Exponential moving average of Count values with factor 2 / (Period + 1),
// starting from the first value; Out receives Count values.
void ExpMovingAverage(const double* Values, int Count, double Period, double* Out);

// Adds (X, Y) to Series, swapped when the source is horizontal.
inline void AddOriented(TChartSeries& Series, bool YMandatory, double X, double Y)
{
    if (YMandatory)
        Series.AddXY(X, Y);
    else
        Series.AddXY(Y, X);
}

// Adds the points (X[i], Y[i]) to Series in one step, swapped when the source
// is horizontal.
inline void AddOrientedPoints(TChartSeries& Series, bool YMandatory, std::span<const double> X,
                              std::span<const double> Y)
{
    if (YMandatory)
        Series.AddXYs(X, Y);
    else
        Series.AddXYs(Y, X);
}

// A fast line series owned by a function, hidden from the legend and editors.
TChartSeries* NewFunctionLine(QObject* Owner, TColor Color);
