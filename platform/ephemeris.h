#pragma once

// The ephemeris layer: heliocentric ecliptic positions of Mercury … Pluto and the Earth, computed with
// Swiss Ephemeris. The grid's positions are J2000 and geometric (no light-time, aberration, deflection or
// nutation); the conventions below add the frame of date and light-time corrected positions.
//
// Planet numbers follow the ephemeris' own order, which is not the order of the program's body tables:
//   1 Mercury, 2 Venus, 3 Earth, 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune (9 Pluto where said).

#include <cstdint>
#include <optional>
#include <span>

namespace orvane::platform {

// A heliocentric ecliptic position: the longitude in radians (0 ≤ L < 2π) and the radius vector in AU.
struct HelioPosition {
    double longitude = 0.0;
    double radius = 0.0;
};

// The frame positions are given in: the mean ecliptic and equinox of J2000, or the true ecliptic and
// equinox of the moment itself (precession and nutation applied).
enum class Frame : uint8_t { J2000, OfDate };

// Geometric positions (where the body is at the moment), or apparent ones: corrected for the light-time
// from the body to the Sun, as Swiss Ephemeris computes heliocentric positions by default.
enum class PositionKind : uint8_t { Geometric, Apparent };

// How positions are computed. The default is the grid's own: J2000 and geometric, with Pluto from its
// table; in any other convention Pluto comes from the ephemeris, as the table holds J2000 geometric
// longitudes only.
struct Convention {
    Frame frame = Frame::J2000;
    PositionKind positions = PositionKind::Geometric;

    constexpr bool IsDefault() const { return frame == Frame::J2000 && positions == PositionKind::Geometric; }
    bool operator==(const Convention&) const = default;
};

// A full heliocentric position in a convention: longitude and latitude in radians (0 ≤ longitude < 2π,
// −π/2 … π/2), the distance from the Sun in AU, and their rates per day (zero unless asked for).
//
// For the Earth the longitude is the Earth's own (as everywhere in the program), while latitude and
// distance, with their rates, are those of the Earth–Moon barycentre: the Earth itself swings round it
// every month by some 4700 km, which would give its distance a monthly wobble (twelve perihelia a year)
// and its latitude a monthly sign change of under an arcsecond.
struct HelioState {
    double longitude = 0.0;
    double latitude = 0.0;
    double distance = 0.0;
    double longitudeSpeed = 0.0;
    double latitudeSpeed = 0.0;
    double distanceSpeed = 0.0;
};

// Sets the folder searched first for the ephemeris data files (Debian's /usr/share/libswe/ephe is
// searched after it). Takes effect for every thread, before its next computation. Returns 0.
int32_t SetDataFolder(const char* folder);

// The heliocentric ecliptic position of `planet` for the J2000 equinox and ecliptic at `moment`, a Julian
// date in Universal Time; nothing for an unknown planet number or a failed computation. When the data
// files cannot be found, the built-in analytic ephemeris is used (and said so once on stderr).
std::optional<HelioPosition> HelioJ2000Position(int32_t planet, double moment);

// The heliocentric position of `planet` (1 … 8 as above, 9 Pluto) at `moment` (Julian date, UT) in
// `convention`, with the rates when `withSpeed`; nothing for an unknown planet or a failed computation.
// In the default convention the longitude equals HelioJ2000Position's.
std::optional<HelioState> HelioStateIn(int32_t planet, double moment, Convention convention, bool withSpeed);

// The longitude alone (radians), as HelioStateIn gives it; nothing as there.
std::optional<double> HelioLongitudeIn(int32_t planet, double moment, Convention convention);

// A planet (1 … 9) and the moments from `from` to `to` a search is about to ask of it.
struct SequenceSpan {
    int32_t planet = 0;
    double from = 0.0;
    double to = 0.0;
};

// Tells the layer which moments a search is about to ask, so that whatever it reads them from (in a
// convention other than the default) is worked out ahead for all the spans' planets together, in the order
// of time (see convention_shift.h). Each of those moments then counts as asked in sequence, in whatever
// order it comes: read off the same nodes, it is the same as when asked in the order of time.
void PrepareSequence(std::span<const SequenceSpan> spans, Convention convention);

// Forgets what this thread worked out for moments asked in sequence (nodes, the last moment asked), so
// that what it computes next does not depend on what it computed before: a moment asked first, or alone,
// is computed directly. A run that should give exactly what a fresh process gives starts with this.
void ForgetSequence();

// True once a computation had to fall back to the analytic ephemeris (data files missing).
bool EphemerisFellBackToAnalytic();

}  // namespace orvane::platform
