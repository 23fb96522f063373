#pragma once
// Relative strength index of each moving window of an OHLC source, from the
// close changes (rsiClose) or from up and down candles (rsiOpenClose).
#include "chart/plot_function.h"

enum TRSIStyle { rsiOpenClose, rsiClose };
inline constexpr const char* RSIStyleNames[] = {"rsiOpenClose", "rsiClose"};

class TRSIFunction : public TPlotMovingFunction {
    Q_OBJECT
public:
    explicit TRSIFunction(QObject* Owner = nullptr) : TPlotMovingFunction(Owner) {}

    TRSIStyle Style() const { return m_style; }
    void SetStyle(TRSIStyle Value);

    double Calculate(const TChartSeries& Source, int First, int Last) override;
    bool IsValidSource(const TChartSeries& Source) const override;
    TPlotFunction* Clone(QObject* Owner) const override;
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();

private:
    TRSIStyle m_style = rsiOpenClose;
};
