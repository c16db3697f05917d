#pragma once

// Small helpers every window uses to show its model: the program's texts as Qt strings, a drop-down list
// brought in line with its model, a named control created in its parent, a control placed in twips.

#include "platform/control_models.h"
#include "platform/twips.h"

#include <QComboBox>
#include <QString>
#include <QWidget>

#include <string>

namespace orvane::platform {

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
inline void SyncComboBox(QComboBox* box, const ComboBoxModel& model)
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

// Places a control at a position and size given in twips.
inline void Place(QWidget* widget, int32_t left, int32_t top, int32_t width, int32_t height)
{
    widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace orvane::platform
