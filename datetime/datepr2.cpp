#include "datetime/datepr2.h"

#include "text/strings.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvane::datetime {
namespace {

constexpr int16_t kGerman = 1;

bool ParseNumber(std::string_view text, int32_t& value)
{
    text = text::Trimmed(text, " ");
    if (text.empty())
        return false;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size() && value >= 0;
}

}  // namespace

std::string DateText(int32_t jdn, bool abbreviated, int16_t language)
{
    platform::EuroDate date;
    date.calendar = platform::kCalendarGregorian;
    date.jdn = jdn;
    platform::DateOfDayNumber(&date);

    std::string year = std::to_string(date.year);
    if (date.year > 9999 || date.year < -9999)
        year = SeparateThousands(year, language == kGerman ? '.' : ',');

    const size_t month = date.month >= 1 && date.month <= 12 ? static_cast<size_t>(date.month) : 0;
    if (language == kGerman) {
        const std::string_view name = abbreviated ? kGermanMonthAbbrev[month] : kGermanMonthName[month];
        return std::to_string(date.day) + "." + std::string(name) + " " + year;
    }
    const std::string_view name = abbreviated ? kMonthAbbrev[month] : kMonthName[month];
    return std::string(name) + " " + std::to_string(date.day) + ", " + year;
}

std::string NumericDateText(const platform::EuroDate& date)
{
    char text[48];
    std::snprintf(text, sizeof text, "%d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string WeekdayName(int32_t weekday, int16_t language)
{
    if (weekday < 0 || weekday > 6)
        return {};
    const auto index = static_cast<size_t>(weekday);
    return std::string(language == kGerman ? kWeekdayGerman[index] : kWeekdayEnglish[index]);
}

std::string SeparateThousands(const std::string& numberText, char separator)
{
    if (numberText.empty())
        return numberText;
    char buffer[platform::kSeparateThousandsBufferSize];
    platform::SeparateThousands(numberText.c_str(), buffer, static_cast<unsigned char>(separator));
    return buffer;
}

std::optional<ClockTime> ClockTimeFromText(std::string_view text)
{
    ClockTime time;
    if (text.find('M') != std::string_view::npos) {
        const size_t first = text.find(':');
        const size_t second = first == std::string_view::npos ? first : text.find(':', first + 1);
        if (second == std::string_view::npos || second + 3 > text.size())
            return std::nullopt;
        if (!ParseNumber(text.substr(0, first), time.hours) ||
            !ParseNumber(text.substr(first + 1, 2), time.minutes) ||
            !ParseNumber(text.substr(second + 1, 2), time.seconds))
            return std::nullopt;
        if (text.find('A') != std::string_view::npos) {
            if (time.hours == 12)
                time.hours = 0;
        } else if (time.hours != 12) {
            time.hours += 12;
        }
    } else {
        if (text.size() < 8 || !ParseNumber(text.substr(0, 2), time.hours) ||
            !ParseNumber(text.substr(3, 2), time.minutes) || !ParseNumber(text.substr(6, 2), time.seconds))
            return std::nullopt;
    }
    if (time.hours > 23 || time.minutes > 59 || time.seconds > 59)
        return std::nullopt;
    return time;
}

int16_t ZoneMinutesFromSecondsWest(int32_t secondsWest)
{
    return static_cast<int16_t>(std::nearbyint(-secondsWest / 60.0));
}

double CurrentAJDate(const platform::Clock& clock)
{
    const platform::LocalClockReading now = clock.LocalNow();
    platform::EuroDate date;
    date.year = now.year;
    date.month = now.month;
    date.day = now.day;
    date.calendar = platform::kCalendarGregorian;
    const int32_t dayNumber = platform::DayNumberOfDate(&date);
    const int32_t zone = ZoneMinutesFromSecondsWest(clock.StandardOffsetSecondsWest());
    const double seconds = now.hour * 3600.0 + now.minute * 60.0 + now.second - zone * 60.0;
    return dayNumber + seconds / 86400.0 - 0.5;
}

}  // namespace orvane::datetime
