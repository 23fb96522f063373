#pragma once
// Base of the financial series: points with a date (X) and four prices; Close
// is the mandatory list. Draws nothing itself.
#include "chart/series/custom_series.h"

class TOHLCSeries : public TCustomSeries {
    Q_OBJECT
public:
    explicit TOHLCSeries(QObject* Owner = nullptr);

    TChartValueList& DateValues() const { return XValues(); }
    void SetDateValues(const TChartValueList& Value) { SetXValues(Value); }
    TChartValueList& CloseValues() const { return YValues(); }
    void SetCloseValues(const TChartValueList& Value) { SetYValues(Value); }
    TChartValueList& HighValues() const { return *m_high; }
    void SetHighValues(const TChartValueList& Value);
    TChartValueList& LowValues() const { return *m_low; }
    void SetLowValues(const TChartValueList& Value);
    TChartValueList& OpenValues() const { return *m_open; }
    void SetOpenValues(const TChartValueList& Value);

    // Answers the new point's index.
    int AddOHLC(double ADate, double AOpen, double AHigh, double ALow, double AClose);

    // Over the four prices.
    double MaxYValue() const override;
    double MinYValue() const override;

    int NumSampleValues() const override { return 40; }
    void AddSampleValues(int NumValues, bool OnlyMandatory = false) override;
    // Only another OHLC series feeds one (a function decides for itself).
    bool IsValidSourceOf(const QObject* Source) const override;

    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    int ListIndex(const TChartValueList* List) const;

    TChartValueList* m_high = nullptr;
    TChartValueList* m_low = nullptr;
    TChartValueList* m_open = nullptr;
};
