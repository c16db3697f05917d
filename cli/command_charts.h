#pragma once
// The command charts, and the birthdates of the other commands that name a chart of the library.

#include "cli/command_line.h"

#include <iosfwd>

namespace orvane::cli {

// Runs charts list, show, add, edit or remove on the library of --charts, ORVANE_CHARTS or the default one;
// returns the exit code.
int RunCharts(const CommandLine& line, std::ostream& out, std::ostream& err);

// Puts the moment of the chart that --birth or --birth2 "@NAME" names in its place, as that of positions'
// --date, whose chart also gives the place of the angles where the command shows them and none is given;
// false after saying on `err` why it cannot (an unknown or ambiguous name, listing the candidates; a
// library refused).
bool ResolveBirthNames(CommandLine& line, std::ostream& err);

}  // namespace orvane::cli
