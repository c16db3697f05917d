// frmMain: what the grid, the chart and the buttons beside them open: the report and the durations
// window, the panel, a cell's details and transit picture, help, the manual and the timeline.

#include "gui/main/frm_main.h"

#include "app/actions.h"
#include "datetime/time_zones.h"
#include "display/transit_picture.h"
#include "gui/display/chart_view.h"
#include "gui/display/grid_view.h"
#include "gui/main/frm_charts.h"
#include "gui/tools/frm_positions.h"
#include "gui/platform/qt_widgets.h"
#include "gui/settings/frm_configure.h"
#include "gui/text/help.h"
#include "gui/tools/frm_durations.h"
#include "gui/tools/frm_timeline.h"
#include "gui/tools/frm_view.h"
#include "platform/twips.h"

#include <QPushButton>
#include <QTimer>

namespace orvane::gui {
namespace {

using platform::Px;

}  // namespace

reports::DurationsWindow& frmMain::Durations()
{
    if (!m_durations)
        m_durations.emplace(m_program.astro, m_program.language);
    return *m_durations;
}

frmDurations& frmMain::DurationsView()
{
    if (frmDurations == nullptr) {
        frmDurations = new gui::frmDurations(m_program, Durations(), *this, *picTable);
        connect(frmDurations, &gui::frmDurations::messageForUser, this,
                [this](const platform::Message& message) { m_boxes.Show(message); });
    }
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
    // The chart's outer ring, switched on or off, takes or gives back the room of its margin.
    if (m_program.configure.geoRing != m_heightWithRing)
        SetHeightForMode();
    SyncFromModel();
    if (outcome)
        ShowComputeOutcome(*outcome);
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

void frmMain::ShowTransitPicture(const app::CellClickOutcome& outcome)
{
    app::MainModel& main = m_program.main;
    const int16_t birthRow = main.personalSelected(0) ? core::kFirstBirthdateRow : core::kSecondBirthdateRow;
    picGraphic->ShowTransitPicture(display::MakeTransitPicture(m_program.astro, main, birthRow, outcome.p1, outcome.p2,
                                                               outcome.aspect, outcome.zoneMinutes, *outcome.beginning,
                                                               *outcome.ending, outcome.pictureCaption,
                                                               m_program.language));
    picGraphic->setToolTip(Q(outcome.pictureTooltip));
    main.chartShown = true;
    main.gridShown = false;
    SyncFromModel();
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

void frmMain::cmdCharts_Click()
{
    if (frmCharts == nullptr) {
        frmCharts = new gui::frmCharts(m_program, m_boxes, m_clock, m_places.chartsFile, this);
        connect(frmCharts, &frmCharts::momentChanged, this, &frmMain::Moment_Changed);
    }
    frmCharts->ShowWindow();
}

void frmMain::cmdPositions_Click()
{
    if (frmPositions == nullptr)
        frmPositions = new gui::frmPositions(m_program, this);
    frmPositions->ShowWindow();
}

void frmMain::lblURL_Click()
{
    OpenManual(m_places.dataFolder, m_program.language, m_boxes);
}

}  // namespace orvane::gui
