// The event list's choice of bodies by role in personal transits: --transiting B,... (the moving bodies)
// and --natal B,... (the natal ones), for the question users ask ("the outer planets to any natal point",
// "Saturn to natal Earth only").

#include "cli/option_kit.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "text/text_numbers.h"

#include <CLI/CLI.hpp>

#include <string>

namespace orvane::cli {
namespace {

// A comma-separated list of bodies as a bit set (bit b: body b), or the first name that is none.
std::optional<std::string> UnknownBody(const std::string& list)
{
    for (const std::string& name : Split(list))
        if (BodyIndex(name) <= 0)
            return name;
    return std::nullopt;
}

uint16_t BodySet(const std::string& list)
{
    uint16_t bodies = 0;
    for (const std::string& name : Split(list))
        bodies = static_cast<uint16_t>(bodies | 1u << BodyIndex(name));
    return bodies;
}

void AddRoleOption(CLI::App* events, CommandLine& line, const char* name, uint16_t core::EventFilter::*bodies,
                   const char* description)
{
    events->add_option_function<std::string>(name, [&line, bodies](const std::string& list) {
              line.filter.*bodies = BodySet(list);
          }, description)
        ->type_name("B,...")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
        ->check(CLI::Validator(
                    [&line](std::string& list) -> std::string {
                        const std::optional<std::string> unknown = UnknownBody(list);
                        return unknown ? UnknownBodyText(*unknown, line.language) : std::string();
                    },
                    "")
                    .application_index(0));
}

}  // namespace

void AddRoleOptions(CLI::App* events, CommandLine& line)
{
    AddRoleOption(events, line, "--transiting", &core::EventFilter::transiting,
                  "Personal transits: only these moving bodies (default: all)");
    AddRoleOption(events, line, "--natal", &core::EventFilter::natal,
                  "Personal transits: only aspects to these natal bodies (default: all)");
}

bool RolesChosen(const CommandLine& line)
{
    const core::EventFilter all;
    return line.filter.transiting != all.transiting || line.filter.natal != all.natal;
}

}  // namespace orvane::cli
