#pragma once

// The aspect timeline's picture, one painting function used by the window and by the image export alike:
// on a black ground like the chart's, the ticks of months (or days) along the top, one row per pair and
// aspect with its label on the left, each stay in orb as a bar in the aspect's colour, its exact moments
// as white marks across the bar, and the world date as a vertical line through every row.

#include "display/timeline.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QPainter;

namespace orvane::gui {

struct TimelinePicture {
    const display::Timeline* timeline = nullptr;
    display::TimelineLayout layout;
    int height = 0;        // pixels of the picture
    int scrollOffset = 0;  // pixels by which the rows are scrolled up under the tick band
    std::vector<QString> rowLabels;  // one a row
    std::array<QColor, core::kAspectSlots> aspectColours{};
    std::vector<display::TimeTick> ticks;
    std::optional<double> worldMoment;
    QString corner;     // the text above the labels (the zone of the times)
    QString emptyText;  // shown when there is no row
    int highlightedRow = -1;
    QFont font;
};

void DrawTimeline(QPainter& painter, const TimelinePicture& picture);

}  // namespace orvane::gui
