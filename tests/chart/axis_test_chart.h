#pragma once
// A chart for axis tests: the axis panel with its axes drawing on a 2D canvas
// over a recording device (fixed text metrics), a fixed chart rectangle, a
// repaint counter and a loading switch.
#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "support/recording_canvas.h"

class TTestAxisChart : public TCustomAxisPanel {
public:
    explicit TTestAxisChart(int Width = 400, int Height = 300) : device(Width, Height)
    {
        InitOnRecorder(canvas, device);
        ChartRect = TRect{40, 20, 360, 260};
    }

    // A new series added to the chart (freed with it).
    TChartSeries* AddSeries(TChartSeries* Series = nullptr)
    {
        return TCustomAxisPanel::AddSeries(Series ? Series : new TChartSeries());
    }

    void Invalidate() override { ++Repaints; }
    bool View3D() const override { return Is3D; }
    void SetView3D(bool Value) override { Is3D = Value; }
    bool AxisLoading() const override { return Loading; }
    TCanvas3D* AxisCanvas() const override { return &canvas; }
    int AxisChartWidth() const override { return ChartRect.Right - ChartRect.Left; }

    // Sizes every shown axis and places it as the draw sequence does.
    void LayoutAxes(TRect& R)
    {
        for (TChartAxis* a : Axes().Items())
            if (IsAxisVisible(*a))
                a->CalcRect(R, true);
        ChartRect = R;
        for (TChartAxis* a : Axes().Items()) {
            a->SetStartEnd();
            a->AdjustMaxMin();
        }
    }

    platform::RecordingDevice device;
    mutable TPlotCanvas3D canvas;
    int Repaints = 0;
    bool Is3D = false;
    bool Loading = false;
};
