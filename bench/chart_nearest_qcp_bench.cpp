// The nearest point to the mouse over a line of N points (10^3, 10^5, 10^6): our nearest
// tool's search (the series' own hit test, then the distance to every visible
// point) and a whole mouse move of the tool (search, erase and draw of its
// mark in not-exclusive-or on the chart's buffer, the change event); beside
// QCustomPlot's QCPGraph::selectTest at the same mouse points.
#include <benchmark/benchmark.h>

#include <qcustomplot.h>

#include "bench_ratio.h"

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/line_series.h"
#include "chart/tools/nearest_tool.h"
#include "platform/qt_drawing_device.h"

namespace {

double YOf(int i)
{
    return static_cast<double>(static_cast<long long>(i) * 7919 % 1000) * 0.1;
}

// Mouse points spread over the plot area, visited in turn.
const QPoint kMouse[] = {{120, 200}, {400, 310}, {650, 150}, {300, 450}, {520, 480}, {700, 330}};

struct TBothCharts {
    explicit TBothCharts(int N)
    {
        chart.resize(800, 600);
        chart.SetView3D(false);
        series = new TLineSeries(&owner);
        series->BeginUpdate();
        for (int i = 0; i < N; ++i)
            series->AddXY(i, YOf(i));
        series->EndUpdate();
        chart.AddSeries(series);
        tool.SetSeries(series);
        tool.SetParentChart(&chart);
        tool.SetFullRepaint(false);
        chart.show();  // drawing outside a paint needs a shown window
        chart.Draw(chart.WindowCanvas(), TRect{0, 0, 800, 600});

        plot.resize(800, 600);
        QVector<double> xs(N), ys(N);
        for (int i = 0; i < N; ++i) {
            xs[i] = i;
            ys[i] = YOf(i);
        }
        graph = plot.addGraph();
        graph->setData(xs, ys, true);
        plot.rescaleAxes();
        plot.replot();
    }
    ~TBothCharts()
    {
        tool.SetParentChart(nullptr);
        chart.RemoveSeries(series);
    }

    QObject owner;
    TChart chart;
    TLineSeries* series = nullptr;
    TNearestTool tool;
    QCustomPlot plot;
    QCPGraph* graph = nullptr;
};

void BM_NearestSearchBesideSelectTest(benchmark::State& state)
{
    TBothCharts both(static_cast<int>(state.range(0)));
    int k = 0;
    QPoint p;
    int found = 0;
    double qcpDistance = 0;
    bench::TimeBoth(
        state,
        [&] {
            p = kMouse[k++ % 6];
            found += TNearestTool::GetNearestPoint(*both.series, p.x(), p.y()) >= 0;
        },
        [&] {
            QVariant details;
            qcpDistance += both.graph->selectTest(QPointF(p), false, &details);
        },
        "ours_ms", "qcp_ms");
    state.counters["found"] = found;
    benchmark::DoNotOptimize(qcpDistance);
}

void BM_NearestMoveBesideSelectTest(benchmark::State& state)
{
    TBothCharts both(static_cast<int>(state.range(0)));
    int changes = 0;
    both.tool.OnChange = [&](TNearestTool&) { ++changes; };
    int k = 0;
    QPoint p;
    double qcpDistance = 0;
    bench::TimeBoth(
        state,
        [&] {
            p = kMouse[k++ % 6];
            both.chart.MouseMove(0, p.x(), p.y());
        },
        [&] {
            QVariant details;
            qcpDistance += both.graph->selectTest(QPointF(p), false, &details);
        },
        "ours_ms", "qcp_ms");
    state.counters["changes"] = changes;
    benchmark::DoNotOptimize(qcpDistance);
}

// The search over 10^6 points beside the same search over 10^3, at the same
// mouse points, alternating: the ratio shows how the cost grows with the points.
void BM_NearestSearchMillionBesideThousand(benchmark::State& state)
{
    TBothCharts thousand(1000);
    TBothCharts million(1000000);
    int k = 0;
    QPoint p;
    int found = 0;
    bench::TimeBoth(
        state,
        [&] {
            p = kMouse[k++ % 6];
            found += TNearestTool::GetNearestPoint(*million.series, p.x(), p.y()) >= 0;
        },
        [&] { found += TNearestTool::GetNearestPoint(*thousand.series, p.x(), p.y()) >= 0; }, "million_ms",
        "thousand_ms");
    state.counters["found"] = found;
}

}  // namespace

BENCHMARK(BM_NearestSearchMillionBesideThousand)->Unit(benchmark::kMicrosecond)->Apply(bench::MinMedianMax);
BENCHMARK(BM_NearestSearchBesideSelectTest)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NearestMoveBesideSelectTest)->Arg(100000)->Unit(benchmark::kMillisecond);
