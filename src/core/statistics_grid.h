#pragma once
// Text grid the statistics pages write their results into, and the texts
// they write: numbers right-aligned in fixed point, an undefined figure as a
// right-aligned "-", centred headings, names in capitals. The statistics
// frame binds the interface to its string grid; TStatTextTable keeps the
// texts in memory.
#include <map>
#include <string>
#include <string_view>
#include <utility>

class TStatGrid {
public:
    virtual ~TStatGrid() = default;
    // Empties every cell.
    virtual void Clear() = 0;
    virtual void SetSize(int cols, int rows) = 0;
    virtual void SetColWidth(int col, int pixels) = 0;
    // 0-based column and row, as in the string grid.
    virtual void SetCell(int col, int row, const std::string& text) = 0;
};

// In-memory grid: cells outside the size are kept too, so a writer that
// writes past the size it set is caught by InsideSize().
class TStatTextTable : public TStatGrid {
public:
    void Clear() override { m_cells.clear(); }
    void SetSize(int cols, int rows) override;
    void SetColWidth(int col, int pixels) override { m_widths[col] = pixels; }
    void SetCell(int col, int row, const std::string& text) override;

    int ColCount() const { return m_cols; }
    int RowCount() const { return m_rows; }
    // Empty for a cell never written.
    std::string Cell(int col, int row) const;
    int ColWidth(int col) const;
    // Last row holding a non-empty text; -1 when none.
    int LastRow() const;
    bool InsideSize() const;
    const std::map<std::pair<int, int>, std::string>& Cells() const { return m_cells; }

private:
    std::map<std::pair<int, int>, std::string> m_cells;  // (col, row) -> text
    std::map<int, int> m_widths;
    int m_cols = 0;
    int m_rows = 0;
};

// Layout constants of the statistics texts.
constexpr int kStatNumberWidth = 6;
constexpr int kStatDecimals = 3;
constexpr int kStatCenterWidth = 20;
constexpr int kStatFirstRow = 1;
constexpr int kStatFirstCol = 1;

// Fixed point with the given decimals, left-padded to at least width
// characters; "-" right-aligned in width when v is NaN or infinite.
std::string StatNumber(double v, int width = kStatNumberWidth, int decimals = kStatDecimals);
// "-" right-aligned in width.
std::string StatDash(int width = kStatNumberWidth);
// Plain decimal text of an integer.
std::string StatInt(long long v);
// Padded with blanks to kStatCenterWidth characters (odd blank on the right).
std::string StatCentred(std::string_view s);
// ASCII a..z raised to A..Z; every other byte as it is.
std::string StatUpper(std::string_view s);
