#include "platform/calendar.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include <swephexp.h>

namespace orvane::platform {
namespace {

int SweCalendar(Calendar calendar)
{
    return calendar == Calendar::Julian ? SE_JUL_CAL : SE_GREG_CAL;
}

bool IsLeapYear(int64_t year, Calendar calendar)
{
    if (calendar == Calendar::Julian)
        return year % 4 == 0;
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int32_t DaysInMonth(int64_t year, int32_t month, Calendar calendar)
{
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year, calendar) ? 29 : kDays[month - 1];
}

}  // namespace

std::optional<int32_t> DayNumberOfDate(const CalendarDate& date, Calendar calendar)
{
    if (date.year < kMinCalendarYear || date.year > kMaxCalendarYear || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month, calendar))
        return std::nullopt;
    // At noon the library's Julian date is the whole day number.
    return static_cast<int32_t>(swe_julday(date.year, date.month, date.day, 12.0, SweCalendar(calendar)));
}

std::optional<CalendarDate> DateOfDayNumber(int64_t jdn, Calendar calendar)
{
    // Outside ±4 million days the date lies far beyond the years served, and the library's arithmetic is
    // not asked.
    if (jdn < -4'000'000 || jdn > 8'000'000)
        return std::nullopt;
    CalendarDate date;
    double hour = 0.0;
    swe_revjul(static_cast<double>(jdn), SweCalendar(calendar), &date.year, &date.month, &date.day, &hour);
    if (date.year < kMinCalendarYear || date.year > kMaxCalendarYear)
        return std::nullopt;
    return date;
}

int32_t DayOfWeek(int64_t jdn)
{
    // The library counts from Monday (0). The week repeats every seven days, so the remainder has the
    // day's weekday and keeps any day number within the library's integer arithmetic.
    return (swe_day_of_week(static_cast<double>(jdn % 7)) + 1) % 7;
}

int32_t DaysInMonth(int64_t year, int32_t month)
{
    if (month < 1 || month > 12)
        return 0;
    if (year < -32767 || year > 32767)
        return DaysInMonth(year, month, Calendar::Gregorian);
    const date::year_month_day_last last{date::year(static_cast<int>(year)) / date::month(static_cast<unsigned>(month)) /
                                         date::last};
    return static_cast<int32_t>(static_cast<unsigned>(last.day()));
}

std::string SeparateThousands(std::string_view number, char separator)
{
    const size_t sign = !number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0;
    const std::string_view digits = number.substr(sign);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(number);
    std::string separated(number.substr(0, sign));
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            separated += separator;
        separated += digits[i];
    }
    return separated;
}

}  // namespace orvane::platform
