#pragma once
// Horizontal text alignment, shared by the chart engine and the instruments.
#include <cstdint>

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
