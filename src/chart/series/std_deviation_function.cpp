#include "chart/series/std_deviation_function.h"

#include <vector>

#include "chart/series/function_window.h"

void TStdDeviationFunction::SetComplete(bool Value)
{
    if (m_complete == Value)
        return;
    m_complete = Value;
    Recalculate();
}

double TStdDeviationFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    return WindowDeviation(ValueList(Source).Data() + First, Last - First + 1, m_complete);
}

double TStdDeviationFunction::CalculateMany(int Index)
{
    const TChartSeries* parent = ParentSeries();
    if (!parent)
        return 0;
    std::vector<double> values;
    values.reserve(static_cast<std::size_t>(parent->DataSourceCount()));
    for (int k = 0; k < parent->DataSourceCount(); ++k)
        if (auto* s = qobject_cast<const TChartSeries*>(parent->DataSourceAt(k)); s && s->Count() > Index)
            values.push_back(ValueList(*s).Value(Index));
    return WindowDeviation(values.data(), static_cast<int>(values.size()), m_complete);
}

TPlotFunction* TStdDeviationFunction::Clone(QObject* Owner) const
{
    auto* f = new TStdDeviationFunction(Owner);
    f->InternalAssign(*this);
    f->m_complete = m_complete;
    return f;
}

const TPropertyTable<TPlotFunction>& TStdDeviationFunction::Properties()
{
    using F = TStdDeviationFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotFunction::Properties())
            .Property("Complete", BooleanKind, TAccessors{&F::Complete, &F::SetComplete}, false);
    return table;
}
