#pragma once

// The aspect grid as the computation sees it: a pool of 145 text cells laid out as a triangle (the
// one-date modes: world transits and natal aspects) or a square (the two-date modes: personal transits
// and synastry), with each cell's text, colours, font, boldface, visibility and place.

#include "core/aspect_result.h"
#include "core/vocabulary.h"
#include "core/modes.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvane::text {
class Language;
}

namespace orvane::display {

// Highest cell index of the pool (cells 0 … 144).
inline constexpr int16_t kMaxCellIndex = 144;
inline constexpr int kCellPool = kMaxCellIndex + 1;

// Colours of the grid (RGB values).
inline constexpr double kHeaderBackColor = core::RGB(200, 200, 220);
inline constexpr double kPositionBackColor = core::RGB(230, 255, 230);
inline constexpr double kBlack = 0.0;

// The two fonts of the cells: text (Arial 10) and the chart font's glyphs (Starfont Sans 14).
enum class CellFont { Text, Glyph };
inline constexpr int kCellFontSize = 10;
inline constexpr int kGlyphFontSize = 14;

// The font family's name.
constexpr const char* FontName(CellFont font)
{
    return font == CellFont::Glyph ? "Starfont Sans" : "Arial";
}

// One cell of cellTexts.
struct GridCell {
    std::string text;
    bool visible = false;
    double backColor = kBlack;
    double foreColor = kBlack;
    CellFont font = CellFont::Text;
    int fontSize = kCellFontSize;
    bool bold = false;
    int32_t left = 0;  // twips within picTable
    int32_t top = 0;

    bool operator==(const GridCell&) const = default;
};

// Row and column of cell `i` in a grid of `numCols` columns; cells run row by row from the top left.
struct RowCol {
    int16_t gridRow = 0;
    int16_t gridCol = 0;
};
constexpr RowCol CellRowCol(int i, int16_t numCols)
{
    return {static_cast<int16_t>(i / numCols), static_cast<int16_t>(i % numCols)};
}

// The cell of an aspect: in the triangle of one moment row body1 + 1 and column body2 − 1, in the square
// of two moments row body1 + 1 (the second moment's bodies) and column body2 + 1 (the first moment's).
constexpr RowCol AspectCell(core::Comparison comparison, const core::AspectFound& found)
{
    const int16_t column = comparison == core::Comparison::OneMoment ? core::IndexOf(found.body2) - 1
                                                                     : core::IndexOf(found.body2) + 1;
    return {static_cast<int16_t>(core::IndexOf(found.body1) + 1), column};
}

// The grid `picTable` with its cells and the variables that describe the current layout.
class GridModel {
public:
    std::array<GridCell, kCellPool> cellTexts;
    int16_t rowCount = 0;
    int16_t columnCount = 0;
    int16_t cellCount = 0;
    int16_t gridRow = 0;  // row and column last set by GetRowCol
    int16_t gridCol = 0;
    int32_t cellWidth = 1080;  // twips
    int32_t cellHeight = 570;
    int32_t tableWidth = 0;  // twips
    int32_t tableHeight = 0;

    // Sets gridRow to i integer-divided by n and gridCol to i modulo n (nothing for n = 0).
    void GetRowCol(int16_t i, int16_t n);

    // Every cell 0 … 144: empty, hidden, black on black, not bold.
    void ClearCells();
    // Cells 0 … cellCount − 1: not bold, Arial 10.
    void ResetCellFonts();

    // The triangle of the one-date modes: row 0 positions, row 1 column headers of bodies 1 … 9, and each
    // row r from 2 on starting at column r − 2 with the glyph of body r − 1.
    void LayOutTriangleGrid(const core::AstroTables& tables);

    // The square of the two-date modes: column headers in row 1, row headers in column 1, the four corner
    // cells captioned by `mode` (personal transits of either birthdate, or synastry).
    void LayOutSquareGrid(const core::AstroTables& tables, const text::Language& language, core::Mode mode);

    // The number of the cell at `cell` of the current layout.
    int16_t CellIndex(RowCol cell) const { return static_cast<int16_t>(cell.gridRow * columnCount + cell.gridCol); }

private:
    // Sets the size of a new layout and clears every cell.
    void StartLayout(int16_t rows, int16_t cols);
    void PlaceCell(int16_t i);
    void MakeHeader(int16_t i, const std::string& glyph);
};

}  // namespace orvane::display
