#pragma once

// The "save as" dialog of the windows that write a file of one kind (a PNG image, a CSV table).

#include <QString>

class QWidget;

namespace orvane::gui {

// Asks for the name of a file to write, in a dialog titled `title` that lists `filter`. A name typed
// without an extension gets `.suffix` before the dialog looks for an existing file, so that overwriting
// "chart.png" is asked about when "chart" is typed; choosing another file type of `filter` takes its
// extension instead. Empty when the user cancels.
QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& suffix);

}  // namespace orvane::gui
