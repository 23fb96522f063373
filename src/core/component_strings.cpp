#include "core/component_strings.h"

#include "base/utf8_text.h"

std::string StripCtrlChars(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 32)
            out += c;
    return out;
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
