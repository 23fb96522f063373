#include "windows/normal_window.h"

#include <QLabel>

TFNormales::TFNormales(TFMDIParent* Owner, const QString&) : TFMDIChild(Owner)
{
    auto* label = new QLabel(QStringLiteral("Normal Distributions"), this);
    label->setAlignment(Qt::AlignCenter);
    setWidget(label);
    resize(640, 480);
}
