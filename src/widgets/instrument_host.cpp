#include "widgets/instrument_host.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include "platform/qt_drawing_device.h"
#include "widgets/instrument_base.h"

std::uint8_t ShiftStateOf(const QMouseEvent& event)
{
    const Qt::KeyboardModifiers keys = event.modifiers();
    const Qt::MouseButtons buttons = event.buttons();
    TShiftState s = 0;
    if (keys & Qt::ShiftModifier)
        s |= ssShift;
    if (keys & Qt::AltModifier)
        s |= ssAlt;
    if (keys & Qt::ControlModifier)
        s |= ssCtrl;
    if (buttons & Qt::LeftButton)
        s |= ssLeft;
    if (buttons & Qt::RightButton)
        s |= ssRight;
    if (buttons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

TInstrumentHost::TInstrumentHost(QWidget* parent)
    : QWidget(parent), m_buffer(std::make_unique<platform::QtDrawingDevice>(1, 1))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
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
}

void TInstrumentHost::CheckSize()
{
    if (size() == m_lastSize)
        return;
    m_lastSize = size();
    m_dirty = true;
    Resized();
}

void TInstrumentHost::SetVisible(bool v)
{
    if (v == m_visible)
        return;
    m_visible = v;
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
    if (pixels.IsEmpty())
        return;
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
