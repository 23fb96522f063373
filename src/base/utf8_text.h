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
