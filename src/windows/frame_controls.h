#pragma once
// Small builders the population window and its chart frames share: named
// child controls and fixed-height panels in a column.
#include <QFrame>
#include <QString>
#include <QWidget>

#include <functional>

class QBoxLayout;
class QToolButton;

// A child of Parent named Name (its objectName), made with Parent as parent.
template <typename T>
T* NewNamed(QWidget* Parent, const char* Name)
{
    auto* w = new T(Parent);
    w->setObjectName(QString::fromLatin1(Name));
    return w;
}

// A panel of fixed Height (0: free) with a horizontal layout, no margins.
QWidget* NewRowPanel(QWidget* Parent, const char* Name, int Height);
// A flat, checkable title button.
QToolButton* NewTitleButton(QWidget* Parent, const char* Name, const QString& Caption);
// The height a frame takes its share of: its parent's once the parent is on
// screen, the design height before that.
int ColumnHeight(const QWidget* Frame, int DesignHeight);
// Sets the fixed height of a widget in a column, or lets it take what is left.
void SetColumnHeight(QWidget* Widget, int Height, bool TakeRest);
// The hover colour of a link-like label or flat button: blue text while the
// mouse is over it (disabled text keeps its grey), its own colours back when
// the mouse leaves. Touches only Widget's palette.
void SetHoverColour(QWidget* Widget, bool Hover);

// A bar in a row or column that the user drags to size the control beside
// it: Size reads the control's width or height, SetSize sets it (and keeps
// it within its limits). Grows is +1 when the control lies before the bar
// (left or above), -1 when it lies after it.
class TSplitter : public QFrame {
public:
    TSplitter(QWidget* Parent, const char* Name, Qt::Orientation Bar, std::function<int()> Size,
              std::function<void(int)> SetSize, int Grows);

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    int Along(const QMouseEvent* Event) const;

    Qt::Orientation m_bar;
    std::function<int()> m_size;
    std::function<void(int)> m_setSize;
    int m_grows;
    bool m_dragging = false;
    int m_start = 0;
    int m_startSize = 0;
};
