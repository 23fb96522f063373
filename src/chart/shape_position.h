#pragma once
// A framed box that may stand at a position of its own (the base of the
// legend and the titles): Left and Top are the box's left and top.
#include "chart/plot_shape.h"

class TPlotCustomShapePosition : public TPlotCustomShape {
public:
    explicit TPlotCustomShapePosition(TCustomPlotPanel* Owner = nullptr);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    bool CustomPosition() const { return m_customPosition; }
    void SetCustomPosition(bool Value);
    // Setting either turns CustomPosition on.
    int Left() const { return ShapeBounds.Left; }
    void SetLeft(int Value);
    int Top() const { return ShapeBounds.Top; }
    void SetTop(int Value);

    // CustomPosition is streamed only when it differs from this.
    bool DefaultCustomPosition() const { return m_defaultCustomPosition; }
    // CustomPosition and its stored default together (no repaint).
    void InitCustomPosition(bool Value) { m_customPosition = m_defaultCustomPosition = Value; }

    // CustomPosition, and Left and Top when it is on, then the shape.
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

private:
    // Stores one edge of the box and turns CustomPosition on.
    void SetEdge(int& Edge, int Value);

    bool m_customPosition = false;
    bool m_defaultCustomPosition = false;
};
