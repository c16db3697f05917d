#pragma once

// The aspects of one moment seen from the Earth: every pair of the geocentric bodies (Sun, Moon, Mercury …
// Pluto) within an aspect's one-moment orb, as the grid finds them among the heliocentric bodies: the first
// aspect in search order that holds for a pair, its deviation from exact, and whether it is applying or
// separating (its deviation half an hour later).

#include "core/astro_module.h"
#include "core/geocentric.h"

#include <optional>
#include <vector>

namespace orvane::core {

struct GeoAspectFound {
    GeoBody body1 = GeoBody::Sun;  // the lower body in kGeoBodies' order
    GeoBody body2 = GeoBody::Moon;
    Aspect aspect = Aspect::Conjunction;
    double deviation = 0.0;  // |separation − the aspect's angle|, radians
    Motion motion = Motion::Neither;

    bool operator==(const GeoAspectFound&) const = default;
};

// The pairs in an aspect at `moment` with the orbs of `astro` (column 0), positions in `convention`, in the
// order of kGeoBodies: by body1, then by body2. Nothing when the moment is outside the ephemeris' range.
std::optional<std::vector<GeoAspectFound>> GeoAspectsAt(const AstroModule& astro, double moment,
                                                         platform::Convention convention);

}  // namespace orvane::core
