#include "windows/frame_controls.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QPalette>
#include <QToolButton>
#include <QVariant>

QWidget* NewRowPanel(QWidget* Parent, const char* Name, int Height)
{
    auto* panel = NewNamed<QWidget>(Parent, Name);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    if (Height > 0)
        panel->setFixedHeight(Height);
    return panel;
}

QToolButton* NewTitleButton(QWidget* Parent, const char* Name, const QString& Caption)
{
    auto* button = NewNamed<QToolButton>(Parent, Name);
    button->setText(Caption);
    button->setCheckable(true);
    button->setAutoRaise(true);
    QFont font = button->font();
    font.setPixelSize(9);
    button->setFont(font);
    return button;
}

void SetColumnHeight(QWidget* Widget, int Height, bool TakeRest)
{
    if (TakeRest) {
        Widget->setMinimumHeight(0);
        Widget->setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        Widget->setFixedHeight(std::max(Height, 0));
    }
    if (QWidget* parent = Widget->parentWidget())
        if (auto* column = qobject_cast<QBoxLayout*>(parent->layout()))
            column->setStretchFactor(Widget, TakeRest ? 1 : 0);
}

int ColumnHeight(const QWidget* Frame, int DesignHeight)
{
    const QWidget* parent = Frame->parentWidget();
    return parent && parent->isVisible() ? parent->height() : DesignHeight;
}

void SetHoverColour(QWidget* Widget, bool Hover)
{
    static const char* const kOwnPalette = "HoverOwnPalette";
    const QVariant saved = Widget->property(kOwnPalette);
    if (Hover) {
        if (!saved.isValid())
            Widget->setProperty(kOwnPalette, Widget->testAttribute(Qt::WA_SetPalette) ? QVariant(Widget->palette())
                                                                                     : QVariant(false));
        QPalette palette = Widget->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
                palette.setColor(group, role, Qt::blue);
        Widget->setPalette(palette);
        return;
    }
    if (!saved.isValid())
        return;
    Widget->setProperty(kOwnPalette, QVariant());
    // a widget without a palette of its own takes its parent's again
    Widget->setPalette(saved.typeId() == QMetaType::QPalette ? saved.value<QPalette>() : QPalette());
}

TSplitter::TSplitter(QWidget* Parent, const char* Name, Qt::Orientation Bar, std::function<int()> Size,
                     std::function<void(int)> SetSize, int Grows)
    : QFrame(Parent), m_bar(Bar), m_size(std::move(Size)), m_setSize(std::move(SetSize)), m_grows(Grows)
{
    setObjectName(QString::fromLatin1(Name));
    constexpr int kThickness = 3;
    if (Bar == Qt::Horizontal) {
        setFixedHeight(kThickness);
        setCursor(Qt::SplitVCursor);
    } else {
        setFixedWidth(kThickness);
        setCursor(Qt::SplitHCursor);
    }
}

int TSplitter::Along(const QMouseEvent* Event) const
{
    const QPoint p = Event->globalPosition().toPoint();
    return m_bar == Qt::Horizontal ? p.y() : p.x();
}

void TSplitter::mousePressEvent(QMouseEvent* Event)
{
    if (Event->button() != Qt::LeftButton)
        return;
    m_dragging = true;
    m_start = Along(Event);
    m_startSize = m_size();
}

void TSplitter::mouseMoveEvent(QMouseEvent* Event)
{
    if (m_dragging)
        m_setSize(m_startSize + m_grows * (Along(Event) - m_start));
}

void TSplitter::mouseReleaseEvent(QMouseEvent* Event)
{
    if (m_dragging && Event->button() == Qt::LeftButton) {
        m_setSize(m_startSize + m_grows * (Along(Event) - m_start));
        m_dragging = false;
    }
}
