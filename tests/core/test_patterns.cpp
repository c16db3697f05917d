#include "core/patterns.h"

#include "core/astro_module.h"
#include "text/language.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace orvane::core {
namespace {

double Rad(double degrees)
{
    return degrees / 360.0 * kTwoPi;
}

// Orbs in whole degrees, by aspect index 1 … 7.
struct Orbs {
    int conjunction = 3, opposition = 3, square = 3, trine = 3, sextile = 3, semisextile = 2, quincunx = 2;
};

class PatternTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        astro.InitializeAstroTables("/nonexistent-orvane-folder/");
        astro.intNumPlanets = kPluto;
        ASSERT_EQ(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName), "");
        for (auto& row : dblPos)
            row = {-1.0, -1.0};
        SetOrbs(Orbs{});
    }

    void SetOrbs(const Orbs& o)
    {
        astro.orbs.SetOrbs({o.conjunction * 60, o.opposition * 60, o.square * 60, o.trine * 60, o.sextile * 60,
                            o.semisextile * 60, o.quincunx * 60},
                           {1, 1});
    }

    void Place(int16_t body, double degrees) { dblPos[static_cast<size_t>(body)][0] = Rad(degrees); }

    // A pattern line in the short form: "Kite: Ea-Ju-Ne-Ma (mean deviation 0°30')".
    std::string Line(const std::string& name, const std::string& bodies, const std::string& meanDeviation) const
    {
        return name + ": " + bodies + " (" + language.GetText(kTextMeanDeviation) + " " + meanDeviation + ")\r\n";
    }

    PatternFinder Finder(RunSearchState* run = nullptr) const { return PatternFinder(astro, dblPos, language, run); }

    AstroModule astro;
    PositionTable dblPos{};
    text::Language language;
};

TEST_F(PatternTest, GrandTrineInBothNameFormsAndItsMeanDeviation)
{
    Place(kEarth, 0);
    Place(kJupiter, 120);
    Place(kNeptune, 240);
    int16_t count = -1;
    EXPECT_EQ(Finder().GrandTrine(false, count), Line("Grand trine", "Ea-Ju-Ne", "0°0'"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().GrandTrine(true, count), "Earth-Jupiter-Neptune\r\n");
    EXPECT_EQ(count, 1);

    // Deviations 1°, 0.5° and 0.5°: the mean of the three trines is 40'.
    Place(kJupiter, 121);
    Place(kNeptune, 240.5);
    EXPECT_EQ(Finder().GrandTrine(false, count), Line("Grand trine", "Ea-Ju-Ne", "0°40'"));

    // The trine switched off: no pattern at all, and the count starts from 0.
    Orbs noTrine;
    noTrine.trine = 0;
    SetOrbs(noTrine);
    count = 5;
    EXPECT_EQ(Finder().GrandTrine(false, count), "");
    EXPECT_EQ(count, 0);
}

TEST_F(PatternTest, BodiesWithoutAPositionTakePartInNothing)
{
    Place(kEarth, 0);
    Place(kJupiter, 120);
    dblPos[kPluto][0] = -99.0;  // before the Pluto table; 240° is where it would complete the trine
    int16_t count = -1;
    EXPECT_EQ(Finder().GrandTrine(false, count), "");
    EXPECT_EQ(count, 0);
}

TEST_F(PatternTest, KitePrintsTheTrineFromTheBodyOppositeItsTail)
{
    Place(kEarth, 0);
    Place(kJupiter, 120);
    Place(kNeptune, 240);
    Place(kMars, 180);
    int16_t count = 0;
    EXPECT_EQ(Finder().Kite(false, count), Line("Kite", "Ea-Ju-Ne-Ma", "0°0'"));
    EXPECT_EQ(count, 1);
    int16_t trines = 0;
    Finder().GrandTrine(false, trines);
    EXPECT_EQ(trines, 1);

    // The tail opposite Jupiter: the trine bodies are rotated to begin with Jupiter.
    Place(kMars, 300);
    EXPECT_EQ(Finder().Kite(true, count), "Jupiter-Neptune-Earth-Mars\r\n");
    EXPECT_EQ(count, 1);

    // 1° off in each of the tail's three aspects, none in the trines: 3° over six aspects.
    Place(kMars, 301);
    EXPECT_EQ(Finder().Kite(false, count), Line("Kite", "Ju-Ne-Ea-Ma", "0°30'"));
}

TEST_F(PatternTest, RectangleIsListedOnceThoughMetFromBothOppositions)
{
    // Oppositions Earth–Mars and Venus–Jupiter; the indices let the search meet it from both.
    Place(kEarth, 0);
    Place(kJupiter, 60);
    Place(kMars, 180);
    Place(kVenus, 240);
    int16_t count = 0;
    EXPECT_EQ(Finder().Rectangle(false, count), Line("Rectangle", "Ea-Ma-Ve-Ju", "0°0'"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().Rectangle(true, count), "Earth-Mars-Venus-Jupiter\r\n");
    EXPECT_EQ(count, 1);

    // Jupiter 1° off in its sextile, trine and opposition.
    Place(kJupiter, 61);
    EXPECT_EQ(Finder().Rectangle(false, count), Line("Rectangle", "Ea-Ma-Ve-Ju", "0°30'"));

    // A rectangle whose indices increase round both oppositions is not met by the search at all.
    for (auto& row : dblPos)
        row = {-1.0, -1.0};
    Place(kEarth, 0);
    Place(kMercury, 60);
    Place(kVenus, 180);
    Place(kMars, 240);
    EXPECT_EQ(Finder().Rectangle(false, count), "");
    EXPECT_EQ(count, 0);
}

TEST_F(PatternTest, TSquareHasItsApexInTheMiddle)
{
    Place(kMercury, 10);
    Place(kSaturn, 190);
    Place(kJupiter, 101);
    int16_t count = 0;
    EXPECT_EQ(Finder().TSquare(false, count), Line("T-square", "Me-Ju-Sa", "0°40'"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().TSquare(true, count), "Mercury-Jupiter-Saturn\r\n");
}

TEST_F(PatternTest, GrandCrossGoesRoundTheCircleAndLeavesTheTSquares)
{
    Place(kVenus, 0);
    Place(kEarth, 90);
    Place(kSaturn, 180);
    Place(kMars, 270);
    int16_t count = 0;
    EXPECT_EQ(Finder().GrandCross(false, count), Line("Grand cross", "Ea-Ve-Ma-Sa", "0°0'"));
    EXPECT_EQ(count, 1);

    // Each opposition with each of the two other bodies as apex.
    EXPECT_EQ(Finder().TSquare(false, count), Line("T-square", "Ea-Ve-Ma", "0°0'") + Line("T-square", "Ea-Sa-Ma", "0°0'") +
                                                  Line("T-square", "Ve-Ea-Sa", "0°0'") + Line("T-square", "Ve-Ma-Sa", "0°0'"));
    EXPECT_EQ(count, 4);

    // Mars 1.5° off: opposition to Earth and squares to Venus and Saturn, 4.5° over six aspects.
    Place(kMars, 271.5);
    EXPECT_EQ(Finder().GrandCross(false, count), Line("Grand cross", "Ea-Ve-Ma-Sa", "0°45'"));

    // Mercury has both its square partners above it but Earth opposite: the cross is still listed once.
    for (auto& row : dblPos)
        row = {-1.0, -1.0};
    Place(kEarth, 270);
    Place(kMercury, 90);
    Place(kVenus, 0);
    Place(kMars, 180);
    EXPECT_EQ(Finder().GrandCross(true, count), "Earth-Venus-Mercury-Mars\r\n");
    EXPECT_EQ(count, 1);
}

TEST_F(PatternTest, YodAndYodKite)
{
    Place(kEarth, 0);
    Place(kMercury, 60);
    Place(kJupiter, 210);
    int16_t count = 0;
    EXPECT_EQ(Finder().Yod(false, count), Line("Yod", "Ea-Ju-Me", "0°0'"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().YodKite(false, count), "");
    EXPECT_EQ(count, 0);

    // Mars opposite the apex and semisextile to both feet, 0.5° off in each: 1.5° over six aspects.
    Place(kMars, 30.5);
    EXPECT_EQ(Finder().YodKite(false, count), Line("Yod-kite", "Ea-Ju-Me-Ma", "0°15'"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().YodKite(true, count), "Earth-Jupiter-Mercury-Mars\r\n");
}

TEST_F(PatternTest, TrapeziumBeginsWithItsOpposition)
{
    Place(kEarth, 0);
    Place(kMercury, 60);
    Place(kVenus, 121);
    Place(kMars, 180);
    int16_t count = 0;
    // Venus 1° off in its trine to Earth and its sextiles to Mercury and Mars.
    EXPECT_EQ(Finder().Trapezium(false, count), Line("Trapezium", "Ea-Ma-Ve-Me", "0°30'"));
    EXPECT_EQ(count, 1);

    // The body at 180° now has the lower index, so it comes first.
    Place(kEarth, 180);
    Place(kMercury, 0);
    Place(kVenus, 60);
    Place(kMars, 120);
    EXPECT_EQ(Finder().Trapezium(true, count), "Earth-Mercury-Venus-Mars\r\n");
    EXPECT_EQ(count, 1);
}

TEST_F(PatternTest, StelliumsOfEverySize)
{
    Place(kEarth, 10);
    Place(kMercury, 11);
    Place(kVenus, 12);
    Place(kMars, 13);
    int16_t count = -1;
    // Pair deviations 1, 2, 3, 1, 2, 1: 10° over six conjunctions.
    EXPECT_EQ(Finder().Stellium(4, false, count), Line("4-Stellium", "Ea-Me-Ve-Ma", "1°40'"));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().Stellium(3, false, count),
              Line("3-Stellium", "Ea-Me-Ve", "1°20'") + Line("3-Stellium", "Ea-Me-Ma", "2°0'") +
                  Line("3-Stellium", "Ea-Ve-Ma", "2°0'") + Line("3-Stellium", "Me-Ve-Ma", "1°20'"));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Finder().Stellium(5, false, count), "");
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Finder().Find(kPattern4Stellium, true, count), "Earth-Mercury-Venus-Mars\r\n");

    Place(kJupiter, 10.5);
    Place(kSaturn, 11.5);
    EXPECT_EQ(Finder().Stellium(6, true, count), "Earth-Mercury-Venus-Mars-Jupiter-Saturn\r\n");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().Stellium(2, false, count), "");
    EXPECT_EQ(count, 0);
    count = 3;
    EXPECT_EQ(Finder().Find(kPatternMidpoint, false, count), "");  // not one of the thirteen finders
    EXPECT_EQ(count, 0);
}

TEST_F(PatternTest, GrandSextileNeedsSixSextilesBetweenTwoTrines)
{
    Place(kEarth, 0);
    Place(kMercury, 60);
    Place(kVenus, 120);
    Place(kMars, 180);
    Place(kJupiter, 240);
    Place(kSaturn, 300);
    int16_t count = 0;
    EXPECT_EQ(Finder().GrandSextile(false, count), "Grand sextile: Ea-Ve-Ju-Me-Ma-Sa\r\n");
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Finder().GrandSextile(true, count), "Earth-Venus-Jupiter-Mercury-Mars-Saturn\r\n");
    int16_t trines = 0;
    Finder().GrandTrine(false, trines);
    EXPECT_EQ(trines, 2);

    // Without sextiles the two trines stay two trines.
    Orbs noSextile;
    noSextile.sextile = 0;
    SetOrbs(noSextile);
    EXPECT_EQ(Finder().GrandSextile(false, count), "");
    EXPECT_EQ(count, 0);

    // Two trines 30° apart have no sextile between them.
    SetOrbs(Orbs{});
    Place(kMercury, 30);
    Place(kMars, 150);
    Place(kSaturn, 270);
    EXPECT_EQ(Finder().GrandSextile(false, count), "");
    Finder().GrandTrine(false, trines);
    EXPECT_EQ(trines, 2);
}

TEST_F(PatternTest, SummaryFollowsComputesOrderAndLargestStelliumWins)
{
    // A kite (so also a grand trine) and, away from it, four bodies in conjunction.
    Place(kEarth, 0);
    Place(kJupiter, 120);
    Place(kNeptune, 240);
    Place(kMars, 180);
    Place(kMercury, 45);
    Place(kVenus, 46);
    Place(kSaturn, 47);
    Place(kUranus, 46.5);
    const auto findings = FindAllPatterns(Finder(), false, 3);

    std::vector<int16_t> asked;
    for (const auto& f : findings)
        asked.push_back(f.patternIndex);
    // The 3-stellium is not asked once the 4-stellium was found.
    EXPECT_EQ(asked, (std::vector<int16_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13}));

    std::array<int16_t, kNumPatterns> intPatternCount{};
    intPatternCount.fill(7);
    const std::string summary = PatternSummary(findings, intPatternCount);
    EXPECT_EQ(summary, findings[0].text + "\r\n" + findings[1].text + "\r\n" + findings[10].text + "\r\n" +
                           findings[12].text);
    EXPECT_NE(summary.find("Grand trine: Ea-Ju-Ne"), std::string::npos);
    EXPECT_NE(summary.find("Kite: Ea-Ju-Ne-Ma"), std::string::npos);
    EXPECT_NE(summary.find("4-Stellium: Me-Ve-Sa-Ur"), std::string::npos);
    EXPECT_NE(summary.find("Midpoint: "), std::string::npos);
    EXPECT_EQ(summary.find("3-Stellium"), std::string::npos);

    EXPECT_EQ(intPatternCount[kPatternGrandTrine], 1);
    EXPECT_EQ(intPatternCount[kPatternKite], 1);
    EXPECT_EQ(intPatternCount[kPattern4Stellium], 1);
    EXPECT_EQ(intPatternCount[kPattern3Stellium], 0);  // cleared by the larger stellium
    // Patterns not found keep what they held; the midpoint count is always stored.
    EXPECT_EQ(intPatternCount[kPatternYod], 7);
    EXPECT_EQ(intPatternCount[kPattern5Stellium], 7);
    EXPECT_EQ(intPatternCount[kPatternMidpoint], findings.back().count);
}

TEST_F(PatternTest, SmallestStelliumAskedOnlyWhenNoLargerOneFound)
{
    Place(kEarth, 10);
    Place(kMercury, 11);
    Place(kVenus, 12);
    const auto findings = FindAllPatterns(Finder(), true, 3);
    ASSERT_EQ(findings.size(), 14u);
    EXPECT_EQ(findings[11].patternIndex, kPattern3Stellium);
    EXPECT_EQ(findings[11].text, "Earth-Mercury-Venus\r\n");
    std::array<int16_t, kNumPatterns> intPatternCount{};
    PatternSummary(findings, intPatternCount);
    EXPECT_EQ(intPatternCount[kPattern3Stellium], 1);
    EXPECT_EQ(intPatternCount[kPattern4Stellium], 0);
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
            Place(body, degrees(random));
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
        int16_t count = 0;
        finder.GrandTrine(false, count);
        EXPECT_EQ(count, trines) << chart;
        finder.TSquare(false, count);
        EXPECT_EQ(count, tSquares) << chart;
        finder.Stellium(3, false, count);
        EXPECT_EQ(count, stelliums) << chart;
        finder.Yod(false, count);
        EXPECT_EQ(count, yods) << chart;
    }
}

TEST(PatternNames, RunNamesMatchThePatternIndexInAnyCase)
{
    AstroTables tables;
    tables.InitializeAstroTables("/nonexistent-orvane-folder/");
    for (int16_t i = 0; i < kNumPatterns; ++i) {
        EXPECT_EQ(PatternNameIndex(kRunPatternName[static_cast<size_t>(i)]), i);
        EXPECT_EQ(PatternNameIndex(tables.strPatternName[static_cast<size_t>(i)]), i);
    }
    EXPECT_EQ(PatternNameIndex("3-stellium"), kPattern3Stellium);
    EXPECT_EQ(PatternNameIndex("GRAND SEXTILE"), kPatternGrandSextile);
    EXPECT_EQ(PatternNameIndex("Grand"), -1);
    EXPECT_EQ(PatternNameIndex(""), -1);
    EXPECT_EQ(StelliumPatternIndex(6), kPattern6Stellium);
    EXPECT_EQ(StelliumPatternIndex(3), kPattern3Stellium);
}

TEST(RunRecord, SoughtBodiesAmongThePatternsBodies)
{
    struct Case {
        int16_t x;
        std::array<int16_t, 6> b;
        bool sought;
    };
    const Case cases[] = {
        {4, {4, 5, 6, 0, 0, 0}, true},    {6, {4, 5, 6, 0, 0, 0}, true},  {7, {4, 5, 6, 0, 0, 0}, false},
        {7, {1, 2, 3, 7, 0, 0}, true},    {9, {1, 2, 3, 4, 5, 9}, true},  {8, {1, 2, 3, 4, 5, 9}, false},
        {0, {1, 2, 3, 0, 0, 0}, false},  // an unused place is no body
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSoughtBody(c.x, c.b[0], c.b[1], c.b[2], c.b[3], c.b[4], c.b[5]), c.sought) << c.x;

    RunSearchState run;
    run.intAspectPatternToFind = kPattern3Stellium;
    run.intSoughtPlanet = {kMars, 0, kSaturn};
    run.intNumPlanetsSought = 2;
    run.intNumPlanetsFound = 9;

    RecordPatternForRun(run, "Grand trine", 3, kMars, kSaturn, kEarth, 0, 0, 0);  // another pattern: ignored
    EXPECT_EQ(run.intNumPlanetsFound, 9);
    EXPECT_FALSE(run.blnSoughtPlanetsFound);

    RecordPatternForRun(run, "3-stellium", 3, kEarth, kMars, kVenus, 0, 0, 0);
    EXPECT_EQ(run.intNumPlanetsFound, 1);
    EXPECT_FALSE(run.blnSoughtPlanetsFound);

    RecordPatternForRun(run, "3-stellium", 3, kSaturn, kEarth, kMars, 0, 0, 0);
    EXPECT_EQ(run.intNumPlanetsFound, 2);
    EXPECT_TRUE(run.blnSoughtPlanetsFound);
}

TEST_F(PatternTest, FindersHandTheirPatternsToARunLookingForBodies)
{
    Place(kEarth, 0);
    Place(kJupiter, 120);
    Place(kNeptune, 240);
    Place(kMars, 180);

    RunSearchState run;
    run.blnPlanetsSought = true;
    run.intAspectPatternToFind = kPatternKite;
    run.intSoughtPlanet = {kMars, kJupiter, 0};
    run.intNumPlanetsSought = 2;
    int16_t count = 0;
    Finder(&run).Kite(false, count);
    EXPECT_EQ(run.intNumPlanetsFound, 2);
    EXPECT_TRUE(run.blnSoughtPlanetsFound);

    // Saturn is not in the kite.
    run.blnSoughtPlanetsFound = false;
    run.intSoughtPlanet = {kMars, 0, kSaturn};
    Finder(&run).Kite(false, count);
    EXPECT_EQ(run.intNumPlanetsFound, 1);
    EXPECT_FALSE(run.blnSoughtPlanetsFound);

    // Another pattern than the one sought leaves the record alone.
    run.intNumPlanetsFound = 9;
    Finder(&run).GrandTrine(false, count);
    EXPECT_EQ(run.intNumPlanetsFound, 9);

    // Without sought bodies nothing is handed over.
    run.blnPlanetsSought = false;
    Finder(&run).Kite(false, count);
    EXPECT_EQ(run.intNumPlanetsFound, 9);
}

TEST_F(PatternTest, ARunKeepsTheFirstPatternThatInvolvedItsBodies)
{
    // A grand cross: four T-squares; Earth is in the first three, not in the last (Venus–Mars–Saturn).
    Place(kVenus, 0);
    Place(kEarth, 90);
    Place(kSaturn, 180);
    Place(kMars, 270);
    RunSearchState run;
    run.blnPlanetsSought = true;
    run.intAspectPatternToFind = kPatternTSquare;
    run.intSoughtPlanet = {0, kEarth, 0};
    run.intNumPlanetsSought = 1;
    int16_t count = 0;
    Finder(&run).TSquare(false, count);
    EXPECT_EQ(count, 4);
    EXPECT_TRUE(run.blnSoughtPlanetsFound);
    EXPECT_EQ(run.intNumPlanetsFound, 1);  // the T-squares after the first were not examined
}

TEST_F(PatternTest, EveryFinderHandsAllItsBodiesToTheRun)
{
    // For each pattern: a chart that holds it, and its last printed body as the one sought.
    struct Case {
        int16_t pattern;
        std::vector<std::pair<int16_t, double>> bodies;
        int16_t lastBody;
    };
    const std::vector<Case> cases{
        {kPatternGrandTrine, {{kEarth, 0}, {kJupiter, 120}, {kNeptune, 240}}, kNeptune},
        {kPatternRectangle, {{kEarth, 0}, {kJupiter, 60}, {kMars, 180}, {kVenus, 240}}, kJupiter},
        {kPatternGrandCross, {{kVenus, 0}, {kEarth, 90}, {kSaturn, 180}, {kMars, 270}}, kSaturn},
        {kPatternYod, {{kEarth, 0}, {kMercury, 60}, {kJupiter, 210}}, kMercury},
        {kPatternYodKite, {{kEarth, 0}, {kMercury, 60}, {kJupiter, 210}, {kMars, 30}}, kMars},
        {kPatternTrapezium, {{kEarth, 0}, {kMercury, 60}, {kVenus, 120}, {kMars, 180}}, kMercury},
        {kPattern5Stellium, {{kEarth, 0}, {kMercury, 1}, {kVenus, 2}, {kMars, 0.5}, {kUranus, 1.5}}, kUranus},
        {kPatternGrandSextile,
         {{kEarth, 0}, {kMercury, 60}, {kVenus, 120}, {kMars, 180}, {kJupiter, 240}, {kSaturn, 300}},
         kSaturn},
    };
    for (const Case& c : cases) {
        for (auto& row : dblPos)
            row = {-1.0, -1.0};
        for (const auto& [body, degrees] : c.bodies)
            Place(body, degrees);
        RunSearchState run;
        run.blnPlanetsSought = true;
        run.intAspectPatternToFind = c.pattern;
        run.intSoughtPlanet = {c.lastBody, 0, 0};
        run.intNumPlanetsSought = 1;
        int16_t count = 0;
        Finder(&run).Find(c.pattern, false, count);
        EXPECT_GE(count, 1) << c.pattern;
        EXPECT_TRUE(run.blnSoughtPlanetsFound) << c.pattern;
    }
}

}  // namespace
}  // namespace orvane::core
