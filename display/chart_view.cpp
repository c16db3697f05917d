#include "display/chart_view.h"

namespace orvane::display {

ChartView::ChartView(const mainwindow::Program& program, QWidget* parent) : QWidget(parent), m_program(program)
{
    setObjectName(QStringLiteral("picGraphic"));
}

void ChartView::SyncFromModel()
{
    update();
}

QImage ChartView::ChartImage()
{
    return grab().toImage();
}

}  // namespace orvane::display
