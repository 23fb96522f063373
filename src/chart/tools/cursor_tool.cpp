#include "chart/tools/cursor_tool.h"

#include <algorithm>

#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_panel.h"
#include "chart/tools/tool_chart.h"

namespace {
constexpr const char* kScopeStyleNames[] = {"scsRectangle", "scsCircle", "scsDiamond", "scsEmpty", "scsCamera"};
constexpr const char* kSnapStyleNames[] = {"ssDefault", "ssHorizontal", "ssVertical"};
constexpr const char* kStyleNames[] = {"cssHorizontal", "cssVertical", "cssBoth", "cssScope", "cssScopeOnly"};

}  // namespace

TCursorTool::TCursorTool(QObject* Owner) : TPlotCustomToolSeries(Owner) {}

std::string TCursorTool::Description() const { return ProMsgToolCursor; }
std::string TCursorTool::LongDescription() const { return ProMsgToolCursorDesc; }

const TPropertyTable<TCustomChartElement>& TCursorTool::Properties()
{
    using S = TCursorTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolSeries::Properties())
            .Property("ClickTolerance", IntegerKind, TAccessors{&S::ClickTolerance, &S::SetClickTolerance}, 3)
            .Property("FollowMouse", BooleanKind, TAccessors{&S::FollowMouse, &S::SetFollowMouse}, false)
            .Property("HorizSize", IntegerKind, TAccessors{&S::HorizSize, &S::SetHorizSize}, 0)
            .Property("ScopeSize", IntegerKind, TAccessors{&S::ScopeSize, &S::SetScopeSize}, 4)
            .Property("ScopeStyle", EnumKind(kScopeStyleNames), TAccessors{&S::ScopeStyle, &S::SetScopeStyle},
                      scsRectangle)
            .Property("Snap", BooleanKind, TAccessors{&S::Snap, &S::SetSnap}, false)
            .Property("SnapStyle", EnumKind(kSnapStyleNames), TAccessors{&S::SnapStyle, &S::SetSnapStyle}, ssDefault)
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, cssBoth)
            .Property("UseSeriesZ", BooleanKind, TAccessors{&S::UseSeriesZ, &S::SetUseSeriesZ}, false)
            .Property("VertSize", IntegerKind, TAccessors{&S::VertSize, &S::SetVertSize}, 0);
    return table;
}

void TCursorTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TCursorTool*>(&Source)) {
        UseChartRect = s->UseChartRect;
        m_xValue = s->m_xValue;
        m_yValue = s->m_yValue;
        m_clickTolerance = s->m_clickTolerance;
        m_followMouse = s->m_followMouse;
        m_horizSize = s->m_horizSize;
        m_scopeSize = s->m_scopeSize;
        m_scopeStyle = s->m_scopeStyle;
        m_snap = s->m_snap;
        m_snapStyle = s->m_snapStyle;
        m_style = s->m_style;
        m_useSeriesZ = s->m_useSeriesZ;
        m_vertSize = s->m_vertSize;
    }
    TPlotCustomToolSeries::Assign(Source);
}

void TCursorTool::SetStyle(TCursorToolStyle Value)
{
    if (m_style == Value)
        return;
    m_style = Value;
    SnapToPoint();
    Repaint();
}

void TCursorTool::SetSeries(TChartSeries* Value)
{
    if (Series() == Value)
        return;
    TPlotCustomToolSeries::SetSeries(Value);
    m_lastSnap = -1;
    if (!Loading() && !(ToolPanel(*this) && ToolPanel(*this)->Loading())) {
        SnapToPoint();
        Repaint();
    }
}

void TCursorTool::SetParentChart(TSeriesParent* Value)
{
    TPlotCustomToolSeries::SetParentChart(Value);
    Repaint();
}

TRect TCursorTool::AxisRect() const
{
    if (UseChartRect) {
        if (const TCustomPlotPanel* panel = ToolPanel(*this))
            return panel->ChartRect;
        return {};
    }
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    TRect r{h ? h->StartPos() : 0, v ? v->StartPos() : 0, h ? h->EndPos() : 0, v ? v->EndPos() : 0};
    if (OnGetAxisRect)
        OnGetAxisRect(const_cast<TCursorTool&>(*this), r);
    return r;
}

TRect TCursorTool::AxisRectWithSizes() const
{
    TRect r = AxisRect();
    if (m_horizSize != 0) {
        r.Left = m_x - m_horizSize;
        r.Right = m_x + m_horizSize;
    }
    if (m_vertSize != 0) {
        r.Top = m_y - m_vertSize;
        r.Bottom = m_y + m_vertSize;
    }
    return r;
}

int TCursorTool::Clicked(int X, int Y) const
{
    if (m_useSeriesZ && Series())
        if (TCustomPlotPanel* panel = ToolPanel(*this))
            panel->Canvas()->Unproject(X, Y, Series()->StartZ());
    return CursorClickedPart(m_style, AxisRectWithSizes(), m_x, m_y, m_clickTolerance, X, Y);
}

void TCursorTool::CalcValuePositions(int X, int Y, int Part)
{
    if (m_useSeriesZ && Series())
        if (TCustomPlotPanel* panel = ToolPanel(*this))
            panel->Canvas()->Unproject(X, Y, Series()->StartZ());
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (Part != 2 && v)
        m_yValue = v->CalcPosPoint(Y);
    if (Part != 1 && h)
        m_xValue = h->CalcPosPoint(X);
}

int TCursorTool::SnapToPoint()
{
    TChartSeries* s = Series();
    if (!s || !m_snap)
        return -1;
    const int count = s->Count();
    int first = std::max(s->FirstValueIndex(), 0);
    int last = s->LastValueIndex();
    if (last < 0 || last >= count)
        last = count - 1;
    if (count < 1 || first > count || last > count)
        return -1;
    const auto n = static_cast<std::size_t>(count);
    const int index = NearestPointIndex({s->XValues().Data(), n}, {s->YValues().Data(), n}, first, last, m_xValue,
                                        m_yValue, m_snapStyle, m_style);
    if (index < 0)
        return -1;
    if (m_style != cssVertical)
        m_yValue = s->YValues().Value(index);
    if (m_style != cssHorizontal)
        m_xValue = s->XValues().Value(index);
    return index;
}

void TCursorTool::CalcScreenPositions()
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (!h || !v)
        return;
    if (m_x == -1 || m_y == -1) {
        m_x = (h->StartPos() + h->EndPos()) / 2;
        m_y = (v->StartPos() + v->EndPos()) / 2;
        CalcValuePositions(m_x, m_y, 0);
        const int index = SnapToPoint();
        m_x = h->CalcPosValue(m_xValue);
        m_y = v->CalcPosValue(m_yValue);
        DoChange(index);
    } else {
        m_x = h->CalcPosValue(m_xValue);
        m_y = v->CalcPosValue(m_yValue);
    }
}

void TCursorTool::DoChange(int ValueIndex)
{
    if (OnChange)
        OnChange(*this, m_x, m_y, m_xValue, m_yValue, Series(), ValueIndex);
}

void TCursorTool::RedrawCursor()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    TCanvas3D& c = *panel->Canvas();
    c.AssignPenColor(&Pen(), XorPenColor(*panel, Pen().Color()));
    c.Pen()->SetMode(pmXor);
    c.Brush()->SetStyle(bsClear);
    const TRect r = AxisRectWithSizes();
    const int z = m_useSeriesZ && Series() ? Series()->StartZ() : 0;
    const int x = m_x;
    const int y = m_y;
    const auto scope = [&] {
        const int s = m_scopeSize;
        if (m_scopeStyle == scsCamera) {
            c.RectangleWithZ(TRect{x - m_horizSize - s, y - m_vertSize - s, x + m_horizSize + s, y + m_vertSize + s},
                             z);
            c.HorizLine3D(x - s, x + s, y, z);
            c.VertLine3D(x, y - s, y + s, z);
            return;
        }
        c.HorizLine3D(x - m_horizSize - s, x - s, y, z);
        c.HorizLine3D(x + s, x + m_horizSize + s, y, z);
        c.VertLine3D(x, y - m_vertSize - s, y - s, z);
        c.VertLine3D(x, y + s, y + m_vertSize + s, z);
        switch (m_scopeStyle) {
        case scsRectangle:
            c.RectangleWithZ(TRect{x - s, y - s, x + s, y + s}, z);
            break;
        case scsCircle:
            c.EllipseWithZ(x - s, y - s, x + s, y + s, z);
            break;
        case scsDiamond: {
            const TPoint p[] = {{x - s, y}, {x, y - s}, {x + s, y}, {x, y + s}};
            c.PolygonWithZ(p, z);
            break;
        }
        default:
            break;
        }
    };
    switch (m_style) {
    case cssHorizontal:
        c.HorizLine3D(r.Left, r.Right, y, z);
        break;
    case cssVertical:
        c.VertLine3D(x, r.Top, r.Bottom, z);
        break;
    case cssBoth:
        c.HorizLine3D(r.Left, r.Right, y, z);
        c.VertLine3D(x, r.Top, r.Bottom, z);
        break;
    case cssScope:
        scope();
        c.HorizLine3D(r.Left, r.Right, y, z);
        c.VertLine3D(x, r.Top, r.Bottom, z);
        break;
    case cssScopeOnly:
        scope();
        break;
    }
    c.Pen()->SetMode(pmCopy);
}

std::array<TRect, 3> TCursorTool::DrawnAreas() const
{
    const TRect r = AxisRectWithSizes();
    const int w = Pen().Width() + 1;
    const int s = m_scopeSize + w;
    return {TRect{r.Left - w, m_y - w, r.Right + w + 1, m_y + w + 1},
            TRect{m_x - w, r.Top - w, m_x + w + 1, r.Bottom + w + 1},
            TRect{m_x - m_horizSize - s, m_y - m_vertSize - s, m_x + m_horizSize + s + 1, m_y + m_vertSize + s + 1}};
}

void TCursorTool::ChartEvent(TToolDrawPhase Phase)
{
    if (Phase != tdpAfterDraw)
        return;
    CalcScreenPositions();
    RedrawCursor();
}

void TCursorTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton, TShiftState, int X, int Y)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    switch (Kind) {
    case tmkDown:
        if (!m_followMouse) {
            m_grabbed = Clicked(X, Y);
            if (m_grabbed != 0)
                SetToolMouseHandled(*this, true);
        }
        break;
    case tmkMove: {
        const TRect area = AxisRect();
        const bool inside = X >= area.Left && X <= area.Right && Y >= area.Top && Y <= area.Bottom;
        if ((m_grabbed != 0 || m_followMouse) && inside) {
            const std::array<TRect, 3> before = DrawnAreas();
            const int oldX = m_x;
            const int oldY = m_y;
            CalcValuePositions(X, Y, m_followMouse ? 0 : m_grabbed);
            const int index = SnapToPoint();
            // the cursor stands at the values just taken, even before a first paint placed it
            if (const TChartAxis *h = GetHorizAxis(), *v = GetVertAxis(); h && v) {
                m_x = h->CalcPosValue(m_xValue);
                m_y = v->CalcPosValue(m_yValue);
            }
            const int newX = m_x;
            const int newY = m_y;
            // erase at the old place, draw at the new one, show both
            const std::array<TRect, 3> after = DrawnAreas();
            const TRect areas[] = {before[0], before[1], before[2], after[0], after[1], after[2]};
            panel->DrawOutsidePaint(areas, [&](TCanvas3D&) {
                if (oldX != -1 && oldY != -1) {
                    m_x = oldX;
                    m_y = oldY;
                    RedrawCursor();
                }
                m_x = newX;
                m_y = newY;
                RedrawCursor();
            });
            m_x = newX;
            m_y = newY;
            DoChange(index);
            if (OnSnapChange && index != m_lastSnap)
                OnSnapChange(*this, m_x, m_y, m_xValue, m_yValue, Series(), index);
            m_lastSnap = index;
        } else {
            const int part = Clicked(X, Y);
            if (part == 1)
                panel->SetCursor(crVSplit);
            else if (part == 2)
                panel->SetCursor(crHSplit);
            else if (part == 3)
                panel->SetCursor(crSizeAll);
            SetToolMouseHandled(*this, part != 0);
        }
        break;
    }
    case tmkUp:
        m_grabbed = 0;
        break;
    }
}
