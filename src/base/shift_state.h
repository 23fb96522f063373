#pragma once
// Keys and buttons held during a mouse event, as a set of bits; shared by the
// chart's and the instruments' mouse handling.
#include <cstdint>

enum TShiftFlag : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = std::uint8_t;

// The button of a mouse press or release.
enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
