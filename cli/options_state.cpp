#include "cli/option_kit.h"

#include "cli/options_moments.h"

#include <CLI/CLI.hpp>

namespace orvane::cli {

void AddStateCommand(OptionKit& kit, CommandLine& line)
{
    CLI::App* state = kit.AddCommand("state",
                                     "Write a state file from --birth, --birth2, --date and --mode, which the desktop "
                                     "program opens as it is",
                                     "A state file to start from (default: world transits now, as the program starts)");
    kit.AddDate(state);
    AddBirthOptions(state, line);
    state->add_option("--output", line.output, "The state file to write (.qvs); it is readable by its owner only")
        ->type_name("FILE")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    state->footer(std::string(
                      "The moments are held as the desktop program's date rows hold them, to the half hour in one of\n"
                      "their zones; a moment that had to be rounded is said on stderr.\n"
                      "Example: orvane-cli state --birth 1978-03-14T06:30[Europe/Vienna] --output vienna.qvs\n\n") +
                  kMomentHelp);
}

}  // namespace orvane::cli
