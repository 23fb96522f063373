#pragma once
// Drop-shadow settings of chart shapes, pointers and fonts.
#include <functional>

#include "core/basic_types.h"

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
    // Colour and size together with the values not stored.
    void SetDefaults(TColor color, int size);
    void Assign(const TPlotShadow* source);

    TColor DefaultColor = clSilver;
    int DefaultSize = 0;
    bool DefaultVisible = true;
    std::function<void()> OnChange;

private:
    void Changed();
    template <typename T>
    void SetValue(T& field, T value);

    bool m_clip = false;
    TColor m_color = clSilver;
    int m_horizSize = 0;
    bool m_smooth = true;
    int m_smoothBlur = 0;
    int m_transparency = 0;
    int m_vertSize = 0;
    bool m_visible = true;
};
