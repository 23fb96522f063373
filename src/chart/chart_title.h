#pragma once
// The chart's titles: a framed box of text lines at the top (Title, SubTitle)
// or bottom (Foot, SubFoot) of the chart rectangle, or at a position of its own.
// Placed at the top or bottom, a title takes its band off the chart rectangle.
#include <string>

#include "chart/chart_strings.h"
#include "chart/series_marks.h"
#include "chart/shape_position.h"

inline constexpr const char* AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

class TPlotCanvas;

// Width of a text line: measured as HTML when Html is set.
int ChartTextWidth(TPlotCanvas& Canvas, const std::string& Text, bool Html);

// x of a line of width LineWidth in the box Left..Right: half a "W" (WWidth)
// in from the side it is aligned to, or centred.
int AlignedTextX(TAlignment Alignment, int Left, int Right, int LineWidth, int WWidth);

class TChartTitle : public TPlotCustomShapePosition {
public:
    explicit TChartTitle(TCustomPlotPanel* Owner = nullptr);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    bool AdjustFrame() const { return m_adjustFrame; }
    void SetAdjustFrame(bool Value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Value);
    TChartStrings& Text() { return m_text; }
    const TChartStrings& Text() const { return m_text; }
    void SetText(const TChartStrings& Value) { m_text.Assign(Value); }
    int VertMargin() const { return m_vertMargin; }
    void SetVertMargin(int Value);
    // True for titles at the top, False for foot titles.
    bool OnTop() const { return m_onTop; }

    // Text becomes one line holding Caption, or no line for an empty one.
    void SetCaption(const std::string& Caption);
    void Clear() { SetCaption({}); }

    // Visible and (X, Y) inside the box, edges included.
    bool Clicked(int X, int Y) const;
    // Lays out and draws the title on the parent chart's canvas; the canvas
    // entity is named Entity ("title", "subtitle", "foot", "subfoot").
    void DrawTitle(const std::string& Entity);

    // AdjustFrame, Alignment, Text, VertMargin, then position and shape.
    void Assign(const TPlotCustomShapeBrushPen& Source) override;

protected:
    bool m_onTop = true;

private:
    template <typename T>
    void SetValue(T& Field, const T& Value)
    {
        UpdateValue(Field, Value, [this] { Repaint(); });
    }

    bool m_adjustFrame = true;
    TAlignment m_alignment = taCenter;
    TChartStrings m_text{[this] { Repaint(); }};
    int m_vertMargin = 5;
};

// A title at the bottom of the chart; its first line is the lowest.
class TChartFootTitle : public TChartTitle {
public:
    explicit TChartFootTitle(TCustomPlotPanel* Owner = nullptr);
};
