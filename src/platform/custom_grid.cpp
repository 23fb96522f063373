#include "platform/custom_grid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "platform/qt_drawing_device.h"
#include "platform/system_colors.h"

namespace platform {

namespace {

constexpr TColor kHighlight = 0xFF00000D;      // clHighlight
constexpr TColor kHighlightText = 0xFF00000E;  // clHighlightText
constexpr TColor kFixedLineColor = clGray;
constexpr TColor kLineColor = clSilver;
constexpr int kSizingMargin = 3;
constexpr int kMaxFixed = 2;

QString ToQString(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<int>(s.size())); }

}  // namespace

// ---- in-place editor ----

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : QLineEdit(grid), m_grid(grid)
{
    setFrame(false);
    hide();
}

TInplaceEdit::~TInplaceEdit() { delete m_list; }

void TInplaceEdit::SetEditStyle(GridEditStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    if (style == GridEditStyle::Simple)
        CloseUp();
}

void TInplaceEdit::SetDropDownRows(int rows)
{
    rows = std::max(1, rows);
    if (rows == m_dropDownRows)
        return;
    m_dropDownRows = rows;
}

void TInplaceEdit::DropDown()
{
    if (m_style != GridEditStyle::PickList)
        return;
    m_items.clear();
    if (OnGetPickListItems)
        OnGetPickListItems(m_items);
    if (!m_list) {
        m_list = new QListWidget;
        m_list->setWindowFlags(Qt::Popup);
        QObject::connect(m_list, &QListWidget::itemClicked, m_list,
                         [this](QListWidgetItem* item) { PickItem(m_list->row(item)); });
    }
    m_list->clear();
    for (const std::string& item : m_items)
        m_list->addItem(ToQString(item));
    const int rowHeight = std::max(1, fontMetrics().height() + 2);
    const int rows = std::clamp(static_cast<int>(m_items.size()), 1, m_dropDownRows);
    m_list->resize(std::max(width(), 40), rows * rowHeight + 4);
    m_list->move(mapToGlobal(QPoint(0, height())));
    m_list->show();
}

void TInplaceEdit::CloseUp()
{
    if (m_list)
        m_list->hide();
}

bool TInplaceEdit::ListVisible() const { return m_list && m_list->isVisible(); }

void TInplaceEdit::PickItem(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return;
    const std::string text = m_items[static_cast<std::size_t>(index)];
    CloseUp();
    setText(ToQString(text));
    m_grid->EditorPicked(text);
}

void TInplaceEdit::keyPressEvent(QKeyEvent* event)
{
    bool handled = false;
    m_grid->EditorKey(event, handled);
    if (handled)
        return;
    if (m_style == GridEditStyle::PickList) {
        if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)))
            DropDown();
        return;  // only the list chooses
    }
    QLineEdit::keyPressEvent(event);
}

void TInplaceEdit::mousePressEvent(QMouseEvent* event)
{
    if (m_style == GridEditStyle::PickList) {
        ListVisible() ? CloseUp() : DropDown();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

// ---- grid ----

TCustomGrid::TCustomGrid(QWidget* parent)
    : QWidget(parent),
      m_colWidths(5, 64),
      m_rowHeights(5, 24),
      m_canvas(std::make_unique<QtDrawingDevice>(1, 1))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_hBar = new QScrollBar(Qt::Horizontal, this);
    m_vBar->hide();
    m_hBar->hide();
    QObject::connect(m_vBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updatingBars)
            SetTopRow(v);
    });
    QObject::connect(m_hBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updatingBars)
            SetLeftCol(v);
    });
}

TCustomGrid::~TCustomGrid() = default;

// ---- sizes ----

void TCustomGrid::SetColCount(int count)
{
    count = std::max(0, count);
    if (count == ColCount())
        return;
    m_colWidths.resize(static_cast<std::size_t>(count), m_defaultColWidth);
    const int last = std::max(m_fixedCols, count - 1);
    m_current.col = std::min(m_current.col, last);
    m_anchor.col = std::min(m_anchor.col, last);
    m_selection.left = std::min(m_selection.left, last);
    m_selection.right = std::min(m_selection.right, last);
    ClampScroll();
    UpdateScrollBars();
    update();
}

void TCustomGrid::SetRowCount(int count)
{
    count = std::max(0, count);
    if (count == RowCount())
        return;
    m_rowHeights.resize(static_cast<std::size_t>(count), m_defaultRowHeight);
    const int last = std::max(m_fixedRows, count - 1);
    m_current.row = std::min(m_current.row, last);
    m_anchor.row = std::min(m_anchor.row, last);
    m_selection.top = std::min(m_selection.top, last);
    m_selection.bottom = std::min(m_selection.bottom, last);
    ClampScroll();
    UpdateScrollBars();
    update();
}

void TCustomGrid::SetFixedCols(int count)
{
    count = std::clamp(count, 0, kMaxFixed);
    if (count == m_fixedCols)
        return;
    m_fixedCols = count;
    m_leftCol = std::max(m_leftCol, count);
    FocusCell(std::max(m_current.col, count), m_current.row, true);
    ClampScroll();
    UpdateScrollBars();
    update();
}

void TCustomGrid::SetFixedRows(int count)
{
    count = std::clamp(count, 0, kMaxFixed);
    if (count == m_fixedRows)
        return;
    m_fixedRows = count;
    m_topRow = std::max(m_topRow, count);
    FocusCell(m_current.col, std::max(m_current.row, count), true);
    ClampScroll();
    UpdateScrollBars();
    update();
}

void TCustomGrid::SetDefaultColWidth(int width)
{
    width = std::max(0, width);
    if (width == m_defaultColWidth)
        return;
    m_defaultColWidth = width;
    std::fill(m_colWidths.begin(), m_colWidths.end(), width);
    ColWidthsChanged();
    UpdateScrollBars();
    update();
}

void TCustomGrid::SetDefaultRowHeight(int height)
{
    height = std::max(0, height);
    if (height == m_defaultRowHeight)
        return;
    m_defaultRowHeight = height;
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), height);
    RowHeightsChanged();
    UpdateScrollBars();
    update();
}

int TCustomGrid::ColWidths(int col) const
{
    return col >= 0 && col < ColCount() ? m_colWidths[static_cast<std::size_t>(col)] : m_defaultColWidth;
}

void TCustomGrid::SetColWidths(int col, int width)
{
    if (col < 0 || col >= ColCount())
        return;
    width = std::max(0, width);
    int& w = m_colWidths[static_cast<std::size_t>(col)];
    if (w == width)
        return;
    w = width;
    ColWidthsChanged();
    UpdateScrollBars();
    UpdateEditorPlace();
    update();
}

int TCustomGrid::RowHeights(int row) const
{
    return row >= 0 && row < RowCount() ? m_rowHeights[static_cast<std::size_t>(row)] : m_defaultRowHeight;
}

void TCustomGrid::SetRowHeights(int row, int height)
{
    if (row < 0 || row >= RowCount())
        return;
    height = std::max(0, height);
    int& h = m_rowHeights[static_cast<std::size_t>(row)];
    if (h == height)
        return;
    h = height;
    RowHeightsChanged();
    UpdateScrollBars();
    UpdateEditorPlace();
    update();
}

void TCustomGrid::FillColWidths(int first, int width)
{
    first = std::max(0, first);
    if (first >= ColCount())
        return;
    std::fill(m_colWidths.begin() + first, m_colWidths.end(), std::max(0, width));
    ColWidthsChanged();
    UpdateScrollBars();
    UpdateEditorPlace();
    update();
}

void TCustomGrid::FillRowHeights(int first, int height)
{
    first = std::max(0, first);
    if (first >= RowCount())
        return;
    std::fill(m_rowHeights.begin() + first, m_rowHeights.end(), std::max(0, height));
    RowHeightsChanged();
    UpdateScrollBars();
    UpdateEditorPlace();
    update();
}

void TCustomGrid::SetGridLineWidth(int width)
{
    width = std::max(0, width);
    if (width == m_gridLineWidth)
        return;
    m_gridLineWidth = width;
    UpdateScrollBars();
    update();
}

// ---- scrolling ----

int TCustomGrid::ClientWidth() const
{
    return width() - 2 * Border() - (m_vBar->isVisible() ? m_vBar->width() : 0);
}

int TCustomGrid::ClientHeight() const
{
    return height() - 2 * Border() - (m_hBar->isVisible() ? m_hBar->height() : 0);
}

QPoint TCustomGrid::ClientPoint(const QPointF& p) const { return p.toPoint() - QPoint(Border(), Border()); }

void TCustomGrid::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    UpdateScrollBars();
    ClampScroll();
    UpdateScrollBars();
    UpdateEditorPlace();
    update();
}

void TCustomGrid::SetDefaultDrawing(bool on)
{
    if (on == m_defaultDrawing)
        return;
    m_defaultDrawing = on;
    update();
}

namespace {

// Pixels taken by the first `count` sizes with their lines.
int Extent(const std::vector<int>& sizes, int count, int lineWidth)
{
    int total = 0;
    for (int i = 0; i < count && i < static_cast<int>(sizes.size()); ++i)
        total += sizes[static_cast<std::size_t>(i)] + lineWidth;
    return total;
}

// The smallest first scrollable index that still shows `last` whole in
// `room` pixels after the fixed ones.
int FirstToShow(const std::vector<int>& sizes, int fixed, int lineWidth, int room, int last)
{
    const int count = static_cast<int>(sizes.size());
    if (count <= fixed || last < fixed)
        return fixed;
    last = std::min(last, count - 1);
    room -= Extent(sizes, std::min(fixed, count), lineWidth) + sizes[static_cast<std::size_t>(last)] + lineWidth;
    int first = last;
    while (first > fixed && room - (sizes[static_cast<std::size_t>(first - 1)] + lineWidth) >= 0) {
        --first;
        room -= sizes[static_cast<std::size_t>(first)] + lineWidth;
    }
    return first;
}

}  // namespace

int TCustomGrid::MaxTopRow() const
{
    return FirstToShow(m_rowHeights, m_fixedRows, m_gridLineWidth, ClientHeight(), RowCount() - 1);
}

int TCustomGrid::MaxLeftCol() const
{
    return FirstToShow(m_colWidths, m_fixedCols, m_gridLineWidth, ClientWidth(), ColCount() - 1);
}

void TCustomGrid::ClampScroll()
{
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    m_leftCol = std::clamp(m_leftCol, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
}

void TCustomGrid::SetTopRow(int row)
{
    row = std::clamp(row, m_fixedRows, std::max(m_fixedRows, MaxTopRow()));
    if (row == m_topRow)
        return;
    m_topRow = row;
    UpdateScrollBars();
    UpdateEditorPlace();
    TopLeftChanged();
    update();
}

void TCustomGrid::SetLeftCol(int col)
{
    col = std::clamp(col, m_fixedCols, std::max(m_fixedCols, MaxLeftCol()));
    if (col == m_leftCol)
        return;
    m_leftCol = col;
    UpdateScrollBars();
    UpdateEditorPlace();
    TopLeftChanged();
    update();
}

void TCustomGrid::TopLeftChanged()
{
    if (OnTopLeftChanged)
        OnTopLeftChanged();
}

int TCustomGrid::VisibleColCount() const
{
    int x = Extent(m_colWidths, m_fixedCols, m_gridLineWidth);
    int n = 0;
    const int room = ClientWidth();
    for (int c = m_leftCol; c < ColCount(); ++c) {
        x += ColWidths(c) + m_gridLineWidth;
        if (x > room)
            break;
        ++n;
    }
    return ColCount() > m_fixedCols ? std::max(1, n) : 0;
}

int TCustomGrid::VisibleRowCount() const
{
    int y = Extent(m_rowHeights, m_fixedRows, m_gridLineWidth);
    int n = 0;
    const int room = ClientHeight();
    for (int r = m_topRow; r < RowCount(); ++r) {
        y += RowHeights(r) + m_gridLineWidth;
        if (y > room)
            break;
        ++n;
    }
    return RowCount() > m_fixedRows ? std::max(1, n) : 0;
}

void TCustomGrid::ScrollIntoView(int col, int row)
{
    if (row >= m_fixedRows && row < RowCount()) {
        if (row < m_topRow)
            SetTopRow(row);
        else if (row >= m_topRow + VisibleRowCount())
            SetTopRow(FirstToShow(m_rowHeights, m_fixedRows, m_gridLineWidth, ClientHeight(), row));
    }
    if (col >= m_fixedCols && col < ColCount()) {
        if (col < m_leftCol)
            SetLeftCol(col);
        else if (col >= m_leftCol + VisibleColCount())
            SetLeftCol(FirstToShow(m_colWidths, m_fixedCols, m_gridLineWidth, ClientWidth(), col));
    }
}

void TCustomGrid::UpdateScrollBars()
{
    if (m_updatingBars)
        return;
    m_updatingBars = true;
    // Two passes: a shown bar takes room from the other direction.
    int maxTop = m_fixedRows;
    int maxLeft = m_fixedCols;
    for (int pass = 0; pass < 2; ++pass) {
        maxTop = MaxTopRow();
        maxLeft = MaxLeftCol();
        const bool needV = maxTop > m_fixedRows && isVisible();
        const bool needH = maxLeft > m_fixedCols && isVisible();
        if (needV == m_vBar->isVisible() && needH == m_hBar->isVisible())
            break;  // the room is settled
        m_vBar->setVisible(needV);
        m_hBar->setVisible(needH);
        maxTop = MaxTopRow();
        maxLeft = MaxLeftCol();
    }
    const int extent = m_barExtent > 0 ? m_barExtent : (m_barExtent = m_vBar->sizeHint().width());
    const int b = Border();
    m_vBar->setGeometry(width() - b - extent, b, extent, height() - 2 * b - (m_hBar->isVisible() ? extent : 0));
    m_hBar->setGeometry(b, height() - b - extent, width() - 2 * b - (m_vBar->isVisible() ? extent : 0), extent);
    m_vBar->setRange(m_fixedRows, std::max(m_fixedRows, maxTop));
    m_vBar->setPageStep(std::max(1, VisibleRowCount()));
    m_vBar->setValue(m_topRow);
    m_hBar->setRange(m_fixedCols, std::max(m_fixedCols, maxLeft));
    m_hBar->setPageStep(std::max(1, VisibleColCount()));
    m_hBar->setValue(m_leftCol);
    m_updatingBars = false;
}

// ---- current cell and selection ----

void TCustomGrid::FocusCell(int col, int row, bool moveAnchor)
{
    col = std::clamp(col, m_fixedCols, std::max(m_fixedCols, ColCount() - 1));
    row = std::clamp(row, m_fixedRows, std::max(m_fixedRows, RowCount() - 1));
    if (HasScrollableCells() && !(col == m_current.col && row == m_current.row) && !SelectCell(col, row))
        return;
    if (m_editorMode && !(col == m_current.col && row == m_current.row))
        HideEditor();
    m_current = {col, row};
    if (moveAnchor)
        m_anchor = m_current;
    GridRect r{std::min(m_anchor.col, col), std::min(m_anchor.row, row), std::max(m_anchor.col, col),
               std::max(m_anchor.row, row)};
    m_selection = RowSelectRect(r);
    if (HasScrollableCells())
        ScrollIntoView(col, row);
    if (OnSelectCell)
        OnSelectCell(col, row);
    update();
}

GridRect TCustomGrid::RowSelectRect(const GridRect& r) const
{
    if (!(m_options & goRowSelect))
        return r;
    return {m_fixedCols, r.top, std::max(m_fixedCols, ColCount() - 1), r.bottom};
}

void TCustomGrid::SetSelection(const GridRect& r)
{
    const int lastCol = std::max(m_fixedCols, ColCount() - 1);
    const int lastRow = std::max(m_fixedRows, RowCount() - 1);
    GridRect s{std::clamp(std::min(r.left, r.right), m_fixedCols, lastCol),
               std::clamp(std::min(r.top, r.bottom), m_fixedRows, lastRow),
               std::clamp(std::max(r.left, r.right), m_fixedCols, lastCol),
               std::clamp(std::max(r.top, r.bottom), m_fixedRows, lastRow)};
    s = RowSelectRect(s);
    if (m_editorMode)
        HideEditor();
    m_current = {s.left, s.top};
    m_anchor = m_current;
    m_selection = s;
    update();
}

bool TCustomGrid::SelectCell(int, int) { return true; }

void TCustomGrid::SetOptions(GridOptions options)
{
    if (options == m_options)
        return;
    m_options = options;
    if (!(options & goEditing) && m_editorMode)
        HideEditor();
    m_selection = RowSelectRect(m_selection);
    update();
}

void TCustomGrid::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void TCustomGrid::SetFixedColor(TColor c)
{
    if (c == m_fixedColor)
        return;
    m_fixedColor = c;
    update();
}

void TCustomGrid::SetFont(const FontDesc& font)
{
    if (font == m_font)
        return;
    m_font = font;
    if (m_editor)
        m_editor->setFont(ToQFont(font));
    FontChanged();
    update();
}

void TCustomGrid::SetFontColor(TColor c)
{
    if (c == m_fontColor)
        return;
    m_fontColor = c;
    update();
}

// ---- geometry ----

Rect TCustomGrid::CellRect(int col, int row) const
{
    if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
        return {};
    const bool fixedCol = col < m_fixedCols;
    const bool fixedRow = row < m_fixedRows;
    if ((!fixedCol && col < m_leftCol) || (!fixedRow && row < m_topRow))
        return {};
    int x = 0;
    for (int c = 0; c < std::min(m_fixedCols, ColCount()) && c < col; ++c)
        x += ColWidths(c) + m_gridLineWidth;
    if (!fixedCol)
        for (int c = m_leftCol; c < col && x < ClientWidth(); ++c)
            x += ColWidths(c) + m_gridLineWidth;
    int y = 0;
    for (int r = 0; r < std::min(m_fixedRows, RowCount()) && r < row; ++r)
        y += RowHeights(r) + m_gridLineWidth;
    if (!fixedRow)
        for (int r = m_topRow; r < row && y < ClientHeight(); ++r)
            y += RowHeights(r) + m_gridLineWidth;
    if (x >= ClientWidth() || y >= ClientHeight())
        return {};
    return {x, y, x + ColWidths(col), y + RowHeights(row)};
}

bool TCustomGrid::MouseToCell(int x, int y, int& col, int& row) const
{
    col = -1;
    row = -1;
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight())
        return false;
    int pos = 0;
    auto findCol = [&](int from, int to) {
        for (int c = from; c < to; ++c) {
            const int next = pos + ColWidths(c) + m_gridLineWidth;
            if (x < next) {
                col = c;
                return true;
            }
            pos = next;
            if (pos >= ClientWidth())
                return false;
        }
        return false;
    };
    if (!findCol(0, std::min(m_fixedCols, ColCount())))
        findCol(m_leftCol, ColCount());
    pos = 0;
    auto findRow = [&](int from, int to) {
        for (int r = from; r < to; ++r) {
            const int next = pos + RowHeights(r) + m_gridLineWidth;
            if (y < next) {
                row = r;
                return true;
            }
            pos = next;
            if (pos >= ClientHeight())
                return false;
        }
        return false;
    };
    if (!findRow(0, std::min(m_fixedRows, RowCount())))
        findRow(m_topRow, RowCount());
    return col >= 0 && row >= 0;
}

int TCustomGrid::SizingColumnAt(int x, int y) const
{
    if (!(m_options & goColSizing))
        return -1;
    int col = -1, row = -1;
    if (!MouseToCell(x, y, col, row) || row >= m_fixedRows)
        return -1;
    for (int c = std::max(0, col - 1); c <= col; ++c) {
        const Rect r = CellRect(c, row);
        if (!r.IsEmpty() && std::abs(x - r.right) <= kSizingMargin)
            return c;
    }
    return -1;
}

// ---- painting ----

void TCustomGrid::SetCanvas(std::unique_ptr<DrawingDevice> device)
{
    if (!device)
        return;
    m_canvas = std::move(device);
    m_canvasIsImage = dynamic_cast<QtDrawingDevice*>(m_canvas.get()) != nullptr;
    update();
}

void TCustomGrid::PaintNow()
{
    const int w = std::max(1, width() - 2 * Border());
    const int h = std::max(1, height() - 2 * Border());
    if (m_canvas->Width() != w || m_canvas->Height() != h)
        m_canvas->SetSize(w, h);
    Paint();
}

void TCustomGrid::PaintLines(int x0, int x1, int y0, int y1, TColor color)
{
    if (m_gridLineWidth > 0 && x1 > x0 && y1 > y0)
        m_canvas->FillRectWith({x0, y0, x1, y1}, BrushDesc::Solid(color));
}

void TCustomGrid::Paint()
{
    DrawingDevice& dc = *m_canvas;
    const int cw = ClientWidth();
    const int ch = ClientHeight();
    dc.SelectClipRgn(std::nullopt);
    dc.SelectFont(m_font);
    dc.SetBkMode(BackMode::Opaque);
    const int colCount = ColCount();
    const int rowCount = RowCount();
    const int fixedCols = std::min(m_fixedCols, colCount);
    const int fixedRows = std::min(m_fixedRows, rowCount);
    const bool hasFocusNow = hasFocus() || (m_editor && m_editor->hasFocus());
    const int lw = m_gridLineWidth;

    int y = 0;
    int row = 0;
    int rowRight = 0;
    while (row < rowCount && y < ch) {
        if (row == fixedRows)
            row = std::max(row, m_topRow);
        if (row >= rowCount)
            break;
        const int h = m_rowHeights[static_cast<std::size_t>(row)];
        const bool fixedRow = row < fixedRows;
        int x = 0;
        int col = 0;
        while (col < colCount && x < cw) {
            if (col == fixedCols)
                col = std::max(col, m_leftCol);
            if (col >= colCount)
                break;
            const int w = m_colWidths[static_cast<std::size_t>(col)];
            const bool fixed = fixedRow || col < fixedCols;
            unsigned state = 0;
            TColor brush = m_color;
            TColor text = m_fontColor;
            if (fixed) {
                state = gdFixed;
                brush = m_fixedColor;
            } else if (m_selection.Contains(col, row)) {
                const bool current = col == m_current.col && row == m_current.row;
                if (current && hasFocusNow)
                    state |= gdFocused;
                if (!current || (m_options & (goDrawFocusSelected | goRowSelect))) {
                    state |= gdSelected;
                    brush = kHighlight;
                    text = kHighlightText;
                }
            }
            const Rect rect{x, y, x + w, y + h};
            dc.SelectBrush(BrushDesc::Solid(brush));
            dc.SetBkColor(brush);
            dc.SetTextColor(text);
            if (m_defaultDrawing)
                dc.FillRect(rect);
            DrawCell(col, row, rect, state);
            // without lines the gap between cells takes the cell's colour
            const TColor line = fixed ? kFixedLineColor : kLineColor;
            const bool lines = fixed ? (m_options & goFixedVertLine) : (m_options & goVertLine);
            PaintLines(x + w, x + w + lw, y, y + h + lw, lines ? line : brush);
            const bool hlines = fixed ? (m_options & goFixedHorzLine) : (m_options & goHorzLine);
            PaintLines(x, x + w + lw, y + h, y + h + lw, hlines ? line : brush);
            x += w + lw;
            ++col;
        }
        rowRight = std::max(rowRight, x);
        // space right of the last column
        if (x < cw)
            dc.FillRectWith({x, y, cw, y + h + lw}, BrushDesc::Solid(m_color));
        y += h + lw;
        ++row;
    }
    if (y < ch)
        dc.FillRectWith({0, y, cw, ch}, BrushDesc::Solid(m_color));
    // the corner between the scroll bars
    const int innerW = width() - 2 * Border();
    const int innerH = height() - 2 * Border();
    if (cw < innerW && ch < innerH)
        dc.FillRectWith({cw, ch, innerW, innerH}, BrushDesc::Solid(m_fixedColor));
}

void TCustomGrid::DrawCell(int, int, const Rect&, unsigned) {}

void TCustomGrid::InvalidateCell(int col, int row)
{
    const Rect r = CellRect(col, row);
    if (!r.IsEmpty())
        update(QRect(r.left + Border(), r.top + Border(), r.Width() + m_gridLineWidth, r.Height() + m_gridLineWidth));
}

void TCustomGrid::paintEvent(QPaintEvent*)
{
    if (!m_canvasIsImage) {
        PaintNow();
        return;
    }
    PaintNow();
    const auto& image = static_cast<QtDrawingDevice&>(*m_canvas).Image();
    QPainter painter(this);
    painter.drawImage(Border(), Border(), image);
    PaintBorder(painter, width(), height(), m_borderStyle);
}

void TCustomGrid::resizeEvent(QResizeEvent*)
{
    UpdateScrollBars();
    ClampScroll();
    UpdateScrollBars();
    UpdateEditorPlace();
}

void TCustomGrid::showEvent(QShowEvent*)
{
    // rows and columns set while the grid was hidden showed no bars
    resizeEvent(nullptr);
}

// ---- editor ----

bool TCustomGrid::CanEditAcceptKey(int) { return true; }

bool TCustomGrid::CanEditShow()
{
    return (m_options & goEditing) && !(m_options & goRowSelect) && HasScrollableCells();
}

GridEditStyle TCustomGrid::GetEditStyle(int, int) { return GridEditStyle::Simple; }

std::string TCustomGrid::GetEditText(int, int) { return {}; }

void TCustomGrid::SetEditText(int, int, const std::string&) {}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool on)
{
    if (on)
        ShowEditor();
    else
        HideEditor();
}

void TCustomGrid::ShowEditor()
{
    if (!CanEditShow())
        return;
    if (!m_editor) {
        m_editor = CreateEditor();
        m_editor->setFont(ToQFont(m_font));
    }
    m_editorCell = m_current;
    m_editor->SetEditStyle(GetEditStyle(m_current.col, m_current.row));
    m_editorStartText = GetEditText(m_current.col, m_current.row);
    m_editor->setText(QString::fromStdString(m_editorStartText));
    m_editorMode = true;
    UpdateEditorPlace();
    m_editor->show();
    m_editor->selectAll();
    if (isVisible())
        m_editor->setFocus();
}

void TCustomGrid::UpdateEditorPlace()
{
    if (!m_editor || !m_editorMode)
        return;
    const Rect r = CellRect(m_editorCell.col, m_editorCell.row);
    if (r.IsEmpty()) {
        m_editor->setGeometry(-1000, -1000, 1, 1);
        return;
    }
    m_editor->setGeometry(r.left + Border(), r.top + Border(), r.Width(), r.Height());
}

void TCustomGrid::HideEditor()
{
    if (!m_editorMode)
        return;
    m_editorMode = false;
    if (m_editor) {
        const std::string text = m_editor->text().toStdString();
        m_editor->CloseUp();
        const bool hadFocus = m_editor->hasFocus();
        m_editor->hide();
        if (hadFocus)
            setFocus();
        // a text typed over the same text is still a text the user entered
        if (text != m_editorStartText || m_editor->isModified())
            SetEditText(m_editorCell.col, m_editorCell.row, text);
    }
    update();
}

void TCustomGrid::CancelEditor()
{
    if (!m_editorMode)
        return;
    m_editorMode = false;
    if (m_editor) {
        m_editor->CloseUp();
        const bool hadFocus = m_editor->hasFocus();
        m_editor->hide();
        if (hadFocus)
            setFocus();
    }
    update();
}

void TCustomGrid::EditorPicked(const std::string& text)
{
    if (!m_editorMode)
        return;
    m_editorStartText = text;
    SetEditText(m_editorCell.col, m_editorCell.row, text);
    update();
}

void TCustomGrid::EditorKey(QKeyEvent* event, bool& handled)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        handled = true;
        HandleChar(event->key() == Qt::Key_Escape ? 27 : 13);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))
            return;
        handled = true;
        HandleKeyDown(event->key(), event->modifiers());
        return;
    default:
        break;
    }
    if (!event->text().isEmpty() && !CanEditAcceptKey(event->text().at(0).unicode()))
        handled = true;
}

// ---- keys, mouse, wheel ----

void TCustomGrid::HandleKeyDown(int key, Qt::KeyboardModifiers shift) { KeyDown(key, shift); }

void TCustomGrid::HandleChar(int ch)
{
    // a typed character opens the editor with it; the rest goes to KeyPress
    if ((ch == 8 || ch >= 32) && !m_editorMode && (m_options & goEditing)) {
        if (CanEditShow() && CanEditAcceptKey(ch)) {
            ShowEditor();
            if (m_editor && m_editorMode && m_editor->EditStyle() == GridEditStyle::Simple)
                m_editor->setText(ch == 8 ? QString() : QString(QChar(ch)));
        }
        return;
    }
    KeyPress(ch);
}

void TCustomGrid::MoveBy(int dCol, int dRow, Qt::KeyboardModifiers shift)
{
    const bool extend = (shift & Qt::ShiftModifier) && (m_options & goRangeSelect);
    FocusCell(m_current.col + dCol, m_current.row + dRow, !extend);
}

void TCustomGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (!HasScrollableCells())
        return;
    const int page = std::max(1, VisibleRowCount());
    const bool ctrl = shift & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Up: MoveBy(0, -1, shift); break;
    case Qt::Key_Down: MoveBy(0, 1, shift); break;
    case Qt::Key_Left:
        MoveBy(-1, 0, shift);
        break;
    case Qt::Key_Right:
        MoveBy(1, 0, shift);
        break;
    case Qt::Key_PageDown: {
        const int top = m_topRow;
        SetTopRow(top + page);
        MoveBy(0, m_topRow - top == 0 ? RowCount() : m_topRow - top, shift);
        break;
    }
    case Qt::Key_PageUp: {
        const int top = m_topRow;
        SetTopRow(top - page);
        MoveBy(0, m_topRow - top == 0 ? -RowCount() : m_topRow - top, shift);
        break;
    }
    case Qt::Key_Home:
        if (ctrl)
            FocusCell(m_fixedCols, m_fixedRows, !(shift & Qt::ShiftModifier));
        else
            MoveBy(-ColCount(), 0, shift);
        break;
    case Qt::Key_End:
        if (ctrl)
            FocusCell(ColCount() - 1, RowCount() - 1, !(shift & Qt::ShiftModifier));
        else
            MoveBy(ColCount(), 0, shift);
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (!(m_options & goTabs))
            return;
        MoveBy(key == Qt::Key_Tab && !(shift & Qt::ShiftModifier) ? 1 : -1, 0, {});
        break;
    case Qt::Key_F2:
        ShowEditor();
        break;
    default:
        return;
    }
    key = 0;
}

void TCustomGrid::KeyPress(int& key)
{
    if (key == 13) {
        if (m_editorMode)
            HideEditor();
        else
            ShowEditor();
        key = 0;
    } else if (key == 27 && m_editorMode) {
        CancelEditor();
        key = 0;
    }
}

void TCustomGrid::HandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    MouseDown(button, shift, x, y);
}

void TCustomGrid::HandleMouseMove(Qt::KeyboardModifiers shift, int x, int y) { MouseMove(shift, x, y); }

void TCustomGrid::HandleMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    MouseUp(button, shift, x, y);
}

void TCustomGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    const int sizing = SizingColumnAt(x, y);
    if (sizing >= 0) {
        m_sizingCol = sizing;
        m_sizingOrigin = x - ColWidths(sizing);
        return;
    }
    int col = -1, row = -1;
    if (!MouseToCell(x, y, col, row) || col < m_fixedCols || row < m_fixedRows)
        return;
    if (col == m_current.col && row == m_current.row && !(shift & Qt::ShiftModifier) && (m_options & goEditing)) {
        m_anchor = m_current;
        m_selection = RowSelectRect({col, row, col, row});
        ShowEditor();
        update();
        return;
    }
    const bool extend = (shift & Qt::ShiftModifier) && (m_options & goRangeSelect);
    FocusCell(col, row, !extend);
    m_selecting = (m_options & goRangeSelect) != 0;
}

void TCustomGrid::MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    if (m_sizingCol >= 0) {
        SetColWidths(m_sizingCol, std::max(1, x - m_sizingOrigin));
        return;
    }
    if (!m_selecting)
        return;
    int col = -1, row = -1;
    if (MouseToCell(x, y, col, row) && col >= m_fixedCols && row >= m_fixedRows)
        FocusCell(col, row, false);
}

void TCustomGrid::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int)
{
    m_selecting = false;
    m_sizingCol = -1;
}

void TCustomGrid::DblClick(Qt::KeyboardModifiers, int, int)
{
    if (OnDblClick)
        OnDblClick();
}

void TCustomGrid::HandleDblClick(Qt::KeyboardModifiers shift, int x, int y) { DblClick(shift, x, y); }

namespace {

// Rows a wheel notch scrolls: the desktop's setting.
int WheelRows()
{
    return std::max(1, QApplication::wheelScrollLines());
}

}  // namespace

bool TCustomGrid::DoMouseWheelDown(Qt::KeyboardModifiers, int, int)
{
    if (!HasScrollableCells())
        return false;
    // the view scrolls; the current cell stays where it is
    SetTopRow(m_topRow + WheelRows());
    return true;
}

bool TCustomGrid::DoMouseWheelUp(Qt::KeyboardModifiers, int, int)
{
    if (!HasScrollableCells())
        return false;
    SetTopRow(m_topRow - WheelRows());
    return true;
}

void TCustomGrid::HandleWheel(int delta, Qt::KeyboardModifiers shift, int x, int y)
{
    if (delta < 0)
        DoMouseWheelDown(shift, x, y);
    else if (delta > 0)
        DoMouseWheelUp(shift, x, y);
}

void TCustomGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyDown(key, event->modifiers());
    if (key == 0)
        return;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        HandleChar(13);
    else if (event->key() == Qt::Key_Escape)
        HandleChar(27);
    else if (!event->text().isEmpty())
        HandleChar(event->text().at(0).unicode());
}

void TCustomGrid::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const QPoint p = ClientPoint(event->position());
    MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    MouseMove(event->modifiers(), p.x(), p.y());
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // the second press still reaches MouseDown, as without the override
    mousePressEvent(event);
    const QPoint p = ClientPoint(event->position());
    DblClick(event->modifiers(), p.x(), p.y());
}

void TCustomGrid::wheelEvent(QWheelEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    // a touchpad or a fine wheel turns in parts of a notch: they add up
    m_wheelRest += event->angleDelta().y();
    const int notches = m_wheelRest / 120;
    m_wheelRest -= notches * 120;
    for (int i = 0; i < std::abs(notches); ++i)
        HandleWheel(notches, event->modifiers(), p.x(), p.y());
    event->accept();
}

}  // namespace platform
