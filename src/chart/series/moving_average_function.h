#pragma once
// Average of each moving window: plain, weighted by the source's X values, or
// weighted by the position in the window (1, 2, ..., n).
#include "chart/plot_function.h"

class TMovingAverageFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TMovingAverageFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    bool Weighted() const { return m_weighted; }
    void SetWeighted(bool Value);
    bool WeightedIndex() const { return m_weightedIndex; }
    void SetWeightedIndex(bool Value);

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    std::string EditorClassName() const override { return "TMovAveFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    bool m_weighted = false;
    bool m_weightedIndex = false;
};
