#pragma once
// A chart that draws only what a test asks, unbuffered onto a recording
// device whose text metrics are fixed: Arial 8 is 11 pixels high, so "W" is
// 13 pixels high (ascent 11, descent 2) and every character 6 pixels wide.
#include <functional>
#include <string>
#include <vector>

#include "chart/chart.h"
#include "testing/recording_device.h"

class TDrawTestChart : public TChart {
public:
    using TChart::TChart;
    std::function<void()> OnDraw;

protected:
    void InternalDraw(const TRect&) override
    {
        if (OnDraw)
            OnDraw();
    }
};

class ChartOnRecorder {
public:
    ChartOnRecorder() { chart.SetBufferedDisplay(false); }
    // Runs Body inside a draw with the chart bounds the whole device and the
    // chart rectangle R; answers the
    // drawing calls it made.
    std::vector<std::string> DrawWith(const TRect& R, const std::function<void()>& Body)
    {
        chart.OnDraw = [&] {
            chart.ChartBounds = TRect{0, 0, device.Width(), device.Height()};
            chart.ChartRect = R;
            chart.RecalcWidthHeight();
            device.ClearLog();
            Body();
        };
        chart.Draw(&device, TRect{0, 0, device.Width(), device.Height()});
        return device.DrawingLines();
    }
    static std::vector<std::string> Texts(const std::vector<std::string>& Lines)
    {
        std::vector<std::string> out;
        for (const auto& l : Lines)
            if (l.rfind("TextOut", 0) == 0)
                out.push_back(l);
        return out;
    }

    TDrawTestChart chart;
    platform::RecordingDevice device{800, 600};
};
