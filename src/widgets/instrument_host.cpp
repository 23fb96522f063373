#include "widgets/instrument_host.h"

#include <QContextMenuEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "platform/full_screen_host.h"
#include "platform/input_state.h"
#include "platform/qt_drawing_device.h"
#include "widgets/instrument_base.h"

TInstrumentHost::TInstrumentHost(QWidget* parent)
    : QWidget(parent), m_buffer(std::make_unique<platform::QtDrawingDevice>(1, 1))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // OnMouseMove hears the mouse also with no button held
    setMouseTracking(true);
}

TInstrumentHost::~TInstrumentHost() = default;

void TInstrumentHost::SetBuffer(std::unique_ptr<platform::DrawingDevice> device)
{
    Q_ASSERT(device);
    if (!device)
        return;
    m_buffer = std::move(device);
    m_dirty = true;
}

void TInstrumentHost::SetBounds(int left, int top, int width, int height)
{
    setGeometry(left, top, std::max(width, 0), std::max(height, 0));
    CheckSize();
    BoundsSet();
}

void TInstrumentHost::CheckSize()
{
    if (size() == m_lastSize)
        return;
    m_lastSize = size();
    m_dirty = true;
    Resized();
    if (OnResize)
        OnResize(this);
}

void TInstrumentHost::SetVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
    // the last picture must not stay on screen: an invisible instrument
    // leaves its place to the parent, and takes it back only if it had it
    if (!v && !isHidden()) {
        m_hiddenByVisible = true;
        hide();
    } else if (v && m_hiddenByVisible) {
        m_hiddenByVisible = false;
        show();
    }
    PaintNow();
}

void TInstrumentHost::Loaded()
{
    m_loading = false;
    AfterLoaded();
}

void TInstrumentHost::SetHoldPaint(bool v)
{
    if (v == m_holdPaint)
        return;
    m_holdPaint = v;
    if (!v)
        PaintNow();
}

void TInstrumentHost::ForcePaint()
{
    const bool held = m_holdPaint;
    m_holdPaint = false;
    PaintNow();
    m_holdPaint = held;
}

bool TInstrumentHost::CanPaint() const
{
    return m_visible && !m_loading && !m_holdPaint;
}

void TInstrumentHost::PaintNow()
{
    if (!CanPaint())
        return;
    ComposeNow();
    update();
}

void TInstrumentHost::Invalidate()
{
    m_dirty = true;
    update();
}

void TInstrumentHost::ComposeNow()
{
    const int w = std::max(width(), 1), h = std::max(height(), 1);
    if (m_buffer->Width() != w || m_buffer->Height() != h)
        m_buffer->SetSize(w, h);
    if (m_parentBackground)
        FillFromParent();
    m_dirty = false;
    Compose(*m_buffer);
}

void TInstrumentHost::FillFromParent()
{
    QWidget* parent = parentWidget();
    if (!parent)
        return;
    QImage back(m_buffer->Width(), m_buffer->Height(), QImage::Format_RGB32);
    back.fill(parent->palette().color(parent->backgroundRole()));
    parent->render(&back, QPoint(), QRegion(geometry()), QWidget::DrawWindowBackground);
    m_buffer->BitBlt(0, 0, back.width(), back.height(), platform::BitmapFromQImage(back), 0, 0,
                     platform::Rop3::SrcCopy);
}

void TInstrumentHost::paintEvent(QPaintEvent*)
{
    if (m_dirty && CanPaint())
        ComposeNow();
    const platform::Bitmap& pixels = m_buffer->Surface();
    if (pixels.IsEmpty()) {
        // an instrument that draws nothing shows the window's colour
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        return;
    }
    // Wraps the device's pixels without copying them.
    const QImage image(reinterpret_cast<const uchar*>(pixels.Data()), pixels.Width(), pixels.Height(),
                       pixels.Width() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void TInstrumentHost::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    CheckSize();
}

// ---- input ----

void TInstrumentHost::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TInstrumentHost::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TInstrumentHost::MouseMove(TShiftState shift, int x, int y)
{
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TInstrumentHost::Click()
{
    if (OnClick)
        OnClick(this);
}

void TInstrumentHost::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TInstrumentHost::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    // the second press of a double click comes again as the double click
    if (event->flags() & Qt::MouseEventCreatedDoubleClick)
        return;
    if (event->button() == Qt::LeftButton && m_dragMode == dmAutomatic && m_dragKind == dkDrag) {
        BeginDrag();
        return;
    }
    m_clickPending = event->button() == Qt::LeftButton;
    const QPoint p = event->position().toPoint();
    MouseDown(MouseButtonOf(event->button()), ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TInstrumentHost::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_dragging) {
        if (event->button() == Qt::LeftButton || event->buttons() == Qt::NoButton)
            EndDrag(event->globalPosition().toPoint());
        return;
    }
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && m_clickPending) {
        m_clickPending = false;
        // a click handler may close the window the control is in
        const QPointer<TInstrumentHost> alive(this);
        if (rect().contains(p))
            Click();
        if (!alive)
            return;
    }
    MouseUp(MouseButtonOf(event->button()), ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TInstrumentHost::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_dragging) {
        DragTo(event->globalPosition().toPoint());
        return;
    }
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), p.x(), p.y());
}

void TInstrumentHost::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    m_clickPending = false;
    const bool left = event->button() == Qt::LeftButton;
    if (left && m_dragMode == dmAutomatic && m_dragKind == dkDrag) {
        BeginDrag();
        return;
    }
    // the double click, then its press as a press marked double
    if (left)
        DblClick();
    const QPoint p = event->position().toPoint();
    MouseDown(MouseButtonOf(event->button()), ShiftStateOf(event->modifiers(), event->buttons()) | ssDouble, p.x(), p.y());
}

void TInstrumentHost::wheelEvent(QWheelEvent* event)
{
    const QPoint p = event->position().toPoint();
    const int delta = event->angleDelta().y();
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, shift, delta, p.x(), p.y(), handled);
    if (!handled) {
        const auto& step = delta < 0 ? OnMouseWheelDown : OnMouseWheelUp;
        if (delta != 0 && step)
            step(this, shift, p.x(), p.y(), handled);
    }
    // an unhandled wheel goes on to the parent
    event->setAccepted(handled);
}

void TInstrumentHost::keyPressEvent(QKeyEvent* event)
{
    // keys no handler wants go on to the parent
    if (!OnKeyDown && !OnKeyPress) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    int key = platform::VirtualKeyOf(event->key());
    if (key != 0 && OnKeyDown) {
        OnKeyDown(this, key, ShiftStateOf(event->modifiers()));
        if (key == 0)
            return;
    }
    const QByteArray text = event->text().toLatin1();
    if (!text.isEmpty() && OnKeyPress) {
        char c = text.at(0);
        OnKeyPress(this, c);
    }
}

void TInstrumentHost::keyReleaseEvent(QKeyEvent* event)
{
    if (!OnKeyUp) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    int key = platform::VirtualKeyOf(event->key());
    if (key != 0)
        OnKeyUp(this, key, ShiftStateOf(event->modifiers()));
}

void TInstrumentHost::contextMenuEvent(QContextMenuEvent* event)
{
    bool handled = false;
    if (OnContextPopup)
        OnContextPopup(this, event->pos().x(), event->pos().y(), handled);
    event->setAccepted(handled);
}

// ---- dragging ----

void TInstrumentHost::BeginDrag()
{
    if (m_dragging)
        return;
    m_dragging = true;
    m_dragAccepted = false;
    m_dragTarget = nullptr;
    if (OnStartDrag)
        OnStartDrag(this);
    setCursor(Qt::DragMoveCursor);
}

bool TInstrumentHost::DragOver(TInstrumentHost* source, const QPoint& global, TDragState state)
{
    // a control without the handler takes no drop
    if (!OnDragOver)
        return false;
    bool accept = true;
    const QPoint p = mapFromGlobal(global);
    OnDragOver(this, source, p.x(), p.y(), state, accept);
    return accept;
}

void TInstrumentHost::DragTo(const QPoint& global)
{
    QWidget* top = window();
    QWidget* under = top->childAt(top->mapFromGlobal(global));
    if (!under && top->rect().contains(top->mapFromGlobal(global)))
        under = top;
    TInstrumentHost* target = nullptr;
    for (QWidget* w = under; w && !target; w = w->parentWidget())
        target = dynamic_cast<TInstrumentHost*>(w);
    if (target != m_dragTarget.data()) {
        if (m_dragTarget)
            m_dragTarget->DragOver(this, global, dsDragLeave);
        m_dragTarget = target;
        m_dragAccepted = target && target->DragOver(this, global, dsDragEnter);
    } else if (target) {
        m_dragAccepted = target->DragOver(this, global, dsDragMove);
    }
}

void TInstrumentHost::EndDrag(const QPoint& global)
{
    DragTo(global);
    m_dragging = false;
    unsetCursor();
    QPointer<TInstrumentHost> target = m_dragAccepted ? m_dragTarget : nullptr;
    m_dragTarget = nullptr;
    m_dragAccepted = false;
    if (target && target->OnDragDrop) {
        // a drop handler may free the dragged control
        const QPointer<TInstrumentHost> alive(this);
        const QPoint p = target->mapFromGlobal(global);
        target->OnDragDrop(target, this, p.x(), p.y());
        if (!alive)
            return;
    }
    const QPoint p = target ? target->mapFromGlobal(global) : mapFromGlobal(global);
    if (OnEndDrag)
        OnEndDrag(this, target, p.x(), p.y());
}
