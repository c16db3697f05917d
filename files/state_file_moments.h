#pragma once

// The precise moments of the date rows in a state file: after its 51 lines a marker line, then one line
// per date row, empty for a row without one. A reader of the 51 lines alone ignores them and finds the
// rows' half hours, which show each moment to the half hour.
//
//   1986-06-01T14:20:00+05:45 Asia/Kathmandu     a zone of the tz database (the offset then in effect)
//   2025-01-01T06:30:00+05:45                     a fixed offset
//   1850-06-01T12:00:00 LMT 13.4                   local mean time at a longitude (degrees east)

#include "core/modes.h"
#include "datetime/date_rows.h"
#include "datetime/zoned_moments.h"
#include "platform/result.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::files {

// The marker line that starts the precise moments.
inline constexpr const char* kPreciseMomentsMarker = "#PRECISE-MOMENTS#";

using PreciseMoments = std::array<std::optional<datetime::PreciseMoment>, core::kNumDateRows>;

// The lines after line 51 (each ended by `lineBreak`); none when no row holds a precise moment, so that
// such a file is the 51 lines alone.
std::string PreciseMomentLines(const PreciseMoments& moments, const char* lineBreak);

// Reads the lines after line 51 (`rest`, the first of them line `firstLine`): nothing there, or lines
// that do not begin with the marker, give no precise moments; after the marker every row's line must
// read back to a moment (offset and zone agreeing), else the whole file is refused with the line named.
platform::Result<PreciseMoments> ReadPreciseMomentLines(const std::vector<std::string>& rest, int firstLine,
                                                        const text::Language& language);

// Whether each precise moment may stand beside its date row: on a day the rows take (1 January of the year 1
// to 31 December 2799), and the instant the row shows to within its half hour and the difference between
// the moment's offset and the row's list zone. Otherwise the message names the moment's line (the marker
// being line `firstLine`) and why. Reads no zone: a row without one is compared by its wall-clock time.
platform::Result<void> CheckPreciseMoments(const datetime::DateRows& rows, const PreciseMoments& moments,
                                           int firstLine, const text::Language& language);

}  // namespace orvane::files
