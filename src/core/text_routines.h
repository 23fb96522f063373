#pragma once
// Free-standing time, text and colour routines that need no window.
// Texts are UTF-8; where a routine counts characters it counts code points.
#include "base/basic_types.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Value of a text that is no number.
constexpr double kInvalidNumber = -999.999;

// Busy-waits on the monotonic clock until |Seconds| have passed.
void DelaySeconds(double Seconds);

// Time of day of a day number (days since 1899-12-30) as "h:mm:ss".
std::string FormatTimeHMS(double T);
std::string FormatHMS(std::uint32_t H, std::uint16_t M, std::uint16_t S);
// Whole hours, minutes and seconds of a count of minutes; NaN and negative
// counts give 0:00:00, counts past 2^32 - 1 hours stop there.
void MinutesToHMS(double Minutes, std::uint32_t& H, std::uint16_t& M, std::uint16_t& S);

// True when both texts have at least N characters and their first N
// characters are equal, ASCII letters compared without case.
bool SameLeadingText(std::string_view A, std::string_view B, int N);

// 1 for a name beginning "nor" (any case), 2 for "uni", else 0.
std::uint8_t DistributionKind(std::string_view Name);

// Decimal number with an optional decimal comma, independent of the process
// locale; kInvalidNumber for any other text.
double TextToFloat(std::string_view S);

bool FileVersionCompatible(std::string_view Version);

// Expands a leading "{appdir}" to the current folder as a "file://" address.
void AppDirURL(std::string_view S, std::string& Result);

// Value of a colour-constant name, matched without case but not trimmed;
// clNone when the name is unknown.
TColor ColorNameToColor(std::string_view Name);

// A[I] when I is a valid index, else A[0] (0 for an empty array).
int ItemOrFirst(int I, std::span<const int> A);
TColor ItemOrFirst(int I, std::span<const TColor> A);

// The trimmed text padded on the left with blanks, or cut to its last N
// characters when longer; empty for N <= 0.
std::string AlignRight(std::string_view S, int N);
// The last min(N, length) characters of S.
std::string RightChars(std::string_view S, int N);
