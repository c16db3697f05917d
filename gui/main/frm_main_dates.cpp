// frmMain: the date rows, the mode and unit options, the step controls and the language switch.

#include "gui/main/frm_main.h"

#include "app/actions.h"
#include "app/precise_moments.h"
#include "app/startup.h"
#include "app/window_rules.h"
#include "datetime/date_input.h"
#include "gui/main/frm_moment.h"
#include "gui/platform/qt_widgets.h"
#include "platform/index.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace orvane::gui {
namespace {

using platform::At;

}  // namespace

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
    ShowComputerZoneNotice();
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

void frmMain::ShowComputerZoneNotice()
{
    if (const std::optional<platform::Message> notice = app::ComputerZoneNotice(m_program)) {
        // The first sentence names the zone; what the foot line has no room for, the row itself shows.
        const QString text = QLines(notice->text);
        lblFoot->setText(lblFoot->fontMetrics().elidedText(text, Qt::ElideRight, lblFoot->width()));
        lblFoot->setToolTip(text);
    }
}

void frmMain::cmdMoment_Click(int16_t row)
{
    if (frmMoment == nullptr) {
        frmMoment = new gui::frmMoment(m_program, m_boxes, m_clock, this);
        connect(frmMoment, &frmMoment::momentChanged, this, &frmMain::Moment_Changed);
    }
    frmMoment->ShowDialog(row);
}

void frmMain::Moment_Changed(int16_t row)
{
    ResetFootLabel();
    if (core::RowUsedByMode(row, m_program.main.DetermineMode())) {
        cmdCompute_Click();
    } else {
        RefreshWeekdays();
        SyncFromModel();
    }
    FocusCompute();
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
    app::DateRowTouched(m_program, row);
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

}  // namespace orvane::gui
