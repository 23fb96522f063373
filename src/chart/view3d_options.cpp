#include "chart/view3d_options.h"

#include <cmath>
#include <limits>
#include <numbers>

#include "base/basic_types.h"

TView3DOptions::TView3DOptions(TCustomPlotPanel* Parent, std::function<void()> invalidate)
    : m_parent(Parent), m_invalidate(std::move(invalidate))
{
}

void TView3DOptions::Repaint() const
{
    if (m_invalidate)
        m_invalidate();
}

namespace {

// Rounded, halves to even; beyond the int range the nearest end, no number 0.
int IntegerValue(double Value)
{
    if (std::isnan(Value))
        return 0;
    const double r = std::nearbyint(Value);
    if (r >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (r <= std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

}  // namespace

int TView3DOptions::Elevation() const { return IntegerValue(m_elevation); }
int TView3DOptions::Rotation() const { return IntegerValue(m_rotation); }
int TView3DOptions::Zoom() const { return IntegerValue(m_zoom); }

void TView3DOptions::SetElevationDouble(double value) { SetValue(m_elevation, value); }
void TView3DOptions::SetRotationDouble(double value) { SetValue(m_rotation, value); }

void TView3DOptions::SetZoomDouble(double value)
{
    if (value == m_zoom)
        return;
    if (OnZoomed)
        OnZoomed(Zoom());
    m_zoom = value;
    Repaint();
}

void TView3DOptions::SetFontZoom(int value) { SetValue(m_fontZoom, value); }
void TView3DOptions::SetOrthogonal(bool value) { SetValue(m_orthogonal, value); }
void TView3DOptions::SetOrthoAngle(int value) { SetValue(m_orthoAngle, value); }
void TView3DOptions::SetPerspective(int value) { SetValue(m_perspective, value); }
void TView3DOptions::SetTilt(int value) { SetValue(m_tilt, value); }
void TView3DOptions::SetZoomText(bool value) { SetValue(m_zoomText, value); }

void TView3DOptions::SetOffset(int& field, int value, bool horizontal)
{
    UpdateValue(field, value, [&] {
        Repaint();
        if (OnScrolled)
            OnScrolled(horizontal);
    });
}

void TView3DOptions::SetHorizOffset(int value) { SetOffset(m_horizOffset, value, true); }
void TView3DOptions::SetVertOffset(int value) { SetOffset(m_vertOffset, value, false); }

void TView3DOptions::Assign(const TView3DOptions* source)
{
    if (!source || source == this)
        return;
    m_elevation = source->m_elevation;
    m_fontZoom = source->m_fontZoom;
    m_horizOffset = source->m_horizOffset;
    m_orthogonal = source->m_orthogonal;
    m_orthoAngle = source->m_orthoAngle;
    m_perspective = source->m_perspective;
    m_rotation = source->m_rotation;
    m_tilt = source->m_tilt;
    m_vertOffset = source->m_vertOffset;
    m_zoom = source->m_zoom;
    m_zoomText = source->m_zoomText;
}

double TView3DOptions::CalcOrthoRatio() const
{
    if (!m_orthogonal)
        return 1.0;
    int a = m_orthoAngle;
    if (a > 90)
        a = 180 - a;
    return std::tan(a * std::numbers::pi / 180.0);
}
