#pragma once

// Midpoints: a body standing on the midpoint of two others (or on the point opposite that midpoint),
// within the midpoint orb the user chose in the configuration panel.

#include "core/astro_module.h"
#include "core/aspects.h"

#include <array>
#include <cstdint>
#include <string>

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

// Whether one of the bodies a, b, c (tried in this order) stands on the midpoint of the other two or on
// its opposite point, within the midpoint orb. Returns "lower-middle-higher" — the middle body between
// the other two ordered by body index — in abbreviations ("Ea-Ma-Ju") or, with fullNames, in names
// ("Earth-Mars-Jupiter"); the empty text when no body is a midpoint, a position is negative or two
// positions are equal.
std::string MidpointText(const AstroModule& astro, const PositionTable& longitudes, int16_t orbForMidpointsPosition,
                         int16_t a, int16_t b, int16_t c, bool fullNames);

// Looks for every midpoint among the bodies in use, leaving out pairs in conjunction and a third body in
// conjunction with either of the pair. `count` receives the number of different midpoints and `text`
// one line each: "Midpoint: Ea-Ma-Ju\r\n", or with fullNames "Earth-Mars-Jupiter\r\n". While `run`
// is given and looks for bodies not yet found together, each midpoint is handed to it.
void CheckForMidpoint(const AstroModule& astro, const PositionTable& longitudes, int16_t orbForMidpointsPosition,
                      bool fullNames, int16_t& count, std::string& text, RunSearchState* run = nullptr);

}  // namespace orvane::core
