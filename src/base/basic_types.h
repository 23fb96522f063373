#pragma once
// Colour values and rounding rules shared by every subsystem.
#include <cmath>
#include <cstdint>

// Colours as stored by the system: 0x00BBGGRR (red in the low byte).
using TColor = std::uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;     // no colour; a null point of a series
constexpr TColor clDefault = 0x20000000;  // take the owner's or the series' colour
constexpr TColor clSystemColorBase = 0xFF000000;  // + system colour index

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr std::uint8_t GetRValue(TColor c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GetGValue(TColor c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t GetBValue(TColor c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr TColor RGB(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

// Nearest whole number, halves to the even neighbour (the default FP rounding mode).
inline std::int64_t Round(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }
inline std::int64_t Round(long double x) { return static_cast<std::int64_t>(std::nearbyintl(x)); }
// Round to an int (pixel coordinates and other values known to fit).
inline int Nearest(double x) { return static_cast<int>(Round(x)); }
inline int Nearest(long double x) { return static_cast<int>(Round(x)); }
// Drops the fraction.
inline std::int64_t Trunc(double x) { return static_cast<std::int64_t>(std::trunc(x)); }
inline std::int64_t Trunc(long double x) { return static_cast<std::int64_t>(std::truncl(x)); }
