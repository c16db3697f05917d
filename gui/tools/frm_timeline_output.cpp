// frmTimeline: every row of the timeline printed, or written as PDF, SVG or PNG, drawn by the timeline's
// painting function as on screen.

#include "gui/tools/frm_timeline.h"

#include "gui/display/timeline_painter.h"
#include "gui/platform/qt_widgets.h"
#include "text/text_numbers.h"

#include <QKeySequence>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

namespace orvane::gui {
namespace {

// The width a printed or exported timeline has at the least, in pixels: a year reads by its months.
constexpr int kLeastPictureWidth = 1200;

}  // namespace

gui::Picture TimelineCanvas::WholePicture(int width) const
{
    display::TimelineLayout layout = Layout();
    layout.width = width;
    const int height = std::max(ContentHeight(), layout.headerHeight + 4 * layout.rowHeight);
    return {QSize(width, height), [this, picture = Picture(layout, height, 0)](QPainter& painter) {
                DrawTimeline(painter, picture);
                DrawLanes(painter, picture);
            }};
}

void frmTimeline::SetOutputCaptions()
{
    const text::Language& language = m_program.language;
    cmdPrint->setText(Q(language.Text(text::kTextPrint)));
    cmdExport->setText(Q(language.Text(text::kTextExport)));
    for (QPushButton* button : {cmdPrint, cmdExport}) {
        button->setShortcut(QKeySequence(Qt::CTRL | (button == cmdPrint ? Qt::Key_P : Qt::Key_E)));
        button->setToolTip(Q(language.TextWithReplacements(
            text::kTextShortcutTip, button->shortcut().toString(QKeySequence::NativeText).toStdString())));
    }
}

void frmTimeline::cmdPrint_Click()
{
    PrintPicture(this, picTimeline->WholePicture(std::max(picTimeline->width(), kLeastPictureWidth)), windowTitle());
}

void frmTimeline::cmdExport_Click()
{
    const gui::Picture picture = picTimeline->WholePicture(std::max(picTimeline->width(), kLeastPictureWidth));
    if (const auto message = ExportPicture(this, picture, m_program.language, cmdExport->text().toStdString()))
        m_boxes.Show(*message);
}

}  // namespace orvane::gui
