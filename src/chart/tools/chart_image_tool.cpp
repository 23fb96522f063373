#include "chart/tools/chart_image_tool.h"

#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/plot_panel.h"
#include "chart/plot_picture.h"
#include "chart/tools/tool_chart.h"

TChartImageTool::TChartImageTool(QObject* Owner)
    : TPlotCustomToolSeries(Owner), m_picture(std::make_unique<TPlotPicture>())
{
    m_picture->OnChange = [this] { Repaint(); };
    Pen().InitVisible(false);
}

TChartImageTool::~TChartImageTool() = default;

std::string TChartImageTool::Description() const { return ProMsgToolImage; }
std::string TChartImageTool::LongDescription() const { return ProMsgToolImageDesc; }

const TPropertyTable<TCustomChartElement>& TChartImageTool::Properties()
{
    using S = TChartImageTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolSeries::Properties())
            .Object(
                "Picture", [](const S& s) -> const TPicture* { return s.m_picture.get(); },
                [](S& s) -> TPicture* { return s.m_picture.get(); }, nullptr, PlotPictureProperties());
    return table;
}

void TChartImageTool::SetPicture(const TPlotPicture& Value)
{
    if (&Value != m_picture.get())
        m_picture->Assign(&Value);
}

void TChartImageTool::SetSeries(TChartSeries* Value)
{
    if (Series() == Value)
        return;
    TPlotCustomToolSeries::SetSeries(Value);
    Repaint();
}

void TChartImageTool::Assign(const TCustomChartElement& Source)
{
    if (const auto* s = dynamic_cast<const TChartImageTool*>(&Source))
        SetPicture(*s->m_picture);
    TPlotCustomToolSeries::Assign(Source);
}

TRect TChartImageTool::ImageArea() const
{
    if (const TChartSeries* s = Series())
        return TRect{s->CalcXPosValue(s->MinXValue()), s->CalcYPosValue(s->MaxYValue()),
                     s->CalcXPosValue(s->MaxXValue()), s->CalcYPosValue(s->MinYValue())};
    const TChartAxis* h = GetHorizAxis();
    const TChartAxis* v = GetVertAxis();
    if (!h || !v)
        return {};
    return TRect{h->CalcPosValue(h->Minimum()), v->CalcPosValue(v->Maximum()), h->CalcPosValue(h->Maximum()),
                 v->CalcPosValue(v->Minimum())};
}

void TChartImageTool::ChartEvent(TToolDrawPhase Phase)
{
    TCustomPlotPanel* panel = ToolPanel(*this);
    if (Phase != tdpBeforeSeries || !panel || !m_picture->HasGraphic())
        return;
    TCanvas3D& c = *panel->Canvas();
    const TRect area = ImageArea();
    const int depth = panel->Width3D;
    const bool clip = panel->CanClip();
    if (clip)
        c.ClipCube(panel->ChartRect, 0, depth);
    const TGraphic* graphic = m_picture->FilteredGraphic();
    if (panel->View3D() && !panel->View3DOptions()->Orthogonal())
        c.StretchDrawAtZ(area, graphic, depth, 2);
    else
        c.StretchDraw(c.ProjectRect(area, depth), graphic);
    if (Pen().Visible()) {
        c.AssignPen(&Pen());
        c.Brush()->SetStyle(bsClear);
        if (panel->View3D())
            c.RectangleWithZ(area, depth);
        else
            c.Rectangle(area.Left, area.Top, area.Right, area.Bottom);
    }
    if (clip)
        c.UnClip();
}
