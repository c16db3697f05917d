#pragma once

// Date texts: month and weekday names in English and German, dates written out or numerically.

#include "platform/calendar.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::datetime {

// Month names, indexed 1 … 12 (entry 0 is empty).
inline constexpr std::array<std::string_view, 13> kMonthName{
    "", "January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
    "November", "December"};
inline constexpr std::array<std::string_view, 13> kMonthAbbrev{
    "", "Jan.", "Feb.", "Mar.", "Apr.", "May", "June", "July", "Aug.", "Sept.", "Oct.", "Nov.", "Dec."};
inline constexpr std::array<std::string_view, 13> kGermanMonthName{
    "", "Januar", "Februar", "März", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
    "November", "Dezember"};
inline constexpr std::array<std::string_view, 13> kGermanMonthAbbrev{
    "", "Jan.", "Feb.", "März", "Apr.", "Mai", "Juni", "Juli", "Aug.", "Sept.", "Okt.", "Nov.", "Dez."};

// Weekday names by weekday number, 0 Sunday … 6 Saturday.
inline constexpr std::array<std::string_view, 7> kWeekdayEnglish{
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
inline constexpr std::array<std::string_view, 7> kWeekdayGerman{
    "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

// The date of Julian Day Number `jdn` in words: "January 5, 2000" / "Jan. 5, 2000" in English,
// "5.Januar 2000" / "5.Jan. 2000" in German (language 1). Years beyond ±9999 get thousands separators.
std::string DateText(int32_t jdn, bool abbreviated, int16_t language);

// The record's date as year-month-day: "2000-01-05" (the year is not padded: "800-01-05").
std::string NumericDateText(const platform::CalendarDate& date);

// The weekday's name in `language` (1 German, otherwise English); empty outside 0 … 6.
std::string WeekdayName(int32_t weekday, int16_t language);

}  // namespace orvane::datetime
