#pragma once
// An annotation box the user drags and resizes with the mouse.
#include <functional>

#include "chart/tools/annotation_tool.h"

class TRectangleTool : public TAnnotationTool {
    Q_OBJECT
public:
    explicit TRectangleTool(QObject* Owner = nullptr);

    bool AllowDrag() const { return m_allowDrag; }
    void SetAllowDrag(bool Value) { m_allowDrag = Value; }
    bool AllowResize() const { return m_allowResize; }
    void SetAllowResize(bool Value) { m_allowResize = Value; }

    std::function<void(TRectangleTool& Sender)> OnDragged;
    std::function<void(TRectangleTool& Sender)> OnDragging;
    std::function<void(TRectangleTool& Sender)> OnResized;
    std::function<void(TRectangleTool& Sender)> OnResizing;

    // The edge or corner at (X, Y): -1 none, 0 left, 1 top, 2 right, 3 bottom,
    // 4 left-top, 5 left-bottom, 6 right-top, 7 right-bottom.
    int ClickedCorner(int X, int Y);
    int GrabbedPart() const { return m_part; }
    bool Dragging() const { return m_dragging; }

    std::string Description() const override;
    std::string LongDescription() const override;
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    TRect Box();
    // Pixels to percent of the chart control's width (or height); the value
    // itself for a control without size.
    int ToPercent(int Value, int Size) const;

    bool m_allowDrag = true;
    bool m_allowResize = true;
    int m_offsetX = 0;
    int m_offsetY = 0;
    bool m_dragging = false;
    int m_part = -1;
};
