#include "chart/tools/nearest_tool.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "chart/appearance_properties.h"
#include "chart/axis_scale.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/ordered_positions.h"
#include "chart/point_index.h"
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
    Brush().InitStyle(bsClear);
    Pen().InitStyle(psDot);
    Pen().InitColor(clWhite);
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
    const TPointIndex* index = last - first > kOrderedSearchFrom ? Series.PointIndex() : nullptr;
    if (index && index->Count() > last) {
        // Runs of points nearest first, passing over those whose pixels
        // (inside the chart's rectangle) are all farther than the best.
        const TLinearPixelForm px(Series.GetHorizAxis()->Scale(), true);
        const TLinearPixelForm py(Series.GetVertAxis()->Scale(), false);
        const bool inlined = px.Linear() && py.Linear();
        const auto xPos = [&](double V) { return inlined ? px.At(V) : Series.CalcXPosValue(V); };
        const auto yPos = [&](double V) { return inlined ? py.At(V) : Series.CalcYPosValue(V); };
        // the least rounded distance of a run's points; -1: none can count
        const auto bound = [&](const TPointIndex::TBox& Box) -> std::int64_t {
            const TPointIndex::TPixels p = TPointIndex::PixelsOf(Box, xPos, yPos);
            if (p.All)
                return 0;
            const int left = std::max(p.Left, r.Left), right = std::min(p.Right, r.Right);
            const int top = std::max(p.Top, r.Top), bottom = std::min(p.Bottom, r.Bottom);
            if (left > right || top > bottom)
                return -1;
            const std::int64_t dx = X < left ? std::int64_t{left} - X : X > right ? std::int64_t{X} - right : 0;
            const std::int64_t dy = Y < top ? std::int64_t{top} - Y : Y > bottom ? std::int64_t{Y} - bottom : 0;
            return static_cast<std::int64_t>(std::nearbyint(std::sqrt(static_cast<double>(dx * dx + dy * dy))));
        };
        // whether a run from point A with that bound may hold a better point
        const auto worth = [&](std::int64_t Bound, int A) {
            return Bound >= 0 && (Bound < best || (Bound == best && result != -1 && A < result));
        };
        const auto visit = [&](const auto& Self, int Level, int J0, int J1) -> void {
            const int shift = TPointIndex::RunShift(Level);
            struct TRun {
                std::int64_t bound;
                int j;
            };
            TRun runs[1 << TPointIndex::Shift];
            int n = 0;
            for (int j = J0; j < J1; ++j) {
                if ((j << shift) > last || ((j + 1) << shift) <= first)
                    continue;
                const std::int64_t b = bound(index->Box(Level, j));
                if (b < 0)
                    continue;
                // in order of bound, the lower index first among equals
                int k = n++;
                for (; k > 0 && runs[k - 1].bound > b; --k)
                    runs[k] = runs[k - 1];
                runs[k] = {b, j};
            }
            for (int k = 0; k < n; ++k) {
                const int j = runs[k].j;
                const int a = std::max(first, j << shift);
                if (!worth(runs[k].bound, a))
                    continue;
                if (Level == 0) {
                    const int b = std::min(last, ((j + 1) << shift) - 1);
                    for (int i = a; i <= b; ++i) {
                        const int px = Series.CalcXPos(i);
                        const std::int64_t dx = static_cast<std::int64_t>(px) - X;
                        if ((dx < 0 ? -dx : dx) <= best)
                            offer(i, px);
                    }
                } else {
                    Self(Self, Level - 1, j << TPointIndex::Shift,
                         std::min(index->Runs(Level - 1), (j + 1) << TPointIndex::Shift));
                }
            }
        };
        const int top = index->Levels() - 1;
        visit(visit, top, 0, index->Runs(top));
        return result;
    }
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
        c.AssignPenColor(&Pen(), NotXorPenColor(Panel, Pen().Color()));
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
            // the series draws the point itself with this tool's pen for
            // once, drawn as the other marks are (the series puts the pen
            // on the canvas itself)
            TAutoRepaintOff quiet(Panel);
            TChartPen pen;
            pen.Assign(Pen());
            if (!m_fullRepaint) {
                pen.SetColor(NotXorPenColor(Panel, Pen().Color()));
                pen.SetMode(pmNotXor);
            }
            s.DrawValueAlone(m_nearestIndex, pen);
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
            c.AssignPenColor(m_linePen.get(), NotXorPenColor(Panel, m_linePen->Color()));
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
