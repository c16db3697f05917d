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
#include <cmath>

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

std::vector<gui::Picture> TimelineCanvas::PagePictures(QSize page) const
{
    constexpr double kDaysPerPage = 366.0;
    const display::TimelineLayout whole = Layout();
    const int rows = m_timeline.RowCount() + LaneCount();
    const int rowsPerPage = std::max(1, (page.height() - whole.headerHeight) / whole.rowHeight);
    const auto spans = static_cast<int>(std::max(1.0, std::ceil(whole.view.Length() / kDaysPerPage - 1e-9)));
    std::vector<gui::Picture> pages;
    for (int first = 0; first < std::max(rows, 1); first += rowsPerPage) {
        const int count = std::clamp(rows - first, 1, rowsPerPage);
        for (int span = 0; span < spans; ++span) {
            display::TimelineLayout layout = whole;
            layout.width = page.width();
            layout.view.from = whole.view.from + span * whole.view.Length() / spans;
            layout.view.to = whole.view.from + (span + 1) * whole.view.Length() / spans;
            const int height = layout.headerHeight + count * layout.rowHeight;
            pages.push_back({QSize(page.width(), height),
                             [this, picture = Picture(layout, height, first * layout.rowHeight), height,
                              width = page.width()](QPainter& painter) {
                                 painter.save();
                                 painter.setClipRect(QRect(0, 0, width, height));
                                 DrawTimeline(painter, picture);
                                 DrawLanes(painter, picture);
                                 painter.restore();
                             }});
        }
    }
    return pages;
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
    PrintPages(this, [this](QSize page) { return picTimeline->PagePictures(page); }, windowTitle());
}

void frmTimeline::cmdExport_Click()
{
    const gui::Picture picture = picTimeline->WholePicture(std::max(picTimeline->width(), kLeastPictureWidth));
    if (const auto message = ExportPicture(this, picture, m_program.language, cmdExport->text().toStdString()))
        m_boxes.Show(*message);
}

}  // namespace orvane::gui
