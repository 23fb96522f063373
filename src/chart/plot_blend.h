#pragma once
// Translucent drawing: captures the area under a rectangle, and later mixes
// what was drawn over it with the captured background.
#include "chart/plot_geometry.h"
#include "platform/drawing_device.h"

class TPlotCanvas;

// Blends through the device's constant-alpha blit; off, the software mix.
extern bool UseAlphaBlend;

class TPlotBlend {
public:
    TPlotBlend(TPlotCanvas* Canvas, const TRect& R);

    // Transparency in percent: 0 keeps the drawing, 100 brings back the background.
    void BlendBack(int Transparency);
    bool Valid() const { return m_valid; }
    // The transparency the blend was started with, kept per blend so that
    // nested blends each end with their own.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int value) { m_transparency = value; }
    const TRect& Rect() const { return m_rect; }
    // The background captured when the blend began (what BlendBack brings back).
    platform::Bitmap& Captured() { return m_bitmap; }

private:
    void CaptureRect(const TRect& R);

    platform::Bitmap m_bitmap;
    TPlotCanvas* m_canvas = nullptr;
    TRect m_rect;
    bool m_valid = false;
    int m_transparency = 0;
};
