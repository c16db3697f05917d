// frmMain: the file actions Restore, Save, Save as (the state, or the chart image while the chart is shown)
// and Load from, with the notices they pop up.

#include "gui/main/frm_main.h"

#include "app/window_rules.h"
#include "gui/display/chart_view.h"
#include "gui/main/notice_sizes.h"
#include "gui/platform/qt_widgets.h"
#include "gui/platform/save_dialog.h"
#include "gui/settings/frm_pop_up.h"
#include "gui/tools/image_export.h"
#include "platform/twips.h"
#include "text/text_numbers.h"

#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include <filesystem>

namespace orvane::gui {

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
    if (!outcome.file) {
        m_boxes.Show(outcome.file.error());
        return false;
    }
    ShowComputeOutcome(outcome.compute);
    return true;
}

void frmMain::cmdSave_Click()
{
    const app::StateFileOutcome outcome = m_program.Save(m_store);
    SyncFromModel();
    if (!outcome.file) {
        m_boxes.Show(outcome.file.error());
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
    SaveStateAs();
}

void frmMain::SaveStateAs()
{
    const text::Language& language = m_program.language;
    const QString path = AskSaveFileName(this, Q(language.Text(text::kTextSaveStateAs)),
                                         Q(language.Text(text::kTextStateFiles)) + " (*.qvs)", "qvs");
    if (path.isEmpty())
        return;
    const app::StateFileOutcome outcome = m_program.SaveAs(path.toStdString(), m_store);
    SyncFromModel();
    if (!outcome.file) {
        m_boxes.Show(outcome.file.error());
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

}  // namespace orvane::gui
