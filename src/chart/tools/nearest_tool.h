#pragma once
// Marks the point of a series nearest to the mouse with a circle, square,
// diamond or the series' own symbol, with a line from the mouse to it. With
// FullRepaint each move repaints the chart; without, the mark is erased and
// drawn again in not-exclusive-or mode.
#include <functional>
#include <memory>
#include <string>

#include "chart/chart_tool.h"
#include "chart/plot_geometry.h"

class TCustomPlotPanel;

enum TNearestToolStyle { hsNone, hsCircle, hsRectangle, hsDiamond, hsSeries };

class TNearestTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TNearestTool(QObject* Owner = nullptr);
    ~TNearestTool() override;

    // The visibility of LinePen.
    bool DrawLine() const;
    void SetDrawLine(bool Value);
    bool FullRepaint() const { return m_fullRepaint; }
    void SetFullRepaint(bool Value) { m_fullRepaint = Value; }
    TChartPen& LinePen() const { return *m_linePen; }
    void SetLinePen(const TChartPen& Value) { m_linePen->Assign(Value); }
    // Half the mark's size in pixels.
    int Size() const { return m_size; }
    void SetSize(int Value) { SetIntegerProperty(m_size, Value); }
    TNearestToolStyle Style() const { return m_style; }
    void SetStyle(TNearestToolStyle Value) { SetProperty(m_style, Value); }

    // The nearest point's index, -1 when none.
    int NearestIndex() const { return m_nearestIndex; }
    // The last mouse position.
    TPoint Point() const { return m_point; }

    std::function<void(TNearestTool& Sender)> OnChange;

    // The point of Series nearest to (X, Y): the series' own hit test first,
    // else the visible point inside the chart rectangle at the smallest
    // rounded distance below 10000 pixels (the lower index among equals); -1 when none.
    static int GetNearestPoint(const TChartSeries& Series, int X, int Y);

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TNearestToolEdit"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    // Whether there is a mark to draw now.
    bool HasMark() const;
    // Draws the mark on the panel's canvas (copy mode with FullRepaint, else not-xor).
    void PaintMark(TCustomPlotPanel& Panel);
    // The mark drawn (or erased) over the finished chart, outside a paint.
    void ToggleMark();
    // Pixels the mark covers.
    TRect MarkArea() const;

    bool m_fullRepaint = true;
    std::unique_ptr<TChartPen> m_linePen;
    int m_size = 20;
    TNearestToolStyle m_style = hsCircle;
    int m_nearestIndex = -1;
    TPoint m_point{};
};
