#include "app/compute.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

namespace orvane::app {
namespace {

using core::Mode;

using core::kConjunction;
using core::kSquare;
using core::kTrine;

// At noon UT on 1 January 2000 Venus and Neptune stand 121.3° apart, Saturn and Uranus 89.3°, Earth and
// Pluto 150.2°, and every body is exactly conjunct itself between two equal moments.
class ComputeTest : public testing::ProgramTest {};

TEST_F(ComputeTest, OneTrineAndNothingElse)
{
    SetOrbs({0, 0, 0, 120, 0, 0, 0});  // a trine orb of 2°
    ASSERT_TRUE(program->Compute().computed);
    // Venus (3) and Neptune (8): row 4, column 7 of the nine-column triangle.
    EXPECT_EQ(AspectCells(), std::vector<int16_t>{43});
    const std::string& text = Cell(43).text;
    EXPECT_EQ(text.rfind("Tri\r\n1°19'", 0), 0U) << text;  // 121.325° apart
    EXPECT_TRUE(text.ends_with(" -") || text.ends_with(" +")) << text;
    EXPECT_EQ(Cell(43).foreColor, program->astro.tables.aspectColors[kTrine]);
    EXPECT_FALSE(Cell(43).bold);  // 1° 20' is not below 1°
    EXPECT_EQ(program->main.result.AspectCounts()[kTrine], 1);
    EXPECT_EQ(program->main.result.TotalAspects(), 1);
    // The count line and no total line.
    EXPECT_EQ(program->main.summaryText.rfind("1 trine\r\n\r\n", 0), 0U) << program->main.summaryText;
    EXPECT_EQ(program->main.summaryText.find(Text(127).substr(0, 5)), std::string::npos);
    // Position cells in row 0: Earth at 100°23' in Cancer, Pluto at 250°33'.
    EXPECT_EQ(Cell(0).text, "100°23'\r\n10Can23");
    EXPECT_EQ(Cell(0).backColor, display::kPositionBackColor);
    EXPECT_EQ(Cell(8).text.rfind("250°33'\r\n", 0), 0U);
}

// Saturn–Uranus, 0°43' from a square within 1°, is bold by the default rule; radians show the positions.
TEST_F(ComputeTest, BoldWithinOneDegreeAndRadians)
{
    SetOrbs({0, 0, 60, 0, 0, 0, 0});
    program->main.SelectRadians(true);
    ASSERT_TRUE(program->Compute().computed);
    const int16_t saturnUranus = 7 * 9 + 6;
    EXPECT_EQ(CellAspect(saturnUranus), kSquare);
    EXPECT_TRUE(Cell(saturnUranus).bold);
    EXPECT_EQ(Cell(0).text, "1.7519");  // Earth's longitude in radians, 4 decimals
}

// The positions of a personal transit come from both moments: the world date in row 0, the birth
// moment (15 June 1990, 08:30, GMT+1) down column 0.
TEST_F(ComputeTest, PersonalTransitsShowTheBirthMomentDownTheFirstColumn)
{
    SetRow(1, {1990, 6, 15, 18}, 60);
    program->main.SelectMode(Mode::PersonalTransits1st);
    ASSERT_TRUE(program->Compute().computed);
    EXPECT_DOUBLE_EQ(program->main.moments[1], 2448057.5 + 7.5 / 24);
    EXPECT_EQ(Cell(2).text, "100°23'\r\n10Can23");
    EXPECT_EQ(Cell(2 * 11).text, "264°5'\r\n24Sag5");
    EXPECT_EQ(Cell(10).text, "250°33'\r\n10Sag33");
    EXPECT_EQ(Cell(10 * 11).text, "226°48'\r\n16Sco48");
}

TEST_F(ComputeTest, SynastryBoldUsesThePersonalOrbs)
{
    SetRow(2, {2000, 1, 2, 13}, 0);  // the 2nd birthdate 18 hours after the 1st: Earth moves about 0.76°
    program->main.SelectMode(Mode::Synastry);
    SetOrbs({120, 0, 0, 0, 0, 0, 0});                         // conjunctions within 2°
    program->configure.orbProportionLists[0].SetListIndex(0);  // personal: 2°
    program->configure.orbProportionLists[1].SetListIndex(1);  // synastry: 1°
    program->configure.opt1DegOfOrb = false;
    program->configure.proportionOfOrbSelected = true;
    program->configure.boldfaceFactorList.SetListIndex(0);  // bold below half the orb
    ASSERT_TRUE(program->Compute().computed);
    // Earth of the 2nd birthdate (row 2) with Earth of the 1st (column 2): 0.76° is within the 1° of
    // synastry, and below half the personal 2° (bold) though not below half the synastry 1°.
    const int16_t earths = 2 * 11 + 2;
    ASSERT_EQ(CellAspect(earths), kConjunction);
    EXPECT_EQ(Cell(earths).text.rfind("Con\r\n0°4", 0), 0U) << Cell(earths).text;
    EXPECT_TRUE(Cell(earths).bold);
}

// A cell's text read back by abbreviation, the first aspect whose abbreviation occurs in it, names the aspect
// the computation found for that cell (and no cell without one names any), in the grids of one moment and
// of two.
TEST_F(ComputeTest, TheCellsTextsNameTheAspectsFound)
{
    SetOrbs({600, 600, 600, 600, 360, 120, 180});
    SetRow(1, {1990, 6, 15, 18}, 60);
    SetRow(2, {1985, 3, 2, 41}, 0);
    const auto readBack = [](const std::string& text) {
        for (int16_t a = kConjunction; a <= core::kNumAspects; ++a)
            if (text.find(program->astro.tables.AspectText[platform::At(a)].Abbrev) != std::string::npos)
                return a;
        return int16_t{0};
    };
    for (const Mode mode : {Mode::WorldTransits, Mode::Natal2nd, Mode::PersonalTransits1st, Mode::Synastry}) {
        program->main.SelectMode(mode);
        ASSERT_TRUE(program->Compute().computed);
        ASSERT_GT(program->main.result.TotalAspects(), 5);
        for (int16_t i = 0; i < program->grid.cellCount; ++i)
            EXPECT_EQ(readBack(Cell(i).text), CellAspect(i)) << static_cast<int>(mode) << " cell " << i;
    }
}

TEST_F(ComputeTest, ADateErrorChangesNothing)
{
    SetOrbs({0, 0, 0, 120, 0, 0, 0});
    ASSERT_TRUE(program->Compute().computed);
    const display::GridModel before = program->grid;
    const std::string report = program->main.summaryText;

    program->main.yearTexts[0] = "";
    const ComputeOutcome outcome = program->Compute();
    EXPECT_FALSE(outcome.computed);
    EXPECT_EQ(outcome.dates.code(), platform::ErrorCode::InvalidInput);
    EXPECT_EQ(outcome.dates.error(), platform::Message::Information(Text(153), Text(4) + " " + Text(145)));
    EXPECT_EQ(outcome.refusedRow, core::kWorldDateRow);
    EXPECT_TRUE(program->main.inputError);
    EXPECT_EQ(program->grid.cellTexts, before.cellTexts);
    EXPECT_EQ(program->main.summaryText, report);

    // Synastry needs both birthdates: the second is reported.
    program->main.yearTexts[0] = "2000";
    program->main.yearTexts[2] = "2800";
    program->main.SelectMode(Mode::Synastry);
    const ComputeOutcome synastry = program->Compute();
    EXPECT_FALSE(synastry.computed);
    EXPECT_EQ(synastry.dates.error().text, Text(6) + " " + Text(148));
}

TEST_F(ComputeTest, TitleByModeAndView)
{
    SetOrbs({60, 60, 60, 60, 60, 60, 60});
    ASSERT_TRUE(program->Compute().computed);
    EXPECT_EQ(program->main.titleText, Text(23) + "  " + Text(33) + " 1°.");

    SetOrbs({60, 120, 60, 60, 60, 0, 60});
    program->main.chartShown = true;
    ASSERT_TRUE(program->Compute().computed);
    std::string chartTitle = Text(26);
    for (size_t at = chartTitle.find(" degrees"); at != std::string::npos; at = chartTitle.find(" degrees"))
        chartTitle.replace(at, 8, "°");
    EXPECT_EQ(program->main.titleText, chartTitle + "  " + Text(34) + ": 1° " + Text(35) + " 2°");
}

}  // namespace
}  // namespace orvane::app
