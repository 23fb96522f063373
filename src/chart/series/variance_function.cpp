#include "chart/series/variance_function.h"

#include "chart/series/function_window.h"

double TVarianceFunction::Calculate(const TChartSeries& Source, int First, int Last)
{
    const bool whole = First < 0;
    if (!ResolveWindow(Source, First, Last))
        return 0;
    const TChartValueList& m = Source.MandatoryValueList();
    const double* v = m.Data();
    const int n = Last - First + 1;
    double mean;
    if (whole) {
        mean = m.Total() / n;
    } else {
        double sum = 0;
        for (int k = First; k <= Last; ++k)
            sum += v[k];
        mean = sum / n;
    }
    double q = 0;
    for (int k = First; k <= Last; ++k)
        q += (v[k] - mean) * (v[k] - mean);
    return q / n;
}

double TVarianceFunction::CalculateMany(int Index)
{
    const TChartSeries* parent = ParentSeries();
    if (!parent)
        return 0;
    double sum = 0;
    int n = 0;
    for (int k = 0; k < parent->DataSourceCount(); ++k)
        if (auto* s = qobject_cast<const TChartSeries*>(parent->DataSourceAt(k)); s && s->Count() > Index) {
            sum += s->MandatoryValue(Index);
            ++n;
        }
    if (n == 0)
        return 0;
    const double mean = sum / n;
    double q = 0;
    for (int k = 0; k < parent->DataSourceCount(); ++k)
        if (auto* s = qobject_cast<const TChartSeries*>(parent->DataSourceAt(k)); s && s->Count() > Index)
            q += (s->MandatoryValue(Index) - mean) * (s->MandatoryValue(Index) - mean);
    return q / n;
}

TPlotFunction* TVarianceFunction::Clone(QObject* Owner) const
{
    auto* f = new TVarianceFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
