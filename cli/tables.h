#pragma once

// The companion's tables of events and of positions, in three forms: text for people (aligned columns,
// dates in the program's own style, English or German), CSV (a header line) and JSON (one array of
// objects), both written by the machine formats' writers (display/machine_formats.h). Rows are written as
// they come, so that any span streams.
//
// Events, CSV: time,jd_ut,kind,body1,aspect,body2,sign,value,role1,role2 — time in ISO 8601 with seconds and the zone's
// offset ("Z" for UT), jd_ut with six decimals, kind as --kinds names it, English body, aspect and sign
// names, value in degrees (or AU for a distance) with six decimals, empty fields where nothing applies
// (null in JSON, where jd_ut and value are numbers); role1 and role2 the bodies' roles in the two-date
// modes: transiting, natal1 or natal2 (empty, null, in the one-chart modes and for a body's own event's
// missing second body). Seen from the Earth, body2 of the kind angle is the place's angle (Ascendant or
// Midheaven), as it is of an aspect row.
// Positions, CSV: time,jd_ut,Earth,…,Pluto — longitudes in degrees with six decimals, empty (null) for a
// body without a position; with further columns each body's longitude is followed by <Body>_latitude
// (degrees), <Body>_distance (AU), <Body>_speed (degrees a day), as asked for. The moment a search found,
// CSV: time,jd_ut,pattern. Every text table and JSON document states its convention, zone and the
// program's version (cli/table_heading.h).
// Aspects, CSV: time,jd_ut,body1,aspect,body2,deviation,applying,role1,role2 — deviation from exact in degrees with six
// decimals, applying true or false (a number and a boolean in JSON).

#include "cli/table_heading.h"
#include "core/aspect_result.h"
#include "core/events.h"
#include "core/geo_aspects.h"
#include "core/geo_events.h"
#include "core/vocabulary.h"
#include "display/body_roles.h"
#include "display/machine_formats.h"
#include "platform/ephemeris.h"

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace orvane::cli {

// Ics: the events as an iCalendar file (display/calendar_file.h), which only the event list is written in.
enum class TableFormat { Text, Csv, Json, Ics };

// The ephemeris table's further columns beside each longitude (bits).
inline constexpr uint8_t kColumnLatitude = 1;
inline constexpr uint8_t kColumnDistance = 2;
inline constexpr uint8_t kColumnSpeed = 4;

// The words of the text tables in the language asked for: the event kinds (empty: not asked for) and the
// column headings. `value` empty leaves the events' value column out of the text table; `heading` is what
// the line above the text's column headings and the JSON document's metadata state.
struct TableWords {
    int16_t language = 0;
    std::array<std::string, core::kNumEventKinds> kinds;
    std::array<std::string, 2> stations;  // geocentric events: turning retrograde, turning direct
    std::string angle;                    // geocentric events with a place: a body exact to an angle
    std::string date, time, event, body, aspect, sign, value;
    std::array<std::string, 3> columns;  // latitude, distance, speed
    TableHeading heading;
    size_t aspectWidth = 12;  // the aspect column's, wider for the longest extra aspect's name
    std::string deviation, motion, applying, separating;
    // The roles of the two bodies of an event and of a grid's aspect in the mode, and how a natal body is
    // named ("natal [r1]"); the name column is wider where a role is written.
    display::PairRoles eventRoles;
    display::PairRoles gridRoles;
    std::string natal;
    size_t nameWidth = 8;
};

// Whether the wall clock of the tz zone `zoneName` showed the time of `moment` twice (the hour the clocks
// went back); never for a fixed offset (no name).
bool ShownTwice(const std::string& zoneName, double moment);
// A moment as the text tables show it in the zone: the date in the program's style in `language`, then the
// time to the second, padded to `timeWidth` characters; a time the zone `zoneName` showed twice carries its
// offset ("02:30:00 +02:00").
std::string TextTimeColumns(double moment, int32_t zoneMinutes, int16_t language, size_t timeWidth,
                            const std::string& zoneName = {});
// A moment as a text table writes it in one column: the program's date and the time to the second.
std::string TextMoment(double moment, int32_t zoneMinutes, int16_t language, const std::string& zoneName = {});
// A duration in days with two decimals in the language's style: "3.25 days", "3,25 Tage".
std::string DurationInDays(double days, int16_t language);
// The time column's heading `time` with the zone: "Time (UT)", "Zeit (+01:00)".
std::string TimeHeadingText(const std::string& time, int32_t zoneMinutes);
// The offset in minutes east of a tz zone at `moment` (summer time included), or `fixedMinutes` when
// `zoneName` is empty.
int32_t ZoneMinutesAt(const std::string& zoneName, int32_t fixedMinutes, double moment);
// `text` with blanks after it up to `width` characters (not bytes: German words hold umlauts).
std::string PaddedText(std::string text, size_t width);
// Writes one line of a text table, without the blanks its last column was padded with.
void WriteTextLine(std::ostream& out, std::string line);
// A body's latitude, distance and speed beside its longitude (none where it has no position).
using BodyStates = std::array<std::optional<platform::HelioState>, core::kBodySlots>;

class TableWriter {
public:
    // Times in the zone of `words.heading`: a tz zone's offset follows each moment (summer time included).
    TableWriter(std::ostream& out, TableFormat format, const core::AstroTables& tables, const TableWords& words);

    // The further columns of the positions (kColumnLatitude …), none unless set.
    void SetColumns(uint8_t columns) { m_columns = columns; }

    void BeginEvents();
    void Event(const core::Event& event);
    // An event seen from the Earth, in the same columns (value: a station's longitude in degrees).
    void GeoEventRow(const core::GeoEvent& event);
    void BeginPositions();
    // The nine longitudes (radians; negative for none) at `moment`, bodies 1 … 9 at index 1 … 9, and the
    // further columns from `states`.
    void Positions(double moment, const std::array<double, core::kBodySlots>& longitudes,
                   const BodyStates& states = {});
    // Another set of bodies (the geocentric ones), named before BeginPositions; their longitudes and further
    // columns by PositionRow, one value a body in the order named.
    void SetBodyNames(std::vector<std::string> names) { m_bodyNames = std::move(names); }
    void PositionRow(double moment, std::span<const double> longitudes,
                     std::span<const std::optional<platform::HelioState>> states);
    // The moment a search found and the pattern sought (CSV and JSON: time,jd_ut,pattern).
    void BeginFound();
    void Found(double moment, const std::string& pattern);
    // One aspect the grid shows at `moment`.
    void BeginAspects();
    void AspectRow(double moment, const core::AspectFound& found);
    // One aspect between bodies seen from the Earth, in the same columns (no roles).
    void GeoAspectRow(double moment, const core::GeoAspectFound& found);
    // Closes the table (the JSON array; "[]" when no row was written) and flushes.
    void End();

private:
    // An aspect's row in every format, the bodies named.
    void AspectLine(double moment, const std::array<std::string, 2>& bodies, core::Aspect aspect, double deviation,
                    core::Motion motion, const display::PairRoles& roles);
    std::string TimeColumns(double moment) const;  // text: date and time in the zone
    void TextLine(std::string line);
    size_t KindWidth() const;
    const std::string& GeoKindWord(core::GeoEventKind kind) const;  // text: a geocentric event's kind
    std::string TimeHeading() const;  // the time column's heading, with the zone
    void Opening();                   // text: the heading line; JSON: the metadata
    size_t SignWidth() const;
    // The ISO 8601 time of `moment` in the zone, kept for the next rows of the same moment (an aspect table
    // writes many rows a step, and the text costs more than the rest of a row).
    const std::string& IsoTime(double moment);
    int32_t ZoneAt(double moment) const;  // the offset in minutes east at `moment`

    std::ostream& m_out;
    TableFormat m_format;
    int32_t m_zone;
    std::string m_zoneName;
    const core::AstroTables& m_tables;
    TableWords m_words;
    display::JsonArrayWriter m_json;
    uint8_t m_columns = 0;
    std::vector<std::string> m_bodyNames;  // the columns of the positions, Earth … Pluto unless set
    double m_isoMoment = -1.0;
    std::string m_isoTime;
};

}  // namespace orvane::cli
