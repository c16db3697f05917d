#include "gui/text/help.h"

#include "text/weblink.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace orvane::text {

QString HelpFilePath(const std::string& dataFolder)
{
    return QString::fromStdString(dataFolder + kHelpFileName);
}

QFont HelpFont()
{
    return QFont(QStringLiteral("Arial"), 11);
}

void OpenManual(const std::string& dataFolder, const Language& language, platform::MessageBoxes& boxes)
{
    const std::string path = ManualPath(dataFolder);
    const QString name = QString::fromStdString(path);
    if (!QFileInfo(name).isFile()) {
        boxes.Show(ManualFailureMessage(language, ManualFailure::Missing, path));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(name)))
        boxes.Show(ManualFailureMessage(language, ManualFailure::NoProgram, path));
}

}  // namespace orvane::text
