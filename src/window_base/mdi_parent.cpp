#include "window_base/mdi_parent.h"

#include "window_base/mdi_child.h"

#include <QCloseEvent>
#include <QMdiArea>

TFMDIParent::TFMDIParent(QWidget* parent)
    : QMainWindow(parent)
{
    m_mdiArea = new QMdiArea(this);
    setCentralWidget(m_mdiArea);
    TFMDIParent::FormCreate();
}

TFMDIParent::~TFMDIParent()
{
    TFMDIParent::FormDestroy();
}

void TFMDIParent::FormCreate()
{
    m_activeData = nullptr;
    m_logNode = nullptr;
    m_subPanels.clear();
}

TFMDIChild* TFMDIParent::ActiveData() const
{
    return m_activeData.data();
}

void TFMDIParent::ActiveData_Set(TFMDIChild* Child)
{
    m_activeData = Child;
}

void TFMDIParent::ActiveData_DelNotify(TFMDIChild*)
{
    m_activeData = nullptr;
}

void TFMDIParent::FormDestroy()
{
    m_subPanels.clear();
}

void TFMDIParent::closeEvent(QCloseEvent* event)
{
    QList<TFMDIChild*> children;
    for (QMdiSubWindow* window : m_mdiArea->subWindowList())
        if (auto* child = qobject_cast<TFMDIChild*>(window))
            children.append(child);
    // every question first: a Cancel keeps every window as it was
    TClosingRound round;
    if (!round.Close(children)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
