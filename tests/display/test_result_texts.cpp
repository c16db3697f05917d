#include "display/result_texts.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

using core::Body;

double Rad(double degrees)
{
    return degrees / 360.0 * core::kTwoPi;
}

class ResultTexts : public testing::ProgramTest {
protected:
    const core::AstroTables& tables = program->astro.tables;
    const text::Language& language = program->language;
};

// A body without a position shows why; the cells' other texts stand in the companion's reports.
TEST_F(ResultTexts, PositionMarks)
{
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::BeforePlutoTable}, false), "<");
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::AfterPlutoTable}, true), ">");
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::NoEphemeris}, false), "?");
}

// Each pattern's lines are followed by an empty line in the summary, the midpoints last without one; the
// lines name the bodies by abbreviation with the mean deviation, or by name alone.
TEST_F(ResultTexts, SummaryAndPatternLines)
{
    core::AspectResult result;
    result.aspects = {{Body::Earth, Body::Jupiter, core::Aspect::Trine}, {Body::Earth, Body::Neptune, core::Aspect::Trine},
                      {Body::Jupiter, Body::Neptune, core::Aspect::Trine}};
    result.patterns = {{core::kPatternGrandTrine, {Body::Earth, Body::Jupiter, Body::Neptune}, Rad(2.0 / 3)},
                       {core::kPatternGrandSextile, {Body::Earth, Body::Venus, Body::Jupiter, Body::Mercury,
                                                     Body::Mars, Body::Saturn}, std::nullopt},
                       {core::kPatternMidpoint, {Body::Venus, Body::Earth, Body::Mars}, std::nullopt}};
    EXPECT_EQ(OneMomentSummary(tables, language, result),
              "3 trines\r\n3 aspects in total.\r\n\r\nGrand trine: Ea-Ju-Ne (mean deviation 0°40')\r\n\r\n"
              "Grand sextile: Ea-Ve-Ju-Me-Ma-Sa\r\n\r\nMidpoint: Ve-Ea-Ma\r\n");
    EXPECT_EQ(PatternLines(tables, language, result.patterns, true),
              "Earth-Jupiter-Neptune\r\nEarth-Venus-Jupiter-Mercury-Mars-Saturn\r\nVenus-Earth-Mars\r\n");
}

}  // namespace
}  // namespace orvane::display
