#pragma once

// The chart's arithmetic without a picture: the sizes of the one-date and the two-date chart, where a
// longitude puts a glyph, which aspect lines a result asks for after the display filters and how wide,
// the legend's texts, the messages of the chart, and the right-click report of a line. The Qt painters
// draw from what these return; the glyph placement itself reads back pixels and lives with them.

#include "core/aspect_result.h"
#include "core/astro_module.h"
#include "platform/message.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::display {

// The square chart of one moment (world transits, natal aspects) and the wide chart of two (personal
// transits, synastry).
enum class ChartKind { OneDate, TwoDates };

// Sizes of a chart in twips; y grows downwards.
struct ChartGeometry {
    int32_t width = 0;
    int32_t height = 0;
    int32_t cx = 0;
    int32_t cy = 0;
    int32_t circleRadius = 0;
    int32_t sectorLength = 0;
    int32_t firstGlyphRadius = 0;
    // Below this radius a glyph of the set (0, or 1 in the two-date chart) gives up.
    std::array<int32_t, 2> leastGlyphRadius{};
    // Where the Sun's glyph is printed.
    int32_t sunX = 0;
    int32_t sunY = 0;
};
ChartGeometry GeometryOf(ChartKind kind);
ChartKind ChartKindOf(core::Mode mode);

// Colours of the chart (RGB values).
inline constexpr double kChartSectorColor = core::RGB(64, 64, 64);
inline constexpr double kChartWhite = core::RGB(255, 255, 255);
inline constexpr double kChartGreen = core::RGB(0, 255, 0);      // set 0 while it is placed
inline constexpr double kChartLemon = core::RGB(184, 191, 80);   // set 1 in the final reprint

// A glyph's test box and print position lie `kGlyphOffset` left of and above its spot on the circle;
// the box reaches kGlyphBoxWidth to the right and kGlyphBoxHeight down, tested every kGlyphBoxStep.
inline constexpr int32_t kGlyphOffset = 150;
inline constexpr int32_t kGlyphBoxWidth = 250;
inline constexpr int32_t kGlyphBoxHeight = 300;
inline constexpr int32_t kGlyphBoxStep = 10;
// A glyph that finds no room moves inwards by 1 % of its radius.
inline constexpr double kGlyphRadiusFactor = 0.99;
// Lines join the glyphs at this offset from their print positions, near their middle.
inline constexpr int32_t kLineEndOffset = 120;
// Sign glyphs stand on this circle, in the middle of their sign.
inline constexpr int32_t kSignGlyphRadius = 800;
inline constexpr int32_t kSignGlyphOffset = 50;

// A point in twips.
struct TwipPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const TwipPoint&) const = default;
};

// A value rounded to the nearest 16-bit integer, a half to the even neighbour (as the glyph positions
// are stored).
int16_t ToInt16(double value);

// The spot of longitude `longitude` (radians) at radius `radius`: 0° to the right of the centre,
// longitudes increasing counter-clockwise; rounded as the glyph test needs it.
TwipPoint GlyphSpot(const ChartGeometry& geometry, double radius, double longitude);
// Where a glyph at that spot is printed (its top left), and where its lines end.
TwipPoint GlyphPrintPosition(const ChartGeometry& geometry, double radius, double longitude);
TwipPoint LineEnd(TwipPoint printPosition);

// The outer ends of the twelve sector lines (from the centre), and the top left of each sign's glyph.
std::array<TwipPoint, core::kNumSigns> SectorEnds(const ChartGeometry& geometry);
std::array<TwipPoint, core::kNumSigns> SignGlyphPositions(const ChartGeometry& geometry);

// The chart's display options of the configuration panel.
struct ChartOptions {
    bool zodiacSectors = true;
    bool onlyOuterPlanets = false;
    bool onlyEarthAspects = false;
    bool operator==(const ChartOptions&) const = default;
};

// Both "only" options at once: the chart draws nothing.
constexpr bool FiltersConflict(const ChartOptions& options)
{
    return options.onlyOuterPlanets && options.onlyEarthAspects;
}

// Whether the line of bodies p1 and p2 is drawn: with only Earth aspects when one of them is Earth,
// otherwise with only outer planets when neither is an inner planet, otherwise always.
bool LineShown(const core::AstroTables& tables, const ChartOptions& options, core::Body p1, core::Body p2);

// One aspect line: from the glyph of `to` (set 0) to the glyph of `from` (set 0 in the one-date chart,
// set 1 in the two-date chart), in its aspect's colour, 2 wide for a bold (close) aspect.
struct ChartLine {
    core::Body from = core::Body::Earth;  // the aspect's body1, the grid's row body
    core::Body to = core::Body::Earth;    // its body2, the grid's column body
    core::Aspect aspect = core::Aspect::Conjunction;
    int width = 1;
    double color = 0.0;
    bool operator==(const ChartLine&) const = default;
};

// The lines of a result's aspects after the filters, in the grid's order.
std::vector<ChartLine> ChartLines(const core::AspectResult& result, const core::AstroTables& tables,
                                  const ChartOptions& options);

// One mark of the chart's outer ring of geocentric positions (geo_ring.h): a body's glyph letter of the
// chart font, the Moon (which has no letter: it is drawn as its symbol), or an angle's short name.
struct RingMark {
    enum class Kind { Body, Moon, Angle };
    Kind kind = Kind::Body;
    std::string glyph;       // the glyph letter, or the angle's short name ("AC", "MC")
    double longitude = 0.0;  // its geocentric longitude, radians
    double shownAt = 0.0;    // where its glyph stands along the ring, radians
    bool operator==(const RingMark&) const = default;
};

struct GeoRing {
    std::vector<RingMark> marks;
    std::string legend;  // "Outer ring: geocentric"
    bool operator==(const GeoRing&) const = default;
};

// Everything a chart is drawn from.
struct ChartData {
    ChartKind kind = ChartKind::OneDate;
    // Longitudes by body index and set; a body without one is left out.
    std::array<std::array<std::optional<double>, 2>, core::kBodySlots> longitudes{};
    int16_t numPlanets = 0;
    std::array<std::string, core::kBodySlots> planetGlyph;
    std::array<std::string, core::kNumSigns> signGlyph;
    std::vector<ChartLine> lines;
    ChartOptions options;
    // The two lines of the two-date chart's legend (white set 0, lemon set 1).
    std::array<std::string, 2> legend;
    // Both filters set: shown instead of drawing.
    platform::Message filterConflict;
    // A glyph that found no room: shown, and the chart stays as far as drawn.
    platform::Message noRoom;
    // The outer ring of geocentric positions, when it is shown.
    std::optional<GeoRing> geoRing;
    bool operator==(const ChartData&) const = default;
};

// The chart of the last computation in `mode`; `caption` titles its messages (the main window's caption).
ChartData MakeChartData(const core::AstroModule& astro, const core::AspectResult& result, core::Mode mode,
                        const ChartOptions& options, const text::Language& language, const std::string& caption);

// The right-click on the chart over a point of colour `color`: "This line is a" box naming every aspect
// of that colour ("Trine (120°) or sextile (60°)"); nothing over the background, white, the two greys
// and blues of the picture's own marks, or a colour no aspect has.
std::optional<platform::Message> LineReport(const core::AstroTables& tables, const text::Language& language,
                                            double color);

}  // namespace orvane::display
