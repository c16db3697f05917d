#pragma once

// A label that reports a mouse button pressed on it: the colour swatches of the configuration panel and
// the text of the pop-up notice act on the press, not on a click. Given the keyboard focus (the
// swatches), Space or Return stands for the left button and Delete or the menu key for the right one,
// and a thicker frame shows the focus.

#include <QLabel>

namespace orvane::gui {

class MouseDownLabel : public QLabel {
    Q_OBJECT

public:
    explicit MouseDownLabel(QWidget* parent = nullptr) : QLabel(parent) {}

signals:
    void mouseDown(Qt::MouseButton button);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace orvane::gui
