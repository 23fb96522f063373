#pragma once
// A linear measuring gauge: a dial window with a scale along one edge and an
// index showing Value. The dial stays fixed while the index moves, or scrolls
// under an index held in the middle. Its scale "GaugeScale" draws ticks and
// labels into the gauge's picture.
#include <functional>
#include <string>

#include "widgets/instrument_base.h"
#include "widgets/instrument_host.h"

class TScale;

enum TGaugeBackground : std::uint8_t { gbPlain, gbVertGrad, gbHorizGrad, gbVertMidBand, gbHorizMidBand };
enum TGaugeIndexMode : std::uint8_t {
    gimThread,
    gimTriangle,
    gimThreadTriangle,
    gimThreadTwoTriangles,
    gimBand,
    gimDualColorBand,
    gimBar
};
enum TGaugeOrientation : std::uint8_t { goHorizontal, goVertical };

class TScaleGauge : public TInstrumentHost {
public:
    explicit TScaleGauge(QWidget* parent = nullptr);

    TGaugeBackground Background() const { return m_background; }
    void SetBackground(TGaugeBackground v);
    TColor ColorBg1() const { return m_colorBg1; }
    void SetColorBg1(TColor v);
    TColor ColorBg2() const { return m_colorBg2; }
    void SetColorBg2(TColor v);
    TColor ColorIndex1() const { return m_colorIndex1; }
    void SetColorIndex1(TColor v);
    TColor ColorIndex2() const { return m_colorIndex2; }
    void SetColorIndex2(TColor v);
    TColor ColorCover() const { return m_colorCover; }
    void SetColorCover(TColor v);
    TColor ColorScale() const { return m_colorScale; }
    void SetColorScale(TColor v);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyleOuter() const { return m_frameStyleOuter; }
    void SetFrameStyleOuter(TFrameStyle v);
    TFrameStyle FrameStyleInner() const { return m_frameStyleInner; }
    void SetFrameStyleInner(TFrameStyle v);
    const TInstrumentFont& Font() const { return m_font; }
    void SetFont(const TInstrumentFont& v);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v);
    TColor CaptionColor() const { return m_captionColor; }
    void SetCaptionColor(TColor v);
    int CaptionPosX() const { return m_captionPosX; }
    void SetCaptionPosX(int v);
    int CaptionPosY() const { return m_captionPosY; }
    void SetCaptionPosY(int v);
    int CaptionSize() const { return m_captionSize; }
    void SetCaptionSize(int v);
    TFontStyles CaptionStyle() const { return m_captionStyle; }
    void SetCaptionStyle(TFontStyles v);

    bool FixedDial() const { return m_fixedDial; }
    void SetFixedDial(bool v);
    double GaugeZero() const { return m_gaugeZero; }
    void SetGaugeZero(double v);
    TGaugeIndexMode IndexMode() const { return m_indexMode; }
    void SetIndexMode(TGaugeIndexMode v);
    bool Logarithmic() const { return m_logarithmic; }
    void SetLogarithmic(bool v);
    TGaugeOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TGaugeOrientation v);

    // Each at most the control's extent minus the opposite margin minus 20.
    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int v);
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int v);
    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int v);
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int v);

    double Min() const { return m_min; }
    void SetMin(double v);
    double Max() const { return m_max; }
    void SetMax(double v);
    int MinTicks() const { return m_minTicks; }
    void SetMinTicks(int v);
    bool ShortTicks() const { return m_shortTicks; }
    void SetShortTicks(bool v);
    // Clamped to Min..Max.
    double Value() const { return m_value; }
    void SetValue(double v);

    TScale& GaugeScale() { return *m_scale; }
    const TScale& GaugeScale() const { return *m_scale; }

    // Pixel of the index along the dial (x when horizontal, y when vertical).
    int IndexPosition() const;

    void Assign(const TScaleGauge& source);

    // The mouse at (x, y) in control coordinates: the event with the value there.
    void MouseMoveAt(int x, int y, TShiftState shift);

    std::function<void(TScaleGauge* sender, bool inGauge, TShiftState shift, double mousePos)> OnMouseMoveInGauge;

protected:
    void Compose(platform::DrawingDevice& dc) override;
    void Resized() override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    void ArrangeScale();
    void DrawBackground(platform::DrawingDevice& dc);
    // Marks false: the thread and the bands (under the cover); true: the
    // triangles and the bar (over the cover and the frames).
    void DrawIndex(platform::DrawingDevice& dc, int p, bool Marks);
    void DrawTriangle(platform::DrawingDevice& dc, int p, int first, int direction);
    void DrawRun(platform::DrawingDevice& dc, int from, int to, TColor c1, TColor c2, bool blend);
    void DrawCover(platform::DrawingDevice& dc);
    void DrawCaption(platform::DrawingDevice& dc);
    bool Vertical() const { return m_orientation == goVertical; }

    TScale* m_scale = nullptr;  // child widget, never shown

    TGaugeBackground m_background = gbVertGrad;
    std::string m_caption;
    TColor m_captionColor = clBlack;
    int m_captionPosX = 10;
    int m_captionPosY = 10;
    int m_captionSize = 12;
    TFontStyles m_captionStyle = fsBold;
    TColor m_colorBg1 = 0x808080;
    TColor m_colorBg2 = 0xFFFFFF;
    TColor m_colorIndex1 = clBlack;
    TColor m_colorIndex2 = clRed;
    TColor m_colorCover = 0xC0C0C0;
    TColor m_colorScale = clBlack;
    TColorScheme m_colorScheme = csBWG;
    TColor m_colorShadow = 0x808080;
    TColor m_colorHighlight = 0xFFFFFF;
    bool m_fixedDial = true;
    TInstrumentFont m_font;
    TFrameStyle m_frameStyleOuter = fsRaised;
    TFrameStyle m_frameStyleInner = fsLowered;
    double m_gaugeZero = 0;
    TGaugeIndexMode m_indexMode = gimTriangle;
    bool m_logarithmic = false;
    int m_marginLeft = 20;
    int m_marginRight = 10;
    int m_marginTop = 10;
    int m_marginBottom = 20;
    double m_max = 10;
    double m_min = -10;
    int m_minTicks = 0;
    TGaugeOrientation m_orientation = goHorizontal;
    bool m_shortTicks = false;
    double m_value = 0;
};
