#include "gui/settings/mouse_down_label.h"

#include <QMouseEvent>

namespace orvane::settings {

void MouseDownLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown(event->button());
}

}  // namespace orvane::settings
