#include "display/result_texts.h"

#include "core/modes.h"
#include "core/patterns.h"
#include "display/angle_texts.h"
#include "text/language.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cstdio>

namespace orvane::display {
namespace {

std::string Radians4(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

void WritePositionCell(GridModel& grid, const core::AstroTables& tables, int cell, const core::Position& position,
                       bool radians)
{
    GridCell& c = grid.cellTexts[static_cast<size_t>(cell)];
    c.backColor = kPositionBackColor;
    c.foreColor = kBlack;
    c.text = PositionCellText(tables, position, radians);
}

std::string TotalText(const text::Language& language, int16_t total)
{
    return text::Replaced(language.Text(text::kTextTotalAspects), "N", std::to_string(total));
}

}  // namespace

std::string PositionErrorMark(core::NoPosition missing)
{
    switch (missing) {
    case core::NoPosition::BeforePlutoTable: return "<";
    case core::NoPosition::AfterPlutoTable: return ">";
    default: return "?";
    }
}

std::string PositionCellText(const core::AstroTables& tables, const core::Position& position, bool radians)
{
    if (!position.longitude)
        return PositionErrorMark(position.missing);
    const double longitude = *position.longitude;
    if (radians)
        return Radians4(longitude);
    return Rad2DegMin(longitude) + text::kLineBreak +
           ZodiacPositionText(tables, longitude, false);
}

std::string DeviationText(double deviation, bool radians)
{
    return radians ? Radians4(deviation) : Rad2DegMin(deviation);
}

std::string AspectCellText(const core::AstroTables& tables, const core::AspectFound& found, bool radians)
{
    std::string text =
        tables.AspectText[core::SlotOf(found.aspect)].Abbrev + text::kLineBreak + DeviationText(found.deviation, radians);
    if (found.motion == core::Motion::Applying)
        text += " -";
    else if (found.motion == core::Motion::Separating)
        text += " +";
    return text;
}

void WriteResultIntoGrid(GridModel& grid, const core::AstroTables& tables, const core::AspectResult& result,
                         bool radians)
{
    const bool oneMoment = result.comparison == core::Comparison::OneMoment;
    const int16_t cols = grid.columnCount;
    for (const core::Body body : core::kBodies) {
        const int p = core::IndexOf(body);
        if (core::InUse(result.positions[0][body]))
            WritePositionCell(grid, tables, oneMoment ? p - 1 : p + 1, result.positions[0][body], radians);
        if (!oneMoment && core::InUse(result.positions[1][body]))
            WritePositionCell(grid, tables, (p + 1) * cols, result.positions[1][body], radians);
    }
    for (const core::AspectFound& found : result.aspects) {
        GridCell& cell = grid.cellTexts[static_cast<size_t>(grid.CellIndex(AspectCell(result.comparison, found)))];
        cell.text = AspectCellText(tables, found, radians);
        cell.bold = found.close;
        cell.foreColor = tables.aspectColors[core::SlotOf(found.aspect)];
    }
}

std::string AspectCountText(const core::AstroTables& tables, core::Aspect aspect, int16_t count)
{
    const std::string name = text::LowerCase(tables.AspectText[core::SlotOf(aspect)].Name);
    return std::to_string(count) + " " + (count == 1 ? name : core::PluralOf(name));
}

std::string OneMomentSummary(const core::AstroTables& tables, const text::Language& language,
                             const core::AspectResult& result)
{
    const auto counts = result.AspectCounts();
    std::string summary;
    for (const core::Aspect aspect : core::kAspects)
        if (const int16_t count = counts[core::SlotOf(aspect)]; count > 0)
            summary += AspectCountText(tables, aspect, count) + text::kLineBreak;
    const int16_t total = result.TotalAspects();
    if (total == 0)
        summary += language.Text(text::kTextNoAspectsSummary) + text::kLineBreak;
    else if (total > 1)
        summary += TotalText(language, total) + text::kLineBreak;
    summary += text::kLineBreak;

    // Each pattern's lines and an empty line; the midpoints last, without one.
    for (const std::span<const core::PatternFound> group : core::ByPattern(result.patterns)) {
        summary += PatternLines(tables, language, group, false);
        if (group.front().pattern != core::kPatternMidpoint)
            summary += text::kLineBreak;
    }
    return summary;
}

std::string TwoMomentSummary(const core::AstroTables& tables, const text::Language& language,
                             const core::AspectResult& result)
{
    const int16_t total = result.TotalAspects();
    if (total == 0)
        return language.Text(text::kTextNoAspectsSummary);
    const auto counts = result.AspectCounts();
    std::string summary;
    for (const core::Aspect aspect : core::kAspects)
        if (const int16_t count = counts[core::SlotOf(aspect)]; count > 0)
            summary += AspectCountText(tables, aspect, count) + ", ";
    while (!summary.empty() && (summary.back() == ',' || summary.back() == ' '))
        summary.pop_back();
    if (total > 1)
        summary += ". " + TotalText(language, total);
    return summary;
}

std::string PatternLines(const core::AstroTables& tables, const text::Language& language,
                         std::span<const core::PatternFound> patterns, bool fullNames)
{
    std::string lines;
    for (const core::PatternFound& pattern : patterns) {
        std::string bodies;
        for (const core::Body body : pattern.bodies) {
            if (!bodies.empty())
                bodies += '-';
            bodies += fullNames ? tables.bodyNames[core::SlotOf(body)] : tables.bodyAbbrevs[core::SlotOf(body)];
        }
        if (fullNames) {
            lines += bodies;
        } else {
            lines += tables.patternNames[static_cast<size_t>(pattern.pattern)] + ": " + bodies;
            if (pattern.meanDeviation)
                lines += " (" + language.Text(text::kTextMeanDeviation) + " " +
                         Rad2DegMin(*pattern.meanDeviation) + ")";
        }
        lines += text::kLineBreak;
    }
    return lines;
}

std::string TitleWithOrbs(const core::OrbTable& orbs, const text::Language& language, const std::string& title,
                          std::optional<size_t> column, bool addPeriod)
{
    double minOrb = orbs.smallestOrb;
    double maxOrb = orbs.largestOrb;
    if (column) {
        minOrb = orbs.smallestOrbOfColumn[*column];
        maxOrb = orbs.largestOrbOfColumn[*column];
    }
    if (orbs.allOrbsEqual) {
        std::string result = title + "  " + language.Text(text::kTextOrbOf) + " " +
                             Rad2DegMin(maxOrb, {.omitZeroMinutes = true});
        if (addPeriod)
            result += ".";
        return result;
    }
    return title + "  " + language.Text(text::kTextOrbsFrom) + ": " + Rad2DegMin(minOrb, {.omitZeroMinutes = true}) +
           " " + language.Text(text::kTextOrbsTo) + " " + Rad2DegMin(maxOrb, {.omitZeroMinutes = true});
}

std::string GridTitle(const core::OrbTable& orbs, const text::Language& language, core::Mode mode, bool tableShown,
                      size_t column)
{
    std::string title;
    bool personal = false;
    switch (mode) {
    case core::Mode::WorldTransits:
        if (tableShown) {
            title = language.Text(text::kTextTitleWorldTable);
        } else {
            title = text::Replaced(language.Text(text::kTextTitleWorldChart), " degrees", "°");
        }
        break;
    case core::Mode::Natal1st:
        title = language.Text(tableShown ? text::kTextTitleNatal1Table : text::kTextTitleNatal1Chart);
        break;
    case core::Mode::Natal2nd:
        title = language.Text(tableShown ? text::kTextTitleNatal2Table : text::kTextTitleNatal2Chart);
        break;
    case core::Mode::PersonalTransits1st: title = language.Text(text::kTextTitlePersonal1); personal = true; break;
    case core::Mode::PersonalTransits2nd: title = language.Text(text::kTextTitlePersonal2); personal = true; break;
    case core::Mode::Synastry: title = language.Text(text::kTextTitleSynastry); personal = true; break;
    default: return {};
    }
    return TitleWithOrbs(orbs, language, title, personal ? std::optional<size_t>(column) : std::nullopt, true);
}

}  // namespace orvane::display
