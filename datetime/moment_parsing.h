#pragma once

// Precise moments read from what the user typed: ISO 8601 with an offset, a zone in brackets, or both.

#include "datetime/precise_moment.h"
#include "platform/result.h"

#include <string_view>

namespace orvane::text {
class Language;
}

namespace orvane::datetime {

// Reads a moment as the command line takes it: ISO 8601 (see ParseIsoMoment) with an offset to the minute,
// "Z", a zone in brackets after it ("1989-10-03T15:30[Europe/Berlin]", "2025-11-02T01:30-04:00[America/
// New_York]", where offset and zone must agree), or neither, and then in `defaultZone`. A date without a
// time of day is midnight. Refused with one message: not a date, an unknown zone, an offset beyond ±14:00,
// a skipped or repeated time, offset and zone that disagree.
platform::Result<PreciseMoment> ParsePreciseMoment(std::string_view text, const MomentZone& defaultZone,
                                                   const text::Language& language);

// A zone as --zone takes it: "Z", "UT", an offset ("+05:45", "GMT+1:00") or a name of the tz database.
platform::Result<MomentZone> ParseMomentZone(std::string_view text, const text::Language& language);

}  // namespace orvane::datetime
