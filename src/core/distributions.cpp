#include "core/distributions.h"

#include <cmath>
#include <limits>

// Constants are long double and expressions are evaluated in long double;
// working variables and results are doubles.
namespace {

using ld = long double;

constexpr ld kSqrt2Pi = 2.5066282746310005L;
constexpr ld kInvSqrt2Pi = 0.3989422804014327L;
constexpr ld kSeriesTolerance = 1e-8L;   // incomplete gamma and beta
constexpr ld kNormalTolerance = 1e-8L;   // relative, in p
constexpr ld kStudentTolerance = 1e-8L;  // absolute, in p
constexpr ld kBracketFactor = 0.1L;
constexpr ld kMinBracket = 0.1L;

// Bounds for the searches that have no natural end of their own.
constexpr int kMaxBisections = 300;
constexpr int kMaxWidenings = 2000;

constexpr int kGammaIterations = 99;
constexpr int kBetaIterations = 100;

// Search bracket [x0 - 0.1 w, x0 + 0.1 w] with w = max(|x0|, 0.1); each end is
// one long double expression rounded once.
void StartBracket(double x0, double& lo, double& hi)
{
    const double w = std::fabs(x0) > static_cast<double>(kMinBracket) ? std::fabs(x0)
                                                                       : static_cast<double>(kMinBracket);
    lo = static_cast<double>(x0 - kBracketFactor * w);
    hi = static_cast<double>(x0 + kBracketFactor * w);
}

} // namespace

double NormalDensity(double x, double mean, double sigma)
{
    const ld z = (static_cast<ld>(x) - mean) / sigma;
    return static_cast<double>(std::exp(-0.5L * z * z) * kInvSqrt2Pi / sigma);
}

double NormalCDF(double x)
{
    const double half = static_cast<double>(static_cast<ld>(x) * x / 2.0L);
    const double g = GammaP(half, 0.5);
    if (x > 0.0)
        return static_cast<double>(0.5L * (1.0L + g));
    return static_cast<double>(0.5L * (1.0L - g));
}

double InvNormalApprox(double p)
{
    if (!(p > 0.0 && p < 1.0))
        return 0.0;
    // rational approximation of the upper quantile, mirrored for p < 1/2
    const double original = p;
    const bool lower = p < 0.5;
    if (lower)
        p = 1.0 - p;
    // 1 - p is exact for p >= 1/2; below about 1e-16 the mirrored p rounds to
    // 1 and the tail is taken from the original p instead of ln 0
    const ld tail = p < 1.0 ? 1.0L - p : static_cast<ld>(original);
    const double t = static_cast<double>(std::sqrt(-2.0L * std::log(tail)));
    const ld tt = t;
    const double x = static_cast<double>(
        tt - (2.515517L + 0.802853L * tt + 0.010328L * tt * tt)
                 / (1.0L + 1.432788L * tt + 0.189269L * tt * tt + 0.001308L * tt * tt * tt));
    return lower ? -x : x;
}

double InvNormal(double p)
{
    if (!(p > 0.0 && p < 1.0))
        return 0.0;
    const double x0 = InvNormalApprox(p);
    double lo;
    double hi;
    StartBracket(x0, lo, hi);
    double m = x0;
    for (int i = 0; i < kMaxBisections; ++i) {
        const double mid = static_cast<double>((static_cast<ld>(lo) + hi) / 2.0L);
        if (mid == lo || mid == hi)
            break;  // the bracket cannot shrink any more
        m = mid;
        const double c = NormalCDF(m);
        if (c > p)
            hi = m;
        else
            lo = m;
        if (std::fabs(static_cast<ld>(c) - p) / p < kNormalTolerance)
            break;
    }
    return m;
}

double LnGamma(double x)
{
    if (x <= 0.0)
        return 0.0;
    if (std::isinf(x))
        return x;
    static constexpr double c[6] = {76.18009173, -86.50532033, 24.01409822,
                                    -1.231739516, 0.00120858003, -5.36382e-06};
    ld sum = 1.0L;
    for (int k = 1; k <= 6; ++k)
        sum += c[k - 1] / (static_cast<ld>(x) + k - 1);
    const double s = static_cast<double>(sum);
    const ld xl = x;
    return static_cast<double>(std::log(kSqrt2Pi * s) + (xl - 0.5L) * std::log(xl + 4.5L) - xl - 4.5L);
}

double GammaSeries(double x, double a)
{
    double ap = a;
    double term = static_cast<double>(1.0L / a);
    double sum = term;
    for (int n = 1; n <= kGammaIterations; ++n) {
        ap = static_cast<double>(static_cast<ld>(ap) + 1.0L);
        term = static_cast<double>(static_cast<ld>(term) * x / ap);
        sum = static_cast<double>(static_cast<ld>(sum) + term);
        if (std::fabs(term) < std::fabs(sum) * kSeriesTolerance)
            break;
    }
    return sum;
}

double GammaCF(double x, double a)
{
    double a0 = 1.0, a1 = x, b0 = 0.0, b1 = 1.0, f = 1.0, g = 0.0, gOld = 0.0;
    for (int n = 1; n <= kGammaIterations; ++n) {
        const ld an = n;
        const ld ana = an - a;
        a0 = static_cast<double>((a1 + ana * a0) * f);
        a1 = static_cast<double>(static_cast<ld>(x) * a0 + an * f * a1);
        b0 = static_cast<double>((b1 + ana * b0) * f);
        b1 = static_cast<double>(static_cast<ld>(x) * b0 + an * f * b1);
        if (a1 != 0.0) {
            f = static_cast<double>(1.0L / a1);
            g = static_cast<double>(static_cast<ld>(b1) * f);
            if (std::fabs((static_cast<ld>(g) - gOld) / g) < kSeriesTolerance)
                break;
            gOld = g;
        }
    }
    return g;
}

double GammaP(double x, double a)
{
    if (x <= 0.0 || a <= 0.0)
        return 0.0;
    if (std::isinf(x))
        return 1.0;  // the prefactor below would be inf - inf
    const ld xl = x;
    const double e = static_cast<double>(std::exp(a * std::log(xl) - xl - LnGamma(a)));
    if (x < static_cast<ld>(a) + 1.0L)
        return static_cast<double>(static_cast<ld>(GammaSeries(x, a)) * e);
    return static_cast<double>(1.0L - static_cast<ld>(GammaCF(x, a)) * e);
}

double Chi2CDF(std::int32_t df, double x)
{
    return GammaP(static_cast<double>(x / 2.0L), static_cast<double>(df / 2.0L));
}

double BetaCF(double x, double a, double b)
{
    const ld qab = static_cast<ld>(a) + b;
    const ld qap = static_cast<ld>(a) + 1.0L;
    const ld qam = static_cast<ld>(a) - 1.0L;
    double am = 1.0, bm = 1.0, az = 1.0;
    double bz = static_cast<double>(1.0L - qab * x / qap);
    for (int m = 1; m <= kBetaIterations; ++m) {
        const ld em = m;
        const ld tem = em + em;
        double d = static_cast<double>(em * (b - em) * x / ((qam + tem) * (a + tem)));
        const double ap = static_cast<double>(az + static_cast<ld>(d) * am);
        const double bp = static_cast<double>(bz + static_cast<ld>(d) * bm);
        d = static_cast<double>(-(a + em) * (qab + em) * x / ((a + tem) * (qap + tem)));
        const double app = static_cast<double>(ap + static_cast<ld>(d) * az);
        const double bpp = static_cast<double>(bp + static_cast<ld>(d) * bz);
        const double azOld = az;
        am = static_cast<double>(static_cast<ld>(ap) / bpp);
        bm = static_cast<double>(static_cast<ld>(bp) / bpp);
        az = static_cast<double>(static_cast<ld>(app) / bpp);
        bz = 1.0;
        if (std::fabs(static_cast<ld>(az) - azOld) < kSeriesTolerance * std::fabs(az))
            break;
    }
    return az;
}

double BetaI(double x, double a, double b)
{
    if (x < 0.0)
        return 0.0;
    if (x > 1.0)
        return 1.0;
    double bt = 0.0;
    if (x > 0.0 && x < 1.0) {
        const ld xl = x;
        bt = static_cast<double>(std::exp(static_cast<ld>(LnGamma(a + b)) - LnGamma(a) - LnGamma(b)
                                          + a * std::log(xl) + b * std::log(1.0L - xl)));
    }
    if (x < (static_cast<ld>(a) + 1.0L) / (static_cast<ld>(a) + b + 2.0L))
        return static_cast<double>(static_cast<ld>(bt) * BetaCF(x, a, b) / a);
    return static_cast<double>(1.0L - static_cast<ld>(bt) * BetaCF(1.0 - x, b, a) / b);
}

double StudentTCDF(std::int32_t df, double t)
{
    const ld n = df;
    const double w = static_cast<double>(n / (static_cast<ld>(t) * t + n));
    const double beta = BetaI(w, static_cast<double>(n / 2.0L), 0.5);
    if (t <= 0.0)
        return static_cast<double>(0.5L * beta);
    return static_cast<double>(1.0L - 0.5L * beta);
}

double FisherFCDF(std::int32_t df1, std::int32_t df2, double x)
{
    if (x < 0.0)
        return 0.0;
    const ld n1 = df1;
    const ld n2 = df2;
    const double w = static_cast<double>(n2 / (n1 * x + n2));
    return static_cast<double>(1.0L - BetaI(w, static_cast<double>(n2 / 2.0L), static_cast<double>(n1 / 2.0L)));
}

double InvStudentTApprox(std::int32_t df, double p)
{
    if (!(p > 0.0 && p < 1.0) || df < 1)
        return 0.0;
    const bool lower = p < 0.5;
    if (lower)
        p = 1.0 - p;
    const double z = InvNormal(p);
    const double s = static_cast<double>(static_cast<ld>(z) * z);
    const ld n = df;
    const ld n2 = static_cast<ld>(static_cast<std::int64_t>(df) * df);  // 64-bit: no overflow
    const ld poly = ((((79.0L * s + 720.0L * n + 776.0L) * s + 4800.0L * n2 + 4560.0L * n + 1482.0L) * s
                      + (23040.0L * n + 15360.0L) * n2 + 4080.0L * n - 1920.0L) * s
                     + (92160.0L * n2 + 23040.0L * n + 2880.0L) * n2 - 3600.0L * n - 945.0L);
    const double x = static_cast<double>(z * poly / 92160.0L / n2 / n2);
    return lower ? -x : x;
}

double InvStudentT(std::int32_t df, double p)
{
    if (!(p > 0.0 && p < 1.0) || df < 1)
        return 0.0;
    const double x0 = InvStudentTApprox(df, p);
    double lo;
    double hi;
    StartBracket(x0, lo, hi);
    double lastLo = 0.0;
    double lastHi = 0.0;

    // widen until p lies strictly inside the bracket
    for (int i = 0; i < kMaxWidenings; ++i) {
        const double cLo = StudentTCDF(df, lo);
        const double cHi = StudentTCDF(df, hi);
        if (!(cLo >= p || cHi <= p))
            break;
        if (cLo == p)
            return lo;  // an end that hits p exactly is the quantile
        if (cHi == p)
            return hi;
        if (cLo > p) {
            lastLo = lo;
            lo = static_cast<double>(lo - std::fabs(static_cast<ld>(hi) - lo) / 2.0L);
        }
        if (cHi < p) {
            lastHi = hi;
            hi = static_cast<double>(hi + std::fabs(static_cast<ld>(hi) - lo) / 2.0L);
        }
    }
    // the last end moved past p is a tighter bound on the other side
    if (lastLo != 0.0)
        hi = lastLo;
    if (lastHi != 0.0)
        lo = lastHi;

    double m = static_cast<double>((static_cast<ld>(lo) + hi) / 2.0L);
    for (int i = 0; i < kMaxBisections; ++i) {
        const double mid = static_cast<double>((static_cast<ld>(lo) + hi) / 2.0L);
        if (i > 0 && (mid == lo || mid == hi))
            break;  // the bracket cannot shrink any more
        m = mid;
        const double c = StudentTCDF(df, m);
        if (c > p)
            hi = m;
        else
            lo = m;
        if (std::fabs(static_cast<ld>(c) - p) < kStudentTolerance)
            break;
    }
    return m;
}
