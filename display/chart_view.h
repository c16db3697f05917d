#pragma once

// picGraphic: the circular chart of a computed result (the one-date chart, the two-date chart with its
// legend) and the transit picture of a personal-transit cell, each painted by one function that draws
// onto a QPainter from the program's state, so that the image export saves what is seen.

#include "mainwindow/program.h"

#include <QImage>
#include <QWidget>

namespace orvane::display {

class ChartView : public QWidget {
    Q_OBJECT

public:
    // Shows the program's result; picGraphicWidth/Height come from the chart's own layout.
    explicit ChartView(const mainwindow::Program& program, QWidget* parent = nullptr);

    // Draws the chart of the last computation again (after Compute, a step, a change of the display
    // options).
    void SyncFromModel();

    // The picture as it is shown, at the picture's own scale: what "Save as ..." exports.
    QImage ChartImage();

private:
    const mainwindow::Program& m_program;
};

}  // namespace orvane::display
