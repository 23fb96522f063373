#include "core/component_strings.h"

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::string StripCtrlChars(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 32)
            out += c;
    return out;
}

std::size_t Utf8CharCount(std::string_view s)
{
    std::size_t n = 0;
    for (char c : s)
        if (!IsContinuationByte(c))
            ++n;
    return n;
}

std::string Utf8LeftChars(std::string_view s, std::size_t n)
{
    std::size_t chars = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!IsContinuationByte(s[i])) {
            if (chars == n)
                return std::string(s.substr(0, i));
            ++chars;
        }
    }
    return std::string(s);
}

std::string CenterString(std::string_view s, std::uint8_t width)
{
    const std::size_t len = Utf8CharCount(s);
    if (len >= width)
        return Utf8LeftChars(s, width);
    const std::size_t pad = width - len;
    const std::size_t left = pad / 2;
    std::string out(left, ' ');
    out += s;
    out.append(pad - left, ' ');
    return out;
}
