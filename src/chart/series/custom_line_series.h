#pragma once
// A series drawn with a line pen (the element pen) that decides what a null
// point does to the line.
#include <memory>

#include "chart/chart_series.h"
#include "chart/value_setter.h"

enum TTreatNullsStyle { tnDontPaint, tnSkip, tnIgnore };
inline constexpr const char* TreatNullsStyleNames[] = {"tnDontPaint", "tnSkip", "tnIgnore"};

class TCustomLineSeries : public TChartSeries {
    Q_OBJECT
public:
    explicit TCustomLineSeries(QObject* Owner = nullptr);
    ~TCustomLineSeries() override;

    TTreatNullsStyle TreatNulls() const { return m_treatNulls; }
    void SetTreatNulls(TTreatNullsStyle Value) { SetProperty(m_treatNulls, Value); }
    // The TreatNulls a stream leaves out: the one the type is built with.
    TTreatNullsStyle DefaultTreatNulls() const { return m_defaultTreatNulls; }
    TChartPen& LinePen() const { return Pen(); }
    void SetLinePen(const TChartPen& Value) { SetPen(Value); }

    // TreatNulls of another line series, then the series settings.
    void Assign(const TCustomChartElement& Source) override;
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    // LinePen (the element pen under the name the line types publish).
    static const TPropertyTable<TCustomChartElement>& Properties();

protected:
    // TreatNulls and its stored default together, for a type built otherwise.
    void InitTreatNulls(TTreatNullsStyle Value)
    {
        InitValue(*this, &TCustomLineSeries::SetTreatNulls, m_defaultTreatNulls, Value);
    }
    // The index over XValues and YValues, up to date, when both axes are
    // linear; else nullptr.
    const TPointIndex* ValuesPointIndex() const;

    TTreatNullsStyle m_treatNulls = tnDontPaint;

private:
    mutable std::unique_ptr<TPointIndex> m_pointIndex;
    TTreatNullsStyle m_defaultTreatNulls = tnDontPaint;
};
