#include "app/compute.h"

#include "core/midpoints.h"
#include "core/patterns.h"
#include "core/positions.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

namespace orvane::app {
namespace {

constexpr double kHalfHour = 1.0 / 48.0;

size_t At(int16_t i)
{
    return static_cast<size_t>(i);
}

std::string Radians4(double value)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.4f", value);
    return text;
}

// The moments of the two position columns.
std::array<double, 2> ColumnMoments(const MainModel& main, int16_t mode)
{
    const auto& m = main.moments;
    switch (mode) {
    case core::kModeWorldTransits: return {m[0], 0.0};
    case core::kModeNatal1: return {m[1], 0.0};
    case core::kModeNatal2: return {m[2], 0.0};
    case core::kModePersonal1: return {m[0], m[1]};
    case core::kModePersonal2: return {m[0], m[2]};
    case core::kModeSynastry: return {m[1], m[2]};
    default: return {0.0, 0.0};
    }
}

void WritePositionCell(Workspace& program, int16_t cell, double longitude)
{
    display::GridCell& c = program.grid.cellTexts[At(cell)];
    c.backColor = display::kPositionBackColor;
    c.foreColor = display::kBlack;
    c.text = PositionCellText(program, longitude);
}

// The first aspect a pair stands in with the orbs of `column`, 0 for none.
int16_t FirstAspect(const core::AstroModule& astro, double separation, int16_t column, double& deviation)
{
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a) {
        const double d = std::fabs(separation - astro.tables.aspectAngles[At(a)]);
        if (d < astro.orbs.orbs[At(a)][At(column)]) {
            deviation = d;
            return a;
        }
    }
    return 0;
}

void WriteAspectCell(Workspace& program, int16_t cell, int16_t aspect, double deviation, int16_t mark, int16_t boldColumn)
{
    std::string text = program.astro.tables.AspectText[At(aspect)].Abbrev + text::kLineBreak + DeviationText(program, deviation);
    if (mark == -1)
        text += " -";
    else if (mark == 1)
        text += " +";
    program.grid.cellTexts[At(cell)].text = std::move(text);
    MarkCloseAspect(program, boldColumn, cell, aspect, deviation);
    ++program.main.aspectCounts[At(aspect)];
}

int16_t TotalCount(const MainModel& main)
{
    int16_t total = 0;
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a)
        total = static_cast<int16_t>(total + main.aspectCounts[At(a)]);
    return total;
}

std::string TotalText(const Workspace& program, int16_t total)
{
    return text::Replaced(program.language.Text(text::kTextTotalAspects), "N", std::to_string(total));
}

void OneDateSummary(Workspace& program, const std::array<double, 2>& moments)
{
    MainModel& main = program.main;
    std::string report;
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a)
        if (main.aspectCounts[At(a)] > 0)
            report += AspectCountText(program.astro.tables, a, main.aspectCounts[At(a)]) + text::kLineBreak;
    const int16_t total = TotalCount(main);
    if (total == 0)
        report += program.language.Text(text::kTextNoAspectsSummary) + text::kLineBreak;
    else if (total > 1)
        report += TotalText(program, total) + text::kLineBreak;
    report += text::kLineBreak;

    core::RunSearchState* run = program.run.isRunning ? &program.runDialog.search : nullptr;
    const core::PatternFinder finder(program.astro, main.longitudes, program.language, run);
    const auto findings =
        core::FindAllPatterns(finder, false, program.configure.midpointOrbList.ListIndex());
    report += core::PatternSummary(findings, main.patternCounts);
    main.summaryText = std::move(report);
    (void)moments;
}

void TwoDateSummary(Workspace& program)
{
    MainModel& main = program.main;
    const int16_t total = TotalCount(main);
    if (total == 0) {
        main.twoDateSummaryText = program.language.Text(text::kTextNoAspectsSummary);
        return;
    }
    std::string report;
    for (int16_t a = core::kConjunction; a <= core::kNumAspects; ++a)
        if (main.aspectCounts[At(a)] > 0)
            report += AspectCountText(program.astro.tables, a, main.aspectCounts[At(a)]) + ", ";
    while (!report.empty() && (report.back() == ',' || report.back() == ' '))
        report.pop_back();
    if (total > 1)
        report += ". " + TotalText(program, total);
    main.twoDateSummaryText = std::move(report);
}

}  // namespace

std::string AspectCountText(const core::AstroTables& tables, int16_t aspect, int16_t count)
{
    const std::string name = text::LowerCase(tables.AspectText[At(aspect)].Name);
    return std::to_string(count) + " " + (count == 1 ? name : core::PluralOf(name));
}

std::string PositionCellText(const Workspace& program, double longitude)
{
    if (longitude < 0.0)
        return display::PositionErrorMark(static_cast<int32_t>(longitude));
    if (program.main.radiansSelected())
        return Radians4(longitude);
    return core::Rad2DegMin(longitude, false, false, false, false) + text::kLineBreak +
           core::ZodiacPositionText(program.astro.tables, longitude, false);
}

std::string DeviationText(const Workspace& program, double deviation)
{
    if (program.main.radiansSelected())
        return Radians4(deviation);
    return core::Rad2DegMin(deviation, false, false, false, false);
}

void MarkCloseAspect(Workspace& program, int16_t column, int16_t cell, int16_t aspect, double deviation)
{
    display::GridCell& c = program.grid.cellTexts[At(cell)];
    c.bold = program.configure.IsCloseAspect(program.astro.orbs, column, aspect, deviation);
    c.foreColor = program.astro.tables.aspectColors[At(aspect)];
}

std::string AddOrbToTitle(const Workspace& program, const std::string& title, bool personal, bool addPeriod)
{
    const core::OrbTable& orbs = program.astro.orbs;
    double minOrb = orbs.smallestOrb;
    double maxOrb = orbs.largestOrb;
    if (personal) {
        const size_t column = program.main.synastrySelected() ? 1 : 0;
        minOrb = orbs.smallestOrbOfColumn[column];
        maxOrb = orbs.largestOrbOfColumn[column];
    }
    const text::Language& language = program.language;
    if (orbs.allOrbsEqual) {
        std::string result = title + "  " + language.Text(text::kTextOrbOf) + " " +
                             core::Rad2DegMin(maxOrb, true, false, false, false);
        if (addPeriod)
            result += ".";
        return result;
    }
    return title + "  " + language.Text(text::kTextOrbsFrom) + ": " + core::Rad2DegMin(minOrb, true, false, false, false) +
           " " + language.Text(text::kTextOrbsTo) + " " + core::Rad2DegMin(maxOrb, true, false, false, false);
}

std::string SetGridTitle(const Workspace& program, int16_t mode)
{
    const text::Language& language = program.language;
    const bool tableShown = !program.main.chartShown;
    std::string title;
    bool personal = false;
    switch (mode) {
    case core::kModeWorldTransits:
        if (tableShown) {
            title = language.Text(text::kTextTitleWorldTable);
        } else {
            title = text::Replaced(language.Text(text::kTextTitleWorldChart), " degrees", "°");
        }
        break;
    case core::kModeNatal1:
        title = language.Text(tableShown ? text::kTextTitleNatal1Table : text::kTextTitleNatal1Chart);
        break;
    case core::kModeNatal2:
        title = language.Text(tableShown ? text::kTextTitleNatal2Table : text::kTextTitleNatal2Chart);
        break;
    case core::kModePersonal1: title = language.Text(text::kTextTitlePersonal1); personal = true; break;
    case core::kModePersonal2: title = language.Text(text::kTextTitlePersonal2); personal = true; break;
    case core::kModeSynastry: title = language.Text(text::kTextTitleSynastry); personal = true; break;
    default: return {};
    }
    return AddOrbToTitle(program, title, personal, true);
}

namespace {

// Reads the moments of the date rows the mode uses; false when a row holds no valid date, and then no
// moment is changed (the error message is kept in `outcome` once the program has started).
bool ReadMoments(Workspace& program, int16_t mode, ComputeOutcome& outcome)
{
    MainModel& main = program.main;
    std::array<double, core::kNumDateRows> moments = main.moments;
    for (int16_t row = 0; row < core::kNumDateRows; ++row) {
        if (!core::RowUsedByMode(row, mode))
            continue;
        platform::Result<double> moment = datetime::InputDateToAJDate(main, row, program.language);
        if (!moment) {
            main.inputError = true;
            outcome.refusedRow = row;
            if (main.startupCompleted)
                outcome.dateError = moment.error();
            return false;
        }
        moments[At(row)] = moment.value();
    }
    main.moments = moments;
    return true;
}

void LayOutGrid(Workspace& program, int16_t mode)
{
    if (core::IsOneDateMode(mode))
        program.grid.LayOutTriangleGrid(program.astro.tables);
    else
        program.grid.LayOutSquareGrid(program.astro.tables, program.language, mode);
}

// Positions at the mode's moments. Bodies not in use, and the second column in the one-date modes, hold
// no position.
void ComputePositions(Workspace& program, const std::array<double, 2>& moments, bool oneDate)
{
    MainModel& main = program.main;
    core::AstroModule& astro = program.astro;
    for (auto& row : main.longitudes)
        row = {-1.0, -1.0};
    for (int16_t p = core::kEarth; p <= astro.bodyCount; ++p) {
        main.longitudes[At(p)][0] = astro.HelioLongitude(p, moments[0]);
        if (!oneDate)
            main.longitudes[At(p)][1] = astro.HelioLongitude(p, moments[1]);
    }
}

// Position cells: row 0 of the triangle; row 0 from column 2 and column 0 from row 2 of the square.
void WritePositionCells(Workspace& program, bool oneDate)
{
    const MainModel& main = program.main;
    const int16_t cols = program.grid.columnCount;
    for (int16_t p = core::kEarth; p <= program.astro.bodyCount; ++p) {
        if (oneDate) {
            WritePositionCell(program, static_cast<int16_t>(p - 1), main.longitudes[At(p)][0]);
        } else {
            WritePositionCell(program, static_cast<int16_t>(p + 1), main.longitudes[At(p)][0]);
            WritePositionCell(program, static_cast<int16_t>((p + 1) * cols), main.longitudes[At(p)][1]);
        }
    }
}

// Each body's longitude half an hour after the first moment, for the applying or separating mark;
// asked for once per body however many aspects it makes.
class LaterLongitudes {
public:
    LaterLongitudes(core::AstroModule& astro, double moment) : m_astro(astro), m_moment(moment + kHalfHour)
    {
        m_longitudes.fill(std::numeric_limits<double>::quiet_NaN());
    }

    double operator()(int16_t body)
    {
        double& longitude = m_longitudes[At(body)];
        if (std::isnan(longitude))
            longitude = m_astro.HelioLongitude(body, m_moment);
        return longitude;
    }

private:
    core::AstroModule& m_astro;
    double m_moment;
    std::array<double, core::kBodySlots> m_longitudes;
};

// The aspects among the bodies of one moment, above the triangle's diagonal.
void WriteOneDateAspects(Workspace& program, LaterLongitudes& later)
{
    const MainModel& main = program.main;
    core::AstroModule& astro = program.astro;
    const int16_t numPlanets = astro.bodyCount;
    const int16_t cols = program.grid.columnCount;
    for (int16_t p1 = core::kEarth; p1 <= numPlanets; ++p1) {
        const double L1 = main.longitudes[At(p1)][0];
        if (L1 < 0.0)
            continue;
        for (int16_t p2 = static_cast<int16_t>(p1 + 1); p2 <= numPlanets; ++p2) {
            const double L2 = main.longitudes[At(p2)][0];
            if (L2 < 0.0)
                continue;
            double deviation = 0.0;
            const int16_t a = FirstAspect(astro, core::Separation(L1, L2), 0, deviation);
            if (a == 0)
                continue;
            const auto cell = static_cast<int16_t>((p1 + 1) * cols + (p2 - 1));
            const int16_t mark = astro.ApplyingOrSeparatingFrom(later(p1), later(p2), a, deviation);
            WriteAspectCell(program, cell, a, deviation, mark, 0);
        }
    }
}

// The aspects between the bodies of the second moment (rows) and of the first (columns); synastry has no
// applying or separating mark.
void WriteTwoDateAspects(Workspace& program, LaterLongitudes& later, bool synastry)
{
    const MainModel& main = program.main;
    core::AstroModule& astro = program.astro;
    const int16_t numPlanets = astro.bodyCount;
    const int16_t cols = program.grid.columnCount;
    const int16_t column = synastry ? core::kOrbColumnSynastry : core::kOrbColumnPersonal;
    for (int16_t p1 = core::kEarth; p1 <= numPlanets; ++p1) {
        const double L1 = main.longitudes[At(p1)][1];
        if (L1 < 0.0)
            continue;
        for (int16_t p2 = core::kEarth; p2 <= numPlanets; ++p2) {
            const double L2 = main.longitudes[At(p2)][0];
            if (L2 < 0.0)
                continue;
            double deviation = 0.0;
            const int16_t a = FirstAspect(astro, core::Separation(L1, L2), column, deviation);
            if (a == 0)
                continue;
            const auto cell = static_cast<int16_t>((p1 + 1) * cols + (p2 + 1));
            const int16_t mark = synastry ? int16_t{0} : astro.ApplyingOrSeparatingFrom(later(p2), L1, a, deviation);
            WriteAspectCell(program, cell, a, deviation, mark, 1);
        }
    }
}

}  // namespace

ComputeOutcome Compute(Workspace& program)
{
    ComputeOutcome outcome;
    MainModel& main = program.main;
    core::AstroModule& astro = program.astro;

    program.configure.ApplyOrbs(astro);
    astro.bodyCount = core::NumPlanetsFor(astro.PlutoDataReadOK());

    const int16_t mode = main.DetermineMode();
    if (!ReadMoments(program, mode, outcome) || mode == core::kModeNone)
        return outcome;

    main.titleText = SetGridTitle(program, mode);
    const bool oneDate = core::IsOneDateMode(mode);
    LayOutGrid(program, mode);

    const std::array<double, 2> moments = ColumnMoments(main, mode);
    ComputePositions(program, moments, oneDate);
    WritePositionCells(program, oneDate);

    main.aspectCounts.fill(0);
    LaterLongitudes later(astro, moments[0]);
    if (oneDate) {
        WriteOneDateAspects(program, later);
        OneDateSummary(program, moments);
    } else {
        WriteTwoDateAspects(program, later, mode == core::kModeSynastry);
        TwoDateSummary(program);
    }

    if (!main.chartShown)
        main.gridShown = true;
    outcome.computed = true;

    if (program.run.isRunning) {
        outcome.found = tools::FoundCheck(program.run, program.runDialog, main.patternCounts,
                                          mode == core::kModeWorldTransits, program.language);
    }
    return outcome;
}

ComputeOutcome SearchCompute(Workspace& program)
{
    MainModel& main = program.main;
    core::RunSearchState& search = program.runDialog.search;
    const int16_t sought = search.patternSought;
    if (!program.run.isRunning || sought < 0 || sought >= core::kNumPatterns ||
        main.SelectedMode() != core::Mode::WorldTransits)
        return Compute(program);

    ComputeOutcome outcome;
    core::AstroModule& astro = program.astro;
    program.configure.ApplyOrbs(astro);
    astro.bodyCount = core::NumPlanetsFor(astro.PlutoDataReadOK());
    const int16_t mode = main.DetermineMode();
    if (!ReadMoments(program, mode, outcome))
        return outcome;
    ComputePositions(program, ColumnMoments(main, mode), true);

    const core::RunSearchState before = search;
    const core::PatternFinder finder(astro, main.longitudes, program.language, &search);
    main.patternCounts[At(sought)] =
        core::SummaryCountOf(finder, sought, program.configure.midpointOrbList.ListIndex());
    // The stop test on a copy of the run: a step that stops it is computed again in full, from the
    // run's state before this step.
    tools::RunState run = program.run;
    if (tools::FoundCheck(run, program.runDialog, main.patternCounts, true, program.language)) {
        search = before;
        return Compute(program);
    }
    outcome.computed = true;
    return outcome;
}

}  // namespace orvane::app
