#pragma once
// Separators, date and time patterns and the month and day names that number
// and date texts are written with. The process locale is never consulted.
#include <array>
#include <string>
#include <string_view>

struct TFormatSettings {
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
    std::string DateSeparator = "/";  // written for "/" in date patterns
    std::string TimeSeparator = ":";  // written for ":" in date patterns
    std::string ShortDateFormat = "m/d/yyyy";
    std::string LongDateFormat = "dddd, mmmm d, yyyy";
    std::string ShortTimeFormat = "h:nn AMPM";
    std::string LongTimeFormat = "h:nn:ss AMPM";
    std::string TimeAMString = "AM";  // written for "ampm" before noon
    std::string TimePMString = "PM";
    std::array<std::string, 12> ShortMonthNames;  // January first
    std::array<std::string, 12> LongMonthNames;
    std::array<std::string, 7> ShortDayNames;  // Sunday first
    std::array<std::string, 7> LongDayNames;

    // English names, a decimal point and a comma between thousands.
    TFormatSettings();
};

// The settings every text of the system uses unless an option asks otherwise.
const TFormatSettings& DefaultFormatSettings();

// Length of the quoted literal ('...' or "...") that starts at Pattern[i], up
// to its closing quote or the end of the pattern; 0 when no quote starts there.
std::size_t PatternLiteralLength(std::string_view Pattern, std::size_t i);
// The text between the quotes of that literal.
std::string_view PatternLiteralText(std::string_view Pattern, std::size_t i, std::size_t Length);
