#pragma once
// The two-normal-curves window for hypothesis tests: one frame filling it.
#include "window_base/mdi_child.h"

class TFrameNormales;

class TFNormales : public TFMDIChild {
    Q_OBJECT
public:
    // Fills the frame's parameter table; the text is not used.
    TFNormales(TFMDIParent* Owner, const QString& Text);

    TFrameNormales* Frame() const { return FrameNormales1; }

private:
    TFrameNormales* FrameNormales1 = nullptr;
};
