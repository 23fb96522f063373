#pragma once
// Fills between its line and an origin: the plot's edge, YOrigin, or the
// series below when stacked (only within one stack group).
#include "chart/series/custom_series.h"

enum TMultiArea { maNone, maStacked, maStacked100 };
inline constexpr const char* MultiAreaNames[] = {"maNone", "maStacked", "maStacked100"};

// The gallery's two colour-index settings: palette entries of an area
// preview's series colour and gradient end.
inline int GalleryFirstColorIndex = 3;
inline int GallerySecondColorIndex = 0;

class TAreaSeries : public TCustomSeries {
    Q_OBJECT
public:
    explicit TAreaSeries(QObject* Owner = nullptr);

    double YOrigin() const { return m_yOrigin; }
    void SetYOrigin(double Value) { SetDoubleProperty(m_yOrigin, Value); }
    int StackGroup() const { return m_stackGroup; }
    void SetStackGroup(int Value) { SetIntegerProperty(m_stackGroup, Value); }
    bool UseYOrigin() const { return m_useYOrigin; }
    void SetUseYOrigin(bool Value) { SetBooleanProperty(m_useYOrigin, Value); }
    // A view of Stacked (cssOverlap reads maNone).
    TMultiArea MultiArea() const;
    void SetMultiArea(TMultiArea Value);

    void Assign(const TCustomChartElement& Source) override;
    std::string EditorClassName() const override { return "TAreaSeriesEditor"; }
    // Stacked areas of one group share the depth of the group's first series.
    void CalcZOrder() override;
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    void PrepareLegendCanvas(int ValueIndex, TColor& BackColor, TBrushStyle& BrushStyle) override;
    // The gradient over the symbol when it is visible; an image brush in its
    // colour over the area colour.
    void DrawLegendShape(int ValueIndex, const TRect& Rect) override;
    // A gradient from the palette colours the gallery's settings name.
    void PrepareForGallery(bool IsEnabled) override;
    double MaxXValue() const override;
    double MinXValue() const override;
    double MaxYValue() const override;
    double MinYValue() const override;
    bool DrawSeriesForward(int Index) const override;
    bool SameStackGroup(const TCustomSeries& Series) const override;
    int GetOriginPos(int ValueIndex) const override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    double m_yOrigin = 0;
    int m_stackGroup = 0;
    bool m_useYOrigin = false;
};
