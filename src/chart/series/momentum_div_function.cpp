#include "chart/series/momentum_div_function.h"

#include "chart/series/function_window.h"

double TMomentumDivFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const TChartValueList& v = ValueList(Source);
    const double first = v.Value(First);
    return first == 0 ? 0 : 100 * v.Value(Last) / first;
}

TPlotFunction* TMomentumDivFunction::Clone(QObject* Owner) const
{
    auto* f = new TMomentumDivFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
