#include "core/geo_aspects.h"

#include <array>
#include <cstddef>

namespace orvane::core {
namespace {

constexpr double kHalfHour = 1.0 / 48.0;

using Longitudes = std::array<double, platform::kNumGeoBodies>;

std::optional<Longitudes> LongitudesAt(double moment, platform::Convention convention)
{
    Longitudes longitudes{};
    for (size_t slot = 0; slot < platform::kGeoBodies.size(); ++slot) {
        const std::optional<double> longitude = platform::GeoLongitudeIn(platform::kGeoBodies[slot], moment, convention);
        if (!longitude)
            return std::nullopt;
        longitudes[slot] = *longitude;
    }
    return longitudes;
}

Motion MotionOf(double later, double now)
{
    return later > now ? Motion::Separating : later < now ? Motion::Applying : Motion::Neither;
}

}  // namespace

std::optional<std::vector<GeoAspectFound>> GeoAspectsAt(const AstroModule& astro, double moment,
                                                         platform::Convention convention)
{
    const std::optional<Longitudes> now = LongitudesAt(moment, convention);
    if (!now)
        return std::nullopt;
    // Half an hour later only when some pair is in an aspect, and once for all of them.
    std::optional<Longitudes> later;
    std::vector<GeoAspectFound> found;
    for (size_t first = 0; first < now->size(); ++first)
        for (size_t second = first + 1; second < now->size(); ++second) {
            const std::optional<AspectHeld> held =
                astro.FirstAspectHeld(Separation((*now)[first], (*now)[second]), kOrbColumnOneMoment);
            if (!held)
                continue;
            if (!later)
                later = LongitudesAt(moment + kHalfHour, convention);
            GeoAspectFound aspect{platform::kGeoBodies[first], platform::kGeoBodies[second], held->aspect,
                                  held->deviation};
            if (later)
                aspect.motion = MotionOf(astro.Deviation((*later)[first], (*later)[second], held->aspect),
                                         held->deviation);
            found.push_back(aspect);
        }
    return found;
}

}  // namespace orvane::core
