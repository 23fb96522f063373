#include "chart/series/fast_line_series.h"

#include <algorithm>
#include <climits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "chart/axis_scale.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/point_index.h"

namespace {

// How many of the N values from V on lie within Lo..Hi, four at a time where
// SSE2 is there.
int RunWithin(const double* V, int N, double Lo, double Hi)
{
    int n = 0;
#if defined(__SSE2__)
    const __m128d lo = _mm_set1_pd(Lo);
    const __m128d hi = _mm_set1_pd(Hi);
    for (; n + 4 <= N; n += 4) {
        const __m128d a = _mm_loadu_pd(V + n);
        const __m128d b = _mm_loadu_pd(V + n + 2);
        const __m128d inA = _mm_and_pd(_mm_cmpge_pd(a, lo), _mm_cmple_pd(a, hi));
        const __m128d inB = _mm_and_pd(_mm_cmpge_pd(b, lo), _mm_cmple_pd(b, hi));
        if (_mm_movemask_pd(_mm_and_pd(inA, inB)) != 3)
            break;
    }
#endif
    while (n < N && V[n] >= Lo && V[n] <= Hi)
        ++n;
    return n;
}

// Whether the canvas' pen covers the same pixels when the segments along one
// column are drawn as one: a solid one-pixel pen that copies its colour.
bool ColumnsMerge(TCanvas3D& Canvas)
{
    const TPen& pen = *Canvas.Pen();
    if (pen.Mode() != pmCopy || Canvas.IsNonGdiCanvas())
        return false;
    const auto solid = [](TPenStyle s) { return s == psSolid || s == psInsideFrame; };
    if (const TPenHandle* h = pen.Handle())
        return !h->Alternate && h->UserStyle.empty() && solid(h->Style) && h->Width <= 1;
    return solid(pen.Style()) && pen.Width() <= 1;
}

#if defined(__SSE2__)
inline __m128i Min32(__m128i A, __m128i B)
{
    const __m128i m = _mm_cmpgt_epi32(A, B);
    return _mm_or_si128(_mm_and_si128(m, B), _mm_andnot_si128(m, A));
}
inline __m128i Max32(__m128i A, __m128i B)
{
    const __m128i m = _mm_cmpgt_epi32(A, B);
    return _mm_or_si128(_mm_and_si128(m, A), _mm_andnot_si128(m, B));
}
#endif

// The pixels the N segments between rows R[0], R[1], ..., R[N] of one column
// cover (each its first pixel, not its last), joined to Lo..Hi.
void FoldRows(const int* R, int N, int& Lo, int& Hi)
{
    int k = 0;
#if defined(__SSE2__)
    if (N >= 8) {
        __m128i lo = _mm_set1_epi32(Lo);
        __m128i hi = _mm_set1_epi32(Hi);
        const __m128i one = _mm_set1_epi32(1);
        const __m128i none = _mm_set1_epi32(INT_MAX);
        const __m128i noneHi = _mm_set1_epi32(INT_MIN);
        for (; k + 4 <= N; k += 4) {
            const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(R + k));
            const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(R + k + 1));
            // a segment of no length covers nothing
            const __m128i still = _mm_cmpeq_epi32(p, y);
            const __m128i a = Min32(p, _mm_add_epi32(y, one));
            const __m128i b = Max32(p, _mm_sub_epi32(y, one));
            lo = Min32(lo, _mm_or_si128(_mm_and_si128(still, none), _mm_andnot_si128(still, a)));
            hi = Max32(hi, _mm_or_si128(_mm_and_si128(still, noneHi), _mm_andnot_si128(still, b)));
        }
        alignas(16) int l[4];
        alignas(16) int h[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(l), lo);
        _mm_store_si128(reinterpret_cast<__m128i*>(h), hi);
        Lo = std::min(std::min(l[0], l[1]), std::min(l[2], l[3]));
        Hi = std::max(std::max(h[0], h[1]), std::max(h[2], h[3]));
    }
#endif
    for (; k < N; ++k) {
        const int p = R[k], y = R[k + 1];
        if (y != p) {
            Lo = std::min(Lo, std::min(p, y + 1));
            Hi = std::max(Hi, std::max(p, y - 1));
        }
    }
}

// The least and greatest of N values, two at a time where SSE2 is there;
// false when one is no number.
bool ValueBounds(const double* V, int N, double& Lo, double& Hi)
{
    int k = 0;
    double lo = V[0], hi = V[0];
    bool numbers = true;
#if defined(__SSE2__)
    __m128d l0 = _mm_set1_pd(lo), h0 = l0, l1 = l0, h1 = l0;
    __m128d nan = _mm_setzero_pd();
    for (; k + 4 <= N; k += 4) {
        const __m128d a = _mm_loadu_pd(V + k);
        const __m128d b = _mm_loadu_pd(V + k + 2);
        nan = _mm_or_pd(nan, _mm_or_pd(_mm_cmpunord_pd(a, a), _mm_cmpunord_pd(b, b)));
        l0 = _mm_min_pd(l0, a);
        h0 = _mm_max_pd(h0, a);
        l1 = _mm_min_pd(l1, b);
        h1 = _mm_max_pd(h1, b);
    }
    numbers = _mm_movemask_pd(nan) == 0;
    alignas(16) double l[2];
    alignas(16) double h[2];
    _mm_store_pd(l, _mm_min_pd(l0, l1));
    _mm_store_pd(h, _mm_max_pd(h0, h1));
    lo = std::min(l[0], l[1]);
    hi = std::max(h[0], h[1]);
#endif
    for (; k < N; ++k) {
        const double v = V[k];
        numbers = numbers && v == v;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    Lo = lo;
    Hi = hi;
    return numbers && lo == lo && hi == hi;
}

// Consecutive segments along one pixel column, as the pixels they cover
// (Lo..Hi) from the row where the first starts.
struct TColumnRun {
    int Lo = INT_MAX;
    int Hi = INT_MIN;
    int From = 0;

    // The segment from row Y0 to row Y: its first pixel, not its last.
    void Add(int Y0, int Y)
    {
        if (Lo > Hi)
            From = Y0;
        if (Y != Y0) {
            Lo = std::min(Lo, std::min(Y0, Y + 1));
            Hi = std::max(Hi, std::max(Y0, Y - 1));
        }
    }
    // Draws the run on column X, the pen left at row Y where it ends.
    void Flush(TCanvas3D& C, int X, int Y)
    {
        if (Lo > Hi)
            return;
        if ((Y > From && Lo == From && Hi == Y - 1) || (Y < From && Lo == Y + 1 && Hi == From)) {
            // the run goes one way: its one segment
            C.LineTo(X, Y);
        } else {
            C.MoveTo(X, Lo);
            C.LineTo(X, Hi + 1);
            C.MoveTo(X, Y);
        }
        Lo = INT_MAX;
        Hi = INT_MIN;
    }
};

}  // namespace

TFastLineSeries::TFastLineSeries(QObject* Owner) : TCustomLineSeries(Owner)
{
    SetSinglePointFunction(false);
    SetDrawBetweenPoints(true);
    InitTreatNulls(tnIgnore);
}

void TFastLineSeries::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TFastLineSeries*>(&Source)) {
        m_autoRepaint = s->m_autoRepaint;
        m_drawAllPoints = s->m_drawAllPoints;
        m_fastPen = s->m_fastPen;
        m_ignoreNulls = s->m_ignoreNulls;
        m_invertedStairs = s->m_invertedStairs;
        m_stairs = s->m_stairs;
    }
    TCustomLineSeries::Assign(Source);
}

void TFastLineSeries::SetPen(const TChartPen& Value)
{
    TCustomLineSeries::SetPen(Value);
    SetSeriesColor(LinePen().Color());
}

void TFastLineSeries::SetSeriesColor(TColor Value)
{
    TCustomLineSeries::SetSeriesColor(Value);
    // the colour the series shows: the palette's when it keeps none of its own
    LinePen().SetColor(SeriesColor());
}

void TFastLineSeries::SetAssignedColor(TColor Value)
{
    TCustomLineSeries::SetAssignedColor(Value);
    // the line draws in the series colour, the palette's while it has none of
    // its own; the palette's colour is not stored with the pen
    if (OwnSeriesColor() == clDefault)
        LinePen().InitColor(Value);
}

int TFastLineSeries::PenMargin() const
{
    const int w = LinePen().Width();
    return w - (w - 2) / 2;
}

void TFastLineSeries::GetHorizMargins(int& Left, int& Right)
{
    TCustomLineSeries::GetHorizMargins(Left, Right);
    Left += PenMargin();
    Right += PenMargin();
}

void TFastLineSeries::GetVertMargins(int& Top, int& Bottom)
{
    TCustomLineSeries::GetVertMargins(Top, Bottom);
    Top += PenMargin();
    Bottom += PenMargin();
}

void TFastLineSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    TCustomLineSeries::CreateSubGallery(Captions);
    Captions.push_back(PlotMsgStyleMarks);
    Captions.push_back(PlotMsgStyleDotted);
    Captions.push_back(PlotMsgStyleStairs);
}

void TFastLineSeries::SetSubGallery(int Index)
{
    switch (Index) {
    case 1: Marks().SetVisible(true); break;
    case 2: LinePen().SetSmallDots(true); break;
    case 3: SetStairs(true); break;
    default: TCustomLineSeries::SetSubGallery(Index);
    }
}

void TFastLineSeries::PointPosition(int Index, int& X, int& Y) const
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    // off a chart the series has no positions
    X = h ? h->CalcXPosValue(XValues().Value(Index)) : 0;
    Y = v ? v->CalcYPosValue(YValues().Value(Index)) : 0;
}

void TFastLineSeries::PrepareCanvas(TCanvas3D& Canvas)
{
    Canvas.AssignPen(&LinePen());
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.SetBackMode(cbmTransparent);
}

void TFastLineSeries::DrawAllValues()
{
    const int first = FirstValueIndex();
    // a series whose points all lie outside the axes draws nothing
    if (first < 0 || LastValueIndex() < 0)
        return;
    TCustomPlotPanel* panel = ParentChart()->Panel();
    TCanvas3D& c = *panel->Canvas();
    PrepareCanvas(c);
    int start = first > 0 ? first - 1 : first;
    // skipped nulls before the chart: the line enters from the shown point before them
    if (!m_ignoreNulls && m_treatNulls == tnSkip && start < first) {
        int shown = start;
        while (shown >= 0 && IsNull(shown))
            --shown;
        if (shown >= 0)
            start = shown;
    }
    PointPosition(start, m_oldX, m_oldY);
    // a null start point is no place to draw from
    m_oldNull = !m_ignoreNulls && IsNull(start);
    if (ParentChart()->View3D())
        c.MoveTo3D(m_oldX, m_oldY, MiddleZ());
    else
        c.MoveTo(m_oldX, m_oldY);
    if (first > 0)
        DrawValue(first);
    const int last = LastValueIndex();
    const TLinearPixelForm px(GetHorizAxis()->Scale(), true);
    const TLinearPixelForm py(GetVertAxis()->Scale(), false);
    if (!m_inlinePositions || !px.Linear() || !py.Linear()) {
        for (int i = first + 1; i <= last; ++i)
            DrawValue(i);
        return;
    }
    // the axes' own pixels, projected here without a call per point
    const double* xs = XValues().Data();
    const double* ys = YValues().Data();
    const bool merge = m_drawAllPoints && m_mergeColumns && !ParentChart()->View3D() && ColumnsMerge(c);
    if (merge && m_ignoreNulls) {
        DrawColumnRuns(first + 1, last, px, py);
        return;
    }
    if (m_drawAllPoints) {
        // every point, projected a block at a time
        constexpr int Block = 256;
        int columns[Block];
        int rows[Block];
        TColumnRun run;
        for (int start = first + 1; start <= last; start += Block) {
            const int n = std::min(Block, last - start + 1);
            px.AtEach(xs + start, n, columns);
            py.AtEach(ys + start, n, rows);
            if (!merge) {
                for (int k = 0; k < n; ++k)
                    DrawTo(start + k, columns[k], rows[k]);
                continue;
            }
            for (int k = 0; k < n; ++k) {
                const int x = columns[k], y = rows[k];
                if (x != m_oldX || m_oldNull || IsNull(start + k)) {
                    if (x == m_oldX && y == m_oldY) {
                        // a shown point where the pen is: the line goes on from it
                        m_oldNull = m_oldNull && IsNull(start + k);
                        continue;
                    }
                    run.Flush(c, m_oldX, m_oldY);
                    DrawTo(start + k, x, y);
                    continue;
                }
                run.Add(m_oldY, y);
                m_oldY = y;
            }
        }
        run.Flush(c, m_oldX, m_oldY);
        return;
    }
    // a point within the values of the previous column costs one comparison;
    // only a change of column costs a projection and a Y
    double lo = 1, hi = 0;
    int spanColumn = INT_MIN;  // no pixel: the first pass works the span out
    for (int i = first + 1; i <= last; ++i) {
        if (m_oldX != spanColumn) {
            spanColumn = m_oldX;
            px.ValuesOn(spanColumn, lo, hi);
        }
        i += RunWithin(xs + i, last - i + 1, lo, hi);
        if (i > last)
            break;
        const int x = px.At(xs[i]);
        if (x != m_oldX)
            DrawTo(i, x, py.At(ys[i]));
    }
}

void TFastLineSeries::DrawColumnRuns(int From, int Last, const TLinearPixelForm& Px, const TLinearPixelForm& Py)
{
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    const double* xs = XValues().Data();
    const double* ys = YValues().Data();
    constexpr int Block = 256;
    int rows[Block + 1];
    TColumnRun run;
    double xLo = 1, xHi = 0;
    int spanColumn = INT_MIN;  // no pixel: the first pass works the span out
    int i = From;
    while (i <= Last) {
        // the points whose X lies within the values of the pen's column: only their rows
        if (m_oldX != spanColumn) {
            spanColumn = m_oldX;
            Px.ValuesOn(spanColumn, xLo, xHi);
        }
        const int n = RunWithin(xs + i, Last - i + 1, xLo, xHi);
        if (n > 0) {
            if (run.Lo > run.Hi)
                run.From = m_oldY;
            // The rows the points reach run from the least to the greatest
            // value's; every row between is covered, and so are both ends
            // unless the line ends on one of them.
            double vLo = 0, vHi = 0;
            if (n >= 8 && ValueBounds(ys + i, n, vLo, vHi)) {
                const int a = Py.At(vLo), b = Py.At(vHi);
                const int lo = std::min({a, b, m_oldY}), hi = std::max({a, b, m_oldY});
                const int end = Py.At(ys[i + n - 1]);
                if (end != lo && end != hi) {
                    run.Lo = std::min(run.Lo, lo);
                    run.Hi = std::max(run.Hi, hi);
                    m_oldY = end;
                    i += n;
                    continue;
                }
            }
            // rows[0] is the row the pen is on
            rows[0] = m_oldY;
            for (int s = 0; s < n; s += Block) {
                const int m = std::min(Block, n - s);
                Py.AtEach(ys + i + s, m, rows + 1);
                FoldRows(rows, m, run.Lo, run.Hi);
                rows[0] = rows[m];
            }
            m_oldY = rows[0];
        }
        i += n;
        if (i > Last)
            break;
        const int x = Px.At(xs[i]);
        const int y = Py.At(ys[i]);
        if (x == m_oldX) {
            run.Add(m_oldY, y);
            m_oldY = y;
        } else {
            run.Flush(c, m_oldX, m_oldY);
            DrawTo(i, x, y);
        }
        ++i;
    }
    run.Flush(c, m_oldX, m_oldY);
}

void TFastLineSeries::DrawValue(int ValueIndex)
{
    // the column first: a point on the previous column costs no Y with DrawAllPoints off
    const int x = GetHorizAxis()->CalcXPosValue(XValues().Value(ValueIndex));
    if (x == m_oldX && !m_drawAllPoints)
        return;
    DrawTo(ValueIndex, x, GetVertAxis()->CalcYPosValue(YValues().Value(ValueIndex)));
}

void TFastLineSeries::DrawTo(int ValueIndex, int x, int y)
{
    if (x == m_oldX && y == m_oldY) {
        // a shown point where the pen is: the line goes on from it
        m_oldNull = m_oldNull && IsNull(ValueIndex);
        return;
    }
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    const bool is3D = ParentChart()->View3D();
    const auto move = [&](int X, int Y) {
        if (is3D)
            c.MoveTo3D(X, Y, MiddleZ());
        else
            c.MoveTo(X, Y);
    };
    if (!m_ignoreNulls) {
        const bool isNull = IsNull(ValueIndex);
        if (isNull && m_treatNulls == tnSkip) {
            // the pen stays where it is
            move(m_oldX, m_oldY);
            return;
        }
        // a null the pen is on (with tnSkip only the first, which no shown
        // point comes before) is left by a move
        if ((isNull && m_treatNulls == tnDontPaint) || (!isNull && m_oldNull && m_treatNulls != tnIgnore)) {
            move(x, y);
            m_oldNull = isNull;
            m_oldX = x;
            m_oldY = y;
            return;
        }
        m_oldNull = isNull;
    }
    const auto lineTo = [&](int X, int Y) {
        if (is3D)
            c.LineTo3D(X, Y, MiddleZ());
        else
            c.LineTo(X, Y);
    };
    if (m_stairs) {
        if (m_invertedStairs)
            lineTo(m_oldX, y);
        else
            lineTo(x, m_oldY);
    }
    lineTo(x, y);
    m_oldX = x;
    m_oldY = y;
}

void TFastLineSeries::AddedValue(int Index)
{
    if (m_autoRepaint) {
        TCustomLineSeries::AddedValue(Index);
        return;
    }
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !Active() || !GetHorizAxis() || !GetVertAxis())
        return;
    // without a finished buffer (or while painting, or hidden) the next paint shows the point
    if (!panel->BeginBufferDraw())
        return;
    TCanvas3D& c = *panel->Canvas();
    PointPosition(Index > 0 ? Index - 1 : 0, m_oldX, m_oldY);
    const int fromX = m_oldX, fromY = m_oldY;
    if (m_fastPen) {
        TChartPen plain;
        plain.SetColor(LinePen().Color());
        c.AssignPen(&plain);
    } else {
        c.AssignPen(&LinePen());
    }
    c.Brush()->SetStyle(bsClear);
    if (chart->View3D())
        c.MoveTo3D(m_oldX, m_oldY, MiddleZ());
    else
        c.MoveTo(m_oldX, m_oldY);
    m_oldNull = Index > 0 && IsNull(Index - 1);
    DrawValue(Index);
    int toX, toY;
    PointPosition(Index, toX, toY);
    const int grow = LinePen().Width() + 1;
    TRect r{std::min(fromX, toX) - grow, std::min(fromY, toY) - grow, std::max(fromX, toX) + grow + 1,
            std::max(fromY, toY) + grow + 1};
    if (chart->View3D())
        r = TRect{panel->ChartBounds.Left, panel->ChartBounds.Top, panel->ChartBounds.Right,
                  panel->ChartBounds.Bottom};
    panel->EndBufferDraw(r);
}

void TFastLineSeries::PrepareLegendCanvas(int, TColor&, TBrushStyle&)
{
    if (ParentChart() && ParentChart()->Panel())
        PrepareCanvas(*ParentChart()->Panel()->Canvas());
}

void TFastLineSeries::DrawLegendShape(int, const TRect& Rect)
{
    const int y = (Rect.Top + Rect.Bottom) / 2;
    ParentChart()->Panel()->Canvas()->Line(Rect.Left, y, Rect.Right, y);
}

void TFastLineSeries::DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position)
{
    Marks().ApplyArrowLength(Position);
    TCustomLineSeries::DrawMark(Index, Text, Position);
}

int TFastLineSeries::Clicked(int X, int Y) const
{
    // off a chart (no axes) no point is under the mouse
    if (FirstValueIndex() < 0 || LastValueIndex() < 0 || !GetHorizAxis() || !GetVertAxis())
        return -1;
    TSeriesParent* chart = ParentChart();
    if (chart && chart->Panel() && chart->Panel()->Canvas())
        chart->Panel()->Canvas()->Unproject(X, Y, MiddleZ());
    // the range of the last draw, within the points there are now
    const int first = FirstValueIndex(), last = std::min(LastValueIndex(), Count() - 1);
    if (first < 0 || last < first)
        return -1;
    const TPointIndex* index = last - first > 32 ? PointIndex() : nullptr;
    if (!index || index->Count() <= last)
        return ClickedIn(first, last, first, X, Y);
    // a point and the segment from the point before lie within the bounds
    // of both, give or take the line's one pixel: only runs that near
    int hit = -1;
    index->ForRunsNear(
        first, last, X, Y, 1, [this](double V) { return GetHorizAxis()->CalcXPosValue(V); },
        [this](double V) { return GetVertAxis()->CalcYPosValue(V); },
        [this](int I, int& PX, int& PY) { PointPosition(I, PX, PY); },
        [&](int A, int B) {
            hit = ClickedIn(A, B, first, X, Y);
            return hit != -1;
        });
    return hit;
}

int TFastLineSeries::ClickedIn(int From, int To, int Start, int X, int Y) const
{
    int oldX = 0, oldY = 0;
    if (From > Start)
        PointPosition(From - 1, oldX, oldY);
    for (int i = From; i <= To; ++i) {
        int x, y;
        PointPosition(i, x, y);
        if (x == X && y == Y)
            return i;
        if (i > Start && PointOnLine(TPoint{X, Y}, oldX, oldY, x, y))
            return i - 1;
        oldX = x;
        oldY = y;
    }
    return -1;
}

const TPointIndex* TFastLineSeries::PointIndex() const
{
    return ValuesPointIndex();
}

const TPropertyTable<TCustomChartElement>& TFastLineSeries::Properties()
{
    using S = TFastLineSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomLineSeries::Properties())
            .Hide({"Brush", "Pen", "ColorEachPoint", "ColorSource"})
            .Property("AutoRepaint", BooleanKind, TAccessors{&S::AutoRepaint, &S::SetAutoRepaint}, true)
            .Property("DrawAllPoints", BooleanKind, TAccessors{&S::DrawAllPoints, &S::SetDrawAllPoints}, true)
            .Property("IgnoreNulls", BooleanKind, TAccessors{&S::IgnoreNulls, &S::SetIgnoreNulls}, true)
            .Property("InvertedStairs", BooleanKind, TAccessors{&S::InvertedStairs, &S::SetInvertedStairs}, false)
            .Property("Stairs", BooleanKind, TAccessors{&S::Stairs, &S::SetStairs}, false);
    return table;
}
