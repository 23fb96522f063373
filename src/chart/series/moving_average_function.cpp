#include "chart/series/moving_average_function.h"

#include "chart/series/function_window.h"

void TMovingAverageFunction::SetWeighted(bool Value)
{
    if (m_weighted == Value)
        return;
    m_weighted = Value;
    Recalculate();
}

void TMovingAverageFunction::SetWeightedIndex(bool Value)
{
    if (m_weightedIndex == Value)
        return;
    m_weightedIndex = Value;
    Recalculate();
}

double TMovingAverageFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const double* v = ValueList(Source).Data();
    double sum = 0;
    double weights = 0;
    if (m_weighted) {
        const double* x = Source.XValues().Data();
        for (int k = First; k <= Last; ++k) {
            sum += v[k] * x[k];
            weights += x[k];
        }
    } else if (m_weightedIndex) {
        for (int k = First; k <= Last; ++k) {
            const double w = k - First + 1;
            sum += v[k] * w;
            weights += w;
        }
    } else {
        for (int k = First; k <= Last; ++k)
            sum += v[k];
        weights = Last - First + 1;
    }
    return weights == 0 ? 0 : sum / weights;
}

TPlotFunction* TMovingAverageFunction::Clone(QObject* Owner) const
{
    auto* f = new TMovingAverageFunction(Owner);
    f->InternalAssign(*this);
    f->m_weighted = m_weighted;
    f->m_weightedIndex = m_weightedIndex;
    return f;
}

const TPropertyTable<TPlotFunction>& TMovingAverageFunction::Properties()
{
    using F = TMovingAverageFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotMovingFunction::Properties())
            .Property("Weighted", BooleanKind, TAccessors{&F::Weighted, &F::SetWeighted}, false)
            .Property("WeightedIndex", BooleanKind, TAccessors{&F::WeightedIndex, &F::SetWeightedIndex}, false);
    return table;
}
