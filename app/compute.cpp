#include "app/compute.h"

#include "core/aspect_result.h"
#include "core/patterns.h"
#include "display/angle_texts.h"
#include "display/result_texts.h"
#include "platform/index.h"
#include "text/strings.h"
#include "text/text_numbers.h"

namespace orvane::app {
namespace {

using platform::At;

// The moments of the mode's first and second positions, from the moments of the date rows.
std::array<double, 2> ColumnMoments(const std::array<double, core::kNumDateRows>& m, core::Mode mode)
{
    switch (mode) {
    case core::Mode::WorldTransits: return {m[0], 0.0};
    case core::Mode::Natal1st: return {m[1], 0.0};
    case core::Mode::Natal2nd: return {m[2], 0.0};
    case core::Mode::PersonalTransits1st: return {m[0], m[1]};
    case core::Mode::PersonalTransits2nd: return {m[0], m[2]};
    case core::Mode::Synastry: return {m[1], m[2]};
    default: return {0.0, 0.0};
    }
}

// What the grid computes in `mode` for the date rows' `moments`, with the panel's boldface rule and
// midpoint orb.
core::AspectRequest GridRequest(const Workspace& program, core::Mode mode,
                                const std::array<double, core::kNumDateRows>& moments)
{
    core::AspectRequest request;
    request.comparison = core::ComparisonOf(mode);
    request.moments = ColumnMoments(moments, mode);
    request.closeRule = program.configure.CloseRule();
    request.midpointOrbPosition = program.configure.midpointOrbList.ListIndex();
    return request;
}

}  // namespace

core::AspectResult AspectsAt(const Workspace& program, core::Mode mode,
                             const std::array<double, core::kNumDateRows>& moments)
{
    return core::ComputeAspects(program.astro, GridRequest(program, mode, moments));
}

std::string AddOrbToTitle(const Workspace& program, const std::string& title, bool personal, bool addPeriod)
{
    const std::optional<size_t> column =
        personal ? std::optional<size_t>(program.main.synastrySelected() ? 1 : 0) : std::nullopt;
    return display::TitleWithOrbs(program.astro.orbs, program.language, title, column, addPeriod);
}

std::string SetGridTitle(const Workspace& program, core::Mode mode)
{
    return display::GridTitle(program.astro.orbs, program.language, mode, !program.main.chartShown,
                              program.main.synastrySelected() ? 1 : 0);
}

namespace {

// Reads the moments of the date rows the mode uses; false when a row holds no valid date, and then no
// moment is changed and `outcome` tells why.
bool ReadMoments(Workspace& program, core::Mode mode, ComputeOutcome& outcome)
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
            outcome.dates = platform::Result<void>(moment.failure());
            return false;
        }
        moments[At(row)] = moment.value();
    }
    main.moments = moments;
    return true;
}

void LayOutGrid(Workspace& program, core::Mode mode)
{
    if (core::IsOneDateMode(mode))
        program.grid.LayOutTriangleGrid(program.astro.tables);
    else
        program.grid.LayOutSquareGrid(program.astro.tables, program.language, mode);
}

}  // namespace

ComputeOutcome Compute(Workspace& program)
{
    ComputeOutcome outcome;
    MainModel& main = program.main;
    core::AstroModule& astro = program.astro;

    program.configure.ApplyOrbs(astro);
    astro.bodyCount = core::NumPlanetsIn(astro.convention, astro.PlutoDataReadOK());

    const core::Mode mode = main.DetermineMode();
    if (!ReadMoments(program, mode, outcome) || mode == core::Mode::None)
        return outcome;

    main.titleText = SetGridTitle(program, mode);
    LayOutGrid(program, mode);

    core::AspectRequest request = GridRequest(program, mode, main.moments);
    request.run = program.run.isRunning ? &program.runDialog.search : nullptr;
    main.result = core::ComputeAspects(astro, request);

    display::WriteResultIntoGrid(program.grid, astro.tables, main.result, main.radiansSelected());
    if (core::IsOneDateMode(mode)) {
        main.summaryText = display::OneMomentSummary(astro.tables, program.language, main.result);
        core::StorePatternCounts(main.result.patterns, main.patternCounts);
    } else {
        main.twoDateSummaryText = display::TwoMomentSummary(astro.tables, program.language, main.result);
    }

    if (!main.chartShown)
        main.gridShown = true;
    outcome.computed = true;

    if (program.run.isRunning) {
        outcome.found = search::FoundCheck(program.run, program.runDialog, main.patternCounts,
                                           mode == core::Mode::WorldTransits, program.language);
    }
    return outcome;
}

ComputeOutcome SearchCompute(Workspace& program)
{
    MainModel& main = program.main;
    core::RunSearchState& searchState = program.runDialog.search;
    const int16_t sought = searchState.patternSought;
    if (!program.run.isRunning || sought < 0 || sought >= core::kNumPatterns ||
        main.SelectedMode() != core::Mode::WorldTransits)
        return Compute(program);

    ComputeOutcome outcome;
    core::AstroModule& astro = program.astro;
    program.configure.ApplyOrbs(astro);
    astro.bodyCount = core::NumPlanetsIn(astro.convention, astro.PlutoDataReadOK());
    const core::Mode mode = main.DetermineMode();
    if (!ReadMoments(program, mode, outcome))
        return outcome;
    const double moment = ColumnMoments(main.moments, mode)[0];
    core::ChartPositions positions;
    for (const core::Body body : core::BodiesInUse(astro.bodyCount))
        positions[body] = astro.PositionAt(body, moment);

    const core::RunSearchState before = searchState;
    main.patternCounts[At(sought)] = core::SummaryCountOf(astro, positions, sought,
                                                          program.configure.midpointOrbList.ListIndex(), &searchState);
    // The stop test on a copy of the run: a step that stops it is computed again in full, from the
    // run's state before this step.
    search::RunState run = program.run;
    if (search::FoundCheck(run, program.runDialog, main.patternCounts, true, program.language)) {
        searchState = before;
        return Compute(program);
    }
    outcome.computed = true;
    return outcome;
}

}  // namespace orvane::app
