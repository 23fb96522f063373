#include "core/square_matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

tBfMatriz FromRows(std::initializer_list<std::initializer_list<double>> rows)
{
    tBfMatriz m(static_cast<int>(rows.size()));
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (double v : row)
            m.Cells[i][j++] = v;
        ++i;
    }
    return m;
}

} // namespace

TEST(SquareMatrix, CreateIsZeroWithSpareRowAndColumn)
{
    tBfMatriz m(3);
    EXPECT_EQ(m.Rows, 3);
    EXPECT_EQ(m.Columns, 3);
    ASSERT_EQ(m.Cells.size(), 4u);
    for (const auto& row : m.Cells) {
        ASSERT_EQ(row.size(), 4u);
        for (double v : row)
            EXPECT_EQ(v, 0.0);
    }
    EXPECT_TRUE(m.IntegerCells.empty());
}

TEST(SquareMatrix, SetIdentityIncludesCellZeroZero)
{
    tBfMatriz m(2);
    m.Cells[0][1] = 5.0;
    m.Cells[2][1] = 7.0;
    m.SetIdentity();
    for (int i = 0; i <= 2; ++i)
        for (int j = 0; j <= 2; ++j)
            EXPECT_EQ(m.Cells[i][j], i == j ? 1.0 : 0.0);
}

TEST(SquareMatrixCholesky, KnownThreeByThreeFactor)
{
    // A = L L^T with L = [[2,0,0],[6,1,0],[-8,5,3]] (worked by hand)
    tBfMatriz m = FromRows({{4, 12, -16}, {12, 37, -43}, {-16, -43, 98}});
    m.Cells[0][0] = 11.0;  // spare cells are left alone
    m.Cells[2][0] = -3.0;
    ASSERT_TRUE(m.Cholesky());
    const double l[3][3] = {{2, 0, 0}, {6, 1, 0}, {-8, 5, 3}};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            EXPECT_NEAR(m.Cells[i + 1][j + 1], l[i][j], 1e-14) << i << "," << j;
    EXPECT_EQ(m.Cells[0][0], 11.0);
    EXPECT_EQ(m.Cells[2][0], -3.0);
}

TEST(SquareMatrixCholesky, CovarianceFactorReproducesMatrix)
{
    // sd 2 and 3, correlation 0.5: L = [[2,0],[1.5, 3*sqrt(0.75)]]
    tBfMatriz m = FromRows({{4, 3}, {3, 9}});
    ASSERT_TRUE(m.Cholesky());
    EXPECT_DOUBLE_EQ(m.Cells[1][1], 2.0);
    EXPECT_DOUBLE_EQ(m.Cells[1][2], 0.0);
    EXPECT_DOUBLE_EQ(m.Cells[2][1], 1.5);
    EXPECT_DOUBLE_EQ(m.Cells[2][2], 3.0 * std::sqrt(0.75));
}

TEST(SquareMatrixCholesky, IdentityFactorisesToItself)
{
    tBfMatriz m(4);
    m.SetIdentity();
    ASSERT_TRUE(m.Cholesky());
    for (int i = 0; i <= 4; ++i)
        for (int j = 0; j <= 4; ++j)
            EXPECT_EQ(m.Cells[i][j], i == j ? 1.0 : 0.0);
}

TEST(SquareMatrixCholesky, OrderZeroSucceeds)
{
    tBfMatriz m(0);
    EXPECT_TRUE(m.Cholesky());
    tBfMatriz negative(-2);
    EXPECT_EQ(negative.Rows, 0);
    EXPECT_TRUE(negative.Cholesky());
}

TEST(SquareMatrixCholesky, NotPositiveDefiniteFailsAndLeavesMatrixUnchanged)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const tBfMatriz cases[] = {
        FromRows({{1, 1}, {1, 1}}),                      // correlation 1: second pivot 0
        FromRows({{1, 2}, {2, 1}}),                      // negative second pivot
        FromRows({{-1, 0}, {0, 1}}),                     // negative first pivot
        FromRows({{4, 12, -16}, {12, 37, -43}, {-16, -43, 8}}),  // third pivot negative
        FromRows({{nan, 0}, {0, 1}}),
    };
    for (const tBfMatriz& original : cases) {
        tBfMatriz m = original;
        EXPECT_FALSE(m.Cholesky());
        for (std::size_t i = 0; i < m.Cells.size(); ++i)
            for (std::size_t j = 0; j < m.Cells.size(); ++j) {
                const double a = original.Cells[i][j];
                const double b = m.Cells[i][j];
                EXPECT_TRUE(a == b || (std::isnan(a) && std::isnan(b)));
            }
    }
}

TEST(SquareMatrix, MinAndMaxDouble)
{
    EXPECT_EQ(MinDouble(2.5, -1.0), -1.0);
    EXPECT_EQ(MaxDouble(2.5, -1.0), 2.5);
    EXPECT_EQ(MinDouble(3.0, 3.0), 3.0);
    EXPECT_EQ(MaxDouble(3.0, 3.0), 3.0);
}
