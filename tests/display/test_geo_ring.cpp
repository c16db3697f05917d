#include "display/geo_ring.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>

namespace orvane::display {
namespace {

// Every neighbour around the circle at least `separation` away, and the marks in the order of their own
// places (equal places by index): a mark never passes another.
void ExpectSpread(const std::vector<double>& places, const std::vector<double>& shown, double separation)
{
    ASSERT_EQ(shown.size(), places.size());
    const auto sortedBy = [n = places.size()](const std::vector<double>& angles) {
        std::vector<size_t> order(n);
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return angles[a] < angles[b]; });
        return order;
    };
    const std::vector<size_t> byPlace = sortedBy(places);
    std::vector<size_t> byShown = sortedBy(shown);
    for (size_t k = 0; k < byShown.size(); ++k)
        EXPECT_GE(core::NormalizeAngle(shown[byShown[(k + 1) % byShown.size()]] - shown[byShown[k]]) + 1e-9, separation);
    std::rotate(byShown.begin(), std::find(byShown.begin(), byShown.end(), byPlace.front()), byShown.end());
    EXPECT_EQ(byShown, byPlace);
}

TEST(GeoRingSpread, MarksWithRoomStayAndCrowdedOnesSpreadAboutTheirMean)
{
    const double s = 0.1;
    EXPECT_EQ(SpreadOnRing({0.5, 1.0, 3.0, 6.0}, s), (std::vector{0.5, 1.0, 3.0, 6.0}));
    const std::vector<double> crowd{1.0, 1.02, 1.01, 2.0};
    const std::vector<double> spread = SpreadOnRing(crowd, s);
    ExpectSpread(crowd, spread, s);
    EXPECT_NEAR(spread[0] + spread[1] + spread[2], crowd[0] + crowd[1] + crowd[2], 1e-12);  // the mean stays
    EXPECT_NEAR(spread[1] - spread[0], 2 * s, 1e-12);  // exactly a separation apart, and no more
    EXPECT_EQ(spread[3], 2.0);

    // A crowd across 0° spreads on both sides of it; a crowd that reaches its neighbour takes it in.
    for (const std::vector<double>& crowded : {std::vector{core::kTwoPi - 0.01, 0.01, 0.02}, std::vector{1.0, 1.0, 1.0, 1.15, 1.3}})
        ExpectSpread(crowded, SpreadOnRing(crowded, s), s);

    EXPECT_EQ(SpreadOnRing(std::vector(70, 1.0), s), std::vector(70, 1.0));  // more than the circle holds
}

TEST(GeoRingSpread, AnyTwelveMarksKeepTheRingsSeparation)
{
    std::mt19937 random(20261207);
    std::uniform_real_distribution<double> anywhere(0.0, core::kTwoPi);
    std::uniform_real_distribution<double> near(-0.15, 0.15);
    const double s = RingSeparation(ChartKind::OneDate);
    for (int trial = 0; trial < 500; ++trial) {
        std::vector<double> places;
        const double centre = anywhere(random);
        for (int k = 0; k < 12; ++k)  // most in one crowd, as Mercury and Venus near the Sun are
            places.push_back(core::NormalizeAngle(k % 3 == 0 ? anywhere(random) : centre + near(random)));
        SCOPED_TRACE(trial);
        ExpectSpread(places, SpreadOnRing(places, s), s);
    }
}

class GeoRingLayout : public testing::ProgramTest {};

// The ring of a crowded sky with a place: every mark with its glyph, every glyph clear of its neighbours,
// of the heliocentric chart's circle and of the picture's edge.
TEST_F(GeoRingLayout, EveryMarkHasItsGlyphAndItsOwnRoom)
{
    const core::AstroTables& tables = program->astro.tables;
    MomentPositions positions;
    const auto compared = core::ComparePerspectives(program->astro.pluto, 2451545.0, program->astro.convention,
                                                    platform::kGeocentricDefault);
    ASSERT_TRUE(compared);
    positions.bodies = *compared;
    for (core::ComparedPosition& body : positions.bodies)
        if (body.geo)
            body.geo = 1.0 + 0.01 * static_cast<double>(&body - positions.bodies.data());
    positions.angles = platform::Angles{1.05, 1.07};
    for (const ChartKind kind : {ChartKind::OneDate, ChartKind::TwoDates}) {
        const GeoRing ring = MakeGeoRing(positions, tables, program->language, kind);
        ASSERT_EQ(ring.marks.size(), 12u);
        EXPECT_EQ(ring.marks[0].glyph, tables.bodyGlyphs[core::kMaxBodyIndex]);  // the Sun's
        EXPECT_EQ(ring.marks[1].kind, RingMark::Kind::Moon);
        EXPECT_EQ(ring.marks[2].glyph, tables.bodyGlyphs[core::SlotOf(core::Body::Mercury)]);
        EXPECT_EQ(ring.marks[10].glyph + ring.marks[11].glyph, "ACMC");
        std::vector<double> places, shown;
        for (const RingMark& mark : ring.marks)
            places.push_back(mark.longitude), shown.push_back(mark.shownAt);
        ExpectSpread(places, shown, RingSeparation(kind));
        // Glyph middles a glyph apart along the chord, the glyphs beyond the ticks and inside the picture.
        const double r = RingGlyphRadius(kind);
        EXPECT_GE(2 * r * std::sin(RingSeparation(kind) / 2), 2 * kRingGlyphHalf);
        EXPECT_GT(r - kRingGlyphHalf, RingTickRadius(kind));
        const ChartGeometry geometry = GeometryOf(kind);
        EXPECT_LE(r + kRingGlyphHalf, std::min(geometry.cx, geometry.cy) + kRingMargin);
    }
}

}  // namespace
}  // namespace orvane::display
