// Drawing side of TChartSeries: visible range, draw direction, points, marks
// and the legend symbol.
#include "chart/chart_series.h"

#include <QPointer>

#include <algorithm>

#include "chart/chart_messages.h"
#include "chart/chart_tool.h"
#include "chart/plot_canvas.h"
#include "chart/plot_panel.h"

namespace {

TCanvas3D* CanvasOf(const TChartSeries& Series)
{
    TSeriesParent* chart = Series.ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    return panel ? panel->Canvas() : nullptr;
}

// Each active series tool bound to Series receives Event.
void NotifySeriesTools(TChartSeries& Series, int Event)
{
    TSeriesParent* chart = Series.ParentChart();
    TChartTools* tools = chart ? chart->ToolList() : nullptr;
    if (!tools)
        return;
    const std::vector<TPlotCustomTool*> items = tools->Items();
    for (TPlotCustomTool* tool : items)
        if (tool->Active() && tool->BoundSeries() == &Series)
            tool->SeriesDrawEvent(Event);
}

}  // namespace

void TChartSeries::CalcFirstLastVisible()
{
    m_firstValueIndex = m_lastValueIndex = -1;
    const int n = Count();
    if (n == 0)
        return;
    const TChartValueList& list = NotMandatoryValueList();
    TChartAxis* axis = m_yMandatory ? m_resolvedHoriz : m_resolvedVert;
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    if (!m_calcVisiblePoints || list.Order() == loNone || !axis || !panel) {
        m_firstValueIndex = 0;
        m_lastValueIndex = n - 1;
        return;
    }
    const TRect& r = panel->ChartRect;
    const bool inverted = chart->AxisInverted(*axis);
    int minEdge, maxEdge;
    if (chart->AxisHorizontal(*axis)) {
        minEdge = inverted ? r.Right : r.Left;
        maxEdge = inverted ? r.Left : r.Right;
    } else {
        minEdge = inverted ? r.Top : r.Bottom;
        maxEdge = inverted ? r.Bottom : r.Top;
    }
    const double minimum = chart->CalcPosPoint(*axis, minEdge);
    int first = 0;
    while (first < n && list.Value(first) < minimum)
        ++first;
    if (first == n)
        return;
    m_firstValueIndex = first;
    const double maximum = chart->CalcPosPoint(*axis, maxEdge);
    if (list.Value(n - 1) <= maximum) {
        m_lastValueIndex = n - 1;
        return;
    }
    int last = first;
    while (last < n - 1 && list.Value(last) < maximum)
        ++last;
    if (!m_drawBetweenPoints && list.Value(last) > maximum)
        --last;
    m_lastValueIndex = last;
}

bool TChartSeries::DrawSeriesForward(int) const
{
    return !(ParentChart() && ParentChart()->SeenFromBehind());
}

void TChartSeries::DrawAllValues()
{
    TCanvas3D* canvas = CanvasOf(*this);
    const bool entities = canvas && canvas->DrawEntities;
    const auto draw = [&](int i) {
        if (entities)
            canvas->BeginEntity(std::to_string(i));
        DrawValue(i);
        if (entities)
            canvas->EndEntity();
    };
    if (DrawValuesForward()) {
        for (int i = m_firstValueIndex; i <= m_lastValueIndex && i >= 0; ++i)
            draw(i);
    } else {
        for (int i = m_lastValueIndex; i >= m_firstValueIndex && i >= 0; --i)
            draw(i);
    }
}

void TChartSeries::DoBeforeDrawValues()
{
    // the tools first: a handler draws inside what a tool set up
    NotifySeriesTools(*this, 1);
    if (BeforeDrawValues)
        BeforeDrawValues(*this);
}

void TChartSeries::DoAfterDrawValues()
{
    NotifySeriesTools(*this, 4);
    if (AfterDrawValues)
        AfterDrawValues(*this);
}

void TChartSeries::DrawValueAlone(int ValueIndex, const TChartPen& Pen)
{
    TChartPen own;
    own.Assign(this->Pen());
    this->Pen().Assign(Pen);
    DrawValue(ValueIndex);
    this->Pen().Assign(own);
}

void TChartSeries::DrawMarks()
{
    TCanvas3D* canvas = CanvasOf(*this);
    if (!canvas || m_firstValueIndex < 0)
        return;
    TSeriesMarks& marks = *m_marks;
    const int step = marks.DrawStep();
    // the mark text handler may free the series
    const QPointer<TChartSeries> alive(this);
    for (int i = m_firstValueIndex; i <= m_lastValueIndex; ++i) {
        if (i % step != 0 || IsNull(i))
            continue;
        const std::string text = GetMarkText(i);
        if (!alive)
            return;
        if (text.empty())
            continue;
        if (const TMarksItem* item = marks.ItemOrNull(i); item && !item->Visible())
            continue;
        TSeriesMarkPosition position;
        marks.MeasureBox(*canvas, i, text, position);
        position.PlaceAt(CalcXPos(i), CalcYPos(i));
        DrawMark(i, text, position);
    }
}

void TChartSeries::DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position)
{
    if (TCanvas3D* canvas = CanvasOf(*this))
        m_marks->DrawItem(*canvas, Index, GetValueColor(Index), Text, Position);
}

void TChartSeries::DrawLegend(int Index, const TRect& Rect)
{
    if (Index == -1 && m_colorEachPoint)
        return;
    TSeriesParent* chart = ParentChart();
    TCustomPlotPanel* panel = chart ? chart->Panel() : nullptr;
    TCanvas3D* canvas = panel ? panel->Canvas() : nullptr;
    if (!canvas)
        return;
    // a failure of the series type's drawing gives the chart its repainting back
    TAutoRepaintOff off(*panel);
    const TColor color = Index == -1 ? SeriesColor() : LegendItemColor(Index);
    canvas->Brush()->SetColor(color);
    if (color == clNone)
        return;
    canvas->AssignPen(&Pen());
    // symbols are drawn against the legend
    TColor backColor = chart->LegendBackColor();
    TBrushStyle brushStyle = Brush().Style();
    PrepareLegendCanvas(Index, backColor, brushStyle);
    if (TChartPen* symbolPen = chart->LegendSymbolPen())
        canvas->AssignPen(symbolPen);
    if (backColor == clDefault)
        backColor = chart->LegendBackColor();
    if (backColor == clDefault)
        backColor = panel->Color();
    const TBrushStyle own = Brush().Style();
    const bool swap = brushStyle != own && !(Brush().HasImage() && Brush().Image()->HasGraphic());
    if (swap)
        Brush().SetStyle(brushStyle);
    panel->ApplyBrush(color, &Brush(), backColor);
    DrawLegendShape(Index, Rect);
    if (swap)
        Brush().SetStyle(own);
}

void TChartSeries::DrawLegendShape(int, const TRect& Rect)
{
    if (TSeriesParent* chart = ParentChart())
        chart->DrawLegendRect(Rect);
}

void TChartSeries::CreateSubGallery(std::vector<std::string>& Captions) const
{
    Captions.push_back(PlotMsgNormal);
}
