// frmMain: what the window shows, printed (Print ...) or written as PDF, SVG or PNG (Export ...), and the
// keyboard shortcuts of its buttons with the tooltips that name them.

#include "gui/main/frm_main.h"

#include "app/page_heading.h"

#include "gui/display/chart_view.h"
#include "gui/display/grid_view.h"
#include "gui/display/page_painter.h"
#include "gui/platform/picture_output.h"
#include "gui/platform/qt_widgets.h"
#include "text/text_numbers.h"

#include <QKeySequence>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include <utility>
#include <vector>

namespace orvane::gui {

std::vector<std::pair<QPushButton*, QKeySequence>> frmMain::Shortcuts() const
{
    return {{cmdCompute, QKeySequence(Qt::Key_F5)},
            {cmdNow, QKeySequence(Qt::CTRL | Qt::Key_N)},
            {cmdForwardBack[kBackButton], QKeySequence(Qt::ALT | Qt::Key_Left)},
            {cmdForwardBack[kForwardButton], QKeySequence(Qt::ALT | Qt::Key_Right)},
            {cmdRestore, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O)},
            {cmdSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
            {cmdLoadState, QKeySequence(Qt::CTRL | Qt::Key_O)},
            {cmdSaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
            {cmdReport, QKeySequence(Qt::CTRL | Qt::Key_R)},
            {cmdTimeline, QKeySequence(Qt::CTRL | Qt::Key_T)},
            {cmdRun, QKeySequence(Qt::Key_F9)},
            {cmdToggleGraphic, QKeySequence(Qt::CTRL | Qt::Key_G)},
            {cmdConfigure, QKeySequence(Qt::CTRL | Qt::Key_Comma)},
            {cmdHelp, QKeySequence(Qt::Key_F1)},
            {cmdQuit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
            {cmdPrint, QKeySequence(Qt::CTRL | Qt::Key_P)},
            {cmdExport, QKeySequence(Qt::CTRL | Qt::Key_E)},
            {cmdCharts, QKeySequence(Qt::CTRL | Qt::Key_K)},
            {cmdPositions, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)}};
}

QKeySequence frmMain::ChartPictureKey()
{
    return QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S);
}

void frmMain::SetShortcuts()
{
    // A shortcut of the window rather than of the button: a button's new caption would take its own away.
    // The key presses the button only while it can be pressed.
    for (const auto& [button, keys] : Shortcuts()) {
        auto* shortcut = new QShortcut(keys, this);
        if (button == cmdSaveAs) {
            // One key, one meaning: Ctrl+Shift+S saves the state even while the button saves the chart.
            connect(shortcut, &QShortcut::activated, this, [this] {
                if (cmdSaveAs->isEnabled() && cmdSaveAs->isVisible())
                    SaveStateAs();
            });
            continue;
        }
        connect(shortcut, &QShortcut::activated, button, [button = button] {
            if (button->isEnabled() && button->isVisible())
                button->click();
        });
    }
    connect(new QShortcut(ChartPictureKey(), this), &QShortcut::activated, this, [this] {
        if (m_program.main.chartShown && cmdSaveAs->isEnabled() && cmdSaveAs->isVisible())
            SaveChartImage();
    });
}

void frmMain::SetShortcutTips()
{
    // The key named as the platform writes it, in the interface's language (Ctrl+S, Strg+S).
    for (const auto& [button, keys] : Shortcuts())
        button->setToolTip(Q(m_program.language.TextWithReplacements(
            text::kTextShortcutTip, keys.toString(QKeySequence::NativeText).toStdString())));
    SetSaveAsTip();
    cmdCharts->setToolTip(Q(m_program.language.Text(text::kTextChartsButtonTip)) + '\n' + cmdCharts->toolTip());
    cmdPositions->setToolTip(Q(m_program.language.Text(text::kTextPositionsButtonTip)) + '\n' + cmdPositions->toolTip());
}

void frmMain::SetSaveAsTip()
{
    // The button names the key of what it does now: the chart picture's while it saves the chart.
    const QKeySequence keys =
        m_program.main.chartShown ? ChartPictureKey() : QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    cmdSaveAs->setToolTip(Q(m_program.language.TextWithReplacements(
        text::kTextShortcutTip, keys.toString(QKeySequence::NativeText).toStdString())));
}

Picture frmMain::ShownPicture() const
{
    if (m_program.main.chartShown)
        return picGraphic->ShownPicture();
    // The summary beside the grid in the one-date modes, below it in the two-date modes.
    const bool below = txbReport1->isVisible();
    const QPlainTextEdit* summary = below ? txbReport1 : txbReport;
    QStringList heading;
    for (const std::string& line : app::PageHeading(m_program))
        heading << Q(line);
    return GridPagePicture(*picTable, lblTitle->text(), heading.join(QLatin1Char('\n')), summary->toPlainText(), below,
                           font());
}

void frmMain::cmdPrint_Click()
{
    picGraphic->SyncFromModel();
    PrintPicture(this, ShownPicture(), windowTitle());
}

void frmMain::cmdExport_Click()
{
    picGraphic->SyncFromModel();
    if (const auto message = ExportPicture(this, ShownPicture(), m_program.language, cmdExport->text().toStdString()))
        m_boxes.Show(*message);
}

}  // namespace orvane::gui
