#include "chart/series/stat_char.h"

#include <vector>

#include "chart/chart_messages.h"
#include "chart/series/bollinger_function.h"
#include "chart/series/cross_points_function.h"
#include "chart/series/exp_average_function.h"
#include "chart/series/exp_mov_ave_function.h"
#include "chart/series/histogram_series.h"
#include "chart/series/macd_function.h"
#include "chart/series/momentum_div_function.h"
#include "chart/series/momentum_function.h"
#include "chart/series/moving_average_function.h"
#include "chart/series/performance_function.h"
#include "chart/series/perimeter_function.h"
#include "chart/series/rms_function.h"
#include "chart/series/std_deviation_function.h"
#include "chart/series/stochastic_function.h"
#include "chart/series/variance_function.h"
#include "chart/series_types.h"

namespace {

struct TFunctionEntry {
    TFunctionClass Class;
    const std::string* Description;
    const std::string* Page;
};

// In registration order.
std::vector<TFunctionEntry> Functions()
{
    const std::string* financial = &ProMsgGalleryCategoryFinancial;
    const std::string* extended = &ProMsgGalleryCategoryExtended;
    return {
        {FunctionClassOf<TMovingAverageFunction>(), &ProMsgGalleryMovingAverage, financial},
        {FunctionClassOf<TExpMovAveFunction>(), &ProMsgGalleryExpMovAverage, financial},
        {FunctionClassOf<TExpAverageFunction>(), &ProMsgGalleryExpAverage, extended},
        {FunctionClassOf<TMomentumFunction>(), &ProMsgGalleryMomentum, financial},
        {FunctionClassOf<TMomentumDivFunction>(), &ProMsgGalleryMomentumDivision, financial},
        {FunctionClassOf<TStdDeviationFunction>(), &ProMsgGalleryStdDeviation, extended},
        {FunctionClassOf<TRMSFunction>(), &ProMsgGalleryRMS, extended},
        {FunctionClassOf<TMACDFunction>(), &ProMsgGalleryMACD, financial},
        {FunctionClassOf<TStochasticFunction>(), &ProMsgGalleryStochastic, financial},
        {FunctionClassOf<TBollingerFunction>(), &ProMsgGalleryBollinger, financial},
        {FunctionClassOf<TCrossPointsFunction>(), &ProMsgGalleryCrossPoints, extended},
        {FunctionClassOf<TPerformanceFunction>(), &ProMsgGalleryPerformance, extended},
        {FunctionClassOf<TVarianceFunction>(), &ProMsgGalleryVariance, extended},
        {FunctionClassOf<TPerimeterFunction>(), &ProMsgGalleryPerimeter, extended},
    };
}

}  // namespace

void StartStatChar()
{
    for (const TFunctionEntry& f : Functions())
        RegisterFunctionClass(f.Class, f.Description, f.Page);
    RegisterSeriesClass(SeriesClassOf<THistogramSeries>(), &ProMsgGalleryHistogram, &ProMsgGalleryCategoryStats);
    RegisterSeriesClass(SeriesClassOf<THorizHistogramSeries>(), &ProMsgGalleryHorizHistogram,
                        &ProMsgGalleryCategoryStats);
}

void StopStatChar()
{
    std::vector<TFunctionClass> classes;
    for (const TFunctionEntry& f : Functions())
        classes.push_back(f.Class);
    UnregisterFunctionClasses(classes);
    UnregisterSeriesClasses({SeriesClassOf<THistogramSeries>(), SeriesClassOf<THorizHistogramSeries>()});
}
