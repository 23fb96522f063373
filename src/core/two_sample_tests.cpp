#include "core/two_sample_tests.h"

#include "core/distributions.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::int32_t ClampToInt32(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void TwoSampleTTest(std::int32_t n1, std::int32_t n2, TTwoSampleTTest& result, double mean1, double sd1,
                    double mean2, double sd2, double alpha)
{
    const double v1 = sd1 * sd1;
    const double v2 = sd2 * sd2;
    const double m1 = n1 - 1.0;
    const double m2 = n2 - 1.0;
    const std::int32_t df1 = ClampToInt32(std::int64_t{n1} - 1);
    const std::int32_t df2 = ClampToInt32(std::int64_t{n2} - 1);
    const double level = 1.0 - alpha / 2.0;

    // F test: larger variance over smaller; two-sided p, twice the smaller
    // tail (with unequal degrees of freedom F = 1 need not be the median)
    double below = 0.0;
    if (sd1 >= sd2) {
        result.F = v1 / v2;
        below = FisherFCDF(df1, df2, result.F);
    } else {
        result.F = v2 / v1;
        below = FisherFCDF(df2, df1, result.F);
    }
    result.FP = std::min(2.0 * std::min(below, 1.0 - below), 1.0);

    // pooled variance
    result.df = ClampToInt32(std::int64_t{n1} + n2 - 2);
    const double pooled = (m1 * v1 + m2 * v2) / (m1 + m2);
    const double se = std::sqrt((1.0 / n1 + 1.0 / n2) * pooled);
    const double diff = std::fabs(mean1 - mean2);
    result.t = diff / se;
    const double tCrit = InvStudentT(result.df, level);
    result.LowerLimit = diff - tCrit * se;
    result.UpperLimit = diff + tCrit * se;
    result.HalfWidth = (result.UpperLimit - result.LowerLimit) / 2.0;
    result.p = 2.0 * (1.0 - StudentTCDF(result.df, result.t));
    result.Difference = diff;
    result.StandardisedDifference = diff / std::sqrt(pooled);

    // Welch
    const double w1 = v1 / n1;
    const double w2 = v2 / n2;
    const double nu = (w1 + w2) * (w1 + w2) / (w1 * w1 / m1 + w2 * w2 / m2);
    const double seW = std::sqrt(w1 + w2);
    // the interpolation needs whole degrees of freedom k and k + 1
    if (!(nu >= -2147483648.0 && nu < 2147483647.0)) {
        result.WelchT = kNaN;
        result.WelchDF = kNaN;
        result.WelchP = kNaN;
        result.WelchLowerLimit = kNaN;
        result.WelchUpperLimit = kNaN;
        result.WelchHalfWidth = kNaN;
        return;
    }
    result.WelchDF = nu;
    result.WelchT = diff / seW;
    const std::int32_t k = static_cast<std::int32_t>(std::trunc(nu));
    result.WelchP = LinearInterpolate(nu, k, 2.0 * (1.0 - StudentTCDF(k, result.WelchT)), k + 1.0,
                                      2.0 * (1.0 - StudentTCDF(k + 1, result.WelchT)));
    const double tCritW = LinearInterpolate(nu, k, InvStudentT(k, level), k + 1.0, InvStudentT(k + 1, level));
    result.WelchLowerLimit = diff - tCritW * seW;
    result.WelchUpperLimit = diff + tCritW * seW;
    result.WelchHalfWidth = (result.WelchUpperLimit - result.WelchLowerLimit) / 2.0;
}

void NormalizeSum(std::span<double> values, int high)
{
    if (high < 0 || values.empty())
        return;
    const std::size_t count = std::min(static_cast<std::size_t>(high) + 1, values.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < count; ++i)
        sum += values[i];
    for (std::size_t i = 0; i < count; ++i)
        values[i] = sum == 0.0 ? kNaN : values[i] / sum;
}

double LinearInterpolate(double x, double x1, double y1, double x2, double y2)
{
    return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}
