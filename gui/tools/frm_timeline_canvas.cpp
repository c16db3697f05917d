// The aspect timeline's canvas: painting, zooming, scrolling, hover texts and clicks.

#include "gui/tools/frm_timeline.h"

#include "datetime/date_input.h"
#include "datetime/time_zones.h"
#include "gui/display/grid_view.h"
#include "gui/display/pattern_lane_painter.h"
#include "gui/display/timeline_painter.h"
#include "gui/platform/qt_widgets.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>

namespace orvane::gui {
namespace {

constexpr double kLeastViewDays = 2.0;     // the closest zoom: two days across
constexpr double kZoomPerNotch = 0.8;      // one notch of the wheel
constexpr int kSnapPixels = 5;             // a click this near an exact mark picks the exact moment
constexpr double kLeastTickPixels = 64.0;  // between two tick labels

}  // namespace

// The world date's zone in minutes east of Greenwich: its row's zone, or the computer's.
int16_t WorldZoneMinutes(const app::MainModel& main)
{
    const int16_t position = main.zoneLists[static_cast<size_t>(core::kWorldDateRow)].ListIndex();
    return position > 0 ? datetime::ZoneOffsetMinutes(position) : main.ComputerZone();
}

// The world date as its row shows it, in every mode (the natal modes never convert it, so the last
// computation's world moment may be an older date's); that moment where the row does not convert.
std::optional<double> WorldMoment(const app::Workspace& program)
{
    datetime::DateRows rows = program.main;  // a copy: converting cleans the rows it reads
    if (const platform::Result<double> shown = datetime::InputDateToAJDate(rows, core::kWorldDateRow, program.language))
        return shown.value();
    const double moment = program.main.moments[static_cast<size_t>(core::kWorldDateRow)];
    return moment > 0.0 ? std::optional<double>(moment) : std::nullopt;
}

// The mode's dates as the last computation converted them: false when one it needs did not convert.
bool ModeDatesValid(const app::MainModel& main)
{
    for (int16_t row = 0; row < core::kNumDateRows; ++row)
        if (core::RowUsedByMode(row, main.currentMode) && !(main.moments[static_cast<size_t>(row)] > 0.0))
            return false;
    return core::IsOneDateMode(main.currentMode) || core::IsTwoDateMode(main.currentMode);
}


// ----- The canvas -----------------------------------------------------------------------------------------

TimelineCanvas::TimelineCanvas(const app::Workspace& program, const display::Timeline& timeline, QWidget* parent)
    : QWidget(parent), m_program(program), m_timeline(timeline)
{
    setObjectName(QStringLiteral("picTimeline"));
    setMouseTracking(true);
    setMinimumSize(240, 120);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TimelineCanvas::ShowWholeSpan()
{
    m_view = {m_timeline.from, m_timeline.to};
    m_offset = 0;
    m_hoverRow = -1;
    update();
}

void TimelineCanvas::SetScrollOffset(int offset)
{
    const int most = std::max(0, ContentHeight() - height());
    m_offset = std::clamp(offset, 0, most);
    update();
}

int TimelineCanvas::ContentHeight() const
{
    const display::TimelineLayout layout = Layout();
    return layout.headerHeight + (m_timeline.RowCount() + LaneCount()) * layout.rowHeight;
}

display::TimelineLayout TimelineCanvas::Layout() const
{
    display::TimelineLayout layout;
    const QFontMetrics metrics(font());
    layout.width = width();
    layout.rowHeight = metrics.height() + 6;
    layout.headerHeight = metrics.height() * 2 + 6;
    layout.labelWidth = metrics.horizontalAdvance(QStringLiteral("tr.Ma Sqr nat.Ma")) + 16;
    layout.view = m_view;
    return layout;
}

TimelinePicture TimelineCanvas::Picture(const display::TimelineLayout& layout, int height, int offset) const
{
    const text::Language& language = m_program.language;
    TimelinePicture picture;
    picture.timeline = &m_timeline;
    picture.layout = layout;
    picture.height = height;
    picture.scrollOffset = offset;
    const core::AstroTables& tables = m_program.astro.tables;
    for (const display::TimelineLane& lane : m_timeline.lanes) {
        picture.rowLabels.push_back(Q(display::LaneLabel(tables, m_timeline.mode, lane)));
        std::vector<QString>& labels = picture.markLabels.emplace_back();
        for (const core::Event& mark : lane.marks)
            labels.push_back(Q(display::MarkLabel(tables, mark)));
    }
    for (const display::TimelineRow& row : m_timeline.rows)
        picture.rowLabels.push_back(Q(display::RowLabel(tables, language, m_timeline.mode, row)));
    for (size_t a = 0; a < tables.aspectColors.size(); ++a)
        picture.aspectColours[a] = ToQColor(tables.aspectColors[a]);
    for (const core::Aspect aspect : core::kExtraAspects)
        picture.aspectColours[core::SlotOf(aspect)] = ExtraAspectColour(aspect);
    const int16_t zone = WorldZoneMinutes(m_program.main);
    picture.ticks = display::TimeTicks(layout.view, zone, layout.PixelsPerDay(), kLeastTickPixels,
                                       language.currentLanguage);
    picture.worldMoment = WorldMoment(m_program);
    picture.corner = Q(language.TextWithReplacements(text::kTextTimelineZone, datetime::ZoneText(static_cast<int16_t>(zone / 30 + 24))));
    picture.emptyText = Q(language.Text(ModeDatesValid(m_program.main) ? text::kTextTimelineEmpty : text::kTextTimelineNoDates));
    picture.font = font();
    return picture;
}

QImage TimelineCanvas::WholeImage(int width) const
{
    display::TimelineLayout layout = Layout();
    layout.width = width;
    const int height = std::max(ContentHeight(), layout.headerHeight + 4 * layout.rowHeight);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    const TimelinePicture picture = Picture(layout, height, 0);
    DrawTimeline(painter, picture);
    DrawLanes(painter, picture);
    return image;
}

void TimelineCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TimelinePicture picture = Picture(Layout(), height(), m_offset);
    picture.highlightedRow = m_hoverRow;
    DrawTimeline(painter, picture);
    DrawLanes(painter, picture);
}

void TimelineCanvas::DrawLanes(QPainter& painter, const TimelinePicture& picture) const
{
    if (m_lanes == nullptr)
        return;
    std::vector<QString> labels;
    for (const display::PatternLane& lane : *m_lanes)
        labels.push_back(Q(display::LaneLabel(m_program.astro.tables, lane)));
    DrawPatternLanes(painter, picture, *m_lanes, labels, m_timeline.RowCount());
}

std::string TimelineCanvas::LaneText(int lane, double x) const
{
    const display::TimelineLayout layout = Layout();
    if (m_lanes == nullptr || lane < 0 || lane >= LaneCount() || x < layout.labelWidth)
        return {};
    const double slack = 2.0 / std::max(layout.PixelsPerDay(), 1e-9);
    const core::PatternOccurrence* life = display::LifeAt((*m_lanes)[static_cast<size_t>(lane)], layout.Moment(x), slack);
    return life != nullptr ? display::LifeText(m_program.astro.tables, m_program.language, *life,
                                               WorldZoneMinutes(m_program.main))
                           : std::string();
}

void TimelineCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    SetScrollOffset(m_offset);
    emit scrollOffsetChanged(m_offset);
}

void TimelineCanvas::wheelEvent(QWheelEvent* event)
{
    const display::TimeView bounds{m_timeline.from, m_timeline.to};
    const QPoint delta = event->angleDelta();
    const double notches = (delta.y() != 0 ? delta.y() : delta.x()) / 120.0;
    // Shift turns the wheel sideways on some systems: either way the view moves through time.
    if (event->modifiers().testFlag(Qt::ShiftModifier) || (delta.y() == 0 && delta.x() != 0))
        m_view = display::Scrolled(m_view, -notches * m_view.Length() / 10.0, bounds);
    else
        m_view = display::Zoomed(m_view, Layout().Moment(event->position().x()), std::pow(kZoomPerNotch, notches),
                                 bounds, kLeastViewDays);
    update();
    event->accept();
}

void TimelineCanvas::keyPressEvent(QKeyEvent* event)
{
    const display::TimeView bounds{m_timeline.from, m_timeline.to};
    const double middle = (m_view.from + m_view.to) / 2;
    const int rows = event->key() == Qt::Key_Up ? -Layout().rowHeight : event->key() == Qt::Key_Down ? Layout().rowHeight
                     : event->key() == Qt::Key_PageUp ? -height() : event->key() == Qt::Key_PageDown ? height() : 0;
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal || event->key() == Qt::Key_Minus)
        m_view = display::Zoomed(m_view, middle, event->key() == Qt::Key_Minus ? 1 / kZoomPerNotch : kZoomPerNotch,
                                 bounds, kLeastViewDays);
    else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right)
        m_view = display::Scrolled(m_view, (event->key() == Qt::Key_Left ? -1 : 1) * m_view.Length() / 10.0, bounds);
    else if (event->key() == Qt::Key_Home)
        ShowWholeSpan();
    else if (rows != 0)
        SetScrollOffset(m_offset + rows);
    else
        return QWidget::keyPressEvent(event);
    emit scrollOffsetChanged(m_offset);
    update();
    event->accept();
}

void TimelineCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
        m_dragging = false;
    }
}

void TimelineCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (m_pressedAt && (m_dragging || (at - *m_pressedAt).manhattanLength() >= QApplication::startDragDistance())) {
        // Dragging moves the picture with the pointer, through time and through the rows.
        const QPoint moved = at - *m_pressedAt;
        m_dragging = true;
        m_pressedAt = at;
        m_view = display::Scrolled(m_view, -moved.x() / std::max(Layout().PixelsPerDay(), 1e-9),
                                   {m_timeline.from, m_timeline.to});
        SetScrollOffset(m_offset - moved.y());
        emit scrollOffsetChanged(m_offset);
        return;
    }
    ShowHoverText(at);
}

void TimelineCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressedAt && !m_dragging && event->button() == Qt::LeftButton;
    m_pressedAt.reset();
    m_dragging = false;
    const display::TimelineLayout layout = Layout();
    const QPointF at = event->position();
    if (click && at.x() >= layout.labelWidth && at.x() <= layout.width - layout.rightMargin && m_timeline.RowCount() > 0)
        emit momentClicked(ClickedMoment(at.x(), layout.RowAt(at.y(), m_offset)));
}

void TimelineCanvas::leaveEvent(QEvent*)
{
    m_hoverRow = -1;
    QToolTip::hideText();
    update();
}

double TimelineCanvas::ClickedMoment(double x, int row) const
{
    const display::TimelineLayout layout = Layout();
    const double moment = std::clamp(layout.Moment(x), m_timeline.from, m_timeline.to);
    const double slack = kSnapPixels / std::max(layout.PixelsPerDay(), 1e-9);
    if (const display::TimelineLane* lane = m_timeline.LaneOfRow(row)) {
        const core::Event* mark = display::MarkAt(*lane, moment, slack);
        return mark != nullptr ? mark->moment : moment;
    }
    const display::TimelineRow* aspectRow = m_timeline.AspectRowOf(row);
    if (aspectRow == nullptr)
        return moment;
    const display::TimelineBar* bar = display::BarAt(*aspectRow, moment, slack);
    if (bar == nullptr)
        return moment;
    for (double exact : bar->exacts)
        if (std::abs(exact - moment) <= slack)
            return exact;
    return moment;
}

void TimelineCanvas::ShowHoverText(const QPoint& at)
{
    const display::TimelineLayout layout = Layout();
    const int row = at.y() < layout.headerHeight ? -1 : layout.RowAt(at.y(), m_offset);
    const bool inRows = row >= 0 && row < m_timeline.RowCount();
    // The pattern lanes follow the rows.
    const int patternLane = row - m_timeline.RowCount();
    const bool inLanes = row >= 0 && !inRows && patternLane < LaneCount();
    if (row != m_hoverRow) {
        m_hoverRow = inRows || inLanes ? row : -1;
        update();
    }
    if (inLanes) {
        const std::string text = LaneText(patternLane, at.x());
        if (text.empty())
            QToolTip::hideText();
        else
            QToolTip::showText(mapToGlobal(at), Q(text), this);
        return;
    }
    const double slack = 2.0 / std::max(layout.PixelsPerDay(), 1e-9);
    const double moment = layout.Moment(at.x());
    const int16_t zone = WorldZoneMinutes(m_program.main);
    std::string text;
    const display::TimelineLane* lane = at.x() >= layout.labelWidth ? m_timeline.LaneOfRow(row) : nullptr;
    const display::TimelineRow* aspectRow = at.x() >= layout.labelWidth ? m_timeline.AspectRowOf(row) : nullptr;
    // A mark is thin: the pointer finds it a few pixels off.
    if (const core::Event* mark = lane != nullptr ? display::MarkAt(*lane, moment, 2.0 * slack) : nullptr)
        text = display::MarkText(m_program.astro.tables, m_program.language, *mark, zone);
    else if (const display::TimelineBar* bar = aspectRow != nullptr ? display::BarAt(*aspectRow, moment, slack) : nullptr)
        text = display::BarText(m_program.astro.tables, m_program.language, m_timeline.mode, *aspectRow, *bar, zone);
    if (text.empty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(mapToGlobal(at), Q(text), this);
}

}  // namespace orvane::gui
