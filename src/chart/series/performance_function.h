#pragma once
// Gain in percent of each window's last value over the source's first value.
#include "chart/plot_function.h"

class TPerformanceFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TPerformanceFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    TPlotFunction* Clone(QObject* Owner) const override;
};
