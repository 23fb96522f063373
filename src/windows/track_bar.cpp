#include "windows/track_bar.h"

#include <QPainter>
#include <QStyleOptionSlider>
#include <QStylePainter>

#include <algorithm>

TTrackBar::TTrackBar(Qt::Orientation Orientation, QWidget* Parent) : QSlider(Orientation, Parent) {}

void TTrackBar::SetSelStart(int Value)
{
    SetSelection(Value, m_selEnd);
}

void TTrackBar::SetSelEnd(int Value)
{
    SetSelection(m_selStart, Value);
}

void TTrackBar::SetSelection(int Start, int End)
{
    if (Start == m_selStart && End == m_selEnd)
        return;
    m_selStart = Start;
    m_selEnd = End;
    update();
}

QColor TTrackBar::SelectionColor()
{
    return QColor(0, 0, 160);  // navy: apart from the style's own groove fill
}

QRect TTrackBar::SelectionRect() const
{
    const int lo = std::clamp(std::min(m_selStart, m_selEnd), minimum(), maximum());
    const int hi = std::clamp(std::max(m_selStart, m_selEnd), minimum(), maximum());
    if (hi <= lo)
        return {};
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    // the handle's centre runs over the span; the band follows it
    const bool across = orientation() == Qt::Horizontal;
    const int length = across ? handle.width() : handle.height();
    const int span = (across ? groove.width() : groove.height()) - length;
    const int offset = (across ? groove.left() : groove.top()) + length / 2;
    auto at = [&](int value) {
        return offset + QStyle::sliderPositionFromValue(minimum(), maximum(), value, std::max(span, 0),
                                                        option.upsideDown);
    };
    const int a = std::min(at(lo), at(hi)), b = std::max(at(lo), at(hi));
    const int thickness = std::max(2, (across ? groove.height() : groove.width()) / 3);
    if (across)
        return QRect(a, groove.center().y() - thickness / 2, b - a + 1, thickness);
    return QRect(groove.center().x() - thickness / 2, a, thickness, b - a + 1);
}

void TTrackBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != NoTicks)
        option.subControls |= QStyle::SC_SliderTickmarks;
    painter.drawComplexControl(QStyle::CC_Slider, option);
    const QRect band = SelectionRect();
    if (!band.isEmpty())
        painter.fillRect(band, isEnabled() ? SelectionColor() : palette().color(QPalette::Disabled, QPalette::Mid));
    option.subControls = QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, option);
}
