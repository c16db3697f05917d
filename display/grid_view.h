#pragma once

// picTable: the aspect grid on screen, its cells txbCell drawn from display::GridModel (texts, colours on
// black, bold close aspects, the grey of empty cells, the header glyphs as astronomical symbols). A click
// on a cell is handed on; the grid itself changes nothing.

#include "display/grid_model.h"

#include <QWidget>

namespace orvane::display {

class GridView : public QWidget {
    Q_OBJECT

public:
    explicit GridView(const GridModel& grid, QWidget* parent = nullptr);

    // Takes the cells, the layout and the size (picTableWidth × picTableHeight) from the model again.
    void SyncFromModel();

signals:
    // A mouse click on cell `cell` (0 … intNumCells − 1).
    void cellClicked(int cell);

private:
    const GridModel& m_grid;
};

}  // namespace orvane::display
