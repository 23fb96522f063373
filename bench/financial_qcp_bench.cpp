// Bar and candle series of 10^4 points (800 x 600 chart, 2D, bottom and left
// axes, no antialiasing) drawn by our chart beside QCustomPlot's QCPBars and
// QCPFinancial, both timed in the same iterations: a full redraw of the shown
// widget. "ratio" is our time / QCustomPlot's time.
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include <cmath>

#include "bench_ratio.h"
#include "chart/chart.h"
#include "platform/qt_drawing_device.h"
#include "chart/series/bar_series.h"
#include "chart/series/candle_series.h"

namespace {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int Points = 10000;

double Value(int i)
{
    return 50 + 40 * std::sin(i * 0.01) + 5 * std::sin(i * 0.37);
}

struct OurChart {
    QObject form;
    TChart chart;
    OurChart()
    {
        chart.resize(Width, Height);
        chart.SetView3D(false);
        chart.show();
    }
    void Redraw()
    {
        chart.Invalidate();
        chart.Draw(chart.WindowCanvas(), chart.GetRectangle());
    }
};

struct QcpChart {
    QCustomPlot plot;
    QcpChart()
    {
        plot.resize(Width, Height);
        plot.setNotAntialiasedElements(QCP::aeAll);
        plot.setAntialiasedElements(QCP::aeNone);
        plot.show();
    }
    void Redraw() { plot.replot(QCustomPlot::rpImmediateRefresh); }
};

template <typename Ours, typename Theirs>
void Alternate(benchmark::State& state, Ours ours, Theirs theirs)
{
    bench::TimeBoth(state, ours, theirs, "ours_ms", "qcp_ms");
}

void BM_Bars10k(benchmark::State& state)
{
    OurChart ours;
    auto* bars = new TBarSeries(&ours.form);
    bars->Marks().SetVisible(false);
    bars->Gradient().SetVisible(false);
    bars->BeginUpdate();
    for (int i = 0; i < Points; ++i)
        bars->AddXY(i, Value(i));
    bars->EndUpdate();
    ours.chart.AddSeries(bars);

    QcpChart theirs;
    auto* qbars = new QCPBars(theirs.plot.xAxis, theirs.plot.yAxis);
    QVector<double> x(Points), y(Points);
    for (int i = 0; i < Points; ++i) {
        x[i] = i;
        y[i] = Value(i);
    }
    qbars->setData(x, y, true);
    qbars->setWidth(0.7);
    qbars->setPen(QPen(Qt::black, 1));
    qbars->setBrush(QColor(255, 0, 0));
    theirs.plot.xAxis->setRange(-1, Points);
    theirs.plot.yAxis->setRange(0, 100);
    ours.Redraw();
    theirs.Redraw();
    Alternate(state, [&] { ours.Redraw(); }, [&] { theirs.Redraw(); });
}

void BM_Candles10k(benchmark::State& state)
{
    OurChart ours;
    auto* candles = new TCandleSeries(&ours.form);
    candles->BeginUpdate();
    QVector<double> key(Points), open(Points), high(Points), low(Points), close(Points);
    for (int i = 0; i < Points; ++i) {
        key[i] = i;
        open[i] = Value(i);
        close[i] = Value(i + 1);
        high[i] = std::max(open[i], close[i]) + 2;
        low[i] = std::min(open[i], close[i]) - 2;
        candles->AddOHLC(i, open[i], high[i], low[i], close[i]);
    }
    candles->EndUpdate();
    ours.chart.AddSeries(candles);

    QcpChart theirs;
    auto* financial = new QCPFinancial(theirs.plot.xAxis, theirs.plot.yAxis);
    financial->setData(key, open, high, low, close, true);
    financial->setChartStyle(QCPFinancial::csCandlestick);
    financial->setWidthType(QCPFinancial::wtAbsolute);
    financial->setWidth(4);
    theirs.plot.xAxis->setRange(-1, Points);
    theirs.plot.yAxis->setRange(0, 100);
    ours.Redraw();
    theirs.Redraw();
    Alternate(state, [&] { ours.Redraw(); }, [&] { theirs.Redraw(); });
}

}  // namespace

BENCHMARK(BM_Bars10k)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Candles10k)->Unit(benchmark::kMillisecond);
