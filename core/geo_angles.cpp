#include "core/geo_angles.h"

namespace orvane::core {

std::string_view GeoAngleName(GeoAngle angle)
{
    return angle == GeoAngle::Ascendant ? "Ascendant" : "Midheaven";
}

double LongitudeOf(const platform::Angles& angles, GeoAngle angle)
{
    return angle == GeoAngle::Ascendant ? angles.ascendant : angles.midheaven;
}

}  // namespace orvane::core
