#include "widgets/instrument_texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "core/number_format.h"

namespace {

// The exponent form with up to `optional` mantissa digits after the first
// decimal, the exponent cut from four digits to two.
std::string ExponentForm(double value, int optional)
{
    constexpr int kPrepared = 14;
    static const std::array<TNumberPattern, kPrepared> patterns = [] {
        std::array<TNumberPattern, kPrepared> p;
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = TNumberPattern("0.0" + std::string(i, '#') + "E+0000");
        return p;
    }();
    if (optional >= 0 && optional < kPrepared)
        return ShortenExponent(patterns[static_cast<std::size_t>(optional)].Format(value));
    return ShortenExponent(FormatFloat("0.0" + std::string(optional, '#') + "E+0000", value));
}

// Fixed notation with `decimals` places (none for 0 and below).
std::string FixedForm(double value, int decimals)
{
    constexpr int kPrepared = 21;
    static const std::array<TNumberPattern, kPrepared> patterns = [] {
        std::array<TNumberPattern, kPrepared> p;
        p[0] = TNumberPattern("0");
        for (std::size_t i = 1; i < p.size(); ++i)
            p[i] = TNumberPattern("0." + std::string(i, '0'));
        return p;
    }();
    if (decimals < kPrepared)
        return patterns[static_cast<std::size_t>(std::max(decimals, 0))].Format(value);
    return FormatFloat("0." + std::string(decimals, '0'), value);
}

}  // namespace

std::string ShortenExponent(std::string text)
{
    const std::size_t e = text.find('E');
    if (e == std::string::npos || text.size() != e + 6)
        return text;
    const bool small = text[e + 2] == '0' && text[e + 3] == '0';
    text.erase(e + 2, 2);
    if (!small)
        text.assign(text.size(), '*');
    return text;
}

std::string NumberText(double value, int decimals)
{
    if (decimals == -1 || !std::isfinite(value))
        return ExponentText(value);
    return FixedForm(value, decimals);
}

std::string ExponentText(double value, int maxLength)
{
    if (!std::isfinite(value))
        return FloatToStr(value);
    int optional = 13;  // 15 significant digits in all
    std::string text = ExponentForm(value, optional);
    while (static_cast<int>(text.size()) > maxLength && optional > 0)
        text = ExponentForm(value, --optional);
    return text;
}

std::string LabelNumberText(double value, int decimals, int maxLength)
{
    std::string text = NumberText(value, decimals);
    if (static_cast<int>(text.size()) > maxLength)
        text = ExponentText(value, maxLength);
    return text;
}

std::string ElapsedTimeText(double seconds, bool withMilliseconds)
{
    std::string text = seconds < 0 ? "-" : " ";
    const double magnitude = std::fabs(seconds);
    if (!std::isfinite(magnitude) || magnitude >= 9.2e15)
        return text + "**:**:**";
    long long ms = std::llround(magnitude * 1000);
    if (!withMilliseconds)
        ms = ms / 1000 * 1000;
    const long long hours = ms / 3600000;
    const int minutes = static_cast<int>(ms / 60000 % 60);
    const int secs = static_cast<int>(ms / 1000 % 60);
    const int millis = static_cast<int>(ms % 1000);
    auto two = [](int v) { return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; };
    text += hours < 10 ? "0" + std::to_string(hours) : std::to_string(hours);
    text += ":" + two(minutes) + ":" + two(secs);
    if (withMilliseconds)
        text += "." + std::to_string(millis / 100) + std::to_string(millis / 10 % 10) + std::to_string(millis % 10);
    return text;
}

std::optional<double> ParseDecimal(const std::string& text, bool commaIsPoint)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    std::string s = text.substr(begin, end - begin);
    if (s.empty())
        return std::nullopt;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    bool digits = false, point = false;
    for (; i < s.size(); ++i) {
        char& c = s[i];
        if (c >= '0' && c <= '9')
            digits = true;
        else if ((c == '.' || (commaIsPoint && c == ',')) && !point) {
            point = true;
            c = '.';
        } else
            break;
    }
    if (!digits)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        const std::size_t firstDigit = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9')
            ++j;
        if (j == firstDigit)
            return std::nullopt;
        i = j;
    }
    if (i != s.size())
        return std::nullopt;
    const char* first = s.c_str() + (s[0] == '+' ? 1 : 0);
    double value = 0;
    const auto result = std::from_chars(first, s.c_str() + s.size(), value);
    if (result.ec != std::errc() || result.ptr != s.c_str() + s.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
