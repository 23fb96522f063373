#include "widgets/scale_gauge.h"

#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "widgets/scale.h"

namespace {

constexpr TColor kFrameHighlight = 0xFFFFFF, kFrameLight = 0xC0C0C0, kFrameShadow = 0x808080, kFrameDark = 0;

}  // namespace

TScaleGauge::TScaleGauge(QWidget* parent) : TInstrumentHost(parent)
{
    setMouseTracking(true);
    m_scale = new TScale(this);
    m_scale->hide();
    m_scale->SetHoldPaint(true);
    m_scale->SetEmbedded(true);
    m_scale->SetExternalCanvas(&Buffer(), 0, 0);
    m_scale->setObjectName("GaugeScale");
    m_scale->SetBounds(0, 0, 300, 75);
    m_scale->SetFrameStyle(fsNone);
    m_scale->SetTransparent(true);
    m_scale->SetScaleType(sctXT);
    m_scale->SetRangeLow(-10);
    m_scale->SetRangeHigh(10);
    m_scale->SetLogarithmic(false);
    SetBounds(0, 0, 300, 75);
}

void TScaleGauge::Resized()
{
    ArrangeScale();
}

void TScaleGauge::ArrangeScale()
{
    const int w = Width(), h = Height();
    TScale& s = *m_scale;
    if (Vertical()) {
        s.SetScaleType(sctYR);
        s.SetBounds(s.x(), s.y(), w, h);
        s.SetMarginLeft(m_marginLeft);
        s.SetMarginRight(m_marginRight + 10);
        s.SetMarginTop(m_marginTop);
        s.SetMarginBottom(m_marginBottom);
    } else {
        s.SetScaleType(sctXB);
        s.SetBounds(m_marginLeft, s.y(), w, h);
        s.SetMarginBottom(m_marginBottom + 10);
        s.SetMarginTop(m_marginTop);
        s.SetMarginLeft(m_marginLeft);
        s.SetMarginRight(m_marginRight);
    }
}

// ---- properties ----

namespace {

// Stores a changed value; false when it was already there.
template <typename T>
bool Store(T& field, const T& v)
{
    if (field == v)
        return false;
    field = v;
    return true;
}

}  // namespace

void TScaleGauge::SetBackground(TGaugeBackground v) { if (Store(m_background, v)) PaintNow(); }

void TScaleGauge::SetColorBg1(TColor v) { if (Store(m_colorBg1, v)) PaintNow(); }
void TScaleGauge::SetColorBg2(TColor v) { if (Store(m_colorBg2, v)) PaintNow(); }
void TScaleGauge::SetColorIndex1(TColor v) { if (Store(m_colorIndex1, v)) PaintNow(); }
void TScaleGauge::SetColorIndex2(TColor v) { if (Store(m_colorIndex2, v)) PaintNow(); }
void TScaleGauge::SetColorCover(TColor v) { if (Store(m_colorCover, v)) PaintNow(); }
void TScaleGauge::SetColorScale(TColor v) { if (Store(m_colorScale, v)) PaintNow(); }
void TScaleGauge::SetFrameStyleOuter(TFrameStyle v) { if (Store(m_frameStyleOuter, v)) PaintNow(); }
void TScaleGauge::SetFrameStyleInner(TFrameStyle v) { if (Store(m_frameStyleInner, v)) PaintNow(); }
void TScaleGauge::SetFont(const TInstrumentFont& v) { if (Store(m_font, v)) PaintNow(); }
void TScaleGauge::SetCaption(const std::string& v) { if (Store(m_caption, v)) PaintNow(); }
void TScaleGauge::SetCaptionColor(TColor v) { if (Store(m_captionColor, v)) PaintNow(); }
void TScaleGauge::SetCaptionPosX(int v) { if (Store(m_captionPosX, v)) PaintNow(); }
void TScaleGauge::SetCaptionPosY(int v) { if (Store(m_captionPosY, v)) PaintNow(); }
void TScaleGauge::SetCaptionSize(int v) { if (Store(m_captionSize, v)) PaintNow(); }
void TScaleGauge::SetCaptionStyle(TFontStyles v) { if (Store(m_captionStyle, v)) PaintNow(); }
void TScaleGauge::SetIndexMode(TGaugeIndexMode v) { if (Store(m_indexMode, v)) PaintNow(); }

void TScaleGauge::SetColorScheme(TColorScheme v)
{
    if (!Store(m_colorScheme, v))
        return;
    const TSchemeColors colors = SchemeColors(v);
    m_colorShadow = colors.shadow;
    m_colorHighlight = colors.highlight;
    PaintNow();
}

void TScaleGauge::SetFixedDial(bool v)
{
    if (!Store(m_fixedDial, v))
        return;
    if (v) {
        m_scale->SetRange(m_max, m_min);
        ArrangeScale();
    }
    PaintNow();
}

void TScaleGauge::SetGaugeZero(double v)
{
    if (!std::isfinite(v) || !Store(m_gaugeZero, v))
        return;
    PaintNow();
}

void TScaleGauge::SetLogarithmic(bool v)
{
    if (v == m_logarithmic || (v && !(m_min > 0 && m_max > 0)))
        return;
    m_logarithmic = v;
    m_scale->SetLogarithmic(v);
    PaintNow();
}

void TScaleGauge::SetOrientation(TGaugeOrientation v)
{
    if (!Store(m_orientation, v))
        return;
    ArrangeScale();
    PaintNow();
}

void TScaleGauge::SetMarginLeft(int v)
{
    v = std::max(std::min(v, Width() - m_marginRight - 20), 0);
    if (!Store(m_marginLeft, v))
        return;
    ArrangeScale();
    PaintNow();
}

void TScaleGauge::SetMarginRight(int v)
{
    v = std::max(std::min(v, Width() - m_marginLeft - 20), 0);
    if (!Store(m_marginRight, v))
        return;
    ArrangeScale();
    PaintNow();
}

void TScaleGauge::SetMarginTop(int v)
{
    v = std::max(std::min(v, Height() - m_marginBottom - 20), 0);
    if (!Store(m_marginTop, v))
        return;
    ArrangeScale();
    PaintNow();
}

void TScaleGauge::SetMarginBottom(int v)
{
    v = std::max(std::min(v, Height() - m_marginTop - 20), 0);
    if (!Store(m_marginBottom, v))
        return;
    ArrangeScale();
    PaintNow();
}

void TScaleGauge::SetMin(double v)
{
    if (!std::isfinite(v) || (m_logarithmic && v <= 0) || !Store(m_min, v))
        return;
    m_scale->SetRangeLow(v);
    PaintNow();
}

void TScaleGauge::SetMax(double v)
{
    if (!std::isfinite(v) || (m_logarithmic && v <= 0) || !Store(m_max, v))
        return;
    m_scale->SetRangeHigh(v);
    PaintNow();
}

void TScaleGauge::SetMinTicks(int v)
{
    if (!Store(m_minTicks, v))
        return;
    m_scale->SetMinTicks(v);
    PaintNow();
}

void TScaleGauge::SetShortTicks(bool v)
{
    if (!Store(m_shortTicks, v))
        return;
    m_scale->SetShortTicks(v);
    PaintNow();
}

void TScaleGauge::SetValue(double v)
{
    if (!std::isfinite(v))
        return;
    v = std::clamp(v, std::min(m_min, m_max), std::max(m_min, m_max));
    if (!Store(m_value, v))
        return;
    PaintNow();
}

void TScaleGauge::Assign(const TScaleGauge& source)
{
    if (&source == this)
        return;
    m_frameStyleOuter = source.m_frameStyleOuter;
    m_frameStyleInner = source.m_frameStyleInner;
    m_value = source.m_value;
    m_colorBg1 = source.m_colorBg1;
    m_colorBg2 = source.m_colorBg2;
    m_colorShadow = source.m_colorShadow;
    m_colorHighlight = source.m_colorHighlight;
    m_colorScheme = source.m_colorScheme;
    PaintNow();
}

// ---- painting ----

int TScaleGauge::IndexPosition() const
{
    if (m_fixedDial)
        return m_scale->ValueToPixel(m_value);
    if (Vertical())
        return m_marginTop + (Height() - m_marginTop - m_marginBottom) / 2;
    return m_marginLeft + (Width() - m_marginLeft - m_marginRight) / 2;
}

void TScaleGauge::Compose(platform::DrawingDevice& dc)
{
    if (!m_fixedDial) {
        if (m_logarithmic) {
            const double r = std::sqrt(m_max / m_min);
            m_scale->SetRange(m_value * r, m_value / r);
        } else {
            const double half = std::fabs(m_max - m_min) / 2;
            m_scale->SetRange(m_value + half, m_value - half);
        }
    }
    DrawBackground(dc);
    m_scale->SetExternalCanvas(&dc, 0, 0);
    m_scale->SetFont(m_font);
    m_scale->SetColorScale(m_colorScale);
    const int w = Width(), h = Height();
    // the labels at the ends stay whole inside the dial, off the cover
    if (Vertical())
        m_scale->SetLabelLimits(m_marginTop + 1, h - m_marginBottom - 1);
    else
        m_scale->SetLabelLimits(m_marginLeft + 2, w - m_marginRight - 2);
    m_scale->ForcePaint();
    const int p = IndexPosition();
    DrawIndex(dc, p, false);
    DrawCover(dc);
    DrawCaption(dc);
    DrawFrame(dc, m_frameStyleInner, m_marginLeft, m_marginTop, w - m_marginRight - 1, h - m_marginBottom - 1,
              kFrameHighlight, kFrameLight, kFrameShadow, kFrameDark, kFrameDark);
    DrawFrame(dc, m_frameStyleOuter, 0, 0, w - 1, h - 1, kFrameHighlight, kFrameLight, kFrameShadow, kFrameDark,
              kFrameDark);
    // triangles and bar over the cover: whole also at the ends of the dial
    DrawIndex(dc, p, true);
}

void TScaleGauge::DrawBackground(platform::DrawingDevice& dc)
{
    const int w = Width(), h = Height();
    if (m_background == gbPlain) {
        dc.SelectPen(platform::PenDesc::Solid(m_colorBg1));
        dc.SelectBrush(platform::BrushDesc::Solid(m_colorBg1));
        dc.FillRect(platform::Rect{0, 0, w, h});
        return;
    }
    const bool vertical = m_background == gbVertGrad || m_background == gbVertMidBand;
    const bool mid = m_background == gbVertMidBand || m_background == gbHorizMidBand;
    const int start = vertical ? m_marginLeft : m_marginTop;
    const int end = vertical ? w - m_marginRight : h - m_marginBottom;
    const int n = end - start;
    auto line = [&](int at) {
        if (vertical) {
            dc.MoveTo(at, 0);
            dc.LineTo(at, h);
        } else {
            dc.MoveTo(0, at);
            dc.LineTo(w, at);
        }
    };
    const int last = mid ? n / 2 : n;
    for (int i = 0; i <= last; ++i) {
        const double fraction = (mid ? 2.0 * i : i) / static_cast<double>(n);  // 0 / 0 blends as 0
        SetPenColor(dc, BlendColors(m_colorBg1, m_colorBg2, fraction));
        line(start + i);
        if (mid)
            line(end - i);
    }
}

void TScaleGauge::DrawTriangle(platform::DrawingDevice& dc, int p, int first, int direction)
{
    for (int i = 1; i <= 10; ++i) {
        const int across = first + direction * (i - 1);
        if (Vertical()) {
            dc.MoveTo(across, p - i / 2);
            dc.LineTo(across, p + 1 + i / 2);
        } else {
            dc.MoveTo(p - i / 2, across);
            dc.LineTo(p + 1 + i / 2, across);
        }
    }
}

// A band of 7-pixel lines beside the base line over the pixels from..to that
// lie on the control.
void TScaleGauge::DrawRun(platform::DrawingDevice& dc, int from, int to, TColor c1, TColor c2, bool blend)
{
    const int w = Width(), h = Height();
    const int mb = m_marginBottom + 10, mr = m_marginRight + 10;
    const int extent = Vertical() ? h : w;
    const int lo = std::max(std::min(from, to), 0), hi = std::min(std::max(from, to), extent - 1);
    if (!blend)
        SetPenColor(dc, c1);
    for (int at = lo; at <= hi; ++at) {
        if (blend) {
            const double fraction = Vertical() ? (at - (h - m_marginBottom)) / double(m_marginTop - (h - m_marginBottom))
                                               : (at - m_marginLeft) / double(w - m_marginRight - m_marginLeft);
            SetPenColor(dc, BlendColors(c1, c2, fraction));
        }
        if (Vertical()) {
            dc.MoveTo(w - mr, at);
            dc.LineTo(w - mr + 7, at);
        } else {
            dc.MoveTo(at, h - mb);
            dc.LineTo(at, h - mb + 7);
        }
    }
}

void TScaleGauge::DrawIndex(platform::DrawingDevice& dc, int p, bool Marks)
{
    const int w = Width(), h = Height();
    const int mb = m_marginBottom + 10, mr = m_marginRight + 10;
    const bool vertical = Vertical();
    const int extent = vertical ? h : w;
    if (m_indexMode == gimBand) {
        if (Marks)
            return;
        if (vertical) {
            if (p <= h - m_marginBottom)
                DrawRun(dc, p, h - m_marginBottom, m_colorIndex1, m_colorIndex2, true);
        }
        else if (p >= m_marginLeft)
            DrawRun(dc, m_marginLeft, p, m_colorIndex1, m_colorIndex2, true);
        return;
    }
    if (m_indexMode == gimDualColorBand) {
        if (Marks)
            return;
        const int z = m_scale->ValueToPixel(m_gaugeZero);
        if (m_value >= m_gaugeZero)
            DrawRun(dc, z, p, m_colorIndex1, m_colorIndex1, false);
        else
            DrawRun(dc, p, z, m_colorIndex2, m_colorIndex2, false);
        return;
    }
    // The other marks are at most 6 pixels wide: nothing of them reaches the
    // control from further away.
    if (p < -8 || p > extent + 8)
        return;
    auto thread = [&] {
        if (Marks)
            return;
        SetPenColor(dc, m_colorIndex1);
        if (vertical) {
            dc.MoveTo(0, p);
            dc.LineTo(w, p);
        } else {
            dc.MoveTo(p, 0);
            dc.LineTo(p, h);
        }
    };
    const int lower = vertical ? w - mr : h - mb;
    switch (m_indexMode) {
    case gimThread:
        thread();
        break;
    case gimTriangle:
        if (!Marks)
            break;
        SetPenColor(dc, m_colorIndex1);
        DrawTriangle(dc, p, lower, 1);
        break;
    case gimThreadTriangle:
        thread();
        if (!Marks)
            break;
        SetPenColor(dc, m_colorIndex2);
        DrawTriangle(dc, p, vertical ? lower : lower + 1, 1);
        break;
    case gimThreadTwoTriangles:
        thread();
        if (!Marks)
            break;
        SetPenColor(dc, m_colorIndex2);
        DrawTriangle(dc, p, lower, 1);
        DrawTriangle(dc, p, (vertical ? m_marginLeft : m_marginTop) + 9, -1);
        break;
    case gimBar: {
        if (!Marks)
            break;
        SetPenColor(dc, m_colorIndex1);
        auto bar = [&](int along, int from, int to) {
            if (vertical) {
                dc.MoveTo(from, along);
                dc.LineTo(to, along);
            } else {
                dc.MoveTo(along, from);
                dc.LineTo(along, to);
            }
        };
        bar(p - 1, lower + 2, lower + 10);
        bar(p + 1, lower + 2, lower + 10);
        bar(p, lower + 1, lower + 10);
        break;
    }
    default:
        break;
    }
}

void TScaleGauge::DrawCover(platform::DrawingDevice& dc)
{
    const int w = Width(), h = Height();
    dc.SelectPen(platform::PenDesc::Solid(m_colorCover));
    dc.SelectBrush(platform::BrushDesc::Solid(m_colorCover));
    dc.FillRect(platform::Rect{0, 0, m_marginLeft, h});
    dc.FillRect(platform::Rect{w - m_marginRight, 0, w, h});
    dc.FillRect(platform::Rect{0, 0, w, m_marginTop});
    dc.FillRect(platform::Rect{0, h - m_marginBottom, w, h});
}

void TScaleGauge::DrawCaption(platform::DrawingDevice& dc)
{
    if (m_caption.empty())
        return;
    platform::FontDesc font = m_font.desc;
    font.height = platform::FontHeightFromPoints(m_captionSize);
    font.weight = (m_captionStyle & fsBold) ? 700 : 400;
    font.italic = (m_captionStyle & fsItalic) != 0;
    font.underline = (m_captionStyle & fsUnderline) != 0;
    font.strikeOut = (m_captionStyle & fsStrikeOut) != 0;
    dc.SelectFont(font);
    dc.SetTextColor(m_captionColor);
    dc.SetBkMode(platform::BackMode::Transparent);
    dc.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    dc.TextOut(m_captionPosX, m_captionPosY, m_caption);
}

// ---- mouse ----

void TScaleGauge::MouseMoveAt(int x, int y, TShiftState shift)
{
    // every move of the mouse comes here: the value only for a handler
    if (!OnMouseMoveInGauge)
        return;
    const TScale& s = *m_scale;
    const double value = s.PixelToValue(Vertical() ? y : x);
    const bool inGauge = x >= s.MarginLeft() && x <= s.Width() - s.MarginRight() && y >= s.MarginTop() &&
                         y <= Height() - s.MarginBottom();
    OnMouseMoveInGauge(this, inGauge, shift, value);
}

void TScaleGauge::MouseMove(TShiftState shift, int x, int y)
{
    TInstrumentHost::MouseMove(shift, x, y);
    MouseMoveAt(x, y, shift);
}
