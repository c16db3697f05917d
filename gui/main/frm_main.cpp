#include "gui/main/frm_main.h"

#include "datetime/date_input.h"
#include "datetime/time_zones.h"
#include "gui/display/chart_view.h"
#include "gui/display/grid_view.h"
#include "display/transit_picture.h"
#include "app/actions.h"
#include "app/startup.h"
#include "app/window_rules.h"
#include "gui/platform/qt_widgets.h"
#include "gui/platform/save_dialog.h"
#include "platform/index.h"
#include "platform/twips.h"
#include "gui/settings/frm_configure.h"
#include "gui/settings/frm_pop_up.h"
#include "gui/settings/qsettings_store.h"
#include "gui/text/help.h"
#include "text/text_numbers.h"
#include "gui/tools/frm_durations.h"
#include "text/weblink.h"
#include "gui/tools/frm_timeline.h"
#include "gui/tools/frm_view.h"
#include "gui/tools/image_export.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <utility>

namespace orvane::gui {
namespace {

using platform::At;
using platform::Px;

// Gives a control its object name, by which the tests and the window rules find it.
QWidget* Named(QWidget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// The organisation under which the per-user settings live.
constexpr const char* kOrganisation = kSettingsOrganization;
constexpr const char* kProgramName = "Orvane";
constexpr int kFontPointSize = 9;
constexpr const char* kUserStateFolder = "Veltrane";
constexpr const char* kUserStateFileName = "orvane.usr";

// The housekeeping timer's interval, in milliseconds.
constexpr int kTimer1Interval = 1000;

// Sizes and gaps in twips. The date rows fill the top left, the mode options the top right; below the
// date rows the step controls; then the row of action buttons, the title and the grid or the chart with
// its summary; the click hint and the foot line keep to the bottom edge. Qt's layouts place the controls
// from these sizes and gaps.
constexpr int32_t kMargin = 120;
constexpr int32_t kTopMargin = 90;     // above the mode options; the date rows begin 30 lower
constexpr int32_t kBottomMargin = 60;  // below the foot line
constexpr int32_t kDateRowsDrop = 30;
constexpr int32_t kControlHeight = 330;
constexpr int32_t kControlGap = 60;  // between neighbours in a row
constexpr int32_t kRowGap = 90;      // between the date rows
constexpr std::array<int32_t, 7> kDateColumnWidth{1500, 900, 1650, 750, 1050, 1650, 1050};  // label … Clear
constexpr int32_t kModesGap = 150;
constexpr int32_t kModesWidth = 5100;
constexpr int32_t kModeHeight = 300;
constexpr int32_t kStepRowGap = 120;
constexpr std::array<int32_t, 5> kStepWidth{1200, 900, 1050, 1500, 1050};  // Compute, Now, Back, step, Forward
constexpr int32_t kUnitsGap = 180;
constexpr int32_t kUnitsWidth = 2790;
constexpr int32_t kButtonRowGap = 120;
constexpr int32_t kButtonRowHeight = 390;
constexpr int32_t kTitleGap = 90;
constexpr int32_t kViewGap = 30;
constexpr int32_t kInnerWidth = 14160;
constexpr int32_t kReportGap = 180;
constexpr int32_t kReport1Gap = 150;
constexpr int32_t kReport1LeastHeight = 570;
constexpr int32_t kLanguageWidth = 1500;
constexpr int32_t kLanguageHeight = 360;
constexpr int32_t kFootHeight = 330;
constexpr int32_t kFootGap = 120;  // between the foot label, the link and the language switch
constexpr int32_t kLinkGap = 60;   // between "User manual:" and the link

constexpr int16_t kPopUpWidth = 2400;
constexpr int16_t kPopUpHeight = 300;
constexpr int16_t kSaveAsPopUpHeight = 350;
constexpr int16_t kPopUpDuration = 2000;
constexpr int16_t kLoadingWidth = 2000;

void SyncText(QPlainTextEdit* box, const std::string& text)
{
    const QString lines = QLines(text);
    if (box->toPlainText() != lines)
        box->setPlainText(lines);
}

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
    setMinimumHeight(Px(app::kLeastWindowHeight));
    setFixedWidth(Px(app::kMainWindowWidth));
    resize(Px(app::kMainWindowWidth), Px(app::kOneDateModeHeight));
}

frmMain::~frmMain()
{
    QCoreApplication::removeTranslator(m_qtTranslator);
}

// ----- Building ---------------------------------------------------------------------------------------------

void frmMain::BuildControls()
{
    auto* dateColumn = new QVBoxLayout;
    dateColumn->setSpacing(0);
    dateColumn->addSpacing(Px(kDateRowsDrop));
    dateColumn->addLayout(BuildDateRows());
    dateColumn->addSpacing(Px(kStepRowGap));
    dateColumn->addLayout(BuildStepRow());
    dateColumn->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(0);
    top->addLayout(dateColumn);
    top->addSpacing(Px(kModesGap));
    top->addWidget(BuildModeButtons(), 0, Qt::AlignTop);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(Px(kMargin), Px(kTopMargin), Px(kMargin), Px(kBottomMargin));
    window->setSpacing(0);
    window->addLayout(top);
    window->addSpacing(Px(kButtonRowGap));
    window->addWidget(BuildButtonRow());
    window->addSpacing(Px(kTitleGap));
    BuildTitleAndViews(*window);
    BuildHelpControls();
    window->addLayout(BuildFoot());
}

// The world date and the two birthdates: label, year, month, day, half hour, zone and Clear.
QGridLayout* frmMain::BuildDateRows()
{
    auto* rows = new QGridLayout;
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setHorizontalSpacing(Px(kControlGap));
    rows->setVerticalSpacing(Px(kRowGap));
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        const size_t r = At(row);
        const QString index = QString::number(row);
        Label1[r] = new QLabel(this);
        txbYearCE[r] = new QLineEdit(this);
        cboMonthCE[r] = new QComboBox(this);
        cboDayCE[r] = new QComboBox(this);
        cboHour[r] = new QComboBox(this);
        cboTimezone[r] = new QComboBox(this);
        cmdClear[r] = new QPushButton(this);
        txbYearCE[r]->setMaxLength(8);
        cboTimezone[r]->setMaxVisibleItems(16);
        cboHour[r]->setMaxVisibleItems(16);
        const std::array<std::pair<QWidget*, const char*>, 7> controls{{{Label1[r], "Label1_"},
                                                                         {txbYearCE[r], "txbYearCE_"},
                                                                         {cboMonthCE[r], "cboMonthCE_"},
                                                                         {cboDayCE[r], "cboDayCE_"},
                                                                         {cboHour[r], "cboHour_"},
                                                                         {cboTimezone[r], "cboTimezone_"},
                                                                         {cmdClear[r], "cmdClear_"}}};
        for (size_t column = 0; column < controls.size(); ++column) {
            QWidget* control = Named(controls[column].first, controls[column].second + index);
            control->setFixedSize(Px(kDateColumnWidth[column]), Px(kControlHeight));
            rows->addWidget(control, row, static_cast<int>(column));
        }
    }
    // A row without entries hides its Clear button; the column keeps its place.
    for (QPushButton* clear : cmdClear) {
        QSizePolicy policy = clear->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        clear->setSizePolicy(policy);
    }
    // The world date's label also switches the unit of positions and deviations when clicked.
    Label1[0]->installEventFilter(this);
    return rows;
}

// The six modes, stacked in their frame.
QWidget* frmMain::BuildModeButtons()
{
    fraModes = Named(new QWidget(this), QStringLiteral("fraModes"));
    fraModes->setFixedSize(Px(kModesWidth), Px(6 * kModeHeight));
    auto* modes = new QVBoxLayout(fraModes);
    modes->setContentsMargins(0, 0, 0, 0);
    modes->setSpacing(0);
    m_modeGroup = new QButtonGroup(this);
    const auto modeButton = [&](const QString& name) {
        auto* button = new QRadioButton(fraModes);
        button->setObjectName(name);
        modes->addWidget(button);
        m_modeGroup->addButton(button);
        return button;
    };
    optPlanetary = modeButton(QStringLiteral("optPlanetary"));
    optNatal[0] = modeButton(QStringLiteral("optNatal_0"));
    optNatal[1] = modeButton(QStringLiteral("optNatal_1"));
    optPersonal[0] = modeButton(QStringLiteral("optPersonal_0"));
    optPersonal[1] = modeButton(QStringLiteral("optPersonal_1"));
    optSynastry = modeButton(QStringLiteral("optSynastry"));
    return fraModes;
}

// Compute, Now, Back, the step and Forward; then degrees or radians.
QHBoxLayout* frmMain::BuildStepRow()
{
    cmdCompute = new QPushButton(this);
    cmdNow = new QPushButton(this);
    cmdForwardBack[1] = new QPushButton(this);
    cboForwardBack = new QComboBox(this);
    cmdForwardBack[0] = new QPushButton(this);
    Named(cmdCompute, QStringLiteral("cmdCompute"));
    Named(cmdNow, QStringLiteral("cmdNow"));
    Named(cmdForwardBack[0], QStringLiteral("cmdForwardBack_0"));
    Named(cmdForwardBack[1], QStringLiteral("cmdForwardBack_1"));
    Named(cboForwardBack, QStringLiteral("cboForwardBack"));
    cmdCompute->setDefault(true);
    auto* row = new QHBoxLayout;
    row->setSpacing(Px(kControlGap));
    const std::array<QWidget*, 5> controls{cmdCompute, cmdNow, cmdForwardBack[1], cboForwardBack, cmdForwardBack[0]};
    for (size_t k = 0; k < controls.size(); ++k) {
        const bool list = controls[k] == cboForwardBack;
        controls[k]->setFixedSize(Px(kStepWidth[k]), Px(list ? kControlHeight : kButtonRowHeight));
        row->addWidget(controls[k], 0, Qt::AlignVCenter);
    }
    fraUnits = Named(new QWidget(this), QStringLiteral("fraUnits"));
    fraUnits->setFixedSize(Px(kUnitsWidth), Px(kButtonRowHeight));
    row->addSpacing(Px(kUnitsGap - kControlGap));
    row->addWidget(fraUnits);
    row->addStretch();
    auto* units = new QHBoxLayout(fraUnits);
    units->setContentsMargins(0, 0, 0, 0);
    m_unitGroup = new QButtonGroup(this);
    optDegrees = new QRadioButton(fraUnits);
    optRadians = new QRadioButton(fraUnits);
    Named(optDegrees, QStringLiteral("optDegrees"));
    Named(optRadians, QStringLiteral("optRadians"));
    for (QRadioButton* button : {optDegrees, optRadians}) {
        units->addWidget(button);
        m_unitGroup->addButton(button);
    }
    return row;
}

// The row of eleven buttons from Restore to Quit.
QWidget* frmMain::BuildButtonRow()
{
    auto* buttonRow = Named(new QWidget(this), QStringLiteral("fraButtons"));
    buttonRow->setFixedSize(Px(kInnerWidth), Px(kButtonRowHeight));
    auto* buttons = new QHBoxLayout(buttonRow);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(Px(kControlGap));
    const auto rowButton = [&](const QString& name) {
        auto* button = new QPushButton(buttonRow);
        button->setObjectName(name);
        // Short captions may give up part of the style's least button width, so that the eleven buttons
        // keep room for the long German captions.
        button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        button->setMinimumWidth(Px(900));
        buttons->addWidget(button);
        return button;
    };
    cmdRestore = rowButton(QStringLiteral("cmdRestore"));
    cmdSave = rowButton(QStringLiteral("cmdSave"));
    cmdLoadState = rowButton(QStringLiteral("cmdLoadState"));
    cmdSaveAs = rowButton(QStringLiteral("cmdSaveAs"));
    cmdReport = rowButton(QStringLiteral("cmdReport"));
    cmdTimeline = rowButton(QStringLiteral("cmdTimeline"));
    cmdRun = rowButton(QStringLiteral("cmdRun"));
    cmdToggleGraphic = rowButton(QStringLiteral("cmdToggleGraphic"));
    cmdConfigure = rowButton(QStringLiteral("cmdConfigure"));
    cmdHelp = rowButton(QStringLiteral("cmdHelp"));
    cmdQuit = rowButton(QStringLiteral("cmdQuit"));
    return buttonRow;
}

// The title; the table and the chart in the same place with the one-date summary beside them; the
// two-date summary below them, taking the height down to the hint.
void frmMain::BuildTitleAndViews(QVBoxLayout& window)
{
    lblTitle = new QLabel(this);
    Named(lblTitle, QStringLiteral("lblTitle"));
    QFont titleFont = font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setFixedSize(Px(kInnerWidth), Px(kControlHeight));
    window.addWidget(lblTitle);
    window.addSpacing(Px(kViewGap));

    // The views and the summary beside them share one area; in a window made lower than its contents
    // the area gives up its lower part, so that the controls above and the foot line below stay whole.
    auto* viewArea = Named(new QWidget(this), QStringLiteral("fraViews"));
    viewArea->setMinimumHeight(1);
    picTable = new GridView(m_program.grid, viewArea);
    picGraphic = new ChartView(m_program, viewArea);
    picGraphic->hide();
    txbReport = new QPlainTextEdit(viewArea);
    txbReport1 = new QPlainTextEdit(this);
    Named(txbReport, QStringLiteral("txbReport"));
    Named(txbReport1, QStringLiteral("txbReport1"));
    for (QPlainTextEdit* box : {txbReport, txbReport1}) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        // As high as the view beside it, or as the room below the view.
        box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    }
    txbReport1->setMinimumHeight(Px(kReport1LeastHeight));
    auto* views = new QHBoxLayout(viewArea);
    views->setContentsMargins(0, 0, 0, 0);
    views->setSpacing(Px(kReportGap));
    views->addWidget(picTable, 0, Qt::AlignTop);
    views->addWidget(picGraphic, 0, Qt::AlignTop);
    views->addWidget(txbReport, 1);
    views->addStretch();
    window.addWidget(viewArea);
    window.addSpacing(Px(kReport1Gap));
    window.addWidget(txbReport1, 1);
    window.addStretch();
}

// The hint line above the foot line; the foot label, the manual link and the language box in the foot
// line; and the housekeeping timer and the pop-up notice.
QGridLayout* frmMain::BuildFoot()
{
    lblClickonAspect = new QLabel(this);
    lblFoot = new QLabel(this);
    cboLanguage = new QComboBox(this);
    Named(lblClickonAspect, QStringLiteral("lblClickonAspect"));
    Named(lblFoot, QStringLiteral("lblFoot"));
    Named(cboLanguage, QStringLiteral("cboLanguage"));
    cboLanguage->addItems({QString(), QString()});
    // The labels show what fits of their texts; their length never widens the window.
    for (QLabel* label : {lblClickonAspect, lblFoot}) {
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        label->setFixedHeight(Px(kFootHeight));
    }
    cboLanguage->setFixedSize(Px(kLanguageWidth), Px(kLanguageHeight));
    auto* link = new QHBoxLayout;
    link->setSpacing(Px(kLinkGap));
    link->addWidget(lblUserManual);
    link->addWidget(lblURL);
    // The hint spans the foot line's width; the language box reaches up beside it from the foot line.
    auto* foot = new QGridLayout;
    foot->setSpacing(0);
    foot->setHorizontalSpacing(Px(kFootGap));
    foot->addWidget(lblClickonAspect, 0, 0, 1, 3);
    foot->addWidget(lblFoot, 1, 0);
    foot->addLayout(link, 1, 1);
    foot->addWidget(cboLanguage, 0, 2, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    foot->setColumnStretch(0, 1);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTimer1Interval);
    frmPopUp = new gui::frmPopUp(this);
    frmPopUp->setObjectName(QStringLiteral("frmPopUp"));
    return foot;
}

void frmMain::ConnectControls()
{
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        const size_t r = At(row);
        app::MainModel& main = m_program.main;
        connect(txbYearCE[r], &QLineEdit::textEdited, this,
                [this, row](const QString& text) { txbYearCE_Change(row, text); });
        connect(txbYearCE[r], &QLineEdit::returnPressed, this, [this, row] { txbYearCE_KeyEnter(row); });
        const auto list = [this, row](QComboBox* box, platform::ComboBoxModel& model) {
            connect(box, &QComboBox::activated, this, [this, row, &model](int index) {
                if (m_syncing)
                    return;
                model.SetListIndex(static_cast<int16_t>(index));
                cboRow_Click(row);
            });
        };
        list(cboMonthCE[r], main.monthLists[r]);
        list(cboDayCE[r], main.dayLists[r]);
        list(cboHour[r], main.halfHourLists[r]);
        list(cboTimezone[r], main.zoneLists[r]);
        connect(cmdClear[r], &QPushButton::clicked, this, [this, row] { cmdClear_Click(row); });
    }
    const std::array<std::pair<QRadioButton*, core::Mode>, 6> modes{{
        {optPlanetary, core::Mode::WorldTransits},
        {optNatal[0], core::Mode::Natal1st},
        {optNatal[1], core::Mode::Natal2nd},
        {optPersonal[0], core::Mode::PersonalTransits1st},
        {optPersonal[1], core::Mode::PersonalTransits2nd},
        {optSynastry, core::Mode::Synastry},
    }};
    for (const auto& [button, mode] : modes)
        connect(button, &QRadioButton::clicked, this, [this, mode = mode] { optMode_Click(mode); });
    connect(optDegrees, &QRadioButton::clicked, this, [this] { optUnit_Click(true); });
    connect(optRadians, &QRadioButton::clicked, this, [this] { optUnit_Click(false); });
    connect(cmdCompute, &QPushButton::clicked, this, &frmMain::cmdCompute_Click);
    connect(cmdNow, &QPushButton::clicked, this, &frmMain::cmdNow_Click);
    for (int16_t index : {kForwardButton, kBackButton})
        connect(cmdForwardBack[At(index)], &QPushButton::clicked, this, [this, index] { cmdForwardBack_Click(index); });
    connect(cboForwardBack, &QComboBox::activated, this, &frmMain::cboForwardBack_Click);
    connect(cmdRestore, &QPushButton::clicked, this, &frmMain::cmdRestore_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmMain::cmdSave_Click);
    connect(cmdLoadState, &QPushButton::clicked, this, &frmMain::cmdLoadState_Click);
    connect(cmdSaveAs, &QPushButton::clicked, this, &frmMain::cmdSaveAs_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmMain::cmdReport_Click);
    connect(cmdTimeline, &QPushButton::clicked, this, &frmMain::cmdTimeline_Click);
    connect(cmdConfigure, &QPushButton::clicked, this, &frmMain::cmdConfigure_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(lblURL, &QLabel::linkActivated, this, &frmMain::lblURL_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmMain::cmdQuit_Click);
    connect(cboLanguage, &QComboBox::activated, this, &frmMain::cboLanguage_Click);
    connect(picTable, &GridView::cellClicked, this, &frmMain::txbCell_Click);
    connect(cmdToggleGraphic, &QPushButton::clicked, this, &frmMain::cmdToggleGraphic_Click);
    connect(picGraphic, &ChartView::messageForUser, this,
            [this](const platform::Message& message) { m_boxes.Show(message); });
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
}

void frmMain::SetTabOrder()
{
    std::vector<QWidget*> order;
    for (size_t r = 0; r < At(core::kNumDateRows); ++r)
        order.insert(order.end(), {txbYearCE[r], cboMonthCE[r], cboDayCE[r], cboHour[r], cboTimezone[r], cmdClear[r]});
    order.insert(order.end(), {optPlanetary, optNatal[0], optNatal[1], optPersonal[0], optPersonal[1], optSynastry,
                               cmdCompute, cmdNow, cmdForwardBack[1], cboForwardBack, cmdForwardBack[0], optDegrees,
                               optRadians, cmdRestore, cmdSave, cmdLoadState, cmdSaveAs, cmdReport, cmdTimeline, cmdRun,
                               cmdToggleGraphic, cmdConfigure, cmdHelp, cmdQuit, cboLanguage});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// ----- Start-up ---------------------------------------------------------------------------------------------

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
    if (startUp.programTextError) {
        m_boxes.Show(*startUp.programTextError);
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
    if (startUp.plutoError)
        m_boxes.Show(*startUp.plutoError);
    const app::ComputeOutcome outcome = m_program.Compute();
    RefreshWeekdays();
    SyncFromModel();
    ShowComputeOutcome(outcome);
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
    caption(cmdNow, text::kTextNow);
    caption(cmdRestore, text::kTextRestore);
    caption(cmdCompute, text::kTextCompute);
    caption(cmdConfigure, text::kTextConfigure);
    caption(cmdForwardBack[At(kForwardButton)], text::kTextForward);
    caption(cmdForwardBack[At(kBackButton)], text::kTextBack);
    caption(cmdRun, tools::RunButtonCaption(m_program.run));
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
    resize(Px(app::kMainWindowWidth), Px(app::WindowHeightForMode(static_cast<int16_t>(m_program.main.SelectedMode()))));
}

// ----- Sync ---------------------------------------------------------------------------------------------------

void frmMain::SyncFromModel()
{
    if (m_syncing)
        return;
    m_syncing = true;
    SyncDateRows();
    SyncModeAndUnit();
    SyncViews();
    ShowSummaries();
    if (m_program.run.isRunning)
        EnableInputControls(false);  // the re-sync must not enable what a run keeps disabled
    m_syncing = false;
    SyncChart();
    if (frmTimeline != nullptr && frmTimeline->isVisible())
        frmTimeline->Canvas().update();  // its world-date line follows the main window's date
}

// Each date row: the year as typed (the cursor kept), the lists, and Clear where the row holds entries.
void frmMain::SyncDateRows()
{
    const app::MainModel& main = m_program.main;
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        const size_t r = At(row);
        const QString year = Q(main.yearTexts[r]);
        if (txbYearCE[r]->text() != year) {
            const int cursor = txbYearCE[r]->cursorPosition();
            txbYearCE[r]->setText(year);
            txbYearCE[r]->setCursorPosition(std::min(cursor, static_cast<int>(year.size())));
        }
        SyncComboBox(cboMonthCE[r], main.monthLists[r]);
        SyncComboBox(cboDayCE[r], main.dayLists[r]);
        SyncComboBox(cboHour[r], main.halfHourLists[r]);
        SyncComboBox(cboTimezone[r], main.zoneLists[r]);
        cmdClear[r]->setVisible(app::RowHasEntries(main, row));
    }
}

// The mode and the unit, each one button of its group; the step controls only where stepping applies.
void frmMain::SyncModeAndUnit()
{
    const app::MainModel& main = m_program.main;
    const core::Mode mode = main.SelectedMode();
    m_modeGroup->setExclusive(false);
    optPlanetary->setChecked(mode == core::Mode::WorldTransits);
    optNatal[0]->setChecked(mode == core::Mode::Natal1st);
    optNatal[1]->setChecked(mode == core::Mode::Natal2nd);
    optPersonal[0]->setChecked(mode == core::Mode::PersonalTransits1st);
    optPersonal[1]->setChecked(mode == core::Mode::PersonalTransits2nd);
    optSynastry->setChecked(mode == core::Mode::Synastry);
    m_modeGroup->setExclusive(true);
    m_unitGroup->setExclusive(false);
    optDegrees->setChecked(main.degreesSelected());
    optRadians->setChecked(main.radiansSelected());
    m_unitGroup->setExclusive(true);

    SyncComboBox(cboForwardBack, main.stepIncrement);
    const bool stepping = app::SteppingEnabled(main);
    for (QWidget* control : {static_cast<QWidget*>(cmdForwardBack[0]), static_cast<QWidget*>(cmdForwardBack[1]),
                             static_cast<QWidget*>(cboForwardBack)})
        control->setEnabled(stepping);
}

// The title, the summaries, the table and the captions that follow what is shown and the language.
void frmMain::SyncViews()
{
    const app::MainModel& main = m_program.main;
    const text::Language& language = m_program.language;
    lblTitle->setText(Q(main.titleText));
    SyncText(txbReport, main.summaryText);
    SyncText(txbReport1, main.twoDateSummaryText);
    picTable->SyncFromModel();
    picTable->setVisible(main.gridShown);
    lblClickonAspect->setText(Q(app::ClickHint(m_program)));
    cmdToggleGraphic->setText(
        Q(language.Text(main.chartShown ? text::kTextDisplayTable : text::kTextDisplayChart)));
    cmdSaveAs->setText(Q(language.Text(main.chartShown ? text::kTextSaveChartAs : text::kTextSaveAs)));
    lblFoot->setVisible(!main.chartShown);
    const bool manualLink = app::ManualLinkVisible(main);
    lblUserManual->setVisible(manualLink);
    lblURL->setVisible(manualLink);
    if (cboLanguage->currentIndex() != language.currentLanguage)
        cboLanguage->setCurrentIndex(language.currentLanguage);
}

// The one-date summary stands beside the grid or the chart, the two-date summary below it (not below a
// transit picture); the hint, empty while the chart is shown, then gives its line to the summary.
void frmMain::ShowSummaries()
{
    const bool twoDates = core::IsTwoDateMode(m_program.main.currentMode);
    txbReport->setVisible(!twoDates);
    txbReport1->setVisible(twoDates && !(m_program.main.chartShown && picGraphic->TransitPictureShown()));
    lblClickonAspect->setVisible(!m_program.main.chartShown);
}

void frmMain::RefreshWeekdays()
{
    for (int16_t row = 0; row < core::kNumDateRows; ++row)
        cboDayCE[At(row)]->setToolTip(Q(datetime::ShowWeekday(m_program.main, row, m_program.language)));
}

void frmMain::ResetFootLabel()
{
    lblFoot->setText(Q(m_program.language.Text(text::kTextProductSubtitle)));
}

void frmMain::FocusCompute()
{
    if (cmdCompute->isEnabled())
        cmdCompute->setFocus();
}

void frmMain::ShowComputeOutcome(const app::ComputeOutcome& outcome)
{
    if (outcome.dateError)
        m_boxes.Show(*outcome.dateError);
    if (outcome.found) {
        if (isMinimized())
            showNormal();
        m_boxes.Show(*outcome.found);
    }
}

void frmMain::ApplyQtTranslation()
{
    QCoreApplication::removeTranslator(m_qtTranslator);
    if (m_program.language.currentLanguage == text::langGerman &&
        m_qtTranslator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(m_qtTranslator);
}

tools::DurationsWindow& frmMain::Durations()
{
    if (!m_durations)
        m_durations.emplace(m_program.astro, m_program.language);
    return *m_durations;
}

frmDurations& frmMain::DurationsView()
{
    if (frmDurations == nullptr)
        frmDurations = new gui::frmDurations(m_program, Durations(), *this, *picTable);
    return *frmDurations;
}

void frmMain::ReportInDurationsWindow()
{
    Durations().Report(app::ReportInputsOf(m_program));
    DurationsView().ShowReport();
}

void frmMain::RecaptionDurationsWindow()
{
    if (frmDurations == nullptr || !frmDurations->isVisible())
        return;
    // The report of the same computation, built again from the program text of the new language.
    if (m_program.main.result.TotalAspects() == 0)
        return;
    Durations().Report(app::ReportInputsOf(m_program));
    frmDurations->Form_Activate();
}

void frmMain::HideDurationsWindow()
{
    if (frmDurations != nullptr && frmDurations->isVisible())
        frmDurations->hide();
}

// ----- Handlers ---------------------------------------------------------------------------------------------

void frmMain::cmdCompute_Click()
{
    const app::ComputeOutcome outcome = m_program.Compute();
    RefreshWeekdays();
    SyncFromModel();
    ShowComputeOutcome(outcome);
}

void frmMain::cmdNow_Click()
{
    const app::ComputeOutcome outcome = m_program.SetWorldDateToNow(m_clock);
    RefreshWeekdays();
    SyncFromModel();
    ShowComputeOutcome(outcome);
    FocusCompute();
}

void frmMain::cmdClear_Click(int16_t row)
{
    if (m_boxes.Show(app::ClearQuestion(m_program.language, row)) != platform::Button::Yes)
        return;
    m_program.main.ClearDateRow(row);
    RefreshWeekdays();
    SyncFromModel();
}

void frmMain::cmdForwardBack_Click(int16_t index)
{
    const app::StepOutcome outcome = m_program.Step(index == kForwardButton ? app::Direction::Forward : app::Direction::Back);
    cboDayCE[0]->setToolTip(Q(datetime::ShowWeekday(m_program.main, core::kWorldDateRow, m_program.language)));
    SyncFromModel();
    ShowComputeOutcome(outcome.compute);
}

void frmMain::cboForwardBack_Click()
{
    if (m_syncing)
        return;
    m_program.main.stepIncrement.SetListIndex(static_cast<int16_t>(cboForwardBack->currentIndex()));
    SyncFromModel();
    if (cmdForwardBack[0]->isEnabled())
        cmdForwardBack[0]->setFocus();
}

void frmMain::cmdRestore_Click()
{
    const bool exists = std::filesystem::exists(m_program.main.userStateFilePath);
    const app::StateFileOutcome outcome = m_program.Restore(exists, m_store);
    SetHeightForMode();
    if (!ShowLoadOutcome(outcome))
        return;
    if (exists) {
        PopUpNear(*cmdRestore, text::kTextRestored, kPopUpHeight, 475, -2450);
    }
}

void frmMain::PopUpNear(const QWidget& button, int16_t textNumber, int height, int32_t dTop, int32_t dLeft)
{
    const QPoint at = button.mapTo(this, QPoint(0, 0));
    frmPopUp->PopUpInForm2(*this, Q(m_program.language.Text(textNumber)), kPopUpWidth, height, kPopUpDuration,
                           platform::Twips(at.y()) + dTop, platform::Twips(at.x()) + dLeft);
}

bool frmMain::ShowLoadOutcome(const app::StateFileOutcome& outcome)
{
    RefreshWeekdays();
    SyncFromModel();
    if (outcome.error) {
        m_boxes.Show(*outcome.error);
        return false;
    }
    ShowComputeOutcome(outcome.compute);
    return true;
}

void frmMain::cmdSave_Click()
{
    const app::StateFileOutcome outcome = m_program.Save(m_store);
    SyncFromModel();
    if (outcome.error) {
        m_boxes.Show(*outcome.error);
    } else {
        PopUpNear(*cmdSave, text::kTextStateSaved, kPopUpHeight, 450, -kPopUpWidth);
    }
    FocusCompute();
}

void frmMain::cmdSaveAs_Click()
{
    // While the chart is shown the button exports the chart image.
    if (m_program.main.chartShown) {
        SaveChartImage();
        return;
    }
    const text::Language& language = m_program.language;
    const QString path = AskSaveFileName(this, Q(language.Text(text::kTextSaveStateAs)),
                                         Q(language.Text(text::kTextStateFiles)) + " (*.qvs)", "qvs");
    if (path.isEmpty())
        return;
    const app::StateFileOutcome outcome = m_program.SaveAs(path.toStdString(), m_store);
    SyncFromModel();
    if (outcome.error) {
        m_boxes.Show(*outcome.error);
        return;
    }
    PopUpNear(*cmdSaveAs, text::kTextStateSaved, kSaveAsPopUpHeight, 450, -2350);
    lblFoot->setText(Q(outcome.footLabel));
}

void frmMain::cmdLoadState_Click()
{
    const text::Language& language = m_program.language;
    const QString path = QFileDialog::getOpenFileName(this, Q(language.Text(text::kTextLoadStateFrom)), QString(),
                                                      Q(language.Text(text::kTextStateFiles)) + " (*.qvs)");
    if (path.isEmpty())
        return;
    LoadStateFrom(path.toStdString());
}

void frmMain::LoadStateFrom(const std::string& path)
{
    const app::StateFileOutcome outcome = m_program.Load(path, m_clock, m_store);
    SetHeightForMode();
    if (!ShowLoadOutcome(outcome))
        return;
    lblFoot->setText(Q(outcome.footLabel));
}

void frmMain::OpenStateFiles(const std::vector<std::string>& files)
{
    if (files.empty())
        return;
    LoadStateFrom(files.front());
    if (const std::optional<platform::Message> notOpened = app::FilesNotOpened(m_program.language, files))
        m_boxes.Show(*notOpened);
}

void frmMain::cmdReport_Click()
{
    Timer1->stop();
    const std::optional<platform::Message> message = m_program.Report(Durations());
    SyncFromModel();
    if (message)
        m_boxes.Show(*message);
    else
        DurationsView().ShowReport();
    Timer1->start();
}

void frmMain::cmdConfigure_Click()
{
    Timer1->stop();
    frmConfigure->ShowPanel();
    Timer1->start();
    if (m_program.configure.everApplied)
        ApplyPanelActions(m_program.configure.ActionsOnOpening());
}

void frmMain::ApplyPanelActions(const settings::MainWindowActions& actions)
{
    app::MainModel& main = m_program.main;
    if (actions.rebuildTimezoneLists)
        datetime::SetUpTimezoneComboBoxes(main, true, actions.zoneAbbreviations);
    if (actions.restoreMinimized && isMinimized())
        showNormal();
    std::optional<app::ComputeOutcome> outcome;
    if (actions.recompute)
        outcome = m_program.Compute();
    if (actions.hideDurationsWindow)
        HideDurationsWindow();
    if (actions.resetFootLabel)
        ResetFootLabel();
    SyncFromModel();
    if (outcome)
        ShowComputeOutcome(*outcome);
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
        if (const app::StateFileOutcome saved = m_program.Save(m_store); saved.error)
            m_boxes.Show(*saved.error);
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

void frmMain::optMode_Click(core::Mode mode)
{
    if (m_syncing)
        return;
    // A refused change leaves the mode shown before selected, and so its height.
    const app::ComputeOutcome outcome = m_program.ChangeMode(mode);
    SetHeightForMode();
    SyncFromModel();
    ShowComputeOutcome(outcome);
}

void frmMain::optUnit_Click(bool degrees)
{
    if (m_syncing)
        return;
    if (degrees)
        m_program.main.SelectDegrees(true);
    else
        m_program.main.SelectRadians(true);
    cmdCompute_Click();
}

void frmMain::Label1_Click(int16_t index)
{
    if (index != core::kWorldDateRow)
        return;
    m_program.main.ToggleDegreesRadians();
    cmdCompute_Click();
}

void frmMain::txbYearCE_Change(int16_t row, const QString& text)
{
    if (m_syncing)
        return;
    m_program.main.yearTexts[At(row)] = datetime::SanitizeInteger(text.toStdString(), false, false);
    SyncFromModel();
}

void frmMain::txbYearCE_KeyEnter(int16_t row)
{
    if (core::RowUsedByMode(row, m_program.main.DetermineMode()))
        cmdCompute_Click();
}

void frmMain::cboRow_Click(int16_t row)
{
    if (isVisible()) {
        ResetFootLabel();
        cboDayCE[At(row)]->setToolTip(Q(datetime::ShowWeekday(m_program.main, row, m_program.language)));
    }
    SyncFromModel();
    if (isVisible())
        FocusCompute();
}

void frmMain::cboLanguage_Click(int index)
{
    if (m_syncing)
        return;
    const int16_t language = index == text::langGerman ? text::langGerman : text::langEnglish;
    m_program.language.currentLanguage = language;
    StoreLanguage(language);
    app::ApplyLanguageToModels(m_program);
    ApplyQtTranslation();
    SetLanguageDependentText();
    if (!m_program.main.startupCompleted)
        return;
    cmdCompute_Click();
    RecaptionDurationsWindow();
    FocusCompute();
}

void frmMain::txbCell_Click(int cell)
{
    const app::CellClickOutcome outcome = m_program.ClickCell(static_cast<int16_t>(cell));
    SyncFromModel();
    switch (outcome.kind) {
    case app::CellClickOutcome::Kind::Nothing:
        return;
    case app::CellClickOutcome::Kind::FocusOnly:
        break;
    case app::CellClickOutcome::Kind::TransitPicture:
        ShowTransitPicture(outcome);
        break;
    case app::CellClickOutcome::Kind::Information:
        m_boxes.Show(*outcome.message);
        break;
    case app::CellClickOutcome::Kind::DurationsQuestion:
        if (m_boxes.Show(*outcome.message) == platform::Button::Yes) {
            Timer1->stop();
            ReportInDurationsWindow();
            Timer1->start();
        }
        break;
    }
    FocusCompute();
}

void frmMain::cmdToggleGraphic_Click()
{
    app::MainModel& main = m_program.main;
    picGraphic->setToolTip(QString());
    const bool showChart = !main.chartShown;
    main.chartShown = showChart;
    main.gridShown = !showChart;
    if (showChart) {
        SetHeightForMode();
        // Both display filters set: the message, and the grid stays.
        if (picGraphic->DrawChart() == ChartDrawn::FiltersConflict) {
            main.chartShown = false;
            main.gridShown = true;
        }
    }
    main.titleText = app::SetGridTitle(m_program, main.currentMode);
    SyncFromModel();
}

void frmMain::SyncChart()
{
    const bool shown = m_program.main.chartShown;
    if (shown)
        picGraphic->SyncFromModel();
    picGraphic->setVisible(shown);
    ShowSummaries();
}

void frmMain::ShowTransitPicture(const app::CellClickOutcome& outcome)
{
    app::MainModel& main = m_program.main;
    const int16_t birthRow = main.personalSelected(0) ? core::kFirstBirthdateRow : core::kSecondBirthdateRow;
    picGraphic->ShowTransitPicture(display::MakeTransitPicture(m_program.astro, main, birthRow, outcome.p1, outcome.p2,
                                                               outcome.aspect, outcome.zoneMinutes, outcome.beginning,
                                                               outcome.ending, outcome.pictureCaption,
                                                               m_program.language));
    picGraphic->setToolTip(Q(outcome.pictureTooltip));
    main.chartShown = true;
    main.gridShown = false;
    SyncFromModel();
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

// ----- Help, the manual link and the chart image export ------------------------------------------------------

void frmMain::BuildHelpControls()
{
    lblUserManual = new QLabel(this);
    lblUserManual->setObjectName(QStringLiteral("lblUserManual"));
    lblURL = new QLabel(this);
    lblURL->setObjectName(QStringLiteral("lblURL"));
    // Shown as a link (its caption follows the language); a click opens the manual.
    lblURL->setTextFormat(Qt::RichText);
    lblURL->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    lblURL->setCursor(Qt::PointingHandCursor);
}

void frmMain::cmdHelp_Click()
{
    if (frmView == nullptr)
        frmView = new gui::frmView(m_program.language, this);
    if (frmView->isMinimized())
        frmView->showNormal();
    // Over the main window, a little smaller than it, and within the screen.
    if (frmView->windowState() == Qt::WindowNoState)
        frmView->PlaceOnScreen(frameGeometry().adjusted(0, 0, -Px(200), -Px(480)));
    frmView->strFilename = HelpFilePath(m_places.dataFolder).toStdString();
    frmView->setWindowTitle(cmdHelp->text());
    frmView->blnCopyToClipboardInvisible = true;
    frmView->SetTextFont(HelpFont());
    frmView->show();
    frmView->raise();
    frmView->activateWindow();
}

void frmMain::cmdTimeline_Click()
{
    if (frmTimeline == nullptr) {
        frmTimeline = new gui::frmTimeline(m_program, m_boxes, *this);
        connect(frmTimeline, &frmTimeline::worldDateSet, this, [this](const app::ComputeOutcome& outcome) {
            RefreshWeekdays();
            SyncFromModel();
            ShowComputeOutcome(outcome);
        });
    }
    frmTimeline->ShowTimeline();
}

void frmMain::lblURL_Click()
{
    OpenManual(m_places.dataFolder, m_program.language, m_boxes);
}

void frmMain::SaveChartImage()
{
    const text::Language& language = m_program.language;
    const QString path = AskSaveFileName(this, Q(language.Text(text::kTextSaveChartAsPng)),
                                         Q(language.Text(text::kTextPngImages)) + " (*.png)",
                                         QStringLiteral("png"));
    if (path.isEmpty())
        return;
    picGraphic->SyncFromModel();
    // The chart is saved with its title block and captions; a cell's transit picture is saved as shown.
    const QImage image =
        ComposeChartImage(m_program, picGraphic->ChartImage(), picGraphic->TransitPictureShown());
    m_boxes.Show(gui::SaveChartImage(m_program, image, path.toStdString()));
}

// ----- Events -----------------------------------------------------------------------------------------------

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
    return QWidget::eventFilter(watched, event);
}

}  // namespace orvane::gui
