#include "platform/custom_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "platform/qt_drawing_device.h"

namespace platform {

namespace {
constexpr int kDragThreshold = 5;
const std::string kNoText;
}  // namespace

TCustomListBox::TCustomListBox(QWidget* parent)
    : QWidget(parent), m_canvas(std::make_unique<QtDrawingDevice>(1, 1))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_vBar = new QScrollBar(Qt::Vertical, this);
    m_vBar->hide();
    QObject::connect(m_vBar, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_updatingBar)
            SetTopIndex(v);
    });
}

TCustomListBox::~TCustomListBox() = default;

// ---- items ----

int TCustomListBox::AddItem(const std::string& text, QObject* object)
{
    m_items.push_back({text, object, false});
    UpdateScrollBar();
    update();
    return Count() - 1;
}

void TCustomListBox::DeleteItem(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    if (m_itemIndex > index || m_itemIndex >= Count())
        --m_itemIndex;
    if (m_anchor >= Count())
        m_anchor = m_itemIndex;
    ClampTop();
    UpdateScrollBar();
    update();
}

void TCustomListBox::ClearItems()
{
    m_items.clear();
    m_itemIndex = -1;
    m_anchor = -1;
    m_topIndex = 0;
    UpdateScrollBar();
    update();
}

void TCustomListBox::ExchangeItems(int a, int b)
{
    if (a < 0 || b < 0 || a >= Count() || b >= Count() || a == b)
        return;
    std::swap(m_items[static_cast<std::size_t>(a)], m_items[static_cast<std::size_t>(b)]);
    update();
}

const std::string& TCustomListBox::ItemText(int index) const
{
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].text : kNoText;
}

void TCustomListBox::SetItemText(int index, const std::string& text)
{
    if (index < 0 || index >= Count() || m_items[static_cast<std::size_t>(index)].text == text)
        return;
    m_items[static_cast<std::size_t>(index)].text = text;
    update();
}

QObject* TCustomListBox::ItemObject(int index) const
{
    return index >= 0 && index < Count() ? m_items[static_cast<std::size_t>(index)].object.data() : nullptr;
}

int TCustomListBox::IndexOfObject(const QObject* object) const
{
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<std::size_t>(i)].object == object)
            return i;
    return -1;
}

// ---- current item and selection ----

int TCustomListBox::ItemIndex() const { return m_itemIndex; }

void TCustomListBox::SetItemIndex(int index)
{
    if (index < -1 || index >= Count())
        index = -1;
    // without MultiSelect the current item is the selection
    if (!m_multiSelect || index >= 0)
        for (auto& item : m_items)
            item.selected = false;
    m_itemIndex = index;
    m_anchor = index;
    if (index >= 0) {
        m_items[static_cast<std::size_t>(index)].selected = true;
        ScrollIntoView(index);
    }
    update();
}

void TCustomListBox::SetMultiSelect(bool on)
{
    if (on == m_multiSelect)
        return;
    m_multiSelect = on;
    if (!on)
        SetItemIndex(m_itemIndex);
}

bool TCustomListBox::Selected(int index) const
{
    return index >= 0 && index < Count() && m_items[static_cast<std::size_t>(index)].selected;
}

void TCustomListBox::SetSelected(int index, bool on)
{
    if (index < 0 || index >= Count() || Selected(index) == on)
        return;
    if (!m_multiSelect) {
        SetItemIndex(on ? index : -1);
        return;
    }
    m_items[static_cast<std::size_t>(index)].selected = on;
    update();
}

int TCustomListBox::SelCount() const
{
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(), [](const TItem& i) { return i.selected; }));
}

void TCustomListBox::SelectAll()
{
    if (!m_multiSelect)
        return;
    for (auto& item : m_items)
        item.selected = true;
    update();
}

// ---- geometry ----

int TCustomListBox::ClientWidth() const
{
    return width() - 2 * BorderWidth(m_borderStyle) - (m_vBar->isVisible() ? m_vBar->width() : 0);
}

int TCustomListBox::ClientHeight() const { return height() - 2 * BorderWidth(m_borderStyle); }

void TCustomListBox::SetBorderStyle(TBorderStyle style)
{
    if (style == m_borderStyle)
        return;
    m_borderStyle = style;
    ClampTop();
    UpdateScrollBar();
    update();
}

void TCustomListBox::SetItemHeight(int height)
{
    height = std::max(1, height);
    if (height == m_itemHeight)
        return;
    m_itemHeight = height;
    ClampTop();
    UpdateScrollBar();
    update();
}

int TCustomListBox::VisibleItems() const { return std::max(1, ClientHeight() / m_itemHeight); }

void TCustomListBox::ClampTop() { m_topIndex = std::clamp(m_topIndex, 0, std::max(0, Count() - VisibleItems())); }

void TCustomListBox::SetTopIndex(int index)
{
    index = std::clamp(index, 0, std::max(0, Count() - VisibleItems()));
    if (index == m_topIndex)
        return;
    m_topIndex = index;
    UpdateScrollBar();
    update();
}

void TCustomListBox::ScrollIntoView(int index)
{
    if (index < m_topIndex)
        SetTopIndex(index);
    else if (index >= m_topIndex + VisibleItems())
        SetTopIndex(index - VisibleItems() + 1);
}

void TCustomListBox::UpdateScrollBar()
{
    if (m_updatingBar)
        return;
    m_updatingBar = true;
    const int max = std::max(0, Count() - VisibleItems());
    m_vBar->setVisible(max > 0 && isVisible());
    const int extent = m_vBar->sizeHint().width();
    const int b = BorderWidth(m_borderStyle);
    m_vBar->setGeometry(width() - b - extent, b, extent, height() - 2 * b);
    m_vBar->setRange(0, max);
    m_vBar->setPageStep(VisibleItems());
    m_vBar->setValue(m_topIndex);
    m_updatingBar = false;
}

Rect TCustomListBox::ItemRect(int index) const
{
    const int top = (index - m_topIndex) * m_itemHeight;
    return {0, top, ClientWidth(), top + m_itemHeight};
}

int TCustomListBox::ItemAtPos(int x, int y) const
{
    if (x < 0 || y < 0 || x >= ClientWidth() || y >= ClientHeight())
        return -1;
    const int index = m_topIndex + y / m_itemHeight;
    return index < Count() ? index : -1;
}

void TCustomListBox::SetColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void TCustomListBox::SetFont(const FontDesc& font)
{
    if (font == m_font)
        return;
    m_font = font;
    update();
}

void TCustomListBox::SetFontColor(TColor c)
{
    if (c == m_fontColor)
        return;
    m_fontColor = c;
    update();
}

// ---- painting ----

void TCustomListBox::SetCanvas(std::unique_ptr<DrawingDevice> device)
{
    if (!device)
        return;
    m_canvas = std::move(device);
    m_canvasIsImage = dynamic_cast<QtDrawingDevice*>(m_canvas.get()) != nullptr;
    update();
}

void TCustomListBox::PaintNow()
{
    const int w = std::max(1, width() - 2 * BorderWidth(m_borderStyle));
    const int h = std::max(1, height() - 2 * BorderWidth(m_borderStyle));
    if (m_canvas->Width() != w || m_canvas->Height() != h)
        m_canvas->SetSize(w, h);
    Paint();
}

void TCustomListBox::Paint()
{
    DrawingDevice& dc = *m_canvas;
    dc.SelectClipRgn(std::nullopt);
    const int ch = ClientHeight();
    const bool focused = Focused();
    int y = 0;
    for (int i = m_topIndex; i < Count() && y < ch; ++i, y += m_itemHeight) {
        unsigned state = 0;
        if (m_items[static_cast<std::size_t>(i)].selected)
            state |= odSelected;
        if (focused && i == m_itemIndex)
            state |= odFocused;
        dc.SelectFont(m_font);
        dc.SetTextColor(m_fontColor);
        dc.SetBkColor(m_color);
        dc.SetBkMode(BackMode::Opaque);
        DrawItem(i, ItemRect(i), state);
    }
    if (y < ch)
        dc.FillRectWith({0, y, ClientWidth(), ch}, BrushDesc::Solid(m_color));
}

void TCustomListBox::DrawItem(int index, const Rect& rect, unsigned state)
{
    DrawingDevice& dc = *m_canvas;
    const TColor back = (state & odSelected) ? 0xFF00000D : m_color;  // clHighlight
    dc.FillRectWith(rect, BrushDesc::Solid(back));
    dc.SetTextColor((state & odSelected) ? 0xFF00000E : m_fontColor);  // clHighlightText
    dc.SetBkMode(BackMode::Transparent);
    dc.TextOut(rect.left + 2, rect.top, ItemText(index));
}

void TCustomListBox::paintEvent(QPaintEvent*)
{
    PaintNow();
    if (!m_canvasIsImage)
        return;
    QPainter painter(this);
    painter.drawImage(ClientOrigin(), static_cast<QtDrawingDevice&>(*m_canvas).Image());
    PaintBorder(painter, width(), height(), m_borderStyle);
}

void TCustomListBox::resizeEvent(QResizeEvent*)
{
    ClampTop();
    UpdateScrollBar();
}

// ---- mouse and keys ----

void TCustomListBox::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (button != Qt::LeftButton)
        return;
    const int index = ItemAtPos(x, y);
    if (index < 0)
        return;
    if (m_multiSelect && (shift & Qt::ControlModifier)) {
        m_items[static_cast<std::size_t>(index)].selected = !m_items[static_cast<std::size_t>(index)].selected;
        m_itemIndex = index;
        m_anchor = index;
    } else if (m_multiSelect && (shift & Qt::ShiftModifier) && m_anchor >= 0) {
        const int lo = std::min(m_anchor, index);
        const int hi = std::max(m_anchor, index);
        for (int i = 0; i < Count(); ++i)
            m_items[static_cast<std::size_t>(i)].selected = i >= lo && i <= hi;
        m_itemIndex = index;
    } else {
        SetItemIndex(index);
    }
    update();
}

void TCustomListBox::MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    if (m_dragArmed && (std::abs(x - m_dragOrigin.x) >= kDragThreshold || std::abs(y - m_dragOrigin.y) >= kDragThreshold))
        BeginDrag();
    if (m_dragging) {
        m_dropAccepted = DragOver(x, y);
        setCursor(m_dropAccepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    }
}

void TCustomListBox::MouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    m_dragArmed = false;
    if (!m_dragging)
        return;
    m_dragging = false;
    unsetCursor();
    if (DragOver(x, y))
        DragDrop(x, y);
}

void TCustomListBox::DblClick(Qt::KeyboardModifiers, int, int) {}

bool TCustomListBox::DragOver(int, int) { return false; }

void TCustomListBox::DragDrop(int, int) {}

void TCustomListBox::ArmDrag(int x, int y)
{
    m_dragArmed = true;
    m_dragOrigin = {x, y};
}

void TCustomListBox::BeginDrag()
{
    m_dragArmed = false;
    m_dragging = true;
    m_dropAccepted = false;
}

void TCustomListBox::KeyDown(int& key, Qt::KeyboardModifiers)
{
    if (Count() == 0)
        return;
    const int page = VisibleItems();
    int target = m_itemIndex;
    switch (key) {
    case Qt::Key_Up: target = std::max(0, m_itemIndex - 1); break;
    case Qt::Key_Down: target = std::min(Count() - 1, m_itemIndex + 1); break;
    case Qt::Key_PageUp: target = std::max(0, m_itemIndex - page); break;
    case Qt::Key_PageDown: target = std::min(Count() - 1, m_itemIndex + page); break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = Count() - 1; break;
    default: return;
    }
    SetItemIndex(target);
    key = 0;
}

void TCustomListBox::KeyUp(int&, Qt::KeyboardModifiers) {}

void TCustomListBox::HandleMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    MouseDown(button, shift, x, y);
}

void TCustomListBox::HandleMouseMove(Qt::KeyboardModifiers shift, int x, int y) { MouseMove(shift, x, y); }

void TCustomListBox::HandleMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    MouseUp(button, shift, x, y);
}

void TCustomListBox::HandleDblClick(Qt::KeyboardModifiers shift, int x, int y) { DblClick(shift, x, y); }

void TCustomListBox::HandleKeyDown(int key, Qt::KeyboardModifiers shift) { KeyDown(key, shift); }

void TCustomListBox::HandleKeyUp(int key, Qt::KeyboardModifiers shift) { KeyUp(key, shift); }

void TCustomListBox::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyDown(key, event->modifiers());
    if (key != 0)
        QWidget::keyPressEvent(event);
}

void TCustomListBox::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return;
    int key = event->key();
    KeyUp(key, event->modifiers());
}

void TCustomListBox::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    const QPoint p = ClientPoint(event->position());
    MouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomListBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    MouseMove(event->modifiers(), p.x(), p.y());
}

void TCustomListBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = ClientPoint(event->position());
    MouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

void TCustomListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
    const QPoint p = ClientPoint(event->position());
    DblClick(event->modifiers(), p.x(), p.y());
}

void TCustomListBox::wheelEvent(QWheelEvent* event)
{
    SetTopIndex(m_topIndex - event->angleDelta().y() / 120);
    event->accept();
}

}  // namespace platform
