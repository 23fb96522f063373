#include "base/utf8_text.h"

#include "base/windows_1252.h"

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

namespace {

// Decodes one character at s[i], advancing i; a malformed sequence gives
// 0xFFFD and advances by one byte.
std::uint32_t NextCodePoint(std::string_view s, std::size_t& i)
{
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
        ++i;
        return c;
    }
    const int n = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
    std::uint32_t cp = c & (0x3F >> n);
    for (int k = 1; k <= n; ++k) {
        if (i + k >= s.size() || !isContinuation(s[i + k])) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    }
    i += n == 0 ? 1 : n + 1;
    return n == 0 ? 0xFFFD : cp;
}

} // namespace

std::uint32_t Windows1252CodePoint(std::uint8_t c)
{
    return c >= 0x80 && c <= 0x9F ? kWindows1252High[c - 0x80] : c;
}

std::string Windows1252ToUtf8(std::string_view s)
{
    std::string out;
    out.reserve(s.size() + s.size() / 8);
    for (char c : s)
        AppendUtf8(out, Windows1252CodePoint(static_cast<std::uint8_t>(c)));
    return out;
}

std::string Utf8ToWindows1252(std::string_view s, std::size_t MaxBytes)
{
    std::string out;
    for (std::size_t i = 0; i < s.size() && out.size() < MaxBytes;) {
        const int b = Windows1252Byte(NextCodePoint(s, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}
