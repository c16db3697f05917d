#pragma once

// The lives of the aspect patterns seen from the Earth: the same finders, the same one-moment orbs and the
// same joining into occurrences as among the heliocentric bodies (core/pattern_lifetimes.h), over the ten
// geocentric bodies Sun, Moon, Mercury … Pluto.
//
// The finders' answer changes only where an aspect of some pair enters or leaves its orb. Those moments
// come from the geocentric event search (FindGeoOrbEdges): every pair's difference of longitudes is taken
// day by day and split where it turns, so that each piece passes each orb edge at most once and no edge is
// missed, the Moon's included; each is found to well within a second. The span is cut at them, the
// finders asked once in each piece (at its middle, on the ephemeris) and the pieces joined. The midpoints
// are not looked for from the Earth.

#include "core/geocentric.h"
#include "core/pattern_lifetimes.h"

#include <optional>
#include <vector>

namespace orvane::core {

// The point under which the patterns name a geocentric body: the Sun 1, the Moon 2, Mercury 3 … Pluto 10.
constexpr Body PatternPointOf(GeoBody body)
{
    return static_cast<Body>(static_cast<int16_t>(body) + 1);
}
// The geocentric body a pattern's point names; none for a point outside 1 … 10.
constexpr std::optional<GeoBody> GeoBodyOfPoint(Body point)
{
    const int index = IndexOf(point) - 1;
    return index >= 0 && index < platform::kNumGeoBodies ? std::optional(static_cast<GeoBody>(index)) : std::nullopt;
}

// The ten bodies at `moment` in `convention`, as the finders take them; none outside the ephemeris' range.
std::optional<PatternPoints> GeoPatternPoints(double moment, platform::Convention convention);

// Every occurrence of the patterns asked for (the midpoints aside) among the ten geocentric bodies within
// the span, positions in `request.convention`, orbs of `astro` (column 0), in the order and streamed as
// PatternLifetimes hands them on. False when the ephemeris failed within the span.
bool GeoPatternLifetimes(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink);

// The same, gathered; none when the ephemeris failed.
std::optional<std::vector<PatternOccurrence>> GeoPatternLifetimes(const AstroModule& astro,
                                                                  const LifetimeRequest& request);

}  // namespace orvane::core
