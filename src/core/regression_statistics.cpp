#include "core/regression_statistics.h"

#include "core/distributions.h"
#include "core/numeric_vector.h"
#include "core/statistics_grid.h"
#include "core/variable_records.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// NaN unless finite
double Defined(double v)
{
    return std::isfinite(v) ? v : kNaN;
}

} // namespace

TRegressionSummary SumsOfProducts(const TVector& X, const TVector& Y)
{
    TRegressionSummary s;
    const int n = std::min(X.NrOfElem(), Y.NrOfElem());
    s.n = n;
    s.df = n - 2;
    double sx = 0;
    double sy = 0;
    for (int i = 1; i <= n; ++i) {
        sx += X.GetElem(i);
        sy += Y.GetElem(i);
    }
    s.meanX = sx / n;
    s.meanY = sy / n;
    for (int i = 1; i <= n; ++i) {
        const double dx = X.GetElem(i) - s.meanX;
        const double dy = Y.GetElem(i) - s.meanY;
        s.Sxx += dx * dx;
        s.Syy += dy * dy;
        s.Sxy += dx * dy;
    }
    s.varX = n > 1 ? s.Sxx / (n - 1) : kNaN;
    s.varY = n > 1 ? s.Syy / (n - 1) : kNaN;
    s.covXY = s.Sxy / n;

    const bool slope = s.Sxx > 0;
    s.b1 = slope ? s.Sxy / s.Sxx : kNaN;
    s.b0 = slope ? s.meanY - s.b1 * s.meanX : kNaN;
    s.r = slope && s.Syy > 0 ? s.Sxy / std::sqrt(s.Sxx * s.Syy) : kNaN;
    s.r2 = s.r * s.r;
    s.S2 = slope && s.df > 0 ? std::max(0.0, (s.Syy - s.Sxy * s.Sxy / s.Sxx) / s.df) : kNaN;
    s.seB0 = std::sqrt((1.0 / n + s.meanX * s.meanX / s.Sxx) * s.S2);
    s.seB1 = std::sqrt(s.S2 / s.Sxx);
    const double tq = s.df > 0 ? InvStudentT(s.df, 0.975) : kNaN;
    s.b0Lower = s.b0 - tq * s.seB0;
    s.b0Upper = s.b0 + tq * s.seB0;
    s.b0Precision = (s.b0Upper - s.b0Lower) / 2;
    s.b1Lower = s.b1 - tq * s.seB1;
    s.b1Upper = s.b1 + tq * s.seB1;
    s.b1Precision = (s.b1Upper - s.b1Lower) / 2;
    // a perfect fit has no standard error and so no test
    s.t = s.seB1 > 0 ? Defined(s.b1 / s.seB1) : kNaN;
    s.p = std::isfinite(s.t) ? 2 * (1 - StudentTCDF(s.df, std::fabs(s.t))) : kNaN;
    return s;
}

TRegressionPlot RegressionPlot(const TVector& X, const TVector& Y, const TRegressionSummary& s, int item)
{
    TRegressionPlot plot;
    if (!std::isfinite(s.b1))
        return plot;
    const double sd = std::sqrt(s.S2);
    if (item == 2 && !(sd > 0))
        return plot;
    for (int i = 1; i <= s.n; ++i) {
        const double x = X.GetElem(i);
        const double fit = s.b0 + s.b1 * x;
        const double res = Y.GetElem(i) - fit;
        plot.x.push_back(x);
        plot.y.push_back(item == 0 ? Y.GetElem(i) : item == 1 ? res : res / sd);
        plot.line.push_back(item == 0 ? fit : 0.0);
    }
    return plot;
}

void WriteRegressionGrid(TStatGrid& grid, const tNumVarDef& defX, const TVector& X, const tNumVarDef& defY,
                         const TVector& Y, const TRegressionSummary& s)
{
    const int c0 = kStatFirstCol;
    const int c1 = c0 + 1;
    const int c2 = c0 + 2;
    const int c3 = c0 + 3;
    const int r0 = kStatFirstRow;
    const auto str = [](double v) { return StatNumber(v); };
    grid.Clear();
    grid.SetSize(6, 46);
    for (int c = c0; c <= c0 + 2; ++c)
        grid.SetColWidth(c, 100);

    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    X.MinMax(1, X.NrOfElem(), minX, maxX);
    Y.MinMax(1, Y.NrOfElem(), minY, maxY);

    grid.SetCell(c0, r0 + 1, "LINEAR");
    grid.SetCell(c1, r0 + 1, "REGRESSION");
    grid.SetCell(c2, r0 + 1, "ANALYSIS");
    grid.SetCell(c0, r0 + 3, "VARIABLES");
    grid.SetCell(c1, r0 + 3, "X=" + StatUpper(defX.Name));
    grid.SetCell(c2, r0 + 3, "Y=" + StatUpper(defY.Name));
    grid.SetCell(c0, r0 + 4, "Size:");
    grid.SetCell(c1, r0 + 4, "n=" + StatInt(X.NrOfElem()));
    grid.SetCell(c2, r0 + 4, "n=" + StatInt(Y.NrOfElem()));
    grid.SetCell(c0, r0 + 5, "Mean:");
    grid.SetCell(c1, r0 + 5, str(s.meanX));
    grid.SetCell(c2, r0 + 5, str(s.meanY));
    grid.SetCell(c0, r0 + 6, "s.d.:");
    grid.SetCell(c1, r0 + 6, str(std::sqrt(s.varX)));
    grid.SetCell(c2, r0 + 6, str(std::sqrt(s.varY)));
    grid.SetCell(c0, r0 + 7, "Min:");
    grid.SetCell(c1, r0 + 7, str(minX));
    grid.SetCell(c2, r0 + 7, str(minY));
    grid.SetCell(c0, r0 + 8, "Max:");
    grid.SetCell(c1, r0 + 8, str(maxX));
    grid.SetCell(c2, r0 + 8, str(maxY));

    grid.SetCell(c0, r0 + 10, "MODEL");
    grid.SetCell(c1, r0 + 10, "y = b0 + b1 x");
    grid.SetCell(c0, r0 + 11, "Calculations:");
    grid.SetCell(c1, r0 + 11, "(XX)=" + str(s.Sxx));
    grid.SetCell(c2, r0 + 11, "(YY)=" + str(s.Syy));
    grid.SetCell(c3, r0 + 11, "(XY)=" + str(s.Sxy));
    grid.SetCell(c1, r0 + 12, "Cov(xy)=" + str(s.covXY));
    grid.SetCell(c0, r0 + 13, "Residual:");
    grid.SetCell(c1, r0 + 13, "S²=" + str(s.S2));
    grid.SetCell(c0, r0 + 14, "Coefficient:");
    grid.SetCell(c1, r0 + 14, "Constant (b0)");
    grid.SetCell(c0, r0 + 15, "  Estimate:");
    grid.SetCell(c1, r0 + 15, "b0=" + str(s.b0));
    grid.SetCell(c2, r0 + 15, "SE(b0)=" + str(s.seB0));
    grid.SetCell(c0, r0 + 16, "  95%-IC:");
    grid.SetCell(c1, r0 + 16, "(" + str(s.b0Lower) + ";");
    grid.SetCell(c2, r0 + 16, str(s.b0Upper) + ")");
    grid.SetCell(c3, r0 + 16, "(prec=" + str(s.b0Precision) + ")");
    grid.SetCell(c0, r0 + 17, "Coefficient");
    grid.SetCell(c1, r0 + 17, defX.Name + " (b1)");
    grid.SetCell(c0, r0 + 18, "  Estimate:");
    grid.SetCell(c1, r0 + 18, "b1=" + str(s.b1));
    grid.SetCell(c2, r0 + 18, "SE(b1)=" + str(s.seB1));
    grid.SetCell(c0, r0 + 19, "  95%-IC:");
    grid.SetCell(c1, r0 + 19, "(" + str(s.b1Lower) + ";");
    grid.SetCell(c2, r0 + 19, str(s.b1Upper) + ")");
    grid.SetCell(c3, r0 + 19, "(prec=" + str(s.b1Precision) + ")");
    grid.SetCell(c0, r0 + 20, " Test:");
    grid.SetCell(c1, r0 + 20, "Ho: B1=0");
    grid.SetCell(c1, r0 + 21, "texp=" + str(s.t));
    grid.SetCell(c2, r0 + 21, "d.f.=" + (s.df > 0 ? StatInt(s.df) : StatDash()));
    grid.SetCell(c3, r0 + 21, "P=" + str(s.p));
    grid.SetCell(c0, r0 + 23, "Explained Var:");
    grid.SetCell(c1, r0 + 23, "R²=" + str(s.r2));
    grid.SetCell(c2, r0 + 23, "(" + StatNumber(s.r2 * 100, 6, 1) + "%)");
    grid.SetCell(c0, r0 + 25, "CORRELATION");
    grid.SetCell(c0, r0 + 26, "Pearson:");
    grid.SetCell(c1, r0 + 26, "r=" + str(s.r));
    grid.SetCell(c2, r0 + 26, "P=" + str(s.p));
}
