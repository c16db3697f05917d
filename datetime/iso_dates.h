#pragma once

// Moments written as ISO 8601 for the command line: "2025-01-01", "2025-01-01T06:30",
// "2025-01-01T06:30:15+01:00", "…Z", in the proleptic Gregorian calendar as ISO 8601 counts it, and zones
// given as offsets.

#include "platform/calendar.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::datetime {

// A moment read from a text.
struct IsoMoment {
    double moment = 0.0;      // Julian date, UT
    bool hasTime = false;     // the text gave a time of day
    // The part of a second that the text gave beyond its whole seconds, in microseconds (0 … 999999), so
    // that a moment written back shows the fraction as typed; 0 for a leap second.
    int32_t microsecond = 0;
    bool leapSecond = false;  // the text gave second 60
};

// A zone as the command line takes it: "Z", "UT", "UTC", "GMT" (0), "+01:00", "-0530", "+1", "GMT+1:00",
// "UTC-05:30"; minutes east of Greenwich, at most 14 hours either way. Nothing for any other text.
std::optional<int32_t> ParseZone(std::string_view text);

// Reads YYYY-MM-DD, optionally followed by "T" (or a blank) and HH:MM or HH:MM:SS, optionally followed by a
// zone ("Z" or ±HH:MM, ±HHMM, ±HH). Without a zone the moment is taken in `defaultZoneMinutes`. Years may
// have a sign and more than four digits. The last part of the time may have a decimal fraction ("06:30:15.25",
// "06:30,5", "06:30.5" for 06:30:30), which is kept. Second 60 is a leap second, which the moments of this
// program do not count: it is read only in the last minute of a day of Universal Time (23:59:60Z,
// 00:59:60+01:00) and, with any fraction, stands for the end of that minute (00:00:00 UT of the next day).
// Nothing for a malformed text or a date that does not exist.
std::optional<IsoMoment> ParseIsoMoment(std::string_view text, int32_t defaultZoneMinutes);

// A calendar date as a date field takes it typed: ISO 8601 ("1978-03-14", "1978-3-14"), the dotted form
// with the day first ("14.03.1978", "14.3.1978") or the slashed form with the month first ("3/14/1978"),
// the year with four digits (1 … 9999). Nothing for another text or a date that does not exist, so that a
// field refuses it rather than reorder it.
struct TypedDate {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    bool operator==(const TypedDate&) const = default;
};
std::optional<TypedDate> ParseTypedDate(std::string_view text);

// The calendar's day number of a date and the date of a day number, in the form older callers use; new
// code calls platform::DayNumberOf and platform::DateOf.
inline int64_t GregorianDayNumber(int64_t year, int32_t month, int32_t day)
{
    return platform::DayNumberOf({year, month, day});
}
inline void GregorianDate(int64_t dayNumber, int64_t& year, int32_t& month, int32_t& day)
{
    const platform::CalendarDate date = platform::DateOf(dayNumber);
    year = date.year;
    month = date.month;
    day = date.day;
}

// "2025-01-01T06:30:00+01:00" (or "…Z" for zone 0): the moment to the second, rounded, in the zone.
std::string IsoText(double moment, int32_t zoneMinutes);

// The same moment one calendar year later (29 February becomes 1 March).
double OneYearLater(double moment);

// The moment `k` steps after `from`, a step being a half hour, a day or a week (stepList position 0, 1, 2)
// or a calendar month or year (3, 4). Months and years keep the day of the month of `from`, or the month's
// last day when it has fewer, and its time of day; steps are counted from `from`, so that 31 January goes to
// 28 February and on to 31 March.
double SteppedMoment(double from, int16_t step, int64_t k);

}  // namespace orvane::datetime
