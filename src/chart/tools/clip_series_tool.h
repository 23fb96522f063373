#pragma once
// Keeps its series' drawing inside the rectangle of the series' axes.
#include <string>

#include "chart/chart_tool.h"

class TClipSeriesTool : public TPlotCustomToolSeries {
    Q_OBJECT
public:
    explicit TClipSeriesTool(QObject* Owner = nullptr);

    std::string Description() const override;
    std::string LongDescription() const override;

    // 1: clips before the series draws its points (when the chart may clip); 4: unclips.
    void SeriesDrawEvent(int Event) override;

private:
    bool m_clipped = false;
};
