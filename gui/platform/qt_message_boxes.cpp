#include "gui/platform/qt_message_boxes.h"

#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace orvane::platform {
namespace {

QMessageBox::Icon QtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::Critical: return QMessageBox::Critical;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton QtButton(Button button)
{
    switch (button) {
    case Button::Yes: return QMessageBox::Yes;
    case Button::No: return QMessageBox::No;
    case Button::Cancel: return QMessageBox::Cancel;
    case Button::Ok: break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons QtButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Ok: break;
    }
    return QMessageBox::Ok;
}

}  // namespace

Button QtMessageBoxes::Show(const Message& message)
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
    case QMessageBox::Yes: return Button::Yes;
    case QMessageBox::No: return Button::No;
    case QMessageBox::Cancel: return Button::Cancel;
    default: break;
    }
    // The close box of a Yes/No/Cancel question cancels; of an OK box, it acknowledges.
    return message.buttons == Buttons::YesNoCancel ? Button::Cancel : Button::Ok;
}

}  // namespace orvane::platform
