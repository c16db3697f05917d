#include "display/chart_layout.h"
#include "display/transit_picture.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

class ChartLayout : public testing::ProgramTest {
protected:
    const core::AstroTables& tables = program->astro.tables;
    GridModel grid;

    // A triangle with aspect cells Earth–Mars (bold square), Mars–Jupiter (trine), Jupiter–Saturn (con).
    void Triangle()
    {
        grid.LayOutTriangleGrid(tables);
        grid.cellTexts[2 * 9 + 3] = {"Sqr\r\n1°0' -", true, 0, 0, CellFont::Text, 10, true};
        grid.cellTexts[5 * 9 + 4] = {"Tri\r\n2°0' +", true};
        grid.cellTexts[6 * 9 + 5] = {"Con\r\n0°5' +", true};
    }
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

TEST_F(ChartLayout, LinesFollowTheCellsAndFilters)
{
    Triangle();
    const auto lines = ChartLines(grid, tables, ChartKind::OneDate, {});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (ChartLine{1, 4, core::kSquare, 2, tables.aspectColors[3]}));
    EXPECT_EQ(lines[1], (ChartLine{4, 5, core::kTrine, 1, tables.aspectColors[4]}));
    const auto earth = ChartLines(grid, tables, ChartKind::OneDate, {true, false, true});
    ASSERT_EQ(earth.size(), 1u);
    EXPECT_EQ(earth[0].from, core::kEarth);
    const auto outer = ChartLines(grid, tables, ChartKind::OneDate, {true, true, false});
    ASSERT_EQ(outer.size(), 1u);
    EXPECT_EQ(outer[0].aspect, core::kConjunction);
    // In the square, column c is body c − 1 of set 0.
    grid.LayOutSquareGrid(tables, program->language, core::kModePersonal1);
    grid.cellTexts[3 * 11 + 7].text = "Opp\r\n1°0'";
    EXPECT_EQ(ChartLines(grid, tables, ChartKind::TwoDates, {}),
              (std::vector<ChartLine>{{2, 6, core::kOpposition, 1, tables.aspectColors[2]}}));
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
                                core::Rad2DegMin(0.01, false, false, true, false));
    EXPECT_FALSE(TransitCurveReport(picture, program->language, 6000, 3000, 0.0));
    EXPECT_FALSE(TransitCurveReport(picture, program->language, 6000, 6195, 65535));
}

}  // namespace
}  // namespace orvane::display
