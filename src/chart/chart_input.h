#pragma once
// Mouse buttons, shift states and cursor numbers as the chart's events and
// properties carry them.
#include <cstdint>

#include "base/shift_state.h"

// The identifiers of the shift bits, bit 0 first.
inline constexpr const char* ShiftStateNames[] = {"ssShift", "ssAlt", "ssCtrl", "ssLeft",
                                                  "ssRight", "ssMiddle", "ssDouble"};

// Cursor numbers; positive numbers are cursors registered by the program.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
