#pragma once

// The companion's options for the convention of positions (events, ephemeris), the further event kinds'
// values (--degrees, --orb) and the ephemeris' further columns (--columns): each value checked and worded
// as the program's own refusal.

#include "cli/command_line.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <optional>

namespace orvane::cli {

// --frame j2000|date and --positions geometric|apparent.
void AddConventionOptions(CLI::App& command, CommandLine& line);

// --perspective heliocentric|geocentric.
void AddPerspectiveOption(CLI::App& command, CommandLine& line);

// --degrees D,... and --orb NAME=DEG (repeatable, or a list).
void AddEventValueOptions(CLI::App& events, CommandLine& line);

// --columns latitude,distance,speed.
void AddColumnsOption(CLI::App& ephemeris, CommandLine& line);

// A mistake only the whole events command line shows (the kind cross without --degrees, --degrees without
// the kind cross), as the number of its text; nothing when there is none. `degreesGiven`: --degrees was given, even with a refused value.
std::optional<int16_t> EventOptionsMistake(const CommandLine& line, bool degreesGiven);

}  // namespace orvane::cli
