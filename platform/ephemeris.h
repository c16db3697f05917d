#pragma once

// The ephemeris layer: heliocentric ecliptic longitudes of Mercury … Neptune and the Earth in the J2000
// frame, computed with Swiss Ephemeris (geometric positions: no light-time, aberration, deflection or
// nutation).
//
// Planet numbers follow the ephemeris' own order, which is not the order of the program's body tables:
//   1 Mercury, 2 Venus, 3 Earth, 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune.

#include <cstdint>
#include <optional>

namespace orvane::platform {

// A heliocentric ecliptic position: the longitude in radians (0 ≤ L < 2π) and the radius vector in AU.
struct HelioPosition {
    double longitude = 0.0;
    double radius = 0.0;
};

// Sets the folder searched first for the ephemeris data files (Debian's /usr/share/libswe/ephe is
// searched after it). Takes effect for every thread, before its next computation. Returns 0.
int32_t SetDataFolder(const char* folder);

// The heliocentric ecliptic position of `planet` for the J2000 equinox and ecliptic at `moment`, a Julian
// date in Universal Time; nothing for an unknown planet number or a failed computation. When the data
// files cannot be found, the built-in analytic ephemeris is used (and said so once on stderr).
std::optional<HelioPosition> HelioJ2000Position(int32_t planet, double moment);

// True once a computation had to fall back to the analytic ephemeris (data files missing).
bool EphemerisFellBackToAnalytic();

}  // namespace orvane::platform
