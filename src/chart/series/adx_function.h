#pragma once
// Average directional index of an OHLC source: the parent receives the ADX,
// two owned lines the up (+DI) and down (-DI) directional indicators.
#include "chart/plot_function.h"

class TChartPen;

class TADXFunction : public TPlotFunction {
    Q_OBJECT
public:
    // The period the function is built with.
    double DefaultPeriod() const override { return 14; }
    explicit TADXFunction(QObject* Owner = nullptr);

    TChartPen& DownLinePen() const;
    TChartPen& UpLinePen() const;
    TChartSeries& DownLine() const { return *m_downLine; }
    TChartSeries& UpLine() const { return *m_upLine; }

    // Nothing below a period of 2 points or with fewer than 2 * Period points.
    void AddPoints(const TChartSeries* Source) override;
    bool IsValidSource(const TChartSeries& Source) const override;
    std::string EditorClassName() const override { return "TADXFuncEditor"; }
    const TPropertyTable<TPlotFunction>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TPlotFunction>& Properties();
    TPlotFunction* Clone(QObject* Owner) const override;

private:
    // owned by this function
    TChartSeries* m_downLine = nullptr;
    TChartSeries* m_upLine = nullptr;
};
