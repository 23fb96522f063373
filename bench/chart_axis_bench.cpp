// Axes of one 1920 x 1080 chart frame: a date-time bottom axis over ten years
// and a numeric top axis over 0 .. 10^6, both 1920 pixels long.
//   BM_AxisLayout: per redraw, sizing (label room), limits and the label
//     increment of both axes, text measured through the canvas;
//   BM_AxisDraw: the same plus labels, ticks and grids drawn;
//   BM_WholeFrame: the frame as the chart draws it: background, the axes
//     as above and a 10^4-point line series through the axes.
// The axis share of the frame is BM_AxisDraw / BM_WholeFrame.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/plot_canvas_3d.h"
#include "core/date_time.h"
#include "platform/qt_drawing_device.h"

namespace {

constexpr int FrameWidth = 1920;
constexpr int FrameHeight = 1080;
constexpr int SeriesPoints = 10000;

class BenchChart : public TCustomAxisPanel {
public:
    BenchChart()
    {
        canvas.SetBufferedDisplay(false);
        canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, FrameWidth, FrameHeight});
        dates = AddSeries(new TChartSeries());
        dates->XValues().SetDateTime(true);
        const double first = EncodeDate(2010, 1, 1);
        const double last = EncodeDate(2020, 1, 1);
        for (int i = 0; i < SeriesPoints; ++i)
            dates->AddXY(first + (last - first) * i / (SeriesPoints - 1), (i * 7919) % 1000);
        numbers = AddSeries(new TChartSeries());
        numbers->SetHorizAxis(aTopAxis);
        numbers->AddXY(0, 0);
        numbers->AddXY(1e6, 1);
    }

    bool View3D() const override { return false; }
    TCanvas3D* AxisCanvas() const override { return &canvas; }
    TRect AxisChartRect() const override { return chartRect; }

    // Sizing, limits and increments of the two axes.
    void Layout()
    {
        TRect r{0, 0, FrameWidth, FrameHeight};
        BottomAxis()->CalcRect(r, true);
        TopAxis()->CalcRect(r, true);
        r.Left = 0;
        r.Right = FrameWidth;
        chartRect = r;
        for (TChartAxis* a : {BottomAxis(), TopAxis()}) {
            a->SetStartEnd();
            a->AdjustMaxMin();
            TRect final = chartRect;
            a->CalcRect(final, false);
            benchmark::DoNotOptimize(a->CalcLabelsIncrement());
        }
    }
    void DrawAxes()
    {
        BottomAxis()->Draw(false);
        TopAxis()->Draw(false);
    }
    void DrawSeries()
    {
        canvas.AssignPenColor(canvas.Pen(), clBlue);
        const TChartAxis& x = *BottomAxis();
        const TChartAxis& y = *LeftAxis();
        points.clear();
        for (int i = 0; i < dates->Count(); ++i)
            points.push_back({x.CalcPosValue(dates->XValues().Value(i)), y.CalcPosValue(dates->YValues().Value(i))});
        canvas.Polyline(points);
    }

    platform::QtDrawingDevice device{FrameWidth, FrameHeight};
    mutable TPlotCanvas3D canvas;
    TRect chartRect{0, 0, FrameWidth, FrameHeight};
    std::vector<TPoint> points;
    TChartSeries* dates = nullptr;
    TChartSeries* numbers = nullptr;

};

void BM_AxisLayout(benchmark::State& state)
{
    BenchChart chart;
    for (auto _ : state)
        chart.Layout();
}
BENCHMARK(BM_AxisLayout)->Unit(benchmark::kMicrosecond);

void BM_AxisDraw(benchmark::State& state)
{
    BenchChart chart;
    for (auto _ : state) {
        chart.Layout();
        chart.DrawAxes();
    }
    state.counters["bottom labels"] = static_cast<double>(chart.BottomAxis()->TickPositions.size());
    state.counters["top labels"] = static_cast<double>(chart.TopAxis()->TickPositions.size());
}
BENCHMARK(BM_AxisDraw)->Unit(benchmark::kMicrosecond);

void BM_WholeFrame(benchmark::State& state)
{
    BenchChart chart;
    for (auto _ : state) {
        chart.canvas.Brush()->SetStyle(bsSolid);
        chart.canvas.Brush()->SetColor(clWhite);
        chart.canvas.FillRect(TRect{0, 0, FrameWidth, FrameHeight});
        chart.Layout();
        chart.LeftAxis()->SetStartEnd();
        chart.LeftAxis()->AdjustMaxMin();
        chart.DrawAxes();
        chart.DrawSeries();
    }
}
BENCHMARK(BM_WholeFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
