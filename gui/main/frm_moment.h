#pragma once

// frmMoment: the precise moment of one date row as a Qt dialog over app::MomentDialog: the date, the
// clock time to the minute, the time zone typed or chosen from the tz database's names (or the local
// mean time at a longitude), the place with the atlas' proposals (choosing one fills the zone), the offset in effect shown as the entries change, and the choice between the
// two offsets of a clock time that the zone skipped or had twice. It is created on the first click on a
// row's precise-moment button and afterwards only hidden and shown.
//
// The dialog is modal but does not block: ShowDialog returns at once; momentChanged tells the main window
// that OK set the row's precise moment or Remove dropped it. Escape and the close box leave it as Cancel
// does, Return is OK.

#include "app/moment_dialog.h"
#include "app/workspace.h"
#include "platform/clock.h"
#include "platform/message.h"

#include <QDialog>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace orvane::gui {

class DateField;
class PlaceField;

class frmMoment : public QDialog {
    Q_OBJECT

public:
    frmMoment(app::Workspace& program, platform::MessageBoxes& boxes, const platform::Clock& clock, QWidget* mainWindow);

    // Opens the dialog for `row`, filled from the row: captions in the current language, the date with
    // the focus.
    void ShowDialog(int16_t row);
    int16_t Row() const { return m_model.Row(); }

    // Writes every control from the model, and the offset line and the two choices from what it reads.
    void SyncFromModel();
    void SetLanguageDependentText();

    // ----- Handlers ------------------------------------------------------------------------------------
    void Entry_Change();  // any entry edited: the model takes it, the offset line follows
    void cmdOK_Click();
    void cmdRemove_Click();
    void cmdCancel_Click();

signals:
    // The row's precise moment was set (OK) or dropped (Remove).
    void momentChanged(int16_t row);

private:
    void BuildControls();
    // A proposal of the place box chosen: the zone follows it.
    void Place_Chosen(int index);
    void LayOutControls();
    void ConnectControls();

    app::Workspace& m_program;
    app::MomentDialog m_model;
    platform::MessageBoxes& m_boxes;
    const platform::Clock& m_clock;
    bool m_syncing = false;

    QLabel* lblDate = nullptr;
    DateField* dtpDate = nullptr;
    QLabel* lblTime = nullptr;
    QTimeEdit* dtpTime = nullptr;
    QLabel* lblPlace = nullptr;
    PlaceField* txbPlace = nullptr;
    QLabel* lblZone = nullptr;
    QComboBox* cboZone = nullptr;
    QCheckBox* chkMeanTime = nullptr;
    QLineEdit* txbLongitude = nullptr;
    QLabel* lblOffset = nullptr;
    QRadioButton* optBefore = nullptr;
    QRadioButton* optAfter = nullptr;
    QPushButton* cmdRemove = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace orvane::gui
