#pragma once
// Probability distributions behind p-values, critical values and density
// curves. Free functions on doubles; degrees of freedom are 32-bit integers.
// Outside its domain each function returns a fixed value instead of failing;
// every loop is bounded, so NaN or extreme arguments never hang.
#include <cstdint>

double NormalDensity(double x, double mean, double sigma);
double NormalCDF(double x);
// Rational approximation of the normal quantile; 0 unless 0 < p < 1.
double InvNormalApprox(double p);
// Normal quantile by bisection to relative accuracy 1e-8 in p; 0 unless 0 < p < 1.
double InvNormal(double p);

// ln Gamma(x) by the Lanczos series; 0 for x <= 0.
double LnGamma(double x);
// Series and continued-fraction parts of the incomplete gamma function,
// without the prefactor exp(a ln x - x - ln Gamma(a)).
double GammaSeries(double x, double a);
double GammaCF(double x, double a);
// Regularised lower incomplete gamma P(a, x); 0 for x <= 0 or a <= 0.
double GammaP(double x, double a);
double Chi2CDF(std::int32_t df, double x);

// Continued fraction of the incomplete beta function.
double BetaCF(double x, double a, double b);
// Regularised incomplete beta I_x(a, b); 0 for x < 0, 1 for x > 1.
double BetaI(double x, double a, double b);
double StudentTCDF(std::int32_t df, double t);
// P(F <= x); 0 for x < 0.
double FisherFCDF(std::int32_t df1, std::int32_t df2, double x);

// Cornish-Fisher approximation of the t quantile; 0 unless 0 < p < 1 and df >= 1.
double InvStudentTApprox(std::int32_t df, double p);
// t quantile to absolute accuracy 1e-8 in p; 0 unless 0 < p < 1 and df >= 1.
double InvStudentT(std::int32_t df, double p);
