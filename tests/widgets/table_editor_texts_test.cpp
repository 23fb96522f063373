#include "widgets/table_editor_texts.h"

#include <gtest/gtest.h>

// Expected texts written out by hand from the field rules: sign position,
// digits, point, decimals; exponent forms with four digits cut to two.

TEST(TableEditorFormatNumber, FixedFieldsAreRightAligned)
{
    EXPECT_EQ(FormatNumber(1, 3, 3.5), "3.500");
    EXPECT_EQ(FormatNumber(8, 2, 3.14159), "    3.14");
    EXPECT_EQ(FormatNumber(1, 0, 42.0), "42");
    EXPECT_EQ(FormatNumber(1, 1, -2.25), "-2.3");
}

TEST(TableEditorFormatNumber, NegativeWidthPadsWithZerosAfterTheSign)
{
    EXPECT_EQ(FormatNumber(-6, 2, 1.5), "001.50");
    EXPECT_EQ(FormatNumber(-6, 2, -1.5), "-01.50");
}

TEST(TableEditorFormatNumber, ExponentFormHasASignPositionAndFourExponentDigits)
{
    EXPECT_EQ(FormatNumber(22, -1, 1.5), " 1.5000000000000E+0000");
    EXPECT_EQ(FormatNumber(22, -1, -1234.5), "-1.2345000000000E+0003");
    // narrower than the form needs: one decimal at least
    EXPECT_EQ(FormatNumber(1, -1, 2.5), " 2.5E+0000");
}

TEST(TableEditorFormatNumber, ShortExponentFormCutsTheExponentOrShowsStars)
{
    EXPECT_EQ(FormatNumber(7, -2, 1234567890.0), " 1.2E+09");
    EXPECT_EQ(FormatNumber(7, -2, 1e100), "********");
}

struct CellCase {
    int decimals;
    double value;
    const char* text;
};

class TableEditorFormatCellNumber : public ::testing::TestWithParam<CellCase> {};

TEST_P(TableEditorFormatCellNumber, FixedInsideTheLimitsElseExponent)
{
    const CellCase& c = GetParam();
    EXPECT_EQ(FormatCellNumber(1, c.decimals, c.value), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TableEditorFormatCellNumber,
    ::testing::Values(CellCase{0, 1234567890.0, " 1.2E+09"}, CellCase{1, 0.05, " 5.0E-02"},
                      CellCase{3, 0.0, "0.000"}, CellCase{0, 1e100, "********"},
                      CellCase{0, 999999999.0, "999999999"}, CellCase{0, 1e9, " 1.0E+09"},
                      CellCase{0, 0.5, " 5.0E-01"}, CellCase{1, 9999999.9, "9999999.9"},
                      CellCase{1, 10000000.0, " 1.0E+07"}, CellCase{1, -2.5, "-2.5"},
                      CellCase{8, 0.99999999, "0.99999999"}, CellCase{8, 1.0, " 1.0E+00"},
                      CellCase{8, 1e-8, "0.00000001"}, CellCase{8, 9e-9, " 9.0E-09"},
                      CellCase{-1, 2.5, " 2.5E+00"}, CellCase{9, 2.5, " 2.5E+00"},
                      CellCase{10, -2.5, "-2.5E+00"}));

TEST(TableEditorTextRoutines, SubstituteAndTrim)
{
    EXPECT_EQ(SubstituteChar("3,5,1", ',', '.'), "3.5.1");
    EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(TrimBlanks("   "), "");
}

namespace {
std::optional<double> Scan(std::string_view text, std::size_t& pos, int mode = dsEither)
{
    return ScanNumber(text, true, mode, pos);
}
}  // namespace

TEST(TableEditorScanNumber, ReadsSignedDecimalsWithEitherSeparator)
{
    std::size_t pos = 0;
    EXPECT_EQ(Scan("  -1,5 ", pos), -1.5);
    EXPECT_EQ(pos, 6u);
    pos = 0;
    EXPECT_EQ(Scan("5.", pos), 5.0);
    pos = 0;
    EXPECT_EQ(Scan(".25;", pos), 0.25);
    EXPECT_EQ(pos, 3u);
    pos = 0;
    EXPECT_FALSE(Scan("1,5", pos, dsPoint) == 1.5);
}

TEST(TableEditorScanNumber, OnlyACapitalEStartsAnExponent)
{
    std::size_t pos = 0;
    EXPECT_EQ(Scan("1E3 ", pos), 1000.0);
    pos = 0;
    EXPECT_EQ(Scan("1e3 ", pos), 1.0);
    EXPECT_EQ(pos, 1u);
}

TEST(TableEditorScanNumber, DanglingExponentEndsTheNumberBeforeIt)
{
    std::size_t pos = 0;
    EXPECT_EQ(Scan("2E ", pos), 2.0);
    EXPECT_EQ(pos, 1u);
    pos = 0;
    EXPECT_EQ(Scan("1E+", pos), 1.0);
    EXPECT_EQ(pos, 1u);
    pos = 0;
    EXPECT_EQ(Scan("1.5E-x", pos), 1.5);
    EXPECT_EQ(pos, 3u);
}

TEST(TableEditorScanNumber, TextThatIsNoNumberGivesNothingAndMovesOn)
{
    for (const char* text : {"-", ".", "+ 1", "inf", "nan", "1.2.3 4"}) {
        std::size_t pos = 0;
        EXPECT_FALSE(Scan(text, pos).has_value()) << text;
        EXPECT_GT(pos, 0u) << text;
    }
    std::size_t pos = 0;
    Scan("1.2.3 4", pos);
    EXPECT_EQ(pos, 5u);  // the whole token
}

TEST(TableEditorScanNumber, HexIsReadAsDecimalDigitsOnly)
{
    std::size_t pos = 0;
    EXPECT_EQ(Scan("0x1A", pos), 0.0);
    EXPECT_EQ(pos, 1u);
}

TEST(TableEditorScanNumber, HugeExponentsAreClamped)
{
    std::size_t pos = 0;
    EXPECT_EQ(Scan("1E99999", pos), 1.7e308);
    EXPECT_EQ(pos, 7u);
    pos = 0;
    EXPECT_EQ(Scan("-1E400", pos), -1.7e308);
    pos = 0;
    EXPECT_EQ(Scan("1E-99999", pos), 0.0);
    pos = 0;
    EXPECT_EQ(Scan("2E308", pos), 1.7e308);
}
