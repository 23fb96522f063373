#pragma once
// Candles with Darvas boxes drawn over them: ranges where prices stayed
// between a top and a bottom.
#include <memory>
#include <vector>

#include "chart/series/candle_series.h"

// One box as point indexes: first and last point, the point of its top
// (High) and of its bottom (Low).
struct TDarvasBox {
    int Start = 0;
    int Top = 0;
    int End = 0;
    int Bottom = 0;
    bool operator==(const TDarvasBox&) const = default;
};

// The boxes of Count points in index order; none without points.
std::vector<TDarvasBox> FindDarvasBoxes(const double* High, const double* Low, int Count);

class TDarvasSeries : public TCandleSeries {
    Q_OBJECT
public:
    explicit TDarvasSeries(QObject* Owner = nullptr);
    ~TDarvasSeries() override;

    TChartBrush& BoxBrush() const { return *m_boxBrush; }
    void SetBoxBrush(const TChartBrush& Value) { m_boxBrush->Assign(Value); }
    TChartPen& BoxPen() const { return *m_boxPen; }
    void SetBoxPen(const TChartPen& Value) { m_boxPen->Assign(Value); }

    // The boxes of the current points.
    std::vector<TDarvasBox> Boxes() const;

    // The candles, then the boxes over them.
    void DrawAllValues() override;
    void Assign(const TCustomChartElement& Source) override;
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }
    static const TPropertyTable<TCustomChartElement>& Properties();

private:
    std::unique_ptr<TChartBrush> m_boxBrush;
    std::unique_ptr<TChartPen> m_boxPen;
};
