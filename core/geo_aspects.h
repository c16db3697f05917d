#pragma once

// The aspects of one moment seen from the Earth: every pair of the geocentric bodies (Sun, Moon, Mercury …
// Pluto) within an aspect's one-moment orb, as the grid finds them among the heliocentric bodies: the first
// aspect in search order that holds for a pair, its deviation from exact, and whether it is applying or
// separating (its deviation half an hour later). With a place, its Ascendant and Midheaven join the bodies
// as two further points after Pluto, each paired with every body (not with each other), with the same
// orbs: an angle is a point of the ecliptic as a body is.

#include "core/astro_module.h"
#include "core/geo_angles.h"

#include <optional>
#include <vector>

namespace orvane::core {

struct GeoAspectFound {
    GeoBody body1 = GeoBody::Sun;  // the lower body in kGeoBodies' order
    GeoBody body2 = GeoBody::Moon;  // unused when `angle` is set
    Aspect aspect = Aspect::Conjunction;
    double deviation = 0.0;  // |separation − the aspect's angle|, radians
    Motion motion = Motion::Neither;
    std::optional<GeoAngle> angle;  // the second point: this angle of the place instead of body2

    bool operator==(const GeoAspectFound&) const = default;
};

// The pairs in an aspect at `moment` with the orbs of `astro` (column 0), positions in `convention`, in the
// order of kGeoBodies: by body1, then by body2, a body's pairs with the Ascendant and the Midheaven of
// `place` last. Nothing when the moment is outside the ephemeris' range; no angle where the house routine
// has none. The angles are of the ecliptic of date: `convention` should be of date too.
std::optional<std::vector<GeoAspectFound>> GeoAspectsAt(const AstroModule& astro, double moment,
                                                         platform::Convention convention,
                                                         std::optional<GeoPlace> place = std::nullopt);

}  // namespace orvane::core
