#pragma once
// The title inside a legend box: lines of text above the legend's items.
#include "chart/chart_strings.h"
#include "chart/chart_title.h"

class TLegendTitle : public TPlotShape {
public:
    explicit TLegendTitle(TCustomPlotPanel* Owner = nullptr);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    TChartStrings& Text() { return m_text; }
    const TChartStrings& Text() const { return m_text; }
    void SetText(const TChartStrings& Value) { m_text.Assign(Value); }
    TAlignment TextAlignment() const { return m_textAlignment; }
    void SetTextAlignment(TAlignment Value);

    // Measured with the canvas font set to the title's font.
    int TitleWidth(TPlotCanvas& Canvas) const;
    int TitleHeight(TPlotCanvas& Canvas) const;
    // The box inside the legend rectangle R for a title Height high.
    void Place(const TRect& R, int Height);
    // The box and the lines on Canvas.
    void DrawTitle(TCanvas3D& Canvas);

    // Text and TextAlignment, then the shape.
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

private:
    int FrameWidth() const { return Frame()->Visible() ? Frame()->Width() : 0; }
    TChartStrings m_text{[this] { Repaint(); }};
    TAlignment m_textAlignment = taLeftJustify;
};
