#pragma once

// picTable: the aspect grid on screen, its cells txbCell drawn from display::GridModel (texts, colours on
// black, bold close aspects, the grey of empty cells, the header glyphs as astronomical symbols). A click
// on a cell is handed on; the grid itself changes nothing.
//
// The cells are painted by the grid itself in one pass, not made of 145 text widgets: a Forward step
// repaints the whole grid, and one paint of prepared texts and fonts is far cheaper than restyling up
// to 121 labels (palette, font and text each, every step). So that windows and tests can still find a
// cell by the system's name, each cell has a handle: an empty child widget `txbCell_i` that draws
// nothing and lets the mouse through, placed over its cell, visible exactly when the cell is, with the
// cell's text as its accessible name. A click on a handle sent to it directly reaches the grid as a
// click at that point.

#include "display/grid_model.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

class QPainter;

namespace orvane::gui {

// An RGB colour value of the models (red + 256 × green + 65536 × blue) as a QColor.
QColor ToQColor(double rgb);

class GridView : public QWidget {
    Q_OBJECT

public:
    explicit GridView(const display::GridModel& grid, QWidget* parent = nullptr);

    // Takes the cells, the layout and the size (picTableWidth × picTableHeight) from the model again.
    void SyncFromModel();

    // Where cell `cell` lies, in the grid's pixels (an empty rectangle for a cell outside the layout).
    QRect CellRect(int cell) const;
    // The visible cell at `point`, or −1 where there is none (below the diagonal, outside the grid).
    int CellAt(QPoint point) const;
    // The cells within `area` (the grid's pixels) onto `painter`: the screen's paint, and the grid's
    // print and export.
    void PaintCells(QPainter& painter, const QRect& area) const;

signals:
    // A mouse click on cell `cell` (0 … intNumCells − 1).
    void cellClicked(int cell);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A cell as it is painted: prepared once per sync, so that painting converts nothing.
    struct CellPicture {
        QRect rect;
        QColor back;
        QColor fore;
        QFont font;
        QString text;
        bool visible = false;

        bool operator==(const CellPicture&) const = default;
    };

    const display::GridModel& m_grid;
    std::vector<CellPicture> m_cells;       // cells 0 … intNumCells − 1
    std::array<QWidget*, display::kCellPool> txbCell{};  // the handles, owned by the grid
    int m_pressedCell = -1;
};

}  // namespace orvane::gui
