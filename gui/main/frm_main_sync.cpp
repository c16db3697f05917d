// frmMain: bringing every widget back in line with the models after a handler ran.

#include "gui/main/frm_main.h"

#include "app/precise_moments.h"
#include "app/window_rules.h"
#include "datetime/date_input.h"
#include "gui/display/chart_view.h"
#include "gui/display/grid_view.h"
#include "gui/platform/qt_widgets.h"
#include "gui/tools/frm_positions.h"
#include "gui/tools/frm_timeline.h"
#include "platform/index.h"
#include "text/text_numbers.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace orvane::gui {
namespace {

using platform::At;

void SyncText(QPlainTextEdit* box, const std::string& text)
{
    const QString lines = QLines(text);
    if (box->toPlainText() != lines)
        box->setPlainText(lines);
}

}  // namespace

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
    if (frmPositions != nullptr && frmPositions->isVisible())
        frmPositions->SyncFromModel();  // the positions of the moment now shown
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
        // A precise moment is told in place of the half-hour and zone lists, which show it only roughly; a
        // long description gives up the middle of the zone's name, keeping the time and the offset.
        const QString moment = Q(app::PreciseMomentLabel(m_program, row));
        cboHour[r]->setVisible(moment.isEmpty());
        cboTimezone[r]->setVisible(moment.isEmpty());
        lblMoment[r]->setVisible(!moment.isEmpty());
        // The room of the two lists, which the description takes once the window is laid out.
        lblMoment[r]->setGeometry(cboHour[r]->geometry().united(cboTimezone[r]->geometry()));
        const int room = lblMoment[r]->width() - 2 * (lblMoment[r]->indent() + lblMoment[r]->frameWidth());
        lblMoment[r]->setText(room > 0 ? lblMoment[r]->fontMetrics().elidedText(moment, Qt::ElideMiddle, room) : moment);
        lblMoment[r]->setToolTip(moment.isEmpty() ? QString()
                                                  : moment + '\n' + Q(m_program.language.Text(text::kTextMomentRowTip)));
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
    SetSaveAsTip();
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
    lblFoot->setToolTip(QString());
}

void frmMain::FocusCompute()
{
    if (cmdCompute->isEnabled())
        cmdCompute->setFocus();
}

void frmMain::ShowComputeOutcome(const app::ComputeOutcome& outcome)
{
    if (!outcome.dates)
        m_boxes.Show(outcome.dates.error());
    if (outcome.found) {
        if (isMinimized())
            showNormal();
        m_boxes.Show(*outcome.found);
    }
}

void frmMain::SyncChart()
{
    const bool shown = m_program.main.chartShown;
    if (shown)
        picGraphic->SyncFromModel();
    picGraphic->setVisible(shown);
    ShowSummaries();
}

}  // namespace orvane::gui
