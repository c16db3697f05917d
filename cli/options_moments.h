#pragma once

// The companion's moments on the command line: every DATE read as ISO 8601 with an offset, "Z" or a zone
// of the tz database in brackets; --zone as an offset or a zone name; and the birthdates and mode that
// report and events take without a state file or over one.

#include "cli/command_line.h"
#include "app/typed_chart.h"

#include <CLI/CLI.hpp>

#include <map>
#include <optional>
#include <string_view>
#include <string>

namespace orvane::cli {

// The modes by the names --mode takes.
using app::kModeNames;

// A DATE: refused with the date model's own message (not a date, an unknown zone, an offset beyond
// ±14:00, a skipped or repeated time, offset and zone that disagree) in the language of `line`.
CLI::Validator MomentValidator(const CommandLine& line);
// A DATE as MomentValidator takes it, or "@NAME" (a chart of the library, looked up when the command runs).
CLI::Validator ChartOrMomentValidator(const CommandLine& line);

// --zone: an offset or a zone name of the tz database, kept in `line`.
void AddZoneOption(CLI::App* command, CommandLine& line);

// --birth, --birth2 and --mode.
void AddBirthOptions(CLI::App* command, CommandLine& line);

// "now" and "today" (any case), which every DATE may be: the present moment, or the midnight that began
// the present day in the zone of --zone (UT without one), as an ISO text the DATE reader takes. Nothing
// for any other text.
std::optional<std::string> DateWordMoment(std::string_view typed, double now, const CommandLine& line);

// How DATE and the birthdates are read, for the help.
extern const char* const kMomentHelp;

}  // namespace orvane::cli
