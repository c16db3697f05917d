#include "display/timeline.h"

#include "datetime/iso_dates.h"
#include "display/timeline_placement.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane::display {
namespace {

using core::Aspect;
using core::Body;
using core::Event;
using core::EventKind;
using testing::Jdn;

class TimelineTest : public testing::ProgramTest {};

// Bars from constructed events: entries, exits and exact moments paired per pair and aspect, bars open at
// either end of the span, ingresses and events outside the span left out, rows in the pairs' order; the
// rows of two ticked bodies kept.
TEST_F(TimelineTest, AssemblesBarsFromEvents)
{
    const core::EventPair a{Body::Earth, Body::Mercury}, b{Body::Earth, Body::Venus};
    const auto ev = [](double t, EventKind kind, const core::EventPair& p, Aspect aspect) {
        return Event{t, kind, p.body1, p.body2, aspect, -1, 0.0, std::nullopt};
    };
    const Aspect con = Aspect::Conjunction, opp = Aspect::Opposition, sqr = Aspect::Square, tri = Aspect::Trine;
    const std::vector<Event> events{
        ev(-5, EventKind::Enter, a, con), ev(3, EventKind::Exact, a, tri), ev(5, EventKind::Leave, a, tri),
        ev(10, EventKind::Enter, a, sqr), ev(12, EventKind::Exact, a, sqr), ev(15, EventKind::Leave, a, sqr),
        {16, EventKind::Ingress, Body::Mercury, std::nullopt, std::nullopt, 4, 0.0, std::nullopt}, ev(20, EventKind::Leave, b, opp),
        ev(30, EventKind::Enter, a, sqr), ev(40, EventKind::Leave, a, sqr), ev(90, EventKind::Enter, b, con),
        ev(100, EventKind::Leave, b, con)};
    const Timeline t = AssembleTimeline(0, 100, {b, a}, {{a, tri}, {b, Aspect::Sextile}}, events);
    struct Expected {
        Body body2;
        Aspect aspect;
        std::vector<TimelineBar> bars;
    };
    const std::vector<Expected> expected{
        {Body::Venus, con, {{90, 100, false, true, {}}}},
        {Body::Venus, opp, {{0, 20, true, false, {}}}},
        {Body::Venus, Aspect::Sextile, {{0, 100, true, true, {}}}},
        {Body::Mercury, sqr, {{10, 15, false, false, {12}}, {30, 40, false, false, {}}}},
        {Body::Mercury, tri, {{0, 5, true, false, {3}}}}};
    std::array<bool, core::kBodySlots> bodies{};
    bodies[1] = bodies[3] = true;  // the pair b alone, its three rows
    const Timeline kept = KeepBodies(t, bodies);
    EXPECT_TRUE(kept.rows.size() == 3 && kept.rows[2].aspect == Aspect::Sextile && kept.rows[2].pair.body2 == Body::Venus && kept.to == 100);
    ASSERT_EQ(t.rows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const TimelineRow& row = t.rows[i];
        EXPECT_EQ(row.pair.body2, expected[i].body2) << i;
        EXPECT_EQ(row.aspect, expected[i].aspect) << i;
        ASSERT_EQ(row.bars.size(), expected[i].bars.size()) << i;
        for (size_t k = 0; k < row.bars.size(); ++k) {
            const TimelineBar &got = row.bars[k], &want = expected[i].bars[k];
            EXPECT_EQ(std::tie(got.from, got.to, got.openStart, got.openEnd, got.exacts),
                      std::tie(want.from, want.to, want.openStart, want.openEnd, want.exacts)) << i << "/" << k;
        }
    }
    // The ingress is a mark on Mercury's lane; the Earth, without an event of its own, has no lane.
    const std::vector<TimelineLane> lanes = AssembleLanes({Body::Earth, Body::Mercury}, events);
    ASSERT_EQ(lanes.size(), 1u);
    EXPECT_TRUE(lanes[0].body == Body::Mercury && lanes[0].marks.size() == 1 && lanes[0].marks[0].moment == 16);
}

// The crossings' degrees as typed: commas or blanks between them; anything but a degree from 0 up to 360
// is refused, naming it.
TEST_F(TimelineTest, ReadsTheDegreesTyped)
{
    const struct {
        const char* typed;
        std::vector<double> degrees;  // none: refused
        const char* named;
    } cases[] = {{"", {}, ""}, {"0, 15 90.5", {0, 15, 90.5}, ""}, {"360", {}, "360"}, {"10,x", {}, "x"},
                 {"-1", {}, "-1"}};
    for (const auto& c : cases) {
        const platform::Result<std::vector<double>> read = ReadDegrees(c.typed, program->language);
        EXPECT_EQ(read.ok(), std::string(c.named).empty()) << c.typed;
        if (!read.ok()) {
            EXPECT_NE(read.error().text.find(c.named), std::string::npos) << c.typed;
            continue;
        }
        ASSERT_EQ(read.value().size(), c.degrees.size()) << c.typed;
        for (size_t i = 0; i < c.degrees.size(); ++i)
            EXPECT_NEAR(read.value()[i], c.degrees[i] / 360.0 * core::kTwoPi, 1e-15);
    }
}

// Every moment a hover text names, a year of world transits with the default orbs, reads the minute of the
// time the companion's event list prints for it (rounded to the second).
TEST_F(TimelineTest, HoverTimesReadTheCompanionsMinute)
{
    program->astro.orbs.ApplyOrbs({600, 540, 360, 420, 240, 180, 180}, {3, 3});
    const double from = Jdn(2000, 1, 1) - 0.5;
    for (const TimelineRow& row : BuildTimeline(program->astro, core::Mode::WorldTransits, {from, 0, 0}, from, from + 366).rows)
        for (const TimelineBar& bar : row.bars)
            for (double moment : bar.exacts) {
                const std::string text = MomentText(moment, 0, 0);
                EXPECT_EQ(text.substr(text.size() - 5), datetime::IsoText(moment, 0).substr(11, 5)) << moment;
            }
}

// A year of world transits and of synastry against the aspect test at single moments: inside every bar
// the aspect holds, at its ends the deviation equals the orb, between two bars it does not hold; in
// synastry every bar spans the whole year.
TEST_F(TimelineTest, BarsAgreeWithTheAspectTest)
{
    core::AstroModule& astro = program->astro;
    astro.orbs.ApplyOrbs({480, 480, 420, 420, 300, 120, 120}, {2, 3});
    const double from = Jdn(2025, 1, 1) - 0.5, to = Jdn(2026, 1, 1) - 0.5;
    const std::array<double, 3> moments{from, Jdn(1970, 5, 1) - 0.5, Jdn(1985, 9, 1) - 0.5};
    for (const core::Mode mode : {core::Mode::WorldTransits, core::Mode::PersonalTransits1st, core::Mode::Synastry}) {
        const int16_t column = mode == core::Mode::Synastry ? 2 : mode == core::Mode::PersonalTransits1st ? 1 : 0;
        const Timeline t = BuildTimeline(astro, mode, moments, from, to);
        ASSERT_FALSE(t.rows.empty()) << static_cast<int>(mode);
        for (const TimelineRow& row : t.rows) {
            // The further aspects have the event search's own orbs.
            const size_t slot = core::SlotOf(row.aspect);
            const double orb = core::IsExtraAspect(row.aspect) ? core::kExtraAspectOrbDegrees[slot] / 180.0 * core::kPi
                                                               : astro.orbs.Orb(row.aspect, column);
            const auto deviation = [&](double when) {
                const double L1 = row.pair.moving1 ? astro.HelioLongitude(row.pair.body1, when) : row.pair.fixed1;
                const double L2 = row.pair.moving2 ? astro.HelioLongitude(row.pair.body2, when) : row.pair.fixed2;
                const double separation = std::fabs(std::remainder(L1 - L2, core::kTwoPi));
                return std::fabs(separation - core::kEventAspectDegrees[slot] / 180.0 * core::kPi);
            };
            for (size_t k = 0; k < row.bars.size(); ++k) {
                const TimelineBar& bar = row.bars[k];
                EXPECT_LT(deviation((bar.from + bar.to) / 2), orb);
                if (!bar.openStart) {
                    EXPECT_NEAR(deviation(bar.from), orb, 1e-5);
                }
                if (!bar.openEnd) {
                    EXPECT_NEAR(deviation(bar.to), orb, 1e-5);
                }
                for (double exact : bar.exacts)
                    EXPECT_NEAR(deviation(exact), 0.0, 1e-5);
                if (k + 1 < row.bars.size()) {
                    EXPECT_GT(deviation((bar.to + row.bars[k + 1].from) / 2), orb);
                }
                if (mode == core::Mode::Synastry) {
                    EXPECT_TRUE(bar.from == from && bar.to == to && bar.exacts.empty());
                }
            }
        }
    }
}

// Moments to pixels and back, rows under the pointer, zooming around the pointer and scrolling kept
// within the span.
TEST_F(TimelineTest, LayoutArithmetic)
{
    TimelineLayout layout;
    layout.width = 1162;  // 1000 pixels of time
    layout.view = {100.0, 200.0};
    EXPECT_DOUBLE_EQ(layout.X(150.0), 650.0);
    EXPECT_DOUBLE_EQ(layout.Moment(400.0), 125.0);
    for (const auto& [y, offset, row] : std::vector<std::tuple<double, int, int>>{
             {10, 0, -1}, {36, 0, 0}, {53.9, 0, 0}, {54, 0, 1}, {40, 18, 1}, {36, 180, 10}})
        EXPECT_EQ(layout.RowAt(y, offset), row) << y << " " << offset;

    const TimeView bounds{0.0, 365.0};
    const TimeView zoomed = Zoomed({0.0, 365.0}, 73.0, 0.5, bounds, 2.0);
    EXPECT_DOUBLE_EQ(zoomed.from, 36.5);
    EXPECT_DOUBLE_EQ(zoomed.to, 219.0);
    EXPECT_DOUBLE_EQ(Zoomed({10.0, 12.0}, 11.0, 0.5, bounds, 2.0).Length(), 2.0);
    const TimeView out = Zoomed({300.0, 360.0}, 350.0, 4.0, bounds, 2.0);
    EXPECT_TRUE(out.from == 125.0 && out.to == 365.0);
    EXPECT_DOUBLE_EQ(Scrolled({300.0, 360.0}, 30.0, bounds).from, 305.0);
    EXPECT_DOUBLE_EQ(Scrolled({10.0, 70.0}, -30.0, bounds).from, 0.0);
}

// Ticks at the local starts of months (every month, or fewer when narrow), or of days when wide; month
// names in the interface language; moments and dates as the program writes them; the CSV lines.
TEST_F(TimelineTest, TicksAndTexts)
{
    const double y2025 = Jdn(2025, 1, 1) - 0.5, y2026 = Jdn(2026, 1, 1) - 0.5;
    std::vector<TimeTick> ticks = TimeTicks({y2025, y2026}, 0, 3.0, 64.0, 0);
    ASSERT_EQ(ticks.size(), 13u);
    EXPECT_EQ(ticks[0].label, "Jan. 2025");
    EXPECT_EQ(ticks[2].label, "Mar.");
    EXPECT_DOUBLE_EQ(ticks[2].moment, Jdn(2025, 3, 1) - 0.5);
    // An hour east of Greenwich, 1 January begins before the span: January is named at the left edge.
    ticks = TimeTicks({y2025, y2026}, 60, 3.0, 64.0, 1);
    EXPECT_TRUE(ticks[0].label == "Jan. 2025" && ticks[0].moment == y2025 && ticks[2].label == "März");
    EXPECT_DOUBLE_EQ(ticks[2].moment, Jdn(2025, 3, 1) - 0.5 - 1 / 24.0);
    EXPECT_EQ(TimeTicks({y2025, y2026}, 0, 1.0, 64.0, 0).size(), 5u);  // every third month
    ticks = TimeTicks({y2025 + 0.25, y2025 + 3.0}, 0, 100.0, 64.0, 0);
    ASSERT_EQ(ticks.size(), 4u);  // the month named at the left edge, then the 2nd, 3rd and 4th
    EXPECT_TRUE(ticks[0].label == "Jan. 2025" && ticks[0].line == 0 && ticks[1].label == "2" && ticks[1].line == 1);
    // Days every week: the 29th would crowd the next month's 1st.
    ticks = TimeTicks({y2025, y2025 + 40.0}, 0, 10.0, 64.0, 0);
    std::string days;
    for (const TimeTick& tick : ticks)
        days += tick.line == 1 ? tick.label + " " : "";
    EXPECT_EQ(days, "1 8 15 22 1 8 ");

    EXPECT_EQ(MomentText(2451545.0, 90, 0), "Jan. 1, 2000, 13:30");
    EXPECT_EQ(MomentText(2451545.0, 90, 1), "1.Jan. 2000, 13:30");
    EXPECT_EQ(MomentText(Jdn(2025, 3, 5) - 0.5 - 0.3 / 86400, 60, 0), "Mar. 5, 2025, 01:00");  // 00:59:59.7

    Timeline t{0, 0, core::Mode::WorldTransits, {}, {}};
    t.rows.push_back({{Body::Mars, Body::Jupiter}, Aspect::Trine, {{2451545.0, 2451555.0, true, false, {2451550.0, 2451551.0}}}});
    EXPECT_EQ(TimelineCsv(program->astro.tables, t),
              "body1,aspect,body2,enter,exact,leave\r\n"
              "Mars,Trine,Jupiter,,2000-01-06T12:00:00Z;2000-01-07T12:00:00Z,2000-01-11T12:00:00Z\r\n");
    EXPECT_EQ(RowLabel(program->astro.tables, program->language, core::Mode::PersonalTransits1st, t.rows[0]), "tr.Ma Tri nat.Ju");
}

// Beside the main window where a side is wide enough for a good view (the main window moved to the left
// edge if that makes such room), else below it, else beside it at its least width, else over it.
TEST(TimelinePlacement, BesideOrBelowTheMainWindow)
{
    const auto place = [](ScreenRect main, int32_t width, int32_t height) {
        return PlaceTimeline(main, {0, 0, width, height}, {360, 300, 600});
    };
    EXPECT_EQ(place({799, 0, 962, 668}, 2560, 1440), (TimelinePlace{{1761, 0, 799, 1440}, 799}));
    EXPECT_EQ(place({479, 0, 962, 668}, 1920, 1080), (TimelinePlace{{962, 0, 958, 1080}, 0}));
    EXPECT_EQ(place({59, 0, 962, 668}, 1080, 1920), (TimelinePlace{{0, 668, 1080, 1252}, 59}));
    EXPECT_EQ(place({202, 0, 962, 668}, 1366, 768), (TimelinePlace{{962, 0, 404, 768}, 0}));
    EXPECT_EQ(place({31, 0, 962, 668}, 1024, 768), (TimelinePlace{{0, 468, 1024, 300}, 31}));
}

}  // namespace
}  // namespace orvane::display
