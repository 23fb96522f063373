#include "chart/tools/draw_line_tool.h"

#include <algorithm>

#include "chart/appearance_properties.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/plot_procs.h"
#include "chart/tools/tool_chart.h"

namespace {
constexpr const char* kStyleNames[] = {"dlLine", "dlHorizParallel", "dlVertParallel", "dlRectangle", "dlEllipse"};
constexpr const char* kButtonNames[] = {"mbLeft", "mbRight", "mbMiddle"};

bool InRect(const TPoint& S, const TPoint& E, const TPoint& P)
{
    return P.X >= std::min(S.X, E.X) && P.X <= std::max(S.X, E.X) && P.Y >= std::min(S.Y, E.Y) &&
           P.Y <= std::max(S.Y, E.Y);
}

// The stream form of the collection: one list of properties per line.
void WriteLines(const TDrawLines& Lines, TPropertyWriter& W)
{
    W.WriteValueType(vaCollection);
    for (int i = 0; i < Lines.Count(); ++i) {
        W.WriteListBegin();
        TDrawLine::Properties().Write(Lines[i], W);
        W.WriteListEnd();
    }
    W.WriteListEnd();
}

void ReadLines(TDrawLines& Lines, TPropertyReader& R)
{
    if (R.ReadValueType() != vaCollection)
        InvalidPropertyValue();
    Lines.Clear();
    while (!R.EndOfList()) {
        R.ReadListBegin();
        TDrawLine::Properties().ReadList(Lines.Add(), R, "TDrawLine");
        R.ReadListEnd();
    }
    R.ReadListEnd();
}
}  // namespace

bool DrawLineFigureHit(TDrawLineStyle Style, const TPoint& S, const TPoint& E, const TPoint& P, int Tolerance)
{
    switch (Style) {
    case dlLine:
        return PointNearLinePts(P, S, E, Tolerance);
    case dlHorizParallel:
        return PointNearLine(P, S.X, S.Y, E.X, S.Y, Tolerance) || PointNearLine(P, S.X, E.Y, E.X, E.Y, Tolerance);
    case dlVertParallel:
        return PointNearLine(P, S.X, S.Y, S.X, E.Y, Tolerance) || PointNearLine(P, E.X, S.Y, E.X, E.Y, Tolerance);
    case dlRectangle:
    case dlEllipse:
        return InRect(S, E, P);
    }
    return false;
}

bool DrawLineHandleHit(const TPoint& C, const TPoint& P)
{
    return P.X >= C.X - 3 && P.X <= C.X + 3 && P.Y >= C.Y - 3 && P.Y <= C.Y + 3;
}

// ---- TDrawLine ----

TDrawLine::TDrawLine(TDrawLineTool* Tool) : m_tool(Tool) {}

TDrawLine::~TDrawLine()
{
    if (m_tool)
        m_tool->LineFreed(this);
}

TChartPen* TDrawLine::Pen()
{
    if (!m_pen) {
        m_pen = std::make_unique<TChartPen>([this] { Repaint(); });
        if (m_tool)
            m_pen->Assign(m_tool->TPlotCustomTool::Pen());
    }
    return m_pen.get();
}

void TDrawLine::SetPen(const TChartPen* Value)
{
    if (Value)
        Pen()->Assign(*Value);
    else
        m_pen.reset();
    Repaint();
}

void TDrawLine::Repaint()
{
    if (m_tool)
        m_tool->Repaint();
}

TPoint TDrawLine::StartHandle() const { return m_tool ? m_tool->AxisPoint(m_x0, m_y0) : TPoint{}; }
TPoint TDrawLine::EndHandle() const { return m_tool ? m_tool->AxisPoint(m_x1, m_y1) : TPoint{}; }

void TDrawLine::Assign(const TDrawLine& Source)
{
    m_x0 = Source.m_x0;
    m_y0 = Source.m_y0;
    m_x1 = Source.m_x1;
    m_y1 = Source.m_y1;
    m_style = Source.m_style;
    if (Source.m_pen)
        Pen()->Assign(*Source.m_pen);
    else
        m_pen.reset();
}

const TPropertyTable<TDrawLine>& TDrawLine::Properties()
{
    using S = TDrawLine;
    static const TPropertyTable<TDrawLine> table =
        TPropertyTable<TDrawLine>::Of()
            .Object(
                "Pen", [](const S& s) { return s.PenIfAny(); }, [](S& s) { return s.Pen(); },
                [](S& s) { s.SetPen(nullptr); }, ChartPenProperties())
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, dlLine)
            .Property("X0", FloatKind, TAccessors{&S::X0, &S::SetX0}, AlwaysStored)
            .Property("Y0", FloatKind, TAccessors{&S::Y0, &S::SetY0}, AlwaysStored)
            .Property("X1", FloatKind, TAccessors{&S::X1, &S::SetX1}, AlwaysStored)
            .Property("Y1", FloatKind, TAccessors{&S::Y1, &S::SetY1}, AlwaysStored);
    return table;
}

// ---- TDrawLines ----

TDrawLine& TDrawLines::Add()
{
    m_items.push_back(std::make_unique<TDrawLine>(m_tool));
    return *m_items.back();
}

void TDrawLines::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    m_items.erase(m_items.begin() + Index);
}

void TDrawLines::Clear() { m_items.clear(); }

void TDrawLines::Assign(const TDrawLines& Source)
{
    if (&Source == this)
        return;
    Clear();
    for (int i = 0; i < Source.Count(); ++i)
        Add().Assign(Source[i]);
}

// ---- TDrawLineTool ----

TDrawLineTool::TDrawLineTool(QObject* Owner) : TPlotCustomToolSeries(Owner) {}

TDrawLineTool::~TDrawLineTool()
{
    m_selected = nullptr;
    m_lines.Clear();
}

std::string TDrawLineTool::Description() const { return ProMsgToolDrawLine; }
std::string TDrawLineTool::LongDescription() const { return ProMsgToolDrawLineDesc; }

const TPropertyTable<TCustomChartElement>& TDrawLineTool::Properties()
{
    using S = TDrawLineTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolSeries::Properties())
            .Property("Button", EnumKind(kButtonNames), TAccessors{&S::Button, &S::SetButton}, mbLeft)
            .Property("ClickTolerance", IntegerKind, TAccessors{&S::ClickTolerance, &S::SetClickTolerance}, 0)
            .Property("EnableDraw", BooleanKind, TAccessors{&S::EnableDraw, &S::SetEnableDraw}, true)
            .Property("EnableSelect", BooleanKind, TAccessors{&S::EnableSelect, &S::SetEnableSelect}, true)
            .Defined(
                "Lines", [](const S& s, TPropertyWriter& w) { WriteLines(s.m_lines, w); },
                [](S& s, TPropertyReader& r) { ReadLines(s.m_lines, r); },
                [](const S& s) { return s.m_lines.Count() > 0; })
            .Property("SelectNewLines", BooleanKind, TAccessors{&S::SelectNewLines, &S::SetSelectNewLines}, true)
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, dlLine);
    return table;
}

void TDrawLineTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TDrawLineTool*>(&Source)) {
        m_button = s->m_button;
        m_clickTolerance = s->m_clickTolerance;
        m_enableDraw = s->m_enableDraw;
        m_enableSelect = s->m_enableSelect;
        m_selected = nullptr;
        m_lines.Assign(s->m_lines);
        m_selectNewLines = s->m_selectNewLines;
        m_style = s->m_style;
    }
    TPlotCustomToolSeries::Assign(Source);
}

void TDrawLineTool::LineFreed(TDrawLine* Line)
{
    if (m_selected == Line)
        m_selected = nullptr;
}

void TDrawLineTool::ClearSelection()
{
    if (!m_selected)
        return;
    m_selected = nullptr;
    Repaint();
}

void TDrawLineTool::SetEnableSelect(bool Value)
{
    if (m_enableSelect == Value)
        return;
    m_enableSelect = Value;
    if (!Value)
        ClearSelection();
}

TPoint TDrawLineTool::AxisPoint(double X, double Y) const
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    return TPoint{h ? h->CalcPosValue(X) : 0, v ? v->CalcPosValue(Y) : 0};
}

void TDrawLineTool::ScreenToValues(const TPoint& P, double& X, double& Y) const
{
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    X = h ? h->CalcPosPoint(P.X) : 0;
    Y = v ? v->CalcPosPoint(P.Y) : 0;
}

TPoint TDrawLineTool::ToPlane(int X, int Y) const
{
    if (TCustomPlotPanel* panel = ToolPanel(*this); panel && panel->View3D())
        panel->Canvas()->Unproject(X, Y, 0);
    return TPoint{X, Y};
}

TDrawLine* TDrawLineTool::LineAt(int X, int Y, int Mode)
{
    const TPoint p = ToPlane(X, Y);
    const auto hit = [&](const TDrawLine& line) {
        const TPoint s = line.StartHandle();
        const TPoint e = line.EndHandle();
        if (Mode == 1)
            return DrawLineHandleHit(s, p);
        if (Mode == 2)
            return DrawLineHandleHit(e, p);
        return DrawLineFigureHit(line.Style(), s, e, p, m_clickTolerance);
    };
    if (m_selected && hit(*m_selected))
        return m_selected;
    for (int i = 0; i < m_lines.Count(); ++i)
        if (hit(m_lines[i]))
            return &m_lines[i];
    return nullptr;
}

void TDrawLineTool::ClipDrawingRegion()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel || !panel->CanClip())
        return;
    TRect r = panel->ChartRect;
    if (Series()) {
        const TChartAxis* h = GetHorizAxis();
        const TChartAxis* v = GetVertAxis();
        if (h && v)
            r = TRect{h->StartPos(), v->StartPos(), h->EndPos(), v->EndPos()};
    }
    panel->Canvas()->ClipCube(r, 0, panel->View3D() ? panel->Width3D : 0);
}

void TDrawLineTool::DrawFigure(TDrawLineStyle Style, const TPoint& S, const TPoint& E)
{
    TCanvas3D& c = *ToolPanel(*this)->Canvas();
    switch (Style) {
    case dlLine:
        c.LineWithZ(S.X, S.Y, E.X, E.Y, 0);
        break;
    case dlHorizParallel:
        c.HorizLine3D(S.X, E.X, S.Y, 0);
        c.HorizLine3D(S.X, E.X, E.Y, 0);
        break;
    case dlVertParallel:
        c.VertLine3D(S.X, S.Y, E.Y, 0);
        c.VertLine3D(E.X, S.Y, E.Y, 0);
        break;
    case dlRectangle:
        c.RectangleWithZ(TRect{S.X, S.Y, E.X, E.Y}, 0);
        break;
    case dlEllipse:
        c.EllipseWithZ(S.X, S.Y, E.X, E.Y, 0);
        break;
    }
}

void TDrawLineTool::DrawHandles(const TDrawLine& Line)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    TCanvas3D& c = *panel->Canvas();
    c.Pen()->SetStyle(psClear);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(panel->Color() == clBlack ? clSilver : clBlack);
    for (const TPoint& p : {Line.StartHandle(), Line.EndHandle()})
        c.RectangleWithZ(TRect{p.X - 3, p.Y - 3, p.X + 3, p.Y + 3}, 0);
}

void TDrawLineTool::ChartEvent(TToolDrawPhase Phase)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (Phase != tdpAfterDraw || m_lines.Count() == 0 || !panel)
        return;
    TCanvas3D& c = *panel->Canvas();
    ClipDrawingRegion();
    for (int i = 0; i < m_lines.Count(); ++i) {
        const TDrawLine& line = m_lines[i];
        c.Brush()->SetStyle(bsClear);
        c.AssignPen(line.PenIfAny() ? line.PenIfAny() : &TPlotCustomTool::Pen());
        DrawFigure(line.Style(), line.StartHandle(), line.EndHandle());
    }
    if (m_selected)
        DrawHandles(*m_selected);
    c.UnClip();
}

void TDrawLineTool::DrawRubberBand()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    TCanvas3D& c = *panel->Canvas();
    c.Brush()->SetStyle(bsClear);
    TChartPen* pen = m_selected && m_selected->PenIfAny() ? m_selected->PenIfAny() : &TPlotCustomTool::Pen();
    c.AssignPenColor(pen, NotXorPenColor(*panel, pen->Color()));
    c.Pen()->SetMode(pmNotXor);
    DrawFigure(m_selected ? m_selected->Style() : m_style, FromPoint, ToPoint);
    c.Pen()->SetMode(pmCopy);
}

void TDrawLineTool::ShowRubberBand()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    const int w = TPlotCustomTool::Pen().Width() + 2;
    const TRect r{std::min(FromPoint.X, ToPoint.X) - w, std::min(FromPoint.Y, ToPoint.Y) - w,
                  std::max(FromPoint.X, ToPoint.X) + w, std::max(FromPoint.Y, ToPoint.Y) + w};
    panel->DrawOutsidePaint(r, [this](TCanvas3D&) { DrawRubberBand(); });
}

void TDrawLineTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState, int X, int Y)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    const TPoint p{X, Y};
    switch (Kind) {
    case tmkDown: {
        if (Button != m_button)
            return;
        // each press starts unmoved (the moves that drew a line count for that line only)
        m_moved = false;
        TDrawLine* line = nullptr;
        if (m_enableSelect) {
            line = LineAt(X, Y, 0);
            if (!line)
                line = LineAt(X, Y, 1);
            if (!line)
                line = LineAt(X, Y, 2);
        }
        if (line) {
            FromPoint = line->StartHandle();
            ToPoint = line->EndHandle();
            m_last = p;
            m_part = 3;
            if (line == m_selected) {
                const TPoint q = ToPlane(X, Y);
                if (DrawLineHandleHit(FromPoint, q))
                    m_part = 1;
                else if (DrawLineHandleHit(ToPoint, q))
                    m_part = 2;
            } else {
                bool allow = true;
                if (OnSelecting)
                    OnSelecting(*this, line, allow);
                if (allow) {
                    TDrawLine* previous = m_selected;
                    m_selected = line;
                    if (previous)
                        Repaint();
                    else
                        panel->DrawOutsidePaint(panel->ChartRect, [this](TCanvas3D&) { DrawHandles(*m_selected); });
                    if (OnSelect)
                        OnSelect(*this);
                } else {
                    // a refused line is not dragged, nor is the selection moved onto it
                    m_part = 0;
                }
            }
            SetToolMouseHandled(*this, true);
        } else {
            ClearSelection();
            if (m_enableDraw) {
                m_drawing = true;
                FromPoint = ToPoint = p;
                ShowRubberBand();
                SetToolMouseHandled(*this, true);
            }
        }
        break;
    }
    case tmkMove:
        if (!m_drawing && m_part == 0) {
            if (!m_enableSelect)
                return;
            bool applied = false;
            if (m_selected && (LineAt(X, Y, 1) == m_selected || LineAt(X, Y, 2) == m_selected)) {
                panel->SetCursor(crCross);
                applied = true;
            } else if (LineAt(X, Y, 0)) {
                panel->SetCursor(crHandPoint);
                applied = true;
            }
            SetToolMouseHandled(*this, applied);
            return;
        }
        ShowRubberBand();  // erases
        if (m_drawing) {
            ToPoint = p;
        } else if (m_part == 1) {
            FromPoint = p;
        } else if (m_part == 2) {
            ToPoint = p;
        } else {
            FromPoint.X += p.X - m_last.X;
            FromPoint.Y += p.Y - m_last.Y;
            ToPoint.X += p.X - m_last.X;
            ToPoint.Y += p.Y - m_last.Y;
            m_last = p;
        }
        ShowRubberBand();
        SetToolMouseHandled(*this, true);
        m_moved = true;
        if (OnDragLine)
            OnDragLine(*this);
        break;
    case tmkUp:
        if (Button != m_button)
            return;
        if (m_part != 0 && m_selected) {
            double x, y;
            // a click without a move leaves the values as they were, not rounded to pixels
            if (m_moved && (m_part == 1 || m_part == 3)) {
                ScreenToValues(FromPoint, x, y);
                m_selected->SetX0(x);
                m_selected->SetY0(y);
            }
            if (m_moved && (m_part == 2 || m_part == 3)) {
                ScreenToValues(ToPoint, x, y);
                m_selected->SetX1(x);
                m_selected->SetY1(y);
            }
            m_part = 0;
            Repaint();
            if (m_moved) {
                m_moved = false;
                if (OnDraggedLine)
                    OnDraggedLine(*this);
            }
        } else if (m_drawing) {
            m_drawing = false;
            if (FromPoint == ToPoint)
                return;
            TDrawLine& line = m_lines.Add();
            double x, y;
            ScreenToValues(FromPoint, x, y);
            line.SetX0(x);
            line.SetY0(y);
            ScreenToValues(ToPoint, x, y);
            line.SetX1(x);
            line.SetY1(y);
            line.SetStyle(m_style);
            if (m_selectNewLines) {
                m_selected = &line;
                FromPoint = line.StartHandle();
                ToPoint = line.EndHandle();
                m_last = FromPoint;
            }
            Repaint();
            if (OnNewLine)
                OnNewLine(*this);
        }
        m_part = 0;
        break;
    }
}
