#pragma once
// The binomial-trials window.
#include "window_base/mdi_child.h"

class TFProceso : public TFMDIChild {
    Q_OBJECT
public:
    // The text is not used.
    TFProceso(TFMDIParent* Owner, const QString& Text);
};
