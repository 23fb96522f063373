#pragma once
// A chart panel's 3D view: rotation, elevation, tilt, perspective, zoom, offsets.
#include <functional>

#include "chart/value_setter.h"

class TCustomPlotPanel;

class TView3DOptions {
public:
    // Parent is the panel whose view this is (not owned); OnInvalidate asks it to repaint.
    explicit TView3DOptions(TCustomPlotPanel* Parent = nullptr, std::function<void()> invalidate = {});

    TCustomPlotPanel* Parent() const { return m_parent; }
    void SetInvalidate(std::function<void()> invalidate) { m_invalidate = std::move(invalidate); }
    // Asks the owner panel to repaint.
    void Repaint() const;

    int Elevation() const;
    void SetElevation(int value) { SetElevationDouble(value); }
    void SetElevationDouble(double value);
    double ElevationDouble() const { return m_elevation; }
    int Rotation() const;
    void SetRotation(int value) { SetRotationDouble(value); }
    void SetRotationDouble(double value);
    double RotationDouble() const { return m_rotation; }
    int Zoom() const;
    void SetZoom(int value) { SetZoomDouble(value); }
    void SetZoomDouble(double value);
    double ZoomDouble() const { return m_zoom; }

    int FontZoom() const { return m_fontZoom; }
    void SetFontZoom(int value);
    int HorizOffset() const { return m_horizOffset; }
    void SetHorizOffset(int value);
    int VertOffset() const { return m_vertOffset; }
    void SetVertOffset(int value);
    bool Orthogonal() const { return m_orthogonal; }
    void SetOrthogonal(bool value);
    int OrthoAngle() const { return m_orthoAngle; }
    void SetOrthoAngle(int value);
    int Perspective() const { return m_perspective; }
    void SetPerspective(int value);
    int Tilt() const { return m_tilt; }
    void SetTilt(int value);
    bool ZoomText() const { return m_zoomText; }
    void SetZoomText(bool value);

    // Copies every view value (not the notifications or the owner); no repaint.
    void Assign(const TView3DOptions* source);
    // Depth-to-screen ratio of the orthogonal view (1.0 when not orthogonal).
    double CalcOrthoRatio() const;

    // True after a horizontal offset change, False after a vertical one.
    std::function<void(bool)> OnScrolled;
    // Called with the zoom before it changes.
    std::function<void(int)> OnZoomed;

private:
    template <typename T>
    void SetValue(T& field, const T& value)
    {
        UpdateValue(field, value, [this] { Repaint(); });
    }
    // Stores an offset, repaints, then tells OnScrolled which one moved.
    void SetOffset(int& field, int value, bool horizontal);

    double m_elevation = 345;
    int m_fontZoom = 100;
    int m_horizOffset = 0;
    bool m_orthogonal = true;
    int m_orthoAngle = 45;
    int m_perspective = 100;
    double m_rotation = 345;
    int m_tilt = 0;
    int m_vertOffset = 0;
    double m_zoom = 100;
    bool m_zoomText = true;
    TCustomPlotPanel* m_parent = nullptr;
    std::function<void()> m_invalidate;
};
