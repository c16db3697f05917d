#pragma once

// A zone given as a POSIX rule ("EST5EDT", "<+0545>-5:45", "CET-1CEST,M3.5.0,M10.5.0/3"), as the TZ variable
// may hold one, read by the date library's rule reader.

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::platform {

// The offset in effect and the summer-time part of it, in seconds east.
struct RuleOffsets {
    int32_t offset = 0;
    int32_t save = 0;
};

// What rule `text` gives at a moment (seconds since 1970 UT); nothing when `text` is no rule. A rule with a summer-time name but
// no dates takes the C library's: second Sunday of March to first Sunday of November.
std::optional<RuleOffsets> RuleOffsetsAt(const std::string& text, int64_t unixSeconds);

}  // namespace orvane::platform
