#pragma once

// Precise moments: a birth or world moment to the minute (or second) in a zone of the tz database
// ("Europe/Berlin"), at a fixed offset ("+05:45") or in local mean time from a longitude, kept beside the
// date rows' half hours and 47 list zones. The tz database of the system answers which offset a zone had
// at a moment (summer time and its history included); a wall-clock time that the clocks skipped or showed
// twice is not guessed at but named with its two offsets.

#include "datetime/moment_parsing.h"
#include "datetime/moment_texts.h"
#include "datetime/precise_moment.h"
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


}  // namespace orvane::datetime
