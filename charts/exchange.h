#pragma once

// What the chart exchange formats (AAF, CSV) share: what a reading gives back, and the two text encodings
// files in the wild come in.

#include "charts/chart_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::charts {

// A record the reader left out: the line it begins on (counted from 1) and why.
struct SkippedRecord {
    int line = 0;
    std::string reason;
    bool operator==(const SkippedRecord&) const = default;
};

// The records of a file as read, and the ones left out.
struct ExchangeReading {
    std::vector<ChartRecord> records;
    std::vector<SkippedRecord> skipped;
};

enum class TextEncoding {
    Utf8,
    Latin1,  // ISO 8859-1 with Windows-1252's letters and signs in 0x80 … 0x9F
};

// `bytes` as UTF-8: as they are when they are valid UTF-8 (a byte-order mark taken off), else read as
// Windows-1252, whose every byte is a character. A file is one or the other, decided by its validity, so
// that "Zürich" comes out as written in either.
std::string DecodedText(std::string_view bytes);

// UTF-8 `text` in `encoding`; a character Latin-1 and Windows-1252 lack becomes '?'.
std::string EncodedText(std::string_view text, TextEncoding encoding);

// The reason for a skipped record: program text `number` with its blanks filled.
std::string SkipReason(const text::Language& language, int16_t number, const std::string& r1 = {},
                       const std::string& r2 = {}, const std::string& r3 = {});

}  // namespace orvane::charts
