#include "core/geo_pattern_lifetimes.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace orvane::core {
namespace {

using testing::Jdn;

constexpr double kMinute = 1.0 / 1440.0;
constexpr double kArcsecond = kTwoPi / 360.0 / 3600.0;
constexpr platform::Convention kConvention = platform::kGeocentricDefault;

// One aspect of a pattern as the test knows it: the places of its two bodies in the pattern's name, its
// angle and its orb (degrees).
struct Tie {
    size_t i;
    size_t j;
    double degrees;
    double orb;
};
// The orbs below: opposition 8°, square and trine 7°.
const std::vector<Tie> kTSquareTies{{0, 2, 180, 8}, {0, 1, 90, 7}, {2, 1, 90, 7}};
const std::vector<Tie> kGrandTrineTies{{0, 1, 120, 7}, {0, 2, 120, 7}, {1, 2, 120, 7}};

double Longitude(Body point, double t)
{
    return platform::GeoLongitudeIn(*GeoBodyOfPoint(point), t, kConvention).value();
}

// The deviations of the pattern's aspects at t, degrees, from positions taken here.
std::vector<double> Deviations(const PatternOccurrence& occurrence, double t)
{
    const std::vector<Tie>& ties = occurrence.pattern == kPatternTSquare ? kTSquareTies : kGrandTrineTies;
    std::vector<double> deviations;
    for (const Tie& tie : ties) {
        const double difference = Longitude(occurrence.bodies[tie.i], t) - Longitude(occurrence.bodies[tie.j], t);
        const double separation = std::fabs(std::remainder(difference, kTwoPi)) * 360.0 / kTwoPi;
        deviations.push_back(std::fabs(separation - tie.degrees));
    }
    return deviations;
}

bool Holds(const PatternOccurrence& occurrence, double t)
{
    const std::vector<Tie>& ties = occurrence.pattern == kPatternTSquare ? kTSquareTies : kGrandTrineTies;
    const std::vector<double> deviations = Deviations(occurrence, t);
    for (size_t k = 0; k < ties.size(); ++k)
        if (!(deviations[k] < ties[k].orb))
            return false;
    return true;
}

double MeanDeviation(const PatternOccurrence& occurrence, double t)
{
    const std::vector<double> deviations = Deviations(occurrence, t);
    double sum = 0.0;
    for (const double deviation : deviations)
        sum += deviation;
    return sum / static_cast<double>(deviations.size()) * kTwoPi / 360.0;
}

class GeoPatternLifetimesTest : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        program->astro.orbs.ApplyOrbs({480, 480, 420, 420, 300, 120, 180}, {2, 3});
    }
    static const AstroModule& astro() { return program->astro; }
    // The T-squares and grand trines seen from the Earth from `from`, `days` long.
    static std::vector<PatternOccurrence> Lives(double from, double days)
    {
        LifetimeRequest request;
        request.from = from;
        request.to = from + days;
        request.patterns.fill(false);
        request.patterns[kPatternTSquare] = true;
        request.patterns[kPatternGrandTrine] = true;
        request.convention = kConvention;
        const std::optional<std::vector<PatternOccurrence>> lives = GeoPatternLifetimes(astro(), request);
        EXPECT_TRUE(lives.has_value());
        return lives.value_or(std::vector<PatternOccurrence>{});
    }
};

// October 2025 seen from the Earth: each T-square and grand trine that forms and dissolves within the month
// holds, by positions taken here, from just after it forms to just before it dissolves and at its tightest
// moment, and does not hold a minute before or after; its tightest moment is the tightest of a ten-minute
// scan and its deviation is the one there. The Moon takes part in some (hours long), not in others.
TEST_F(GeoPatternLifetimesTest, EachPatternHoldsFromItsFormingToItsDissolving)
{
    const std::vector<PatternOccurrence> lives = Lives(Jdn(2025, 10, 1) - 0.5, 31.0);
    int whole = 0, withMoon = 0, withoutMoon = 0;
    for (const PatternOccurrence& life : lives) {
        if (!life.begin || !life.end)
            continue;
        ++whole;
        const bool moon = std::find(life.bodies.begin(), life.bodies.end(), PatternPointOf(GeoBody::Moon)) !=
                          life.bodies.end();
        (moon ? withMoon : withoutMoon) += 1;
        EXPECT_FALSE(Holds(life, *life.begin - kMinute));
        EXPECT_TRUE(Holds(life, *life.begin + kMinute / 4));
        EXPECT_TRUE(Holds(life, life.peak));
        EXPECT_TRUE(Holds(life, *life.end - kMinute / 4));
        EXPECT_FALSE(Holds(life, *life.end + kMinute));
        EXPECT_NEAR(life.peakDeviation, MeanDeviation(life, life.peak), 0.1 * kArcsecond);
        for (double t = *life.begin; t < *life.end; t += 10 * kMinute)
            EXPECT_LE(life.peakDeviation, MeanDeviation(life, t) + 0.1 * kArcsecond);
    }
    EXPECT_GT(withMoon, 0);
    EXPECT_GT(withoutMoon, 0);
    EXPECT_GT(whole, withMoon / 2);
}

// Ten days of the finders asked every ten minutes, on their own, against the occurrences: each pattern the
// finders see lies within an occurrence of the same bodies (give or take the scan's step), and each
// occurrence is seen at every step that lies a step or more inside it.
TEST_F(GeoPatternLifetimesTest, AgreesWithTheFindersAskedEveryTenMinutes)
{
    const double from = Jdn(2025, 10, 15) - 0.5;
    const double days = 10.0;
    const std::vector<PatternOccurrence> lives = Lives(from, days);
    ASSERT_FALSE(lives.empty());
    const double step = 10 * kMinute;
    std::vector<int> seen(lives.size(), 0);
    std::vector<int> inside(lives.size(), 0);
    int unexplained = 0;
    for (double t = from; t < from + days; t += step) {
        const PatternFinder finder(astro(), GeoPatternPoints(t, kConvention).value());
        std::vector<PatternFound> found = finder.Find(kPatternTSquare);
        const std::vector<PatternFound> trines = finder.Find(kPatternGrandTrine);
        found.insert(found.end(), trines.begin(), trines.end());
        for (size_t k = 0; k < lives.size(); ++k) {
            const double begin = lives[k].begin.value_or(from - 1.0);
            const double end = lives[k].end.value_or(from + days + 1.0);
            inside[k] += t >= begin + step && t <= end - step ? 1 : 0;
        }
        for (const PatternFound& pattern : found) {
            const auto life = std::find_if(lives.begin(), lives.end(), [&](const PatternOccurrence& o) {
                return o.pattern == pattern.pattern && o.bodies == pattern.bodies &&
                       t >= o.begin.value_or(from) - step && t < o.end.value_or(from + days) + step;
            });
            if (life == lives.end())
                ++unexplained;
            else if (t >= life->begin.value_or(from - 1.0) + step && t <= life->end.value_or(from + days + 1.0) - step)
                ++seen[static_cast<size_t>(life - lives.begin())];
        }
    }
    EXPECT_EQ(unexplained, 0);
    EXPECT_EQ(seen, inside);
}

}  // namespace
}  // namespace orvane::core
