#include "core/aspects.h"

#include "core/aspect_result.h"
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
    }
    AstroModule astro;
    ChartPositions positions;
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
    positions[Body::Earth].longitude = Rad(10);
    positions[Body::Mars].longitude = Rad(100 + 7.5);
    EXPECT_TRUE(astro.IsAspect(positions, Body::Earth, Body::Mars, Aspect::Square, deviation));
    EXPECT_NEAR(deviation, Rad(7.5), 1e-12);
    EXPECT_FALSE(astro.IsAspect(positions, Body::Earth, Body::Mars, Aspect::Trine, deviation));
    EXPECT_NEAR(deviation, Rad(22.5), 1e-12);  // written back even when there is no aspect

    // Exactly the orb is no aspect; a hair less is one, with an exactness just above 0.
    const double L1 = 0.0;
    const double L2 = Rad(90);
    astro.orbs.orbs[kTrine][0] = astro.Deviation(L1, Rad(125), Aspect::Trine);
    EXPECT_FALSE(astro.ExactnessOfAspect(L1, Rad(125), Aspect::Trine, 0));
    EXPECT_FALSE(astro.FirstAspectHeld(Separation(L1, Rad(125)), 0));
    astro.orbs.orbs[kTrine][0] = std::nextafter(astro.Deviation(L1, Rad(125), Aspect::Trine), 1.0);
    const std::optional<double> edge = astro.ExactnessOfAspect(L1, Rad(125), Aspect::Trine, 0);
    EXPECT_TRUE(edge && *edge > 0.0 && *edge < 1e-12);
    EXPECT_EQ(astro.ExactnessOfAspect(L1, L2, Aspect::Square, 0), 1.0);
}

TEST_F(AspectTest, BodiesWithoutPositionHaveNoAspects)
{
    positions[Body::Earth].longitude = Rad(10);
    positions[Body::Pluto] = PositionOf(kPlutoBeforeTable);
    double deviation = 0.25;
    for (const Aspect aspect : kAspects) {
        EXPECT_FALSE(astro.IsAspect(positions, Body::Earth, Body::Pluto, aspect, deviation));
        EXPECT_FALSE(astro.IsAspect(positions, Body::Pluto, Body::Earth, aspect, deviation));
        EXPECT_FALSE(astro.ExactnessOfAspect(-100.0, Rad(10), aspect, 0));
    }
    EXPECT_EQ(deviation, 0.25);
}

TEST_F(AspectTest, ExactnessUsesTheColumnsOrb)
{
    // 2° from an exact trine: within the 8° of one moment and the 4° of personal transits; 3° from it is
    // beyond the 2.67° of synastry.
    EXPECT_NEAR(astro.ExactnessOfAspect(Rad(0), Rad(122), Aspect::Trine, 0).value_or(-1.0), 0.75, 1e-12);
    EXPECT_NEAR(astro.ExactnessOfAspect(Rad(0), Rad(122), Aspect::Trine, 1).value_or(-1.0), 0.5, 1e-12);
    EXPECT_FALSE(astro.ExactnessOfAspect(Rad(0), Rad(123), Aspect::Trine, 2));
    // An orb of 0 switches the aspect off, even when it is exact.
    astro.orbs.ApplyOrbs({480, 480, 480, 0, 360, 120, 180}, {2, 3});
    EXPECT_FALSE(astro.ExactnessOfAspect(Rad(0), Rad(120), Aspect::Trine, 1));
}

// Mercury moves about 4° a day, far faster than Neptune: measured against Neptune, an aspect that
// Mercury is approaching tightens within the half hour.
TEST_F(AspectTest, ApplyingAndSeparating)
{
    const double moment = 2451545.0;
    const double mercury = astro.HelioLongitude(Body::Mercury, moment);
    const Position mercuryLater = astro.PositionAt(Body::Mercury, moment + 1.0 / 48);
    // A natal point fixed at Mercury's place + 1°: Mercury approaches the conjunction; 1° behind, it leaves.
    const double ahead = NormalizeAngle(mercury + Rad(1));
    double deviation = astro.Deviation(mercury, ahead, Aspect::Conjunction);
    EXPECT_EQ(astro.ApplyingOrSeparatingFrom(mercuryLater, PositionOf(ahead), Aspect::Conjunction, deviation),
              Motion::Applying);
    const double behind = NormalizeAngle(mercury - Rad(1));
    deviation = astro.Deviation(mercury, behind, Aspect::Conjunction);
    EXPECT_EQ(astro.ApplyingOrSeparatingFrom(mercuryLater, PositionOf(behind), Aspect::Conjunction, deviation),
              Motion::Separating);

    // Both bodies moving: compare with the separation half an hour later; no direction without a position.
    // 10° and 132° stand 2° wide of a trine. Half an hour later at 10.1° and 132.05°, 1.95° wide: applying;
    // at 9.9° and 132.05°, 2.15° wide: separating; as wide as before: neither.
    deviation = astro.Deviation(Rad(10), Rad(132), Aspect::Trine);
    const Position later2 = PositionOf(Rad(132.05));
    EXPECT_EQ(astro.ApplyingOrSeparatingFrom(PositionOf(Rad(10.1)), later2, Aspect::Trine, deviation), Motion::Applying);
    EXPECT_EQ(astro.ApplyingOrSeparatingFrom(PositionOf(Rad(9.9)), later2, Aspect::Trine, deviation), Motion::Separating);
    EXPECT_EQ(astro.ApplyingOrSeparatingFrom(PositionOf(Rad(10)), PositionOf(Rad(132)), Aspect::Trine, deviation),
              Motion::Neither);
    EXPECT_EQ(astro.ApplyingOrSeparatingFrom(mercuryLater, Position{}, Aspect::Trine, deviation), Motion::Neither);
}

// The aspects of constructed positions: the first aspect of each pair, strictly within its orb; the pairs of
// one moment and of two; the direction from the positions half an hour later; close by the boldface rule.
TEST_F(AspectTest, FindAspectsOfConstructedPositions)
{
    // Earth–Jupiter 0.5° from a square, Venus–Saturn 2° from a quincunx; no other pair within an orb, and
    // Pluto, after its table, would be conjunct Earth. Half an hour later the square tightens and the
    // quincunx widens.
    std::array<ChartPositions, 2> at;
    for (const auto& [body, degrees] : {std::pair(Body::Earth, 10.0), {Body::Venus, 55.0}, {Body::Jupiter, 100.5},
                                        {Body::Saturn, 207.0}})
        at[0][body].longitude = Rad(degrees);
    at[0][Body::Pluto] = PositionOf(kPlutoAfterTable);
    const auto later = [&](Body body) {
        Position p = at[0][body];
        if (body == Body::Earth || body == Body::Venus)
            p.longitude = Rad(body == Body::Earth ? 10.25 : 54.0);
        return p;
    };
    const AspectResult one =
        FindAspects(astro, Comparison::OneMoment, at, {CloseAspectRule::Kind::WithinOneDegree, 1}, later);
    ASSERT_EQ(one.aspects.size(), 2u);
    EXPECT_EQ(std::tuple(one.aspects[0].body1, one.aspects[0].body2, one.aspects[0].aspect, one.aspects[0].motion,
                         one.aspects[0].close),
              std::tuple(Body::Earth, Body::Jupiter, Aspect::Square, Motion::Applying, true));
    EXPECT_EQ(std::tuple(one.aspects[1].body1, one.aspects[1].body2, one.aspects[1].aspect, one.aspects[1].motion,
                         one.aspects[1].close),
              std::tuple(Body::Venus, Body::Saturn, Aspect::Quincunx, Motion::Separating, false));
    EXPECT_NEAR(one.aspects[1].deviation, Rad(2.0), 1e-12);
    EXPECT_EQ(one.AspectCounts()[kQuincunx], 1);
    // A deviation of exactly the orb is none.
    astro.orbs.orbs[kSquare][0] = one.aspects[0].deviation;
    EXPECT_EQ(FindAspects(astro, Comparison::OneMoment, at, {}, later).aspects.size(), 1u);

    // Two moments: each body of the second chart (body1) with each of the first, in orb column 1 (4° for
    // the conjunction) or 2 (2°40'); the direction from the moving body alone, none in synastry; close
    // below half the orb of column 1 in both.
    at[1][Body::Mars].longitude = Rad(53.5);
    const CloseAspectRule half{CloseAspectRule::Kind::FractionOfOrb, 2};
    for (const Comparison comparison : {Comparison::Transits, Comparison::Synastry}) {
        const AspectResult two = FindAspects(astro, comparison, at, half, later);
        ASSERT_EQ(two.aspects.size(), 1u);
        EXPECT_EQ(std::tuple(two.aspects[0].body1, two.aspects[0].body2, two.aspects[0].aspect, two.aspects[0].motion,
                             two.aspects[0].close),
                  std::tuple(Body::Mars, Body::Venus, Aspect::Conjunction,
                             comparison == Comparison::Transits ? Motion::Applying : Motion::Neither, true));
    }
}

}  // namespace
}  // namespace orvane::core
