#pragma once
// A bar growing from one edge of a framed area in proportion to Value between
// Min and Max, in one colour or from a 1024-entry colour table, with an
// optional grid, background picture and rotated value text.
#include <array>
#include <functional>
#include <string>

#include "widgets/instrument_base.h"
#include "widgets/instrument_host.h"

enum TColorMapping : std::uint8_t { cgmCover, cgmStretch, cgmMove };

// Entry i of the table from c1 (entry 0) to c2 (entry 1023): each channel
// trunc((c2 - c1) * i / 1023 + c1).
TColor ProgBarTableColor(TColor c1, TColor c2, int i);

// The value text for TextDecPlaces (-2 to 10): fixed decimals from 0; -2 the
// exponent form with four exponent digits; -1 that form cut to two exponent
// digits, all "*" when the cut digits are not "00".
std::string ProgBarValueText(double value, int textDecPlaces);

// Bar length in pixels for an extent, halves to even; 0 when min equals max.
// Kept as a real so that a huge value neither overflows nor changes the colours.
double ProgBarLength(int extent, double value, double min, double max);

class TProgBar : public TInstrumentHost {
public:
    explicit TProgBar(QWidget* parent = nullptr);

    double Min() const { return m_min; }
    void SetMin(double v);
    double Max() const { return m_max; }
    void SetMax(double v);
    double Value() const { return m_value; }
    void SetValue(double v);
    TDirection Direction() const { return m_direction; }
    void SetDirection(TDirection v);

    TColor ColorMin() const { return m_table[0]; }
    void SetColorMin(TColor v);
    TColor ColorMax() const { return m_table[1023]; }
    void SetColorMax(TColor v);
    TColor TableColor(int i) const { return m_table[static_cast<std::size_t>(i)]; }
    bool ShowColorGradient() const { return m_showColorGradient; }
    void SetShowColorGradient(bool v);
    TColorMapping ColorMapMode() const { return m_colorMapMode; }
    void SetColorMapMode(TColorMapping v);
    TColor ColorBackGnd() const { return m_colorBackGnd; }
    void SetColorBackGnd(TColor v);
    TColor ColorMargin() const { return m_colorMargin; }
    void SetColorMargin(TColor v);
    TColor ColorGrid() const { return m_colorGrid; }
    void SetColorGrid(TColor v);
    int GridDist() const { return m_gridDist; }
    void SetGridDist(int v);

    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int v);
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int v);
    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int v);
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int v);
    TFrameStyle FrameStyleOuter() const { return m_frameStyleOuter; }
    void SetFrameStyleOuter(TFrameStyle v);
    TFrameStyle FrameStyleInner() const { return m_frameStyleInner; }
    void SetFrameStyleInner(TFrameStyle v);
    TColorScheme ColorScheme() const { return m_colorScheme; }
    void SetColorScheme(TColorScheme v);

    // A bitmap file stretched over the bar area; a file that cannot be read is ignored.
    const std::string& BackGroundImg() const { return m_backGroundImg; }
    void SetBackGroundImg(const std::string& v);

    bool TextVisible() const { return m_textVisible; }
    void SetTextVisible(bool v);
    int TextPosX() const { return m_textPosX; }
    void SetTextPosX(int v);
    int TextPosY() const { return m_textPosY; }
    void SetTextPosY(int v);
    TAlignment TextAlignment() const { return m_textAlignment; }
    void SetTextAlignment(TAlignment v);
    int TextAngle() const { return m_textAngle; }
    void SetTextAngle(int v);
    int TextDecPlaces() const { return m_textDecPlaces; }
    void SetTextDecPlaces(int v);
    const TInstrumentFont& Font() const { return m_font; }
    void SetFont(const TInstrumentFont& v);

    void Assign(const TProgBar& source);

    std::function<void(TProgBar* sender, std::string& valueText)> OnShowValue;

protected:
    void Compose(platform::DrawingDevice& dc) override;

private:
    template <typename T>
    void StoreAndPaint(T& field, const T& v);
    void FillTable();
    void DrawBar(platform::DrawingDevice& dc, int l, int t, int r, int b);
    void DrawBox(platform::DrawingDevice& dc, TFrameStyle style, int l, int t, int r, int b);
    void DrawValueText(platform::DrawingDevice& dc);

    double m_min = 0;
    double m_max = 100;
    double m_value = 10;
    TDirection m_direction = dirRightward;
    std::array<TColor, 1024> m_table{};
    bool m_showColorGradient = false;
    TColorMapping m_colorMapMode = cgmStretch;
    TColor m_colorBackGnd = 0xC0C0C0;
    TColor m_colorMargin = 0xC0C0C0;
    TColor m_colorGrid = clBlack;
    int m_gridDist = 0;
    int m_marginLeft = 4;
    int m_marginRight = 4;
    int m_marginTop = 4;
    int m_marginBottom = 4;
    TFrameStyle m_frameStyleOuter = fsRaised;
    TFrameStyle m_frameStyleInner = fsLowered;
    TColorScheme m_colorScheme = csBWG;
    TColor m_frameShadow = 0x808080;
    TColor m_frameHighlight = 0xFFFFFF;
    std::string m_backGroundImg;
    platform::Bitmap m_background{10, 10};
    bool m_textVisible = true;
    int m_textPosX = 14;
    int m_textPosY = 14;
    TAlignment m_textAlignment = taCenter;
    int m_textAngle = 0;
    int m_textDecPlaces = 0;
    TInstrumentFont m_font;
};
