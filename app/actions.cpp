#include "app/actions.h"

#include "core/patterns.h"
#include "datetime/date_input.h"
#include "datetime/datepr2.h"
#include "datetime/stepping.h"
#include "display/angle_texts.h"
#include "display/captions.h"
#include "display/grid_model.h"
#include "files/state_file.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <cctype>
#include <cmath>

namespace orvane::app {
namespace {

// The world date's local day number and time of day, or -1 when the world date row holds no date.
double WorldLocalDay(Workspace& program)
{
    const platform::Result<double> local =
        datetime::InputDateToLocalDayNumber(program.main, core::kWorldDateRow, program.language);
    return local ? local.value() : -1.0;
}

int32_t YearNumber(const std::string& text)
{
    const std::string digits = datetime::CleanedYear(text);
    const size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0;
    if (digits.size() - first > 7)
        return 9999999;
    return std::stoi(digits.substr(first));
}

datetime::StepDate ReadWorldDate(const MainModel& main)
{
    return {main.halfHourLists[0].ListIndex(), main.monthLists[0].ListIndex(), main.dayLists[0].ListIndex(),
            YearNumber(main.yearTexts[0])};
}

void WriteWorldDate(MainModel& main, const datetime::StepDate& date)
{
    main.halfHourLists[0].SetListIndex(date.h);
    main.monthLists[0].SetListIndex(date.m);
    main.dayLists[0].SetListIndex(date.d);
    main.yearTexts[0] = std::to_string(date.y);
}

// The world date one increment on, then `compute`; a date the date input refuses is undone.
template <class ComputeStep>
StepOutcome StepWith(Workspace& program, Direction direction, ComputeStep compute)
{
    MainModel& main = program.main;
    StepOutcome outcome;
    const datetime::StepDate before = ReadWorldDate(main);
    // Keep the controls' own values, text included, to put back exactly what was there.
    const std::string yearBefore = main.yearTexts[0];
    const int16_t zoneBefore = main.zoneLists[0].ListIndex();
    const std::optional<datetime::PreciseMoment> preciseBefore = main.preciseMoments[0];
    main.DropPreciseMoment(core::kWorldDateRow);

    const auto increment = static_cast<datetime::StepIncrement>(
        std::clamp<int16_t>(main.stepIncrement.ListIndex(), 0, datetime::kNumStepIncrements - 1));
    const bool forward = direction == Direction::Forward;
    // A precise world date steps as itself, in its zone, and its lists follow it to the half hour.
    std::optional<datetime::PreciseMoment> stepped;
    if (preciseBefore) {
        platform::Result<datetime::PreciseMoment> moved = datetime::StepPreciseMoment(
            *preciseBefore, static_cast<int16_t>(increment), forward, program.language);
        if (moved)
            stepped = std::move(moved.value());
    }
    datetime::StepDate after = datetime::StepWorldDate(before, increment, forward);
    if (stepped)
        datetime::SetPreciseMoment(main, core::kWorldDateRow, std::move(*stepped));
    else
        WriteWorldDate(main, after);
    if (!main.preciseMoments[0] &&
        (increment == datetime::StepIncrement::Month || increment == datetime::StepIncrement::Year)) {
        after = datetime::DayCorrection(after, [&main, &program](const datetime::StepDate& date) {
            WriteWorldDate(main, date);
            return !datetime::InputDateToAJDate(main, core::kWorldDateRow, program.language);
        });
        WriteWorldDate(main, after);
    }

    main.patternCounts.fill(0);
    outcome.compute = compute(program);
    if (outcome.compute.refusedRow == core::kWorldDateRow) {
        WriteWorldDate(main, before);
        main.yearTexts[0] = yearBefore;
        main.zoneLists[0].SetListIndex(zoneBefore);
        main.preciseMoments[0] = preciseBefore;
        outcome.undone = true;
    }
    return outcome;
}

}  // namespace

StepOutcome Step(Workspace& program, Direction direction)
{
    return StepWith(program, direction, Compute);
}

StepOutcome SearchStep(Workspace& program, Direction direction)
{
    return StepWith(program, direction, SearchCompute);
}

ComputeOutcome SetWorldDate(Workspace& program, double moment)
{
    MainModel& main = program.main;
    const datetime::StepDate before = ReadWorldDate(main);
    const std::string yearBefore = main.yearTexts[0];
    const int16_t zoneBefore = main.zoneLists[0].ListIndex();
    const std::optional<datetime::PreciseMoment> preciseBefore = main.preciseMoments[0];
    datetime::SetWorldDateTo(main, moment);
    // The row is tested in every mode, not only where the computation reads it: a natal chart would
    // otherwise keep a world date that no computation accepts, and a save would store it.
    datetime::DateRows rows = main;  // a copy: converting cleans the rows it reads
    const platform::Result<double> world = datetime::InputDateToAJDate(rows, core::kWorldDateRow, program.language);
    if (world)
        return Compute(program);
    WriteWorldDate(main, before);
    main.yearTexts[0] = yearBefore;
    main.zoneLists[0].SetListIndex(zoneBefore);
    main.preciseMoments[0] = preciseBefore;
    main.inputError = true;
    ComputeOutcome outcome;
    outcome.refusedRow = core::kWorldDateRow;
    outcome.dates = platform::Result<void>(world.failure());
    return outcome;
}

namespace {

// Beginning and end of the clicked transit: a picture for personal transits with both days known,
// otherwise the days and the question whether to list all durations.
void DescribeAspectSpan(Workspace& program, const std::string& caption, core::Mode mode, int16_t column,
                        CellClickOutcome& outcome)
{
    MainModel& main = program.main;
    const core::AstroModule& astro = program.astro;
    const text::Language& language = program.language;
    const bool personal = core::IsPersonalTransitMode(mode);
    const core::Body p1 = outcome.p1;
    const core::Body p2 = outcome.p2;
    const core::Aspect a = outcome.aspect;

    const double worldLocal = WorldLocalDay(program);
    const core::AspectSpanContext context =
        core::MakeAspectSpanContext(mode, main.moments, worldLocal, outcome.zoneMinutes);
    const std::optional<core::DayNumber> b = core::BeginningOfAspect(astro, context, p1, p2, a, column);
    const std::optional<core::DayNumber> e = core::EndOfAspect(astro, context, p1, p2, a, column);
    outcome.beginning = b;
    outcome.ending = e;

    if (b && e && personal) {
        outcome.kind = CellClickOutcome::Kind::TransitPicture;
        outcome.pictureTooltip = language.Text(text::kTextPictureHint);
        outcome.pictureCaption = display::TransitPictureCaption(astro.tables, astro.orbs, language, p1, p2, a, column);
        return;
    }

    const std::string orb = display::Rad2DegMin(astro.orbs.Orb(a, column), {.blankBeforeMinutes = true});
    const std::string message = display::AspectSpanText(language, orb, astro.tables.AspectText[core::SlotOf(a)].Name, b, e);
    outcome.kind = CellClickOutcome::Kind::DurationsQuestion;
    outcome.message = platform::Message::Question(
        caption, message + text::kLineBreak + text::kLineBreak + language.Text(text::kTextListDurations) + " " +
                     language.Text(personal ? text::kTextPersonalTransits : text::kTextWorldTransits) + "?",
        platform::Button::No);
}

// The aspect of grid cell `cell`, when the last computation found one there.
std::optional<core::AspectFound> AspectInCell(const Workspace& program, int16_t cell)
{
    const core::AspectResult& result = program.main.result;
    for (const core::AspectFound& found : result.aspects)
        if (program.grid.CellIndex(display::AspectCell(result.comparison, found)) == cell)
            return found;
    return std::nullopt;
}

}  // namespace

CellClickOutcome ClickCell(Workspace& program, int16_t cell)
{
    CellClickOutcome outcome;
    MainModel& main = program.main;
    const core::AstroModule& astro = program.astro;
    const core::Mode mode = main.DetermineMode();
    if (core::IsNatalMode(mode) || mode == core::Mode::Synastry) {
        outcome.kind = CellClickOutcome::Kind::FocusOnly;
        return outcome;
    }
    if (!core::IsTransitMode(mode))
        return outcome;

    const bool personal = core::IsPersonalTransitMode(mode);
    const auto z = static_cast<int16_t>(main.zoneLists[0].SelectedItemData());
    const int16_t k = personal ? core::kOrbColumnPersonal : core::kOrbColumnOneMoment;
    const std::optional<core::AspectFound> found = AspectInCell(program, cell);
    if (!found)
        return outcome;
    if (astro.tables.aspectColors[core::SlotOf(found->aspect)] == 0.0) {
        outcome.kind = CellClickOutcome::Kind::FocusOnly;
        return outcome;
    }

    // The row body, the natal body in personal transits; the column body.
    outcome.p1 = found->body1;
    outcome.p2 = found->body2;
    outcome.aspect = found->aspect;
    outcome.zoneMinutes = z;
    const std::string caption =
        display::CellCaption(program.language, astro.tables, personal, outcome.p1, outcome.p2, outcome.aspect);
    DescribeAspectSpan(program, caption, mode, k, outcome);
    return outcome;
}

core::DurationGrid DurationGridOf(Workspace& program)
{
    MainModel& main = program.main;
    core::DurationGrid grid;
    grid.currentMode = main.DetermineMode();
    grid.aspects = main.result.aspects;
    grid.moments = main.moments;
    grid.worldLocalDay = WorldLocalDay(program);
    grid.zoneOffsetMinutes = static_cast<int16_t>(main.zoneLists[0].SelectedItemData());
    return grid;
}

reports::ReportInputs ReportInputsOf(Workspace& program)
{
    reports::ReportInputs inputs;
    inputs.currentMode = program.main.DetermineMode();
    inputs.InputDateToString = [&program](int16_t row, bool abbreviated) {
        return datetime::InputDateToString(program.main, row, abbreviated, program.language);
    };
    inputs.AddOrbToTitle = [&program](const std::string& title, bool personal, bool addPeriod) {
        return AddOrbToTitle(program, title, personal, addPeriod);
    };
    inputs.grid = DurationGridOf(program);
    return inputs;
}

reports::NatalListingInputs NatalListingInputsOf(Workspace& program)
{
    const core::AspectResult& result = program.main.result;
    reports::NatalListingInputs natal;
    natal.positions = result.positions;
    natal.aspectCounts = result.AspectCounts();
    // The patterns of the first chart with the midpoint orb chosen now: in synastry those of the 1st
    // birthdate, which the computation does not look for.
    natal.patterns = core::FindChartPatterns(program.astro, result.positions[0],
                                             program.configure.midpointOrbList.ListIndex());
    return natal;
}

std::optional<platform::Message> Report(Workspace& program, reports::DurationsWindow& window)
{
    program.main.totalAspects = program.main.result.TotalAspects();
    const core::Mode mode = program.main.DetermineMode();
    if (program.main.totalAspects == 0)
        return reports::NoAspectsMessage(program.language, mode);
    window.Report(ReportInputsOf(program));
    window.Activate(program.main.totalAspects, NatalListingInputsOf(program));
    return std::nullopt;
}

namespace {

void MarkStateFileTouched(MainModel& main)
{
    main.stateFileTouched = true;
    main.stateFileTouchedTicks = 0;
}

}  // namespace

platform::Result<void> SaveStateFile(Workspace& program, const std::string& path, settings::SettingsStore& store)
{
    MainModel& main = program.main;
    platform::Result<void> written = files::WriteStateFile(path, main, main, main.stepIncrement, program.configure,
                                                           program.astro.tables, store, program.language);
    if (written.ok())
        MarkStateFileTouched(main);
    return written;
}

platform::Result<void> LoadStateFile(Workspace& program, const std::string& path, settings::SettingsStore& store)
{
    MainModel& main = program.main;
    // A damaged file changes nothing (the reader applies a file only when every line is good).
    main.inhibitCompute = true;
    platform::Result<void> read = files::ReadStateFile(path, main, main, main.stepIncrement, program.configure,
                                                       program.astro.tables, store, program.language);
    if (read.ok())
        MarkStateFileTouched(main);
    main.inhibitCompute = false;
    return read;
}

}  // namespace orvane::app
