#include "gui/display/pattern_lane_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace orvane::gui {
namespace {

const QColor kBand(20, 20, 28);
const QColor kHighlight(44, 44, 60);
const QColor kLife(214, 170, 60);        // a pattern's life: gold, apart from every aspect colour
const QColor kLifeOpen(150, 120, 45);    // the part of a life cut by the span
const QColor kPeak(255, 255, 255);
const QColor kText(224, 224, 224);
const QColor kSeparator(112, 112, 112);
const QColor kWorldLine(32, 160, 255);
const QColor kHeading(150, 200, 255);
constexpr double kLeastBarWidth = 9.0;  // pixels: a life of hours keeps its colour beside its diamond

void DrawLife(QPainter& painter, const TimelinePicture& picture, const core::PatternOccurrence& life, int top)
{
    const display::TimelineLayout& layout = picture.layout;
    const double from = life.begin.value_or(layout.view.from - 1.0);
    const double to = life.end.value_or(layout.view.to + 1.0);
    double left = std::max(layout.X(from), double(layout.labelWidth));
    double right = std::min(layout.X(to), double(layout.width - layout.rightMargin));
    if (right < left)
        return;
    const double widen = std::max(0.0, kLeastBarWidth - (right - left)) / 2;
    left -= widen;
    right += widen;
    const double inset = layout.rowHeight / 5.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(life.begin && life.end ? kLife : kLifeOpen);
    painter.drawRect(QRectF(left, top + inset, right - left, layout.rowHeight - 2 * inset));
    const double x = layout.X(life.peak);
    if (x < left || x > right)
        return;
    // The tightest moment: a small white diamond standing out above and below the bar.
    const double middle = top + layout.rowHeight / 2.0;
    const double half = layout.rowHeight / 2.0 - 2.0;
    QPainterPath diamond;
    diamond.moveTo(x, middle - half);
    diamond.lineTo(x + 2.5, middle);
    diamond.lineTo(x, middle + half);
    diamond.lineTo(x - 2.5, middle);
    diamond.closeSubpath();
    painter.setBrush(kPeak);
    painter.drawPath(diamond);
}

}  // namespace

void DrawPatternLanes(QPainter& painter, const TimelinePicture& picture, const std::vector<display::PatternLane>& lanes,
                      const std::vector<QString>& labels, int firstRow)
{
    if (lanes.empty())
        return;
    const display::TimelineLayout& layout = picture.layout;
    painter.save();
    painter.setFont(picture.font);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(QRect(0, layout.headerHeight, layout.width, picture.height - layout.headerHeight));
    const QFontMetrics metrics(picture.font);
    const int firstTop = layout.headerHeight + firstRow * layout.rowHeight - picture.scrollOffset;
    painter.setPen(QPen(kSeparator, 1.0));
    painter.drawLine(QPointF(0, firstTop + 0.5), QPointF(layout.width, firstTop + 0.5));
    for (size_t i = 0; i < lanes.size(); ++i) {
        const int row = firstRow + static_cast<int>(i);
        const int top = firstTop + static_cast<int>(i) * layout.rowHeight;
        if (top + layout.rowHeight < layout.headerHeight)
            continue;
        if (top >= picture.height)
            break;
        const QRect band(0, top + 1, layout.width, layout.rowHeight - 1);
        if (row == picture.highlightedRow && !lanes[i].heading)
            painter.fillRect(band, kHighlight);
        else if (row % 2 == 1 && !lanes[i].heading)
            painter.fillRect(band, kBand);
        for (const core::PatternOccurrence& life : lanes[i].lives)
            DrawLife(painter, picture, life, top);
        if (i < labels.size()) {
            painter.setPen(lanes[i].heading ? kHeading : kText);
            const QString label = metrics.elidedText(labels[i], Qt::ElideRight, layout.labelWidth - 10);
            painter.drawText(QPointF(6, top + (layout.rowHeight - metrics.height()) / 2 + metrics.ascent()), label);
        }
    }
    if (picture.worldMoment) {
        const double x = layout.X(*picture.worldMoment);
        if (x >= layout.labelWidth && x <= layout.width - layout.rightMargin) {
            painter.setPen(QPen(kWorldLine, 2.0));
            painter.drawLine(QPointF(x, firstTop), QPointF(x, picture.height));
        }
    }
    painter.restore();
}

}  // namespace orvane::gui
