#pragma once

// The command-line companion: the program's computations without a window.
//
//   orvane-cli report (STATE | --date DATE) [--sort N] [--lang en|de] [--radians]
//   orvane-cli find (STATE | --date DATE) --pattern P [--planets B1,B2,B3] [--at-least N]
//              [--step UNIT] [--max-steps N] [--format text|csv|json]
//   orvane-cli positions [STATE | --jd JD | --date DATE]
//   orvane-cli events [STATE] [--from DATE] [--to DATE] [--bodies …] [--aspects …] [--kinds …] [--format …] [--zone Z]
//   orvane-cli ephemeris --from DATE --to DATE [--step UNIT] [--format …] [--zone Z]
//   orvane-cli --help | --version
//
// Every command takes --lang en|de and its own --help; options take "--opt value" or "--opt=value".
// --help, --version and usage mistakes are answered without reading any data file. The command line is
// read in command_line.cpp, each command runs in a session (session.h, command_*.cpp).

#include "platform/clock.h"
#include "platform/message.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane::cli {

// Exit codes.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNotFound = 3;

inline constexpr long kDefaultMaxSteps = 100000;

struct Environment {
    std::string dataFolder;  // the folder of qvs.dat and hpluto.2199.slx, with a trailing '/'
    double nowMoment = 0.0;  // the present moment (Julian date, UT), for positions without a date
    const platform::Clock* clock = nullptr;  // the computer's clock and zone (the system clock when null)
};

// Prints a message of the program as the console shows it: its text without the line breaks at its end,
// every line break a "\n", and one "\n" after it. Title, icon and buttons belong to the window.
void PrintMessage(std::ostream& stream, const platform::Message& message);

// Runs the command line `args` (without the program name), writing results to `out` and messages to
// `err`; returns the exit code. Every line break of the program's texts is written as "\n".
int Run(const std::vector<std::string>& args, const Environment& environment, std::ostream& out,
        std::ostream& err);

}  // namespace orvane::cli
