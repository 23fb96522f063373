#pragma once
// The histogram chart the render test and the QCustomPlot benchmark draw:
// 800 x 600, 2D, title "Histogram", 400 bars over [-4, 4) of heights
// 10000 * 0.02 * phi(x) with a 1-pixel black outline, and a 2-pixel red line
// of the same density through 500 points.
#include <QObject>

#include <cmath>

#include "chart/chart.h"
#include "chart/series/histogram_series.h"
#include "chart/series/line_series.h"

namespace histogram {

constexpr int Width = 800;
constexpr int Height = 600;
constexpr int Bars = 400;
constexpr int LinePoints = 500;

// Standard normal density.
inline double Phi(double x)
{
    return std::exp(-x * x / 2) / std::sqrt(2 * M_PI);
}
inline double BarX(int i)
{
    return -4 + 0.02 * (i + 0.5);
}
inline double LineX(int i)
{
    return -4 + 8.0 * i / (LinePoints - 1);
}
inline double BarHeight(double x)
{
    return 10000 * 0.02 * Phi(x);
}

}  // namespace histogram

class THistogramChart {
public:
    THistogramChart()
    {
        using namespace histogram;
        chart.resize(Width, Height);
        chart.SetView3D(false);
        chart.Title()->SetCaption("Histogram");
        bars = new THistogramSeries(&form);
        bars->SetTitle("Bars");
        bars->Pen().SetColor(clBlack);
        bars->Pen().SetWidth(1);
        for (int i = 0; i < Bars; ++i)
            bars->AddXY(BarX(i), BarHeight(BarX(i)));
        line = new TLineSeries(&form);
        line->SetTitle("Density");
        line->SetSeriesColor(clRed);
        line->LinePen().SetWidth(2);
        for (int i = 0; i < LinePoints; ++i)
            line->AddXY(LineX(i), BarHeight(LineX(i)));
        chart.AddSeries(bars);
        chart.AddSeries(line);
    }

    QObject form;
    TChart chart;
    THistogramSeries* bars = nullptr;
    TLineSeries* line = nullptr;
};
