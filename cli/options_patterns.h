#pragma once

// The options of the companion's pattern lifetimes (`patterns`) and of `find --forms`, declared apart from
// the other commands' options.

#include "cli/command_line.h"

namespace CLI {
class App;
}

namespace orvane::cli {

// --pattern P,… and --planets B,… of `patterns`, each value checked, refusals in the language of `line`.
void AddPatternsOptions(CLI::App& command, CommandLine& line);

// --forms of `find`: the moment the pattern forms, not the step at which it is first present.
void AddFormsFlag(CLI::App& find, CommandLine& line);

}  // namespace orvane::cli
