#pragma once
// String helpers of the component library. Lengths count UTF-8 characters
// (code points), not bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/utf8_text.h"

// Removes every character below 32; bytes of 128 and above stay.
std::string StripCtrlChars(std::string_view s);

// s padded with blanks to width characters, the odd blank on the right;
// the first width characters when s is not shorter.
std::string CenterString(std::string_view s, std::uint8_t width);
