#include "windows/process_window.h"

#include <QLabel>

TFProceso::TFProceso(TFMDIParent* Owner, const QString&) : TFMDIChild(Owner)
{
    auto* label = new QLabel(QStringLiteral("Binomial Trials"), this);
    label->setAlignment(Qt::AlignCenter);
    setWidget(label);
    resize(640, 480);
}
