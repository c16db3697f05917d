#include "core/patterns.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace orvane::core {
namespace {

using Chart = std::vector<std::pair<int16_t, double>>;  // bodies and their longitudes in degrees

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

// The program's tables and text; orbs set here directly on the aspect test.
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

    // Only the chart's bodies have positions; a negative longitude is stored as it is (no position).
    void Place(const Chart& chart)
    {
        for (auto& row : dblPos)
            row = {-1.0, -1.0};
        for (const auto& [body, degrees] : chart)
            dblPos[static_cast<size_t>(body)][0] = degrees < 0.0 ? degrees : Rad(degrees);
    }

    PatternFinder Finder(RunSearchState* run = nullptr) const
    {
        return PatternFinder(astro, dblPos, program->language, run);
    }

    AstroModule& astro = program->astro;
    PositionTable dblPos{};
};

const Chart kKite{{kEarth, 0}, {kJupiter, 120}, {kNeptune, 240}, {kMars, 180}};
const Chart kCross{{kVenus, 0}, {kEarth, 90}, {kSaturn, 180}, {kMars, 270}};

// One finder over one chart, the aspect whose orb is 0 if any, and what the finder returns.
struct FinderCase { const char* name; Chart bodies; int16_t pattern; bool fullNames; std::string text; int16_t count; int16_t noOrb = 0; };

// A pattern line in the short form: "Kite: Ea-Ju-Ne-Ma (mean deviation 0°30')".
std::string L(const std::string& patternAndBodies, const std::string& meanDeviation)
{
    return patternAndBodies + " (mean deviation " + meanDeviation + ")\r\n";
}

TEST_F(PatternTest, EachFinderNamesItsBodiesInOrderWithTheMeanDeviation)
{
    const Chart trine{{kEarth, 0}, {kJupiter, 120}, {kNeptune, 240}}, kite = kKite, cross = kCross,
        rectangle{{kEarth, 0}, {kJupiter, 60}, {kMars, 180}, {kVenus, 240}},
        yod{{kEarth, 0}, {kMercury, 60}, {kJupiter, 210}},
        stellium{{kEarth, 10}, {kMercury, 11}, {kVenus, 12}, {kMars, 13}},
        sextile{{kEarth, 0}, {kMercury, 60}, {kVenus, 120}, {kMars, 180}, {kJupiter, 240}, {kSaturn, 300}};
    const auto with = [](Chart bodies, std::pair<int16_t, double> more) {
        bodies.push_back(more);
        return bodies;
    };
    const FinderCase cases[] = {
        {"grand trine", trine, kPatternGrandTrine, false, L("Grand trine: Ea-Ju-Ne", "0°0'"), 1},
        {"grand trine, full names", trine, kPatternGrandTrine, true, "Earth-Jupiter-Neptune\r\n", 1},
        // Deviations 1°, 0.5° and 0.5°: the mean of the three trines is 40'.
        {"grand trine off exactness", {{kEarth, 0}, {kJupiter, 121}, {kNeptune, 240.5}}, kPatternGrandTrine, false,
         L("Grand trine: Ea-Ju-Ne", "0°40'"), 1},
        {"grand trine, trine switched off", trine, kPatternGrandTrine, false, "", 0, kTrine},
        // Pluto before its table, where it would complete the trine.
        {"no position", {{kEarth, 0}, {kJupiter, 120}, {kPluto, -99.0}}, kPatternGrandTrine, false, "", 0},
        {"kite", kite, kPatternKite, false, L("Kite: Ea-Ju-Ne-Ma", "0°0'"), 1},
        // The tail opposite Jupiter: the trine bodies are rotated to begin with Jupiter.
        {"kite, tail opposite Jupiter", with(trine, {kMars, 300}), kPatternKite, true,
         "Jupiter-Neptune-Earth-Mars\r\n", 1},
        // 1° off in each of the tail's three aspects, none in the trines: 3° over six aspects.
        {"kite, tail off", with(trine, {kMars, 301}), kPatternKite, false, L("Kite: Ju-Ne-Ea-Ma", "0°30'"), 1},
        // Oppositions Earth–Mars and Venus–Jupiter; the indices let the search meet it from both.
        {"rectangle", rectangle, kPatternRectangle, false, L("Rectangle: Ea-Ma-Ve-Ju", "0°0'"), 1},
        {"rectangle, Jupiter off", {{kEarth, 0}, {kJupiter, 61}, {kMars, 180}, {kVenus, 240}}, kPatternRectangle,
         false, L("Rectangle: Ea-Ma-Ve-Ju", "0°30'"), 1},
        // A rectangle whose indices increase round both oppositions is not met by the search at all.
        {"rectangle not met", {{kEarth, 0}, {kMercury, 60}, {kVenus, 180}, {kMars, 240}}, kPatternRectangle, false,
         "", 0},
        {"T-square", {{kMercury, 10}, {kSaturn, 190}, {kJupiter, 101}}, kPatternTSquare, false,
         L("T-square: Me-Ju-Sa", "0°40'"), 1},
        {"grand cross", cross, kPatternGrandCross, false, L("Grand cross: Ea-Ve-Ma-Sa", "0°0'"), 1},
        // Each opposition with each of the two other bodies as apex: no T-square is suppressed by the cross.
        {"T-squares of a grand cross", cross, kPatternTSquare, false,
         L("T-square: Ea-Ve-Ma", "0°0'") + L("T-square: Ea-Sa-Ma", "0°0'") + L("T-square: Ve-Ea-Sa", "0°0'") +
             L("T-square: Ve-Ma-Sa", "0°0'"),
         4},
        // Mars 1.5° off: opposition to Earth and squares to Venus and Saturn, 4.5° over six aspects.
        {"grand cross, Mars off", {{kVenus, 0}, {kEarth, 90}, {kSaturn, 180}, {kMars, 271.5}}, kPatternGrandCross,
         false, L("Grand cross: Ea-Ve-Ma-Sa", "0°45'"), 1},
        // Mercury has both its square partners above it but Earth opposite: the cross is still listed once.
        {"grand cross round the circle", {{kEarth, 270}, {kMercury, 90}, {kVenus, 0}, {kMars, 180}},
         kPatternGrandCross, true, "Earth-Venus-Mercury-Mars\r\n", 1},
        {"yod", yod, kPatternYod, false, L("Yod: Ea-Ju-Me", "0°0'"), 1},
        {"yod without kite", yod, kPatternYodKite, false, "", 0},
        // Mars opposite the apex and semisextile to both feet, 0.5° off in each: 1.5° over six aspects.
        {"yod-kite", with(yod, {kMars, 30.5}), kPatternYodKite, false, L("Yod-kite: Ea-Ju-Me-Ma", "0°15'"), 1},
        // Venus 1° off in its trine to Earth and its sextiles to Mercury and Mars.
        {"trapezium", {{kEarth, 0}, {kMercury, 60}, {kVenus, 121}, {kMars, 180}}, kPatternTrapezium, false,
         L("Trapezium: Ea-Ma-Ve-Me", "0°30'"), 1},
        // The body at 180° now has the lower index, so it comes first.
        {"trapezium from the lower index", {{kEarth, 180}, {kMercury, 0}, {kVenus, 60}, {kMars, 120}},
         kPatternTrapezium, true, "Earth-Mercury-Venus-Mars\r\n", 1},
        // Pair deviations 1, 2, 3, 1, 2, 1: 10° over six conjunctions.
        {"4-stellium", stellium, kPattern4Stellium, false, L("4-Stellium: Ea-Me-Ve-Ma", "1°40'"), 1},
        {"3-stelliums within a 4-stellium", stellium, kPattern3Stellium, false,
         L("3-Stellium: Ea-Me-Ve", "1°20'") + L("3-Stellium: Ea-Me-Ma", "2°0'") + L("3-Stellium: Ea-Ve-Ma", "2°0'") +
             L("3-Stellium: Me-Ve-Ma", "1°20'"),
         4},
        {"no 5-stellium", stellium, kPattern5Stellium, false, "", 0},
        {"6-stellium", with(with(stellium, {kJupiter, 10.5}), {kSaturn, 11.5}), kPattern6Stellium, true,
         "Earth-Mercury-Venus-Mars-Jupiter-Saturn\r\n", 1},
        {"midpoints are not one of the thirteen finders", stellium, kPatternMidpoint, false, "", 0},
        // Six sextiles between two trines; the line has no mean deviation.
        {"grand sextile", sextile, kPatternGrandSextile, false, "Grand sextile: Ea-Ve-Ju-Me-Ma-Sa\r\n", 1},
        {"grand trines of a grand sextile", sextile, kPatternGrandTrine, false,
         L("Grand trine: Ea-Ve-Ju", "0°0'") + L("Grand trine: Me-Ma-Sa", "0°0'"), 2},
        // Two trines 30° apart have no sextile between them.
        {"two trines 30° apart", {{kEarth, 0}, {kMercury, 30}, {kVenus, 120}, {kMars, 150}, {kJupiter, 240},
                                  {kSaturn, 270}},
         kPatternGrandSextile, false, "", 0},
    };
    for (const FinderCase& c : cases) {
        SCOPED_TRACE(c.name);
        Place(c.bodies);
        Orbs orbs;
        orbs.trine = c.noOrb == kTrine ? 0 : 3;
        SetOrbs(orbs);
        int16_t count = 99;
        EXPECT_EQ(Finder().Find(c.pattern, c.fullNames, count), c.text);
        EXPECT_EQ(count, c.count);
    }
    int16_t count = 99;
    EXPECT_EQ(Finder().Stellium(2, false, count), "");
    EXPECT_EQ(count, 0);
}

TEST_F(PatternTest, SummaryFollowsComputesOrderAndLargestStelliumWins)
{
    // A kite (so also a grand trine) and, away from it, four bodies in conjunction.
    Chart chart = kKite;
    chart.insert(chart.end(), {{kMercury, 45}, {kVenus, 46}, {kSaturn, 47}, {kUranus, 46.5}});
    Place(chart);
    // The 3-stellium is not asked once the 4-stellium was found.
    const auto findings = FindAllPatterns(Finder(), false, 3);
    std::vector<int16_t> asked;
    for (const auto& f : findings)
        asked.push_back(f.patternIndex);
    EXPECT_EQ(asked, (std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13}));

    std::array<int16_t, kNumPatterns> intPatternCount{};
    intPatternCount.fill(7);
    const std::string summary = PatternSummary(findings, intPatternCount);
    EXPECT_EQ(summary, findings[0].text + "\r\n" + findings[1].text + "\r\n" + findings[10].text + "\r\n" +
                           findings[12].text);
    for (const char* part : {"Grand trine: Ea-Ju-Ne", "Kite: Ea-Ju-Ne-Ma", "4-Stellium: Me-Ve-Sa-Ur", "Midpoint: "})
        EXPECT_NE(summary.find(part), std::string::npos) << part;
    // The 3-stellium is cleared by the larger one; patterns not found keep what they held; the midpoint
    // count is always stored.
    EXPECT_EQ(std::tuple(intPatternCount[kPatternGrandTrine], intPatternCount[kPatternKite], intPatternCount[kPattern4Stellium],
                         intPatternCount[kPattern3Stellium], intPatternCount[kPatternYod], intPatternCount[kPattern5Stellium]),
              std::tuple(1, 1, 1, 0, 7, 7));
    EXPECT_EQ(intPatternCount[kPatternMidpoint], findings.back().count);

    // The smallest stellium is asked only when no larger one was found.
    Place({{kEarth, 10}, {kMercury, 11}, {kVenus, 12}});
    const auto three = FindAllPatterns(Finder(), true, 3);
    ASSERT_EQ(three.size(), 14u);
    EXPECT_EQ(std::tuple(three[11].patternIndex, three[11].text), std::tuple(kPattern3Stellium, "Earth-Mercury-Venus\r\n"));
    intPatternCount.fill(0);
    PatternSummary(three, intPatternCount);
    EXPECT_EQ(intPatternCount[kPattern3Stellium], 1);
}

TEST_F(PatternTest, CountsAgreeWithThePairwiseAspectTestOnRandomCharts)
{
    SetOrbs(Orbs{8, 8, 8, 8, 6, 2, 3});
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> degrees(0.0, 360.0);
    auto holds = [&](int16_t p, int16_t q, int16_t aspect) {
        double deviation = 0.0;
        return astro.IsAspect(dblPos, p, q, aspect, deviation);
    };
    for (int chart = 0; chart < 300; ++chart) {
        for (int16_t body = kEarth; body <= kPluto; ++body)
            dblPos[static_cast<size_t>(body)][0] = Rad(degrees(random));
        int16_t trines = 0, tSquares = 0, stelliums = 0, yods = 0;
        for (int16_t p1 = 1; p1 <= kPluto; ++p1)
            for (int16_t p2 = p1 + 1; p2 <= kPluto; ++p2)
                for (int16_t p3 = 1; p3 <= kPluto; ++p3) {
                    if (p3 > p2 && holds(p1, p2, kTrine) && holds(p1, p3, kTrine) && holds(p2, p3, kTrine))
                        ++trines;
                    if (p3 > p2 && holds(p1, p2, kConjunction) && holds(p1, p3, kConjunction) &&
                        holds(p2, p3, kConjunction))
                        ++stelliums;
                    if (holds(p1, p2, kOpposition) && holds(p1, p3, kSquare) && holds(p2, p3, kSquare))
                        ++tSquares;
                    if (holds(p1, p2, kSextile) && holds(p1, p3, kQuincunx) && holds(p2, p3, kQuincunx))
                        ++yods;
                }
        const PatternFinder finder = Finder();
        std::array<int16_t, 4> counts{};
        finder.GrandTrine(false, counts[0]);
        finder.TSquare(false, counts[1]);
        finder.Stellium(3, false, counts[2]);
        finder.Yod(false, counts[3]);
        EXPECT_EQ(counts, (std::array<int16_t, 4>{trines, tSquares, stelliums, yods})) << chart;
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
    RecordPatternForRun(run, "Grand trine", 3, kMars, kSaturn, kEarth, 0, 0, 0);  // another pattern: ignored
    EXPECT_EQ(run.numBodiesFound, 9);
    RecordPatternForRun(run, "3-stellium", 3, kEarth, kMars, kVenus, 0, 0, 0);
    EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(int16_t{1}, false));
    RecordPatternForRun(run, "3-stellium", 3, kSaturn, kEarth, kMars, 0, 0, 0);
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
        // Each of the other finders with the last body it prints.
        {kPatternGrandTrine, {{kEarth, 0}, {kJupiter, 120}, {kNeptune, 240}}, {kNeptune, 0, 0}, 1},
        {kPatternRectangle, {{kEarth, 0}, {kJupiter, 60}, {kMars, 180}, {kVenus, 240}}, {kJupiter, 0, 0}, 1},
        {kPatternGrandCross, kCross, {kSaturn, 0, 0}, 1},
        {kPatternYod, {{kEarth, 0}, {kMercury, 60}, {kJupiter, 210}}, {kMercury, 0, 0}, 1},
        {kPatternYodKite, {{kEarth, 0}, {kMercury, 60}, {kJupiter, 210}, {kMars, 30}}, {kMars, 0, 0}, 1},
        {kPatternTrapezium, {{kEarth, 0}, {kMercury, 60}, {kVenus, 120}, {kMars, 180}}, {kMercury, 0, 0}, 1},
        {kPattern5Stellium, {{kEarth, 0}, {kMercury, 1}, {kVenus, 2}, {kMars, 0.5}, {kUranus, 1.5}}, {kUranus, 0, 0}, 1},
        {kPatternGrandSextile,
         {{kEarth, 0}, {kMercury, 60}, {kVenus, 120}, {kMars, 180}, {kJupiter, 240}, {kSaturn, 300}}, {kSaturn, 0, 0},
         1},
    };
    for (const Case& c : cases) {
        Place(c.bodies);
        RunSearchState run = SeekingRun(c.pattern, c.sought);
        int16_t count = 0;
        Finder(&run).Find(c.pattern, false, count);
        EXPECT_GE(count, 1) << c.pattern;
        EXPECT_EQ(std::pair(run.numBodiesFound, run.soughtBodiesFound), std::pair(c.found, c.found == run.numBodiesSought)) << c.pattern;
    }
    // A run that seeks no bodies is left alone.
    RunSearchState run = SeekingRun(kPatternKite, {kMars, 0, 0});
    run.bodiesSought = false;
    int16_t count = 0;
    Finder(&run).Kite(false, count);
    EXPECT_EQ(run.numBodiesFound, 0);
}

}  // namespace
}  // namespace orvane::core
