#pragma once

// The geocentric perspective beside the heliocentric one: the bodies seen from the Earth (platform/
// geocentric.h) as a second source of positions, their names, how they pair with the heliocentric bodies,
// and the two perspectives side by side for one moment.

#include "core/pluto_table.h"
#include "core/positions.h"
#include "core/vocabulary.h"
#include "platform/geocentric.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace orvane::core {

using platform::GeoBody;

// Where positions are seen from: the Sun (the program's own view) or the Earth.
enum class Perspective : uint8_t { Heliocentric, Geocentric };

// The name and abbreviation of a body seen from the Earth ("Sun", "Su"; the planets as the body tables
// name them), the same in every language as the body names are.
std::string_view GeoBodyName(GeoBody body);
std::string_view GeoBodyAbbrev(GeoBody body);

// The geocentric body of a name or abbreviation (any case); none for another name, the Earth's included.
std::optional<GeoBody> GeoBodyNamed(std::string_view name);

// The same planet in the other perspective: the Sun and the Moon have no heliocentric body, the Earth no
// geocentric one.
std::optional<Body> HelioBodyOf(GeoBody body);
std::optional<GeoBody> GeoBodyOf(Body body);

// A body's longitude (radians) in both perspectives at one moment, each none where the body has no place
// in that perspective or no position there (Pluto beyond its table).
struct ComparedPosition {
    std::string_view name;
    std::optional<double> helio;
    std::optional<double> geo;

    // Geocentric less heliocentric longitude, in −π … π; none unless both are there.
    std::optional<double> Difference() const;
};

// Every body of either perspective once, in the order Sun, Moon, Earth, Mercury … Pluto: heliocentric
// longitudes in `helio` (Pluto from its table in the default convention), geocentric ones in `geo`.
// Nothing when the moment is outside the ephemeris' range.
inline constexpr int kNumComparedBodies = kNumBodies + 2;
std::optional<std::array<ComparedPosition, kNumComparedBodies>>
ComparePerspectives(const PlutoTable& pluto, double moment, platform::Convention helio, platform::Convention geo);

}  // namespace orvane::core
