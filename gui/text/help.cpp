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

QString ManualUrl(const QString& lblUrlCaption)
{
    return QString::fromLatin1(kHttpScheme) + lblUrlCaption;
}

void OpenWithShell(const std::string& target, const Language& language, platform::MessageBoxes& boxes)
{
    const QString name = QString::fromStdString(target);
    const QUrl url = QUrl::fromUserInput(name);
    if (QDesktopServices::openUrl(url))
        return;
    // The desktop says only that it failed: a local file that is not there counts as not found, anything
    // else as a target without a program to open it.
    const bool missingFile = url.isLocalFile() && !QFileInfo::exists(url.toLocalFile());
    boxes.Show(ShellFailureMessage(language, missingFile ? kShellFileNotFound : kShellNoAssociation, target));
}

}  // namespace orvane::text
