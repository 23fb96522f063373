#pragma once
// The fifteen built-in series palettes and the global list of palette names
// (index 0 is the default palette, which has no table of its own).
#include <span>
#include <string>
#include <vector>

#include "base/basic_types.h"

class TCustomAxisPanel;

inline constexpr int ColorPaletteCount = 15;

// Palette Index (1..15); an empty span for any other index.
std::span<const TColor> ColorPaletteTable(int Index);

// Names of the default palette and the fifteen tables, in palette order; empty
// while the chart unit is not started.
const std::vector<std::string>& ColorPalettes();
// Fills the name list from the current message texts; Stop empties it.
void StartColorPalettes();
void StopColorPalettes();

// Palette Index becomes the chart's colour table (any index outside 1..15
// empties it: default colours); series without a colour of their own get a
// free one; the chart records Index as given and repaints.
void ApplyPalette(TCustomAxisPanel& Chart, int Index);
