#pragma once

// Pluto's daily heliocentric longitudes, read from the table file hpluto.2199.slx and interpolated.
//
// Element n of the table belongs to the civil day with Julian Day Number 2305448 + n (n = 0 is
// 1 January 1600) and holds Pluto's longitude at 0h UT of that day, encoded in the line's first four
// characters c1 … c4 (character codes A(c)):
//   minutes m = A(c1) − 60 − (n mod 7),  seconds s = A(c2) − 60,
//   sixties of degrees h = A(c3) − 58 − (n mod 55),  units of degrees u = A(c4) − 59,
//   longitude = 60 h + u + m/60 + s/3600 degrees.

#include "platform/checked_files.h"
#include "platform/large_memory.h"
#include "platform/result.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::platform {
class MappedFile;
}

namespace orvane::core {

inline constexpr const char* kPlutoTableFileName = "hpluto.2199.slx";

// Day number of element 0 (1 January 1600) and the last day that can be interpolated (31 December 2199).
inline constexpr int32_t kPlutoFirstDay = 2305448;
inline constexpr int32_t kPlutoLastDay = 2524593;
// Lines a complete table holds: the last day needs its right-hand neighbour.
inline constexpr int32_t kPlutoTableLines = kPlutoLastDay - kPlutoFirstDay + 2;  // 219147

// Largest table file read, in bytes: the table has about 1.1 MB.
inline constexpr uint64_t kMaxPlutoTableBytes = uint64_t{8} << 20;

// Returned instead of a longitude for a moment before, or after, the days the table covers. They are
// not angles (and not converted to radians): a negative longitude means "no position".
inline constexpr double kPlutoBeforeTable = -99.0;
inline constexpr double kPlutoAfterTable = -100.0;

// What kept the table from being read. The caller words it for the user: `reason` is the system's
// description of a failed opening or reading, `count` the file's line of a damaged entry or the entries
// of a table that ends too soon; both are empty (0) otherwise.
enum class PlutoTableFault {
    CannotOpen,    // no such file, no right to read it …
    NotAFile,      // a folder, a FIFO, a device
    TooLarge,      // larger than kMaxPlutoTableBytes
    CannotRead,    // a read error after opening
    Empty,         // a file without a byte
    DamagedEntry,  // a line that does not decode to a longitude
    EndsEarly,     // fewer than kPlutoTableLines entries
};
using DescribePlutoTableFault =
    std::function<platform::Message(PlutoTableFault fault, const std::string& reason, size_t count)>;

// The table's elements, in memory that start-up fills cheaply (see platform/large_memory.h).
using PlutoEntries = std::vector<uint32_t, platform::LargeAllocator<uint32_t>>;

class PlutoTable {
public:
    // Reads the table file `fullPath` in one go and checks it in a single pass. A failure (code
    // Unreadable for the file, Damaged for its content) carries the message `describe` gives for its
    // fault; the table is then left empty.
    //
    // With `checked` keeping stamps, a table in the form we write that passes is stamped there, and a
    // file it vouches for is mapped instead of read: a start then pays only for the lines it looks at.
    platform::Result<void> Read(const std::string& fullPath, const DescribePlutoTableFault& describe,
                                const platform::CheckedFiles& checked = platform::CheckedFiles());

    // Reads the table from text already in memory (the same rules as Read).
    platform::Result<void> ReadFromText(std::string_view text, const DescribePlutoTableFault& describe);

    // Decoded longitude of element n in degrees; kPlutoAfterTable when the element is missing.
    double PlutoTableEntry(int32_t n) const;

    // Pluto's longitude in radians at `moment` (Julian date, UT), interpolated linearly between the two
    // midnights around it; kPlutoBeforeTable or kPlutoAfterTable outside the table, and kPlutoAfterTable
    // where the table lacks an element that the moment needs.
    double PlutoLongitude(double moment) const;

    // The elements read: one a non-blank line of the file.
    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }

private:
    // Takes the text of a table read into `buffer` (`textSize` bytes): kept as it is when every line is
    // in the common form, else decoded element by element in place.
    platform::Result<void> Take(PlutoEntries buffer, size_t textSize, const DescribePlutoTableFault& describe);

    // The text of a table held as text (m_asText): the mapped file's, or that in m_lines.
    const char* Text() const;

    // Either the file's text itself, when every line holds just the four characters of its element and
    // a line break (element n at bytes 5n … 5n + 3, checked when read and decoded when asked for), or
    // one element a line, checked and freed of its positional offsets when read: minutes, seconds,
    // sixties and units of the longitude a byte each (minutes in the lowest byte).
    PlutoEntries m_lines;
    // The file mapped instead, when a stamp vouched for it (m_lines is empty then).
    std::shared_ptr<const platform::MappedFile> m_mapped;
    size_t m_count = 0;
    bool m_asText = false;
};

// Encodes a longitude of whole arcseconds (0 … 1295999) as the four characters of element n.
std::string EncodePlutoEntry(int32_t n, int32_t arcseconds);

// Decodes the first four characters of element n's line into degrees. The line must hold at least four
// characters.
double DecodePlutoEntry(int32_t n, std::string_view line);

}  // namespace orvane::core
