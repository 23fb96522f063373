#pragma once
// Two test-only series types standing in for the real ones (never
// registered): a bar per point from the chart rectangle's bottom to its value,
// and a polyline through the points.
#include <functional>

#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

class TTestBarSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;

    // Half width of a bar in pixels.
    int HalfWidth = 2;
    // Told of each point drawn.
    std::function<void(int Index)> OnDrawValue;

    void DrawValue(int Index) override
    {
        if (OnDrawValue)
            OnDrawValue(Index);
        TCustomPlotPanel* panel = ParentChart()->Panel();
        TCanvas3D& c = *panel->Canvas();
        c.AssignBrushColor(&Brush(), GetValueColor(Index), clWhite);
        const int x = CalcXPos(Index);
        const int y = CalcYPos(Index);
        const int bottom = panel->ChartRect.Bottom;
        if (ParentChart()->View3D())
            c.Cube(x - HalfWidth, x + HalfWidth, y, bottom, StartZ(), EndZ(), true);
        else
            c.Rectangle(x - HalfWidth, y, x + HalfWidth + 1, bottom);
    }
};

class TTestLineSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;

    void DrawValue(int Index) override
    {
        const int previous = DrawValuesForward() ? Index - 1 : Index + 1;
        if (Index == FirstDrawIndex() || previous < 0 || previous >= Count())
            return;
        TCanvas3D& c = *ParentChart()->Panel()->Canvas();
        c.AssignPen(&Pen());
        c.Pen()->SetColor(SeriesColor());
        if (ParentChart()->View3D())
            c.LineWithZ(CalcXPos(previous), CalcYPos(previous), CalcXPos(Index), CalcYPos(Index), MiddleZ());
        else
            c.Line(CalcXPos(previous), CalcYPos(previous), CalcXPos(Index), CalcYPos(Index));
    }
};
