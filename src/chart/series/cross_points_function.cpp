#include "chart/series/cross_points_function.h"

#include "chart/plot_procs.h"
#include "chart/series/function_window.h"

namespace {

// A point both segments end at (touching without crossing).
bool SharedEnd(const double* A, const double* B, double& X, double& Y)
{
    for (int i = 0; i < 4; i += 2)
        for (int j = 0; j < 4; j += 2)
            if (A[i] == B[j] && A[i + 1] == B[j + 1]) {
                X = A[i];
                Y = A[i + 1];
                return true;
            }
    return false;
}

}  // namespace

void TCrossPointsFunction::AddPoints(const TChartSeries*)
{
    TChartSeries* parent = ParentSeries();
    if (Updating() || !parent || parent->DataSourceCount() < 2)
        return;
    const auto* a = qobject_cast<const TChartSeries*>(parent->DataSourceAt(0));
    const auto* b = qobject_cast<const TChartSeries*>(parent->DataSourceAt(1));
    parent->Clear();
    if (!a || !b || a->Count() < 2 || b->Count() < 2)
        return;
    const TChartValueList& ay = ValueList(*a);
    const TChartValueList& ax = a->NotMandatoryValueList();
    const TChartValueList& by = ValueList(*b);
    const TChartValueList& bx = b->NotMandatoryValueList();
    bool added = false;
    double lastX = 0, lastY = 0;
    int i = 0, j = 0;
    do {
        const double sa[4] = {ax.Value(i), ay.Value(i), ax.Value(i + 1), ay.Value(i + 1)};
        const double sb[4] = {bx.Value(j), by.Value(j), bx.Value(j + 1), by.Value(j + 1)};
        double x, y;
        const bool meet = SharedEnd(sa, sb, x, y)
                          || SegmentsIntersect(sa[0], sa[1], sa[2], sa[3], sb[0], sb[1], sb[2], sb[3], x, y);
        if (meet && !(added && x == lastX && y == lastY)) {
            AddOriented(*parent, a->YMandatory(), x, y);
            added = true;
            lastX = x;
            lastY = y;
        }
        if (bx.Value(j + 1) < ax.Value(i + 1))
            ++j;
        else
            ++i;
    } while (i < a->Count() - 1 && j < b->Count() - 1);
}

TPlotFunction* TCrossPointsFunction::Clone(QObject* Owner) const
{
    auto* f = new TCrossPointsFunction(Owner);
    f->InternalAssign(*this);
    return f;
}
