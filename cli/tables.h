#pragma once

// The companion's tables of events and of positions, in three forms: text for people (aligned columns,
// dates in the program's own style, English or German), CSV (a header line) and JSON (one array of
// objects), both written by the machine formats' writers (display/machine_formats.h). Rows are written as
// they come, so that any span streams.
//
// Events, CSV: time,jd_ut,kind,body1,aspect,body2,sign — time in ISO 8601 with seconds and the zone's
// offset ("Z" for UT), jd_ut with six decimals, kind exact|enter|leave|ingress, English body, aspect and
// sign names, empty fields where nothing applies (null in JSON, where jd_ut is a number).
// Positions, CSV: time,jd_ut,Earth,…,Pluto — longitudes in degrees with six decimals, empty (null) for a
// body without a position. The moment a search found, CSV: time,jd_ut,pattern.

#include "core/events.h"
#include "core/vocabulary.h"
#include "display/machine_formats.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

namespace orvane::cli {

enum class TableFormat { Text, Csv, Json };

// The words of the text tables in the language asked for: the four event kinds and the column headings.
struct TableWords {
    int16_t language = 0;
    std::array<std::string, core::kNumEventKinds> kinds;
    std::string date, time, event, body, aspect, sign;
};

class TableWriter {
public:
    TableWriter(std::ostream& out, TableFormat format, int32_t zoneMinutes, const core::AstroTables& tables,
                const TableWords& words);

    // Times in a zone of the tz database, its offset at each moment (summer time included), instead of the
    // fixed offset.
    void SetZoneName(std::string name);

    void BeginEvents();
    void Event(const core::Event& event);
    void BeginPositions();
    // The nine longitudes (radians; negative for none) at `moment`, bodies 1 … 9 at index 1 … 9.
    void Positions(double moment, const std::array<double, core::kBodySlots>& longitudes);
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
    int32_t ZoneAt(double moment) const;  // the offset in minutes east at `moment`

    std::ostream& m_out;
    TableFormat m_format;
    int32_t m_zone;
    std::string m_zoneName;
    const core::AstroTables& m_tables;
    TableWords m_words;
    display::JsonArrayWriter m_json;
};

}  // namespace orvane::cli
