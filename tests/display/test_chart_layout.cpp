#include "display/chart_layout.h"

#include "display/angle_texts.h"
#include "display/transit_picture.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

class ChartLayout : public testing::ProgramTest {
protected:
    const core::AstroTables& tables = program->astro.tables;
};

TEST_F(ChartLayout, SpotsRoundHalfToEvenAroundTheCentre)
{
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    const ChartGeometry one = GeometryOf(ChartKind::OneDate);
    EXPECT_EQ(GlyphSpot(one, 2900, 0.0), (TwipPoint{5900, 3000}));
    EXPECT_EQ(GlyphSpot(one, 1000, core::kPi / 2), (TwipPoint{3000, 2000}));
    EXPECT_EQ(GlyphPrintPosition(GeometryOf(ChartKind::TwoDates), 100, core::kPi), (TwipPoint{4700, 3150}));
}

TEST_F(ChartLayout, LinesFollowTheAspectsAndFilters)
{
    using core::Body;
    // Earth–Mars (a close square), Mars–Jupiter (trine), Jupiter–Saturn (conjunction).
    core::AspectResult result;
    result.aspects = {{Body::Earth, Body::Mars, core::Aspect::Square, 0.01, core::Motion::Applying, true},
                      {Body::Mars, Body::Jupiter, core::Aspect::Trine},
                      {Body::Jupiter, Body::Saturn, core::Aspect::Conjunction}};
    const auto lines = ChartLines(result, tables, {});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (ChartLine{Body::Earth, Body::Mars, core::Aspect::Square, 2, tables.aspectColors[3]}));
    EXPECT_EQ(lines[1], (ChartLine{Body::Mars, Body::Jupiter, core::Aspect::Trine, 1, tables.aspectColors[4]}));
    const auto earth = ChartLines(result, tables, {true, false, true});
    ASSERT_EQ(earth.size(), 1u);
    EXPECT_EQ(earth[0].from, Body::Earth);
    const auto outer = ChartLines(result, tables, {true, true, false});
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].aspect, core::Aspect::Conjunction);
}

TEST_F(ChartLayout, LineReportNamesEveryAspectOfTheColour)
{
    core::AstroTables same = tables;
    same.aspectColors[5] = same.aspectColors[4];
    const auto report = LineReport(same, program->language, same.aspectColors[4]);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, "This line is a");
    EXPECT_EQ(report->text, "Trine (120°) or sextile (60°)");
    EXPECT_FALSE(LineReport(same, program->language, kChartWhite));
    EXPECT_FALSE(LineReport(same, program->language, core::RGB(1, 2, 3)));
}

TEST_F(ChartLayout, TransitReportReadsDateAndDeviationOffThePoint)
{
    TransitPicture picture;
    picture.orb = 0.02;
    picture.beginning = 2451545;  // 2000-01-01, in orb up to 2000-01-04
    picture.ending = 2451548;
    // Sample 196 is half way through the four days; 150 pixels right of the centre is half the orb.
    const auto report = TransitCurveReport(picture, program->language, (420 + 150) * 15, 315 + 196 * 15, 65535);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->title, "Transit curve");
    EXPECT_EQ(report->text, "At this point of the curve:\r\n2000-01-03 00:00, deviation from exact: " +
                                display::Rad2DegMin(0.01, {.allowNegative = true}));
    EXPECT_FALSE(TransitCurveReport(picture, program->language, 6000, 3000, 0.0));
    EXPECT_FALSE(TransitCurveReport(picture, program->language, 6000, 6195, 65535));
}

}  // namespace
}  // namespace orvane::display
