#pragma once

// The two perspectives of the moment a chart shows, and their table: each body's heliocentric and
// geocentric longitude with the difference, then the Ascendant and the Midheaven where the date row has a
// place. The positions window shows the table; the chart's outer ring is drawn from the same positions.

#include "core/geocentric.h"
#include "core/vocabulary.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::display {

// Where the angles were computed for.
struct AnglesPlace {
    std::string name;  // "Vienna, AT"; may be empty
    double latitude = 0.0;   // degrees north
    double longitude = 0.0;  // degrees east
    bool operator==(const AnglesPlace&) const = default;
};

// Both perspectives at the moment of one date row.
struct MomentPositions {
    int16_t row = 0;       // the date row whose moment it is
    double moment = 0.0;   // Julian date, UT
    std::array<core::ComparedPosition, core::kNumComparedBodies> bodies{};
    // The Ascendant and the Midheaven, where the row has a place.
    std::optional<platform::Angles> angles;
    std::optional<AnglesPlace> place;
};

// One line of the table: the name and three cells, "-" where a perspective has no position.
struct PositionsRow {
    std::string name;
    std::string helio;
    std::string geo;
    std::string difference;
    bool operator==(const PositionsRow&) const = default;
};

// The table's texts in the interface's language.
struct PositionsTable {
    std::array<std::string, 4> headings;
    std::vector<PositionsRow> rows;
    std::string moment;       // "World date: 2000-01-01T12:00:00Z"
    std::string place;        // the place of the angles, or why there are none
    std::string conventions;  // the conventions of the two perspectives
};

// The table of `positions` (none: the note that nothing is computed yet); `rowName` names its date row.
// A longitude reads as its zodiac place ("10°40' Cap") or in radians, as the grid shows it; a difference
// is signed, in degrees and minutes or in radians.
PositionsTable MakePositionsTable(const std::optional<MomentPositions>& positions, const std::string& rowName,
                                  const core::AstroTables& tables, const text::Language& language, bool radians);

}  // namespace orvane::display
