#include "gui/platform/qt_message_boxes.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace orvane::gui {
namespace {

QMessageBox::Icon QtIcon(platform::Icon icon)
{
    switch (icon) {
    case platform::Icon::Information: return QMessageBox::Information;
    case platform::Icon::Exclamation: return QMessageBox::Warning;
    case platform::Icon::Critical: return QMessageBox::Critical;
    case platform::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButton(platform::Button button)
{
    switch (button) {
    case platform::Button::Yes: return QMessageBox::Yes;
    case platform::Button::No: return QMessageBox::No;
    case platform::Button::Cancel: return QMessageBox::Cancel;
    case platform::Button::Ok: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons QtButtons(platform::Buttons buttons)
{
    switch (buttons) {
    case platform::Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case platform::Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case platform::Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

}  // namespace

platform::Button QtMessageBoxes::Show(const platform::Message& message)
{
    // The program's texts break lines with CR LF; a box breaks them at the line feed alone.
    QString text = QString::fromStdString(message.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // Over the parent while it is on the screen; before it is shown (the program text cannot be loaded at
    // start-up) a box without a parent stands in the middle of the screen.
    QWidget* parent = m_parent != nullptr && m_parent->isVisible() ? m_parent : nullptr;
    QMessageBox box(QtIcon(message.icon), QString::fromStdString(message.title), text, QtButtons(message.buttons),
                    parent);
    box.setDefaultButton(QtButton(message.defaultButton));
    switch (box.exec()) {
    case QMessageBox::Yes: return platform::Button::Yes;
    case QMessageBox::No: return platform::Button::No;
    case QMessageBox::Cancel: return platform::Button::Cancel;
    default: break;
    }
    // The close box of a Yes/No/Cancel question cancels; of an OK box, it acknowledges.
    return message.buttons == platform::Buttons::YesNoCancel ? platform::Button::Cancel : platform::Button::Ok;
}

}  // namespace orvane::gui
