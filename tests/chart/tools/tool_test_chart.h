#pragma once
// A 2D chart with fixed axes for tool tests: drawn unbuffered onto a
// recording device (log and pixels), or buffered onto its own window surface.
#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <vector>

#include "chart/chart.h"
#include "chart/chart_axis.h"
#include "platform/qt_drawing_device.h"
#include "support/test_series.h"
#include "testing/recording_device.h"

class ToolChartTest : public ::testing::Test {
protected:
    ToolChartTest()
    {
        chart.SetView3D(false);
        chart.SetBufferedDisplay(false);
        chart.Legend()->SetVisible(false);
        chart.BottomAxis()->SetMinMax(0, 10);
        chart.LeftAxis()->SetMinMax(0, 100);
    }
    ~ToolChartTest() override
    {
        while (chart.SeriesCount() > 0)
            chart.RemoveSeries(chart.Series(0));
    }

    TTestLineSeries& AddLine(std::initializer_list<std::pair<double, double>> Points)
    {
        auto* s = new TTestLineSeries(&owner);
        for (const auto& [x, y] : Points)
            s->AddXY(x, y);
        chart.AddSeries(s);
        chart.BottomAxis()->SetMinMax(0, 10);
        chart.LeftAxis()->SetMinMax(0, 100);
        return *s;
    }
    // One full unbuffered paint onto the recording device.
    void Draw()
    {
        device.ClearLog();
        chart.Draw(&device, TRect{0, 0, device.Width(), device.Height()});
    }
    // One buffered paint onto the chart's own window surface.
    void DrawBuffered()
    {
        chart.SetBufferedDisplay(true);
        chart.resize(device.Width(), device.Height());
        // drawing outside a paint needs a shown window
        chart.show();
        chart.Draw(chart.WindowCanvas(), TRect{0, 0, device.Width(), device.Height()});
    }
    QImage WindowImage() const { return chart.WindowCanvas()->Image().copy(); }
    std::vector<std::uint32_t> DevicePixels() const
    {
        const platform::Bitmap& b = device.Surface();
        std::vector<std::uint32_t> out;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                out.push_back(b.RawPixel(x, y));
        return out;
    }

    QObject owner;
    platform::RecordingDevice device{400, 300};
    TChart chart;
};
