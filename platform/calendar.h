#pragma once

// The calendar: one for the whole program, on the <chrono> calendar types of Howard Hinnant's date library
// (`date::year_month_day`, `date::sys_days`, and `julian::year_month_day` for the Julian calendar). Dates
// are counted through one day count, the Julian Day Number; years are astronomical (year 0 is 1 BCE) and
// the Gregorian calendar is proleptic. The date rows take years −9999 … 9999; the ISO texts and stepping
// take any year, through whole 400-year cycles of 146097 days.

#include <date/date.h>

#include <cstdint>
#include <optional>

namespace orvane::platform {

inline constexpr int32_t kMinCalendarYear = -9999;
inline constexpr int32_t kMaxCalendarYear = 9999;

// Julian Day Numbers with a name.
inline constexpr int64_t kUnixEpochDayNumber = 2440588;  // 1 January 1970, the first day of the system clock
inline constexpr int64_t kYearOneDayNumber = 1721426;    // 1 January of the year 1
inline constexpr int64_t kJ2000DayNumber = 2451545;      // 1 January 2000

// The two calendars of the date conversions.
enum class Calendar { Gregorian, Julian };

// A date: year, month 1 … 12, day 1 … 31.
struct CalendarDate {
    int64_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    bool operator==(const CalendarDate&) const = default;
};

// The Julian Day Number of a date of years −9999 … 9999; nothing for a date that does not exist
// (30 February, month 13) or lies outside those years.
std::optional<int32_t> DayNumberOfDate(const CalendarDate& date, Calendar calendar = Calendar::Gregorian);

// The date of a Julian Day Number; nothing outside years −9999 … 9999.
std::optional<CalendarDate> DateOfDayNumber(int64_t jdn, Calendar calendar = Calendar::Gregorian);

// The Julian Day Number of a proleptic Gregorian date of any year, and the date of any day number. A day
// beyond its month counts on into the next (31 April is 1 May), as the calendar types count.
int64_t DayNumberOf(const CalendarDate& date);
CalendarDate DateOf(int64_t jdn);

// Day of the week of a Julian Day Number: 0 Sunday … 6 Saturday.
int32_t DayOfWeek(int64_t jdn);

// Days of month 1 … 12 of a Gregorian year of any size (0 for any other month).
int32_t DaysInMonth(int64_t year, int32_t month);

// A Julian Day Number as a day of the civil calendar, and back.
constexpr date::sys_days CivilDay(int64_t jdn)
{
    return date::sys_days(date::days(jdn - kUnixEpochDayNumber));
}
constexpr int64_t DayNumber(date::sys_days day)
{
    return day.time_since_epoch().count() + kUnixEpochDayNumber;
}

}  // namespace orvane::platform
