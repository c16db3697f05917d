#include "gui/display/grid_view.h"

#include "gui/display/chart_font.h"
#include "platform/twips.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace orvane::gui {
namespace {

using platform::Px;

// A cell's text as the grid shows it: the model's line breaks (CR LF) become Qt's.
QString DisplayText(const std::string& text)
{
    QString display = QString::fromStdString(text);
    display.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return display;
}

// A header's glyph letters as the chart font draws them, and the font to draw them in.
void SetGlyphs(const std::string& letters, int pointSize, QFont& font, QString& text)
{
    text.clear();
    for (const char letter : letters) {
        ChartGlyph glyph = Glyph(letter, pointSize);
        text += glyph.text;
        font = std::move(glyph.font);
    }
    if (letters.empty())
        font = Glyph(' ', pointSize).font;
}

// Texts wrap at blanks within their cell, centred both ways.
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
// The smallest size a caption is shrunk to.
constexpr int kLeastPointSize = 6;

// The cell's face: one pixel of the grid's grey stays free at the right and the bottom, the line between
// cells.
QRect Face(const QRect& cell)
{
    return cell.adjusted(0, 0, -1, -1);
}

// The font shrunk, a point at a time, until `text` fits the cell: a long caption ("Transits to 1st
// birthdate", "Transitplanet") reads whole instead of cut off. Aspect and position texts fit at 10 pt.
void ShrinkToFit(QFont& font, const QRect& cell, const QString& text)
{
    const QRect face = Face(cell);
    while (font.pointSize() > kLeastPointSize) {
        const QRect needed = QFontMetrics(font).boundingRect(face, kTextFlags, text);
        if (needed.width() <= face.width() && needed.height() <= face.height())
            return;
        font.setPointSize(font.pointSize() - 1);
    }
}

}  // namespace

QColor ToQColor(double rgb)
{
    const auto value = static_cast<long long>(std::llround(rgb));
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

GridView::GridView(const display::GridModel& grid, QWidget* parent) : QWidget(parent), m_grid(grid)
{
    setObjectName(QStringLiteral("picTable"));
    setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers every pixel
    for (int i = 0; i < display::kCellPool; ++i) {
        QWidget* handle = new QWidget(this);
        handle->setObjectName(QStringLiteral("txbCell_%1").arg(i));
        handle->setAttribute(Qt::WA_TransparentForMouseEvents);
        handle->setAttribute(Qt::WA_NoSystemBackground);
        handle->hide();
        txbCell[static_cast<size_t>(i)] = handle;
    }
    SyncFromModel();
}

void GridView::SyncFromModel()
{
    const int numCells = std::clamp<int>(m_grid.cellCount, 0, display::kCellPool);
    std::vector<CellPicture> cells(static_cast<size_t>(numCells));

    QFont textFont(QString::fromLatin1(display::FontName(display::CellFont::Text)));
    for (int i = 0; i < numCells; ++i) {
        const display::GridCell& cell = m_grid.cellTexts[static_cast<size_t>(i)];
        CellPicture& picture = cells[static_cast<size_t>(i)];
        picture.rect = QRect(Px(cell.left), Px(cell.top), Px(m_grid.cellWidth), Px(m_grid.cellHeight));
        picture.back = ToQColor(cell.backColor);
        picture.fore = ToQColor(cell.foreColor);
        picture.visible = cell.visible;
        if (cell.font == display::CellFont::Glyph) {
            SetGlyphs(cell.text, cell.fontSize, picture.font, picture.text);
        } else {
            picture.font = textFont;
            picture.font.setPointSize(cell.fontSize);
            picture.text = DisplayText(cell.text);
        }
        picture.font.setBold(cell.bold);
        if (cell.font == display::CellFont::Text && !picture.text.isEmpty())
            ShrinkToFit(picture.font, picture.rect, picture.text);
    }
    // The housekeeping tick syncs every second: an unchanged grid is not painted again.
    const bool changed = cells != m_cells;
    m_cells = std::move(cells);

    for (int i = 0; i < display::kCellPool; ++i) {
        QWidget* handle = txbCell[static_cast<size_t>(i)];
        const bool shown = i < numCells && m_cells[static_cast<size_t>(i)].visible;
        if (shown) {
            const CellPicture& picture = m_cells[static_cast<size_t>(i)];
            handle->setGeometry(picture.rect);
            if (handle->accessibleName() != picture.text)
                handle->setAccessibleName(picture.text);
        }
        handle->setVisible(shown);
    }

    setFixedSize(Px(m_grid.tableWidth), Px(m_grid.tableHeight));
    if (changed)
        update();
}

QRect GridView::CellRect(int cell) const
{
    if (cell < 0 || cell >= static_cast<int>(m_cells.size()))
        return QRect();
    return m_cells[static_cast<size_t>(cell)].rect;
}

int GridView::CellAt(QPoint point) const
{
    for (size_t i = 0; i < m_cells.size(); ++i)
        if (m_cells[i].visible && m_cells[i].rect.contains(point))
            return static_cast<int>(i);
    return -1;
}

void GridView::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    PaintCells(painter, event->rect());
}

void GridView::PaintCells(QPainter& painter, const QRect& area) const
{
    // Where no cell is shown (below the diagonal) the grid's own grey shows, as between the cells.
    painter.fillRect(area, palette().color(QPalette::Window));
    for (const CellPicture& cell : m_cells) {
        if (!cell.visible || !area.intersects(cell.rect))
            continue;
        const QRect face = Face(cell.rect);
        painter.fillRect(face, cell.back);
        if (cell.text.isEmpty())
            continue;
        painter.setPen(cell.fore);
        painter.setFont(cell.font);
        painter.drawText(face, kTextFlags, cell.text);
    }
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    m_pressedCell = CellAt(event->position().toPoint());
    event->accept();
}

// A click is a press and a release of the left button on the same cell.
void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    const int cell = CellAt(event->position().toPoint());
    const int pressed = std::exchange(m_pressedCell, -1);
    event->accept();
    if (cell >= 0 && cell == pressed)
        emit cellClicked(cell);
}

}  // namespace orvane::gui
