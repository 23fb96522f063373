#include "chart/plot_shadow.h"

TPlotShadow::TPlotShadow(std::function<void()> onChange) : OnChange(std::move(onChange)) {}

void TPlotShadow::Changed()
{
    if (OnChange)
        OnChange();
}

template <typename T>
void TPlotShadow::SetValue(T& field, T value)
{
    if (field == value)
        return;
    field = value;
    Changed();
}

void TPlotShadow::SetClip(bool value) { SetValue(m_clip, value); }
void TPlotShadow::SetColor(TColor value) { SetValue(m_color, value); }
void TPlotShadow::SetHorizSize(int value) { SetValue(m_horizSize, value); }
void TPlotShadow::SetVertSize(int value) { SetValue(m_vertSize, value); }
void TPlotShadow::SetSmooth(bool value) { SetValue(m_smooth, value); }
void TPlotShadow::SetSmoothBlur(int value) { SetValue(m_smoothBlur, value); }
void TPlotShadow::SetTransparency(int value) { SetValue(m_transparency, value); }
void TPlotShadow::SetVisible(bool value) { SetValue(m_visible, value); }

void TPlotShadow::SetSize(int value)
{
    SetHorizSize(value);
    SetVertSize(value);
}

void TPlotShadow::SetDefaults(TColor color, int size)
{
    m_color = color;
    DefaultColor = color;
    m_horizSize = size;
    m_vertSize = size;
    DefaultSize = size;
}

void TPlotShadow::Assign(const TPlotShadow* source)
{
    if (!source || source == this)
        return;
    m_color = source->m_color;
    m_horizSize = source->m_horizSize;
    m_smooth = source->m_smooth;
    m_smoothBlur = source->m_smoothBlur;
    m_transparency = source->m_transparency;
    m_vertSize = source->m_vertSize;
    m_visible = source->m_visible;
}
