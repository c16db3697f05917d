#pragma once

// The synodic cycles of two bodies seen from the Earth, in the terms of core/cycles.h: from one
// conjunction to the next, the phase angle the faster body's lead, the phases its passes of 30°, 60° …
// 330°. "Faster" is the shorter mean geocentric period: the Moon's month, then the year the Sun, Mercury
// and Venus take alike (the two inner planets never stray far from the Sun), then Mars … Pluto as seen
// from the Sun. Two of the Sun, Mercury and Venus therefore have no synodic cycle: their phase angle swings
// about 0° and never laps.
//
// Seen from the Earth a planet's retrograde motion turns the phase angle back for a while, so a phase (a
// conjunction too) may be passed three times; each pass is listed in the order of time, and each
// conjunction begins a cycle. The moments are the exact aspects of the geocentric event search
// (core/geo_events.h), as precise as its events.

#include "core/cycles.h"
#include "core/geocentric.h"

#include <optional>
#include <vector>

namespace orvane::core {

// Whether two different bodies have a synodic cycle seen from the Earth (see above).
bool HaveGeoCycle(GeoBody a, GeoBody b);

class GeoCycleSearch {
public:
    // The cycles of two bodies that HaveGeoCycle, positions in `convention`.
    GeoCycleSearch(GeoBody a, GeoBody b, platform::Convention convention);

    GeoBody Faster() const { return m_faster; }
    GeoBody Slower() const { return m_slower; }

    // As CycleSearch::Cycles: the cycle in progress at `from` (its conjunction looked for up to one and a
    // half mean cycles back) and every cycle beginning before `to`, each whole.
    std::vector<SynodicCycle> Cycles(double from, double to) const;

    // The phase angle (radians, 0 … 2π) at `moment`; none outside the ephemeris' range.
    std::optional<double> PhaseAt(double moment) const;

private:
    platform::Convention m_convention;
    GeoBody m_faster;
    GeoBody m_slower;
};

}  // namespace orvane::core
