#include "core/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kPrecision = 15;           // significant digits kept of a double
constexpr int kFixedExponentLimit = 18;  // from 1E18 on, patterns without exponent write the general format

// |value| = 0.Digits × 10^Exponent; no trailing zeros in Digits, none for zero.
struct TDecimal {
    char Digits[kPrecision + 1] = {};
    int Count = 0;
    int Exponent = 0;
    bool IsZero() const { return Count == 0; }
    // The digit at i, 0 outside the digits.
    char Digit(int i) const { return i >= 0 && i < Count ? Digits[i] : '0'; }
    // Writes the N digits from From on; returns the end.
    char* CopyDigits(char* Out, int From, int N) const
    {
        const int lead = std::clamp(-From, 0, N);  // zeros before the first digit
        std::memset(Out, '0', static_cast<std::size_t>(lead));
        Out += lead;
        From += lead;
        N -= lead;
        if (const int inside = std::clamp(Count - From, 0, N); inside > 0) {
            std::memcpy(Out, Digits + From, static_cast<std::size_t>(inside));
            Out += inside;
            N -= inside;
        }
        std::memset(Out, '0', static_cast<std::size_t>(N));
        return Out + N;
    }
};

void stripTrailingZeros(TDecimal& d)
{
    while (d.Count > 0 && d.Digits[d.Count - 1] == '0')
        --d.Count;
    if (d.Count == 0)
        d.Exponent = 0;
}

// |Value| at 15 significant digits (correctly rounded from the binary value).
TDecimal toDecimal(double Value)
{
    TDecimal d;
    if (Value == 0.0)
        return d;
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(Value),
                                      std::chars_format::scientific, kPrecision - 1);
    // "d.ddddddddddddddde[+-]xx"
    d.Digits[0] = buffer[0];
    std::memcpy(d.Digits + 1, buffer + 2, kPrecision - 1);
    d.Count = kPrecision;
    const char* p = buffer + kPrecision + 2;
    const bool negative = *p == '-';
    ++p;
    int exponent = 0;
    for (; p < result.ptr; ++p)
        exponent = exponent * 10 + (*p - '0');
    d.Exponent = (negative ? -exponent : exponent) + 1;
    stripTrailingZeros(d);
    return d;
}

// Keeps Count leading digits, rounding the rest with halves away from zero.
void roundToDigits(TDecimal& d, int Count)
{
    if (d.IsZero() || Count >= d.Count)
        return;
    if (Count < 0) {
        d.Count = 0;
        d.Exponent = 0;
        return;
    }
    const bool up = d.Digits[Count] >= '5';
    d.Count = Count;
    if (up) {
        int i = Count - 1;
        while (i >= 0 && d.Digits[i] == '9') {
            d.Digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.Digits[i];
        } else {
            // all nines: 0.999 becomes 1.000, which is 0.1 × 10^(Exponent + 1)
            d.Digits[0] = '1';
            d.Count = 1;
            ++d.Exponent;
        }
    }
    stripTrailingZeros(d);
}

void appendExponentDigits(std::string& Out, int Exponent, int MinDigits)
{
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::abs(Exponent));
    const int length = static_cast<int>(result.ptr - buffer);
    if (length < MinDigits)
        Out.append(static_cast<std::size_t>(MinDigits - length), '0');
    Out.append(buffer, result.ptr);
}

void appendGeneral(std::string& Out, double Value, const TFormatSettings& Settings)
{
    if (std::isnan(Value)) {
        Out += "NAN";
        return;
    }
    if (std::isinf(Value)) {
        Out += Value > 0 ? "INF" : "-INF";
        return;
    }
    const TDecimal d = toDecimal(Value);
    if (d.IsZero()) {
        Out += '0';
        return;
    }
    if (Value < 0)
        Out += '-';
    if (d.Exponent > kPrecision || d.Exponent < -4) {
        Out += d.Digits[0];
        if (d.Count > 1) {
            Out += Settings.DecimalSeparator;
            Out.append(d.Digits + 1, static_cast<std::size_t>(d.Count - 1));
        }
        Out += 'E';
        if (d.Exponent - 1 < 0)
            Out += '-';
        appendExponentDigits(Out, d.Exponent - 1, 1);
        return;
    }
    if (d.Exponent <= 0) {
        Out += '0';
        Out += Settings.DecimalSeparator;
        Out.append(static_cast<std::size_t>(-d.Exponent), '0');
        Out.append(d.Digits, static_cast<std::size_t>(d.Count));
        return;
    }
    for (int i = 0; i < d.Exponent; ++i)
        Out += d.Digit(i);
    if (d.Count > d.Exponent) {
        Out += Settings.DecimalSeparator;
        Out.append(d.Digits + d.Exponent, static_cast<std::size_t>(d.Count - d.Exponent));
    }
}

bool isPlaceholder(char c)
{
    return c == '0' || c == '#';
}

// Length of an exponent marker at S[i] ("E+00" is 4), 0 when there is none.
std::size_t exponentLength(std::string_view S, std::size_t i, int& Digits)
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

} // namespace

// The digits of a rounded value as a section places them: integer digit k is
// Decimal.Digit(IntStart + k), fraction digit k is Decimal.Digit(FracStart + k).
struct TNumberPattern::TDigits {
    TDecimal Decimal;
    int IntLength = 0;
    int IntStart = 0;
    int FracLength = 0;
    int FracStart = 0;
    int Exponent = 0;  // scientific only

    TDigits(const TSection& L, const TDecimal& d) : Decimal(d)
    {
        int rawFrac = 0;
        if (L.Scientific) {
            const int intCount = std::max(L.IntSlots, 1);
            IntLength = d.IsZero() ? 1 : intCount;
            Exponent = d.IsZero() ? 0 : d.Exponent - intCount;
            FracStart = intCount;
            rawFrac = std::max(d.Count - intCount, 0);
        } else {
            const int rawInt = std::max(d.Exponent, 0);
            IntLength = std::max(rawInt, L.MinInt);
            IntStart = rawInt - IntLength;  // leading zeros up to MinInt
            FracStart = d.Exponent;
            rawFrac = std::max(d.Count - d.Exponent, 0);
        }
        FracLength = std::max(rawFrac, L.MinFrac);
    }
};

TNumberPattern::TNumberPattern(std::string_view Pattern) : m_pattern(Pattern)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < Pattern.size();) {
        if (const std::size_t n = PatternLiteralLength(Pattern, i); n > 0) {
            i += n;
            continue;
        }
        if (Pattern[i] == ';') {
            addSection(Pattern.substr(start, i - start));
            start = i + 1;
        }
        ++i;
    }
    addSection(Pattern.substr(start));
}

void TNumberPattern::addSection(std::string_view S)
{
    if (m_sectionCount == static_cast<int>(m_sections.size()))
        return;
    TSection& section = m_sections[static_cast<std::size_t>(m_sectionCount++)];
    section.Empty = S.empty();
    section.First = static_cast<int>(m_tokens.size());
    const auto literal = [&](std::string_view text) {
        if (static_cast<int>(m_tokens.size()) > section.First && m_tokens.back().Kind == TTokenKind::Literal) {
            m_tokens.back().B += static_cast<int>(text.size());
        } else {
            TToken token;
            token.A = static_cast<int>(m_literals.size());
            token.B = static_cast<int>(text.size());
            m_tokens.push_back(token);
        }
        m_literals.append(text);
        section.LiteralLength += static_cast<int>(text.size());
    };
    const auto add = [&](TTokenKind kind, int a, int b) {
        TToken token;
        token.Kind = kind;
        token.A = a;
        token.B = b;
        m_tokens.push_back(token);
    };
    bool afterPoint = false;
    bool exponentDone = false;
    int leftmostZero = -1;  // slot index of the first 0 before the point
    for (std::size_t i = 0; i < S.size();) {
        const char c = S[i];
        if (const std::size_t n = PatternLiteralLength(S, i); n > 0) {
            literal(PatternLiteralText(S, i, n));
            i += n;
            continue;
        }
        if (exponentDone) {
            // after the exponent every character stands for itself
            literal(S.substr(i, 1));
            ++i;
            continue;
        }
        int expDigits = 0;
        if (const std::size_t n = exponentLength(S, i, expDigits); n > 0) {
            section.Scientific = true;
            TToken token;
            token.Kind = TTokenKind::Exponent;
            token.ExponentChar = c;
            token.ExponentPlus = S[i + 1] == '+';
            token.A = std::max(expDigits, 1);
            m_tokens.push_back(token);
            exponentDone = true;
            i += n;
            continue;
        }
        if (isPlaceholder(c)) {
            if (afterPoint) {
                // a run of fraction slots is one token
                if (static_cast<int>(m_tokens.size()) > section.First && m_tokens.back().Kind == TTokenKind::FracSlots)
                    ++m_tokens.back().B;
                else
                    add(TTokenKind::FracSlots, section.FracSlots, 1);
                ++section.FracSlots;
                if (c == '0')
                    section.MinFrac = section.FracSlots;
            } else {
                if (c == '0' && leftmostZero < 0)
                    leftmostZero = section.IntSlots;
                add(TTokenKind::IntSlot, section.IntSlots++, 0);
            }
        } else if (c == '.' && !afterPoint) {
            add(TTokenKind::Point, 0, 0);
            afterPoint = true;
        } else if (c == ',') {
            section.Thousands = true;
        } else {
            literal(S.substr(i, 1));
        }
        ++i;
    }
    if (leftmostZero >= 0)
        section.MinInt = section.IntSlots - leftmostZero;
    section.Last = static_cast<int>(m_tokens.size());
}

void TNumberPattern::render(std::string& Out, const TSection& L, const TDigits& p,
                            const TFormatSettings& Settings) const
{
    const int intLen = p.IntLength;
    const bool grouping = L.Thousands && !L.Scientific;
    const std::string_view thousands = Settings.ThousandSeparator;
    const std::string_view point = Settings.DecimalSeparator;
    // Written through a pointer into room for the longest text, then cut to size.
    constexpr int kExponentRoom = 2 + 11;  // letter, sign, digits of any int
    const std::size_t at = Out.size();
    const std::size_t room = static_cast<std::size_t>(L.LiteralLength + L.FracSlots + kExponentRoom) +
                             static_cast<std::size_t>(intLen) * (1 + (grouping ? thousands.size() : 0)) + point.size();
    Out.resize(at + room);
    char* const begin = Out.data() + at;
    char* out = begin;
    const auto write = [&out](std::string_view text) {
        std::memcpy(out, text.data(), text.size());
        out += text.size();
    };
    int nextInt = 0;  // next integer digit to write
    const auto writeIntDigits = [&](int upTo) {
        if (!grouping && nextInt < upTo) {
            out = p.Decimal.CopyDigits(out, p.IntStart + nextInt, upTo - nextInt);
            nextInt = upTo;
        }
        for (; nextInt < upTo; ++nextInt) {
            *out++ = p.Decimal.Digit(p.IntStart + nextInt);
            const int remaining = intLen - 1 - nextInt;
            if (grouping && remaining > 0 && remaining % 3 == 0)
                write(thousands);
        }
    };
    for (int t = L.First; t < L.Last; ++t) {
        const TToken& token = m_tokens[static_cast<std::size_t>(t)];
        switch (token.Kind) {
        case TTokenKind::Literal:
            write(std::string_view(m_literals).substr(static_cast<std::size_t>(token.A), static_cast<std::size_t>(token.B)));
            break;
        case TTokenKind::IntSlot:
            // The first slot takes every digit the pattern has no room for.
            writeIntDigits(intLen - L.IntSlots + token.A + 1);
            break;
        case TTokenKind::FracSlots:
            if (const int end = std::min(token.A + token.B, p.FracLength); end > token.A)
                out = p.Decimal.CopyDigits(out, p.FracStart + token.A, end - token.A);
            break;
        case TTokenKind::Point:
            writeIntDigits(intLen);
            if (p.FracLength > 0)
                write(point);
            break;
        case TTokenKind::Exponent: {
            writeIntDigits(intLen);  // a pattern without digit slots
            *out++ = token.ExponentChar;
            if (p.Exponent < 0)
                *out++ = '-';
            else if (token.ExponentPlus)
                *out++ = '+';
            char digits[12];
            const auto result = std::to_chars(digits, digits + sizeof digits, std::abs(p.Exponent));
            const int length = static_cast<int>(result.ptr - digits);
            for (int k = length; k < token.A; ++k)
                *out++ = '0';
            write(std::string_view(digits, static_cast<std::size_t>(length)));
            break;
        }
        }
    }
    Out.resize(at + static_cast<std::size_t>(out - begin));
}

void TNumberPattern::AppendTo(std::string& Out, double Value, const TFormatSettings& Settings) const
{
    if (m_pattern.empty() || !std::isfinite(Value)) {
        appendGeneral(Out, Value, Settings);
        return;
    }
    const bool negative = Value < 0;
    const bool ownNegative = negative && m_sectionCount > 1 && !m_sections[1].Empty;
    const TSection* section = &m_sections[ownNegative ? 1 : 0];
    if (section->Empty) {
        appendGeneral(Out, Value, Settings);
        return;
    }
    TDecimal d = toDecimal(Value);
    if (section->Scientific)
        roundToDigits(d, std::max(section->IntSlots, 1) + section->FracSlots);
    else if (!d.IsZero())
        roundToDigits(d, d.Exponent + section->FracSlots);
    if (!section->Scientific && !d.IsZero() && d.Exponent > kFixedExponentLimit) {
        appendGeneral(Out, Value, Settings);
        return;
    }
    bool minus = negative && !ownNegative;
    if (d.IsZero()) {
        minus = false;
        section = &m_sections[m_sectionCount > 2 && !m_sections[2].Empty ? 2 : 0];
    }
    if (minus)
        Out += '-';
    render(Out, *section, TDigits(*section, d), Settings);
}

std::string TNumberPattern::Format(double Value, const TFormatSettings& Settings) const
{
    std::string out;
    AppendTo(out, Value, Settings);
    return out;
}

std::string FloatToStr(double Value, const TFormatSettings& Settings)
{
    std::string out;
    appendGeneral(out, Value, Settings);
    return out;
}

namespace {

// The patterns this thread prepared last; the oldest gives way.
const TNumberPattern& preparedPattern(std::string_view Format)
{
    constexpr std::size_t kSize = 8;
    struct TCache {
        std::vector<TNumberPattern> Patterns;
        std::size_t Last = 0;
        std::size_t Oldest = 0;
    };
    thread_local TCache cache;
    if (cache.Last < cache.Patterns.size() && cache.Patterns[cache.Last].Pattern() == Format)
        return cache.Patterns[cache.Last];
    for (std::size_t i = 0; i < cache.Patterns.size(); ++i) {
        if (cache.Patterns[i].Pattern() == Format) {
            cache.Last = i;
            return cache.Patterns[i];
        }
    }
    if (cache.Patterns.size() < kSize) {
        cache.Patterns.emplace_back(Format);
        cache.Last = cache.Patterns.size() - 1;
    } else {
        cache.Patterns[cache.Oldest] = TNumberPattern(Format);
        cache.Last = cache.Oldest;
        cache.Oldest = (cache.Oldest + 1) % kSize;
    }
    return cache.Patterns[cache.Last];
}

} // namespace

std::string FormatFloat(std::string_view Format, double Value, const TFormatSettings& Settings)
{
    if (Format.empty() || !std::isfinite(Value))
        return FloatToStr(Value, Settings);
    return preparedPattern(Format).Format(Value, Settings);
}
