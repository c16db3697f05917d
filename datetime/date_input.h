#pragma once

// The date rows of the main window as moments: a row (year box, month, day, half-hour and zone lists)
// becomes a Julian date in Universal Time, or the message why it does not; the world date set to the
// computer's clock; the weekday and the text of a row; and the small text helpers the
// rows need.

#include "datetime/date_rows.h"
#include "platform/clock.h"
#include "platform/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {
class Language;
}

namespace orvane::datetime {

// The supported range of dates.
inline constexpr int32_t kFirstYear = 1;
inline constexpr int32_t kLastYear = 2799;
inline constexpr int32_t kFirstDayNumber = 1721426;  // 1 January 1
inline constexpr int32_t kLastDayNumber = 2743738;   // 31 December 2799

// Number of half-hour entries of a row's half-hour list (after its empty entry).
inline constexpr int16_t kNumHalfHours = 48;

// The moment of `row` as a Julian date in Universal Time (its precise moment, when it holds one, once
// the row's lists pass the checks), or, when the row does not convert, the
// information naming the row and the reason ("World date is incomplete.", titled "Input error").
// Cleans the year box to its digits (a year written with a minus keeps it, and stays too early); a row
// without a half hour gets 12:00 selected, and a row without a zone gets the computer's zone selected
// when the zone lists have it, so that the user sees what was converted.
platform::Result<double> InputDateToAJDate(DateRows& model, int16_t row, const text::Language& language);

// The row's local day number and time of day (midnight = the day number itself), without a zone
// correction, or the information above. Cleans the year box and fills in 12:00 like InputDateToAJDate.
platform::Result<double> InputDateToLocalDayNumber(DateRows& model, int16_t row, const text::Language& language);

// The row as display text, "January 5, 2000, 12:00 (GMT+1:00)", the date in the current language;
// with a precise moment "October 3, 1989, 15:30 (Europe/Berlin, GMT+2:00)"; empty when the row is not
// a valid date.
std::string InputDateToString(DateRows& model, int16_t row, bool abbreviated,
                              const text::Language& language);

// The hover text of the row's day list: the weekday of the row's date in the current language, or the
// empty text when the row is not a valid date.
std::string ShowWeekday(DateRows& model, int16_t row, const text::Language& language);

// Fills the world date row with the computer's local date and time, rounded to the half hour, and
// selects the default zone position.
void SetWorldDateToNow(DateRows& model, const platform::Clock& clock);

// Sets the world date row to `moment` (a Julian date, UT) in the row's zone (the default zone when it
// has none), rounded to the half hour.
void SetWorldDateTo(DateRows& model, double moment);

// Gives `row` a precise moment: conversions use it from now on, and the row's lists show the same instant
// to the half hour in the list zone of its offset, or in the nearest one when the lists lack it (14:20 at
// +5:45 shows as 14:00 GMT+5:30; GMT+11:30 for +13:00).
void SetPreciseMoment(DateRows& model, int16_t row, PreciseMoment precise);

// The zone list position whose offset is nearest `offsetSeconds` (exactly it when the lists have it).
int16_t NearestZonePosition(int32_t offsetSeconds);

// Fills the day and half-hour lists of the three rows with their position 0 selected, empties the year
// boxes, and refills the month lists.
void SetUpDateRows(DateRows& model);

// Rounds a day number with time of day to the nearest half hour in place; exactly a quarter past
// rounds down, and 23:45 and later round to midnight of the next day.
void RoundToHalfHour(double& dayNumber);

// A fraction of a day as "HH:MM" or "HH:MM:SS"; "XX:XX:XX" outside 0 ≤ fraction < 1.
std::string TimeOfDayText(double fraction, bool withSeconds);

// A year box cleaned to its digits, as every conversion, a step and the window's timer clean it: signs
// and everything else but digits go ("20a0-5" gives 2005, "-44" 44, "+7" 7, "1e308" 1308).
std::string CleanedYear(std::string_view typed);

// The digits of `text`, with a leading "-" or "+" kept when allowed: "20a0-5" gives "2005".
std::string SanitizeInteger(std::string_view text, bool allowMinus, bool allowPlus);

// The characters of `text`, in order, that occur in `allowed`.
std::string KeepOnlyChars(std::string_view text, std::string_view allowed);

}  // namespace orvane::datetime
