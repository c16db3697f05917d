#include "platform/ephemeris.h"

#include <swephexp.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <thread>
#include <vector>

namespace orvane::platform {
namespace {

constexpr double kArcsecond = 3.14159265358979323846 / 180.0 / 3600.0;
constexpr double kDegree = 3.14159265358979323846 / 180.0;

double Degrees(double radians)
{
    return radians / kDegree;
}

// Difference of two longitudes in arcseconds, across 0°/360°.
double ArcsecondsBetween(double a, double b)
{
    double d = std::fmod(std::fabs(a - b), 2.0 * 3.14159265358979323846);
    if (d > 3.14159265358979323846)
        d = 2.0 * 3.14159265358979323846 - d;
    return d / kArcsecond;
}

constexpr std::array<int32_t, 10> kSwissBody{-1,         SE_MERCURY, SE_VENUS,   SE_EARTH,   SE_MARS,
                                             SE_JUPITER, SE_SATURN,  SE_URANUS,  SE_NEPTUNE, SE_PLUTO};

// The longitude and radius vector the layer must return, asked of Swiss Ephemeris in another way: in
// Terrestrial Time (UT + ΔT), geometric, heliocentric, J2000.
std::array<double, 6> Reference(int32_t planet, double momentUt, int32_t flags)
{
    const double tt = momentUt + swe_deltat_ex(momentUt, SEFLG_SWIEPH, nullptr);
    std::array<double, 6> xx{};
    char serr[AS_MAXCH];
    swe_calc(tt, kSwissBody[static_cast<size_t>(planet)], flags, xx.data(), serr);
    return xx;
}

constexpr int32_t kContract = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_J2000 | SEFLG_NONUT | SEFLG_TRUEPOS |
                              SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_RADIANS;

class EphemerisLayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDataFolder("/nonexistent-orvane-folder/");
        swe_set_ephe_path("/usr/share/libswe/ephe");
    }
};

// The moment is Universal Time and the position geometric in the J2000 frame: compared with Swiss
// Ephemeris asked in Terrestrial Time, over dates from antiquity (where ΔT is hours) to the future.
TEST_F(EphemerisLayer, MatchesTheContractForEveryPlanet)
{
    const double moments[] = {1000000.5, 1721425.5, 2000000.25, 2305447.5, 2451545.0, 2460000.8, 2524593.5,
                              2743738.9};
    for (int32_t planet = 1; planet <= 8; ++planet)
        for (const double moment : moments) {
            const HelioPosition position = HelioJ2000Position(planet, moment).value();
            const std::array<double, 6> reference = Reference(planet, moment, kContract);
            EXPECT_TRUE(position.longitude >= 0.0 && position.longitude < 2.0 * 3.14159265358979323846) << position.longitude;
            EXPECT_LT(ArcsecondsBetween(position.longitude, reference[0]), 0.001) << "planet " << planet << " at " << moment;
            EXPECT_NEAR(position.radius, reference[2], 1e-9) << "planet " << planet << " at " << moment;
        }
    EXPECT_FALSE(EphemerisFellBackToAnalytic());
}

// Independent of Swiss Ephemeris: at the equinox and the solstices of 2000 the apparent Sun stood at 0°,
// 90° and 270° of date, so the Earth stood opposite. The Earth's geometric J2000 longitude differs from
// that by aberration, nutation and a fraction of a year's precession, together well under an arcminute.
// Its distance two days before perihelion is the perihelion distance.
TEST_F(EphemerisLayer, EarthStandsOppositeTheAlmanacSun)
{
    struct Almanac { double moment, sunDegrees; };  // the moment in UT
    const Almanac almanac[] = {
        {2451623.5 + 7.0 / 24 + 35.0 / 1440, 0.0},     // 2000-03-20 07:35 UT, March equinox
        {2451716.5 + 1.0 / 24 + 48.0 / 1440, 90.0},    // 2000-06-21 01:48 UT, June solstice
        {2451899.5 + 13.0 / 24 + 37.0 / 1440, 270.0},  // 2000-12-21 13:37 UT, December solstice
    };
    for (const Almanac& a : almanac) {
        const double earth = HelioJ2000Position(3, a.moment)->longitude;
        EXPECT_LT(ArcsecondsBetween(earth, (a.sunDegrees + 180.0) * kDegree), 60.0) << a.moment;
    }
    const HelioPosition perihelion = HelioJ2000Position(3, 2451545.0).value();
    EXPECT_NEAR(Degrees(perihelion.longitude), 100.377, 0.01);
    EXPECT_NEAR(perihelion.radius, 0.9833, 0.0005);
}

TEST_F(EphemerisLayer, UnknownPlanetNumbersHaveNoPosition)
{
    for (const int32_t planet : {0, 9, -1, 1000})
        EXPECT_FALSE(HelioJ2000Position(planet, 2451545.0)) << planet;
}

// In the true ecliptic and equinox of date, the longitude and latitude equal Swiss Ephemeris' own, for
// moments asked one by one far apart and for moments asked in sequence as a search asks them (where the
// nutation comes from daily values), geometric and apparent alike.
TEST_F(EphemerisLayer, FrameOfDateEqualsSwissEphemerisFrameOfDate)
{
    constexpr int32_t kOfDate = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_NOABERR | SEFLG_NOGDEFL | SEFLG_RADIANS;
    std::vector<double> moments;
    for (int k = 0; k < 40; ++k)  // one by one, 1800 to 2400
        moments.push_back(2378496.5 + k * 5477.3);
    for (int k = 0; k < 200; ++k)  // in sequence, through a month
        moments.push_back(2460000.5 + k * 0.1537);
    for (const PositionKind kind : {PositionKind::Geometric, PositionKind::Apparent}) {
        for (const double moment : moments) {
            for (int32_t planet = 1; planet <= 9; ++planet) {
                const int32_t flags = kOfDate | (kind == PositionKind::Geometric ? SEFLG_TRUEPOS : 0);
                const std::array<double, 6> reference = Reference(planet, moment, flags);
                const HelioState state = HelioStateIn(planet, moment, {Frame::OfDate, kind}, false).value();
                ASSERT_LT(ArcsecondsBetween(state.longitude, reference[0]), 0.001) << planet << " at " << moment;
                if (planet != 3) {  // the Earth's latitude is the barycentre's
                    ASSERT_LT(std::fabs(state.latitude - reference[1]) / kArcsecond, 0.001) << planet << " at " << moment;
                }
            }
        }
    }
}

// The rates of date are those of the positions themselves: a latitude's extreme found from its rate lies
// where the latitude turns (Mars' rate of date must not carry the frame's noise, which once moved its
// flat extreme of March 2025 by two hours).
TEST_F(EphemerisLayer, RatesOfDateFollowThePositions)
{
    const Convention ofDate{Frame::OfDate, PositionKind::Geometric};
    constexpr double h = 0.01;
    for (int32_t planet = 1; planet <= 9; ++planet)
        for (const double moment : {2460744.2, 2451545.0, 2415020.5}) {
            const HelioState state = HelioStateIn(planet, moment, ofDate, true).value();
            const HelioState before = HelioStateIn(planet, moment - h, ofDate, false).value();
            const HelioState after = HelioStateIn(planet, moment + h, ofDate, false).value();
            const double latitudeRate = (after.latitude - before.latitude) / (2 * h);
            EXPECT_LT(std::fabs(state.latitudeSpeed - latitudeRate) / kArcsecond, 0.01) << planet << " at " << moment;
        }
}

// The ephemeris keeps its state per thread: a computing thread gets the same answer.
TEST_F(EphemerisLayer, SameResultInAnotherThread)
{
    const double here = HelioJ2000Position(4, 2440000.5)->longitude;
    double there = -2.0;
    std::thread worker([&there] { there = HelioJ2000Position(4, 2440000.5)->longitude; });
    worker.join();
    EXPECT_LT(ArcsecondsBetween(here, there), 0.001);
}

}  // namespace
}  // namespace orvane::platform
