#include "app/geocentric_view.h"

#include "app/precise_moments.h"
#include "datetime/moment_parsing.h"
#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

namespace orvane::app {
namespace {

class GeocentricView : public testing::ProgramTest {
protected:
    static void ComputeIn(core::Mode mode)
    {
        program->main.SelectMode(mode);
        ASSERT_TRUE(program->Compute().computed);
    }
};

TEST_F(GeocentricView, TheMomentOfTheChartsFirstSetInBothPerspectives)
{
    program->rowPlaces = {};
    EXPECT_FALSE(PositionsShown(*program));  // nothing computed yet
    SetRow(core::kFirstBirthdateRow, {1990, 6, 15, 18}, 0);
    for (const auto& [mode, row] : {std::pair{core::Mode::WorldTransits, core::kWorldDateRow},
                                    {core::Mode::PersonalTransits1st, core::kWorldDateRow},
                                    {core::Mode::Natal1st, core::kFirstBirthdateRow},
                                    {core::Mode::Synastry, core::kFirstBirthdateRow}}) {
        ComputeIn(mode);
        const std::optional<display::MomentPositions> shown = PositionsShown(*program);
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->row, row);
        EXPECT_EQ(shown->moment, program->main.moments[platform::At(row)]);
        // The Sun seen from the Earth stands opposite the Earth seen from the Sun (aberration and the
        // frame of date move it by less than a degree).
        const core::ComparedPosition& sun = shown->bodies[0];
        const core::ComparedPosition& earth = shown->bodies[2];
        ASSERT_TRUE(sun.geo && earth.helio && !sun.helio && !earth.geo);
        EXPECT_NEAR(std::abs(core::SignedSeparation(*sun.geo, *earth.helio)), core::kPi, 0.02);
        EXPECT_FALSE(shown->angles);
    }
}

// The angles need the row's precise moment with a place: a place left from a precise moment that is gone
// gives none.
TEST_F(GeocentricView, AnglesWhereTheRowHasAPlace)
{
    program->rowPlaces = {charts::Place{"Vienna", "Vienna", "AT", 48.2085, 16.3721}};
    ComputeIn(core::Mode::WorldTransits);
    EXPECT_FALSE(PositionsShown(*program)->angles);
    auto precise = datetime::ParsePreciseMoment("2000-01-01T12:00Z", datetime::MomentZone::Fixed(0), program->language);
    ASSERT_TRUE(precise);
    SetPreciseMoment(*program, core::kWorldDateRow, std::move(precise).value());
    ComputeIn(core::Mode::WorldTransits);
    const std::optional<display::MomentPositions> shown = PositionsShown(*program);
    ASSERT_TRUE(shown && shown->angles && shown->place);
    EXPECT_EQ(std::pair(shown->place->latitude, shown->place->longitude), std::pair(48.2085, 16.3721));
    // The Midheaven culminates: at noon UT in Vienna (about 1 h 05 min of mean solar time past noon) it
    // lies some 16° east of the Sun along the ecliptic.
    const double sunToMidheaven = core::SignedSeparation(shown->angles->midheaven, *shown->bodies[0].geo);
    EXPECT_NEAR(sunToMidheaven, 16.0 / 180 * core::kPi, 3.0 / 180 * core::kPi);

    EXPECT_FALSE(ShownChartData(*program, "t").geoRing);
    program->configure.geoRing = true;
    const display::ChartData data = ShownChartData(*program, "t");
    ASSERT_TRUE(data.geoRing);
    EXPECT_EQ(data.geoRing->marks.size(), 12u);  // ten bodies and the two angles
    EXPECT_EQ(ShownPositionsTable(*program).rows.size(), 13u);
}

}  // namespace
}  // namespace orvane::app
