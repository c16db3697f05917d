#pragma once

// Small helpers every window uses to show its model: the program's texts as Qt strings, a drop-down list
// brought in line with its model, a named control created in its parent, a window kept on the screen.

#include "platform/control_models.h"
#include "platform/twips.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <string>

namespace orvane::gui {

inline QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The program's texts break lines with CR LF; Qt's labels and text boxes with the line feed alone.
inline QString QLines(const std::string& text)
{
    QString result = Q(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

// The list shows the model's entries and selection; it is rebuilt only when an entry differs.
inline void SyncComboBox(QComboBox* box, const platform::ComboBoxModel& model)
{
    bool same = box->count() == model.ListCount();
    for (int16_t i = 0; same && i < model.ListCount(); ++i)
        same = box->itemText(i) == Q(model.List(i));
    if (!same) {
        QStringList entries;
        for (int16_t i = 0; i < model.ListCount(); ++i)
            entries.append(Q(model.List(i)));
        box->clear();
        box->addItems(entries);
    }
    if (box->currentIndex() != model.ListIndex())
        box->setCurrentIndex(model.ListIndex());
}

// A control of kind Widget, owned by `parent`, with the system's name.
template <typename Widget>
Widget* Create(QWidget* parent, const QString& name)
{
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    return widget;
}

// The part of the screen a window may cover: the available area (without task bars and docks) of the
// screen `window` is on, or of the primary screen; empty when there is no screen.
inline QRect AvailableArea(const QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

// The frame a window system puts around `window`: title bar and borders, or none before it is shown.
inline QMargins FrameMargins(const QWidget& window)
{
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// A window's outer rectangle shrunk to `area` where it is larger and moved into it, so that its title bar
// and its buttons stay on the screen; unchanged without an area.
inline QRect FittedInto(QRect outer, const QRect& area)
{
    if (area.isEmpty())
        return outer;
    outer.setWidth(std::min(outer.width(), area.width()));
    outer.setHeight(std::min(outer.height(), area.height()));
    outer.moveLeft(std::clamp(outer.left(), area.left(), area.right() + 1 - outer.width()));
    outer.moveTop(std::clamp(outer.top(), area.top(), area.bottom() + 1 - outer.height()));
    return outer;
}

// Moves the top-level `window` so that its frame, title bar included, starts at `at`, also before the
// window system has framed it once (a plain move of a window not yet shown places its inner area there,
// and the title bar lands above the screen's top edge).
inline void MoveFrameTo(QWidget& window, const QPoint& at)
{
    window.move(at);
    window.winId();
    if (QWindow* handle = window.windowHandle())
        handle->setFramePosition(at);
}

// Gives the top-level `window`, whose frame is `frame`, the outer rectangle `outer` fitted into the
// available area of its screen.
inline void PlaceOnScreen(QWidget& window, const QRect& outer, const QMargins& frame)
{
    const QRect fitted = FittedInto(outer, AvailableArea(window));
    window.resize(fitted.size().shrunkBy(frame).expandedTo(QSize(1, 1)));
    MoveFrameTo(window, fitted.topLeft());
}

}  // namespace orvane::gui
