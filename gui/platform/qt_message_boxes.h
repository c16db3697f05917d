#pragma once

// The desktop program's message boxes: every platform::Message a model returns is shown as a modal
// QMessageBox with the message's icon, title, text, buttons and default button.

#include "platform/message.h"

class QWidget;

namespace orvane::gui {

class QtMessageBoxes : public platform::MessageBoxes {
public:
    // Boxes are centred on `parent` while it is shown, otherwise on the screen.
    explicit QtMessageBoxes(QWidget* parent = nullptr) : m_parent(parent) {}

    void SetParent(QWidget* parent) { m_parent = parent; }

    platform::Button Show(const platform::Message& message) override;

private:
    QWidget* m_parent;
};

}  // namespace orvane::gui
