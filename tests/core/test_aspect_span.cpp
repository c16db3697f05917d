#include "core/aspect_span.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <string>

namespace orvane::core {
namespace {

using testing::Jdn;

constexpr Body E = Body::Earth, Ma = Body::Mars, Ju = Body::Jupiter, Sa = Body::Saturn, Ur = Body::Uranus,
               Ne = Body::Neptune, Pl = Body::Pluto;

// The program's ephemeris and Pluto table; 8° for conjunction … trine, 6° sextile, 2° semisextile,
// 3° quincunx; personal transits at half.
class AspectSpanTest : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SetOrbs({480, 480, 480, 480, 360, 120, 180});
    }

    static void SetOrbs(const std::array<int32_t, kNumAspects>& minutes)
    {
        program->astro.orbs.ApplyOrbs(minutes, {2, 3});
    }

    static const AstroModule& astro() { return program->astro; }

    // A world-transit context for the world date `day` at local noon in zone `zone`.
    static AspectSpanContext World(int32_t day, int16_t zone = 0)
    {
        AspectSpanContext context;
        context.worldLocalDay = day + 0.5;
        context.zoneOffsetMinutes = zone;
        return context;
    }

    // Whether the aspect holds at the local midnight that starts `day` (in world transits, or against the
    // fixed longitude `natalL` when it is given).
    static bool InOrbAtMidnight(Body p1, Body p2, Aspect a, int16_t k, int32_t day, int16_t zone,
                                double natalL = -1.0)
    {
        const double t = day - zone / 1440.0 - 0.5;
        const double L1 = natalL >= 0.0 ? natalL : astro().HelioLongitude(p1, t);
        double exactness = 0.0;
        return astro().IsAspectWithExactness(L1, astro().HelioLongitude(p2, t), a, k, exactness);
    }

    // The beginning b and end e found are exact: out of orb at the midnight of day b, in orb at every
    // midnight after it up to that of day e, out again at the next.
    static void ExpectExactEdges(Body p1, Body p2, Aspect a, int16_t k, double b, double e, int16_t zone = 0,
                                 double natalL = -1.0)
    {
        ASSERT_GT(b, 0.0);
        ASSERT_EQ(b, std::floor(b));
        ASSERT_EQ(e, std::floor(e));
        EXPECT_FALSE(InOrbAtMidnight(p1, p2, a, k, static_cast<int32_t>(b), zone, natalL));
        for (auto d = static_cast<int32_t>(b) + 1; d <= static_cast<int32_t>(e); ++d)
            EXPECT_TRUE(InOrbAtMidnight(p1, p2, a, k, d, zone, natalL)) << d;
        EXPECT_FALSE(InOrbAtMidnight(p1, p2, a, k, static_cast<int32_t>(e) + 1, zone, natalL));
    }
};

TEST_F(AspectSpanTest, AspectOutOfOrbAtOnceGivesTheWorldDateItself)
{
    struct Case { Body p1, p2; Aspect a; int16_t zone; };
    // On 3 November 2023 the Earth stands in conjunction with Jupiter: none of these aspects holds.
    const int32_t day = Jdn(2023, 11, 3);
    for (const Case& c : {Case{E, Ju, Aspect::Trine, -300}, Case{Ur, Ne, Aspect::Square, 330}}) {
        SCOPED_TRACE(::testing::Message() << "zone " << c.zone);
        ASSERT_FALSE(InOrbAtMidnight(c.p1, c.p2, c.a, 0, day, c.zone));
        ASSERT_FALSE(InOrbAtMidnight(c.p1, c.p2, c.a, 0, day + 1, c.zone));
        EXPECT_EQ(BeginningOfAspect(astro(), World(day, c.zone), c.p1, c.p2, c.a, 0), day);
        EXPECT_EQ(EndOfAspect(astro(), World(day, c.zone), c.p1, c.p2, c.a, 0), day);
    }
}

TEST_F(AspectSpanTest, AspectLeavingBeforeTheNextMidnightEndsOnTheWorldDate)
{
    // The Earth–Mars square holds at the midnight that starts 3 March 2020 and no longer at the next.
    const int32_t day = Jdn(2020, 3, 3);
    ASSERT_TRUE(InOrbAtMidnight(E, Ma, Aspect::Square, 0, day, 0));
    ASSERT_FALSE(InOrbAtMidnight(E, Ma, Aspect::Square, 0, day + 1, 0));
    EXPECT_EQ(EndOfAspect(astro(), World(day), E, Ma, Aspect::Square, 0), day);
    EXPECT_LT(BeginningOfAspect(astro(), World(day), E, Ma, Aspect::Square, 0), day - 20);
}

TEST_F(AspectSpanTest, FastPairIsBoundedByTheMidnightsAroundIt)
{
    // Earth conjunct Jupiter (Jupiter's opposition seen from the Earth) on 3 November 2023, in several zones.
    const int32_t day = Jdn(2023, 11, 3);
    for (const int16_t zone : {int16_t{0}, int16_t{120}}) {
        SCOPED_TRACE(zone);
        const double b = BeginningOfAspect(astro(), World(day, zone), E, Ju, Aspect::Conjunction, 0);
        const double e = EndOfAspect(astro(), World(day, zone), E, Ju, Aspect::Conjunction, 0);
        EXPECT_TRUE(b < day && e > day);
        // The Earth gains about 0.9° a day on Jupiter: an 8° orb holds for some 17 days.
        EXPECT_NEAR(e - b, 17.0, 2.0);
        ExpectExactEdges(E, Ju, Aspect::Conjunction, 0, b, e, zone);
    }
}

TEST_F(AspectSpanTest, NegativeZoneMovesEveryMidnightLaterInUniversalTime)
{
    // The Earth–Mars square comes into orb at about 00:40 UT on 3 April 2021. At Greenwich the midnight
    // of that day is still outside the orb; five hours west of Greenwich it is already inside, and the
    // aspect is found to begin a day earlier.
    const int32_t entryDay = Jdn(2021, 4, 3);
    const int32_t day = entryDay + 2;
    EXPECT_EQ(BeginningOfAspect(astro(), World(day, 0), E, Ma, Aspect::Square, 0), entryDay);
    EXPECT_EQ(BeginningOfAspect(astro(), World(day, -300), E, Ma, Aspect::Square, 0), entryDay - 1);
    // The local midnights five hours later in UT are the ones tested.
    EXPECT_FALSE(InOrbAtMidnight(E, Ma, Aspect::Square, 0, entryDay - 1, -300));
    EXPECT_TRUE(InOrbAtMidnight(E, Ma, Aspect::Square, 0, entryDay, -300));
}

TEST_F(AspectSpanTest, PersonalTransitsHoldTheNatalBodyStill)
{
    // Transiting Earth returns to natal Earth of 1 January 2000 a year later; the personal orb is 4°.
    AspectSpanContext context = World(Jdn(2001, 1, 1));
    context.isPersonalTransits = true;
    context.natalMoment = Jdn(2000, 1, 1);  // noon UT
    const double natalL = astro().HelioLongitude(E, context.natalMoment);
    const double b = BeginningOfAspect(astro(), context, E, E, Aspect::Conjunction, 1);
    const double e = EndOfAspect(astro(), context, E, E, Aspect::Conjunction, 1);
    EXPECT_NEAR(e - b, 8.0, 1.5);
    ExpectExactEdges(E, E, Aspect::Conjunction, 1, b, e, 0, natalL);

    // A birthdate or a world date that is an error code of the date input is no moment.
    context.natalMoment = -2.0;
    EXPECT_EQ(std::pair(BeginningOfAspect(astro(), context, E, E, Aspect::Conjunction, 1), EndOfAspect(astro(), context, E, E, Aspect::Conjunction, 1)),
              std::pair(kUnknownDay, kUnknownDay));
    context = World(0);
    context.worldLocalDay = -1.0;
    EXPECT_EQ(std::pair(BeginningOfAspect(astro(), context, E, Ju, Aspect::Conjunction, 0), EndOfAspect(astro(), context, E, Ju, Aspect::Conjunction, 0)),
              std::pair(kUnknownDay, kUnknownDay));
}

TEST_F(AspectSpanTest, SlowPairStepsUpToElevenDaysNearExactness)
{
    // Uranus square Pluto was exact in late November 2013. With a 1' orb the aspect holds for only a
    // few days, and the long steps taken near exactness overshoot its edges.
    SetOrbs({480, 480, 1, 480, 360, 120, 180});
    const int32_t day = Jdn(2013, 11, 24);
    ASSERT_TRUE(InOrbAtMidnight(Ur, Pl, Aspect::Square, 0, day, 0));
    const auto b = static_cast<int32_t>(BeginningOfAspect(astro(), World(day), Ur, Pl, Aspect::Square, 0));
    const auto e = static_cast<int32_t>(EndOfAspect(astro(), World(day), Ur, Pl, Aspect::Square, 0));
    ASSERT_TRUE(b > 0 && e > 0);
    EXPECT_FALSE(InOrbAtMidnight(Ur, Pl, Aspect::Square, 0, b, 0) || InOrbAtMidnight(Ur, Pl, Aspect::Square, 0, e + 1, 0));

    int32_t trueEntry = b + 1;
    while (!InOrbAtMidnight(Ur, Pl, Aspect::Square, 0, trueEntry, 0))
        ++trueEntry;
    int32_t trueLast = e;
    while (!InOrbAtMidnight(Ur, Pl, Aspect::Square, 0, trueLast, 0))
        --trueLast;
    // Before the true entry (after the true exit) by more than a day, but by less than one step.
    EXPECT_TRUE(trueEntry - b > 1 && trueEntry - b <= 11) << b << " " << trueEntry;
    EXPECT_TRUE(e - trueLast > 0 && e - trueLast <= 10) << e << " " << trueLast;
    EXPECT_TRUE(trueEntry <= day && trueLast >= day);

    // Saturn, inside Uranus' orbit, makes the pair step a day at a time: the edges are found exactly.
    SetOrbs({480, 480, 480, 480, 360, 120, 180});
    const int32_t june2009 = Jdn(2009, 6, 1);
    ExpectExactEdges(Sa, Ur, Aspect::Opposition, 0, BeginningOfAspect(astro(), World(june2009), Sa, Ur, Aspect::Opposition, 0),
                     EndOfAspect(astro(), World(june2009), Sa, Ur, Aspect::Opposition, 0));
}

TEST_F(AspectSpanTest, PlutoOutsideItsTableGivesAnUnknownDay)
{
    // In 2250 Pluto has no position: unknown at the first trial.
    const int32_t day = Jdn(2250, 6, 1);
    for (const Aspect a : kAspects)
        EXPECT_EQ(std::pair(BeginningOfAspect(astro(), World(day), Ur, Pl, a, 0), EndOfAspect(astro(), World(day), Ur, Pl, a, 0)),
                  std::pair(kUnknownDay, kUnknownDay));
    // Neptune trine Pluto near the table's end: the beginning is found, the end runs past the table.
    const int32_t late = Jdn(2199, 12, 20);
    ASSERT_TRUE(InOrbAtMidnight(Ne, Pl, Aspect::Trine, 0, late, 0));
    EXPECT_GT(BeginningOfAspect(astro(), World(late), Ne, Pl, Aspect::Trine, 0), 0.0);
    EXPECT_EQ(EndOfAspect(astro(), World(late), Ne, Pl, Aspect::Trine, 0), kUnknownDay);
    // Saturn opposite Pluto near the table's start: the other way round.
    const int32_t early = Jdn(1600, 1, 10);
    ASSERT_TRUE(InOrbAtMidnight(Sa, Pl, Aspect::Opposition, 0, early, 0));
    EXPECT_EQ(BeginningOfAspect(astro(), World(early), Sa, Pl, Aspect::Opposition, 0), kUnknownDay);
    EXPECT_GT(EndOfAspect(astro(), World(early), Sa, Pl, Aspect::Opposition, 0), early);
}

TEST_F(AspectSpanTest, TrialBoundEndsAnAspectThatNeverLeavesItsOrb)
{
    // An orb wider than any deviation keeps the conjunction in force for ever.
    AstroModule wide;
    wide.InitializeAstroTables(ORVANE_BIN_DIR);
    wide.orbs.ApplyOrbs({480, 480, 480, 480, 360, 120, 180}, {2, 3});
    wide.orbs.orbs[kConjunction][0] = kPi + 0.1;
    AspectSpanContext context = World(Jdn(2023, 11, 3));
    context.lngMaxTrials = 40;
    EXPECT_EQ(std::pair(BeginningOfAspect(wide, context, E, Ma, Aspect::Conjunction, 0), EndOfAspect(wide, context, E, Ma, Aspect::Conjunction, 0)),
              std::pair(kUnknownDay, kUnknownDay));

    // A bound that a real aspect stays within does not change its result.
    const double unbounded = BeginningOfAspect(astro(), World(Jdn(2023, 11, 3)), E, Ju, Aspect::Conjunction, 0);
    EXPECT_EQ(BeginningOfAspect(astro(), context, E, Ju, Aspect::Conjunction, 0), unbounded);
    // The default bound leaves room for a search across the whole Pluto table.
    EXPECT_GT(kMaxAspectSpanTrials, kPlutoTableLines);
}

// Duration records.

std::string RightJustified(long long number, size_t width)
{
    std::string text = std::to_string(number);
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + text;
}

class DurationRecordsTest : public AspectSpanTest {
protected:
    // The aspects of a computation in `mode`.
    static DurationGrid Grid(int16_t mode, std::vector<AspectFound> aspects)
    {
        DurationGrid grid;
        grid.currentMode = mode;
        grid.aspects = std::move(aspects);
        return grid;
    }
};

// The records of world transits, natal charts, personal transits and synastry stand in the companion's
// reports; here the world-transit cases they do not show.
TEST_F(DurationRecordsTest, ColumnsOfAWorldTransitRecord)
{
    enum class Tail { Dates, UnknownEnd };
    struct Case { const char* name; int32_t worldDay; Body p1, p2; Aspect a; Tail tail; };
    const Case cases[] = {
        {"past the Pluto table", Jdn(2199, 12, 20), Ne, Pl, Aspect::Trine, Tail::UnknownEnd},
        {"Earth-Jupiter", Jdn(2023, 11, 3), E, Ju, Aspect::Conjunction, Tail::Dates},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DurationGrid grid = Grid(kModeWorldTransits, {{c.p1, c.p2, c.a}});
        grid.moments = {c.worldDay + 0.0, 0.0, 0.0};
        grid.worldLocalDay = c.worldDay + 0.5;
        DurationRecords records;
        records.recordLines = {"left over"};
        records.recordCount = 1;
        GetDurations(astro(), grid, records);
        ASSERT_EQ(std::pair(records.recordCount, records.recordLines.size()), std::pair(int16_t{1}, size_t{1}));
        const std::string& record = records.recordLines[0];
        ASSERT_EQ(record.size(), static_cast<size_t>(kRecordLength)) << record;
        const int p1 = IndexOf(c.p1);
        EXPECT_EQ(record.substr(0, 9), RightJustified(p1, 2) + RightJustified(IndexOf(c.p2), 2) +
                                           RightJustified(p1, 2) + " " + std::to_string(IndexOf(c.a)) + " ");
        // The deviation in radians with six decimals.
        const double deviation = astro().Deviation(astro().HelioLongitude(c.p1, c.worldDay),
                                                   astro().HelioLongitude(c.p2, c.worldDay), c.a);
        EXPECT_EQ(record[10], '.');
        EXPECT_NEAR(std::stod(record.substr(9, 8)), deviation, 5e-7);
        const auto b = static_cast<long long>(BeginningOfAspect(astro(), World(c.worldDay), c.p1, c.p2, c.a, 0));
        const auto e = static_cast<long long>(EndOfAspect(astro(), World(c.worldDay), c.p1, c.p2, c.a, 0));
        const std::string tail = record.substr(17);
        if (c.tail == Tail::UnknownEnd)
            EXPECT_EQ(tail, RightJustified(b, 8) + "      -1" + std::string(6, ' '));
        else
            EXPECT_EQ(tail, RightJustified(b, 8) + RightJustified(e, 8) + RightJustified(e - b + 1, 6));
    }
}

TEST_F(DurationRecordsTest, EveryAspectInTheGridsOrder)
{
    DurationGrid grid = Grid(kModeNatal1, {{E, Body::Mercury, Aspect::Trine},
                                                 {Body::Mercury, Body::Saturn, Aspect::Sextile},
                                                 {Body::Venus, Ne, Aspect::Conjunction}});
    grid.moments = {0.0, Jdn(1990, 3, 21) + 0.0, 0.0};
    DurationRecords records;
    GetDurations(astro(), grid, records);
    ASSERT_EQ(records.recordCount, 3);
    const char* expected[] = {" 1 2 1 4", " 2 6 2 5", " 3 8 3 1"};
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(records.recordLines[i].substr(0, 8), expected[i]);
    EXPECT_EQ(records.recordLines[0].substr(17), std::string(22, '-'));  // no dates in a natal chart

    // No mode: no records.
    grid.currentMode = kModeNone;
    GetDurations(astro(), grid, records);
    EXPECT_TRUE(records.recordCount == 0 && records.recordLines.empty());
}

// A number format with a decimal comma and grouping, as a German desktop writes numbers.
struct CommaNumbers : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};

TEST_F(DurationRecordsTest, DecimalCommaBecomesAFullStop)
{
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaNumbers));
    DurationGrid grid = Grid(kModeNatal1, {{E, Body::Jupiter, Aspect::Conjunction}});
    grid.moments = {0.0, Jdn(2023, 11, 3) + 0.0, 0.0};
    DurationRecords records;
    GetDurations(astro(), grid, records);
    std::locale::global(previous);

    ASSERT_EQ(records.recordCount, 1);
    EXPECT_TRUE(records.recordLines[0].find(',') == std::string::npos && records.recordLines[0][10] == '.') << records.recordLines[0];
}

}  // namespace
}  // namespace orvane::core
