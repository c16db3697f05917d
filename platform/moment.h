#pragma once

// Moments: the one time type of the program and its conversions. A moment is a Julian date in Universal
// Time held as a double (days since noon UT of 1 January 4713 BCE, Julian calendar). Here, and only here,
// it becomes seconds of the system clock, the day a clock shows and a wall-clock time at an offset, and
// back; here is the one rule that takes a moment to a whole second: the nearest one, half a second up.

#include "platform/calendar.h"

#include <date/date.h>

#include <chrono>
#include <cstdint>

namespace orvane::platform {

inline constexpr double kJ2000 = 2451545.0;  // noon UT of 1 January 2000
inline constexpr int32_t kSecondsPerDay = 86400;
inline constexpr int32_t kMinutesPerDay = 1440;

// A date and time of day as a clock on the wall shows it (proleptic Gregorian calendar).
struct WallTime {
    int32_t year = 2000;
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;       // 60 for a leap second
    int32_t microsecond = 0;  // the fraction of the second as given, 0 … 999999
    bool operator==(const WallTime&) const = default;
};

// The moment at which day number `jdn` begins (its midnight, UT).
constexpr double DayStart(int64_t jdn)
{
    return static_cast<double>(jdn) - 0.5;
}

// Offsets as parts of a day.
constexpr double OffsetDays(int32_t offsetSeconds)
{
    return offsetSeconds / static_cast<double>(kSecondsPerDay);
}

// A moment as the clock at `offsetSeconds` east counts it: the day number of the day the clock shows plus
// the part of that day gone (2451545.25 is 06:00 of 1 January 2000 there), and back.
constexpr double LocalDay(double moment, int32_t offsetSeconds)
{
    return moment + OffsetDays(offsetSeconds) + 0.5;
}
constexpr double MomentOfLocalDay(double localDay, int32_t offsetSeconds)
{
    return localDay - 0.5 - OffsetDays(offsetSeconds);
}

// The day number of the day the clock at `offsetSeconds` east shows at `moment`.
int64_t DayNumberAt(double moment, int32_t offsetSeconds = 0);

// The moment rounded to the nearest whole second (half a second up) as the system clock counts it.
date::sys_seconds NearestSecond(double moment);

// A time of the system clock (seconds or finer) as a moment.
template <typename Duration>
double MomentOf(date::sys_time<Duration> time)
{
    const std::chrono::duration<double> seconds = time.time_since_epoch();
    return DayStart(kUnixEpochDayNumber) + seconds.count() / kSecondsPerDay;
}

// The wall-clock time `moment` shows at `offsetSeconds` east, rounded to the nearest whole second.
WallTime WallTimeAt(double moment, int32_t offsetSeconds);

// The moment of a wall-clock time at `offsetSeconds` east, its fraction of a second included. The moments
// count no leap seconds: a leap second, with any fraction of it, is the end of its minute.
double MomentOf(const WallTime& local, int32_t offsetSeconds);

// The wall-clock time of `moment` at `offsetSeconds` east whose fraction of a second was given as
// `microsecond`: the whole seconds are those before the fraction, kept beside it as given.
WallTime WallTimeWithFraction(double moment, int32_t offsetSeconds, int32_t microsecond);

}  // namespace orvane::platform
