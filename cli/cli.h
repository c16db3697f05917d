#pragma once

// The command-line companion: the program's computations without a window.

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
    double nowMoment = 0.0;  // the present moment (Julian date, UT), for commands without a date
};

// Runs the command line `args` (without the program name), writing results to `out` and messages to
// `err`; returns the exit code.
int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err);

}  // namespace orvane::cli
