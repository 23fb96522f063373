#include "chart/series/momentum_function.h"

#include "chart/series/function_window.h"

double TMomentumFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const TChartValueList& v = ValueList(Source);
    return v.Value(Last) - v.Value(First);
}

TPlotFunction* TMomentumFunction::Clone(QObject* Owner) const
{
    auto* f = new TMomentumFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
