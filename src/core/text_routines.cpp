#include "core/text_routines.h"

#include "core/color_names.h"
#include "base/name_matching.h"
#include "base/utf8_text.h"
#include "platform/clock.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>
#include <system_error>

namespace {

// Whole part as a 64-bit integer; 0 for NaN, saturated outside the range.
std::int64_t safeTrunc(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= 9.2e18)
        return std::numeric_limits<std::int64_t>::max();
    if (x <= -9.2e18)
        return std::numeric_limits<std::int64_t>::min();
    return Trunc(x);
}

std::string twoDigits(unsigned v)
{
    std::string s = std::to_string(v);
    return v < 10 ? "0" + s : s;
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

template <typename T>
T itemOrFirst(int I, std::span<const T> A)
{
    if (A.empty())
        return 0;
    return (I >= 0 && static_cast<std::size_t>(I) < A.size()) ? A[I] : A[0];
}

} // namespace

void DelaySeconds(double Seconds)
{
    // the thread sleeps: no message is handled, no core is kept busy
    platform::Clock& clock = platform::CurrentClock();
    const double wait = std::fabs(Seconds);
    const double start = clock.MonotonicSeconds();
    for (;;) {
        const double elapsed = std::fabs(clock.MonotonicSeconds() - start);
        if (!(elapsed < wait))
            return;
        clock.SleepFor(wait - elapsed);
    }
}

std::string FormatTimeHMS(double T)
{
    constexpr std::int64_t msPerDay = 86400000;
    // Far beyond any calendar date (9999-12-31 is day 2958465) the time of
    // day means nothing, and the millisecond count would overflow.
    if (!std::isfinite(T) || std::fabs(T) > 1e9)
        return FormatHMS(0, 0, 0);
    // Rounded to the millisecond, then the time of day of that instant.
    std::int64_t ms = Round(T * static_cast<double>(msPerDay)) % msPerDay;
    if (ms < 0)
        ms = -ms;
    const auto h = static_cast<std::uint16_t>(ms / 3600000);
    const auto m = static_cast<std::uint16_t>(ms / 60000 % 60);
    const auto s = static_cast<std::uint16_t>(ms / 1000 % 60);
    return FormatHMS(h, m, s);
}

std::string FormatHMS(std::uint32_t H, std::uint16_t M, std::uint16_t S)
{
    return std::to_string(H) + ":" + twoDigits(M) + ":" + twoDigits(S);
}

void MinutesToHMS(double Minutes, std::uint32_t& H, std::uint16_t& M, std::uint16_t& S)
{
    constexpr std::int64_t kLastMinute = std::int64_t{0xFFFFFFFF} * 60 + 59;
    if (!(Minutes > 0)) {
        H = M = S = 0;
        return;
    }
    const std::int64_t w = std::min(safeTrunc(Minutes), kLastMinute);
    const double seconds = std::trunc((Minutes - static_cast<double>(w)) * 60.0);
    S = static_cast<std::uint16_t>(std::clamp(seconds, 0.0, 59.0));
    H = static_cast<std::uint32_t>(w / 60);
    M = static_cast<std::uint16_t>(w % 60);
}

bool SameLeadingText(std::string_view A, std::string_view B, int N)
{
    // N counts characters, not bytes.
    const std::size_t n = N > 0 ? static_cast<std::size_t>(N) : 0;
    if (Utf8CharCount(A) < n || Utf8CharCount(B) < n)
        return false;
    return SameTextAscii(A.substr(0, Utf8CharOffset(A, n)), B.substr(0, Utf8CharOffset(B, n)));
}

std::uint8_t DistributionKind(std::string_view Name)
{
    const std::string head = LowerAscii(Name.substr(0, 3));
    if (head == "nor")
        return 1;
    if (head == "uni")
        return 2;
    return 0;
}

double TextToFloat(std::string_view S)
{
    std::string text(S);
    if (const auto comma = text.find(','); comma != std::string::npos)
        text[comma] = '.';

    // [blanks] [sign] digits [. digits] [(E|e) [sign] digits], at least one
    // mantissa digit; nothing may follow.
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t numberStart = i;
    const std::size_t intStart = i;
    while (i < n && isDigit(text[i]))
        ++i;
    const std::size_t intEnd = i;
    std::size_t fracStart = i;
    std::size_t fracEnd = i;
    if (i < n && text[i] == '.') {
        fracStart = ++i;
        while (i < n && isDigit(text[i]))
            ++i;
        fracEnd = i;
    }
    if (intEnd == intStart && fracEnd == fracStart)
        return kInvalidNumber;
    long exponent = 0;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        const std::size_t expStart = i;
        while (i < n && isDigit(text[i])) {
            if (exponent < 100000)
                exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (i == expStart)
            return kInvalidNumber;
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return kInvalidNumber;

    // The grammar is checked; from_chars reads it the same way in any locale.
    double value = 0.0;
    const char* first = text.data() + numberStart;
    const char* last = text.data() + n;
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decimal magnitude of the leading significant digit tells overflow
        // (no number) from underflow (zero).
        long magnitude = 0;
        bool found = false;
        for (std::size_t k = intStart; k < intEnd && !found; ++k)
            if (text[k] != '0') {
                magnitude = static_cast<long>(intEnd - k) - 1;
                found = true;
            }
        for (std::size_t k = fracStart; k < fracEnd && !found; ++k)
            if (text[k] != '0') {
                magnitude = -static_cast<long>(k - fracStart) - 1;
                found = true;
            }
        if (found && magnitude + exponent >= 0)
            return kInvalidNumber;
        return negative ? -0.0 : 0.0;
    }
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return kInvalidNumber;
    return negative ? -value : value;
}

bool FileVersionCompatible(std::string_view /*Version*/)
{
    return true;
}

void AppDirURL(std::string_view S, std::string& Result)
{
    const auto close = S.find('}');
    if (close == std::string_view::npos || S.substr(0, close + 1) != "{appdir}") {
        Result = std::string(S);
        return;
    }
    std::error_code error;
    const std::filesystem::path cwd = std::filesystem::current_path(error);
    std::string folder = error ? std::string() : cwd.string();
    for (char& c : folder)
        if (c == '\\')
            c = '/';
    // Built apart first: S may view Result.
    std::string url = "file://" + folder + "/" + std::string(S.substr(close + 1));
    Result = std::move(url);
}

TColor ColorNameToColor(std::string_view Name)
{
    const std::string key = LowerAscii(Name);
    for (const TColorName& entry : ColorNames())
        if (entry.Name == key)
            return entry.Value;
    return clNone;
}

int ItemOrFirst(int I, std::span<const int> A)
{
    return itemOrFirst(I, A);
}

TColor ItemOrFirst(int I, std::span<const TColor> A)
{
    return itemOrFirst(I, A);
}

std::string AlignRight(std::string_view S, int N)
{
    // N counts characters, not bytes: "Año" is three characters.
    if (N <= 0)
        return {};
    const std::string trimmed = TrimControl(S);
    const auto n = static_cast<std::size_t>(N);
    const std::size_t count = Utf8CharCount(trimmed);
    if (count >= n)
        return std::string(Utf8RightChars(trimmed, n));
    return std::string(n - count, ' ') + trimmed;
}

std::string RightChars(std::string_view S, int N)
{
    // N counts characters, not bytes.
    if (N <= 0)
        return {};
    return std::string(Utf8RightChars(S, static_cast<std::size_t>(N)));
}
