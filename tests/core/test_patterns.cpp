#include "core/patterns.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace orvane::core {
namespace {

using Chart = std::vector<std::pair<Body, double>>;  // bodies and their longitudes in degrees

constexpr Body E = Body::Earth, Me = Body::Mercury, Ve = Body::Venus, Ma = Body::Mars, Ju = Body::Jupiter,
               Sa = Body::Saturn, Ur = Body::Uranus, Ne = Body::Neptune, Pl = Body::Pluto;

double Rad(double degrees)
{
    return degrees / 360.0 * kTwoPi;
}

// Orbs in whole degrees, by aspect index 1 … 7.
struct Orbs {
    int conjunction = 3, opposition = 3, square = 3, trine = 3, sextile = 3, semisextile = 2, quincunx = 2;
};

// A run looking for pattern `pattern` with the sought bodies `bodies` (0 for an empty box).
RunSearchState SeekingRun(int16_t pattern, std::array<int16_t, 3> bodies)
{
    RunSearchState run;
    run.bodiesSought = true;
    run.patternSought = pattern;
    run.soughtBody = bodies;
    run.numBodiesSought = static_cast<int16_t>(std::count_if(bodies.begin(), bodies.end(), [](int16_t b) {
        return b > 0;
    }));
    return run;
}

// The program's tables; orbs set here directly on the aspect test.
class PatternTest : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SetOrbs(Orbs{});
    }

    void SetOrbs(const Orbs& o)
    {
        astro.orbs.ApplyOrbs({o.conjunction * 60, o.opposition * 60, o.square * 60, o.trine * 60, o.sextile * 60,
                            o.semisextile * 60, o.quincunx * 60},
                           {1, 1});
    }

    // Only the chart's bodies have positions; a negative longitude is the ephemeris layer's mark of none.
    void Place(const Chart& chart)
    {
        positions = ChartPositions();
        for (const auto& [body, degrees] : chart)
            positions[body] = degrees < 0.0 ? PositionOf(degrees) : Position{Rad(degrees), NoPosition::NotInUse};
    }

    PatternFinder Finder(RunSearchState* run = nullptr) const { return PatternFinder(astro, positions, run); }

    AstroModule& astro = program->astro;
    ChartPositions positions;
};

const Chart kKite{{E, 0}, {Ju, 120}, {Ne, 240}, {Ma, 180}};
const Chart kCross{{Ve, 0}, {E, 90}, {Sa, 180}, {Ma, 270}};

// A pattern found: its bodies in the order it names them and its mean deviation in degrees.
struct Named {
    std::vector<Body> bodies;
    std::optional<double> meanDegrees;
};

// One finder over one chart, the aspect whose orb is 0 if any, and the patterns it finds.
struct FinderCase { const char* name; Chart bodies; int16_t pattern; std::vector<Named> found; int16_t noOrb = 0; };

void ExpectFound(const std::vector<PatternFound>& found, int16_t pattern, const std::vector<Named>& expected)
{
    ASSERT_EQ(found.size(), expected.size());
    for (size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].pattern, pattern);
        EXPECT_EQ(found[i].bodies, expected[i].bodies) << i;
        ASSERT_EQ(found[i].meanDeviation.has_value(), expected[i].meanDegrees.has_value()) << i;
        if (expected[i].meanDegrees) {
            EXPECT_NEAR(*found[i].meanDeviation, Rad(*expected[i].meanDegrees), 1e-9) << i;
        }
    }
}

TEST_F(PatternTest, EachFinderNamesItsBodiesInOrderWithTheMeanDeviation)
{
    const Chart trine{{E, 0}, {Ju, 120}, {Ne, 240}}, kite = kKite, cross = kCross,
        rectangle{{E, 0}, {Ju, 60}, {Ma, 180}, {Ve, 240}}, yod{{E, 0}, {Me, 60}, {Ju, 210}},
        stellium{{E, 10}, {Me, 11}, {Ve, 12}, {Ma, 13}},
        sextile{{E, 0}, {Me, 60}, {Ve, 120}, {Ma, 180}, {Ju, 240}, {Sa, 300}};
    const auto with = [](Chart bodies, std::pair<Body, double> more) {
        bodies.push_back(more);
        return bodies;
    };
    const FinderCase cases[] = {
        {"grand trine", trine, kPatternGrandTrine, {{{E, Ju, Ne}, 0}}},
        // Deviations 1°, 0.5° and 0.5°: the mean of the three trines is 40'.
        {"grand trine off exactness", {{E, 0}, {Ju, 121}, {Ne, 240.5}}, kPatternGrandTrine, {{{E, Ju, Ne}, 2.0 / 3}}},
        {"grand trine, trine switched off", trine, kPatternGrandTrine, {}, kTrine},
        // Pluto before its table, where it would complete the trine.
        {"no position", {{E, 0}, {Ju, 120}, {Pl, kPlutoBeforeTable}}, kPatternGrandTrine, {}},
        {"kite", kite, kPatternKite, {{{E, Ju, Ne, Ma}, 0}}},
        // The tail opposite Jupiter: the trine bodies are rotated to begin with Jupiter.
        {"kite, tail opposite Jupiter", with(trine, {Ma, 300}), kPatternKite, {{{Ju, Ne, E, Ma}, 0}}},
        // 1° off in each of the tail's three aspects, none in the trines: 3° over six aspects.
        {"kite, tail off", with(trine, {Ma, 301}), kPatternKite, {{{Ju, Ne, E, Ma}, 0.5}}},
        // Oppositions Earth–Mars and Venus–Jupiter; the indices let the search meet it from both.
        {"rectangle", rectangle, kPatternRectangle, {{{E, Ma, Ve, Ju}, 0}}},
        {"rectangle, Jupiter off", {{E, 0}, {Ju, 61}, {Ma, 180}, {Ve, 240}}, kPatternRectangle,
         {{{E, Ma, Ve, Ju}, 0.5}}},
        // A rectangle whose indices increase round both oppositions is not met by the search at all.
        {"rectangle not met", {{E, 0}, {Me, 60}, {Ve, 180}, {Ma, 240}}, kPatternRectangle, {}},
        {"T-square", {{Me, 10}, {Sa, 190}, {Ju, 101}}, kPatternTSquare, {{{Me, Ju, Sa}, 2.0 / 3}}},
        {"grand cross", cross, kPatternGrandCross, {{{E, Ve, Ma, Sa}, 0}}},
        // Each opposition with each of the two other bodies as apex: no T-square is suppressed by the cross.
        {"T-squares of a grand cross", cross, kPatternTSquare,
         {{{E, Ve, Ma}, 0}, {{E, Sa, Ma}, 0}, {{Ve, E, Sa}, 0}, {{Ve, Ma, Sa}, 0}}},
        // Mars 1.5° off: opposition to Earth and squares to Venus and Saturn, 4.5° over six aspects.
        {"grand cross, Mars off", {{Ve, 0}, {E, 90}, {Sa, 180}, {Ma, 271.5}}, kPatternGrandCross,
         {{{E, Ve, Ma, Sa}, 0.75}}},
        // Mercury has both its square partners above it but Earth opposite: the cross is still listed once.
        {"grand cross round the circle", {{E, 270}, {Me, 90}, {Ve, 0}, {Ma, 180}}, kPatternGrandCross,
         {{{E, Ve, Me, Ma}, 0}}},
        {"yod", yod, kPatternYod, {{{E, Ju, Me}, 0}}},
        {"yod without kite", yod, kPatternYodKite, {}},
        // Mars opposite the apex and semisextile to both feet, 0.5° off in each: 1.5° over six aspects.
        {"yod-kite", with(yod, {Ma, 30.5}), kPatternYodKite, {{{E, Ju, Me, Ma}, 0.25}}},
        // Venus 1° off in its trine to Earth and its sextiles to Mercury and Mars.
        {"trapezium", {{E, 0}, {Me, 60}, {Ve, 121}, {Ma, 180}}, kPatternTrapezium, {{{E, Ma, Ve, Me}, 0.5}}},
        // The body at 180° now has the lower index, so it comes first.
        {"trapezium from the lower index", {{E, 180}, {Me, 0}, {Ve, 60}, {Ma, 120}}, kPatternTrapezium,
         {{{E, Me, Ve, Ma}, 0}}},
        // Pair deviations 1, 2, 3, 1, 2, 1: 10° over six conjunctions.
        {"4-stellium", stellium, kPattern4Stellium, {{{E, Me, Ve, Ma}, 10.0 / 6}}},
        {"3-stelliums within a 4-stellium", stellium, kPattern3Stellium,
         {{{E, Me, Ve}, 4.0 / 3}, {{E, Me, Ma}, 2}, {{E, Ve, Ma}, 2}, {{Me, Ve, Ma}, 4.0 / 3}}},
        {"no 5-stellium", stellium, kPattern5Stellium, {}},
        {"6-stellium", with(with(stellium, {Ju, 10.5}), {Sa, 11.5}), kPattern6Stellium,
         {{{E, Me, Ve, Ma, Ju, Sa}, 20.0 / 15}}},
        {"midpoints are not one of the thirteen finders", stellium, kPatternMidpoint, {}},
        // Six sextiles between two trines; no mean deviation.
        {"grand sextile", sextile, kPatternGrandSextile, {{{E, Ve, Ju, Me, Ma, Sa}, std::nullopt}}},
        {"grand trines of a grand sextile", sextile, kPatternGrandTrine, {{{E, Ve, Ju}, 0}, {{Me, Ma, Sa}, 0}}},
        // Two trines 30° apart have no sextile between them.
        {"two trines 30° apart", {{E, 0}, {Me, 30}, {Ve, 120}, {Ma, 150}, {Ju, 240}, {Sa, 270}},
         kPatternGrandSextile, {}},
    };
    for (const FinderCase& c : cases) {
        SCOPED_TRACE(c.name);
        Place(c.bodies);
        Orbs orbs;
        orbs.trine = c.noOrb == kTrine ? 0 : 3;
        SetOrbs(orbs);
        ExpectFound(Finder().Find(c.pattern), c.pattern, c.found);
    }
    EXPECT_TRUE(Finder().Stellium(2).empty());
}

// The finders over points of any perspective: ten points in slots 1 … 10, only those in use looked at, a
// point without a position in no aspect, the patterns named by slot in the order of the points in use.
TEST_F(PatternTest, FindersLookAmongThePointsInUse)
{
    const auto point = [](int slot) { return static_cast<Body>(slot); };
    PatternPoints points;
    points.longitudes.fill(std::numeric_limits<double>::quiet_NaN());
    for (const auto& [slot, degrees] : std::vector<std::pair<int, double>>{
             {1, 0}, {2, 120.5}, {5, 240}, {9, 180}, {10, 90}, {3, 300.5}})
        points.longitudes[static_cast<size_t>(slot)] = Rad(degrees);
    for (int slot = 1; slot <= 10; ++slot)
        points.inUse.push_back(point(slot));
    // Deviations 0.5°, 0.5°, 0: a third of a degree; the T-square's apex at slot 10, the last point.
    ExpectFound(PatternFinder(astro, points).Find(kPatternGrandTrine), kPatternGrandTrine,
                {{{point(1), point(2), point(5)}, 1.0 / 3}});
    ExpectFound(PatternFinder(astro, points).Find(kPatternTSquare), kPatternTSquare,
                {{{point(1), point(10), point(9)}, 0}});
    // Slot 2 out of use, slot 5 without a position: the trine is gone, the T-square stays.
    points.inUse.erase(points.inUse.begin() + 1);
    points.longitudes[5] = std::numeric_limits<double>::quiet_NaN();
    ExpectFound(PatternFinder(astro, points).Find(kPatternGrandTrine), kPatternGrandTrine, {});
    ExpectFound(PatternFinder(astro, points).Find(kPatternTSquare), kPatternTSquare,
                {{{point(1), point(10), point(9)}, 0}});
}

TEST_F(PatternTest, ChartPatternsInTheSummarysOrderAndTheLargestStelliumWins)
{
    // A kite (so also a grand trine) and, away from it, four bodies in conjunction.
    Chart chart = kKite;
    chart.insert(chart.end(), {{Me, 45}, {Ve, 46}, {Sa, 47}, {Ur, 46.5}});
    Place(chart);
    const std::vector<PatternFound> patterns = FindChartPatterns(astro, positions, 3);
    std::vector<int16_t> groups;
    for (const auto group : ByPattern(patterns))
        groups.push_back(group.front().pattern);
    // The 3-stelliums within the 4-stellium are not listed; midpoints come last.
    EXPECT_EQ(groups, (std::vector<int16_t>{kPatternGrandTrine, kPatternKite, kPattern4Stellium, kPatternMidpoint}));
    EXPECT_EQ(patterns[2].bodies, (std::vector<Body>{Me, Ve, Sa, Ur}));

    // The 3-stellium is cleared by the larger one; patterns not found keep what they held; the midpoint
    // count is always stored.
    std::array<int16_t, kNumPatterns> counts{};
    counts.fill(7);
    StorePatternCounts(patterns, counts);
    EXPECT_EQ(std::tuple(counts[kPatternGrandTrine], counts[kPatternKite], counts[kPattern4Stellium],
                         counts[kPattern3Stellium], counts[kPatternYod], counts[kPattern5Stellium]),
              std::tuple(1, 1, 1, 0, 7, 7));
    EXPECT_EQ(counts[kPatternMidpoint], static_cast<int16_t>(ByPattern(patterns).back().size()));
    Place({{E, 0}, {Ju, 120}});
    counts.fill(7);
    StorePatternCounts(FindChartPatterns(astro, positions, 3), counts);
    EXPECT_EQ(std::pair(counts[kPatternMidpoint], counts[kPatternGrandTrine]), std::pair(int16_t{0}, int16_t{7}));

    // The smallest stellium is looked for only when no larger one was found.
    Place({{E, 10}, {Me, 11}, {Ve, 12}});
    const std::vector<PatternFound> three = FindChartPatterns(astro, positions, 3);
    ASSERT_FALSE(three.empty());
    EXPECT_EQ(std::pair(three[0].pattern, three[0].bodies), std::pair(kPattern3Stellium, std::vector<Body>{E, Me, Ve}));
    counts.fill(0);
    StorePatternCounts(three, counts);
    EXPECT_EQ(counts[kPattern3Stellium], 1);
}

TEST_F(PatternTest, CountsAgreeWithThePairwiseAspectTestOnRandomCharts)
{
    SetOrbs(Orbs{8, 8, 8, 8, 6, 2, 3});
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    auto holds = [&](Body p, Body q, Aspect aspect) {
        double deviation = 0.0;
        return astro.IsAspect(positions, p, q, aspect, deviation);
    };
    for (int chart = 0; chart < 300; ++chart) {
        for (const Body body : kBodies)
            positions[body].longitude = Rad(degrees(random));
        size_t trines = 0, tSquares = 0, stelliums = 0, yods = 0;
        for (const Body p1 : kBodies)
            for (const Body p2 : BodiesAfter(p1, kNumBodies))
                for (const Body p3 : kBodies) {
                    if (p3 > p2 && holds(p1, p2, Aspect::Trine) && holds(p1, p3, Aspect::Trine) &&
                        holds(p2, p3, Aspect::Trine))
                        ++trines;
                    if (p3 > p2 && holds(p1, p2, Aspect::Conjunction) && holds(p1, p3, Aspect::Conjunction) &&
                        holds(p2, p3, Aspect::Conjunction))
                        ++stelliums;
                    if (holds(p1, p2, Aspect::Opposition) && holds(p1, p3, Aspect::Square) && holds(p2, p3, Aspect::Square))
                        ++tSquares;
                    if (holds(p1, p2, Aspect::Sextile) && holds(p1, p3, Aspect::Quincunx) &&
                        holds(p2, p3, Aspect::Quincunx))
                        ++yods;
                }
        const PatternFinder finder = Finder();
        const std::array<size_t, 4> counts{finder.Find(kPatternGrandTrine).size(), finder.Find(kPatternTSquare).size(),
                                           finder.Stellium(3).size(), finder.Find(kPatternYod).size()};
        EXPECT_EQ(counts, (std::array<size_t, 4>{trines, tSquares, stelliums, yods})) << chart;
    }
}

TEST_F(PatternTest, PatternNamesReadInAnyCase)
{
    for (int16_t i = 0; i < kNumPatterns; ++i)
        EXPECT_EQ(PatternNameIndex(astro.tables.patternNames[static_cast<size_t>(i)]), i);
    EXPECT_EQ(PatternNameIndex("GRAND SEXTILE"), kPatternGrandSextile);
    EXPECT_EQ(PatternNameIndex("Grand"), -1);
    EXPECT_EQ(StelliumPatternIndex(6), kPattern6Stellium);
}

TEST(RunRecord, SoughtBodiesAmongThePatternsBodies)
{
    struct Case { int16_t x; std::array<int16_t, 6> b; bool sought; };
    const Case cases[] = {
        {4, {4, 5, 6, 0, 0, 0}, true},    {6, {4, 5, 6, 0, 0, 0}, true},  {7, {4, 5, 6, 0, 0, 0}, false},
        {7, {1, 2, 3, 7, 0, 0}, true},    {9, {1, 2, 3, 4, 5, 9}, true},  {8, {1, 2, 3, 4, 5, 9}, false},
        {0, {1, 2, 3, 0, 0, 0}, false},  // an unused place is no body
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSoughtBody(c.x, c.b[0], c.b[1], c.b[2], c.b[3], c.b[4], c.b[5]), c.sought) << c.x;

    RunSearchState run = SeekingRun(kPattern3Stellium, {kMars, 0, kSaturn});
    run.numBodiesFound = 9;
    RecordPatternForRun(run, "Grand trine", kMars, kSaturn, kEarth, 0, 0, 0);  // another pattern: ignored
    EXPECT_EQ(run.numBodiesFound, 9);
    RecordPatternForRun(run, "3-stellium", kEarth, kMars, kVenus, 0, 0, 0);
    EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(int16_t{1}, false));
    RecordPatternForRun(run, "3-stellium", kSaturn, kEarth, kMars, 0, 0, 0);
    EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(int16_t{2}, true));
}

// Each finder hands every body of its pattern to a run looking for bodies, until the sought ones are found.
TEST_F(PatternTest, FindersHandTheirBodiesToARun)
{
    struct Case { int16_t pattern; Chart bodies; std::array<int16_t, 3> sought; int16_t found; };
    const Case cases[] = {
        {kPatternKite, kKite, {kMars, kJupiter, 0}, 2},
        {kPatternKite, kKite, {kMars, 0, kSaturn}, 1},  // Saturn is not in the kite
        // Earth is in the first three T-squares of the cross, not in the last (Venus–Mars–Saturn): the
        // T-squares after the first with Earth are not examined.
        {kPatternTSquare, kCross, {0, kEarth, 0}, 1},
        // Each of the other finders with the last body it names.
        {kPatternGrandTrine, {{E, 0}, {Ju, 120}, {Ne, 240}}, {kNeptune, 0, 0}, 1},
        {kPatternRectangle, {{E, 0}, {Ju, 60}, {Ma, 180}, {Ve, 240}}, {kJupiter, 0, 0}, 1},
        {kPatternGrandCross, kCross, {kSaturn, 0, 0}, 1},
        {kPatternYod, {{E, 0}, {Me, 60}, {Ju, 210}}, {kMercury, 0, 0}, 1},
        {kPatternYodKite, {{E, 0}, {Me, 60}, {Ju, 210}, {Ma, 30}}, {kMars, 0, 0}, 1},
        {kPatternTrapezium, {{E, 0}, {Me, 60}, {Ve, 120}, {Ma, 180}}, {kMercury, 0, 0}, 1},
        {kPattern5Stellium, {{E, 0}, {Me, 1}, {Ve, 2}, {Ma, 0.5}, {Ur, 1.5}}, {kUranus, 0, 0}, 1},
        {kPatternGrandSextile, {{E, 0}, {Me, 60}, {Ve, 120}, {Ma, 180}, {Ju, 240}, {Sa, 300}}, {kSaturn, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        Place(c.bodies);
        RunSearchState run = SeekingRun(c.pattern, c.sought);
        EXPECT_FALSE(Finder(&run).Find(c.pattern).empty()) << c.pattern;
        EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(c.found, c.found == run.numBodiesSought)) << c.pattern;
    }
    // A run that seeks no bodies is left alone.
    RunSearchState run = SeekingRun(kPatternKite, {kMars, 0, 0});
    run.bodiesSought = false;
    Finder(&run).Find(kPatternKite);
    EXPECT_EQ(run.numBodiesFound, 0);
}

}  // namespace
}  // namespace orvane::core
