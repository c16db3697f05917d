// Speed of the positions that every computation starts from, and of the start-up data.

#include "core/astro_module.h"
#include "core/positions.h"
#include "text/language.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

using orvane::core::AstroModule;

const std::string kDataFolder = std::string(ORVANE_BIN_DIR) + "/";

orvane::platform::Message Unworded(orvane::core::PlutoTableFault, const std::string&, size_t)
{
    return {};
}

AstroModule& Astro()
{
    static AstroModule astro = [] {
        AstroModule a;
        a.InitializeAstroTables(kDataFolder);
        (void)a.ReadPlutoTable(Unworded);
        return a;
    }();
    return astro;
}

// One body, the moment advancing by a day per call: how a search steps through time.
void HelioLongitudeDailySteps(benchmark::State& state)
{
    const auto body = static_cast<int16_t>(state.range(0));
    const AstroModule& astro = Astro();
    double moment = 2451545.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(astro.HelioLongitude(body, moment));
        moment += 1.0;
        if (moment > 2524000.0)
            moment = 2451545.0;
    }
    state.SetLabel(astro.tables.bodyNames[static_cast<size_t>(body)]);
}
BENCHMARK(HelioLongitudeDailySteps)->DenseRange(1, 9);

// One body at moments scattered over 1600 … 2199.
void HelioLongitudeRandomDates(benchmark::State& state)
{
    const auto body = static_cast<int16_t>(state.range(0));
    const AstroModule& astro = Astro();
    std::mt19937 random(42);
    std::uniform_real_distribution<double> moments(2305448.0, 2524593.0);
    for (auto _ : state) {
        state.PauseTiming();
        const double moment = moments(random);
        state.ResumeTiming();
        benchmark::DoNotOptimize(astro.HelioLongitude(body, moment));
    }
    state.SetLabel(astro.tables.bodyNames[static_cast<size_t>(body)]);
}
BENCHMARK(HelioLongitudeRandomDates)->DenseRange(1, 9);

// The start-up data: the program text and the whole Pluto table read and ready.
void StartUpData(benchmark::State& state)
{
    for (auto _ : state) {
        orvane::text::Language language;
        benchmark::DoNotOptimize(language.LoadProgramText(kDataFolder, orvane::text::kProgramTextFileName).ok());
        AstroModule astro;
        astro.InitializeAstroTables(kDataFolder);
        benchmark::DoNotOptimize(astro.ReadPlutoTable(Unworded).ok());
    }
}
BENCHMARK(StartUpData)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
