#pragma once

// Heliocentric longitudes of the nine bodies: Earth and Mercury … Neptune from the ephemeris, Pluto from
// its daily table.

#include "core/pluto_table.h"

#include <cstdint>

namespace orvane::core {

// Returned for a body index outside 1 … 9 (negative: no position).
inline constexpr double kUnknownBody = -1.0;

// Year number of the civil day containing `moment` (a Julian date, UT), as the calendar layer's
// astronomers' calendar counts it.
int32_t CalendarYear(double moment);

// The ephemeris' own planet number of a body index: Earth 3, Mercury 1, Venus 2; Mars … Pluto keep
// theirs (4 … 9). 0 for an index outside 1 … 9.
int32_t EphemerisPlanetNumber(int16_t body);

// Heliocentric ecliptic longitude (J2000, radians) of `body` (1 Earth … 9 Pluto) at `moment` (Julian
// date, UT). Pluto comes from `pluto` and may be kPlutoBeforeTable or kPlutoAfterTable; an unknown body
// gives kUnknownBody.
double HelioLongitude(const PlutoTable& pluto, int16_t body, double moment);

// The number of bodies in use: 9 with a Pluto table, 8 without.
int16_t NumPlanetsFor(bool plutoTableRead);

}  // namespace orvane::core
