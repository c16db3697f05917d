#pragma once

// Help and the manual link on the desktop: where the help text is and how it is shown, and handing a file
// name or an address to the desktop, which opens it with the program the user has chosen for it (the
// manual's address in the web browser).

#include "platform/message.h"
#include "text/language.h"

#include <QFont>
#include <QString>

#include <string>

namespace orvane::text {

// The help text's full path in the data folder (which ends in a separator).
QString HelpFilePath(const std::string& dataFolder);

// The font the help text is shown in: "Arial", size 11.
QFont HelpFont();

// The address lblURL opens: its caption with the plain HTTP scheme in front.
QString ManualUrl(const QString& lblUrlCaption);

// Opens `target` (an address with its scheme, or a file name) with the desktop's program for it. When the
// desktop cannot, the warning "Cannot launch web browser" says why; nothing else changes.
void OpenWithShell(const std::string& target, const Language& language, platform::MessageBoxes& boxes);

}  // namespace orvane::text
