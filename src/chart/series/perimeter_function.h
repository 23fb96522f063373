#pragma once
// The convex hull of the source's points on screen, closed back to its first
// point, in axis values.
#include "chart/plot_function.h"

class TPerimeterFunction : public TPlotFunction {
    Q_OBJECT
public:
    explicit TPerimeterFunction(QObject* Owner = nullptr) : TPlotFunction(Owner) {}

    void AddPoints(const TChartSeries* Source) override;
    TPlotFunction* Clone(QObject* Owner) const override;
};
