#pragma once

// The companion's command line, read with CLI11: the commands, their options and every value checked,
// each refusal worded in the program's own text in the language asked for.

#include "cli/cli.h"
#include "cli/tables.h"
#include "core/events.h"
#include "core/geo_events.h"
#include "core/geocentric.h"
#include "core/modes.h"
#include "text/language.h"
#include "core/patterns.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace orvane::cli {

// Steps a search takes before it gives up, unless --max-steps says otherwise.
inline constexpr long kDefaultMaxSteps = 100000;
// The most steps an aspect table takes: 273 years by day, five and a half by half hour.
inline constexpr int64_t kMaxAspectSteps = 100000;

// The charts command: what to do, the chart it is done to, and the fields typed for add and edit (each
// unset when not typed, so that edit changes only what is given).
struct ChartOptions {
    std::string action;  // list, show, add, edit, remove, import or export
    std::string target;  // the NAME of show, edit and remove; the FILE of import
    std::string format;  // --format as typed: text, csv, json or aaf; empty for the action's own
    std::string output;  // export --output: the file to write; empty for standard output
    std::string search;  // list --search
    std::optional<std::string> name, firstName, kind, birth, place, region, country, source, reliability, notes;
    std::optional<double> latitude, longitude;
    std::optional<std::vector<std::string>> tags;
    bool timeUnknown = false;
};

// The command line as the commands need it, every value checked.
struct CommandLine {
    std::string command;  // "report", "find", "positions", "events", "patterns", "ephemeris", "aspects", "cycles", "state", "charts" or "places"
    std::string state;    // the state file; empty for none
    int16_t language = text::langEnglish;
    long sort = 0;
    std::string sortText;  // --sort as typed, for the refusal once the state's mode is known
    bool radians = false;
    int16_t pattern = 0;
    std::array<int16_t, core::kNumSoughtPlanetBoxes> planets{};
    long atLeast = 0;
    std::optional<int16_t> step;
    long maxSteps = kDefaultMaxSteps;
    std::optional<double> jd;
    // ISO 8601 moments as typed (checked by the reader), the zone in minutes east of Greenwich.
    std::string date;
    std::string from;
    std::string to;
    int32_t zone = 0;
    std::string zoneName;  // --zone as a name of the tz database; empty for an offset
    // --birth and --birth2 as typed, and --mode (report, events).
    std::string birth;
    std::string birth2;
    std::optional<core::Mode> mode;
    TableFormat format = TableFormat::Text;
    core::EventFilter filter;
    platform::Convention convention;
    // --perspective, and the convention of geocentric positions: --frame and --positions where given,
    // otherwise the geocentric view's usual one (apparent, of date).
    core::Perspective perspective = core::Perspective::Heliocentric;
    platform::Convention geoConvention = platform::kGeocentricDefault;
    bool compare = false;  // positions --compare: both perspectives and their difference
    // events --perspective geocentric: the bodies and kinds (aspects: filter's); whether --kinds was given.
    core::GeoEventFilter geoFilter;
    bool kindsChosen = false;
    std::optional<double> latitude;   // positions, aspects, events --lat, --lon: a place's angles, degrees
    std::optional<double> longitude;
    uint8_t columns = 0;  // kColumnLatitude | kColumnDistance | kColumnSpeed
    bool windows = false;  // events --format ics: every stay within an orb as well
    std::vector<std::string> cycleBodies;  // the bodies of cycles as typed (checked by name)
    // patterns: the patterns asked for and the bodies an occurrence must involve; find: stop at formation.
    std::array<bool, core::kNumPatterns> patterns{true, true, true, true, true, true, true,
                                                  true, true, true, true, true, true, true};
    std::vector<int16_t> involving;
    bool forms = false;
    std::string output;  // state: the state file to write
    ChartOptions charts;
    std::string library;  // --charts: the chart library instead of the default one
    std::string query;   // places: the beginning of a place's name
    size_t limit = 20;   // places: the most matches listed
};

// Reads `args` (without the program name) into `line`. Help, the version and usage mistakes are answered
// here, reading no data file: their exit code is returned. Nothing is returned when the command is to run.
std::optional<int> ReadCommandLine(const std::vector<std::string>& args, CommandLine& line, std::ostream& out,
                                   std::ostream& err);

}  // namespace orvane::cli
