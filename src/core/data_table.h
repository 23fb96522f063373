#pragma once
// Table of doubles behind the numeric table editor: named columns and rows,
// a measurement scale level and category labels per column, an attribute per
// row and column, a mark byte per cell and a free comment. Columns and rows
// are 1-based; reads outside the table give 0 or an empty text, writes there
// are ignored.
#include "core/numeric_matrix.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum TScaleLevel : std::uint8_t { slUnknown = 0, slNominal = 1, slOrdinal = 2, slInterval = 3, slRatio = 4 };
// "Unknown", "Nominal", "Ordinal", "Interval", "Ratio"; empty for other levels.
std::string_view ScaleLevelText(std::uint8_t level);

using TDataTableResizeEvent =
    std::function<void(int oldColumns, int oldRows, int newColumns, int newRows)>;

class TDataTable {
public:
    static constexpr std::size_t kMaxNameLength = 50;
    static constexpr int kNrOfLabels = 25;
    static constexpr std::size_t kMaxLabelLength = 10;

    TDataTable();
    TDataTable(const TDataTable&) = delete;
    TDataTable& operator=(const TDataTable&) = delete;

    const std::string& Name() const { return m_name; }
    void SetName(std::string name) { m_name = std::move(name); }

    // Sizes (negative counts as 0). A change keeps the overlapping part; new
    // columns and rows get default names, level Interval and zeros; OnResize
    // follows.
    int NrOfColumns() const { return m_matrix->NrOfColumns(); }
    void SetNrOfColumns(int columns);
    int NrOfRows() const { return m_matrix->NrOfRows(); }
    void SetNrOfRows(int rows);
    void Resize(int columns, int rows);

    // Defaults everywhere: names, Interval, no labels, marks, attributes,
    // comment, values.
    void Clear();
    // An empty row at r (1..NrOfRows + 1); rows from r on move down.
    void InsertRow(int r);

    // Whole numbers (halves to even) in Nominal and Ordinal columns.
    double GetElem(int col, int row) const;
    void SetElem(int col, int row, double v);

    std::uint8_t GetMark(int col, int row) const;
    void SetMark(int col, int row, std::uint8_t mark);
    // Neither of the two low mark bits set.
    bool IsUnmarked(int col, int row) const;
    // Clears bits 6 and 7 of every mark.
    void ClearUpperMarkBits();

    // Names are cut to 50 characters.
    std::string GetColName(int col) const;
    void SetColName(int col, std::string_view name);
    std::string GetRowName(int row) const;
    void SetRowName(int row, std::string_view name);

    std::uint8_t GetRowAttrib(int row) const;
    void SetRowAttrib(int row, std::uint8_t attrib);
    std::uint8_t GetColAttrib(int col) const;
    void SetColAttrib(int col, std::uint8_t attrib);

    std::uint8_t GetScaleLevel(int col) const;
    void SetScaleLevel(int col, std::uint8_t level);
    // Label i (1..25) of a Nominal or Ordinal column, else empty.
    std::string GetNominalLabel(int col, int i) const;
    // Labels are cut to 10 characters.
    void SetNominalLabel(int col, int i, std::string_view label);
    // 1-based index of the first label equal to text (cut to 10 characters),
    // ASCII letters folded when ignoreCase; 0 when none matches, when text is
    // empty or when the column is neither Nominal nor Ordinal.
    int FindNominalLabel(int col, std::string_view text, bool ignoreCase) const;

    const std::string& Comment() const { return m_comment; }
    // Characters below 32 are removed.
    void SetComment(std::string_view comment);

    // When set, exchanges of columns or rows in the storage also move their
    // names and attributes.
    bool NamesMove() const { return m_namesMove; }
    void SetNamesMove(bool on) { m_namesMove = on; }

    // The cell storage, owned by the table.
    TMatrix& Matrix() { return *m_matrix; }
    const TMatrix& Matrix() const { return *m_matrix; }

    std::function<void()> OnChange;
    std::function<void()> OnChangeSetup;
    TDataTableResizeEvent OnResize;
    TSortExchgEvent OnSortExchange;

private:
    struct TColumnScale {
        std::uint8_t level = slInterval;
        std::array<std::string, kNrOfLabels> labels;
    };

    // Columns and rows that both the storage and the per-item arrays hold; the
    // two differ only when the storage was resized directly.
    int Columns() const { return std::min(NrOfColumns(), static_cast<int>(m_colNames.size())); }
    int Rows() const { return std::min(NrOfRows(), static_cast<int>(m_rowNames.size())); }
    bool ColInside(int col) const { return col >= 1 && col <= Columns(); }
    bool RowInside(int row) const { return row >= 1 && row <= Rows(); }
    bool HasLabels(int col) const;
    void ChangedSetup();
    void AttachStorage();
    void ResizeAll(int columns, int rows);
    void ExchangeItems(std::uint8_t exchgWhat, int index1, int index2, int first, int last);

    std::string m_name;
    std::unique_ptr<TMatrix> m_matrix;
    std::string m_comment;
    std::vector<std::string> m_colNames;
    std::vector<std::string> m_rowNames;
    std::vector<std::uint8_t> m_colAttribs;
    std::vector<std::uint8_t> m_rowAttribs;
    std::vector<TColumnScale> m_scales;
    std::vector<std::vector<std::uint8_t>> m_marks;  // [column][row]
    bool m_namesMove = false;
    bool m_relaySuspended = false;
};
