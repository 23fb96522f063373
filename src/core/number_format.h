#pragma once
// Number texts by pattern ("#,##0.###", "0.00E+00", "#,##0.00;(#,##0.00);Zero")
// and in the general format. Only the given settings decide separators; the
// process locale is never consulted.
//
// Pattern characters: 0 (digit, or 0 when there is none), # (digit, or
// nothing), . (decimal separator; the first one counts), , (thousands
// grouping; written nowhere itself), E+ E- e+ e- followed by up to four 0
// (exponent form with at least that many exponent digits; E+ writes the sign
// of positive exponents too), '...' and "..." (literal text), ; (sections for
// positive; negative; zero values). Any other character, "%" included, is
// written as it stands: a percent pattern does not scale the value.
//
// The value is taken to 15 significant decimal digits and then rounded to the
// pattern's digits with halves away from zero (0.125 with "0.00" is "0.13",
// 0.5 with "0" is "1"). A value that rounds to zero takes the zero section
// when there is one, and is never written with a minus sign.
#include "core/format_settings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A pattern split into its sections, each analysed once, for writing many
// values: Format gives the same text as FormatFloat with the pattern, and
// allocates nothing but the text itself.
class TNumberPattern {
public:
    explicit TNumberPattern(std::string_view Pattern = {});

    const std::string& Pattern() const { return m_pattern; }

    std::string Format(double Value, const TFormatSettings& Settings = DefaultFormatSettings()) const;
    // Appends the text of Value to Out.
    void AppendTo(std::string& Out, double Value, const TFormatSettings& Settings = DefaultFormatSettings()) const;

private:
    enum class TTokenKind : std::uint8_t { Literal, IntSlot, FracSlots, Point, Exponent };
    struct TToken {
        TTokenKind Kind = TTokenKind::Literal;
        char ExponentChar = 'E';
        bool ExponentPlus = false;  // "E+": positive exponents get a sign too
        int A = 0;  // slot index, first slot of a run, exponent digits, or offset into m_literals
        int B = 0;  // literal length or slots in the run
    };
    // What a section asks for, and its tokens m_tokens[First, Last).
    struct TSection {
        int IntSlots = 0;   // 0 and # before the point
        int MinInt = 0;     // integer digits always written (from the leftmost 0)
        int FracSlots = 0;  // 0 and # after the point
        int MinFrac = 0;    // fraction digits always written (up to the last 0)
        bool Thousands = false;
        bool Scientific = false;
        bool Empty = true;
        int First = 0;
        int Last = 0;
        int LiteralLength = 0;  // characters the section writes as they stand
    };
    struct TDigits;

    void addSection(std::string_view S);
    void render(std::string& Out, const TSection& Section, const TDigits& D, const TFormatSettings& Settings) const;

    std::string m_pattern;
    std::string m_literals;
    std::vector<TToken> m_tokens;
    std::array<TSection, 3> m_sections;  // positive; negative; zero
    int m_sectionCount = 0;              // up to 3: further sections play no part
};

// Formats with a prepared pattern kept per thread for the patterns used last.
std::string FormatFloat(std::string_view Format, double Value,
                        const TFormatSettings& Settings = DefaultFormatSettings());

// General format: the shortest text of the value at 15 significant digits;
// fixed notation from 1E-5 up to 15 integer digits, else "d.dddE[-]x".
// Not-a-number and infinities are "NAN", "INF" and "-INF".
std::string FloatToStr(double Value, const TFormatSettings& Settings = DefaultFormatSettings());
