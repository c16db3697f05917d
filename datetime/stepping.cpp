#include "display/stepping.h"

#include "platform/calendar.h"

namespace orvane::display {

int16_t DaysInMonth(int16_t m, int32_t y)
{
    return static_cast<int16_t>(platform::DaysInMonth(y, m, platform::kCalendarGregorian));
}

namespace {

void NextDay(StepDate& date)
{
    ++date.d;
    if (date.d > DaysInMonth(date.m, date.y)) {
        date.d = 1;
        ++date.m;
        if (date.m > 12) {
            date.m = 1;
            ++date.y;
        }
    }
}

// The previous month, the year going back at January.
void PreviousMonth(StepDate& date)
{
    --date.m;
    if (date.m < 1) {
        date.m = 12;
        --date.y;
    }
}

void PreviousDay(StepDate& date)
{
    --date.d;
    if (date.d < 1) {
        PreviousMonth(date);
        date.d = DaysInMonth(date.m, date.y);
    }
}

}  // namespace

namespace {

// The next month, the year going on after December.
void NextMonth(StepDate& date)
{
    ++date.m;
    if (date.m > 12) {
        date.m = 1;
        ++date.y;
    }
}

StepDate StepForward(StepDate date, StepIncrement increment)
{
    switch (increment) {
    case StepIncrement::HalfHour:
        ++date.h;
        if (date.h > 48) {
            date.h = 1;
            NextDay(date);
        }
        break;
    case StepIncrement::Day:
        NextDay(date);
        break;
    case StepIncrement::Week: {
        date.d = static_cast<int16_t>(date.d + 7);
        const int16_t days = DaysInMonth(date.m, date.y);
        if (date.d > days) {
            date.d = static_cast<int16_t>(date.d - days);
            NextMonth(date);
        }
        break;
    }
    case StepIncrement::Month:
        NextMonth(date);
        break;
    case StepIncrement::Year:
        ++date.y;
        break;
    }
    return date;
}

StepDate StepBack(StepDate date, StepIncrement increment)
{
    switch (increment) {
    case StepIncrement::HalfHour:
        --date.h;
        if (date.h < 1) {
            date.h = 48;
            PreviousDay(date);
        }
        break;
    case StepIncrement::Day:
        PreviousDay(date);
        break;
    case StepIncrement::Week:
        date.d = static_cast<int16_t>(date.d - 7);
        if (date.d < 1) {
            PreviousMonth(date);
            date.d = static_cast<int16_t>(DaysInMonth(date.m, date.y) + date.d);  // d is 0 or negative here
        }
        break;
    case StepIncrement::Month:
        PreviousMonth(date);
        break;
    case StepIncrement::Year:
        --date.y;
        break;
    }
    return date;
}

}  // namespace

StepDate StepWorldDate(StepDate date, StepIncrement increment, bool forward)
{
    return forward ? StepForward(date, increment) : StepBack(date, increment);
}

StepDate DayCorrection(StepDate date, const std::function<bool(const StepDate&)>& rejected)
{
    while (date.d > 28 && rejected(date))
        --date.d;
    return date;
}

}  // namespace orvane::display
