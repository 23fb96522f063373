#pragma once
// The straightforward pattern code the prepared patterns must agree with to
// the character: each call splits the pattern, analyses the section and
// renders it from the pattern text again.
#include "core/format_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace number_format_reference {

inline constexpr int kPrecision = 15;      // significant digits kept of a double
inline constexpr int kFixedExponentLimit = 18;  // from 1E18 on, patterns without exponent write the general format

// |value| = 0.Digits × 10^Exponent; no trailing zeros in Digits, empty for zero.
struct TDecimal {
    std::string Digits;
    int Exponent = 0;
    bool IsZero() const { return Digits.empty(); }
};

inline void stripTrailingZeros(TDecimal& d)
{
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    if (d.Digits.empty())
        d.Exponent = 0;
}

// |Value| at 15 significant digits (correctly rounded from the binary value).
inline TDecimal toDecimal(double Value)
{
    TDecimal d;
    if (Value == 0.0)
        return d;
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(Value),
                                      std::chars_format::scientific, kPrecision - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    // "d.ddddddddddddddde[+-]xx"
    const std::size_t e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.')
            d.Digits += text[i];
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), exponent);
    d.Exponent = exponent + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps Count leading digits, rounding the rest with halves away from zero.
inline void roundToDigits(TDecimal& d, int Count)
{
    if (d.IsZero() || Count >= static_cast<int>(d.Digits.size()))
        return;
    if (Count < 0) {
        d.Digits.clear();
        d.Exponent = 0;
        return;
    }
    const bool up = d.Digits[static_cast<std::size_t>(Count)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(Count));
    if (up) {
        int i = Count - 1;
        while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') {
            d.Digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.Digits[static_cast<std::size_t>(i)];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.Exponent;
        }
    }
    stripTrailingZeros(d);
}

// Rounds to Decimals digits after the point.
inline void roundToDecimals(TDecimal& d, int Decimals)
{
    if (!d.IsZero())
        roundToDigits(d, d.Exponent + Decimals);
}

// What a pattern section asks for.
struct TSectionLayout {
    int IntSlots = 0;      // 0 and # before the point
    int MinInt = 0;        // integer digits always written (from the leftmost 0)
    int FracSlots = 0;     // 0 and # after the point
    int MinFrac = 0;       // fraction digits always written (up to the last 0)
    bool Thousands = false;
    bool Scientific = false;
};

inline bool isPlaceholder(char c)
{
    return c == '0' || c == '#';
}

// Length of an exponent marker at S[i] ("E+00" is 4), 0 when there is none.
inline std::size_t exponentLength(std::string_view S, std::size_t i, int& Digits)
{
    Digits = 0;
    if ((S[i] != 'E' && S[i] != 'e') || i + 1 >= S.size() || (S[i + 1] != '+' && S[i + 1] != '-'))
        return 0;
    std::size_t j = i + 2;
    while (j < S.size() && S[j] == '0' && Digits < 4) {
        ++Digits;
        ++j;
    }
    return j - i;
}

inline TSectionLayout analyse(std::string_view S)
{
    TSectionLayout layout;
    bool afterPoint = false;
    int leftmostZero = -1;  // slot index of the first 0 before the point
    for (std::size_t i = 0; i < S.size();) {
        const char c = S[i];
        if (const std::size_t n = PatternLiteralLength(S, i); n > 0) {
            i += n;
            continue;
        }
        int expDigits = 0;
        if (const std::size_t n = exponentLength(S, i, expDigits); n > 0) {
            layout.Scientific = true;
            break;
        }
        if (isPlaceholder(c)) {
            if (afterPoint) {
                ++layout.FracSlots;
                if (c == '0')
                    layout.MinFrac = layout.FracSlots;
            } else {
                if (c == '0' && leftmostZero < 0)
                    leftmostZero = layout.IntSlots;
                ++layout.IntSlots;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            layout.Thousands = true;
        }
        ++i;
    }
    if (leftmostZero >= 0)
        layout.MinInt = layout.IntSlots - leftmostZero;
    return layout;
}

inline std::vector<std::string_view> splitSections(std::string_view Format)
{
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    for (std::size_t i = 0; i < Format.size();) {
        if (const std::size_t n = PatternLiteralLength(Format, i); n > 0) {
            i += n;
            continue;
        }
        if (Format[i] == ';') {
            sections.push_back(Format.substr(start, i - start));
            start = i + 1;
        }
        ++i;
    }
    sections.push_back(Format.substr(start));
    return sections;
}

// The digits of a rounded value, ready to be placed into the pattern.
struct TPlacedDigits {
    std::string Int;
    std::string Frac;
    int Exponent = 0;  // scientific only
};

inline TDecimal roundFor(const TSectionLayout& L, double Value)
{
    TDecimal d = toDecimal(Value);
    if (L.Scientific)
        roundToDigits(d, std::max(L.IntSlots, 1) + L.FracSlots);
    else
        roundToDecimals(d, L.FracSlots);
    return d;
}

inline TPlacedDigits place(const TSectionLayout& L, const TDecimal& d)
{
    TPlacedDigits p;
    const auto digit = [&d](int i) {
        return i >= 0 && i < static_cast<int>(d.Digits.size()) ? d.Digits[static_cast<std::size_t>(i)] : '0';
    };
    if (L.Scientific) {
        const int intCount = std::max(L.IntSlots, 1);
        if (d.IsZero()) {
            p.Int = "0";
        } else {
            for (int i = 0; i < intCount; ++i)
                p.Int += digit(i);
            p.Exponent = d.Exponent - intCount;
        }
        for (int i = intCount; i < static_cast<int>(d.Digits.size()); ++i)
            p.Frac += digit(i);
    } else {
        for (int i = 0; i < d.Exponent; ++i)
            p.Int += digit(i);
        for (int i = d.Exponent; i < static_cast<int>(d.Digits.size()); ++i)
            p.Frac += digit(i);
        if (static_cast<int>(p.Int.size()) < L.MinInt)
            p.Int.insert(0, static_cast<std::size_t>(L.MinInt) - p.Int.size(), '0');
    }
    if (static_cast<int>(p.Frac.size()) < L.MinFrac)
        p.Frac.append(static_cast<std::size_t>(L.MinFrac) - p.Frac.size(), '0');
    return p;
}

inline std::string render(std::string_view S, const TSectionLayout& L, const TPlacedDigits& p,
                   const TFormatSettings& Settings)
{
    std::string out;
    const int intLen = static_cast<int>(p.Int.size());
    const bool grouping = L.Thousands && !L.Scientific;
    int nextInt = 0;  // next digit of p.Int to write
    const auto writeIntDigits = [&](int upTo) {
        for (; nextInt < upTo; ++nextInt) {
            out += p.Int[static_cast<std::size_t>(nextInt)];
            const int remaining = intLen - 1 - nextInt;
            if (grouping && remaining > 0 && remaining % 3 == 0)
                out += Settings.ThousandSeparator;
        }
    };
    int intSlot = 0;
    int fracSlot = 0;
    bool afterPoint = false;
    bool exponentDone = false;
    for (std::size_t i = 0; i < S.size();) {
        const char c = S[i];
        if (const std::size_t n = PatternLiteralLength(S, i); n > 0) {
            out.append(PatternLiteralText(S, i, n));
            i += n;
            continue;
        }
        int expDigits = 0;
        if (!exponentDone) {
            if (const std::size_t n = exponentLength(S, i, expDigits); n > 0) {
                writeIntDigits(intLen);  // a pattern without digit slots
                out += c;
                const int e = p.Exponent;
                if (e < 0)
                    out += '-';
                else if (S[i + 1] == '+')
                    out += '+';
                std::string digits = std::to_string(std::abs(e));
                if (static_cast<int>(digits.size()) < std::max(expDigits, 1))
                    digits.insert(0, static_cast<std::size_t>(std::max(expDigits, 1)) - digits.size(), '0');
                out += digits;
                exponentDone = true;
                i += n;
                continue;
            }
        }
        if (isPlaceholder(c) && !exponentDone) {
            if (!afterPoint) {
                // The first slot takes every digit the pattern has no room for.
                const int free = L.IntSlots - intLen;
                if (intSlot == 0)
                    writeIntDigits(std::max(intLen - L.IntSlots + 1, 0));
                else if (intSlot >= free)
                    writeIntDigits(intSlot - free + 1);
                ++intSlot;
            } else {
                if (fracSlot < static_cast<int>(p.Frac.size()))
                    out += p.Frac[static_cast<std::size_t>(fracSlot)];
                ++fracSlot;
            }
        } else if (c == '.' && !afterPoint && !exponentDone) {
            writeIntDigits(intLen);
            afterPoint = true;
            if (!p.Frac.empty())
                out += Settings.DecimalSeparator;
        } else if (c == ',' && !exponentDone) {
            // grouping flag only
        } else {
            out += c;
        }
        ++i;
    }
    return out;
}

inline std::string ReferenceFloatToStr(double Value, const TFormatSettings& Settings)
{
    if (std::isnan(Value))
        return "NAN";
    if (std::isinf(Value))
        return Value > 0 ? "INF" : "-INF";
    const TDecimal d = toDecimal(Value);
    if (d.IsZero())
        return "0";
    std::string out = Value < 0 ? "-" : "";
    const int digits = static_cast<int>(d.Digits.size());
    if (d.Exponent > kPrecision || d.Exponent < -4) {
        out += d.Digits[0];
        if (digits > 1) {
            out += Settings.DecimalSeparator;
            out.append(d.Digits, 1);
        }
        out += 'E';
        out += std::to_string(d.Exponent - 1);
        return out;
    }
    if (d.Exponent <= 0) {
        out += '0';
        out += Settings.DecimalSeparator;
        out.append(static_cast<std::size_t>(-d.Exponent), '0');
        out += d.Digits;
        return out;
    }
    for (int i = 0; i < d.Exponent; ++i)
        out += i < digits ? d.Digits[static_cast<std::size_t>(i)] : '0';
    if (digits > d.Exponent) {
        out += Settings.DecimalSeparator;
        out.append(d.Digits, static_cast<std::size_t>(d.Exponent));
    }
    return out;
}

inline std::string ReferenceFormatFloat(std::string_view Format, double Value, const TFormatSettings& Settings)
{
    if (Format.empty() || !std::isfinite(Value))
        return ReferenceFloatToStr(Value, Settings);
    const std::vector<std::string_view> sections = splitSections(Format);
    const bool negative = Value < 0;
    const bool ownNegative = negative && sections.size() > 1 && !sections[1].empty();
    std::string_view section = ownNegative ? sections[1] : sections[0];
    if (section.empty())
        return ReferenceFloatToStr(Value, Settings);

    TSectionLayout layout = analyse(section);
    TDecimal d = roundFor(layout, Value);
    if (!layout.Scientific && !d.IsZero() && d.Exponent > kFixedExponentLimit)
        return ReferenceFloatToStr(Value, Settings);

    bool minus = negative && !ownNegative;
    if (d.IsZero()) {
        minus = false;
        if (sections.size() > 2 && !sections[2].empty())
            section = sections[2];
        else
            section = sections[0];
        layout = analyse(section);
    }
    std::string out = render(section, layout, place(layout, d), Settings);
    return minus ? "-" + out : out;
}

} // namespace number_format_reference
