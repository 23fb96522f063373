#pragma once
// Bollinger bands: the parent holds the average of Period points plus
// Deviation times their standard deviation, a lower band series the average
// minus it. The average is exponential or plain.
#include "chart/plot_function.h"

class TChartPen;

class TBollingerFunction : public TPlotFunction {
    Q_OBJECT
public:
    // The period the function is built with.
    double DefaultPeriod() const override { return 10; }
    explicit TBollingerFunction(QObject* Owner = nullptr);

    double Deviation() const { return m_deviation; }
    void SetDeviation(double Value);
    bool Exponential() const { return m_exponential; }
    void SetExponential(bool Value);
    // The parent series' pen (nullptr without one).
    TChartPen* UpperBandPen() const;
    TChartPen& LowBandPen() const;
    TChartSeries& LowBand() const { return *m_lowBand; }

    void AddPoints(const TChartSeries* Source) override;
    std::string EditorClassName() const override { return "TBollingerFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    // The upper band into Upper, the lower into Lower.
    void AddBands(const TChartSeries& Source, TChartSeries& Upper, TChartSeries& Lower) const;

    double m_deviation = 2;
    bool m_exponential = true;
    // owned by this function
    TChartSeries* m_lowBand = nullptr;
};
