#include "mainwindow/compute.h"

#include "datetime/time_zones.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvane::mainwindow {
namespace {

using core::kConjunction;
using core::kQuincunx;
using core::kSquare;
using core::kTrine;

// At noon UT on 1 January 2000 Venus and Neptune stand 121.3° apart, Saturn and Uranus 89.3°, Earth and
// Pluto 150.2°, and every body is exactly conjunct itself between two equal moments.
class ComputeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        program = new Program;
        program->astro.InitializeAstroTables(ORVANE_BIN_DIR);
        ASSERT_EQ(program->astro.ReadPlutoTable(), "");
        ASSERT_EQ(program->language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName), "");
    }
    static void TearDownTestSuite()
    {
        delete program;
        program = nullptr;
    }

    void SetUp() override
    {
        Program& p = *program;
        p.main = MainModel();
        p.grid = display::GridModel();
        p.configure = settings::ConfigureModel();
        p.run = tools::RunState();
        datetime::SetUpDateRows(p.main, p.language);
        datetime::SetUpTimezoneComboBoxes(p.main, false, false);
        for (int16_t row = 0; row < kNumDateRows; ++row)
            SetRow(row, "2000", 1, 1, 25, 24);  // 1 January 2000, 12:00, GMT
        p.main.SelectMode(Mode::WorldTransits);
        SetOrbs({0, 0, 0, 0, 0, 0, 0});
        p.configure.cboOrbForMidpoints.SetListIndex(0);  // 0° 5'
    }

    static void SetRow(int16_t row, const char* year, int16_t month, int16_t day, int16_t hour, int16_t zone)
    {
        MainModel& m = program->main;
        m.txbYearCE[static_cast<size_t>(row)] = year;
        m.cboMonthCE[static_cast<size_t>(row)].SetListIndex(month);
        m.cboDayCE[static_cast<size_t>(row)].SetListIndex(day);
        m.cboHour[static_cast<size_t>(row)].SetListIndex(hour);
        m.cboTimezone[static_cast<size_t>(row)].SetListIndex(zone);
    }

    // Applies orbs in minutes of arc for aspects 1 … 7 (each must be an entry of its orb list).
    static void SetOrbs(const std::array<int32_t, 7>& minutes)
    {
        settings::ConfigureModel& panel = program->configure;
        for (size_t k = 0; k < minutes.size(); ++k) {
            int16_t position = -1;
            for (int16_t i = 0; i < panel.cboOrb[k].ListCount(); ++i)
                if (panel.cboOrb[k].ItemData(i) == minutes[k])
                    position = i;
            ASSERT_GE(position, 0) << "no orb of " << minutes[k] << "' in list " << k;
            panel.intOrbListIndex[k] = position;
        }
    }

    static const display::GridCell& Cell(int16_t i) { return program->grid.txbCell[static_cast<size_t>(i)]; }

    static std::vector<int16_t> AspectCells()
    {
        std::vector<int16_t> cells;
        for (int16_t i = 0; i < program->grid.intNumCells; ++i)
            if (program->grid.CellAspect(program->astro.tables, i) != 0)
                cells.push_back(i);
        return cells;
    }

    static Program* program;
};
Program* ComputeTest::program = nullptr;

TEST_F(ComputeTest, OneTrineAndNothingElse)
{
    SetOrbs({0, 0, 0, 120, 0, 0, 0});  // a trine orb of 2°
    const ComputeOutcome outcome = cmdCompute_Click(*program);
    ASSERT_TRUE(outcome.computed);
    // Venus (3) and Neptune (8): row 4, column 7 of the nine-column triangle.
    EXPECT_EQ(AspectCells(), std::vector<int16_t>{43});
    const std::string& text = Cell(43).text;
    EXPECT_EQ(text.rfind("Tri\r\n1°19'", 0), 0U) << text;  // 121.325° apart
    EXPECT_TRUE(text.ends_with(" -") || text.ends_with(" +")) << text;
    EXPECT_EQ(Cell(43).foreColor, program->astro.tables.dblAspectColor[kTrine]);
    EXPECT_FALSE(Cell(43).bold);  // 1° 20' is not below 1°
    EXPECT_EQ(program->main.intAspectCount[kTrine], 1);
    EXPECT_EQ(program->grid.GetTotalNumAspects(program->astro.tables), 1);
    EXPECT_EQ(program->main.txbReport.rfind("1 trine\r\n\r\n", 0), 0U) << program->main.txbReport;
    EXPECT_EQ(program->main.txbReport.find(program->language.GetText(127).substr(0, 5)), std::string::npos);
    // Position cells in row 0: Earth at 100°23' in Cancer.
    EXPECT_EQ(Cell(0).text, "100°23'\r\n10Can23");
    EXPECT_EQ(Cell(0).backColor, display::kPositionBackColor);
    EXPECT_EQ(Cell(8).text.rfind("250°33'\r\n", 0), 0U);  // Pluto
}

TEST_F(ComputeTest, CountsPluralsAndTheTotal)
{
    SetOrbs({0, 0, 60, 0, 0, 0, 180});  // squares within 1°, quincunxes within 3°
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    const MainModel& m = program->main;
    EXPECT_EQ(m.intAspectCount[kSquare], 1);    // Saturn–Uranus
    EXPECT_EQ(m.intAspectCount[kQuincunx], 2);  // Earth–Pluto and Mercury–Saturn
    std::string total = program->language.GetText(127);
    total.replace(total.find('N'), 1, "3");
    EXPECT_EQ(m.txbReport.rfind("1 square\r\n2 quincunxes\r\n" + total + "\r\n\r\n", 0), 0U) << m.txbReport;
    // Saturn–Uranus is within 1°: bold by the default rule.
    const int16_t saturnUranus = 7 * 9 + 6;
    EXPECT_EQ(program->grid.CellAspect(program->astro.tables, saturnUranus), kSquare);
    EXPECT_TRUE(Cell(saturnUranus).bold);
}

TEST_F(ComputeTest, NoAspectsAndRadians)
{
    program->main.SetOptRadians(true);
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    EXPECT_TRUE(AspectCells().empty());
    EXPECT_EQ(program->main.txbReport.rfind(program->language.GetText(126) + "\r\n", 0), 0U);
    EXPECT_EQ(Cell(0).text, "1.7519");  // Earth's longitude in radians, 4 decimals
}

TEST_F(ComputeTest, PersonalTransitsPairEveryBodyWithItself)
{
    program->main.SelectMode(Mode::PersonalTransits1st);
    SetOrbs({60, 0, 0, 0, 0, 0, 0});  // conjunctions within 1°; personal orbs are a proportion of it
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    const display::GridModel& grid = program->grid;
    EXPECT_EQ(grid.intNumCols, 11);
    // Transiting Mars on natal Mars: row 5, column 5.
    EXPECT_EQ(grid.CellAspect(program->astro.tables, 5 * 11 + 5), kConjunction);
    EXPECT_EQ(program->main.intAspectCount[kConjunction], 9);
    // Positions of both moments: row 0 from column 2, column 0 from row 2.
    EXPECT_EQ(Cell(2).text, Cell(2 * 11).text);
    EXPECT_EQ(Cell(2).text.rfind("100°23'", 0), 0U);
    std::string total = program->language.GetText(127);
    total.replace(total.find('N'), 1, "9");
    EXPECT_EQ(program->main.txbReport1, "9 conjunctions. " + total);
    // The natal body stands still: the mark tells how the transiting body moves.
    EXPECT_TRUE(Cell(5 * 11 + 5).text.ends_with(" -") || Cell(5 * 11 + 5).text.ends_with(" +"));
}

TEST_F(ComputeTest, SynastryHasNoApplyingMarks)
{
    program->main.SelectMode(Mode::Synastry);
    SetOrbs({60, 0, 0, 0, 0, 0, 0});
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    EXPECT_EQ(program->main.intAspectCount[kConjunction], 9);
    for (const int16_t cell : AspectCells())
        EXPECT_TRUE(Cell(cell).text.ends_with("'")) << Cell(cell).text;
    EXPECT_EQ(Cell(1).text, program->language.GetText(75));
}

TEST_F(ComputeTest, ADateErrorChangesNothing)
{
    SetOrbs({0, 0, 0, 120, 0, 0, 0});
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    const display::GridModel before = program->grid;
    const std::string report = program->main.txbReport;

    program->main.txbYearCE[0] = "";
    const ComputeOutcome outcome = cmdCompute_Click(*program);
    EXPECT_FALSE(outcome.computed);
    EXPECT_FALSE(outcome.dateError.text.empty());
    EXPECT_TRUE(program->main.blnInputError);
    EXPECT_EQ(program->grid.txbCell, before.txbCell);
    EXPECT_EQ(program->main.txbReport, report);

    // Synastry needs both birthdates: the second is reported.
    program->main.txbYearCE[0] = "2000";
    program->main.txbYearCE[2] = "2800";
    program->main.SelectMode(Mode::Synastry);
    EXPECT_FALSE(cmdCompute_Click(*program).computed);
}

TEST_F(ComputeTest, TitleByModeAndView)
{
    SetOrbs({60, 60, 60, 60, 60, 60, 60});
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    const text::Language& language = program->language;
    EXPECT_EQ(program->main.lblTitle, language.GetText(23) + "  " + language.GetText(33) + " 1°.");

    SetOrbs({60, 120, 60, 60, 60, 0, 60});
    program->main.picGraphicVisible = true;
    ASSERT_TRUE(cmdCompute_Click(*program).computed);
    std::string chartTitle = language.GetText(26);
    for (size_t at = chartTitle.find(" degrees"); at != std::string::npos; at = chartTitle.find(" degrees"))
        chartTitle.replace(at, 8, "°");
    EXPECT_EQ(program->main.lblTitle,
              chartTitle + "  " + language.GetText(34) + ": 1° " + language.GetText(35) + " 2°");
}

TEST(AspectCountText, PluralEndings)
{
    core::AstroTables tables;
    tables.InitializeAstroTables("/nonexistent-orvane-folder/");
    EXPECT_EQ(AspectCountText(tables, kQuincunx, 2), "2 quincunxes");
    EXPECT_EQ(AspectCountText(tables, kQuincunx, 1), "1 quincunx");
    EXPECT_EQ(AspectCountText(tables, kSquare, 3), "3 squares");
}

}  // namespace
}  // namespace orvane::mainwindow
