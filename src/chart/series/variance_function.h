#pragma once
// Population variance of the mandatory values of each period, or of one index
// across several sources.
#include "chart/plot_function.h"

class TVarianceFunction : public TPlotFunction {
    Q_OBJECT
public:
    explicit TVarianceFunction(QObject* Owner = nullptr) : TPlotFunction(Owner) {}

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    double CalculateMany(int Index) override;
    TPlotFunction* Clone(QObject* Owner) const override;
};
