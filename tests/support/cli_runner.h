#pragma once

// Runs the command-line companion in the test process and keeps what it printed.

#include "cli/cli.h"

#include <sstream>
#include <string>
#include <vector>

namespace orvane::testing {

struct CliResult {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs `args` with the data files of `dataFolder` (the build's by default), the present moment taken as
// noon UT on 1 January 2000, and `clock` (the system's when null).
inline CliResult RunCli(const std::vector<std::string>& args, const platform::Clock* clock = nullptr,
                        const std::string& dataFolder = std::string(ORVANE_BIN_DIR) + "/")
{
    cli::Environment environment;
    environment.dataFolder = dataFolder;
    environment.nowMoment = 2451545.0;
    environment.clock = clock;
    std::ostringstream out, err;
    CliResult result;
    result.code = cli::Run(args, environment, out, err);
    result.out = out.str();
    result.err = err.str();
    return result;
}

// The lines of a text (without their line feeds).
inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace orvane::testing
