#pragma once
// Checks over a window's chart as it draws: the chart is drawn unbuffered
// onto a device of its own size that notes the box of every text it writes
// and which axis label (or axis title) the text belongs to. The recording
// device measures with fixed metrics; the Qt device with the fonts the
// screen uses. The legend's symbols, as drawn, and the area their shadows
// paint on the screen are noted too.
#include "chart/chart.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/chart_legend.h"
#include "chart/legend_symbol.h"
#include "chart/plot_shadow.h"
#include "chart/chart_series.h"
#include "chart/series/custom_series.h"
#include "chart/series_pointer.h"
#include "platform/qt_drawing_device.h"
#include "testing/recording_device.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

struct TDrawnText {
    std::string text;
    TRect box;       // device pixels
    int axis = -1;   // index in the chart's axis list, -1 for other texts
    bool title = false;
    bool opaque = false;  // written over a box of the background colour
};

struct TChartDrawing {
    std::vector<TDrawnText> texts;
    TRect chartRect;
    int width = 0;
    int height = 0;
    bool legendShown = false;
    TRect legend;                      // the legend's frame
    std::vector<TRect> legendSymbols;  // as drawn
    std::vector<TRect> legendShadows;  // what each symbol's shadow paints on the screen
};

// The area a shadow of rectangle S paints on the screen: S offset by the
// shadow's sizes; blurred (on a buffer), grown by the sizes again and one
// pixel more, the blurred bitmap's extra column and row.
inline TRect PaintedShadowArea(const TRect& S, const TPlotShadow& Shadow)
{
    const int h = Shadow.HorizSize();
    const int v = Shadow.VertSize();
    if (!Shadow.Visible() || Shadow.Color() == clNone || (h == 0 && v == 0))
        return TRect{S.Left, S.Top, S.Left, S.Top};
    if (!Shadow.Smooth())
        return TRect{S.Left + std::min(0, h), S.Top + std::min(0, v), S.Right + std::max(0, h),
                     S.Bottom + std::max(0, v)};
    return TRect{S.Left + h - std::abs(h), S.Top + v - std::abs(v), S.Right + h + std::abs(h) + 1,
                 S.Bottom + v + std::abs(v) + 1};
}

// A device that notes the box of each text written through it.
template <class Base>
class TTextBoxDevice : public Base {
public:
    TTextBoxDevice(int w, int h) : Base(w, h) {}

    std::vector<TDrawnText> texts;
    // The axis label about to be written (set by the axes' label event).
    int pendingAxis = -1;
    bool pendingTitle = false;
    std::vector<std::string> pendingLines;
    std::vector<TRect> rectangles;  // device pixels

    void Rectangle(int left, int top, int right, int bottom) override
    {
        const platform::Point org = this->GetViewportOrg();
        rectangles.push_back(TRect{left + org.x, top + org.y, right + org.x, bottom + org.y});
        Base::Rectangle(left, top, right, bottom);
    }

    void TextOut(int x, int y, const std::string& text) override
    {
        Note(x, y, text);
        Base::TextOut(x, y, text);
    }
    void ExtTextOut(int x, int y, unsigned options, const platform::Rect* rect, const std::string& text) override
    {
        Note(x, y, text);
        Base::ExtTextOut(x, y, options, rect, text);
    }

private:
    void Note(int x, int y, const std::string& text)
    {
        namespace ta = platform::TextAlign;
        const platform::Size size = this->GetTextExtent(text);
        const platform::TextMetrics tm = this->GetTextMetrics();
        const unsigned align = this->GetTextAlign();
        const unsigned h = align & ta::HorizontalMask;
        const unsigned v = align & ta::VerticalMask;
        const int left = h == ta::Right ? -size.cx : h == ta::Center ? -(size.cx / 2) : 0;
        const int top = v == ta::Baseline ? -tm.ascent : v == ta::Bottom ? -size.cy : 0;
        TRect r{left, top, left + size.cx, top + size.cy};
        // rotated a quarter turn either way about the anchor
        const int esc = ((this->GetFont().escapement % 3600) + 3600) % 3600;
        if (esc == 900)
            r = TRect{r.Top, -r.Right, r.Bottom, -r.Left};
        else if (esc == 2700)
            r = TRect{-r.Bottom, r.Left, -r.Top, r.Right};
        const platform::Point org = this->GetViewportOrg();
        r.Left += x + org.x;
        r.Right += x + org.x;
        r.Top += y + org.y;
        r.Bottom += y + org.y;
        TDrawnText t{text, r, -1, false, this->GetBkMode() == platform::BackMode::Opaque};
        const auto it = std::find(pendingLines.begin(), pendingLines.end(), text);
        if (it != pendingLines.end()) {
            t.axis = pendingAxis;
            t.title = pendingTitle;
            pendingLines.erase(it);
        }
        texts.push_back(std::move(t));
    }
};

template <class Device>
TChartDrawing DrawChartOn(TChart& chart)
{
    const int w = std::max(1, chart.width());
    const int h = std::max(1, chart.height());
    TTextBoxDevice<Device> device(w, h);
    std::vector<TAxisDrawLabelEvent> saved;
    const char sep = chart.LabelLineSeparator();
    for (int i = 0; i < chart.AxisListCount(); ++i) {
        TChartAxis* axis = chart.AxisListItem(i);
        saved.push_back(axis->OnDrawLabel);
        axis->OnDrawLabel = [&device, axis, i, sep](TChartAxis&, int&, int&, int&, std::string& text, bool&) {
            device.pendingAxis = i;
            device.pendingTitle = axis->Title()->Visible() && text == axis->Title()->Caption();
            device.pendingLines.clear();
            std::string line;
            for (char c : text + sep) {
                if (c == sep) {
                    if (!line.empty())
                        device.pendingLines.push_back(line);
                    line.clear();
                } else {
                    line += c;
                }
            }
        };
    }
    const bool buffered = chart.BufferedDisplay();
    chart.SetBufferedDisplay(false);
    chart.Draw(&device, TRect{0, 0, w, h});
    chart.SetBufferedDisplay(buffered);
    for (int i = 0; i < chart.AxisListCount(); ++i)
        chart.AxisListItem(i)->OnDrawLabel = saved[static_cast<std::size_t>(i)];
    TChartDrawing d;
    d.texts = std::move(device.texts);
    d.chartRect = chart.ChartRect;
    d.width = w;
    d.height = h;
    TCustomChartLegend& legend = *chart.Legend();
    if (legend.Visible() && legend.LastValue() >= legend.FirstValue()) {
        d.legendShown = true;
        d.legend = legend.ShapeBounds;
        for (int i = 0; i < legend.Items().Count(); ++i) {
            const TRect r = legend.Items().Item(i)->SymbolRect;
            if (std::find(device.rectangles.begin(), device.rectangles.end(), r) == device.rectangles.end())
                continue;  // not drawn as a rectangle
            d.legendSymbols.push_back(r);
            d.legendShadows.push_back(PaintedShadowArea(r, *legend.Symbol()->Shadow()));
        }
    }
    return d;
}

inline bool BoxesOverlap(const TRect& a, const TRect& b)
{
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

inline std::string BoxText(const TDrawnText& t)
{
    return "\"" + t.text + "\" (" + std::to_string(t.box.Left) + "," + std::to_string(t.box.Top) + "," +
           std::to_string(t.box.Right) + "," + std::to_string(t.box.Bottom) + ")";
}

// The labels of one axis that overlap another label of the same axis.
inline std::vector<std::string> OverlappingAxisLabels(const TChartDrawing& d)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < d.texts.size(); ++i)
        for (std::size_t j = i + 1; j < d.texts.size(); ++j) {
            const TDrawnText& a = d.texts[i];
            const TDrawnText& b = d.texts[j];
            if (a.axis < 0 || a.title || b.title || a.axis != b.axis)
                continue;
            if (BoxesOverlap(a.box, b.box))
                out.push_back("axis " + std::to_string(a.axis) + ": " + BoxText(a) + " and " + BoxText(b));
        }
    return out;
}

// The axis labels written over a box of their own.
inline std::vector<std::string> BoxedAxisLabels(const TChartDrawing& d)
{
    std::vector<std::string> out;
    for (const TDrawnText& t : d.texts)
        if (t.axis >= 0 && t.opaque)
            out.push_back("axis " + std::to_string(t.axis) + ": " + BoxText(t));
    return out;
}

// The texts that do not lie wholly inside the chart control.
inline std::vector<std::string> TextsOutsideTheControl(const TChartDrawing& d)
{
    std::vector<std::string> out;
    for (const TDrawnText& t : d.texts)
        if (t.box.Left < 0 || t.box.Top < 0 || t.box.Right > d.width || t.box.Bottom > d.height)
            out.push_back(BoxText(t) + " outside " + std::to_string(d.width) + "x" + std::to_string(d.height));
    return out;
}

// The legend's texts that run into a symbol or the area a symbol's shadow
// paints, or out of the legend's frame, and the shadows that leave it.
inline std::vector<std::string> CrowdedLegend(const TChartDrawing& d)
{
    std::vector<std::string> out;
    if (!d.legendShown)
        return out;
    const TRect inner{d.legend.Left + 1, d.legend.Top + 1, d.legend.Right - 1, d.legend.Bottom - 1};
    const auto inside = [&](const TRect& r) {
        return r.Left >= inner.Left && r.Top >= inner.Top && r.Right <= inner.Right && r.Bottom <= inner.Bottom;
    };
    const auto rectText = [](const TRect& r) {
        return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
               std::to_string(r.Bottom) + ")";
    };
    for (std::size_t i = 0; i < d.legendShadows.size(); ++i) {
        const TRect& shadow = d.legendShadows[i];
        if (shadow.Right > shadow.Left && !inside(shadow))
            out.push_back("shadow " + rectText(shadow) + " out of the legend " + rectText(d.legend));
    }
    for (const TDrawnText& t : d.texts) {
        if (t.axis >= 0 || !BoxesOverlap(t.box, d.legend))
            continue;
        if (!inside(t.box))
            out.push_back(BoxText(t) + " out of the legend " + rectText(d.legend));
        for (std::size_t i = 0; i < d.legendSymbols.size(); ++i) {
            if (BoxesOverlap(t.box, d.legendSymbols[i]))
                out.push_back(BoxText(t) + " over the symbol " + rectText(d.legendSymbols[i]));
            if (BoxesOverlap(t.box, d.legendShadows[i]))
                out.push_back(BoxText(t) + " over the shadow " + rectText(d.legendShadows[i]));
        }
    }
    return out;
}

inline std::vector<std::string> AxisLabelTexts(const TChartDrawing& d, int Axis)
{
    std::vector<std::string> out;
    for (const TDrawnText& t : d.texts)
        if (t.axis == Axis && !t.title)
            out.push_back(t.text);
    return out;
}

// The checks above, with fixed metrics and with the screen's fonts.
#define EXPECT_CHART_READABLE(chart, what)                                                                       \
    do {                                                                                                         \
        for (const TChartDrawing& d_ : {DrawChartOn<platform::RecordingDevice>(chart),                          \
                                        DrawChartOn<platform::QtDrawingDevice>(chart)}) {                        \
            EXPECT_EQ(OverlappingAxisLabels(d_), std::vector<std::string>{}) << (what);                         \
            EXPECT_EQ(TextsOutsideTheControl(d_), std::vector<std::string>{}) << (what);                        \
            EXPECT_EQ(BoxedAxisLabels(d_), std::vector<std::string>{}) << (what);                               \
            EXPECT_EQ(CrowdedLegend(d_), std::vector<std::string>{}) << (what);                                 \
        }                                                                                                        \
    } while (0)

// Pixels between the top of the chart rectangle and the top of the series'
// tallest point (of its Y values).
inline int GapAboveTallest(const TChart& chart, const TChartSeries& s)
{
    if (s.Count() == 0)
        return -1;
    int top = s.CalcYPos(0);
    for (int i = 1; i < s.Count(); ++i)
        top = std::min(top, s.CalcYPos(i));
    return top - chart.ChartRect.Top;
}

// The pointers of the chart's active series that reach out of the chart
// rectangle (as the last draw placed it).
inline std::vector<std::string> PointersOutsideTheRect(const TChart& chart)
{
    std::vector<std::string> out;
    const TRect& r = chart.ChartRect;
    for (int k = 0; k < chart.SeriesCount(); ++k) {
        const auto* s = dynamic_cast<const TCustomSeries*>(chart.Series(k));
        if (!s || !s->Active() || !s->Pointer().Visible())
            continue;
        const int h = s->Pointer().HorizSize();
        const int v = s->Pointer().VertSize();
        for (int i = 0; i < s->Count(); ++i) {
            const int x = s->CalcXPos(i);
            const int y = s->CalcYPos(i);
            if (x - h < r.Left || x + h > r.Right || y - v < r.Top || y + v > r.Bottom)
                out.push_back(s->TitleOrName() + " point " + std::to_string(i) + " at " + std::to_string(x) + "," +
                              std::to_string(y));
        }
    }
    return out;
}
