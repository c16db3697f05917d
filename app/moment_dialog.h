#pragma once

// The precise-moment dialog of a date row without the dialog: a date, a clock time to the minute and a
// time zone of the tz database (or the local mean time at a longitude, for places and dates before
// standard time) become the row's precise moment. What the dialog shows under the zone, the offset in
// effect or the question which of two offsets, is read from the entries as they stand.

#include "app/main_model.h"
#include "app/place_entry.h"
#include "datetime/zoned_moments.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "platform/result.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane::text {
class Language;
}

namespace orvane::app {

struct Workspace;

// Which of the two offsets a clock time that the zone skipped or had twice was read with.
enum class OffsetChoice { None, BeforeChange, AfterChange };

// What the dialog shows under the zone as the entries stand.
struct MomentReading {
    // "In effect: GMT+1:00", the question about two offsets, or why there is no offset.
    std::string text;
    // The zone skipped the clock time or had it twice: the two captions to choose from, the offset before
    // the change first.
    bool twoOffsets = false;
    std::array<std::string, 2> choices;
};

class MomentDialog {
public:
    // The entries. The date and the clock time as the dialog's date and time boxes hold them; the zone as
    // typed or chosen (a name of the tz database, or an offset such as "GMT+5:45"); with meanTimeTicked
    // the longitude instead of the zone.
    int32_t year = 2000;
    int16_t month = 1;
    int16_t day = 1;
    int16_t hour = 12;
    int16_t minute = 0;
    int16_t second = 0;
    std::string zoneText;
    bool meanTimeTicked = false;
    std::string longitudeText;
    OffsetChoice choice = OffsetChoice::None;
    // Where the moment was: a place of the atlas fills the zone and keeps its coordinates for the chart.
    PlaceEntry place;

    // The proposal `index` of the place field chosen: its zone (and its longitude for local mean time)
    // become the entries; the zone's history then gives the offset.
    void ChoosePlace(size_t index, atlas::NameLanguage names);

    // Fills the entries from `row`: its precise moment when it has one; otherwise its date (the world
    // date's when the row has none), its half hour (noon when none) and its zone, or the computer's zone
    // of the tz database when the row has none.
    void Prepare(const Workspace& program, int16_t row, const platform::Clock& clock);
    int16_t Row() const { return m_row; }
    // Whether the row had a precise moment when the dialog was prepared (Remove has something to drop).
    bool RowHadMoment() const { return m_rowHadMoment; }

    // Fills the entries from a precise moment, as entered (its zone, its offset or its longitude).
    void Fill(const datetime::PreciseMoment& precise, const text::Language& language);

    MomentReading Read(const text::Language& language) const;

    // The entries as a precise moment, or the message why they are none.
    platform::Result<datetime::PreciseMoment> Resolve(const text::Language& language) const;

    // OK: the row's precise moment set from the entries (the row's lists show it to the half hour) and the
    // place kept beside it, or the refusal that says why not (InvalidInput), and nothing changed.
    platform::Result<void> Accept(Workspace& program) const;
    // Remove: the row's precise moment dropped; its lists stay as they show it.
    void Remove(MainModel& main) const;

private:
    // The entries' wall-clock time, and their zone or why there is none.
    datetime::WallTime Wall() const;
    // Prepare's start without a precise moment: the row's date and zone.
    void FillFromRow(const Workspace& program, size_t r, const platform::Clock& clock);
    platform::Result<datetime::MomentZone> Zone(const text::Language& language) const;

    int16_t m_row = 0;
    bool m_rowHadMoment = false;
};

// A longitude as typed: decimal degrees ("13.4", "-74.0") or degrees, minutes and seconds with the
// hemisphere ("13°24'E", "74 0 W", "8°41′30″O"); east positive. None outside −180 … 180 or unreadable.
std::optional<double> ParseLongitude(std::string_view text);

}  // namespace orvane::app
