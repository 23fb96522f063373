#pragma once
// Colour-constant names of study documents ("clred", "clwebnavy") and
// their values, in the fixed order in which they are matched.
#include "base/basic_types.h"

#include <span>
#include <string_view>

struct TColorName {
    std::string_view Name;  // lower case
    TColor Value;
};

// The 194 names in matching order: special values, the 16 standard colours
// and their aliases, 4 extras, 30 system colours, 140 web colours.
std::span<const TColorName> ColorNames();
