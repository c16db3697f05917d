#pragma once

// The three date rows of the main window without the window: what each row's year box and lists hold,
// the moments they were converted to, the computer's zone that rows without a zone are converted with,
// and the rows' names used inside messages.

#include "core/modes.h"
#include "datetime/zoned_moments.h"
#include "platform/clock.h"
#include "platform/control_models.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::datetime {

struct DateRows {
    // The date rows, indexed by row. The year is kept as typed; the month list holds an empty entry and
    // the twelve month names (position = month number), the day list an empty entry and "1" … "31",
    // the half-hour list an empty entry and "00:00" … "23:30", the zone list an empty entry and the 47
    // zones with their offsets in minutes east of Greenwich as item data.
    std::array<std::string, core::kNumDateRows> yearTexts;
    std::array<platform::ComboBoxModel, core::kNumDateRows> monthLists;
    std::array<platform::ComboBoxModel, core::kNumDateRows> dayLists;
    std::array<platform::ComboBoxModel, core::kNumDateRows> halfHourLists;
    std::array<platform::ComboBoxModel, core::kNumDateRows> zoneLists;

    // A precise moment per row (to the minute, in any zone), which conversions use instead of the row's
    // half hour and list zone while it is set; the row's lists show it to the half hour. Touching the
    // row's year box or lists drops it (DropPreciseMoment), so does Clear.
    std::array<std::optional<PreciseMoment>, core::kNumDateRows> preciseMoments;

    // Set when a date row could not be converted and its error was reported.
    bool inputError = false;

    // The moments of the three rows (Julian dates in Universal Time) as the last computation that
    // converted them left them.
    std::array<double, core::kNumDateRows> moments{};

    // The names of the date rows used inside messages ("world date", "1st birthdate", "2nd birthdate").
    std::array<std::string, core::kNumDateRows> rowNames;

    // Refills the three month lists (an empty entry, then January … December), keeping each list's
    // position; a list without a selection shows its empty entry.
    void FillMonthLists();
    // The date-row names used inside messages, in the current language.
    void SetDateRowNames(const text::Language& language);
    // The Clear button of a row: month, day, half-hour and zone lists to their empty entry, year empty.
    void ClearDateRow(int16_t row);
    // The row's precise moment goes; its lists stay as they show it.
    void DropPreciseMoment(int16_t row);

    // The computer's time zone in minutes east of Greenwich (0 before a clock is followed), and the
    // position in the zone lists whose offset equals it (0 when no entry does): the zone a row without a
    // zone is converted with. The zone is looked up when first asked for (a row without a zone, Now), so
    // that work given in explicit zones never reads the zone database.
    int16_t ComputerZone() const;
    int16_t DefaultZoneIndex() const;
    // The clock whose zone ComputerZone gives; asked on first use.
    void FollowComputerClock(std::shared_ptr<const platform::Clock> clock);

private:
    std::shared_ptr<const platform::Clock> m_computerClock;
    mutable std::optional<int16_t> m_computerZone;
};

}  // namespace orvane::datetime
