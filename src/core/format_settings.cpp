#include "core/format_settings.h"

namespace {

constexpr std::array<const char*, 12> kLongMonthNames = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};
constexpr std::array<const char*, 12> kShortMonthNames = {
    "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr std::array<const char*, 7> kLongDayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 7> kShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

} // namespace

TFormatSettings::TFormatSettings()
{
    for (std::size_t i = 0; i < 12; ++i) {
        ShortMonthNames[i] = kShortMonthNames[i];
        LongMonthNames[i] = kLongMonthNames[i];
    }
    for (std::size_t i = 0; i < 7; ++i) {
        ShortDayNames[i] = kShortDayNames[i];
        LongDayNames[i] = kLongDayNames[i];
    }
}

const TFormatSettings& DefaultFormatSettings()
{
    // Built on first use, not at static-initialisation time.
    static const TFormatSettings settings;
    return settings;
}

std::size_t PatternLiteralLength(std::string_view Pattern, std::size_t i)
{
    const char quote = Pattern[i];
    if (quote != '\'' && quote != '"')
        return 0;
    const std::size_t close = Pattern.find(quote, i + 1);
    return close == std::string_view::npos ? Pattern.size() - i : close - i + 1;
}

std::string_view PatternLiteralText(std::string_view Pattern, std::size_t i, std::size_t Length)
{
    const bool closed = Length >= 2 && Pattern[i + Length - 1] == Pattern[i];
    return Pattern.substr(i + 1, closed ? Length - 2 : Length - 1);
}
