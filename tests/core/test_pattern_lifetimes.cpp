#include "core/pattern_lifetimes.h"

#include "core/aspect_result.h"
#include "core/events.h"
#include "core/modes.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace orvane::core {
namespace {

using testing::Jdn;

constexpr double kSecond = 1.0 / 86400.0;

class PatternLifetimesTest : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        program->astro.orbs.ApplyOrbs({480, 480, 420, 420, 300, 120, 180}, {2, 3});
    }
    static const AstroModule& astro() { return program->astro; }
    static LifetimeRequest Year(int32_t year, std::initializer_list<int16_t> patterns = {})
    {
        LifetimeRequest request;
        request.from = Jdn(year, 1, 1) - 0.5;
        request.to = Jdn(year + 1, 1, 1) - 0.5;
        if (patterns.size() > 0) {
            request.patterns.fill(false);
            for (const int16_t pattern : patterns)
                request.patterns[static_cast<size_t>(pattern)] = true;
        }
        return request;
    }
};

// Each grand trine of a year forms when the last of its three trines enters its orb and dissolves when
// the first of them leaves it, as the event search finds those moments on its own.
TEST_F(PatternLifetimesTest, GrandTrineLivesFromItsLastTrineEnteringToItsFirstLeaving)
{
    const LifetimeRequest request = Year(2025, {kPatternGrandTrine});
    const std::vector<PatternOccurrence> trines = PatternLifetimes(astro(), request);
    int whole = 0;
    for (const PatternOccurrence& trine : trines) {
        if (!trine.begin || !trine.end)
            continue;
        ++whole;
        double lastEntry = -std::numeric_limits<double>::infinity();
        double firstExit = std::numeric_limits<double>::infinity();
        for (size_t i = 0; i < 3; ++i)
            for (size_t j = i + 1; j < 3; ++j) {
                EventFilter filter;
                filter.bodies = static_cast<uint16_t>(1u << IndexOf(trine.bodies[i]) | 1u << IndexOf(trine.bodies[j]));
                filter.aspects = 1u << kTrine;
                filter.kinds = 1u << static_cast<int>(EventKind::Enter) | 1u << static_cast<int>(EventKind::Leave);
                const EventSearch search(astro(), Mode::WorldTransits, {request.from, 0, 0}, filter);
                double entry = -std::numeric_limits<double>::infinity();
                double exit = std::numeric_limits<double>::infinity();
                for (const Event& event : search.Collect(request.from, request.to)) {
                    if (event.kind == EventKind::Enter && event.moment <= *trine.begin + kSecond)
                        entry = event.moment;
                    if (event.kind == EventKind::Leave && event.moment >= *trine.begin + kSecond)
                        exit = std::min(exit, event.moment);
                }
                lastEntry = std::max(lastEntry, entry);
                firstExit = std::min(firstExit, exit);
            }
        EXPECT_NEAR(*trine.begin, lastEntry, kSecond);
        EXPECT_NEAR(*trine.end, firstExit, kSecond);
        EXPECT_GE(trine.peak, *trine.begin);
        EXPECT_LE(trine.peak, *trine.end);
    }
    EXPECT_GT(whole, 0);
}

// The middle of every life of every pattern of a year is a moment at which the summary lists the pattern
// with those bodies; at its tightest moment the finder's mean deviation is the one reported.
TEST_F(PatternLifetimesTest, EveryLifeIsListedByTheSummaryAtItsMiddle)
{
    const LifetimeRequest request = Year(2024);
    const std::vector<PatternOccurrence> occurrences = PatternLifetimes(astro(), request);
    std::array<int, kNumPatterns> seen{};
    int compared = 0;
    int inside = 0;
    const auto summary = [&](double moment) {
        AspectRequest asked;
        asked.moments = {moment, moment};
        asked.midpointOrbPosition = request.midpointOrbPosition;
        return ComputeAspects(astro(), asked).patterns;
    };
    for (const PatternOccurrence& occurrence : occurrences) {
        ++seen[static_cast<size_t>(occurrence.pattern)];
        const double begin = occurrence.begin.value_or(request.from);
        const double end = occurrence.end.value_or(request.to);
        ASSERT_LT(begin, end);
        const std::vector<PatternFound> middle = summary(0.5 * (begin + end));
        const auto listed = std::find_if(middle.begin(), middle.end(), [&](const PatternFound& found) {
            return found.pattern == occurrence.pattern && found.bodies == occurrence.bodies;
        });
        EXPECT_NE(listed, middle.end()) << occurrence.pattern << " from " << begin << " to " << end;
        // A life whose deviation only shrinks (or only grows) is tightest at its end (or its beginning),
        // where its last condition is just failing; inside, the finder is asked there.
        const bool hasDeviation = occurrence.pattern != kPatternMidpoint && occurrence.pattern != kPatternGrandSextile;
        if (!hasDeviation || occurrence.peak < begin + kSecond || occurrence.peak > end - kSecond)
            continue;
        ++inside;
        for (const PatternFound& found : summary(occurrence.peak)) {
            if (found.pattern == occurrence.pattern && found.bodies == occurrence.bodies) {
                EXPECT_NEAR(found.meanDeviation.value(), occurrence.peakDeviation, 5e-7);  // 0.1"
                ++compared;
            }
        }
    }
    EXPECT_EQ(compared, inside);
    EXPECT_GT(inside, 50);
    EXPECT_TRUE(std::is_sorted(occurrences.begin(), occurrences.end(), [](const auto& a, const auto& b) {
        return a.begin.value_or(-1.0) < b.begin.value_or(-1.0);
    }));
    EXPECT_GT(seen[kPatternTSquare], 0);
    EXPECT_GT(seen[kPatternMidpoint], 0);
}

// A run until found stops when the pattern forms: not while it is there from the start, and only once
// enough of them are there together.
TEST_F(PatternLifetimesTest, FirstFormationWaitsForTheCountAndTheBodies)
{
    const auto life = [](std::optional<double> begin, std::optional<double> end, std::vector<Body> bodies) {
        return PatternOccurrence{kPatternTSquare, std::move(bodies), begin, end, 0.0, 0.0};
    };
    const std::vector<PatternOccurrence> lives{life(std::nullopt, 3.0, {Body::Earth, Body::Mars, Body::Venus}),
                                               life(2.0, 5.0, {Body::Mars, Body::Saturn, Body::Venus}),
                                               life(4.0, std::nullopt, {Body::Earth, Body::Mars, Body::Pluto})};
    const std::vector<Body> none;
    const std::vector<Body> saturn{Body::Saturn};
    const std::vector<Body> pluto{Body::Pluto};
    EXPECT_EQ(FirstFormation(lives, 0.0, 1, none), std::nullopt);  // there from the start, never gone
    EXPECT_EQ(FirstFormation(lives, 0.0, 1, saturn), std::optional(2.0));
    EXPECT_EQ(FirstFormation(lives, 0.0, 2, none), std::optional(2.0));
    EXPECT_EQ(FirstFormation(lives, 0.0, 2, pluto), std::optional(4.0));
    EXPECT_EQ(FirstFormation(lives, 0.0, 3, none), std::nullopt);
}

}  // namespace
}  // namespace orvane::core
