#pragma once
// Translucent drawing: captures the area under a rectangle, and later mixes
// what was drawn over it with the captured background.
#include "chart/plot_geometry.h"
#include "platform/drawing_device.h"

class TPlotCanvas;

class TPlotBlend {
public:
    TPlotBlend(TPlotCanvas* Canvas, const TRect& R);

    // Transparency in percent: 0 keeps the drawing, 100 brings back the background.
    void BlendBack(int Transparency);
    bool Valid() const { return m_valid; }
    const TRect& Rect() const { return m_rect; }

private:
    void CaptureRect(const TRect& R);

    platform::Bitmap m_bitmap;
    TPlotCanvas* m_canvas = nullptr;
    TRect m_rect;
    bool m_valid = false;
};
