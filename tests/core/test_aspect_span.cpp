#include "core/aspect_span.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

namespace orvane::core {
namespace {

using testing::Jdn;

const std::pair<std::optional<DayNumber>, std::optional<DayNumber>> kNoDays;

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
        return astro().ExactnessOfAspect(L1, astro().HelioLongitude(p2, t), a, k).has_value();
    }

    // The beginning b and end e found are exact: out of orb at the midnight of day b, in orb at every
    // midnight after it up to that of day e, out again at the next.
    static void ExpectExactEdges(Body p1, Body p2, Aspect a, int16_t k, std::optional<DayNumber> b,
                                 std::optional<DayNumber> e, int16_t zone = 0, double natalL = -1.0)
    {
        ASSERT_TRUE(b && e);
        EXPECT_FALSE(InOrbAtMidnight(p1, p2, a, k, *b, zone, natalL));
        for (DayNumber d = *b + 1; d <= *e; ++d)
            EXPECT_TRUE(InOrbAtMidnight(p1, p2, a, k, d, zone, natalL)) << d;
        EXPECT_FALSE(InOrbAtMidnight(p1, p2, a, k, *e + 1, zone, natalL));
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
        const std::optional<DayNumber> b = BeginningOfAspect(astro(), World(day, zone), E, Ju, Aspect::Conjunction, 0);
        const std::optional<DayNumber> e = EndOfAspect(astro(), World(day, zone), E, Ju, Aspect::Conjunction, 0);
        ASSERT_TRUE(b && e);
        EXPECT_TRUE(*b < day && *e > day);
        // The Earth gains about 0.9° a day on Jupiter: an 8° orb holds for some 17 days.
        EXPECT_NEAR(*e - *b, 17, 2);
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
    const std::optional<DayNumber> b = BeginningOfAspect(astro(), context, E, E, Aspect::Conjunction, 1);
    const std::optional<DayNumber> e = EndOfAspect(astro(), context, E, E, Aspect::Conjunction, 1);
    ASSERT_TRUE(b && e);
    EXPECT_NEAR(*e - *b, 8, 1.5);
    ExpectExactEdges(E, E, Aspect::Conjunction, 1, b, e, 0, natalL);

    // A birthdate or a world date that is an error code of the date input is no moment.
    context.natalMoment = -2.0;
    EXPECT_EQ(std::pair(BeginningOfAspect(astro(), context, E, E, Aspect::Conjunction, 1), EndOfAspect(astro(), context, E, E, Aspect::Conjunction, 1)),
              kNoDays);
    context = World(0);
    context.worldLocalDay = -1.0;
    EXPECT_EQ(std::pair(BeginningOfAspect(astro(), context, E, Ju, Aspect::Conjunction, 0), EndOfAspect(astro(), context, E, Ju, Aspect::Conjunction, 0)),
              kNoDays);
}

TEST_F(AspectSpanTest, SlowPairStepsUpToElevenDaysNearExactness)
{
    // Uranus square Pluto was exact in late November 2013. With a 1' orb the aspect holds for only a
    // few days, and the long steps taken near exactness overshoot its edges.
    SetOrbs({480, 480, 1, 480, 360, 120, 180});
    const int32_t day = Jdn(2013, 11, 24);
    ASSERT_TRUE(InOrbAtMidnight(Ur, Pl, Aspect::Square, 0, day, 0));
    const DayNumber b = BeginningOfAspect(astro(), World(day), Ur, Pl, Aspect::Square, 0).value_or(-1);
    const DayNumber e = EndOfAspect(astro(), World(day), Ur, Pl, Aspect::Square, 0).value_or(-1);
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
                  kNoDays);
    // Neptune trine Pluto near the table's end: the beginning is found, the end runs past the table.
    const int32_t late = Jdn(2199, 12, 20);
    ASSERT_TRUE(InOrbAtMidnight(Ne, Pl, Aspect::Trine, 0, late, 0));
    EXPECT_TRUE(BeginningOfAspect(astro(), World(late), Ne, Pl, Aspect::Trine, 0).has_value());
    EXPECT_FALSE(EndOfAspect(astro(), World(late), Ne, Pl, Aspect::Trine, 0).has_value());
    // Saturn opposite Pluto near the table's start: the other way round.
    const int32_t early = Jdn(1600, 1, 10);
    ASSERT_TRUE(InOrbAtMidnight(Sa, Pl, Aspect::Opposition, 0, early, 0));
    EXPECT_FALSE(BeginningOfAspect(astro(), World(early), Sa, Pl, Aspect::Opposition, 0).has_value());
    EXPECT_GT(EndOfAspect(astro(), World(early), Sa, Pl, Aspect::Opposition, 0).value_or(0), early);
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
              kNoDays);

    // A bound that a real aspect stays within does not change its result.
    const std::optional<DayNumber> unbounded = BeginningOfAspect(astro(), World(Jdn(2023, 11, 3)), E, Ju, Aspect::Conjunction, 0);
    EXPECT_EQ(BeginningOfAspect(astro(), context, E, Ju, Aspect::Conjunction, 0), unbounded);
    // The default bound leaves room for a search across the whole Pluto table.
    EXPECT_GT(kMaxAspectSpanTrials, kPlutoTableLines);
}

// Duration records.

class DurationRecordsTest : public AspectSpanTest {
protected:
    // The aspects of a computation in `mode`.
    static DurationGrid Grid(core::Mode mode, std::vector<AspectFound> aspects)
    {
        DurationGrid grid;
        grid.currentMode = mode;
        grid.aspects = std::move(aspects);
        return grid;
    }
};

// The records of world transits, natal charts, personal transits and synastry stand in the companion's
// reports; here the world-transit cases they do not show.
TEST_F(DurationRecordsTest, AWorldTransitRecordCarriesItsDays)
{
    struct Case { const char* name; int32_t worldDay; Body p1, p2; Aspect a; bool endKnown; };
    const Case cases[] = {
        {"past the Pluto table", Jdn(2199, 12, 20), Ne, Pl, Aspect::Trine, false},
        {"Earth-Jupiter", Jdn(2023, 11, 3), E, Ju, Aspect::Conjunction, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DurationGrid grid = Grid(Mode::WorldTransits, {{c.p1, c.p2, c.a}});
        grid.moments = {c.worldDay + 0.0, 0.0, 0.0};
        grid.worldLocalDay = c.worldDay + 0.5;
        const std::vector<DurationRecord> records = GetDurations(astro(), grid);
        ASSERT_EQ(records.size(), 1u);
        const DurationRecord& record = records[0];
        EXPECT_EQ(std::tuple(record.first, record.second, record.aspect, record.dated), std::tuple(c.p1, c.p2, c.a, true));
        const double deviation = astro().Deviation(astro().HelioLongitude(c.p1, c.worldDay),
                                                   astro().HelioLongitude(c.p2, c.worldDay), c.a);
        EXPECT_NEAR(record.Deviation(), deviation, 5e-7);
        EXPECT_EQ(std::pair(record.beginning, record.ending),
                  std::pair(BeginningOfAspect(astro(), World(c.worldDay), c.p1, c.p2, c.a, 0),
                            EndOfAspect(astro(), World(c.worldDay), c.p1, c.p2, c.a, 0)));
        ASSERT_TRUE(record.beginning.has_value());
        EXPECT_EQ(record.ending.has_value(), c.endKnown);
        EXPECT_EQ(record.Days(), c.endKnown ? std::optional(*record.ending - *record.beginning + 1) : std::nullopt);
    }
}

TEST_F(DurationRecordsTest, EveryAspectInTheGridsOrder)
{
    DurationGrid grid = Grid(Mode::Natal1st, {{E, Body::Mercury, Aspect::Trine},
                                                 {Body::Mercury, Body::Saturn, Aspect::Sextile},
                                                 {Body::Venus, Ne, Aspect::Conjunction}});
    grid.moments = {0.0, Jdn(1990, 3, 21) + 0.0, 0.0};
    const std::vector<DurationRecord> records = GetDurations(astro(), grid);
    ASSERT_EQ(records.size(), 3u);
    const std::tuple<Body, Body, Aspect> expected[] = {
        {E, Body::Mercury, Aspect::Trine}, {Body::Mercury, Sa, Aspect::Sextile}, {Body::Venus, Ne, Aspect::Conjunction}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(std::tuple(records[i].first, records[i].second, records[i].aspect), expected[i]);
        // No days in a natal chart.
        EXPECT_FALSE(records[i].dated || records[i].beginning || records[i].ending || records[i].Days());
    }

    // No mode: no records.
    grid.currentMode = Mode::None;
    EXPECT_TRUE(GetDurations(astro(), grid).empty());
}

// Six decimals of a radian, rounded as a decimal writer rounds the exact value of the double (the
// expectations are printf's "%.6f").
TEST(MicroradiansOf, RoundsTheExactValueToNearestAndHalvesToEven)
{
    struct Case { double radians; int32_t micro; };
    const Case cases[] = {
        {0.0123454, 12345}, {0.0123456, 12346}, {3.14159265358979, 3141593}, {0.0, 0},
        {5e-7, 0},          // a hair below the half, though 5e-7 · 10⁶ rounds to 0.5
        {2.5e-6, 3},        // a hair above the half, though 2.5e-6 · 10⁶ rounds to 2.5
        {0.0078125, 7812},  // 1/128: exactly a half, to the even neighbour
        {0.0234375, 23438}, // 3/128: the same, upwards
    };
    for (const Case& c : cases)
        EXPECT_EQ(MicroradiansOf(c.radians), c.micro) << c.radians;
}

}  // namespace
}  // namespace orvane::core
