#pragma once
// Two-sample comparison from sizes, means and standard deviations (F test of
// the variances, pooled and Welch t tests with confidence intervals, Cohen's
// d), and two small helpers shared with the population model.
#include <cstdint>
#include <span>

// Result record; every field is set on each call. Intervals are built around
// the absolute difference of the means.
struct TTwoSampleTTest {
    double t = 0.0;                // pooled t statistic
    std::int32_t df = 0;           // n1 + n2 - 2
    double p = 0.0;                // two-sided p of the pooled test
    double LowerLimit = 0.0;
    double UpperLimit = 0.0;
    double HalfWidth = 0.0;
    double WelchLowerLimit = 0.0;
    double WelchUpperLimit = 0.0;
    double WelchHalfWidth = 0.0;
    double WelchT = 0.0;
    double WelchDF = 0.0;          // Welch-Satterthwaite, not rounded
    double WelchP = 0.0;           // interpolated between whole degrees of freedom
    double F = 0.0;                // larger over smaller sample variance
    double FP = 0.0;               // two-sided p of F: twice its smaller tail, at most 1
    double Difference = 0.0;       // |mean1 - mean2|
    double StandardisedDifference = 0.0;  // Cohen's d
};

// alpha is the two-sided significance level. Degenerate samples (size 1, zero
// deviations) give NaN or infinite values, never a failure; when the Welch
// degrees of freedom are undefined every Welch field is NaN.
void TwoSampleTTest(std::int32_t n1, std::int32_t n2, TTwoSampleTTest& result, double mean1, double sd1,
                    double mean2, double sd2, double alpha);

// Divides values[0..high] by their sum; high < 0 changes nothing, a high past
// the end stops at the last element, a zero sum makes them NaN.
void NormalizeSum(std::span<double> values, int high);

double LinearInterpolate(double x, double x1, double y1, double x2, double y2);
