#pragma once
// Layout arithmetic of bar series, apart from any chart: how bar series share
// the slots along the axis, the bar width, the left edge of a bar in its slot,
// the bar's right edge, the depth inset and the relative gradient colour.
#include <span>

#include "base/basic_types.h"

enum TBarStyle {
    bsRectangle, bsPyramid, bsInvPyramid, bsCilinder, bsEllipse, bsArrow, bsRectGradient, bsCone, bsBevel,
    bsSlantCube, bsDiamond, bsInvArrow, bsInvCone
};
enum TMultiBar { mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack };

// One bar series of the chart as the layout sees it, in chart order.
struct TBarSeriesSlot {
    bool Active = true;
    int Count = 0;
    TMultiBar MultiBar = mbSide;
    int StackGroup = 0;
};

struct TBarLayout {
    int BarOrder = 1;      // 1-based place among the bars side by side
    int PointsBefore = 0;  // points of the bar series before this one
    int NumBars = 0;       // bars side by side in one slot
    int MaxBarPoints = -1; // slots along the axis
};

// The place of series Self among Series (the chart's bar series of one class).
// PointsPerPage 0: no paging.
TBarLayout CalcBarLayout(std::span<const TBarSeriesSlot> Series, int Self, bool SideMargins, int PointsPerPage);

struct TBarWidthInput {
    int CustomBarWidth = 0;
    int MaxBarPoints = 0;
    int NumBars = 0;
    int BarWidthPercent = 70;
    bool AutoBarSize = false;
    int AxisSize = 0;  // pixels across the bars
    double AxisMinimum = 0;
    double AxisMaximum = 0;
};

// Pixels; even when computed. Before the number of bars is known (NumBars 0)
// one bar per slot is assumed.
int CalcBarWidth(const TBarWidthInput& In);

// Added to both margins across the bars.
int BarSideMargin(int BarWidth, int NumBars, TMultiBar MultiBar, bool SideMargins);

// Left edge of a bar relative to its X position (mbSide, mbStacked and
// mbStacked100 place the bars side by side; the others centre one bar).
int BarSlotOffset(TMultiBar MultiBar, int BarWidth, int BarOrder, int NumBars);
// Shift by OffsetPercent of the bar width.
int BarPercentOffset(int OffsetPercent, int BarWidth);

struct TBarRightInput {
    int Left = 0;
    int BarWidth = 0;
    // bars that touch: BarWidthPercent 100, no custom width, not mbSelfStack
    bool Touching = false;
    bool AxisInverted = false;
    bool HasNext = false;      // a point after this one (not inverted)
    int NextLeft = 0;          // its left edge
    bool IsFirst = false;      // the first point (inverted)
    int PreviousLeft = 0;      // left edge of the point before (inverted)
    int PenWidth = 0;          // the bar pen's width when visible (at least 1), else 0
};
int BarRight(const TBarRightInput& In);

// Depth inset of each end: Round((End - Start) * (100 - DepthPercent) * 0.005).
int BarDepthInset(int Start, int End, int DepthPercent);

// Colour at the bar's end of a relative gradient: from StartColor (ratio 0)
// to BarColor (ratio 1), ratio = (Value - Low) / (High - Low) within 0..1;
// 1 when High equals Low.
TColor RelativeGradientColor(TColor StartColor, TColor BarColor, double Value, double Low, double High);
