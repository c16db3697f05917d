#include "gui/display/chart_view.h"

#include "gui/display/chart_painter.h"
#include "app/geocentric_view.h"
#include "gui/tools/image_export.h"
#include "platform/twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvane::gui {

ChartView::ChartView(const app::Workspace& program, QWidget* parent) : QWidget(parent), m_program(program)
{
    setObjectName(QStringLiteral("picGraphic"));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the picture covers every pixel
}

display::ChartData ChartView::CurrentData() const
{
    // The display options as the panel last applied them: ticking a box in the open panel changes no chart.
    return app::ShownChartData(m_program, window()->windowTitle().toStdString());
}

void ChartView::SyncFromModel()
{
    if (!m_chart || CurrentData() != *m_chart)
        DrawChart();
}

ChartDrawn ChartView::DrawChart()
{
    m_chart = CurrentData();
    m_transit.reset();
    setToolTip(QString());
    return Repaint();
}

void ChartView::ShowTransitPicture(const display::TransitPicture& picture)
{
    // The chart's data as they are now: the picture stays until they change or the chart is asked for.
    m_chart = CurrentData();
    m_transit = picture;
    Repaint();
}

ChartResult ChartView::PaintPicture(QImage& image, qreal scale) const
{
    const QSize size = m_transit ? TransitPixelSize() : m_chart ? ChartPixelSize(*m_chart) : ChartPixelSize(display::ChartKind::OneDate);
    image = QImage(size * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    QPainter painter(&image);
    if (m_transit) {
        DrawTransitPicture(painter, *m_transit);
        return {};
    }
    return m_chart ? gui::DrawChart(painter, *m_chart) : ChartResult{};
}

ChartDrawn ChartView::Repaint()
{
    m_drawn = PaintPicture(m_picture, devicePixelRatioF());
    const ChartDrawn drawn = m_drawn.drawn;
    setFixedSize(m_picture.deviceIndependentSize().toSize());
    update();
    if (drawn == ChartDrawn::NoRoom)
        emit messageForUser(m_chart->noRoom);
    else if (drawn == ChartDrawn::FiltersConflict)
        emit messageForUser(m_chart->filterConflict);
    return drawn;
}

QImage ChartView::ChartImage()
{
    QImage image;
    PaintPicture(image, 1.0);
    return image;
}

Picture ChartView::ShownPicture() const
{
    if (m_transit) {
        const QSize size = TransitPixelSize();
        return {size, [picture = *m_transit, size](QPainter& painter) {
                    painter.fillRect(QRect(QPoint(0, 0), size), Qt::black);
                    DrawTransitPicture(painter, picture);
                }};
    }
    return ChartPicture(m_program, m_chart ? *m_chart : CurrentData());
}

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    painter.drawImage(QPoint(0, 0), m_picture);
}

void ChartView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton)
        return QWidget::mousePressEvent(event);
    event->accept();
    const QPoint at = event->position().toPoint();
    const QPoint pixel = (QPointF(at) * m_picture.devicePixelRatio()).toPoint();
    if (!m_picture.valid(pixel))
        return;
    // On the chart, the colour of the line seen there, or of the point when no line runs there.
    const std::optional<display::ChartLine> line = m_transit ? std::nullopt : LineAt(m_drawn, QPointF(at) + QPointF(0.5, 0.5));
    const double color = line ? line->color : ChartRgb(m_picture.pixelColor(pixel));
    const std::optional<platform::Message> report =
        m_transit ? display::TransitCurveReport(*m_transit, m_program.language, platform::Twips(at.x()), platform::Twips(at.y()), color)
                  : display::LineReport(m_program.astro.tables, m_program.language, color);
    if (report)
        emit messageForUser(*report);
}

}  // namespace orvane::gui
