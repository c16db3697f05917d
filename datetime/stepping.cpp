#include "datetime/stepping.h"

#include "datetime/iso_dates.h"

#include <date/date.h>

#include <algorithm>

namespace orvane::datetime {
namespace {

using date::days;
using date::months;
using date::years;

constexpr int32_t kLargestStepYear = 32000;  // well inside the calendar types' years

date::year_month MonthOf(const StepDate& date)
{
    return date::year(date.y) / date::month(static_cast<unsigned>(date.m));
}

int16_t LastDayOf(date::year_month month)
{
    return static_cast<int16_t>(static_cast<unsigned>((month / date::last).day()));
}

void PlaceIn(StepDate& date, date::year_month month, int16_t day)
{
    date.y = static_cast<int>(month.year());
    date.m = static_cast<int16_t>(static_cast<unsigned>(month.month()));
    date.d = day;
}

// The day after: the 1st of the next month after the month's last day (or a day it does not have).
void NextDay(StepDate& date)
{
    if (date.d < LastDayOf(MonthOf(date)))
        ++date.d;
    else
        PlaceIn(date, MonthOf(date) + months(1), 1);
}

// The day before: the last day of the previous month before the 1st.
void PreviousDay(StepDate& date)
{
    if (date.d > 1) {
        --date.d;
    } else {
        const date::year_month previous = MonthOf(date) - months(1);
        PlaceIn(date, previous, LastDayOf(previous));
    }
}

// A week on or back: seven days of the calendar, a day the month does not have counting on into the
// next month (30 February 2001 + 7 days is 9 March).
void Weeks(StepDate& date, int weeks)
{
    const date::year_month_day moved{date::sys_days(MonthOf(date) / date::day(static_cast<unsigned>(date.d))) +
                                     days(7 * weeks)};
    PlaceIn(date, moved.year() / moved.month(), static_cast<int16_t>(static_cast<unsigned>(moved.day())));
}

}  // namespace

StepDate StepWorldDate(StepDate date, StepIncrement increment, bool forward)
{
    if (date.m < 1 || date.m > 12 || date.d < 1 || date.d > 31 || date.y < -kLargestStepYear ||
        date.y > kLargestStepYear)
        return date;
    const int sign = forward ? 1 : -1;
    switch (increment) {
    case StepIncrement::HalfHour:
        date.h = static_cast<int16_t>(date.h + sign);
        if (date.h > 48) {
            date.h = 1;
            NextDay(date);
        } else if (date.h < 1) {
            date.h = 48;
            PreviousDay(date);
        }
        break;
    case StepIncrement::Day:
        forward ? NextDay(date) : PreviousDay(date);
        break;
    case StepIncrement::Week:
        Weeks(date, sign);
        break;
    case StepIncrement::Month:
        PlaceIn(date, MonthOf(date) + months(sign), date.d);
        break;
    case StepIncrement::Year:
        PlaceIn(date, MonthOf(date) + years(sign), date.d);
        break;
    }
    return date;
}

StepDate DayCorrection(StepDate date, const std::function<bool(const StepDate&)>& rejected)
{
    while (date.d > 28 && rejected(date))
        --date.d;
    return date;
}

namespace {

// The calendar date `days` days or `months` months after `local`'s, at the same time of day; a day that the
// month lacks becomes its last.
WallTime ShiftedWallTime(WallTime local, int64_t days, int64_t months)
{
    platform::CalendarDate date{local.year, local.month, local.day};
    if (months != 0) {
        const int64_t count = date.year * 12 + date.month - 1 + months;
        date.year = count >= 0 ? count / 12 : -((-count + 11) / 12);
        date.month = static_cast<int32_t>(count - date.year * 12 + 1);
        date.day = std::min(date.day, platform::DaysInMonth(date.year, date.month));
    }
    date = platform::DateOf(platform::DayNumberOf(date) + days);
    local.year = static_cast<int32_t>(date.year);
    local.month = date.month;
    local.day = date.day;
    return local;
}

}  // namespace

platform::Result<PreciseMoment> StepPreciseMoment(const PreciseMoment& from, int16_t step, bool forward,
                                        const text::Language& language)
{
    const int64_t sign = forward ? 1 : -1;
    const int32_t microsecond = from.local.second == 60 ? 0 : from.local.microsecond;
    if (step <= 0) {
        const double moment = from.moment + static_cast<double>(sign) / 48.0;
        platform::Result<PreciseMoment> stepped = MomentInZone(moment, from.zone, language);
        if (stepped)
            stepped.value().local = WallTimeWithFraction(moment, stepped.value().offsetSeconds, microsecond);
        return stepped;
    }
    const WallTime start = from.local.second == 60 ? WallTimeAt(from.moment, from.offsetSeconds) : from.local;
    const int64_t days = step == 1 ? sign : step == 2 ? 7 * sign : 0;
    const int64_t months = step == 3 ? sign : step >= 4 ? 12 * sign : 0;
    WallTime local = ShiftedWallTime(start, days, months);
    local.microsecond = microsecond;
    platform::Result<PreciseMoment> stepped = ResolveWallTime(local, from.zone, std::nullopt, language);
    if (!stepped && from.zone.kind == ZoneKind::Named) {
        // Skipped or shown twice there: the offset the moment had decides, and the clock shows the result.
        const double moment = MomentOf(local, from.offsetSeconds);
        stepped = MomentInZone(moment, from.zone, language);
        if (stepped)
            stepped.value().local = WallTimeWithFraction(moment, stepped.value().offsetSeconds, microsecond);
    }
    return stepped;
}

}  // namespace orvane::datetime
