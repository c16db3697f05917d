#include "display/grid_model.h"

#include "text/language.h"

#include <gtest/gtest.h>

namespace orvane::display {
namespace {

class GridLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        tables.InitializeAstroTables("/nonexistent-orvane-folder/");
        ASSERT_EQ(language.LoadProgramText(ORVANE_SOURCE_DATA_DIR, text::kProgramTextFileName), "");
    }
    core::AstroTables tables;
    text::Language language;
    GridModel grid;
};

TEST_F(GridLayout, GetRowColTruncates)
{
    grid.GetRowCol(45, 9);
    EXPECT_EQ(grid.intRow, 5);
    EXPECT_EQ(grid.intCol, 0);
    grid.GetRowCol(120, 11);
    EXPECT_EQ(grid.intRow, 10);
    EXPECT_EQ(grid.intCol, 10);
    grid.GetRowCol(7, 0);  // no columns: the last values stay
    EXPECT_EQ(grid.intRow, 10);
}

TEST_F(GridLayout, TriangleCellsAndHeaders)
{
    grid.LayOutTriangleGrid(tables);
    EXPECT_EQ(grid.intNumRows, 10);
    EXPECT_EQ(grid.intNumCols, 9);
    EXPECT_EQ(grid.intNumCells, 90);
    EXPECT_EQ(grid.picTableWidth, 9 * 1080);

    // Row 0: position cells, visible and empty; row 1: column headers of bodies 1 … 9.
    EXPECT_TRUE(grid.txbCell[0].visible);
    EXPECT_EQ(grid.txbCell[0].text, "");
    for (int16_t c = 0; c < 9; ++c) {
        const GridCell& header = grid.txbCell[static_cast<size_t>(9 + c)];
        EXPECT_EQ(header.text, tables.strPlanetGlyph[static_cast<size_t>(c + 1)]);
        EXPECT_STREQ(FontName(header.font), "Starfont Sans");
        EXPECT_EQ(header.fontSize, 14);
        EXPECT_EQ(header.backColor, kHeaderBackColor);
    }
    // Cell 45 (row 5, column 0) lies below the diagonal; 48 is the header of Mars on the diagonal; 49 the
    // aspect cell of Mars and Jupiter.
    EXPECT_FALSE(grid.txbCell[45].visible);
    EXPECT_TRUE(grid.txbCell[48].visible);
    EXPECT_EQ(grid.txbCell[48].text, "h");
    EXPECT_EQ(grid.txbCell[48].backColor, kHeaderBackColor);
    EXPECT_TRUE(grid.txbCell[49].visible);
    EXPECT_EQ(grid.txbCell[49].text, "");
    EXPECT_EQ(grid.txbCell[49].backColor, kBlack);
    EXPECT_STREQ(FontName(grid.txbCell[49].font), "Arial");
    EXPECT_EQ(grid.txbCell[49].left, 4 * 1080);
    EXPECT_EQ(grid.txbCell[49].top, 5 * 570);
    // The last row holds Neptune's header and its one aspect cell, with Pluto.
    EXPECT_EQ(grid.txbCell[88].text, "G");
    EXPECT_TRUE(grid.txbCell[89].visible);
    EXPECT_FALSE(grid.txbCell[90].visible);
}

TEST_F(GridLayout, SquareCornersByMode)
{
    grid.LayOutSquareGrid(tables, language, core::kModePersonal2);
    EXPECT_EQ(grid.intNumCells, 121);
    EXPECT_EQ(grid.txbCell[0].text, "");
    EXPECT_EQ(grid.txbCell[1].text, language.GetText(68));
    EXPECT_EQ(grid.txbCell[11].text, language.GetText(71));
    EXPECT_EQ(grid.txbCell[12].text, language.GetText(70));
    EXPECT_EQ(grid.txbCell[0].backColor, kHeaderBackColor);
    // Cell 24 (row 2, column 2): Earth with Earth; headers along row 1 and column 1.
    EXPECT_EQ(grid.txbCell[24].text, "");
    EXPECT_EQ(grid.txbCell[24].backColor, kBlack);
    EXPECT_EQ(grid.txbCell[13].text, tables.strPlanetGlyph[1]);
    EXPECT_EQ(grid.txbCell[23].text, tables.strPlanetGlyph[1]);
    EXPECT_EQ(grid.txbCell[120].text, "");
    EXPECT_TRUE(grid.txbCell[120].visible);

    grid.LayOutSquareGrid(tables, language, core::kModeSynastry);
    EXPECT_EQ(grid.txbCell[1].text, language.GetText(75));
    EXPECT_EQ(grid.txbCell[11].text, language.GetText(76));
    EXPECT_EQ(grid.txbCell[12].text, language.GetText(14));
    grid.LayOutSquareGrid(tables, language, core::kModePersonal1);
    EXPECT_EQ(grid.txbCell[12].text, language.GetText(69));
}

TEST_F(GridLayout, ALayoutForgetsThePreviousOne)
{
    grid.LayOutSquareGrid(tables, language, core::kModeSynastry);
    grid.txbCell[100].text = "Tri\r\n1°0'";
    grid.txbCell[100].bold = true;
    grid.LayOutTriangleGrid(tables);
    EXPECT_EQ(grid.txbCell[100].text, "");
    EXPECT_FALSE(grid.txbCell[100].visible);
    EXPECT_FALSE(grid.txbCell[100].bold);
    EXPECT_EQ(grid.txbCell[12].font, CellFont::Glyph);  // now a column header
    EXPECT_EQ(grid.txbCell[23].font, CellFont::Text);          // was a square header, now an aspect cell
}

TEST_F(GridLayout, AspectsAreReadBackFromTheCellTexts)
{
    grid.LayOutTriangleGrid(tables);
    grid.txbCell[49].text = "Sqr\r\n2°15' -";
    grid.txbCell[50].text = "Qui\r\n0°3' +";
    EXPECT_EQ(grid.CellAspect(tables, 49), core::kSquare);
    EXPECT_EQ(grid.CellAspect(tables, 50), core::kQuincunx);
    EXPECT_EQ(grid.CellAspect(tables, 48), 0);  // a header
    EXPECT_EQ(grid.CellAspect(tables, 51), 0);
    EXPECT_EQ(grid.CellAspect(tables, -1), 0);
    EXPECT_EQ(grid.CellAspect(tables, 144), 0);
    EXPECT_EQ(grid.GetTotalNumAspects(tables), 2);
}

TEST(PositionErrorMark, ByCode)
{
    EXPECT_EQ(PositionErrorMark(-99), "<");
    EXPECT_EQ(PositionErrorMark(-100), ">");
    EXPECT_EQ(PositionErrorMark(-1), "?");
    EXPECT_EQ(PositionErrorMark(0), "?");
}

}  // namespace
}  // namespace orvane::display
