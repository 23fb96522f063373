#pragma once
// Blend of the window's last source value with the one before it:
// Weight * V[last] + (1 - Weight) * V[last - 1].
#include "chart/plot_function.h"

class TExpAverageFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TExpAverageFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    double Weight() const { return m_weight; }
    // Raises ChartException outside 0..1 and keeps the old weight.
    void SetWeight(double Value);

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    std::string EditorClassName() const override { return "TExpAveFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    double m_weight = 0.2;
};
