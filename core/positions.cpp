#include "core/positions.h"

#include "core/vocabulary.h"
#include "platform/calendar.h"
#include "platform/ephemeris.h"

#include <array>
#include <limits>

namespace orvane::core {

int32_t CalendarYear(double moment)
{
    // The bodies of one moment are asked for one after another: the year of the last moment is kept.
    thread_local double lastMoment = std::numeric_limits<double>::quiet_NaN();
    thread_local int32_t lastYear = 0;
    if (moment != lastMoment) {
        lastYear = 0;
        platform::JulianDate(moment, "A", &lastYear, nullptr, nullptr, nullptr);
        lastMoment = moment;
    }
    return lastYear;
}

int32_t EphemerisPlanetNumber(int16_t body)
{
    static constexpr std::array<int32_t, 10> kPlanetNumber{0, 3, 1, 2, 4, 5, 6, 7, 8, 9};
    if (body < kEarth || body > kPluto)
        return 0;
    return kPlanetNumber[static_cast<size_t>(body)];
}

double HelioLongitude(const PlutoTable& pluto, int16_t body, double moment)
{
    const int32_t planet = EphemerisPlanetNumber(body);
    if (planet == 0)
        return kUnknownBody;
    const auto year = static_cast<int16_t>(CalendarYear(moment));
    if (planet == 9)
        return pluto.PlutoLongitude(moment);
    double radiusVector = 0.0;  // not needed
    return platform::HelioJ2000LongitudeRadius(planet, moment, year, &radiusVector);
}

int16_t NumPlanetsFor(bool plutoTableRead)
{
    return plutoTableRead ? kPluto : kNeptune;
}

}  // namespace orvane::core
