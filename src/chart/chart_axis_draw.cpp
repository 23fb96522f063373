// TChartAxis: room taken from the chart rectangle, and the drawing of line,
// title, labels, ticks and grids.
#include <QPointer>

#include <algorithm>
#include <cmath>

#include "chart/axis_items.h"
#include "chart/axis_title.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/plot_canvas.h"
#include "chart/plot_font.h"

namespace {

// Grid colour used when the grid pen has the default-colour marker.
constexpr TColor GridDefaultGray = 0x808080;

// The series shows dates and times on the axis.
bool DateTimeOnAxis(const TChartSeries& S, const TChartAxis& Axis)
{
    const TChartValueList* list = S.AxisValueList(&Axis);
    return list && list->DateTime();
}

}  // namespace

// ---- edges and offsets (R is the chart rectangle) ----

int TChartAxis::EdgeOf(const TRect& R) const
{
    if (m_horizontal)
        return m_otherSide ? R.Top : R.Bottom;
    return m_otherSide ? R.Right : R.Left;
}

void TChartAxis::ShrinkRect(TRect& R, int S) const
{
    if (m_horizontal) {
        if (m_otherSide)
            R.Top += S;
        else
            R.Bottom -= S;
    } else if (m_otherSide) {
        R.Right -= S;
    } else {
        R.Left += S;
    }
}

int TChartAxis::PositionOffset(const TRect& R) const
{
    if (m_positionPercent == 0)
        return 0;
    double off = m_positionPercent;
    if (m_positionUnits == muPercent)
        off = 0.01 * m_positionPercent * (m_horizontal ? R.Bottom - R.Top : R.Right - R.Left);
    int result = ClampPixel(off, 0);
    if (m_otherSide)
        result = -result;
    if (m_horizontal)
        result = -result;
    return result;
}

int TChartAxis::Outward(int C, int S) const
{
    return (m_horizontal != m_otherSide) ? C + S : C - S;
}

// ---- sizes ----

int TChartAxis::SizeTickAxis() const
{
    int size = m_axisPen->Visible() ? m_axisPen->Width() + 1 : 0;
    if (m_ticks->Visible())
        size += m_tickLength;
    if (m_minorTicks->Visible())
        size = std::max(size, m_minorTickLength);
    return size;
}

int TChartAxis::MaxLabelsWidth(int* MaxLines)
{
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    if (!canvas)
        return 0;
    int widest = 0;
    int lines = 1;
    int mostLines = 1;
    const auto measure = [&](const std::string& text) {
        widest = std::max(widest, m_chart->MultiLineTextWidth(text, lines));
        mostLines = std::max(mostLines, lines);
    };
    if (!m_items->Automatic()) {
        for (int i = 0; i < m_items->Count(); ++i) {
            TAxisItem& item = (*m_items)[i];
            canvas->AssignFont(item.Font());
            const std::string text = item.Text().empty() ? LabelValue(item.Value()) : item.Text();
            measure(text);
        }
        if (MaxLines)
            *MaxLines = mostLines;
        return widest;
    }
    const TAxisLabelStyle style = m_labelStyle == talAuto ? CalcLabelStyle() : m_labelStyle;
    canvas->AssignFont(LabelsFont());
    if (style == talValue) {
        const double inc = CalcLabelsIncrement();
        if (!(inc > 0) || !(std::fabs(CurrentRange() / inc) < 10000))
            return 0;
        // Measured without the chart's label hook.
        TAxisOnGetLabel hook = std::move(m_chart->OnGetAxisLabel);
        m_chart->OnGetAxisLabel = nullptr;
        canvas->AssignFont(LabelsFont());
        for (double v = CurrentMinimum(); v <= CurrentMaximum(); v += inc) {
            measure(LabelValue(v));
            if (!(v + inc > v))
                break;  // a step below the precision of the values
        }
        m_chart->OnGetAxisLabel = std::move(hook);
    } else if (style == talMark || style == talText) {
        for (int i = 0; i < m_chart->SeriesCount(); ++i) {
            const TChartSeries* s = m_chart->Series(i);
            if (!s || !s->Active() || !s->AssociatedToAxis(this))
                continue;
            // the mark text handler may free the series
            const QPointer<const TChartSeries> alive(s);
            for (int j = 0; alive && j < s->Count(); ++j) {
                const std::string text = style == talMark ? s->GetMarkText(j) : s->Labels().Label(j);
                measure(text);
            }
        }
    }
    if (MaxLines)
        *MaxLines = mostLines;
    return widest;
}

int TChartAxis::LabelAreaSize()
{
    if (m_labelsSize != 0)
        return m_labelsSize;
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    if (!canvas)
        return 0;
    const bool along = m_horizontal ? (m_labelsAngle == 0 || m_labelsAngle == 180)
                                    : (m_labelsAngle == 90 || m_labelsAngle == 270);
    if (along) {
        // one text height per line of the label with the most lines
        int lines = 1;
        MaxLabelsWidth(&lines);
        canvas->AssignFont(LabelsFont());
        return lines * canvas->FontHeight();
    }
    return MaxLabelsWidth();
}

int TChartAxis::SizeLabels()
{
    const int size = LabelAreaSize();
    return m_labelsAlternate ? 2 * size : size;
}

int TChartAxis::SizeTitle()
{
    if (m_titleSize != 0)
        return m_titleSize;
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    if (!canvas)
        return 0;
    canvas->AssignFont(m_title->Font());
    const int angle = m_title->Angle();
    const bool along = m_horizontal ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
    return along ? canvas->FontHeight() : canvas->TextWidth(m_title->Caption());
}

void TChartAxis::RefreshIsDateTimeAxis()
{
    m_isDateTimeAxis = false;
    if (m_chart)
        for (int i = 0; i < m_chart->SeriesCount() && !m_isDateTimeAxis; ++i) {
            const TChartSeries* s = m_chart->Series(i);
            m_isDateTimeAxis = s && s->Active() && DateTimeOnAxis(*s, *this);
        }
}

void TChartAxis::CalcRect(TRect& R, bool InflateChartRect)
{
    RefreshIsDateTimeAxis();
    if (!InflateChartRect) {
        PosAxis = EdgeOf(R) + PositionOffset(R);
        PosLabels = Outward(PosAxis, SizeTickAxis());
        PosTitle = Outward(PosLabels, SizeLabels());
        return;
    }
    if (!m_isDepthAxis) {
        if (m_title->Visible() && !m_title->Caption().empty()) {
            ShrinkRect(R, SizeTitle());
            PosTitle = EdgeOf(R);
        }
    } else {
        PosTitle = m_otherSide ? R.Right : R.Left;
    }
    if (Labels()) {
        int s = SizeLabels();
        if (m_chart && m_chart->Axes().OnCalcLabelsSize)
            m_chart->Axes().OnCalcLabelsSize(*this, s);
        ShrinkRect(R, s);
        PosLabels = EdgeOf(R);
    }
    const int s = (m_chart ? m_chart->AxisWallSize(*this) : 0) + SizeTickAxis();
    if (s > 0)
        ShrinkRect(R, s);
    const int off = PositionOffset(R);
    PosTitle += off;
    PosLabels += off;
}

// ---- axis rectangle ----

TRect TChartAxis::AxisRect() const
{
    const int a = std::min(StartPos(), EndPos());
    const int b = std::max(StartPos(), EndPos());
    int c0 = PosAxis;
    int c1 = PosAxis;
    if (Labels()) {
        if (PosLabels > PosAxis) {
            c0 = PosAxis - 3;
            c1 = PosLabels;
        } else {
            c0 = PosLabels;
            c1 = PosAxis + 3;
        }
    }
    if (m_horizontal)
        return TRect{a, c0, b, c1};
    return TRect{c0, a, c1, b};
}

bool TChartAxis::Clicked(int X, int Y) const
{
    if (!m_chart || !m_chart->IsAxisVisible(*this))
        return false;
    TRect r = AxisRect();
    TCanvas3D* canvas = m_chart->AxisCanvas();
    if (m_chart->View3D() && canvas)
        r = canvas->ProjectRect(r, m_otherSide ? m_chart->TotalWidth3D() : 0);
    return X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom;
}

// ---- drawing ----

void TChartAxis::Draw(bool CalcPosAxis)
{
    TCanvas3D* canvas = m_chart ? m_chart->AxisCanvas() : nullptr;
    if (!canvas)
        return;
    canvas->BeginEntity("axis");
    const TRect chartRect = m_chart->AxisChartRect();
    RefreshIsDateTimeAxis();
    if (CalcPosAxis)
        PosAxis = EdgeOf(chartRect) + PositionOffset(chartRect);
    DrawTitle();
    TickPositions.clear();
    if (!m_items->Automatic()) {
        DrawCustomLabels();
    } else {
        m_items->ClearAutomatic();
        const TAxisLabelStyle style = m_labelStyle == talAuto ? CalcLabelStyle() : m_labelStyle;
        if (style != talNone) {
            canvas->AssignFont(LabelsFont());
            const double inc = CalcLabelsIncrement();
            DrawLabels(style, inc, DateTimeStepIndex(inc));
        }
    }
    DrawAxisLine();
    if (m_ticks->Visible()) {
        canvas->AssignPen(m_ticks.get());
        DrawTicks(TickPositions, m_tickLength, 1);
    }
    DrawGrids(static_cast<int>(TickPositions.size()));
    if (m_ticksInner->Visible() && m_tickInnerLength != 0) {
        canvas->AssignPen(m_ticksInner.get());
        DrawTicks(TickPositions, m_tickInnerLength, -1);
    }
    DrawMinorTicksAndGrid();
    canvas->SetBackMode(cbmOpaque);
    canvas->EndEntity();
}

void TChartAxis::DrawTitle()
{
    if (!m_title->Visible() || m_title->Caption().empty())
        return;
    TCanvas3D* canvas = m_chart->AxisCanvas();
    canvas->BeginEntity("title");
    canvas->AssignFont(m_title->Font());
    canvas->SetBackMode(cbmTransparent);
    if (!m_isDepthAxis) {
        const int savedAngle = m_labelsAngle;
        const bool savedExponent = m_labelsExponent;
        const bool savedAlternate = m_labelsAlternate;
        const int savedPos = PosLabels;
        m_labelsAngle = m_title->Angle();
        m_labelsExponent = false;
        m_labelsAlternate = false;
        PosLabels = PosTitle;
        DrawAxisLabel(CenterPos(), m_title->Caption(), m_title.get());
        m_labelsAngle = savedAngle;
        m_labelsExponent = savedExponent;
        m_labelsAlternate = savedAlternate;
        PosLabels = savedPos;
    } else {
        canvas->SetTextAlign(m_otherSide ? 0 : 2);
        canvas->RotatedTextOut3D(PosTitle, m_chart->AxisChartRect().Bottom, m_chart->TotalWidth3D() / 2,
                                 m_title->Caption(), m_title->Angle());
    }
    canvas->EndEntity();
}

void TChartAxis::DrawAxisLine()
{
    if (!m_axisPen->Visible())
        return;
    TCanvas3D* canvas = m_chart->AxisCanvas();
    canvas->AssignPen(m_axisPen.get());
    const int z = m_zPositionPixels;
    if (m_isDepthAxis) {
        const int y = m_chart->AxisChartRect().Bottom;
        canvas->MoveTo3D(PosAxis, y, StartPos());
        canvas->LineTo3D(PosAxis, y, EndPos());
        return;
    }
    const int end = EndPos() + m_chart->AxisWallSize(*this);
    const TPenLineMode mode = m_axisPen->LineMode();
    if (mode == lmLine) {
        if (m_horizontal)
            canvas->LineWithZ(StartPos(), PosAxis, end, PosAxis, z);
        else
            canvas->LineWithZ(PosAxis, StartPos(), PosAxis, end, z);
        return;
    }
    canvas->Brush()->SetColor(m_axisPen->Color());
    canvas->Brush()->SetStyle(bsSolid);
    const int w = m_axisPen->Width();
    const TRect r = m_horizontal ? TRect{StartPos(), PosAxis - w, end, PosAxis + w}
                                 : TRect{PosAxis - w, StartPos(), PosAxis + w, end};
    if (mode == lmCylinder)
        canvas->Cylinder(!m_horizontal, r.Left, r.Top, r.Right, r.Bottom, z - w, z + w, true);
    else
        canvas->Cube(r.Left, r.Right, r.Top, r.Bottom, z - w, z + w, true);
}

void TChartAxis::DrawTick(int P, int From, int Length)
{
    TCanvas3D* canvas = m_chart->AxisCanvas();
    const int to = Outward(From, Length);
    if (m_isDepthAxis) {
        const int y = m_chart->AxisChartRect().Bottom;
        canvas->LineWithZ(From, y, to, y, P);
    } else if (m_chart->View3D()) {
        if (m_horizontal)
            canvas->LineWithZ(P, From, P, to, m_zPositionPixels);
        else
            canvas->LineWithZ(From, P, to, P, m_zPositionPixels);
    } else if (m_horizontal) {
        canvas->Line(P, From, P, to);
    } else {
        canvas->Line(From, P, to, P);
    }
}

void TChartAxis::DrawTicks(const std::vector<int>& Positions, int Length, int Outwards)
{
    // Ticks start one pixel off the axis line, outward or inward.
    const int from = Outward(PosAxis, Outwards);
    for (const int p : Positions)
        DrawTick(p, from, Outwards * Length);
}

void TChartAxis::DrawGridLine(int P)
{
    if (!(StartPos() < P && P < EndPos()))
        return;
    TCanvas3D* canvas = m_chart->AxisCanvas();
    const TRect r = m_chart->AxisChartRect();
    if (m_isDepthAxis) {
        canvas->VertLine3D(r.Left, r.Top, r.Bottom, P);
        canvas->HorizLine3D(r.Left, r.Right, r.Bottom, P);
        return;
    }
    if (!m_chart->View3D()) {
        if (m_horizontal)
            canvas->VertLine(P, r.Top + 1, r.Bottom);
        else
            canvas->HorizLine(r.Left + 1, r.Right, P);
        return;
    }
    if (!m_chart->AxisBehind()) {
        if (m_horizontal)
            canvas->VertLine3D(P, r.Top + 1, r.Bottom, 0);
        else
            canvas->HorizLine3D(r.Left + 1, r.Right, P, 0);
        return;
    }
    const int depth = m_chart->TotalWidth3D();
    if (!HideBackGrid) {
        if (m_horizontal)
            canvas->VertLine3D(P, r.Top + 1, r.Bottom, depth);
        else
            canvas->HorizLine3D(r.Left + 1, r.Right, P, depth);
    }
    if (!HideSideGrid) {
        const int z = ClampPixel(std::nearbyint(depth * m_grid->ZPosition() * 0.01), 0);
        if (z != depth) {
            if (m_horizontal)
                canvas->ZLine3D(P, PosAxis, z, depth);
            else
                canvas->ZLine3D(PosAxis, P, z, depth);
        }
    }
}

void TChartAxis::DrawGrids(int Count)
{
    if (OnDrawGrids)
        OnDrawGrids(*this);
    if (!m_grid->Visible() || !m_chart)
        return;
    TCanvas3D* canvas = m_chart->AxisCanvas();
    if (!canvas)
        return;
    canvas->AssignPenColor(m_grid.get(), m_grid->Color() == clDefault ? GridDefaultGray : m_grid->Color());
    canvas->Brush()->SetStyle(bsClear);
    // Only the positions there are.
    Count = std::clamp(Count, 0, static_cast<int>(TickPositions.size()));
    const int every = std::max(1, m_grid->DrawEvery());
    if (m_grid->Centered()) {
        for (int i = 1; i < Count; ++i)
            if (i % every == 0)
                DrawGridLine(static_cast<int>(std::nearbyint((TickPositions[static_cast<std::size_t>(i)] +
                                                              TickPositions[static_cast<std::size_t>(i) - 1]) *
                                                             0.5)));
    } else {
        for (int i = 0; i < Count; ++i)
            if (i % every == 0)
                DrawGridLine(TickPositions[static_cast<std::size_t>(i)]);
    }
}

std::vector<int> TChartAxis::MinorPositions() const
{
    std::vector<int> result;
    const int count = m_minorTickCount;
    const std::size_t n = TickPositions.size();
    // No minor ticks below one per interval (and no division by zero).
    if (count < 1 || n == 0)
        return result;
    auto add = [&](double p) {
        const int q = ClampPixel(std::nearbyint(p), 0);
        if (StartPos() < q && q < EndPos() && std::find(result.begin(), result.end(), q) == result.end())
            result.push_back(q);
    };
    if (!m_logarithmic) {
        if (n < 2)
            return result;
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const double a = TickPositions[i];
            const double d = TickPositions[i + 1] - a;
            for (int k = 1; k <= count; ++k)
                add(a + k * d / (count + 1));
        }
        // The first and last spacing continued to the axis ends; a spacing of
        // 0 has nothing to continue.
        const double first = TickPositions[0];
        const double d0 = TickPositions[1] - first;
        const double last = TickPositions[n - 1];
        const double d1 = last - TickPositions[n - 2];
        for (int k = 1; k <= count && d0 != 0; ++k)
            add(first - k * d0 / (count + 1));
        for (int k = 1; k <= count && d1 != 0; ++k)
            add(last + k * d1 / (count + 1));
        return result;
    }
    const double base = m_logarithmicBase;
    auto run = [&](double v) {
        const double delta = v * base - v;
        for (int k = 1; k <= count; ++k) {
            const double m = v + k * delta / (count + 1);
            if (m >= CurrentMinimum() && m <= CurrentMaximum())
                add(CalcPosValue(m));
        }
    };
    run(PositionToValue(TickPositions[0]) / base);
    for (const int p : TickPositions)
        run(PositionToValue(p));
    return result;
}

void TChartAxis::DrawMinorTicksAndGrid()
{
    TCanvas3D* canvas = m_chart->AxisCanvas();
    const bool ticks = m_minorTicks->Visible();
    const bool grid = m_minorGrid->Visible();
    if ((!ticks && !grid) || TickPositions.empty())
        return;
    const std::vector<int> positions = MinorPositions();
    if (ticks) {
        canvas->AssignPen(m_minorTicks.get());
        const int from = Outward(PosAxis, 1);
        for (const int p : positions)
            DrawTick(p, from, m_minorTickLength);
    }
    if (grid) {
        canvas->AssignPen(m_minorGrid.get());
        for (const int p : positions)
            DrawGridLine(p);
    }
}
