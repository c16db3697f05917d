#include "gui/display/timeline_painter.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace orvane::gui {
namespace {

const QColor kGround(0, 0, 0);
const QColor kBand(20, 20, 28);          // every other row
const QColor kHighlight(44, 44, 60);     // the row under the pointer
const QColor kMinorTick(48, 48, 48);
const QColor kMonthTick(72, 72, 72);
const QColor kMajorTick(112, 112, 112);
const QColor kText(224, 224, 224);
const QColor kDayText(160, 160, 160);
const QColor kExactMark(255, 255, 255);
const QColor kWorldLine(32, 160, 255);
const QColor kLaneGround(16, 28, 24);    // a body's lane, told apart from the aspect rows
const QColor kMarkLabel(176, 176, 176);
constexpr double kLeastBarWidth = 5.0;  // pixels

void DrawTicks(QPainter& painter, const TimelinePicture& picture)
{
    const display::TimelineLayout& layout = picture.layout;
    const QFontMetrics metrics(picture.font);
    const int lineHeight = layout.headerHeight / 2;
    for (const display::TimeTick& tick : picture.ticks) {
        const double x = std::round(layout.X(tick.moment)) + 0.5;
        if (x < layout.labelWidth || x > layout.width - layout.rightMargin)
            continue;
        const int labelTop = tick.line * lineHeight + (lineHeight - metrics.height()) / 2;
        // The month the view begins in is named at the left edge, without a line of its own.
        if (tick.moment > layout.view.from || tick.line == 1) {
            painter.setPen(tick.line == 1 ? kMinorTick : tick.major ? kMajorTick : kMonthTick);
            painter.drawLine(QPointF(x, tick.line * lineHeight), QPointF(x, picture.height));
        }
        const QString label = QString::fromStdString(tick.label);
        if (x + 3 + metrics.horizontalAdvance(label) > layout.width)
            continue;
        painter.setPen(tick.line == 1 ? kDayText : kText);
        painter.drawText(QPointF(x + 3, labelTop + metrics.ascent()), label);
    }
    painter.setPen(kMajorTick);
    painter.drawLine(QPointF(layout.labelWidth, layout.headerHeight - 0.5),
                     QPointF(layout.width - layout.rightMargin, layout.headerHeight - 0.5));
}

void DrawBar(QPainter& painter, const TimelinePicture& picture, const display::TimelineBar& bar, const QColor& colour, int top)
{
    const display::TimelineLayout& layout = picture.layout;
    double left = std::max(layout.X(bar.from), double(layout.labelWidth));
    double right = std::min(layout.X(bar.to), double(layout.width - layout.rightMargin));
    if (right < left)
        return;
    // A stay of a day or two keeps its colour visible beside its exact mark.
    const double widen = std::max(0.0, kLeastBarWidth - (right - left)) / 2;
    left -= widen;
    right += widen;
    const double inset = layout.rowHeight / 5.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRect(QRectF(left, top + inset, right - left, layout.rowHeight - 2 * inset));
    painter.setPen(QPen(kExactMark, 1.0));
    for (double exact : bar.exacts) {
        const double x = std::round(layout.X(exact)) + 0.5;
        if (x >= left && x <= right)
            painter.drawLine(QPointF(x, top + inset - 3.0), QPointF(x, top + layout.rowHeight - inset + 3.0));
    }
}

// A lane's marks: a line across the lane with a small triangle on top, the label to its right where the
// next mark leaves room for it.
void DrawLane(QPainter& painter, const TimelinePicture& picture, size_t laneIndex, int top)
{
    const display::TimelineLayout& layout = picture.layout;
    const display::TimelineLane& lane = picture.timeline->lanes[laneIndex];
    const QFontMetrics metrics(picture.font);
    const double right = layout.width - layout.rightMargin;
    const double inset = layout.rowHeight / 6.0;
    for (size_t m = 0; m < lane.marks.size(); ++m) {
        const core::Event& mark = lane.marks[m];
        const double x = std::round(layout.X(mark.moment)) + 0.5;
        if (x < layout.labelWidth || x > right)
            continue;
        const QColor colour = MarkColour(mark.kind);
        painter.setPen(QPen(colour, 1.0));
        painter.drawLine(QPointF(x, top + inset), QPointF(x, top + layout.rowHeight - inset));
        const QPointF triangle[3] = {{x - 3.5, top + inset}, {x + 3.5, top + inset}, {x, top + inset + 5.0}};
        painter.setBrush(colour);
        painter.drawPolygon(triangle, 3);
        if (laneIndex >= picture.markLabels.size() || m >= picture.markLabels[laneIndex].size())
            continue;
        const QString& label = picture.markLabels[laneIndex][m];
        const double next = m + 1 < lane.marks.size() ? std::min(layout.X(lane.marks[m + 1].moment), right) : right;
        if (x + 4 + metrics.horizontalAdvance(label) + 4 > next)
            continue;
        painter.setPen(kMarkLabel);
        painter.drawText(QPointF(x + 4, top + (layout.rowHeight - metrics.height()) / 2 + metrics.ascent()), label);
    }
}

// The visible rows, from the first under the tick band to the last above the picture's bottom.
void DrawRows(QPainter& painter, const TimelinePicture& picture)
{
    const display::TimelineLayout& layout = picture.layout;
    const display::Timeline& timeline = *picture.timeline;
    const QFontMetrics metrics(picture.font);
    const int first = std::max(0, picture.scrollOffset / layout.rowHeight);
    for (int i = first; i < timeline.RowCount(); ++i) {
        const int top = layout.headerHeight + i * layout.rowHeight - picture.scrollOffset;
        if (top >= picture.height)
            break;
        const QRect band(0, top, layout.width, layout.rowHeight);
        if (i == picture.highlightedRow)
            painter.fillRect(band, kHighlight);
        else if (timeline.LaneOfRow(i) != nullptr)
            painter.fillRect(band, kLaneGround);
        else if (i % 2 == 1)
            painter.fillRect(band, kBand);
        if (const display::TimelineRow* row = timeline.AspectRowOf(i)) {
            const QColor colour = picture.aspectColours.at(core::SlotOf(row->aspect));
            for (const display::TimelineBar& bar : row->bars)
                DrawBar(painter, picture, bar, colour, top);
        } else {
            DrawLane(painter, picture, static_cast<size_t>(i), top);
        }
        if (static_cast<size_t>(i) < picture.rowLabels.size()) {
            painter.setPen(kText);
            const QString label = metrics.elidedText(picture.rowLabels[static_cast<size_t>(i)], Qt::ElideRight,
                                                     layout.labelWidth - 10);
            painter.drawText(QPointF(6, top + (layout.rowHeight - metrics.height()) / 2 + metrics.ascent()), label);
        }
    }
}

}  // namespace

QColor MarkColour(core::EventKind kind)
{
    switch (kind) {
    case core::EventKind::Ingress: return {255, 214, 92};
    case core::EventKind::Cross: return {120, 200, 255};
    case core::EventKind::Return: return {255, 120, 220};
    case core::EventKind::AscendingNode: case core::EventKind::DescendingNode: return {120, 230, 140};
    case core::EventKind::Perihelion: case core::EventKind::Aphelion: return {255, 150, 70};
    default: return {200, 200, 200};
    }
}

QColor ExtraAspectColour(core::Aspect aspect)
{
    switch (aspect) {
    case core::Aspect::Semisquare: return {190, 90, 90};
    case core::Aspect::Sesquiquadrate: return {200, 120, 60};
    case core::Aspect::Quintile: return {70, 170, 170};
    default: return {150, 110, 200};  // biquintile
    }
}

void DrawTimeline(QPainter& painter, const TimelinePicture& picture)
{
    const display::TimelineLayout& layout = picture.layout;
    painter.save();
    painter.setFont(picture.font);
    painter.fillRect(QRect(0, 0, layout.width, picture.height), kGround);
    if (picture.timeline != nullptr && picture.timeline->RowCount() > 0) {
        painter.save();
        painter.setClipRect(QRect(0, layout.headerHeight, layout.width, picture.height - layout.headerHeight));
        DrawRows(painter, picture);
        painter.restore();
    } else {
        painter.setPen(kText);
        painter.drawText(QRect(layout.labelWidth, layout.headerHeight, layout.width - layout.labelWidth,
                               picture.height - layout.headerHeight),
                         Qt::AlignCenter | Qt::TextWordWrap, picture.emptyText);
    }
    DrawTicks(painter, picture);
    painter.setPen(kText);
    painter.drawText(QRect(6, 0, layout.labelWidth - 8, layout.headerHeight), Qt::AlignVCenter | Qt::AlignLeft,
                     QFontMetrics(picture.font).elidedText(picture.corner, Qt::ElideRight, layout.labelWidth - 8));
    if (picture.worldMoment) {
        const double x = layout.X(*picture.worldMoment);
        if (x >= layout.labelWidth && x <= layout.width - layout.rightMargin) {
            painter.setPen(QPen(kWorldLine, 2.0));
            painter.drawLine(QPointF(x, 0.0), QPointF(x, picture.height));
        }
    }
    painter.restore();
}

}  // namespace orvane::gui
