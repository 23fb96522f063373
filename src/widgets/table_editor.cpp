#include "widgets/table_editor.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <algorithm>
#include <cmath>

#include "core/component_errors.h"
#include "base/name_matching.h"
#include "base/utf8_text.h"
#include "widgets/instrument_texts.h"
#include "widgets/table_editor_texts.h"

using platform::GridCoord;
using platform::GridRect;
using platform::Rect;

namespace {

constexpr int kNameColumnWidth = 80;
constexpr int kDefaultDecimals = 3;
constexpr int kMinDecimals = -1;
constexpr int kMaxDecimals = 10;
constexpr TColor kClWindow = 0xFF000005;
constexpr TColor kCommentBrush = clTeal;
constexpr char kEditorInitFailed[] = "failed to initialize table editor (out of memory)";
// tallest glyphs of the font, for the optimised row height
constexpr char kRowHeightSample[] = "9GMg\xC3\x9C$\xC2\xA7[{|";

// Calls a key handler for the keys of a child edit box.
class TKeyFilter : public QObject {
public:
    TKeyFilter(QObject* parent, std::function<bool(int key)> handler) : QObject(parent), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return m_handler(13);
        if (key == Qt::Key_Escape)
            return m_handler(27);
        return false;
    }

private:
    std::function<bool(int key)> m_handler;
};

}  // namespace

// ---------------------------------------------------------------- construction

TNTabEd::TNTabEd(QWidget* parent, std::string name) : TCustomGrid(parent), m_name(std::move(name))
{
    m_resizing = true;
    SetFixedCols(2);
    m_attribColShown = 1;
    m_attribRowShown = 0;

    m_headingEdit = new QLineEdit(this);
    m_headingEdit->hide();
    m_headingEdit->installEventFilter(new TKeyFilter(m_headingEdit, [this](int key) {
        HeadingEditKey(key);
        return true;
    }));
    m_commentMemo = new QPlainTextEdit(this);
    m_commentMemo->hide();
    m_commentMemo->installEventFilter(new TKeyFilter(m_commentMemo, [this](int key) {
        CommentMemoKey(key);
        return true;
    }));

    SetColWidths(1, m_attribColWidth);
    SetColWidths(0, kNameColumnWidth);
    try {
        m_clipTable = std::make_unique<TDataTable>();
        m_data = std::make_unique<TDataTable>();
        m_data->SetName(m_name);
        m_data->Resize(ColCount() - 2, RowCount() - 1);
    } catch (const std::exception&) {
        throw ERukNTabedError(ComponentMessage(m_name, kEditorInitFailed));
    }
    m_data->OnChange = [this] { Changed(); };
    m_data->OnChangeSetup = [this] {
        Notify();
        update();
    };
    m_data->OnResize = [this](int oldColumns, int oldRows, int newColumns, int newRows) {
        DataResized(oldColumns, oldRows, newColumns, newRows);
    };
    m_data->Matrix().Fill(0);
    m_decPlaces.assign(static_cast<std::size_t>(NrOfColumns()), kDefaultDecimals);

    BuildPopups();

    SetOptions(Options() | platform::goEditing);
    SetColor(m_colorBackground);
    SetFixedColor(m_colorFixed);
    m_resizing = false;
}

TNTabEd::~TNTabEd()
{
    // the table's handlers point here
    m_data->OnChange = nullptr;
    m_data->OnChangeSetup = nullptr;
    m_data->OnResize = nullptr;
}

void TNTabEd::SetName(std::string name)
{
    if (name == m_name)
        return;
    m_name = std::move(name);
    m_data->SetName(m_name);
}

void TNTabEd::Loaded() { m_lastCell = {m_attribColShown + 1, m_attribRowShown + 1}; }

// ---------------------------------------------------------------- notifications

void TNTabEd::Notify()
{
    if (m_paintHeld || m_resizing)
        return;
    m_lastCell = {Selection().left, Selection().top};
    if (OnChangeSetup)
        OnChangeSetup();
}

void TNTabEd::Changed()
{
    if (OnChange)
        OnChange();
    update();
}

void TNTabEd::SetPaintHeld(bool held)
{
    if (held == m_paintHeld)
        return;
    m_paintHeld = held;
    if (!held)
        update();
}

// ---------------------------------------------------------------- properties

void TNTabEd::SetComment(std::string_view comment)
{
    {
        TDetachedHandler<std::function<void()>> quiet(m_data->OnChangeSetup);
        m_data->SetComment(comment);
    }
    Changed();
}

void TNTabEd::SetColorBackground(TColor c)
{
    if (c == m_colorBackground)
        return;
    m_colorBackground = c;
    SetColor(c);
}

void TNTabEd::SetColorFixed(TColor c)
{
    if (c == m_colorFixed)
        return;
    m_colorFixed = c;
    SetFixedColor(c);
}

void TNTabEd::SetPresentationColor(TColor& field, TColor c)
{
    if (c == field)
        return;
    field = c;
    update();
    Notify();
}

void TNTabEd::SetDefaultColWidth(int width)
{
    TCustomGrid::SetDefaultColWidth(width);
    SetColWidths(0, kNameColumnWidth);
    if (m_attribColShown == 1)
        SetColWidths(1, m_attribColWidth);
    Notify();
}

void TNTabEd::SetBoldMarks(bool v)
{
    if (v == m_boldMarks)
        return;
    m_boldMarks = v;
    Notify();
}

void TNTabEd::SetBoldSelHeads(bool v)
{
    if (v == m_boldSelHeads)
        return;
    m_boldSelHeads = v;
    Notify();
}

void TNTabEd::SetNomEditDropDownCount(int v)
{
    if (v == m_nomEditDropDownCount)
        return;
    m_nomEditDropDownCount = v;
    if (InplaceEditor())
        InplaceEditor()->SetDropDownRows(v);
}

void TNTabEd::SetNumWidth(int width)
{
    if (width < 1 || width > 20 || width == m_numWidth)
        return;
    m_numWidth = width;
    update();
    Notify();
}

void TNTabEd::SetDataReadOnly(bool v)
{
    if (v == m_dataReadOnly)
        return;
    m_dataReadOnly = v;
    if (v) {
        CancelEditor();
        SetOptions(Options() & ~platform::goEditing);
    } else {
        SetOptions(Options() | platform::goEditing);
    }
}

void TNTabEd::SetOptimizeRowHeight(bool v)
{
    if (v == m_optimizeRowHeight)
        return;
    m_optimizeRowHeight = v;
    UpdateRowHeights();
    update();
}

void TNTabEd::FontChanged()
{
    UpdateRowHeights();
    update();
}

// Row heights follow the font only when the font, the row count or the option
// changes; painting never measures.
void TNTabEd::UpdateRowHeights()
{
    if (!m_optimizeRowHeight)
        return;
    platform::DrawingDevice& dc = Canvas();
    const platform::FontDesc saved = dc.SelectFont(Font());
    const int height = std::max(8, dc.GetTextExtent(kRowHeightSample).cy + 2 + 3);
    dc.SelectFont(saved);
    FillRowHeights(0, height);
}

// ---------------------------------------------------------------- sizes

void TNTabEd::SetNrOfColumns(int columns) { ResizeDimensions(std::max(0, columns), NrOfRows(), false); }

void TNTabEd::SetNrOfRows(int rows) { ResizeDimensions(NrOfColumns(), std::max(0, rows), false); }

void TNTabEd::SetTableSize(int columns, int rows) { ResizeDimensions(std::max(0, columns), std::max(0, rows), true); }

void TNTabEd::ResizeDimensions(int columns, int rows, bool)
{
    if (columns == NrOfColumns() && rows == NrOfRows())
        return;
    {
        TTableFlagScope resizing(m_resizing, true);
        const int lastWidth = ColWidths(ColCount() - 1);
        const int lastHeight = RowHeights(RowCount() - 1);
        const int oldColumns = NrOfColumns();
        const int oldRows = NrOfRows();
        try {
            m_data->Resize(columns, rows);
        } catch (const std::exception&) {
            throw ERukNTabedError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
        }
        if (columns != oldColumns) {
            SetColCount(m_attribColShown + columns + 1);
            FillColWidths(m_attribColShown + oldColumns, lastWidth);
            GrowDecPlaces(columns);
        }
        if (rows != oldRows) {
            SetRowCount(m_attribRowShown + rows + 1);
            FillRowHeights(m_attribRowShown + oldRows, lastHeight);
            UpdateRowHeights();
        }
    }
    Notify();
}

// Decimals for `columns` columns; new ones take the previously last column's.
void TNTabEd::GrowDecPlaces(int columns)
{
    const std::int8_t last = m_decPlaces.empty() ? static_cast<std::int8_t>(kDefaultDecimals) : m_decPlaces.back();
    m_decPlaces.resize(static_cast<std::size_t>(columns), last);
}

// A resize made on the table directly.
void TNTabEd::DataResized(int oldColumns, int oldRows, int newColumns, int newRows)
{
    if (m_resizing)
        return;
    try {
        const int lastWidth = ColWidths(ColCount() - 1);
        const int lastHeight = RowHeights(RowCount() - 1);
        SetColCount(m_attribColShown + newColumns + 1);
        if (newColumns > oldColumns)
            FillColWidths(m_attribColShown + oldColumns + 1, lastWidth);
        SetRowCount(m_attribRowShown + newRows + 1);
        if (newRows > oldRows)
            FillRowHeights(m_attribRowShown + oldRows + 1, lastHeight);
        GrowDecPlaces(newColumns);
        UpdateRowHeights();
    } catch (const std::bad_alloc&) {
        throw ERukNTabedError(ComponentMessage(m_name, kNotEnoughMemoryOnHeap));
    }
    update();
}

void TNTabEd::SetAttribRowVisible(bool v)
{
    if (v == (m_attribColShown == 1))
        return;
    std::vector<int> widths(static_cast<std::size_t>(ColCount()));
    for (int c = 0; c < ColCount(); ++c)
        widths[static_cast<std::size_t>(c)] = ColWidths(c);
    if (v) {
        SetFixedCols(2);
        m_attribColShown = 1;
        SetColCount(NrOfColumns() + 2);
        for (int c = ColCount() - 1; c >= 2; --c)
            SetColWidths(c, widths[static_cast<std::size_t>(c - 1)]);
        SetColWidths(1, m_attribColWidth);
    } else {
        SetFixedCols(1);
        m_attribColShown = 0;
        for (int c = 1; c + 1 < static_cast<int>(widths.size()); ++c)
            SetColWidths(c, widths[static_cast<std::size_t>(c + 1)]);
        SetColCount(NrOfColumns() + 1);
    }
    update();
    Notify();
}

void TNTabEd::SetAttribColVisible(bool v)
{
    if (v == (m_attribRowShown == 1))
        return;
    std::vector<int> heights(static_cast<std::size_t>(RowCount()));
    for (int r = 0; r < RowCount(); ++r)
        heights[static_cast<std::size_t>(r)] = RowHeights(r);
    if (v) {
        SetFixedRows(2);
        m_attribRowShown = 1;
        SetRowCount(NrOfRows() + 2);
        for (int r = RowCount() - 1; r >= 2; --r)
            SetRowHeights(r, heights[static_cast<std::size_t>(r - 1)]);
        SetRowHeights(1, RowHeights(0));
    } else {
        SetFixedRows(1);
        m_attribRowShown = 0;
        for (int r = 1; r + 1 < static_cast<int>(heights.size()); ++r)
            SetRowHeights(r, heights[static_cast<std::size_t>(r + 1)]);
        SetRowCount(NrOfRows() + 1);
    }
    UpdateRowHeights();
    update();
    Notify();
}

int TNTabEd::GetColWidth(int col) const
{
    if (col >= 1)
        return col <= NrOfColumns() ? ColWidths(col + m_attribColShown) : 0;
    if (col == 0)
        return ColWidths(0);
    return m_attribColShown == 1 ? ColWidths(1) : 0;
}

void TNTabEd::SetColWidth(int col, int width)
{
    if (col >= 1) {
        if (col <= NrOfColumns())
            SetColWidths(col + m_attribColShown, width);
    } else if (col == 0) {
        SetColWidths(0, width);
    } else if (m_attribColShown == 1) {
        SetColWidths(1, width);
        m_attribColWidth = width;
    }
    Notify();
}

void TNTabEd::InsertRow(int row)
{
    if (row < 1 || row > NrOfRows() + 1)
        return;
    THoldPaint hold(*this);
    m_data->InsertRow(row);
}

void TNTabEd::Clear()
{
    THoldPaint hold(*this);
    m_data->Clear();
    std::fill(m_decPlaces.begin(), m_decPlaces.end(), static_cast<std::int8_t>(kDefaultDecimals));
}

// ---------------------------------------------------------------- cells, names, attributes

void TNTabEd::SetMark(int col, int row, std::uint8_t mark)
{
    {
        TDetachedHandler<std::function<void()>> quiet(m_data->OnChangeSetup);
        m_data->SetMark(col, row, mark);
    }
    update();
    Notify();
}

void TNTabEd::SetMarkA(int col, int row, bool on)
{
    const std::uint8_t m = m_data->GetMark(col, row);
    SetMark(col, row, static_cast<std::uint8_t>(on ? (m | cmMarkA) : (m & ~cmMarkA)));
}

void TNTabEd::SetMarkB(int col, int row, bool on)
{
    const std::uint8_t m = m_data->GetMark(col, row);
    SetMark(col, row, static_cast<std::uint8_t>(on ? (m | cmMarkB) : (m & ~cmMarkB)));
}

void TNTabEd::SetColName(int col, std::string_view name)
{
    if (col < 1 || col > NrOfColumns())
        return;
    {
        TDetachedHandler<std::function<void()>> quiet(m_data->OnChangeSetup);
        m_data->SetColName(col, name);
    }
    Changed();
}

void TNTabEd::SetRowName(int row, std::string_view name)
{
    if (row < 1 || row > NrOfRows())
        return;
    {
        TDetachedHandler<std::function<void()>> quiet(m_data->OnChangeSetup);
        m_data->SetRowName(row, name);
    }
    Changed();
}

// Attributes are stored in a byte: values beyond it are clamped, not wrapped.
void TNTabEd::SetRowAttrib(int row, int attrib)
{
    if (row < 1 || row > NrOfRows())
        return;
    {
        TDetachedHandler<std::function<void()>> quiet(m_data->OnChangeSetup);
        m_data->SetRowAttrib(row, static_cast<std::uint8_t>(std::clamp(attrib, 0, 255)));
    }
    Changed();
}

void TNTabEd::SetColAttrib(int col, int attrib)
{
    if (col < 1 || col > NrOfColumns())
        return;
    {
        TDetachedHandler<std::function<void()>> quiet(m_data->OnChangeSetup);
        m_data->SetColAttrib(col, static_cast<std::uint8_t>(std::clamp(attrib, 0, 255)));
    }
    Changed();
}

int TNTabEd::FindColumn(std::string_view name) const
{
    const std::string wanted = Utf8LeftChars(TrimBlanks(name), TDataTable::kMaxNameLength);
    for (int c = 1; c <= NrOfColumns(); ++c)
        if (SameTextAscii(TrimBlanks(m_data->GetColName(c)), wanted))
            return c;
    return 0;
}

int TNTabEd::GetDecPlaces(int col) const
{
    if (col < 1 || col > static_cast<int>(m_decPlaces.size()))
        return 0;
    return m_decPlaces[static_cast<std::size_t>(col - 1)];
}

void TNTabEd::SetDecPlaces(int col, int places)
{
    if (col < 1 || col > NrOfColumns() || col > static_cast<int>(m_decPlaces.size()))
        return;
    places = std::clamp(places, kMinDecimals, kMaxDecimals);
    std::int8_t& d = m_decPlaces[static_cast<std::size_t>(col - 1)];
    if (d == places)
        return;
    d = static_cast<std::int8_t>(places);
    update();
    Notify();
}

bool TNTabEd::HasLabels(int col) const
{
    const std::uint8_t level = m_data->GetScaleLevel(col);
    return level == slNominal || level == slOrdinal;
}

// ---------------------------------------------------------------- texts and drawing

std::string TNTabEd::CellText(int col, int row) const
{
    const std::uint8_t mark = m_data->GetMark(col, row);
    if (mark & cmEmpty)
        return {};
    if (mark & cmNotANumber)
        return "-nan-";
    const double value = m_data->GetElem(col, row);
    if (HasLabels(col)) {
        const std::int64_t k = std::isfinite(value) ? Round(value) : 0;
        if (k >= 1 && k <= TDataTable::kNrOfLabels) {
            std::string label = m_data->GetNominalLabel(col, static_cast<int>(k));
            if (!label.empty())
                return label;
        }
        return std::string(ScaleLevelText(m_data->GetScaleLevel(col))) + ":" + std::to_string(k);
    }
    return FormatCellNumber(m_numWidth, GetDecPlaces(col), value);
}

void TNTabEd::Paint()
{
    if (m_paintHeld || m_resizing)
        return;
    TCustomGrid::Paint();
    m_lastCell = {Selection().left, Selection().top};
    // the heading whose popup is open is framed inverted
    const Rect r = CellRect(m_invertedCell.col, m_invertedCell.row);
    if (!r.IsEmpty()) {
        platform::DrawingDevice& dc = Canvas();
        dc.PatBlt(r.left, r.top, r.Width(), 1, platform::Rop3::DstInvert);
        dc.PatBlt(r.left, r.bottom - 1, r.Width(), 1, platform::Rop3::DstInvert);
        dc.PatBlt(r.left, r.top + 1, 1, r.Height() - 2, platform::Rop3::DstInvert);
        dc.PatBlt(r.right - 1, r.top + 1, 1, r.Height() - 2, platform::Rop3::DstInvert);
    }
}

void TNTabEd::DrawCell(int col, int row, const Rect& rect, unsigned state)
{
    if (!IsDataCell(col, row)) {
        DrawHeading(col, row, rect);
        return;
    }
    platform::DrawingDevice& dc = Canvas();
    const int c = col - m_attribColShown;
    const int r = row - m_attribRowShown;
    std::string text = CellText(c, r);
    const std::uint8_t mark = m_data->GetMark(c, r);
    TColor textColor = dc.GetTextColor();
    TColor brush = dc.GetBkColor();
    TFontStyles styles = Font().weight >= 700 ? fsBold : 0;
    const int marks = mark & (cmMarkA | cmMarkB);
    if (marks) {
        textColor = marks == cmMarkA ? m_colorMarkedA : marks == cmMarkB ? m_colorMarkedB : m_colorMarkedBoth;
        if (m_boldMarks)
            styles |= fsBold;
    } else if (!(state & platform::gdSelected)) {
        textColor = m_colorNormal;
    }
    if (OnBeforeRenderCell)
        OnBeforeRenderCell(c, r, text, textColor, brush, styles);
    platform::FontDesc font = Font();
    font.weight = (styles & fsBold) ? 700 : 400;
    font.italic = styles & fsItalic;
    font.underline = styles & fsUnderline;
    font.strikeOut = styles & fsStrikeOut;
    const bool ownFont = !(font == dc.GetFont());
    const platform::FontDesc saved = ownFont ? dc.SelectFont(font) : platform::FontDesc{};
    dc.SetTextColor(textColor);
    dc.SetBkColor(brush);
    dc.ExtTextOut(rect.left + 2, rect.top + 1, platform::TextOutOptions::Opaque | platform::TextOutOptions::Clipped,
                  &rect, text);
    if (ownFont)
        dc.SelectFont(saved);
}

void TNTabEd::DrawHeading(int col, int row, Rect rect)
{
    platform::DrawingDevice& dc = Canvas();
    const unsigned options = platform::TextOutOptions::Opaque | platform::TextOutOptions::Clipped;
    if (col == 0 && row == 0) {
        if (m_commentEditing) {
            dc.SetBkColor(kCommentBrush);
            dc.SetTextColor(clWhite);
            dc.ExtTextOut(rect.left + 3, rect.top + 2, options, &rect, "Comment:");
        } else {
            const GridRect sel = DataSelection();
            dc.SetBkColor(kClWindow);
            dc.SetTextColor(m_colorNormal);
            dc.ExtTextOut(rect.left + 3, rect.top + 2, options, &rect,
                          std::to_string(sel.left) + ":" + std::to_string(sel.top));
        }
        return;
    }
    if (rect.Width() > 2) {
        ++rect.left;
        --rect.right;
    }
    if (rect.Height() > 2) {
        ++rect.top;
        --rect.bottom;
    }
    const bool dataRow = row > m_attribRowShown;
    const bool dataCol = col > m_attribColShown;
    std::string text;
    bool selected = false;
    int dy = 1;
    if (dataRow && col == 0) {
        rect.right -= 2;
        selected = row == Selection().top;
        text = m_data->GetRowName(row - m_attribRowShown);
        dy = 0;
    } else if (dataRow && col == 1 && m_attribColShown == 1) {
        selected = row == Selection().top;
        text = std::to_string(m_data->GetRowAttrib(row - m_attribRowShown));
    } else if (dataCol && row == 1 && m_attribRowShown == 1) {
        rect.right -= 2;
        selected = col == Selection().left;
        text = std::to_string(m_data->GetColAttrib(col - m_attribColShown));
    } else if (dataCol && row == 0) {
        rect.right -= 2;
        selected = col == Selection().left;
        text = m_data->GetColName(col - m_attribColShown);
    } else if (col == 0 && row == 1 && m_attribRowShown == 1) {
        text = "Attribute";
    } else if (col == 1 && row == 0 && m_attribColShown == 1) {
        text = "Attrib";
    }
    selected = selected && HasScrollableCells();
    platform::FontDesc font = Font();
    if (selected && m_boldSelHeads)
        font.weight = 700;
    const bool ownFont = !(font == dc.GetFont());
    const platform::FontDesc saved = ownFont ? dc.SelectFont(font) : platform::FontDesc{};
    dc.SetBkColor(FixedColor());
    dc.SetTextColor(selected ? m_colorSelected : m_colorNormal);
    dc.ExtTextOut(rect.left + 2, rect.top + dy, options, &rect, text);
    if (ownFont)
        dc.SelectFont(saved);
}

void TNTabEd::HighlightHeadings()
{
    m_lastCell = {Selection().left, Selection().top};
    update();
}

// ---------------------------------------------------------------- editing

bool TNTabEd::CanEditAcceptKey(int)
{
    return !HasLabels(Col() - m_attribColShown);
}

platform::GridEditStyle TNTabEd::GetEditStyle(int col, int)
{
    return HasLabels(col - m_attribColShown) ? platform::GridEditStyle::PickList : platform::GridEditStyle::Simple;
}

platform::TInplaceEdit* TNTabEd::CreateEditor()
{
    platform::TInplaceEdit* editor = TCustomGrid::CreateEditor();
    editor->SetDropDownRows(m_nomEditDropDownCount);
    editor->OnGetPickListItems = [this](std::vector<std::string>& items) {
        m_pickItems.clear();
        const int c = Col() - m_attribColShown;
        for (int k = 1; k <= TDataTable::kNrOfLabels; ++k) {
            std::string label = m_data->GetNominalLabel(c, k);
            if (!label.empty())
                m_pickItems.push_back(std::move(label));
        }
        items = m_pickItems;
    };
    return editor;
}

std::string TNTabEd::GetEditText(int col, int row)
{
    std::string text;
    if (IsDataCell(col, row)) {
        const int c = col - m_attribColShown;
        const int r = row - m_attribRowShown;
        const double value = m_data->GetElem(c, r);
        if (HasLabels(c)) {
            const std::int64_t k = std::isfinite(value) ? Round(value) : 0;
            if (k >= 1 && k <= TDataTable::kNrOfLabels)
                text = m_data->GetNominalLabel(c, static_cast<int>(k));
            if (text.empty())
                text = std::to_string(k);
        } else {
            text = FormatCellNumber(m_numWidth, GetDecPlaces(c), value);
        }
    }
    if (OnGetEditText)
        OnGetEditText(col, row, text);
    return text;
}

void TNTabEd::SetEditText(int col, int row, const std::string& value)
{
    if (IsDataCell(col, row)) {
        const int c = col - m_attribColShown;
        const int r = row - m_attribRowShown;
        if (HasLabels(c)) {
            const int k = m_data->FindNominalLabel(c, value, true);
            if (k > 0) {
                m_data->SetElem(c, r, k);
                m_data->SetMark(c, r, 0);
            } else {
                m_data->SetMark(c, r, cmNotANumber);
            }
        } else if (const auto number = ParseDecimal(TrimBlanks(SubstituteChar(value, ',', '.')))) {
            m_data->SetElem(c, r, *number);
            m_data->SetMark(c, r, 0);
        } else {
            m_data->SetMark(c, r, cmNotANumber);
        }
        update();
    }
    if (OnSetEditText)
        OnSetEditText(col, row, value);
}

void TNTabEd::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    TCustomGrid::KeyDown(key, shift);
    if (key == 0)
        HighlightHeadings();
}

void TNTabEd::KeyPress(int& key)
{
    if (key == 27 && EditorMode()) {
        CancelEditor();
        SetOptions(Options() & ~platform::goEditing);
        key = 0;
        return;
    }
    const int typed = key;
    TCustomGrid::KeyPress(key);
    if (m_autoAdvance && (key == 0 || typed == 13)) {
        int move = m_autoAdvanceDir == orVert ? Qt::Key_Down : Qt::Key_Right;
        TCustomGrid::KeyDown(move, {});
        HighlightHeadings();
    }
}

void TNTabEd::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    int col = -1, row = -1;
    MouseToCell(x, y, col, row);
    if (m_commentEditing && !(col == 0 && row == 0))
        CloseCommentEditor(false);
    if (button == Qt::LeftButton && IsDataCell(col, row) && !(GridCoord{col, row} == m_lastClicked)) {
        // the first click selects, a second click on the same cell edits
        m_pressRemovedEditing = true;
        SetOptions(Options() & ~platform::goEditing);
    }
    if (col >= 0 && row >= 0) {
        m_prevClicked = m_lastClicked;
        m_lastClicked = {col, row};
    }
    TCustomGrid::MouseDown(button, shift, x, y);
    if (button == Qt::LeftButton && IsDataCell(col, row))
        HighlightHeadings();
    if (button == Qt::RightButton && m_popupMenu)
        m_popupMenu->popup(mapToGlobal(QPoint(x, y)));
    else if (button == Qt::RightButton && col >= 0 && row >= 0 && !m_blockInternalPopup)
        OpenPopup(col, row, x, y);
}

void TNTabEd::MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    TCustomGrid::MouseUp(button, shift, x, y);
    if (m_pressRemovedEditing || !(Options() & platform::goEditing)) {
        m_pressRemovedEditing = false;
        if (!m_dataReadOnly)
            SetOptions(Options() | platform::goEditing);
    }
}

bool TNTabEd::DoMouseWheelDown(Qt::KeyboardModifiers shift, int x, int y)
{
    const bool handled = TCustomGrid::DoMouseWheelDown(shift, x, y);
    HighlightHeadings();
    return handled;
}

bool TNTabEd::DoMouseWheelUp(Qt::KeyboardModifiers shift, int x, int y)
{
    const bool handled = TCustomGrid::DoMouseWheelUp(shift, x, y);
    HighlightHeadings();
    return handled;
}

// ---------------------------------------------------------------- heading and comment editors

void TNTabEd::OpenHeadingEditor()
{
    const GridCoord cell = m_lastClicked;
    const bool dataRow = cell.row > m_attribRowShown && cell.row < RowCount();
    const bool dataCol = cell.col > m_attribColShown && cell.col < ColCount();
    const bool rowHeading = dataRow && cell.col >= 0 && cell.col <= m_attribColShown;
    const bool colHeading = dataCol && cell.row >= 0 && cell.row <= m_attribRowShown;
    if (!rowHeading && !colHeading)
        return;
    std::string text;
    if (colHeading)
        text = cell.row == 0 ? GetColName(cell.col - m_attribColShown)
                             : std::to_string(GetColAttrib(cell.col - m_attribColShown));
    else
        text = cell.col == 0 ? GetRowName(cell.row - m_attribRowShown)
                             : std::to_string(GetRowAttrib(cell.row - m_attribRowShown));
    m_editCell = cell;
    const Rect r = CellRect(cell.col, cell.row);
    m_headingEdit->setText(QString::fromStdString(text));
    m_headingEdit->move(r.left + 30, r.top + 5);
    m_headingEdit->show();
    m_headingEdit->setFocus();
    m_headingEditing = true;
}

void TNTabEd::HeadingEditKey(int key)
{
    if (!m_headingEditing || (key != 13 && key != 27))
        return;
    CloseHeadingEditor(key == 13);
}

void TNTabEd::CloseHeadingEditor(bool store)
{
    m_headingEdit->hide();
    m_headingEditing = false;
    setFocus();
    if (!store)
        return;
    const std::string text = m_headingEdit->text().toStdString();
    const GridCoord cell = m_editCell;
    const bool colHeading = cell.row <= m_attribRowShown;
    const bool name = colHeading ? cell.row == 0 : cell.col == 0;
    if (name) {
        if (colHeading)
            SetColName(cell.col - m_attribColShown, text);
        else
            SetRowName(cell.row - m_attribRowShown, text);
    } else {
        const auto number = ParseDecimal(TrimBlanks(SubstituteChar(text, ',', '.')));
        if (!number)
            return;
        const int attrib = static_cast<int>(Round(std::clamp(*number, 0.0, 255.0)));
        if (colHeading)
            SetColAttrib(cell.col - m_attribColShown, attrib);
        else
            SetRowAttrib(cell.row - m_attribRowShown, attrib);
    }
    if (OnHeadingChanged)
        OnHeadingChanged();
}

void TNTabEd::OpenCommentEditor()
{
    if (m_blockInternalPopup || !m_commentEditingAllowed)
        return;
    m_commentEditing = true;
    const int left = ColWidths(0) + GridLineWidth();
    m_commentMemo->setGeometry(left, 0, std::max(1, width() - ColWidths(0) - 20), 80);
    m_commentMemo->setPlainText(QString::fromStdString(m_data->Comment()));
    m_commentMemo->setStyleSheet("QPlainTextEdit { background: #008080; color: white; }");
    m_commentMemo->show();
    m_commentMemo->setFocus();
    update();
}

void TNTabEd::CommentMemoKey(int key)
{
    if (!m_commentEditing || (key != 13 && key != 27))
        return;
    CloseCommentEditor(key == 13);
}

void TNTabEd::CloseCommentEditor(bool store)
{
    m_commentMemo->hide();
    m_commentEditing = false;
    setFocus();
    if (store)
        SetComment(m_commentMemo->toPlainText().toStdString());
    update();
}
