#include "chart/series/bar_geometry.h"

#include <algorithm>
#include <cstdint>
#include <vector>

TBarLayout CalcBarLayout(std::span<const TBarSeriesSlot> Series, int Self, bool SideMargins, int PointsPerPage)
{
    TBarLayout l;
    std::vector<int> groups;
    bool found = false;
    for (int k = 0; k < static_cast<int>(Series.size()); ++k) {
        const TBarSeriesSlot& s = Series[static_cast<std::size_t>(k)];
        if (!s.Active)
            continue;
        if (k == Self)
            found = true;
        if (l.MaxBarPoints == -1 || s.Count > l.MaxBarPoints) {
            l.MaxBarPoints = s.Count;
            if (SideMargins && s.Count > 0)
                ++l.MaxBarPoints;
        }
        switch (s.MultiBar) {
        case mbNone:
        case mbSelfStack:
            l.NumBars = 1;
            break;
        case mbSide:
        case mbSideAll:
            ++l.NumBars;
            if (!found)
                ++l.BarOrder;
            break;
        case mbStacked:
        case mbStacked100:
            if (std::find(groups.begin(), groups.end(), s.StackGroup) == groups.end()) {
                groups.push_back(s.StackGroup);
                ++l.NumBars;
                if (!found)
                    ++l.BarOrder;
            }
            break;
        }
        if (!found)
            l.PointsBefore += s.Count;
    }
    if (Self >= 0 && Self < static_cast<int>(Series.size())) {
        const TBarSeriesSlot& self = Series[static_cast<std::size_t>(Self)];
        if (const auto it = std::find(groups.begin(), groups.end(), self.StackGroup); it != groups.end())
            l.BarOrder = static_cast<int>(it - groups.begin()) + 1;
        if (self.MultiBar == mbSelfStack)
            l.MaxBarPoints = PointsPerPage > 0 ? PointsPerPage : l.NumBars;
        else if (PointsPerPage > 0)
            l.MaxBarPoints = PointsPerPage;
    }
    return l;
}

int CalcBarWidth(const TBarWidthInput& In)
{
    if (In.CustomBarWidth != 0)
        return In.CustomBarWidth;
    if (In.MaxBarPoints <= 0)
        return 0;
    double slot;
    if (In.AutoBarSize) {
        const double divisor = 2 + In.AxisMaximum - In.AxisMinimum;
        if (!(divisor > 0))
            return 0;
        slot = Round(In.AxisSize / divisor);
    } else {
        slot = In.AxisSize / In.MaxBarPoints;
    }
    const int numBars = std::max(1, In.NumBars);
    int width = static_cast<int>(Round(In.BarWidthPercent * 0.01 * slot)) / numBars;
    if (width > 0 && width % 2 == 1)
        ++width;
    return width;
}

int BarSideMargin(int BarWidth, int NumBars, TMultiBar MultiBar, bool SideMargins)
{
    int margin = MultiBar == mbSideAll ? BarWidth : BarWidth * NumBars;
    if (!SideMargins)
        margin /= 2;
    return margin;
}

int BarSlotOffset(TMultiBar MultiBar, int BarWidth, int BarOrder, int NumBars)
{
    switch (MultiBar) {
    case mbSide:
    case mbStacked:
    case mbStacked100:
        return static_cast<int>(Round((BarOrder - NumBars * 0.5 - 1.0) * BarWidth));
    default:
        return -(BarWidth / 2);
    }
}

int BarPercentOffset(int OffsetPercent, int BarWidth)
{
    if (OffsetPercent == 0)
        return 0;
    // a wide custom bar times a percent leaves int; far off the chart is enough
    const std::int64_t offset = Round(static_cast<double>(OffsetPercent) * BarWidth * 0.01);
    return static_cast<int>(std::clamp<std::int64_t>(offset, -1'000'000'000, 1'000'000'000));
}

int BarRight(const TBarRightInput& In)
{
    if (!In.Touching)
        return In.Left + In.BarWidth + 1;
    if (!In.AxisInverted)
        return (In.HasNext ? In.NextLeft : In.Left + In.BarWidth) + 1 - In.PenWidth / 2;
    return In.IsFirst ? In.Left + In.BarWidth + In.PenWidth : In.PreviousLeft;
}

int BarDepthInset(int Start, int End, int DepthPercent)
{
    return static_cast<int>(Round((End - Start) * (100 - DepthPercent) * 0.005));
}

TColor RelativeGradientColor(TColor StartColor, TColor BarColor, double Value, double Low, double High)
{
    double ratio = High == Low ? 1.0 : (Value - Low) / (High - Low);
    ratio = std::clamp(ratio, 0.0, 1.0);
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int start = static_cast<int>((StartColor >> shift) & 0xFF);
        const int bar = static_cast<int>((BarColor >> shift) & 0xFF);
        const int c = start + static_cast<int>(Round((bar - start) * ratio));
        result |= static_cast<TColor>(std::clamp(c, 0, 255)) << shift;
    }
    return result;
}
