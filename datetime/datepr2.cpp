#include "datetime/datepr2.h"

#include "text/strings.h"

#include <cmath>
#include <cstdio>

namespace orvane::datetime {
namespace {

constexpr int16_t kGerman = 1;

}  // namespace

std::string DateText(int32_t jdn, bool abbreviated, int16_t language)
{
    const platform::CalendarDate date = platform::DateOfDayNumber(jdn).value_or(platform::CalendarDate{});

    std::string year = std::to_string(date.year);
    if (date.year > 9999 || date.year < -9999)
        year = text::SeparateThousands(year, language == kGerman ? '.' : ',');

    const size_t month = date.month >= 1 && date.month <= 12 ? static_cast<size_t>(date.month) : 0;
    if (language == kGerman) {
        const std::string_view name = abbreviated ? kGermanMonthAbbrev[month] : kGermanMonthName[month];
        return std::to_string(date.day) + "." + std::string(name) + " " + year;
    }
    const std::string_view name = abbreviated ? kMonthAbbrev[month] : kMonthName[month];
    return std::string(name) + " " + std::to_string(date.day) + ", " + year;
}

std::string NumericDateText(const platform::CalendarDate& date)
{
    char text[48];
    std::snprintf(text, sizeof text, "%lld-%02d-%02d", static_cast<long long>(date.year), date.month, date.day);
    return text;
}

std::string WeekdayName(int32_t weekday, int16_t language)
{
    if (weekday < 0 || weekday > 6)
        return {};
    const auto index = static_cast<size_t>(weekday);
    return std::string(language == kGerman ? kWeekdayGerman[index] : kWeekdayEnglish[index]);
}

}  // namespace orvane::datetime
