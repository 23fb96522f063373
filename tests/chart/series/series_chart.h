#pragma once
// A chart drawing unbuffered onto a recording device with a fixed plot
// rectangle (100..500 x 50..350) and fixed axis ranges, for series drawing
// tests: bottom 0..10 (40 px a unit), left 0..100 (3 px a unit).
#include <functional>
#include <string>
#include <vector>

#include "chart/chart_axis.h"
#include "../chart_test_support.h"

class SeriesChart {
public:
    SeriesChart()
    {
        rec.chart.CustomChartRect = true;
        rec.chart.SetView3D(false);
        Range(0, 10, 0, 100);
    }
    void Range(double XMin, double XMax, double YMin, double YMax)
    {
        Bottom().SetAutomatic(false);
        Bottom().SetMinMax(XMin, XMax);
        Left().SetAutomatic(false);
        Left().SetMinMax(YMin, YMax);
    }
    TChartAxis& Bottom() { return *rec.chart.BottomAxis(); }
    TChartAxis& Left() { return *rec.chart.LeftAxis(); }
    // Inside a draw: the axes scaled to the plot rectangle, then Body.
    void Draw(const std::function<void()>& Body)
    {
        rec.chart.OnDraw = [&] {
            rec.chart.ChartRect = kRect;
            rec.chart.RecalcWidthHeight();
            Scale();
            rec.device.ClearLog();
            Body();
        };
        rec.chart.Draw(&rec.device, TRect{0, 0, rec.device.Width(), rec.device.Height()});
    }
    void Scale()
    {
        rec.chart.ChartRect = kRect;
        for (TChartAxis* a : {&Bottom(), &Left()}) {
            a->SetStartEnd();
            a->AdjustMaxMin();
        }
    }
    // Draws every series of the chart (visible range, then its points) and
    // answers the calls whose names are listed.
    std::vector<std::string> DrawAllSeries(std::initializer_list<const char*> Names)
    {
        Draw([&] {
            for (int i = 0; i < rec.chart.SeriesCount(); ++i) {
                TChartSeries* s = rec.chart.Series(i);
                s->CalcFirstLastVisible();
                s->DrawAllValues();
            }
        });
        return Calls(Names);
    }
    // The calls of the last draw whose names are listed.
    std::vector<std::string> Calls(std::initializer_list<const char*> Names) const
    {
        std::vector<std::string> out;
        for (const std::string& l : rec.device.Lines())
            for (const char* n : Names)
                if (l.rfind(std::string(n) + "(", 0) == 0)
                    out.push_back(l);
        return out;
    }

    static constexpr TRect kRect{100, 50, 500, 350};
    ChartOnRecorder rec;
};
