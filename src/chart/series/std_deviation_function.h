#pragma once
// Standard deviation of each period (sample, or population with Complete), or
// of one index across several sources.
#include "chart/plot_function.h"

class TStdDeviationFunction : public TPlotFunction {
    Q_OBJECT
public:
    explicit TStdDeviationFunction(QObject* Owner = nullptr) : TPlotFunction(Owner) {}

    bool Complete() const { return m_complete; }
    void SetComplete(bool Value);

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    double CalculateMany(int Index) override;
    std::string EditorClassName() const override { return "TRMSFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    bool m_complete = false;
};
