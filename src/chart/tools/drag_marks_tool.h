#pragma once
// Drags the marks of a series (or of every series) to places of the user's
// choosing: the mark's box and its arrow end move with the mouse.
#include <QPointer>

#include <functional>
#include <string>

#include "chart/chart_series.h"
#include "chart/chart_tool.h"

class TDragMarksTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TDragMarksTool(QObject* Owner = nullptr);

    using TDragMarkEvent = std::function<void(TDragMarksTool& Sender, int Index, TMouseButton Button,
                                              TShiftState Shift, int X, int Y)>;

    // The mark being dragged (-1 when none) and its series.
    int DraggedIndex() const { return m_index; }
    TChartSeries* DraggedSeries() const { return m_dragged; }

    TDragMarkEvent OnDraggedMark;
    TDragMarkEvent OnDraggingMark;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TDragMarksToolEditor"; }

    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // The mark under (X, Y) in Series, or in the chart's series last to first.
    TChartSeries* MarkAt(int X, int Y, int& Index) const;

    int m_index = -1;
    QPointer<TChartSeries> m_dragged;
    int m_lastX = 0;
    int m_lastY = 0;
};
