#pragma once

// The fields of where a moment was: the place box, which proposes the atlas' places as the user types
// ("Springfield, Illinois, US") and says which one was chosen, and the zone box, which offers the names of
// the tz database that contain what was typed. The ◷ dialog and the chart editor share them.

#include "app/place_entry.h"

#include <QLineEdit>

class QComboBox;
class QCompleter;
class QStringListModel;

namespace orvane::text {
class Language;
}

namespace orvane::gui {

class PlaceField : public QLineEdit {
    Q_OBJECT

public:
    // `entry` and `language` must outlive the field.
    PlaceField(app::PlaceEntry& entry, const text::Language& language, QWidget* parent);

    // Shows the entry's text where it differs (a chosen place, a kept one).
    void SyncFromModel();

signals:
    // Proposal `index` of the entry was chosen (Return or a click in the list under the field).
    void placeChosen(int index);

private:
    void Typed(const QString& text);

    app::PlaceEntry& m_entry;
    const text::Language& m_language;
    QStringListModel* m_proposals = nullptr;
    QCompleter* m_completer = nullptr;
};

// An editable list of the tz database's zone names; typing offers every name that contains the text.
QComboBox* CreateZoneBox(QWidget* parent, const QString& name);

}  // namespace orvane::gui
