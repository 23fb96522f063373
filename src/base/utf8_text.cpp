#include "base/utf8_text.h"

namespace {

bool isContinuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::size_t Utf8CharCount(std::string_view s)
{
    std::size_t n = 0;
    for (char c : s)
        if (!isContinuation(c))
            ++n;
    return n;
}

std::size_t Utf8CharOffset(std::string_view s, std::size_t index)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (isContinuation(s[i]))
            continue;
        if (seen == index)
            return i;
        ++seen;
    }
    return s.size();
}

std::string Utf8LeftChars(std::string_view s, std::size_t n)
{
    return std::string(s.substr(0, Utf8CharOffset(s, n)));
}

std::string_view Utf8RightChars(std::string_view s, std::size_t n)
{
    const std::size_t count = Utf8CharCount(s);
    if (n >= count)
        return s;
    return s.substr(Utf8CharOffset(s, count - n));
}

void AppendUtf8(std::string& out, std::uint32_t cp)
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
