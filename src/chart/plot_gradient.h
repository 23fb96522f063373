#pragma once
// Gradient fill of chart shapes and texts.
#include <functional>

#include "chart/plot_canvas.h"

class TCustomPlotGradient {
public:
    explicit TCustomPlotGradient(std::function<void()> onChange = {});
    virtual ~TCustomPlotGradient() = default;

    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    TColor StartColor() const { return m_startColor; }
    void SetStartColor(TColor value);
    TColor EndColor() const { return m_endColor; }
    void SetEndColor(TColor value);
    // clNone: no middle colour.
    TColor MidColor() const { return m_midColor; }
    void SetMidColor(TColor value);
    TGradientDirection Direction() const { return m_direction; }
    void SetDirection(TGradientDirection value);
    int Balance() const { return m_balance; }
    void SetBalance(int value);

    // Fills R on the canvas; RoundSize > 0 clips to a rounded rectangle first.
    virtual void Draw(TCanvas3D& Canvas, const TRect& R, int RoundSize = 0);

    std::function<void()> OnChange;

protected:
    void Changed();

private:
    template <typename T>
    void SetValue(T& field, T value);

    bool m_visible = false;
    TColor m_startColor = clWhite;
    TColor m_endColor = clYellow;
    TColor m_midColor = clNone;
    TGradientDirection m_direction = gdTopBottom;
    int m_balance = 50;
};

// The gradient of a chart font; Outline fills the widened outline of the text.
class TPlotFontGradient : public TCustomPlotGradient {
public:
    using TCustomPlotGradient::TCustomPlotGradient;
    bool Outline() const { return m_outline; }
    void SetOutline(bool value);

private:
    bool m_outline = false;
};
