#include "core/events.h"

#include "core/modes.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace orvane::core {
namespace {

using platform::Convention;
using platform::Frame;
using platform::PositionKind;
using testing::Jdn;

class BodyEvents : public testing::ProgramTest {
protected:
    const AstroModule& astro() const { return program->astro; }
};

// Every kind the search knows, the extra aspects among them.
EventFilter EveryKind()
{
    EventFilter filter;
    filter.kinds = ((1u << kNumEventKinds) - 1u) & ~(1u << static_cast<int>(EventKind::Return));
    filter.aspects = 0x0FFE;
    filter.degrees = {0.0, 1.0, 4.5};
    return filter;
}

// One search over three years against the same search in pieces whose ends fall on a chunk's edge, a
// moment beside it, and a sample beside it: the same events, none lost or found twice at the joins.
TEST_F(BodyEvents, PiecesJoinWithoutLossOrDouble)
{
    const double from = Jdn(2024, 1, 1) - 0.5;
    const double to = from + 3 * 365.25;
    for (const Convention convention : {Convention{}, Convention{Frame::OfDate, PositionKind::Apparent}}) {
        const EventSearch search(astro(), Mode::WorldTransits, {}, EveryKind(), convention);
        const std::vector<Event> whole = search.Collect(from, to);
        std::vector<Event> pieces;
        double start = from;
        for (const double end : {from + kEventChunkDays, from + 2 * kEventChunkDays + 1e-4,
                                 from + 3 * kEventChunkDays - kEventSampleDays, to}) {
            for (const Event& e : search.Collect(start, end))
                pieces.push_back(e);
            start = end;
        }
        ASSERT_EQ(whole.size(), pieces.size());
        for (size_t i = 0; i < whole.size(); ++i) {
            EXPECT_NEAR(whole[i].moment, pieces[i].moment, 1e-6) << i;
            EXPECT_EQ(whole[i].kind, pieces[i].kind) << i;
            EXPECT_EQ(whole[i].body1, pieces[i].body1) << i;
        }
    }
}

// A body's own events are refined among the crossings in the order of time, all kinds together: the same
// moments as each group searched alone, none lost or found twice. In the J2000 frame a position does not
// depend on what was asked before it, so the moments agree exactly.
TEST_F(BodyEvents, KindsTogetherAsEachAlone)
{
    const double from = Jdn(2024, 1, 1) - 0.5;
    const double to = from + 2 * 365.25;
    constexpr uint16_t kStateKinds = 0x0FC0;  // nodes, latitude extremes, apsides
    for (const Convention convention : {Convention{}, Convention{Frame::J2000, PositionKind::Apparent}}) {
        const std::vector<Event> together =
            EventSearch(astro(), Mode::WorldTransits, {}, EveryKind(), convention).Collect(from, to);
        std::vector<Event> alone;
        for (const bool states : {true, false}) {
            EventFilter filter = EveryKind();
            filter.kinds = static_cast<uint16_t>(states ? filter.kinds & kStateKinds : filter.kinds & ~kStateKinds);
            for (const Event& e : EventSearch(astro(), Mode::WorldTransits, {}, filter, convention).Collect(from, to))
                alone.push_back(e);
        }
        std::sort(alone.begin(), alone.end(), EventBefore);
        ASSERT_EQ(together.size(), alone.size());
        size_t states = 0;
        for (size_t i = 0; i < together.size(); ++i) {
            EXPECT_EQ(together[i].moment, alone[i].moment) << i;
            EXPECT_EQ(together[i].kind, alone[i].kind) << i;
            EXPECT_EQ(together[i].body1, alone[i].body1) << i;
            states += (kStateKinds >> static_cast<int>(together[i].kind) & 1u) != 0 ? 1 : 0;
        }
        EXPECT_GT(states, 50u);
    }
}

// The Earth's distance is the Earth–Moon barycentre's: one perihelion and one aphelion a year, not the
// Earth's own monthly ones; and no nodes or latitude extremes of the ecliptic's own plane. Each body's
// latitude alternates between its extremes and passes its nodes between them.
TEST_F(BodyEvents, EarthHasOneApsisPairAYearAndTheOthersAlternate)
{
    const EventSearch search(astro(), Mode::WorldTransits, {}, EveryKind());
    std::array<std::vector<EventKind>, kBodySlots> sequence;
    for (const Event& e : search.Collect(Jdn(2000, 1, 1) - 0.5, Jdn(2010, 1, 1) - 0.5))
        if (!IsAspectKind(e.kind) && e.kind != EventKind::Ingress && e.kind != EventKind::Cross)
            sequence[SlotOf(e.body1)].push_back(e.kind);
    EXPECT_EQ(sequence[SlotOf(Body::Earth)].size(), 20u);
    const std::vector<EventKind>& mercury = sequence[SlotOf(Body::Mercury)];
    ASSERT_GT(mercury.size(), 200u);
    const auto order = [](EventKind kind) {
        switch (kind) {
        case EventKind::AscendingNode: return 0;
        case EventKind::LatitudeMax: return 1;
        case EventKind::DescendingNode: return 2;
        case EventKind::LatitudeMin: return 3;
        default: return -1;
        }
    };
    int last = -1;
    for (const EventKind kind : mercury)
        if (const int step = order(kind); step >= 0) {
            EXPECT_TRUE(last < 0 || step == (last + 1) % 4);
            last = step;
        }
}

// A crossing of 0° is an Aries ingress, to the same moment, in every convention.
TEST_F(BodyEvents, CrossingZeroIsTheAriesIngress)
{
    EventFilter filter;
    filter.kinds = 1u << static_cast<int>(EventKind::Ingress) | 1u << static_cast<int>(EventKind::Cross);
    filter.degrees = {0.0};
    for (const Convention convention : {Convention{}, Convention{Frame::OfDate, PositionKind::Apparent}}) {
        std::vector<double> ingresses;
        std::vector<double> crossings;
        const EventSearch search(astro(), Mode::WorldTransits, {}, filter, convention);
        for (const Event& e : search.Collect(Jdn(1990, 1, 1), Jdn(2030, 1, 1)))
            (e.kind == EventKind::Cross ? crossings : ingresses).push_back(e.sign == 0 || e.kind == EventKind::Cross ? e.moment : -1.0);
        std::erase(ingresses, -1.0);
        EXPECT_GT(crossings.size(), 150u);
        EXPECT_EQ(crossings, ingresses);
    }
}

// The conventions differ as they should for Mars in 2025: the frame of date by the precession since
// J2000 (about 0.35°), apparent positions by the light-time (some 20″); the default is the grid's.
TEST_F(BodyEvents, ConventionsMoveTheLongitudeByPrecessionAndLightTime)
{
    const double t = Jdn(2025, 6, 1) - 0.5;
    const double grid = astro().HelioLongitude(Body::Mars, t);
    const struct {
        Convention convention;
        double least, most;  // arcseconds
    } cases[] = {{{}, 0.0, 0.0},
                 {{Frame::OfDate, PositionKind::Geometric}, 1200.0, 1300.0},
                 {{Frame::J2000, PositionKind::Apparent}, 5.0, 40.0}};
    for (const auto& c : cases) {
        const double shift = std::fabs(std::remainder(astro().HelioLongitude(Body::Mars, t, c.convention) - grid, kTwoPi));
        EXPECT_GE(shift / kTwoPi * 1296000.0, c.least);
        EXPECT_LE(shift / kTwoPi * 1296000.0, c.most);
    }
}

}  // namespace
}  // namespace orvane::core
