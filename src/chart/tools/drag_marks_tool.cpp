#include "chart/tools/drag_marks_tool.h"

#include "chart/chart_messages.h"
#include "chart/chart_series.h"
#include "chart/tools/tool_chart.h"

TDragMarksTool::TDragMarksTool(QObject* Owner) : TPlotCustomToolSeries(Owner) {}

std::string TDragMarksTool::Description() const { return ProMsgToolDragMarks; }
std::string TDragMarksTool::LongDescription() const { return ProMsgToolDragMarksDesc; }

TChartSeries* TDragMarksTool::MarkAt(int X, int Y, int& Index) const
{
    Index = -1;
    if (TChartSeries* s = Series()) {
        if (!s->Active() || !s->Marks().Visible())
            return nullptr;
        Index = s->Marks().Clicked(X, Y);
        return Index == -1 ? nullptr : s;
    }
    return SeriesMarkAt(*this, X, Y, Index);
}

void TDragMarksTool::ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    switch (Kind) {
    case tmkDown: {
        int index = -1;
        if (TChartSeries* s = MarkAt(X, Y, index)) {
            m_index = index;
            m_dragged = s;
            m_lastX = X;
            m_lastY = Y;
            SetToolMouseHandled(*this, true);
        }
        break;
    }
    case tmkMove:
        if (m_index != -1 && m_dragged) {
            // the series may have lost the point meanwhile
            if (TSeriesMarkPosition* p = m_dragged->Marks().Position(m_index)) {
                const int dx = X - m_lastX;
                const int dy = Y - m_lastY;
                p->Custom = true;
                p->LeftTop.X += dx;
                p->LeftTop.Y += dy;
                p->ArrowTo.X += dx;
                p->ArrowTo.Y += dy;
            }
            m_lastX = X;
            m_lastY = Y;
            SetToolMouseHandled(*this, true);
            if (TSeriesParent* chart = ParentChart())
                chart->Invalidate();
            if (OnDraggingMark)
                OnDraggingMark(*this, m_index, Button, Shift, X, Y);
        } else {
            int index = -1;
            if (MarkAt(X, Y, index)) {
                SetToolChartCursor(*this, crHandPoint);
                SetToolMouseHandled(*this, true);
            }
        }
        break;
    case tmkUp:
        if (m_index != -1) {
            if (OnDraggedMark)
                OnDraggedMark(*this, m_index, Button, Shift, X, Y);
            m_index = -1;
            m_dragged = nullptr;
        }
        break;
    }
}
