#pragma once
// Root mean square of each period (divisor n - 1, or n with Complete), or of
// one index across several sources.
#include "chart/plot_function.h"

class TRMSFunction : public TPlotFunction {
    Q_OBJECT
public:
    explicit TRMSFunction(QObject* Owner = nullptr) : TPlotFunction(Owner) {}

    bool Complete() const { return m_complete; }
    void SetComplete(bool Value);

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    double CalculateMany(int Index) override;
    std::string EditorClassName() const override { return "TRMSFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    double Result(double SumSquares, int N) const;

    bool m_complete = false;
};
