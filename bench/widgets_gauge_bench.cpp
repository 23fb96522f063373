// Repaint of a 300 x 75 scale gauge (vertical gradient, 11 labels, two-triangle
// index, moving dial) composed on its drawing device and copied to an image,
// against the same picture drawn straight with QPainter on a QImage.
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "platform/qt_drawing_device.h"
#include "widgets/instrument_base.h"
#include "widgets/scale_gauge.h"

namespace {

constexpr int W = 300, H = 75;
constexpr int ML = 20, MR = 10, MT = 10, MB = 20;

QColor ToQt(TColor c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct GaugeRun {
    TScaleGauge gauge;
    QImage screen{W, H, QImage::Format_RGB32};
    int frame = 0;

    GaugeRun()
    {
        gauge.SetMinTicks(10);  // -10, -8, ..., 10: 11 labels
        gauge.SetIndexMode(gimThreadTwoTriangles);
        gauge.SetFixedDial(false);
    }

    void Draw()
    {
        gauge.SetValue(std::sin(++frame * 0.01) * 9);  // composes the picture
        QPainter p(&screen);
        gauge.render(&p);  // the copy to the screen
        p.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
};

// The same picture issued straight to QPainter.
struct PainterRun {
    QImage image{W, H, QImage::Format_RGB32};
    QFont font{platform::ResolveFontFamily("Arial")};
    int frame = 0;

    PainterRun() { font.setPixelSize(11); }

    void Draw()
    {
        const double value = std::sin(++frame * 0.01) * 9;
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        const int n = W - ML - MR;
        for (int i = 0; i <= n; ++i) {
            p.setPen(QPen(ToQt(BlendColors(0x808080, 0xFFFFFF, double(i) / n)), 0));
            p.drawLine(ML + i, 0, ML + i, H);
        }
        // scale: base line, 41 minor and 11 major ticks, 11 labels around the value
        const int base = H - MB - 10 - 1;
        const double factor = (W - ML - MR - 1) / 20.0;
        const double low = value - 10;
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(ML, base, W - MR - 2, base);
        p.setFont(font);
        const double first = std::ceil(low / 2) * 2;
        for (int i = 0; i <= 40; ++i) {
            const int x = static_cast<int>(std::nearbyint(ML + (first - 2 + i * 0.5 - low) * factor));
            p.drawLine(x, base, x, base - 3);
        }
        for (int i = 0; i <= 10; ++i) {
            const double t = first + 2 * i;
            const int x = static_cast<int>(std::nearbyint(ML + (t - low) * factor));
            p.drawLine(x, base, x, base - 6);
            const QString text = QString::number(t, 'f', 0);
            const int w = p.fontMetrics().horizontalAdvance(text);
            p.drawText(x - w / 2, base - 7 - 2, text);
        }
        // index: thread and two triangles in the middle
        const int px = ML + n / 2;
        p.drawLine(px, 0, px, H);
        p.setPen(QPen(Qt::red, 0));
        for (int i = 1; i <= 10; ++i) {
            p.drawLine(px - i / 2, H - MB - 10 + i - 1, px + i / 2, H - MB - 10 + i - 1);
            p.drawLine(px - i / 2, MT + 10 - i, px + i / 2, MT + 10 - i);
        }
        // cover and frames
        const QColor cover(0xC0, 0xC0, 0xC0);
        p.fillRect(0, 0, ML, H, cover);
        p.fillRect(W - MR, 0, MR, H, cover);
        p.fillRect(0, 0, W, MT, cover);
        p.fillRect(0, H - MB, W, MB, cover);
        p.setPen(QPen(Qt::white, 0));
        p.drawLine(0, 0, W - 1, 0);
        p.drawLine(0, 0, 0, H - 1);
        p.setPen(QPen(Qt::black, 0));
        p.drawLine(W - 1, 1, W - 1, H - 1);
        p.drawLine(0, H - 1, W - 1, H - 1);
        p.setPen(QPen(Qt::gray, 0));
        p.drawLine(ML, MT, W - MR - 1, MT);
        p.drawLine(ML, MT, ML, H - MB - 1);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

void BM_GaugeRepaint(benchmark::State& state)
{
    GaugeRun run;
    for (auto _ : state)
        run.Draw();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GaugeRepaint)->Unit(benchmark::kMicrosecond);

void BM_GaugeQPainterDirect(benchmark::State& state)
{
    PainterRun run;
    for (auto _ : state)
        run.Draw();
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_GaugeQPainterDirect)->Unit(benchmark::kMicrosecond);

// Both pictures timed in the same iterations; "ratio" is gauge time / QPainter time.
void BM_GaugeToQPainterRatio(benchmark::State& state)
{
    GaugeRun gauge;
    PainterRun painter;
    double gaugeMs = 0;
    double painterMs = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        gauge.Draw();
        const auto t1 = std::chrono::steady_clock::now();
        painter.Draw();
        const auto t2 = std::chrono::steady_clock::now();
        gaugeMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
        painterMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["gauge_fps"] = gaugeMs > 0 ? 1000 * n / gaugeMs : 0;
    state.counters["qpainter_fps"] = painterMs > 0 ? 1000 * n / painterMs : 0;
    state.counters["ratio"] = painterMs > 0 ? gaugeMs / painterMs : 0;
}
BENCHMARK(BM_GaugeToQPainterRatio)->Unit(benchmark::kMicrosecond);

}  // namespace
