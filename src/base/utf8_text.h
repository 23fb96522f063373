#pragma once
// Character counting and cutting of UTF-8 text: a character starts at every
// byte that is not a continuation byte.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Number of characters.
std::size_t Utf8CharCount(std::string_view s);
// Byte offset at which character `index` (0-based) starts; s.size() past the end.
std::size_t Utf8CharOffset(std::string_view s, std::size_t index);
// The first n characters.
std::string Utf8LeftChars(std::string_view s, std::size_t n);
// The last n characters.
std::string_view Utf8RightChars(std::string_view s, std::size_t n);

// Appends code point cp (at most 0x10FFFF) encoded as UTF-8.
void AppendUtf8(std::string& out, std::uint32_t cp);

// The code point of a windows-1252 byte; the five unassigned bytes of
// 0x80..0x9F keep their C1 code.
std::uint32_t Windows1252CodePoint(std::uint8_t c);
// windows-1252 bytes as UTF-8.
std::string Windows1252ToUtf8(std::string_view s);
// UTF-8 text as windows-1252 bytes, at most MaxBytes of them, cut between
// characters; a character with no windows-1252 byte (or a malformed
// sequence) becomes "?".
std::string Utf8ToWindows1252(std::string_view s, std::size_t MaxBytes = std::string::npos);
