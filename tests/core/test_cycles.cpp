#include "core/cycles.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace orvane::core {
namespace {

using testing::Jdn;

class Cycles : public testing::ProgramTest {};

// Over a span each cycle ends where the next begins, lasts about its mean length, and passes its phases
// 30° … 330° once each, in order; the phase angle at each phase moment is that phase. Naming the bodies
// the other way round changes nothing.
TEST_F(Cycles, ConsecutiveConjunctionsAndPhasesInOrder)
{
    const struct {
        Body a, b;
        int fromYear, toYear;
    } cases[] = {{Body::Earth, Body::Mercury, 2020, 2022},
                 {Body::Venus, Body::Mars, 2000, 2006},
                 {Body::Saturn, Body::Jupiter, 1900, 2000}};
    for (const auto& c : cases) {
        SCOPED_TRACE(IndexOf(c.a) * 10 + IndexOf(c.b));
        const CycleSearch search(program->astro, c.a, c.b);
        const std::vector<SynodicCycle> cycles = search.Cycles(Jdn(c.fromYear, 1, 1), Jdn(c.toYear, 1, 1));
        ASSERT_GE(cycles.size(), 3u);
        EXPECT_LE(cycles.front().start, Jdn(c.fromYear, 1, 1));
        EXPECT_LT(cycles.back().start, Jdn(c.toYear, 1, 1));
        const double mean = MeanSynodicDays(c.a, c.b);
        for (size_t i = 0; i < cycles.size(); ++i) {
            const SynodicCycle& cycle = cycles[i];
            ASSERT_TRUE(cycle.LengthDays().has_value());
            if (i + 1 < cycles.size()) {
                EXPECT_EQ(*cycle.end, cycles[i + 1].start);
            }
            EXPECT_NEAR(*cycle.LengthDays(), mean, 0.3 * mean);
            ASSERT_EQ(cycle.phases.size(), 11u);
            double previous = cycle.start;
            for (size_t k = 0; k < cycle.phases.size(); ++k) {
                const CyclePhase& phase = cycle.phases[k];
                EXPECT_EQ(phase.degrees, static_cast<int16_t>(30 * (k + 1)));
                EXPECT_EQ(phase.aspect, AspectOfPhase(phase.degrees));
                EXPECT_GT(phase.moment, previous);
                EXPECT_LT(phase.moment, *cycle.end);
                previous = phase.moment;
                const double angle = search.PhaseAt(phase.moment).value() / kTwoPi * 360.0;
                EXPECT_NEAR(std::remainder(angle - phase.degrees, 360.0), 0.0, 1e-4);
            }
        }
        const std::vector<SynodicCycle> swapped =
            CycleSearch(program->astro, c.b, c.a).Cycles(Jdn(c.fromYear, 1, 1), Jdn(c.toYear, 1, 1));
        ASSERT_EQ(swapped.size(), cycles.size());
        EXPECT_EQ(swapped.front().start, cycles.front().start);
    }
}

// The phase angle is the faster body's lead: it grows from just after a conjunction, whichever body is the
// lower body number (the Earth is slower than Mercury and Venus, faster than Mars).
TEST_F(Cycles, PhaseAngleIsTheFasterBodysLead)
{
    for (const auto& [a, b, faster] : {std::tuple{Body::Earth, Body::Mercury, Body::Mercury},
                                       std::tuple{Body::Earth, Body::Mars, Body::Earth},
                                       std::tuple{Body::Pluto, Body::Neptune, Body::Neptune}}) {
        const CycleSearch search(program->astro, a, b);
        EXPECT_EQ(search.Faster(), faster);
        const double t = Jdn(2025, 1, 1);
        const double lead = program->astro.HelioLongitude(faster, t) -
                            program->astro.HelioLongitude(faster == a ? b : a, t);
        EXPECT_NEAR(search.PhaseAt(t).value(), std::fmod(lead + kTwoPi, kTwoPi), 1e-12);
    }
}

}  // namespace
}  // namespace orvane::core
