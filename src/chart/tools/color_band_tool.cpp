#include "chart/tools/color_band_tool.h"

#include <algorithm>
#include <utility>

#include "chart/appearance_properties.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/plot_blend.h"
#include "chart/plot_panel.h"
#include "chart/plot_picture.h"
#include "chart/plot_procs.h"
#include "chart/tools/tool_chart.h"

TColorBandTool::TColorBandTool(QObject* Owner)
    : TPlotCustomToolAxis(Owner), m_gradient(std::make_unique<TPlotGradient>([this] { Repaint(); })),
      m_startLine(std::make_unique<TColorLineTool>()), m_endLine(std::make_unique<TColorLineTool>())
{
    for (TColorLineTool* line : {m_startLine.get(), m_endLine.get()}) {
        line->SetActive(false);
        line->SetDragRepaint(true);
        line->DragHook = [this, line] { LineDragged(*line); };
        line->EndDragHook = [this] {
            if (OnResized)
                OnResized(*this);
        };
        line->Pen().OnChange = [this] { Repaint(); };
    }
}

TColorBandTool::~TColorBandTool() = default;

std::string TColorBandTool::Description() const { return ProMsgToolColorBand; }
std::string TColorBandTool::LongDescription() const { return ProMsgToolColorBandDesc; }

const TPropertyTable<TCustomChartElement>& TColorBandTool::Properties()
{
    using S = TColorBandTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolAxis::Properties())
            .Property("Color", ColorKind, TAccessors{&S::Color, &S::SetColor}, clWhite)
            .Property("Cursor", IntegerKind, TAccessors{&S::Cursor, &S::SetCursor}, crDefault)
            .Property("DrawBehind", BooleanKind, TAccessors{&S::DrawBehind, &S::SetDrawBehind}, true)
            .Property("DrawBehindAxes", BooleanKind, TAccessors{&S::DrawBehindAxes, &S::SetDrawBehindAxes}, false)
            .Object(
                "EndLinePen", [](const S& s) { return &s.EndLinePen(); }, [](S& s) { return &s.EndLinePen(); },
                nullptr, ChartPenProperties())
            .Property("EndValue", FloatKind, TAccessors{&S::EndValue, &S::SetEndValue}, 0.0)
            .Object(
                "Gradient", [](const S& s) { return s.m_gradient.get(); }, [](S& s) { return s.m_gradient.get(); },
                nullptr, PlotGradientProperties())
            .Object(
                "Picture", [](const S& s) -> const TPicture* { return s.PictureIfAny(); },
                [](S& s) -> TPicture* { return s.Picture(); }, [](S& s) { s.m_picture.reset(); },
                PlotPictureProperties())
            .Property("ResizeEnd", BooleanKind, TAccessors{&S::ResizeEnd, &S::SetResizeEnd}, false)
            .Property("ResizeStart", BooleanKind, TAccessors{&S::ResizeStart, &S::SetResizeStart}, false)
            .Object(
                "StartLinePen", [](const S& s) { return &s.StartLinePen(); },
                [](S& s) { return &s.StartLinePen(); }, nullptr, ChartPenProperties())
            .Property("StartValue", FloatKind, TAccessors{&S::StartValue, &S::SetStartValue}, 0.0)
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency}, 0);
    return table;
}

void TColorBandTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TColorBandTool*>(&Source)) {
        m_color = s->m_color;
        m_cursor = s->m_cursor;
        m_drawBehind = s->m_drawBehind;
        m_drawBehindAxes = s->m_drawBehindAxes;
        m_endValue = s->m_endValue;
        m_startValue = s->m_startValue;
        m_transparency = s->m_transparency;
        m_gradient->Assign(*s->m_gradient);
        if (s->m_picture)
            Picture()->Assign(s->m_picture.get());
        else
            m_picture.reset();
        EndLinePen().Assign(s->EndLinePen());
        StartLinePen().Assign(s->StartLinePen());
        SetResizeEnd(s->ResizeEnd());
        SetResizeStart(s->ResizeStart());
        CopyValuesToLines();
    }
    TPlotCustomToolAxis::Assign(Source);
}

TPlotPicture* TColorBandTool::Picture()
{
    if (!m_picture) {
        m_picture = std::make_unique<TPlotPicture>();
        m_picture->OnChange = [this] { Repaint(); };
    }
    return m_picture.get();
}

void TColorBandTool::CopyValuesToLines()
{
    m_startLine->SetValue(m_startValue);
    m_endLine->SetValue(m_endValue);
}

void TColorBandTool::Loaded()
{
    TPlotCustomToolAxis::Loaded();
    CopyValuesToLines();
}

void TColorBandTool::SetStartValue(double Value)
{
    SetDoubleProperty(m_startValue, Value);
    CopyValuesToLines();
}

void TColorBandTool::SetEndValue(double Value)
{
    SetDoubleProperty(m_endValue, Value);
    CopyValuesToLines();
}

void TColorBandTool::SetAxis(TChartAxis* Value)
{
    TPlotCustomToolAxis::SetAxis(Value);
    m_startLine->SetOwnedAxis(Value);
    m_endLine->SetOwnedAxis(Value);
}

void TColorBandTool::ForgetAxis()
{
    TPlotCustomToolAxis::ForgetAxis();
    m_startLine->ForgetAxis();
    m_endLine->ForgetAxis();
}

void TColorBandTool::SetParentChart(TSeriesParent* Value)
{
    TPlotCustomToolAxis::SetParentChart(Value);
    // the edge lines follow the band's chart outside its tool list
    for (TColorLineTool* line : {m_startLine.get(), m_endLine.get()}) {
        line->SetParentChart(Value);
        if (Value && Value->ToolList())
            Value->ToolList()->Remove(line);
    }
}

void TColorBandTool::LineDragged(TColorLineTool& Line)
{
    if (&Line == m_startLine.get())
        SetStartValue(Line.Value());
    else
        SetEndValue(Line.Value());
}

TRect TColorBandTool::BoundsRect() const
{
    const TChartAxis* a = Axis();
    const TCustomPlotPanel* panel = ToolPanel(*this);
    if (!a || !panel)
        return {};
    TRect r = panel->ChartRect;
    double s = m_startValue;
    double e = m_endValue;
    if (a->Inverted() ? s < e : s > e)
        std::swap(s, e);
    const double lo = std::min(s, e);
    const double hi = std::max(s, e);
    if (lo > a->CurrentMaximum() || hi < a->CurrentMinimum())
        return {};
    if (a->Horizontal()) {
        r.Left = std::max(a->StartPos(), a->CalcPosValue(s));
        r.Right = std::min(a->EndPos(), a->CalcPosValue(e));
        if (Pen().Visible())
            ++r.Right;
    } else {
        r.Top = std::max(a->StartPos(), a->CalcPosValue(e));
        r.Bottom = std::min(a->EndPos(), a->CalcPosValue(s));
        ++r.Left;
        ++r.Bottom;
        if (!Pen().Visible()) {
            ++r.Bottom;
            ++r.Right;
        }
    }
    return r;
}

bool TColorBandTool::Clicked(int X, int Y) const
{
    const TRect r = BoundsRect();
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return false;
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel || !panel->View3D())
        return X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom;
    // in 3D the band shows where its rectangle is projected, at its depth
    TPoint corners[4];
    panel->Canvas()->ProjectRectCorners(r, m_drawBehind ? panel->Width3D : 0, corners);
    return PointInPolygon(TPoint{X, Y}, corners);
}

void TColorBandTool::DrawBand()
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    const TRect r = BoundsRect();
    if (!panel || r.Right - r.Left <= 0 || r.Bottom - r.Top <= 0)
        return;
    TCanvas3D& c = *panel->Canvas();
    const bool is3D = panel->View3D();
    c.AssignBrush(&Brush(), m_color);
    c.AssignPen(&Pen());
    const int z = m_drawBehind && is3D ? panel->Width3D : 0;
    TPlotBlend* blend = m_transparency != 0 ? c.BeginBlending(is3D ? c.ProjectRect(r, z) : r, m_transparency) : nullptr;
    if (m_gradient->Visible()) {
        TRect g{r.Left, r.Top, r.Right - 1, r.Bottom - 1};
        m_gradient->Draw(c, is3D ? c.ProjectRect(g, z) : g);
        c.Brush()->SetStyle(bsClear);
    }
    if (m_picture && m_picture->HasGraphic()) {
        const TView3DOptions* view = panel->View3DOptions();
        if (is3D && view && !view->Orthogonal())
            c.StretchDrawAtZ(r, m_picture->FilteredGraphic(), z, 2);
        else
            c.StretchDraw(is3D ? c.ProjectRect(r, z) : r, m_picture->FilteredGraphic());
    } else if (is3D) {
        c.RectangleWithZ(r, z);
    } else {
        c.RectangleRect(r);
    }
    c.EndBlending(blend);
    for (TColorLineTool* line : {m_startLine.get(), m_endLine.get()}) {
        if (!line->Active())
            continue;
        line->SetValue(line == m_startLine.get() ? m_startValue : m_endValue);
        line->DrawColorLine(m_drawBehind);
    }
}

void TColorBandTool::ChartEvent(TToolDrawPhase Phase)
{
    if ((Phase == tdpAfterDraw && !m_drawBehind && !m_drawBehindAxes) ||
        (Phase == tdpBeforeSeries && m_drawBehind && !m_drawBehindAxes) ||
        (Phase == tdpBeforeAxes && m_drawBehindAxes))
        DrawBand();
}

void TColorBandTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (m_startLine->Active())
        m_startLine->ChartMouseEvent(Kind, Button, Shift, X, Y);
    if (m_endLine->Active() && !ToolMouseHandled(*this))
        m_endLine->ChartMouseEvent(Kind, Button, Shift, X, Y);
    if (Kind == tmkDown && OnClick && Clicked(X, Y))
        OnClick(*this, Button, Shift, X, Y);
    else if (Kind == tmkMove && m_cursor != crDefault && !ToolMouseHandled(*this) && Clicked(X, Y)) {
        TCustomPlotPanel* panel = ToolPanel(*this);
        panel->SetCursor(m_cursor);
        if (!panel->Panning().Active)
            SetToolMouseHandled(*this, true);
    }
}
