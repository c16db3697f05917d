#pragma once

// The calendar: one for the whole program. Civil dates are `date::year_month_day` values (the <chrono>
// calendar types of Howard Hinnant's date library): the proleptic Gregorian calendar in astronomical year
// numbering (year 0 is 1 BCE), counted through one day count, the Julian Day Number (2451545 is 1 January
// 2000, 1721426 is 1 January 1). The date rows' own conversions (a date to its day number, a day number
// to its date, the weekday) are Swiss Ephemeris' calendar routines, which also know the proleptic Julian
// calendar; both agree on every day of years −9999 … 9999.

#include <date/date.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::platform {

inline constexpr int32_t kMinCalendarYear = -9999;
inline constexpr int32_t kMaxCalendarYear = 9999;

// The two calendars of the date conversions.
enum class Calendar { Gregorian, Julian };

// A date as the date rows hold it: year, month 1 … 12, day 1 … 31.
struct CalendarDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    bool operator==(const CalendarDate&) const = default;
};

// The Julian Day Number of a date of years −9999 … 9999; nothing for a date that does not exist
// (30 February, month 13) or lies outside those years.
std::optional<int32_t> DayNumberOfDate(const CalendarDate& date, Calendar calendar = Calendar::Gregorian);

// The date of a Julian Day Number; nothing outside years −9999 … 9999.
std::optional<CalendarDate> DateOfDayNumber(int64_t jdn, Calendar calendar = Calendar::Gregorian);

// Day of the week of a Julian Day Number: 0 Sunday … 6 Saturday.
int32_t DayOfWeek(int64_t jdn);

// The Julian Day Number of 1 January 1970, the first day of the system clock's count.
inline constexpr int64_t kUnixEpochDayNumber = 2440588;

// A Julian Day Number as a day of the civil calendar, and back.
constexpr date::sys_days CivilDay(int64_t jdn)
{
    return date::sys_days(date::days(jdn - kUnixEpochDayNumber));
}
constexpr int64_t DayNumber(date::sys_days day)
{
    return day.time_since_epoch().count() + kUnixEpochDayNumber;
}

// Days of month 1 … 12 of a Gregorian year (0 for any other month); years beyond the calendar types'
// range (±32767) follow the same rule.
int32_t DaysInMonth(int64_t year, int32_t month);

// The digits of `number` (an optional sign, then digits) with `separator` between groups of three digits;
// any other text is returned as it is.
std::string SeparateThousands(std::string_view number, char separator);

}  // namespace orvane::platform
