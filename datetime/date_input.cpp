#include "datetime/date_input.h"

#include "datetime/datepr2.h"
#include "datetime/iso_dates.h"
#include "datetime/time_zones.h"
#include "platform/calendar.h"
#include "platform/moment.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace orvane::datetime {
namespace {

using platform::ComboBoxModel;

constexpr std::string_view kDigits = "0123456789";
constexpr double kMinutesPerDay = 1440.0;

// Workspace texts: the row names at the start of an error message, the reasons, the message title.
constexpr std::array<int16_t, core::kNumDateRows> kTextRowName{text::kTextWorldDate, text::kText1stBirthdate,
                                                              text::kText2ndBirthdate};

constexpr int16_t kNumDays = 31;

// Why a row does not convert, as the text number of the reason.
enum class Fault : int16_t {
    Incomplete = text::kTextIncomplete,  // year empty, or no month or no day selected
    Invalid = text::kTextNotValid,       // no such date (30 February)
    TooEarly = text::kTextTooEarly,      // before 1 January of the year 1
    TooLate = text::kTextTooLate,        // after 31 December 2799
};

// The information a row that does not convert gives: row name and reason, titled "Input error".
platform::Result<double> Refused(size_t row, Fault fault, const text::Language& language)
{
    std::string text = language.Text(static_cast<int16_t>(fault));
    if (row < kTextRowName.size())
        text = language.Text(kTextRowName[row]) + " " + text;
    return platform::Result<double>(platform::ErrorCode::InvalidInput,
                                    platform::Message::Information(language.Text(text::kTextInputErrorTitle), std::move(text)));
}

// The year of a cleaned year box (digits only) checked against the supported range: the year, or why
// not. Leading zeros are ignored; a number too long to be a year is too late.
std::optional<Fault> CheckedYear(const std::string& digits, int64_t& year)
{
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return Fault::TooEarly;
    if (digits.size() - first > 4)
        return Fault::TooLate;
    std::from_chars(digits.data() + first, digits.data() + digits.size(), year);
    if (year < kFirstYear)
        return Fault::TooEarly;
    if (year > kLastYear)
        return Fault::TooLate;
    return std::nullopt;
}

// The half-hour position as a fraction of the day; a row whose list offers no half hour counts as noon.
double HalfHourFraction(const ComboBoxModel& hour)
{
    const int16_t position = hour.ListIndex();
    if (position < 1 || position > kNumHalfHours)
        return 0.5;
    return (position - 1) * 30 / kMinutesPerDay;
}

// The first steps of every conversion of a row: clean the year box, check the row, ask the calendar
// for the day number and fill in the default half hour. Returns the local day number plus the time of
// day, or the message why the row does not convert.
platform::Result<double> LocalMoment(DateRows& model, size_t row, const text::Language& language)
{
    std::string& year = model.yearTexts[row];
    year = CleanedYear(year);
    if (year.empty() || model.monthLists[row].ListIndex() <= 0 || model.dayLists[row].ListIndex() <= 0)
        return Refused(row, Fault::Incomplete, language);

    platform::CalendarDate date;
    if (const std::optional<Fault> fault = CheckedYear(year, date.year))
        return Refused(row, *fault, language);
    date.month = model.monthLists[row].ListIndex();
    date.day = model.dayLists[row].ListIndex();
    const std::optional<int32_t> day = platform::DayNumberOfDate(date);
    if (!day)
        return Refused(row, Fault::Invalid, language);
    const int32_t dayNumber = *day;
    if (dayNumber < kFirstDayNumber)
        return Refused(row, Fault::TooEarly, language);
    if (dayNumber > kLastDayNumber)
        return Refused(row, Fault::TooLate, language);

    // A row without a half hour is taken at noon, and shows it.
    ComboBoxModel& hour = model.halfHourLists[row];
    if (hour.ListIndex() <= 0)
        hour.SetListIndex(static_cast<int16_t>(hour.ListCount() / 2 + 1));
    return platform::Result<double>(dayNumber + HalfHourFraction(hour));
}

// Length of the UTF-8 sequence that starts with `lead` (1 for a stray byte).
size_t SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// Length of the character at the start of the non-empty `text`: the whole sequence its first byte starts
// when the bytes after it continue that sequence, otherwise the first byte alone, so that a stray byte
// (a Latin-1 "é") takes no digit after it along.
size_t CharacterLength(std::string_view text)
{
    const size_t length = std::min(SequenceLength(static_cast<unsigned char>(text[0])), text.size());
    for (size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[k]) & 0xC0U) != 0x80U)
            return 1;
    return length;
}

}  // namespace

platform::Result<double> InputDateToAJDate(DateRows& model, int16_t row, const text::Language& language)
{
    if (!core::IsDateRow(row))
        return Refused(kTextRowName.size(), Fault::Incomplete, language);
    const auto r = static_cast<size_t>(row);
    platform::Result<double> local = LocalMoment(model, r, language);
    if (!local)
        return local;

    // A row without a zone is converted with the computer's zone, and shows it, when the lists have it.
    ComboBoxModel& zone = model.zoneLists[r];
    if (zone.ListIndex() <= 0) {
        if (const int16_t defaultZone = model.DefaultZoneIndex(); defaultZone > 0 && defaultZone < zone.ListCount())
            zone.SetListIndex(defaultZone);
    }
    if (const std::optional<PreciseMoment>& precise = model.preciseMoments[r])
        return platform::Result<double>(precise->moment);
    return platform::Result<double>(platform::MomentOfLocalDay(local.value(), zone.SelectedItemData() * 60));
}

platform::Result<double> InputDateToLocalDayNumber(DateRows& model, int16_t row, const text::Language& language)
{
    if (!core::IsDateRow(row))
        return Refused(kTextRowName.size(), Fault::Incomplete, language);
    platform::Result<double> local = LocalMoment(model, static_cast<size_t>(row), language);
    if (!local)
        return local;
    if (const std::optional<PreciseMoment>& precise = model.preciseMoments[static_cast<size_t>(row)]) {
        // The wall clock's whole seconds, its fraction left aside, as the clock's day count.
        WallTime wall = precise->local;
        wall.microsecond = 0;
        return platform::Result<double>(platform::LocalDay(platform::MomentOf(wall, 0), 0));
    }
    return local;
}

std::string InputDateToString(DateRows& model, int16_t row, bool abbreviated, const text::Language& language)
{
    const platform::Result<double> local = InputDateToLocalDayNumber(model, row, language);
    if (!local)
        return {};
    const auto r = static_cast<size_t>(row);
    const std::string date = DateText(static_cast<int32_t>(std::floor(local.value())), abbreviated, language.currentLanguage);
    if (const std::optional<PreciseMoment>& precise = model.preciseMoments[r]) {
        const std::string zone = precise->zone.kind == ZoneKind::FixedOffset
                                     ? OffsetText(precise->offsetSeconds)
                                     : ZoneDescription(*precise, language) + ", " + OffsetText(precise->offsetSeconds);
        return date + ", " + TimeOfDayText(local.value() - std::floor(local.value()), precise->local.second != 0) +
               " (" + zone + ")";
    }
    return date + ", " + model.halfHourLists[r].Text() + " (" + model.zoneLists[r].Text() + ")";
}

std::string ShowWeekday(DateRows& model, int16_t row, const text::Language& language)
{
    const platform::Result<double> local = InputDateToLocalDayNumber(model, row, language);
    if (!local)
        return {};
    return WeekdayName(platform::DayOfWeek(static_cast<int64_t>(std::floor(local.value()))),
                       language.currentLanguage);
}

namespace {

// Fills date row `row` with local day number and time `local`, rounded to the half hour, in zone list
// position `zonePosition`.
void FillDateRow(DateRows& model, int16_t row, double local, int16_t zonePosition)
{
    const auto r = static_cast<size_t>(row);
    if (!std::isfinite(local)) {
        model.ClearDateRow(row);
        return;
    }
    RoundToHalfHour(local);
    const double dayNumber = std::floor(local);

    const std::optional<platform::CalendarDate> date = platform::DateOfDayNumber(static_cast<int64_t>(dayNumber));
    if (!date) {
        model.ClearDateRow(row);
        return;
    }
    model.monthLists[r].SetListIndex(static_cast<int16_t>(date->month));
    model.dayLists[r].SetListIndex(static_cast<int16_t>(date->day));
    model.yearTexts[r] = std::to_string(date->year);

    // The half-hour position from the rounded time "HH:MM": two entries an hour, the second at ":30".
    const std::string time = TimeOfDayText(local - dayNumber, false);
    int hours = 0;
    std::from_chars(time.data(), time.data() + 2, hours);
    int position = 2 * hours + 1;
    if (time.compare(time.size() - 2, 2, "30") == 0)
        ++position;
    model.halfHourLists[r].SetListIndex(static_cast<int16_t>(position));

    model.zoneLists[r].SetListIndex(zonePosition);
}

}  // namespace

void SetWorldDateToNow(DateRows& model, const platform::Clock& clock)
{
    model.DropPreciseMoment(core::kWorldDateRow);
    // The tz database knows the offset in effect now, summer time included. When the lists have it, the
    // row shows the present half hour in it; otherwise the row holds the present moment precisely.
    if (std::optional<PreciseMoment> now = ClockMoment(clock)) {
        const int16_t position = NearestZonePosition(now->offsetSeconds);
        if (ZoneOffsetMinutes(position) * 60 != now->offsetSeconds) {
            SetPreciseMoment(model, core::kWorldDateRow, std::move(*now));
            return;
        }
        FillDateRow(model, core::kWorldDateRow, platform::LocalDay(now->moment, now->offsetSeconds), position);
        return;
    }
    // Without a zone name, back from Universal Time to the computer's wall clock at its standard offset:
    // the integer part is the local day number, the fraction the time after midnight.
    const double local = platform::LocalDay(CurrentAJDate(clock), SystemZoneMinutes(clock) * 60);
    FillDateRow(model, core::kWorldDateRow, local, model.DefaultZoneIndex());
}

void SetWorldDateTo(DateRows& model, double moment)
{
    model.DropPreciseMoment(core::kWorldDateRow);
    const int16_t selected = model.zoneLists[static_cast<size_t>(core::kWorldDateRow)].ListIndex();
    const int16_t zone = selected > 0 ? selected : model.DefaultZoneIndex();
    const double offset = zone > 0 ? ZoneOffsetMinutes(zone) : model.ComputerZone();
    FillDateRow(model, core::kWorldDateRow, platform::LocalDay(moment, static_cast<int32_t>(offset) * 60), zone);
}

int16_t NearestZonePosition(int32_t offsetSeconds)
{
    constexpr int32_t kLastStep = kMaxZoneMinutes / 30;
    // Nearest half hour; exactly between two (+5:45) the one nearer Greenwich, as the computer's zone is taken.
    const int32_t magnitude = (std::abs(offsetSeconds) + 899) / 1800;
    const int32_t steps = offsetSeconds < 0 ? -magnitude : magnitude;
    return static_cast<int16_t>(std::clamp(steps, -kLastStep, kLastStep) + kNumTimezoneEntries / 2);
}

void SetPreciseMoment(DateRows& model, int16_t row, PreciseMoment precise)
{
    if (!core::IsDateRow(row))
        return;
    // The same instant in the nearest zone of the lists: 14:20 at +5:45 is 14:05 at +5:30, shown as 14:00.
    const int16_t position = NearestZonePosition(precise.offsetSeconds);
    const double local = platform::LocalDay(precise.moment, ZoneOffsetMinutes(position) * 60);
    FillDateRow(model, row, local, position);
    model.preciseMoments[static_cast<size_t>(row)] = std::move(precise);
}

// The month lists hold the English month names in every interface language.
void SetUpDateRows(DateRows& model)
{
    model.FillMonthLists();
    for (size_t r = 0; r < static_cast<size_t>(core::kNumDateRows); ++r) {
        ComboBoxModel& day = model.dayLists[r];
        day.Clear();
        day.AddItem("");
        for (int d = 1; d <= kNumDays; ++d)
            day.AddItem(std::to_string(d));
        day.SetListIndex(0);

        model.yearTexts[r].clear();

        ComboBoxModel& hour = model.halfHourLists[r];
        hour.Clear();
        hour.AddItem("");
        for (int h = 0; h < kNumHalfHours / 2; ++h) {
            const std::string hh{static_cast<char>('0' + h / 10), static_cast<char>('0' + h % 10)};
            hour.AddItem(hh + ":00");
            hour.AddItem(hh + ":30");
        }
        hour.SetListIndex(0);
    }
}

void RoundToHalfHour(double& dayNumber)
{
    double day = std::floor(dayNumber);
    const double fraction = dayNumber - day;
    if (fraction == 0.0)
        return;
    const long minutes = std::lround(fraction * kMinutesPerDay);
    long halfHours = minutes / 30;
    if (minutes % 30 > 15)
        ++halfHours;
    if (halfHours >= kNumHalfHours) {
        halfHours = 0;
        day += 1;
    }
    dayNumber = day + static_cast<double>(halfHours) / kNumHalfHours;
}

std::string TimeOfDayText(double fraction, bool withSeconds)
{
    if (!(fraction >= 0.0 && fraction < 1.0))
        return "XX:XX:XX";
    // The nearest whole second, as every moment's text takes it; the day's last half second stays in it.
    const long seconds = std::min(std::lround(std::floor(fraction * platform::kSecondsPerDay + 0.5)),
                                  static_cast<long>(platform::kSecondsPerDay - 1));
    const int hours = static_cast<int>(seconds / 3600);
    const int minutes = static_cast<int>(seconds / 60 % 60);
    char text[16];
    if (withSeconds)
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", hours, minutes, static_cast<int>(seconds % 60));
    else
        std::snprintf(text, sizeof text, "%02d:%02d", hours, minutes);
    return text;
}

std::string CleanedYear(std::string_view typed)
{
    return SanitizeInteger(typed, false, false);
}

std::string SanitizeInteger(std::string_view text, bool allowMinus, bool allowPlus)
{
    // A number already clean (as the steps of a search write the year) is kept as it is.
    const bool signAllowed = !text.empty() && ((text.front() == '-' && allowMinus) || (text.front() == '+' && allowPlus));
    const std::string_view digits = signAllowed ? text.substr(1) : text;
    if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(text);
    const std::string kept = KeepOnlyChars(text, "0123456789-+");
    if (kept.empty())
        return kept;
    std::string result;
    const char first = kept.front();
    if (kDigits.find(first) != std::string_view::npos || (first == '-' && allowMinus) ||
        (first == '+' && allowPlus))
        result += first;
    return result + KeepOnlyChars(std::string_view(kept).substr(1), kDigits);
}

std::string KeepOnlyChars(std::string_view text, std::string_view allowed)
{
    // Character by character, a character being a whole UTF-8 sequence, so that an umlaut in `allowed`
    // keeps the umlaut and nothing else.
    std::string result;
    for (size_t at = 0; at < text.size();) {
        const size_t length = CharacterLength(text.substr(at));
        const std::string_view character = text.substr(at, length);
        if (allowed.find(character) != std::string_view::npos)
            result += character;
        at += length;
    }
    return result;
}

}  // namespace orvane::datetime
