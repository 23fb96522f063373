// Chart drawing beside Qt doing the same work, at 960 x 540 and 1920 x 1080:
// a vertical gradient over the whole canvas beside a QLinearGradient fill; the
// blur filter over the whole picture beside Qt's own image blur; the smooth
// shadow of a 400 x 300 rectangle beside a blurred shadow image drawn by
// QPainter (what QGraphicsDropShadowEffect does); the blur of that shadow
// alone; a label with a blurred font shadow beside the same label without
// one. Times in milliseconds.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <string>

#include "bench_ratio.h"
#include "chart/plot_canvas_3d.h"
#include "chart/plot_filters.h"
#include "chart/plot_font.h"
#include "chart/plot_shadow.h"
#include "platform/qt_drawing_device.h"

// Qt's image blur (exported by Qt Widgets; the graphics effects use it).
void qt_blurImage(QImage& blurImage, qreal radius, bool quality, int transposed = 0);

namespace {

constexpr TColor kStart = 0x00FF8000;  // blue-ish
constexpr TColor kEnd = 0x000080FF;    // orange

void Gradient(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    platform::QtDrawingDevice device(w, h);
    TPlotCanvas3D canvas;
    canvas.SetBufferedDisplay(false);
    canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, w, h});
    QImage image(w, h, QImage::Format_RGB32);
    bench::TimeBoth(
        state, [&] { canvas.GradientFill(TRect{0, 0, w, h}, kStart, kEnd, gdTopBottom, 50); },
        [&] {
            QPainter p(&image);
            QLinearGradient g(0, h, 0, 0);
            g.setColorAt(0, QColor(0x00, 0x80, 0xFF));
            g.setColorAt(1, QColor(0xFF, 0x80, 0x00));
            p.fillRect(QRect(0, 0, w, h), g);
        });
}
BENCHMARK(Gradient)->Name("Ratio/GradientFill")->Apply(bench::CanvasSizes)->Apply(bench::MinMedianMax);

void Blur(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    TBitmap bitmap(w, h, pf24bit);
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = bitmap.ScanLine(y);
        auto* qrow = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < 3 * w; ++x)
            row[x] = static_cast<std::uint8_t>((x * 7 + y * 13) & 0xFF);
        for (int x = 0; x < w; ++x)
            qrow[x] = 0xFF000000u | (static_cast<std::uint32_t>(row[3 * x + 2]) << 16) |
                      (static_cast<std::uint32_t>(row[3 * x + 1]) << 8) | row[3 * x];
    }
    TBlurFilter blur;
    bench::TimeBoth(
        state,
        [&] {
            ApplyTo(blur, bitmap);
            benchmark::DoNotOptimize(bitmap.ScanLine(0));
        },
        [&] {
            qt_blurImage(image, 1, false);
            benchmark::DoNotOptimize(image.constBits());
        });
}
BENCHMARK(Blur)->Name("Ratio/Blur")->Apply(bench::CanvasSizes);

void SmoothShadow(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    platform::QtDrawingDevice window(w, h);
    TPlotCanvas3D canvas;
    canvas.InitWindow(&window, nullptr, clWhite, false, TRect{0, 0, w, h});  // buffered: the blur runs
    TPlotShadow shadow;
    shadow.SetColor(clBlack);
    shadow.SetSize(5);
    QImage target(w, h, QImage::Format_RGB32);
    target.fill(Qt::white);
    constexpr int radius = 5;
    bench::TimeBoth(
        state, [&] { shadow.DrawRect(canvas, TRect{50, 50, 450, 350}); },
        [&] {
            QImage shade(400 + 4 * radius, 300 + 4 * radius, QImage::Format_ARGB32_Premultiplied);
            shade.fill(Qt::transparent);
            {
                QPainter p(&shade);
                p.fillRect(QRect(2 * radius, 2 * radius, 400, 300), Qt::black);
            }
            qt_blurImage(shade, radius, false);
            QPainter p(&target);
            p.drawImage(50 + radius - 2 * radius, 50 + radius - 2 * radius, shade);
        });
}
BENCHMARK(SmoothShadow)->Name("Ratio/SmoothShadow400x300")->Apply(bench::CanvasSizes);

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
    // 10 x 10 labels of their own texts over the canvas
    void DrawHundred()
    {
        const int w = window.Width(), h = window.Height();
        for (int k = 0; k < 100; ++k)
            canvas.TextOut(20 + (k % 10) * (w - 40) / 10, 20 + (k / 10) * (h - 40) / 10,
                           "Mean " + std::to_string(k) + ".47");
    }
};

// Both labels timed in the same iterations; "ratio" is shadowed time / plain time.
void TextShadow(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    LabelCanvas shadowed(w, h, true);
    LabelCanvas plain(w, h, false);
    bench::TimeBoth(
        state, [&] { shadowed.Draw(); }, [&] { plain.Draw(); }, "shadow_ms", "plain_ms");
}
BENCHMARK(TextShadow)->Name("Ratio/TextWithShadowToPlain")->Apply(bench::CanvasSizes)->Unit(benchmark::kMicrosecond);

// 10^2 labels drawn again each iteration, with and without the shadow.
void HundredTextsShadow(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    LabelCanvas shadowed(w, h, true);
    LabelCanvas plain(w, h, false);
    bench::TimeBoth(
        state, [&] { shadowed.DrawHundred(); }, [&] { plain.DrawHundred(); }, "shadow_ms", "plain_ms");
}
BENCHMARK(HundredTextsShadow)
    ->Name("Ratio/HundredTextsWithShadowToPlain")
    ->Apply(bench::CanvasSizes)
    ->Apply(bench::MinMedianMax)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
