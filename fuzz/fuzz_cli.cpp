// The companion's command line from arbitrary bytes, split into arguments at every NUL or line break, run
// in a working folder of a few state files (states/ beside the data files). The exit code is one of the four the
// companion documents, and every exit other than success leaves a message on the error stream.
//
// A command line that names the command "find" gets "--max-steps=8" appended: the last --max-steps
// given counts, so that one input never steps the date for long. A line where the appended option does
// not take effect fails before stepping (a missing value, an argument after "--", a second command).

#include "fuzz/fuzz_support.h"

#include "cli/cli.h"
#include "platform/clock.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace orvane;
    using fuzz::Require;
    static const std::string folder = fuzz::DataFolder();
    static const std::filesystem::path states = folder + "states";
    // Noon UT of 1 January 2000 on a computer in zone GMT+1:00, as in the companion's own tests.
    static const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    static const cli::Environment environment{folder, 2451545.0, &clock};

    std::vector<std::string> args;
    if (size > 0)
        args.emplace_back();
    for (size_t k = 0; k < size; ++k) {
        if (data[k] == '\0' || data[k] == '\n')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[k]);
    }
    if (std::find(args.begin(), args.end(), "find") != args.end())
        args.emplace_back("--max-steps=8");

    std::ostringstream out;
    std::ostringstream err;
    // The companion finds the state files in the working folder; the fuzzer keeps its corpus in its own.
    const std::filesystem::path fuzzerFolder = std::filesystem::current_path();
    std::filesystem::current_path(states);
    const int code = cli::Run(args, environment, out, err);
    std::filesystem::current_path(fuzzerFolder);
    Require(code == cli::kExitSuccess || code == cli::kExitBadInput || code == cli::kExitUsage ||
                code == cli::kExitNotFound,
            "the exit code is a documented one");
    Require(code == cli::kExitSuccess || !err.str().empty(), "a failure says why on the error stream");
    return 0;
}
