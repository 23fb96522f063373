#include "core/square_matrix.h"

#include <cmath>

tBfMatriz::tBfMatriz(int n)
{
    if (n < 0)
        n = 0;
    Rows = n;
    Columns = n;
    const auto size = static_cast<std::size_t>(n) + 1;
    Cells.assign(size, std::vector<double>(size, 0.0));
}

void tBfMatriz::SetIdentity()
{
    for (std::size_t i = 0; i < Cells.size(); ++i) {
        for (double& cell : Cells[i])
            cell = 0.0;
        Cells[i][i] = 1.0;
    }
}

bool tBfMatriz::Cholesky()
{
    const auto n = static_cast<std::size_t>(Rows);
    // factor in 0-based temporary storage; cell (i, j) of the matrix is t[i-1][j-1]
    std::vector<std::vector<double>> t(n, std::vector<double>(n, 0.0));
    bool ok = true;
    for (std::size_t i = 1; i <= n; ++i) {
        for (std::size_t j = 1; j <= n; ++j) {
            if (j > i) {
                t[i - 1][j - 1] = 0.0;
                continue;
            }
            double s1 = 0.0;
            double s2 = 0.0;
            for (std::size_t k = 1; k < j; ++k) {
                // sums kept as Doubles, products added in extended precision
                s1 = static_cast<double>(s1 + static_cast<long double>(t[i - 1][k - 1]) * t[j - 1][k - 1]);
                s2 = static_cast<double>(s2 + static_cast<long double>(t[j - 1][k - 1]) * t[j - 1][k - 1]);
            }
            const double d = static_cast<double>(static_cast<long double>(Cells[j][j]) - s2);
            if (d > 0.0)
                t[i - 1][j - 1] = static_cast<double>((static_cast<long double>(Cells[i][j]) - s1)
                                                      / std::sqrt(static_cast<long double>(d)));
            else
                ok = false;  // not positive definite; the loops still run to the end
        }
    }
    if (ok) {
        for (std::size_t i = 1; i <= n; ++i)
            for (std::size_t j = 1; j <= n; ++j)
                Cells[i][j] = t[i - 1][j - 1];
    }
    return ok;
}

double MinDouble(double a, double b)
{
    return a < b ? a : b;
}

double MaxDouble(double a, double b)
{
    return a > b ? a : b;
}
