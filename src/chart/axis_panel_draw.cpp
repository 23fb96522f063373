// The draw sequence of TCustomAxisPanel: 3D geometry, Z orders, axis sizes,
// then background, walls, axes, series, titles and legend, with the tools
// told of each phase.
#include "chart/axis_panel.h"

#include <algorithm>
#include <cmath>

#include "chart/axis_draw_steps.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/view3d_options.h"

namespace {

// The series on Chart whose function keeps Line beside it: Line shares its
// depth row and is drawn alone. nullptr for a series of its own.
const TChartSeries* RowOwner(const TSeriesParent* Chart, const TChartSeries& Line)
{
    const TChartSeries* owner = Line.FunctionParentSeries();
    return owner && owner->ParentChart() == Chart && owner->Active() ? owner : nullptr;
}

}  // namespace

bool TCustomAxisPanel::ActiveSeriesUseAxes() const
{
    bool anyActive = false;
    for (TChartSeries* s : m_seriesList.Items()) {
        if (!s->Active())
            continue;
        anyActive = true;
        if (s->UseAxis())
            return true;
    }
    return !anyActive;
}

bool TCustomAxisPanel::ActiveSeriesOnAxis(TStandardAxis Axis) const
{
    for (TChartSeries* s : m_seriesList.Items())
        if (s->Active() && s->AssociatedToStandardAxis(Axis))
            return true;
    return false;
}

bool TCustomAxisPanel::IsFaceSeenFromBehind(int Z)
{
    TCanvas3D& c = *Canvas();
    if (c.IsNonGdiCanvas())
        return false;
    TPoint p[4];
    c.Project(ChartRect.Left, ChartRect.Top, Z, p[0]);
    c.Project(ChartRect.Right, ChartRect.Top, Z, p[1]);
    c.Project(ChartRect.Right, ChartRect.Bottom, Z, p[2]);
    c.Project(ChartRect.Left, ChartRect.Bottom, Z, p[3]);
    return !PointsClockwiseArray(p);
}

void TCustomAxisPanel::DrawLegendRect(const TRect& R)
{
    TCanvas3D& c = *Canvas();
    c.RectangleRect(R);
    // a symbol in the colour it is drawn against gets its outline again
    TColor back = LegendBackColor();
    if (back == clDefault)
        back = Color();
    if (c.Brush()->Color() != back)
        return;
    const TColor penColor = c.Pen()->Color();
    if (c.Brush()->Color() == clBlack)
        c.Pen()->SetColor(clWhite);
    c.Brush()->SetStyle(bsClear);
    c.RectangleRect(R);
    c.Pen()->SetColor(penColor);
}

// ---- tools ----

bool TCustomAxisPanel::NotifyToolsMouse(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // each event starts untaken: a flag left from the press would keep the
    // moves of a drag from every tool
    MouseHandled = false;
    const std::vector<TPlotCustomTool*> items = m_tools.Items();
    for (TPlotCustomTool* tool : items) {
        if (MouseHandled)
            break;
        if (m_tools.IndexOf(tool) >= 0 && tool->Active())
            tool->ChartMouseEvent(Kind, Button, Shift, X, Y);
    }
    return MouseHandled;
}

bool TCustomAxisPanel::NotifyToolsWheel(int WheelDelta, int X, int Y)
{
    MouseHandled = false;
    const auto pass = [&](TToolWheelKind Kind) {
        const std::vector<TPlotCustomTool*> items = m_tools.Items();
        for (TPlotCustomTool* tool : items) {
            if (MouseHandled)
                return;
            if (m_tools.IndexOf(tool) >= 0 && tool->Active())
                tool->WheelEvent(Kind, WheelDelta, X, Y);
        }
    };
    pass(twkWheel);
    if (!MouseHandled)
        pass(WheelDelta < 0 ? twkDown : twkUp);
    return MouseHandled;
}

bool TCustomAxisPanel::MouseWheel(TShiftState Shift, int WheelDelta, int X, int Y)
{
    if (NotifyToolsWheel(WheelDelta, X, Y))
        return true;
    return TCustomPlotPanelExtended::MouseWheel(Shift, WheelDelta, X, Y);
}

void TCustomAxisPanel::MouseLeave()
{
    TCustomPlotPanelExtended::MouseLeave();
    m_tools.NotifyPhase(tdpMouseLeave);
    // handlers may remove series: walk a copy and skip those gone
    const std::vector<TChartSeries*> items = m_seriesList.Items();
    for (TChartSeries* s : items) {
        if (m_seriesList.IndexOf(s) < 0 || !s->MouseInside())
            continue;
        s->SetMouseInside(false);
        if (s->OnMouseLeave)
            s->OnMouseLeave(*s);
    }
}

bool TCustomAxisPanel::CheckMouseSeries(int X, int Y)
{
    const auto tracks = [](const TChartSeries* s) {
        return s->Cursor() != crDefault || s->OnMouseEnter || s->OnMouseLeave;
    };
    // most charts track nothing: no copy of the list on each move then
    const std::vector<TChartSeries*>& all = m_seriesList.Items();
    if (std::none_of(all.begin(), all.end(), tracks))
        return false;
    bool any = false;
    bool cursorSet = false;
    // handlers may remove series: walk a copy and skip those gone
    const std::vector<TChartSeries*> items = all;
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        TChartSeries* s = *it;
        if (m_seriesList.IndexOf(s) < 0 || !s->Active())
            continue;
        if (!tracks(s))
            continue;
        if (s->Clicked(X, Y) != -1) {
            if (!cursorSet && s->Cursor() != crDefault) {
                TCustomPlotPanel::SetCursor(s->Cursor());
                cursorSet = true;
            }
            any = true;
            if (!s->MouseInside()) {
                s->SetMouseInside(true);
                if (s->OnMouseEnter)
                    s->OnMouseEnter(*s);
            }
        } else if (s->MouseInside()) {
            s->SetMouseInside(false);
            if (s->OnMouseLeave)
                s->OnMouseLeave(*s);
        }
    }
    if (any && !cursorSet)
        TCustomPlotPanel::SetCursor(LoadedCursor);
    return any;
}

// ---- events ----

void TCustomAxisPanel::DoAfterDraw()
{
    if (OnAfterDraw)
        OnAfterDraw(*this);
}

void TCustomAxisPanel::DoBeforeDrawAxes()
{
    if (OnBeforeDrawAxes)
        OnBeforeDrawAxes(*this);
}

void TCustomAxisPanel::DoBeforeDrawChart()
{
    if (OnBeforeDrawChart)
        OnBeforeDrawChart(*this);
}

void TCustomAxisPanel::DoBeforeDrawSeries()
{
    if (OnBeforeDrawSeries)
        OnBeforeDrawSeries(*this);
}

// ---- the sequence ----

void TCustomAxisPanel::InternalDraw(const TRect& UserRect)
{
    TAutoRepaintOff off(*this);
    TCanvas3D& c = *Canvas();
    const TView3DOptions* view = View3DOptions();
    if (!View3D())
        m_seenFromBehind = false;
    else if (view && view->Orthogonal())
        m_seenFromBehind = view->OrthoAngle() > 90;
    else
        m_seenFromBehind = view && view->RotationDouble() < 180;

    const bool nonGdi = c.IsNonGdiCanvas();
    if (!nonGdi)
        PanelPaint(UserRect);
    m_tools.NotifyPhase(tdpBeforeDraw);
    DoBeforeDrawChart();
    for (const QPointer<TChartSeries>& s : SeriesSnapshot())
        if (StillListed(s) && s->Active())
            s->DoBeforeDrawChart();
    if (!nonGdi)
        DrawTitlesAndLegend(true);

    CalcZOrders();
    CalcSeriesDepth();
    Width3D = TotalWidth3D();
    CalcWallsRect();
    CalcAxisRect();
    for (TChartSeries* s : m_seriesList.Items())
        if (s->Active())
            s->CalcDepthPositions();
    CalcSeriesMargins();
    c.Projection(Width3D, ChartRect);

    if (nonGdi) {
        const TRect saved = ChartRect;
        ChartRect = UserRect;
        PanelPaint(UserRect);
        DrawTitlesAndLegend(true);
        ChartRect = saved;
    }
    DrawWalls();
    if (AxisBehind()) {
        m_tools.NotifyPhase(tdpBeforeAxes);
        DrawAxes();
    }
    m_tools.NotifyPhase(tdpBeforeSeries);
    DoBeforeDrawSeries();
    DrawAllSeries();
    m_tools.NotifyPhase(tdpAfterSeries);
    if (!AxisBehind()) {
        m_tools.NotifyPhase(tdpBeforeAxes);
        DrawAxes();
    }
    DrawTitlesAndLegend(false);
    if (TPlotZoom* zoom = Zoom(); zoom && zoom->Active)
        DrawZoomRectangle();
    m_tools.NotifyPhase(tdpAfterDraw);
    c.ResetState();
    DoAfterDraw();
}

void TCustomAxisPanel::CalcZOrders()
{
    SetMaxZOrder(0);
    const bool separate = ApplyZOrder && View3D();
    if (separate) {
        SetMaxZOrder(-1);
        // a function's own lines take the row of their series, not one of their own
        for (TChartSeries* s : m_seriesList.Items())
            if (s->Active() && !RowOwner(this, *s))
                s->CalcZOrder();
        for (TChartSeries* s : m_seriesList.Items())
            if (const TChartSeries* owner = s->Active() ? RowOwner(this, *s) : nullptr)
                s->SetComputedZOrder(owner->ComputedZOrder());
    }
    if (DepthAxisInverted())
        return;
    for (TChartSeries* s : m_seriesList.Items())
        if (s->Active())
            s->SetComputedZOrder(separate ? MaxZOrder() - s->ComputedZOrder() : 0);
}

bool TCustomAxisPanel::DepthAxisInverted() const
{
    const TChartDepthAxis* axis = DepthAxis();
    return axis && axis->Inverted();
}

void TCustomAxisPanel::CalcAxisRect()
{
    PrepareChartAxes(*this);
    const TRect r = ShrinkByAxes(*this, ChartRect, Axes().OnCalcInvisibleAxisRect);
    if (!CustomChartRect)
        ChartRect = r;
    RecalcWidthHeight();
    SetAxesStartEnd(*this);
}

void TCustomAxisPanel::CalcSeriesMargins()
{
    const int count = AxisListCount();
    for (int i = 0; i < count; ++i) {
        TChartAxis* axis = AxisListItem(i);
        const bool horizontal = AxisHorizontal(*axis);
        int a = 0, b = 0;
        // a series' margins may ask its mark texts, whose handler may free series
        for (const QPointer<TChartSeries>& s : SeriesSnapshot()) {
            if (!StillListed(s) || !s->Active() || !s->AssociatedToAxis(axis))
                continue;
            int sa = 0, sb = 0;
            if (horizontal)
                s->GetHorizMargins(sa, sb);
            else
                s->GetVertMargins(sa, sb);
            a = std::max(a, sa);
            b = std::max(b, sb);
        }
        // Series margins widen only the limits the axis finds itself; the
        // offsets add their pixels beyond either limit.
        const bool minFirst = horizontal != axis->Inverted();
        int minMargin = minFirst ? a : b;
        int maxMargin = minFirst ? b : a;
        if (!axis->Automatic() && !axis->AutomaticMinimum())
            minMargin = 0;
        if (!axis->Automatic() && !axis->AutomaticMaximum())
            maxMargin = 0;
        if (!axis->IsDepthAxis()) {
            minMargin += axis->MinimumOffset();
            maxMargin += axis->MaximumOffset();
        }
        a = minFirst ? minMargin : maxMargin;
        b = minFirst ? maxMargin : minMargin;
        if (a != 0 || b != 0)
            WidenAxisByMargins(*axis, horizontal ? TRect{a, 0, b, 0} : TRect{0, a, 0, b});
        // the labels of the new limits may take other room
        if (!axis->IsDepthAxis() && (axis->MinimumOffset() != 0 || axis->MaximumOffset() != 0))
            axis->PlaceTitleBeyondLabels();
    }
}

void TCustomAxisPanel::DrawAxes()
{
    if (!AxisVisible())
        return;
    TCanvas3D& c = *Canvas();
    c.BeginEntity("axes");
    DoBeforeDrawAxes();
    TChartAxis* bottom = StandardAxis(TStandardAxis::Bottom);
    DrawShownAxes(*this, bottom && IsFaceSeenFromBehind(0) ? bottom : nullptr);
    c.EndEntity();
}

void TCustomAxisPanel::ClipSeriesArea()
{
    Canvas()->ClipCube(TRect{ChartRect.Left, ChartRect.Top, ChartRect.Right + 1, ChartRect.Bottom + 1}, 0, Width3D);
}

bool TCustomAxisPanel::MoreSameZOrder(const TChartSeries& Series) const
{
    // a function's lines share their series' row but are drawn each alone, as lines
    if (!ApplyZOrder || RowOwner(this, Series))
        return false;
    for (TChartSeries* s : m_seriesList.Items())
        if (s != &Series && s->Active() && !RowOwner(this, *s) && s->ComputedZOrder() == Series.ComputedZOrder())
            return true;
    return false;
}

std::vector<QPointer<TChartSeries>> TCustomAxisPanel::SeriesSnapshot() const
{
    const std::vector<TChartSeries*>& items = m_seriesList.Items();
    return {items.begin(), items.end()};
}

bool TCustomAxisPanel::StillListed(const QPointer<TChartSeries>& Series) const
{
    return Series && m_seriesList.IndexOf(Series.data()) >= 0;
}

void TCustomAxisPanel::DrawAllSeries()
{
    const std::vector<QPointer<TChartSeries>> items = SeriesSnapshot();
    const bool backward = IsFaceSeenFromBehind(Width3D) != DepthAxisInverted();
    const int n = static_cast<int>(items.size());
    m_marksToDraw.clear();
    for (int k = 0; k < n; ++k) {
        const QPointer<TChartSeries>& s = items[static_cast<std::size_t>(backward ? n - 1 - k : k)];
        if (StillListed(s) && s->Active())
            DrawSeries(*s);
    }
    // Marks over every series' values: a later series' bars never cover them.
    TCanvas3D& c = *Canvas();
    const std::vector<QPointer<TChartSeries>> marks = std::move(m_marksToDraw);
    m_marksToDraw.clear();
    for (const QPointer<TChartSeries>& s : marks) {
        if (!StillListed(s))
            continue;
        if (c.DrawEntities)
            c.BeginEntity(s->NameOrDefault());
        DrawSeriesMarks(*s);
        if (c.DrawEntities)
            c.EndEntity();
    }
}

void TCustomAxisPanel::DrawSeriesMarks(TChartSeries& Series)
{
    if (Series.Count() == 0 || !Series.Marks().Visible())
        return;
    const bool clip = Series.Marks().Clip() && CanClip();
    if (clip)
        ClipSeriesArea();
    Series.DrawMarks();
    if (clip)
        Canvas()->UnClip();
}

void TCustomAxisPanel::DrawSeries(TChartSeries& Series)
{
    TCanvas3D& c = *Canvas();
    if (View3D() && Series.MoreSameZOrder()) {
        const std::vector<QPointer<TChartSeries>> items = SeriesSnapshot();
        const int z = Series.ComputedZOrder();
        const auto self = std::find(items.begin(), items.end(), &Series);
        const auto sameRow = [&](const QPointer<TChartSeries>& S) {
            return StillListed(S) && S->Active() && S->ComputedZOrder() == z && !RowOwner(this, *S);
        };
        for (auto it = items.begin(); it != self; ++it)
            if (sameRow(*it))
                return;  // drawn with the first series of its Z order
        const QPointer<TChartSeries> lead(&Series);
        std::vector<QPointer<TChartSeries>> members;
        bool clipped = false;
        for (auto it = self; it != items.end(); ++it) {
            const QPointer<TChartSeries>& m = *it;
            if (!sameRow(m))
                continue;
            m->CalcFirstLastVisible();
            if (m->FirstValueIndex() == -1)
                continue;
            members.push_back(m);
            m->DoBeforeDrawValues();
            if (m_clipPoints && !clipped && CanClip()) {
                ClipSeriesArea();
                clipped = true;
            }
        }
        // the ranges of the points the handlers left
        int first = -1, last = -1;
        for (const QPointer<TChartSeries>& m : members) {
            if (!StillListed(m))
                continue;
            m->CalcFirstLastVisible();
            if (m->FirstValueIndex() == -1)
                continue;
            first = std::max(first, m->FirstValueIndex());
            last = std::max(last, m->LastValueIndex());
        }
        if (first != -1 && StillListed(lead)) {
            const bool forward = Series.DrawValuesForward();
            const auto drawPoint = [&](int i) {
                const bool reverse = StillListed(lead) && i < Series.Count() && !Series.DrawSeriesForward(i);
                const int n = static_cast<int>(members.size());
                for (int k = 0; k < n; ++k) {
                    const QPointer<TChartSeries>& m = members[static_cast<std::size_t>(reverse ? n - 1 - k : k)];
                    if (StillListed(m) && m->Active() && m->ComputedZOrder() == z && i < m->Count())
                        m->DrawValue(i);
                }
            };
            if (forward)
                for (int i = first; i <= last; ++i)
                    drawPoint(i);
            else
                for (int i = last; i >= first; --i)
                    drawPoint(i);
        }
        if (clipped)
            c.UnClip();
        for (const QPointer<TChartSeries>& m : members) {
            if (!StillListed(m))
                continue;
            DrawSeriesMarks(*m);
            if (StillListed(m))
                m->DoAfterDrawValues();
        }
        return;
    }

    Series.CalcFirstLastVisible();
    if (Series.FirstValueIndex() == -1)
        return;
    const QPointer<TChartSeries> alive(&Series);
    if (c.DrawEntities)
        c.BeginEntity(Series.NameOrDefault());
    Series.DoBeforeDrawValues();
    if (StillListed(alive)) {
        // the range of the points the handler left
        Series.CalcFirstLastVisible();
        const bool clip = Series.UseAxis() && m_clipPoints && CanClip();
        if (clip)
            ClipSeriesArea();
        if (Series.FirstValueIndex() != -1)
            Series.DrawAllValues();
        if (clip)
            c.UnClip();
        m_marksToDraw.push_back(alive);
        if (StillListed(alive))
            Series.DoAfterDrawValues();
    }
    if (c.DrawEntities)
        c.EndEntity();
}
