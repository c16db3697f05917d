#pragma once

// Precise moments: a birth or world moment to the minute (or second) in a zone of the tz database
// ("Europe/Berlin"), at a fixed offset ("+05:45") or in local mean time from a longitude, kept beside the
// date rows' half hours and 47 list zones. The tz database of the system answers which offset a zone had
// at a moment (summer time and its history included); a wall-clock time that the clocks skipped or showed
// twice is not guessed at but named with its two offsets.

#include "platform/clock.h"
#include "platform/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::datetime {

// The largest offset from Greenwich that any zone has had, and that a moment may be given with.
inline constexpr int32_t kMaxOffsetSeconds = 14 * 3600;

// A date and time of day as a clock on the wall shows it (proleptic Gregorian calendar).
struct WallTime {
    int32_t year = 2000;
    int32_t month = 1;
    int32_t day = 1;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;       // 60 for a leap second
    int32_t microsecond = 0;  // the fraction of the second as given, 0 … 999999
    bool operator==(const WallTime&) const = default;
};

// The wall-clock time `moment` (a Julian date, UT) shows at `offsetSeconds` east, to the second below.
WallTime WallTimeAt(double moment, int32_t offsetSeconds);
// The Julian date (UT) of a wall-clock time at `offsetSeconds` east. The moments count no leap seconds: a
// leap second, with any fraction of it, is the end of its minute.
double MomentOf(const WallTime& local, int32_t offsetSeconds);
// The wall-clock time of `moment` at `offsetSeconds` east whose fraction of a second was given as
// `microsecond`: the whole seconds are those below the fraction, kept beside it as given.
WallTime WallTimeWithFraction(double moment, int32_t offsetSeconds, int32_t microsecond);

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

// The names of the tz database's zones, sorted, for a searchable list.
const std::vector<std::string>& ZoneNames();

// The zone names containing `part` in any case ("kath" finds Asia/Kathmandu), in list order; all for "".
std::vector<std::string> MatchingZoneNames(std::string_view part);

// The tz database's name of the zone `typed` names (the exact name, else the one name that matches it in
// any case, else the zone of the atlas' place of that name: "Vienna", "München", "Springfield, Illinois"),
// or the message naming an unknown zone or the places of several zones the name stands for.
platform::Result<std::string> FindZone(std::string_view typed, const text::Language& language);

// The offset, in seconds east, that zone `name` had at `moment` (a Julian date, UT), or the unknown zone.
platform::Result<int32_t> OffsetAt(const std::string& name, double moment, const text::Language& language);

// The offsets a wall-clock time can have in zone `name`, or the unknown zone.
platform::Result<WallTimeOffsets> OffsetsAtWallTime(const std::string& name, const WallTime& local,
                                                   const text::Language& language);

// The offset of local mean time at a longitude (degrees east), to the second: 240 s a degree.
int32_t LocalMeanTimeOffset(double longitudeEast);

// The moment of a wall-clock time in `zone`. `givenOffset` (seconds east, when the user gave one beside a
// named zone) must be an offset the zone had then. Refused with one message each: an unknown zone, an
// offset beyond ±14:00, a skipped time or a repeated time without its offset (both naming the two
// offsets), an offset the zone did not have.
platform::Result<PreciseMoment> ResolveWallTime(const WallTime& local, const MomentZone& zone,
                                                std::optional<int32_t> givenOffset, const text::Language& language);

// The wall-clock time of `moment` (a Julian date, UT) in `zone`, or the unknown zone.
platform::Result<PreciseMoment> MomentInZone(double moment, const MomentZone& zone, const text::Language& language);

// The present moment from the computer's clock in the computer's zone of the tz database (an hour of the
// clocks going back counts as its earlier pass), or at the offset now in effect of a zone given as a rule
// the database does not name; nothing when the computer has neither.
std::optional<PreciseMoment> ClockMoment(const platform::Clock& clock);

// The computer's standard offset (summer time left out), in seconds east, from the tz database; nothing
// when the computer names no zone the database has.
std::optional<int32_t> ClockStandardOffset(const platform::Clock& clock);


// Reads a moment as the command line takes it: ISO 8601 (see ParseIsoMoment) with an offset to the minute,
// "Z", a zone in brackets after it ("1989-10-03T15:30[Europe/Berlin]", "2025-11-02T01:30-04:00[America/
// New_York]", where offset and zone must agree), or neither, and then in `defaultZone`. A date without a
// time of day is midnight. Refused with one message: not a date, an unknown zone, an offset beyond ±14:00,
// a skipped or repeated time, offset and zone that disagree.
platform::Result<PreciseMoment> ParsePreciseMoment(std::string_view text, const MomentZone& defaultZone,
                                                   const text::Language& language);

// A zone as --zone takes it: "Z", "UT", an offset ("+05:45", "GMT+1:00") or a name of the tz database.
platform::Result<MomentZone> ParseMomentZone(std::string_view text, const text::Language& language);

// An offset as the zone lists write it: "GMT", "GMT+1:00", "GMT-3:30", "GMT+5:45", with seconds when it
// has them ("GMT+0:53:28").
std::string OffsetText(int32_t offsetSeconds);

// A wall-clock time as ISO 8601 writes it, to the second, with the fraction of a second when it has one:
// "1986-06-01T14:20:00", "1978-03-14T06:30:15.75".
std::string WallTimeIso(const WallTime& local);

// The ISO text of a precise moment: "1989-10-03T15:30:00+02:00[Europe/Berlin]", without the brackets for a
// fixed offset or local mean time.
std::string PreciseMomentIso(const PreciseMoment& precise);

// The zone as a row shows it: the tz name, the offset ("GMT+5:45"), or "local mean time 13.40° E".
std::string ZoneDescription(const PreciseMoment& precise, const text::Language& language);

// What a date row shows while it holds a precise moment: "14:20 Europe/Berlin, GMT+1:00".
std::string PreciseMomentLabel(const PreciseMoment& precise, const text::Language& language);

}  // namespace orvane::datetime
