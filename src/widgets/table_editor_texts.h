#pragma once
// Number texts and number scanning of the numeric table editor: fixed-width
// number fields, the cell rule that falls back to the exponent form, and the
// scanner that reads numbers out of clipboard text.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Value in a field of |Width| characters (right-aligned): Decimals >= 0 fixed
// notation; -1 the exponent form (sign position, one digit, point, at least
// one further digit, "E", sign, four exponent digits); -2 the exponent form in
// |Width| + 2 characters with a two-digit exponent (all "*" when the exponent
// needs more). A negative Width pads with zeros after the sign.
std::string FormatNumber(int Width, int Decimals, double Value);

// Fixed notation with Decimals (0..8) places while the value has at most nine
// integer-and-decimal digits (eight when Decimals >= 1) and is not below one
// unit of the last place (zero excepted); else, and for other Decimals, the
// short exponent form FormatNumber(Width + 6, -2).
std::string FormatCellNumber(int Width, int Decimals, double Value);

std::string SubstituteChar(std::string_view Text, char Old, char New);
// Without leading and trailing blanks (only ' ' counts).
std::string TrimBlanks(std::string_view Text);

// Separators accepted by ScanNumber.
enum TDecimalSeparator : int { dsPoint = 1, dsComma = 2, dsEither = 3 };

// Reads one number from Position on: leading blanks, a sign, digits with one
// decimal separator, and with ExponentAllowed an exponent after a capital
// "E". Position ends at the character that ended the number ("1e3" ends at
// "e"); an "E" without exponent digits ("2E", "1E+") is left out of the
// number. Text that is no number (no digit, a second separator, a sign
// alone) gives nothing and Position moves past the whole token, at least one
// character. Values beyond +-1.7E308 are clamped.
std::optional<double> ScanNumber(std::string_view Text, bool ExponentAllowed, int SeparatorMode,
                                 std::size_t& Position);
