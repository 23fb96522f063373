#pragma once
// Exponential moving average over the whole source, factor 2 / (Period + 1).
// With IgnoreNulls off, null points are skipped and the average starts at the
// first non-null point.
#include "chart/plot_function.h"

class TExpMovAveFunction : public TPlotFunction {
    Q_OBJECT
public:
    // The period the function is built with.
    double DefaultPeriod() const override { return 10; }
    explicit TExpMovAveFunction(QObject* Owner = nullptr);

    bool IgnoreNulls() const { return m_ignoreNulls; }
    void SetIgnoreNulls(bool Value);

    void AddPoints(const TChartSeries* Source) override;
    TPlotFunction* Clone(QObject* Owner) const override;
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();

private:
    bool m_ignoreNulls = true;
};
