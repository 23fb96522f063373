#include "core/numeric_matrix.h"

#include "core/component_errors.h"

#include <gtest/gtest.h>

#include <limits>

class TMatrixTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.SetName("Matrix1");
        m.OnChange = [this] { ++changes; };
    }

    TMatrix m;
    int changes = 0;
};

TEST_F(TMatrixTest, OneCellAfterCreation)
{
    EXPECT_EQ(m.NrOfColumns(), 1);
    EXPECT_EQ(m.NrOfRows(), 1);
    EXPECT_EQ(m.GetElem(1, 1), 0.0);
    EXPECT_EQ(m.DataID(), "");
}

TEST_F(TMatrixTest, AddressedAsColumnThenRow)
{
    ASSERT_TRUE(m.Resize(3, 2));
    m.SetElem(3, 1, 31);
    m.SetElem(1, 2, 12);
    EXPECT_EQ(m.GetElem(3, 1), 31.0);
    EXPECT_EQ(m.GetElem(1, 2), 12.0);
    EXPECT_EQ(m.GetElem(1, 3), 0.0);  // row 3 does not exist
    EXPECT_EQ(m.GetElem(0, 1), 0.0);
    EXPECT_EQ(m.GetElem(4, 1), 0.0);
}

TEST_F(TMatrixTest, WritesOutsideAreIgnoredWithoutEvent)
{
    m.Resize(2, 2);
    changes = 0;
    m.SetElem(0, 1, 5);
    m.SetElem(3, 1, 5);
    m.SetElem(1, -1, 5);
    m.SetElem(1, 3, 5);
    EXPECT_EQ(changes, 0);
    m.SetElem(2, 2, 5);
    EXPECT_EQ(changes, 1);
}

TEST_F(TMatrixTest, NegativeSizeCountsAsZero)
{
    m.SetNrOfRows(-3);
    EXPECT_EQ(m.NrOfRows(), 0);
    EXPECT_EQ(m.NrOfColumns(), 1);
    EXPECT_EQ(m.GetElem(1, 1), 0.0);
    changes = 0;
    m.SetElem(1, 1, 4);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m.GetElem(1, 1), 0.0);
    m.Resize(-1, -1);
    EXPECT_EQ(m.NrOfColumns(), 0);
    EXPECT_EQ(m.NrOfRows(), 0);
}

TEST_F(TMatrixTest, GrowingKeepsCellsAndZeroesNewOnes)
{
    m.Resize(2, 2);
    m.SetElem(1, 1, 11);
    m.SetElem(2, 2, 22);
    m.Resize(3, 4);
    EXPECT_EQ(m.GetElem(1, 1), 11.0);
    EXPECT_EQ(m.GetElem(2, 2), 22.0);
    EXPECT_EQ(m.GetElem(3, 4), 0.0);
    EXPECT_EQ(m.GetElem(2, 3), 0.0);
    m.Resize(1, 1);
    m.Resize(2, 2);
    EXPECT_EQ(m.GetElem(1, 1), 11.0);
    EXPECT_EQ(m.GetElem(2, 2), 0.0);
}

TEST_F(TMatrixTest, CellsHiddenByAZeroSizeShowAgain)
{
    m.Resize(3, 3);
    m.SetElem(1, 1, 11);
    m.SetElem(3, 1, 31);
    m.SetElem(2, 2, 22);
    m.SetNrOfRows(0);
    EXPECT_EQ(m.GetElem(1, 1), 0.0);
    // the storage kept its first row, not the others
    m.SetNrOfRows(3);
    EXPECT_EQ(m.GetElem(1, 1), 11.0);
    EXPECT_EQ(m.GetElem(3, 1), 31.0);
    EXPECT_EQ(m.GetElem(2, 2), 0.0);

    m.SetNrOfColumns(0);
    m.SetNrOfColumns(2);
    EXPECT_EQ(m.GetElem(1, 1), 11.0);
    EXPECT_EQ(m.GetElem(2, 1), 0.0);

    // a fill reaches the hidden cell too
    m.Resize(0, 0);
    m.Fill(3);
    m.Resize(2, 2);
    EXPECT_EQ(m.GetElem(1, 1), 3.0);
    EXPECT_EQ(m.GetElem(2, 1), 0.0);
    EXPECT_EQ(m.GetElem(1, 2), 0.0);
}

TEST_F(TMatrixTest, SettingsFromCreation)
{
    EXPECT_EQ(m.FirstSetting(), 15);
    EXPECT_EQ(m.SecondSetting(), -1);
    m.Resize(4, 4);
    EXPECT_EQ(m.FirstSetting(), 15);
    EXPECT_EQ(m.SecondSetting(), -1);
}

TEST_F(TMatrixTest, SizeSettersFireEvenWhenUnchanged)
{
    m.SetNrOfColumns(1);
    m.SetNrOfRows(1);
    EXPECT_EQ(changes, 2);
    m.Resize(4, 5);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(m.NrOfColumns(), 4);
    EXPECT_EQ(m.NrOfRows(), 5);
}

TEST_F(TMatrixTest, FillSetsEveryCellAndFiresOnce)
{
    m.Resize(3, 3);
    changes = 0;
    m.Fill(2.5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(m.GetElem(1, 1), 2.5);
    EXPECT_EQ(m.GetElem(3, 3), 2.5);
    m.SetNrOfColumns(0);
    changes = 0;
    m.Fill(1);
    EXPECT_EQ(changes, 1);
}

TEST_F(TMatrixTest, ImpossibleSizeRaisesAndLeavesTheMatrix)
{
    m.Resize(2, 2);
    m.SetElem(2, 2, 9);
    changes = 0;
    const int big = std::numeric_limits<int>::max();
    try {
        m.Resize(big, big);
        FAIL() << "no exception";
    } catch (const ERukMatrixError& e) {
        EXPECT_STREQ(e.what(), "Component \"Matrix1\": not enough memory on heap");
    }
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(m.NrOfColumns(), 2);
    EXPECT_EQ(m.GetElem(2, 2), 9.0);
}
