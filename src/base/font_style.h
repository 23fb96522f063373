#pragma once
// Font styles as a set of bits; shared by the chart's fonts and the instruments'.
#include <cstdint>

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;
