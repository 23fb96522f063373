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

#include <string>
#include <string_view>

std::string FormatFloat(std::string_view Format, double Value,
                        const TFormatSettings& Settings = DefaultFormatSettings());

// General format: the shortest text of the value at 15 significant digits;
// fixed notation from 1E-5 up to 15 integer digits, else "d.dddE[-]x".
// Not-a-number and infinities are "NAN", "INF" and "-INF".
std::string FloatToStr(double Value, const TFormatSettings& Settings = DefaultFormatSettings());
