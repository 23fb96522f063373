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
