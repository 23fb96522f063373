// One cursor move over a chart of N points (10^3, 10^5, 10^6): our cursor tool
// erasing and drawing itself in exclusive-or on the chart's buffer and showing
// the changed rectangle, with its change event; beside QCustomPlot moving a
// QCPItemStraightLine on a buffered layer of its own and replotting that layer.
// Neither repaints the whole chart, so both times should stay flat in N.
#include <benchmark/benchmark.h>

#include <qcustomplot.h>

#include <vector>

#include "bench_ratio.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_canvas_3d.h"
#include "chart/tools/cursor_tool.h"
#include "platform/qt_drawing_device.h"

namespace {

// A line from each point to the next.
class TBenchLineSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    void DrawValue(int Index) override
    {
        if (Index == 0)
            return;
        TCanvas3D& c = *ParentChart()->Panel()->Canvas();
        c.Line(CalcXPos(Index - 1), CalcYPos(Index - 1), CalcXPos(Index), CalcYPos(Index));
    }
};

double YOf(int i)
{
    return static_cast<double>(static_cast<long long>(i) * 7919 % 1000) * 0.1;
}

void BM_CursorMoveBesideQCustomPlot(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));

    QObject owner;
    TChart chart;
    chart.resize(800, 600);
    chart.SetView3D(false);
    auto* series = new TBenchLineSeries(&owner);
    for (int i = 0; i < n; ++i)
        series->AddXY(i, YOf(i));
    chart.AddSeries(series);
    TCursorTool cursor;
    cursor.SetParentChart(&chart);
    cursor.SetFollowMouse(true);
    int changes = 0;
    cursor.OnChange = [&](TCursorTool&, int, int, double, double, TChartSeries*, int) { ++changes; };
    chart.show();  // drawing outside a paint needs a shown window
    chart.Draw(chart.WindowCanvas(), TRect{0, 0, 800, 600});

    QCustomPlot plot;
    plot.resize(800, 600);
    QVector<double> xs(n), ys(n);
    for (int i = 0; i < n; ++i) {
        xs[i] = i;
        ys[i] = YOf(i);
    }
    plot.addGraph()->setData(xs, ys, true);
    plot.rescaleAxes();
    plot.addLayer("cursor", plot.layer("main"), QCustomPlot::limAbove);
    QCPLayer* layer = plot.layer("cursor");
    layer->setMode(QCPLayer::lmBuffered);
    auto* line = new QCPItemStraightLine(&plot);
    line->setLayer(layer);
    plot.replot();

    const int x0 = cursor.X();
    const int y0 = cursor.Y();
    int k = 0;
    int dx = 0;
    bench::TimeBoth(
        state,
        [&] {
            dx = (k++ % 2) ? 40 : -40;
            chart.MouseMove(0, x0 + dx, y0 + dx / 2);
        },
        [&] {
            const double key = plot.xAxis->pixelToCoord(x0 + dx);
            line->point1->setCoords(key, 0);
            line->point2->setCoords(key, 1);
            layer->replot();
        },
        "ours_ms", "qcp_ms");
    state.counters["changes"] = changes;
    // every move drew on the buffer: no full repaint was asked for
    if (static_cast<TPlotCanvas3D*>(chart.Canvas())->BufferInvalid)
        state.SkipWithError("a move invalidated the chart");
    cursor.SetParentChart(nullptr);
    chart.RemoveSeries(series);
}

}  // namespace

BENCHMARK(BM_CursorMoveBesideQCustomPlot)->Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
