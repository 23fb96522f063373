#include "chart/series/exp_average_function.h"

#include "chart/chart_exceptions.h"
#include "chart/chart_messages.h"
#include "chart/series/function_window.h"

void TExpAverageFunction::SetWeight(double Value)
{
    if (!(Value >= 0 && Value <= 1))
        throw ChartException(PlotMsgExpAverageWeight);
    if (m_weight == Value)
        return;
    m_weight = Value;
    Recalculate();
}

double TExpAverageFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const TChartValueList& v = ValueList(Source);
    if (Last == 0)
        return v.Value(0);
    return m_weight * v.Value(Last) + (1 - m_weight) * v.Value(Last - 1);
}

TPlotFunction* TExpAverageFunction::Clone(QObject* Owner) const
{
    auto* f = new TExpAverageFunction(Owner);
    f->InternalAssign(*this);
    f->m_weight = m_weight;
    return f;
}

const TPropertyTable<TPlotFunction>& TExpAverageFunction::Properties()
{
    using F = TExpAverageFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotMovingFunction::Properties())
            .Property("Weight", FloatKind, TAccessors{&F::Weight, &F::SetWeight}, 0.2);
    return table;
}
