#pragma once
// Vertical lines from an origin to each point's value (trading volumes).
#include "chart/series/custom_series.h"

class TVolumeSeries : public TCustomSeries {
    Q_OBJECT
public:
    explicit TVolumeSeries(QObject* Owner = nullptr);

    TChartValueList& VolumeValues() const { return YValues(); }
    void SetVolumeValues(const TChartValueList& Value) { SetYValues(Value); }
    bool UseYOrigin() const { return m_useYOrigin; }
    void SetUseYOrigin(bool Value) { SetBooleanProperty(m_useYOrigin, Value); }
    double YOrigin() const { return m_yOrigin; }
    void SetYOrigin(double Value) { SetDoubleProperty(m_yOrigin, Value); }

    // Pixel the lines start from: YOrigin's with UseYOrigin, else the
    // vertical axis' end (its start when inverted).
    int OriginPos() const;

    void DrawValue(int ValueIndex) override;
    // The point's whole line.
    void DrawValueAlone(int ValueIndex, const TChartPen& Pen) override
    {
        TChartSeries::DrawValueAlone(ValueIndex, Pen);
    }
    void DrawLegendShape(int Index, const TRect& Rect) override;
    // The first visible point whose line passes within Pen.Width - 1 pixels.
    int Clicked(int X, int Y) const override;
    // Also colours LinePen.
    void SetSeriesColor(TColor Value) override;
    void SetAssignedColor(TColor Value) override;
    void GetHorizMargins(int& Left, int& Right) override;
    std::string EditorClassName() const override { return "TVolumeSeriesEditor"; }
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    // 26 points, the pointer widening the margins.
    void PrepareForGallery(bool IsEnabled) override;
    void Assign(const TCustomChartElement& Source) override;
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    bool m_useYOrigin = false;
    double m_yOrigin = 0;
};
