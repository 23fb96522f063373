#include "chart/series/exp_mov_ave_function.h"

#include <vector>

#include "chart/series/function_window.h"

TExpMovAveFunction::TExpMovAveFunction(QObject* Owner) : TPlotFunction(Owner)
{
    InternalSetPeriod(DefaultPeriod());
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
    const auto n = static_cast<std::size_t>(count);
    if (m_ignoreNulls) {
        std::vector<double> average(n);
        ExpMovingAverage(v, count, Period(), average.data());
        AddOrientedPoints(*parent, yMandatory, {x.Data(), n}, average);
        return;
    }
    int s = 0;
    while (s < count - 1 && Source->IsNull(s))
        ++s;
    std::vector<double> xs, average;
    xs.reserve(n);
    average.reserve(n);
    double e = v[s];
    xs.push_back(x.Value(s));
    average.push_back(e);
    for (int i = s + 1; i < count; ++i) {
        if (Source->IsNull(i))
            continue;
        e = k * v[i] + (1 - k) * e;
        xs.push_back(x.Value(i));
        average.push_back(e);
    }
    AddOrientedPoints(*parent, yMandatory, xs, average);
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
