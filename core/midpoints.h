#pragma once

// Midpoints: a body standing on the midpoint of two others (or on the point opposite that midpoint),
// within the midpoint orb the user chose in the configuration panel.

#include "core/astro_module.h"
#include "core/patterns.h"
#include "core/positions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvane::core {

struct RunSearchState;

// The entries of the midpoint orb list, by position: 0° 5', 0° 15', 0° 30', 1°, 1° 30', 2°, 2° 30', 3°.
inline constexpr int16_t kNumMidpointOrbs = 8;
// Their orbs in minutes of arc.
inline constexpr std::array<int32_t, kNumMidpointOrbs> kMidpointOrbMinutes{5, 15, 30, 60, 90, 120, 150, 180};
// The position that stands for a position outside the list (no selection): 0° 30', the panel's default.
inline constexpr int16_t kDefaultMidpointOrbPosition = 2;

// The midpoint orb in radians for a position of the midpoint orb list; a position outside the list
// counts as kDefaultMidpointOrbPosition.
double MidpointOrb(int16_t orbForMidpointsPosition);

// Three bodies of which the middle one stands on the midpoint of the other two, those ordered by body
// index.
struct MidpointBodies {
    Body lower = Body::Earth;
    Body middle = Body::Earth;
    Body higher = Body::Earth;
    bool operator==(const MidpointBodies&) const = default;
};

// Whether one of the bodies a, b, c (tried in this order) stands on the midpoint of the other two or on
// its opposite point, within the midpoint orb; none when no body is a midpoint, a body has no position
// or two positions are equal.
std::optional<MidpointBodies> MidpointOf(const ChartPositions& positions, int16_t orbForMidpointsPosition, Body a,
                                         Body b, Body c);

// Every midpoint among the bodies in use, leaving out pairs in conjunction and a third body in conjunction
// with either of the pair; each three bodies once, named lower-middle-higher (pattern kPatternMidpoint,
// no mean deviation). While `run` is given and looks for bodies not yet found together, each midpoint is
// handed to it.
std::vector<PatternFound> FindMidpoints(const AstroModule& astro, const ChartPositions& positions,
                                        int16_t orbForMidpointsPosition, RunSearchState* run = nullptr);

}  // namespace orvane::core
