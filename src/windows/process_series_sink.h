#pragma once
// What a random process records into, adapted to the charts: a sink that
// adds the trial points to a chart series and shows the bottom axis of its
// chart (never hides it), and the link that binds a data grid to the series
// of a sink.
#include "core/random_process.h"

#include <QPointer>
#include <functional>

class TChart;
class TChartSeries;
class TChartGrid;

class TProcessSeriesSink : public IProcessPointSink {
public:
    // Neither is owned; both may go before the sink.
    TProcessSeriesSink(TChartSeries* Series, TChart* Chart);

    TChartSeries* Series() const;

    void AddPoint(double x, double y, std::string_view label, TColor color) override;
    void Clear() override;
    int Count() const override;
    void SetBottomAxisLabelsVisible(bool visible) override;
    void SetBottomAxisVisible(bool visible) override;

private:
    QPointer<TChartSeries> m_series;
    QPointer<TChart> m_chart;
};

// Binds a chart data grid to the series behind a sink; the lookup answers
// the series of a sink (null for an unknown one).
class TProcessGridLink : public IProcessGrid {
public:
    using TSeriesLookup = std::function<TChartSeries*(IProcessPointSink*)>;
    TProcessGridLink(TChartGrid* Grid, TSeriesLookup Lookup);

    void SetSeries(IProcessPointSink* series) override;
    void Update() override;

private:
    TChartGrid* m_grid = nullptr;  // not owned; lives as long as the window
    TSeriesLookup m_lookup;
};
