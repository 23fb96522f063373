#pragma once
// Stochastic oscillator of each moving window: where the last value lies
// between the window's lowest Low and highest High, in percent. Needs a
// source with "High" and "Low" lists.
#include <vector>

#include "chart/plot_function.h"

class TStochasticFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TStochasticFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    void AddPoints(const TChartSeries* Source) override;
    double Calculate(const TChartSeries& Source, int First, int Last) override;
    bool IsValidSource(const TChartSeries& Source) const override;
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    // per source point: V - low and high - low of the window ending there
    std::vector<double> m_numerators;
    std::vector<double> m_denominators;
};
