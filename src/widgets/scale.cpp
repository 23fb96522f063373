#include "widgets/scale.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::size_t kTickTableSize = 250;

// The other end of a range whose ends met: one unit away, or the next
// representable number where one unit is lost in the magnitude.
double Apart(double end)
{
    const double next = end + 1;
    if (next != end)
        return next;
    return std::nextafter(end, end > 0 && std::isinf(std::nextafter(end, HUGE_VAL)) ? -HUGE_VAL : HUGE_VAL);
}

int ClampRound(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(Round(std::clamp(v, -2147483647.0, 2147483647.0)));
}

}  // namespace

TScale::TScale(QWidget* parent) : TInstrumentHost(parent)
{
    m_dateFormat.SetTimeFormat(tfHHMMSS);
    m_dateFormat.SetDateSeparator('-');
    m_dateFormat.SetTimeSeparator(':');
    m_dateFormat.SetYearLength(ylYYYY);
    m_dateFormat.SetMonthName(true);
    m_dateFormat.SetDateForTime(dtOnePerDay);
    m_dateFormat.SetDateOrder(doDDMMYY);
    m_dateFormat.OnChange = [this](TDTLabel*) { Changed(); };
    SetBounds(0, 0, 400, 400);
    Layout();
}

void TScale::Changed()
{
    if (m_transparent && !m_embedded)
        Invalidate();
    else
        PaintNow();
}

void TScale::AfterLoaded()
{
    Layout();
    Changed();
}

void TScale::Resized()
{
    Layout();
    Changed();
}

// ---- properties ----

void TScale::SetCaption(const std::string& v)
{
    m_caption = v;
    Changed();
}

void TScale::SetCaptionPosX(int v)
{
    m_captionPosX = v;
    Changed();
}

void TScale::SetCaptionPosY(int v)
{
    m_captionPosY = v;
    Changed();
}

void TScale::SetCaptionAlignment(TAlignment v)
{
    m_captionAlignment = v;
    Changed();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor v)
{
    m_captionAnchor = v;
    Changed();
}

void TScale::SetColorBackGnd(TColor v)
{
    if (v == m_colorBackGnd)
        return;
    m_colorBackGnd = v;
    Changed();
}

void TScale::SetColorScale(TColor v)
{
    if (v == m_colorScale)
        return;
    m_colorScale = v;
    Changed();
}

void TScale::SetColorScheme(TColorScheme v)
{
    if (v == m_colorScheme)
        return;
    m_colorScheme = v;
    const TSchemeColors colors = SchemeColors(v);
    m_colorShadow = colors.shadow;
    m_colorHighlight = colors.highlight;
    Changed();
}

void TScale::SetFrameStyle(TFrameStyle v)
{
    if (v == m_frameStyle)
        return;
    m_frameStyle = v;
    Changed();
}

void TScale::SetFont(const TInstrumentFont& v)
{
    if (v == m_font)
        return;
    m_font = v;
    Changed();
}

void TScale::SetTransparent(bool v)
{
    m_transparent = v;
    SetParentBackground(v && !m_embedded);
    Changed();
}

void TScale::SetDateFormat(const TDTLabel& v)
{
    m_dateFormat.Assign(v);  // its change event repaints
}

void TScale::SetDecPlaces(int v)
{
    m_decPlaces = std::clamp(v, -3, 12);
    Layout();
    Changed();
}

void TScale::SetLabelType(TFigType v)
{
    m_labelType = v;
    if (v == ftDateTime) {
        // dates run linearly: the mapping follows
        m_logarithmic = false;
        Layout();
    } else if (v == ftTime)
        m_decPlaces = 4;
    Changed();
}

void TScale::SetLogarithmic(bool v)
{
    if (!v || Loading())
        m_logarithmic = v;
    else if (m_rangeLow >= 1e-100 && m_rangeHigh >= 1e-100 && m_labelType != ftDateTime)
        m_logarithmic = true;
    Layout();
    Changed();
}

void TScale::SetMinTicks(int v)
{
    m_minTicks = v == 0 ? 0 : std::clamp(v, 2, 10);
    Changed();
}

void TScale::SetShortTicks(bool v)
{
    if (v == m_shortTicks)
        return;
    m_shortTicks = v;
    Changed();
}

void TScale::SetShowBaseLine(bool v)
{
    m_showBaseLine = v;
    Changed();
}

void TScale::SetScaleInscript(const std::string& v)
{
    m_scaleInscript = v;
    Changed();
}

void TScale::SetUserTickText(const std::string& v)
{
    m_userTickText = v;
    Changed();
}

void TScale::SetScaleType(TScaleType v)
{
    if (v == m_scaleType)
        return;
    m_scaleType = v;
    Layout();
    Changed();
}

void TScale::SetMarginTop(int v)
{
    m_marginTop = std::max(v, 0);
    Layout();
    Changed();
}

void TScale::SetMarginBottom(int v)
{
    m_marginBottom = std::max(v, 0);
    Layout();
    Changed();
}

void TScale::SetMarginLeft(int v)
{
    m_marginLeft = std::max(v, 0);
    Layout();
    Changed();
}

void TScale::SetMarginRight(int v)
{
    m_marginRight = std::max(v, 0);
    Layout();
    Changed();
}

void TScale::SetRangeLow(double v)
{
    if (!std::isfinite(v))
        return;
    m_rangeLow = v;
    if (m_rangeLow == m_rangeHigh)
        m_rangeHigh = Apart(m_rangeLow);
    Layout();
    Changed();
}

void TScale::SetRangeHigh(double v)
{
    if (!std::isfinite(v))
        return;
    m_rangeHigh = v;
    if (m_rangeLow == m_rangeHigh)
        m_rangeLow = Apart(m_rangeHigh);
    Layout();
    Changed();
}

void TScale::SetRange(double high, double low)
{
    if (!std::isfinite(high) || !std::isfinite(low))
        return;
    m_rangeLow = low;
    m_rangeHigh = high == low ? Apart(low) : high;
    Layout();
    Changed();
}

void TScale::SetEmbedded(bool v)
{
    if (v == m_embedded)
        return;
    m_embedded = v;
    SetParentBackground(m_transparent && !v);
    Changed();
}

void TScale::SetExternalCanvas(platform::DrawingDevice* device, int x, int y)
{
    m_external = device;
    m_externalX = x;
    m_externalY = y;
}

void TScale::Assign(const TScale& source)
{
    if (&source == this)
        return;
    m_frameStyle = source.m_frameStyle;
    m_colorBackGnd = source.m_colorBackGnd;
    m_colorScale = source.m_colorScale;
    m_colorDark = source.m_colorDark;
    m_colorShadow = source.m_colorShadow;
    m_colorHighlight = source.m_colorHighlight;
    m_colorScheme = source.m_colorScheme;
    OnScaleTickDrawn = source.OnScaleTickDrawn;
    m_logarithmic = source.m_logarithmic;
    m_factor = source.m_factor;
    m_offset = source.m_offset;
    m_rangeLow = source.m_rangeLow;
    m_rangeHigh = source.m_rangeHigh;
    m_shortTicks = source.m_shortTicks;
    m_minTicks = source.m_minTicks;
    m_decPlaces = source.m_decPlaces;
    m_showBaseLine = source.m_showBaseLine;
    m_transparent = source.m_transparent;
    m_labelType = source.m_labelType;
    {
        auto handler = std::move(m_dateFormat.OnChange);
        m_dateFormat.OnChange = nullptr;
        m_dateFormat.Assign(source.m_dateFormat);
        m_dateFormat.OnChange = std::move(handler);
    }
    m_marginTop = source.m_marginTop;
    m_marginBottom = source.m_marginBottom;
    m_marginLeft = source.m_marginLeft;
    m_marginRight = source.m_marginRight;
    m_captionPosX = source.m_captionPosX;
    m_captionPosY = source.m_captionPosY;
    m_userTickText = source.m_userTickText;
    m_scaleInscript = source.m_scaleInscript;
    m_tickTable = source.m_tickTable;
    m_caption = source.m_caption;
    m_captionAnchor = source.m_captionAnchor;
    m_captionAlignment = source.m_captionAlignment;
    // the device the source draws on is its owner's: the copy keeps its own
    m_scaleType = source.m_scaleType;
    SetParentBackground(m_transparent && !m_embedded);
    SetHoldPaint(source.HoldPaint());
    Changed();
}

// ---- mapping ----

void TScale::Layout()
{
    if (Loading() || m_rangeLow == m_rangeHigh)
        return;
    const bool horizontal = Horizontal();
    const int length = horizontal ? Width() - m_marginLeft - m_marginRight - 1
                                  : Height() - m_marginTop - m_marginBottom - 1;
    if (length <= 0) {
        m_factor = 0;
        m_offset = Width() / 2.0;
        return;
    }
    double low = m_rangeLow, high = m_rangeHigh;
    if (m_logarithmic) {
        if (low <= 0 || high <= 0)
            return;
        low = std::log(low);
        high = std::log(high);
    }
    if (horizontal) {
        m_factor = length / (high - low);
        m_offset = m_marginLeft - m_factor * low;
    } else {
        m_factor = length / (low - high);
        m_offset = m_marginTop - m_factor * high;
    }
}

int TScale::ValueToPixel(double value) const
{
    if (!m_logarithmic)
        return ClampRound(m_factor * value + m_offset);
    if (value > 1e-100)
        return ClampRound(m_factor * std::log(value) + m_offset);
    return m_rangeHigh < m_rangeLow ? Width() : 0;
}

double TScale::PixelToValue(int pixel) const
{
    // Margins wider than the control put the whole range on one pixel.
    if (m_factor == 0)
        return m_logarithmic && m_rangeLow > 0 && m_rangeHigh > 0 ? std::sqrt(m_rangeLow * m_rangeHigh)
                                                                   : (m_rangeLow + m_rangeHigh) / 2;
    const double v = (pixel - m_offset) / m_factor;
    return m_logarithmic ? std::exp(v) : v;
}

int TScale::PixelsAlong() const
{
    const int length = Horizontal() ? Width() - m_marginLeft - m_marginRight : Height() - m_marginTop - m_marginBottom;
    return std::max(length, 1);
}

TTickPlan TScale::PlanTicks() const
{
    TTickSettings s;
    s.low = m_rangeLow;
    s.high = m_rangeHigh;
    s.minTicks = m_minTicks;
    s.shortTicks = m_shortTicks;
    s.logarithmic = m_logarithmic;
    s.labelType = m_labelType;
    s.decPlaces = m_decPlaces;
    s.inscript = m_scaleInscript;
    s.userTickText = m_userTickText;
    s.dateFormat.Assign(m_dateFormat);
    s.pixels = PixelsAlong();
    return PlanScaleTicks(s);
}

// ---- painting ----

void TScale::Compose(platform::DrawingDevice& dc)
{
    if (m_external)
        DrawOn(*m_external, m_externalX, m_externalY);
    else
        DrawOn(dc, 0, 0);
}

void TScale::DrawOn(platform::DrawingDevice& target, int x, int y)
{
    const int w = Width(), h = Height();
    target.SelectFont(m_font.desc);
    target.SetTextColor(m_font.color);
    target.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    if (OnBeforeScaleRendered)
        OnBeforeScaleRendered(this, target);
    const int xb = h - m_marginBottom - 1, xt = m_marginTop, yl = m_marginLeft, yr = w - m_marginRight - 1;
    auto baseOf = [&](int dx, int dy) {
        switch (m_scaleType) {
        case sctXB: return dy + xb;
        case sctXT: return dy + xt;
        case sctYL: return dx + yl;
        default: return dx + yr;
        }
    };
    auto drawBaseLine = [&](platform::DrawingDevice& dc, int base) {
        if (!m_showBaseLine)
            return;
        SetPenColor(dc, m_colorScale);
        if (Horizontal()) {
            dc.MoveTo(m_marginLeft, base);
            dc.LineTo(w - m_marginRight - 1, base);
        } else {
            dc.MoveTo(base, m_marginTop);
            dc.LineTo(base, h - m_marginBottom - 1);
        }
    };
    if (m_transparent) {
        target.SetBkMode(platform::BackMode::Transparent);
        SetPenColor(target, m_colorScale);
        platform::DrawingDevice* dc = &target;
        const int base = baseOf(x, y);
        DrawScale(dc, base);
        drawBaseLine(*dc, base);
        if (OnAfterScaleRendered)
            OnAfterScaleRendered(this, *dc);  // the device drawn on
        return;
    }
    std::unique_ptr<platform::DrawingDevice> aside;
    platform::DrawingDevice* dc = &target;
    if (&target != &Buffer() || x != 0 || y != 0) {
        aside = target.CreateCompatible(w, h);
        dc = aside.get();
        dc->SelectFont(m_font.desc);
        dc->SetTextColor(m_font.color);
        dc->SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
    }
    platform::DrawingDevice* composed = dc;
    dc->SelectBrush(platform::BrushDesc::Solid(m_colorBackGnd));
    dc->SelectPen(platform::PenDesc::Solid(m_colorBackGnd));
    dc->FillRect(platform::Rect{0, 0, w, h});
    dc->SetBkMode(platform::BackMode::Opaque);
    dc->SetBkColor(m_colorBackGnd);
    SetPenColor(*dc, m_colorScale);
    const int base = baseOf(0, 0);
    DrawScale(dc, base);
    drawBaseLine(*dc, base);
    if (OnAfterScaleRendered)
        OnAfterScaleRendered(this, *dc);
    DrawFrame(*composed, m_frameStyle, 0, 0, w - 1, h - 1, m_colorHighlight, clSilver, m_colorShadow, m_colorDark,
              m_colorDark);
    if (aside)
        target.BitBlt(x, y, w, h, aside->Surface(), 0, 0, platform::Rop3::SrcCopy);
}

void TScale::SetLabelLimits(int low, int high)
{
    m_labelLimited = true;
    m_labelLow = low;
    m_labelHigh = high;
}

void TScale::DrawScale(platform::DrawingDevice*& dc, int base)
{
    const TTickPlan plan = PlanTicks();
    m_tickTable.clear();
    m_tickTable.reserve(kTickTableSize);
    if (plan.message != TScaleMessage::None)
        DrawMessage(*dc, plan.message, base);
    const bool horizontal = Horizontal();
    const int w = Width();
    // direction of the ticks from the base line
    const int sx = m_scaleType == sctYL ? 1 : m_scaleType == sctYR ? -1 : 0;
    const int sy = m_scaleType == sctXB ? -1 : m_scaleType == sctXT ? 1 : 0;
    const int zeroHeight = horizontal ? 0 : dc->GetTextExtent("0").cy;
    for (const TTickMark& mark : plan.ticks) {
        const int along = ValueToPixel(mark.value);
        const int x = horizontal ? along : base, y = horizontal ? base : along;
        const int length = mark.major ? (horizontal ? 7 : 6) : 4;
        dc->MoveTo(x, y);
        dc->LineTo(x + sx * length, y + sy * length);
        if (mark.record && m_tickTable.size() < kTickTableSize)
            m_tickTable.push_back(mark.value);
        if (mark.labelled) {
            auto place = [&](const std::string& text, int line) {
                if (text.empty())
                    return;
                const platform::Size size = dc->GetTextExtent(text);
                int lx, ly;
                if (horizontal) {
                    const int low = m_labelLimited ? m_labelLow : 2;
                    const int high = m_labelLimited ? m_labelHigh : w - 2;
                    lx = std::max(x - size.cx / 2, low);
                    if (lx + size.cx > high)
                        lx = std::max(high - size.cx, low);
                    ly = m_scaleType == sctXB ? y - 7 - size.cy * (line + 1) : y + 7 + size.cy * line;
                } else {
                    lx = m_scaleType == sctYL ? x + 8 : x - 6 - size.cx - 2;
                    ly = y - zeroHeight / 2 + zeroHeight * line;
                    if (m_labelLimited)
                        ly = std::max(std::min(ly, m_labelHigh - size.cy), m_labelLow);
                }
                dc->TextOut(lx, ly, text);
            };
            place(mark.label, 0);
            place(mark.dateLine, 1);
        }
        if (OnScaleTickDrawn) {
            OnScaleTickDrawn(this, dc, m_scaleType, mark.value, x, y);
            if (!dc) {
                Q_ASSERT(dc);
                return;
            }
        }
    }
    DrawCaption(*dc, base);
}

void TScale::DrawMessage(platform::DrawingDevice& dc, TScaleMessage message, int base)
{
    const int m = ValueToPixel((m_rangeHigh + m_rangeLow) / 2);
    const int h = dc.GetTextExtent("T").cy;
    if (Horizontal()) {
        const std::string text =
            message == TScaleMessage::InvalidDateTime ? kInvalidDateTimeScale : kDateTimeBelowOneSecond;
        dc.TextOut(m - dc.GetTextExtent(text).cx / 2, base + 7, text);
        return;
    }
    static const std::vector<std::string> invalid{"invalid", "DateTime", "scale"};
    static const std::vector<std::string> below{"DateTime", "range is", "below 1", "second"};
    const auto& lines = message == TScaleMessage::InvalidDateTime ? invalid : below;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int y = m - h + static_cast<int>(i) * h;
        const int x = m_scaleType == sctYL ? base + 2 : base - 2 - dc.GetTextExtent(lines[i]).cx;
        dc.TextOut(x, y, lines[i]);
    }
}

void TScale::DrawCaption(platform::DrawingDevice& dc, int base)
{
    if (m_caption.empty())
        return;
    const int w = Width(), h = Height();
    int x, y;
    if (Horizontal()) {
        y = base + m_captionPosY;
        switch (m_captionAnchor) {
        case uaSclTopLft: x = m_marginLeft; break;
        case uaSclCenter: x = m_marginLeft + (w - m_marginLeft - m_marginRight) / 2; break;
        default: x = w - m_marginRight; break;
        }
        x += m_captionPosX;
    } else {
        x = base + m_captionPosX;
        switch (m_captionAnchor) {
        case uaSclTopLft: y = m_marginTop; break;
        case uaSclCenter: y = m_marginTop + (h - m_marginTop - m_marginBottom) / 2; break;
        default: y = h - m_marginBottom; break;
        }
        y += m_captionPosY;
    }
    const int width = dc.GetTextExtent(m_caption).cx;
    if (m_captionAlignment == taRightJustify)
        x -= width;
    else if (m_captionAlignment == taCenter)
        x -= width / 2;
    dc.TextOut(x, y, m_caption);
}
