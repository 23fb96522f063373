#pragma once
// The picture behind a chart or inside a shape: stretched, tiled, centred or
// at a custom offset, optionally inside the chart area only.
#include "chart/plot_picture.h"
#include "chart/property_model.h"

class TCustomPlotPanel;

enum TPlotBackImageMode : std::uint8_t { pbmStretch, pbmTile, pbmCenter, pbmCustom };
inline constexpr const char* PlotBackImageModeNames[] = {"pbmStretch", "pbmTile", "pbmCenter", "pbmCustom"};

class TBackImage : public TPlotPicture {
public:
    TBackImage() = default;

    static const TPropertyTable<TBackImage>& Properties();

    // Each setter fires the picture's change notification when the value changes.
    bool Inside() const { return m_inside; }
    void SetInside(bool Value);
    // Offset of a pbmCustom image from the rectangle's top-left corner.
    int Left() const { return m_left; }
    void SetLeft(int Value);
    TPlotBackImageMode Mode() const { return m_mode; }
    void SetMode(TPlotBackImageMode Value);
    int Top() const { return m_top; }
    void SetTop(int Value);

    // The four properties of another back image, then the picture.
    void Assign(const TPicture* source) override;

    // Draws the filtered graphic into R of the panel's canvas at depth Z; the centred
    // and custom modes fill an extended panel's back first.
    void Draw(TCustomPlotPanel& Panel, const TRect& R, int Z = 0);

private:
    bool m_inside = false;
    int m_left = 0;
    TPlotBackImageMode m_mode = pbmStretch;
    int m_top = 0;
};
