// The AAF chart reader on arbitrary bytes (UTF-8, Windows-1252 or neither). Every record read writes back
// to a text that reads without a skipped record as as many records, and that text, read and written
// again, comes back byte for byte: a round trip loses nothing after the first. The Latin-1 writer takes
// every record as well.

#include "fuzz/fuzz_support.h"

#include "charts/aaf.h"

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
    const ExchangeReading first = ReadAaf(bytes, language);
    for (const SkippedRecord& skipped : first.skipped)
        Require(skipped.line >= 1 && !skipped.reason.empty(), "a skipped record has its line and reason");
    const std::string written = WriteAaf(first.records);
    const ExchangeReading second = ReadAaf(written, language);
    Require(second.skipped.empty(), "what was written reads without a skipped record");
    Require(second.records.size() == first.records.size(), "what was written reads as as many records");
    Require(WriteAaf(second.records) == written, "what was written writes again unchanged");
    (void)WriteAaf(first.records, TextEncoding::Latin1);
    return 0;
}
