#pragma once

// The chart's pictures, one painting function each: the one-date chart, the two-date chart with its
// legend, and the transit picture. Each draws onto a QPainter from its data, in the picture's pixels
// (15 twips a pixel; the painter's device may scale them further), so that the view on screen and the
// exported image show the same drawing.
//
// Glyph placement reads back what is already drawn: the circle, the sector lines and the glyphs placed so
// far are drawn a second time onto an image at the picture's own scale, and a glyph takes the first
// radius, from the outside inwards in steps of 1 %, at which its test box on that image holds nothing
// but background and sector lines. Lines are drawn only after every glyph has its place, smoothed; then
// every glyph is printed again over them, on a black backing a little larger than its ink, a body's
// glyph with the middle of its ink where its lines end.

#include "display/chart_layout.h"
#include "display/transit_picture.h"

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <QSize>

#include <array>
#include <optional>
#include <vector>

class QPainter;

namespace orvane::gui {

// A colour as the models' RGB value (red + 256 × green + 65536 × blue); ToQColor (grid_view.h) is the way back.
double ChartRgb(QColor color);

// What drawing a chart came to.
enum class ChartDrawn {
    Complete,
    NoRoom,          // a glyph found no room: the chart stays as far as drawn, data.noRoom is to be shown
    FiltersConflict  // both "only" options: nothing drawn, data.filterConflict is to be shown
};

struct ChartResult {
    ChartDrawn drawn = ChartDrawn::Complete;
    // Where each body's glyph of each set was printed (its top left, twips), when it was.
    std::array<std::array<std::optional<display::TwipPoint>, 2>, core::kBodySlots> glyphAt{};
    // The aspect lines in drawing order, in pixels, and the glyphs' backings drawn over them.
    struct DrawnLine {
        QLineF at;
        display::ChartLine line;
    };
    std::vector<DrawnLine> lines;
    std::vector<QRectF> backings;
    // Where the heliocentric chart's own top left lies in the picture, in pixels: beyond the margin that
    // the outer ring of geocentric positions adds. The positions above are the chart's own.
    QPointF origin;
};

// The picture's size in pixels: of the chart alone, and of the chart of `data` with its outer ring.
QSize ChartPixelSize(display::ChartKind kind);
QSize ChartPixelSize(const display::ChartData& data);
QSize TransitPixelSize();

// The chart of `data`, by its kind.
ChartResult DrawChart(QPainter& painter, const display::ChartData& data);
ChartResult DrawChartOneDate(QPainter& painter, const display::ChartData& data);
ChartResult DrawChartTwoDates(QPainter& painter, const display::ChartData& data);

// The aspect line seen at `point` (pixels of the picture): the last drawn one within reach of its width,
// none over a glyph's backing, the outer ring's included. Smoothed lines have blended edges, so a line is found by where it runs
// rather than by the colour of one pixel.
std::optional<display::ChartLine> LineAt(const ChartResult& result, QPointF point);

void DrawTransitPicture(QPainter& painter, const display::TransitPicture& picture);

}  // namespace orvane::gui
