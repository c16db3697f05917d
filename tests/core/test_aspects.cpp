#include "core/aspects.h"

#include "core/astro_module.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace orvane::core {
namespace {

double Rad(double degrees)
{
    return degrees / 360.0 * kTwoPi;
}

// Separations across 0° and the sense of the second body: 1 when it lies behind the first.
TEST(AngularSeparation, ShorterAngleAndSense)
{
    const struct { double a, b, separation; int16_t sense; } cases[] = {{10, 350, 20, 1}, {350, 10, 20, -1}, {0, 180, 180, -1}, {42, 42, 0, -1}, {100, 220, 120, -1}};
    for (const auto& c : cases) {
        int16_t sense = 0;
        EXPECT_NEAR(AngularSeparation(Rad(c.a), Rad(c.b), sense), Rad(c.separation), 1e-12) << c.a << " " << c.b;
        EXPECT_EQ(sense, c.sense) << c.a << " " << c.b;
    }
    EXPECT_NEAR(SignedSeparation(Rad(10), Rad(350)), Rad(20), 1e-12);
    EXPECT_NEAR(SignedSeparation(Rad(359), Rad(1)), -Rad(2), 1e-12);
}

class AspectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        astro.InitializeAstroTables("/nonexistent-orvane-folder/");
        // 8° conjunction, 8° opposition, 8° square, 8° trine, 6° sextile, 2° semisextile, 3° quincunx;
        // personal transits at half, synastry at a third.
        astro.orbs.ApplyOrbs({480, 480, 480, 480, 360, 120, 180}, {2, 3});
        for (auto& row : positions)
            row = {-1.0, -1.0};
    }
    AstroModule astro;
    PositionTable positions{};
};

TEST_F(AspectTest, OrbTableFromThePanelsChoices)
{
    // Orbs and their extremes in whole minutes of arc.
    const auto minutes = [](double radians) { return std::lround(radians / Rad(1.0 / 60)); };
    const OrbTable& t = astro.orbs;
    EXPECT_EQ(std::tuple(minutes(t.orbs[kSquare][0]), minutes(t.orbs[kSquare][1]), minutes(3 * t.orbs[kSemisextile][2]),
                         minutes(t.largestOrb), minutes(t.smallestOrb), minutes(t.largestOrbOfColumn[0]),
                         minutes(3 * t.smallestOrbOfColumn[1]), t.allOrbsEqual),
              std::tuple(480, 240, 120, 480, 120, 240, 120, false));

    // All 1° but the semisextile switched off: the smallest non-zero orb equals the largest.
    astro.orbs.ApplyOrbs({60, 60, 60, 60, 60, 0, 60}, {1, 1});
    EXPECT_EQ(std::tuple(minutes(t.smallestOrb), minutes(t.largestOrb), t.allOrbsEqual), std::tuple(60, 60, true));

    // Every aspect off: the maximum stays 0 and the minimum 20.
    astro.orbs.ApplyOrbs({0, 0, 0, 0, 0, 0, 0}, {2, 2});
    EXPECT_EQ(std::tuple(t.largestOrb, t.smallestOrb, t.smallestOrbOfColumn[0]), std::tuple(0.0, 20.0, 20.0));

    // A divisor of 0 never divides.
    astro.orbs.ApplyOrbs({480, 480, 480, 480, 360, 120, 180}, {0, -4});
    EXPECT_EQ(std::pair(minutes(t.orbs[kSquare][1]), minutes(t.orbs[kSquare][2])), std::pair(480L, 480L));
}

TEST_F(AspectTest, IsAspectIsStrictlyWithinTheOrb)
{
    double deviation = -5.0;
    positions[kEarth][0] = Rad(10);
    positions[kMars][0] = Rad(100 + 7.5);
    EXPECT_TRUE(astro.IsAspect(positions, kEarth, kMars, kSquare, deviation));
    EXPECT_NEAR(deviation, Rad(7.5), 1e-12);
    EXPECT_FALSE(astro.IsAspect(positions, kEarth, kMars, kTrine, deviation));
    EXPECT_NEAR(deviation, Rad(22.5), 1e-12);  // written back even when there is no aspect

    // Exactly the orb is no aspect; a hair less is one, with an exactness just above 0.
    const double L1 = 0.0;
    const double L2 = Rad(90);
    double exactness = 0.0;
    astro.orbs.orbs[kTrine][0] = astro.Deviation(L1, Rad(125), kTrine);
    EXPECT_FALSE(astro.IsAspectWithExactness(L1, Rad(125), kTrine, 0, exactness));
    EXPECT_EQ(exactness, -1.0);
    astro.orbs.orbs[kTrine][0] = std::nextafter(astro.Deviation(L1, Rad(125), kTrine), 1.0);
    EXPECT_TRUE(astro.IsAspectWithExactness(L1, Rad(125), kTrine, 0, exactness));
    EXPECT_TRUE(exactness > 0.0 && exactness < 1e-12) << exactness;
    EXPECT_TRUE(astro.IsAspectWithExactness(L1, L2, kSquare, 0, exactness));
    EXPECT_DOUBLE_EQ(exactness, 1.0);
}

TEST_F(AspectTest, BodiesWithoutPositionHaveNoAspects)
{
    positions[kEarth][0] = Rad(10);
    positions[kPluto][0] = -99.0;
    double deviation = 0.25;
    double exactness = 0.5;
    for (int16_t aspect = kConjunction; aspect <= kNumAspects; ++aspect) {
        EXPECT_FALSE(astro.IsAspect(positions, kEarth, kPluto, aspect, deviation));
        EXPECT_FALSE(astro.IsAspect(positions, kPluto, kEarth, aspect, deviation));
        EXPECT_FALSE(astro.IsAspectWithExactness(-100.0, Rad(10), aspect, 0, exactness));
    }
    EXPECT_EQ(std::pair(deviation, exactness), std::pair(0.25, 0.5));
    EXPECT_FALSE(astro.IsAspect(positions, kEarth, 11, kConjunction, deviation) ||
                 astro.IsAspect(positions, kEarth, kMars, 8, deviation) || astro.IsAspect(positions, kEarth, kMars, 0, deviation));
}

TEST_F(AspectTest, ExactnessUsesTheColumnsOrb)
{
    double exactness = 0.0;
    // 2° from an exact trine: within the 8° of one moment and the 4° of personal transits; 3° from it is
    // beyond the 2.67° of synastry.
    EXPECT_TRUE(astro.IsAspectWithExactness(Rad(0), Rad(122), kTrine, 0, exactness));
    EXPECT_NEAR(exactness, 0.75, 1e-12);
    EXPECT_TRUE(astro.IsAspectWithExactness(Rad(0), Rad(122), kTrine, 1, exactness));
    EXPECT_NEAR(exactness, 0.5, 1e-12);
    EXPECT_FALSE(astro.IsAspectWithExactness(Rad(0), Rad(123), kTrine, 2, exactness));
    // An orb of 0 switches the aspect off, even when it is exact.
    astro.orbs.ApplyOrbs({480, 480, 480, 0, 360, 120, 180}, {2, 3});
    EXPECT_FALSE(astro.IsAspectWithExactness(Rad(0), Rad(120), kTrine, 1, exactness));
}

// Mercury moves about 4° a day, far faster than Neptune: measured against Neptune, an aspect that
// Mercury is approaching tightens within the half hour.
TEST_F(AspectTest, ApplyingAndSeparating)
{
    const double moment = 2451545.0;
    const double mercury = astro.HelioLongitude(kMercury, moment);
    const double neptune = astro.HelioLongitude(kNeptune, moment);
    // Neptune fixed at Mercury's place + 1°: Mercury approaches the conjunction.
    const double ahead = NormalizeAngle(mercury + Rad(1));
    double deviation = astro.Deviation(mercury, ahead, kConjunction);
    EXPECT_EQ(astro.TransitApplyingOrSeparating(moment, ahead, kMercury, kConjunction, deviation), -1);
    const double behind = NormalizeAngle(mercury - Rad(1));
    deviation = astro.Deviation(mercury, behind, kConjunction);
    EXPECT_EQ(astro.TransitApplyingOrSeparating(moment, behind, kMercury, kConjunction, deviation), 1);

    // Both bodies moving: compare with the separation half an hour later.
    deviation = astro.Deviation(mercury, neptune, kTrine);
    const double later = astro.Deviation(astro.HelioLongitude(kMercury, moment + 1.0 / 48),
                                         astro.HelioLongitude(kNeptune, moment + 1.0 / 48), kTrine);
    EXPECT_EQ(astro.ApplyingOrSeparating(moment, kMercury, kNeptune, kTrine, deviation), later > deviation ? 1 : -1);
    EXPECT_EQ(astro.ApplyingOrSeparating(moment, kMercury, kNeptune, kTrine, later), 0);
}

}  // namespace
}  // namespace orvane::core
