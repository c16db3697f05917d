#include "core/positions.h"

#include "platform/ephemeris.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane::core {
namespace {

double Degrees(double radians)
{
    return radians / kTwoPi * 360.0;
}

// The program's ephemeris and Pluto table.
using Positions = testing::ProgramTest;

// Heliocentric longitudes at the J2000 epoch, each body near its mean longitude corrected by the
// equation of the centre (within a degree): a body mapped to the wrong planet lands far away.
TEST_F(Positions, EveryBodyWhereItStoodAtTheJ2000Epoch)
{
    const double expected[] = {0, 100.38, 253.78, 182.60, 359.45, 36.29, 45.72, 316.42, 303.93, 250.85};
    for (int16_t body = kEarth; body <= kPluto; ++body)
        EXPECT_NEAR(Degrees(program->astro.HelioLongitude(body, 2451545.0)), expected[body], 1.0)
            << program->astro.tables.bodyNames[static_cast<size_t>(body)];
    // All but Pluto come from the ephemeris layer as they are.
    for (int16_t body = kEarth; body <= kNeptune; ++body)
        EXPECT_EQ(program->astro.HelioLongitude(body, 2451545.0),
                  platform::HelioJ2000LongitudeRadius(EphemerisPlanetNumber(body), 2451545.0, 2000, nullptr));
}

TEST_F(Positions, UnknownBodiesHaveNoPosition)
{
    EXPECT_EQ(program->astro.bodyCount, 9);
    for (const int16_t body : {0, 10, -1, 100})
        EXPECT_EQ(program->astro.HelioLongitude(body, 2451545.0), kUnknownBody) << body;
}

TEST_F(Positions, CalendarYearOfAMoment)
{
    // Before 15 October 1582 the year is counted in the Julian calendar.
    for (const auto& [moment, year] : {std::pair(2451544.5, 2000), {2451544.49, 1999}, {1721423.5, 1}, {1721422.5, 0},
                                       {2743738.4, 2799}, {2743738.5, 2800}})
        EXPECT_EQ(CalendarYear(moment), year) << moment;
}

TEST(PositionsWithoutPluto, EightBodiesWhenTheTableIsMissing)
{
    AstroModule astro;
    astro.InitializeAstroTables("/nonexistent-orvane-folder/");
    EXPECT_FALSE(astro.ReadPlutoTable().ok() || astro.PlutoDataReadOK());
    EXPECT_EQ(astro.bodyCount, 8);
    EXPECT_TRUE(astro.HelioLongitude(kPluto, 2451545.0) < 0.0 && astro.HelioLongitude(kNeptune, 2451545.0) >= 0.0);
}

}  // namespace
}  // namespace orvane::core
