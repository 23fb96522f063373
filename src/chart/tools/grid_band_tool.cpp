#include "chart/tools/grid_band_tool.h"

#include <algorithm>

#include "chart/appearance_properties.h"
#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/chart_walls.h"
#include "chart/plot_blend.h"
#include "chart/tools/tool_chart.h"
#include "chart/tools/tool_geometry.h"

TGridBandBrush::TGridBandBrush(std::function<void()> OnChange)
    : TChartBrush(OnChange), m_gradient(std::make_unique<TPlotGradient>(OnChange))
{
}

void TGridBandBrush::SetTransparency(int Value)
{
    if (m_transparency == Value)
        return;
    m_transparency = Value;
    if (OnChange)
        OnChange();
}

void TGridBandBrush::Assign(const TBrush& Source)
{
    if (const auto* s = dynamic_cast<const TGridBandBrush*>(&Source)) {
        m_gradient->Assign(*s->m_gradient);
        m_transparency = s->m_transparency;
    }
    TChartBrush::Assign(Source);
}

const TPropertyTable<TGridBandBrush>& TGridBandBrush::Properties()
{
    using S = TGridBandBrush;
    static const TPropertyTable<TGridBandBrush> table =
        TPropertyTable<TGridBandBrush>::Of()
            .Property("BackColor", ColorKind, TAccessors{&S::BackColor, &S::SetBackColor},
                      TInstanceDefault{[](const S& s) { return s.DefaultBackColor(); }})
            .Property("Color", ColorKind,
                      TAccessors{[](const S& s) { return s.Color(); }, [](S& s, TColor v) { s.SetColor(v); }},
                      TInstanceDefault{[](const S& s) { return s.DefaultColor(); }})
            .Property("Style", EnumKind(BrushStyleNames),
                      TAccessors{[](const S& s) { return s.Style(); }, [](S& s, TBrushStyle v) { s.SetStyle(v); }},
                      TInstanceDefault{[](const S& s) { return s.DefaultStyle(); }})
            .Object(
                "Gradient", [](const S& s) { return s.m_gradient.get(); }, [](S& s) { return s.m_gradient.get(); },
                nullptr, PlotGradientProperties())
            .Property("Transparency", IntegerKind, TAccessors{&S::Transparency, &S::SetTransparency}, 0);
    return table;
}

TGridBandTool::TGridBandTool(QObject* Owner)
    : TPlotCustomToolAxis(Owner), m_band1(std::make_unique<TGridBandBrush>([this] { Repaint(); })),
      m_band2(std::make_unique<TGridBandBrush>([this] { Repaint(); }))
{
    m_band2->InitColor(clWhite);
}

TGridBandTool::~TGridBandTool() { Unhook(); }

std::string TGridBandTool::Description() const { return ProMsgToolGridBand; }
std::string TGridBandTool::LongDescription() const { return ProMsgToolGridBandDesc; }

const TPropertyTable<TCustomChartElement>& TGridBandTool::Properties()
{
    using S = TGridBandTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolAxis::Properties())
            .Object(
                "Band1", [](const S& s) { return &s.Band1(); }, [](S& s) { return &s.Band1(); }, nullptr,
                TGridBandBrush::Properties())
            .Object(
                "Band2", [](const S& s) { return &s.Band2(); }, [](S& s) { return &s.Band2(); }, nullptr,
                TGridBandBrush::Properties());
    return table;
}

void TGridBandTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TGridBandTool*>(&Source)) {
        m_band1->Assign(*s->m_band1);
        m_band2->Assign(*s->m_band2);
    }
    TPlotCustomToolAxis::Assign(Source);
}

void TGridBandTool::Unhook()
{
    if (TChartAxis* a = Axis())
        a->OnDrawGrids = nullptr;
}

void TGridBandTool::SetAxis(TChartAxis* Value)
{
    Unhook();
    TPlotCustomToolAxis::SetAxis(Value);
    if (Value)
        Value->OnDrawGrids = [this](TChartAxis& Sender) { DrawGrid(Sender); };
}

void TGridBandTool::ForgetAxis()
{
    Unhook();
    TPlotCustomToolAxis::ForgetAxis();
}

void TGridBandTool::DrawGrid(TChartAxis& Sender)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (!panel || !Active() || Sender.TickPositions.size() < 2)
        return;
    if (m_band1->Style() == bsClear && m_band2->Style() == bsClear)
        return;
    TCanvas3D& c = *panel->Canvas();
    const bool horizontal = Sender.Horizontal();
    const TRect& cr = panel->ChartRect;
    int across0 = AxisStart;
    int across1 = AxisEnd;
    if (across0 == 0 && across1 == 0) {
        across0 = horizontal ? cr.Top + 1 : cr.Left + 1;
        across1 = horizontal ? cr.Bottom : cr.Right;
    }
    const bool is3D = panel->View3D();
    const int depth = is3D ? panel->Width3D : 0;
    TColor wallColor = clWhite;
    if (const auto* chart = dynamic_cast<const TCustomChart*>(panel))
        wallColor = chart->BackWall()->Brush()->Color();
    c.Pen()->SetStyle(psClear);
    TGridBandBrush* brush = m_band1.get();
    for (const auto& [a, b] : GridBandStripes(Sender.TickPositions, horizontal, Sender.StartPos(), Sender.EndPos())) {
        TGridBandBrush* current = brush;
        brush = brush == m_band1.get() ? m_band2.get() : m_band1.get();
        if (current->Style() == bsClear)
            continue;
        const int lo = std::min(a, b);
        const int hi = std::max(a, b);
        TRect r = horizontal ? TRect{lo, across0, hi, across1} : TRect{across0, lo + 1, across1, hi};
        TPlotBlend* blend = current->Transparency() != 0
                                ? c.BeginBlending(is3D ? c.ProjectRect(r, depth) : r, current->Transparency())
                                : nullptr;
        if (!current->Gradient().Visible()) {
            c.AssignBrushColor(current, current->Color(),
                               current->BackColor() == clNone ? wallColor : current->BackColor());
            c.Pen()->SetStyle(psClear);
            if (is3D) {
                c.RectangleWithZ(r, depth);
            } else {
                ++r.Right;
                c.RectangleRect(r);
            }
        } else {
            if (is3D) {
                current->Gradient().Draw(c, c.ProjectRect(r, depth));
            } else {
                --r.Bottom;
                current->Gradient().Draw(c, r);
            }
        }
        c.EndBlending(blend);
    }
}
