#include "core/statistics_grid.h"

#include "core/component_strings.h"
#include "core/number_format.h"

#include <cmath>

void TStatTextTable::SetSize(int cols, int rows)
{
    m_cols = cols;
    m_rows = rows;
}

void TStatTextTable::SetCell(int col, int row, const std::string& text)
{
    if (text.empty())
        m_cells.erase({col, row});
    else
        m_cells[{col, row}] = text;
}

std::string TStatTextTable::Cell(int col, int row) const
{
    const auto it = m_cells.find({col, row});
    return it == m_cells.end() ? std::string() : it->second;
}

int TStatTextTable::ColWidth(int col) const
{
    const auto it = m_widths.find(col);
    return it == m_widths.end() ? 0 : it->second;
}

int TStatTextTable::LastRow() const
{
    int last = -1;
    for (const auto& [pos, text] : m_cells)
        if (pos.second > last)
            last = pos.second;
    return last;
}

bool TStatTextTable::InsideSize() const
{
    for (const auto& [pos, text] : m_cells)
        if (pos.first < 0 || pos.first >= m_cols || pos.second < 0 || pos.second >= m_rows)
            return false;
    return true;
}

std::string StatDash(int width)
{
    return width > 1 ? std::string(static_cast<std::size_t>(width - 1), ' ') + "-" : std::string("-");
}

std::string StatNumber(double v, int width, int decimals)
{
    if (!std::isfinite(v))
        return StatDash(width);
    std::string pattern = "0";
    if (decimals > 0)
        pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    std::string text = FormatFloat(pattern, v);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string StatInt(long long v)
{
    return std::to_string(v);
}

std::string StatCentred(std::string_view s)
{
    return CenterString(s, kStatCenterWidth);
}

std::string StatUpper(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}
