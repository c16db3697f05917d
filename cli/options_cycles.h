#pragma once

// The cycles command's own part of the command line: its two bodies.

#include "cli/command_line.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace orvane::cli {

// The bodies B1 B2 of `command` as typed, into line.cycleBodies, and --date, the moment of the phase
// angle.
void AddCycleOptions(CLI::App& command, CommandLine& line);

// What is wrong with the bodies once all are read, in the program's words: not two of them, a name that
// is no body's (name or abbreviation, any case), or one body named twice. None when they are two
// different bodies.
std::optional<std::string> CycleBodiesMistake(const CommandLine& line);

// The help below the cycles command's options.
std::string CyclesFooter();

}  // namespace orvane::cli
