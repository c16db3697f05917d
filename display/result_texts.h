#pragma once

// The texts of a computation's result as the main window shows them: the grid's position and aspect
// cells, the summary of the one-moment and the two-moment modes, and the lines of the aspect patterns.

#include "core/aspect_result.h"
#include "core/vocabulary.h"
#include "display/grid_model.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::display {

// The mark of a body without a position: "<" before Pluto's table, ">" after it, "?" otherwise.
std::string PositionErrorMark(core::NoPosition missing);

// A position cell: radians with 4 decimals, or degrees and minutes, a line break and the short zodiac
// position; the mark of a body without a position.
std::string PositionCellText(const core::AstroTables& tables, const core::Position& position, bool radians);

// A deviation: radians with 4 decimals, or degrees and minutes.
std::string DeviationText(double deviation, bool radians);

// An aspect cell: the aspect's abbreviation, a line break, the deviation and " -" when applying or " +"
// when separating ("Sqr\r\n2°15' -").
std::string AspectCellText(const core::AstroTables& tables, const core::AspectFound& found, bool radians);

// Writes a result into the grid laid out for its comparison: the position cells of the bodies in use (row
// 0 of the triangle; row 0 from column 2 and column 0 from row 2 of the square), and each aspect's cell
// with its text, the aspect's colour and bold when it is close.
void WriteResultIntoGrid(GridModel& grid, const core::AstroTables& tables, const core::AspectResult& result,
                         bool radians);

// "2 squares", "1 trine", "3 quincunxes": the count and the aspect's name with its plural ending.
std::string AspectCountText(const core::AstroTables& tables, core::Aspect aspect, int16_t count);

// The summary of one moment: a line per kind of aspect found, the total (or that there is no aspect), an
// empty line, and the patterns and midpoints.
std::string OneMomentSummary(const core::AstroTables& tables, const text::Language& language,
                             const core::AspectResult& result);

// The summary of two moments on one line: "2 squares, 1 trine. 3 aspects in total", or that there is no
// aspect.
std::string TwoMomentSummary(const core::AstroTables& tables, const text::Language& language,
                             const core::AspectResult& result);

// One line per pattern, each ending with a line break: the pattern's name, ": ", the bodies'
// abbreviations joined by "-" and the mean deviation in brackets ("Grand trine: Ea-Ju-Ne (mean deviation
// 1°3')", "Midpoint: Ea-Ma-Ju"), or with `fullNames` only the bodies' names ("Earth-Jupiter-Neptune").
std::string PatternLines(const core::AstroTables& tables, const text::Language& language,
                         std::span<const core::PatternFound> patterns, bool fullNames);

// `title` with the orbs in force after it: "  Orb of 2°" when every orb is the same (a period after it with
// `addPeriod`), otherwise "  Orbs from: 1° to 8°"; the orbs of one column of the two-date modes (0 personal
// transits, 1 synastry) or, without one, of the whole table.
std::string TitleWithOrbs(const core::OrbTable& orbs, const text::Language& language, const std::string& title,
                          std::optional<size_t> column, bool addPeriod);

// The title of the grid or chart in `mode` (`tableShown` for the grid), with the orbs of the mode's column
// (`column`, for the two-date modes) after it; empty for a mode without one.
std::string GridTitle(const core::OrbTable& orbs, const text::Language& language, core::Mode mode, bool tableShown,
                      size_t column);

}  // namespace orvane::display
