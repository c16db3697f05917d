#include "cli/options_cycles.h"

#include "cli/options_moments.h"
#include "cli/texts.h"
#include "cli/values.h"
#include "core/geo_cycles.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <CLI/CLI.hpp>

#include <array>

namespace orvane::cli {

void AddCycleOptions(CLI::App& command, CommandLine& line)
{
    command.add_option("BODIES", line.cycleBodies, "The two bodies (name or abbreviation, any case)")
        ->type_name("B1 B2")
        ->expected(0, CLI::detail::expected_max_vector_size);
    command
        .add_option("--date", line.date,
                    "The phase angle, the cycle in progress and the next conjunction at this moment (default: --from)")
        ->type_name("DATE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(MomentValidator(line));
}

namespace {

// The two bodies seen from the Earth: the Earth refused with its reason, and a pair that never laps.
std::optional<std::string> GeoCycleBodiesMistake(const CommandLine& line)
{
    std::array<core::GeoBody, 2> bodies{};
    for (size_t k = 0; k < bodies.size(); ++k) {
        const std::string& name = line.cycleBodies[k];
        const std::optional<core::GeoBody> body = core::GeoBodyNamed(name);
        if (!body)
            return BodyIndex(name) == core::kEarth ? OwnText(text::kTextNoGeocentricEarth, line.language)
                                                   : OwnText(text::kTextUnknownBody, line.language, EchoedValue(name));
        bodies[k] = *body;
    }
    if (bodies[0] == bodies[1])
        return OwnText(text::kTextCyclesSameBody, line.language, EchoedValue(line.cycleBodies[1]));
    if (!core::HaveGeoCycle(bodies[0], bodies[1]))
        return OwnText(text::kTextNoGeocentricCycle, line.language, std::string(core::GeoBodyName(bodies[0])),
                       std::string(core::GeoBodyName(bodies[1])));
    return std::nullopt;
}

}  // namespace

std::optional<std::string> CycleBodiesMistake(const CommandLine& line)
{
    if (line.cycleBodies.size() != 2)
        return OwnText(text::kTextCyclesNeedTwoBodies, line.language);
    if (line.perspective == core::Perspective::Geocentric)
        return GeoCycleBodiesMistake(line);
    for (const std::string& name : line.cycleBodies)
        if (BodyIndex(name) == 0)
            return UnknownBodyText(EchoedValue(name), line.language);
    if (BodyIndex(line.cycleBodies[0]) == BodyIndex(line.cycleBodies[1]))
        return OwnText(text::kTextCyclesSameBody, line.language, EchoedValue(line.cycleBodies[1]));
    return std::nullopt;
}

std::string CyclesFooter()
{
    return "From one conjunction of the two bodies to the next the faster body laps the slower one. Shown: the\n"
           "cycle in progress at --from and every cycle beginning before --to, each whole, with its length\n"
           "and the moments its phase angle passes 30, 60 ... 330 degrees (the seven aspects, waxing and\n"
           "waning); and the phase angle at --date (default: --from): the faster body's longitude minus the\n"
           "slower one's, 0 to 360. CSV header: kind,cycle,time,jd_ut,body1,body2,phase,aspect,length_days\n"
           "(kind date, start or phase; with --date also current and next, the conjunctions before and after\n"
           "it, even outside the span; body1 the faster body). JSON: the same keys in the rows, null for what\n"
           "does not apply.\n"
           "--perspective geocentric: B1 B2 among Sun, Moon, Mercury … Pluto, apparent positions of date unless\n"
           "--frame or --positions say otherwise; the faster body is the Moon, then the Sun, Mercury and Venus\n"
           "(which keep together and so make no pair), then Mars … Pluto. A planet's retrograde motion may\n"
           "pass a phase, or the conjunction, three times: each pass is listed, each conjunction begins a cycle.\n\n";
}

}  // namespace orvane::cli
