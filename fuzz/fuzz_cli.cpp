// The companion's command line from arbitrary bytes, split into arguments at every NUL or line break, run
// in a working folder of a few state files (states/ beside the data files). The exit code is one of the four the
// companion documents, every exit other than success leaves a message on the error stream, and a usage
// mistake points to the help. The build checks the standard library's preconditions (_GLIBCXX_ASSERTIONS),
// so that an option value read without its check (an empty optional, an index past a table) is a finding.
//
// Every command's work is bounded, so that no input runs for long: the last value of an option counts, so
// an option appended to the line takes effect where the companion would read it. A line that names "find"
// gets "--max-steps=8". A line that names "events", "ephemeris" or "aspects" gets "--to=" at the end of the
// longest span allowed when its own span (read here as the companion reads it: the last "--from" and "--to"
// before "--") could be longer: 62 days of events, 400 steps of an ephemeris or an aspect table. Without --from, events start at the
// present moment (noon UT of 1 January 2000) or a state's world date, none of them earlier. A line where the
// appended option does not take effect fails before any work (a missing value, an argument after "--", a
// second command). Patterns and cycles are bounded as events are; state writes beside the data files.

#include "fuzz/fuzz_support.h"

#include "cli/cli.h"
#include "datetime/iso_dates.h"
#include "platform/clock.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace orvane;

constexpr double kPresentMoment = 2451545.0;  // noon UT of 1 January 2000: no start is earlier
constexpr double kEventDays = 62.0;
constexpr double kEphemerisSteps = 400.0;

// The last value given to `option` before "--", as "--option value" or "--option=value"; none if not given.
std::optional<std::string> LastValue(const std::vector<std::string>& args, const std::string& option)
{
    std::optional<std::string> value;
    for (size_t k = 0; k < args.size() && args[k] != "--"; ++k) {
        if (args[k] == option && k + 1 < args.size())
            value = args[k + 1];
        else if (args[k].starts_with(option + "="))
            value = args[k].substr(option.size() + 1);
    }
    return value;
}

std::optional<double> MomentOf(const std::optional<std::string>& text)
{
    if (!text)
        return std::nullopt;
    const std::optional<datetime::IsoMoment> read = datetime::ParseIsoMoment(*text, 0);
    return read ? std::optional<double>(read->moment) : std::nullopt;
}

// The length of the longest step of an ephemeris, in days, by the last --step given (a day by default).
double StepDays(const std::vector<std::string>& args)
{
    std::string step = LastValue(args, "--step").value_or("day");
    std::transform(step.begin(), step.end(), step.begin(), [](unsigned char c) { return std::tolower(c); });
    return step == "halfhour" ? 1.0 / 48 : step == "week" ? 7.0 : step == "month" ? 31.0 : step == "year" ? 366.0 : 1.0;
}

bool Names(const std::vector<std::string>& args, const char* command)
{
    return std::find(args.begin(), args.end(), command) != args.end();
}

// "--to=" the end of the longest span allowed, when the line's own span could run longer.
std::optional<std::string> SpanBound(const std::vector<std::string>& args)
{
    // Pattern lifetimes and cycles run over a span as events do.
    const bool events = Names(args, "events") || Names(args, "patterns") || Names(args, "cycles");
    const bool ephemeris = std::find(args.begin(), args.end(), "ephemeris") != args.end() ||
                           std::find(args.begin(), args.end(), "aspects") != args.end();
    if (!events && !ephemeris)
        return std::nullopt;
    // A date that is not read ends the run before any work: it is left to be found so.
    const std::optional<std::string> fromText = LastValue(args, "--from");
    const std::optional<std::string> toText = LastValue(args, "--to");
    const std::optional<double> from = MomentOf(fromText);
    const std::optional<double> to = MomentOf(toText);
    if ((fromText && !from) || (toText && !to) || (!events && !from))
        return std::nullopt;
    // Events without --from start at the present moment of the run or at a state's world date, no earlier.
    const double start = from.value_or(kPresentMoment);
    const double longest = events ? kEventDays : kEphemerisSteps * StepDays(args);
    if (to && *to <= start + longest)
        return std::nullopt;
    // Events without --to would span a year.
    return "--to=" + datetime::IsoText(start + longest, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using fuzz::Require;
    static const std::string folder = fuzz::DataFolder();
    static const std::filesystem::path states = folder + "states";
    // Noon UT of 1 January 2000 on a computer in zone GMT+1:00, as in the companion's own tests.
    static const platform::FixedClock clock({2024, 5, 5, 10, 0, 0}, -3600);
    static const cli::Environment environment{folder, 2451545.0, &clock};
    // The chart library of `charts` and `--birth @NAME` is one beside the data, never the user's own.
    static const bool libraryBesideData = ::setenv("ORVANE_CHARTS", (folder + "fuzz-charts.sqlite").c_str(), 1) == 0;
    Require(libraryBesideData, "the chart library is set beside the data");

    std::vector<std::string> args;
    if (size > 0)
        args.emplace_back();
    for (size_t k = 0; k < size; ++k) {
        if (data[k] == '\0' || data[k] == '\n')
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[k]);
    }
    if (Names(args, "find"))
        args.emplace_back("--max-steps=8");
    // A state file is written beside the data, never over the state files the other lines read.
    if (Names(args, "state"))
        args.push_back("--output=" + folder + "fuzz-output.qvs");
    if (const std::optional<std::string> bound = SpanBound(args))
        args.push_back(*bound);

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
    // A usage mistake is one line saying what is wrong (a zone word a second with its zones), then where
    // the help is.
    Require(code != cli::kExitUsage || err.str().find("--help") != std::string::npos || err.str().starts_with("Usage:"),
            "a usage mistake points to the help");
    return 0;
}
