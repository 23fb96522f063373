#include "windows/statistics_string_grid.h"

TStatStringGrid::TStatStringGrid(QWidget* Parent) : platform::TCustomGrid(Parent)
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetColor(clWhite);
    FitCells();
}

void TStatStringGrid::FitCells()
{
    m_cells.resize(static_cast<std::size_t>(RowCount()));
    for (auto& row : m_cells)
        row.resize(static_cast<std::size_t>(ColCount()));
}

void TStatStringGrid::Clear()
{
    for (auto& row : m_cells)
        for (std::string& text : row)
            text.clear();
    Invalidate();
}

void TStatStringGrid::SetSize(int Cols, int Rows)
{
    if (Cols < 1 || Rows < 1)
        return;
    // the fixed row stays below the row count
    if (Rows <= FixedRows())
        Rows = FixedRows() + 1;
    SetColCount(Cols);
    SetRowCount(Rows);
    FitCells();
    Invalidate();
}

void TStatStringGrid::SetCell(int Col, int Row, const std::string& Text)
{
    if (Row < 0 || Row >= static_cast<int>(m_cells.size()))
        return;
    auto& row = m_cells[static_cast<std::size_t>(Row)];
    if (Col < 0 || Col >= static_cast<int>(row.size()))
        return;
    if (row[static_cast<std::size_t>(Col)] == Text)
        return;
    row[static_cast<std::size_t>(Col)] = Text;
    InvalidateCell(Col, Row);
}

std::string TStatStringGrid::Cells(int Col, int Row) const
{
    if (Row < 0 || Row >= static_cast<int>(m_cells.size()))
        return {};
    const auto& row = m_cells[static_cast<std::size_t>(Row)];
    if (Col < 0 || Col >= static_cast<int>(row.size()))
        return {};
    return row[static_cast<std::size_t>(Col)];
}

int TStatStringGrid::WrittenRowCount() const
{
    int count = 0;
    for (const auto& row : m_cells)
        for (const std::string& text : row)
            if (!text.empty()) {
                ++count;
                break;
            }
    return count;
}

void TStatStringGrid::DrawCell(int Col, int Row, const platform::Rect& R, unsigned)
{
    const std::string text = Cells(Col, Row);
    if (text.empty())
        return;
    platform::DrawingDevice& dc = Canvas();
    dc.ExtTextOut(R.left + 2, R.top + 2, platform::TextOutOptions::Clipped, &R, text);
}
