#pragma once
// The points where the lines of the parent's first two sources cross.
#include "chart/plot_function.h"

class TCrossPointsFunction : public TPlotFunction {
    Q_OBJECT
public:
    explicit TCrossPointsFunction(QObject* Owner = nullptr) : TPlotFunction(Owner) {}

    // A crossing at a vertex shared by two consecutive segments is added once.
    void AddPoints(const TChartSeries* Source) override;
    std::string EditorClassName() const override { return {}; }
    TPlotFunction* Clone(QObject* Owner) const override;
};
