// Drawing through the chart canvas against the same drawing issued straight to
// QPainter, one kind of primitive per case, at 960 x 540 and 1920 x 1080:
// lines, filled and outlined rectangles, ellipses, polygons and texts; 1:1
// and stretch blits of the device against QPainter::drawImage.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench_ratio.h"
#include "chart/plot_canvas_3d.h"
#include "chart/plot_font.h"
#include "platform/qt_drawing_device.h"

namespace {

constexpr int LineCount = 20000;
constexpr int RectCount = 5000;
constexpr int ShapeCount = 2000;
constexpr int TextCount = 1000;
constexpr int PolygonCorners = 6;

struct Workload {
    std::vector<int> lines;     // x0, y0, x1, y1
    std::vector<int> rects;     // left, top, right, bottom
    std::vector<int> shapes;    // left, top, right, bottom of ellipses
    std::vector<TPoint> polygons;  // PolygonCorners points each
    std::vector<int> texts;     // x, y
    std::vector<std::string> labels;
    std::vector<TColor> colours;
};

Workload MakeWork(int width, int height)
{
    Workload w;
    std::uint32_t state = 1234;
    auto next = [&state](int n) {
        state = state * 134775813u + 1u;
        return static_cast<int>((static_cast<std::uint64_t>(state) * static_cast<std::uint64_t>(n)) >> 32);
    };
    for (int i = 0; i < LineCount; ++i) {
        const int x = next(width), y = next(height);
        w.lines.insert(w.lines.end(), {x, y, x + next(81) - 40, y + next(81) - 40});
    }
    for (int i = 0; i < RectCount; ++i) {
        const int x = next(width - 40), y = next(height - 40);
        w.rects.insert(w.rects.end(), {x, y, x + 2 + next(38), y + 2 + next(38)});
    }
    for (int i = 0; i < ShapeCount; ++i) {
        const int x = next(width - 60), y = next(height - 60);
        w.shapes.insert(w.shapes.end(), {x, y, x + 4 + next(56), y + 4 + next(56)});
        const int cx = 30 + next(width - 60), cy = 30 + next(height - 60);
        for (int k = 0; k < PolygonCorners; ++k)
            w.polygons.push_back(TPoint{cx + next(61) - 30, cy + next(61) - 30});
    }
    for (int i = 0; i < TextCount; ++i) {
        w.texts.insert(w.texts.end(), {next(width - 80), next(height - 20)});
        w.labels.push_back("Value " + std::to_string(next(100000)));
    }
    for (int i = 0; i < 16; ++i)
        w.colours.push_back(RGB(next(256), next(256), next(256)));
    return w;
}

QColor ToQt(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

// A chart canvas drawing straight onto an image device.
struct CanvasRun {
    explicit CanvasRun(int w, int h, bool buffered = false) : device(w, h)
    {
        canvas.SetBufferedDisplay(buffered);
        canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, w, h});
    }
    platform::QtDrawingDevice device;
    TPlotCanvas3D canvas;
};

// A QPainter on an image of the same size, shapes not antialiased.
struct PainterRun {
    PainterRun(int w, int h) : image(w, h, QImage::Format_RGB32) { image.fill(Qt::white); }
    QImage image;
};

// A case's workload at the argument's canvas size, with both drawing targets.
struct Scene {
    explicit Scene(const benchmark::State& state)
        : work(MakeWork(static_cast<int>(state.range(0)), bench::HeightFor(static_cast<int>(state.range(0))))),
          ours(static_cast<int>(state.range(0)), bench::HeightFor(static_cast<int>(state.range(0)))),
          qt(static_cast<int>(state.range(0)), bench::HeightFor(static_cast<int>(state.range(0))))
    {
    }
    Workload work;
    CanvasRun ours;
    PainterRun qt;
};

void Lines(benchmark::State& state)
{
    Scene scene(state);
    auto& [work, ours, qt] = scene;
    bench::TimeBoth(
        state,
        [&] {
            for (int i = 0; i < LineCount; ++i) {
                if (i % 100 == 0)
                    ours.canvas.Pen()->SetColor(work.colours[(i / 100) % 16]);
                const int* l = &work.lines[4 * static_cast<std::size_t>(i)];
                ours.canvas.Line(l[0], l[1], l[2], l[3]);
            }
        },
        [&] {
            QPainter p(&qt.image);
            for (int i = 0; i < LineCount; ++i) {
                if (i % 100 == 0)
                    p.setPen(QPen(ToQt(work.colours[(i / 100) % 16]), 0));
                const int* l = &work.lines[4 * static_cast<std::size_t>(i)];
                p.drawLine(l[0], l[1], l[2], l[3]);
            }
        });
}
BENCHMARK(Lines)->Name("Ratio/Lines")->Apply(bench::CanvasSizes);

void FilledRectangles(benchmark::State& state)
{
    Scene scene(state);
    auto& [work, ours, qt] = scene;
    bench::TimeBoth(
        state,
        [&] {
            for (int i = 0; i < RectCount; ++i) {
                ours.canvas.Brush()->SetColor(work.colours[i % 16]);
                const int* r = &work.rects[4 * static_cast<std::size_t>(i)];
                ours.canvas.FillRect(TRect{r[0], r[1], r[2], r[3]});
            }
        },
        [&] {
            QPainter p(&qt.image);
            for (int i = 0; i < RectCount; ++i) {
                const int* r = &work.rects[4 * static_cast<std::size_t>(i)];
                p.fillRect(QRect(r[0], r[1], r[2] - r[0], r[3] - r[1]), ToQt(work.colours[i % 16]));
            }
        });
}
BENCHMARK(FilledRectangles)->Name("Ratio/FilledRectangles")->Apply(bench::CanvasSizes);

// 10^4 solid rectangles of 2 to 120 pixels a side straight through the
// drawing device, beside QPainter::fillRect on the same pixels (an image over
// the device's own surface).
void SolidRectangles(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    platform::QtDrawingDevice device(w, h);
    QImage same(reinterpret_cast<uchar*>(const_cast<std::uint32_t*>(device.Surface().Data())), w, h, w * 4,
                QImage::Format_RGB32);
    std::uint32_t seed = 99;
    auto next = [&seed](int n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((static_cast<std::uint64_t>(seed) * static_cast<std::uint64_t>(n)) >> 32);
    };
    constexpr int Count = 10000;
    std::vector<platform::Rect> rects;
    for (int i = 0; i < Count; ++i) {
        const int rw = 2 + next(119), rh = 2 + next(119);
        const int x = next(w - rw), y = next(h - rh);
        rects.push_back({x, y, x + rw, y + rh});
    }
    std::vector<platform::BrushDesc> brushes;
    std::vector<QColor> colours;
    for (int i = 0; i < 16; ++i) {
        const TColor c = RGB(next(256), next(256), next(256));
        brushes.push_back(platform::BrushDesc::Solid(c));
        colours.push_back(ToQt(c));
    }
    bench::TimeBoth(
        state,
        [&] {
            for (int i = 0; i < Count; ++i) {
                device.SelectBrush(brushes[static_cast<std::size_t>(i % 16)]);
                device.FillRect(rects[static_cast<std::size_t>(i)]);
            }
        },
        [&] {
            QPainter p(&same);
            for (int i = 0; i < Count; ++i) {
                const platform::Rect& r = rects[static_cast<std::size_t>(i)];
                p.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), colours[static_cast<std::size_t>(i % 16)]);
            }
        });
}
BENCHMARK(SolidRectangles)->Name("Ratio/SolidRectangles")->Apply(bench::CanvasSizes)->Apply(bench::MinMedianMax);

void OutlinedRectangles(benchmark::State& state)
{
    Scene scene(state);
    auto& [work, ours, qt] = scene;
    ours.canvas.Brush()->SetStyle(bsClear);
    bench::TimeBoth(
        state,
        [&] {
            for (int i = 0; i < RectCount; ++i) {
                ours.canvas.Pen()->SetColor(work.colours[i % 16]);
                const int* r = &work.rects[4 * static_cast<std::size_t>(i)];
                ours.canvas.Rectangle(r[0], r[1], r[2], r[3]);
            }
        },
        [&] {
            QPainter p(&qt.image);
            p.setBrush(Qt::NoBrush);
            for (int i = 0; i < RectCount; ++i) {
                p.setPen(QPen(ToQt(work.colours[i % 16]), 0));
                const int* r = &work.rects[4 * static_cast<std::size_t>(i)];
                p.drawRect(r[0], r[1], r[2] - r[0] - 1, r[3] - r[1] - 1);
            }
        });
}
BENCHMARK(OutlinedRectangles)->Name("Ratio/OutlinedRectangles")->Apply(bench::CanvasSizes);

void Ellipses(benchmark::State& state)
{
    Scene scene(state);
    auto& [work, ours, qt] = scene;
    bench::TimeBoth(
        state,
        [&] {
            for (int i = 0; i < ShapeCount; ++i) {
                ours.canvas.Brush()->SetColor(work.colours[i % 16]);
                const int* r = &work.shapes[4 * static_cast<std::size_t>(i)];
                ours.canvas.Ellipse(r[0], r[1], r[2], r[3]);
            }
        },
        [&] {
            QPainter p(&qt.image);
            p.setPen(QPen(Qt::black, 0));
            for (int i = 0; i < ShapeCount; ++i) {
                p.setBrush(ToQt(work.colours[i % 16]));
                const int* r = &work.shapes[4 * static_cast<std::size_t>(i)];
                p.drawEllipse(r[0], r[1], r[2] - r[0] - 1, r[3] - r[1] - 1);
            }
        });
}
BENCHMARK(Ellipses)->Name("Ratio/Ellipses")->Apply(bench::CanvasSizes);

void Polygons(benchmark::State& state)
{
    Scene scene(state);
    auto& [work, ours, qt] = scene;
    std::vector<QPolygon> qtPolygons;
    for (int i = 0; i < ShapeCount; ++i) {
        QPolygon poly;
        for (int k = 0; k < PolygonCorners; ++k) {
            const TPoint& pt = work.polygons[static_cast<std::size_t>(i * PolygonCorners + k)];
            poly << QPoint(pt.X, pt.Y);
        }
        qtPolygons.push_back(poly);
    }
    bench::TimeBoth(
        state,
        [&] {
            for (int i = 0; i < ShapeCount; ++i) {
                ours.canvas.Brush()->SetColor(work.colours[i % 16]);
                ours.canvas.Polygon(std::span<const TPoint>(&work.polygons[static_cast<std::size_t>(i * PolygonCorners)],
                                                            PolygonCorners));
            }
        },
        [&] {
            QPainter p(&qt.image);
            p.setPen(QPen(Qt::black, 0));
            for (int i = 0; i < ShapeCount; ++i) {
                p.setBrush(ToQt(work.colours[i % 16]));
                p.drawPolygon(qtPolygons[static_cast<std::size_t>(i)], Qt::OddEvenFill);
            }
        });
}
BENCHMARK(Polygons)->Name("Ratio/Polygons")->Apply(bench::CanvasSizes);

void Texts(benchmark::State& state)
{
    Scene scene(state);
    auto& [work, ours, qt] = scene;
    TPlotFont font;
    QFont qfont(platform::ResolveFontFamily("Arial"));
    qfont.setPixelSize(11);
    bench::TimeBoth(
        state,
        [&] {
            ours.canvas.AssignFont(&font);
            ours.canvas.SetBackMode(cbmTransparent);
            for (int i = 0; i < TextCount; ++i)
                ours.canvas.TextOut(work.texts[2 * i], work.texts[2 * i + 1], work.labels[i]);
        },
        [&] {
            QPainter p(&qt.image);
            p.setRenderHint(QPainter::TextAntialiasing, true);
            p.setFont(qfont);
            for (int i = 0; i < TextCount; ++i)
                p.drawText(work.texts[2 * i], work.texts[2 * i + 1] + 11, QString::fromStdString(work.labels[i]));
        });
}
BENCHMARK(Texts)->Name("Ratio/Texts")->Apply(bench::CanvasSizes)->Apply(bench::MinMedianMax);

// A picture of the canvas' size with some detail in it.
platform::Bitmap Picture(int w, int h)
{
    platform::Bitmap b(w, h);
    for (int y = 0; y < h; ++y) {
        std::uint32_t* row = b.ScanLine(y);
        for (int x = 0; x < w; ++x)
            row[x] = 0xFF000000u | static_cast<std::uint32_t>((x * 7) & 0xFF) << 16 |
                     static_cast<std::uint32_t>((y * 5) & 0xFF) << 8 | static_cast<std::uint32_t>((x + y) & 0xFF);
    }
    return b;
}

void Blit(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    const platform::Bitmap picture = Picture(w, h);
    const QImage qtPicture = platform::QImageFromBitmap(picture);
    platform::QtDrawingDevice device(w, h);
    PainterRun qt(w, h);
    bench::TimeBoth(
        state, [&] { device.BitBlt(0, 0, w, h, picture, 0, 0, platform::Rop3::SrcCopy); },
        [&] {
            QPainter p(&qt.image);
            p.drawImage(0, 0, qtPicture);
        });
}
BENCHMARK(Blit)->Name("Ratio/Blit1to1")->Apply(bench::CanvasSizes);

// Half of the picture stretched over the whole surface, nearest pixel.
void StretchBlit(benchmark::State& state)
{
    const int w = static_cast<int>(state.range(0)), h = bench::HeightFor(w);
    const platform::Bitmap picture = Picture(w, h);
    const QImage qtPicture = platform::QImageFromBitmap(picture);
    platform::QtDrawingDevice device(w, h);
    PainterRun qt(w, h);
    bench::TimeBoth(
        state, [&] { device.StretchBlt(0, 0, w, h, picture, 0, 0, w / 2, h / 2, platform::Rop3::SrcCopy); },
        [&] {
            QPainter p(&qt.image);
            p.drawImage(QRect(0, 0, w, h), qtPicture, QRect(0, 0, w / 2, h / 2));
        });
}
BENCHMARK(StretchBlit)->Name("Ratio/StretchBlit")->Apply(bench::CanvasSizes);

}  // namespace
