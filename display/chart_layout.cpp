#include "display/chart_layout.h"

#include "core/modes.h"
#include "platform/index.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cmath>

namespace orvane::display {
namespace {

using platform::At;

// The picture's own marks that a right-click never reports: background, white, and two colours of
// marks that are no aspect lines.
constexpr std::array<double, 4> kNoLineColors{0.0, 16777215.0, 14737632.0, 16719904.0};

}  // namespace

ChartGeometry GeometryOf(ChartKind kind)
{
    if (kind == ChartKind::OneDate)
        return {6000, 6000, 3000, 3000, 2950, 2900, 2900, {100, 100}, 3000 - 140, 3000 - 140 - 20};
    return {9900, 6600, 4950, 3300, 3250, 3200, 3200, {100, 50}, 4950 - 140, 3300 - 150};
}

ChartKind ChartKindOf(core::Mode mode)
{
    return core::IsTwoDateMode(mode) ? ChartKind::TwoDates : ChartKind::OneDate;
}

int16_t ToInt16(double value)
{
    return static_cast<int16_t>(std::nearbyint(value));  // the default rounding takes a half to even
}

TwipPoint GlyphSpot(const ChartGeometry& geometry, double radius, double longitude)
{
    return {ToInt16(geometry.cx + radius * std::cos(longitude)), ToInt16(geometry.cy - radius * std::sin(longitude))};
}

TwipPoint GlyphPrintPosition(const ChartGeometry& geometry, double radius, double longitude)
{
    return {ToInt16(geometry.cx + radius * std::cos(longitude) - kGlyphOffset),
            ToInt16(geometry.cy - radius * std::sin(longitude) - kGlyphOffset)};
}

TwipPoint LineEnd(TwipPoint printPosition)
{
    return {printPosition.x + kLineEndOffset, printPosition.y + kLineEndOffset};
}

std::array<TwipPoint, core::kNumSigns> SectorEnds(const ChartGeometry& geometry)
{
    std::array<TwipPoint, core::kNumSigns> ends;
    for (int k = 0; k < core::kNumSigns; ++k) {
        const double angle = k * core::kPi / 6;
        ends[At(k)] = {ToInt16(geometry.cx + geometry.sectorLength * std::cos(angle)),
                       ToInt16(geometry.cy - geometry.sectorLength * std::sin(angle))};
    }
    return ends;
}

std::array<TwipPoint, core::kNumSigns> SignGlyphPositions(const ChartGeometry& geometry)
{
    std::array<TwipPoint, core::kNumSigns> positions;
    for (int k = 0; k < core::kNumSigns; ++k) {
        const double theta = k * core::kPi / 6 + core::kPi / 12;
        positions[At(k)] = {ToInt16(geometry.cx + kSignGlyphRadius * std::cos(theta) - kSignGlyphOffset),
                            ToInt16(geometry.cy - kSignGlyphRadius * std::sin(theta) - kSignGlyphOffset)};
    }
    return positions;
}

bool LineShown(const core::AstroTables& tables, const ChartOptions& options, core::Body p1, core::Body p2)
{
    if (options.onlyEarthAspects)
        return p1 == core::Body::Earth || p2 == core::Body::Earth;
    if (options.onlyOuterPlanets)
        return !tables.isInnerBody[core::SlotOf(p1)] && !tables.isInnerBody[core::SlotOf(p2)];
    return true;
}

std::vector<ChartLine> ChartLines(const core::AspectResult& result, const core::AstroTables& tables,
                                  const ChartOptions& options)
{
    std::vector<ChartLine> lines;
    for (const core::AspectFound& found : result.aspects)
        if (LineShown(tables, options, found.body1, found.body2))
            lines.push_back({found.body1, found.body2, found.aspect, found.close ? 2 : 1,
                             tables.aspectColors[core::SlotOf(found.aspect)]});
    return lines;
}

ChartData MakeChartData(const core::AstroModule& astro, const core::AspectResult& result, core::Mode mode,
                        const ChartOptions& options, const text::Language& language, const std::string& caption)
{
    ChartData data;
    data.kind = ChartKindOf(mode);
    for (const core::Body body : core::kBodies)
        for (size_t set = 0; set < result.positions.size(); ++set)
            data.longitudes[core::SlotOf(body)][set] = result.positions[set][body].longitude;
    data.numPlanets = astro.bodyCount;
    data.planetGlyph = astro.tables.bodyGlyphs;
    data.signGlyph = astro.tables.signGlyphs;
    data.options = options;
    if (!FiltersConflict(options))
        data.lines = ChartLines(result, astro.tables, options);
    const bool synastry = mode == core::Mode::Synastry;
    data.legend = {language.Text(synastry ? text::kTextLegendWhite1stBirthdate : text::kTextLegendWhiteTransiting),
                   language.Text(synastry ? text::kTextLegendLemon2ndBirthdate : text::kTextLegendLemonNatal)};
    // The message's three lines are joined by "^" in the program text.
    data.filterConflict = platform::Message::Information(
        caption, language.TextWithReplacements(text::kTextChartFiltersConflict, ""));
    data.noRoom = platform::Message::Exclamation(caption, language.Text(text::kTextNoRoomForGlyphs) + text::kLineBreak +
                                                              language.Text(text::kTextChartIncomplete));
    return data;
}

std::optional<platform::Message> LineReport(const core::AstroTables& tables, const text::Language& language,
                                            double color)
{
    for (const double mark : kNoLineColors)
        if (color == mark)
            return std::nullopt;
    std::string labels;
    const std::string joint = " " + language.Text(text::kTextOr) + " ";
    for (const core::Aspect a : core::kAspects)
        if (tables.aspectColors[core::SlotOf(a)] == color)
            labels += tables.AspectText[core::SlotOf(a)].Label + joint;
    if (labels.empty())
        return std::nullopt;
    labels.resize(labels.size() - joint.size());
    return platform::Message::Plain(language.Text(text::kTextThisLineIsA), text::UpperCaseFirst(text::LowerCase(labels)));
}

}  // namespace orvane::display
