#pragma once
// An extended panel whose drawing is a test's own callback, for the back image.
#include <functional>

#include "chart/plot_panel_extended.h"

class TImagePanel : public TCustomPlotPanelExtended {
public:
    using TCustomPlotPanelExtended::TCustomPlotPanelExtended;
    std::function<void()> OnDraw;

protected:
    void InternalDraw(const TRect&) override
    {
        if (OnDraw)
            OnDraw();
    }
};
