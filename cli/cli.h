#pragma once

// The command-line companion: the program's computations without a window. Its one entry point, for
// main(), the tests, the fuzzer and the benchmarks. The commands and their options are declared once, in
// command_line.cpp, which also builds the usage that --help prints; each command runs in a session
// (session.h, command_*.cpp).

#include "platform/clock.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane::cli {

// Exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNotFound = 3;

struct Environment {
    std::string dataFolder;  // the folder of qvs.dat and hpluto.2199.slx, with a trailing '/'
    double nowMoment = 0.0;  // the present moment (Julian date, UT), for positions without a date
    const platform::Clock* clock = nullptr;  // the computer's clock and zone (the system clock when null)
    std::string checkedFolder;  // where a checked Pluto table is stamped (platform/checked_files.h); empty: nowhere
};

// Runs the command line `args` (without the program name), writing results to `out` and messages to
// `err`; returns the exit code. Every line break of the program's texts is written as "\n".
int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err);

}  // namespace orvane::cli
