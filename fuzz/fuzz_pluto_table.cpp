// The Pluto table read from arbitrary text. A read either fails and leaves the table empty, or keeps at
// least kPlutoTableLines elements; an element or an interpolated moment is a longitude in [0°, 360°)
// (radians in [0, 2π)) or one of the negative markers. A table that ends early counts every non-blank
// line as an element. The first bytes also give an element's position and longitude, which must
// decode as they were encoded.

#include "fuzz/fuzz_support.h"

#include "core/pluto_table.h"
#include "core/vocabulary.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using namespace orvane::core;
using orvane::fuzz::Require;

bool NonBlank(std::string_view line)
{
    return line.find_first_not_of(" \t\r\v\f") != std::string_view::npos;
}

bool Longitude(double value, double turn)
{
    return (value >= 0.0 && value < turn) || value == kPlutoBeforeTable || value == kPlutoAfterTable;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PlutoTable table;
    std::optional<std::pair<PlutoTableFault, size_t>> fault;
    const orvane::platform::Result<void> read =
        table.ReadFromText(text, [&fault](PlutoTableFault found, const std::string&, size_t count) {
            fault = std::pair(found, count);
            return orvane::platform::Message();
        });
    Require(read.ok() ? table.size() >= static_cast<size_t>(kPlutoTableLines) && !fault
                      : table.empty() && fault,
            "a table is read whole or left empty with its fault");

    if (fault && fault->first == PlutoTableFault::EndsEarly) {
        size_t lines = 0;
        for (size_t start = 0; start < size;) {
            const size_t end = std::min(text.find('\n', start), size);
            lines += NonBlank(text.substr(start, end - start)) ? 1 : 0;
            start = end + 1;
        }
        Require(fault->second == lines, "a short table holds one element a non-blank line");
    }

    for (int32_t n : {-1, 0, 1, kPlutoTableLines - 1, kPlutoTableLines})
        Require(Longitude(table.PlutoTableEntry(n), 360.0), "an element is a longitude or a marker");
    double moment = 0.0;
    if (size >= sizeof moment)
        std::memcpy(&moment, data, sizeof moment);
    for (const double m : {moment, kPlutoFirstDay - 0.5, kPlutoFirstDay + 0.25, kPlutoLastDay + 0.49})
        Require(Longitude(table.PlutoLongitude(m), kTwoPi), "a moment gives a longitude or a marker");

    if (size >= 2 * sizeof(int32_t)) {
        int32_t n = 0;
        int32_t arcseconds = 0;
        std::memcpy(&n, data, sizeof n);
        std::memcpy(&arcseconds, data + sizeof n, sizeof arcseconds);
        n = static_cast<int32_t>(static_cast<uint32_t>(n) % static_cast<uint32_t>(kPlutoTableLines));
        arcseconds = static_cast<int32_t>(static_cast<uint32_t>(arcseconds) % 1296000U);
        const std::string entry = EncodePlutoEntry(n, arcseconds);
        Require(std::abs(DecodePlutoEntry(n, entry) * 3600.0 - arcseconds) < 1e-6, "an element decodes as encoded");
    }
    return 0;
}
