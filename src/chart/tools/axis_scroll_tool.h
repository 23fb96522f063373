#pragma once
// Scrolls an axis (or any visible axis under the mouse) by dragging on it;
// the axes that share a series with it follow.
#include <string>

#include "chart/chart_tool.h"

class TAxisScrollTool : public TPlotCustomToolAxis {
    Q_OBJECT
public:
    explicit TAxisScrollTool(QObject* Owner = nullptr);

    bool ScrollInverted() const { return m_scrollInverted; }
    void SetScrollInverted(bool Value) { m_scrollInverted = Value; }
    // The axis being dragged, nullptr when idle.
    TChartAxis* DraggedAxis() const { return m_dragged; }

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TAxisScrollEditor"; }
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void ForgetAxis() override;

private:
    // Axis when it is visible and under (X, Y), else the first such axis of the chart.
    TChartAxis* AxisAt(int X, int Y) const;
    void DragBy(int Pixels);
    // A custom axis may be freed during the drag.
    bool StillOnChart(const TChartAxis* Axis) const;

    bool m_scrollInverted = false;
    TChartAxis* m_dragged = nullptr;
    int m_lastX = 0;
    int m_lastY = 0;
};
