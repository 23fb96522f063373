#pragma once
// A line across the chart's plotting area at one value of an axis, optionally
// dragged with the mouse (drawn in not-exclusive-or while dragging unless
// every step repaints).
#include <functional>
#include <string>

#include "chart/chart_tool.h"

enum TColorLineStyle { clCustom, clMaximum, clCenter, clMinimum };

class TColorLineTool : public TPlotCustomToolAxis {
    Q_OBJECT
public:
    explicit TColorLineTool(QObject* Owner = nullptr);

    using TColorLineToolOnDrag = std::function<void(TColorLineTool& Sender)>;

    bool AllowDrag() const { return m_allowDrag; }
    void SetAllowDrag(bool Value) { SetBooleanProperty(m_allowDrag, Value); }
    bool DragRepaint() const { return m_dragRepaint; }
    void SetDragRepaint(bool Value) { SetBooleanProperty(m_dragRepaint, Value); }
    bool Draw3D() const { return m_draw3D; }
    void SetDraw3D(bool Value) { SetBooleanProperty(m_draw3D, Value); }
    bool DrawBehind() const { return m_drawBehind; }
    void SetDrawBehind(bool Value) { SetBooleanProperty(m_drawBehind, Value); }
    bool NoLimitDrag() const { return m_noLimitDrag; }
    void SetNoLimitDrag(bool Value) { SetBooleanProperty(m_noLimitDrag, Value); }
    TColorLineStyle Style() const { return m_style; }
    void SetStyle(TColorLineStyle Value) { SetProperty(m_style, Value); }
    double Value() const { return m_value; }
    // Switches Style to clCustom (outside form loading).
    void SetValue(double Value);

    TColorLineToolOnDrag OnBeginDragLine;
    TColorLineToolOnDrag OnDragLine;
    TColorLineToolOnDrag OnEndDragLine;

    // The value the line lies at by Style.
    double CalcValue() const;
    // Value kept between the axis values at its two end pixels.
    double LimitValue(double Value) const;
    // The pixel along the axis the line is drawn at.
    int LinePosition() const;
    bool Clicked(int X, int Y) const;
    bool Dragging() const { return m_dragging; }
    // Draws the back (phase 1) or front (phase 0) part with the pen in Mode.
    void DrawColorLine(bool Back, TPenMode Mode = pmCopy);

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TColorLineToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // ---- for a band that owns the line ----
    // Binds the axis without joining the chart's tool list.
    void SetOwnedAxis(TChartAxis* Axis);
    // Called at the end of a drag, before OnEndDragLine.
    std::function<void()> EndDragHook;
    // Called after each drag step, before OnDragLine.
    std::function<void()> DragHook;

private:
    // Draws both passes outside a paint in not-exclusive-or.
    void DrawDragImage();

    bool m_allowDrag = true;
    bool m_dragRepaint = false;
    bool m_draw3D = true;
    bool m_drawBehind = false;
    bool m_noLimitDrag = false;
    TColorLineStyle m_style = clCustom;
    double m_value = 0;
    bool m_dragging = false;
};
