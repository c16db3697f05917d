// The chart CSV reader on arbitrary bytes. The charts read write back to CSV that reads without a skipped
// line as the same charts, and writes again byte for byte.

#include "fuzz/fuzz_support.h"

#include "charts/chart_csv.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace orvane::charts;
    using orvane::fuzz::Require;
    const orvane::text::Language& language = orvane::fuzz::ProgramText();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ExchangeReading first = ReadChartCsv(bytes, language);
    for (const SkippedRecord& skipped : first.skipped)
        Require(skipped.line >= 1 && !skipped.reason.empty(), "a skipped line has its number and reason");
    const std::string written = WriteChartCsv(first.records);
    const ExchangeReading second = ReadChartCsv(written, language);
    Require(second.skipped.empty(), "what was written reads without a skipped line");
    Require(second.records.size() == first.records.size(), "what was written reads as as many charts");
    Require(WriteChartCsv(second.records) == written, "what was written writes again unchanged");
    return 0;
}
