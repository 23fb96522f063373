// Our line-family series beside QCustomPlot's graphs and bars on a plain chart
// (bottom and left axes with fixed ranges, no title or legend, no
// antialiasing), each drawn onto an image of the chart's size, both timed in
// the same iterations. The argument is the width (800 x 600 or 1920 x 1080).
// Also the incremental draw of one added point of a fast line (AutoRepaint
// off) at 10^3 and 10^6 existing points, in microseconds per point.
#include <QImage>
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <chrono>
#include <cmath>

#include "bench_ratio.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/series/area_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "platform/qt_drawing_device.h"

namespace {

template <typename Ours, typename Theirs>
void Alternate(benchmark::State& state, Ours ours, Theirs theirs)
{
    bench::TimeBoth(state, ours, theirs, "ours_ms", "qcp_ms");
}

int HeightOf(int Width) { return Width == 800 ? 600 : 1080; }

// A deterministic wavy walk between 0 and 100.
double YOf(int i, int N)
{
    const double t = static_cast<double>(i) / N;
    return 50 + 40 * std::sin(t * 60) * std::cos(t * 7) + 5 * std::sin(i * 0.7);
}

struct OurChart {
    QObject form;
    TChart chart;
    int width;
    int height;
    platform::QtDrawingDevice device;
    OurChart(int W, TChartSeries* Series, int N, double XMax)
        : width(W), height(HeightOf(W)), device(W, HeightOf(W))
    {
        chart.resize(width, height);
        chart.SetView3D(false);
        chart.Legend()->SetVisible(false);
        Series->setParent(&form);
        Series->BeginUpdate();
        for (int i = 0; i < N; ++i)
            Series->AddXY(i, YOf(i, N));
        Series->EndUpdate();
        chart.AddSeries(Series);
        chart.BottomAxis()->SetAutomatic(false);
        chart.BottomAxis()->SetMinMax(-1, XMax);
        chart.LeftAxis()->SetAutomatic(false);
        chart.LeftAxis()->SetMinMax(0, 100);
    }
    // straight onto the device, as QCustomPlot's toPainter draws
    void Draw() { chart.DrawToCanvas(&device, TRect{0, 0, width, height}); }
};

struct TheirChart {
    QCustomPlot plot;
    QImage image;
    TheirChart(int W, int N, double XMax) : image(W, HeightOf(W), QImage::Format_RGB32)
    {
        plot.resize(W, HeightOf(W));
        plot.setNotAntialiasedElements(QCP::aeAll);
        plot.setAntialiasedElements(QCP::aeNone);
        plot.xAxis->setRange(-1, XMax);
        plot.yAxis->setRange(0, 100);
        (void)N;
    }
    void Draw()
    {
        QCPPainter painter(&image);
        plot.toPainter(&painter, image.width(), image.height());
    }
};

QVector<double> Xs(int N)
{
    QVector<double> x(N);
    for (int i = 0; i < N; ++i)
        x[i] = i;
    return x;
}

QVector<double> Ys(int N)
{
    QVector<double> y(N);
    for (int i = 0; i < N; ++i)
        y[i] = YOf(i, N);
    return y;
}

QCPGraph* AddGraph(TheirChart& Theirs, int N, bool Adaptive)
{
    QCPGraph* g = Theirs.plot.addGraph();
    g->setPen(QPen(Qt::red, 1));
    g->setAdaptiveSampling(Adaptive);
    g->setData(Xs(N), Ys(N), true);
    return g;
}

// Fast line of N points: ours with DrawAllPoints (0 off, 1 on) against a graph
// with adaptive sampling (0 off, 1 on).
void FastLine(benchmark::State& state, int N)
{
    const int width = static_cast<int>(state.range(0));
    auto* s = new TFastLineSeries;
    s->SetDrawAllPoints(state.range(1) != 0);
    s->SetSeriesColor(clRed);
    OurChart ours(width, s, N, N);
    TheirChart theirs(width, N, N);
    AddGraph(theirs, N, state.range(2) != 0);
    Alternate(state, [&] { ours.Draw(); }, [&] { theirs.Draw(); });
}

void BM_FastLine100k(benchmark::State& state) { FastLine(state, 100000); }
void BM_FastLine1M(benchmark::State& state) { FastLine(state, 1000000); }

void BM_Line100k(benchmark::State& state)
{
    const int n = 100000;
    const int width = static_cast<int>(state.range(0));
    auto* s = new TLineSeries;
    s->SetSeriesColor(clRed);
    OurChart ours(width, s, n, n);
    TheirChart theirs(width, n, n);
    AddGraph(theirs, n, false);
    Alternate(state, [&] { ours.Draw(); }, [&] { theirs.Draw(); });
}

void BM_Area100k(benchmark::State& state)
{
    const int n = 100000;
    const int width = static_cast<int>(state.range(0));
    auto* s = new TAreaSeries;
    s->SetSeriesColor(clRed);
    OurChart ours(width, s, n, n);
    TheirChart theirs(width, n, n);
    QCPGraph* g = AddGraph(theirs, n, false);
    g->setBrush(QColor(255, 0, 0));
    Alternate(state, [&] { ours.Draw(); }, [&] { theirs.Draw(); });
}

void BM_Histogram10k(benchmark::State& state)
{
    const int n = 10000;
    const int width = static_cast<int>(state.range(0));
    auto* s = new THistogramSeries;
    s->SetSeriesColor(clRed);
    OurChart ours(width, s, n, n);
    TheirChart theirs(width, n, n);
    auto* bars = new QCPBars(theirs.plot.xAxis, theirs.plot.yAxis);
    bars->setWidth(1);
    bars->setPen(QPen(Qt::black, 1));
    bars->setBrush(QColor(255, 0, 0));
    bars->setData(Xs(n), Ys(n), true);
    Alternate(state, [&] { ours.Draw(); }, [&] { theirs.Draw(); });
}

// Adding points one by one onto the shown, buffered chart with AutoRepaint
// off: each add draws its segment into the buffer and shows that rectangle.
void BM_FastLineIncrementalAdd(benchmark::State& state)
{
    const int existing = static_cast<int>(state.range(0));
    const int adds = 1000;
    auto* s = new TFastLineSeries;
    OurChart ours(800, s, existing, existing + 2 * adds);
    ours.chart.show();
    ours.chart.Draw(ours.chart.WindowCanvas(), ours.chart.GetRectangle());
    s->SetAutoRepaint(false);
    double us = 0;
    int total = 0;
    for (auto _ : state) {
        state.PauseTiming();
        while (s->Count() > existing)
            s->Delete(s->Count() - 1);
        ours.chart.Draw(ours.chart.WindowCanvas(), ours.chart.GetRectangle());
        state.ResumeTiming();
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < adds; ++i)
            s->AddXY(existing + i, YOf(existing + i, existing));
        us += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
        total += adds;
    }
    state.counters["us_per_point"] = total > 0 ? us / total : 0;
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({800})->Args({1920})->Unit(benchmark::kMillisecond);
}

void FastLineArgs(benchmark::internal::Benchmark* b)
{
    for (int w : {800, 1920})
        for (int all : {1, 0})
            for (int adaptive : {0, 1})
                b->Args({w, all, adaptive});
    b->ArgNames({"width", "all_points", "adaptive"})->Unit(benchmark::kMillisecond);
    bench::MinMedianMax(b);
}

}  // namespace

BENCHMARK(BM_FastLine100k)->Apply(FastLineArgs);
BENCHMARK(BM_FastLine1M)->Apply(FastLineArgs);
BENCHMARK(BM_Line100k)->Apply(Sizes);
BENCHMARK(BM_Area100k)->Apply(Sizes);
BENCHMARK(BM_Histogram10k)->Apply(Sizes);
BENCHMARK(BM_FastLineIncrementalAdd)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMillisecond);
