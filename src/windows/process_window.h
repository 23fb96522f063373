#pragma once
// The binomial-trials window.
#include "shell/mdi_child.h"

class TFProceso : public TFMDIChild {
    Q_OBJECT
public:
    // The text is not used.
    TFProceso(TFMDIParent* Owner, const QString& Text);
};
