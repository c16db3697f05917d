#pragma once

// The ephemeris layer: heliocentric ecliptic longitudes of Mercury … Neptune and the Earth in the J2000
// frame, computed with Swiss Ephemeris (geometric positions: no light-time, aberration, deflection or
// nutation).
//
// Planet numbers follow the ephemeris' own order, which is not the order of the program's body tables:
//   1 Mercury, 2 Venus, 3 Earth, 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune.

#include <cstdint>

namespace orvane::platform {

// Returned by HelioJ2000LongitudeRadius for a planet number outside 1 … 8 or a moment the ephemeris
// cannot compute. Negative, so that every consumer treats it as "no position".
inline constexpr double kEphemerisError = -1.0;

// Sets the folder searched first for the ephemeris data files (Debian's /usr/share/libswe/ephe is
// searched after it). Takes effect for every thread, before its next computation. Returns 0.
int32_t SetDataFolder(const char* folder);

// Heliocentric ecliptic longitude (radians, 0 ≤ L < 2π) of `planet` for the J2000 equinox and ecliptic at
// `moment`, a Julian date in Universal Time. `year` is the calendar year of the moment; it is accepted for
// the call's sake and not needed here. Writes the radius vector (AU) to *radiusVector when it is not null.
// An unknown planet number or a failed computation returns kEphemerisError and leaves *radiusVector as it
// was. When the data files cannot be found, the built-in analytic ephemeris is used (and said so once on
// stderr).
double HelioJ2000LongitudeRadius(int32_t planet, double moment, int32_t year, double* radiusVector);

// True once a computation had to fall back to the analytic ephemeris (data files missing).
bool EphemerisFellBackToAnalytic();

}  // namespace orvane::platform
