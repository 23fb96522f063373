#pragma once
// The two-normal-curves window for hypothesis tests.
#include "window_base/mdi_child.h"

class TFNormales : public TFMDIChild {
    Q_OBJECT
public:
    // The text is not used.
    TFNormales(TFMDIParent* Owner, const QString& Text);
};
