#include "chart/series/exp_mov_ave_function.h"

#include "chart/series/function_window.h"

TExpMovAveFunction::TExpMovAveFunction(QObject* Owner) : TPlotFunction(Owner)
{
    InternalSetPeriod(10);
}

void TExpMovAveFunction::SetIgnoreNulls(bool Value)
{
    if (m_ignoreNulls == Value)
        return;
    m_ignoreNulls = Value;
    Recalculate();
}

void TExpMovAveFunction::AddPoints(const TChartSeries* Source)
{
    TChartSeries* parent = ParentSeries();
    if (Updating() || !Source || !parent)
        return;
    parent->Clear();
    const int count = Source->Count();
    if (Period() <= 0 || count < 2)
        return;
    const double k = 2 / (Period() + 1);
    const double* v = ValueList(*Source).Data();
    const TChartValueList& x = Source->NotMandatoryValueList();
    const bool yMandatory = Source->YMandatory();
    if (m_ignoreNulls) {
        double e = v[0];
        AddOriented(*parent, yMandatory, x.Value(0), e);
        for (int i = 1; i < count; ++i) {
            e = k * v[i] + (1 - k) * e;
            AddOriented(*parent, yMandatory, x.Value(i), e);
        }
        return;
    }
    int s = 0;
    while (s < count - 1 && Source->IsNull(s))
        ++s;
    double e = v[s];
    AddOriented(*parent, yMandatory, x.Value(s), e);
    for (int i = s + 1; i < count; ++i) {
        if (Source->IsNull(i))
            continue;
        e = k * v[i] + (1 - k) * e;
        AddOriented(*parent, yMandatory, x.Value(i), e);
    }
}

TPlotFunction* TExpMovAveFunction::Clone(QObject* Owner) const
{
    auto* f = new TExpMovAveFunction(Owner);
    f->InternalAssign(*this);
    f->m_ignoreNulls = m_ignoreNulls;
    return f;
}

const TPropertyTable<TPlotFunction>& TExpMovAveFunction::Properties()
{
    using F = TExpMovAveFunction;
    static const TPropertyTable<TPlotFunction> table =
        TPropertyTable<TPlotFunction>::Of<F>(TPlotFunction::Properties())
            .Property("IgnoreNulls", BooleanKind, TAccessors{&F::IgnoreNulls, &F::SetIgnoreNulls}, true);
    return table;
}
