#pragma once
// Ratio over the window in percent: 100 * V[last] / V[first] (0 when V[first] is 0).
#include "chart/plot_function.h"

class TMomentumDivFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TMomentumDivFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    TPlotFunction* Clone(QObject* Owner) const override;
};
