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

// The visible rows, from the first under the tick band to the last above the picture's bottom.
void DrawRows(QPainter& painter, const TimelinePicture& picture)
{
    const display::TimelineLayout& layout = picture.layout;
    const std::vector<display::TimelineRow>& rows = picture.timeline->rows;
    const QFontMetrics metrics(picture.font);
    const int first = std::max(0, picture.scrollOffset / layout.rowHeight);
    for (int i = first; i < static_cast<int>(rows.size()); ++i) {
        const int top = layout.headerHeight + i * layout.rowHeight - picture.scrollOffset;
        if (top >= picture.height)
            break;
        const QRect band(0, top, layout.width, layout.rowHeight);
        if (i == picture.highlightedRow)
            painter.fillRect(band, kHighlight);
        else if (i % 2 == 1)
            painter.fillRect(band, kBand);
        const display::TimelineRow& row = rows[static_cast<size_t>(i)];
        const QColor colour = picture.aspectColours.at(core::SlotOf(row.aspect));
        for (const display::TimelineBar& bar : row.bars)
            DrawBar(painter, picture, bar, colour, top);
        if (static_cast<size_t>(i) < picture.rowLabels.size()) {
            painter.setPen(kText);
            const QString label = metrics.elidedText(picture.rowLabels[static_cast<size_t>(i)], Qt::ElideRight,
                                                     layout.labelWidth - 10);
            painter.drawText(QPointF(6, top + (layout.rowHeight - metrics.height()) / 2 + metrics.ascent()), label);
        }
    }
}

}  // namespace

void DrawTimeline(QPainter& painter, const TimelinePicture& picture)
{
    const display::TimelineLayout& layout = picture.layout;
    painter.save();
    painter.setFont(picture.font);
    painter.fillRect(QRect(0, 0, layout.width, picture.height), kGround);
    if (picture.timeline != nullptr && !picture.timeline->rows.empty()) {
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
