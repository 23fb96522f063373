#pragma once
// A measuring scale: base line, major and minor ticks, labels and a caption
// along one side of the control, linear or logarithmic. Stands alone, or is
// embedded in another instrument and draws onto that one's device.
#include <functional>
#include <string>
#include <vector>

#include "platform/system_colors.h"
#include "widgets/instrument_base.h"
#include "widgets/instrument_host.h"
#include "widgets/scale_ticks.h"

enum TScaleUnitAnchor : std::uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };

class TScale : public TInstrumentHost {
public:
    explicit TScale(QWidget* parent = nullptr);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v);
    int CaptionPosX() const { return m_captionPosX; }
    void SetCaptionPosX(int v);
    int CaptionPosY() const { return m_captionPosY; }
    void SetCaptionPosY(int v);
    TAlignment CaptionAlignment() const { return m_captionAlignment; }
    void SetCaptionAlignment(TAlignment v);
    TScaleUnitAnchor CaptionAnchor() const { return m_captionAnchor; }
    void SetCaptionAnchor(TScaleUnitAnchor v);

    TColor ColorBackGnd() const { return m_colorBackGnd; }
    void SetColorBackGnd(TColor v);
    TColor ColorScale() const { return m_colorScale; }
    void SetColorScale(TColor v);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle v);
    const TInstrumentFont& Font() const { return m_font; }
    void SetFont(const TInstrumentFont& v);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool v);

    const TDTLabel& DateFormat() const { return m_dateFormat; }
    void SetDateFormat(const TDTLabel& v);
    // -3..12: 0..12 fixed decimals, -1 exponent form, -2 and -3 automatic.
    int DecPlaces() const { return m_decPlaces; }
    void SetDecPlaces(int v);
    TFigType LabelType() const { return m_labelType; }
    void SetLabelType(TFigType v);
    bool Logarithmic() const { return m_logarithmic; }
    void SetLogarithmic(bool v);
    // 0, or 2..10.
    int MinTicks() const { return m_minTicks; }
    void SetMinTicks(int v);
    int NumTicks() const { return static_cast<int>(m_tickTable.size()); }
    // The tick values recorded at the last drawing (at most 250).
    const std::vector<double>& TickTable() const { return m_tickTable; }
    bool ShortTicks() const { return m_shortTicks; }
    void SetShortTicks(bool v);
    bool ShowBaseLine() const { return m_showBaseLine; }
    void SetShowBaseLine(bool v);
    const std::string& ScaleInscript() const { return m_scaleInscript; }
    void SetScaleInscript(const std::string& v);
    const std::string& UserTickText() const { return m_userTickText; }
    void SetUserTickText(const std::string& v);
    TScaleType ScaleType() const { return m_scaleType; }
    void SetScaleType(TScaleType v);

    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int v);
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int v);
    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int v);
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int v);

    // Either order (a reversed range draws a reversed scale); never equal.
    double RangeLow() const { return m_rangeLow; }
    void SetRangeLow(double v);
    double RangeHigh() const { return m_rangeHigh; }
    void SetRangeHigh(double v);
    void SetRange(double high, double low);

    // Pixels per value unit (per natural-log unit when logarithmic), and the
    // pixel of value 0 (of log value 0).
    double Factor() const { return m_factor; }
    double Offset() const { return m_offset; }
    // Pixel along the scale: x on horizontal, y on vertical scales.
    int ValueToPixel(double value) const;
    double PixelToValue(int pixel) const;

    bool Embedded() const { return m_embedded; }
    void SetEmbedded(bool v);
    // Draws onto another device at (x, y) instead of the own one; the device
    // is not taken over.
    void SetExternalCanvas(platform::DrawingDevice* device, int x, int y);
    // The pixels along the scale between which its labels stay whole (by
    // default 2 pixels inside the control); an instrument that covers its
    // edges sets its own.
    void SetLabelLimits(int low, int high);
    platform::DrawingDevice* ExternalCanvas() const { return m_external; }

    void Assign(const TScale& source);

    // Tick value and the tick's point on the base line; the handler may change
    // the device the rest is drawn on.
    std::function<void(TScale* sender, platform::DrawingDevice*& canvas, TScaleType scaleType, double tick,
                       int x, int y)>
        OnScaleTickDrawn;
    std::function<void(TScale* sender, platform::DrawingDevice& canvas)> OnBeforeScaleRendered;
    std::function<void(TScale* sender, platform::DrawingDevice& canvas)> OnAfterScaleRendered;

    // The tick plan of the current settings (what the next drawing shows).
    TTickPlan PlanTicks() const;

protected:
    void Compose(platform::DrawingDevice& dc) override;
    void AfterLoaded() override;
    void Resized() override;

private:
    void Changed();
    void Layout();
    void DrawOn(platform::DrawingDevice& dc, int x, int y);
    void DrawScale(platform::DrawingDevice*& dc, int base);
    void DrawMessage(platform::DrawingDevice& dc, TScaleMessage message, int base);
    void DrawCaption(platform::DrawingDevice& dc, int base);
    bool Horizontal() const { return m_scaleType == sctXB || m_scaleType == sctXT; }
    int PixelsAlong() const;

    std::string m_caption;
    int m_captionPosX = 4;
    int m_captionPosY = 4;
    TAlignment m_captionAlignment = taCenter;
    TScaleUnitAnchor m_captionAnchor = uaSclTopLft;
    TColor m_colorBackGnd = platform::SystemColor(platform::SystemColorIndex::BtnFace);
    TColor m_colorScale = clBlack;
    TColorScheme m_colorScheme = csBWG;
    TFrameStyle m_frameStyle = fsLowered;
    TInstrumentFont m_font;
    bool m_transparent = false;
    TDTLabel m_dateFormat;
    int m_decPlaces = -2;
    TFigType m_labelType = ftNum;
    bool m_logarithmic = false;
    int m_minTicks = 3;
    bool m_shortTicks = true;
    bool m_showBaseLine = true;
    std::string m_scaleInscript;
    std::string m_userTickText;
    TScaleType m_scaleType = sctXB;
    int m_marginTop = 20;
    int m_marginBottom = 20;
    int m_marginLeft = 20;
    int m_marginRight = 20;
    double m_rangeLow = 0;
    double m_rangeHigh = 100;

    // frame colours
    TColor m_colorDark = clBlack;
    TColor m_colorShadow = 0x808080;
    TColor m_colorHighlight = 0xFFFFFF;

    double m_factor = 1;
    double m_offset = 0;
    bool m_embedded = false;
    std::vector<double> m_tickTable;
    platform::DrawingDevice* m_external = nullptr;
    int m_externalX = 0;
    int m_externalY = 0;
    bool m_labelLimited = false;
    int m_labelLow = 0;
    int m_labelHigh = 0;
};
