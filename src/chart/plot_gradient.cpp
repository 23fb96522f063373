#include "chart/plot_gradient.h"

TCustomPlotGradient::TCustomPlotGradient(std::function<void()> onChange) : OnChange(std::move(onChange)) {}

void TCustomPlotGradient::Changed()
{
    if (OnChange)
        OnChange();
}

template <typename T>
void TCustomPlotGradient::SetValue(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    Changed();
}

void TCustomPlotGradient::SetVisible(bool value) { SetValue(m_visible, value); }
void TCustomPlotGradient::SetStartColor(TColor value) { SetValue(m_startColor, value); }
void TCustomPlotGradient::SetEndColor(TColor value) { SetValue(m_endColor, value); }
void TCustomPlotGradient::SetMidColor(TColor value) { SetValue(m_midColor, value); }
void TCustomPlotGradient::SetDirection(TGradientDirection value) { SetValue(m_direction, value); }
void TCustomPlotGradient::SetBalance(int value) { SetValue(m_balance, value); }

void TCustomPlotGradient::Draw(TCanvas3D& Canvas, const TRect& R, int RoundSize)
{
    if (RoundSize > 0)
        Canvas.ClipRoundRectangle(R, RoundSize);
    Canvas.GradientFill(R, m_startColor, m_endColor, m_direction, m_balance);
    if (RoundSize > 0)
        Canvas.UnClip();
}

void TPlotFontGradient::SetOutline(bool value)
{
    if (value == m_outline)
        return;
    m_outline = value;
    Changed();
}
