#include "windows/normal_curves.h"

#include "base/basic_types.h"
#include "core/distributions.h"

#include <cmath>
#include <cstdio>

namespace {

const double kSqrtTwoPi = std::sqrt(2 * M_PI);

constexpr double kLowestP = 0.0001;
constexpr double kHighestP = 0.9999;
constexpr double kHeldZ = 5;

} // namespace

double NormalCurveDensity(double x, double mean, double sd)
{
    const double z = (x - mean) / sd;
    return std::exp(-z * z / 2) / (kSqrtTwoPi * sd);
}

TCriterionState CriterionFromAlpha(double alpha, double mL, double sL, double mR, double sR)
{
    double z;
    if (alpha < kLowestP)
        z = kHeldZ;
    else if (alpha > kHighestP)
        z = -kHeldZ;
    else
        z = InvNormal(1 - alpha);
    TCriterionState s;
    s.Alpha = alpha;
    s.Criterion = mL + sL * z;
    s.MirrorL = mL - sL * z;
    const double zR = (s.Criterion - mR) / sR;
    s.Beta = NormalCDF(zR);
    s.MirrorR = mR - sR * zR;
    return s;
}

TCriterionState CriterionFromBeta(double beta, double mL, double sL, double mR, double sR)
{
    double z;
    if (beta < kLowestP)
        z = -kHeldZ;
    else if (beta > kHighestP)
        z = kHeldZ;
    else
        z = InvNormal(beta);
    TCriterionState s;
    s.Beta = beta;
    s.Criterion = mR + sR * z;
    s.MirrorR = mR - sR * z;
    s.Alpha = NormalCDF(-(s.Criterion - mL) / sL);
    s.MirrorL = 2 * mL - s.Criterion;
    return s;
}

TCriterionState TailsFromCriterion(double criterion, double mL, double sL, double mR, double sR)
{
    const double zL = (criterion - mL) / sL;
    const double zR = (criterion - mR) / sR;
    TCriterionState s;
    s.Criterion = criterion;
    s.Alpha = 1 - NormalCDF(zL);
    s.Beta = NormalCDF(zR);
    s.MirrorR = mR - zR * sR;
    s.MirrorL = mL - zL * sL;
    return s;
}

void SetLeftTailBounds(TNormalCurve& curve, double criterion, double mirrorL)
{
    curve.LowBound = mirrorL;
    curve.HighBound = criterion;
    if (curve.Tails == 3 && mirrorL > criterion)
        std::swap(curve.LowBound, curve.HighBound);
}

void SetRightTailBounds(TNormalCurve& curve, double criterion, double mirrorR)
{
    curve.LowBound = criterion;
    curve.HighBound = mirrorR;
    if (curve.Tails == 3 && criterion >= mirrorR)
        std::swap(curve.LowBound, curve.HighBound);
}

std::string TailPercentText(double percent)
{
    char text[32];
    std::snprintf(text, sizeof text, "%3lld%%", static_cast<long long>(Round(percent)));
    return text;
}

std::vector<TCurvePoint> CurveSeriesPoints(const TNormalCurve& curve)
{
    std::vector<TCurvePoint> points;
    points.reserve(kCurveSteps + 6);
    const double range = curve.XMax - curve.XMin;
    for (int i = 0; i <= kCurveSteps; ++i) {
        const double x = curve.XMin + static_cast<double>(i) / kCurveSteps * range;
        points.push_back({x, NormalCurveDensity(x, curve.Mean, curve.SD)});
    }
    // a sharp peak
    for (const double k : {0.0, -0.1, 0.1, -0.2, 0.2}) {
        const double x = curve.Mean + k * curve.SD;
        points.push_back({x, NormalCurveDensity(x, curve.Mean, curve.SD)});
    }
    return points;
}

std::vector<TCurvePoint> TailSeriesPoints(const TNormalCurve& curve)
{
    std::vector<TCurvePoint> points;
    if (curve.Tails == 0 || curve.Tails > 3)
        return points;
    points.reserve(kCurveSteps + 7);
    const double range = curve.XMax - curve.XMin;
    const double low = curve.LowBound;
    const double high = curve.HighBound;
    for (int i = 0; i <= kCurveSteps; ++i) {
        const double x = curve.XMin + static_cast<double>(i) / kCurveSteps * range;
        const double y = NormalCurveDensity(x, curve.Mean, curve.SD);
        bool shaded = false;
        switch (curve.Tails) {
        case 1: shaded = x <= low; break;
        case 2: shaded = x >= high; break;
        default: shaded = !(low < x && x < high); break;
        }
        points.push_back({x, shaded ? y : 0.0});
    }
    const auto density = [&](double x) { return NormalCurveDensity(x, curve.Mean, curve.SD); };
    if (curve.Tails == 1 || curve.Tails == 3) {
        points.push_back({low, density(low)});
        points.push_back({low - kTailEdge, density(low)});
        points.push_back({low + kTailEdge, 0.0});
    }
    if (curve.Tails == 2 || curve.Tails == 3) {
        points.push_back({high, density(high)});
        points.push_back({high - kTailEdge, 0.0});
        points.push_back({high + kTailEdge, density(high)});
    }
    return points;
}
