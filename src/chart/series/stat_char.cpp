#include "chart/series/stat_char.h"

#include "chart/chart_messages.h"
#include "chart/series/histogram_series.h"
#include "chart/series_types.h"

void StartStatChar()
{
    RegisterSeriesClass(SeriesClassOf<THistogramSeries>(), &ProMsgGalleryHistogram, &ProMsgGalleryCategoryStats);
    RegisterSeriesClass(SeriesClassOf<THorizHistogramSeries>(), &ProMsgGalleryHorizHistogram,
                        &ProMsgGalleryCategoryStats);
}

void StopStatChar()
{
    UnregisterSeriesClasses({SeriesClassOf<THistogramSeries>(), SeriesClassOf<THorizHistogramSeries>()});
}
