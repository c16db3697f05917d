#include "display/grid_view.h"

namespace orvane::display {

GridView::GridView(const GridModel& grid, QWidget* parent) : QWidget(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("picTable"));
}

void GridView::SyncFromModel()
{
    update();
}

}  // namespace orvane::display
