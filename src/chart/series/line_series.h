#pragma once
// Points joined by lines, pointers hidden.
#include "chart/series/custom_series.h"

class TLineSeries : public TCustomSeries {
    Q_OBJECT
public:
    explicit TLineSeries(QObject* Owner = nullptr);

    // The base copy; the pointer stays visible only from another line series;
    // always a line without area.
    void Assign(const TCustomChartElement& Source) override;
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();
};

// A line series on its side: X holds the values, Y the positions; every
// point is drawn.
class THorizLineSeries : public TLineSeries {
    Q_OBJECT
public:
    explicit THorizLineSeries(QObject* Owner = nullptr);

    // Beside the point (left of it when the point lies left of its origin).
    void DrawMark(int Index, const std::string& Text, TSeriesMarkPosition& Position) override;
    // The widest visible mark.
    int MarkOffset() const override;
};
