#pragma once

// The texts of precise moments: ISO 8601, the zone lists' offsets, a date row's label, and the refusals
// that name what was typed.

#include "datetime/precise_moment.h"
#include "platform/result.h"

#include <cstdint>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::datetime {

// Program text `number` with [r1] … [r5] filled in one pass, so that a typed value holding "^" or "[r2]" is
// shown as typed, as the refusal of an input.
platform::Error MomentRefusal(const text::Language& language, int16_t number, const std::string& r1,
                              const std::string& r2 = {}, const std::string& r3 = {}, const std::string& r4 = {},
                              const std::string& r5 = {});

// An offset as ISO 8601 writes it: "+05:45", "-03:30", "+00:53:28"; "Z" for none.
std::string IsoOffset(int32_t offsetSeconds);

// A wall-clock time as ISO 8601 writes it without an offset, with seconds and the fraction given or to the
// minute: "1978-03-14T06:30:15.75", "1978-03-14T06:30".
std::string WallTimeText(const WallTime& local, bool withSeconds);

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
