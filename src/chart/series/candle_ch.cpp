#include "chart/series/candle_ch.h"

#include "chart/chart_messages.h"
#include "chart/series/adx_function.h"
#include "chart/series/candle_series.h"
#include "chart/series/darvas_series.h"
#include "chart/series/rsi_function.h"
#include "chart/series/volume_series.h"
#include "chart/series_types.h"

void StartCandleCh()
{
    RegisterSeriesClass(SeriesClassOf<TCandleSeries>(), &ProMsgGalleryCandle, &ProMsgGalleryCategoryFinancial);
    RegisterSeriesClass(SeriesClassOf<TVolumeSeries>(), &ProMsgGalleryVolume, &ProMsgGalleryCategoryFinancial);
    RegisterSeriesClass(SeriesClassOf<TDarvasSeries>(), &ProMsgGalleryDarvas, &ProMsgGalleryCategoryFinancial);
    RegisterFunctionClass(FunctionClassOf<TADXFunction>(), &ProMsgGalleryADX, &ProMsgGalleryCategoryFinancial);
    RegisterFunctionClass(FunctionClassOf<TRSIFunction>(), &ProMsgGalleryRSI, &ProMsgGalleryCategoryFinancial);
}

void StopCandleCh()
{
    UnregisterSeriesClasses(
        {SeriesClassOf<TCandleSeries>(), SeriesClassOf<TVolumeSeries>(), SeriesClassOf<TDarvasSeries>()});
    UnregisterFunctionClasses({FunctionClassOf<TADXFunction>(), FunctionClassOf<TRSIFunction>()});
}
