#include "gui/settings/mouse_down_label.h"

#include <QMouseEvent>

namespace orvane::gui {

void MouseDownLabel::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    emit mouseDown(event->button());
}

}  // namespace orvane::gui
