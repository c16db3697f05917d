#pragma once

// What every table of the companion states before its rows, so that a saved output says how it was
// made: the program and its version, the convention of its positions and the zone of its times. Text
// tables give it as one line above their heading, JSON documents as a metadata object beside the rows;
// CSV keeps its one header row (the command line that made it holds the rest).

#include "core/geocentric.h"
#include "platform/ephemeris.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <string>

namespace orvane::cli {

struct TableHeading {
    platform::Convention convention;
    int32_t zoneMinutes = 0;  // the fixed offset east of Greenwich, when no zone is named
    std::string zoneName;     // a zone of the tz database; empty for the fixed offset
    // Heliocentric tables say nothing of it; geocentric ones name it before the convention.
    core::Perspective perspective = core::Perspective::Heliocentric;
};

// The zone as the tables name it: "UT", "+01:00" or "Europe/Vienna".
std::string ZoneLabel(int32_t zoneMinutes, const std::string& zoneName = {});

// "orvane-cli 0.1.0; Positions: J2000 ecliptic, geometric; Times: Europe/Vienna" in `language`.
std::string HeadingLine(const TableHeading& heading, int16_t language);

// {"program":"orvane-cli","version":"0.1.0","frame":"j2000","positions":"geometric","zone":"UT"}; geocentric
// tables add "perspective":"geocentric" before the frame.
nlohmann::ordered_json HeadingMetadata(const TableHeading& heading);

// The convention's keys as the command line and the JSON documents write them.
const char* FrameKey(platform::Convention convention);
const char* PositionsKey(platform::Convention convention);

}  // namespace orvane::cli
