#include "core/midpoints.h"

#include "core/astro_module.h"
#include "core/patterns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <vector>

namespace orvane::core {
namespace {

double Rad(double degrees)
{
    return degrees / 360.0 * kTwoPi;
}

constexpr int16_t kOneDegree = 3;  // position of 1° in the midpoint orb list
constexpr Body E = Body::Earth, Me = Body::Mercury, Ve = Body::Venus, Ma = Body::Mars, Ju = Body::Jupiter,
               Sa = Body::Saturn, Pl = Body::Pluto;

class MidpointTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        astro.InitializeAstroTables("/nonexistent-orvane-folder/");
        astro.bodyCount = kPluto;
        SetConjunctionOrb(8);
    }

    void SetConjunctionOrb(int degrees) { astro.orbs.ApplyOrbs({degrees * 60, 180, 180, 180, 180, 120, 120}, {1, 1}); }

    // Only the given bodies have positions (longitudes in degrees).
    void Place(std::initializer_list<std::pair<Body, double>> chart)
    {
        positions = ChartPositions();
        for (const auto& [body, degrees] : chart)
            positions[body].longitude = Rad(degrees);
    }

    std::vector<PatternFound> Find(int16_t orbPosition, RunSearchState* run = nullptr) const
    {
        return FindMidpoints(astro, positions, orbPosition, run);
    }

    std::optional<MidpointBodies> Of(Body a, Body b, Body c, int16_t orbPosition = kOneDegree) const
    {
        return MidpointOf(positions, orbPosition, a, b, c);
    }

    AstroModule astro;
    ChartPositions positions;
};

TEST(MidpointOrb, OutsideTheListHalfADegree)
{
    EXPECT_EQ(MidpointOrb(-1), MidpointOrb(kNumMidpointOrbs));
    EXPECT_DOUBLE_EQ(MidpointOrb(-1), Rad(0.5));
}

TEST_F(MidpointTest, EachBodyIsTriedAsTheMiddleAndTheOrbDecidesStrictly)
{
    Place({{Ve, 10}, {E, 20}, {Ma, 30}});
    for (const auto& [a, b, c] : {std::array<Body, 3>{E, Ve, Ma}, {Ve, E, Ma}, {Ve, Ma, E}, {Ma, Ve, E}})
        EXPECT_EQ(Of(a, b, c), (MidpointBodies{Ve, E, Ma}));

    // The point opposite the midpoint counts too.
    Place({{Me, 10}, {Ju, 30}, {Sa, 200.5}});
    EXPECT_EQ(Of(Me, Ju, Sa), (MidpointBodies{Me, Sa, Ju}));

    struct Case { double middle; int16_t orbPosition; bool found; };
    const Case cases[] = {
        {20.9, kOneDegree, true}, {21.1, kOneDegree, false}, {21.1, 4, true},  // 1.5°
        {19.95, 0, true},         {19.9, 0, false},                            // 5'
        {22.9, 7, true},          {23.1, 7, false},                            // 3°
    };
    for (const Case& c : cases) {
        Place({{E, 10}, {Ma, 30}, {Ju, c.middle}});
        EXPECT_EQ(Of(E, Ju, Ma, c.orbPosition).has_value(), c.found) << c.middle << " " << c.orbPosition;
    }

    // No midpoint without three distinct positions.
    Place({{E, 10}, {Ma, 30}, {Ju, 20}, {Sa, 10}});
    const bool plutoMissing = Of(E, Ju, Pl).has_value();
    positions[Pl] = PositionOf(kPlutoAfterTable);
    EXPECT_FALSE(plutoMissing || Of(E, Ju, Pl) || Of(E, Sa, Ma));  // Saturn on Earth
}

// The three bodies are listed once although they are met once for each of their pairs; a middle body
// conjunct both others makes no midpoint.
TEST_F(MidpointTest, EachTripleOnceAndConjunctionsLeftOut)
{
    Place({{Ve, 10}, {E, 20}, {Ma, 30}});
    EXPECT_EQ(Find(kOneDegree), (std::vector<PatternFound>{{kPatternMidpoint, {Ve, E, Ma}, std::nullopt}}));
    SetConjunctionOrb(12);
    EXPECT_TRUE(Find(kOneDegree).empty());
}

TEST_F(MidpointTest, AgreesWithTheTripleTestOnRandomCharts)
{
    // The search, spelt out over MidpointOf and the conjunction test, for every orb of the list.
    auto expected = [&](int16_t orbPosition) {
        std::vector<std::vector<Body>> triples;
        double deviation = 0.0;
        auto conjunct = [&](Body x, Body y) { return astro.IsAspect(positions, x, y, Aspect::Conjunction, deviation); };
        for (const Body p1 : kBodies)
            for (const Body p2 : BodiesAfter(p1, kNumBodies))
                for (const Body p3 : kBodies) {
                    if (conjunct(p1, p2) || p3 == p1 || p3 == p2 || conjunct(p3, p1) || conjunct(p3, p2))
                        continue;
                    const auto m = Of(p1, p3, p2, orbPosition);
                    const std::vector<Body> named = m ? std::vector<Body>{m->lower, m->middle, m->higher}
                                                      : std::vector<Body>{};
                    if (m && std::find(triples.begin(), triples.end(), named) == triples.end())
                        triples.push_back(named);
                }
        return triples;
    };
    std::mt19937 random(77);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    size_t found = 0;
    for (int chart = 0; chart < 400; ++chart) {
        for (const Body body : kBodies)
            positions[body].longitude = Rad(degrees(random));
        const auto orbPosition = static_cast<int16_t>(chart % kNumMidpointOrbs);
        std::vector<std::vector<Body>> triples;
        for (const PatternFound& midpoint : Find(orbPosition))
            triples.push_back(midpoint.bodies);
        EXPECT_EQ(triples, expected(orbPosition)) << chart;
        found += triples.size();
    }
    EXPECT_GT(found, 100u);  // the charts did hold midpoints to compare
}

TEST_F(MidpointTest, HandsTheBodiesToARunLookingForMidpoints)
{
    Place({{Ve, 10}, {E, 20}, {Ma, 30}});
    RunSearchState run;
    run.bodiesSought = true;
    run.patternSought = kPatternMidpoint;
    run.numBodiesSought = 2;
    for (const auto& [sought, found] : {std::pair{std::array<int16_t, 3>{kMars, kVenus, 0}, 2},
                                        {std::array<int16_t, 3>{kEarth, kJupiter, 0}, 1}}) {
        run.soughtBody = sought;
        run.soughtBodiesFound = false;
        Find(kOneDegree, &run);
        EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(int16_t(found), found == 2));
    }
}

}  // namespace
}  // namespace orvane::core
