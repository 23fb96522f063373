#include "core/data_table.h"

#include "core/component_errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

class TDataTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        t.SetName("Table1");
        t.OnChange = [this] { ++changes; };
        t.OnChangeSetup = [this] { ++setupChanges; };
        t.OnResize = [this](int oc, int orow, int nc, int nr) { resizes.emplace_back(oc, orow, nc, nr); };
    }

    void ResetCounts()
    {
        changes = 0;
        setupChanges = 0;
        resizes.clear();
    }

    TDataTable t;
    int changes = 0;
    int setupChanges = 0;
    std::vector<std::tuple<int, int, int, int>> resizes;
};

TEST_F(TDataTableTest, OneIntervalCellAfterCreation)
{
    EXPECT_EQ(t.NrOfColumns(), 1);
    EXPECT_EQ(t.NrOfRows(), 1);
    EXPECT_EQ(t.GetColName(1), "C-1");
    EXPECT_EQ(t.GetRowName(1), "R-1");
    EXPECT_EQ(t.GetScaleLevel(1), slInterval);
    EXPECT_EQ(t.GetElem(1, 1), 0.0);
    EXPECT_EQ(t.GetMark(1, 1), 0);
    EXPECT_EQ(t.GetRowAttrib(1), 0);
    EXPECT_EQ(t.GetColAttrib(1), 0);
    EXPECT_EQ(t.Comment(), "");
}

TEST(ScaleLevelText, TheFiveLevels)
{
    EXPECT_EQ(ScaleLevelText(0), "Unknown");
    EXPECT_EQ(ScaleLevelText(1), "Nominal");
    EXPECT_EQ(ScaleLevelText(2), "Ordinal");
    EXPECT_EQ(ScaleLevelText(3), "Interval");
    EXPECT_EQ(ScaleLevelText(4), "Ratio");
    EXPECT_EQ(ScaleLevelText(5), "");
}

// ---------------------------------------------------------------- sizes

TEST_F(TDataTableTest, GrowingNamesNewColumnsAndKeepsValues)
{
    t.Resize(2, 2);
    t.SetElem(2, 2, 3.25);
    t.SetColName(1, "age");
    ResetCounts();
    t.SetNrOfColumns(4);
    EXPECT_EQ(t.GetColName(1), "age");
    EXPECT_EQ(t.GetColName(3), "C-3");
    EXPECT_EQ(t.GetColName(4), "C-4");
    EXPECT_EQ(t.GetScaleLevel(4), slInterval);
    EXPECT_EQ(t.GetElem(2, 2), 3.25);
    EXPECT_EQ(t.GetElem(4, 2), 0.0);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0], std::make_tuple(2, 2, 4, 2));
    EXPECT_EQ(changes, 0);  // the storage's change is not relayed while resizing
}

TEST_F(TDataTableTest, ShrinkAndRegrowGivesDefaultsNotOldItems)
{
    t.Resize(3, 3);
    t.SetColName(3, "weight");
    t.SetRowName(3, "ann");
    t.SetColAttrib(3, 9);
    t.SetRowAttrib(3, 8);
    t.SetScaleLevel(3, slNominal);
    t.SetElem(3, 3, 5);
    t.SetMark(3, 3, 64);
    t.Resize(2, 2);
    t.Resize(3, 3);
    EXPECT_EQ(t.GetColName(3), "C-3");
    EXPECT_EQ(t.GetRowName(3), "R-3");
    EXPECT_EQ(t.GetColAttrib(3), 0);
    EXPECT_EQ(t.GetRowAttrib(3), 0);
    EXPECT_EQ(t.GetScaleLevel(3), slInterval);
    EXPECT_EQ(t.GetElem(3, 3), 0.0);
    EXPECT_EQ(t.GetMark(3, 3), 0);
}

TEST_F(TDataTableTest, RowsAndColumnsBackFromZeroHoldZeros)
{
    t.Resize(2, 2);
    t.SetElem(1, 1, 5);
    t.SetElem(2, 1, 6);
    t.SetElem(1, 2, 7);
    t.SetNrOfRows(0);
    ResetCounts();
    t.SetNrOfRows(2);
    EXPECT_EQ(t.GetElem(1, 1), 0.0);
    EXPECT_EQ(t.GetElem(2, 1), 0.0);
    EXPECT_EQ(t.GetElem(1, 2), 0.0);
    EXPECT_EQ(changes, 0);
    t.SetElem(1, 1, 5);
    t.SetElem(1, 2, 7);
    t.SetNrOfColumns(0);
    t.SetNrOfColumns(1);
    EXPECT_EQ(t.GetElem(1, 1), 0.0);
    EXPECT_EQ(t.GetElem(1, 2), 0.0);
}

TEST_F(TDataTableTest, ResizeFiresOnlyWhenSomethingChanges)
{
    t.Resize(1, 1);
    t.SetNrOfRows(1);
    t.SetNrOfColumns(1);
    EXPECT_TRUE(resizes.empty());
    t.Resize(5, 0);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0], std::make_tuple(1, 1, 5, 0));
    t.SetNrOfRows(-4);  // counts as 0: unchanged
    EXPECT_EQ(resizes.size(), 1u);
    t.SetNrOfRows(1);
    EXPECT_EQ(t.GetElem(5, 1), 0.0);
    EXPECT_EQ(t.GetRowName(1), "R-1");
}

TEST_F(TDataTableTest, ImpossibleSizeRaisesAndLeavesTheTable)
{
    t.Resize(2, 2);
    t.SetElem(2, 2, 4);
    ResetCounts();
    const int big = std::numeric_limits<int>::max();
    try {
        t.Resize(big, big);
        FAIL() << "no exception";
    } catch (const ERukDataTableError& e) {
        EXPECT_STREQ(e.what(), "Component \"Table1\": not enough memory on heap");
    }
    EXPECT_EQ(t.NrOfColumns(), 2);
    EXPECT_EQ(t.NrOfRows(), 2);
    EXPECT_EQ(t.GetElem(2, 2), 4.0);
    EXPECT_TRUE(resizes.empty());
    t.SetElem(1, 1, 1);  // the relay works again
    EXPECT_EQ(changes, 1);
}

// ---------------------------------------------------------------- cells

TEST_F(TDataTableTest, NominalAndOrdinalColumnsReadWholeNumbersHalvesToEven)
{
    t.Resize(3, 4);
    t.SetScaleLevel(1, slNominal);
    t.SetScaleLevel(2, slOrdinal);
    const double values[] = {2.6, 2.5, 3.5, -2.5};
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 3; ++c)
            t.SetElem(c, r, values[r - 1]);
    for (int c = 1; c <= 2; ++c) {
        EXPECT_EQ(t.GetElem(c, 1), 3.0);
        EXPECT_EQ(t.GetElem(c, 2), 2.0);
        EXPECT_EQ(t.GetElem(c, 3), 4.0);
        EXPECT_EQ(t.GetElem(c, 4), -2.0);
    }
    EXPECT_EQ(t.GetElem(3, 1), 2.6);
    EXPECT_EQ(t.GetElem(3, 2), 2.5);
    EXPECT_EQ(t.Matrix().GetElem(1, 1), 2.6);  // stored as written
}

TEST_F(TDataTableTest, NominalReadOfHugeOrNaNValuesIsSafe)
{
    t.SetScaleLevel(1, slNominal);
    t.SetElem(1, 1, 1e300);
    EXPECT_EQ(t.GetElem(1, 1), 1e300);
    t.SetElem(1, 1, std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(std::isnan(t.GetElem(1, 1)));
}

TEST_F(TDataTableTest, CellWritesFireOnChangeInsideOnly)
{
    t.Resize(2, 2);
    ResetCounts();
    t.SetElem(2, 2, 1);
    t.SetElem(3, 1, 1);
    t.SetElem(1, 0, 1);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(t.GetElem(3, 1), 0.0);
    EXPECT_EQ(setupChanges, 0);
}

TEST_F(TDataTableTest, MarksFireOnlyWhenChanged)
{
    t.Resize(2, 2);
    ResetCounts();
    t.SetMark(1, 2, 195);
    t.SetMark(1, 2, 195);
    t.SetMark(3, 1, 1);
    EXPECT_EQ(setupChanges, 1);
    EXPECT_EQ(t.GetMark(1, 2), 195);
    EXPECT_EQ(t.GetMark(3, 1), 0);
    EXPECT_FALSE(t.IsUnmarked(1, 2));
    t.SetMark(2, 2, 64 + 128);
    EXPECT_TRUE(t.IsUnmarked(2, 2));
    t.SetMark(2, 1, 2);
    EXPECT_FALSE(t.IsUnmarked(2, 1));
    setupChanges = 0;
    t.ClearUpperMarkBits();
    EXPECT_EQ(t.GetMark(1, 2), 3);
    EXPECT_EQ(t.GetMark(2, 2), 0);
    EXPECT_EQ(t.GetMark(2, 1), 2);
    EXPECT_EQ(setupChanges, 1);
    EXPECT_EQ(changes, 0);
}

// ---------------------------------------------------------------- names, attributes, comment

TEST_F(TDataTableTest, NamesAreCutTo50CharactersAndFireSetup)
{
    t.Resize(2, 2);
    ResetCounts();
    const std::string longName(60, 'x');
    t.SetColName(2, longName);
    EXPECT_EQ(t.GetColName(2), std::string(50, 'x'));
    const std::string spanish = std::string(49, 'a') + "ño";  // 51 characters
    t.SetRowName(1, spanish);
    EXPECT_EQ(t.GetRowName(1), std::string(49, 'a') + "ñ");
    t.SetRowName(1, t.GetRowName(1));  // unchanged still fires
    t.SetColName(3, "none");
    t.SetRowName(0, "none");
    EXPECT_EQ(setupChanges, 3);
    EXPECT_EQ(t.GetColName(3), "");
    EXPECT_EQ(t.GetRowName(0), "");
}

TEST_F(TDataTableTest, AttributesReadZeroOutsideAndFireInside)
{
    t.Resize(2, 3);
    ResetCounts();
    t.SetRowAttrib(3, 200);
    t.SetColAttrib(2, 17);
    t.SetColAttrib(2, 17);
    t.SetRowAttrib(4, 1);
    t.SetColAttrib(0, 1);
    EXPECT_EQ(setupChanges, 3);
    EXPECT_EQ(t.GetRowAttrib(3), 200);
    EXPECT_EQ(t.GetColAttrib(2), 17);
    EXPECT_EQ(t.GetRowAttrib(4), 0);
    EXPECT_EQ(t.GetColAttrib(3), 0);
    EXPECT_EQ(t.GetScaleLevel(0), 0);
    EXPECT_EQ(t.GetScaleLevel(3), 0);
}

TEST_F(TDataTableTest, CommentLosesControlCharacters)
{
    t.SetComment("first line\r\nsecond\tpart");
    EXPECT_EQ(t.Comment(), "first linesecondpart");
    EXPECT_EQ(setupChanges, 1);
    EXPECT_EQ(changes, 0);
}

// ---------------------------------------------------------------- labels

TEST_F(TDataTableTest, LabelsOnlyForNominalAndOrdinal)
{
    t.SetNominalLabel(1, 1, "male");
    t.SetNominalLabel(1, 2, "female");
    EXPECT_EQ(t.GetNominalLabel(1, 1), "");  // Interval
    EXPECT_EQ(t.FindNominalLabel(1, "male", false), 0);
    t.SetScaleLevel(1, slOrdinal);
    EXPECT_EQ(t.GetNominalLabel(1, 2), "female");
    EXPECT_EQ(t.FindNominalLabel(1, "female", false), 2);
    t.SetScaleLevel(1, slRatio);
    EXPECT_EQ(t.FindNominalLabel(1, "female", false), 0);
    t.SetScaleLevel(1, 9);  // no such level
    EXPECT_EQ(t.GetScaleLevel(1), slRatio);
}

TEST_F(TDataTableTest, FindNominalLabelCutsAndFoldsAsciiOnly)
{
    t.SetScaleLevel(1, slNominal);
    t.SetNominalLabel(1, 3, "Extremadura");  // stored as its first 10 characters
    t.SetNominalLabel(1, 4, "Ñu");
    t.SetNominalLabel(1, 5, "male");
    t.SetNominalLabel(1, 6, "MALE");
    EXPECT_EQ(t.GetNominalLabel(1, 3), "Extremadur");
    EXPECT_EQ(t.FindNominalLabel(1, "Extremadura larga", false), 3);
    EXPECT_EQ(t.FindNominalLabel(1, "EXTREMADURA", false), 0);
    EXPECT_EQ(t.FindNominalLabel(1, "EXTREMADURA", true), 3);
    EXPECT_EQ(t.FindNominalLabel(1, "MALE", false), 6);
    EXPECT_EQ(t.FindNominalLabel(1, "MALE", true), 5);
    EXPECT_EQ(t.FindNominalLabel(1, "ñu", true), 0);  // only a-z fold
    EXPECT_EQ(t.FindNominalLabel(1, "Ñu", true), 4);
    EXPECT_EQ(t.FindNominalLabel(1, "", true), 0);
    EXPECT_EQ(t.FindNominalLabel(2, "male", true), 0);
    EXPECT_EQ(t.GetNominalLabel(1, 0), "");
    EXPECT_EQ(t.GetNominalLabel(1, 26), "");
}

// ---------------------------------------------------------------- clear and insert

TEST_F(TDataTableTest, ClearRestoresDefaultsAndFiresOnce)
{
    t.Resize(2, 2);
    t.SetColName(1, "x");
    t.SetRowName(2, "y");
    t.SetScaleLevel(2, slNominal);
    t.SetNominalLabel(2, 1, "a");
    t.SetMark(2, 2, 3);
    t.SetRowAttrib(1, 5);
    t.SetColAttrib(1, 6);
    t.SetComment("note");
    t.SetElem(2, 1, 8);
    ResetCounts();
    t.Clear();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(t.GetColName(1), "C-1");
    EXPECT_EQ(t.GetRowName(2), "R-2");
    EXPECT_EQ(t.GetScaleLevel(2), slInterval);
    t.SetScaleLevel(2, slNominal);
    EXPECT_EQ(t.GetNominalLabel(2, 1), "");
    EXPECT_EQ(t.GetMark(2, 2), 0);
    EXPECT_EQ(t.GetRowAttrib(1), 0);
    EXPECT_EQ(t.GetColAttrib(1), 0);
    EXPECT_EQ(t.Comment(), "");
    EXPECT_EQ(t.GetElem(2, 1), 0.0);
}

TEST_F(TDataTableTest, InsertRowMovesLaterRowsDown)
{
    t.Resize(2, 3);
    for (int r = 1; r <= 3; ++r) {
        t.SetRowName(r, "row" + std::to_string(r));
        t.SetRowAttrib(r, static_cast<std::uint8_t>(10 * r));
        t.SetElem(1, r, r);
        t.SetElem(2, r, 100 + r);
    }
    t.SetMark(2, 2, 64);
    ResetCounts();
    t.InsertRow(2);
    EXPECT_EQ(t.NrOfRows(), 4);
    ASSERT_EQ(resizes.size(), 1u);
    EXPECT_EQ(resizes[0], std::make_tuple(2, 3, 2, 4));
    EXPECT_EQ(t.GetRowName(1), "row1");
    EXPECT_EQ(t.GetRowName(2), "");
    EXPECT_EQ(t.GetRowName(3), "row2");
    EXPECT_EQ(t.GetRowName(4), "row3");
    EXPECT_EQ(t.GetRowAttrib(2), 0);
    EXPECT_EQ(t.GetRowAttrib(3), 20);
    EXPECT_EQ(t.GetElem(1, 2), 0.0);
    EXPECT_EQ(t.GetElem(2, 3), 102.0);
    EXPECT_EQ(t.GetElem(1, 4), 3.0);
    EXPECT_EQ(t.GetMark(2, 2), 0);
    EXPECT_EQ(t.GetMark(2, 3), 64);
    // Two rows moved and one cleared, two cells each, then one more.
    EXPECT_EQ(changes, 3 * 2 + 1);
    // Name and attribute per row written; marks 64 moved to row 3, cleared on row 2.
    EXPECT_EQ(setupChanges, 3 * 2 + 2);
}

TEST_F(TDataTableTest, InsertRowAtTheEndAppendsAnEmptyRow)
{
    t.Resize(1, 2);
    t.SetElem(1, 2, 5);
    t.InsertRow(3);
    EXPECT_EQ(t.NrOfRows(), 3);
    EXPECT_EQ(t.GetRowName(3), "");
    EXPECT_EQ(t.GetElem(1, 3), 0.0);
    EXPECT_EQ(t.GetElem(1, 2), 5.0);
    ResetCounts();
    t.InsertRow(0);
    t.InsertRow(5);
    EXPECT_EQ(t.NrOfRows(), 3);
    EXPECT_EQ(changes + setupChanges, 0);
}

TEST_F(TDataTableTest, InsertRowKeepsStoredValuesOfNominalColumns)
{
    t.Resize(1, 1);
    t.SetScaleLevel(1, slNominal);
    t.SetElem(1, 1, 2.6);
    t.InsertRow(1);
    EXPECT_EQ(t.Matrix().GetElem(1, 2), 2.6);
    EXPECT_EQ(t.GetElem(1, 2), 3.0);
}

TEST_F(TDataTableTest, InsertRowIntoAnEmptyTable)
{
    t.Resize(2, 0);
    t.InsertRow(1);
    EXPECT_EQ(t.NrOfRows(), 1);
    EXPECT_EQ(t.GetRowName(1), "");
}

TEST_F(TDataTableTest, StorageResizedDirectlyLeavesTheTableSafe)
{
    t.Resize(2, 2);
    t.SetMark(2, 2, 1);
    t.Matrix().Resize(4, 5);
    EXPECT_EQ(t.GetMark(4, 5), 0);
    t.SetMark(4, 5, 1);
    t.SetRowName(5, "x");
    t.SetColAttrib(4, 1);
    EXPECT_EQ(t.GetRowName(5), "");
    EXPECT_EQ(t.GetColAttrib(4), 0);
    EXPECT_EQ(t.GetElem(4, 5), 0.0);
    t.Matrix().OnSortExchange(1, 1, 4, 1, 5);
    t.Matrix().OnSortExchange(0, 2, 5, 1, 4);
    t.ClearUpperMarkBits();
    EXPECT_EQ(t.GetMark(2, 2), 1);
    // A size set through the table brings every array along again.
    t.Resize(4, 6);
    t.SetMark(4, 6, 2);
    EXPECT_EQ(t.GetMark(4, 6), 2);
    EXPECT_EQ(t.GetRowName(5), "R-5");
}

// ---------------------------------------------------------------- exchanges in the storage

TEST_F(TDataTableTest, ColumnExchangeMovesMarksAndOptionallyNames)
{
    t.Resize(2, 3);
    t.SetColName(1, "a");
    t.SetColName(2, "b");
    t.SetColAttrib(1, 1);
    t.SetScaleLevel(2, slNominal);
    t.SetMark(1, 1, 1);
    t.SetMark(1, 3, 3);
    std::vector<std::tuple<int, int, int, int, int>> relayed;
    t.OnSortExchange = [&](std::uint8_t w, int a, int b, int f, int l) { relayed.emplace_back(w, a, b, f, l); };

    t.Matrix().OnSortExchange(1, 1, 2, 1, 2);  // marks of rows 1..2 only
    EXPECT_EQ(t.GetMark(2, 1), 1);
    EXPECT_EQ(t.GetMark(1, 1), 0);
    EXPECT_EQ(t.GetMark(1, 3), 3);
    EXPECT_EQ(t.GetColName(1), "a");
    ASSERT_EQ(relayed.size(), 1u);
    EXPECT_EQ(relayed[0], std::make_tuple(1, 1, 2, 1, 2));

    t.SetNamesMove(true);
    t.Matrix().OnSortExchange(1, 1, 2, 1, 99);
    EXPECT_EQ(t.GetColName(1), "b");
    EXPECT_EQ(t.GetColAttrib(2), 1);
    EXPECT_EQ(t.GetScaleLevel(1), slNominal);
    EXPECT_EQ(t.GetMark(2, 3), 3);
}

TEST_F(TDataTableTest, RowExchangeMovesMarksAndOptionallyNames)
{
    t.Resize(3, 2);
    t.SetRowName(1, "p");
    t.SetRowName(2, "q");
    t.SetRowAttrib(2, 7);
    t.SetMark(3, 1, 2);
    t.SetNamesMove(true);
    t.Matrix().OnSortExchange(0, 1, 2, 3, 3);
    EXPECT_EQ(t.GetRowName(1), "q");
    EXPECT_EQ(t.GetRowAttrib(1), 7);
    EXPECT_EQ(t.GetMark(3, 2), 2);
    t.Matrix().OnSortExchange(0, 1, 5, 1, 3);  // no row 5: nothing moves
    EXPECT_EQ(t.GetRowName(1), "q");
}
