#include "chart/controls/series_icons.h"

#include "chart/series/area_series.h"
#include "chart/series/custom_bar_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/point_series.h"
#include "chart/series/volume_series.h"

namespace {

using platform::BrushDesc;
using platform::DrawingDevice;
using platform::PenDesc;
using platform::Point;

constexpr TColor kInk = 0x00000000;
constexpr TColor kBlue = 0x00C08000;
constexpr TColor kRed = 0x000000C0;
constexpr TColor kGreen = 0x00008000;
constexpr TColor kPaper = 0x00FFFFFF;

// The axes every picture stands on: left and bottom edges of the 16 x 16 box.
void Axes(DrawingDevice& dc, int x, int y)
{
    dc.SelectPen(PenDesc::Solid(0x00808080));
    dc.MoveTo(x, y);
    dc.LineTo(x, y + 15);
    dc.LineTo(x + 16, y + 15);
}

void Bars(DrawingDevice& dc, int x, int y, bool joined)
{
    const int heights[] = {6, 11, 8, 13};
    const int width = joined ? 5 : 3;  // joined bars touch their neighbours
    dc.SelectPen(PenDesc::Solid(kInk));
    for (int i = 0; i < 4; ++i) {
        dc.SelectBrush(BrushDesc::Solid(i % 2 ? kRed : kBlue));
        const int l = x + 1 + i * 4;
        dc.Rectangle(l, y + 15 - heights[i], l + width, y + 16);
    }
}

void Polyline(DrawingDevice& dc, int x, int y, TColor color, int width)
{
    const Point p[] = {{x + 1, y + 12}, {x + 5, y + 6}, {x + 9, y + 9}, {x + 15, y + 2}};
    dc.SelectPen(PenDesc::Solid(color, width));
    dc.Polyline(p, 4);
}

}  // namespace

void DrawSeriesIcon(DrawingDevice& dc, const TChartSeries& Series, int X, int Y)
{
    const PenDesc pen = dc.GetPen();
    const BrushDesc brush = dc.GetBrush();
    const int x = X + 4;
    const int y = Y + 4;
    dc.FillRectWith({x, y, x + 16, y + 16}, BrushDesc::Solid(kPaper));
    Axes(dc, x, y);
    if (dynamic_cast<const THistogramSeries*>(&Series)) {
        Bars(dc, x, y, true);
    } else if (dynamic_cast<const TCustomBarSeries*>(&Series)) {
        Bars(dc, x, y, false);
    } else if (dynamic_cast<const TOHLCSeries*>(&Series)) {
        // two candles: a rising one and a falling one
        dc.SelectPen(PenDesc::Solid(kInk));
        dc.MoveTo(x + 5, y + 1);
        dc.LineTo(x + 5, y + 13);
        dc.MoveTo(x + 11, y + 3);
        dc.LineTo(x + 11, y + 14);
        dc.SelectBrush(BrushDesc::Solid(kGreen));
        dc.Rectangle(x + 3, y + 4, x + 8, y + 10);
        dc.SelectBrush(BrushDesc::Solid(kRed));
        dc.Rectangle(x + 9, y + 6, x + 14, y + 12);
    } else if (dynamic_cast<const TVolumeSeries*>(&Series)) {
        dc.SelectPen(PenDesc::Solid(kBlue));
        const int heights[] = {5, 9, 4, 12, 7, 10, 3};
        for (int i = 0; i < 7; ++i) {
            dc.MoveTo(x + 2 + 2 * i, y + 15);
            dc.LineTo(x + 2 + 2 * i, y + 15 - heights[i]);
        }
    } else if (dynamic_cast<const TAreaSeries*>(&Series)) {
        const Point p[] = {{x + 1, y + 15}, {x + 1, y + 10}, {x + 6, y + 5}, {x + 10, y + 8},
                           {x + 15, y + 2}, {x + 15, y + 15}};
        dc.SelectPen(PenDesc::Solid(kInk));
        dc.SelectBrush(BrushDesc::Solid(kBlue));
        dc.Polygon(p, 6);
    } else if (dynamic_cast<const TPointSeries*>(&Series)) {
        dc.SelectPen(PenDesc::Solid(kInk));
        dc.SelectBrush(BrushDesc::Solid(kRed));
        const Point p[] = {{x + 3, y + 10}, {x + 7, y + 4}, {x + 10, y + 9}, {x + 13, y + 3}};
        for (const Point& c : p)
            dc.Rectangle(c.x - 1, c.y - 1, c.x + 2, c.y + 2);
    } else if (dynamic_cast<const TFastLineSeries*>(&Series)) {
        Polyline(dc, x, y, kGreen, 1);
    } else {
        Polyline(dc, x, y, kRed, 2);
    }
    dc.SelectPen(pen);
    dc.SelectBrush(brush);
}
