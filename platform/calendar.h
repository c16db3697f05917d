#pragma once

// The calendar layer: conversions between calendar dates and Julian Day Numbers, the day of the week,
// digit grouping, the computer's time zone and the calendar year of a moment.
//
// Dates are exact for years −9999 … 9999 in astronomical numbering (year 0 is 1 BCE), in the proleptic
// Gregorian calendar (code 'G', 71) or the proleptic Julian calendar (code 'J', 74). Julian Day Number
// 2451545 is 1 January 2000 (Gregorian), 1721426 is 1 January 1.

#include <cstdint>

namespace orvane::platform {

inline constexpr int32_t kCalendarGregorian = 'G';
inline constexpr int32_t kCalendarJulian = 'J';
inline constexpr int32_t kMinCalendarYear = -9999;
inline constexpr int32_t kMaxCalendarYear = 9999;

// The record exchanged with the calendar layer; the caller owns it.
struct EuroDate {
    int32_t year = 0;
    int32_t month = 0;     // 1 … 12
    int32_t day = 0;       // 1 … 31
    int32_t calendar = kCalendarGregorian;
    int32_t jdn = 0;       // Julian Day Number
    int32_t valid = 0;     // non-zero when the date exists
};

// Julian Day Number of year, month and day in the record's calendar. Sets valid to 0 (and returns 0) for
// a date that does not exist (30 February, month 13, a year outside −9999 … 9999, an unknown calendar
// code), to 1 otherwise; jdn is set to the result as well.
int32_t DayNumberOfDate(EuroDate* date);

// Whether `year` is a leap year of the calendar, and the days of a month (0 for a month outside 1 … 12).
bool IsLeapYear(int64_t year, int32_t calendar);
int32_t DaysInMonth(int64_t year, int32_t month, int32_t calendar);

// Fills year, month and day from the record's jdn and calendar. Returns valid (0 when the day number
// lies outside years −9999 … 9999 or the calendar code is unknown; year, month and day are then 0).
int32_t DateOfDayNumber(EuroDate* date);

// Day of the week of a Julian Day Number: 0 Sunday … 6 Saturday.
int32_t DayOfWeek(int32_t jdn);

// Capacity of the output buffer of SeparateThousands, the closing character of code 0 included.
inline constexpr int kSeparateThousandsBufferSize = 20;

// Writes the digits of `number` (an optional '-' followed by digits) with `separator` between groups of
// three digits into `output`, which holds kSeparateThousandsBufferSize characters, ended by a character of
// code 0. A text that does not fit is cut. Characters other than digits after the sign are copied as
// they are and end the grouping (the text is written unchanged).
void SeparateThousands(const char* number, char* output, int32_t separator);

// The computer's standard-time offset from Greenwich in seconds west (Central Europe: −3600).
int32_t ComputerZone();

// Calendar date of the civil day that contains `moment` (a Julian date; the day begins at midnight,
// moment + 0.5). `calendar` "G" is the Gregorian calendar, "J" the Julian, and "A" the astronomers'
// usage: Julian before 15 October 1582, Gregorian from then on. Writes year, month, day and the day of the
// week (0 Sunday) to the four addresses (any may be null). Returns 1, or 0 for an unknown calendar or
// a moment outside years −9999 … 9999 (then nothing is written).
int32_t JulianDate(double moment, const char* calendar, int32_t* year, int32_t* month, int32_t* day,
                int32_t* weekday);

}  // namespace orvane::platform
