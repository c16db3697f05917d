#pragma once

// The aspect timeline's picture, one painting function used by the window and by the image export alike:
// on a black ground like the chart's, the ticks of months (or days) along the top, one row per pair and
// aspect with its label on the left, each stay in orb as a bar in the aspect's colour, its exact moments
// as white marks across the bar, and the world date as a vertical line through every row. Above the
// aspects, each body's lane shows the body's own events as marks, a small label beside each where there
// is room (the sign entered).

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
    std::vector<QString> rowLabels;  // one a row: the lanes', then the aspect rows'
    std::vector<std::vector<QString>> markLabels;  // one a mark of each lane
    std::array<QColor, core::kEventAspectSlots> aspectColours{};  // the grid's seven, then the further four
    std::vector<display::TimeTick> ticks;
    std::optional<double> worldMoment;
    QString corner;     // the text above the labels (the zone of the times)
    QString emptyText;  // shown when there is no row
    int highlightedRow = -1;
    QFont font;
};

void DrawTimeline(QPainter& painter, const TimelinePicture& picture);

// The colour of a mark on a lane, by the kind of event.
QColor MarkColour(core::EventKind kind);

// The colours of the four further aspects, which the grid's colour table does not hold: the semisquare and
// sesquiquadrate in the squares' family, the quintiles in their own.
QColor ExtraAspectColour(core::Aspect aspect);

}  // namespace orvane::gui
