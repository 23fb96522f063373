// Drawing through the chart canvas against the same drawing issued straight to
// QPainter, on a 1920 x 1080 image: 10^5 line segments, 10^4 filled rectangles
// and 10^3 texts per iteration.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "chart/plot_canvas_3d.h"
#include "chart/plot_font.h"
#include "platform/qt_drawing_device.h"

namespace {

constexpr int ImageWidth = 1920;
constexpr int ImageHeight = 1080;
constexpr int LineCount = 100000;
constexpr int RectCount = 10000;
constexpr int TextCount = 1000;

struct Workload {
    std::vector<int> lines;  // x0, y0, x1, y1
    std::vector<int> rects;  // left, top, right, bottom
    std::vector<int> texts;  // x, y
    std::vector<std::string> labels;
    std::vector<TColor> colours;
};

const Workload& Work()
{
    static const Workload work = [] {
        Workload w;
        std::uint32_t state = 1234;
        auto next = [&state](int n) {
            state = state * 134775813u + 1u;
            return static_cast<int>((static_cast<std::uint64_t>(state) * static_cast<std::uint64_t>(n)) >> 32);
        };
        for (int i = 0; i < LineCount; ++i) {
            const int x = next(ImageWidth), y = next(ImageHeight);
            w.lines.insert(w.lines.end(), {x, y, x + next(81) - 40, y + next(81) - 40});
        }
        for (int i = 0; i < RectCount; ++i) {
            const int x = next(ImageWidth - 40), y = next(ImageHeight - 40);
            w.rects.insert(w.rects.end(), {x, y, x + 2 + next(38), y + 2 + next(38)});
        }
        for (int i = 0; i < TextCount; ++i) {
            w.texts.insert(w.texts.end(), {next(ImageWidth - 80), next(ImageHeight - 20)});
            w.labels.push_back("Value " + std::to_string(next(100000)));
        }
        for (int i = 0; i < 16; ++i)
            w.colours.push_back(RGB(next(256), next(256), next(256)));
        return w;
    }();
    return work;
}

QColor ToQt(TColor c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The workload drawn through the chart canvas onto its image device.
struct CanvasRun {
    platform::QtDrawingDevice device{ImageWidth, ImageHeight};
    TPlotCanvas3D canvas;
    TPlotFont font;

    CanvasRun()
    {
        canvas.SetBufferedDisplay(false);
        canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, ImageWidth, ImageHeight});
    }

    void Draw()
    {
        const Workload& w = Work();
        for (int i = 0; i < LineCount; ++i) {
            if (i % 100 == 0)
                canvas.Pen()->SetColor(w.colours[(i / 100) % 16]);
            const int* l = &w.lines[4 * static_cast<std::size_t>(i)];
            canvas.Line(l[0], l[1], l[2], l[3]);
        }
        for (int i = 0; i < RectCount; ++i) {
            canvas.Brush()->SetColor(w.colours[i % 16]);
            const int* r = &w.rects[4 * static_cast<std::size_t>(i)];
            canvas.Rectangle(r[0], r[1], r[2], r[3]);
        }
        canvas.AssignFont(&font);
        canvas.SetBackMode(cbmTransparent);
        for (int i = 0; i < TextCount; ++i)
            canvas.TextOut(w.texts[2 * i], w.texts[2 * i + 1], w.labels[i]);
        benchmark::DoNotOptimize(device.Surface().Data());
    }
};

// The same workload issued straight to QPainter.
struct PainterRun {
    QImage image{ImageWidth, ImageHeight, QImage::Format_RGB32};
    QFont font{platform::ResolveFontFamily("Arial")};

    PainterRun()
    {
        image.fill(Qt::white);
        font.setPixelSize(11);
    }

    void Draw()
    {
        const Workload& w = Work();
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, false);
        for (int i = 0; i < LineCount; ++i) {
            if (i % 100 == 0)
                p.setPen(QPen(ToQt(w.colours[(i / 100) % 16]), 0));
            const int* l = &w.lines[4 * static_cast<std::size_t>(i)];
            p.drawLine(l[0], l[1], l[2], l[3]);
        }
        p.setPen(QPen(Qt::black, 0));
        for (int i = 0; i < RectCount; ++i) {
            p.setBrush(ToQt(w.colours[i % 16]));
            const int* r = &w.rects[4 * static_cast<std::size_t>(i)];
            p.drawRect(r[0], r[1], r[2] - r[0] - 1, r[3] - r[1] - 1);
        }
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.setFont(font);
        for (int i = 0; i < TextCount; ++i)
            p.drawText(w.texts[2 * i], w.texts[2 * i + 1] + 11, QString::fromStdString(w.labels[i]));
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

void BM_ChartCanvas(benchmark::State& state)
{
    CanvasRun run;
    for (auto _ : state)
        run.Draw();
}
BENCHMARK(BM_ChartCanvas)->Unit(benchmark::kMillisecond);

void BM_QPainterDirect(benchmark::State& state)
{
    PainterRun run;
    for (auto _ : state)
        run.Draw();
}
BENCHMARK(BM_QPainterDirect)->Unit(benchmark::kMillisecond);

// Both drawings timed in the same iterations; "ratio" is canvas time / QPainter time.
void BM_CanvasToQPainterRatio(benchmark::State& state)
{
    CanvasRun canvas;
    PainterRun painter;
    double canvasMs = 0;
    double painterMs = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        canvas.Draw();
        const auto t1 = std::chrono::steady_clock::now();
        painter.Draw();
        const auto t2 = std::chrono::steady_clock::now();
        canvasMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
        painterMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["canvas_ms"] = canvasMs / n;
    state.counters["qpainter_ms"] = painterMs / n;
    state.counters["ratio"] = painterMs > 0 ? canvasMs / painterMs : 0;
}
BENCHMARK(BM_CanvasToQPainterRatio)->Unit(benchmark::kMillisecond);

}  // namespace
