#pragma once

// frmRun: the run dialog as a Qt window over search::RunDialogModel (program.runDialog): the pattern to run
// until, the bodies it must involve, how many such patterns, and how fast to run. It is created on the
// first click on the main window's Run button and afterwards only hidden and shown, so it reopens with
// the choices of the last OK.
//
// The dialog is modal but does not block: ShowDialog returns at once, and QDialog::finished tells the
// main window that the dialog was left, with OK (the model's choices taken over) or with Cancel, Escape
// or the close box (the model's blnCancel set).

#include "app/workspace.h"
#include "platform/message.h"
#include "search/run_model.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;

namespace orvane::gui {

class frmRun : public QDialog {
    Q_OBJECT

public:
    // Loads the dialog (nothing sought, nothing remembered); its refusal goes to `boxes`.
    frmRun(app::Workspace& program, platform::MessageBoxes& boxes, QWidget* mainWindow);

    // Each showing: captions in the current language, the lists refilled with the remembered choices
    // selected, the dialog modal in front of the main window, OK with the focus.
    void ShowDialog();

    // Writes every control from the model; guarded against the signals its own writes emit.
    void SyncFromModel();
    void SetLanguageDependentText();

    // ----- Handlers (slots named as the system's controls) ---------------------------------------------
    void cboAspectPattern_Click(int index);
    void cmdClearAspectPattern_Click();
    void cmdClearAll_Click();
    void cboSoughtPlanet_Click(int16_t box, int index);
    void chkTwoOrMore_Click();
    void chkRunQuickly_Click();
    void cmdRun_Click();
    void cmdCancel_Click();

protected:
    // Escape and the close box leave the dialog as Cancel does.
    void reject() override;

private:
    void BuildControls();
    void ConnectControls();
    // OK gets the focus when it can take it.
    void FocusRun();

    app::Workspace& m_program;
    search::RunDialogModel& m_model;
    platform::MessageBoxes& m_boxes;
    bool m_syncing = false;

    // Controls, named as the system names them (object names "cboSoughtPlanet_0" …).
    QLabel* lblRunUntilFinding = nullptr;
    QComboBox* cboAspectPattern = nullptr;
    QPushButton* cmdClearAspectPattern = nullptr;
    QFrame* fraFrame = nullptr;
    QLabel* lblInvolving = nullptr;
    std::array<QComboBox*, core::kNumSoughtPlanetBoxes> cboSoughtPlanet{};
    QPushButton* cmdClearAll = nullptr;
    QCheckBox* chkTwoOrMore = nullptr;
    QComboBox* cboNumToFind = nullptr;
    QCheckBox* chkRunQuickly = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdCancel = nullptr;
};

}  // namespace orvane::gui
