// Speed of the command-line companion's searching commands on the program's own code path: the report of a
// dense world-transit state (every aspect's beginning and end included), the search of find stepping by
// days, and the event search over one and ten years.

#include "cli/cli.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string kDataFolder = std::string(ORVANE_BIN_DIR) + "/";

std::string Printed(int value)
{
    std::string text = value >= 0 ? " " : "";
    text += std::to_string(value);
    text += ' ';
    return text;
}

// A world-transit state on 1 January 2000, 12:00 GMT, with orbs of 8° (sextile 6°, semisextile 2°,
// quincunx 3°): thirteen aspects, among them slow pairs whose beginning lies years back.
std::string WriteDenseState(const std::string& path, int orbDegrees)
{
    std::vector<std::string> lines;
    for (int row = 0; row < 3; ++row) {
        lines.insert(lines.end(), {Printed(1), Printed(1), "2000", Printed(25), Printed(24)});
    }
    for (int mode = 1; mode <= 6; ++mode)
        lines.push_back(mode == 1 ? "#TRUE#" : "#FALSE#");
    lines.push_back(Printed(1));  // one day
    lines.push_back(Printed(orbDegrees));
    lines.push_back(Printed(orbDegrees));
    lines.insert(lines.end(), {Printed(1), Printed(1), Printed(1), "#TRUE#", "#FALSE#", "#FALSE#", "#TRUE#", Printed(1)});
    for (const int orb : {orbDegrees, orbDegrees, orbDegrees, orbDegrees, 6, 2, 3, orbDegrees})
        lines.push_back(std::to_string(orb));
    for (const char* colour : {"65535", "16711935", "255", "65280", "16776960", "16744576", "8421504"})
        lines.push_back(colour);
    lines.insert(lines.end(), {Printed(0), Printed(0), Printed(2), Printed(2)});
    std::ofstream file(path, std::ios::binary);
    for (const std::string& line : lines)
        file << line << "\r\n";
    return path;
}

int RunCli(const std::vector<std::string>& args)
{
    orvane::cli::Environment environment;
    environment.dataFolder = kDataFolder;
    std::ostringstream out, err;
    return orvane::cli::Run(args, environment, out, err);
}

const std::string& DenseState()
{
    static const std::string path =
        WriteDenseState((std::filesystem::temp_directory_path() / "orvane-bench-dense.qvs").string(), 8);
    return path;
}

// The whole report command: start-up, state file, Compute, and the durations of every aspect.
void ReportDenseWorldTransits(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCli({"report", DenseState()}));
}
BENCHMARK(ReportDenseWorldTransits)->Unit(benchmark::kMillisecond);

// find stepping by days for `steps` days without finding (a pattern index no state reaches: a grand
// sextile with 0° orbs is never found), so every step is a full computation.
void FindDaySteps(benchmark::State& state)
{
    static const std::string path =
        WriteDenseState((std::filesystem::temp_directory_path() / "orvane-bench-find.qvs").string(), 8);
    const long steps = state.range(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            RunCli({"find", path, "--pattern", "6-Stellium", "--step", "day", "--max-steps", std::to_string(steps)}));
    state.counters["steps/s"] = benchmark::Counter(static_cast<double>(steps) * state.iterations(),
                                                   benchmark::Counter::kIsRate);
}
BENCHMARK(FindDaySteps)->Arg(36525)->Unit(benchmark::kMillisecond)->Iterations(3);

// Every event among the nine bodies (exact, enter, leave, ingress) over `years` years from 2025, as CSV.
void EventsOfYears(benchmark::State& state)
{
    const std::string to = std::to_string(2025 + state.range(0)) + "-01-01";
    for (auto _ : state)
        benchmark::DoNotOptimize(RunCli({"events", "--from", "2025-01-01", "--to", to, "--format", "csv"}));
}
BENCHMARK(EventsOfYears)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
