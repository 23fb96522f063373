#pragma once
// Drop-shadow settings of chart shapes, pointers and fonts.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "chart/plot_geometry.h"
#include "chart/value_setter.h"
#include "base/basic_types.h"

class TCanvas3D;
namespace platform {
class Bitmap;
}

class TPlotShadow {
public:
    explicit TPlotShadow(std::function<void()> onChange = {});

    bool Clip() const { return m_clip; }
    void SetClip(bool value);
    // clNone: no shadow.
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    // Offsets in pixels (negative: left / up).
    int HorizSize() const { return m_horizSize; }
    void SetHorizSize(int value);
    int VertSize() const { return m_vertSize; }
    void SetVertSize(int value);
    bool Smooth() const { return m_smooth; }
    void SetSmooth(bool value);
    int SmoothBlur() const { return m_smoothBlur; }
    void SetSmoothBlur(int value);
    // Percent.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);

    // The larger offset; setting it sets both.
    int GetSize() const { return m_horizSize > m_vertSize ? m_horizSize : m_vertSize; }
    void SetSize(int value);
    // The values a stream leaves out: those the shadow was built with.
    TColor DefaultColor() const { return m_defaultColor; }
    int DefaultSize() const { return m_defaultSize; }
    bool DefaultVisible() const { return m_defaultVisible; }
    // Each value and its stored default together, the one way an owner
    // builds the shadow otherwise than TPlotShadow does (no change notice).
    void InitColor(TColor value) { m_color = m_defaultColor = value; }
    void InitSize(int value) { m_horizSize = m_vertSize = m_defaultSize = value; }
    void InitVisible(bool value) { m_visible = m_defaultVisible = value; }
    void Assign(const TPlotShadow* source);

    // Whether streaming writes each property: these four only when they
    // differ from the per-instance defaults, the others always.
    bool IsColorStored() const { return m_color != m_defaultColor; }
    bool IsHorizSizeStored() const { return m_horizSize != m_defaultSize; }
    bool IsVertSizeStored() const { return m_vertSize != m_defaultSize; }
    bool IsVisibleStored() const { return m_visible != m_defaultVisible; }

    // Pixels the drawn shadow of a rectangle takes past its right (bottom)
    // edge: the offset, or, blurred, the offset, the blur's radius and the
    // blurred bitmap's extra column (row). 0 when no shadow shows.
    int HorizReach() const { return Reach(m_horizSize); }
    int VertReach() const { return Reach(m_vertSize); }

    // Draw the shadow of a shape on the canvas: a flat offset copy, graded
    // lines, or (with the canvas' buffer) a blurred copy.
    void DrawRect(TCanvas3D& Canvas, const TRect& R) { DrawShape(Canvas, R, 0, 0); }
    void DrawShape(TCanvas3D& Canvas, const TRect& R, int Z, int RoundSize);
    void DrawEllipse(TCanvas3D& Canvas, const TRect& R, int Z);
    void DrawPolygon(TCanvas3D& Canvas, std::span<const TPoint> Points);

    std::function<void()> OnChange;

private:
    enum class TShape { Rectangle, RoundRectangle, Ellipse, Polygon };
    bool Shows() const;
    int Reach(int Size) const;
    bool CanBlur(TCanvas3D& Canvas) const;
    // Solid brush of the shadow colour, no pen.
    void SelectFlatFill(TCanvas3D& Canvas) const;
    void SmoothDraw(TCanvas3D& Canvas, const TRect& Shape, TShape Kind, int RoundSize,
                    std::span<const TPoint> Points);
    void Changed();
    template <typename T>
    void SetValue(T& field, const T& value)
    {
        UpdateValue(field, value, [this] { Changed(); });
    }

    bool m_clip = false;
    TColor m_color = clSilver;
    int m_horizSize = 0;
    bool m_smooth = true;
    int m_smoothBlur = 0;
    int m_transparency = 0;
    int m_vertSize = 0;
    bool m_visible = true;
    TColor m_defaultColor = clSilver;
    int m_defaultSize = 0;
    bool m_defaultVisible = true;
};

// The blur kernel of smooth shadows: 2r + 1 weights, 100000 at the centre,
// falling as Base ^ (-(k - r)^2 / r) with Base = 1.818 + SmoothBlur / 10000.
std::vector<std::int64_t> ShadowKernel(int Radius, int SmoothBlur);
// Blurs 0xAARRGGBB pixels in place, horizontally then vertically; for a plain
// rectangle only the bands along the right and bottom edges change.
void BlurShadowPixels(platform::Bitmap& Pixels, int RadiusX, int RadiusY, int SmoothBlur, bool PlainRectangle);
