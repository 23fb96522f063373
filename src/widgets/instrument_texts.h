#pragma once
// Number texts of the instruments: fixed decimals, the exponent form with a
// four-digit exponent, the 14-character label rule, elapsed times, and a
// strict decimal parser. Independent of the process locale.
#include <optional>
#include <string>

// Fixed notation with `decimals` digits after the point (no padding); a value
// that rounds to zero never shows a minus sign. decimals -1 gives ExponentText.
std::string NumberText(double value, int decimals);

// Exponent form: mantissa with the fewest digits (at least one decimal) that
// hold the value to 15 significant digits, then "E", the sign and the
// exponent. The exponent is written with four digits whose first two are
// dropped ("E+0003" reads "E+03"); when those two are not both "0" the whole
// text is made of "*". At most maxLength characters, by rounding the mantissa.
std::string ExponentText(double value, int maxLength = 14);

// A text ending in a four-digit exponent ("1.5E+0003") with the exponent's
// two leading digits dropped ("1.5E+03"); when they are not both "0" the value
// does not fit and every character becomes "*". Other texts are returned as
// they stand.
std::string ShortenExponent(std::string text);

// A number label of at most `maxLength` characters: NumberText, and the
// exponent form when the fixed text would be longer (a longer text is never
// cut into a different number).
std::string LabelNumberText(double value, int decimals, int maxLength = 14);

// Elapsed time of an instrument scale: a blank (or "-" below 0), then hours,
// minutes and seconds with two digits each ("hh:mm:ss", hours may be longer),
// and ".mmm" milliseconds when asked. The value is rounded to whole
// milliseconds first, so 7.9999999 reads 00:00:08.
std::string ElapsedTimeText(double seconds, bool withMilliseconds);

// A decimal number written with an optional sign, digits, an optional point
// (or a comma when allowed) and an optional exponent, blanks around it allowed;
// nothing when the text is anything else or the value is not finite.
std::optional<double> ParseDecimal(const std::string& text, bool commaIsPoint = false);
