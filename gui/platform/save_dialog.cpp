#include "gui/platform/save_dialog.h"

#include <QFileDialog>

namespace orvane::gui {

QString AskSaveFileName(QWidget* parent, const QString& title, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, title, QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace orvane::gui
