#pragma once
// Cursor lines over a chart, drawn in exclusive-or after each paint so that a
// move erases and redraws them without repainting the chart; they can be
// dragged, follow the mouse and snap to the points of a series.
#include <array>
#include <functional>
#include <string>

#include "chart/chart_tool.h"
#include "chart/tools/tool_geometry.h"

enum TScopeCursorStyle { scsRectangle, scsCircle, scsDiamond, scsEmpty, scsCamera };

class TCursorTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TCursorTool(QObject* Owner = nullptr);

    using TCursorToolChangeEvent = std::function<void(TCursorTool& Sender, int X, int Y, double XValue, double YValue,
                                                      TChartSeries* Series, int ValueIndex)>;

    int ClickTolerance() const { return m_clickTolerance; }
    void SetClickTolerance(int Value) { m_clickTolerance = Value; }
    bool FollowMouse() const { return m_followMouse; }
    void SetFollowMouse(bool Value) { m_followMouse = Value; }
    int HorizSize() const { return m_horizSize; }
    void SetHorizSize(int Value) { SetIntegerProperty(m_horizSize, Value); }
    int ScopeSize() const { return m_scopeSize; }
    void SetScopeSize(int Value) { SetIntegerProperty(m_scopeSize, Value); }
    TScopeCursorStyle ScopeStyle() const { return m_scopeStyle; }
    void SetScopeStyle(TScopeCursorStyle Value) { SetProperty(m_scopeStyle, Value); }
    bool Snap() const { return m_snap; }
    void SetSnap(bool Value) { m_snap = Value; }
    TSnapStyle SnapStyle() const { return m_snapStyle; }
    void SetSnapStyle(TSnapStyle Value) { m_snapStyle = Value; }
    TCursorToolStyle Style() const { return m_style; }
    // Re-snaps and repaints.
    void SetStyle(TCursorToolStyle Value);
    bool UseSeriesZ() const { return m_useSeriesZ; }
    void SetUseSeriesZ(bool Value) { SetBooleanProperty(m_useSeriesZ, Value); }
    int VertSize() const { return m_vertSize; }
    void SetVertSize(int Value) { SetIntegerProperty(m_vertSize, Value); }
    // Resets the last snapped index, re-snaps and repaints.
    void SetSeries(TChartSeries* Value) override;
    void SetParentChart(TSeriesParent* Value) override;

    // Position in axis values and in pixels (-1 until first placed).
    double XValue() const { return m_xValue; }
    void SetXValue(double Value) { SetDoubleProperty(m_xValue, Value); }
    double YValue() const { return m_yValue; }
    void SetYValue(double Value) { SetDoubleProperty(m_yValue, Value); }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    // Span the chart's plotting rectangle instead of the axes.
    bool UseChartRect = false;
    // The grabbed part: 0 none, 1 horizontal line, 2 vertical line, 3 crossing.
    int GrabbedPart() const { return m_grabbed; }

    TCursorToolChangeEvent OnChange;
    TCursorToolChangeEvent OnSnapChange;
    // May change the area the lines span (not with UseChartRect).
    std::function<void(TCursorTool& Sender, TRect& Rect)> OnGetAxisRect;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TCursorToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

    // Moves the cursor onto the nearest point; the index or -1.
    int SnapToPoint();
    // Draws the cursor once in exclusive-or mode on the chart's canvas.
    void RedrawCursor();
    // The part at (X, Y): 0 to 3.
    int Clicked(int X, int Y) const;
    // The area the lines span, without and with the line sizes.
    TRect AxisRect() const;
    TRect AxisRectWithSizes() const;

protected:
    virtual void DoChange(int ValueIndex);

private:
    void CalcScreenPositions();
    void CalcValuePositions(int X, int Y, int Part);
    // What the cursor covers at its current position: the horizontal line's
    // rows, the vertical line's columns and the scope (for showing a move).
    std::array<TRect, 3> DrawnAreas() const;

    int m_clickTolerance = 3;
    bool m_followMouse = false;
    int m_horizSize = 0;
    int m_scopeSize = 4;
    TScopeCursorStyle m_scopeStyle = scsRectangle;
    bool m_snap = false;
    TSnapStyle m_snapStyle = ssDefault;
    TCursorToolStyle m_style = cssBoth;
    bool m_useSeriesZ = false;
    int m_vertSize = 0;
    double m_xValue = 0;
    double m_yValue = 0;
    int m_x = -1;
    int m_y = -1;
    int m_grabbed = 0;
    int m_lastSnap = -1;
};
