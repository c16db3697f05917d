#pragma once

// The chart's outer ring: the geocentric positions of the Sun, the Moon and Mercury … Pluto, and the
// Ascendant and Midheaven where the date row has a place, outside the circle of the heliocentric chart.
// Every mark has a short tick on the circle at its true longitude; its glyph stands further out, moved
// along the ring as little as it takes to keep a glyph's width from its neighbours, with a thin line
// from the tick to the glyph's inner edge when it moved. The chart's picture grows by a margin on every
// side to hold the ring; without the ring nothing of the chart changes.

#include "display/chart_layout.h"
#include "display/positions_table.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::display {

// The ring's sizes in twips: the margin added around the picture, the tick outwards from the circle, and
// the radius of the ring's glyph middles beyond the circle. A glyph keeps kRingGlyphHalf from its
// neighbours' middles on either side and from the ring's radius inwards and outwards.
inline constexpr int32_t kRingMargin = 480;
inline constexpr int32_t kRingTickLength = 75;
inline constexpr int32_t kRingGlyphDistance = 300;
inline constexpr int32_t kRingGlyphHalf = 150;
// A glyph closer than this to its tick (radians along the ring) is joined to it by no line.
inline constexpr double kRingLeastShift = 0.002;

// Colours of the ring: its glyphs and its ticks and lines (RGB values), none an aspect's colour.
inline constexpr double kRingGlyphColor = core::RGB(120, 190, 255);
inline constexpr double kRingLineColor = core::RGB(90, 140, 190);

// Where each of `longitudes` (radians) stands along a circle when neighbours keep at least `separation`
// (radians) apart: crowded marks spread evenly about their mean, each as near its own place as the rest
// allow, in their order around the circle. The result is in the order of `longitudes`, in [0, 2π).
// Marks that cannot all keep the separation (more than 2π of them) are returned as they are.
std::vector<double> SpreadOnRing(const std::vector<double>& longitudes, double separation);

// The least angle between the middles of two neighbouring glyphs on the ring of a chart of `kind`.
double RingSeparation(ChartKind kind);
// The radius of the glyphs' middles, and of the ticks' outer ends, in twips.
double RingGlyphRadius(ChartKind kind);
double RingTickRadius(ChartKind kind);

// The ring of `positions` for a chart with the body glyphs of `tables`, spread for a chart of `kind`.
GeoRing MakeGeoRing(const MomentPositions& positions, const core::AstroTables& tables,
                    const text::Language& language, ChartKind kind);

// The picture's margin on every side: kRingMargin with a ring, 0 without.
int32_t PictureMargin(const ChartData& data);

}  // namespace orvane::display
