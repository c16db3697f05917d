#include "cli/options_conventions.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

namespace orvane::cli {
namespace {

const std::map<std::string, platform::Frame> kFrames{{"j2000", platform::Frame::J2000},
                                                     {"date", platform::Frame::OfDate}};
const std::map<std::string, platform::PositionKind> kPositionKinds{{"geometric", platform::PositionKind::Geometric},
                                                                   {"apparent", platform::PositionKind::Apparent}};
const std::map<std::string, core::Perspective> kPerspectives{{"heliocentric", core::Perspective::Heliocentric},
                                                             {"geocentric", core::Perspective::Geocentric}};
const std::map<std::string, uint8_t> kColumns{
    {"latitude", kColumnLatitude}, {"distance", kColumnDistance}, {"speed", kColumnSpeed}};

// A validator whose refusal is the program's text `number` filled with the value as typed (or with one
// item of a list, which `check` returns; empty when all is well). Only the value that counts is checked.
template <typename Check>
CLI::Validator Refusing(const CommandLine& line, int16_t number, Check check)
{
    const auto refuse = [&line, number, check](std::string& value) -> std::string {
        const std::optional<std::string> wrong = check(value);
        return wrong ? OwnText(number, line.language, *wrong) : std::string();
    };
    return CLI::Validator(refuse, "").application_index(0);
}

using app::AspectOrb;
using app::Degree;

// What is wrong with one NAME=DEG of --orb, worded with its remedy: the aspect's name, the orb's range or
// the shape of the value; nothing when it is an orb.
std::optional<std::string> OrbMistake(const std::string& item, int16_t language)
{
    if (AspectOrb(item))
        return std::nullopt;
    const size_t sign = item.find('=');
    if (sign == std::string::npos)
        return OwnText(text::kTextBadOrb, language, item);
    if (AspectIndex(item.substr(0, sign)) == 0)
        return OwnText(text::kTextUnknownAspect, language, item.substr(0, sign));
    if (ReadNumber<double>(item.substr(sign + 1)))
        return OwnText(text::kTextOrbOutOfRange, language, item);
    return OwnText(text::kTextBadOrb, language, item);
}

}  // namespace

void AddConventionOptions(CLI::App& command, CommandLine& line)
{
    const auto frame = [&line](const std::string& typed) {
        line.convention.frame = line.geoConvention.frame = kFrames.at(text::LowerCase(typed));
    };
    command.add_option_function<std::string>("--frame", frame,
                                             "Positions in the J2000 ecliptic (j2000, default) or the true ecliptic "
                                             "and equinox of date (date)")
        ->type_name("j2000|date")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Refusing(line, text::kTextUnknownFrame, [](const std::string& typed) -> std::optional<std::string> {
            return kFrames.contains(text::LowerCase(typed)) ? std::nullopt : std::optional(typed);
        }));
    const auto positions = [&line](const std::string& typed) {
        line.convention.positions = line.geoConvention.positions = kPositionKinds.at(text::LowerCase(typed));
    };
    command.add_option_function<std::string>("--positions", positions,
                                             "Geometric positions (default) or apparent ones, corrected for light-time")
        ->type_name("geometric|apparent")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Refusing(line, text::kTextUnknownPositions, [](const std::string& typed) -> std::optional<std::string> {
            return kPositionKinds.contains(text::LowerCase(typed)) ? std::nullopt : std::optional(typed);
        }));
}

void AddPerspectiveOption(CLI::App& command, CommandLine& line)
{
    const auto perspective = [&line](const std::string& typed) {
        line.perspective = kPerspectives.at(text::LowerCase(typed));
    };
    command.add_option_function<std::string>("--perspective", perspective,
                                             "Seen from the Sun (heliocentric, default) or from the Earth "
                                             "(geocentric: Sun, Moon, Mercury … Pluto; apparent of date unless "
                                             "--frame or --positions say otherwise)")
        ->type_name("heliocentric|geocentric")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Refusing(line, text::kTextUnknownPerspective, [](const std::string& typed) -> std::optional<std::string> {
            return kPerspectives.contains(text::LowerCase(typed)) ? std::nullopt : std::optional(typed);
        }));
}

void AddEventValueOptions(CLI::App& events, CommandLine& line)
{
    // Each degree once, whatever way it is written (10 and 10.0, 0 and -0), so that no crossing is found
    // twice; -0 is 0.
    const auto degrees = [&line](const std::string& list) {
        std::vector<double>& chosen = line.filter.degrees;
        chosen.clear();
        for (const std::string& item : Split(list))
            if (const std::optional<double> degree = Degree(item))
                chosen.push_back((*degree + 0.0) / 360.0 * core::kTwoPi);
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
    };
    events.add_option_function<std::string>("--degrees", degrees,
                                            "The longitudes (0 up to 360 degrees) that the kind cross looks for")
        ->type_name("D,...")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Refusing(line, text::kTextBadDegree, [](const std::string& list) -> std::optional<std::string> {
            for (const std::string& item : Split(list))
                if (!Degree(item))
                    return item;
            return std::nullopt;
        }));
    const auto orbs = [&line](const std::vector<std::string>& given) {
        for (const std::string& list : given)
            for (const std::string& item : Split(list))
                if (const auto orb = AspectOrb(item))
                    line.filter.orbs[static_cast<size_t>(orb->first)] = orb->second / 360.0 * core::kTwoPi;
    };
    // Every value of every --orb is checked, not only the one that counts for a single-valued option; and
    // each --orb takes one value, so that the state file after it stays the state file.
    const auto check = [&line](std::string& list) -> std::string {
        for (const std::string& item : Split(list))
            if (const std::optional<std::string> mistake = OrbMistake(item, line.language))
                return *mistake;
        return {};
    };
    events.add_option_function<std::vector<std::string>>("--orb", orbs,
                                                          "An aspect's orb in degrees, in every mode (repeatable)")
        ->type_name("NAME=DEG")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->allow_extra_args(false)
        ->check(CLI::Validator(check, ""));
}

void AddColumnsOption(CLI::App& ephemeris, CommandLine& line)
{
    const auto columns = [&line](const std::string& list) {
        line.columns = 0;
        for (const std::string& item : Split(list))
            line.columns = static_cast<uint8_t>(line.columns | kColumns.at(text::LowerCase(item)));
    };
    ephemeris.add_option_function<std::string>("--columns", columns,
                                               "Beside each longitude: latitude, distance (AU), speed (degrees a day)")
        ->type_name("C,...")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(Refusing(line, text::kTextUnknownColumn, [](const std::string& list) -> std::optional<std::string> {
            for (const std::string& item : Split(list))
                if (!kColumns.contains(text::LowerCase(item)))
                    return item;
            return std::nullopt;
        }));
}

std::optional<int16_t> EventOptionsMistake(const CommandLine& line, bool degreesGiven)
{
    if (line.filter.HasKind(core::EventKind::Cross) && !degreesGiven)
        return text::kTextCrossNeedsDegrees;
    if (!line.filter.HasKind(core::EventKind::Cross) && degreesGiven)
        return text::kTextDegreesNeedCross;
    return std::nullopt;
}

}  // namespace orvane::cli
