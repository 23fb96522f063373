#include "chart/tools/color_line_tool.h"

#include <algorithm>
#include <cstdlib>

#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_panel.h"
#include "chart/tools/tool_chart.h"
#include "chart/tools/tool_geometry.h"

namespace {
constexpr const char* kStyleNames[] = {"clCustom", "clMaximum", "clCenter", "clMinimum"};
}

TColorLineTool::TColorLineTool(QObject* Owner) : TPlotCustomToolAxis(Owner) {}

std::string TColorLineTool::Description() const { return ProMsgToolColorLine; }
std::string TColorLineTool::LongDescription() const { return ProMsgToolColorLineDesc; }

const TPropertyTable<TCustomChartElement>& TColorLineTool::Properties()
{
    using S = TColorLineTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolAxis::Properties())
            .Property("AllowDrag", BooleanKind, TAccessors{&S::AllowDrag, &S::SetAllowDrag}, true)
            .Property("DragRepaint", BooleanKind, TAccessors{&S::DragRepaint, &S::SetDragRepaint}, false)
            .Property("Draw3D", BooleanKind, TAccessors{&S::Draw3D, &S::SetDraw3D}, true)
            .Property("DrawBehind", BooleanKind, TAccessors{&S::DrawBehind, &S::SetDrawBehind}, false)
            .Property("NoLimitDrag", BooleanKind, TAccessors{&S::NoLimitDrag, &S::SetNoLimitDrag}, false)
            .Property("Style", EnumKind(kStyleNames), TAccessors{&S::Style, &S::SetStyle}, clCustom)
            .Property("Value", FloatKind, TAccessors{&S::Value, &S::SetValue}, 0.0);
    return table;
}

void TColorLineTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TColorLineTool*>(&Source)) {
        m_allowDrag = s->m_allowDrag;
        m_dragRepaint = s->m_dragRepaint;
        m_draw3D = s->m_draw3D;
        m_drawBehind = s->m_drawBehind;
        m_noLimitDrag = s->m_noLimitDrag;
        m_style = s->m_style;
        m_value = s->m_value;
    }
    TPlotCustomToolAxis::Assign(Source);
}

void TColorLineTool::SetValue(double Value)
{
    const TCustomPlotPanel* panel = ToolPanel(*this);
    if (!Loading() && !(panel && panel->Loading()))
        m_style = clCustom;
    SetDoubleProperty(m_value, Value);
}

void TColorLineTool::SetOwnedAxis(TChartAxis* Axis)
{
    TPlotCustomToolAxis::SetAxis(Axis);
    if (TSeriesParent* chart = ParentChart())
        if (TChartTools* tools = chart->ToolList())
            tools->Remove(this);
}

double TColorLineTool::CalcValue() const
{
    const TChartAxis* a = Axis();
    if (!a)
        return m_value;
    switch (m_style) {
    case clMaximum:
        return a->CurrentMaximum();
    case clMinimum:
        return a->CurrentMinimum();
    case clCenter:
        return (a->CurrentMaximum() + a->CurrentMinimum()) * 0.5;
    case clCustom:
        break;
    }
    return m_value;
}

double TColorLineTool::LimitValue(double Value) const
{
    const TChartAxis* a = Axis();
    if (!a)
        return Value;
    return LimitToRange(Value, a->CalcPosPoint(a->StartPos()), a->CalcPosPoint(a->EndPos()));
}

int TColorLineTool::LinePosition() const
{
    const TChartAxis* a = Axis();
    if (!a)
        return 0;
    const int p = a->CalcPosValue(CalcValue());
    // the drawn line stays on the axis; the user's value is kept as it is
    if (m_allowDrag && !m_noLimitDrag)
        return std::clamp(p, std::min(a->StartPos(), a->EndPos()), std::max(a->StartPos(), a->EndPos()));
    return p;
}

bool TColorLineTool::Clicked(int X, int Y) const
{
    const TChartAxis* a = Axis();
    const TCustomPlotPanel* panel = ToolPanel(*this);
    if (!a || !panel)
        return false;
    const TRect& r = panel->ChartRect;
    const int p = LinePosition();
    if (a->Horizontal())
        return std::abs(X - p) < 3 && Y >= r.Top && Y <= r.Bottom;
    return std::abs(Y - p) < 3 && X >= r.Left && X <= r.Right;
}

void TColorLineTool::DrawColorLine(bool Back, TPenMode Mode)
{
    const TChartAxis* a = Axis();
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!a || !panel)
        return;
    TCanvas3D& c = *panel->Canvas();
    c.AssignPen(&Pen());
    c.Pen()->SetMode(Mode);
    c.SetBackMode(cbmTransparent);
    const int p = LinePosition();
    const TRect& r = panel->ChartRect;
    const int d = panel->View3D() ? panel->Width3D : 0;
    const bool horizontal = a->Horizontal();
    const auto depthLine = [&] {
        if (horizontal)
            c.ZLine3D(p, r.Bottom, d, 0);
        else
            c.ZLine3D(r.Left, p, d, 0);
    };
    if (Back) {
        if (m_draw3D)
            depthLine();
        if (m_drawBehind || m_draw3D) {
            if (horizontal)
                c.VertLine3D(p, r.Top, r.Bottom, d);
            else
                c.HorizLine3D(r.Left, r.Right, p, d);
        }
    } else {
        if (!panel->View3D() && m_dragging && !m_dragRepaint)
            return;
        if (m_draw3D)
            depthLine();
        if (!m_drawBehind) {
            if (horizontal)
                c.VertLine3D(p, r.Top, r.Bottom, 0);
            else
                c.HorizLine3D(r.Left, r.Right, p, 0);
        }
    }
    c.Pen()->SetMode(pmCopy);
}

void TColorLineTool::ChartEvent(TToolDrawPhase Phase)
{
    if (Phase == tdpBeforeSeries)
        DrawColorLine(true);
    else if (Phase == tdpAfterDraw)
        DrawColorLine(false);
}

void TColorLineTool::DrawDragImage()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel)
        return;
    TRect r = panel->ChartRect;
    r.Right += Pen().Width() + 1;
    r.Bottom += Pen().Width() + 1;
    if (panel->View3D()) {
        r.Right += panel->Width3D;
        r.Top -= panel->Width3D;
    }
    panel->DrawOutsidePaint(r, [this](TCanvas3D&) {
        DrawColorLine(true, pmNotXor);
        DrawColorLine(false, pmNotXor);
    });
}

void TColorLineTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState, int X, int Y)
{
    TChartAxis* a = Axis();
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!m_allowDrag || !a || !panel)
        return;
    switch (Kind) {
    case tmkDown:
        if (Button != mbLeft)
            return;
        m_dragging = Clicked(X, Y);
        SetToolMouseHandled(*this, m_dragging);
        if (m_dragging && OnBeginDragLine)
            OnBeginDragLine(*this);
        break;
    case tmkMove:
        if (m_dragging) {
            double v = a->CalcPosPoint(a->Horizontal() ? X : Y);
            if (!m_noLimitDrag)
                v = LimitValue(v);
            bool drawn = false;
            if (m_dragRepaint) {
                SetValue(v);
            } else if (v != CalcValue()) {
                DrawDragImage();  // erases the line at its old place
                m_style = clCustom;
                m_value = v;
                drawn = true;
            }
            SetToolMouseHandled(*this, true);
            if (DragHook)
                DragHook();
            if (OnDragLine)
                OnDragLine(*this);
            if (drawn)
                DrawDragImage();
        } else if (Clicked(X, Y)) {
            panel->SetCursor(a->Horizontal() ? crHSplit : crVSplit);
            SetToolMouseHandled(*this, true);
        }
        break;
    case tmkUp:
        if (m_dragging) {
            m_dragging = false;
            if (!m_dragRepaint)
                Repaint();
            if (EndDragHook)
                EndDragHook();
            if (OnEndDragLine)
                OnEndDragLine(*this);
        }
        break;
    }
}
