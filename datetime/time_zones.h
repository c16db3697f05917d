#pragma once

// The time-zone lists of the date rows: 47 zones on the half-hour grid from GMT-11:30 to GMT+11:30 with
// their offsets (minutes east of Greenwich) as item data, optionally with the North American
// abbreviations; the computer's own zone and the list position that becomes every row's default.

#include "platform/control_models.h"
#include "datetime/date_rows.h"
#include "platform/clock.h"

#include <cstdint>
#include <string>

namespace orvane::datetime {

// Entries of a zone list, the empty entry 0 included; entry 24 is "GMT".
inline constexpr int16_t kNumTimezoneEntries = 48;
// The largest offset the lists hold, in minutes either side of Greenwich.
inline constexpr int16_t kMaxZoneMinutes = 690;

// The text of zone list position 1 … 47 without abbreviations ("GMT-11:30" … "GMT" … "GMT+11:30");
// empty for other positions.
std::string ZoneText(int16_t position);

// The offset in minutes east of Greenwich of zone list position 1 … 47: (position − 24) × 30.
int16_t ZoneOffsetMinutes(int16_t position);

// Rebuilds one zone list: the empty entry, the 47 zones with their offsets, the North American
// abbreviations in place of ten texts when `abbreviations` is set. Nothing is selected afterwards.
void FillTimezoneList(platform::ComboBoxModel& list, bool abbreviations);

// Rebuilds the zone lists of the three rows. With keepSelection each row keeps its position (the
// texts may change, the offsets do not); otherwise each row shows its empty entry.
void SetUpTimezoneComboBoxes(DateRows& model, bool keepSelection, bool abbreviations);

// The computer's standard-time zone in minutes east of Greenwich, rounded to the minute.
int16_t SystemZoneMinutes(const platform::Clock& clock);

// The computer's zone in minutes east, as the rows take it: the tz database's standard offset of the
// clock's zone when it names one, else the clock's standard offset; a zone 5 h 45 min east is taken as
// 5 h 30 min, the nearest zone the lists have.
int16_t ComputerZoneMinutes(const platform::Clock& clock);

// Makes the rows follow the computer's zone of `clock` (a copy of it), looked up when first needed.
void SetSystemZone(DateRows& model, const platform::Clock& clock);

// Whether the North American abbreviations are on for a computer that has no stored choice yet: for
// zones from −10:00 to −2:30.
bool AbbreviationsOnByDefault(int16_t systemZone);

// The computer's standard-time zone in minutes east of Greenwich, from its offset in seconds west,
// rounded to the nearest minute.
int16_t ZoneMinutesFromSecondsWest(int32_t secondsWest);

// The present moment as a Julian date: the clock's local date and time, less the computer's
// standard-time zone. (While summer time is in force the clock runs an hour ahead of standard time, and
// so does this moment.)
double CurrentAJDate(const platform::Clock& clock);

}  // namespace orvane::datetime
