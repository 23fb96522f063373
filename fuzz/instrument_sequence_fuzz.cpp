// Drives one instrument (scale, scale gauge, seven-segment display, meter,
// on/off button, progress bar or table editor, chosen by the first byte) with
// a sequence of its public calls read from the input: property changes in any
// order, sizes, values, visibility, loading, paints, and mouse and key input
// sent to the widget as the window system sends it. After every paint the
// picture, and the window around the instrument as the screen shows it, must
// equal what a new instrument gives after the same calls made while it
// painted nothing: a picture or part of one kept from an earlier paint must
// never show through. A scale also takes copies of other scales (a gauge's,
// the gauge freed at once); a meter also goes through rim changes and sizes
// that come back to the one before.
#include "qt_fuzz_application.h"

#include "fuzz_input.h"
#include "memory_clipboard.h"
#include "widgets/analog_meter.h"
#include "widgets/on_off_button.h"
#include "widgets/progress_bar.h"
#include "widgets/scale.h"
#include "widgets/scale_gauge.h"
#include "widgets/seven_segment.h"
#include "widgets/table_editor.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class Input : public TFuzzBytes {
public:
    using TFuzzBytes::TFuzzBytes;
    // 0..N-1.
    int Pick(int N) { return N <= 0 ? 0 : Byte() % N; }
    int Int(int Lo, int Hi) { return Lo + Pick(Hi - Lo + 1); }
    bool Flag() { return (Byte() & 1) != 0; }
    // Plain values mostly, the extremes now and then.
    double Value()
    {
        static const double kSpecial[] = {0, 1, -1, 1e-100, 1e-300, 1e300, -1e300, 1e9, -1e9, 0.5,
                                          std::numeric_limits<double>::infinity(),
                                          -std::numeric_limits<double>::infinity(),
                                          std::numeric_limits<double>::quiet_NaN(), 2.5e6, 1e15};
        const std::uint8_t b = Byte();
        if (b >= 240)
            return kSpecial[(b - 240) % (sizeof kSpecial / sizeof kSpecial[0])];
        return (static_cast<int>(b) - 64) * 1.5;
    }
    int Extreme()
    {
        static const int kInts[] = {0, -1, 1, 255, 256, -256, 100000, -100000,
                                    std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
        const std::uint8_t b = Byte();
        if (b >= 246)
            return kInts[(b - 246) % (sizeof kInts / sizeof kInts[0])];
        return static_cast<int>(b) - 40;
    }
    TColor Colour()
    {
        static const TColor kColours[] = {clBlack, clWhite, clRed, clNavy, clLime, 0x336699, 0xFEFEFE, 0x808080};
        return kColours[Pick(8)];
    }
    std::string Text()
    {
        static const char* const kTexts[] = {"", "Volts", "8.8.8.8.", "10:25", "-1.5", "AbCdEf", "1..2", "\xC2\xB0\x43",
                                             "a|b|c", "00:40:00", "  ", "GZ+"};
        return kTexts[Pick(static_cast<int>(std::size(kTexts)))];
    }
    TInstrumentFont Font()
    {
        TInstrumentFont f;
        f.desc.height = -(6 + Pick(20));
        f.desc.weight = Flag() ? 700 : 400;
        f.color = Colour();
        return f;
    }
};

TMemoryClipboard g_clipboard;

constexpr std::size_t kMaxInput = 400;
// Every comparison builds a new instrument and makes all calls so far again on
// it; some calls rebuild a whole picture (the seven-segment glyphs), so an
// input stops once this many instruments and calls have been made, live and
// again.
constexpr std::size_t kMaxMade = 100;

// ---- input as the window system sends it ----

void Mouse(QWidget& W, QEvent::Type Type, int X, int Y, Qt::MouseButton Button)
{
    const QPointF p(X, Y);
    const Qt::MouseButtons held = Type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Button);
    QMouseEvent e(Type, p, W.mapToGlobal(p), Type == QEvent::MouseMove ? Qt::NoButton : Button, held,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(&W, &e);
}

void Key(QWidget& W, int K, const QString& Text)
{
    QKeyEvent press(QEvent::KeyPress, K, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(&W, &press);
    QKeyEvent release(QEvent::KeyRelease, K, Qt::NoModifier, Text);
    QCoreApplication::sendEvent(&W, &release);
}

void Wheel(QWidget& W, int X, int Y, int Delta)
{
    const QPointF p(X, Y);
    QWheelEvent e(p, W.mapToGlobal(p), QPoint(), QPoint(0, Delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                  false);
    QCoreApplication::sendEvent(&W, &e);
}

// A call on an instrument, kept to be made again on a new one.
template <typename T>
using Call = std::function<void(T&)>;

// Real input in the instrument's area (and a little outside it).
template <typename T>
Call<T> InputCall(Input& In)
{
    const int x = In.Int(-5, 300), y = In.Int(-5, 300);
    switch (In.Pick(6)) {
    case 0: return [x, y](T& w) { Mouse(w, QEvent::MouseButtonPress, x, y, Qt::LeftButton); };
    case 1: return [x, y](T& w) { Mouse(w, QEvent::MouseButtonRelease, x, y, Qt::LeftButton); };
    case 2: return [x, y](T& w) { Mouse(w, QEvent::MouseMove, x, y, Qt::NoButton); };
    case 3: {
        const int delta = In.Flag() ? 120 : -120;
        return [x, y, delta](T& w) { Wheel(w, x, y, delta); };
    }
    case 4: {
        static const int kKeys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Return,
                                    Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Space, Qt::Key_Delete, Qt::Key_Home};
        const int k = kKeys[In.Pick(10)];
        return [k](T& w) { Key(w, k, k == Qt::Key_Space ? QStringLiteral(" ") : QString()); };
    }
    default: {
        static const char kChars[] = "0123456789.-e,x";
        const char c = kChars[In.Pick(15)];
        return [c](T& w) { Key(w, c >= 'a' ? Qt::Key_A + (c - 'a') : int(c), QString(QChar(c))); };
    }
    }
}

// The calls every instrument shares.
template <typename T>
Call<T> HostCall(Input& In)
{
    switch (In.Pick(4)) {
    case 0: {
        const int w = In.Int(0, 420), h = In.Int(0, 320);
        return [w, h](T& i) { i.SetBounds(0, 0, w, h); };
    }
    case 1: {
        const bool v = In.Flag();
        return [v](T& i) { i.SetVisible(v); };
    }
    case 2: return [](T& i) { i.BeginLoading(); };
    default: return [](T& i) { i.Loaded(); };
    }
}

// ---- copies of scales; rims and size round trips of meters ----

Call<TScale> ScaleCopyCall(Input& In)
{
    const bool fromGauge = In.Flag();
    const int w = In.Int(0, 420), h = In.Int(0, 200);
    const double low = In.Value(), high = In.Value();
    const bool vertical = In.Flag(), paint = In.Flag();
    if (fromGauge)
        return [w, h, low, high, vertical, paint](TScale& s) {
            // the copy outlives the gauge whose picture its source draws on
            TScaleGauge gauge;
            gauge.SetBounds(0, 0, w, h);
            gauge.SetOrientation(vertical ? goVertical : goHorizontal);
            gauge.SetMin(low);
            gauge.SetMax(high);
            if (paint)
                gauge.ForcePaint();
            s.Assign(gauge.GaugeScale());
        };
    return [w, h, low, high, vertical](TScale& s) {
        TScale other;
        other.SetBounds(0, 0, w, h);
        other.SetRange(high, low);
        other.SetScaleType(vertical ? sctYL : sctXT);
        s.Assign(other);
    };
}

Call<TMeter> MeterRimAndSizeCall(Input& In)
{
    switch (In.Pick(3)) {
    case 0: {
        const int which = In.Pick(3), v = In.Int(0, 60);
        return [which, v](TMeter& m) {
            if (which == 0)
                m.SetRimTop(v);
            else if (which == 1)
                m.SetRimSide(v);
            else
                m.SetRimBottom(v);
        };
    }
    case 1: {
        // a few pixels off the size and back; the new meter is only given its
        // size again, which lays its dial out the same way
        const int dw = In.Int(-12, 12), dh = In.Int(-12, 12);
        auto first = std::make_shared<bool>(true);
        return [dw, dh, first](TMeter& m) {
            const int w = m.Width(), h = m.Height();
            if (std::exchange(*first, false))
                m.SetBounds(0, 0, w + dw, h + dh);
            m.SetBounds(0, 0, w, h);
        };
    }
    default: {
        const int w = 297 + In.Int(-4, 4), h = 209 + In.Int(-4, 4);
        return [w, h](TMeter& m) { m.SetBounds(0, 0, w, h); };
    }
    }
}

// ---- each instrument's own calls ----

Call<TScale> ScaleCall(Input& In)
{
    switch (In.Pick(30)) {
    case 27:
    case 28:
    case 29:
        return ScaleCopyCall(In);
    case 22: { int v = In.Extreme(); return [v](TScale& s) { s.SetMarginRight(v); }; }
    case 23: { int v = In.Extreme(); return [v](TScale& s) { s.SetMarginBottom(v); }; }
    case 24: { int v = In.Extreme(); return [v](TScale& s) { s.SetCaptionPosY(v); }; }
    case 25: { auto v = TAlignment(In.Pick(3)); return [v](TScale& s) { s.SetCaptionAlignment(v); }; }
    case 26: { auto v = TColorScheme(In.Pick(2)); return [v](TScale& s) { s.SetColorScheme(v); }; }
    case 0: { auto v = In.Text(); return [v](TScale& s) { s.SetCaption(v); }; }
    case 1: { int v = In.Extreme(); return [v](TScale& s) { s.SetCaptionPosX(v); }; }
    case 2: { auto v = TScaleUnitAnchor(In.Pick(3)); return [v](TScale& s) { s.SetCaptionAnchor(v); }; }
    case 3: { auto v = In.Colour(); return [v](TScale& s) { s.SetColorBackGnd(v); }; }
    case 4: { auto v = In.Colour(); return [v](TScale& s) { s.SetColorScale(v); }; }
    case 5: { auto v = TFrameStyle(In.Pick(6)); return [v](TScale& s) { s.SetFrameStyle(v); }; }
    case 6: { auto v = In.Font(); return [v](TScale& s) { s.SetFont(v); }; }
    case 7: { bool v = In.Flag(); return [v](TScale& s) { s.SetTransparent(v); }; }
    case 8: { int v = In.Extreme(); return [v](TScale& s) { s.SetDecPlaces(v); }; }
    case 9: { auto v = TFigType(In.Pick(5)); return [v](TScale& s) { s.SetLabelType(v); }; }
    case 10: { bool v = In.Flag(); return [v](TScale& s) { s.SetLogarithmic(v); }; }
    case 11: { int v = In.Extreme(); return [v](TScale& s) { s.SetMinTicks(v); }; }
    case 12: { bool v = In.Flag(); return [v](TScale& s) { s.SetShortTicks(v); }; }
    case 13: { bool v = In.Flag(); return [v](TScale& s) { s.SetShowBaseLine(v); }; }
    case 14: { auto v = In.Text(); return [v](TScale& s) { s.SetUserTickText(v); }; }
    case 15: { auto v = TScaleType(In.Pick(4)); return [v](TScale& s) { s.SetScaleType(v); }; }
    case 16: { int v = In.Extreme(); return [v](TScale& s) { s.SetMarginLeft(v); }; }
    case 17: { int v = In.Extreme(); return [v](TScale& s) { s.SetMarginTop(v); }; }
    case 18: { double v = In.Value(); return [v](TScale& s) { s.SetRangeLow(v); }; }
    case 19: { double v = In.Value(); return [v](TScale& s) { s.SetRangeHigh(v); }; }
    case 20: { double h = In.Value(), l = In.Value(); return [h, l](TScale& s) { s.SetRange(h, l); }; }
    default: { auto v = In.Text(); return [v](TScale& s) { s.SetScaleInscript(v); }; }
    }
}

Call<TScaleGauge> GaugeCall(Input& In)
{
    switch (In.Pick(22)) {
    case 0: { auto v = TGaugeBackground(In.Pick(5)); return [v](TScaleGauge& g) { g.SetBackground(v); }; }
    case 1: { auto v = In.Colour(); return [v](TScaleGauge& g) { g.SetColorCover(v); }; }
    case 2: { auto v = In.Colour(); return [v](TScaleGauge& g) { g.SetColorScale(v); }; }
    case 3: { auto v = TColorScheme(In.Pick(2)); return [v](TScaleGauge& g) { g.SetColorScheme(v); }; }
    case 4: { auto v = TFrameStyle(In.Pick(6)); return [v](TScaleGauge& g) { g.SetFrameStyleOuter(v); }; }
    case 5: { auto v = TFrameStyle(In.Pick(6)); return [v](TScaleGauge& g) { g.SetFrameStyleInner(v); }; }
    case 6: { auto v = In.Font(); return [v](TScaleGauge& g) { g.SetFont(v); }; }
    case 7: { auto v = In.Text(); return [v](TScaleGauge& g) { g.SetCaption(v); }; }
    case 8: { int v = In.Extreme(); return [v](TScaleGauge& g) { g.SetCaptionSize(v); }; }
    case 9: { int v = In.Extreme(); return [v](TScaleGauge& g) { g.SetCaptionPosX(v); }; }
    case 10: { bool v = In.Flag(); return [v](TScaleGauge& g) { g.SetFixedDial(v); }; }
    case 11: { double v = In.Value(); return [v](TScaleGauge& g) { g.SetGaugeZero(v); }; }
    case 12: { auto v = TGaugeIndexMode(In.Pick(7)); return [v](TScaleGauge& g) { g.SetIndexMode(v); }; }
    case 13: { bool v = In.Flag(); return [v](TScaleGauge& g) { g.SetLogarithmic(v); }; }
    case 14: { auto v = TGaugeOrientation(In.Pick(2)); return [v](TScaleGauge& g) { g.SetOrientation(v); }; }
    case 15: { int v = In.Extreme(); return [v](TScaleGauge& g) { g.SetMarginLeft(v); }; }
    case 16: { int v = In.Extreme(); return [v](TScaleGauge& g) { g.SetMarginBottom(v); }; }
    case 17: { double v = In.Value(); return [v](TScaleGauge& g) { g.SetMin(v); }; }
    case 18: { double v = In.Value(); return [v](TScaleGauge& g) { g.SetMax(v); }; }
    case 19: { int v = In.Extreme(); return [v](TScaleGauge& g) { g.SetMinTicks(v); }; }
    case 20: { bool v = In.Flag(); return [v](TScaleGauge& g) { g.SetShortTicks(v); }; }
    default: { double v = In.Value(); return [v](TScaleGauge& g) { g.SetValue(v); }; }
    }
}

Call<TSevenSeg> SevenSegCall(Input& In)
{
    switch (In.Pick(8)) {
    case 0: { auto v = In.Text(); return [v](TSevenSeg& s) { s.SetCaption(v); }; }
    case 1: { auto v = In.Colour(); return [v](TSevenSeg& s) { s.SetColorBackGnd(v); }; }
    case 2: { auto v = In.Colour(); return [v](TSevenSeg& s) { s.SetColorText(v); }; }
    case 3: { auto v = TFrameStyle(In.Pick(6)); return [v](TSevenSeg& s) { s.SetFrameStyle(v); }; }
    case 4: { int v = In.Extreme(); return [v](TSevenSeg& s) { s.SetInterDigDist(v); }; }
    case 5: { int v = In.Extreme(); return [v](TSevenSeg& s) { s.SetMargin(v); }; }
    case 6: { auto v = TColorScheme(In.Pick(2)); return [v](TSevenSeg& s) { s.SetColorScheme(v); }; }
    default: { int v = In.Int(-1, 34); return [v](TSevenSeg& s) { s.SetNumDigits(v); }; }
    }
}

Call<TMeter> MeterCall(Input& In)
{
    switch (In.Pick(42)) {
    case 37:
    case 38:
    case 39:
    case 40:
    case 41:
        return MeterRimAndSizeCall(In);
    case 30: { auto v = In.Colour(); return [v](TMeter& m) { m.SetColorSclBkLow(v); }; }
    case 31: { auto v = In.Colour(); return [v](TMeter& m) { m.SetColorSclBkHigh(v); }; }
    case 32: { bool v = In.Flag(); return [v](TMeter& m) { m.SetLimWatchLowOn(v); }; }
    case 33: { auto v = In.Colour(); return [v](TMeter& m) { m.SetLimWatchActColor(v); }; }
    case 34: { auto v = In.Colour(); return [v](TMeter& m) { m.SetLimWatchPsvColor(v); }; }
    case 35: { auto v = TColorScheme(In.Pick(2)); return [v](TMeter& m) { m.SetColorScheme(v); }; }
    case 36: { int v = In.Extreme(); return [v](TMeter& m) { m.SetMeterDecPlaces(v); }; }
    case 0: { double v = In.Value(); return [v](TMeter& m) { m.SetMeterMinValue(v); }; }
    case 1: { double v = In.Value(); return [v](TMeter& m) { m.SetMeterMaxValue(v); }; }
    case 2: { double v = In.Value(); return [v](TMeter& m) { m.SetValue(v); }; }
    case 3: { double v = In.Value(); return [v](TMeter& m) { m.SetValueSec(v); }; }
    case 4: { double v = In.Value(); return [v](TMeter& m) { m.SetThresholdLow(v); }; }
    case 5: { double v = In.Value(); return [v](TMeter& m) { m.SetThresholdHigh(v); }; }
    case 6: { bool v = In.Flag(); return [v](TMeter& m) { m.SetLogarithmic(v); }; }
    case 7: { auto v = TMeterLayout(In.Pick(6)); return [v](TMeter& m) { m.SetMeterLayout(v); }; }
    case 8: { int v = In.Extreme(); return [v](TMeter& m) { m.SetMeterNrTicks(v); }; }
    case 9: { int v = In.Int(-2, 6); return [v](TMeter& m) { m.SetMeterDecPlaces(v); }; }
    case 10: { bool v = In.Flag(); return [v](TMeter& m) { m.SetMeterShortTicks(v); }; }
    case 11: { bool v = In.Flag(); return [v](TMeter& m) { m.SetMeterScaleLine(v); }; }
    case 12: { bool v = In.Flag(); return [v](TMeter& m) { m.SetScaleVisible(v); }; }
    case 13: { bool v = In.Flag(); return [v](TMeter& m) { m.SetScaleBkVisible(v); }; }
    case 14: { double v = In.Value(); return [v](TMeter& m) { m.SetScaleBkWidth(v); }; }
    case 15: { auto v = In.Colour(); return [v](TMeter& m) { m.SetColorSclBkNorm(v); }; }
    case 16: { auto v = In.Colour(); return [v](TMeter& m) { m.SetColorScale(v); }; }
    case 17: { auto v = In.Colour(); return [v](TMeter& m) { m.SetColorBakG(v); }; }
    case 18: { auto v = In.Colour(); return [v](TMeter& m) { m.SetColorCover(v); }; }
    case 19: { auto v = TFrameStyle(In.Pick(6)); return [v](TMeter& m) { m.SetFrameStyle(v); }; }
    case 20: { int v = In.Extreme(); return [v](TMeter& m) { m.SetRimTop(v); }; }
    case 21: { int v = In.Extreme(); return [v](TMeter& m) { m.SetRimSide(v); }; }
    case 22: { int v = In.Extreme(); return [v](TMeter& m) { m.SetRimBottom(v); }; }
    case 23: { bool v = In.Flag(); return [v](TMeter& m) { m.SetLimWatchHighOn(v); }; }
    case 24: { int v = In.Extreme(); return [v](TMeter& m) { m.SetAnchorSize(v); }; }
    case 25: { bool v = In.Flag(); return [v](TMeter& m) { m.SetAnchorCovered(v); }; }
    case 26: { auto v = In.Text(); return [v](TMeter& m) { m.SetCaption(v); }; }
    case 27: { auto v = In.Font(); return [v](TMeter& m) { m.SetFont(v); }; }
    case 28: { auto v = In.Font(); return [v](TMeter& m) { m.SetFontCaption(v); }; }
    default: {
        const int which = In.Pick(4), v = In.Extreme();
        const bool second = In.Flag();
        return [which, v, second](TMeter& m) {
            TNeedleLayout& n = second ? m.NeedleLayoutSec() : m.NeedleLayout();
            switch (which) {
            case 0: n.SetThickness(v); break;
            case 1: n.SetHeadSize(v); break;
            case 2: n.SetShadowDx(v); break;
            default: n.SetVisible(v & 1); break;
            }
        };
    }
    }
}

Call<TOnOffBut> ButtonCall(Input& In)
{
    switch (In.Pick(16)) {
    case 0: { bool v = In.Flag(); return [v](TOnOffBut& b) { b.SetOnOff(v); }; }
    case 1: { auto v = TOnOffButStyle(In.Pick(24)); return [v](TOnOffBut& b) { b.SetButtonStyle(v); }; }
    case 2: { auto v = TOOButMode(In.Pick(2)); return [v](TOnOffBut& b) { b.SetMode(v); }; }
    case 3: { auto v = TOOButMouseAction(In.Pick(3)); return [v](TOnOffBut& b) { b.SetMouseAction(v); }; }
    case 4: { bool v = In.Flag(); return [v](TOnOffBut& b) { b.SetAllowAllOff(v); }; }
    case 5: { bool v = In.Flag(); return [v](TOnOffBut& b) { b.SetAutoCenter(v); }; }
    case 6: { int v = In.Extreme(); return [v](TOnOffBut& b) { b.SetLeftSpace(v); }; }
    case 7: { int v = In.Extreme(); return [v](TOnOffBut& b) { b.SetTopSpace(v); }; }
    case 8: {
        const int i = In.Pick(4);
        auto v = In.Text();
        return [i, v](TOnOffBut& b) {
            switch (i) {
            case 0: b.SetLeftText(v); break;
            case 1: b.SetTopText(v); break;
            case 2: b.SetBottomText(v); break;
            default: b.SetRightText(v); break;
            }
        };
    }
    case 9: {
        const int i = In.Pick(4);
        auto v = TAlignment(In.Pick(3));
        return [i, v](TOnOffBut& b) {
            switch (i) {
            case 0: b.SetLeftTextAlignment(v); break;
            case 1: b.SetTopTextAlignment(v); break;
            case 2: b.SetBottomTextAlignment(v); break;
            default: b.SetRightTextAlignment(v); break;
            }
        };
    }
    case 10: { auto v = In.Colour(); return [v](TOnOffBut& b) { b.SetColorBackgnd(v); }; }
    case 11: { auto v = In.Colour(); return [v](TOnOffBut& b) { b.SetColorText(v); }; }
    case 12: { auto v = TFrameStyle(In.Pick(6)); return [v](TOnOffBut& b) { b.SetFrameStyle(v); }; }
    case 13: { bool v = In.Flag(); return [v](TOnOffBut& b) { b.SetTransparent(v); }; }
    case 14: { bool v = In.Flag(); return [v](TOnOffBut& b) { b.SetEnabled(v); }; }
    default: { auto v = In.Font(); return [v](TOnOffBut& b) { b.SetFont(v); }; }
    }
}

Call<TProgBar> BarCall(Input& In)
{
    switch (In.Pick(22)) {
    case 0: { double v = In.Value(); return [v](TProgBar& p) { p.SetMin(v); }; }
    case 1: { double v = In.Value(); return [v](TProgBar& p) { p.SetMax(v); }; }
    case 2: { double v = In.Value(); return [v](TProgBar& p) { p.SetValue(v); }; }
    case 3: { auto v = TDirection(In.Pick(4)); return [v](TProgBar& p) { p.SetDirection(v); }; }
    case 4: { auto v = In.Colour(); return [v](TProgBar& p) { p.SetColorMin(v); }; }
    case 5: { auto v = In.Colour(); return [v](TProgBar& p) { p.SetColorMax(v); }; }
    case 6: { bool v = In.Flag(); return [v](TProgBar& p) { p.SetShowColorGradient(v); }; }
    case 7: { auto v = TColorMapping(In.Pick(3)); return [v](TProgBar& p) { p.SetColorMapMode(v); }; }
    case 8: { auto v = In.Colour(); return [v](TProgBar& p) { p.SetColorBackGnd(v); }; }
    case 9: { auto v = In.Colour(); return [v](TProgBar& p) { p.SetColorGrid(v); }; }
    case 10: { int v = In.Extreme(); return [v](TProgBar& p) { p.SetGridDist(v); }; }
    case 11: { int v = In.Extreme(); return [v](TProgBar& p) { p.SetMarginLeft(v); }; }
    case 12: { int v = In.Extreme(); return [v](TProgBar& p) { p.SetMarginTop(v); }; }
    case 13: { auto v = TFrameStyle(In.Pick(6)); return [v](TProgBar& p) { p.SetFrameStyleOuter(v); }; }
    case 14: { auto v = TFrameStyle(In.Pick(6)); return [v](TProgBar& p) { p.SetFrameStyleInner(v); }; }
    case 15: { bool v = In.Flag(); return [v](TProgBar& p) { p.SetTextVisible(v); }; }
    case 16: { int v = In.Extreme(); return [v](TProgBar& p) { p.SetTextPosX(v); }; }
    case 17: { auto v = TAlignment(In.Pick(3)); return [v](TProgBar& p) { p.SetTextAlignment(v); }; }
    case 18: { int v = In.Extreme(); return [v](TProgBar& p) { p.SetTextAngle(v); }; }
    case 19: { int v = In.Extreme(); return [v](TProgBar& p) { p.SetTextDecPlaces(v); }; }
    case 20: { auto v = In.Colour(); return [v](TProgBar& p) { p.SetColorMargin(v); }; }
    default: { auto v = In.Font(); return [v](TProgBar& p) { p.SetFont(v); }; }
    }
}

Call<TNTabEd> TableCall(Input& In)
{
    switch (In.Pick(16)) {
    case 0: { int v = In.Int(-1, 9); return [v](TNTabEd& t) { t.SetNrOfColumns(v); }; }
    case 1: { int v = In.Int(-1, 12); return [v](TNTabEd& t) { t.SetNrOfRows(v); }; }
    case 2: {
        int c = In.Int(0, 9), r = In.Int(0, 12);
        double v = In.Value();
        return [c, r, v](TNTabEd& t) { t.SetElem(c, r, v); };
    }
    case 3: { int c = In.Int(0, 9), r = In.Int(0, 12); return [c, r](TNTabEd& t) { t.SetMarkA(c, r, true); }; }
    case 4: { int c = In.Int(0, 9), p = In.Extreme(); return [c, p](TNTabEd& t) { t.SetDecPlaces(c, p); }; }
    case 5: { int c = In.Int(0, 9), w = In.Extreme(); return [c, w](TNTabEd& t) { t.SetColWidth(c, w); }; }
    case 6: { int c = In.Int(0, 9); auto v = In.Text(); return [c, v](TNTabEd& t) { t.SetColName(c, v); }; }
    case 7: { bool v = In.Flag(); return [v](TNTabEd& t) { t.SetAttribRowVisible(v); }; }
    case 8: { bool v = In.Flag(); return [v](TNTabEd& t) { t.SetAttribColVisible(v); }; }
    case 9: { auto v = In.Colour(); return [v](TNTabEd& t) { t.SetColorNormal(v); }; }
    case 10: { bool v = In.Flag(); return [v](TNTabEd& t) { t.SetBoldMarks(v); }; }
    case 11: { int v = In.Extreme(); return [v](TNTabEd& t) { t.SetNumWidth(v); }; }
    case 12: return [](TNTabEd& t) { t.CopySelection(); };
    case 13: return [](TNTabEd& t) { t.PasteClip(); };
    case 14: { int v = In.Pick(4); return [v](TNTabEd& t) { t.MarkCells(TMarkScope(v), cmMarkB, true); }; }
    default: {
        const int w = In.Int(0, 420), h = In.Int(0, 320);
        return [w, h](TNTabEd& t) { t.resize(w, h); };
    }
    }
}

[[noreturn]] void Differs(const char* Name, std::size_t Step)
{
    std::fprintf(stderr, "%s: the picture after call %zu differs from a new instrument's\n", Name, Step);
    std::abort();
}

// An instrument widget on a parent, as on a form shown on the screen (the
// screen's window left out).
template <typename T>
struct Placed {
    QWidget parent;
    T* instrument;
    Placed() : instrument(new T(&parent))
    {
        parent.resize(440, 340);
        parent.setAttribute(Qt::WA_DontShowOnScreen);
        parent.show();
    }
};

bool SamePixels(const platform::Bitmap& A, const platform::Bitmap& B)
{
    if (A.Width() != B.Width() || A.Height() != B.Height())
        return false;
    return A.IsEmpty()
           || std::memcmp(A.Data(), B.Data(), static_cast<std::size_t>(A.Width()) * A.Height() * 4) == 0;
}

template <typename T>
void RunInstrument(Input& In, const char* Name, Call<T> (*Own)(Input&))
{
    Placed<T> live;
    std::vector<Call<T>> calls;
    std::size_t made = 0;
    while (In.More()) {
        const int kind = In.Pick(8);
        if (kind == 0) {
            T& i = *live.instrument;
            i.ForcePaint();
            if (i.Loading())
                continue;
            made += calls.size() + 1;
            if (made > kMaxMade)
                return;
            Placed<T> fresh;
            fresh.instrument->SetHoldPaint(true);
            for (const auto& c : calls)
                c(*fresh.instrument);
            fresh.instrument->ForcePaint();
            // the picture kept, where there is one, and what the window shows
            // (an invisible instrument included)
            if (i.Visible() && i.Width() > 0 && i.Height() > 0
                && !SamePixels(i.Buffer().Surface(), fresh.instrument->Buffer().Surface()))
                Differs(Name, calls.size());
            if (live.parent.grab().toImage() != fresh.parent.grab().toImage())
                Differs(Name, calls.size());
            continue;
        }
        if (++made > kMaxMade)
            return;
        Call<T> c = kind == 1 ? HostCall<T>(In) : kind == 2 ? InputCall<T>(In) : Own(In);
        c(*live.instrument);
        calls.push_back(std::move(c));
    }
}

// The table editor keeps no picture of its own: its screen is compared.
void RunTable(Input& In)
{
    Placed<TNTabEd> live;
    live.instrument->resize(300, 200);
    std::vector<Call<TNTabEd>> calls;
    std::size_t made = 0;
    while (In.More()) {
        const int kind = In.Pick(6);
        if (kind == 0) {
            made += calls.size() + 1;
            if (made > kMaxMade)
                return;
            const QImage shown = live.instrument->grab().toImage();
            Placed<TNTabEd> fresh;
            fresh.instrument->resize(300, 200);
            for (const auto& c : calls)
                c(*fresh.instrument);
            if (shown != fresh.instrument->grab().toImage())
                Differs("table editor", calls.size());
            continue;
        }
        if (++made > kMaxMade)
            return;
        Call<TNTabEd> c = kind == 1 ? InputCall<TNTabEd>(In) : TableCall(In);
        c(*live.instrument);
        calls.push_back(std::move(c));
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    StartFuzzApplication(argc, argv);
    platform::SetClipboard(&g_clipboard);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // every paint repeats the calls before it: long inputs only cost time
    Input in(data, std::min<std::size_t>(size, kMaxInput));
    g_clipboard.SetText(QString());
    switch (in.Pick(7)) {
    case 0: RunInstrument<TScale>(in, "scale", ScaleCall); break;
    case 1: RunInstrument<TScaleGauge>(in, "scale gauge", GaugeCall); break;
    case 2: RunInstrument<TSevenSeg>(in, "seven-segment display", SevenSegCall); break;
    case 3: RunInstrument<TMeter>(in, "meter", MeterCall); break;
    case 4: RunInstrument<TOnOffBut>(in, "on/off button", ButtonCall); break;
    case 5: RunInstrument<TProgBar>(in, "progress bar", BarCall); break;
    default: RunTable(in); break;
    }
    return 0;
}
