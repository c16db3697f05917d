#pragma once

// The pictures of the windows whose content is text and cells rather than a drawing: the grid with its
// title and summary, and a list under its title (the durations window). Each is a gui::Picture, printed
// and exported as the charts are; the grid's cells are painted by the grid's own painting function.

#include "gui/platform/picture_output.h"

#include <QFont>
#include <QString>

namespace orvane::gui {

class GridView;

// The title above the grid with the heading under it (the mode, the dates and the convention, a line
// each), the grid as on screen, and the summary beside it (one-date modes) or below it (two-date modes),
// on white.
Picture GridPagePicture(const GridView& grid, const QString& title, const QString& heading, const QString& summary,
                        bool summaryBelow,
                        const QFont& font);

// A title and below it the list in `listFont` (a fixed-pitch font keeps its columns), line by line, on
// white; as wide as the longest line.
Picture TextPagePicture(const QString& title, const QString& list, const QFont& titleFont, const QFont& listFont);

}  // namespace orvane::gui
