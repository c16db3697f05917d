#include "display/grid_model.h"

#include "tests/support/program_fixture.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace orvane::display {
namespace {

// The program's tables and text; a grid of its own.
class GridLayout : public testing::ProgramTest {
protected:
    const core::AstroTables& tables = program->astro.tables;
    const text::Language& language = program->language;
    GridModel grid;
};

TEST_F(GridLayout, TriangleCellsAndHeaders)
{
    grid.LayOutTriangleGrid(tables);
    EXPECT_EQ(std::tuple(grid.rowCount, grid.columnCount, grid.cellCount), (std::tuple<int16_t, int16_t, int16_t>(10, 9, 90)));
    EXPECT_EQ(grid.tableWidth, 9 * 1080);
    // Row 0: position cells, visible and empty; row 1: column headers of bodies 1 … 9.
    EXPECT_TRUE(grid.cellTexts[0].visible && grid.cellTexts[0].text.empty());
    for (int16_t c = 0; c < 9; ++c) {
        const GridCell& header = grid.cellTexts[static_cast<size_t>(9 + c)];
        EXPECT_EQ(std::tuple(header.text, header.font, header.fontSize, header.backColor),
                  std::tuple(tables.bodyGlyphs[static_cast<size_t>(c + 1)], CellFont::Glyph, int16_t{14}, kHeaderBackColor));
    }
    // Cell 45 (row 5, column 0) lies below the diagonal; 48 is the header of Mars on the diagonal; 49 the
    // aspect cell of Mars and Jupiter.
    EXPECT_FALSE(grid.cellTexts[45].visible);
    EXPECT_EQ(std::pair(grid.cellTexts[48].text, grid.cellTexts[48].backColor), std::pair(std::string("h"), kHeaderBackColor));
    const GridCell& aspect = grid.cellTexts[49];
    EXPECT_EQ(std::tuple(aspect.visible, aspect.text, aspect.backColor, aspect.font, aspect.left, aspect.top),
              std::tuple(true, std::string(), kBlack, CellFont::Text, 4 * 1080, 5 * 570));
    // The last row holds Neptune's header and its one aspect cell, with Pluto.
    EXPECT_EQ(grid.cellTexts[88].text, "G");
    EXPECT_TRUE(grid.cellTexts[89].visible && !grid.cellTexts[90].visible);
}

// The corners name the two moments of the mode; row 1 and column 1 hold the headers of both.
TEST_F(GridLayout, SquareCornersByMode)
{
    const struct {
        core::Mode mode;
        int16_t corner1, corner11, corner12;
    } cases[] = {{core::Mode::PersonalTransits2nd, 68, 71, 70}, {core::Mode::Synastry, 75, 76, 14}, {core::Mode::PersonalTransits1st, 68, 71, 69}};
    for (const auto& c : cases) {
        grid.LayOutSquareGrid(tables, language, c.mode);
        EXPECT_EQ(std::tuple(grid.cellCount, grid.cellTexts[0].text, grid.cellTexts[0].backColor),
                  std::tuple(int16_t{121}, std::string(), kHeaderBackColor));
        EXPECT_EQ(std::tuple(grid.cellTexts[1].text, grid.cellTexts[11].text, grid.cellTexts[12].text),
                  std::tuple(language.Text(c.corner1), language.Text(c.corner11), language.Text(c.corner12)));
    }
    // Cell 24 (row 2, column 2): Earth with Earth.
    EXPECT_EQ(std::pair(grid.cellTexts[24].text, grid.cellTexts[24].backColor), std::pair(std::string(), kBlack));
    EXPECT_EQ(grid.cellTexts[13].text + grid.cellTexts[23].text, tables.bodyGlyphs[1] + tables.bodyGlyphs[1]);
    EXPECT_TRUE(grid.cellTexts[120].visible);
}

TEST_F(GridLayout, ALayoutForgetsThePreviousOne)
{
    grid.LayOutSquareGrid(tables, language, core::Mode::Synastry);
    grid.cellTexts[100].text = "Tri\r\n1°0'";
    grid.cellTexts[100].bold = true;
    grid.LayOutTriangleGrid(tables);
    EXPECT_TRUE(grid.cellTexts[100].text.empty() && !grid.cellTexts[100].visible && !grid.cellTexts[100].bold);
    EXPECT_EQ(grid.cellTexts[12].font, CellFont::Glyph);  // now a column header
    EXPECT_EQ(grid.cellTexts[23].font, CellFont::Text);   // was a square header, now an aspect cell
}

}  // namespace
}  // namespace orvane::display
