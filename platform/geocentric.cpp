#include "platform/geocentric.h"

#include "platform/swiss_calls.h"

#include <cstdio>

namespace orvane::platform {
namespace {

// Swiss Ephemeris' body numbers, by GeoBody.
constexpr std::array<int32_t, kNumGeoBodies> kSwissBody{SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,
                                                        SE_MARS,    SE_JUPITER, SE_SATURN, SE_URANUS,
                                                        SE_NEPTUNE, SE_PLUTO};

// The flags of a convention seen from the Earth. Unlike the heliocentric layer, the frame of date takes
// Swiss Ephemeris' own nutation: the apparent position is corrected for aberration and deflection in the
// equator of J2000 before the turn into the frame of date, so the turn cannot be done after the fact.
constexpr int32_t FlagsOf(Convention convention)
{
    int32_t flags = SEFLG_SWIEPH | SEFLG_RADIANS;
    if (convention.frame == Frame::J2000)
        flags |= SEFLG_J2000 | SEFLG_NONUT;
    if (convention.positions == PositionKind::Geometric)
        flags |= SEFLG_TRUEPOS | SEFLG_NOABERR | SEFLG_NOGDEFL;
    return flags;
}

std::optional<swiss::Values> Computed(GeoBody body, double moment, Convention convention, bool withSpeed)
{
    swiss::ApplyFolderToThisThread();
    swiss::Values xx{};
    swiss::ErrorText serr;
    serr[0] = '\0';
    const int32_t flags = FlagsOf(convention) | (withSpeed ? SEFLG_SPEED : 0);
    const int32_t result = swiss::CalcUt(moment, kSwissBody[static_cast<size_t>(body)], xx, serr, flags);
    if (result < 0)
        return std::nullopt;
    if ((result & SEFLG_SWIEPH) == 0)
        swiss::ReportFallbackOnce(serr.data());
    return xx;
}

}  // namespace

std::optional<HelioState> GeoStateIn(GeoBody body, double moment, Convention convention, bool withSpeed)
{
    const std::optional<swiss::Values> xx = Computed(body, moment, convention, withSpeed);
    if (!xx)
        return std::nullopt;
    const swiss::Values& x = *xx;
    return HelioState{x[0], x[1], x[2], x[3], x[4], x[5]};
}

std::optional<double> GeoLongitudeIn(GeoBody body, double moment, Convention convention)
{
    const std::optional<swiss::Values> xx = Computed(body, moment, convention, false);
    return xx ? std::optional((*xx)[0]) : std::nullopt;
}

std::optional<Angles> AnglesAt(double moment, double latitude, double longitude)
{
    swiss::ApplyFolderToThisThread();
    std::array<double, 13> cusps{};
    std::array<double, 10> angles{};
    if (swe_houses_ex(moment, SEFLG_SWIEPH, latitude, longitude, 'O', cusps.data(), angles.data()) < 0)
        return std::nullopt;
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    return Angles{angles[SE_ASC] * kRadiansPerDegree, angles[SE_MC] * kRadiansPerDegree};
}

}  // namespace orvane::platform
