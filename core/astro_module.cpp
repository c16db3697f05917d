#include "core/astro_module.h"

#include "core/positions.h"

#include <cmath>

namespace orvane::core {
namespace {

Motion Compare(double later, double now)
{
    if (later > now)
        return Motion::Separating;
    if (later < now)
        return Motion::Applying;
    return Motion::Neither;
}

}  // namespace

platform::Result<void> AstroModule::ReadPlutoTable(const DescribePlutoTableFault& describe)
{
    platform::Result<void> read = pluto.Read(PlutoTablePath(), describe, checkedFiles);
    bodyCount = NumPlanetsFor(read.ok());
    return read;
}

double AstroModule::HelioLongitude(Body body, double moment) const
{
    return convention.IsDefault() ? core::HelioLongitude(pluto, body, moment)
                                  : core::HelioLongitude(pluto, body, moment, convention);
}

double AstroModule::HelioLongitude(Body body, double moment, platform::Convention convention) const
{
    return core::HelioLongitude(pluto, body, moment, convention);
}

double AstroModule::HelioLongitude(int16_t body, double moment) const
{
    const std::optional<Body> known = BodyOfIndex(body);
    return known ? HelioLongitude(*known, moment) : kUnknownBody;
}

double AstroModule::Deviation(double L1, double L2, Aspect aspect) const
{
    return std::fabs(Separation(L1, L2) - tables.aspectAngles[SlotOf(aspect)]);
}

std::optional<AspectHeld> AstroModule::FirstAspectHeld(double separation, int16_t column) const
{
    for (const Aspect aspect : kAspects) {
        const double deviation = std::fabs(separation - tables.aspectAngles[SlotOf(aspect)]);
        if (orbs.Holds(aspect, column, deviation))
            return AspectHeld{aspect, deviation};
    }
    return std::nullopt;
}

bool AstroModule::IsAspect(const ChartPositions& positions, Body p1, Body p2, Aspect aspect, double& deviation) const
{
    const std::optional<double>& L1 = positions[p1].longitude;
    const std::optional<double>& L2 = positions[p2].longitude;
    if (!L1 || !L2)
        return false;
    deviation = Deviation(*L1, *L2, aspect);
    return orbs.Holds(aspect, kOrbColumnOneMoment, deviation);
}

std::optional<double> AstroModule::ExactnessOfAspect(double L1, double L2, Aspect aspect, int16_t column) const
{
    if (column < 0 || column >= kOrbColumns)
        return std::nullopt;
    if (L1 < 0.0 || L2 < 0.0)
        return std::nullopt;
    const double d = Deviation(L1, L2, aspect);
    if (!orbs.Holds(aspect, column, d))
        return std::nullopt;
    const double orb = orbs.Orb(aspect, column);
    return (orb - d) / orb;
}

Motion AstroModule::ApplyingOrSeparatingFrom(const Position& later1, const Position& later2, Aspect aspect,
                                             double deviation) const
{
    if (!later1.longitude || !later2.longitude)
        return Motion::Neither;
    return Compare(Deviation(*later1.longitude, *later2.longitude, aspect), deviation);
}

}  // namespace orvane::core
