#include "cli/option_kit.h"

#include "cli/options_conventions.h"

#include <CLI/CLI.hpp>

#include <string>

namespace orvane::cli {

void AddAspectsCommand(OptionKit& kit, CommandLine& line)
{
    CLI::App* aspects = kit.AddCommand("aspects", "The aspects in orb at every step of a span, one row each",
                                       "The state file; its mode, orbs and birthdates are used, the world date "
                                       "steps (default: world transits with the default orbs)");
    kit.AddSpan(aspects, "From this moment (required)", "Up to this moment, excluded (required)");
    kit.AddStep(aspects, "The step: halfhour, day (default), week, month or year");
    kit.AddFormat(aspects, "Output: text (default), csv or json");
    AddConventionOptions(*aspects, line);
    AddPerspectiveOption(*aspects, line);
    kit.AddPlace(aspects, "With --perspective geocentric, a place's latitude (north positive): its Ascendant and "
                          "Midheaven paired with every body");
    aspects->footer(
        "At every step from --from up to (not including) --to, the world date set to that moment, every\n"
        "aspect the grid shows, one row each in the grid's order. CSV header: time,jd_ut,body1,aspect,body2,\n"
        "deviation,applying,role1,role2 (body1 the grid's row body: the lower body of one chart, the natal\n"
        "body in personal transits, the 2nd birthdate's body in synastry; deviation from exact in degrees,\n"
        "six decimals; applying true when the aspect is closer half an hour later; roles transiting, natal1,\n"
        "natal2 in the two-date modes). JSON: the rows with the same keys beside the metadata. Months and\n"
        "years keep the day of the month, or the month's last day when it has fewer. At most " +
        std::to_string(kMaxAspectSteps) +
        " steps.\n"
        "--perspective geocentric: the sky's aspects among Sun, Moon, Mercury … Pluto (world transits only),\n"
        "apparent positions of date unless --frame or --positions say otherwise; roles empty. --lat and --lon\n"
        "add the place's Ascendant and Midheaven (true ecliptic of date) as body2, each paired with every body\n"
        "with the same orbs, moving as the sky turns.\n"
        "DATE is ISO 8601 as for the other commands (orvane-cli --help).\n");
}

void AddCalendarOptions(CLI::App* events, CommandLine& line)
{
    events->add_flag("--windows", line.windows,
                     "One row per stay of an aspect within its orb (entry, exit, duration, exact moments, tightest "
                     "orb) instead of the events; with --format ics the stays beside the events");
}

}  // namespace orvane::cli
