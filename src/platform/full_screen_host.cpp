#include "platform/full_screen_host.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QScreen>

#include <algorithm>

namespace platform {

FullScreenHost::FullScreenHost() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("FullScreenHost");
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
}

FullScreenHost::~FullScreenHost() { Release(); }

void FullScreenHost::Take(QWidget* Widget)
{
    if (!Widget || m_held)
        return;
    m_held = Widget;
    m_parent = Widget->parentWidget();
    m_geometry = Widget->geometry();
    m_wasVisible = Widget->isVisibleTo(m_parent ? m_parent.data() : Widget);
    m_layout = m_parent ? m_parent->layout() : nullptr;
    m_index = m_layout ? m_layout->indexOf(Widget) : -1;
    if (m_index >= 0) {
        if (QLayoutItem* item = m_layout->itemAt(m_index))
            m_alignment = item->alignment();
        if (auto* box = qobject_cast<QBoxLayout*>(m_layout.data()))
            m_stretch = box->stretch(m_index);
        else if (auto* grid = qobject_cast<QGridLayout*>(m_layout.data()))
            grid->getItemPosition(m_index, &m_row, &m_column, &m_rowSpan, &m_columnSpan);
        m_layout->removeWidget(Widget);
    } else {
        m_layout = nullptr;
    }
    const QScreen* screen = Widget->screen() ? Widget->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    setGeometry(area);
    Widget->setParent(this);
    Widget->setGeometry(0, 0, area.width(), area.height());
    Widget->installEventFilter(this);
    Widget->show();
    show();
    activateWindow();
    setFocus();
}

void FullScreenHost::Release()
{
    if (!m_held)
        return;
    QWidget* widget = m_held;
    m_held = nullptr;
    widget->removeEventFilter(this);
    widget->setParent(m_parent);
    if (m_parent && m_layout && m_index >= 0) {
        if (auto* box = qobject_cast<QBoxLayout*>(m_layout.data()))
            box->insertWidget(std::min(m_index, box->count()), widget, m_stretch, m_alignment);
        else if (auto* grid = qobject_cast<QGridLayout*>(m_layout.data()))
            grid->addWidget(widget, m_row, m_column, m_rowSpan, m_columnSpan, m_alignment);
        else
            m_layout->addWidget(widget);
    }
    widget->setGeometry(m_geometry);
    if (m_parent && m_wasVisible)
        widget->show();
}

bool FullScreenHost::KeyDown(QKeyEvent* Event)
{
    return OnKeyDown && OnKeyDown(VirtualKeyOf(Event->key()));
}

void FullScreenHost::keyPressEvent(QKeyEvent* Event)
{
    if (KeyDown(Event))
        Event->accept();
    else
        QWidget::keyPressEvent(Event);
}

bool FullScreenHost::eventFilter(QObject* Watched, QEvent* Event)
{
    // key preview: the window sees the held widget's keys first
    if (Watched == m_held && Event->type() == QEvent::KeyPress && KeyDown(static_cast<QKeyEvent*>(Event)))
        return true;
    return QWidget::eventFilter(Watched, Event);
}

void FullScreenHost::closeEvent(QCloseEvent* Event)
{
    if (OnClose)
        OnClose();
    Release();
    Event->accept();
}

int VirtualKeyOf(int QtKey)
{
    if (QtKey >= Qt::Key_A && QtKey <= Qt::Key_Z)
        return 'A' + (QtKey - Qt::Key_A);
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9)
        return '0' + (QtKey - Qt::Key_0);
    if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24)
        return 112 + (QtKey - Qt::Key_F1);
    switch (QtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

}  // namespace platform
