#include "core/date_time.h"

#include "base/name_matching.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr std::int64_t kMSecsPerDayInt = 86400000;
constexpr std::int64_t kUnixEpochDay = 25569;  // day number of 1 January 1970

// Days from 1 January 1970 to a proleptic Gregorian date.
std::int64_t daysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& Year, int& Month, int& Day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    Year = static_cast<int>(yoe + era * 400 + (Month <= 2 ? 1 : 0));
}

// A value split into its date and its time of day after rounding to the millisecond.
struct TDaySplit {
    std::int64_t Day = 0;
    std::int64_t MSecOfDay = 0;
    bool Valid = false;
};

TDaySplit splitValue(TDateTime Value)
{
    TDaySplit s;
    const double magnitude = std::fabs(Value);
    if (!std::isfinite(Value) || magnitude > kMaxDateTime + 1.0)
        return s;
    const auto ms = static_cast<std::int64_t>(std::nearbyint(magnitude * kMSecsPerDay));
    s.Day = ms / kMSecsPerDayInt;
    s.MSecOfDay = ms % kMSecsPerDayInt;
    if (Value < 0)
        s.Day = -s.Day;
    s.Valid = s.Day >= static_cast<std::int64_t>(kMinDateTime) && s.Day <= static_cast<std::int64_t>(kMaxDateTime);
    if (!s.Valid)
        s.MSecOfDay = 0;
    return s;
}

struct TDateParts {
    int Year = 0, Month = 0, Day = 0, DayOfWeek = 0;
    int Hour = 0, Min = 0, Sec = 0, MSec = 0;
    bool Midnight = true;
};

TDateParts partsOf(TDateTime Value)
{
    TDateParts p;
    const TDaySplit s = splitValue(Value);
    if (!s.Valid)
        return p;
    civilFromDays(s.Day - kUnixEpochDay, p.Year, p.Month, p.Day);
    // Day 0 (30 December 1899) was a Saturday.
    p.DayOfWeek = static_cast<int>(((s.Day + 6) % 7 + 7) % 7) + 1;
    p.Hour = static_cast<int>(s.MSecOfDay / 3600000);
    p.Min = static_cast<int>(s.MSecOfDay / 60000 % 60);
    p.Sec = static_cast<int>(s.MSecOfDay / 1000 % 60);
    p.MSec = static_cast<int>(s.MSecOfDay % 1000);
    p.Midnight = s.MSecOfDay == 0;
    return p;
}

std::string padded(int Value, std::size_t Width)
{
    std::string s = std::to_string(Value);
    if (s.size() < Width)
        s.insert(0, Width - s.size(), '0');
    return s;
}

template <std::size_t N>
const std::string& nameOf(const std::array<std::string, N>& Names, int OneBased)
{
    static const std::string none;
    return OneBased >= 1 && OneBased <= static_cast<int>(N) ? Names[static_cast<std::size_t>(OneBased - 1)] : none;
}

bool startsWithNoCase(std::string_view S, std::size_t i, std::string_view What)
{
    return S.size() - i >= What.size() && SameTextAscii(S.substr(i, What.size()), What);
}



// An am/pm marker anywhere from Pos on, outside literals.
bool hasAmPmFrom(std::string_view F, std::size_t Pos)
{
    for (std::size_t i = Pos; i < F.size();) {
        if (const std::size_t n = PatternLiteralLength(F, i); n > 0) {
            i += n;
            continue;
        }
        if (startsWithNoCase(F, i, "am/pm") || startsWithNoCase(F, i, "a/p") || startsWithNoCase(F, i, "ampm"))
            return true;
        ++i;
    }
    return false;
}

constexpr int kMaxNesting = 3;  // patterns naming other patterns ("c" inside a short date format)

void formatInto(std::string& out, std::string_view F, const TDateParts& p, const TFormatSettings& S, int Depth)
{
    if (Depth > kMaxNesting)
        return;
    bool afterHour = false;
    for (std::size_t i = 0; i < F.size();) {
        const char c = F[i];
        if (const std::size_t n = PatternLiteralLength(F, i); n > 0) {
            out.append(PatternLiteralText(F, i, n));
            i += n;
            continue;
        }
        const char lc = LowerAsciiChar(c);
        std::size_t run = 1;
        while (i + run < F.size() && LowerAsciiChar(F[i + run]) == lc)
            ++run;
        switch (lc) {
        case 'y':
            out += run <= 2 ? padded(p.Year % 100, 2) : padded(p.Year, 4);
            i += run;
            afterHour = false;
            break;
        case 'm':
            if (afterHour && run <= 2) {
                out += run == 1 ? std::to_string(p.Min) : padded(p.Min, 2);
                i += run;
            } else {
                const std::size_t n = std::min<std::size_t>(run, 4);
                if (n == 1)
                    out += std::to_string(p.Month);
                else if (n == 2)
                    out += padded(p.Month, 2);
                else if (n == 3)
                    out += nameOf(S.ShortMonthNames, p.Month);
                else
                    out += nameOf(S.LongMonthNames, p.Month);
                i += n;
            }
            afterHour = false;
            break;
        case 'd': {
            const std::size_t n = std::min<std::size_t>(run, 6);
            if (n == 1)
                out += std::to_string(p.Day);
            else if (n == 2)
                out += padded(p.Day, 2);
            else if (n == 3)
                out += nameOf(S.ShortDayNames, p.DayOfWeek);
            else if (n == 4)
                out += nameOf(S.LongDayNames, p.DayOfWeek);
            else if (n == 5)
                formatInto(out, S.ShortDateFormat, p, S, Depth + 1);
            else
                formatInto(out, S.LongDateFormat, p, S, Depth + 1);
            i += n;
            afterHour = false;
            break;
        }
        case 'h': {
            const std::size_t n = std::min<std::size_t>(run, 2);
            int hour = p.Hour;
            if (hasAmPmFrom(F, i + n)) {
                hour %= 12;
                if (hour == 0)
                    hour = 12;
            }
            out += n == 1 ? std::to_string(hour) : padded(hour, 2);
            i += n;
            afterHour = true;
            break;
        }
        case 'n':
        case 's': {
            const std::size_t n = std::min<std::size_t>(run, 2);
            const int v = lc == 'n' ? p.Min : p.Sec;
            out += n == 1 ? std::to_string(v) : padded(v, 2);
            i += n;
            afterHour = false;
            break;
        }
        case 'z':
            if (run >= 3) {
                out += padded(p.MSec, 3);
                i += 3;
            } else {
                out += std::to_string(p.MSec);
                i += 1;
            }
            afterHour = false;
            break;
        case 't':
            if (run >= 2) {
                formatInto(out, S.LongTimeFormat, p, S, Depth + 1);
                i += 2;
            } else {
                formatInto(out, S.ShortTimeFormat, p, S, Depth + 1);
                i += 1;
            }
            afterHour = false;
            break;
        case 'c':
            formatInto(out, S.ShortDateFormat, p, S, Depth + 1);
            if (!p.Midnight) {
                out += ' ';
                formatInto(out, S.LongTimeFormat, p, S, Depth + 1);
            }
            i += 1;
            afterHour = false;
            break;
        case 'a':
            if (startsWithNoCase(F, i, "am/pm")) {
                out.append(F.substr(p.Hour < 12 ? i : i + 3, 2));
                i += 5;
            } else if (startsWithNoCase(F, i, "a/p")) {
                out += F[p.Hour < 12 ? i : i + 2];
                i += 3;
            } else if (startsWithNoCase(F, i, "ampm")) {
                out += p.Hour < 12 ? S.TimeAMString : S.TimePMString;
                i += 4;
            } else {
                out += c;
                i += 1;
                break;
            }
            afterHour = false;
            break;
        case '/':
            out += S.DateSeparator;
            i += 1;
            break;
        case ':':
            out += S.TimeSeparator;
            i += 1;
            break;
        default:
            out += c;
            i += 1;
            break;
        }
    }
}

} // namespace

bool IsLeapYear(int Year)
{
    return Year % 4 == 0 && (Year % 100 != 0 || Year % 400 == 0);
}

int DaysInMonth(int Year, int Month)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12)
        return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : kDays[Month - 1];
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Date)
{
    if (Year < 1 || Year > 9999 || Day < 1 || Day > DaysInMonth(Year, Month))
        return false;
    Date = static_cast<double>(daysFromCivil(Year, Month, Day) + kUnixEpochDay);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime date = 0;
    if (!TryEncodeDate(Year, Month, Day, date))
        throw EConvertError("Invalid argument to date encode");
    return date;
}

bool DecodeDate(TDateTime Date, int& Year, int& Month, int& Day)
{
    const TDateParts p = partsOf(Date);
    Year = p.Year;
    Month = p.Month;
    Day = p.Day;
    return p.Year != 0;
}

bool TryEncodeTime(int Hour, int Min, int Sec, int MSec, TDateTime& Time)
{
    if (Hour < 0 || Hour > 23 || Min < 0 || Min > 59 || Sec < 0 || Sec > 59 || MSec < 0 || MSec > 999)
        return false;
    const std::int64_t ms = ((static_cast<std::int64_t>(Hour) * 60 + Min) * 60 + Sec) * 1000 + MSec;
    Time = static_cast<double>(ms) / kMSecsPerDay;
    return true;
}

TDateTime EncodeTime(int Hour, int Min, int Sec, int MSec)
{
    TDateTime time = 0;
    if (!TryEncodeTime(Hour, Min, Sec, MSec, time))
        throw EConvertError("Invalid argument to time encode");
    return time;
}

void DecodeTime(TDateTime Time, int& Hour, int& Min, int& Sec, int& MSec)
{
    const TDateParts p = partsOf(Time);
    Hour = p.Hour;
    Min = p.Min;
    Sec = p.Sec;
    MSec = p.MSec;
}

int DayOfWeek(TDateTime Date)
{
    return partsOf(Date).DayOfWeek;
}

std::string FormatDateTime(std::string_view Format, TDateTime Value, const TFormatSettings& Settings)
{
    std::string out;
    formatInto(out, Format.empty() ? std::string_view("c") : Format, partsOf(Value), Settings, 0);
    return out;
}

std::string DateTimeToStr(TDateTime Value, const TFormatSettings& Settings)
{
    return FormatDateTime("c", Value, Settings);
}
