// The histogram chart (title, legend of two entries, bottom and left axes with
// labels, ticks and grid, 400 outlined bars and a 2-pixel density line through
// 500 points, 800 x 600, no antialiasing) drawn by our chart beside the same
// chart built with QCustomPlot, both timed in the same iterations: a full
// redraw of the shown widget, drawing onto an 800 x 600 image, and a redraw
// after one bar changed. "ratio" is our time / QCustomPlot's time.
#include <QImage>
#include <benchmark/benchmark.h>
#include <qcustomplot.h>

#include "bench_ratio.h"
#include "chart/chart.h"
#include "platform/qt_drawing_device.h"
#include "support/histogram_chart.h"

namespace {

using namespace histogram;

// Ours, shown, redrawn as the paint event does with a stale buffer: the whole
// chart into the buffer, then one copy onto the window's surface.
struct OurHistogram : THistogramChart {
    OurHistogram() { chart.show(); }
    void Redraw()
    {
        chart.Invalidate();
        chart.Draw(chart.WindowCanvas(), chart.GetRectangle());
    }
};

struct QcpHistogram {
    QCustomPlot plot;
    QCPBars* bars;
    QcpHistogram()
    {
        plot.resize(Width, Height);
        plot.setNotAntialiasedElements(QCP::aeAll);
        plot.setAntialiasedElements(QCP::aeNone);
        plot.plotLayout()->insertRow(0);
        plot.plotLayout()->addElement(0, 0, new QCPTextElement(&plot, "Histogram"));
        bars = new QCPBars(plot.xAxis, plot.yAxis);
        bars->setName("Bars");
        bars->setWidth(0.02);
        bars->setPen(QPen(Qt::black, 1));
        bars->setBrush(QColor(255, 0, 0));
        QVector<double> bx(Bars), by(Bars);
        for (int i = 0; i < Bars; ++i) {
            bx[i] = BarX(i);
            by[i] = BarHeight(bx[i]);
        }
        bars->setData(bx, by, true);
        QCPGraph* line = plot.addGraph();
        line->setName("Density");
        line->setPen(QPen(Qt::red, 2));
        QVector<double> lx(LinePoints), ly(LinePoints);
        for (int i = 0; i < LinePoints; ++i) {
            lx[i] = LineX(i);
            ly[i] = BarHeight(lx[i]);
        }
        line->setData(lx, ly, true);
        plot.xAxis->setRange(-4, 4);
        plot.yAxis->setRange(0, BarHeight(0));
        plot.legend->setVisible(true);
        plot.show();
    }
    void Redraw() { plot.replot(QCustomPlot::rpImmediateRefresh); }
};

template <typename Ours, typename Theirs>
void Alternate(benchmark::State& state, Ours ours, Theirs theirs)
{
    bench::TimeBoth(state, ours, theirs, "ours_ms", "qcp_ms");
}

void BM_HistogramFullRedraw(benchmark::State& state)
{
    OurHistogram ours;
    QcpHistogram theirs;
    ours.Redraw();
    theirs.Redraw();
    Alternate(state, [&] { ours.Redraw(); }, [&] { theirs.Redraw(); });
}

void BM_HistogramToImage(benchmark::State& state)
{
    OurHistogram ours;
    QcpHistogram theirs;
    platform::QtDrawingDevice device(Width, Height);
    QImage image(Width, Height, QImage::Format_RGB32);
    Alternate(
        state, [&] { ours.chart.Draw(&device, TRect{0, 0, Width, Height}); },
        [&] {
            QCPPainter painter(&image);
            theirs.plot.toPainter(&painter, Width, Height);
        });
}

void BM_HistogramOneBarChanged(benchmark::State& state)
{
    OurHistogram ours;
    QcpHistogram theirs;
    ours.Redraw();
    theirs.Redraw();
    int k = 0;
    Alternate(
        state,
        [&] {
            ours.bars->YValues().SetValue(200, BarHeight(0) * (k % 2 ? 0.9 : 1.0));
            ours.Redraw();
        },
        [&] {
            (theirs.bars->data()->begin() + 200)->value = BarHeight(0) * (k++ % 2 ? 0.9 : 1.0);
            theirs.Redraw();
        });
}

}  // namespace

BENCHMARK(BM_HistogramFullRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistogramToImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistogramOneBarChanged)->Unit(benchmark::kMillisecond);
