#include "widgets/analog_meter.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/numeric_helpers.h"
#include "platform/bitmap_codec.h"
#include "platform/system_colors.h"
#include "widgets/changed_value.h"
#include "widgets/instrument_texts.h"

namespace {

using platform::BrushDesc;
using platform::PenDesc;
using platform::Point;

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
constexpr double kLogFloor = 1e-100;
// Loops over ticks stop here whatever the arithmetic says.
constexpr int kMaxTicks = 10000;


bool FileExists(const std::string& name)
{
    std::error_code ec;
    return !name.empty() && std::filesystem::is_regular_file(name, ec);
}

}  // namespace

// ---- geometry and scale arithmetic ----

TMeterGeometry MeterGeometry(TMeterLayout layout, int w, int h, int rimTop, int rimSide, int rimBottom)
{
    TMeterGeometry g;
    g.centerX = w / 2;
    g.radius = h - rimBottom - rimTop - 16;
    g.centerY = h - rimBottom - 8;
    auto lowCentre = [&](int arc, double factor) {
        g.arc = arc;
        g.radius = std::min<double>(h - rimBottom - rimTop - 16, (w / 2.0 - rimSide - 8) * factor);
        g.centerY = h - rimBottom - 8;
    };
    auto midCentre = [&](int arc, double factor) {
        g.arc = arc;
        g.radius = std::min<double>(w / 2 - rimSide - 8, (h - rimTop - rimBottom - 16) / factor);
        g.centerY = Nearest(rimTop + 8 + g.radius);
    };
    switch (layout) {
    case mlCirc90: lowCentre(90, 1.414); break;
    case mlCirc120: lowCentre(120, 1.1547); break;
    case mlCirc180:
        g.arc = 180;
        g.radius = std::min(w / 2 - rimSide - 8, h - rimTop - rimBottom - 16);
        g.centerY = h - rimBottom - 8;
        break;
    case mlCirc270: midCentre(270, 1.7071); break;
    case mlCirc300: midCentre(300, 1.866); break;
    case mlCirc360: midCentre(360, 2); break;
    }
    return g;
}

double MeterValueAngle(double v, double min, double max, int arc, bool logarithmic)
{
    double f;
    if (logarithmic && v > 0 && min > 0 && max > 0)
        f = (std::log(v) - std::log(min)) / (std::log(max) - std::log(min));
    else
        f = (v - min) / (max - min);
    return arc / 2.0 + 90 - f * arc;
}

Point MeterDialPoint(const TMeterGeometry& g, double angle, double r)
{
    const double a = angle * kDegToRad;
    return {Nearest(g.centerX + std::cos(a) * r), Nearest(g.centerY - std::sin(a) * r)};
}

TMeterMouseValue MeterValueAt(const TMeterGeometry& g, int x, int y, double min, double max, bool logarithmic)
{
    constexpr double kPi = 3.14159265358979323846;
    const int dx = x - g.centerX, dy = y - g.centerY;
    double a;
    if (dx == 0) {
        a = dy > 0 ? kPi / 2 : 3 * kPi / 2;
    } else {
        a = std::atan(static_cast<double>(dy) / dx);
        if (dx < 0)
            a += kPi;
    }
    if (a < 0)
        a += 2 * kPi;
    else if (a > 2 * kPi)
        a -= 2 * kPi;
    double d = a * 57.29577951308232 - 90;  // clockwise from straight down
    if (d < 0)
        d += 360;
    const double start = 180 - g.arc / 2.0, end = 180 + g.arc / 2.0;
    if (d < start || d > end)
        return {};
    const double f = (d - start) / g.arc;
    if (logarithmic)
        return {true, std::exp(std::log(min) + (std::log(max) - std::log(min)) * f)};
    return {true, min + f * (max - min)};
}

TMeterTicks MeterTickSteps(int n, double a, double b)
{
    TMeterTicks t;
    if (a == b || n <= 0 || !std::isfinite(a) || !std::isfinite(b)) {
        t.first = a;
        return t;
    }
    const double dir = a < b ? 1 : -1;
    double e = std::log10(std::fabs(b - a) / n);
    double f = e - std::trunc(e);
    if (std::fabs(f) < 1e-10 || std::fabs(f) > 0.9999999999) {
        f = 0;
        e = std::nearbyint(e);
    }
    if (e < 0 && f != 0)
        e -= 1;
    if (f < 0)
        f += 1;
    const double p = std::pow(10.0, std::trunc(e));
    if (f < std::log10(2.0) + 1e-10) {
        t.step = p;
        t.minorCount = 5;
    } else if (f < std::log10(5.0) + 1e-10) {
        t.step = 2 * p;
        t.minorCount = 4;
    } else {
        t.step = 5 * p;
        t.minorCount = 5;
    }
    t.step *= dir;
    t.first = (std::trunc(a / t.step) - 1) * t.step;
    for (int i = 0; i < kMaxTicks && dir * (a - t.first) > std::fabs(t.step) * 0.001; ++i)
        t.first += t.step;
    return t;
}

std::string MeterLabelText(double v, int decimals)
{
    return NumberText(v, decimals);
}

// ---- the needle ----

template <typename T>
void TNeedleLayout::Set(T& field, T v)
{
    if (!StoreChanged(field, v))
        return;
    if (OnChange)
        OnChange(this);
}

void TNeedleLayout::SetHeadSize(int v) { Set(m_headSize, v); }
void TNeedleLayout::SetHeadAngle(int v) { Set(m_headAngle, std::clamp(v, 0, 180)); }
void TNeedleLayout::SetHeadMidLeng(int v) { Set(m_headMidLeng, v); }
void TNeedleLayout::SetThickness(int v) { Set(m_thickness, v); }
void TNeedleLayout::SetColorBody(TColor v) { Set(m_colorBody, v); }
void TNeedleLayout::SetColorOutline(TColor v) { Set(m_colorOutline, v); }
void TNeedleLayout::SetPercentNeedleLength(int v) { Set(m_percentNeedleLength, std::clamp(v, 0, 100)); }
void TNeedleLayout::SetShadowDx(int v) { Set(m_shadowDx, v); }
void TNeedleLayout::SetShadowDy(int v) { Set(m_shadowDy, v); }
void TNeedleLayout::SetShadowColor(TColor v) { Set(m_shadowColor, v); }
void TNeedleLayout::SetVisible(bool v) { Set(m_visible, v); }

void TNeedleLayout::Assign(const TNeedleLayout& s)
{
    m_headSize = s.m_headSize;
    m_headAngle = s.m_headAngle;
    m_headMidLeng = s.m_headMidLeng;
    m_thickness = s.m_thickness;
    m_colorBody = s.m_colorBody;
    m_colorOutline = s.m_colorOutline;
    m_percentNeedleLength = s.m_percentNeedleLength;
    m_shadowDx = s.m_shadowDx;
    m_shadowDy = s.m_shadowDy;
    m_shadowColor = s.m_shadowColor;
    m_visible = s.m_visible;
    if (OnChange)
        OnChange(this);
}

std::array<Point, 7> MeterNeedlePolygon(const TMeterGeometry& g, const TNeedleLayout& l, double angle, double MaxLength)
{
    const double a = angle * kDegToRad;
    const double len = std::min((g.radius - 4) * l.PercentNeedleLength() * 0.01, MaxLength);
    const double tx = Nearest(g.centerX + std::cos(a) * len), ty = Nearest(g.centerY - std::sin(a) * len);
    const double sx = std::sin(a) * l.Thickness() / 2, sy = std::cos(a) * l.Thickness() / 2;
    const double h = l.HeadAngle() / 2.0 * kDegToRad;
    const double hs = l.HeadSize(), mid = l.HeadMidLeng();
    return {{{Nearest(tx - std::cos(a + h) * hs), Nearest(ty + std::sin(a + h) * hs)},
             {static_cast<int>(tx), static_cast<int>(ty)},
             {Nearest(tx - std::cos(a - h) * hs), Nearest(ty + std::sin(a - h) * hs)},
             {Nearest(tx - sx - std::cos(a) * mid), Nearest(ty - sy + std::sin(a) * mid)},
             {Nearest(g.centerX - sx), Nearest(g.centerY - sy)},
             {Nearest(g.centerX + sx), Nearest(g.centerY + sy)},
             {Nearest(tx + sx - std::cos(a) * mid), Nearest(ty + sy + std::sin(a) * mid)}}};
}

double MeterNeedleReach(const TMeterGeometry& g, double angle, double Wo, double Ho, int Width, int Height)
{
    const double a = angle * kDegToRad;
    const double c = std::cos(a), s = std::sin(a);
    // the label's centre and its half extent, both along the needle
    const double centre = c * c * (g.radius - Wo) + s * s * (g.radius - Ho);
    const double half = std::fabs(c) * Width / 2.0 + std::fabs(s) * Height / 2.0;
    return centre - half - 2;
}

// ---- the meter ----

TMeter::TMeter(QWidget* parent)
    : TInstrumentHost(parent), m_colorCover(platform::SystemColor(platform::SystemColorIndex::BtnFace))
{
    setMouseTracking(true);
    m_fontCaption = m_font;
    m_needle.OnChange = [this](TNeedleLayout*) { PaintNow(); };
    m_needleSec.OnChange = [this](TNeedleLayout*) { PaintNow(); };
    SetBounds(0, 0, 297, 209);
    UpdateGeometry();
}

void TMeter::UpdateGeometry()
{
    m_geometry = MeterGeometry(m_layout, Width(), Height(), m_rimTop, m_rimSide, m_rimBottom);
}

void TMeter::Resized()
{
    UpdateGeometry();
}

// Bounds given again lay the dial out with the rims as they are now.
void TMeter::BoundsSet()
{
    UpdateGeometry();
}

double TMeter::Angle(double v) const
{
    return MeterValueAngle(v, m_min, m_max, m_geometry.arc, m_logarithmic);
}

// ---- values ----

void TMeter::StoreValue(double& field, double v, bool needleVisible, bool paint)
{
    if (std::isnan(v))
        return;
    if (Loading()) {
        field = v;
        return;
    }
    // compared after limiting, so a repeated out-of-range value is no change
    v = std::clamp(v, m_min, m_max);
    if (v == field)
        return;
    field = v;
    m_overflow = m_underflow = false;
    if (needleVisible) {
        if (v >= m_thresholdHigh) {
            m_overflow = true;
            if (OnOverFlow)
                OnOverFlow(this);
        } else if (v <= m_thresholdLow) {
            m_underflow = true;
            if (OnUnderFlow)
                OnUnderFlow(this);
        } else if (OnNormalRange) {
            OnNormalRange(this);
        }
    }
    if (paint)
        PaintNow();
}

void TMeter::SetValue(double v) { StoreValue(m_value, v, m_needle.Visible(), true); }

void TMeter::SetValueSec(double v) { StoreValue(m_valueSec, v, m_needleSec.Visible(), m_needleSec.Visible()); }

void TMeter::SetMeterMinValue(double v)
{
    if (!std::isfinite(v) || (m_logarithmic && v < kLogFloor))
        return;
    if (Loading()) {
        m_min = v;
        return;
    }
    if (!StoreChanged(m_min, v))
        return;
    if (m_max <= m_min)
        m_max = m_min + 1;
    for (double* p : {&m_value, &m_valueSec, &m_thresholdLow, &m_thresholdHigh})
        *p = std::max(*p, m_min);
    PaintNow();
}

void TMeter::SetMeterMaxValue(double v)
{
    if (!std::isfinite(v) || (m_logarithmic && v < kLogFloor))
        return;
    if (Loading()) {
        m_max = v;
        return;
    }
    if (!StoreChanged(m_max, v))
        return;
    if (m_min >= m_max) {
        m_min = m_max - 1;
        if (m_logarithmic && m_min <= 0)
            m_min = m_max / 10;
    }
    for (double* p : {&m_value, &m_valueSec, &m_thresholdLow, &m_thresholdHigh})
        *p = std::min(*p, m_max);
    PaintNow();
}

void TMeter::SetThresholdLow(double v)
{
    if (std::isnan(v) || (m_logarithmic && v < kLogFloor))
        return;
    if (Loading()) {
        m_thresholdLow = v;
        return;
    }
    if (v == m_thresholdLow)
        return;
    m_thresholdLow = std::clamp(v, m_min, m_max);
    if (m_thresholdLow > m_thresholdHigh)
        m_thresholdHigh = m_thresholdLow;
    m_underflow = m_value <= m_thresholdLow;
    if (m_underflow && OnUnderFlow)
        OnUnderFlow(this);
    PaintNow();
}

void TMeter::SetThresholdHigh(double v)
{
    if (std::isnan(v) || (m_logarithmic && v < kLogFloor))
        return;
    if (Loading()) {
        m_thresholdHigh = v;
        return;
    }
    if (v == m_thresholdHigh)
        return;
    m_thresholdHigh = std::clamp(v, m_min, m_max);
    if (m_thresholdHigh < m_thresholdLow)
        m_thresholdLow = m_thresholdHigh;
    m_overflow = m_value >= m_thresholdHigh;
    if (m_overflow && OnOverFlow)
        OnOverFlow(this);
    PaintNow();
}

void TMeter::SetLogarithmic(bool v)
{
    if (Loading()) {
        m_logarithmic = v;
        return;
    }
    if (v == m_logarithmic)
        return;
    m_logarithmic = v && m_min > kLogFloor && m_max > kLogFloor;
    PaintNow();
}

void TMeter::AfterLoaded()
{
    // values stored while loading are brought into a consistent state here
    if (!(m_min < m_max))
        m_max = m_min + 1;
    if (m_logarithmic && !(m_min > kLogFloor && m_max > kLogFloor))
        m_logarithmic = false;
    m_value = std::clamp(m_value, m_min, m_max);
    if (!m_backGroundImg.empty() && !LoadBackground())
        m_backGroundImg.clear();
    if (!m_anchorImage.empty() && !LoadAnchor())
        m_anchorImage.clear();
    PaintNow();
}

// ---- other properties ----

void TMeter::SetMeterLayout(TMeterLayout v)
{
    if (!StoreChanged(m_layout, v))
        return;
    UpdateGeometry();
    PaintNow();
}

void TMeter::SetMeterNrTicks(int v)
{
    if (v == m_nrTicks)
        return;
    m_nrTicks = std::clamp(v, 2, 21);
    PaintNow();
}

void TMeter::SetMeterDecPlaces(int v)
{
    if (v == m_decPlaces)
        return;
    m_decPlaces = std::clamp(v, 0, 4);
    PaintNow();
}

void TMeter::SetScaleBkWidth(double v)
{
    if (std::isnan(v))
        return;
    m_scaleBkWidth = std::clamp(v, 0.0, 100.0);
    PaintNow();
}

void TMeter::SetScaleBkVisible(bool v)
{
    m_scaleBkVisible = v;
    PaintNow();
}

void TMeter::SetScaleVisible(bool v)
{
    m_scaleVisible = v;
    PaintNow();
}

void TMeter::SetBkgndFillMode(TBkgFill v)
{
    m_bkgndFillMode = v;
    PaintNow();
}

void TMeter::SetCaption(const std::string& v)
{
    m_caption = v;
    PaintNow();
}

void TMeter::SetColorScheme(TColorScheme v)
{
    if (!StoreChanged(m_colorScheme, v))
        return;
    const TSchemeColors c = SchemeColors(v);
    m_frameShadow = c.shadow;
    m_frameHighlight = c.highlight;
    PaintNow();
}

void TMeter::SetFont(const TInstrumentFont& v)
{
    if (StoreChanged(m_font, v))
        PaintNow();
}

void TMeter::SetFontCaption(const TInstrumentFont& v)
{
    m_fontCaption = v;
    PaintNow();
}

void TMeter::SetNeedleLayout(const TNeedleLayout& v)
{
    if (&v != &m_needle)
        m_needle.Assign(v);  // paints through OnChange
}

void TMeter::SetNeedleLayoutSec(const TNeedleLayout& v)
{
    if (&v != &m_needleSec)
        m_needleSec.Assign(v);
}

void TMeter::SetMeterShortTicks(bool v) { StoreAndPaint(m_shortTicks, v); }
void TMeter::SetMeterScaleLine(bool v) { StoreAndPaint(m_scaleLine, v); }
void TMeter::SetColorSclBkLow(TColor v) { StoreAndPaint(m_colorSclBkLow, v); }
void TMeter::SetColorSclBkNorm(TColor v) { StoreAndPaint(m_colorSclBkNorm, v); }
void TMeter::SetColorSclBkHigh(TColor v) { StoreAndPaint(m_colorSclBkHigh, v); }
void TMeter::SetColorScale(TColor v) { StoreAndPaint(m_colorScale, v); }
void TMeter::SetColorBakG(TColor v) { StoreAndPaint(m_colorBakG, v); }
void TMeter::SetColorCover(TColor v) { StoreAndPaint(m_colorCover, v); }
void TMeter::SetFrameStyle(TFrameStyle v) { StoreAndPaint(m_frameStyle, v); }
namespace {

// Rims and the anchor beyond any screen would overflow the pixel arithmetic.
int PixelLength(int v)
{
    constexpr int kLimit = 1 << 20;
    return std::clamp(v, -kLimit, kLimit);
}

}  // namespace

void TMeter::SetRimTop(int v) { StoreAndPaint(m_rimTop, PixelLength(v)); }
void TMeter::SetRimSide(int v) { StoreAndPaint(m_rimSide, PixelLength(v)); }
void TMeter::SetRimBottom(int v) { StoreAndPaint(m_rimBottom, PixelLength(v)); }
void TMeter::SetLimWatchHighOn(bool v) { StoreAndPaint(m_limWatchHighOn, v); }
void TMeter::SetLimWatchLowOn(bool v) { StoreAndPaint(m_limWatchLowOn, v); }
void TMeter::SetLimWatchActColor(TColor v) { StoreAndPaint(m_limWatchActColor, v); }
void TMeter::SetLimWatchPsvColor(TColor v) { StoreAndPaint(m_limWatchPsvColor, v); }
void TMeter::SetAnchorSize(int v) { StoreAndPaint(m_anchorSize, PixelLength(v)); }
void TMeter::SetAnchorCovered(bool v) { StoreAndPaint(m_anchorCovered, v); }

// ---- pictures ----

bool TMeter::LoadBackground()
{
    std::optional<platform::Bitmap> b = platform::LoadBitmapFile(m_backGroundImg);
    if (!b)
        return false;
    m_background = std::move(*b);
    return true;
}

bool TMeter::LoadAnchor()
{
    std::optional<platform::Bitmap> b = platform::LoadBitmapFile(m_anchorImage);
    if (!b)
        return false;
    m_anchorPicture = std::move(*b);
    m_anchorPicture.SetHasAlpha(false);
    // The mask, pixel by pixel whatever the file's depth: black where the
    // picture has colour, white where it is black (the dial shows through).
    m_anchorMask = platform::Bitmap(m_anchorPicture.Width(), m_anchorPicture.Height());
    for (int y = 0; y < m_anchorPicture.Height(); ++y) {
        const std::uint32_t* src = m_anchorPicture.ScanLine(y);
        std::uint32_t* dst = m_anchorMask.ScanLine(y);
        for (int x = 0; x < m_anchorPicture.Width(); ++x)
            dst[x] = (src[x] & 0xFFFFFFu) != 0 ? 0xFF000000u : 0xFFFFFFFFu;
    }
    return true;
}

void TMeter::SetBackGroundImg(const std::string& v)
{
    m_backGroundImg = FileExists(v) ? v : std::string();
    if (!m_backGroundImg.empty() && !Loading() && !LoadBackground())
        m_backGroundImg.clear();
    PaintNow();
}

void TMeter::SetAnchorImage(const std::string& v)
{
    m_anchorImage = FileExists(v) ? v : std::string();
    if (!m_anchorImage.empty() && !Loading() && !LoadAnchor())
        m_anchorImage.clear();
    PaintNow();
}

// ---- mouse ----

void TMeter::MouseMoveAt(int x, int y, TShiftState shift)
{
    // every move of the mouse comes here: the value only for a handler
    if (!OnMouseMoveInMeter)
        return;
    const TMeterMouseValue m = MeterValueAt(m_geometry, x, y, m_min, m_max, m_logarithmic);
    OnMouseMoveInMeter(this, m.within, shift, m.value);
}

void TMeter::MouseMove(TShiftState shift, int x, int y)
{
    TInstrumentHost::MouseMove(shift, x, y);
    MouseMoveAt(x, y, shift);
}

// ---- paint ----

void TMeter::Compose(platform::DrawingDevice& dc)
{
    const TMeterGeometry& g = m_geometry;
    if (g.radius <= 0 || !(m_min < m_max)) {
        // no picture at all: the place shows the window, not the last dial
        dc.SetSize(0, 0);
        return;
    }
    DrawDial(dc);
    bool needleDrawn = false;
    if (OnBeforeDrawNeedle)
        OnBeforeDrawNeedle(this, dc, needleDrawn);
    if (!needleDrawn) {
        if (m_needleSec.Visible())
            DrawNeedle(dc, m_needleSec, m_valueSec);
        DrawNeedle(dc, m_needle, m_value);  // drawn whatever its Visible says
    }
    DrawCover(dc);
    DrawLamps(dc);
    if (OnMeterRendered)
        OnMeterRendered(this, dc);
    DrawOuterFrame(dc);
}

TMeter::TDialKey TMeter::DialKey(const platform::DrawingDevice& dc) const
{
    TDialKey k;
    k.width = dc.Width();
    k.height = dc.Height();
    k.layout = m_layout;
    k.rimTop = m_rimTop;
    k.rimSide = m_rimSide;
    k.rimBottom = m_rimBottom;
    k.arc = m_geometry.arc;
    k.radius = m_geometry.radius;
    k.centerX = m_geometry.centerX;
    k.centerY = m_geometry.centerY;
    k.min = m_min;
    k.max = m_max;
    k.thresholdLow = m_thresholdLow;
    k.thresholdHigh = m_thresholdHigh;
    k.logarithmic = m_logarithmic;
    k.nrTicks = m_nrTicks;
    k.decPlaces = m_decPlaces;
    k.shortTicks = m_shortTicks;
    k.scaleLine = m_scaleLine;
    k.scaleVisible = m_scaleVisible;
    k.scaleBkVisible = m_scaleBkVisible;
    k.scaleBkWidth = m_scaleBkWidth;
    k.colorSclBkLow = m_colorSclBkLow;
    k.colorSclBkNorm = m_colorSclBkNorm;
    k.colorSclBkHigh = m_colorSclBkHigh;
    k.colorScale = m_colorScale;
    k.colorBakG = m_colorBakG;
    k.caption = m_caption;
    k.font = m_font;
    k.fontCaption = m_fontCaption;
    return k;
}

void TMeter::DrawDial(platform::DrawingDevice& dc)
{
    const auto draw = [this](platform::DrawingDevice& d) {
        DrawBackground(d);
        if (m_scaleBkVisible)
            DrawZones(d);
        d.SelectBrush(BrushDesc::NullBrush());
        m_labelRing = {};
        if (m_scaleVisible)
            DrawScale(d);
        DrawCaption(d);
    };
    // kept only for a plain background on a raster device, with no hook that
    // draws on the dial or sees its state
    auto* raster = dynamic_cast<platform::QtDrawingDevice*>(&dc);
    if (!raster || !m_backGroundImg.empty() || OnBeforeDrawScaleLabel || OnBeforeDrawNeedle || OnMeterRendered
        || raster->GetViewportOrg().x != 0 || raster->GetViewportOrg().y != 0 || raster->GetClipRgn()) {
        m_dial.reset();
        draw(dc);
        return;
    }
    const TDialKey key = DialKey(dc);
    if (!m_dial || !(key == m_dialKey)) {
        if (!m_dial)
            m_dial = std::make_unique<platform::QtDrawingDevice>(dc.Width(), dc.Height());
        else
            m_dial->SetSize(dc.Width(), dc.Height());
        draw(*m_dial);
        m_dialKey = key;
        m_dialRing = m_labelRing;
        m_dialFont = m_dial->GetFont();
        m_dialTextColor = m_dial->GetTextColor();
        m_dialTextAlign = m_dial->GetTextAlign();
        m_dialBkMode = m_dial->GetBkMode();
        m_dialPosition = m_dial->GetCurrentPosition();
    }
    dc.BitBlt(0, 0, dc.Width(), dc.Height(), m_dial->Surface(), 0, 0, platform::Rop3::SrcCopy);
    m_labelRing = m_dialRing;
    // the state the dial leaves for what follows
    dc.SelectFont(m_dialFont);
    dc.SetTextColor(m_dialTextColor);
    dc.SetTextAlign(m_dialTextAlign);
    dc.SetBkMode(m_dialBkMode);
    dc.SelectPen(PenDesc::Solid(m_scaleVisible ? m_colorScale : m_colorBakG));
    dc.SelectBrush(BrushDesc::NullBrush());
    dc.MoveTo(m_dialPosition.x, m_dialPosition.y);
}

void TMeter::DrawBackground(platform::DrawingDevice& dc)
{
    const int w = dc.Width(), h = dc.Height();
    const bool picture = !m_backGroundImg.empty();
    if (picture && m_bkgndFillMode == bfSimple) {
        dc.SelectPen(PenDesc::Solid(clBlack));
        dc.SelectBrush(BrushDesc::Solid(clWhite));
        dc.Rectangle(0, 0, w, h);
        dc.DrawBitmap(0, 0, m_background);
    } else if (picture && m_bkgndFillMode == bfStretch) {
        dc.StretchDrawBitmap({0, 0, w, h}, m_background);
    } else if (picture) {
        const int pw = m_background.Width(), ph = m_background.Height();
        if (pw <= 0 || ph <= 0)
            return;  // an empty picture has no tiles
        for (int row = 0; row < (h - 1) / ph + 1; ++row)
            for (int col = 0; col < (w - 1) / pw + 1; ++col)
                dc.DrawBitmap(col * pw, row * ph, m_background);
    } else {
        dc.SelectFont(m_font.desc);
        dc.SelectPen(PenDesc::Solid(m_colorBakG));
        dc.SelectBrush(BrushDesc::Solid(m_colorBakG));
        dc.Rectangle(0, 0, w, h);
    }
}

void TMeter::DrawZones(platform::DrawingDevice& dc)
{
    const TMeterGeometry& g = m_geometry;
    const int ro = Nearest(g.radius + 4);
    const int ri = Nearest((100 - m_scaleBkWidth) * g.radius / 100);
    const double start = 90 + g.arc / 2.0, end = 90 - g.arc / 2.0;
    const double low = Angle(m_thresholdLow), high = Angle(m_thresholdHigh);
    auto pie = [&](TColor c, double from, double to) {
        if (std::fabs(from - to) * kDegToRad <= 1e-6)
            return;
        dc.SelectPen(PenDesc::Solid(c));
        dc.SelectBrush(BrushDesc::Solid(c));
        const Point p1 = MeterDialPoint(g, from, ro), p2 = MeterDialPoint(g, to, ro);
        dc.Pie(g.centerX - ro, g.centerY - ro, g.centerX + ro + 1, g.centerY + ro, p1.x, p1.y, p2.x, p2.y);
    };
    pie(m_colorSclBkLow, low, start);
    pie(m_colorSclBkNorm, high, low);
    pie(m_colorSclBkHigh, end, high);
    dc.SelectPen(PenDesc::Solid(m_colorBakG));
    dc.SelectBrush(BrushDesc::Solid(m_colorBakG));
    dc.Ellipse(g.centerX - ri, g.centerY - ri, g.centerX + ri + 1, g.centerY + ri);
}

void TMeter::DrawTick(platform::DrawingDevice& dc, double v, double length)
{
    const double a = Angle(v);
    const Point p0 = MeterDialPoint(m_geometry, a, m_geometry.radius);
    const Point p1 = MeterDialPoint(m_geometry, a, m_geometry.radius - length);
    dc.MoveTo(p0.x, p0.y);
    dc.LineTo(p1.x, p1.y);
}

void TMeter::DrawLabel(platform::DrawingDevice& dc, double v, double wo, double ho)
{
    const TMeterGeometry& g = m_geometry;
    const double a = Angle(v) * kDegToRad;
    const int lx = Nearest(g.centerX + std::cos(a) * (g.radius - wo));
    const int ly = Nearest(g.centerY - std::sin(a) * (g.radius - ho));
    std::string text = MeterLabelText(v, m_decPlaces);
    platform::Size ext = dc.GetTextExtent(text);
    if (OnBeforeDrawScaleLabel) {
        OnBeforeDrawScaleLabel(this, dc, text, lx - ext.cx / 2, ly - ext.cy / 2);
        ext = dc.GetTextExtent(text);
    }
    if (!text.empty())
        dc.TextOut(lx - ext.cx / 2, ly - ext.cy / 2, text);
}

void TMeter::DrawScale(platform::DrawingDevice& dc)
{
    const TMeterGeometry& g = m_geometry;
    dc.SelectPen(PenDesc::Solid(m_colorScale));
    if (m_scaleLine) {
        const int r = Nearest(g.radius);
        const Point e = MeterDialPoint(g, 90 - g.arc / 2.0, r), s = MeterDialPoint(g, 90 + g.arc / 2.0, r);
        dc.Arc(g.centerX - r, g.centerY - r, g.centerX + r + 1, g.centerY + r, e.x, e.y, s.x, s.y);
    }
    const TMeterTicks t = MeterTickSteps(m_nrTicks, m_min, m_max);
    const double minorStep = t.step / t.minorCount;
    if (m_shortTicks && t.step != 0) {
        for (int k = 0; k < kMaxTicks; ++k) {
            const double v = (t.first - t.step) + k * minorStep;
            if (v - m_max > minorStep * 0.001)
                break;
            const double q = (v - t.first) / t.step;
            if (std::fabs(q - std::trunc(q)) <= 1e-5 || v < m_min)
                continue;
            DrawTick(dc, v, 4);
        }
    }
    dc.SelectFont(m_font.desc);
    dc.SetTextColor(m_font.color);
    dc.SetBkMode(platform::BackMode::Transparent);
    dc.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    const platform::Size maxExt = dc.GetTextExtent(MeterLabelText(m_max, m_decPlaces));
    const double wo = maxExt.cx / 2.0 + 15, ho = maxExt.cy / 2.0 + 15;
    m_labelRing = {wo, ho, std::max(maxExt.cx, dc.GetTextExtent(MeterLabelText(m_min, m_decPlaces)).cx), maxExt.cy};
    const bool logScale = m_logarithmic && m_min > 0 && m_max > 0;
    if (logScale && std::fabs(std::log10(m_max / m_min)) >= 1) {
        constexpr double kNear = 0.999999999;
        const double p = std::pow(10.0, FloorInt(std::log10(kNear * m_min)));
        double m = 1;
        for (int decade = 0; decade < 400 && kNear * p * m <= m_max; ++decade, m *= 10) {
            for (int j = 1; j <= 9; ++j) {
                const double v = j * p * m;
                if (v / kNear >= m_min && kNear * v < m_max) {
                    DrawTick(dc, v, 8);
                    if (j == 1 || j == 2 || j == 5)
                        DrawLabel(dc, v, wo, ho);
                }
            }
        }
        return;
    }
    if (t.step == 0)
        return;
    for (int k = 0; k < kMaxTicks; ++k) {
        const double v = t.first + k * t.step;
        if (v - m_max > t.step * 0.001)
            break;
        DrawTick(dc, v, 8);
        DrawLabel(dc, v, wo, ho);
    }
}

void TMeter::DrawCaption(platform::DrawingDevice& dc)
{
    if (m_caption.empty())
        return;
    dc.SelectFont(m_fontCaption.desc);
    dc.SetTextColor(m_fontCaption.color);
    dc.SetBkMode(platform::BackMode::Transparent);
    dc.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    const platform::Size ext = dc.GetTextExtent(m_caption);
    const int y = m_geometry.centerY - Nearest(m_geometry.radius / 3);
    dc.TextOut(m_geometry.centerX - ext.cx / 2, y - ext.cy / 2, m_caption);
}

void TMeter::DrawNeedle(platform::DrawingDevice& dc, const TNeedleLayout& l, double value)
{
    // the head stops short of the label it points at, which stays readable
    const double angle = Angle(value);
    double reach = std::numeric_limits<double>::infinity();
    if (m_labelRing.width > 0)
        reach = std::max(0.0, MeterNeedleReach(m_geometry, angle, m_labelRing.wo, m_labelRing.ho, m_labelRing.width,
                                               m_labelRing.height));
    std::array<Point, 7> p = MeterNeedlePolygon(m_geometry, l, angle, reach);
    if (l.ShadowDx() != 0 || l.ShadowDy() != 0) {
        std::array<Point, 7> s = p;
        for (Point& q : s) {
            q.x -= l.ShadowDx();
            q.y -= l.ShadowDy();
        }
        dc.SelectPen(PenDesc::Solid(l.ShadowColor()));
        dc.SelectBrush(BrushDesc::Solid(l.ShadowColor()));
        dc.Polygon(s.data(), 7);
    }
    dc.SelectPen(PenDesc::Solid(l.ColorOutline()));
    dc.SelectBrush(BrushDesc::Solid(l.ColorBody()));
    dc.Polygon(p.data(), 7);
}

void TMeter::DrawCover(platform::DrawingDevice& dc)
{
    const int w = dc.Width(), h = dc.Height();
    const int rs = m_rimSide, rt = m_rimTop, rb = m_rimBottom;
    dc.SelectPen(PenDesc::Solid(m_colorCover));
    dc.SelectBrush(BrushDesc::Solid(m_colorCover));
    dc.Rectangle(0, 0, rs - 1, h);
    dc.Rectangle(0, 0, w, rt);
    dc.Rectangle(w - rs, 0, w, h);
    dc.Rectangle(0, h - rb, w, h);
    dc.SelectPen(PenDesc::Solid(clWhite));
    dc.MoveTo(rs - 1, h - rb);
    dc.LineTo(w - rs, h - rb);
    dc.LineTo(w - rs, rt);
    dc.SelectPen(PenDesc::Solid(0x808080));
    dc.LineTo(rs - 1, rt);
    dc.LineTo(rs - 1, h - rb);
    if (!m_anchorCovered)
        return;
    const TMeterGeometry& g = m_geometry;
    const int a = m_anchorSize, cx = g.centerX, cy = g.centerY;
    if (!m_anchorImage.empty()) {
        const int pw = m_anchorPicture.Width(), ph = m_anchorPicture.Height();
        const int x = cx - pw / 2, y = cy - ph / 2;
        dc.BitBlt(x, y, pw, ph, m_anchorMask, 0, 0, platform::Rop3::SrcAnd);
        dc.BitBlt(x, y, pw, ph, m_anchorPicture, 0, 0, platform::Rop3::SrcPaint);
        return;
    }
    auto arc = [&](TColor c, int x3, int y3, int x4, int y4) {
        dc.SelectPen(PenDesc::Solid(c));
        dc.Arc(cx - a, cy - a, cx + a, cy + a, x3, y3, x4, y4);
    };
    if (m_layout >= mlCirc270) {
        dc.Ellipse(cx - a, cy - a, cx + a, cy + a);
        arc(clWhite, cx + a, cy - a, cx - a, cy + a);   // 45 to 225 degrees
        arc(0x808080, cx - a, cy + a, cx + a, cy - a);  // 225 to 45 degrees
        return;
    }
    dc.Pie(cx - a, cy - a, cx + a, cy + a, cx + a, cy, cx - a, cy);
    dc.Rectangle(cx - a, h - rb, cx + a, cy);
    dc.SelectPen(PenDesc::Solid(0x808080));
    dc.MoveTo(cx + a - 1, cy);
    dc.LineTo(cx + a - 1, h - rb);
    dc.SelectPen(PenDesc::Solid(clWhite));
    dc.MoveTo(cx - a, h - rb);
    dc.LineTo(cx - a, cy);
    arc(clWhite, cx + a, cy, cx - a, cy);
    arc(0x808080, cx + a, cy, cx + a, cy - a);
}

void TMeter::DrawLamps(platform::DrawingDevice& dc)
{
    auto lamp = [&](int x0, int y0, bool active) {
        dc.SelectBrush(BrushDesc::Solid(active ? m_limWatchActColor : m_limWatchPsvColor));
        dc.SelectPen(PenDesc::Solid(clBlack));
        dc.Rectangle(x0, y0, x0 + 10, y0 + 10);
        dc.SelectPen(PenDesc::Solid(clWhite));
        dc.MoveTo(x0 + 1, y0 + 9);
        dc.LineTo(x0 + 9, y0 + 9);
        dc.LineTo(x0 + 9, y0);
        dc.SelectPen(PenDesc::Solid(0xC0C0C0));
        dc.MoveTo(x0 + 2, y0 + 8);
        dc.LineTo(x0 + 8, y0 + 8);
        dc.LineTo(x0 + 8, y0 + 1);
        dc.SelectPen(PenDesc::Solid(0x808080));
        dc.MoveTo(x0 + 1, y0 + 8);
        dc.LineTo(x0 + 1, y0 + 1);
        dc.LineTo(x0 + 9, y0 + 1);
    };
    if (m_limWatchHighOn)
        lamp(dc.Width() - m_rimSide - 18, m_rimTop + 8, m_overflow);
    if (m_limWatchLowOn)
        lamp(m_rimSide + 8, m_rimTop + 8, m_underflow);
}

void TMeter::DrawOuterFrame(platform::DrawingDevice& dc)
{
    const int w = dc.Width(), h = dc.Height();
    auto pen = [&](TColor c) { dc.SelectPen(PenDesc::Solid(c)); };
    switch (m_frameStyle) {
    case fsNone: break;
    case fsSimple:
        dc.SelectBrush(BrushDesc::NullBrush());
        pen(m_colorBakG);
        dc.Rectangle(0, 0, w, h);
        break;
    case fsLowered:
    case fsRaised: {
        const bool lowered = m_frameStyle == fsLowered;
        pen(lowered ? m_frameShadow : m_frameHighlight);
        dc.MoveTo(0, h - 1);
        dc.LineTo(0, 0);
        dc.LineTo(w - 1, 0);
        pen(lowered ? m_frameHighlight : m_frameShadow);
        dc.LineTo(w - 1, h - 1);
        dc.LineTo(0, h - 1);
        break;
    }
    case fsEmbossed:
    case fsEngraved: {
        const bool embossed = m_frameStyle == fsEmbossed;
        pen(embossed ? m_frameHighlight : m_frameShadow);
        dc.MoveTo(0, 0);
        dc.LineTo(w - 2, 0);
        dc.LineTo(w - 2, h - 2);
        dc.LineTo(0, h - 2);
        dc.LineTo(0, 0);
        pen(embossed ? m_frameShadow : m_frameHighlight);
        dc.MoveTo(1, h - 3);
        dc.LineTo(1, 1);
        dc.LineTo(w - 2, 1);
        dc.MoveTo(1, h - 1);
        dc.LineTo(w - 1, h - 1);
        dc.LineTo(w - 1, 0);
        break;
    }
    }
}
