// frmMain: creating, naming and laying out the controls (in twips, as the window rules measure), and
// connecting each control's signal to its handler.

#include "gui/main/frm_main.h"

#include "app/precise_moments.h"
#include "app/window_rules.h"
#include "gui/display/chart_view.h"
#include "gui/display/grid_view.h"
#include "gui/settings/frm_pop_up.h"
#include "platform/index.h"
#include "platform/twips.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

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
// Label, year, month, day, half hour, zone, the precise-moment button and Clear.
constexpr std::array<int32_t, 8> kDateColumnWidth{1500, 900, 1650, 750, 1050, 1650, 330, 1050};
constexpr int32_t kModesGap = 150;
// The mode options' longest caption, German "Persönliche Transite 1. Geburtsdatum", needs about 3600.
constexpr int32_t kModesWidth = 4710;
constexpr int32_t kModeHeight = 300;
constexpr int32_t kStepRowGap = 120;
constexpr std::array<int32_t, 5> kStepWidth{1200, 900, 1050, 1500, 1050};  // Compute, Now, Back, step, Forward
constexpr int32_t kUnitsGap = 180;
constexpr int32_t kUnitsWidth = 2790;
constexpr int32_t kButtonRowGap = 120;
constexpr int32_t kButtonRowHeight = 390;
constexpr int32_t kTitleGap = 90;
constexpr int32_t kOutputButtonWidth = 1650;  // Print and Export, at the title line's end
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

}  // namespace

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
        cmdMoment[r] = new QPushButton(QStringLiteral("\u25F7"), this);  // a clock face
        lblMoment[r] = new QLabel(this);
        txbYearCE[r]->setMaxLength(8);
        cboTimezone[r]->setMaxVisibleItems(16);
        cboHour[r]->setMaxVisibleItems(16);
        const std::array<std::pair<QWidget*, const char*>, 8> controls{{{Label1[r], "Label1_"},
                                                                         {txbYearCE[r], "txbYearCE_"},
                                                                         {cboMonthCE[r], "cboMonthCE_"},
                                                                         {cboDayCE[r], "cboDayCE_"},
                                                                         {cboHour[r], "cboHour_"},
                                                                         {cboTimezone[r], "cboTimezone_"},
                                                                         {cmdMoment[r], "cmdMoment_"},
                                                                         {cmdClear[r], "cmdClear_"}}};
        for (size_t column = 0; column < controls.size(); ++column) {
            QWidget* control = Named(controls[column].first, controls[column].second + index);
            control->setFixedSize(Px(kDateColumnWidth[column]), Px(kControlHeight));
            rows->addWidget(control, row, static_cast<int>(column));
        }
        // The description of a precise moment stands where the half-hour and zone lists stand, which it
        // replaces while it is shown (SyncDateRows places it there); it looks like a field of the row.
        Named(lblMoment[r], QStringLiteral("lblMoment_") + index);
        lblMoment[r]->setFrameShape(QFrame::StyledPanel);
        lblMoment[r]->setIndent(Px(kControlGap) / 2);
        lblMoment[r]->hide();
        lblMoment[r]->installEventFilter(this);
    }
    // A row without entries hides its Clear button, a row with a precise moment its half-hour and zone
    // lists; the columns keep their places.
    for (size_t r = 0; r < At(core::kNumDateRows); ++r) {
        for (QWidget* control : {static_cast<QWidget*>(cmdClear[r]), static_cast<QWidget*>(cboHour[r]),
                                 static_cast<QWidget*>(cboTimezone[r])}) {
            QSizePolicy policy = control->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            control->setSizePolicy(policy);
        }
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
    // Positions, Charts, Print and Export at the title line's right end; the title keeps the rest of the line.
    cmdPositions = new QPushButton(this);
    cmdCharts = new QPushButton(this);
    cmdPrint = new QPushButton(this);
    cmdExport = new QPushButton(this);
    Named(cmdPositions, QStringLiteral("cmdPositions"));
    Named(cmdCharts, QStringLiteral("cmdCharts"));
    Named(cmdPrint, QStringLiteral("cmdPrint"));
    Named(cmdExport, QStringLiteral("cmdExport"));
    auto* titleLine = new QHBoxLayout;
    titleLine->setSpacing(Px(kControlGap));
    lblTitle->setFixedSize(Px(kInnerWidth - 4 * (kOutputButtonWidth + kControlGap)), Px(kControlHeight));
    titleLine->addWidget(lblTitle);
    for (QPushButton* button : {cmdPositions, cmdCharts, cmdPrint, cmdExport}) {
        button->setFixedSize(Px(kOutputButtonWidth), Px(kControlHeight));
        button->setAutoDefault(false);
        titleLine->addWidget(button);
    }
    window.addLayout(titleLine);
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

void frmMain::ConnectDateRows()
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
                app::DateRowTouched(m_program, row);
                model.SetListIndex(static_cast<int16_t>(index));
                cboRow_Click(row);
            });
        };
        list(cboMonthCE[r], main.monthLists[r]);
        list(cboDayCE[r], main.dayLists[r]);
        list(cboHour[r], main.halfHourLists[r]);
        list(cboTimezone[r], main.zoneLists[r]);
        connect(cmdClear[r], &QPushButton::clicked, this, [this, row] { cmdClear_Click(row); });
        connect(cmdMoment[r], &QPushButton::clicked, this, [this, row] { cmdMoment_Click(row); });
    }
}

void frmMain::ConnectControls()
{
    ConnectDateRows();
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
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmMain::cmdExport_Click);
    connect(cmdCharts, &QPushButton::clicked, this, &frmMain::cmdCharts_Click);
    connect(cmdPositions, &QPushButton::clicked, this, &frmMain::cmdPositions_Click);
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
        order.insert(order.end(), {txbYearCE[r], cboMonthCE[r], cboDayCE[r], cboHour[r], cboTimezone[r], cmdMoment[r], cmdClear[r]});
    order.insert(order.end(), {optPlanetary, optNatal[0], optNatal[1], optPersonal[0], optPersonal[1], optSynastry,
                               cmdCompute, cmdNow, cmdForwardBack[1], cboForwardBack, cmdForwardBack[0], optDegrees,
                               optRadians, cmdRestore, cmdSave, cmdLoadState, cmdSaveAs, cmdReport, cmdTimeline, cmdRun,
                               cmdToggleGraphic, cmdConfigure, cmdHelp, cmdQuit, cmdPositions, cmdCharts, cmdPrint, cmdExport, cboLanguage});
    for (size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

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

}  // namespace orvane::gui
