#include "gui/tools/frm_durations.h"

#include "core/modes.h"
#include "app/actions.h"
#include "gui/display/page_painter.h"
#include "gui/platform/qt_widgets.h"
#include "text/text_numbers.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace orvane::gui {
namespace {

using platform::Px;

// Layout in twips. The title and the list keep their places at the top left; the buttons, the sort box
// and "Show durations" keep to the bottom edge. The bottom and right offsets count from the window's
// outer edge, which lies a title bar and a border beyond the inner area the controls are placed in.
constexpr int32_t kLeft = 240;
constexpr int32_t kTitleTop = 120;
constexpr int32_t kTitleHeight = 300;
constexpr int32_t kListTop = 480;
constexpr int32_t kTitleToList = 60;
constexpr int32_t kButtonWidth = 1200;
constexpr int32_t kButtonHeight = 375;
constexpr int32_t kBoxHeight = 330;
constexpr int32_t kButtonsFromBottom = 1050;
constexpr int32_t kRightGap = 400;
constexpr int32_t kListToButtons = 200;
constexpr int32_t kLabelDrop = 50;
constexpr int32_t kLabelToBox = 100;
constexpr int32_t kBoxToCheck = 250;
constexpr int32_t kGroupShift = 700;
constexpr int32_t kGroupFromCopy = 120;
constexpr int32_t kOutputGap = 60;  // between the title, Print and Export  // the least gap between Copy and the sort label

// Placement over the main window, and the sizes the window keeps.
constexpr int32_t kBelowGrid = 1575;
constexpr int32_t kBeyondMainWindow = 200;
constexpr int32_t kLeastHeight = 3000;
constexpr int32_t kListOnlyWidth = 8500;

constexpr int kListFontPoints = 9;

// A button is as wide as its caption needs ("In die Zwischenablage kopieren"), never narrower than designed.
int ButtonWidth(const QPushButton& button)
{
    return std::max(Px(kButtonWidth), button.sizeHint().width());
}

}  // namespace

frmDurations::frmDurations(app::Workspace& program, reports::DurationsWindow& model, QWidget& mainWindow,
                           const QWidget& gridBox)
    : QDialog(&mainWindow), m_program(program), m_model(model), m_mainWindow(mainWindow), m_gridBox(gridBox)
{
    setObjectName(QStringLiteral("frmDurations"));
    setModal(false);
    setSizeGripEnabled(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    CreateControls();
    ConnectControls();
    resize(Px(kListOnlyWidth - platform::kWindowFrameWidth), Px(kLeastHeight));
    SyncFromModel();
}

void frmDurations::CreateControls()
{
    lblTitle = Create<QLabel>(this, QStringLiteral("lblTitle"));
    QFont titleFont = font();
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setWordWrap(true);
    lblTitle->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblSortBy = Create<QLabel>(this, QStringLiteral("lblSortBy"));
    cboSortBy = Create<QComboBox>(this, QStringLiteral("cboSortBy"));
    cboSortBy->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    chkShowDuration = Create<QCheckBox>(this, QStringLiteral("chkShowDuration"));
    txbOutput = Create<QPlainTextEdit>(this, QStringLiteral("txbOutput"));
    txbOutput->setReadOnly(true);
    // "Courier New" (its metric twin Liberation Mono on Linux), so that the padded columns line up.
    QFont listFont(QStringLiteral("Courier New"), kListFontPoints);
    listFont.setStyleHint(QFont::Monospace);
    listFont.setFixedPitch(true);
    txbOutput->setFont(listFont);
    cmdCopy = Create<QPushButton>(this, QStringLiteral("cmdCopy"));
    cmdClose = Create<QPushButton>(this, QStringLiteral("cmdClose"));
    cmdPrint = Create<QPushButton>(this, QStringLiteral("cmdPrint"));
    cmdExport = Create<QPushButton>(this, QStringLiteral("cmdExport"));
    for (QPushButton* button : {cmdCopy, cmdClose, cmdPrint, cmdExport})
        button->setAutoDefault(false);
    setTabOrder(cboSortBy, chkShowDuration);
    setTabOrder(chkShowDuration, txbOutput);
    setTabOrder(txbOutput, cmdCopy);
    setTabOrder(cmdCopy, cmdClose);
    setTabOrder(cmdClose, cmdPrint);
    setTabOrder(cmdPrint, cmdExport);
}

void frmDurations::ConnectControls()
{
    connect(cboSortBy, &QComboBox::activated, this, &frmDurations::cboSortBy_Click);
    connect(chkShowDuration, &QCheckBox::clicked, this, &frmDurations::chkShowDuration_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmDurations::cmdCopy_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmDurations::cmdClose_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmDurations::cmdPrint_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmDurations::cmdExport_Click);
}

// ----- Showing ----------------------------------------------------------------------------------------------

QMargins frmDurations::Frame() const
{
    // A window not shown yet has no frame: it will get one like the main window's.
    return FrameMargins(isVisible() ? static_cast<const QWidget&>(*this) : m_mainWindow);
}

void frmDurations::ResizeOuter(int width, int height)
{
    PlaceOnScreen(*this, QRect(frameGeometry().topLeft(), QSize(width, height)), Frame());
}

int frmDurations::WantedOuterWidth() const
{
    // The sentences of the natal and synastry modes take the main window's width, as ticked durations do.
    const bool wide = m_model.showDurationsTicked || !core::IsTransitMode(m_model.currentMode);
    const QRect area = AvailableArea(*this);
    const int screenWidth = area.isEmpty() ? std::numeric_limits<int>::max() : area.width();
    if (wide)
        return std::min(m_mainWindow.frameGeometry().width(), screenWidth);
    // Narrow, but wide enough for the buttons and the sort group between them in either language.
    const QMargins frame = Frame();
    const int bottomRow = Px(kLeft) + ButtonWidth(*cmdCopy) + 2 * Px(kGroupFromCopy) + SortGroupWidth() +
                          ButtonWidth(*cmdClose) + Px(kRightGap) - Px(platform::kWindowFrameWidth) + frame.left() +
                          frame.right();
    return std::min(std::max(Px(kListOnlyWidth), bottomRow), screenWidth);
}

int frmDurations::SortGroupWidth() const
{
    return lblSortBy->sizeHint().width() + Px(kLabelToBox) + cboSortBy->sizeHint().width() + Px(kBoxToCheck) +
           chkShowDuration->sizeHint().width();
}

void frmDurations::ShowReport()
{
    if (isMinimized() || isMaximized())
        setWindowState(Qt::WindowNoState);
    // The activation's work runs here too, so that the window is filled even where the window system
    // does not activate it.
    Form_Activate();
    // Over the lower part of the main window: below its grid, as wide as it, reaching a little below it,
    // but within the screen's available area.
    const QRect main = m_mainWindow.frameGeometry();
    const int top = main.top() + m_gridBox.mapTo(&m_mainWindow, QPoint(0, 0)).x() + Px(kBelowGrid);
    const int height = std::max(main.bottom() + 1 - top + Px(kBeyondMainWindow), Px(kLeastHeight));
    m_resizing = true;
    PlaceOnScreen(*this, QRect(main.left(), top, WantedOuterWidth(), height), Frame());
    m_resizing = false;
    ArrangeControls();
    show();
    raise();
    activateWindow();
}

void frmDurations::SyncFromModel()
{
    if (m_syncing)
        return;
    m_syncing = true;
    setWindowTitle(Q(m_model.Caption));
    lblTitle->setText(Q(m_model.titleText));
    lblSortBy->setText(Q(m_model.sortByCaption));
    SyncComboBox(cboSortBy, m_model.sortList);
    cboSortBy->setVisible(m_model.sortByShown);
    lblSortBy->setVisible(m_model.sortByCaptionShown);
    chkShowDuration->setText(Q(m_model.showDurationsCaption));
    chkShowDuration->setChecked(m_model.showDurationsTicked);
    chkShowDuration->setVisible(m_model.showDurationsShown);
    // The transit list keeps one aspect a line so that its columns line up; sentences wrap.
    txbOutput->setLineWrapMode(core::IsTransitMode(m_model.currentMode) ? QPlainTextEdit::NoWrap
                                                                    : QPlainTextEdit::WidgetWidth);
    const QString output = QLines(m_model.outputText);
    if (txbOutput->toPlainText() != output)
        txbOutput->setPlainText(output);
    cmdCopy->setText(Q(m_model.copyCaption));
    cmdClose->setText(Q(m_model.closeCaption));
    // The captions take the shortcuts away: both are set again with them.
    const text::Language& language = m_program.language;
    cmdPrint->setText(Q(language.Text(text::kTextPrint)));
    cmdExport->setText(Q(language.Text(text::kTextExport)));
    for (QPushButton* button : {cmdPrint, cmdExport}) {
        button->setShortcut(QKeySequence(Qt::CTRL | (button == cmdPrint ? Qt::Key_P : Qt::Key_E)));
        button->setToolTip(Q(language.TextWithReplacements(
            text::kTextShortcutTip, button->shortcut().toString(QKeySequence::NativeText).toStdString())));
    }
    if (isVisible() && windowState() == Qt::WindowNoState && frameGeometry().width() != WantedOuterWidth())
        ResizeOuter(WantedOuterWidth(), frameGeometry().height());
    ArrangeControls();
    m_syncing = false;
}

void frmDurations::ArrangeControls()
{
    // Inner width and height as the outer ones less the frame the offsets are counted with.
    const int right = width() + Px(platform::kWindowFrameWidth);
    const int bottom = height() + Px(platform::kWindowFrameHeight);
    const int buttonTop = bottom - Px(kButtonsFromBottom);
    const int closeWidth = ButtonWidth(*cmdClose);
    const int copyWidth = ButtonWidth(*cmdCopy);
    cmdClose->setGeometry(right - closeWidth - Px(kRightGap), buttonTop, closeWidth, Px(kButtonHeight));
    cmdCopy->setGeometry(Px(kLeft), buttonTop, copyWidth, Px(kButtonHeight));
    // A title longer than the window (personal transits in the narrow window) wraps, and the list moves
    // down below it.
    const int listWidth = std::max(0, right - Px(kLeft) - Px(kRightGap));
    // Print and Export at the right end of the title line; the title wraps in the room before them.
    const int exportWidth = ButtonWidth(*cmdExport);
    const int printWidth = ButtonWidth(*cmdPrint);
    const int exportLeft = right - Px(kRightGap) - exportWidth;
    const int printLeft = exportLeft - Px(kOutputGap) - printWidth;
    cmdExport->setGeometry(exportLeft, Px(kTitleTop), exportWidth, Px(kTitleHeight));
    cmdPrint->setGeometry(printLeft, Px(kTitleTop), printWidth, Px(kTitleHeight));
    const int titleWidth = std::max(0, printLeft - Px(kOutputGap) - Px(kLeft));
    const int titleHeight = std::max(Px(kTitleHeight), lblTitle->heightForWidth(titleWidth));
    lblTitle->setGeometry(Px(kLeft), Px(kTitleTop), titleWidth, titleHeight);
    const int listTop = std::max(Px(kListTop), Px(kTitleTop) + titleHeight + Px(kTitleToList));
    txbOutput->setGeometry(Px(kLeft), listTop, listWidth, std::max(0, buttonTop - listTop - Px(kListToButtons)));

    // The sort label, the sort box and "Show durations" form one group between the two buttons, a little
    // left of the middle, and touching neither button.
    const int labelWidth = lblSortBy->sizeHint().width();
    const int boxWidth = cboSortBy->sizeHint().width();
    const int checkWidth = chkShowDuration->sizeHint().width();
    const int copyRight = cmdCopy->geometry().right() + 1;
    const int gap = cmdClose->x() - copyRight;
    const int centred = copyRight + (gap - labelWidth - boxWidth - checkWidth) / 2 - Px(kGroupShift);
    const int labelLeft = std::max(std::min(centred, cmdClose->x() - Px(kGroupFromCopy) - SortGroupWidth()),
                                   copyRight + Px(kGroupFromCopy));
    lblSortBy->setGeometry(labelLeft, buttonTop + Px(kLabelDrop), labelWidth, Px(kBoxHeight) - Px(kLabelDrop));
    const int boxLeft = labelLeft + labelWidth + Px(kLabelToBox);
    cboSortBy->setGeometry(boxLeft, buttonTop, boxWidth, Px(kBoxHeight));
    chkShowDuration->setGeometry(boxLeft + boxWidth + Px(kBoxToCheck), buttonTop, checkWidth, Px(kBoxHeight));
}

// ----- Handlers ---------------------------------------------------------------------------------------------

void frmDurations::Form_Activate()
{
    if (m_model.currentMode == core::Mode::None)
        return;
    m_program.main.totalAspects = m_program.main.result.TotalAspects();
    m_model.Activate(m_program.main.totalAspects, app::NatalListingInputsOf(m_program));
    SyncFromModel();
}

void frmDurations::cboSortBy_Click(int index)
{
    if (m_syncing)
        return;
    m_model.sortList.SetListIndex(static_cast<int16_t>(index));
    m_model.SortChosen();
    SyncFromModel();
    if (cmdClose->isVisible() && cmdClose->isEnabled())
        cmdClose->setFocus();
}

void frmDurations::chkShowDuration_Click(bool ticked)
{
    if (m_syncing)
        return;
    m_model.showDurationsTicked = ticked;
    m_model.ToggleDurations();
    SyncFromModel();
}

void frmDurations::cmdCopy_Click()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(Q(m_model.ClipboardText()));
}

Picture frmDurations::ListPicture() const
{
    return TextPagePicture(lblTitle->text(), txbOutput->toPlainText(), lblTitle->font(), txbOutput->font());
}

void frmDurations::cmdPrint_Click()
{
    PrintPicture(this, ListPicture(), windowTitle());
}

void frmDurations::cmdExport_Click()
{
    if (const auto message = ExportPicture(this, ListPicture(), m_program.language, cmdExport->text().toStdString()))
        emit messageForUser(*message);
}

void frmDurations::cmdClose_Click()
{
    setWindowState(Qt::WindowNoState);
    hide();
}

// ----- Events -----------------------------------------------------------------------------------------------

bool frmDurations::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

void frmDurations::closeEvent(QCloseEvent* event)
{
    cmdClose_Click();
    event->accept();
}

void frmDurations::reject()
{
    cmdClose_Click();
}

void frmDurations::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!m_resizing && isVisible() && !isMinimized()) {
        // Never lower than its least height; in the normal state as wide as the list needs.
        const QRect outer = frameGeometry();
        const int wantedHeight = std::max(outer.height(), Px(kLeastHeight));
        const int wantedWidth = windowState() == Qt::WindowNoState ? WantedOuterWidth() : outer.width();
        if (wantedHeight != outer.height() || wantedWidth != outer.width()) {
            m_resizing = true;
            ResizeOuter(wantedWidth, wantedHeight);
            m_resizing = false;
        }
    }
    ArrangeControls();
}

}  // namespace orvane::gui
