#pragma once
// An arrow from a point to a target with a pointer shape at its start: the
// callout of annotations, and of series marks (TMarksCallout) which also
// lifts the mark box off its point.
#include "chart/series_pointer.h"
#include "chart/series_marks.h"

enum TArrowHeadStyle { ahNone, ahLine, ahSolid };
inline constexpr const char* ArrowHeadStyleNames[] = {"ahNone", "ahLine", "ahSolid"};

class TCallout : public TSeriesPointer {
public:
    explicit TCallout(TChartSeries* Series);
    ~TCallout() override;

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    TChartPen* Arrow() const { return m_arrow.get(); }
    void SetArrow(const TChartPen* Value);
    TArrowHeadStyle ArrowHead() const { return m_arrowHead; }
    void SetArrowHead(TArrowHeadStyle Value) { SetValue(m_arrowHead, Value); }
    int ArrowHeadSize() const { return m_arrowHeadSize; }
    void SetArrowHeadSize(int Value) { SetValue(m_arrowHeadSize, Value); }
    int Distance() const { return m_distance; }
    void SetDistance(int Value) { SetValue(m_distance, Value); }

    // The arrow from P0 through P1 (when ThroughMiddle) to P2 at depth Z, in
    // Colour, on the chart's surface; a pointer shape at P0 when headless.
    void Draw(TColor Colour, TPoint P0, TPoint P1, TPoint P2, int Z, bool ThroughMiddle = false);

    void Assign(const TPlotCustomShapeBrushPen& Source) override;

protected:
    bool KeepsGradientColors() const override { return true; }

private:
    std::unique_ptr<TWhitePen> m_arrow;
    TArrowHeadStyle m_arrowHead = ahNone;
    int m_arrowHeadSize = 8;
    int m_distance = 0;
};

class TMarksCallout : public TCallout {
public:
    explicit TMarksCallout(TChartSeries* Series);

    static const TPropertyTable<TPlotCustomShapeBrushPen>& Properties();
    const TPropertyTable<TPlotCustomShapeBrushPen>& PropertyTable() const override { return Properties(); }

    int Length() const { return m_length; }
    void SetLength(int Value) { SetValue(m_length, Value); }
    // Length is streamed only when it differs from this.
    int DefaultLength() const { return m_defaultLength; }
    // Length and its stored default together (no repaint).
    void InitLength(int Value) { m_length = m_defaultLength = Value; }

    // Lifts the box and the arrow end by Length + Distance and the arrow start by Distance.
    void ApplyArrowLength(TSeriesMarkPosition& Position) const;

    void Assign(const TPlotCustomShapeBrushPen& Source) override;

private:
    int m_length = 8;
    int m_defaultLength = 8;
};
