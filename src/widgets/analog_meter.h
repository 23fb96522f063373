#pragma once
// A panel meter: one value, or two, shown by needles over a circular scale
// with coloured zones, limit lamps and an optional background and anchor
// picture. The geometry and the scale arithmetic are plain functions below.
#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "platform/qt_drawing_device.h"
#include "widgets/changed_value.h"
#include "widgets/instrument_base.h"
#include "widgets/instrument_host.h"

enum TMeterLayout : std::uint8_t { mlCirc90, mlCirc120, mlCirc180, mlCirc270, mlCirc300, mlCirc360 };

// ---- geometry and scale arithmetic ----

// The dial: arc in degrees, radius and centre in pixels.
struct TMeterGeometry {
    int arc = 90;
    double radius = 0;
    int centerX = 0;
    int centerY = 0;
};
TMeterGeometry MeterGeometry(TMeterLayout layout, int width, int height, int rimTop, int rimSide, int rimBottom);

// Angle of a value in degrees, counter-clockwise from 3 o'clock: the minimum at
// 90 + arc / 2, the maximum at 90 - arc / 2. The logarithmic mapping applies
// only when v, min and max are all above 0.
double MeterValueAngle(double v, double min, double max, int arc, bool logarithmic);

// (round(cx + cos a * r), round(cy - sin a * r)), a in degrees.
platform::Point MeterDialPoint(const TMeterGeometry& g, double angle, double r);

// The value under a mouse point; within is false (value 0) off the arc.
struct TMeterMouseValue {
    bool within = false;
    double value = 0;
};
TMeterMouseValue MeterValueAt(const TMeterGeometry& g, int x, int y, double min, double max, bool logarithmic);

// Tick layout for about n steps from a to b: a step of 1, 2 or 5 times a power
// of ten, the first multiple of it at or beyond a, minor intervals per step.
struct TMeterTicks {
    double first = 0;
    double step = 0;
    int minorCount = 1;
};
TMeterTicks MeterTickSteps(int n, double a, double b);

// Fixed-point label with `decimals` digits after the point.
std::string MeterLabelText(double v, int decimals);

// ---- the needle ----

// Look of a needle; every setter fires OnChange after a change.
class TNeedleLayout {
public:
    explicit TNeedleLayout(bool visible = true) : m_visible(visible) {}

    int HeadSize() const { return m_headSize; }
    void SetHeadSize(int v);
    // 0 to 180 degrees.
    int HeadAngle() const { return m_headAngle; }
    void SetHeadAngle(int v);
    int HeadMidLeng() const { return m_headMidLeng; }
    void SetHeadMidLeng(int v);
    int Thickness() const { return m_thickness; }
    void SetThickness(int v);
    TColor ColorBody() const { return m_colorBody; }
    void SetColorBody(TColor v);
    TColor ColorOutline() const { return m_colorOutline; }
    void SetColorOutline(TColor v);
    // 0 to 100 per cent of the radius.
    int PercentNeedleLength() const { return m_percentNeedleLength; }
    void SetPercentNeedleLength(int v);
    int ShadowDx() const { return m_shadowDx; }
    void SetShadowDx(int v);
    int ShadowDy() const { return m_shadowDy; }
    void SetShadowDy(int v);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor v);
    bool Visible() const { return m_visible; }
    void SetVisible(bool v);

    // Copies the eleven appearance properties (not OnChange) and fires OnChange.
    void Assign(const TNeedleLayout& source);

    std::function<void(TNeedleLayout* sender)> OnChange;

private:
    template <typename T>
    void Set(T& field, T v);

    int m_headSize = 20;
    int m_headAngle = 30;
    int m_headMidLeng = 20;
    int m_thickness = 0;
    TColor m_colorBody = clSilver;
    TColor m_colorOutline = clBlack;
    int m_percentNeedleLength = 100;
    int m_shadowDx = 0;
    int m_shadowDy = 0;
    TColor m_shadowColor = clGray;
    bool m_visible = true;
};

// The seven points of a needle at angle a (degrees): barb, tip, barb, back of
// the head, base, base, back of the head. The needle is at most MaxLength long.
std::array<platform::Point, 7> MeterNeedlePolygon(const TMeterGeometry& g, const TNeedleLayout& layout, double angle,
                                                  double MaxLength = std::numeric_limits<double>::infinity());

// Longest needle at angle a (degrees) whose tip stops short of the scale label
// there: labels Width x Height at most, centred Wo and Ho inside the radius
// across and up the dial.
double MeterNeedleReach(const TMeterGeometry& g, double angle, double Wo, double Ho, int Width, int Height);

// ---- the meter ----

class TMeter : public TInstrumentHost {
public:
    explicit TMeter(QWidget* parent = nullptr);

    // Values; while loading each setter only stores.
    double MeterMinValue() const { return m_min; }
    void SetMeterMinValue(double v);
    double MeterMaxValue() const { return m_max; }
    void SetMeterMaxValue(double v);
    double Value() const { return m_value; }
    void SetValue(double v);
    double ValueSec() const { return m_valueSec; }
    void SetValueSec(double v);
    double ThresholdLow() const { return m_thresholdLow; }
    void SetThresholdLow(double v);
    double ThresholdHigh() const { return m_thresholdHigh; }
    void SetThresholdHigh(double v);
    bool Logarithmic() const { return m_logarithmic; }
    void SetLogarithmic(bool v);

    // Scale
    TMeterLayout MeterLayout() const { return m_layout; }
    void SetMeterLayout(TMeterLayout v);
    int MeterNrTicks() const { return m_nrTicks; }
    void SetMeterNrTicks(int v);
    int MeterDecPlaces() const { return m_decPlaces; }
    void SetMeterDecPlaces(int v);
    bool MeterShortTicks() const { return m_shortTicks; }
    void SetMeterShortTicks(bool v);
    bool MeterScaleLine() const { return m_scaleLine; }
    void SetMeterScaleLine(bool v);
    bool ScaleVisible() const { return m_scaleVisible; }
    void SetScaleVisible(bool v);
    bool ScaleBkVisible() const { return m_scaleBkVisible; }
    void SetScaleBkVisible(bool v);
    double ScaleBkWidth() const { return m_scaleBkWidth; }
    void SetScaleBkWidth(double v);

    // Colours
    TColor ColorSclBkLow() const { return m_colorSclBkLow; }
    void SetColorSclBkLow(TColor v);
    TColor ColorSclBkNorm() const { return m_colorSclBkNorm; }
    void SetColorSclBkNorm(TColor v);
    TColor ColorSclBkHigh() const { return m_colorSclBkHigh; }
    void SetColorSclBkHigh(TColor v);
    TColor ColorScale() const { return m_colorScale; }
    void SetColorScale(TColor v);
    TColor ColorBakG() const { return m_colorBakG; }
    void SetColorBakG(TColor v);
    TColor ColorCover() const { return m_colorCover; }
    void SetColorCover(TColor v);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme v);
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    void SetFrameStyle(TFrameStyle v);

    // Rims take effect at the next size or layout change; rims and the anchor
    // size are kept within +-2^20 pixels.
    int RimTop() const { return m_rimTop; }
    void SetRimTop(int v);
    int RimSide() const { return m_rimSide; }
    void SetRimSide(int v);
    int RimBottom() const { return m_rimBottom; }
    void SetRimBottom(int v);

    // Limit lamps
    bool LimWatchHighOn() const { return m_limWatchHighOn; }
    void SetLimWatchHighOn(bool v);
    bool LimWatchLowOn() const { return m_limWatchLowOn; }
    void SetLimWatchLowOn(bool v);
    TColor LimWatchActColor() const { return m_limWatchActColor; }
    void SetLimWatchActColor(TColor v);
    TColor LimWatchPsvColor() const { return m_limWatchPsvColor; }
    void SetLimWatchPsvColor(TColor v);
    bool Overflow() const { return m_overflow; }
    bool Underflow() const { return m_underflow; }

    // Anchor and pictures
    int AnchorSize() const { return m_anchorSize; }
    void SetAnchorSize(int v);
    bool AnchorCovered() const { return m_anchorCovered; }
    void SetAnchorCovered(bool v);
    // Bitmap files; a name that cannot be read is stored empty.
    const std::string& AnchorImage() const { return m_anchorImage; }
    void SetAnchorImage(const std::string& v);
    const std::string& BackGroundImg() const { return m_backGroundImg; }
    void SetBackGroundImg(const std::string& v);
    TBkgFill BkgndFillMode() const { return m_bkgndFillMode; }
    void SetBkgndFillMode(TBkgFill v);
    const platform::Bitmap& AnchorMask() const { return m_anchorMask; }

    // Texts
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v);
    const TInstrumentFont& Font() const { return m_font; }
    void SetFont(const TInstrumentFont& v);
    const TInstrumentFont& FontCaption() const { return m_fontCaption; }
    void SetFontCaption(const TInstrumentFont& v);

    // Needles
    TNeedleLayout& NeedleLayout() { return m_needle; }
    TNeedleLayout& NeedleLayoutSec() { return m_needleSec; }
    void SetNeedleLayout(const TNeedleLayout& v);
    void SetNeedleLayoutSec(const TNeedleLayout& v);

    const TMeterGeometry& Geometry() const { return m_geometry; }

    // The mouse at (x, y): OnMouseMoveInMeter with the value there.
    void MouseMoveAt(int x, int y, TShiftState shift);

    std::function<void(TMeter* sender)> OnUnderFlow;
    std::function<void(TMeter* sender)> OnOverFlow;
    std::function<void(TMeter* sender)> OnNormalRange;
    std::function<void(TMeter* sender, bool withinRange, TShiftState shift, double meterValue)> OnMouseMoveInMeter;
    std::function<void(TMeter* sender, platform::DrawingDevice& canvas, std::string& currentTickLabel, int chartX,
                       int chartY)>
        OnBeforeDrawScaleLabel;
    std::function<void(TMeter* sender, platform::DrawingDevice& canvas, bool& needleDrawn)> OnBeforeDrawNeedle;
    std::function<void(TMeter* sender, platform::DrawingDevice& canvas)> OnMeterRendered;

protected:
    void Compose(platform::DrawingDevice& dc) override;
    void AfterLoaded() override;
    void Resized() override;
    void BoundsSet() override;
    void MouseMove(TShiftState shift, int x, int y) override;

private:
    template <typename T>
    void StoreAndPaint(T& field, const T& v)
    {
        if (StoreChanged(field, v))
            PaintNow();
    }
    void UpdateGeometry();
    void StoreValue(double& field, double v, bool needleVisible, bool paint);
    bool LoadBackground();
    bool LoadAnchor();
    double Angle(double v) const;

    void DrawBackground(platform::DrawingDevice& dc);
    void DrawZones(platform::DrawingDevice& dc);
    void DrawScale(platform::DrawingDevice& dc);
    void DrawTick(platform::DrawingDevice& dc, double v, double length);
    void DrawLabel(platform::DrawingDevice& dc, double v, double wo, double ho);
    void DrawCaption(platform::DrawingDevice& dc);
    void DrawNeedle(platform::DrawingDevice& dc, const TNeedleLayout& layout, double value);
    // The labels of the last scale drawn: their offsets and largest size
    // (no labels: width 0).
    struct TLabelRing {
        double wo = 0, ho = 0;
        int width = 0, height = 0;
    } m_labelRing;
    void DrawCover(platform::DrawingDevice& dc);
    void DrawLamps(platform::DrawingDevice& dc);
    void DrawOuterFrame(platform::DrawingDevice& dc);
    // Background, zones, scale and caption: drawn on dc, or copied from the
    // dial kept from the last compose when nothing they show has changed.
    void DrawDial(platform::DrawingDevice& dc);

    // What the dial shows (a plain background only: a picture may blend).
    struct TDialKey {
        int width = 0, height = 0;
        TMeterLayout layout = mlCirc90;
        int rimTop = 0, rimSide = 0, rimBottom = 0;
        // the dial as last laid out: rims alone do not move it
        int arc = 0;
        double radius = 0;
        int centerX = 0, centerY = 0;
        double min = 0, max = 0, thresholdLow = 0, thresholdHigh = 0;
        bool logarithmic = false;
        int nrTicks = 0, decPlaces = 0;
        bool shortTicks = false, scaleLine = false, scaleVisible = false, scaleBkVisible = false;
        double scaleBkWidth = 0;
        TColor colorSclBkLow = 0, colorSclBkNorm = 0, colorSclBkHigh = 0, colorScale = 0, colorBakG = 0;
        std::string caption;
        TInstrumentFont font, fontCaption;
        friend bool operator==(const TDialKey&, const TDialKey&) = default;
    };
    TDialKey DialKey(const platform::DrawingDevice& dc) const;
    std::unique_ptr<platform::QtDrawingDevice> m_dial;
    TDialKey m_dialKey;
    TLabelRing m_dialRing;
    // the device's text state as the dial left it
    platform::FontDesc m_dialFont;
    TColor m_dialTextColor = 0;
    unsigned m_dialTextAlign = 0;
    platform::BackMode m_dialBkMode = platform::BackMode::Transparent;
    platform::Point m_dialPosition;

    double m_min = 0;
    double m_max = 1;
    double m_value = 0;
    double m_valueSec = 0;
    double m_thresholdLow = 0;
    double m_thresholdHigh = 1;
    bool m_logarithmic = false;
    TMeterLayout m_layout = mlCirc90;
    int m_nrTicks = 3;
    int m_decPlaces = 1;
    bool m_shortTicks = true;
    bool m_scaleLine = true;
    bool m_scaleVisible = true;
    bool m_scaleBkVisible = false;
    double m_scaleBkWidth = 0;
    TColor m_colorSclBkLow = clLime;
    TColor m_colorSclBkNorm = 0x0080FF;
    TColor m_colorSclBkHigh = clRed;
    TColor m_colorScale = clNavy;
    TColor m_colorBakG = clWhite;
    TColor m_colorCover;
    TColorScheme m_colorScheme = csBWG;
    TColor m_frameShadow = 0x808080;
    TColor m_frameHighlight = 0xFFFFFF;
    TFrameStyle m_frameStyle = fsRaised;
    int m_rimTop = 8;
    int m_rimSide = 10;
    int m_rimBottom = 10;
    bool m_limWatchHighOn = true;
    bool m_limWatchLowOn = true;
    TColor m_limWatchActColor = clRed;
    TColor m_limWatchPsvColor = clGray;
    int m_anchorSize = 24;
    bool m_anchorCovered = true;
    std::string m_anchorImage;
    std::string m_backGroundImg;
    TBkgFill m_bkgndFillMode = bfSimple;
    std::string m_caption;
    TInstrumentFont m_font;
    TInstrumentFont m_fontCaption;
    TNeedleLayout m_needle{true};
    TNeedleLayout m_needleSec{false};

    TMeterGeometry m_geometry;
    bool m_overflow = false;
    bool m_underflow = false;
    platform::Bitmap m_background{10, 10};
    platform::Bitmap m_anchorPicture{10, 10};
    platform::Bitmap m_anchorMask{10, 10};
};
