#pragma once
// Small dense square matrix, 1-based in rows and columns 1..n; row 0 and
// column 0 are spare cells the population groups use for the last individual.
#include <cstdint>
#include <vector>

using tBfMatrizInteger = std::vector<std::vector<std::int32_t>>;
using tBfMatrizPrecision = std::vector<std::vector<double>>;

class tBfMatriz {
public:
    // Order n (a negative order counts as 0); every cell 0.
    explicit tBfMatriz(int n);

    // Every cell of rows and columns 0..n becomes 0, each diagonal cell 1
    // (cell (0, 0) included).
    void SetIdentity();

    // Replaces the matrix by its lower-triangular Cholesky factor L (A = L L^T).
    // A matrix with a pivot that is not strictly positive gives false and is
    // left exactly as it was.
    bool Cholesky();

    tBfMatrizInteger IntegerCells;  // not used
    tBfMatrizPrecision Cells;       // (n + 1) x (n + 1)
    std::int32_t Rows = 0;
    std::int32_t Columns = 0;
};

double MinDouble(double a, double b);
double MaxDouble(double a, double b);
