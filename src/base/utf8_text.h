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

// Appends code point cp (at most 0x10FFFF) encoded as UTF-8. Inline, so that
// the XML layer below the core can use it without linking the core.
inline void AppendUtf8(std::string& out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}
