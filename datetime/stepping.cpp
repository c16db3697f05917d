#include "datetime/stepping.h"

#include <date/date.h>

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

}  // namespace orvane::datetime
