#include "widgets/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/bitmap_codec.h"
#include "widgets/changed_value.h"
#include "widgets/instrument_texts.h"

namespace {

using platform::BrushDesc;
using platform::PenDesc;

constexpr double kPi = 3.14159265358979323846;

// Exponent form with the fewest mantissa digits that keep 15 significant
// digits, and a signed four-digit exponent: "1.2345E+0004".
std::string FourDigitExponent(double v)
{
    char buf[64];
    char ref[64];
    std::snprintf(ref, sizeof ref, "%.14E", v);
    const double target = std::strtod(ref, nullptr);
    int digits = 1;
    for (; digits < 14; ++digits) {
        std::snprintf(buf, sizeof buf, "%.*E", digits, v);
        if (std::strtod(buf, nullptr) == target)
            break;
    }
    std::snprintf(buf, sizeof buf, "%.*E", digits, v);
    std::string s = buf;
    const std::size_t e = s.find('E');
    if (e == std::string::npos)
        return s;  // not a finite number
    const int exponent = std::atoi(s.c_str() + e + 1);
    char tail[16];
    std::snprintf(tail, sizeof tail, "E%c%04d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return s.substr(0, e) + tail;
}

}  // namespace

TColor ProgBarTableColor(TColor c1, TColor c2, int i)
{
    const double f = std::clamp(i / 1023.0, 0.0, 1.0);
    auto ch = [&](int shift) {
        const int a = static_cast<int>((c1 >> shift) & 0xFF), b = static_cast<int>((c2 >> shift) & 0xFF);
        return static_cast<TColor>(static_cast<int>(std::trunc((b - a) * f + a))) << shift;
    };
    return ch(0) | ch(8) | ch(16);
}

std::string ProgBarValueText(double value, int textDecPlaces)
{
    if (textDecPlaces >= 0)
        return NumberText(value, textDecPlaces);
    std::string s = FourDigitExponent(value);
    if (textDecPlaces == -2)
        return s;
    const std::size_t e = s.find('E');
    if (e == std::string::npos || s.size() < e + 6)
        return s;
    if (s.compare(e + 2, 2, "00") == 0)
        return s.erase(e + 2, 2);
    return std::string(s.size() - 2, '*');
}

double ProgBarLength(int extent, double value, double min, double max)
{
    if (!(max != min) || !std::isfinite(value) || !std::isfinite(min) || !std::isfinite(max))
        return 0;
    const double n = std::nearbyint(extent * ((value - min) / (max - min)));
    return std::isfinite(n) ? n : 0;
}

TProgBar::TProgBar(QWidget* parent) : TInstrumentHost(parent)
{
    m_table[0] = clBlue;
    m_table[1023] = clRed;
    FillTable();
    SetBounds(0, 0, 300, 28);
}

void TProgBar::FillTable()
{
    for (int i = 1; i < 1023; ++i)
        m_table[static_cast<std::size_t>(i)] = ProgBarTableColor(m_table[0], m_table[1023], i);
}

template <typename T>
void TProgBar::StoreAndPaint(T& field, const T& v)
{
    if (StoreChanged(field, v))
        PaintNow();
}

void TProgBar::SetMin(double v) { StoreAndPaint(m_min, v); }
void TProgBar::SetMax(double v) { StoreAndPaint(m_max, v); }
void TProgBar::SetValue(double v) { StoreAndPaint(m_value, v); }
void TProgBar::SetDirection(TDirection v) { StoreAndPaint(m_direction, v); }
void TProgBar::SetShowColorGradient(bool v) { StoreAndPaint(m_showColorGradient, v); }
void TProgBar::SetColorMapMode(TColorMapping v) { StoreAndPaint(m_colorMapMode, v); }
void TProgBar::SetColorBackGnd(TColor v) { StoreAndPaint(m_colorBackGnd, v); }
void TProgBar::SetColorMargin(TColor v) { StoreAndPaint(m_colorMargin, v); }
void TProgBar::SetColorGrid(TColor v) { StoreAndPaint(m_colorGrid, v); }
void TProgBar::SetGridDist(int v) { StoreAndPaint(m_gridDist, v); }
void TProgBar::SetMarginLeft(int v) { StoreAndPaint(m_marginLeft, v); }
void TProgBar::SetMarginRight(int v) { StoreAndPaint(m_marginRight, v); }
void TProgBar::SetMarginTop(int v) { StoreAndPaint(m_marginTop, v); }
void TProgBar::SetMarginBottom(int v) { StoreAndPaint(m_marginBottom, v); }
void TProgBar::SetFrameStyleOuter(TFrameStyle v) { StoreAndPaint(m_frameStyleOuter, v); }
void TProgBar::SetFrameStyleInner(TFrameStyle v) { StoreAndPaint(m_frameStyleInner, v); }
void TProgBar::SetTextAlignment(TAlignment v) { StoreAndPaint(m_textAlignment, v); }
void TProgBar::SetFont(const TInstrumentFont& v) { StoreAndPaint(m_font, v); }

void TProgBar::SetColorMin(TColor v)
{
    m_table[0] = v;
    FillTable();
    PaintNow();
}

void TProgBar::SetColorMax(TColor v)
{
    m_table[1023] = v;
    FillTable();
    PaintNow();
}

void TProgBar::SetColorScheme(TColorScheme v)
{
    if (!StoreChanged(m_colorScheme, v))
        return;
    const TSchemeColors c = SchemeColors(v);
    m_frameShadow = c.shadow;
    m_frameHighlight = c.highlight;
    PaintNow();
}

void TProgBar::SetBackGroundImg(const std::string& v)
{
    if (v.empty()) {
        m_backGroundImg.clear();
    } else if (std::optional<platform::Bitmap> b = platform::LoadBitmapFile(v)) {
        m_background = std::move(*b);
        m_backGroundImg = v;
    }
    PaintNow();
}

void TProgBar::SetTextVisible(bool v)
{
    m_textVisible = v;
    PaintNow();
}

void TProgBar::SetTextPosX(int v)
{
    m_textPosX = std::clamp(v, 0, std::max(Width(), 0));
    PaintNow();
}

void TProgBar::SetTextPosY(int v)
{
    m_textPosY = std::clamp(v, 0, std::max(Height(), 0));
    PaintNow();
}

void TProgBar::SetTextAngle(int v)
{
    m_textAngle = std::clamp(v, 0, 360);
    PaintNow();
}

void TProgBar::SetTextDecPlaces(int v)
{
    m_textDecPlaces = std::clamp(v, -2, 10);
    PaintNow();
}

void TProgBar::Assign(const TProgBar& s)
{
    m_frameStyleOuter = s.m_frameStyleOuter;
    m_frameStyleInner = s.m_frameStyleInner;
    m_value = s.m_value;
    m_max = s.m_max;
    m_min = s.m_min;
    m_direction = s.m_direction;
    m_table = s.m_table;
    m_colorMargin = s.m_colorMargin;
    m_colorBackGnd = s.m_colorBackGnd;
    m_showColorGradient = s.m_showColorGradient;
    m_colorGrid = s.m_colorGrid;
    m_gridDist = s.m_gridDist;
    m_frameShadow = s.m_frameShadow;
    m_frameHighlight = s.m_frameHighlight;
    m_colorScheme = s.m_colorScheme;
    m_colorMapMode = s.m_colorMapMode;
    m_marginLeft = s.m_marginLeft;
    m_marginRight = s.m_marginRight;
    m_marginTop = s.m_marginTop;
    m_marginBottom = s.m_marginBottom;
    m_backGroundImg = s.m_backGroundImg;
    m_textPosX = s.m_textPosX;
    m_textPosY = s.m_textPosY;
    m_textDecPlaces = s.m_textDecPlaces;
    m_textAngle = s.m_textAngle;
    m_textAlignment = s.m_textAlignment;
    OnShowValue = s.OnShowValue;
    m_textVisible = s.m_textVisible;
    m_background = s.m_background;
    PaintNow();
}

// ---- paint ----

void TProgBar::Compose(platform::DrawingDevice& dc)
{
    const int w = dc.Width(), h = dc.Height();
    // a margin far beyond the control acts as one just far enough: the sums stay in int
    static constexpr int kFar = 1 << 20;
    auto margin = [](int v) { return std::clamp(v, -kFar, kFar); };
    const int l = margin(m_marginLeft), t = margin(m_marginTop);
    const int r = w - margin(m_marginRight), b = h - margin(m_marginBottom);
    dc.SelectPen(PenDesc::Solid(m_colorMargin));
    dc.SelectBrush(BrushDesc::Solid(m_colorMargin));
    dc.Rectangle(0, 0, w, h);
    dc.SelectPen(PenDesc::Solid(m_colorBackGnd));
    dc.SelectBrush(BrushDesc::Solid(m_colorBackGnd));
    dc.Rectangle(l, t, r, b);
    if (!m_backGroundImg.empty() && r > l && b > t)
        dc.StretchDrawBitmap({l, t, r, b}, m_background);
    DrawBar(dc, l, t, r, b);
    DrawBox(dc, m_frameStyleInner, l, t, r, b);
    DrawBox(dc, m_frameStyleOuter, 0, 0, w, h);
    if (m_textVisible)
        DrawValueText(dc);
}

void TProgBar::DrawBar(platform::DrawingDevice& dc, int l, int t, int r, int b)
{
    const bool horizontal = m_direction == dirRightward || m_direction == dirLeftward;
    const int extent = horizontal ? r - l : b - t;
    const double n = ProgBarLength(extent, m_value, m_min, m_max);
    if (n <= 0)
        return;
    // steps that land on the control; a longer bar only runs off it
    const int w = dc.Width(), h = dc.Height();
    const int room = m_direction == dirRightward  ? w - l
                     : m_direction == dirLeftward ? r
                     : m_direction == dirUpward   ? b
                                                  : h - t;
    const int steps = static_cast<int>(std::min<double>(n, std::max(room, 0)));
    if (steps <= 0)
        return;
    auto across = [&](int i, TColor c) {
        dc.SelectPen(PenDesc::Solid(c));
        switch (m_direction) {
        case dirRightward: dc.MoveTo(l + i, t); dc.LineTo(l + i, b); break;
        case dirLeftward: dc.MoveTo(r - i - 1, t); dc.LineTo(r - i - 1, b); break;
        case dirUpward: dc.MoveTo(l, b - i - 1); dc.LineTo(r, b - i - 1); break;
        case dirDownward: dc.MoveTo(l, t + i); dc.LineTo(r, t + i); break;
        }
    };
    if (!m_showColorGradient) {
        dc.SelectPen(PenDesc::Solid(m_table[0]));
        dc.SelectBrush(BrushDesc::Solid(m_table[0]));
        switch (m_direction) {
        case dirRightward: dc.Rectangle(l, t, l + steps, b); break;
        case dirLeftward: dc.Rectangle(r - steps, t, r, b); break;
        case dirUpward: dc.Rectangle(l, b - steps, r, b); break;
        case dirDownward: dc.Rectangle(l, t, r, t + steps); break;
        }
    } else {
        const double shift = 1023 - std::nearbyint((n - 1) * 1023 / extent);
        for (int i = 0; i < steps; ++i) {
            double index = 0;
            switch (m_colorMapMode) {
            case cgmCover: index = std::nearbyint(i * 1023.0 / extent); break;
            case cgmStretch: index = std::nearbyint(i * 1023.0 / n); break;
            case cgmMove: index = std::nearbyint(i * 1023.0 / extent) + shift; break;
            }
            across(i, m_table[static_cast<std::size_t>(std::clamp(index, 0.0, 1023.0))]);
        }
    }
    if (m_gridDist > 1) {
        dc.SelectPen(PenDesc::Solid(m_colorGrid));
        for (int i = 0; i < steps; i += m_gridDist) {
            switch (m_direction) {
            case dirRightward: dc.MoveTo(l + i, t); dc.LineTo(l + i, b); break;
            case dirLeftward: dc.MoveTo(r - i, t); dc.LineTo(r - i, b); break;
            case dirUpward: dc.MoveTo(l, b - 1 - i); dc.LineTo(r, b - 1 - i); break;
            case dirDownward: dc.MoveTo(l, t + i); dc.LineTo(r, t + i); break;
            }
        }
    }
}

void TProgBar::DrawBox(platform::DrawingDevice& dc, TFrameStyle style, int l, int t, int r, int b)
{
    if (style == fsNone)
        return;
    dc.SelectBrush(BrushDesc::NullBrush());
    auto outline = [&](TColor c, int x0, int y0, int x1, int y1) {
        dc.SelectPen(PenDesc::Solid(c));
        dc.Rectangle(x0, y0, x1, y1);
    };
    auto bevel = [&](TColor upperLeft, TColor lowerRight) {
        dc.SelectPen(PenDesc::Solid(upperLeft));
        dc.MoveTo(l + 1, b - 3);
        dc.LineTo(l + 1, t + 1);
        dc.LineTo(r - 1, t + 1);
        dc.SelectPen(PenDesc::Solid(lowerRight));
        dc.MoveTo(l + 1, b - 1);
        dc.LineTo(r - 1, b - 1);
        dc.LineTo(r - 1, t);
        outline(m_frameShadow, l, t, r - 1, b - 1);
    };
    switch (style) {
    case fsNone: return;
    case fsSimple: outline(m_frameShadow, l, t, r, b); return;
    case fsLowered: bevel(clBlack, m_frameHighlight); break;
    case fsRaised: bevel(m_frameHighlight, clBlack); break;
    case fsEmbossed:
        outline(m_frameShadow, l + 1, t + 1, r, b);
        outline(m_frameHighlight, l, t, r - 1, b - 1);
        break;
    case fsEngraved:
        outline(m_frameHighlight, l + 1, t + 1, r, b);
        outline(m_frameShadow, l, t, r - 1, b - 1);
        break;
    }
    dc.SetPixel(l, b - 1, m_colorMargin);
    dc.SetPixel(r - 1, t, m_colorMargin);
}

void TProgBar::DrawValueText(platform::DrawingDevice& dc)
{
    platform::FontDesc font = m_font.desc;
    font.escapement = m_textAngle * 10;
    dc.SelectFont(font);
    dc.SetTextColor(m_font.color);
    dc.SetBkMode(platform::BackMode::Transparent);
    dc.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    std::string text = ProgBarValueText(m_value, m_textDecPlaces);
    if (OnShowValue)
        OnShowValue(this, text);
    const platform::Size ext = dc.GetTextExtent(text);
    const int hw = ext.cx / 2, hh = ext.cy / 2;
    const double a = m_textAngle * kPi / 180;
    const double s = std::sin(a), c = std::cos(a);
    int x = m_textPosX, y = m_textPosY;
    switch (m_textAlignment) {
    case taLeftJustify:
        x -= Nearest(hh * s);
        y -= Nearest(hh * c);
        break;
    case taCenter:
        x += Nearest(-hw * c - hh * s);
        y += Nearest(hw * s - hh * c);
        break;
    case taRightJustify:
        x += Nearest(-2 * hw * c - hh * s);
        y += Nearest(2 * hw * s - hh * c);
        break;
    }
    dc.TextOut(x, y, text);
}
