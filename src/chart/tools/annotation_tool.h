#pragma once
// A framed text box on a chart at one of five places or at a position of its
// own (pixels or percent of the chart), with an optional callout arrow, and
// its callout.
#include <functional>
#include <memory>
#include <string>

#include "chart/chart_callout.h"
#include "chart/chart_tool.h"
#include "chart/tools/text_shape.h"

class TAnnotationCallout : public TCallout {
public:
    TAnnotationCallout();

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    // The point (chart pixels) and depth the arrow points at.
    int XPosition() const { return m_xPosition; }
    void SetXPosition(int Value) { SetAndRepaint(m_xPosition, Value); }
    int YPosition() const { return m_yPosition; }
    void SetYPosition(int Value) { SetAndRepaint(m_yPosition, Value); }
    int ZPosition() const { return m_zPosition; }
    void SetZPosition(int Value) { SetAndRepaint(m_zPosition, Value); }

    void Assign(const TPlotCustomShapeBrushPen& Source) override;

private:
    void SetAndRepaint(int& Field, int Value)
    {
        if (Field == Value)
            return;
        Field = Value;
        Repaint();
    }

    int m_xPosition = 0;
    int m_yPosition = 0;
    int m_zPosition = 0;
};

enum TAnnotationPosition { ppLeftTop, ppLeftBottom, ppRightTop, ppRightBottom, ppCenter };

class TAnnotationTool : public TPlotCustomTool {
    Q_OBJECT
public:
    explicit TAnnotationTool(QObject* Owner = nullptr);
    ~TAnnotationTool() override;

    using TAnnotationClick =
        std::function<void(TAnnotationTool& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;

    bool AutoSize() const { return m_shape->AutoSize(); }
    void SetAutoSize(bool Value) { m_shape->SetAutoSize(Value); }
    TAnnotationCallout& Callout() const { return *m_callout; }
    void SetCallout(const TAnnotationCallout& Value) { m_callout->Assign(Value); }
    bool ClipText() const { return m_shape->ClipText(); }
    void SetClipText(bool Value) { m_shape->SetClipText(Value); }
    TCursor Cursor() const { return m_shape->Cursor(); }
    void SetCursor(TCursor Value) { m_shape->SetCursor(Value); }
    TAnnotationPosition Position() const { return m_position; }
    // Turns the shape's custom position off.
    void SetPosition(TAnnotationPosition Value);
    TPlotUnits PositionUnits() const { return m_positionUnits; }
    void SetPositionUnits(TPlotUnits Value);
    TTextShape& Shape() const { return *m_shape; }
    void SetShape(const TTextShape& Value) { m_shape->Assign(Value); }
    std::string Text() const { return GetText(); }
    void SetText(const std::string& Value) { m_shape->SetText(Value); }
    TAlignment TextAlignment() const { return m_shape->TextAlignment(); }
    void SetTextAlignment(TAlignment Value) { m_shape->SetTextAlignment(Value); }
    int Height() const { return m_shape->Height(); }
    // Width and Height turn AutoSize off.
    void SetHeight(int Value);
    int Width() const { return m_shape->Width(); }
    void SetWidth(int Value);
    int Left() const { return m_shape->Left(); }
    // Keeps the width (Top: the height); turns the custom position on.
    void SetLeft(int Value);
    int Top() const { return m_shape->Top(); }
    void SetTop(int Value);

    std::function<void(TAnnotationTool& Sender)> OnAfterDraw;
    std::function<void(TAnnotationTool& Sender)> OnBeforeDraw;
    TAnnotationClick OnClick;
    TAnnotationClick OnDblClick;

    // True when (X, Y) lies in the box, right and bottom edges included.
    bool Clicked(int X, int Y);
    // The box in chart pixels, the text origin and the line count; the empty
    // box without a chart.
    virtual void GetShapeBounds(TRect& R, int& X, int& Y, int& LineCount);
    virtual int TextXOffset() { return 0; }
    virtual std::string GetText() const { return m_shape->Text(); }
    // Draws the box, its text and the callout.
    virtual void DrawText();

    void SetParentChart(TSeriesParent* Value) override;
    void Repaint() override;
    // Hands the chart to the shape and the callout (skipped while loading).
    void Loaded() override;
    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TAnnotationToolEdit"; }
    void Assign(const TCustomChartElement& Source) override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    std::unique_ptr<TTextShape> m_shape;
    std::unique_ptr<TAnnotationCallout> m_callout;
    TAnnotationPosition m_position = ppLeftTop;
    TPlotUnits m_positionUnits = muPixels;
};
