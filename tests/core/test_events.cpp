#include "core/events.h"

#include "core/modes.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <tuple>

namespace orvane::core {
namespace {

using testing::Jdn;

class Events : public testing::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        program->astro.orbs.ApplyOrbs({600, 540, 360, 420, 240, 180, 180}, {2, 3});
    }
    const AstroModule& astro() const { return program->astro; }

    // The signed quantity that passes 0 at an event, computed from the positions alone.
    double Crossing(const Event& e, double t, double natal = -1.0) const
    {
        const double L1 = astro().HelioLongitude(e.body1, t);
        if (e.kind == EventKind::Ingress)
            return std::remainder(L1 - kTwoPi / 12 * e.sign, kTwoPi);
        const double L2 = natal >= 0.0 ? natal : astro().HelioLongitude(e.body2.value(), t);
        if (e.kind == EventKind::Exact)
            return std::remainder(L1 - L2 - e.branch, kTwoPi);
        return astro().Deviation(L1, L2, e.aspect.value()) - astro().orbs.Orb(e.aspect.value(), natal >= 0.0 ? 1 : 0);
    }
};

// A hundred events spread over two years of world transits and a year of personal transits, each against
// a bisection of its own crossing to a millisecond within a quarter hour of the moment found.
TEST_F(Events, EveryMomentWithinASecondOfItsCrossing)
{
    const double natalMoment = Jdn(1966, 1, 1) - 0.5;
    const struct {
        core::Mode mode;
        double from, to;
    } spans[] = {{Mode::WorldTransits, Jdn(2024, 1, 1) - 0.5, Jdn(2026, 1, 1) - 0.5},
                 {Mode::PersonalTransits1st, Jdn(1993, 2, 1) - 0.5, Jdn(1994, 2, 1) - 0.5}};
    for (const auto& span : spans) {
        const EventSearch search(astro(), span.mode, {0.0, natalMoment, natalMoment});
        const std::vector<Event> events = search.Collect(span.from, span.to);
        ASSERT_GT(events.size(), 500u);
        EXPECT_TRUE(std::is_sorted(events.begin(), events.end(), EventBefore));
        for (size_t i = 0; i < 50; ++i) {
            const Event& e = events[i * 7919 % events.size()];
            const double natal =
                span.mode == Mode::PersonalTransits1st && e.body2 ? astro().HelioLongitude(*e.body2, natalMoment) : -1.0;
            double a = e.moment - 0.01;
            double b = e.moment + 0.01;
            const double fa = Crossing(e, a, natal);
            ASSERT_LT(fa * Crossing(e, b, natal), 0.0) << i;
            while (b - a > 1e-3 / 86400) {
                const double mid = 0.5 * (a + b);
                (Crossing(e, mid, natal) * fa > 0 ? a : b) = mid;
            }
            EXPECT_NEAR(e.moment, a, 1.0 / 86400) << i << " kind " << static_cast<int>(e.kind);
        }
    }
}

// Every event of a pair against a brute-force scan: the state of each aspect's orb, the side of each
// exact value and each body's sign, compared between neighbouring moments `step` days apart. Each change
// the scan sees must be one event of the search within that step, and the search has no others.
TEST_F(Events, NoneMissedOrDoubledAgainstABruteForceScan)
{
    const struct {
        Body b1, b2;
        int32_t fromYear, toYear;
        double step;
    } scans[] = {{Body::Earth, Body::Mercury, 1950, 2050, 1.0 / 24}, {Body::Neptune, Body::Pluto, 1900, 2100, 1.0}};
    for (const auto& scan : scans) {
        EventFilter filter;
        filter.bodies = static_cast<uint16_t>(1u << IndexOf(scan.b1) | 1u << IndexOf(scan.b2));
        const EventSearch search(astro(), Mode::WorldTransits, {}, filter);
        const double from = Jdn(scan.fromYear, 1, 1) - 0.5;
        const double to = Jdn(scan.toYear, 1, 1) - 0.5;
        // Each event by its key, with its moments.
        using Key = std::tuple<int, Body, std::optional<Aspect>, int>;
        std::multimap<Key, double> found;
        for (const Event& e : search.Collect(from, to))
            found.emplace(Key{static_cast<int>(e.kind), e.body1, e.aspect, e.sign}, e.moment);

        size_t changes = 0;
        const auto expect = [&](EventKind kind, Body body, std::optional<Aspect> aspect, int16_t sign, double t) {
            ++changes;
            auto [first, last] = found.equal_range(Key{static_cast<int>(kind), body, aspect, sign});
            const auto match = std::find_if(first, last, [&](const auto& f) { return f.second > t - scan.step && f.second <= t; });
            EXPECT_NE(match, last) << "kind " << static_cast<int>(kind) << " aspect " << (aspect ? IndexOf(*aspect) : 0)
                                   << " at " << t;
        };
        std::array<double, 3> before{};
        for (int64_t i = 0; from + i * scan.step <= to; ++i) {
            const double t = std::min(from + i * scan.step, to);
            const std::array<double, 3> L{0.0, astro().HelioLongitude(scan.b1, t), astro().HelioLongitude(scan.b2, t)};
            if (i > 0) {
                for (const Aspect aspect : kAspects) {
                    const double orb = astro().orbs.Orb(aspect, 0);
                    const bool was = astro().Deviation(before[1], before[2], aspect) < orb;
                    const bool is = astro().Deviation(L[1], L[2], aspect) < orb;
                    if (was != is)
                        expect(is ? EventKind::Enter : EventKind::Leave, scan.b1, aspect, -1, t);
                    const double angle = astro().tables.aspectAngles[SlotOf(aspect)];
                    // A conjunction and an opposition are exact at one difference, the others at two.
                    const int branches = aspect == Aspect::Conjunction || aspect == Aspect::Opposition ? 1 : 2;
                    for (int k = 0; k < branches; ++k) {
                        const double branch = k == 0 ? angle : kTwoPi - angle;
                        const double r0 = std::remainder(before[1] - before[2] - branch, kTwoPi);
                        const double r1 = std::remainder(L[1] - L[2] - branch, kTwoPi);
                        if ((r0 < 0) != (r1 < 0) && std::fabs(r1 - r0) < kPi)
                            expect(EventKind::Exact, scan.b1, aspect, -1, t);
                    }
                }
                for (int k = 1; k <= 2; ++k) {
                    const auto sign = static_cast<int16_t>(L[k] / (kTwoPi / 12));
                    if (sign != static_cast<int16_t>(before[k] / (kTwoPi / 12)))
                        expect(EventKind::Ingress, k == 1 ? scan.b1 : scan.b2, std::nullopt, sign, t);
                }
            }
            before = L;
        }
        EXPECT_EQ(found.size(), changes) << IndexOf(scan.b1) << "-" << IndexOf(scan.b2);
    }
}

// Personal transits run against the birth chart standing still; synastry compares two charts that never
// move, so it has aspects that hold but no events.
TEST_F(Events, TwoDateModesAgainstFixedCharts)
{
    const double birth = Jdn(1966, 1, 1) - 0.5;
    const EventSearch personal(astro(), Mode::PersonalTransits1st, {0.0, birth, 0.0});
    EXPECT_EQ(personal.Pairs().size(), 81u);
    for (const Event& e : personal.Collect(Jdn(2025, 1, 1), Jdn(2025, 3, 1))) {
        if (e.kind != EventKind::Exact)
            continue;
        const double miss = std::remainder(astro().HelioLongitude(e.body1, e.moment) -
                                               astro().HelioLongitude(e.body2.value(), birth) - e.branch, kTwoPi);
        EXPECT_LT(std::fabs(miss), 1e-7);
    }
    const EventSearch synastry(astro(), Mode::Synastry, {0.0, birth, Jdn(1993, 2, 1) - 0.5});
    EXPECT_TRUE(synastry.Collect(Jdn(2025, 1, 1), Jdn(2026, 1, 1)).empty());
    EXPECT_FALSE(synastry.AspectsInOrbAt(Jdn(2025, 1, 1)).empty());
}

}  // namespace
}  // namespace orvane::core
