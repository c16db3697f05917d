#include "display/result_texts.h"

#include "tests/support/program_fixture.h"
#include "text/text_numbers.h"

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

TEST_F(ResultTexts, CellsMarksAndDirections)
{
    const core::Position pluto{std::nullopt, core::NoPosition::BeforePlutoTable};
    EXPECT_EQ(PositionCellText(tables, pluto, false), "<");
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::AfterPlutoTable}, true), ">");
    EXPECT_EQ(PositionCellText(tables, {std::nullopt, core::NoPosition::NoEphemeris}, false), "?");
    EXPECT_EQ(PositionCellText(tables, {Rad(40.5), core::NoPosition::NotInUse}, false), "40°30'\r\n10Tau30");
    EXPECT_EQ(PositionCellText(tables, {1.25, core::NoPosition::NotInUse}, true), "1.2500");

    core::AspectFound found{Body::Mercury, Body::Jupiter, core::Aspect::Square, Rad(2.25), core::Motion::Applying};
    EXPECT_EQ(AspectCellText(tables, found, false), "Sqr\r\n2°15' -");
    found.motion = core::Motion::Separating;
    EXPECT_EQ(AspectCellText(tables, found, true), "Sqr\r\n0.0393 +");
    found.motion = core::Motion::Neither;
    EXPECT_EQ(AspectCellText(tables, found, false), "Sqr\r\n2°15'");
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
    EXPECT_EQ(TwoMomentSummary(tables, language, result), "3 trines. 3 aspects in total.");

    result.aspects.resize(1);
    EXPECT_EQ(TwoMomentSummary(tables, language, result), "1 trine");
    result.aspects.clear();
    result.patterns.clear();
    EXPECT_EQ(OneMomentSummary(tables, language, result), language.Text(text::kTextNoAspectsSummary) + "\r\n\r\n");
}

}  // namespace
}  // namespace orvane::display
