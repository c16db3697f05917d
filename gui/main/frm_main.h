#pragma once

// frmMain: the program's main window as a Qt view over app::Workspace. It holds the three date rows,
// the mode options, the step controls and the grid; every handler forwards the user's action to the
// models, re-syncs every widget from them and then shows what the models handed back.

#include "app/compute.h"
#include "app/workspace.h"
#include "platform/clock.h"
#include "platform/message.h"
#include "settings/configure_model.h"
#include "settings/settings_store.h"
#include "reports/durations.h"

#include <QKeySequence>
#include <QPointer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class QTranslator;
class QVBoxLayout;

namespace orvane::gui {

class ChartView;
class GridView;
class frmConfigure;
class frmPopUp;
class frmRun;
class frmDurations;
class frmView;
class frmTimeline;
struct Picture;
class frmMoment;
class frmCharts;
class frmPositions;

// The two step buttons of cmdForwardBack.
inline constexpr int16_t kForwardButton = 0;
inline constexpr int16_t kBackButton = 1;

// The per-user settings' name of the interface language (0 English, 1 German), beside the display settings.
inline constexpr const char* kLanguageSetting = "Language";

// What main() sets once for the whole application before the first window: the program's name "Orvane"
// (the title a box without one shows), the desktop entry and the one font of every window and box.
void SetUpApplication();

// The interface language the user chose last time; English when none was stored.
int16_t StoredLanguage();
void StoreLanguage(int16_t language);

// The per-user state file, <app data>/Veltrane/orvane.usr; its folder is created when missing.
std::string UserStateFilePath();

// Where the window's data come from.
struct MainWindowPlaces {
    std::string dataFolder;     // qvs.dat and the Pluto table
    std::string userStateFile;  // the per-user state file
    std::string chartsFile;     // the chart library; empty: the default one of the user's data folder
};

class frmMain : public QWidget {
    Q_OBJECT

public:
    frmMain(app::Workspace& program, settings::SettingsStore& store, platform::MessageBoxes& boxes,
            const platform::Clock& clock, MainWindowPlaces places, QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up: the program text, the tables and date rows, the Pluto table, the per-user state file or
    // the present moment, the hidden panel, the window placed and shown, then the box about a Pluto table
    // that could not be read and the first computation. False when the program text could not be
    // loaded: its box has been shown and the program ends.
    bool Form_Load();

    // The state files named when the program was started, after start-up: the first is opened as
    // "Load from ..." opens a chosen file, with the same boxes; one message names the others.
    void OpenStateFiles(const std::vector<std::string>& files);

    // Quits the application once the window has been painted for the first time (start-up timing).
    void QuitAfterFirstPaint() { m_quitAfterFirstPaint = true; }

    // Writes every widget from the models; guarded against the signals its own writes emit.
    void SyncFromModel();
    // Every language-dependent caption of the window and of the panel.
    void SetLanguageDependentText();

    // ----- Handlers (slots named as the system's controls) ---------------------------------------------
    void cmdCompute_Click();
    void cmdNow_Click();
    void cmdClear_Click(int16_t row);
    // The precise moment of a date row: the dialog opens over the row; OK sets the moment, Remove drops it.
    void cmdMoment_Click(int16_t row);
    void cmdForwardBack_Click(int16_t index);
    void cmdRestore_Click();
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdLoadState_Click();
    void cmdReport_Click();
    // The aspect timeline of the current computation, one year from the world date.
    void cmdTimeline_Click();
    // The Charts window: the chart library searched, edited and put into the date rows.
    void cmdCharts_Click();
    // The positions window: heliocentric and geocentric positions of the moment shown, side by side.
    void cmdPositions_Click();
    void cmdConfigure_Click();
    void cmdHelp_Click();
    // What the window shows (the chart, the transit picture, or the grid with its title and summary),
    // printed through the print preview, or written as PDF, SVG or PNG (frm_main_output.cpp).
    void cmdPrint_Click();
    void cmdExport_Click();
    void lblURL_Click();
    void cmdQuit_Click();
    void optMode_Click(core::Mode mode);
    void optUnit_Click(bool degrees);
    void Label1_Click(int16_t index);
    void txbYearCE_Change(int16_t row, const QString& text);
    void txbYearCE_KeyEnter(int16_t row);
    void cboRow_Click(int16_t row);
    void cboForwardBack_Click();
    void cboLanguage_Click(int index);
    void txbCell_Click(int cell);
    void cmdToggleGraphic_Click();
    void Timer1_Timer();
    void ApplyPanelActions(const settings::MainWindowActions& actions);
    // Run until found (frm_main_run.cpp): the Run button starts or stops a run, each Timer2 tick steps.
    void cmdRun_Click();
    void Timer2_Timer();
    // Tests only: every pause of a run lasts `milliseconds` instead of 1000 or 100 ms.
    void SetRunStepIntervalForTests(int32_t milliseconds) { m_testRunStepInterval = milliseconds; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    // Each part of the window: its controls with their sizes, and the layout that arranges them.
    QGridLayout* BuildDateRows();
    QWidget* BuildModeButtons();
    QHBoxLayout* BuildStepRow();
    QWidget* BuildButtonRow();
    void BuildTitleAndViews(QVBoxLayout& window);
    QGridLayout* BuildFoot();
    // Parts of SyncFromModel.
    void SyncDateRows();
    void SyncModeAndUnit();
    void SyncViews();
    void ConnectDateRows();
    void ConnectControls();
    void SetTabOrder();
    void ShowSummaries();
    void SetHeightForMode();
    void PlaceAtTopCentre();
    void ShowComputeOutcome(const app::ComputeOutcome& outcome);
    void RefreshWeekdays();
    // After the precise-moment dialog set or dropped a row's moment: the result computed again when the
    // mode uses the row, otherwise the row re-synced.
    void Moment_Changed(int16_t row);
    // Where "Now" or start-up gave the world date a precise moment, because the computer's zone is not in
    // the zone lists, the foot line says so.
    void ShowComputerZoneNotice();
    void ResetFootLabel();
    void ApplyQtTranslation();
    void FocusCompute();
    // After a state file was read: the window re-synced, then the error shown, or the computation's
    // outcome; true when the file was read.
    bool ShowLoadOutcome(const app::StateFileOutcome& outcome);
    // "Load from ..." once the file is chosen.
    void LoadStateFrom(const std::string& path);
    // A confirmation notice placed at (dLeft, dTop) twips from the top left of `button`.
    void PopUpNear(const QWidget& button, int16_t textNumber, int height, int32_t dTop, int32_t dLeft);
    // The Quit question and its answer: whether the program may end now.
    bool MayEnd();
    reports::DurationsWindow& Durations();
    // Run until found (frm_main_run.cpp).
    void BuildRunControls();
    gui::frmRun& RunDialog();
    void StartRun();
    void RunStep();
    // Ends the run: Timer2 stopped, the button captioned "Run", the input controls enabled again.
    void EndRun();
    // The window closes: a run ends and its dialog goes.
    void CloseRun();
    // False: every control but those a run leaves enabled is disabled; true: they are enabled again.
    void EnableInputControls(bool enable);
    // The durations window, created on first use and afterwards only hidden and shown.
    gui::frmDurations& DurationsView();
    // Fills the durations window for the current computation and shows it over the grid.
    void ReportInDurationsWindow();
    // After a language switch: a shown durations window reports again in the new language.
    void RecaptionDurationsWindow();
    void HideDurationsWindow();
    // The chart: redrawn while shown when its data changed, shown or hidden as the model says; and the
    // transit picture of a personal-transit cell in its place.
    void SyncChart();
    void ShowTransitPicture(const app::CellClickOutcome& outcome);
    // Help, the manual link and the chart image export.
    void BuildHelpControls();
    void SaveChartImage();
    // "Save as ..." of the state, whatever the window shows (its key, and the button beside the grid).
    void SaveStateAs();
    // Print and export (frm_main_output.cpp): the buttons' keys, their tooltips, and the picture shown.
    // "Save as ..." has two: the state's, and the chart picture's while the button saves the chart.
    std::vector<std::pair<QPushButton*, QKeySequence>> Shortcuts() const;
    static QKeySequence ChartPictureKey();
    void SetShortcuts();
    void SetShortcutTips();
    void SetSaveAsTip();
    Picture ShownPicture() const;

    app::Workspace& m_program;
    settings::SettingsStore& m_store;
    platform::MessageBoxes& m_boxes;
    const platform::Clock& m_clock;
    MainWindowPlaces m_places;
    std::optional<reports::DurationsWindow> m_durations;
    bool m_syncing = false;
    bool m_quitAfterFirstPaint = false;
    bool m_painted = false;  // set by the first paint while QuitAfterFirstPaint is on

    // Controls, named as the system names them (object names "cboMonthCE_1" …).
    std::array<QLabel*, core::kNumDateRows> Label1{};
    std::array<QLineEdit*, core::kNumDateRows> txbYearCE{};
    std::array<QComboBox*, core::kNumDateRows> cboMonthCE{};
    std::array<QComboBox*, core::kNumDateRows> cboDayCE{};
    std::array<QComboBox*, core::kNumDateRows> cboHour{};
    std::array<QComboBox*, core::kNumDateRows> cboTimezone{};
    std::array<QPushButton*, core::kNumDateRows> cmdClear{};
    // Beside each row's zone list the button that opens the precise-moment dialog; while a row has a
    // precise moment, the description in place of its half-hour and zone lists.
    std::array<QPushButton*, core::kNumDateRows> cmdMoment{};
    std::array<QLabel*, core::kNumDateRows> lblMoment{};
    QRadioButton* optPlanetary = nullptr;
    std::array<QRadioButton*, 2> optNatal{};
    std::array<QRadioButton*, 2> optPersonal{};
    QRadioButton* optSynastry = nullptr;
    QRadioButton* optDegrees = nullptr;
    QRadioButton* optRadians = nullptr;
    QPushButton* cmdCompute = nullptr;
    QPushButton* cmdNow = nullptr;
    std::array<QPushButton*, 2> cmdForwardBack{};
    QComboBox* cboForwardBack = nullptr;
    QPushButton* cmdRestore = nullptr;
    QPushButton* cmdSave = nullptr;
    QPushButton* cmdLoadState = nullptr;
    QPushButton* cmdSaveAs = nullptr;
    QPushButton* cmdReport = nullptr;
    QPushButton* cmdTimeline = nullptr;
    QPushButton* cmdRun = nullptr;
    QPushButton* cmdToggleGraphic = nullptr;
    QPushButton* cmdConfigure = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdQuit = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdExport = nullptr;
    QPushButton* cmdCharts = nullptr;
    QPushButton* cmdPositions = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblClickonAspect = nullptr;
    QLabel* lblFoot = nullptr;
    QPlainTextEdit* txbReport = nullptr;
    QPlainTextEdit* txbReport1 = nullptr;
    QComboBox* cboLanguage = nullptr;
    GridView* picTable = nullptr;
    ChartView* picGraphic = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;  // paces the steps of a run
    gui::frmRun* frmRun = nullptr;
    std::optional<int32_t> m_testRunStepInterval;
    std::vector<QPointer<QWidget>> m_disabledByRun;  // the controls a run disabled, to enable again
    gui::frmConfigure* frmConfigure = nullptr;
    gui::frmPopUp* frmPopUp = nullptr;
    gui::frmDurations* frmDurations = nullptr;
    gui::frmView* frmView = nullptr;  // the help viewer, created on first use
    gui::frmTimeline* frmTimeline = nullptr;  // the aspect timeline, created on first use
    gui::frmMoment* frmMoment = nullptr;      // the precise-moment dialog, created on first use
    gui::frmCharts* frmCharts = nullptr;      // the Charts window, created on first use
    gui::frmPositions* frmPositions = nullptr;  // the positions window, created on first use
    bool m_heightWithRing = false;  // the window's height was set for the chart's outer ring
    QLabel* lblUserManual = nullptr;
    QLabel* lblURL = nullptr;
    QWidget* fraModes = nullptr;
    QWidget* fraUnits = nullptr;
    QButtonGroup* m_modeGroup = nullptr;
    QButtonGroup* m_unitGroup = nullptr;
    QTranslator* m_qtTranslator = nullptr;
};

}  // namespace orvane::gui
