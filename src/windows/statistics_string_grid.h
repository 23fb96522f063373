#pragma once
// The text grid of the statistics frame: a read-only string grid whose cells
// the statistics pages write through TStatGrid. Cells keep their texts as
// written (numbers come padded to their width), drawn from the cell's left.
#include <string>
#include <vector>

#include "core/statistics_grid.h"
#include "platform/custom_grid.h"

class TStatStringGrid : public platform::TCustomGrid, public TStatGrid {
public:
    explicit TStatStringGrid(QWidget* Parent = nullptr);

    // TStatGrid; cells outside the size are dropped.
    void Clear() override;
    void SetSize(int Cols, int Rows) override;
    void SetColWidth(int Col, int Pixels) override { SetColWidths(Col, Pixels); }
    void SetCell(int Col, int Row, const std::string& Text) override;

    // Empty outside the grid or for a cell never written.
    std::string Cells(int Col, int Row) const;
    // Rows holding at least one non-empty text.
    int WrittenRowCount() const;

protected:
    void DrawCell(int Col, int Row, const platform::Rect& R, unsigned State) override;
    void ColWidthsChanged() override {}

private:
    void FitCells();

    std::vector<std::vector<std::string>> m_cells;  // [row][col]
};
