#include "windows/form_controls.h"

#include <QCheckBox>
#include <QFrame>
#include <QScrollArea>
#include <QTabWidget>

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* text, bool checked)
{
    auto* c = new QCheckBox(QString::fromUtf8(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(checked);
    return c;
}

QWidget* AddScrollingTab(QTabWidget* Pages, const char* ScrollName, const char* PageName, const QString& Caption)
{
    auto* scroll = new QScrollArea(Pages);
    scroll->setObjectName(QString::fromUtf8(ScrollName));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* page = new QWidget(scroll);
    page->setObjectName(QString::fromUtf8(PageName));
    scroll->setWidget(page);
    Pages->addTab(scroll, Caption);
    return page;
}
