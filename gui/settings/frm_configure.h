#pragma once

// frmConfigure: the configuration panel (orbs, personal and synastry proportions, colours, boldface,
// display options) as a Qt window over settings::ConfigureModel. It is created hidden at start-up and
// afterwards only shown and hidden, so its controls keep their state for the whole run.
//
// Every control writes its new value into the panel's model (program.configure) at once and every
// handler re-syncs the controls from the model; messages and questions go through the MessageBoxes.

#include "app/workspace.h"
#include "platform/message.h"
#include "settings/configure_model.h"
#include "settings/settings_store.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QHBoxLayout;
class QVBoxLayout;

namespace orvane::gui {

class MouseDownLabel;

class frmConfigure : public QDialog {
    Q_OBJECT

public:
    // `mainWindow` is the window the panel is placed beside; messages and questions go to `boxes`.
    frmConfigure(app::Workspace& program, settings::SettingsStore& store, platform::MessageBoxes& boxes,
                 QWidget* mainWindow);

    // Every caption from the program text in the current language.
    void SetLanguageDependentText();
    // Shows the panel beside the main window, refreshed from its model, and brings it to the front.
    void ShowPanel();

    // Whether the main window has finished loading (its start-up has completed): until then Reset neither
    // asks nor applies, and 0° is a possible "set all" value.
    bool MainWindowLoaded() const { return m_program.main.startupCompleted; }

    // Writes every control from the panel's model: after the model was changed from outside the panel
    // (a state file restored, the display settings read again).
    void SyncFromModel();

signals:
    // After Apply, Reset, Cancel, Hide or the close box: what the main window has to do now.
    void mainWindowActions(const orvane::settings::MainWindowActions& actions);

public slots:
    void cmdReset_Click();
    void cmdAccept_Click();
    void cmdCancel_Click();
    void cmdHide_Click();
    void cmdSetAllNonzeroOrbsToConjunctionOrb_Click();

protected:
    // The close box resets the panel (with its notice) and hides it.
    void closeEvent(QCloseEvent* event) override;
    // Escape cancels, as the Cancel button does.
    void reject() override;

private:
    void CreateControls();
    // Each part of the panel: its controls with their sizes, and the layout that arranges them.
    QVBoxLayout* CreateAspectRows();
    QVBoxLayout* CreateProportionControls();
    void CreateBoldfaceControls(QVBoxLayout& column);
    void CreateOptionsAndButtons(QVBoxLayout& panel);
    void ConnectControls();
    settings::PanelContext Context();
    // The model's result, after the re-sync: its message, hiding the panel, the main window's part.
    void Finish(const settings::PanelResult& result);
    // The Apply button gets the focus, when the panel is visible and the button enabled.
    void FocusAccept();
    void PlaceBesideMainWindow();

    void cboOrb_Click(int16_t index);
    void cboPersonalOrbsProportion_Click(int16_t index);
    void cboOrbForMidpoints_Click();
    void cboBoldfaceFactor_Click();
    void chkUseBoldface_Click();
    void optBoldface_Click();
    // A display option or the colour check box: its state into `value`, then FocusAccept.
    void chkOption_Click(const QCheckBox* box, bool& value);
    void lblAspectColor_MouseDown(int16_t index, Qt::MouseButton button);

    app::Workspace& m_program;
    settings::SettingsStore& m_store;
    platform::MessageBoxes& m_boxes;
    QWidget* m_mainWindow;
    bool m_syncing = false;  // SyncFromModel is writing the controls: their signals are not the user's

    QLabel* Label3 = nullptr;  // the instructions
    QLabel* Label1 = nullptr;  // the heading of the proportion lists
    std::array<QLabel*, core::kNumAspects> lblAspectName{};
    std::array<QComboBox*, settings::kNumOrbLists> cboOrb{};
    std::array<MouseDownLabel*, core::kNumAspects> lblAspectColor{};
    QPushButton* cmdSetAllNonzeroOrbsToConjunctionOrb = nullptr;
    QLabel* lblPersonalTransits = nullptr;
    QLabel* lblSynastry = nullptr;
    std::array<QComboBox*, 2> cboPersonalOrbsProportion{};
    QLabel* lblOrbForMidpoints = nullptr;
    QComboBox* cboOrbForMidpoints = nullptr;
    QCheckBox* chkUseBoldface = nullptr;
    QRadioButton* opt1DegOfOrb = nullptr;
    QRadioButton* optProportionOfOrb = nullptr;
    QComboBox* cboBoldfaceFactor = nullptr;
    QLabel* lblOfOrb = nullptr;
    QCheckBox* chkDisplayZodiacSectors = nullptr;
    QCheckBox* chkDisplayNATZabbr = nullptr;
    QCheckBox* chkShowOnlyOuterPlanets = nullptr;
    QCheckBox* chkShowOnlyEarthAspects = nullptr;
    QCheckBox* chkUseColor = nullptr;
    QCheckBox* chkSaveGraphicWithWhiteBackground = nullptr;
    QCheckBox* chkGeoRing = nullptr;  // the chart's outer ring of geocentric positions
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdAccept = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHide = nullptr;
};

}  // namespace orvane::gui
