#include "core/data_table.h"

#include "base/basic_types.h"
#include "core/component_errors.h"
#include "core/component_strings.h"
#include "base/name_matching.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

std::string DefaultName(char prefix, std::size_t index0)
{
    return std::string(1, prefix) + "-" + std::to_string(index0 + 1);
}

std::size_t Index(int oneBased)
{
    return static_cast<std::size_t>(oneBased - 1);
}

// Kept items of old, then defaults for the rest, up to n.
template <typename T, typename MakeNew>
std::vector<T> Resized(const std::vector<T>& old, std::size_t n, MakeNew makeNew)
{
    std::vector<T> out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(i < old.size() ? old[i] : makeNew(i));
    return out;
}

}  // namespace

std::string_view ScaleLevelText(std::uint8_t level)
{
    switch (level) {
    case slUnknown: return "Unknown";
    case slNominal: return "Nominal";
    case slOrdinal: return "Ordinal";
    case slInterval: return "Interval";
    case slRatio: return "Ratio";
    default: return {};
    }
}

TDataTable::TDataTable()
{
    try {
        m_matrix = std::make_unique<TMatrix>();
        m_colNames.assign(1, DefaultName('C', 0));
        m_rowNames.assign(1, DefaultName('R', 0));
        m_colAttribs.assign(1, 0);
        m_rowAttribs.assign(1, 0);
        m_scales.assign(1, TColumnScale{});
        m_marks.assign(1, std::vector<std::uint8_t>(1, 0));
    } catch (const std::bad_alloc&) {
        throw ERukDataTableError(ComponentMessage(m_name, kFailedToInitialize));
    } catch (const ERukMatrixError&) {
        throw ERukDataTableError(ComponentMessage(m_name, kFailedToInitialize));
    }
    AttachStorage();
}

void TDataTable::AttachStorage()
{
    m_matrix->OnChange = [this] {
        if (!m_relaySuspended && OnChange)
            OnChange();
    };
    m_matrix->OnSortExchange = [this](std::uint8_t what, int i1, int i2, int first, int last) {
        ExchangeItems(what, i1, i2, first, last);
    };
}

void TDataTable::ChangedSetup()
{
    if (OnChangeSetup)
        OnChangeSetup();
}

// ---------------------------------------------------------------- sizes

void TDataTable::ResizeAll(int columns, int rows)
{
    const int oldColumns = NrOfColumns();
    const int oldRows = NrOfRows();
    const auto nc = static_cast<std::size_t>(columns);
    const auto nr = static_cast<std::size_t>(rows);
    // Cells take 8 bytes of value and 1 of mark.
    if (nc != 0 && std::max<std::size_t>(nr, 1) >
                       static_cast<std::size_t>(std::numeric_limits<std::ptrdiff_t>::max()) / 9 / nc)
        throw ERukDataTableError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));

    // Everything is built apart first, so a failure leaves the table as it was.
    std::vector<std::string> colNames, rowNames;
    std::vector<std::uint8_t> colAttribs, rowAttribs;
    std::vector<TColumnScale> scales;
    std::vector<std::vector<std::uint8_t>> marks;
    try {
        colNames = Resized(m_colNames, nc, [](std::size_t i) { return DefaultName('C', i); });
        rowNames = Resized(m_rowNames, nr, [](std::size_t i) { return DefaultName('R', i); });
        colAttribs = Resized(m_colAttribs, nc, [](std::size_t) { return std::uint8_t{0}; });
        rowAttribs = Resized(m_rowAttribs, nr, [](std::size_t) { return std::uint8_t{0}; });
        scales = Resized(m_scales, nc, [](std::size_t) { return TColumnScale{}; });
        marks.resize(nc);
        for (std::size_t c = 0; c < nc; ++c) {
            marks[c].assign(nr, 0);
            if (c < m_marks.size())
                std::copy_n(m_marks[c].begin(), std::min(nr, m_marks[c].size()), marks[c].begin());
        }
        m_relaySuspended = true;
        m_matrix->Resize(columns, rows);
        // the storage keeps the cells a size of 0 hid; here they come back as new
        if (oldRows == 0)
            for (int c = 1; c <= columns; ++c)
                m_matrix->SetElem(c, 1, 0);
        if (oldColumns == 0)
            for (int r = 1; r <= rows; ++r)
                m_matrix->SetElem(1, r, 0);
        m_relaySuspended = false;
    } catch (const std::bad_alloc&) {
        m_relaySuspended = false;
        throw ERukDataTableError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
    } catch (const std::length_error&) {
        m_relaySuspended = false;
        throw ERukDataTableError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
    } catch (const ERukMatrixError&) {
        m_relaySuspended = false;
        throw ERukDataTableError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
    }
    m_colNames.swap(colNames);
    m_rowNames.swap(rowNames);
    m_colAttribs.swap(colAttribs);
    m_rowAttribs.swap(rowAttribs);
    m_scales.swap(scales);
    m_marks.swap(marks);
    if (OnResize)
        OnResize(oldColumns, oldRows, columns, rows);
}

void TDataTable::SetNrOfColumns(int columns)
{
    columns = std::max(columns, 0);
    if (columns != NrOfColumns())
        ResizeAll(columns, NrOfRows());
}

void TDataTable::SetNrOfRows(int rows)
{
    rows = std::max(rows, 0);
    if (rows != NrOfRows())
        ResizeAll(NrOfColumns(), rows);
}

void TDataTable::Resize(int columns, int rows)
{
    columns = std::max(columns, 0);
    rows = std::max(rows, 0);
    if (columns == NrOfColumns() && rows == NrOfRows())
        return;
    ResizeAll(columns, rows);
}

void TDataTable::Clear()
{
    for (std::size_t c = 0; c < m_colNames.size(); ++c) {
        m_colNames[c] = DefaultName('C', c);
        m_colAttribs[c] = 0;
        m_scales[c] = TColumnScale{};
        std::fill(m_marks[c].begin(), m_marks[c].end(), 0);
    }
    for (std::size_t r = 0; r < m_rowNames.size(); ++r) {
        m_rowNames[r] = DefaultName('R', r);
        m_rowAttribs[r] = 0;
    }
    m_comment.clear();
    m_matrix->Fill(0);
}

void TDataTable::InsertRow(int r)
{
    if (r < 1 || r > NrOfRows() + 1)
        return;
    SetNrOfRows(NrOfRows() + 1);
    const int columns = NrOfColumns();
    for (int row = NrOfRows(); row > r; --row) {
        SetRowName(row, GetRowName(row - 1));
        SetRowAttrib(row, GetRowAttrib(row - 1));
        for (int col = 1; col <= columns; ++col) {
            // The stored value, not the one rounded for reading.
            SetElem(col, row, m_matrix->GetElem(col, row - 1));
            SetMark(col, row, GetMark(col, row - 1));
        }
    }
    SetRowName(r, "");
    SetRowAttrib(r, 0);
    for (int col = 1; col <= columns; ++col) {
        SetElem(col, r, 0);
        SetMark(col, r, 0);
    }
    if (OnChange)
        OnChange();
}

// ---------------------------------------------------------------- cells

double TDataTable::GetElem(int col, int row) const
{
    if (!ColInside(col) || !RowInside(row))
        return 0;
    const double v = m_matrix->GetElem(col, row);
    // Beyond 2^52 every double is whole already.
    if (HasLabels(col) && std::fabs(v) < 4503599627370496.0)
        return static_cast<double>(Round(v));
    return v;
}

void TDataTable::SetElem(int col, int row, double v)
{
    if (ColInside(col) && RowInside(row))
        m_matrix->SetElem(col, row, v);
}

std::uint8_t TDataTable::GetMark(int col, int row) const
{
    if (!ColInside(col) || !RowInside(row))
        return 0;
    return m_marks[Index(col)][Index(row)];
}

void TDataTable::SetMark(int col, int row, std::uint8_t mark)
{
    if (!ColInside(col) || !RowInside(row))
        return;
    std::uint8_t& m = m_marks[Index(col)][Index(row)];
    if (m == mark)
        return;
    m = mark;
    ChangedSetup();
}

bool TDataTable::IsUnmarked(int col, int row) const
{
    return (GetMark(col, row) & 3) == 0;
}

void TDataTable::ClearUpperMarkBits()
{
    for (auto& column : m_marks)
        for (auto& m : column)
            m = static_cast<std::uint8_t>(m % 64);
    ChangedSetup();
}

// ---------------------------------------------------------------- names and attributes

std::string TDataTable::GetColName(int col) const
{
    return ColInside(col) ? m_colNames[Index(col)] : std::string();
}

void TDataTable::SetColName(int col, std::string_view name)
{
    if (!ColInside(col))
        return;
    m_colNames[Index(col)] = Utf8LeftChars(name, kMaxNameLength);
    ChangedSetup();
}

std::string TDataTable::GetRowName(int row) const
{
    return RowInside(row) ? m_rowNames[Index(row)] : std::string();
}

void TDataTable::SetRowName(int row, std::string_view name)
{
    if (!RowInside(row))
        return;
    m_rowNames[Index(row)] = Utf8LeftChars(name, kMaxNameLength);
    ChangedSetup();
}

std::uint8_t TDataTable::GetRowAttrib(int row) const
{
    return RowInside(row) ? m_rowAttribs[Index(row)] : 0;
}

void TDataTable::SetRowAttrib(int row, std::uint8_t attrib)
{
    if (!RowInside(row))
        return;
    m_rowAttribs[Index(row)] = attrib;
    ChangedSetup();
}

std::uint8_t TDataTable::GetColAttrib(int col) const
{
    return ColInside(col) ? m_colAttribs[Index(col)] : 0;
}

void TDataTable::SetColAttrib(int col, std::uint8_t attrib)
{
    if (!ColInside(col))
        return;
    m_colAttribs[Index(col)] = attrib;
    ChangedSetup();
}

// ---------------------------------------------------------------- scale levels and labels

bool TDataTable::HasLabels(int col) const
{
    const std::uint8_t level = GetScaleLevel(col);
    return level == slNominal || level == slOrdinal;
}

std::uint8_t TDataTable::GetScaleLevel(int col) const
{
    return ColInside(col) ? m_scales[Index(col)].level : 0;
}

void TDataTable::SetScaleLevel(int col, std::uint8_t level)
{
    if (!ColInside(col) || level > slRatio || m_scales[Index(col)].level == level)
        return;
    m_scales[Index(col)].level = level;
    ChangedSetup();
}

std::string TDataTable::GetNominalLabel(int col, int i) const
{
    if (!HasLabels(col) || i < 1 || i > kNrOfLabels)
        return {};
    return m_scales[Index(col)].labels[Index(i)];
}

void TDataTable::SetNominalLabel(int col, int i, std::string_view label)
{
    if (!ColInside(col) || i < 1 || i > kNrOfLabels)
        return;
    std::string& stored = m_scales[Index(col)].labels[Index(i)];
    std::string cut = Utf8LeftChars(label, kMaxLabelLength);
    if (stored == cut)
        return;
    stored = std::move(cut);
    ChangedSetup();
}

int TDataTable::FindNominalLabel(int col, std::string_view text, bool ignoreCase) const
{
    const std::string key = Utf8LeftChars(text, kMaxLabelLength);
    if (key.empty() || !HasLabels(col))
        return 0;
    const auto& labels = m_scales[Index(col)].labels;
    for (int i = 0; i < kNrOfLabels; ++i) {
        const std::string& label = labels[static_cast<std::size_t>(i)];
        if (ignoreCase ? SameTextAscii(label, key) : label == key)
            return i + 1;
    }
    return 0;
}

void TDataTable::SetComment(std::string_view comment)
{
    m_comment = StripCtrlChars(comment);
    ChangedSetup();
}

// ---------------------------------------------------------------- exchanges in the storage

void TDataTable::ExchangeItems(std::uint8_t exchgWhat, int index1, int index2, int first, int last)
{
    if (exchgWhat == 1) {
        if (ColInside(index1) && ColInside(index2)) {
            const std::size_t a = Index(index1);
            const std::size_t b = Index(index2);
            if (m_namesMove) {
                std::swap(m_colAttribs[a], m_colAttribs[b]);
                std::swap(m_scales[a], m_scales[b]);
                std::swap(m_colNames[a], m_colNames[b]);
            }
            const int from = std::max(std::min(first, last), 1);
            const int to = std::min(std::max(first, last), Rows());
            for (int row = from; row <= to; ++row)
                std::swap(m_marks[a][Index(row)], m_marks[b][Index(row)]);
        }
    } else if (RowInside(index1) && RowInside(index2)) {
        const std::size_t a = Index(index1);
        const std::size_t b = Index(index2);
        if (m_namesMove) {
            std::swap(m_rowAttribs[a], m_rowAttribs[b]);
            std::swap(m_rowNames[a], m_rowNames[b]);
        }
        const int from = std::max(std::min(first, last), 1);
        const int to = std::min(std::max(first, last), Columns());
        for (int col = from; col <= to; ++col)
            std::swap(m_marks[Index(col)][a], m_marks[Index(col)][b]);
    }
    if (OnSortExchange)
        OnSortExchange(exchgWhat, index1, index2, first, last);
}
