#pragma once

// The companion's tables of events and of positions, in three forms: text for people (aligned columns,
// dates in the program's own style, English or German), CSV (a header line) and JSON (one array of
// objects), both written by the machine formats' writers (display/machine_formats.h). Rows are written as
// they come, so that any span streams.
//
// Events, CSV: time,jd_ut,kind,body1,aspect,body2,sign,value — time in ISO 8601 with seconds and the zone's
// offset ("Z" for UT), jd_ut with six decimals, kind as --kinds names it, English body, aspect and sign
// names, value in degrees (or AU for a distance) with six decimals, empty fields where nothing applies
// (null in JSON, where jd_ut and value are numbers and every object also names the convention: frame
// j2000|date, positions geometric|apparent).
// Positions, CSV: time,jd_ut,Earth,…,Pluto — longitudes in degrees with six decimals, empty (null) for a
// body without a position; with further columns each body's longitude is followed by <Body>_latitude
// (degrees), <Body>_distance (AU), <Body>_speed (degrees a day), as asked for. The moment a search found,
// CSV: time,jd_ut,pattern. Outside the default convention a text table names it on a line of its own
// above the heading.

#include "core/events.h"
#include "core/vocabulary.h"
#include "display/machine_formats.h"
#include "platform/ephemeris.h"

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace orvane::cli {

enum class TableFormat { Text, Csv, Json };

// The ephemeris table's further columns beside each longitude (bits).
inline constexpr uint8_t kColumnLatitude = 1;
inline constexpr uint8_t kColumnDistance = 2;
inline constexpr uint8_t kColumnSpeed = 4;

// The words of the text tables in the language asked for: the event kinds (empty: not asked for) and the
// column headings. `value` empty leaves the events' value column out of the text table; `convention`, the
// line above the heading, is empty in the default convention.
struct TableWords {
    int16_t language = 0;
    std::array<std::string, core::kNumEventKinds> kinds;
    std::string date, time, event, body, aspect, sign, value;
    std::array<std::string, 3> columns;  // latitude, distance, speed
    std::string convention;
};

// A body's latitude, distance and speed beside its longitude (none where it has no position).
using BodyStates = std::array<std::optional<platform::HelioState>, core::kBodySlots>;

class TableWriter {
public:
    TableWriter(std::ostream& out, TableFormat format, int32_t zoneMinutes, const core::AstroTables& tables,
                const TableWords& words);

    // The convention every row is computed in (JSON names it on each event), the default unless set.
    void SetConvention(platform::Convention convention) { m_convention = convention; }
    // The further columns of the positions (kColumnLatitude …), none unless set.
    void SetColumns(uint8_t columns) { m_columns = columns; }

    void BeginEvents();
    void Event(const core::Event& event);
    void BeginPositions();
    // The nine longitudes (radians; negative for none) at `moment`, bodies 1 … 9 at index 1 … 9, and the
    // further columns from `states`.
    void Positions(double moment, const std::array<double, core::kBodySlots>& longitudes,
                   const BodyStates& states = {});
    // The moment a search found and the pattern sought (CSV and JSON: time,jd_ut,pattern).
    void BeginFound();
    void Found(double moment, const std::string& pattern);
    // Closes the table (the JSON array; "[]" when no row was written) and flushes.
    void End();

private:
    std::string TimeColumns(double moment) const;  // text: date and time in the zone
    void TextLine(std::string line);
    size_t KindWidth() const;
    std::string TimeHeading() const;  // the time column's heading, with the zone
    void ConventionLine();            // text: the convention above the heading
    size_t SignWidth() const;

    std::ostream& m_out;
    TableFormat m_format;
    int32_t m_zone;
    const core::AstroTables& m_tables;
    TableWords m_words;
    display::JsonArrayWriter m_json;
    platform::Convention m_convention;
    uint8_t m_columns = 0;
};

}  // namespace orvane::cli
