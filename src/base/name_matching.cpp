#include "base/name_matching.h"

namespace {

bool isTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

std::string LowerAscii(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = LowerAsciiChar(c);
    return out;
}

std::string TrimControl(std::string_view s)
{
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && isTrimmed(s[first]))
        ++first;
    while (last > first && isTrimmed(s[last - 1]))
        --last;
    return std::string(s.substr(first, last - first));
}

bool SameTextAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAsciiChar(a[i]) != LowerAsciiChar(b[i]))
            return false;
    return true;
}

bool SameName(std::string_view a, std::string_view b)
{
    return SameTextAscii(TrimControl(a), TrimControl(b));
}
