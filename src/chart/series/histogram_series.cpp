#include "chart/series/histogram_series.h"

#include <algorithm>

#include "chart/appearance_properties.h"
#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

THistogramSeries::THistogramSeries(QObject* Owner) : TCustomLineSeries(Owner)
{
    m_linesPen = std::make_unique<TChartHiddenPen>([this] { Repaint(); });
}

THistogramSeries::~THistogramSeries() = default;

int THistogramSeries::BarCount() const
{
    if (auto* chart = dynamic_cast<const TCustomAxisPanel*>(ParentChart()))
        if (const int perPage = chart->Pages().MaxPointsPerPage(); perPage != 0)
            return perPage;
    return Count();
}

int THistogramSeries::HalfWidth() const
{
    const int n = BarCount();
    TChartAxis* axis = YMandatory() ? GetHorizAxis() : GetVertAxis();
    if (n < 1 || !axis)
        return 0;
    return ((axis->EndPos() - axis->StartPos()) / n) / 2;
}

int THistogramSeries::Neighbour(int Index, int ScreenStep) const
{
    TChartAxis* axis = YMandatory() ? GetHorizAxis() : GetVertAxis();
    const int j = axis && axis->Inverted() ? Index - ScreenStep : Index + ScreenStep;
    return j >= FirstValueIndex() && j <= LastValueIndex() && j >= 0 && j < Count() ? j : -1;
}

TRect THistogramSeries::CalcBarRect(int Index) const
{
    if (BarCount() < 1)
        return {};
    const int h = HalfWidth();
    TRect r;
    const int j = Neighbour(Index, -1);
    if (j < 0) {
        r.Left = CalcXPos(Index) - h + 1;
        r.Right = r.Left + 2 * h;
    } else {
        // the bar starts on the last pixel column of its left neighbour
        r.Left = CalcXPos(j) + h;
        r.Right = CalcXPos(Index) + h + 1;
    }
    r.Top = CalcYPos(Index);
    TChartAxis* v = GetVertAxis();
    r.Bottom = v ? (v->Inverted() ? v->StartPos() : v->EndPos()) : 0;
    return r;
}

THorizHistogramSeries::THorizHistogramSeries(QObject* Owner) : THistogramSeries(Owner)
{
    SetHorizontal();
    XValues().InitOrder(loNone);
    YValues().InitOrder(loAscending);
}

TRect THorizHistogramSeries::CalcBarRect(int Index) const
{
    if (BarCount() < 1)
        return {};
    const int h = HalfWidth();
    TRect r;
    const int j = Neighbour(Index, -1);
    if (j < 0) {
        r.Top = CalcYPos(Index) - h + 1;
        r.Bottom = r.Top + 2 * h;
    } else {
        // the bar starts one pixel below the top of its lower neighbour
        const int belowTop = CalcYPos(j) - h + (Neighbour(j, -1) < 0 ? 1 : 0);
        r.Bottom = belowTop + 1;
        r.Top = CalcYPos(Index) - h;
    }
    r.Right = CalcXPos(Index) + 1;
    TChartAxis* a = GetHorizAxis();
    r.Left = a ? (a->Inverted() ? a->EndPos() : a->StartPos()) : 0;
    return r;
}

void THistogramSeries::DrawValue(int ValueIndex)
{
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    const bool is3D = ParentChart()->View3D();
    const bool vertical = YMandatory();
    TChartAxis* vAxis = GetVertAxis();
    TChartAxis* hAxis = GetHorizAxis();
    const bool vInverted = vAxis && vAxis->Inverted();
    const bool hInverted = hAxis && hAxis->Inverted();
    const int i = ValueIndex;
    TRect r = CalcBarRect(i);
    c.Pen()->SetStyle(psClear);
    if (Brush().Style() != bsClear) {
        c.AssignBrush(&Brush(), GetValueColor(i));
        TRect fill = r;
        if (vInverted)
            --fill.Top;
        else
            ++fill.Bottom;
        TPlotBlend* blend = nullptr;
        if (m_transparency > 0)
            blend = c.BeginBlending(is3D ? c.ProjectedRectBounds(fill, StartZ()) : fill, m_transparency);
        if (is3D)
            c.RectangleWithZ(TRect{fill.Left, fill.Top, fill.Right - 1, fill.Bottom}, StartZ());
        else
            c.RectangleRect(fill);
        if (blend)
            c.EndBlending(blend);
    }
    const auto hline = [&](int Left, int Right, int Y) {
        if (is3D)
            c.HorizLine3D(Left, Right, Y, StartZ());
        else
            c.HorizLine(Left, Right, Y);
    };
    const auto vline = [&](int X, int Top, int Bottom) {
        if (is3D)
            c.VertLine3D(X, Top, Bottom, StartZ());
        else
            c.VertLine(X, Top, Bottom);
    };
    const int low = Neighbour(i, -1);
    const int high = Neighbour(i, +1);
    if (Pen().Visible()) {
        c.AssignPen(&Pen());
        if (vertical) {
            if (low < 0)
                vline(r.Left, r.Bottom, r.Top);
            else
                vline(r.Left, r.Top, CalcYPos(low));
            hline(r.Left, r.Right, r.Top);
            if (high < 0)
                vline(r.Right - 1, r.Top, r.Bottom);
        } else {
            if (low < 0)
                hline(r.Left, r.Right, r.Bottom - 1);
            else
                hline(CalcXPos(low), r.Right, r.Bottom - 1);
            vline(r.Right - Pen().Width(), r.Top, r.Bottom);
            if (high < 0)
                hline(r.Left, r.Right, r.Top);
        }
    }
    if (low >= 0 && m_linesPen->Visible()) {
        c.AssignPen(m_linesPen.get());
        if (vertical) {
            int y = CalcYPos(low);
            y = vInverted ? std::min(r.Top, y) : std::max(r.Top, y);
            if (!Pen().Visible())
                --y;
            vline(r.Left, r.Bottom, y);
        } else {
            int x = CalcXPos(low);
            x = hInverted ? std::min(r.Right, x) : std::max(r.Left, x);
            if (!Pen().Visible())
                --x;
            hline(r.Left, x, r.Bottom - 1);
        }
    }
}

int THistogramSeries::Clicked(int X, int Y) const
{
    if (FirstValueIndex() == -1 || LastValueIndex() == -1)
        return -1;
    TSeriesParent* chart = ParentChart();
    if (chart && chart->Panel() && chart->Panel()->Canvas())
        chart->Panel()->Canvas()->Unproject(X, Y, StartZ());
    for (int i = FirstValueIndex(); i <= LastValueIndex(); ++i)
        if (PointInRectXY(CalcBarRect(i), X, Y))
            return i;
    return -1;
}

void THistogramSeries::CalcFirstLastVisible()
{
    TCustomLineSeries::CalcFirstLastVisible();
    if (FirstValueIndex() > 0)
        SetVisibleRange(FirstValueIndex() - 1, LastValueIndex());
    if (LastValueIndex() >= 0 && LastValueIndex() < Count() - 1)
        SetVisibleRange(FirstValueIndex(), LastValueIndex() + 1);
}

void THistogramSeries::GetHorizMargins(int& Left, int& Right)
{
    Left = Right = 0;
    if (YMandatory()) {
        const int h = HalfWidth();
        Left += h;
        Right += h;
    }
    if (Pen().Visible())
        Right += Pen().Width();
}

void THistogramSeries::GetVertMargins(int& Top, int& Bottom)
{
    Top = Bottom = 0;
    if (YMandatory()) {
        if (Pen().Visible())
            Top += Pen().Width();
        return;
    }
    const int h = HalfWidth();
    Top += h;
    Bottom += h;
    if (Pen().Visible())
        Bottom += Pen().Width();
}

void THistogramSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TCustomLineSeries::CreateSubGallery(Captions);
    Captions.push_back(PlotMsgStyleHollow);
    Captions.push_back(PlotMsgStyleNoBorder);
    Captions.push_back(ProMsgStyleLines);
    Captions.push_back(ProMsgStyleTransparency);
}

void THistogramSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1: Brush().SetStyle(bsClear); break;
    case 2: Pen().Hide(); break;
    case 3: m_linesPen->Show(); break;
    case 4: SetTransparency(30); break;
    default: TCustomLineSeries::SetSubGallery(Index);
    }
}

void THistogramSeries::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const THistogramSeries*>(&Source)) {
        Pen().Assign(s->Pen());
        m_linesPen->Assign(*s->m_linesPen);
        Brush().Assign(s->Brush());
        m_transparency = s->m_transparency;
    }
    TCustomLineSeries::Assign(Source);
}

const TPropertyTable<TCustomChartElement>& THistogramSeries::Properties()
{
    using S = THistogramSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomLineSeries::Properties())
            .Object(
                "LinesPen", [](const S& s) -> const TChartPen* { return &s.LinesPen(); },
                [](S& s) -> TChartPen* { return &s.LinesPen(); }, nullptr, ChartPenProperties())
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency}, 0);
    return table;
}
