#include "core/midpoints.h"

#include "core/astro_module.h"
#include "core/patterns.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace orvane::core {
namespace {

double Rad(double degrees)
{
    return degrees / 360.0 * kTwoPi;
}

constexpr int16_t kOneDegree = 3;  // position of 1° in the midpoint orb list

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
    void Place(std::initializer_list<std::pair<int16_t, double>> chart)
    {
        for (auto& row : dblPos)
            row = {-1.0, -1.0};
        for (const auto& [body, degrees] : chart)
            dblPos[static_cast<size_t>(body)][0] = Rad(degrees);
    }

    std::string Check(int16_t orbPosition, bool fullNames, int16_t& count, RunSearchState* run = nullptr) const
    {
        std::string text = "left over";
        CheckForMidpoint(astro, dblPos, orbPosition, fullNames, count, text, run);
        return text;
    }

    std::string Text(int16_t a, int16_t b, int16_t c, int16_t orbPosition = kOneDegree, bool full = false) const
    {
        return MidpointText(astro, dblPos, orbPosition, a, b, c, full);
    }

    AstroModule astro;
    PositionTable dblPos{};
};

TEST(MidpointOrb, OutsideTheListHalfADegree)
{
    EXPECT_EQ(MidpointOrb(-1), MidpointOrb(kNumMidpointOrbs));
    EXPECT_DOUBLE_EQ(MidpointOrb(-1), Rad(0.5));
}

TEST_F(MidpointTest, MidpointTextTriesEachBodyAsTheMiddleAndTheOrbDecidesStrictly)
{
    Place({{kVenus, 10}, {kEarth, 20}, {kMars, 30}});
    for (const auto& [a, b, c] : {std::array<int16_t, 3>{kEarth, kVenus, kMars}, {kVenus, kEarth, kMars},
                                  {kVenus, kMars, kEarth}, {kMars, kVenus, kEarth}})
        EXPECT_EQ(Text(a, b, c), "Ve-Ea-Ma") << a << b << c;
    EXPECT_EQ(Text(kMars, kEarth, kVenus, kOneDegree, true), "Venus-Earth-Mars");

    // The point opposite the midpoint counts too.
    Place({{kMercury, 10}, {kJupiter, 30}, {kSaturn, 200.5}});
    EXPECT_EQ(Text(kMercury, kJupiter, kSaturn), "Me-Sa-Ju");

    struct Case { double middle; int16_t orbPosition; bool found; };
    const Case cases[] = {
        {20.9, kOneDegree, true}, {21.1, kOneDegree, false}, {21.1, 4, true},  // 1.5°
        {19.95, 0, true},         {19.9, 0, false},                            // 5'
        {22.9, 7, true},          {23.1, 7, false},                            // 3°
    };
    for (const Case& c : cases) {
        Place({{kEarth, 10}, {kMars, 30}, {kJupiter, c.middle}});
        EXPECT_EQ(Text(kEarth, kJupiter, kMars, c.orbPosition).empty(), !c.found) << c.middle << " " << c.orbPosition;
    }

    // No midpoint without three distinct positions.
    Place({{kEarth, 10}, {kMars, 30}, {kJupiter, 20}, {kSaturn, 10}});
    const std::string plutoMissing = Text(kEarth, kJupiter, kPluto);
    dblPos[kPluto][0] = -100.0;
    EXPECT_EQ(plutoMissing + Text(kEarth, kJupiter, kPluto) + Text(kEarth, kSaturn, kMars), "");  // Saturn on Earth
}

// The line appears once although the three bodies are met once for each of their pairs; a middle body
// conjunct both others makes no midpoint.
TEST_F(MidpointTest, CheckListsEachTripleOnceAndLeavesConjunctionsOut)
{
    Place({{kVenus, 10}, {kEarth, 20}, {kMars, 30}});
    int16_t count = -1;
    EXPECT_EQ(Check(kOneDegree, true, count), "Venus-Earth-Mars\r\n");
    EXPECT_EQ(count, 1);
    SetConjunctionOrb(12);
    EXPECT_EQ(Check(kOneDegree, false, count), "");
    EXPECT_EQ(count, 0);
}

TEST_F(MidpointTest, CheckAgreesWithTheTripleTestOnRandomCharts)
{
    // The check, spelt out over MidpointText and the conjunction test, for every orb of the list.
    auto expected = [&](int16_t orbPosition) {
        std::string text;
        double deviation = 0.0;
        auto conjunct = [&](int16_t x, int16_t y) { return astro.IsAspect(dblPos, x, y, kConjunction, deviation); };
        for (int16_t p1 = 1; p1 < kPluto; ++p1)
            for (int16_t p2 = p1 + 1; p2 <= kPluto; ++p2)
                for (int16_t p3 = 1; p3 <= kPluto; ++p3) {
                    if (conjunct(p1, p2) || p3 == p1 || p3 == p2 || conjunct(p3, p1) || conjunct(p3, p2))
                        continue;
                    const std::string s = Text(p1, p3, p2, orbPosition);
                    if (!s.empty() && text.find(s) == std::string::npos)
                        text += "Midpoint: " + s + "\r\n";
                }
        return text;
    };
    std::mt19937 random(77);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    int found = 0;
    for (int chart = 0; chart < 400; ++chart) {
        for (int16_t body = kEarth; body <= kPluto; ++body)
            dblPos[static_cast<size_t>(body)][0] = Rad(degrees(random));
        const auto orbPosition = static_cast<int16_t>(chart % kNumMidpointOrbs);
        int16_t count = 0;
        EXPECT_EQ(Check(orbPosition, false, count), expected(orbPosition)) << chart;
        found += count;
    }
    EXPECT_GT(found, 100);  // the charts did hold midpoints to compare
}

TEST_F(MidpointTest, HandsTheBodiesToARunLookingForMidpoints)
{
    Place({{kVenus, 10}, {kEarth, 20}, {kMars, 30}});
    RunSearchState run;
    run.bodiesSought = true;
    run.patternSought = kPatternMidpoint;
    run.numBodiesSought = 2;
    for (const auto& [sought, found] : {std::pair{std::array<int16_t, 3>{kMars, kVenus, 0}, 2},
                                        {std::array<int16_t, 3>{kEarth, kJupiter, 0}, 1}}) {
        run.soughtBody = sought;
        run.soughtBodiesFound = false;
        int16_t count = 0;
        Check(kOneDegree, false, count, &run);
        EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(int16_t(found), found == 2));
    }
}

}  // namespace
}  // namespace orvane::core
