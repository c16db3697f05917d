#pragma once

// The geocentric view beside the heliocentric one for the moment the main window shows: the chart's
// first set of bodies is drawn at the world date in the transit modes, at the 1st birthdate in natal
// aspects 1st birthdate and synastry, at the 2nd birthdate in natal aspects 2nd birthdate. Both
// perspectives of that moment, with the Ascendant and the Midheaven where its date row has a place, for
// the chart's outer ring and the positions window.

#include "app/workspace.h"
#include "display/chart_layout.h"
#include "display/positions_table.h"

#include <cstdint>
#include <optional>

namespace orvane::app {

// The date row of the moment shown in `mode`; none without a mode.
std::optional<int16_t> ShownRow(core::Mode mode);

// Both perspectives at the moment of the last computation's shown row; none before a computation or
// outside the ephemeris' range. The angles need the row's precise moment with a place that has
// coordinates (the ◷ dialog's place, or a chart of the library).
std::optional<display::MomentPositions> PositionsShown(const Workspace& program);

// The chart of the last computation as the main window draws it (captioned `caption`), with the outer
// ring of geocentric positions when the configuration shows it.
display::ChartData ShownChartData(const Workspace& program, const std::string& caption);

// The positions window's table for the moment shown.
display::PositionsTable ShownPositionsTable(const Workspace& program);

}  // namespace orvane::app
