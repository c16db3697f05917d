#pragma once

// The ephemeris layer seen from the Earth: geocentric ecliptic positions of the Sun, the Moon and
// Mercury … Pluto from the same Swiss Ephemeris files as the heliocentric ones (the Moon from the semo_*
// files). The Earth has no place here, as the Sun and Moon have none among the heliocentric bodies.
//
// In the conventions of the heliocentric layer, read from the Earth's centre: apparent positions are
// corrected for light-time, the aberration of light and the Sun's deflection of it, as an observer on the
// Earth sees them; geometric ones are none of these. The view's usual convention is apparent positions
// in the true ecliptic and equinox of date (kGeocentricDefault).

#include "platform/ephemeris.h"

#include <array>
#include <cstdint>
#include <optional>

namespace orvane::platform {

// The bodies seen from the Earth, in the order the tables list them.
enum class GeoBody : uint8_t { Sun, Moon, Mercury, Venus, Mars, Jupiter, Saturn, Uranus, Neptune, Pluto };
inline constexpr int kNumGeoBodies = 10;
inline constexpr std::array<GeoBody, kNumGeoBodies> kGeoBodies{
    GeoBody::Sun,     GeoBody::Moon,   GeoBody::Mercury, GeoBody::Venus,   GeoBody::Mars,
    GeoBody::Jupiter, GeoBody::Saturn, GeoBody::Uranus,  GeoBody::Neptune, GeoBody::Pluto};

inline constexpr Convention kGeocentricDefault{Frame::OfDate, PositionKind::Apparent};

// The geocentric position of `body` at `moment` (Julian date, UT) in `convention`: longitude and latitude
// in radians (0 ≤ longitude < 2π), the distance from the Earth in AU, with their rates per day when
// `withSpeed` (zero otherwise). Nothing outside the ephemeris' range.
std::optional<HelioState> GeoStateIn(GeoBody body, double moment, Convention convention, bool withSpeed);

// The longitude alone (radians), as GeoStateIn gives it.
std::optional<double> GeoLongitudeIn(GeoBody body, double moment, Convention convention);

// The angles of a place: the Ascendant (the ecliptic's point rising in the east) and the Midheaven (its
// point on the meridian), in radians in the true ecliptic and equinox of date, for geographic `latitude`
// and `longitude` in degrees (north and east positive) at `moment` (Julian date, UT). Swiss Ephemeris'
// house routine with Porphyry's houses, which exist at every latitude (the two angles are the same in
// every quadrant system). Nothing where the routine fails.
struct Angles {
    double ascendant = 0.0;
    double midheaven = 0.0;
};
std::optional<Angles> AnglesAt(double moment, double latitude, double longitude);

}  // namespace orvane::platform
