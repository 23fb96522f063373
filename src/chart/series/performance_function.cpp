#include "chart/series/performance_function.h"

#include "chart/series/function_window.h"

double TPerformanceFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const TChartValueList& v = ValueList(Source);
    const double start = v.Value(0);
    return start == 0 ? 0 : 100 * (v.Value(Last) - start) / start;
}

TPlotFunction* TPerformanceFunction::Clone(QObject* Owner) const
{
    auto* f = new TPerformanceFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
