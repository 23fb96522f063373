#pragma once
// The text grid of the statistics frame: a read-only string grid whose cells
// the statistics pages write through TStatGrid. Cells keep their texts as
// written (numbers come padded to their width), drawn from the cell's left;
// a column grows to the widest text written into it, so none is cut.
#include <map>
#include <string>
#include <utility>

#include "core/statistics_grid.h"
#include "platform/custom_grid.h"

class QFontMetrics;

class TStatStringGrid : public platform::TCustomGrid, public TStatGrid {
public:
    explicit TStatStringGrid(QWidget* Parent = nullptr);

    // TStatGrid. A text may be written before the size that shows it is set;
    // texts outside the size are kept but not drawn.
    void Clear() override;
    void SetSize(int Cols, int Rows) override;
    void SetColWidth(int Col, int Pixels) override { SetColWidths(Col, Pixels); }
    void SetCell(int Col, int Row, const std::string& Text) override;

    // Empty outside the grid or for a cell never written.
    std::string Cells(int Col, int Row) const;
    // Last row holding a text; -1 when none.
    int LastWrittenRow() const;
    int WrittenCellCount() const { return static_cast<int>(m_cells.size()); }

protected:
    void DrawCell(int Col, int Row, const platform::Rect& R, unsigned State) override;
    void ColWidthsChanged() override {}

private:
    void FitColumn(int Col, const std::string& Text, const QFontMetrics& Metrics);

    std::map<std::pair<int, int>, std::string> m_cells;  // (col, row) -> text
};
