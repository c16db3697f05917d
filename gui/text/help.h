#pragma once

// Help and the manual link on the desktop: where the help text is and how it is shown, and handing the
// user manual's page to the desktop, which opens it with the program the user has chosen for web pages.

#include "platform/message.h"
#include "text/language.h"

#include <QFont>
#include <QString>

#include <string>

namespace orvane::gui {

// The help text's full path in the data folder (which ends in a separator).
QString HelpFilePath(const std::string& dataFolder);

// The font the help text is shown in: "Arial", size 11.
QFont HelpFont();

// Opens the user manual of the data folder `dataFolder` with the desktop's program for web pages. When its
// page is missing or nothing opens it, a warning names the file and the reason; nothing else changes.
void OpenManual(const std::string& dataFolder, const text::Language& language, platform::MessageBoxes& boxes);

}  // namespace orvane::gui
