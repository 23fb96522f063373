// Repaint of a 297 x 209 meter (zone ring, two needles with shadows, 21
// labels) and the seven-segment display's strip rebuild and caption update,
// each against the same picture drawn straight with QPainter on a QImage.
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "bench_ratio.h"

#include "platform/qt_drawing_device.h"
#include "widgets/analog_meter.h"
#include "widgets/instrument_texts.h"
#include "widgets/seven_segment.h"

namespace {

QColor ToQt(TColor c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

struct MeterRun {
    TMeter meter;
    int frame = 0;
    MeterRun()
    {
        meter.SetMeterMaxValue(200);
        meter.SetMeterNrTicks(10);  // step 10: 21 labels
        meter.SetThresholdLow(50);
        meter.SetThresholdHigh(150);
        meter.SetScaleBkWidth(10);
        meter.SetScaleBkVisible(true);
        meter.NeedleLayout().SetShadowDx(3);
        meter.NeedleLayout().SetShadowDy(3);
        meter.NeedleLayoutSec().SetVisible(true);
        meter.NeedleLayoutSec().SetShadowDx(3);
        meter.NeedleLayoutSec().SetShadowDy(3);
    }
    void Draw()
    {
        ++frame;
        meter.SetValueSec(100 + std::cos(frame * 0.01) * 90);
        meter.SetValue(100 + std::sin(frame * 0.01) * 90);  // composes the picture
        benchmark::DoNotOptimize(meter.Buffer().Surface().Data());
    }
};

struct MeterPainter {
    QImage image{297, 209, QImage::Format_RGB32};
    QFont font{platform::ResolveFontFamily("Arial")};
    TMeterGeometry g = MeterGeometry(mlCirc90, 297, 209, 8, 10, 10);
    int frame = 0;
    MeterPainter() { font.setPixelSize(11); }
    void Needle(QPainter& p, double value, int dx, int dy, QColor pen, QColor brush)
    {
        TNeedleLayout l;
        const auto pts = MeterNeedlePolygon(g, l, MeterValueAngle(value, 0, 200, 90, false));
        QPolygon poly;
        for (const auto& q : pts)
            poly << QPoint(q.x - dx, q.y - dy);
        p.setPen(pen);
        p.setBrush(brush);
        p.drawPolygon(poly);
    }
    void Draw()
    {
        ++frame;
        QPainter p(&image);
        p.fillRect(image.rect(), Qt::white);
        const int ro = Nearest(g.radius + 4), ri = Nearest(0.9 * g.radius);
        const QRect box(g.centerX - ro, g.centerY - ro, 2 * ro + 1, 2 * ro);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 255, 0));
        p.drawPie(box, 112 * 16, 23 * 16);
        p.setBrush(QColor(255, 128, 0));
        p.drawPie(box, 68 * 16, 44 * 16);
        p.setBrush(QColor(255, 0, 0));
        p.drawPie(box, 45 * 16, 23 * 16);
        p.setBrush(Qt::white);
        p.drawEllipse(QRect(g.centerX - ri, g.centerY - ri, 2 * ri + 1, 2 * ri));
        p.setBrush(Qt::NoBrush);
        p.setPen(ToQt(clNavy));
        const int r = Nearest(g.radius);
        p.drawArc(QRect(g.centerX - r, g.centerY - r, 2 * r + 1, 2 * r), 45 * 16, 90 * 16);
        p.setFont(font);
        for (int k = 0; k <= 100; ++k) {
            const double v = k * 2;
            const auto a = MeterValueAngle(v, 0, 200, 90, false);
            const int len = k % 5 == 0 ? 8 : 4;
            const auto p0 = MeterDialPoint(g, a, g.radius), p1 = MeterDialPoint(g, a, g.radius - len);
            p.drawLine(p0.x, p0.y, p1.x, p1.y);
            if (k % 5 == 0) {
                const auto lp = MeterDialPoint(g, a, g.radius - 30);
                const QString text = QString::fromStdString(MeterLabelText(v, 1));
                p.drawText(QRect(lp.x - 30, lp.y - 10, 60, 20), Qt::AlignCenter, text);
            }
        }
        const double v1 = 100 + std::sin(frame * 0.01) * 90, v2 = 100 + std::cos(frame * 0.01) * 90;
        Needle(p, v2, 3, 3, Qt::gray, Qt::gray);
        Needle(p, v2, 0, 0, Qt::black, ToQt(clSilver));
        Needle(p, v1, 3, 3, Qt::gray, Qt::gray);
        Needle(p, v1, 0, 0, Qt::black, ToQt(clSilver));
        const QColor cover(0xF0, 0xF0, 0xF0);
        p.fillRect(0, 0, 10, 209, cover);
        p.fillRect(287, 0, 10, 209, cover);
        p.fillRect(0, 0, 297, 8, cover);
        p.fillRect(0, 199, 297, 10, cover);
        p.setPen(Qt::black);
        p.setBrush(Qt::gray);
        p.drawRect(18, 16, 10, 10);
        p.drawRect(269, 16, 10, 10);
        p.setPen(Qt::white);
        p.drawLine(0, 0, 296, 0);
        p.drawLine(0, 0, 0, 208);
        p.setPen(Qt::gray);
        p.drawLine(296, 0, 296, 208);
        p.drawLine(0, 208, 296, 208);
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
};

// The seven-segment strip drawn straight: the seven segment shapes of each
// glyph, scaled to the cell, as polygons.
struct StripPainter {
    QImage strip{21 * 48, 60, QImage::Format_RGB32};
    QImage screen{216, 76, QImage::Format_RGB32};
    void Rebuild(QColor lit)
    {
        QPainter p(&strip);
        p.fillRect(strip.rect(), QColor(0x33, 0x33, 0x33));
        p.setPen(Qt::NoPen);
        p.setBrush(lit);
        for (int i = 0; i < 21; ++i) {
            p.save();
            p.translate(i * 48, 0);
            p.scale(48.0 / 312, 60.0 / 432);
            for (int s = 0; s < 7; ++s) {
                const int x = s % 2 ? 37 : 94, y = s * 60;
                p.drawPolygon(QPolygon({QPoint(x, y + 19), QPoint(x + 18, y), QPoint(x + 180, y), QPoint(x + 198, y + 19),
                                        QPoint(x + 180, y + 38), QPoint(x + 18, y + 38)}));
            }
            p.restore();
        }
    }
    void Caption(int n)
    {
        QPainter p(&screen);
        p.fillRect(screen.rect(), QColor(0x33, 0x33, 0x33));
        for (int k = 0; k < 4; ++k) {
            const int d = (n >> (k * 3)) % 10;
            p.drawImage(QPoint(8 + k * 50, 8), strip, QRect(d * 48, 0, 48, 60));
            p.drawImage(QPoint(8 + k * 50 + 40, 58), strip, QRect(20 * 48 + 40, 50, 8, 10));
        }
        p.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
};

template <typename A, typename B>
void Ratio(benchmark::State& state, A ours, B reference)
{
    double oursMs = 0, refMs = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        ours();
        const auto t1 = std::chrono::steady_clock::now();
        reference();
        const auto t2 = std::chrono::steady_clock::now();
        oursMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
        refMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_fps"] = oursMs > 0 ? 1000 * n / oursMs : 0;
    state.counters["qpainter_fps"] = refMs > 0 ? 1000 * n / refMs : 0;
    state.counters["ratio"] = refMs > 0 ? oursMs / refMs : 0;
}

void BM_MeterToQPainterRatio(benchmark::State& state)
{
    MeterRun meter;
    MeterPainter painter;
    Ratio(state, [&] { meter.Draw(); }, [&] { painter.Draw(); });
}
BENCHMARK(BM_MeterToQPainterRatio)->Unit(benchmark::kMicrosecond)->Apply(bench::MinMedianMax);

void BM_SevenSegStripRebuildToQPainterRatio(benchmark::State& state)
{
    TSevenSeg seg;
    StripPainter painter;
    int frame = 0;
    Ratio(
        state, [&] { seg.SetColorText(++frame % 2 ? clLime : clRed); },
        [&] { painter.Rebuild(frame % 2 ? Qt::green : Qt::red); });
}
BENCHMARK(BM_SevenSegStripRebuildToQPainterRatio)->Unit(benchmark::kMicrosecond)->Apply(bench::MinMedianMax);

// A resize: the strip stretched again from the composed characters, beside Qt
// smooth-scaling 21 pictures of the master size into the same cells.
void BM_SevenSegResizeToQtStretchRatio(benchmark::State& state)
{
    TSevenSeg seg;
    std::vector<QImage> masters;
    for (int i = 0; i < TSevenSeg::kStripGlyphs; ++i)
        masters.push_back(platform::QImageFromBitmap(seg.ComposeMaster(i)));
    QImage strip;
    int frame = 0;
    Ratio(
        state,
        [&] {
            const bool wide = ++frame % 2 != 0;
            seg.SetBounds(0, 0, wide ? 228 : 216, wide ? 80 : 76);
            benchmark::DoNotOptimize(seg.Strip().Data());
        },
        [&] {
            const int cw = seg.CellWidth(), h = seg.CellHeight();
            if (strip.width() != cw * TSevenSeg::kStripGlyphs || strip.height() != h)
                strip = QImage(cw * TSevenSeg::kStripGlyphs, h, QImage::Format_RGB32);
            QPainter p(&strip);
            for (int i = 0; i < TSevenSeg::kStripGlyphs; ++i)
                p.drawImage(i * cw, 0,
                            masters[static_cast<std::size_t>(i)].scaled(cw, h, Qt::IgnoreAspectRatio,
                                                                         Qt::SmoothTransformation));
            p.end();
            benchmark::DoNotOptimize(strip.constBits());
        });
}
BENCHMARK(BM_SevenSegResizeToQtStretchRatio)->Unit(benchmark::kMicrosecond)->Apply(bench::MinMedianMax);

void BM_SevenSegCaptionToQPainterRatio(benchmark::State& state)
{
    TSevenSeg seg;
    StripPainter painter;
    painter.Rebuild(Qt::red);
    int frame = 0;
    Ratio(
        state,
        [&] {
            seg.SetCaption(NumberText(++frame % 10000, 0) + ".");
            benchmark::DoNotOptimize(seg.Buffer().Surface().Data());
        },
        [&] { painter.Caption(frame); });
}
BENCHMARK(BM_SevenSegCaptionToQPainterRatio)->Unit(benchmark::kMicrosecond)->Apply(bench::MinMedianMax);

}  // namespace
