#include "windows/statistics_string_grid.h"

#include <QFontMetrics>
#include <QString>

#include <algorithm>

#include "platform/qt_drawing_device.h"

TStatStringGrid::TStatStringGrid(QWidget* Parent) : platform::TCustomGrid(Parent)
{
    SetFixedCols(0);
    SetFixedRows(1);
    SetColor(clWhite);
}

void TStatStringGrid::Clear()
{
    if (m_cells.empty())
        return;
    m_cells.clear();
    Invalidate();
}

void TStatStringGrid::SetSize(int Cols, int Rows)
{
    if (Cols < 1 || Rows < 1)
        return;
    // a row below the fixed one always remains
    if (Rows <= FixedRows())
        Rows = FixedRows() + 1;
    SetColCount(Cols);
    SetRowCount(Rows);
    const QFontMetrics metrics(platform::ToQFont(Font()));
    for (const auto& [pos, text] : m_cells)
        if (pos.first < Cols && pos.second < Rows)
            FitColumn(pos.first, text, metrics);
    Invalidate();
}

void TStatStringGrid::SetCell(int Col, int Row, const std::string& Text)
{
    if (Col < 0 || Row < 0)
        return;
    const auto key = std::make_pair(Col, Row);
    const auto it = m_cells.find(key);
    if (Text.empty()) {
        if (it == m_cells.end())
            return;
        m_cells.erase(it);
    } else {
        if (it != m_cells.end() && it->second == Text)
            return;
        m_cells[key] = Text;
    }
    if (Col < ColCount() && Row < RowCount()) {
        FitColumn(Col, Text, QFontMetrics(platform::ToQFont(Font())));
        InvalidateCell(Col, Row);
    }
}

void TStatStringGrid::FitColumn(int Col, const std::string& Text, const QFontMetrics& Metrics)
{
    // the text starts 2 pixels into its cell and keeps 4 free at its end
    const int needed = Metrics.horizontalAdvance(QString::fromStdString(Text)) + 6;
    if (needed > ColWidths(Col))
        SetColWidths(Col, needed);
}

std::string TStatStringGrid::Cells(int Col, int Row) const
{
    const auto it = m_cells.find({Col, Row});
    return it == m_cells.end() ? std::string() : it->second;
}

int TStatStringGrid::LastWrittenRow() const
{
    int last = -1;
    for (const auto& [pos, text] : m_cells)
        last = std::max(last, pos.second);
    return last;
}

void TStatStringGrid::DrawCell(int Col, int Row, const platform::Rect& R, unsigned)
{
    const auto it = m_cells.find({Col, Row});
    if (it == m_cells.end())
        return;
    Canvas().ExtTextOut(R.left + 2, R.top + 2, platform::TextOutOptions::Clipped, &R, it->second);
}
