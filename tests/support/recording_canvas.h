#pragma once
// A chart canvas drawing unbuffered and in 2D onto a recording device, for
// tests that read the device's log or pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/plot_canvas_3d.h"
#include "testing/recording_device.h"

using Lines = std::vector<std::string>;

// Canvas window the size of the device, white back colour; the set-up calls
// are taken out of the log.
inline void InitOnRecorder(TPlotCanvas3D& canvas, platform::RecordingDevice& device)
{
    canvas.SetBufferedDisplay(false);
    canvas.InitWindow(&device, nullptr, clWhite, false, TRect{0, 0, device.Width(), device.Height()});
    device.ClearLog();
}

class CanvasOnRecorderTest : public ::testing::Test {
protected:
    explicit CanvasOnRecorderTest(int width = 200, int height = 150) : device(width, height) {}
    void SetUp() override { InitOnRecorder(canvas, device); }
    Lines Log() const { return device.Lines(); }

    platform::RecordingDevice device;
    TPlotCanvas3D canvas;
};
