#include "core/astro_module.h"

#include "core/positions.h"

#include <cmath>

namespace orvane::core {
namespace {

constexpr double kHalfHour = 1.0 / 48.0;

bool ValidBody(int16_t body)
{
    return body >= 0 && body <= kMaxBodyIndex;
}

int16_t Compare(double later, double now)
{
    if (later > now)
        return 1;
    if (later < now)
        return -1;
    return 0;
}

}  // namespace

platform::Result<void> AstroModule::ReadPlutoTable()
{
    platform::Result<void> read = pluto.Read(tables.dataFolderPath + kPlutoTableFileName);
    bodyCount = NumPlanetsFor(read.ok());
    return read;
}

double AstroModule::HelioLongitude(int16_t body, double moment) const
{
    return core::HelioLongitude(pluto, body, moment);
}

double AstroModule::Deviation(double L1, double L2, int16_t aspect) const
{
    return std::fabs(Separation(L1, L2) - tables.aspectAngles[static_cast<size_t>(aspect)]);
}

bool AstroModule::IsAspect(const PositionTable& longitudes, int16_t p1, int16_t p2, int16_t aspect,
                           double& deviation) const
{
    if (!ValidBody(p1) || !ValidBody(p2) || !ValidAspect(aspect))
        return false;
    const double L1 = longitudes[static_cast<size_t>(p1)][0];
    const double L2 = longitudes[static_cast<size_t>(p2)][0];
    if (L1 < 0.0 || L2 < 0.0)
        return false;
    deviation = Deviation(L1, L2, aspect);
    return deviation < orbs.orbs[static_cast<size_t>(aspect)][kOrbColumnOneMoment];
}

bool AstroModule::IsAspectWithExactness(double L1, double L2, int16_t aspect, int16_t column,
                                        double& exactness) const
{
    if (!ValidAspect(aspect) || column < 0 || column >= kOrbColumns)
        return false;
    if (L1 < 0.0 || L2 < 0.0)
        return false;
    const double d = Deviation(L1, L2, aspect);
    const double orb = orbs.orbs[static_cast<size_t>(aspect)][static_cast<size_t>(column)];
    if (d < orb) {
        exactness = (orb - d) / orb;
        return true;
    }
    exactness = -1.0;
    return false;
}

int16_t AstroModule::ApplyingOrSeparating(double moment, int16_t p1, int16_t p2, int16_t aspect,
                                          double deviation) const
{
    const double t = moment + kHalfHour;
    return ApplyingOrSeparatingFrom(HelioLongitude(p1, t), HelioLongitude(p2, t), aspect, deviation);
}

int16_t AstroModule::ApplyingOrSeparatingFrom(double laterL1, double laterL2, int16_t aspect, double deviation) const
{
    if (!ValidAspect(aspect))
        return 0;
    if (laterL1 < 0.0 || laterL2 < 0.0)
        return 0;  // a body leaves its table within the half hour: no direction can be told
    return Compare(Deviation(laterL1, laterL2, aspect), deviation);
}

int16_t AstroModule::TransitApplyingOrSeparating(double worldMoment, double natalL, int16_t p, int16_t aspect,
                                                 double deviation) const
{
    return ApplyingOrSeparatingFrom(HelioLongitude(p, worldMoment + kHalfHour), natalL, aspect, deviation);
}

}  // namespace orvane::core
