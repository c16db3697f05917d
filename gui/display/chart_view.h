#pragma once

// picGraphic: the circular chart of a computed result (the one-date chart, the two-date chart with its
// legend) and the transit picture of a personal-transit cell, each painted by one function that draws
// onto a QPainter from the program's state, so that the image export saves what is seen. A right click
// on an aspect line names the aspects of its colour; on the transit picture it tells the date, time and
// deviation of that point of the curve.

#include "gui/display/chart_painter.h"
#include "gui/platform/picture_output.h"
#include "app/workspace.h"
#include "platform/message.h"

#include <QImage>
#include <QWidget>

#include <optional>

namespace orvane::gui {

class ChartView : public QWidget {
    Q_OBJECT

public:
    // Shows the program's result; picGraphicWidth/Height come from the chart's own layout.
    explicit ChartView(const app::Workspace& program, QWidget* parent = nullptr);

    // Draws the chart of the last computation again when what it is drawn from has changed since it was
    // last drawn (after Compute, a step, a change of the display options); otherwise the picture stays,
    // the transit picture included.
    void SyncFromModel();
    // Draws the chart of the last computation whatever was shown before (the toggle button), and says how
    // far it came.
    ChartDrawn DrawChart();
    // Shows the transit picture instead of the chart.
    void ShowTransitPicture(const display::TransitPicture& picture);
    bool TransitPictureShown() const { return m_transit.has_value(); }

    // The picture as it is shown, at the picture's own scale: what "Save as ..." exports.
    QImage ChartImage();
    // The picture as it is shown, to print or to write as PDF, SVG or PNG: the transit picture, or the
    // chart with the title block and captions of its saved image.
    Picture ShownPicture() const;

signals:
    // A message for the user: a glyph found no room, both display filters are set, or the report of a
    // right click. The main window shows it through its message boxes.
    void messageForUser(const orvane::platform::Message& message);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    display::ChartData CurrentData() const;
    // Paints the chart or the transit picture onto `image`, sized at `scale` device pixels a pixel.
    ChartResult PaintPicture(QImage& image, qreal scale) const;
    ChartDrawn Repaint();

    const app::Workspace& m_program;
    std::optional<display::ChartData> m_chart;        // what the chart was last drawn from
    std::optional<display::TransitPicture> m_transit; // shown instead of the chart
    QImage m_picture;                        // what is shown, at the screen's scale
    ChartResult m_drawn;                     // where its glyphs and lines are
};

}  // namespace orvane::gui
