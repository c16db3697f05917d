#include "core/positions.h"

#include "core/astro_module.h"
#include "platform/ephemeris.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane::core {
namespace {

double Degrees(double radians)
{
    return radians / kTwoPi * 360.0;
}

class Positions : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        astro = new AstroModule;
        astro->InitializeAstroTables(ORVANE_BIN_DIR);
        plutoError = astro->ReadPlutoTable();
    }
    static void TearDownTestSuite()
    {
        delete astro;
        astro = nullptr;
    }
    static AstroModule* astro;
    static std::string plutoError;
};
AstroModule* Positions::astro = nullptr;
std::string Positions::plutoError;

TEST_F(Positions, BodiesReachTheEphemerisUnderItsNumbers)
{
    EXPECT_EQ(EphemerisPlanetNumber(kEarth), 3);
    EXPECT_EQ(EphemerisPlanetNumber(kMercury), 1);
    EXPECT_EQ(EphemerisPlanetNumber(kVenus), 2);
    EXPECT_EQ(EphemerisPlanetNumber(kMars), 4);
    EXPECT_EQ(EphemerisPlanetNumber(kNeptune), 8);
    EXPECT_EQ(EphemerisPlanetNumber(kPluto), 9);
    EXPECT_EQ(EphemerisPlanetNumber(0), 0);
    EXPECT_EQ(EphemerisPlanetNumber(10), 0);

    for (int16_t body = kEarth; body <= kNeptune; ++body)
        EXPECT_EQ(astro->HelioLongitude(body, 2451545.0),
                  platform::_hc_j2000_long_rv_planet(EphemerisPlanetNumber(body), 2451545.0, 2000, nullptr));
}

// Heliocentric longitudes at the J2000 epoch, each body near its mean longitude corrected by the
// equation of the centre (within a degree): a body mapped to the wrong planet lands far away.
TEST_F(Positions, EveryBodyWhereItStoodAtTheJ2000Epoch)
{
    const double expected[] = {0, 100.38, 253.78, 182.60, 359.45, 36.29, 45.72, 316.42, 303.93, 250.85};
    ASSERT_EQ(plutoError, "");
    for (int16_t body = kEarth; body <= kPluto; ++body)
        EXPECT_NEAR(Degrees(astro->HelioLongitude(body, 2451545.0)), expected[body], 1.0)
            << astro->tables.strPlanetName[static_cast<size_t>(body)];
    EXPECT_NEAR(Degrees(astro->HelioLongitude(kEarth, 2451545.0)), 100.377, 0.01);
}

TEST_F(Positions, PlutoComesFromItsTable)
{
    ASSERT_EQ(plutoError, "");
    EXPECT_EQ(astro->intNumPlanets, 9);
    EXPECT_DOUBLE_EQ(Degrees(astro->HelioLongitude(kPluto, 2305447.5)), astro->pluto.PlutoTableEntry(0));
    EXPECT_EQ(astro->HelioLongitude(kPluto, 2305447.4), kPlutoBeforeTable);
    EXPECT_EQ(astro->HelioLongitude(kPluto, 2524594.5), kPlutoAfterTable);
    EXPECT_GE(astro->HelioLongitude(kPluto, 2524593.4), 0.0);  // 31 December 2199, 21:36 UT
}

TEST_F(Positions, UnknownBodiesHaveNoPosition)
{
    for (const int16_t body : {0, 10, -1, 100})
        EXPECT_EQ(astro->HelioLongitude(body, 2451545.0), kUnknownBody) << body;
}

TEST_F(Positions, CalendarYearOfAMoment)
{
    EXPECT_EQ(CalendarYear(2451544.5), 2000);
    EXPECT_EQ(CalendarYear(2451544.49), 1999);
    // Before 15 October 1582 the year is counted in the Julian calendar.
    EXPECT_EQ(CalendarYear(1721423.5), 1);
    EXPECT_EQ(CalendarYear(1721422.5), 0);
    EXPECT_EQ(CalendarYear(2743738.4), 2799);
    EXPECT_EQ(CalendarYear(2743738.5), 2800);
}

TEST(PositionsWithoutPluto, EightBodiesWhenTheTableIsMissing)
{
    AstroModule astro;
    astro.InitializeAstroTables("/nonexistent-orvane-folder/");
    EXPECT_FALSE(astro.ReadPlutoTable().empty());
    EXPECT_EQ(astro.intNumPlanets, 8);
    EXPECT_FALSE(astro.PlutoDataReadOK());
    EXPECT_LT(astro.HelioLongitude(kPluto, 2451545.0), 0.0);
    EXPECT_GE(astro.HelioLongitude(kNeptune, 2451545.0), 0.0);
}

}  // namespace
}  // namespace orvane::core
