#pragma once
// Moving average convergence/divergence: the parent receives the short
// exponential average (Period2) minus the long one (Period); a signal line
// holds the Period3 exponential average of that line, and a histogram the
// difference of the two.
#include "chart/plot_function.h"

class TChartPen;
class TExpMovAveFunction;
class TVolumeSeries;

class TMACDFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    // The period the function is built with.
    double DefaultPeriod() const override { return 26; }
    explicit TMACDFunction(QObject* Owner = nullptr);

    double Period2() const { return m_period2; }
    // Values below 1 become 1.
    void SetPeriod2(double Value);
    int Period3() const;
    void SetPeriod3(int Value);

    // The parent series' pen (nullptr without one).
    TChartPen* MACDPen() const;
    TChartPen& MACDExpPen() const;
    TChartPen& HistogramPen() const;

    TChartSeries& SignalSeries() const { return *m_signal; }
    TVolumeSeries& HistogramSeries() const { return *m_histogram; }

    void AddPoints(const TChartSeries* Source) override;
    void Clear() override;
    std::string EditorClassName() const override { return "TMACDFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    double m_period2 = 12;
    // owned by this function (QObject children)
    TChartSeries* m_signal = nullptr;
    TVolumeSeries* m_histogram = nullptr;
    TExpMovAveFunction* m_signalFunction = nullptr;
};
