#include "gui/display/chart_painter.h"

#include "gui/display/chart_font.h"
#include "gui/display/grid_view.h"
#include "display/geo_ring.h"
#include "platform/index.h"
#include "platform/twips.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace orvane::gui {
namespace {

using platform::At;
using platform::Px;

inline constexpr qreal kGlyphPointSize = 14;
inline constexpr qreal kSignPointSize = 8;
inline constexpr qreal kLegendPointSize = 8.25;
inline constexpr qreal kTransitPointSize = 8;
inline constexpr qreal kRingAnglePointSize = 8;

QPoint ToPixels(display::TwipPoint point)
{
    return {Px(point.x), Px(point.y)};
}

// The clear margin of a glyph's backing around its inked box, and the rounding of its corners, in pixels.
inline constexpr qreal kBackingMargin = 2;
inline constexpr qreal kBackingRounding = 3;

// A glyph letter as it is printed: its text in its font, the origin of the text and the box its ink
// fills, in pixels.
struct PrintedGlyph {
    ChartGlyph glyph;
    QPointF origin;
    QRectF ink;
};

// The glyph letter in its font, smoothed in grey only: a coloured sub-pixel edge would tint a white glyph.
ChartGlyph GreyEdgedGlyph(char letter, qreal pointSize)
{
    ChartGlyph glyph = Glyph(letter, pointSize);
    glyph.font.setStyleStrategy(QFont::StyleStrategy(glyph.font.styleStrategy() | QFont::NoSubpixelAntialias));
    return glyph;
}

// A glyph letter printed with its top left at `at` (twips), as text is printed at a print position.
std::optional<PrintedGlyph> AtPrintPosition(const std::string& letters, qreal pointSize, display::TwipPoint at)
{
    if (letters.empty())
        return std::nullopt;
    PrintedGlyph printed{GreyEdgedGlyph(letters.front(), pointSize), {}, {}};
    const QFontMetricsF metrics(printed.glyph.font);
    printed.origin = QPointF(Px(at.x), Px(at.y) + metrics.ascent());
    printed.ink = metrics.tightBoundingRect(printed.glyph.text).translated(printed.origin);
    return printed;
}

// Where the lines of a glyph printed at `printPosition` end, in pixels: the middle of the pixel they aim
// at, so that a line one pixel wide covers whole pixels where it runs straight.
QPointF LineEndPixel(display::TwipPoint printPosition)
{
    return QPointF(ToPixels(display::LineEnd(printPosition))) + QPointF(0.5, 0.5);
}

// A body's glyph of the chart: printed so that the middle of its ink stands where its lines end, whatever
// the font puts around the symbol.
std::optional<PrintedGlyph> BodyGlyph(const std::string& letters, display::TwipPoint printPosition)
{
    if (letters.empty())
        return std::nullopt;
    PrintedGlyph printed{GreyEdgedGlyph(letters.front(), kGlyphPointSize), {}, {}};
    const QRectF ink = QFontMetricsF(printed.glyph.font).tightBoundingRect(printed.glyph.text);
    printed.origin = LineEndPixel(printPosition) - ink.center();
    printed.ink = ink.translated(printed.origin);
    return printed;
}

void Print(QPainter& painter, const PrintedGlyph& printed, QColor color)
{
    painter.setFont(printed.glyph.font);
    painter.setPen(color);
    painter.drawText(printed.origin, printed.glyph.text);
}

// The black ground a glyph stands on, a little larger than its ink, so that no line runs through it.
QRectF Backing(const PrintedGlyph& printed)
{
    return printed.ink.adjusted(-kBackingMargin, -kBackingMargin, kBackingMargin, kBackingMargin);
}

// The point at `radius` twips from the chart's centre towards `angle` (radians), in smoothed pixels.
QPointF RingPoint(const display::ChartGeometry& geometry, double radius, double angle)
{
    return QPointF(Px(geometry.cx), Px(geometry.cy)) + QPointF(0.5, 0.5) +
           QPointF(std::cos(angle), -std::sin(angle)) * (radius / platform::kTwipsPerPixel);
}

// A mark of the outer ring printed with the middle of its ink at `middle`: a body's glyph, the Moon's
// symbol, or an angle's short name.
PrintedGlyph RingGlyph(const display::RingMark& mark, QPointF middle)
{
    PrintedGlyph printed;
    switch (mark.kind) {
    case display::RingMark::Kind::Body:
        printed.glyph = GreyEdgedGlyph(mark.glyph.empty() ? ' ' : mark.glyph.front(), kGlyphPointSize);
        break;
    case display::RingMark::Kind::Moon:
        printed.glyph = MoonGlyph(kGlyphPointSize);
        break;
    case display::RingMark::Kind::Angle: {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(kRingAnglePointSize);
        font.setBold(true);
        printed.glyph = {font, QString::fromStdString(mark.glyph)};
        break;
    }
    }
    printed.glyph.font.setStyleStrategy(QFont::StyleStrategy(printed.glyph.font.styleStrategy() | QFont::NoSubpixelAntialias));
    const QRectF ink = QFontMetricsF(printed.glyph.font).tightBoundingRect(printed.glyph.text);
    printed.origin = middle - ink.center();
    printed.ink = ink.translated(printed.origin);
    return printed;
}

// The drawing of one chart: every mark goes to the target painter; while the glyphs are placed, the marks
// that count as occupied room also go onto `m_room`, an image at the picture's own scale that is read
// back.
class ChartCanvas {
public:
    ChartCanvas(QPainter& painter, const display::ChartData& data)
        : m_painter(painter), m_data(data), m_geometry(display::GeometryOf(data.kind)),
          m_room(ChartPixelSize(data.kind), QImage::Format_RGB32), m_sector(ToQColor(display::kChartSectorColor).rgb())
    {
        m_room.fill(Qt::black);
        m_roomPainter.begin(&m_room);
    }

    ChartResult Draw()
    {
        ChartResult result;
        if (display::FiltersConflict(m_data.options)) {
            result.drawn = ChartDrawn::FiltersConflict;
            return result;
        }
        BeginPainters();
        m_painter.fillRect(QRect(QPoint(0, 0), ChartPixelSize(m_data)), Qt::black);
        // With the outer ring the chart stands inside the ring's margin, drawn as it is without it.
        result.origin = QPointF(Px(display::PictureMargin(m_data)), Px(display::PictureMargin(m_data)));
        m_painter.translate(result.origin);
        DrawCircleAndSectors();
        if (!PlaceGlyphs(result)) {
            result.drawn = ChartDrawn::NoRoom;
            m_painter.restore();
            return result;
        }
        DrawLines(result);
        // The ring's ticks before the glyphs: a glyph near the circle stands on its backing over a tick.
        if (m_data.geoRing)
            DrawRingLines(*m_data.geoRing);
        PrintGlyphs(FinalGlyphs(result), result);
        if (m_data.geoRing)
            PrintGlyphs(RingGlyphs(*m_data.geoRing), result);
        if (m_data.kind == display::ChartKind::TwoDates)
            DrawLegend();
        if (m_data.geoRing)
            DrawRingLegend(m_data.geoRing->legend);
        m_painter.restore();
        return result;
    }

private:
    // The picture's circle and lines are smoothed; the image read back for the glyph placement keeps
    // them sharp, one pixel wide, so that a glyph's place does not depend on the smoothing.
    void BeginPainters()
    {
        for (QPainter* p : {&m_painter, &m_roomPainter}) {
            p->save();
            p->setRenderHint(QPainter::Antialiasing, p == &m_painter);
            p->setRenderHint(QPainter::TextAntialiasing, true);
        }
    }

    // Places the glyphs of each set of bodies (with two dates the first set green, the second white) and
    // closes the placement image; false when a glyph found no room.
    bool PlaceGlyphs(ChartResult& result)
    {
        const bool twoDates = m_data.kind == display::ChartKind::TwoDates;
        bool placed = PlaceSet(0, twoDates ? ToQColor(display::kChartGreen) : ToQColor(display::kChartWhite), result);
        if (placed && twoDates)
            placed = PlaceSet(1, ToQColor(display::kChartWhite), result);
        m_roomPainter.restore();
        m_roomPainter.end();
        return placed;
    }

    // Every glyph that goes on top of the lines: the bodies (set 0 white, set 1 lemon), the signs and the
    // Sun, each with its colour.
    std::vector<std::pair<PrintedGlyph, QColor>> FinalGlyphs(const ChartResult& result) const
    {
        std::vector<std::pair<PrintedGlyph, QColor>> glyphs;
        const auto add = [&glyphs](const std::optional<PrintedGlyph>& printed, double color) {
            if (printed)
                glyphs.emplace_back(*printed, ToQColor(color));
        };
        const int sets = m_data.kind == display::ChartKind::TwoDates ? 2 : 1;
        for (int set = 0; set < sets; ++set)
            for (int16_t p = 1; p <= m_data.numPlanets; ++p)
                if (const auto& at = result.glyphAt[At(p)][At(set)])
                    add(BodyGlyph(m_data.planetGlyph[At(p)], *at), set == 0 ? display::kChartWhite : display::kChartLemon);
        if (m_data.options.zodiacSectors) {
            const std::array<display::TwipPoint, core::kNumSigns> positions = display::SignGlyphPositions(m_geometry);
            for (int k = 0; k < core::kNumSigns; ++k)
                add(AtPrintPosition(m_data.signGlyph[At(k)], kSignPointSize, positions[At(k)]), display::kChartSectorColor);
        }
        add(AtPrintPosition(m_data.planetGlyph[At(core::kMaxBodyIndex)], kGlyphPointSize,
                            {m_geometry.sunX, m_geometry.sunY}),
            display::kChartWhite);
        return glyphs;
    }

    // All backings first, so that none covers a neighbouring glyph; they also hide the glyphs of the
    // placement, whose smoothed edges would otherwise tint the final colour.
    void PrintGlyphs(const std::vector<std::pair<PrintedGlyph, QColor>>& glyphs, ChartResult& result)
    {
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(Qt::black);
        for (const auto& [printed, color] : glyphs) {
            result.backings.push_back(Backing(printed));
            m_painter.drawRoundedRect(result.backings.back(), kBackingRounding, kBackingRounding);
        }
        for (const auto& [printed, color] : glyphs)
            Print(m_painter, printed, color);
    }

    void DrawCircleAndSectors()
    {
        const int radius = Px(m_geometry.circleRadius);
        const QPoint centre = ToPixels({m_geometry.cx, m_geometry.cy});
        for (QPainter* p : {&m_painter, &m_roomPainter}) {
            // A smoothed mark one pixel wide runs through the middles of the pixels a sharp one covers.
            const QPointF middle = p == &m_painter ? QPointF(0.5, 0.5) : QPointF();
            p->setPen(QPen(ToQColor(display::kChartWhite), 1));
            p->setBrush(Qt::NoBrush);
            p->drawEllipse(QPointF(centre) + middle, radius, radius);
            if (!m_data.options.zodiacSectors)
                continue;
            p->setPen(QPen(ToQColor(display::kChartSectorColor), 1));
            for (const display::TwipPoint& end : display::SectorEnds(m_geometry))
                p->drawLine(QPointF(centre) + middle, QPointF(ToPixels(end)) + middle);
        }
    }

    // Places the glyphs of one set, from the last body in use down to Earth; false when one found no room.
    bool PlaceSet(int set, QColor color, ChartResult& result)
    {
        const double least = m_geometry.leastGlyphRadius[At(set)];
        for (int16_t p = m_data.numPlanets; p >= core::kEarth; --p) {
            const std::optional<double> position = m_data.longitudes[At(p)][At(set)];
            if (!position)
                continue;
            const double longitude = *position;
            double r = m_geometry.firstGlyphRadius;
            while (!GlyphSpaceFree(r, longitude)) {
                r *= display::kGlyphRadiusFactor;
                if (r < least)
                    return false;
            }
            const display::TwipPoint at = display::GlyphPrintPosition(m_geometry, r, longitude);
            result.glyphAt[At(p)][At(set)] = at;
            if (const auto printed = BodyGlyph(m_data.planetGlyph[At(p)], at))
                for (QPainter* painter : {&m_painter, &m_roomPainter})
                    Print(*painter, *printed, color);
        }
        return true;
    }

    // Whether the glyph's test box at radius r holds only background and sector lines; a point outside
    // the picture counts as taken.
    bool GlyphSpaceFree(double r, double longitude) const
    {
        const display::TwipPoint spot = display::GlyphSpot(m_geometry, r, longitude);
        const QRgb black = qRgb(0, 0, 0);
        for (int32_t dy = 0; dy <= display::kGlyphBoxHeight; dy += display::kGlyphBoxStep) {
            const int y = Px(spot.y + dy - display::kGlyphOffset);
            if (y < 0 || y >= m_room.height())
                return false;
            const auto* line = reinterpret_cast<const QRgb*>(m_room.constScanLine(y));
            for (int32_t dx = 0; dx <= display::kGlyphBoxWidth; dx += display::kGlyphBoxStep) {
                const int x = Px(spot.x + dx - display::kGlyphOffset);
                if (x < 0 || x >= m_room.width())
                    return false;
                const QRgb pixel = line[x];
                if (pixel != black && pixel != m_sector)
                    return false;
            }
        }
        return true;
    }

    void DrawLines(ChartResult& result)
    {
        const int rowSet = m_data.kind == display::ChartKind::TwoDates ? 1 : 0;
        for (const display::ChartLine& line : m_data.lines) {
            const auto& to = result.glyphAt[core::SlotOf(line.to)][0];
            const auto& from = result.glyphAt[core::SlotOf(line.from)][At(rowSet)];
            if (!to || !from)
                continue;
            const QLineF drawn(LineEndPixel(*to), LineEndPixel(*from));
            m_painter.setPen(QPen(ToQColor(line.color), line.width));
            m_painter.drawLine(drawn);
            result.lines.push_back({drawn, line});
        }
    }

    // Each mark's tick on the circle at its longitude, and the line out to its glyph when the glyph moved.
    void DrawRingLines(const display::GeoRing& ring)
    {
        const double tick = display::RingTickRadius(m_data.kind);
        const double inner = display::RingGlyphRadius(m_data.kind) - display::kRingGlyphHalf;
        m_painter.setPen(QPen(ToQColor(display::kRingLineColor), 1));
        for (const display::RingMark& mark : ring.marks) {
            const QPointF tickEnd = RingPoint(m_geometry, tick, mark.longitude);
            m_painter.drawLine(RingPoint(m_geometry, m_geometry.circleRadius, mark.longitude), tickEnd);
            if (std::abs(core::SignedSeparation(mark.shownAt, mark.longitude)) > display::kRingLeastShift)
                m_painter.drawLine(tickEnd, RingPoint(m_geometry, inner, mark.shownAt));
        }
    }

    std::vector<std::pair<PrintedGlyph, QColor>> RingGlyphs(const display::GeoRing& ring) const
    {
        std::vector<std::pair<PrintedGlyph, QColor>> glyphs;
        const double radius = display::RingGlyphRadius(m_data.kind);
        for (const display::RingMark& mark : ring.marks)
            glyphs.emplace_back(RingGlyph(mark, RingPoint(m_geometry, radius, mark.shownAt)),
                                ToQColor(display::kRingGlyphColor));
        return glyphs;
    }

    // The ring's note in its colour: below the two-date chart's legend; in the one-date picture's top right
    // corner on its first line, clear of the ring and above the version an exported picture has there.
    void DrawRingLegend(const std::string& legend)
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(kLegendPointSize);
        m_painter.setFont(font);
        m_painter.setPen(ToQColor(display::kRingGlyphColor));
        const QFontMetricsF metrics(font);
        const QString text = QString::fromStdString(legend);
        if (m_data.kind == display::ChartKind::TwoDates) {
            m_painter.drawText(QPointF(ChartPixelSize(m_data.kind).width() - Px(120) - metrics.horizontalAdvance(text),
                                       Px(120) + metrics.ascent() + 2 * metrics.lineSpacing()),
                               text);
            return;
        }
        const qreal margin = Px(display::kRingMargin);
        m_painter.drawText(QPointF(ChartPixelSize(m_data).width() - Px(75) - metrics.horizontalAdvance(text) - margin,
                                   Px(30) + metrics.ascent() - margin),
                           text);
    }

    // The legend in the top right corner, clear of the circle: white for set 0, lemon for set 1.
    void DrawLegend()
    {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(kLegendPointSize);
        m_painter.setFont(font);
        const QFontMetricsF metrics(font);
        const qreal right = ChartPixelSize(m_data.kind).width() - Px(120);
        for (size_t i = 0; i < m_data.legend.size(); ++i) {
            const QString text = QString::fromStdString(m_data.legend[i]);
            m_painter.setPen(ToQColor(i == 0 ? display::kChartWhite : display::kChartLemon));
            m_painter.drawText(QPointF(right - metrics.horizontalAdvance(text), Px(120) + metrics.ascent() +
                                                                                    static_cast<qreal>(i) * metrics.lineSpacing()),
                               text);
        }
    }

    QPainter& m_painter;
    const display::ChartData& m_data;
    const display::ChartGeometry m_geometry;
    QImage m_room;
    QPainter m_roomPainter;
    const QRgb m_sector;
};

}  // namespace

double ChartRgb(QColor color)
{
    return core::RGB(color.red(), color.green(), color.blue());
}

QSize ChartPixelSize(display::ChartKind kind)
{
    const display::ChartGeometry geometry = display::GeometryOf(kind);
    return {Px(geometry.width), Px(geometry.height)};
}

QSize ChartPixelSize(const display::ChartData& data)
{
    const int margin = Px(display::PictureMargin(data));
    return ChartPixelSize(data.kind) + QSize(2 * margin, 2 * margin);
}

QSize TransitPixelSize()
{
    return {Px(display::kTransitPictureWidth), Px(display::kTransitPictureHeight)};
}

ChartResult DrawChart(QPainter& painter, const display::ChartData& data)
{
    return ChartCanvas(painter, data).Draw();
}

ChartResult DrawChartOneDate(QPainter& painter, const display::ChartData& data)
{
    display::ChartData oneDate = data;
    oneDate.kind = display::ChartKind::OneDate;
    return DrawChart(painter, oneDate);
}

ChartResult DrawChartTwoDates(QPainter& painter, const display::ChartData& data)
{
    display::ChartData twoDates = data;
    twoDates.kind = display::ChartKind::TwoDates;
    return DrawChart(painter, twoDates);
}

std::optional<display::ChartLine> LineAt(const ChartResult& result, QPointF pictureAt)
{
    const QPointF point = pictureAt - result.origin;
    for (const QRectF& backing : result.backings)
        if (backing.contains(point))
            return std::nullopt;
    // The last drawn line lies on top.
    for (auto drawn = result.lines.rbegin(); drawn != result.lines.rend(); ++drawn) {
        const QLineF& line = drawn->at;
        const QPointF along = line.p2() - line.p1();
        const qreal length2 = QPointF::dotProduct(along, along);
        const qreal t = length2 > 0 ? std::clamp(QPointF::dotProduct(point - line.p1(), along) / length2, 0.0, 1.0) : 0.0;
        const QPointF offset = point - (line.p1() + t * along);
        const qreal reach = drawn->line.width / 2.0 + 0.5;
        if (QPointF::dotProduct(offset, offset) <= reach * reach)
            return drawn->line;
    }
    return std::nullopt;
}

void DrawTransitPicture(QPainter& painter, const display::TransitPicture& picture)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), TransitPixelSize()), Qt::black);
    const QColor white = ToQColor(display::kChartWhite);
    const QColor grey = ToQColor(display::kChartSectorColor);

    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(kTransitPointSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    // Time rows: the label of row i on text line i + 1, its line through the middle of that text line.
    painter.setPen(white);
    for (int i = 0; i < display::kTransitRows; ++i) {
        const qreal lineMiddle = display::kTransitRowLineTop + i * display::kTransitRowPitch;
        painter.drawText(QPointF(0, lineMiddle + (metrics.ascent() - metrics.descent()) / 2),
                         QString::fromStdString(picture.rowLabels[At(i)]));
    }
    for (int i = 0; i < display::kTransitRows; ++i) {
        painter.setPen(QPen(i == picture.markedRow ? white : grey, 1));
        const int y = display::kTransitRowLineTop + i * display::kTransitRowPitch;
        painter.drawLine(display::kTransitLeft, y, display::kTransitRight, y);
    }

    // The scale: the orb's steps on both sides of the exact aspect, with their guide lines.
    const int scaleBottom = display::kTransitRowLineTop + (display::kTransitRows - 1) * display::kTransitRowPitch;
    const qreal scaleTextTop = Px(30) + metrics.ascent();
    painter.setPen(white);
    painter.drawText(QPointF(display::kTransitCentre - 10, scaleTextTop), QString::fromStdString(picture.scaleLabels[0]));
    for (int j = 1; j <= display::kTransitScaleSteps; ++j) {
        const QString label = QString::fromStdString(picture.scaleLabels[At(j)]);
        for (const int x : {display::kTransitCentre + display::kTransitScaleStep * j, display::kTransitCentre - display::kTransitScaleStep * j}) {
            painter.setPen(white);
            painter.drawText(QPointF(x - 10, scaleTextTop), label);
            painter.setPen(QPen(grey, 1));
            painter.drawLine(x, display::kTransitRowLineTop, x, scaleBottom);
        }
    }
    // The exact aspect.
    painter.setPen(QPen(white, 1));
    painter.drawLine(display::kTransitCentre, display::CourseY(0), display::kTransitCentre, display::CourseY(display::kTransitSamples - 1));

    // The course of the transit within the orb.
    painter.setPen(QPen(ToQColor(picture.color), 2));
    for (int k = 0; k < display::kTransitSamples; ++k)
        if (const auto& d = picture.course[At(k)])
            painter.drawPoint(QPointF(std::round(display::CourseX(picture, *d)), display::CourseY(k)));

    painter.setPen(white);
    painter.drawText(QPointF(0, Px(display::kTransitCaptionTop) + metrics.ascent()), QString::fromStdString(picture.caption));
    painter.restore();
}

}  // namespace orvane::gui
