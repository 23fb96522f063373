#include "windows/normal_window.h"

#include "windows/normal_frame.h"

TFNormales::TFNormales(TFMDIParent* Owner, const QString&) : TFMDIChild(Owner)
{
    FrameNormales1 = new TFrameNormales(this);
    FrameNormales1->setObjectName(QStringLiteral("FrameNormales1"));
    setWidget(FrameNormales1);
    resize(900, 640);
    FrameNormales1->InitSettings();
}
