#pragma once

// The chart image export of "Save as ..." while the chart is shown: the composed image (a copy of the
// chart with the title block and the caption lines), written as a bitmap and converted to PNG.

#include "app/workspace.h"
#include "gui/display/chart_painter.h"
#include "gui/platform/picture_output.h"
#include "platform/message.h"
#include "platform/result.h"

#include <QImage>

class QPainter;

#include <string>

namespace orvane::gui {

// Writes `image` in `format` ("BMP", "PNG") through a temporary file that becomes `path` only when it is
// complete, so that a folder that cannot be written to is left without any file. On failure the
// system's reason, coded Unwritable.
platform::Result<void> WriteImageFile(const QImage& image, const std::string& path, const char* format);

// The title block (grey) and the caption lines (blue) of the chart's mode, printed over a chart `width`
// pixels wide.
void DrawChartCaption(QPainter& painter, const app::Workspace& program, int width);

// The chart of `data` with its title block and caption lines, on its black ground: what is printed and
// exported as PDF, SVG or PNG. Nothing but the ground when both display filters are set.
Picture ChartPicture(const app::Workspace& program, const display::ChartData& data);

// The image to save: `chart` unchanged while it holds the transit picture of a grid cell, otherwise a
// copy of it of the same size with the title block (grey) and the caption lines (blue) of the chart's
// mode printed over it.
QImage ComposeChartImage(const app::Workspace& program, const QImage& chart, bool transitPictureShown);

// Writes `image` as the bitmap that belongs to the PNG file of `chosenFileName` (".png" added when the
// user typed no extension) and converts it to PNG. Returns the message for the user, titled with the
// export button's caption: the PNG file saved (the bitmap is gone), the bitmap kept because the
// conversion failed (a partial PNG is gone), or the folder cannot be written to (no file is left behind).
platform::Message SaveChartImage(const app::Workspace& program, const QImage& image,
                                 const std::string& chosenFileName);

}  // namespace orvane::gui
