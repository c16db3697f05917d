#pragma once

// The timeline's pattern lanes, painted below its aspect rows in the same picture: each life of a pattern
// as a bar from its formation to its dissolution, its tightest moment as a white diamond, the lane's label
// (its bodies) on the left, under a heading that names the pattern.

#include "display/pattern_lanes.h"
#include "gui/display/timeline_painter.h"

#include <QString>

#include <vector>

class QPainter;

namespace orvane::gui {

// Paints `lanes` with `labels` (one a lane) as rows `firstRow`, firstRow + 1, … of `picture` (the rows
// after its aspect rows), and the world date's line through them.
void DrawPatternLanes(QPainter& painter, const TimelinePicture& picture, const std::vector<display::PatternLane>& lanes,
                      const std::vector<QString>& labels, int firstRow);

}  // namespace orvane::gui
