#include "widgets/table_editor_texts.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/number_format.h"
#include "widgets/instrument_texts.h"

namespace {

constexpr double kMaxMagnitude = 1.7e308;
constexpr int kMaxExponentRead = 4200;
constexpr int kMaxCellDecimals = 8;

// Largest magnitude shown in fixed notation per number of decimals:
// 999999999 for none, then eight digits (9999999.9 ... 0.99999999).
constexpr double kFixedLimit[kMaxCellDecimals + 1] = {999999999.0, 9999999.9,  999999.99,
                                                      99999.999,   9999.9999,  999.99999,
                                                      99.999999,   9.9999999,  0.99999999};
// One unit of the last place.
constexpr double kFixedUnit[kMaxCellDecimals + 1] = {1, 1e-1, 1e-2, 1e-3, 1e-4, 1e-5, 1e-6, 1e-7, 1e-8};

std::string PadLeft(std::string text, int width)
{
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// The exponent form with `digits` places after the point and a sign position.
std::string ExponentField(double value, int width)
{
    // sign, digit, point, "E", sign and four exponent digits take 9 characters
    static const std::array<TNumberPattern, 17> patterns = [] {
        std::array<TNumberPattern, 17> p;
        for (std::size_t digits = 1; digits < p.size(); ++digits)
            p[digits] = TNumberPattern("0." + std::string(digits, '0') + "E+0000");
        return p;
    }();
    const int digits = std::clamp(width - 9, 1, 16);
    std::string text;
    text.reserve(static_cast<std::size_t>(std::max(width, 2 + digits + 7)));
    text += ' ';  // the sign position, taken by a minus
    patterns[static_cast<std::size_t>(digits)].AppendTo(text, value);
    if (text.size() > 1 && text[1] == '-')
        text.erase(0, 1);
    return PadLeft(std::move(text), width);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatNumber(int Width, int Decimals, double Value)
{
    const int width = std::abs(Width);
    std::string text;
    if (Decimals == -2)
        text = ShortenExponent(ExponentField(Value, width + 2));
    else if (Decimals < 0)
        text = ExponentField(Value, width);
    else
        text = PadLeft(NumberText(Value, Decimals), width);
    if (Width < 0) {
        std::size_t i = 0;
        while (i < text.size() && text[i] == ' ')
            text[i++] = '0';
        if (i > 0 && i < text.size() && text[i] == '-') {
            text[i] = '0';
            text[0] = '-';
        }
    }
    return text;
}

std::string FormatCellNumber(int Width, int Decimals, double Value)
{
    if (Decimals >= 0 && Decimals <= kMaxCellDecimals) {
        const double magnitude = std::fabs(Value);
        if (magnitude <= kFixedLimit[Decimals] && (magnitude >= kFixedUnit[Decimals] || Value == 0))
            return FormatNumber(Width, Decimals, Value);
    }
    return FormatNumber(Width + 6, -2, Value);
}

std::string SubstituteChar(std::string_view Text, char Old, char New)
{
    std::string text(Text);
    std::replace(text.begin(), text.end(), Old, New);
    return text;
}

std::string TrimBlanks(std::string_view Text)
{
    const std::size_t first = Text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = Text.find_last_not_of(' ');
    return std::string(Text.substr(first, last - first + 1));
}

std::optional<double> ScanNumber(std::string_view Text, bool ExponentAllowed, int SeparatorMode,
                                 std::size_t& Position)
{
    enum State { Start, AfterSign, IntPart, Fraction, ExponentStart, ExponentSign, ExponentDigits };
    const auto isSeparator = [SeparatorMode](char c) {
        return (c == '.' && (SeparatorMode & dsPoint)) || (c == ',' && (SeparatorMode & dsComma));
    };
    const std::size_t start = Position;
    std::size_t pos = Position;
    std::string number;
    std::size_t exponentAt = std::string::npos;  // where the "E" stands in the text
    std::size_t numberBeforeExponent = 0;
    bool mantissaDigit = false;
    bool negativeExponent = false;
    int exponent = 0;
    bool error = false;
    State state = Start;
    for (bool done = false; !done;) {
        const char c = pos < Text.size() ? Text[pos] : 'Z';  // the end reads as "Z"
        const bool atEnd = pos >= Text.size();
        const bool sign = c == '+' || c == '-';
        const bool e = c == 'E' && !atEnd;
        switch (state) {
        case Start:
            if (isSeparator(c)) state = Fraction;
            else if (IsDigit(c)) state = IntPart;
            else if (c == ' ') { ++pos; continue; }
            else if (sign) state = AfterSign;
            else error = true;
            break;
        case AfterSign:
            if (isSeparator(c)) state = Fraction;
            else if (IsDigit(c)) state = IntPart;
            else error = true;
            break;
        case IntPart:
            if (isSeparator(c)) state = Fraction;
            else if (IsDigit(c)) {}
            else if (e && ExponentAllowed) state = ExponentStart;
            else done = true;
            break;
        case Fraction:
            if (isSeparator(c)) error = true;
            else if (IsDigit(c)) {}
            else if (e && ExponentAllowed) state = ExponentStart;
            else done = true;
            break;
        case ExponentStart:
            if (IsDigit(c)) state = ExponentDigits;
            else if (sign) state = ExponentSign;
            else done = true;  // no exponent digits: the number ends before the "E"
            break;
        case ExponentSign:
            if (IsDigit(c)) state = ExponentDigits;
            else done = true;
            break;
        case ExponentDigits:
            if (!IsDigit(c)) done = true;
            break;
        }
        if (error || done)
            break;
        if (state == ExponentStart && c == 'E') {
            exponentAt = pos;
            numberBeforeExponent = number.size();
        }
        if (state == ExponentSign && sign)
            negativeExponent = c == '-';
        if (state == ExponentDigits) {
            if (exponent <= kMaxExponentRead) {
                exponent = exponent * 10 + (c - '0');
                number += c;
            }
        } else {
            if (IsDigit(c))
                mantissaDigit = true;
            number += c == ',' ? '.' : c;
        }
        ++pos;
    }
    if (!error && (state == ExponentStart || state == ExponentSign)) {
        // a dangling exponent is no part of the number
        pos = exponentAt;
        number.resize(numberBeforeExponent);
    }
    if (error || !mantissaDigit) {
        // the scan moves on by at least one character; a bad token is passed whole
        const auto inToken = [&Text](std::size_t i) {
            const char ch = Text[i];
            return IsDigit(ch) || ch == '+' || ch == '-' || ch == '.' || ch == ',' || ch == 'E' || ch == 'e';
        };
        if (pos < Text.size() && inToken(pos))
            while (pos < Text.size() && inToken(pos))
                ++pos;
        Position = std::max(pos, start + 1);
        return std::nullopt;
    }
    Position = pos;
    if (!number.empty() && number.back() == '.')
        number += '0';
    const char* first = number.data();
    const char* last = number.data() + number.size();
    bool negative = false;
    if (first != last && (*first == '+' || *first == '-')) {
        negative = *first == '-';
        ++first;
    }
    double value = 0;
    const auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = negativeExponent ? 0.0 : kMaxMagnitude;
    else if (result.ec != std::errc())
        return std::nullopt;
    value = std::min(value, kMaxMagnitude);
    return negative ? -value : value;
}
