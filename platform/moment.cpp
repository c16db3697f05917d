#include "platform/moment.h"

#include <cmath>

namespace orvane::platform {
namespace {

// The whole seconds since the midnight that begins day number 0, at `offsetSeconds` east, by the one
// rounding rule.
int64_t NearestSecondFromDayZero(double moment, int32_t offsetSeconds)
{
    return static_cast<int64_t>(std::floor((moment + 0.5) * kSecondsPerDay + offsetSeconds + 0.5));
}

// Whole days and the seconds left of `seconds` since day 0, the days counted towards −∞.
int64_t WholeDays(int64_t seconds)
{
    return seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
}

}  // namespace

int64_t DayNumberAt(double moment, int32_t offsetSeconds)
{
    return static_cast<int64_t>(std::floor(LocalDay(moment, offsetSeconds)));
}

date::sys_seconds NearestSecond(double moment)
{
    const int64_t fromDayZero = NearestSecondFromDayZero(moment, 0);
    return date::sys_seconds(std::chrono::seconds(fromDayZero - kUnixEpochDayNumber * kSecondsPerDay));
}

WallTime WallTimeAt(double moment, int32_t offsetSeconds)
{
    const int64_t total = NearestSecondFromDayZero(moment, offsetSeconds);
    const int64_t dayNumber = WholeDays(total);
    const int64_t ofDay = total - dayNumber * kSecondsPerDay;
    const CalendarDate date = DateOf(dayNumber);
    return {static_cast<int32_t>(date.year), date.month, date.day, static_cast<int32_t>(ofDay / 3600),
            static_cast<int32_t>(ofDay / 60 % 60), static_cast<int32_t>(ofDay % 60), 0};
}

double MomentOf(const WallTime& local, int32_t offsetSeconds)
{
    const double fraction = local.second == 60 ? 0.0 : local.microsecond / 1e6;
    const double seconds = local.hour * 3600.0 + local.minute * 60.0 + local.second + fraction - offsetSeconds;
    return DayStart(DayNumberOf({local.year, local.month, local.day})) + seconds / kSecondsPerDay;
}

WallTime WallTimeWithFraction(double moment, int32_t offsetSeconds, int32_t microsecond)
{
    WallTime local = WallTimeAt(moment - microsecond / 1e6 / kSecondsPerDay, offsetSeconds);
    local.microsecond = microsecond;
    return local;
}

}  // namespace orvane::platform
