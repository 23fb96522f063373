#pragma once
// One series of each concrete type of the chart engine, as built.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "chart/series/area_series.h"
#include "chart/series/bar_series.h"
#include "chart/series/candle_series.h"
#include "chart/series/darvas_series.h"
#include "chart/series/fast_line_series.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"
#include "chart/series/ohlc_series.h"
#include "chart/series/point_series.h"
#include "chart/series/volume_series.h"

struct TSeriesType {
    std::string Name;
    std::function<std::unique_ptr<TChartSeries>()> Create;
};

template <typename S>
TSeriesType SeriesTypeOf(std::string Name)
{
    return {std::move(Name), [] { return std::unique_ptr<TChartSeries>(std::make_unique<S>()); }};
}

inline std::vector<TSeriesType> EverySeriesType()
{
    return {SeriesTypeOf<TChartSeries>("TChartSeries"),
            SeriesTypeOf<TAreaSeries>("TAreaSeries"),
            SeriesTypeOf<TBarSeries>("TBarSeries"),
            SeriesTypeOf<TCandleSeries>("TCandleSeries"),
            SeriesTypeOf<TDarvasSeries>("TDarvasSeries"),
            SeriesTypeOf<TFastLineSeries>("TFastLineSeries"),
            SeriesTypeOf<THistogramSeries>("THistogramSeries"),
            SeriesTypeOf<THorizHistogramSeries>("THorizHistogramSeries"),
            SeriesTypeOf<TLineSeries>("TLineSeries"),
            SeriesTypeOf<THorizLineSeries>("THorizLineSeries"),
            SeriesTypeOf<TOHLCSeries>("TOHLCSeries"),
            SeriesTypeOf<TPointSeries>("TPointSeries"),
            SeriesTypeOf<TVolumeSeries>("TVolumeSeries")};
}
