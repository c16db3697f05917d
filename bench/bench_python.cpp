// The C++ side of the Python module's goals (bench/python_module.py compares): the engine's positions for
// 100,000 moments and nine bodies, called from C++ as the module calls it, and a year of events through the
// companion in process (command line read, models started, the JSON written) beside the engine's own search.

#include "cli/cli.h"
#include "python/engine.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using orvane::python::Engine;

const std::string kDataFolder = std::string(ORVANE_BIN_DIR) + "/";
constexpr size_t kMoments = 100000;

const Engine& TheEngine()
{
    static const std::unique_ptr<Engine> engine = std::move(Engine::Start(kDataFolder)).value();
    return *engine;
}

// Daily moments from 1 January 1900, as numpy's arange of datetime64[D] gives them.
void PositionsOfManyMoments(benchmark::State& state)
{
    const Engine& engine = TheEngine();
    std::vector<double> moments(kMoments);
    for (size_t k = 0; k < kMoments; ++k)
        moments[k] = 2415020.5 + static_cast<double>(k);
    const std::vector<orvane::core::Body> bodies = engine.Bodies({}).value();
    std::vector<double> L(kMoments * bodies.size()), B(L.size()), S(L.size());
    for (auto _ : state) {
        engine.Positions(moments, bodies, {}, L.data(), B.data(), S.data());
        benchmark::DoNotOptimize(L.data());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kMoments));
}
BENCHMARK(PositionsOfManyMoments)->Unit(benchmark::kMillisecond);

// orvane-cli events --from 2024-01-01 --to 2025-01-01 --format json, in process.
void CompanionEventsOfAYear(benchmark::State& state)
{
    const std::vector<std::string> args{"events", "--from", "2024-01-01T00:00Z", "--to", "2025-01-01T00:00Z",
                                        "--format", "json"};
    orvane::cli::Environment environment;
    environment.dataFolder = kDataFolder;
    for (auto _ : state) {
        std::ostringstream out, err;
        benchmark::DoNotOptimize(orvane::cli::Run(args, environment, out, err));
    }
}
BENCHMARK(CompanionEventsOfAYear)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
