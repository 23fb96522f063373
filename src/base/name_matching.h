#pragma once
// The one place where names are folded and trimmed: only ASCII A-Z is
// lower-cased, only characters with codes <= 32 are trimmed.
#include <string>
#include <string_view>

inline char LowerAsciiChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string_view s);
std::string TrimControl(std::string_view s);
// Trimmed, ASCII-case-insensitive equality.
bool SameName(std::string_view a, std::string_view b);
// ASCII-case-insensitive equality, no trimming.
bool SameTextAscii(std::string_view a, std::string_view b);
