#include "core/numeric_matrix.h"

#include "core/component_errors.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

[[noreturn]] void ThrowNoMemory(const std::string& name)
{
    throw ERukMatrixError(ComponentMessage(name, kNotEnoughMemoryOnHeap));
}

}  // namespace

TMatrix::TMatrix()
{
    try {
        m_cells.assign(1, std::vector<double>(1, 0.0));
    } catch (const std::bad_alloc&) {
        ThrowNoMemory(m_name);
    }
}

void TMatrix::Changed()
{
    if (OnChange)
        OnChange();
}

bool TMatrix::Resize(int columns, int rows)
{
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    const auto storedCols = static_cast<std::size_t>(std::max(columns, 1));
    const auto storedRows = static_cast<std::size_t>(std::max(rows, 1));
    if (storedRows > std::numeric_limits<std::ptrdiff_t>::max() / sizeof(double) / storedCols)
        ThrowNoMemory(m_name);

    // Built apart and swapped in, so a failure leaves the matrix as it was.
    std::vector<std::vector<double>> cells;
    try {
        cells.resize(storedCols);
        // by the stored sizes: a zero size hides its cell without clearing it
        const std::size_t keptCols = std::min(storedCols, m_cells.size());
        const std::size_t keptRows = std::min(storedRows, m_cells[0].size());
        for (std::size_t c = 0; c < storedCols; ++c) {
            cells[c].assign(storedRows, 0.0);
            if (c < keptCols)
                std::copy_n(m_cells[c].begin(), keptRows, cells[c].begin());
        }
    } catch (const std::bad_alloc&) {
        ThrowNoMemory(m_name);
    } catch (const std::length_error&) {
        ThrowNoMemory(m_name);
    }
    m_cells.swap(cells);
    m_columns = columns;
    m_rows = rows;
    Changed();
    return true;
}

double TMatrix::GetElem(int col, int row) const
{
    if (!Inside(col, row))
        return 0;
    return m_cells[static_cast<std::size_t>(col - 1)][static_cast<std::size_t>(row - 1)];
}

void TMatrix::SetElem(int col, int row, double v)
{
    if (!Inside(col, row))
        return;
    m_cells[static_cast<std::size_t>(col - 1)][static_cast<std::size_t>(row - 1)] = v;
    Changed();
}

void TMatrix::Fill(double v)
{
    for (auto& column : m_cells)
        std::fill(column.begin(), column.end(), v);
    Changed();
}
