#include "chart/tools/nearest_tool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/appearance_properties.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/ordered_positions.h"
#include "chart/plot_panel.h"
#include "chart/tools/tool_chart.h"

namespace {
constexpr const char* kStyleNames[] = {"hsNone", "hsCircle", "hsRectangle", "hsDiamond", "hsSeries"};
// No point farther than this many pixels is taken.
constexpr std::int64_t kFarthest = 10000;
// Fewer points than this are all measured: the search costs more.
constexpr int kOrderedSearchFrom = 32;
}  // namespace

TNearestTool::TNearestTool(QObject* Owner)
    : TPlotCustomToolSeries(Owner), m_linePen(std::make_unique<TChartPen>([this] { Repaint(); }))
{
    Brush().SetStyle(bsClear);
    Pen().SetStyle(psDot);
    Pen().SetColor(clWhite);
}

TNearestTool::~TNearestTool() = default;

std::string TNearestTool::Description() const { return ProMsgToolNearestPoint; }
std::string TNearestTool::LongDescription() const { return ProMsgToolNearestPointDesc; }

bool TNearestTool::DrawLine() const { return m_linePen->Visible(); }

void TNearestTool::SetDrawLine(bool Value) { m_linePen->SetVisible(Value); }

const TPropertyTable<TCustomChartElement>& TNearestTool::Properties()
{
    using S = TNearestTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolSeries::Properties())
            .Property("FullRepaint", BooleanKind, TAccessors{&S::FullRepaint, &S::SetFullRepaint}, true)
            .Object(
                "LinePen", [](const S& s) { return s.m_linePen.get(); }, [](S& s) { return s.m_linePen.get(); },
                nullptr, ChartPenProperties())
            .Property("Size", IntegerKind, TAccessors{&S::Size, &S::SetSize}, 20)
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, hsCircle);
    return table;
}

void TNearestTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TNearestTool*>(&Source)) {
        m_fullRepaint = s->m_fullRepaint;
        m_linePen->Assign(*s->m_linePen);
        m_size = s->m_size;
        m_style = s->m_style;
    }
    TPlotCustomToolSeries::Assign(Source);
}

int TNearestTool::GetNearestPoint(const TChartSeries& Series, int X, int Y)
{
    const int hit = Series.Clicked(X, Y);
    if (hit != -1)
        return hit;
    const int count = Series.Count();
    const int first = std::max(Series.FirstValueIndex(), 0);
    int last = Series.LastValueIndex();
    if (last < 0 || last >= count)
        last = count - 1;
    TSeriesParent* chart = Series.ParentChart();
    const TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!panel)
        return -1;
    const TRect r = panel->ChartRect;
    int result = -1;
    // pixel positions may reach tens of millions: squares need 64 bits
    std::int64_t best = kFarthest;
    // the nearest point inside the chart's rectangle, the first of equals
    const auto offer = [&](int i, int px) {
        if (px < r.Left || px > r.Right || Series.IsNull(i))
            return;
        const int py = Series.CalcYPos(i);
        if (py < r.Top || py > r.Bottom)
            return;
        const std::int64_t dx = static_cast<std::int64_t>(px) - X;
        const std::int64_t dy = static_cast<std::int64_t>(py) - Y;
        const auto distance =
            static_cast<std::int64_t>(std::nearbyint(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
        if (distance < best || (distance == best && i < result)) {
            best = distance;
            result = i;
        }
    };
    if (last - first > kOrderedSearchFrom && Series.PositionsInOrder()) {
        // Outwards from the mouse along the not-mandatory axis; the offset
        // along it only grows, and the distance is at least that offset.
        const TOrderedPositions pos(Series, first, last);
        const bool alongX = Series.YMandatory();
        const int mouse = alongX ? X : Y;
        const int mid = pos.LowerBound(pos.Key(mouse));
        const auto step = [&](int i) {
            const int along = pos.Pos(i);
            const std::int64_t offset = static_cast<std::int64_t>(along) - mouse;
            if ((offset < 0 ? -offset : offset) > best)
                return false;
            offer(i, alongX ? along : Series.CalcXPos(i));
            return true;
        };
        for (int i = mid; i <= last && step(i); ++i) {
        }
        for (int i = mid - 1; i >= first && step(i); --i) {
        }
        return result;
    }
    for (int i = first; i <= last; ++i) {
        const int px = Series.CalcXPos(i);
        const std::int64_t dx = static_cast<std::int64_t>(px) - X;
        // the rounded distance is at least |dx|: such a point cannot win
        if ((dx < 0 ? -dx : dx) < best)
            offer(i, px);
    }
    return result;
}

bool TNearestTool::HasMark() const
{
    const TChartSeries* s = Series();
    return s && s->Active() && m_nearestIndex >= 0 && m_nearestIndex < s->Count();
}

TRect TNearestTool::MarkArea() const
{
    const TChartSeries& s = *Series();
    const int x = s.CalcXPos(m_nearestIndex);
    const int y = s.CalcYPos(m_nearestIndex);
    const int pad = std::max(Pen().Width(), m_linePen->Width()) + 2;
    int half = m_size + pad;
    if (m_style == hsSeries)
        half = std::max(half, 64);
    TRect r{x - half, y - half, x + half + 1, y + half + 1};
    if (DrawLine()) {
        r.Left = std::min(r.Left, m_point.X - pad);
        r.Top = std::min(r.Top, m_point.Y - pad);
        r.Right = std::max(r.Right, m_point.X + pad + 1);
        r.Bottom = std::max(r.Bottom, m_point.Y + pad + 1);
    }
    return r;
}

void TNearestTool::PaintMark(TCustomPlotPanel& Panel)
{
    TChartSeries& s = *Series();
    TCanvas3D& c = *Panel.Canvas();
    if (m_fullRepaint) {
        c.AssignPen(&Pen());
    } else {
        c.AssignPenColor(&Pen(), XorPenColor(Panel, Pen().Color()));
        c.Pen()->SetMode(pmNotXor);
    }
    const int x = s.CalcXPos(m_nearestIndex);
    const int y = s.CalcYPos(m_nearestIndex);
    const int z = s.StartZ();
    const bool in3D = Panel.View3D();
    const int h = m_size;
    if (m_style != hsNone) {
        c.AssignBrush(&Brush(), Brush().Color());
        c.SetBackMode(cbmTransparent);
        switch (m_style) {
        case hsCircle:
            if (in3D)
                c.EllipseWithZ(x - h, y - h, x + h, y + h, z);
            else
                c.Ellipse(x - h, y - h, x + h, y + h);
            break;
        case hsRectangle:
            if (in3D)
                c.RectangleWithZ(TRect{x - h, y - h, x + h, y + h}, z);
            else
                c.Rectangle(x - h, y - h, x + h, y + h);
            break;
        case hsDiamond: {
            const TPoint p[] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}};
            c.PolygonWithZ(p, z);
            break;
        }
        case hsSeries: {
            // the series draws its own symbol with this tool's pen for once
            TAutoRepaintOff quiet(Panel);
            TChartPen own;
            own.Assign(s.Pen());
            s.Pen().Assign(Pen());
            s.DrawValue(m_nearestIndex);
            s.Pen().Assign(own);
            break;
        }
        default:
            break;
        }
    }
    if (DrawLine()) {
        if (m_fullRepaint) {
            c.AssignPen(m_linePen.get());
        } else {
            c.AssignPenColor(m_linePen.get(), XorPenColor(Panel, m_linePen->Color()));
            c.Pen()->SetMode(pmNotXor);
        }
        if (in3D)
            c.LineWithZ(m_point.X, m_point.Y, x, y, z);
        else
            c.Line(m_point.X, m_point.Y, x, y);
    }
    if (!m_fullRepaint)
        c.Pen()->SetMode(pmCopy);
}

void TNearestTool::ToggleMark()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel || !HasMark())
        return;
    panel->DrawOutsidePaint(MarkArea(), [&](TCanvas3D&) { PaintMark(*panel); });
}

void TNearestTool::ChartEvent(TToolDrawPhase Phase)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    if (Phase == tdpAfterDraw) {
        if (HasMark())
            PaintMark(*panel);
    } else if (Phase == tdpMouseLeave) {
        if (!m_fullRepaint)
            ToggleMark();
        m_nearestIndex = -1;
        if (m_fullRepaint)
            panel->Invalidate();
    }
}

void TNearestTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton, TShiftState, int X, int Y)
{
    TChartSeries* s = Series();
    if (Kind != tmkMove || !s)
        return;
    if (!m_fullRepaint)
        ToggleMark();
    m_nearestIndex = GetNearestPoint(*s, X, Y);
    m_point = TPoint{X, Y};
    if (!m_fullRepaint)
        ToggleMark();
    if (OnChange)
        OnChange(*this);
    if (m_fullRepaint)
        if (TCustomPlotPanel* panel = ToolPanel(*this))
            panel->Invalidate();
}
