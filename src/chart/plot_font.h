#pragma once
// The font of every chart text, with its effects: inter-character spacing,
// outline pen, picture fill, gradient fill and shadow.
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_pen.h"
#include "chart/graphics_objects.h"
#include "chart/value_setter.h"

class TPlotShadow;
class TPlotFontGradient;
class TPlotPicture;
class TPlotCanvas;

// Name and size in points of every new chart font: taken from the message texts
// when the engine starts (InitDefaultFont), the name emptied when it stops.
extern std::string DefaultFontName;
extern int DefaultFontSize;
void InitDefaultFont();

class TPlotFont : public TFont {
public:
    explicit TPlotFont(std::function<void()> onChange = {});
    ~TPlotFont() override;

    int InterCharSize() const { return m_interCharSize; }
    void SetInterCharSize(int value);
    // Each created on first read.
    TPlotShadow* Shadow();
    TChartHiddenPen* OutLine();
    TPlotPicture* Picture();
    TPlotFontGradient* Gradient();
    TPlotShadow* ShadowIfAny() const { return m_shadow.get(); }
    TChartHiddenPen* OutLineIfAny() const { return m_outLine.get(); }
    TPlotPicture* PictureIfAny() const { return m_picture.get(); }
    TPlotFontGradient* GradientIfAny() const { return m_gradient.get(); }

    void Assign(const TFont& source) override;

    // Whether streaming writes the size and name: when they differ from
    // those every new font takes.
    bool IsHeightStored() const { return Size() != DefaultFontSize; }
    bool IsNameStored() const { return Name() != DefaultFontName; }
    // The colour and style a stream leaves out: those the font was built with.
    TColor DefaultColor() const { return m_defaultColor; }
    int DefaultStyle() const { return m_defaultStyle; }
    // Each value and its stored default together, the one way an owner
    // builds the font otherwise than TPlotFont does.
    void InitColor(TColor value) { InitValue(*this, &TPlotFont::SetColor, m_defaultColor, value); }
    void InitStyle(int value) { InitValue(*this, &TPlotFont::SetStyle, m_defaultStyle, value); }

    // The canvas that last took this font.
    TPlotCanvas* Canvas = nullptr;

private:
    friend class TPlotCanvas;
    // Canvases holding this font as their current one; each forgets it when it is freed.
    std::vector<TPlotCanvas*> m_currentIn;
    std::unique_ptr<TPlotFontGradient> m_gradient;
    int m_interCharSize = 0;
    std::unique_ptr<TChartHiddenPen> m_outLine;
    std::unique_ptr<TPlotPicture> m_picture;
    std::unique_ptr<TPlotShadow> m_shadow;
    TColor m_defaultColor = clBlack;
    int m_defaultStyle = 0;
};
