// The main window's part of the run until found: the Run button, the pacing of the steps by Timer2, and
// the input controls that a run disables. The run's rules without the window are in search/run_model.h.
//
// The pause between two steps is not a waiting loop: each step ends by starting the single-shot Timer2,
// and its tick performs the next step, so the window keeps processing events (the Run button, now
// captioned "Stop", among them) throughout the run.

#include "app/actions.h"
#include "gui/main/frm_main.h"
#include "text/text_numbers.h"
#include "gui/tools/frm_run.h"
#include "search/run_model.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace orvane::gui {
namespace {

// Whether `widget` holds, at any depth, a control that a run leaves enabled.
bool HoldsControlEnabledDuringRun(const QWidget& widget)
{
    const QList<QWidget*> inside = widget.findChildren<QWidget*>();
    return std::any_of(inside.begin(), inside.end(), [](const QWidget* child) {
        return search::EnabledDuringRun(child->objectName().toStdString());
    });
}

// Disables the enabled controls in `parent` except those a run leaves enabled, and notes each one. A
// container that holds such a control stays enabled and its other controls are disabled one by one.
// Windows of their own (dialogs, the pop-up notice) are left alone.
void DisableDuringRun(QWidget& parent, std::vector<QPointer<QWidget>>& disabled)
{
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || search::EnabledDuringRun(child->objectName().toStdString()))
            continue;
        if (HoldsControlEnabledDuringRun(*child)) {
            DisableDuringRun(*child, disabled);
            continue;
        }
        if (!child->isEnabled())
            continue;
        child->setEnabled(false);
        if (std::find(disabled.begin(), disabled.end(), child) == disabled.end())
            disabled.emplace_back(child);
    }
}

}  // namespace

void frmMain::BuildRunControls()
{
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setSingleShot(true);
    connect(Timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    connect(cmdRun, &QPushButton::clicked, this, &frmMain::cmdRun_Click);
}

frmRun& frmMain::RunDialog()
{
    if (frmRun == nullptr) {
        frmRun = new gui::frmRun(m_program, m_boxes, this);
        // OK starts the run; Cancel and the close box leave it unstarted.
        connect(frmRun, &QDialog::accepted, this, &frmMain::StartRun);
    }
    return *frmRun;
}

void frmMain::cmdRun_Click()
{
    const bool worldTransits = m_program.main.DetermineMode() == core::Mode::WorldTransits;
    switch (search::RunButtonClick(m_program.run, worldTransits)) {
    case search::RunButtonAction::Stop:
        EndRun();
        break;
    case search::RunButtonAction::ShowDialog:
        RunDialog().ShowDialog();
        break;
    case search::RunButtonAction::Start:
        StartRun();
        break;
    }
}

void frmMain::StartRun()
{
    search::StartRun(m_program.run);
    cmdRun->setText(QString::fromStdString(m_program.language.Text(search::RunButtonCaption(m_program.run))));
    EnableInputControls(false);
    RunStep();
}

void frmMain::RunStep()
{
    const app::StepOutcome outcome = m_program.Step(app::Direction::Forward);
    RefreshWeekdays();
    SyncFromModel();
    if (search::WaitForNextStep(m_program.run, outcome.undone)) {
        const bool worldTransits = m_program.main.currentMode == core::Mode::WorldTransits;
        Timer2->start(m_testRunStepInterval.value_or(
            search::RunStepInterval(worldTransits, m_program.runDialog.runQuicklyTicked)));
        return;
    }
    // The pattern was found, or the step met a date that the date input refuses (the step was undone).
    EndRun();
    ShowComputeOutcome(outcome.compute);  // a minimized window is restored before the found message
    if (outcome.compute.found) {
        txbReport->setFocus();
        cmdRun_Click();  // the dialog once more, to run on or cancel
    }
}

void frmMain::Timer2_Timer()
{
    if (search::AdvanceRun(m_program.run, m_program.runDialog))
        RunStep();
}

void frmMain::EndRun()
{
    search::StopRun(m_program.run);
    Timer2->stop();
    cmdRun->setText(QString::fromStdString(m_program.language.Text(search::RunButtonCaption(m_program.run))));
    EnableInputControls(true);
}

void frmMain::CloseRun()
{
    if (m_program.run.isRunning)
        EndRun();
    if (frmRun != nullptr)
        frmRun->hide();
}

void frmMain::EnableInputControls(bool enable)
{
    if (!enable) {
        DisableDuringRun(*this, m_disabledByRun);
        return;
    }
    for (const QPointer<QWidget>& control : m_disabledByRun)
        if (control)
            control->setEnabled(true);
    m_disabledByRun.clear();
    SyncFromModel();  // the controls whose enabled state the models decide
}

}  // namespace orvane::gui
