#include "gui/text/help.h"

#include "text/weblink.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace orvane::gui {

QString HelpFilePath(const std::string& dataFolder)
{
    return QString::fromStdString(dataFolder + text::kHelpFileName);
}

QFont HelpFont()
{
    return QFont(QStringLiteral("Arial"), 11);
}

void OpenManual(const std::string& dataFolder, const text::Language& language, platform::MessageBoxes& boxes)
{
    const std::string path = text::ManualPath(dataFolder);
    const QString name = QString::fromStdString(path);
    if (!QFileInfo(name).isFile()) {
        boxes.Show(text::ManualFailureMessage(language, text::ManualFailure::Missing, path));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(name)))
        boxes.Show(text::ManualFailureMessage(language, text::ManualFailure::NoProgram, path));
}

}  // namespace orvane::gui
