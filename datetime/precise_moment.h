#pragma once

// A precise moment: a moment as precise as the user gave it, with the wall clock and the zone it was given
// in (a zone of the tz database, a fixed offset or the local mean time of a longitude).

#include "platform/moment.h"

#include <cstdint>
#include <string>

namespace orvane::datetime {

// The largest offset from Greenwich that any zone has had, and that a moment may be given with.
inline constexpr int32_t kMaxOffsetSeconds = 14 * 3600;

// Wall-clock times and their conversions are the moment module's (platform/moment.h).
using platform::MomentOf;
using platform::WallTime;
using platform::WallTimeAt;
using platform::WallTimeWithFraction;

// How the zone of a precise moment is given.
enum class ZoneKind {
    Named,          // a zone of the tz database; its offset follows from the moment
    FixedOffset,    // an offset from Greenwich, the same all year
    LocalMeanTime,  // the mean solar time of a longitude: 4 minutes of time per degree east
};

struct MomentZone {
    ZoneKind kind = ZoneKind::FixedOffset;
    std::string name;           // the tz database's name (Named)
    int32_t offsetSeconds = 0;  // east of Greenwich (FixedOffset, LocalMeanTime)
    double longitude = 0.0;     // degrees east of Greenwich (LocalMeanTime)

    static MomentZone Named(std::string name);
    static MomentZone Fixed(int32_t offsetSeconds);
    static MomentZone MeanTime(double longitudeEast);
    bool operator==(const MomentZone&) const = default;
};

// A moment as precise as the user gave it, with what it was given in.
struct PreciseMoment {
    double moment = 0.0;        // Julian date, UT
    WallTime local;             // the clock time in the zone
    MomentZone zone;
    int32_t offsetSeconds = 0;  // the offset in effect at the moment, east of Greenwich
    std::string typed;          // as the user wrote it, or the ISO text when the program made it
    bool fromComputerClock = false;  // "Now" in a computer zone that the zone lists lack
    bool operator==(const PreciseMoment&) const = default;
};

// What a wall-clock time is in a zone of the tz database.
enum class WallTimeKind {
    Unique,    // one moment: `first` is the offset
    Skipped,   // in a gap when the clocks went forward: `first` before it, `second` after it
    Repeated,  // shown twice when the clocks went back: `first` the earlier moment's, `second` the later's
};
struct WallTimeOffsets {
    WallTimeKind kind = WallTimeKind::Unique;
    int32_t first = 0;
    int32_t second = 0;
    bool operator==(const WallTimeOffsets&) const = default;
};

}  // namespace orvane::datetime
