#pragma once
// A chart for axis tests: the axis container over a 2D canvas drawing onto a
// recording device (fixed text metrics), with series it owns.
#include <memory>
#include <vector>

#include "chart/axis_container.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "support/recording_canvas.h"

class TTestAxisChart : public TAxisContainer {
public:
    explicit TTestAxisChart(int Width = 400, int Height = 300) : device(Width, Height)
    {
        InitOnRecorder(canvas, device);
        CreateStandardAxes();
    }
    ~TTestAxisChart() override
    {
        for (auto& s : series)
            s->SetParentChart(nullptr);
        series.clear();
    }

    TChartSeries* AddSeries()
    {
        series.push_back(std::make_unique<TChartSeries>());
        series.back()->SetParentChart(this);
        return series.back().get();
    }

    // TSeriesParent
    void Invalidate() override { ++Repaints; }
    void BroadcastSeriesNotice(TSeriesNotice, TCustomChartSeries*) override {}
    int SeriesIndexOf(const TChartSeries* S) const override
    {
        for (std::size_t i = 0; i < series.size(); ++i)
            if (series[i].get() == S)
                return static_cast<int>(i);
        return -1;
    }
    void RemoveSeries(TChartSeries*) override {}
    TColor GetDefaultColor(int) const override { return clRed; }
    void CheckDataSource(TChartSeries*, QObject*) override {}
    void RefreshSeriesData(TChartSeries*) override {}
    bool View3D() const override { return Is3D; }
    void SetView3D(bool Value) override { Is3D = Value; }

    // TAxisContainer
    bool AxisLoading() const override { return Loading; }
    TCanvas3D* AxisCanvas() const override { return &canvas; }
    TRect AxisChartRect() const override { return ChartRect; }
    int SeriesCount() const override { return static_cast<int>(series.size()); }
    TChartSeries* Series(int Index) const override { return series[static_cast<std::size_t>(Index)].get(); }

    // Sizes every axis and positions them as the draw sequence does.
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
    std::vector<std::unique_ptr<TChartSeries>> series;
    TRect ChartRect{40, 20, 360, 260};
    int Repaints = 0;
    bool Is3D = false;
    bool Loading = false;
};
