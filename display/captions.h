#pragma once

// Captions and short texts of the main window's messages and dialogs: a clicked cell's caption, the days an
// aspect begins and ends, the caption of a transit's picture, a longitude and a clock time as boxes show them.

#include "core/aspect_span.h"
#include "core/aspects.h"
#include "core/vocabulary.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::display {

// The caption of a clicked cell's message: "Mars trine Venus" for personal transits, "In … to the natal …"
// for world transits.
std::string CellCaption(const text::Language& language, const core::AstroTables& tables, bool personal, core::Body p1,
                        core::Body p2, core::Aspect aspect);

// "With an orb of …, this … begins on … and ends on …."; a day not known is said to be so.
std::string AspectSpanText(const text::Language& language, const std::string& orb, const std::string& aspectName,
                           std::optional<core::DayNumber> beginning, std::optional<core::DayNumber> ending);

// The caption of a personal transit's picture, with the orb of `aspect` in orb column `column`.
std::string TransitPictureCaption(const core::AstroTables& tables, const core::OrbTable& orbs,
                                  const text::Language& language, core::Body p1, core::Body p2, core::Aspect aspect,
                                  int16_t column);

// A longitude as the longitude box shows it: decimal degrees, at most four places, east positive.
std::string LongitudeText(double longitude);

// A clock time as "HH:MM".
std::string ClockText(int32_t hour, int32_t minute);

}  // namespace orvane::display
