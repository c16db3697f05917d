#pragma once

// Stepping the world date by half an hour, a day, a week, a month or a year, forward or back, on the
// date row's list positions and year, with the calendar's year_month_day arithmetic.

#include "datetime/zoned_moments.h"
#include "platform/result.h"

#include <cstdint>
#include <functional>

namespace orvane::datetime {

// Positions of the step list: what one step of the world date is.
enum class StepIncrement : int16_t { HalfHour = 0, Day = 1, Week = 2, Month = 3, Year = 4 };
inline constexpr int16_t kNumStepIncrements = 5;

// The world date as its controls hold it: half-hour position h (1 … 48), month m (1 … 12), day d
// (1 … 31) and year y.
struct StepDate {
    int16_t h = 0;
    int16_t m = 0;
    int16_t d = 0;
    int32_t y = 0;
    bool operator==(const StepDate&) const = default;
};

// The date one step forward or back. A day or half-hour step from the last day of a month (or from a
// day the month does not have, such as 30 February) goes to the 1st of the next month; month and year
// steps leave the day as it was: the caller corrects it with DayCorrection once the new date can be
// tested. A date whose month is not 1 … 12, whose day is not 1 … 31 or whose year lies beyond ±32000 is
// not moved: the date input refuses it, before and after.
StepDate StepWorldDate(StepDate date, StepIncrement increment, bool forward);

// Month and year steps: while `rejected` says the date does not exist and the day is above 28, the day
// goes back by one (31 January + 1 month → the last day of February).
StepDate DayCorrection(StepDate date, const std::function<bool(const StepDate&)>& rejected);

// A precise moment one step forward or back, `step` being the step list's position: half an hour of
// Universal Time, or a day, a week, a calendar month or a year of the zone's wall clock at the same time of
// day (31 January + 1 month is 28 or 29 February). A wall-clock time that the zone skipped or showed twice
// there keeps the offset the moment had; a leap second steps from the end of its minute. The fraction of
// a second stays. Refused only for an unknown zone.
platform::Result<PreciseMoment> StepPreciseMoment(const PreciseMoment& from, int16_t step, bool forward,
                                                  const text::Language& language);

}  // namespace orvane::datetime
