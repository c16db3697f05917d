#include "gui/platform/save_dialog.h"

#include <QFileDialog>

namespace orvane::gui {

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    // A name typed without an extension takes that of the file type chosen ("Table (*.csv)" → csv).
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& chosen) {
        const qsizetype star = chosen.lastIndexOf(QStringLiteral("(*."));
        if (star >= 0)
            dialog.setDefaultSuffix(chosen.mid(star + 3).chopped(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace orvane::gui
