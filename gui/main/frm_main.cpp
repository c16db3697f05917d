// frmMain's life: the application's set-up and the per-user language and state file, building the window,
// start-up, the texts that follow the language, the housekeeping timer and the end of the program.

#include "gui/main/frm_main.h"

#include "app/startup.h"
#include "app/window_rules.h"
#include "gui/main/frm_charts.h"
#include "gui/main/notice_sizes.h"
#include "gui/platform/qt_widgets.h"
#include "gui/settings/frm_configure.h"
#include "gui/settings/frm_pop_up.h"
#include "gui/settings/qsettings_store.h"
#include "gui/tools/frm_timeline.h"
#include "gui/tools/frm_view.h"
#include "platform/index.h"
#include "platform/twips.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace orvane::gui {
namespace {

using platform::At;
using platform::Px;

// The organisation under which the per-user settings live.
constexpr const char* kOrganisation = kSettingsOrganization;
constexpr const char* kProgramName = "Orvane";
constexpr int kFontPointSize = 9;
constexpr const char* kUserStateFolder = "Veltrane";
constexpr const char* kUserStateFileName = "orvane.usr";

}  // namespace

void SetUpApplication()
{
    // The name every window and box falls back to; the settings keep their own organisation and key.
    QApplication::setApplicationName(QString::fromLatin1(kProgramName));
    QApplication::setOrganizationName(QString::fromLatin1(kOrganisation));
    // Lets the desktop match the window to the installed entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvane.Orvane"));
    // One font family for the main window, the panel, the other windows and the message boxes.
    QApplication::setFont(QFont(QStringLiteral("Arial"), kFontPointSize));
}

int16_t StoredLanguage()
{
    const std::string german = std::to_string(text::langGerman);
    return QSettingsStore().Read(kLanguageSetting) == german ? text::langGerman : text::langEnglish;
}

void StoreLanguage(int16_t language)
{
    QSettingsStore().Write(kLanguageSetting, std::to_string(language));
}

std::string UserStateFilePath()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + '/' + kUserStateFolder;
    QDir().mkpath(folder);
    return (folder + '/' + kUserStateFileName).toStdString();
}

frmMain::frmMain(app::Workspace& program, settings::SettingsStore& store, platform::MessageBoxes& boxes,
                 const platform::Clock& clock, MainWindowPlaces places, QWidget* parent)
    : QWidget(parent), m_program(program), m_store(store), m_boxes(boxes), m_clock(clock), m_places(std::move(places))
{
    setObjectName(QStringLiteral("frmMain"));
    m_qtTranslator = new QTranslator(this);
    BuildControls();
    ConnectControls();
    BuildRunControls();
    SetTabOrder();
    SetShortcuts();
    setMinimumHeight(Px(app::kLeastWindowHeight));
    setFixedWidth(Px(app::kMainWindowWidth));
    resize(Px(app::kMainWindowWidth), Px(app::kOneDateModeHeight));
}

frmMain::~frmMain()
{
    QCoreApplication::removeTranslator(m_qtTranslator);
}

bool frmMain::Form_Load()
{
    app::MainModel& main = m_program.main;
    text::Language& language = m_program.language;
    main.startupCompleted = false;
    language.currentLanguage = StoredLanguage();
    ApplyQtTranslation();
    // The notice about loading needs the program text; a text that cannot be loaded ends the program.
    const platform::Result<void> loaded = language.LoadProgramText(m_places.dataFolder, text::kProgramTextFileName);
    if (!loaded.ok()) {
        m_boxes.Show(loaded.error());
        return false;
    }
    frmPopUp->PopUpCenterScreen(Q(language.Text(text::kTextLoadingData)), kLoadingWidth, kPopUpHeight,
                                kPopUpDuration);
    const app::StartUpResult startUp = m_program.StartUp(m_places.dataFolder, m_clock, m_store);
    if (!startUp.programText) {
        m_boxes.Show(startUp.programText.error());
        return false;
    }
    main.userStateFilePath = m_places.userStateFile;
    app::LoadUserStateOrNow(m_program, std::filesystem::exists(main.userStateFilePath), m_clock, m_store);
    m_program.Compute();  // its date error waits for the computation after the window is shown
    frmConfigure = new gui::frmConfigure(m_program, m_store, m_boxes, this);
    connect(frmConfigure, &frmConfigure::mainWindowActions, this, &frmMain::ApplyPanelActions);
    SetLanguageDependentText();

    main.startupCompleted = true;
    SetHeightForMode();
    PlaceAtTopCentre();
    // The window stands complete, computed and laid out, before the box about the Pluto table.
    show();
    if (!startUp.plutoTable)
        m_boxes.Show(startUp.plutoTable.error());
    const app::ComputeOutcome outcome = m_program.Compute();
    RefreshWeekdays();
    SyncFromModel();
    ShowComputeOutcome(outcome);
    ShowComputerZoneNotice();
    Timer1->start();
    return true;
}

void frmMain::SetLanguageDependentText()
{
    const text::Language& language = m_program.language;
    const auto caption = [&language](QAbstractButton* button, int16_t number) {
        button->setText(Q(language.Text(number)));
    };
    setWindowTitle(QStringLiteral("Orvane \u2013 ") + Q(language.Text(text::kTextProductTitle)));
    const std::array<int16_t, core::kNumDateRows> rowLabels{text::kTextWorldDate, text::kText1stBirthdate,
                                                            text::kText2ndBirthdate};
    for (size_t r = 0; r < At(core::kNumDateRows); ++r) {
        Label1[r]->setText(Q(language.Text(rowLabels[r])));
        caption(cmdClear[r], text::kTextClear);
        cmdMoment[r]->setToolTip(Q(language.Text(text::kTextMomentButtonTip)));
        cmdMoment[r]->setAccessibleName(Q(language.Text(text::kTextMomentTitle)));  // the button shows a symbol only
    }
    caption(optPlanetary, text::kTextOptPlanetary);
    caption(optNatal[0], text::kTextOptNatal1st);
    caption(optNatal[1], text::kTextOptNatal2nd);
    caption(optPersonal[0], text::kTextOptPersonal1st);
    caption(optPersonal[1], text::kTextOptPersonal2nd);
    caption(optSynastry, text::kTextSynastry);
    caption(optDegrees, text::kTextDegrees);
    caption(optRadians, text::kTextRadians);
    caption(cmdSave, text::kTextSave);
    caption(cmdQuit, text::kTextQuit);
    caption(cmdHelp, text::kTextHelp);
    caption(cmdPrint, text::kTextPrint);
    caption(cmdExport, text::kTextExport);
    caption(cmdCharts, text::kTextChartsButton);
    caption(cmdPositions, text::kTextPositionsButton);
    SetShortcutTips();
    caption(cmdNow, text::kTextNow);
    caption(cmdRestore, text::kTextRestore);
    caption(cmdCompute, text::kTextCompute);
    caption(cmdConfigure, text::kTextConfigure);
    caption(cmdForwardBack[At(kForwardButton)], text::kTextForward);
    caption(cmdForwardBack[At(kBackButton)], text::kTextBack);
    caption(cmdRun, search::RunButtonCaption(m_program.run));
    caption(cmdReport, text::kTextReportButton);
    caption(cmdTimeline, text::kTextTimelineButton);
    caption(cmdLoadState, text::kTextLoadFrom);
    lblUserManual->setText(Q(language.Text(text::kTextUserManual)));
    lblURL->setText(QStringLiteral("<a href=\"manual\">%1</a>").arg(Q(language.Text(text::kTextManualLink)).toHtmlEscaped()));
    cboLanguage->setItemText(text::langEnglish, Q(language.Text(text::kTextEnglish)));
    cboLanguage->setItemText(text::langGerman, Q(language.Text(text::kTextDeutsch)));
    cboLanguage->setToolTip(Q(language.Text(text::kTextLanguageSwitch)));
    if (frmConfigure != nullptr)
        frmConfigure->SetLanguageDependentText();
    if (frmTimeline != nullptr)
        frmTimeline->SetLanguageDependentText();
    if (frmCharts != nullptr)
        frmCharts->SetLanguageDependentText();
    ResetFootLabel();
    SyncFromModel();
}

void frmMain::PlaceAtTopCentre()
{
    const QScreen* screen = this->screen();
    if (screen == nullptr)
        return;
    const QRect available = screen->availableGeometry();
    MoveFrameTo(
        *this, QPoint(available.x() + std::max(0, (available.width() - frameGeometry().width()) / 2), available.y()));
}

void frmMain::SetHeightForMode()
{
    m_heightWithRing = m_program.configure.geoRing;
    resize(Px(app::kMainWindowWidth),
           Px(app::WindowHeightForMode(m_program.main.SelectedMode(), m_heightWithRing)));
}

void frmMain::ApplyQtTranslation()
{
    QCoreApplication::removeTranslator(m_qtTranslator);
    if (m_program.language.currentLanguage == text::langGerman &&
        m_qtTranslator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qtTranslator);
}

void frmMain::cmdQuit_Click()
{
    if (MayEnd())
        close();
}

bool frmMain::MayEnd()
{
    const std::optional<platform::Message> question = app::QuitQuestion(m_program);
    if (!question)
        return true;
    // A run holds still while the question is open, so that a save stores the moment shown when asked.
    const bool running = Timer2->isActive();
    Timer2->stop();
    const platform::Button answer = m_boxes.Show(*question);
    if (answer == platform::Button::Cancel) {
        if (running)
            Timer2->start();
        return false;
    }
    if (answer == platform::Button::Yes)
        if (const app::StateFileOutcome saved = m_program.Save(m_store); !saved.file)
            m_boxes.Show(saved.file.error());
    return true;
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program at once; only Quit offers to save the state first.
    Timer1->stop();
    CloseRun();
    if (frmConfigure != nullptr)
        frmConfigure->hide();
    HideDurationsWindow();
    if (frmView != nullptr)
        frmView->hide();
    event->accept();
}

void frmMain::Timer1_Timer()
{
    // A box or dialog open over the window: the tick waits, as the handlers that open them stop the timer.
    if (m_syncing || QApplication::activeModalWidget() != nullptr)
        return;
    app::HousekeepingTick(m_program.main);
    RefreshWeekdays();
    SyncFromModel();
}

void frmMain::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_quitAfterFirstPaint && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Label1[0] && event->type() == QEvent::MouseButtonRelease) {
        Label1_Click(core::kWorldDateRow);
        return true;
    }
    // A click on a row's precise moment opens it in its dialog, as the button beside it does.
    for (int16_t row = 0; row < core::kNumDateRows; ++row)
        if (watched == lblMoment[At(row)] && event->type() == QEvent::MouseButtonRelease) {
            cmdMoment_Click(row);
            return true;
        }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvane::gui
