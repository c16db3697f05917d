#pragma once

// The angles of a place among the geocentric points: the Ascendant and the Midheaven
// (platform::AnglesAt, true ecliptic and equinox of date) beside the Sun, the Moon and Mercury … Pluto,
// for the aspects of a moment and the events of a span.

#include "core/geocentric.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace orvane::core {

enum class GeoAngle : uint8_t { Ascendant, Midheaven };
inline constexpr std::array<GeoAngle, 2> kGeoAngles{GeoAngle::Ascendant, GeoAngle::Midheaven};

// A place on the Earth: geographic latitude and longitude in degrees, north and east positive.
struct GeoPlace {
    double latitude = 0.0;
    double longitude = 0.0;

    bool operator==(const GeoPlace&) const = default;
};

// "Ascendant", "Midheaven": the same in every language, as the bodies' names are.
std::string_view GeoAngleName(GeoAngle angle);

// The angle's longitude (radians) among the two.
double LongitudeOf(const platform::Angles& angles, GeoAngle angle);

}  // namespace orvane::core
