#pragma once
// Puts a recording device in place of an instrument's image.
#include <memory>

#include "testing/recording_device.h"
#include "widgets/instrument_host.h"

inline platform::RecordingDevice& InstallRecorder(TInstrumentHost& host, int width, int height)
{
    auto owned = std::make_unique<platform::RecordingDevice>(width, height);
    platform::RecordingDevice& device = *owned;
    host.SetBuffer(std::move(owned));
    return device;
}
