#pragma once
// A picture stretched over the area a series' values span (or over the
// default axes' range) before the series draw, so it follows zoom and scroll.
#include <memory>
#include <string>

#include "chart/chart_tool.h"

class TPlotPicture;

class TChartImageTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TChartImageTool(QObject* Owner = nullptr);
    ~TChartImageTool() override;

    TPlotPicture& Picture() const { return *m_picture; }
    void SetPicture(const TPlotPicture& Value);
    // Repaints.
    void SetSeries(TChartSeries* Value) override;

    // The area the picture covers, in chart pixels.
    TRect ImageArea() const;

    std::string Description() const override;
    std::string LongDescription() const override;
    std::string EditorClassName() const override { return "TChartImageToolEditor"; }
    void Assign(const TCustomChartElement& Source) override;

    static const TPropertyTable<TCustomChartElement>& Properties();
    const TPropertyTable<TCustomChartElement>& PropertyTable() const override { return Properties(); }

    void ChartEvent(TToolDrawPhase Phase) override;

private:
    std::unique_ptr<TPlotPicture> m_picture;
};
