#include "chart/series/bar_series.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/canvas_3d_solids.h"
#include "chart/chart_axis.h"
#include "chart/chart_callout.h"
#include "chart/chart_messages.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/view3d_options.h"

TBarSeries::TBarSeries(QObject* Owner) : TCustomBarSeries(Owner)
{
    Gradient().SetDirection(gdTopBottom);
    YValues().SetName(PlotMsgStyleBar);
}

void TBarSeries::GetHorizMargins(int& Left, int& Right)
{
    TCustomBarSeries::GetHorizMargins(Left, Right);
    CalcBarWidth();
    const int margin = BarSideMargin();
    Left += margin;
    Right += margin;
}

void TBarSeries::GetVertMargins(int& Top, int& Bottom)
{
    TCustomBarSeries::GetVertMargins(Top, Bottom);
    int m = 0;
    if (Count() > 0 && Marks().Visible()) {
        m = MarkLength() + Marks().Callout()->Length();
        if (Marks().Frame()->Visible())
            m += 2 * Marks().Frame()->Width();
    }
    if (m <= 0)
        return;
    ++m;
    const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
    if (UseYOrigin() && TChartSeries::MinYValue() < YOrigin())
        (inverted ? Top : Bottom) += m;
    if (!(UseYOrigin() && TChartSeries::MaxYValue() <= YOrigin()))
        (inverted ? Bottom : Top) += m;
}

double TBarSeries::MaxXValue() const
{
    if (MultiBar() == mbSideAll)
        return Count() + PointsBefore() - 1;
    if (MultiBar() == mbSelfStack)
        return ParentChart() ? ParentChart()->SeriesIndexOf(this) : 0;
    return TCustomBarSeries::MaxXValue();
}

double TBarSeries::MinXValue() const
{
    if (MultiBar() == mbSelfStack)
        return ParentChart() ? ParentChart()->SeriesIndexOf(this) : 0;
    return TCustomBarSeries::MinXValue();
}

double TBarSeries::MaxYValue() const
{
    double result = TCustomBarSeries::MaxYValue();
    if (MultiBar() == mbStacked100) {
        result = 100;
    } else if (MultiBar() == mbSelfStack) {
        result = MandatoryValueList().Total();
    } else if (MultiBar() == mbStacked) {
        for (int i = 0; i < Count(); ++i)
            result = std::max(result, PointOrigin(i, false) + MandatoryValue(i));
    }
    return UseYOrigin() ? std::max(result, YOrigin()) : result;
}

double TBarSeries::MinYValue() const
{
    double result = TCustomBarSeries::MinYValue();
    if (MultiBar() == mbStacked100) {
        result = 0;
    } else if (MultiBar() == mbStacked || MultiBar() == mbSelfStack) {
        for (int i = 0; i < Count(); ++i)
            result = std::min(result, PointOrigin(i, false) + MandatoryValue(i));
    }
    return UseYOrigin() ? std::min(result, YOrigin()) : result;
}

void TBarSeries::CalcXYPos(int Index, int& X, int& Y) const
{
    TCustomBarSeries::CalcXYPos(Index, X, Y);
    X += BarWidth() / 2;
}

bool TBarSeries::MoreSameZOrder() const
{
    return MultiBar() != mbSideAll && TCustomBarSeries::MoreSameZOrder();
}

int TBarSeries::CalcXPos(int Index) const
{
    int x;
    switch (MultiBar()) {
    case mbSideAll:
        x = CalcXPosValue(Index + PointsBefore()) - BarWidth() / 2;
        break;
    case mbSelfStack:
        x = CalcXPosValue(MinXValue()) - BarWidth() / 2;
        break;
    default:
        x = TCustomBarSeries::CalcXPos(Index) + BarSlotOffset(MultiBar(), BarWidth(), BarOrder(), NumBars());
    }
    return x + BarPercentOffset(OffsetPercent(), BarWidth());
}

int TBarSeries::CalcYPos(int Index) const
{
    switch (MultiBar()) {
    case mbNone:
    case mbSide:
    case mbSideAll:
        return TCustomBarSeries::CalcYPos(Index);
    default:
        break;
    }
    const double top = PointOrigin(Index, false) + MandatoryValue(Index);
    if (MultiBar() != mbStacked100)
        return CalcYPosValue(top);
    const double total = PointOrigin(Index, true);
    // a stack with no total stands at the value 0, not at pixel 0
    return total == 0 ? CalcYPosValue(0) : CalcYPosValue(top * 100 / total);
}

bool TBarSeries::DrawSeriesForward(int Index) const
{
    const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
    switch (MultiBar()) {
    case mbStacked:
    case mbSelfStack:
        return (MandatoryValue(Index) >= YOrigin()) != inverted;
    case mbStacked100:
        return !inverted;
    default:
        return TCustomBarSeries::DrawSeriesForward(Index);
    }
}

int TBarSeries::MarkLength() const
{
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel || !panel->Canvas())
        return 0;
    return panel->Canvas()->FontHeight();
}

void TBarSeries::DrawMark(int ValueIndex, const std::string& Text, TSeriesMarkPosition& Position)
{
    const int half = BarWidth() / 2;
    const TMarksCallout& callout = *Marks().Callout();
    int offset = callout.Length() + callout.Distance();
    if (GetOriginPos(ValueIndex, AxisEndPos()) < Position.ArrowFrom.Y) {
        // the bar hangs down: the mark goes below it
        offset = -Position.Height - offset;
        Position.ArrowFrom.Y += callout.Length();
    } else {
        Position.ArrowFrom.Y -= callout.Length();
    }
    Position.LeftTop.X += half;
    Position.LeftTop.Y -= offset;
    Position.ArrowTo.X += half;
    Position.ArrowTo.Y -= offset;
    Position.ArrowFrom.X += half;
    if (AutoMarkPosition())
        Marks().AntiOverlap(FirstValueIndex(), ValueIndex, Position);
    TCustomBarSeries::DrawMark(ValueIndex, Text, Position);
}

int TBarSeries::AxisEndPos() const
{
    const TChartAxis* axis = GetVertAxis();
    return axis ? axis->EndPos() : 0;
}

void TBarSeries::CalcBarBounds(int ValueIndex)
{
    TBarRightInput in;
    in.Left = CalcXPos(ValueIndex);
    in.BarWidth = BarWidth();
    in.Touching = BarWidthPercent() == 100 && CustomBarWidth() == 0 && MultiBar() != mbSelfStack;
    if (in.Touching) {
        in.AxisInverted = GetHorizAxis() && GetHorizAxis()->Inverted();
        in.HasNext = ValueIndex < Count() - 1;
        if (in.HasNext && !in.AxisInverted)
            in.NextLeft = CalcXPos(ValueIndex + 1);
        in.IsFirst = ValueIndex == 0;
        if (!in.IsFirst && in.AxisInverted)
            in.PreviousLeft = CalcXPos(ValueIndex - 1);
        in.PenWidth = BarPen().Visible() ? std::max(1, BarPen().Width()) : 0;
    }
    TRect r{in.Left, CalcYPos(ValueIndex), BarRight(in), GetOriginPos(ValueIndex, AxisEndPos())};
    if (!BarPen().Visible()) {
        if (r.Top >= r.Bottom)
            ++r.Top;
        else
            ++r.Bottom;
        ++r.Right;
    }
    m_barBounds = r;
}

bool TBarSeries::ClickedBar(int ValueIndex, const TPoint& P) const
{
    const bool view3D = ParentChart() && ParentChart()->View3D();
    TCanvas3D* canvas = view3D && ParentChart()->Panel() ? ParentChart()->Panel()->Canvas() : nullptr;
    const int x = CalcXPos(ValueIndex);
    if (!canvas && (P.X < x || P.X > x + BarWidth()))
        return false;
    int top = CalcYPos(ValueIndex);
    int bottom = GetOriginPos(ValueIndex, AxisEndPos());
    if (top > bottom)
        std::swap(top, bottom);
    const int mid = x + BarWidth() / 2;
    TBarStyle style = BarStyle();
    if (OnGetBarStyle)
        OnGetBarStyle(const_cast<TBarSeries&>(*this), ValueIndex, style);
    const bool up = style == bsPyramid || style == bsCone;
    if (up || style == bsInvPyramid || style == bsInvCone) {
        // apex at the middle depth, base at the start depth in 3D
        TPoint tri[3] = {{mid, up ? top : bottom}, {x + BarWidth(), up ? bottom : top}, {x, up ? bottom : top}};
        if (canvas) {
            canvas->Project(tri[0].X, tri[0].Y, MiddleZ(), tri[0]);
            canvas->Project(tri[1].X, tri[1].Y, StartZ(), tri[1]);
            canvas->Project(tri[2].X, tri[2].Y, StartZ(), tri[2]);
        }
        return PointInPolygon(P, tri);
    }
    TPoint q = P;
    if (canvas) {
        canvas->Unproject(q.X, q.Y, StartZ());
        if (q.X < x || q.X > x + BarWidth())
            return false;
    }
    if (style == bsEllipse)
        return PointInEllipse(q, x, top, x + BarWidth(), bottom);
    return q.Y >= top && q.Y <= bottom;
}

void TBarSeries::PrepareBarCanvas(int ValueIndex, TColor Color)
{
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    if (DarkPen() > 0 && ValueIndex >= 0)
        c.AssignPenColor(&BarPen(), DarkenColor(Color, DarkPen()));
    else
        c.AssignPen(&BarPen());
    const TColor back = BarBrush().Color() == clDefault ? ParentChart()->Panel()->Color() : BarBrush().Color();
    c.AssignBrushColor(&BarBrush(), Color, back);
}

void TBarSeries::DrawValue(int ValueIndex)
{
    TCustomBarSeries::DrawValue(ValueIndex);
    m_normalBarColor = GetValueColor(ValueIndex);
    if (m_normalBarColor == clNone || !ParentChart() || !ParentChart()->Panel() || !ParentChart()->Panel()->Canvas())
        return;
    CalcBarBounds(ValueIndex);
    if (Shadow().Visible() && Shadow().GetSize() != 0)
        DrawBarShadow(ValueIndex);
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    TPlotBlend* blend = nullptr;
    if (Transparency() != 0) {
        const TRect r = NormalizedBounds();
        blend = c.BeginBlending(ParentChart()->View3D() ? c.ProjectedRectBounds(r, StartZ()) : r, Transparency());
    }
    struct EndBlend {
        TCanvas3D& C;
        TPlotBlend* B;
        ~EndBlend()
        {
            if (B)
                C.EndBlending(B);
        }
    } endBlend{c, blend};
    DrawBar(ValueIndex, std::min(m_barBounds.Left, m_barBounds.Right), std::max(m_barBounds.Left, m_barBounds.Right));
}

TRect TBarSeries::NormalizedBounds() const
{
    const TRect& r = m_barBounds;
    return TRect{std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
                 std::max(r.Top, r.Bottom)};
}

void TBarSeries::DrawBarShadow(int ValueIndex)
{
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    const TBarStyle style = GetBarStyle(ValueIndex);
    const bool smooth = Shadow().Smooth() && (style == bsRectangle || style == bsRectGradient || style == bsBevel);
    if (smooth) {
        // the shadow draws itself offset from the bar
        const TRect r = NormalizedBounds();
        if (!ParentChart()->View3D()) {
            Shadow().DrawRect(c, r);
        } else if (const TView3DOptions* view = ParentChart()->Panel()->View3DOptions();
                   view && view->Orthogonal()) {
            Shadow().DrawShape(c, r, StartZ(), 0);
        } else {
            TPoint corners[4];
            c.ProjectRectCorners(r, StartZ(), corners);
            Shadow().DrawPolygon(c, corners);
        }
        return;
    }
    const TRect saved = m_barBounds;
    const TColor savedColor = m_normalBarColor;
    const TColor savedPen = BarPen().Color();
    const auto notify = std::exchange(BarPen().OnChange, nullptr);
    m_normalBarColor = Shadow().Color();
    BarPen().SetColor(Shadow().Color());
    m_barBounds.Left += Shadow().HorizSize();
    m_barBounds.Right += Shadow().HorizSize();
    if (m_barBounds.Bottom < m_barBounds.Top)
        m_barBounds.Bottom -= Shadow().VertSize();
    else
        m_barBounds.Top += Shadow().VertSize();
    DrawBar(ValueIndex, std::min(m_barBounds.Left, m_barBounds.Right), std::max(m_barBounds.Left, m_barBounds.Right));
    m_barBounds = saved;
    m_normalBarColor = savedColor;
    BarPen().SetColor(savedPen);
    BarPen().OnChange = notify;
}

void TBarSeries::DrawBar(int ValueIndex, int, int)
{
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    PrepareBarCanvas(ValueIndex, m_normalBarColor);
    const TBarStyle style = GetBarStyle(ValueIndex);
    const TRect r = m_barBounds;
    const int mid = (r.Left + r.Right) / 2;
    const bool view3D = ParentChart()->View3D();
    const int z0 = StartZ(), z1 = EndZ();
    const auto panel3DOrthogonal = [this] {
        const TCustomPlotPanel* panel = ParentChart()->Panel();
        return panel->View3DOptions() && panel->View3DOptions()->Orthogonal();
    };
    if (!view3D) {
        switch (style) {
        case bsRectangle:
        case bsCilinder:
        case bsRectGradient:
        case bsBevel:
            if (c.Brush()->Style() == bsSolid) {
                const int penWidth = c.Pen()->Width();
                if (r.Right == r.Left || r.Bottom == r.Top) {
                    // a flat bar shows as a line in its colour
                    c.Pen()->SetColor(c.Brush()->Color());
                    if (c.Pen()->Style() == psClear)
                        c.Pen()->SetStyle(psSolid);
                    c.Line(r.Left, r.Top, r.Right, r.Bottom);
                } else if (r.Right - r.Left < penWidth || std::abs(r.Bottom - r.Top) < penWidth) {
                    c.Pen()->SetColor(c.Brush()->Color());
                    if (c.Pen()->Style() == psClear)
                        c.Pen()->SetStyle(psSolid);
                    c.Brush()->SetStyle(bsClear);
                }
            }
            c.RectangleRect(r);
            break;
        case bsPyramid:
        case bsCone: {
            const TPoint p[3] = {{mid, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}};
            c.Polygon(p);
            break;
        }
        case bsInvPyramid:
        case bsInvCone: {
            const TPoint p[3] = {{r.Left, r.Top}, {r.Right, r.Top}, {mid, r.Bottom}};
            c.Polygon(p);
            break;
        }
        case bsEllipse:
            c.EllipseRect(r);
            break;
        case bsArrow:
        case bsInvArrow: {
            const bool up = style == bsArrow;
            c.ArrowDefaultHead(true, TPoint{mid, up ? r.Bottom : r.Top}, TPoint{mid, up ? r.Top : r.Bottom},
                               r.Right - r.Left, (r.Right - r.Left) / 2, z0);
            break;
        }
        case bsSlantCube:
            c.RectangleRect(r);
            c.Line(mid, r.Top, mid, r.Bottom);
            break;
        case bsDiamond: {
            const int midY = (r.Top + r.Bottom) / 2;
            const TPoint p[4] = {{mid, r.Top}, {r.Right, midY}, {mid, r.Bottom}, {r.Left, midY}};
            c.Polygon(p);
            break;
        }
        }
    } else {
        switch (style) {
        case bsRectangle:
        case bsRectGradient:
        case bsBevel:
            c.Cube(r.Left, r.Right, r.Top, r.Bottom, z0, z1, Dark3D());
            break;
        case bsPyramid:
        case bsInvPyramid: {
            const bool up = style == bsPyramid;
            c.Pyramid(true, r.Left, up ? r.Top : r.Bottom, r.Right, up ? r.Bottom : r.Top, z0, z1, Dark3D());
            break;
        }
        case bsCilinder:
            c.Cylinder(true, r.Left, r.Top, r.Right, r.Bottom, z0, z1, Dark3D());
            break;
        case bsEllipse:
            c.EllipseWithZ(r.Left, r.Top, r.Right, r.Bottom, MiddleZ());
            break;
        case bsArrow:
        case bsInvArrow: {
            const bool up = style == bsArrow;
            c.ArrowDefaultHead(true, TPoint{mid, up ? r.Bottom : r.Top}, TPoint{mid, up ? r.Top : r.Bottom},
                               r.Right - r.Left, (r.Right - r.Left) / 2, MiddleZ());
            break;
        }
        case bsCone:
        case bsInvCone: {
            const bool up = style == bsCone;
            c.Cone(true, r.Left, up ? r.Top : r.Bottom, r.Right, up ? r.Bottom : r.Top, z0, z1, Dark3D(),
                   ConePercent());
            break;
        }
        case bsSlantCube: {
            // a four-sided cylinder: a cube turned by 45 degrees
            const int saved = std::exchange(CylinderSegments, 4);
            struct Restore {
                int Segments;
                ~Restore() { CylinderSegments = Segments; }
            } restore{saved};
            c.Cylinder(true, r.Left, r.Top, r.Right, r.Bottom, z0, z1, Dark3D());
            break;
        }
        case bsDiamond: {
            const int midY = (r.Top + r.Bottom) / 2;
            const TPoint p[4] = {{mid, r.Top}, {r.Right, midY}, {mid, r.Bottom}, {r.Left, midY}};
            c.PolygonWithZ(p, MiddleZ());
            break;
        }
        }
    }
    if (style == bsRectGradient && Gradient().Visible()) {
        const TColor saved = Gradient().EndColor();
        Gradient().OnChange = nullptr;
        Gradient().SetEndColor(GradientEndColor(ValueIndex, m_normalBarColor));
        TRect inner = r;
        if (BarPen().Visible()) {
            inner.Left += 1;
            inner.Top += 1;
        }
        if (view3D) {
            TPoint corners[4];
            c.ProjectRectCorners(inner, z0, corners);
            Gradient().DrawPolygon(c, corners);
        } else {
            Gradient().Draw(c, inner);
        }
        Gradient().SetEndColor(saved);
        Gradient().OnChange = [this] { Repaint(); };
    }
    if (style == bsBevel && (!view3D || panel3DOrthogonal()))
        DrawBevel(c, r);
    DrawBarTickLines(style);
}

void TBarSeries::DrawBevel(TCanvas3D& Canvas, TRect R)
{
    // the darkening amounts of the canvas' solids
    constexpr int Light = 64;
    constexpr int Dark = 128;
    if (BarPen().Visible()) {
        const int w = BarPen().Width();
        R = TRect{R.Left + w, R.Top + w, R.Right - w, R.Bottom - w};
    }
    Canvas.Frame3D(R, BrightenColor(m_normalBarColor, Light), DarkenColor(m_normalBarColor, Dark), BevelSize());
}

void TBarSeries::DrawBarTickLines(TBarStyle Style)
{
    if (!TickLines().Visible())
        return;
    if (Style != bsRectangle && Style != bsRectGradient && Style != bsBevel && Style != bsArrow)
        return;
    const TChartAxis* axis = GetVertAxis();
    if (!axis)
        return;
    TCanvas3D& c = *ParentChart()->Panel()->Canvas();
    c.AssignPen(&TickLines());
    const int top = std::min(m_barBounds.Top, m_barBounds.Bottom);
    const int bottom = std::max(m_barBounds.Top, m_barBounds.Bottom);
    const int z = Style == bsArrow ? MiddleZ() : StartZ();
    // in 3D the line runs on along the side face that turns towards the viewer
    bool side = false;
    int sideX = 0;
    if (Style != bsArrow && ParentChart()->View3D()) {
        for (const int x : {m_barBounds.Right, m_barBounds.Left}) {
            // corners in the order that runs clockwise when the right face shows
            const bool right = x == m_barBounds.Right;
            TPoint face[4];
            c.Project(x, top, right ? StartZ() : EndZ(), face[0]);
            c.Project(x, top, right ? EndZ() : StartZ(), face[1]);
            c.Project(x, bottom, right ? EndZ() : StartZ(), face[2]);
            c.Project(x, bottom, right ? StartZ() : EndZ(), face[3]);
            if (PointsClockwiseArray(face)) {
                side = true;
                sideX = x;
                break;
            }
        }
    }
    for (int y : axis->TickPositions)
        if (y > top && y < bottom) {
            c.HorizLine3D(m_barBounds.Left, m_barBounds.Right, y, z);
            if (side)
                c.ZLine3D(sideX, y, StartZ(), EndZ());
        }
}

const TPropertyTable<TCustomChartElement>& TBarSeries::Properties()
{
    using S = TBarSeries;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TCustomBarSeries::Properties())
            .Property("CustomBarWidth", IntegerKind, TAccessors{&S::CustomBarWidth, &S::SetCustomBarWidth}, 0);
    return table;
}
