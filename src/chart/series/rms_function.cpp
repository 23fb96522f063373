#include "chart/series/rms_function.h"

#include <cmath>

#include "chart/series/function_window.h"

void TRMSFunction::SetComplete(bool Value)
{
    if (m_complete == Value)
        return;
    m_complete = Value;
    Recalculate();
}

double TRMSFunction::Result(double SumSquares, int N) const
{
    if (N < 2)
        return 0;
    const double d = m_complete ? N : N - 1;
    return d == 0 ? 0 : std::sqrt(SumSquares / d);
}

double TRMSFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const double* v = ValueList(Source).Data();
    double q = 0;
    for (int k = First; k <= Last; ++k)
        q += v[k] * v[k];
    return Result(q, Last - First + 1);
}

double TRMSFunction::CalculateMany(int Index)
{
    const TChartSeries* parent = ParentSeries();
    if (!parent)
        return 0;
    double q = 0;
    int n = 0;
    for (int k = 0; k < parent->DataSourceCount(); ++k)
        if (auto* s = qobject_cast<const TChartSeries*>(parent->DataSourceAt(k)); s && s->Count() > Index) {
            const double v = ValueList(*s).Value(Index);
            q += v * v;
            ++n;
        }
    return Result(q, n);
}

TPlotFunction* TRMSFunction::Clone(QObject* Owner) const
{
    auto* f = new TRMSFunction(Owner);
    f->InternalAssign(*this);
    f->m_complete = m_complete;
    return f;
}

const TPropertyTable<TPlotFunction>& TRMSFunction::Properties()
{
    using F = TRMSFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotFunction::Properties())
            .Property("Complete", BooleanKind, TAccessors{&F::Complete, &F::SetComplete}, false);
    return table;
}
