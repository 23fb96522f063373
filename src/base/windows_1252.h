#pragma once
// The windows-1252 code page: its bytes 0x80..0x9F (the rest of the page is
// ISO-8859-1) and the byte of a code point.
#include <array>
#include <cstdint>

// Code points of the bytes 0x80..0x9F; the five unassigned bytes keep their C1 code.
extern const std::array<std::uint16_t, 32> kWindows1252High;

// The byte that stands for code point cp, or -1 when the page has none.
int Windows1252Byte(std::uint32_t cp);
