#include "core/positions.h"

#include "core/vocabulary.h"
#include "platform/ephemeris.h"

#include <algorithm>
#include <array>
#include <vector>

namespace orvane::core {

int32_t EphemerisPlanetNumber(int16_t body)
{
    static constexpr std::array<int32_t, 10> kPlanetNumber{0, 3, 1, 2, 4, 5, 6, 7, 8, 9};
    if (body < kEarth || body > kPluto)
        return 0;
    return kPlanetNumber[static_cast<size_t>(body)];
}

double HelioLongitude(const PlutoTable& pluto, Body body, double moment)
{
    const int32_t planet = EphemerisPlanetNumber(IndexOf(body));
    if (planet == 9)
        return pluto.PlutoLongitude(moment);
    const std::optional<platform::HelioPosition> position = platform::HelioJ2000Position(planet, moment);
    return position ? position->longitude : kUnknownBody;
}

double HelioLongitude(const PlutoTable& pluto, Body body, double moment, platform::Convention convention)
{
    if (PlutoFromTable(convention))
        return HelioLongitude(pluto, body, moment);
    const std::optional<double> longitude =
        platform::HelioLongitudeIn(EphemerisPlanetNumber(IndexOf(body)), moment, convention);
    return longitude ? *longitude : kUnknownBody;
}

void PrepareMoments(std::span<const BodySpan> spans, platform::Convention convention)
{
    if (convention.IsDefault())
        return;
    std::vector<platform::SequenceSpan> planets;
    planets.reserve(spans.size());
    for (const BodySpan& span : spans)
        planets.push_back({EphemerisPlanetNumber(IndexOf(span.body)), span.from, span.to});
    platform::PrepareSequence(planets, convention);
}

int16_t NumPlanetsIn(platform::Convention convention, bool plutoTableRead)
{
    return PlutoFromTable(convention) ? NumPlanetsFor(plutoTableRead) : kPluto;
}

std::optional<platform::HelioState> HelioStateOf(const PlutoTable& pluto, Body body, double moment,
                                                 platform::Convention convention, bool withSpeed)
{
    std::optional<platform::HelioState> state =
        platform::HelioStateIn(EphemerisPlanetNumber(IndexOf(body)), moment, convention, withSpeed);
    if (state && body == Body::Pluto && PlutoFromTable(convention)) {
        const double L = pluto.PlutoLongitude(moment);
        if (L < 0.0)
            return std::nullopt;
        state->longitude = L;
    }
    return state;
}

Position PositionOf(double helioLongitude)
{
    if (helioLongitude >= 0.0)
        return {helioLongitude, NoPosition::NotInUse};
    if (helioLongitude == kPlutoBeforeTable)
        return {std::nullopt, NoPosition::BeforePlutoTable};
    if (helioLongitude == kPlutoAfterTable)
        return {std::nullopt, NoPosition::AfterPlutoTable};
    return {std::nullopt, NoPosition::NoEphemeris};
}

int16_t NumPlanetsFor(bool plutoTableRead)
{
    return plutoTableRead ? kPluto : kNeptune;
}

DailyMotion DailyMotionOf(Body body)
{
    // Degrees a day from the orbits' mean motion, eccentricity and inclination (see the header), nine
    // tenths of the aphelion motion and eleven tenths of the perihelion motion.
    static constexpr std::array<DailyMotion, 10> kDegreesPerDay{{
        {0.0, 0.0},
        {0.858, 1.122},        // Earth
        {2.461, 7.034},        // Mercury
        {1.420, 1.790},        // Venus
        {0.3925, 0.6987},      // Mars
        {0.06794, 0.1009},     // Jupiter
        {0.02705, 0.04110},    // Saturn
        {0.009617, 0.01421},   // Uranus
        {0.005289, 0.006698},  // Neptune
        {0.002117, 0.007833},  // Pluto
    }};
    const DailyMotion degrees = kDegreesPerDay[SlotOf(body)];
    constexpr double kRadiansPerDegree = kTwoPi / 360.0;
    return {degrees.least * kRadiansPerDegree, degrees.greatest * kRadiansPerDegree};
}

namespace {

// A body's greatest change of daily motion a day (radians per day²) and of that change a day (per day³).
struct MotionChange {
    double acceleration;
    double jerk;
};

constexpr std::array<MotionChange, 10> kMotionChanges{{
    {0.0, 0.0},
    {2.4e-5, 1.3e-6},     // Earth
    {5.7e-3, 9.0e-4},     // Mercury
    {3.0e-5, 9.2e-7},     // Venus
    {3.4e-5, 4.8e-7},     // Mars
    {4.4e-7, 8.5e-10},    // Jupiter
    {9.0e-8, 8.4e-11},    // Saturn
    {1.2e-8, 9.3e-12},    // Uranus
    {2.0e-9, 3.6e-12},    // Neptune
    {1.5e-8, 5.2e-12},    // Pluto
}};

}  // namespace

double GreatestDailyAcceleration(Body body)
{
    return kMotionChanges[SlotOf(body)].acceleration;
}

double GreatestDailyJerk(Body body)
{
    return kMotionChanges[SlotOf(body)].jerk;
}

double LongitudeRounding(Body body)
{
    // Half an arcsecond of the table's rounding and the linear interpolation between its midnights.
    return body == Body::Pluto ? 3.0e-6 : 1.0e-7;
}

double GreatestDailySeparationChange(Body p1, Body p2, bool firstFixed)
{
    const DailyMotion m2 = DailyMotionOf(p2);
    if (firstFixed)
        return m2.greatest;
    const DailyMotion m1 = DailyMotionOf(p1);
    return std::max(m1.greatest - m2.least, m2.greatest - m1.least);
}

}  // namespace orvane::core
