#pragma once
// Lines the user draws on a chart by dragging (also parallel pairs,
// rectangles and ellipses), stored in axis values so that they follow zoom
// and scroll; a drawn line can be selected, moved, or moved by an end handle.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/chart_pen.h"
#include "chart/chart_tool.h"
#include "chart/plot_geometry.h"

enum TDrawLineStyle { dlLine, dlHorizParallel, dlVertParallel, dlRectangle, dlEllipse };

class TDrawLineTool;

class TDrawLine {
public:
    // Tool: the tool whose collection holds the line (may be nullptr).
    explicit TDrawLine(TDrawLineTool* Tool = nullptr);
    ~TDrawLine();
    TDrawLine(const TDrawLine&) = delete;
    TDrawLine& operator=(const TDrawLine&) = delete;

    // The line's own pen, created on first read as a copy of the tool's pen.
    TChartPen* Pen();
    TChartPen* PenIfAny() const { return m_pen.get(); }
    // Copies into the own pen; nullptr frees it (the tool's pen is used again).
    void SetPen(const TChartPen* Value);
    TDrawLineStyle Style() const { return m_style; }
    void SetStyle(TDrawLineStyle Value) { Set(m_style, Value); }
    // Start and end in axis values.
    double X0() const { return m_x0; }
    void SetX0(double Value) { Set(m_x0, Value); }
    double Y0() const { return m_y0; }
    void SetY0(double Value) { Set(m_y0, Value); }
    double X1() const { return m_x1; }
    void SetX1(double Value) { Set(m_x1, Value); }
    double Y1() const { return m_y1; }
    void SetY1(double Value) { Set(m_y1, Value); }

    // Start and end in chart pixels through the tool's axes.
    TPoint StartHandle() const;
    TPoint EndHandle() const;

    void Assign(const TDrawLine& Source);
    static const TPropertyTable<TDrawLine>& Properties();

private:
    template <typename T>
    void Set(T& Field, const T& Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }
    void Repaint();

    TDrawLineTool* m_tool;
    std::unique_ptr<TChartPen> m_pen;
    TDrawLineStyle m_style = dlLine;
    double m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
};

// The tool's lines, owned.
class TDrawLines {
public:
    explicit TDrawLines(TDrawLineTool* Tool) : m_tool(Tool) {}
    int Count() const { return static_cast<int>(m_items.size()); }
    TDrawLine& operator[](int Index) const { return *m_items[static_cast<std::size_t>(Index)]; }
    TDrawLine& Add();
    void Delete(int Index);
    void Clear();
    void Assign(const TDrawLines& Source);

private:
    TDrawLineTool* m_tool;
    std::vector<std::unique_ptr<TDrawLine>> m_items;
};

// True when P hits the figure from S to E (lines within Tolerance + 1 pixels,
// rectangles and ellipses anywhere inside).
bool DrawLineFigureHit(TDrawLineStyle Style, const TPoint& S, const TPoint& E, const TPoint& P, int Tolerance);
// True when P lies in the 7 x 7 handle square around C.
bool DrawLineHandleHit(const TPoint& C, const TPoint& P);

class TDrawLineTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TDrawLineTool(QObject* Owner = nullptr);
    ~TDrawLineTool() override;

    TMouseButton Button() const { return m_button; }
    void SetButton(TMouseButton Value) { m_button = Value; }
    int ClickTolerance() const { return m_clickTolerance; }
    void SetClickTolerance(int Value) { m_clickTolerance = Value; }
    bool EnableDraw() const { return m_enableDraw; }
    void SetEnableDraw(bool Value) { m_enableDraw = Value; }
    bool EnableSelect() const { return m_enableSelect; }
    // Turning it off clears the selection.
    void SetEnableSelect(bool Value);
    TDrawLines& Lines() { return m_lines; }
    const TDrawLines& Lines() const { return m_lines; }
    void SetLines(const TDrawLines& Value) { m_lines.Assign(Value); }
    bool SelectNewLines() const { return m_selectNewLines; }
    void SetSelectNewLines(bool Value) { m_selectNewLines = Value; }
    TDrawLineStyle Style() const { return m_style; }
    void SetStyle(TDrawLineStyle Value) { m_style = Value; }

    TDrawLine* Selected() const { return m_selected; }
    // Clears the selection and repaints (nothing when none).
    void ClearSelection();

    std::function<void(TDrawLineTool& Sender)> OnDraggedLine;
    std::function<void(TDrawLineTool& Sender)> OnDragLine;
    std::function<void(TDrawLineTool& Sender)> OnNewLine;
    std::function<void(TDrawLineTool& Sender)> OnSelect;
    std::function<void(TDrawLineTool& Sender, TDrawLine* Line, bool& AllowSelect)> OnSelecting;

    // The line hit at (X, Y): Mode 0 the figure, 1 the start handle, 2 the end
    // handle; the selected line first, then in order.
    TDrawLine* LineAt(int X, int Y, int Mode);
    // Chart pixels of a point in axis values, and back.
    TPoint AxisPoint(double X, double Y) const;
    void ScreenToValues(const TPoint& P, double& X, double& Y) const;
    virtual void ClipDrawingRegion();
    // The rubber band between FromPoint and ToPoint (drawing twice erases it).
    void DrawRubberBand();
    TPoint FromPoint, ToPoint;
    int DragPart() const { return m_part; }
    bool Drawing() const { return m_drawing; }

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TDrawLineEdit"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    friend class TDrawLine;
    void LineFreed(TDrawLine* Line);
    void DrawFigure(TDrawLineStyle Style, const TPoint& S, const TPoint& E);
    void DrawHandles(const TDrawLine& Line);
    // Draws the band outside a paint (erasing or drawing it).
    void ShowRubberBand();
    TPoint ToPlane(int X, int Y) const;

    TMouseButton m_button = mbLeft;
    int m_clickTolerance = 0;
    bool m_enableDraw = true;
    bool m_enableSelect = true;
    TDrawLines m_lines{this};
    bool m_selectNewLines = true;
    TDrawLineStyle m_style = dlLine;
    TDrawLine* m_selected = nullptr;
    int m_part = 0;
    bool m_drawing = false;
    bool m_moved = false;
    TPoint m_last;
};
