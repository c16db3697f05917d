#include "core/positions.h"

#include "platform/ephemeris.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

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
                  platform::HelioJ2000Position(EphemerisPlanetNumber(body), 2451545.0)->longitude);
}

TEST_F(Positions, UnknownBodiesHaveNoPosition)
{
    EXPECT_EQ(program->astro.bodyCount, 9);
    for (const int16_t body : {0, 10, -1, 100})
        EXPECT_EQ(program->astro.HelioLongitude(body, 2451545.0), kUnknownBody) << body;
    // A position says why it has none: Pluto before or after its table, or no ephemeris.
    EXPECT_EQ(program->astro.PositionAt(Body::Pluto, 2305000.5), (Position{std::nullopt, NoPosition::BeforePlutoTable}));
    EXPECT_EQ(program->astro.PositionAt(Body::Pluto, 2525000.5), (Position{std::nullopt, NoPosition::AfterPlutoTable}));
    EXPECT_EQ(PositionOf(kUnknownBody), (Position{std::nullopt, NoPosition::NoEphemeris}));
    EXPECT_EQ(PositionOf(0.0).longitude, 0.0);
}

// The motion bounds that let the aspect searches pass over days, checked against the ephemeris and
// Pluto's table across the program's years: each day's motion, and the second and third differences of
// the longitudes at a step that suits the body (Pluto's table holds whole arcseconds, so a long one).
TEST_F(Positions, EveryBodyMovesWithinItsBounds)
{
    const AstroModule& astro = program->astro;
    const auto turn = [](double change) { return std::remainder(change, kTwoPi); };
    constexpr std::array<double, 10> kStep{0, 4, 1, 4, 8, 32, 64, 128, 256, 400};
    for (const Body body : kBodies) {
        const bool pluto = body == Body::Pluto;
        const double h = kStep[SlotOf(body)];
        const double first = pluto ? 2305448.5 : 1721426.5;
        const double last = (pluto ? 2524593.5 : 2743738.5) - 3 * h;
        const DailyMotion motion = DailyMotionOf(body);
        const double rounding = 2 * LongitudeRounding(body);
        double least = 10.0;
        double greatest = 0.0;
        double acceleration = 0.0;
        double jerk = 0.0;
        for (double t = first; t < last; t += pluto ? 61.0 : 997.0) {
            std::array<double, 4> L{};
            for (size_t i = 0; i < L.size(); ++i)
                L[i] = astro.HelioLongitude(body, t + static_cast<double>(i) * h);
            const double day = turn(astro.HelioLongitude(body, t + 1) - L[0]);
            least = std::min(least, day);
            greatest = std::max(greatest, day);
            const std::array<double, 3> d{turn(L[1] - L[0]), turn(L[2] - L[1]), turn(L[3] - L[2])};
            acceleration = std::max(acceleration, std::fabs(d[1] - d[0]) / (h * h));
            jerk = std::max(jerk, std::fabs(d[2] - 2 * d[1] + d[0]) / (h * h * h));
        }
        const std::string name = astro.tables.bodyNames[SlotOf(body)];
        EXPECT_GT(least, motion.least - rounding) << name;
        EXPECT_LT(greatest, motion.greatest + rounding) << name;
        // The bounds are not so wide as to be of no use: within a third of the motion seen.
        EXPECT_LT(motion.greatest, 1.35 * greatest) << name;
        EXPECT_LT(acceleration, GreatestDailyAcceleration(body) - 2 * rounding / (h * h)) << name;
        EXPECT_LT(jerk, GreatestDailyJerk(body) - 4 * rounding / (h * h * h)) << name;
    }
}

TEST(PositionsWithoutPluto, EightBodiesWhenTheTableIsMissing)
{
    AstroModule astro;
    astro.InitializeAstroTables("/nonexistent-orvane-folder/");
    const auto unworded = [](PlutoTableFault, const std::string&, size_t) { return platform::Message(); };
    EXPECT_FALSE(astro.ReadPlutoTable(unworded).ok() || astro.PlutoDataReadOK());
    EXPECT_EQ(astro.bodyCount, 8);
    EXPECT_TRUE(astro.HelioLongitude(kPluto, 2451545.0) < 0.0 && astro.HelioLongitude(kNeptune, 2451545.0) >= 0.0);
}

}  // namespace
}  // namespace orvane::core
