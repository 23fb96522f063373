#pragma once
// Pointers only, no lines; the hit test answers on the pointers.
#include "chart/series/custom_series.h"

class TPointSeries : public TCustomSeries {
    Q_OBJECT
public:
    explicit TPointSeries(QObject* Owner = nullptr);

    void Assign(const TCustomChartElement& Source) override;
    std::string EditorClassName() const override { return "TSeriesPointerEditor"; }
    void CreateSubGallery(std::vector<std::string>& Captions) const override;
    void SetSubGallery(int Index) override;
    // On: the pointer takes the default colour, so that each point's own shows.
    void SetColorEachPoint(bool Value) override;
    // The pointer's transparency.
    int Transparency() const override { return Pointer().Transparency(); }
    void SetTransparency(int Value) override { Pointer().SetTransparency(Value); }
    virtual bool HasPointerStyles() const { return true; }
    // Small pointers on a narrow chart; the second series of the chart in triangles.
    void PrepareForGallery(bool IsEnabled) override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    void PointSettings();
};
