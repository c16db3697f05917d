// Speed of the chart library: searching 100,000 charts as the user types, adding 10,000 in one
// transaction, and importing an AAF file of 10,000. The libraries are made in the system's temporary
// folder.

#include "charts/aaf.h"
#include "charts/chart_store.h"
#include "text/language.h"

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <random>
#include <string>

namespace {

using orvane::charts::ChartRecord;
using orvane::charts::ChartStore;

const std::filesystem::path kFolder = std::filesystem::temp_directory_path() / "orvane-bench-charts";

const orvane::text::Language& Language()
{
    static const orvane::text::Language language = [] {
        orvane::text::Language loaded;
        (void)loaded.LoadProgramText(ORVANE_BIN_DIR, orvane::text::kProgramTextFileName);
        return loaded;
    }();
    return language;
}

// `count` charts of made-up people: names and places drawn from short lists, so that a word matches many.
std::vector<ChartRecord> Charts(int count, unsigned seed)
{
    static constexpr std::array kNames{"Müller", "Schmidt", "Callas", "Einstein", "Jung", "Curie", "Smith",
                                       "Martin", "Rossi", "García", "Novak", "Kowalski", "Dubois", "Jansen"};
    static constexpr std::array kFirst{"Anna", "Maria", "Carl", "Albert", "Marie", "John", "Lena", "Paul"};
    static constexpr std::array kPlaces{"Wien", "Zürich", "Berlin", "New York", "Paris", "Roma", "Madrid"};
    static constexpr std::array kTags{"family", "client", "celebrity", "research", "event"};
    std::mt19937 random(seed);
    std::vector<ChartRecord> charts(static_cast<size_t>(count));
    for (ChartRecord& chart : charts) {
        chart.name = std::string(kNames[random() % kNames.size()]) + std::to_string(random() % 5000);
        chart.firstName = kFirst[random() % kFirst.size()];
        chart.place.name = kPlaces[random() % kPlaces.size()];
        chart.tags = {kTags[random() % kTags.size()]};
        chart.notes = "note " + std::to_string(random());
        chart.moment.moment = 2400000.0 + (random() % 50000000) / 1000.0;
    }
    return charts;
}

ChartStore& Library()
{
    static ChartStore store = [] {
        std::filesystem::remove_all(kFolder);
        auto opened = ChartStore::Open((kFolder / "search.sqlite").string(), Language());
        (void)opened.value().AddMany(Charts(100000, 1));
        return std::move(opened).value();
    }();
    return store;
}

// One search of the 100,000 charts, at most 200 shown (what a list window takes at a key press).
void SearchAsTyped(benchmark::State& state, const char* query)
{
    ChartStore& store = Library();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Search(query, 200));
    state.counters["found"] = static_cast<double>(store.Search(query).value().size());
}
BENCHMARK_CAPTURE(SearchAsTyped, one_letter, "m")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAsTyped, a_name, "callas")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAsTyped, name_and_place, "mari zür")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchAsTyped, rare, "callas12")->Unit(benchmark::kMillisecond);

// All matches of a common word, unlimited: the slowest a search can be.
void SearchAll(benchmark::State& state)
{
    ChartStore& store = Library();
    for (auto _ : state)
        benchmark::DoNotOptimize(store.Search("maria"));
}
BENCHMARK(SearchAll)->Unit(benchmark::kMillisecond);

// 10,000 new charts added in one transaction to a fresh library.
void AddTenThousand(benchmark::State& state)
{
    const std::vector<ChartRecord> charts = Charts(10000, 2);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto store = ChartStore::Open((kFolder / ("add" + std::to_string(round++) + ".sqlite")).string(), Language());
        state.ResumeTiming();
        benchmark::DoNotOptimize(store.value().AddMany(charts));
    }
}
BENCHMARK(AddTenThousand)->Unit(benchmark::kMillisecond)->Iterations(3);

// An AAF file of 10,000 charts read and added to a fresh library: what "charts import" does.
void ImportTenThousandAaf(benchmark::State& state)
{
    std::vector<ChartRecord> charts = Charts(10000, 3);
    for (ChartRecord& chart : charts) {
        const auto vienna = orvane::datetime::MomentZone::Named("Europe/Vienna");
        chart.moment = orvane::datetime::MomentInZone(chart.moment.moment, vienna, Language()).value();
        chart.place = {"Wien", "", "AT", 48.2, 16.37};
    }
    const std::string file = orvane::charts::WriteAaf(charts);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = (kFolder / ("import" + std::to_string(round++) + ".sqlite")).string();
        auto store = ChartStore::Open(path, Language());
        state.ResumeTiming();
        const orvane::charts::ExchangeReading reading = orvane::charts::ReadAaf(file, Language());
        benchmark::DoNotOptimize(store.value().AddMany(reading.records));
        state.counters["read"] = static_cast<double>(reading.records.size());
    }
}
BENCHMARK(ImportTenThousandAaf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
