#pragma once
// Gradient fill of chart shapes and texts: two or three colours, a direction,
// a balance, an angle, a radial centre and a sub-gradient drawn over it.
#include <functional>
#include <memory>
#include <span>

#include "chart/plot_canvas.h"
#include "chart/value_setter.h"

class TSubGradient;

class TCustomPlotGradient {
public:
    explicit TCustomPlotGradient(std::function<void()> onChange = {});
    virtual ~TCustomPlotGradient();
    TCustomPlotGradient(const TCustomPlotGradient&) = delete;
    TCustomPlotGradient& operator=(const TCustomPlotGradient&) = delete;

    // Degrees; 0 = no rotation.
    int Angle() const { return m_angle; }
    void SetAngle(int value);
    // Percent; 50 = linear.
    int Balance() const { return m_balance; }
    void SetBalance(int value);
    TGradientDirection Direction() const { return m_direction; }
    void SetDirection(TGradientDirection value);
    TColor EndColor() const { return m_endColor; }
    void SetEndColor(TColor value);
    // clNone: no middle colour.
    TColor MidColor() const { return m_hasMidColor ? m_midColor : clNone; }
    void SetMidColor(TColor value);
    // Offset of the radial centre from the rectangle's centre.
    int RadialX() const { return m_radialX; }
    void SetRadialX(int value);
    int RadialY() const { return m_radialY; }
    void SetRadialY(int value);
    TColor StartColor() const { return m_startColor; }
    void SetStartColor(TColor value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    // Created on first read.
    TSubGradient* SubGradient();
    TSubGradient* SubGradientIfAny() const { return m_subGradient.get(); }
    // Copies the other sub-gradient (with its transparency); nullptr frees it.
    void SetSubGradient(const TSubGradient* value);

    virtual void Assign(const TCustomPlotGradient& source);

    // Fills R on the canvas; RoundSize > 0 clips to a rounded rectangle first.
    virtual void Draw(TCanvas3D& Canvas, const TRect& R, int RoundSize = 0);
    // Clears the pen, then the canvas' gradient polygon.
    void DrawPolygon(TCanvas3D& Canvas, std::span<const TPoint> Points);
    // The four points projected at depth Z first.
    void DrawPolygonZ(TCanvas3D& Canvas, const TPoint (&Points)[4], int Z);
    // The radial fill (gdRadial) with this gradient's colours, balance and centre.
    void DrawRadial(TCanvas3D& Canvas, const TRect& R);

    // The values a stream leaves out: those the gradient was built with
    // (not copied by Assign).
    TGradientDirection DefaultDirection() const { return m_defaultDirection; }
    TColor DefaultEndColor() const { return m_defaultEndColor; }
    TColor DefaultStartColor() const { return m_defaultStartColor; }
    // Each value and its stored default together, the one way an owner
    // builds the gradient otherwise than TCustomPlotGradient does.
    void InitDirection(TGradientDirection value)
    {
        InitValue(*this, &TCustomPlotGradient::SetDirection, m_defaultDirection, value);
    }
    void InitEndColor(TColor value) { InitValue(*this, &TCustomPlotGradient::SetEndColor, m_defaultEndColor, value); }
    void InitStartColor(TColor value)
    {
        InitValue(*this, &TCustomPlotGradient::SetStartColor, m_defaultStartColor, value);
    }

    std::function<void()> OnChange;

protected:
    void Changed();
    // Stores value and notifies; nothing when it is unchanged.
    template <typename T>
    void SetValue(T& field, const T& value)
    {
        UpdateValue(field, value, [this] { Changed(); });
    }

private:
    void DrawUnrotated(TCanvas3D& Canvas, const TRect& R, int RoundSize);
    void DrawRotated(TCanvas3D& Canvas, const TRect& R);

    int m_angle = 0;
    int m_balance = 50;
    TGradientDirection m_direction = gdTopBottom;
    TColor m_endColor = clYellow;
    TColor m_midColor = clNone;
    bool m_hasMidColor = false;
    int m_radialX = 0;
    int m_radialY = 0;
    TColor m_startColor = clWhite;
    std::unique_ptr<TSubGradient> m_subGradient;
    bool m_visible = false;
    TGradientDirection m_defaultDirection = gdTopBottom;
    TColor m_defaultEndColor = clYellow;
    TColor m_defaultStartColor = clWhite;
};

// The published gradient of chart elements.
class TPlotGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
};

// A gradient drawn over another one, at a transparency (percent).
class TSubGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
    int Transparency() const { return m_transparency; }
    void SetTransparency(int value);
    void Assign(const TCustomPlotGradient& source) override;

private:
    int m_transparency = 50;
};

// The gradient of a chart font; Outline fills the widened outline of the text.
class TPlotFontGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
    bool Outline() const { return m_outline; }
    void SetOutline(bool value);
    void Assign(const TCustomPlotGradient& source) override;

private:
    bool m_outline = false;
};

// Colour of step I of a gradient fill from Start to End with divisor D:
// linear (integer division) at balance 50, else along the balance curve.
TColor GradientStepColor(TColor Start, TColor End, int I, int D, int Balance);
