#pragma once
// Separators, date and time patterns and the month and day names that number
// and date texts are written with. The process locale is never consulted.
#include <array>
#include <string>

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
