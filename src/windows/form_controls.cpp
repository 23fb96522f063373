#include "windows/form_controls.h"

#include <QCheckBox>

QCheckBox* NewCheckBox(QWidget* parent, const char* name, const char* text, bool checked)
{
    auto* c = new QCheckBox(QString::fromUtf8(text), parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(checked);
    return c;
}
