// Chart drawing: a full-HD vertical gradient beside QPainter filling the same
// rectangle with a QLinearGradient, the smooth shadow of a 400 x 300
// rectangle and its blur, a label with a blurred font shadow beside the same
// label without one, and the blur filter on a full-HD picture. Times in
// milliseconds.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

#include "chart/plot_canvas_3d.h"
#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_shadow.h"
#include "platform/qt_drawing_device.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr TColor kStart = 0x00FF8000;  // blue-ish
constexpr TColor kEnd = 0x000080FF;    // orange

struct CanvasOnDevice {
    platform::QtDrawingDevice device{kWidth, kHeight};
    TPlotCanvas3D canvas;
    CanvasOnDevice()
    {
        canvas.SetBufferedDisplay(false);
        canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, kWidth, kHeight});
    }
    void Fill() { canvas.GradientFill(TRect{0, 0, kWidth, kHeight}, kStart, kEnd, gdTopBottom, 50); }
};

struct PainterOnImage {
    QImage image{kWidth, kHeight, QImage::Format_RGB32};
    void Fill()
    {
        QPainter p(&image);
        QLinearGradient g(0, kHeight, 0, 0);
        g.setColorAt(0, QColor(0x00, 0x80, 0xFF));
        g.setColorAt(1, QColor(0xFF, 0x80, 0x00));
        p.fillRect(QRect(0, 0, kWidth, kHeight), g);
    }
};

double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void BM_GradientFillCanvas(benchmark::State& state)
{
    CanvasOnDevice c;
    for (auto _ : state) {
        c.Fill();
        benchmark::DoNotOptimize(c.device.Image().constBits());
    }
}
BENCHMARK(BM_GradientFillCanvas)->Unit(benchmark::kMillisecond);

void BM_GradientFillQPainter(benchmark::State& state)
{
    PainterOnImage p;
    for (auto _ : state) {
        p.Fill();
        benchmark::DoNotOptimize(p.image.constBits());
    }
}
BENCHMARK(BM_GradientFillQPainter)->Unit(benchmark::kMillisecond);

// Times first and second in the same iterations; counters name_ms for each and
// "ratio", first time / second time.
template <typename First, typename Second>
void TimeSideBySide(benchmark::State& state, const char* firstName, First first, const char* secondName,
                    Second second)
{
    double firstMs = 0;
    double secondMs = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        first();
        const auto t1 = std::chrono::steady_clock::now();
        second();
        const auto t2 = std::chrono::steady_clock::now();
        firstMs += Ms(t1 - t0);
        secondMs += Ms(t2 - t1);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters[std::string(firstName) + "_ms"] = firstMs / n;
    state.counters[std::string(secondName) + "_ms"] = secondMs / n;
    state.counters["ratio"] = secondMs > 0 ? firstMs / secondMs : 0;
}

// Both fills timed in the same iterations; "ratio" is canvas time / QPainter time.
void BM_GradientFillRatio(benchmark::State& state)
{
    CanvasOnDevice c;
    PainterOnImage p;
    TimeSideBySide(state, "canvas", [&] { c.Fill(); }, "qpainter", [&] { p.Fill(); });
}
BENCHMARK(BM_GradientFillRatio)->Unit(benchmark::kMillisecond);

void BM_SmoothShadow400x300(benchmark::State& state)
{
    platform::QtDrawingDevice window(600, 500);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, 600, 500});  // buffered: the blur runs
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetSize(5);
    for (auto _ : state)
        shadow.DrawRect(canvas, TRect{50, 50, 450, 350});
}
BENCHMARK(BM_SmoothShadow400x300)->Unit(benchmark::kMillisecond);

void BM_ShadowBlur400x300(benchmark::State& state)
{
    // the blur of a smooth 400 x 300 ellipse shadow of size 5 (every pixel computed)
    platform::Bitmap pixels(411, 311, 0xFFFFFFFF);
    for (int y = 5; y < 306; ++y)
        for (int x = 5; x < 406; ++x)
            pixels.SetRawPixel(x, y, 0xFF000000u);
    for (auto _ : state) {
        platform::Bitmap p = pixels;
        BlurShadowPixels(p, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 0, false);
        benchmark::DoNotOptimize(p.Data());
    }
}
BENCHMARK(BM_ShadowBlur400x300)->Args({5, 5})->Unit(benchmark::kMillisecond);

// A chart label on a buffered canvas of the given size, with or without a
// smooth font shadow (size 2, SmoothBlur 1).
struct LabelCanvas {
    platform::QtDrawingDevice window;
    TPlotCanvas3D canvas;
    TPlotFont font;
    LabelCanvas(int width, int height, bool shadow) : window(width, height)
    {
        RegisterPlotFilters();
        canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, width, height});
        font.SetName("Arial");
        font.SetSize(10);
        font.Shadow()->SetColor(clGray);
        font.Shadow()->SetSize(shadow ? 2 : 0);
        font.Shadow()->SetSmoothBlur(shadow ? 1 : 0);
        canvas.AssignFont(&font);
        canvas.SetBackMode(cbmTransparent);
    }
    void Draw() { canvas.TextOut(100, 100, "Sample mean 12.47"); }
};

void BM_TextSmoothShadow(benchmark::State& state)
{
    LabelCanvas c(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), true);
    for (auto _ : state)
        c.Draw();
}
BENCHMARK(BM_TextSmoothShadow)->Args({960, 540})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

void BM_TextNoShadow(benchmark::State& state)
{
    LabelCanvas c(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), false);
    for (auto _ : state)
        c.Draw();
}
BENCHMARK(BM_TextNoShadow)->Args({960, 540})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

// Both labels timed in the same iterations; "ratio" is shadowed time / plain time.
void BM_TextShadowRatio(benchmark::State& state)
{
    LabelCanvas shadowed(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), true);
    LabelCanvas plain(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), false);
    TimeSideBySide(state, "shadow", [&] { shadowed.Draw(); }, "plain", [&] { plain.Draw(); });
}
BENCHMARK(BM_TextShadowRatio)->Args({960, 540})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

void BM_BlurFilter1920x1080(benchmark::State& state)
{
    TBitmap bitmap(kWidth, kHeight, pf24bit);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < 3 * kWidth; ++x)
            row[x] = static_cast<std::uint8_t>((x * 7 + y * 13) & 0xFF);
    }
    TBlurFilter blur;
    for (auto _ : state) {
        ApplyTo(blur, bitmap);
        benchmark::DoNotOptimize(bitmap.ScanLine(0));
    }
}
BENCHMARK(BM_BlurFilter1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
