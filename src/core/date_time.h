#pragma once
// Calendar dates and times of day as day numbers: days since 30 December 1899,
// the fraction being the time of day. For a negative day number the whole part
// is the date and the fraction, taken without its sign, the time (-1.25 is
// 29 December 1899, 06:00). Proleptic Gregorian calendar, years 1 to 9999.
#include "core/format_settings.h"

#include <stdexcept>
#include <string>
#include <string_view>

using TDateTime = double;

// Raised by EncodeDate and EncodeTime for arguments outside the calendar or the clock.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

constexpr double kMSecsPerDay = 86400000.0;
constexpr TDateTime kMinDateTime = -693593.0;  // 1 January 1
constexpr TDateTime kMaxDateTime = 2958465.0;  // 31 December 9999

bool IsLeapYear(int Year);
// 28 to 31; 0 for a month outside 1..12.
int DaysInMonth(int Year, int Month);

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date);
// Throws EConvertError for a day that is not in the calendar (29 February 1900).
TDateTime EncodeDate(int Year, int Month, int Day);
// Year, month and day of the date part (after rounding the value to the
// millisecond); false, with all three 0, outside 1 January 1 .. 31 December 9999.
bool DecodeDate(TDateTime Date, int& Year, int& Month, int& Day);

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time);
// Throws EConvertError outside 0..23, 0..59, 0..59, 0..999.
TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec);
// Time of day, rounded to the millisecond; all 0 for a value that is no date.
void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec);

// 1 for Sunday .. 7 for Saturday; 0 outside the calendar.
int DayOfWeek(TDateTime Date);

// Date-time text by pattern. Letters are read in any case:
//   d dd ddd dddd   day, two-digit day, short and long day name
//   ddddd dddddd    short and long date format of the settings
//   m mm mmm mmmm   month, two-digit month, short and long month name
//                   (minutes when following an h or hh)
//   yy yyyy         two- and four-digit year
//   h hh n nn s ss  hours, minutes, seconds; z zzz milliseconds
//   am/pm a/p       12-hour clock, the marker written in the pattern's case
//   ampm            12-hour clock, the settings' AM and PM texts
//   t tt c          short time, long time; short date and long time (time
//                   left out at midnight). An empty pattern means "c".
//   / :             the settings' date and time separators
//   '...' "..."     literal text; any other character stands as it is.
std::string FormatDateTime(std::string_view Format, TDateTime Value,
                           const TFormatSettings& Settings = DefaultFormatSettings());

// FormatDateTime("c", Value).
std::string DateTimeToStr(TDateTime Value, const TFormatSettings& Settings = DefaultFormatSettings());
