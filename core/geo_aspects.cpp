#include "core/geo_aspects.h"

#include <array>
#include <cstddef>

namespace orvane::core {
namespace {

constexpr double kHalfHour = 1.0 / 48.0;
constexpr size_t kNumPoints = platform::kNumGeoBodies + kGeoAngles.size();

// The bodies' longitudes in the order of kGeoBodies, then the place's angles (none without a place or
// where the house routine fails).
struct Points {
    std::array<double, kNumPoints> longitudes{};
    size_t count = platform::kNumGeoBodies;
};

std::optional<Points> PointsAt(double moment, platform::Convention convention, const std::optional<GeoPlace>& place)
{
    Points points;
    for (size_t slot = 0; slot < platform::kGeoBodies.size(); ++slot) {
        const std::optional<double> longitude = platform::GeoLongitudeIn(platform::kGeoBodies[slot], moment, convention);
        if (!longitude)
            return std::nullopt;
        points.longitudes[slot] = *longitude;
    }
    if (!place)
        return points;
    if (const std::optional<platform::Angles> angles = platform::AnglesAt(moment, place->latitude, place->longitude)) {
        for (const GeoAngle angle : kGeoAngles)
            points.longitudes[points.count++] = LongitudeOf(*angles, angle);
    }
    return points;
}

Motion MotionOf(double later, double now)
{
    return later > now ? Motion::Separating : later < now ? Motion::Applying : Motion::Neither;
}

// The aspect's second point: a body, or after them an angle.
void NameSecond(GeoAspectFound& aspect, size_t second)
{
    if (second < platform::kGeoBodies.size())
        aspect.body2 = platform::kGeoBodies[second];
    else
        aspect.angle = kGeoAngles[second - platform::kGeoBodies.size()];
}

}  // namespace

std::optional<std::vector<GeoAspectFound>> GeoAspectsAt(const AstroModule& astro, double moment,
                                                         platform::Convention convention,
                                                         std::optional<GeoPlace> place)
{
    const std::optional<Points> now = PointsAt(moment, convention, place);
    if (!now)
        return std::nullopt;
    // Half an hour later only when some pair is in an aspect, and once for all of them.
    std::optional<Points> later;
    std::vector<GeoAspectFound> found;
    // The first point is always a body: the angles pair with the bodies, never with each other.
    for (size_t first = 0; first < platform::kGeoBodies.size(); ++first)
        for (size_t second = first + 1; second < now->count; ++second) {
            const std::optional<AspectHeld> held = astro.FirstAspectHeld(
                Separation(now->longitudes[first], now->longitudes[second]), kOrbColumnOneMoment);
            if (!held)
                continue;
            if (!later)
                later = PointsAt(moment + kHalfHour, convention, place);
            GeoAspectFound aspect{platform::kGeoBodies[first], platform::kGeoBodies[first], held->aspect,
                                  held->deviation, Motion::Neither, std::nullopt};
            NameSecond(aspect, second);
            if (later && second < later->count)
                aspect.motion = MotionOf(
                    astro.Deviation(later->longitudes[first], later->longitudes[second], held->aspect), held->deviation);
            found.push_back(aspect);
        }
    return found;
}

}  // namespace orvane::core
