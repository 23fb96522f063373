#pragma once
// The pictures the instruments load by name: the segment shapes of the
// seven-segment display ("SEGVERT", "SEGHORZ", "SEGDOT", "SEGPLUS",
// "SEGCOLON", "SEGDEG": black shapes on white) and the style pictures of the
// on/off button ("CHECKBOX" ... "USER5": four quadrants, on/off across,
// enabled/disabled down, background in the key colour). Drawn in code, without
// antialiasing, on first request.
#include <string_view>

#include "platform/drawing_device.h"

// Pixels of this colour in a button picture show the background.
constexpr TColor kButtonKeyColor = 0xEBBEEB;

// The picture of that name; an empty bitmap for an unknown name.
const platform::Bitmap& InstrumentBitmap(std::string_view name);
