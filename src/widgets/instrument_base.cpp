#include "widgets/instrument_base.h"

#include <cmath>

#include "platform/system_colors.h"

void TDTLabel::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat v)
{
    m_timeFormat = v;
    Changed();
}

void TDTLabel::SetDateSeparator(char v)
{
    if (v == m_dateSeparator)
        return;
    m_dateSeparator = v;
    Changed();
}

void TDTLabel::SetTimeSeparator(char v)
{
    if (v == m_timeSeparator)
        return;
    m_timeSeparator = v;
    Changed();
}

void TDTLabel::SetYearLength(TYearLength v)
{
    if (v == m_yearLength)
        return;
    m_yearLength = v;
    Changed();
}

void TDTLabel::SetMonthName(bool v)
{
    if (v == m_monthName)
        return;
    m_monthName = v;
    Changed();
}

void TDTLabel::SetDateOrder(TDateOrder v)
{
    m_dateOrder = v;
    Changed();
}

void TDTLabel::SetDateForTime(TDateForTime v)
{
    if (v == m_dateForTime)
        return;
    m_dateForTime = v;
    Changed();
}

void TDTLabel::Assign(const TDTLabel& source)
{
    m_timeFormat = source.m_timeFormat;
    m_dateSeparator = source.m_dateSeparator;
    m_timeSeparator = source.m_timeSeparator;
    m_yearLength = source.m_yearLength;
    m_monthName = source.m_monthName;
    m_dateOrder = source.m_dateOrder;
    m_dateForTime = source.m_dateForTime;
    Changed();
}

void SetPenColor(platform::DrawingDevice& dc, TColor color)
{
    if (dc.GetPen().color == color)
        return;
    platform::PenDesc pen = dc.GetPen();
    pen.color = color;
    dc.SelectPen(pen);
}

void DrawFrame(platform::DrawingDevice& dc, int style, int left, int top, int right, int bottom,
               TColor highlight, TColor light, TColor shadow, TColor darkShadow, TColor lineColor)
{
    style &= 0x7F;
    if (style == fsNone || style > fsEngraved)
        return;
    const int l = left, t = top, r = right, b = bottom;
    if (style == fsSimple) {
        SetPenColor(dc, lineColor);
        dc.MoveTo(l, t);
        dc.LineTo(l, b);
        dc.LineTo(r, b);
        dc.LineTo(r, t);
        dc.LineTo(l, t);
        return;
    }
    // outer top-left, outer bottom-right, inner top-left, inner bottom-right
    TColor c1 = 0, c2 = 0, c3 = 0, c4 = 0;
    switch (style) {
    case fsLowered: c1 = shadow; c2 = highlight; c3 = darkShadow; c4 = light; break;
    case fsRaised: c1 = highlight; c2 = darkShadow; c3 = light; c4 = shadow; break;
    case fsEmbossed: c1 = highlight; c2 = shadow; c3 = shadow; c4 = highlight; break;
    default: c1 = shadow; c2 = highlight; c3 = highlight; c4 = shadow; break;  // fsEngraved
    }
    SetPenColor(dc, c1);
    dc.MoveTo(l, b);
    dc.LineTo(l, t);
    dc.LineTo(r + 1, t);
    dc.MoveTo(r, t + 1);
    SetPenColor(dc, c2);
    dc.LineTo(r, b);
    dc.LineTo(l - 1, b);
    SetPenColor(dc, c3);
    dc.MoveTo(l + 1, b - 1);
    dc.LineTo(l + 1, t + 1);
    dc.LineTo(r, t + 1);
    dc.MoveTo(r - 1, t + 2);
    SetPenColor(dc, c4);
    dc.LineTo(r - 1, b - 1);
    dc.LineTo(l, b - 1);
}

TColor BlendColors(TColor c1, TColor c2, double fraction)
{
    if (!(fraction >= 0))  // also NaN
        fraction = 0;
    else if (fraction > 1)
        fraction = 1;
    auto channel = [fraction](int a, int b) {
        return static_cast<std::uint8_t>(Round(a + (b - a) * fraction));
    };
    return RGB(channel(GetRValue(c1), GetRValue(c2)), channel(GetGValue(c1), GetGValue(c2)),
               channel(GetBValue(c1), GetBValue(c2)));
}

TSchemeColors SchemeColors(TColorScheme scheme)
{
    if (scheme == csSystem)
        return {platform::SystemColor(platform::SystemColorIndex::BtnShadow),
                platform::SystemColor(platform::SystemColorIndex::BtnHighlight)};
    return {0x808080, 0xFFFFFF};
}
