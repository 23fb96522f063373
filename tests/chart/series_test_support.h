#pragma once
// A chart stand-in for series tests: records notices and repaints.
#include <string>
#include <vector>

#include "chart/chart_series.h"
#include "chart/series_parent.h"

class TFakeSeriesChart : public TSeriesParent {
public:
    void Invalidate() override { ++Repaints; }
    void BroadcastSeriesNotice(TSeriesNotice Code, TCustomChartSeries*) override { Notices.push_back(Code); }
    int SeriesIndexOf(const TChartSeries* Series) const override
    {
        for (std::size_t i = 0; i < List.size(); ++i)
            if (List[i] == Series)
                return static_cast<int>(i);
        return -1;
    }
    void RemoveSeries(TChartSeries* Series) override
    {
        std::erase(List, Series);
        Series->SetParentChart(nullptr);
    }
    TColor GetDefaultColor(int Index) const override { return 0x010101 * static_cast<TColor>(Index + 1); }
    void CheckDataSource(TChartSeries*, QObject*) override {}
    void RefreshSeriesData(TChartSeries* Series) override { ::RefreshSeriesData(*Series, false); }
    bool View3D() const override { return Is3D; }
    void SetView3D(bool Value) override { Is3D = Value; }
    std::string LegendText(const TChartSeries&, int Index) const override
    {
        return "L" + std::string(1, ColumnSeparator) + std::to_string(Index);
    }
    int MaxZOrder() const override { return MaxZ; }
    void SetMaxZOrder(int Value) override { MaxZ = Value; }
    void Add(TChartSeries& Series)
    {
        List.push_back(&Series);
        Series.SetParentChart(this);
    }

    int Repaints = 0;
    int MaxZ = 0;
    bool Is3D = false;
    std::vector<TSeriesNotice> Notices;
    std::vector<TChartSeries*> List;
};
