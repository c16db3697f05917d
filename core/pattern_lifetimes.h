#pragma once

// The lives of the aspect patterns over a span: when each pattern the summary lists forms, when it
// dissolves, and when it is tightest.
//
// The finders of the summary (FindChartPatterns: the thirteen patterns, the stelliums from the largest
// down, and the midpoints) decide which patterns a moment holds, and their answer depends only on which
// aspects are within their orbs (for the midpoints also on which bodies stand on a midpoint). Those change
// only at the moments at which an aspect enters or leaves its orb (the event search's enter and leave
// events, found to within a second) or a body comes onto or leaves a midpoint (MidpointCrossings). So the
// span is cut at those moments, the finders are asked once in each piece (at its middle, on the ephemeris),
// and the pieces in which a pattern is found with the same bodies are joined into one occurrence: it forms
// at the first cut, when the last of its conditions came to hold, and dissolves at the cut after the last.
//
// The tightest moment is where the mean deviation of the pattern's aspects is smallest; it is looked for
// day by day over the occurrence on the samples, then narrowed to well under a second, and its mean
// deviation taken there to within a tenth of an arcsecond of the ephemeris. A grand sextile's deviation is the mean distance of its fifteen pairs
// from the nearest of 60°, 120° and 180°; a midpoint's the middle body's distance from the midpoint or the
// point opposite it.

#include "core/astro_module.h"
#include "core/midpoints.h"
#include "core/patterns.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace orvane::core {

// One life of one pattern.
struct PatternOccurrence {
    int16_t pattern = 0;
    std::vector<Body> bodies;     // in the order the finder names them
    std::optional<double> begin;  // the moment it formed; none when it was there at the span's start
    std::optional<double> end;    // the moment it dissolved; none when it is still there at the span's end
    double peak = 0.0;            // the moment it is tightest
    double peakDeviation = 0.0;   // its mean deviation then, radians

    bool operator==(const PatternOccurrence&) const = default;
};

struct LifetimeRequest {
    double from = 0.0;  // Julian dates, UT; `to` excluded
    double to = 0.0;
    std::array<bool, kNumPatterns> patterns{true, true, true, true, true, true, true,
                                            true, true, true, true, true, true, true};
    int16_t midpointOrbPosition = kDefaultMidpointOrbPosition;
    // The convention of the positions; in the default one (the grid's) Pluto comes from its table.
    platform::Convention convention;
};

// Receives the occurrences one by one, in their order.
using OccurrenceSink = std::function<void(const PatternOccurrence&)>;

// Every occurrence of the patterns asked for within the span, with the bodies in use and the one-moment
// orbs of `astro` (which must count Pluto in when the convention takes it from the ephemeris), sorted by
// formation (those already there at the start first), then by pattern index and bodies. The span is
// searched a part at a time and each occurrence handed on as soon as its place in that order is sure, so
// that what the search holds does not grow with the span.
void PatternLifetimes(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink);

// The same, gathered.
std::vector<PatternOccurrence> PatternLifetimes(const AstroModule& astro, const LifetimeRequest& request);

// The mean deviation of `pattern` with `bodies` (named as its finder names them) at the longitudes
// `longitudes` (radians, by body slot), as the finders average it; see above for the grand sextile and
// the midpoints.
double PatternDeviation(const AstroModule& astro, int16_t pattern, std::span<const Body> bodies,
                        const std::array<double, kBodySlots>& longitudes);

// The first moment after `from` at which `count` or more of `occurrences` are present together and one of
// them involves every body of `involving` (none: any), having not been so just before; none when that
// never happens. A run until found asks this of the occurrences of the pattern it looks for.
std::optional<double> FirstFormation(std::span<const PatternOccurrence> occurrences, double from, int count,
                                     std::span<const Body> involving);

}  // namespace orvane::core
