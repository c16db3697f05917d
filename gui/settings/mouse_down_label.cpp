#include "gui/settings/mouse_down_label.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace orvane::gui {

void MouseDownLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown(event->button());
}

void MouseDownLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit mouseDown(Qt::LeftButton);
        return;
    case Qt::Key_Delete:
    case Qt::Key_Menu:
        event->accept();
        emit mouseDown(Qt::RightButton);
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void MouseDownLabel::focusInEvent(QFocusEvent* event)
{
    setLineWidth(2);
    QLabel::focusInEvent(event);
}

void MouseDownLabel::focusOutEvent(QFocusEvent* event)
{
    setLineWidth(1);
    QLabel::focusOutEvent(event);
}

}  // namespace orvane::gui
