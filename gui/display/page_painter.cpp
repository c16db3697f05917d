#include "gui/display/page_painter.h"

#include "gui/display/grid_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace orvane::gui {
namespace {

// Pixels of white around the page's content, between its title and what follows, and between the grid
// and its summary; the least width of the summary and of a text page.
constexpr int kMargin = 24;
constexpr int kGap = 12;
constexpr int kSummaryWidth = 380;
constexpr int kLeastPageWidth = 480;
constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// The text's box when it wraps at `width` pixels in `font`.
QRect TextBox(const QString& text, const QFont& font, int width)
{
    return QFontMetrics(font).boundingRect(QRect(0, 0, width, 100000), kTextFlags, text);
}

}  // namespace

Picture GridPagePicture(const GridView& grid, const QString& title, const QString& heading, const QString& summary,
                        bool summaryBelow, const QFont& font)
{
    QFont titleFont = font;
    titleFont.setBold(true);
    const QSize gridSize = grid.size();
    const int summaryWidth = summaryBelow ? gridSize.width() : kSummaryWidth;
    const int contentWidth = summaryBelow ? gridSize.width() : gridSize.width() + kGap + summaryWidth;
    const int titleHeight = TextBox(title, titleFont, contentWidth).height();
    const int headingHeight = heading.isEmpty() ? 0 : TextBox(heading, font, contentWidth).height();
    const QRect headingBox(kMargin, kMargin + titleHeight + kGap / 2, contentWidth, headingHeight);
    const int summaryHeight = summary.isEmpty() ? 0 : TextBox(summary, font, summaryWidth).height();
    const QPoint gridAt(kMargin, headingBox.bottom() + 1 + kGap);
    const QRect summaryBox = summaryBelow
                                 ? QRect(kMargin, gridAt.y() + gridSize.height() + kGap, summaryWidth, summaryHeight)
                                 : QRect(gridAt.x() + gridSize.width() + kGap, gridAt.y(), summaryWidth, summaryHeight);
    const int bottom = std::max(gridAt.y() + gridSize.height(), summaryBox.bottom() + 1);
    const QSize size(contentWidth + 2 * kMargin, bottom + kMargin);
    return {size, [&grid, title, heading, summary, font, titleFont, gridAt, gridSize, summaryBox, headingBox,
                   contentWidth, size, titleHeight](QPainter& painter) {
                painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
                painter.setPen(Qt::black);
                painter.setFont(titleFont);
                painter.drawText(QRect(kMargin, kMargin, contentWidth, titleHeight), kTextFlags, title);
                painter.setFont(font);
                painter.drawText(headingBox, kTextFlags, heading);
                painter.save();
                painter.translate(gridAt);
                grid.PaintCells(painter, QRect(QPoint(0, 0), gridSize));
                painter.restore();
                painter.setPen(Qt::black);
                painter.setFont(font);
                painter.drawText(summaryBox, kTextFlags, summary);
            }};
}

Picture TextPagePicture(const QString& title, const QString& list, const QFont& titleFont, const QFont& listFont)
{
    const QFontMetrics listMetrics(listFont);
    const QStringList lines = list.split(QLatin1Char('\n'));
    int listWidth = 0;
    for (const QString& line : lines)
        listWidth = std::max(listWidth, listMetrics.horizontalAdvance(line));
    // The page is as wide as the longest line, so that no line wraps: a page or a file too wide for the
    // paper is printed landscape and smaller as a whole, its lines kept whole.
    const int width = std::max(listWidth + 1, kLeastPageWidth);
    const int titleHeight = TextBox(title, titleFont, width).height();
    const int lineHeight = listMetrics.lineSpacing();
    const int listHeight = static_cast<int>(lines.size()) * lineHeight;
    const QSize size(width + 2 * kMargin, kMargin + titleHeight + kGap + listHeight + kMargin);
    return {size, [title, lines, titleFont, listFont, width, titleHeight, lineHeight, size](QPainter& painter) {
                painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
                painter.setPen(Qt::black);
                painter.setFont(titleFont);
                painter.drawText(QRect(kMargin, kMargin, width, titleHeight), kTextFlags, title);
                painter.setFont(listFont);
                int y = kMargin + titleHeight + kGap;
                for (const QString& line : lines) {
                    painter.drawText(QRect(kMargin, y, width, lineHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                                     line);
                    y += lineHeight;
                }
            }};
}

}  // namespace orvane::gui
