// Drawing side of TSeriesMarks: box sizes, placement, text and overlap.
#include "chart/series_marks.h"

#include <QPointer>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/chart_callout.h"
#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_html.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/plot_shape.h"
#include "chart/view3d_options.h"
#include "platform/drawing_device.h"

namespace {

std::vector<std::string> SplitLines(const std::string& Text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    const char sep = LineSeparator();
    for (;;) {
        const std::size_t at = Text.find(sep, start);
        lines.push_back(Text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return lines;
        start = at + 1;
    }
}

TCustomPlotPanel* PanelOf(const TChartSeries* Series)
{
    return Series && Series->ParentChart() ? Series->ParentChart()->Panel() : nullptr;
}

}  // namespace

TPoint2 TSeriesMarks::ScreenLeftTop(TCanvas3D* Canvas, const TSeriesMarkPosition& Position) const
{
    TPoint2 leftTop = Position.LeftTop;
    const TCustomPlotPanel* panel = PanelOf(m_series);
    if (Canvas && panel && panel->View3D() && !Canvas->Supports3DText()) {
        TPoint p;
        Canvas->Project(Position.ArrowTo.X, Position.ArrowTo.Y, m_zPosition, p);
        leftTop.X += p.X - Position.ArrowTo.X;
        leftTop.Y += p.Y - Position.ArrowTo.Y;
    }
    return leftTop;
}

void TSeriesMarks::AssignMarkFont(TCanvas3D& Canvas, TPlotCustomShape& Shape) const
{
    Canvas.AssignFont(Shape.Font());
    const TCustomPlotPanel* panel = PanelOf(m_series);
    if (!panel || !panel->View3D() || Canvas.Supports3DText())
        return;
    const TView3DOptions* options = panel->View3DOptions();
    if (options && options->ZoomText() && options->Zoom() != 100) {
        TFont* font = Canvas.Font();
        font->SetSize(std::max(1, Nearest(font->Size() * options->Zoom() * 0.01)));
    }
}

int TSeriesMarks::Clicked(int X, int Y) const
{
    const TCustomPlotPanel* panel = PanelOf(m_series);
    TCanvas3D* canvas = panel ? panel->Canvas() : nullptr;
    const int step = DrawStep();
    for (int i = PositionCount() - 1; i >= 0; --i) {
        const TSeriesMarkPosition* p = Position(i);
        if (!p || i % step != 0)
            continue;
        const TPoint2 leftTop = ScreenLeftTop(canvas, *p);
        const TRect r{leftTop.X, leftTop.Y, leftTop.X + p->Width, leftTop.Y + p->Height};
        if (m_angle > 0) {
            TPoint polygon[4];
            RotateRectangle(r, m_angle % 360, polygon);
            if (PointInPolygon(TPoint{X, Y}, polygon))
                return i;
        } else if (X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom) {
            return i;
        }
    }
    return -1;
}

int TSeriesMarks::TextWidth(TCanvas3D& Canvas, const std::string& Text) const
{
    int width = 0;
    for (const std::string& line : SplitLines(Text))
        width = std::max(width, Canvas.TextWidth(line));
    return width;
}

int TSeriesMarks::MaxMarkWidth()
{
    TCustomPlotPanel* panel = PanelOf(m_series);
    TCanvas3D* canvas = panel ? panel->Canvas() : nullptr;
    if (!canvas || !m_series)
        return 0;
    int width = 0;
    // the mark text handler may free the series, and these marks with it
    const QPointer<TChartSeries> alive(m_series);
    for (int i = 0; i < m_series->Count(); ++i) {
        TPlotCustomShape& shape = MarkItem(i);
        if (!shape.Visible())
            continue;
        AssignMarkFont(*canvas, shape);
        const std::string text = m_series->GetMarkText(i);
        if (!alive)
            return width;
        width = std::max(width, TextWidth(*canvas, text));
    }
    return width;
}

void TSeriesMarks::MeasureBox(TCanvas3D& Canvas, int Index, const std::string& Text, TSeriesMarkPosition& Position)
{
    TPlotCustomShape& shape = MarkItem(Index);
    AssignMarkFont(Canvas, shape);
    const int lineHeight = Canvas.FontHeight();
    int width = 0;
    int height = 0;
    if (shape.TextFormat() == ttfHtml) {
        const TSize extent = Canvas.HtmlTextExtent(Text);
        width = extent.cx;
        height = extent.cy;
    } else {
        width = TextWidth(Canvas, Text);
        height = static_cast<int>(SplitLines(Text).size()) * lineHeight;
    }
    m_margins.Calculate(width, height, lineHeight);
    width += m_margins.HorizSize();
    height += m_margins.VertSize();
    if (const TSeriesMarksSymbol* symbol = SymbolIfAny(); symbol && symbol->Visible() && !symbol->Transparent())
        width += lineHeight - 4;
    // the frame's width beyond one pixel, or one pixel without a frame
    const int frame = shape.Frame()->Visible() ? shape.Frame()->Width() - 1 : 1;
    Position.Width = width + frame;
    Position.Height = height + frame;
}

void TSeriesMarks::DrawItem(TCanvas3D& Canvas, int Index, TColor Colour, const std::string& Text,
                            TSeriesMarkPosition& Position)
{
    MarkPosition(Index, Position);
    if (m_callout && (m_callout->Visible() || m_callout->Arrow()->Visible())) {
        const TPoint from{Position.ArrowFrom.X, Position.ArrowFrom.Y};
        const TPoint mid{Position.MidPoint.X, Position.MidPoint.Y};
        const TPoint to{Position.ArrowTo.X, Position.ArrowTo.Y};
        m_callout->Draw(Colour, from, mid, to, m_zPosition, Position.HasMid);
    }
    TPlotCustomShape& shape = MarkItem(Index);

    const TPoint2 leftTop = ScreenLeftTop(&Canvas, Position);
    TCustomPlotPanel* panel = PanelOf(m_series);
    TRect r{leftTop.X, leftTop.Y, leftTop.X + Position.Width, leftTop.Y + Position.Height};
    if (Position.Custom && panel) {
        r.Left += panel->ChartBounds.Left;
        r.Right += panel->ChartBounds.Left;
        r.Top += panel->ChartBounds.Top;
        r.Bottom += panel->ChartBounds.Top;
    }
    if (shape.Transparent()) {
        Canvas.Brush()->SetStyle(bsClear);
        Canvas.SetBackMode(cbmTransparent);
    } else {
        Canvas.AssignBrush(shape.Brush(), shape.Color());
    }
    if (shape.ParentChart())
        shape.DrawInRect(r, m_angle, m_zPosition);

    bool symbolDrawn = false;
    if (TSeriesMarksSymbol* symbol = m_symbol.get(); symbol && symbol->Visible() && symbol->ParentChart()) {
        symbol->SetColor(Colour);
        symbol->SetTransparent(false);
        Canvas.AssignFont(shape.Font());
        const int h = Canvas.FontHeight();
        symbol->ShapeBounds = TRect{r.Left + 4, r.Top + 3, r.Left + h - 1, r.Top + h - 2};
        symbol->DrawInRect(symbol->ShapeBounds, m_angle % 360, m_zPosition);
        symbolDrawn = true;
    }

    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
    r.Left += 2;
    if (symbolDrawn)
        r.Left += m_symbol->Width() + 4;
    // lines are spaced as measured, by the zoomed font; the canvas zooms rotated text itself
    AssignMarkFont(Canvas, shape);
    const int lineHeight = Canvas.FontHeight();
    const bool html = shape.TextFormat() == ttfHtml;
    const bool canvasZooms = panel && panel->View3D() && !Canvas.Supports3DText();
    if (!html)
        Canvas.AssignFont(shape.Font());
    int x = (r.Left + m_margins.LeftPixels() + r.Right - m_margins.RightPixels()) / 2;
    unsigned align = platform::TextAlign::Center;
    if (m_textAlign == taLeftJustify) {
        x = r.Left + m_margins.LeftPixels();
        align = platform::TextAlign::Left;
    } else if (m_textAlign == taRightJustify) {
        x = r.Right - m_margins.RightPixels();
        align = platform::TextAlign::Right;
    }
    if (html) {
        // the renderer lays its runs from the left end of the text
        const int width = Canvas.HtmlTextExtent(Text).cx;
        if (align == platform::TextAlign::Center)
            x -= width / 2;
        else if (align == platform::TextAlign::Right)
            x -= width;
        Canvas.SetTextAlign(platform::TextAlign::Left | platform::TextAlign::Top);
        Canvas.TextOutFormatted(x, r.Top + m_margins.TopPixels(), Text, true);
        return;
    }
    Canvas.SetTextAlign(align | platform::TextAlign::Top);
    const int frame = shape.Frame()->Visible() ? (shape.Frame()->Width() - 1) / 2 : 0;
    const std::vector<std::string> lines = SplitLines(Text);
    const int yc = (r.Top + m_margins.TopPixels() + r.Bottom - m_margins.BottomPixels()) / 2;
    const int xc = (r.Left + r.Right) / 2;
    const double a = m_angle * std::numbers::pi / 180;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int line = static_cast<int>(k);
        if (m_angle == 0) {
            const int y = r.Top + m_margins.TopPixels() + line * lineHeight + frame;
            if (canvasZooms)
                Canvas.RotatedTextOut(x, y, lines[k], 0);
            else
                Canvas.TextOut(x, y, lines[k]);
        } else {
            const int d = line * lineHeight - (r.Bottom + m_margins.BottomPixels() - yc) + frame;
            const int px = xc + Nearest(d * std::sin(a)) + (m_angle == 90 ? 1 : 0);
            const int py = yc + Nearest(d * std::cos(a));
            Canvas.RotatedTextOut(px, py, lines[k], m_angle);
        }
    }
}

void TSeriesMarks::AntiOverlap(int First, int Index, TSeriesMarkPosition& Mark) const
{
    // the box grown by the frame (right and bottom) and the shadow (its side)
    const int frame = Frame()->Visible() ? Frame()->Width() : 0;
    const TPlotShadow* shadow = ShadowIfAny();
    const int sx = shadow && shadow->Visible() ? shadow->HorizSize() : 0;
    const int sy = shadow && shadow->Visible() ? shadow->VertSize() : 0;
    const TCustomPlotPanel* panel = PanelOf(m_series);
    TCanvas3D* canvas = panel ? panel->Canvas() : nullptr;
    // compared where they show: on the screen
    const auto box = [&](const TSeriesMarkPosition& p) {
        const TPoint2 lt = ScreenLeftTop(canvas, p);
        TRect r{lt.X, lt.Y, lt.X + p.Width + frame, lt.Y + p.Height + frame};
        (sx > 0 ? r.Right : r.Left) += sx;
        (sy > 0 ? r.Bottom : r.Top) += sy;
        return r;
    };
    const TRect r = box(Mark);
    for (int j = std::max(First, 0); j < Index; ++j) {
        const TSeriesMarkPosition* other = Position(j);
        if (!other)
            continue;
        const TRect rj = box(*other);
        const bool intersect = r.Left < rj.Right && rj.Left < r.Right && r.Top < rj.Bottom && rj.Top < r.Bottom;
        if (!intersect)
            continue;
        const int d = rj.Top > r.Top ? r.Bottom - rj.Top : r.Top - rj.Bottom;
        Mark.LeftTop.Y -= d;
        Mark.ArrowTo.Y -= d;
        if (Mark.HasMid)
            Mark.MidPoint.Y -= d;
    }
}
