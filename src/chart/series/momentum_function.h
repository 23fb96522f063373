#pragma once
// Change over the window: V[last] - V[first].
#include "chart/plot_function.h"

class TMomentumFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TMomentumFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    TPlotFunction* Clone(QObject* Owner) const override;
};
