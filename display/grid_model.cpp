#include "display/grid_model.h"

#include "text/language.h"
#include "text/text_numbers.h"

namespace orvane::display {
namespace {

size_t Index(int16_t i)
{
    return static_cast<size_t>(i);
}

}  // namespace

void GridModel::GetRowCol(int16_t i, int16_t n)
{
    if (n == 0)
        return;
    const RowCol cell = CellRowCol(i, n);
    gridRow = cell.gridRow;
    gridCol = cell.gridCol;
}

void GridModel::ClearCells()
{
    for (GridCell& cell : cellTexts) {
        cell.text.clear();
        cell.visible = false;
        cell.backColor = kBlack;
        cell.foreColor = kBlack;
        cell.bold = false;
    }
}

void GridModel::ResetCellFonts()
{
    for (int16_t i = 0; i < cellCount && i < kCellPool; ++i) {
        GridCell& cell = cellTexts[Index(i)];
        cell.bold = false;
        cell.font = CellFont::Text;
        cell.fontSize = kCellFontSize;
    }
}

void GridModel::PlaceCell(int16_t i)
{
    GetRowCol(i, columnCount);
    GridCell& cell = cellTexts[Index(i)];
    cell.left = gridCol * cellWidth;
    cell.top = gridRow * cellHeight;
    cell.visible = true;
}

void GridModel::MakeHeader(int16_t i, const std::string& glyph)
{
    GridCell& cell = cellTexts[Index(i)];
    cell.backColor = kHeaderBackColor;
    cell.bold = false;
    cell.font = CellFont::Glyph;
    cell.fontSize = kGlyphFontSize;
    cell.text = glyph;
}

void GridModel::StartLayout(int16_t rows, int16_t cols)
{
    ResetCellFonts();  // the cells of the layout before
    rowCount = rows;
    columnCount = cols;
    cellCount = static_cast<int16_t>(rows * cols);
    tableWidth = columnCount * cellWidth;
    tableHeight = rowCount * cellHeight;
    ClearCells();
    ResetCellFonts();  // the cells of this one
}

void GridModel::LayOutTriangleGrid(const core::AstroTables& tables)
{
    StartLayout(10, 9);

    for (int16_t i = 0; i < cellCount; ++i) {
        PlaceCell(i);
        if (gridRow == 1)
            MakeHeader(i, tables.bodyGlyphs[Index(static_cast<int16_t>(gridCol + 1))]);
    }
    for (int16_t i = 0; i < cellCount; ++i) {
        GetRowCol(i, columnCount);
        if (gridRow > gridCol + 2)
            cellTexts[Index(i)].visible = false;  // below the diagonal
        else if (gridCol == gridRow - 2)
            MakeHeader(i, tables.bodyGlyphs[Index(static_cast<int16_t>(gridRow - 1))]);
    }
}

void GridModel::LayOutSquareGrid(const core::AstroTables& tables, const text::Language& language, core::Mode mode)
{
    StartLayout(11, 11);

    for (int16_t i = 0; i < cellCount; ++i) {
        PlaceCell(i);
        GridCell& cell = cellTexts[Index(i)];
        if (gridRow == 1 || gridCol == 1)
            cell.backColor = kHeaderBackColor;
        if (gridRow == 1 && gridCol > 1)
            MakeHeader(i, tables.bodyGlyphs[Index(static_cast<int16_t>(gridCol - 1))]);
        else if (gridCol == 1 && gridRow > 1)
            MakeHeader(i, tables.bodyGlyphs[Index(static_cast<int16_t>(gridRow - 1))]);
    }

    const bool synastry = mode == core::Mode::Synastry;
    const int16_t corner11 = synastry                 ? text::kTextSynastry
                             : mode == core::Mode::PersonalTransits2nd ? text::kTextPersonalCorner11Second
                                                      : text::kTextPersonalCorner11First;
    const std::array<std::string, 4> corners{
        std::string(),
        language.Text(synastry ? text::kTextSynastryCorner01 : text::kTextTransitingPlanet),
        language.Text(synastry ? text::kTextSynastryCorner10 : text::kTextPersonalCorner10),
        language.Text(corner11),
    };
    const std::array<int16_t, 4> cornerCells{0, 1, static_cast<int16_t>(columnCount), static_cast<int16_t>(columnCount + 1)};
    for (size_t k = 0; k < cornerCells.size(); ++k) {
        GridCell& cell = cellTexts[Index(cornerCells[k])];
        cell.backColor = kHeaderBackColor;
        cell.text = corners[k];
    }
}

}  // namespace orvane::display
