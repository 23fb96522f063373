#pragma once
// A stripe filled between two values of an axis (colour, gradient,
// transparency), with edges that can be dragged when ResizeStart/ResizeEnd
// are on; the edges are two colour lines the band owns.
#include <functional>
#include <memory>
#include <string>

#include "chart/chart_tool.h"
#include "chart/plot_gradient.h"
#include "chart/plot_picture.h"
#include "chart/tools/color_line_tool.h"

class TColorBandTool : public TPlotCustomToolAxis {
    Q_OBJECT
public:
    explicit TColorBandTool(QObject* Owner = nullptr);
    ~TColorBandTool() override;

    TColor Color() const { return m_color; }
    void SetColor(TColor Value) { SetColorProperty(m_color, Value); }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Value) { m_cursor = Value; }
    bool DrawBehind() const { return m_drawBehind; }
    void SetDrawBehind(bool Value) { SetBooleanProperty(m_drawBehind, Value); }
    bool DrawBehindAxes() const { return m_drawBehindAxes; }
    void SetDrawBehindAxes(bool Value) { SetBooleanProperty(m_drawBehindAxes, Value); }
    TChartPen& EndLinePen() const { return m_endLine->Pen(); }
    TChartPen& StartLinePen() const { return m_startLine->Pen(); }
    double EndValue() const { return m_endValue; }
    void SetEndValue(double Value);
    double StartValue() const { return m_startValue; }
    void SetStartValue(double Value);
    TPlotGradient& Gradient() const { return *m_gradient; }
    // Stretched over the band; created on first read.
    TPlotPicture* Picture();
    TPlotPicture* PictureIfAny() const { return m_picture.get(); }
    bool ResizeEnd() const { return m_endLine->Active(); }
    void SetResizeEnd(bool Value) { m_endLine->SetActive(Value); }
    bool ResizeStart() const { return m_startLine->Active(); }
    void SetResizeStart(bool Value) { m_startLine->SetActive(Value); }
    // Percent.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int Value) { SetIntegerProperty(m_transparency, Value); }
    TColorLineTool& StartLine() const { return *m_startLine; }
    TColorLineTool& EndLine() const { return *m_endLine; }

    std::function<void(TColorBandTool& Sender, TMouseButton, TShiftState, int X, int Y)> OnClick;
    std::function<void(TColorBandTool& Sender)> OnResized;

    // The band's rectangle in chart pixels; empty (0, 0, 0, 0) when not shown.
    TRect BoundsRect() const;
    bool Clicked(int X, int Y) const;

    void SetAxis(TChartAxis* Value) override;
    void SetParentChart(TSeriesParent* Value) override;
    void ForgetAxis() override;
    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TColorBandToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;
    void Loaded() override;
    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;
    void ChartMouseEvent(TToolMouseKind Kind, TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void DrawBand();
    void CopyValuesToLines();
    void LineDragged(TColorLineTool& Line);

    TColor m_color = clWhite;
    TCursor m_cursor = crDefault;
    bool m_drawBehind = true;
    bool m_drawBehindAxes = false;
    double m_endValue = 0;
    double m_startValue = 0;
    int m_transparency = 0;
    std::unique_ptr<TPlotGradient> m_gradient;
    std::unique_ptr<TPlotPicture> m_picture;
    std::unique_ptr<TColorLineTool> m_startLine;
    std::unique_ptr<TColorLineTool> m_endLine;
};
