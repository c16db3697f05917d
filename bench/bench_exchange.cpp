// Speed of the chart exchange and the atlas: reading 10,000 AAF records (an import of that many, store
// included, is to take at most a second, so the reading must be a small part of it), writing them, and
// the atlas' search as the user types a place's name.

#include "atlas/atlas.h"
#include "charts/aaf.h"
#include "charts/chart_csv.h"
#include "text/language.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const orvane::text::Language& Language()
{
    static const orvane::text::Language language = [] {
        orvane::text::Language loaded;
        (void)loaded.LoadProgramText(ORVANE_BIN_DIR, orvane::text::kProgramTextFileName);
        return loaded;
    }();
    return language;
}

// 10,000 records of the kinds files hold: zone differences with and without summer time, local mean
// time, a zone named, notes, and computed positions kept as read.
const std::string& TenThousandRecords()
{
    static const std::string text = [] {
        std::string made;
        for (int index = 0; index < 10000; ++index) {
            const int day = 1 + index % 28;
            const int month = 1 + index % 12;
            const int year = 1850 + index % 170;
            made += "#A93:Name" + std::to_string(index) + ",First,m," + std::to_string(day) + "." +
                    std::to_string(month) + "." + std::to_string(year) + "," + std::to_string(index % 24) + ":" +
                    std::to_string(10 + index % 50) + ",Place,D\n";
            switch (index % 4) {
            case 0: made += "#B93:*,48n12,16e22,1he00,0\n"; break;
            case 1: made += "#B93:*,34s54,56w09,3hw00,1\n"; break;
            case 2: made += "#B93:*,47n04,15e26,*,L\n"; break;
            default: made += "#B93:*,35n41,139e41,9he00,0\n#ZNAM:Asia/Tokyo\n"; break;
            }
            made += "#COM:A note, with a comma\n#LPOS:SO12AQ41:10,MO03LE20:**\n\n";
        }
        return made;
    }();
    return text;
}

void ReadTenThousandAafRecords(benchmark::State& state)
{
    const std::string& text = TenThousandRecords();
    for (auto _ : state) {
        const orvane::charts::ExchangeReading read = orvane::charts::ReadAaf(text, Language());
        if (read.records.size() != 10000)
            state.SkipWithError("records were skipped");
        benchmark::DoNotOptimize(read.records.data());
    }
}
BENCHMARK(ReadTenThousandAafRecords)->Unit(benchmark::kMillisecond);

void WriteTenThousandAafRecordsAndCsv(benchmark::State& state)
{
    const orvane::charts::ExchangeReading read = orvane::charts::ReadAaf(TenThousandRecords(), Language());
    for (auto _ : state) {
        benchmark::DoNotOptimize(orvane::charts::WriteAaf(read.records));
        benchmark::DoNotOptimize(orvane::charts::WriteChartCsv(read.records));
    }
}
BENCHMARK(WriteTenThousandAafRecordsAndCsv)->Unit(benchmark::kMillisecond);

// The atlas read from the library, once a run (measured on its own, a single iteration).
void AtlasFirstSearch(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(orvane::atlas::Atlas::Shared().size());
}
BENCHMARK(AtlasFirstSearch)->Iterations(1)->Unit(benchmark::kMillisecond);

// A name typed letter by letter: one search a keystroke.
void AtlasSearchAsTyped(benchmark::State& state)
{
    const orvane::atlas::Atlas& atlas = orvane::atlas::Atlas::Shared();
    const std::string name = "Springfield, Illinois";
    size_t typed = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(atlas.Search(std::string_view(name).substr(0, typed)));
        typed = typed % name.size() + 1;
    }
}
BENCHMARK(AtlasSearchAsTyped)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
