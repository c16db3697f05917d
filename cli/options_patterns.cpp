#include "cli/options_patterns.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "core/geo_pattern_lifetimes.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace orvane::cli {
namespace {

// A validator of the whole list, so that the first wrong name is the one named; only the value that counts
// (the last, when the option is repeated) is checked.
CLI::Validator ListCheck(std::function<std::string(std::string&)> check)
{
    return CLI::Validator(std::move(check), "").application_index(0);
}

// A body of --planets as the patterns name it in the perspective of `line`: 0 for no such body.
int16_t PointIndex(const std::string& name, const CommandLine& line)
{
    if (line.perspective != core::Perspective::Geocentric)
        return BodyIndex(name);
    const std::optional<core::GeoBody> body = core::GeoBodyNamed(name);
    return body ? core::IndexOf(core::PatternPointOf(*body)) : int16_t{0};
}

// The refusal of one unknown body of --planets in the perspective of `line`.
std::string UnknownPoint(const std::string& name, const CommandLine& line)
{
    if (line.perspective != core::Perspective::Geocentric)
        return UnknownBodyText(EchoedValue(name), line.language);
    return BodyIndex(name) == core::kEarth ? OwnText(text::kTextNoGeocentricEarth, line.language)
                                           : OwnText(text::kTextUnknownBody, line.language, EchoedValue(name));
}

std::string PointName(int16_t point, const CommandLine& line)
{
    if (line.perspective != core::Perspective::Geocentric)
        return NameTables().bodyNames[static_cast<size_t>(point)];
    return std::string(core::GeoBodyName(*core::GeoBodyOfPoint(static_cast<core::Body>(point))));
}

}  // namespace

void AddPatternsOptions(CLI::App& command, CommandLine& line)
{
    const auto patterns = [&line](const std::string& names) {
        line.patterns.fill(false);
        for (const std::string& name : Split(names))
            line.patterns[static_cast<size_t>(PatternIndex(name))] = true;
    };
    command
        .add_option_function<std::string>("--pattern", patterns,
                                          "Only these patterns, by number or name (default: all, midpoints included)")
        ->type_name("P,...")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(ListCheck([&line](std::string& list) -> std::string {
            for (const std::string& name : Split(list))
                if (PatternIndex(name) < 0)
                    return OwnText(text::kTextUnknownPattern, line.language, EchoedValue(name));
            return {};
        }));
    const auto planets = [&line](const std::string& names) {
        line.involving.clear();
        for (const std::string& name : Split(names))
            line.involving.push_back(PointIndex(name, line));
    };
    command
        .add_option_function<std::string>("--planets", planets, "Only occurrences that involve every one of these bodies")
        ->type_name("B,...")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(ListCheck([&line](std::string& list) -> std::string {
            std::vector<int16_t> seen;
            for (const std::string& name : Split(list)) {
                const int16_t body = PointIndex(name, line);
                if (body == 0)
                    return UnknownPoint(name, line);
                if (std::find(seen.begin(), seen.end(), body) != seen.end())
                    return OwnText(text::kTextBodyNamedTwice, line.language, PointName(body, line));
                seen.push_back(body);
            }
            return {};
        }));
    command.footer(
        "One occurrence a line, sorted by formation: when the pattern formed and dissolved (empty when it was\n"
        "there before --from or is still there at --to), its bodies, the moment it is tightest and its mean\n"
        "deviation then, and how long it lasted. CSV header: begin,end,pattern,bodies,peak,peak_deviation,\n"
        "duration_days (ISO 8601, bodies' English names joined by '-', the deviation in degrees, the duration\n"
        "empty where the span cuts it). JSON: the rows with the same keys beside the metadata.\n"
        "The orbs and the midpoint orb are the state's (default: the program's); the patterns are the\n"
        "summary's, so a stellium is listed at its largest size only.\n"
        "--perspective geocentric: the patterns among Sun, Moon, Mercury … Pluto (B: their names or Su, Mo,\n"
        "Me …; not the Earth) with the same one-moment orbs, apparent positions of date unless --frame or\n"
        "--positions say otherwise. The Moon's patterns last hours. Midpoints are not looked for from the\n"
        "Earth: --pattern midpoint is refused there, and the default is every other pattern.\n");
}

void AddFormsFlag(CLI::App& find, CommandLine& line)
{
    find.add_flag("--forms", line.forms,
                  "Stop at the moment the pattern forms (to the second), not at the first step it is present");
}

}  // namespace orvane::cli
