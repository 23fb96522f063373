#include "chart/tools/axis_scroll_tool.h"

#include "chart/axis_panel.h"
#include "chart/chart_axis.h"
#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/tools/tool_chart.h"

TAxisScrollTool::TAxisScrollTool(QObject* Owner) : TPlotCustomToolAxis(Owner) {}

std::string TAxisScrollTool::Description() const { return ProMsgToolAxisScroll; }
std::string TAxisScrollTool::LongDescription() const { return ProMsgToolAxisScrollDesc; }

const TPropertyTable<TCustomChartElement>& TAxisScrollTool::Properties()
{
    using S = TAxisScrollTool;
    static const TPropertyTable<TCustomChartElement> table =
        TPropertyTable<TCustomChartElement>::Of<S>(TPlotCustomToolAxis::Properties())
            .Property("ScrollInverted", BooleanKind, TAccessors{&S::ScrollInverted, &S::SetScrollInverted}, false);
    return table;
}

void TAxisScrollTool::ForgetAxis()
{
    TPlotCustomToolAxis::ForgetAxis();
    m_dragged = nullptr;
}

TChartAxis* TAxisScrollTool::AxisAt(int X, int Y) const
{
    TChartAxis* own = Axis();
    if (own && own->Visible() && own->Clicked(X, Y))
        return own;
    const TSeriesParent* chart = ParentChart();
    if (!chart)
        return nullptr;
    for (int i = 0; i < chart->AxisListCount(); ++i) {
        TChartAxis* a = chart->AxisListItem(i);
        if (a && a->Visible() && a->Clicked(X, Y))
            return a;
    }
    return nullptr;
}

bool TAxisScrollTool::StillOnChart(const TChartAxis* Axis) const
{
    const TSeriesParent* chart = ParentChart();
    if (!chart)
        return false;
    for (int i = 0; i < chart->AxisListCount(); ++i)
        if (chart->AxisListItem(i) == Axis)
            return true;
    return false;
}

void TAxisScrollTool::DragBy(int Pixels)
{
    const auto scroll = [](TChartAxis& A, int D) {
        if (A.AxisSize() != 0)
            A.Scroll((A.Maximum() - A.Minimum()) * D / A.AxisSize(), false);
    };
    TChartAxis& dragged = *m_dragged;
    scroll(dragged, Pixels);
    const TCustomAxisPanel* chart = ToolAxisPanel(*this);
    if (!chart)
        return;
    for (int i = 0; i < chart->AxisListCount(); ++i) {
        TChartAxis* other = chart->AxisListItem(i);
        if (!other || other == &dragged || other->Horizontal() != dragged.Horizontal())
            continue;
        for (int k = 0; k < chart->SeriesCount(); ++k) {
            const TChartSeries* s = chart->Series(k);
            if (s->AssociatedToAxis(&dragged) && s->AssociatedToAxis(other)) {
                scroll(*other, Pixels);
                break;
            }
        }
    }
}

void TAxisScrollTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton, TShiftState, int X, int Y)
{
    if (!Active())
        return;
    switch (Kind) {
    case tmkDown:
        m_dragged = AxisAt(X, Y);
        m_lastX = X;
        m_lastY = Y;
        break;
    case tmkMove:
        if (m_dragged && !StillOnChart(m_dragged))
            m_dragged = nullptr;
        if (!m_dragged) {
            if (AxisAt(X, Y)) {
                SetToolChartCursor(*this, crHandPoint);
                SetToolMouseHandled(*this, true);
            }
            break;
        }
        {
            const bool horizontal = m_dragged->Horizontal();
            int d = horizontal ? m_lastX - X : m_lastY - Y;
            if (m_dragged->Inverted())
                d = -d;
            if (horizontal == m_scrollInverted)
                d = -d;
            DragBy(d);
        }
        m_lastX = X;
        m_lastY = Y;
        SetToolMouseHandled(*this, true);
        break;
    case tmkUp:
        m_dragged = nullptr;
        break;
    }
}
