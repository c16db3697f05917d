#include "app/actions.h"

#include "core/midpoints.h"
#include "core/patterns.h"
#include "datetime/datepr2.h"
#include "datetime/date_input.h"
#include "display/stepping.h"
#include "text/strings.h"
#include "text/text_numbers.h"
#include "tools/state_file.h"

#include <cctype>
#include <cmath>

namespace orvane::mainwindow {
namespace {


size_t At(int16_t i)
{
    return static_cast<size_t>(i);
}

int32_t YearNumber(const std::string& text)
{
    const std::string digits = datetime::SanitizeInteger(text, true, false);
    if (digits.empty() || digits == "-")
        return 0;
    if (digits.size() > 7)
        return digits[0] == '-' ? -9999999 : 9999999;
    return std::stoi(digits);
}

display::StepDate ReadWorldDate(const MainModel& main)
{
    return {main.cboHour[0].ListIndex(), main.cboMonthCE[0].ListIndex(), main.cboDayCE[0].ListIndex(),
            YearNumber(main.txbYearCE[0])};
}

void WriteWorldDate(MainModel& main, const display::StepDate& date)
{
    main.cboHour[0].SetListIndex(date.h);
    main.cboMonthCE[0].SetListIndex(date.m);
    main.cboDayCE[0].SetListIndex(date.d);
    main.txbYearCE[0] = std::to_string(date.y);
}

}  // namespace

StepOutcome cmdForwardBack_Click(Program& program, int16_t index)
{
    MainModel& main = program.main;
    StepOutcome outcome;
    const display::StepDate before = ReadWorldDate(main);
    // Keep the controls' own values, text included, to put back exactly what was there.
    const std::string yearBefore = main.txbYearCE[0];

    const auto increment = static_cast<display::StepIncrement>(
        std::clamp<int16_t>(main.cboForwardBack.ListIndex(), 0, display::kNumStepIncrements - 1));
    display::StepDate after = display::StepWorldDate(before, increment, index == kForwardButton);
    WriteWorldDate(main, after);
    if (increment == display::StepIncrement::Month || increment == display::StepIncrement::Year) {
        after = display::DayCorrection(after, [&main](const display::StepDate& date) {
            WriteWorldDate(main, date);
            return datetime::InputDateToAJDate(main, core::kWorldDateRow) < 0.0;
        });
        WriteWorldDate(main, after);
    }

    main.intPatternCount.fill(0);
    outcome.compute = cmdCompute_Click(program);
    if (main.dblMoment[0] < 0.0) {
        WriteWorldDate(main, before);
        main.txbYearCE[0] = yearBefore;
        outcome.undone = true;
    }
    return outcome;
}

CellClickOutcome ShowAspectDetails(Program& program, int16_t cell)
{
    CellClickOutcome outcome;
    MainModel& main = program.main;
    const core::AstroModule& astro = program.astro;
    const text::Language& language = program.language;
    const int16_t mode = main.DetermineMode();
    if (core::IsNatalMode(mode) || mode == core::kModeSynastry) {
        outcome.kind = CellClickOutcome::Kind::FocusOnly;
        return outcome;
    }
    if (!core::IsTransitMode(mode))
        return outcome;

    const bool personal = core::IsPersonalTransitMode(mode);
    const auto z = static_cast<int16_t>(main.cboTimezone[0].SelectedItemData());
    const int16_t k = personal ? core::kOrbColumnPersonal : core::kOrbColumnOneMoment;
    const int16_t a = program.grid.CellAspect(astro.tables, cell);
    if (a == 0)
        return outcome;
    if (astro.tables.dblAspectColor[At(a)] == 0.0) {
        outcome.kind = CellClickOutcome::Kind::FocusOnly;
        return outcome;
    }

    program.grid.GetRowCol(cell, program.grid.intNumCols);
    const auto p1 = static_cast<int16_t>(program.grid.intRow - 1);
    const auto p2 = static_cast<int16_t>(personal ? program.grid.intCol - 1 : program.grid.intCol + 1);
    const auto& name = astro.tables.strPlanetName;
    const core::AspectNames& aspect = astro.tables.AspectText[At(a)];
    outcome.p1 = p1;
    outcome.p2 = p2;
    outcome.aspect = a;
    outcome.zoneMinutes = z;

    const std::string caption = personal ? name[At(p1)] + " " + aspect.Phrase + " " + name[At(p2)]
                                         : language.GetText(text::kTextIn) + " " + name[At(p2)] + " " + aspect.Phrase +
                                               " " + language.GetText(text::kTextToTheNatal) + " " + name[At(p1)];

    if (p2 == core::kMaxBodyIndex) {
        std::string text = language.GetText(text::kTextSecondBodyTen);
        const size_t at = text.find("12");
        if (at != std::string::npos)
            text.replace(at, 2, std::to_string(4 * program.configure.intOrbListIndex[At(static_cast<int16_t>(a - 1))]));
        outcome.kind = CellClickOutcome::Kind::Information;
        outcome.message = platform::Message::Information(caption, std::move(text));
        return outcome;
    }

    const double worldLocal = datetime::InputDateToLocalDayNumber(main, core::kWorldDateRow);
    const display::AspectSpanContext context = display::MakeAspectSpanContext(mode, main.dblMoment, worldLocal, z);
    const double b = display::BeginningOfAspect(astro, context, p1, p2, a, k);
    const double e = display::EndOfAspect(astro, context, p1, p2, a, k);
    outcome.beginning = b;
    outcome.ending = e;

    const std::string orb = core::Rad2DegMin(astro.orbs.dblOrb[At(a)][At(k)], false, true, false, false);
    const auto dayText = [&](double day) {
        return day < 0.0 ? language.GetText(text::kTextUnknownDate)
                         : datetime::DateText(static_cast<int32_t>(std::floor(day)), false, language.intLanguage);
    };
    const std::string message = language.GetTextWithReplacements(text::kTextOrbThis, orb, text::LowerCase(aspect.Name)) + text::kLineBreak +
                                language.GetTextWithReplacements(text::kTextBeginsOn, dayText(b)) + text::kLineBreak +
                                language.GetTextWithReplacements(text::kTextEndsOn, dayText(e)) + ".";

    if (b >= 0.0 && e >= 0.0 && personal) {
        outcome.kind = CellClickOutcome::Kind::TransitPicture;
        outcome.pictureTooltip = language.GetText(text::kTextPictureHint);
        outcome.pictureCaption =
            language.GetText(text::kTextIn) + " " + name[At(p2)] + " " + language.GetText(text::kTextPictureAspect) + " " +
            text::LowerCase(aspect.Name) + " " + language.GetText(text::kTextPictureAspectAfter) + " " +
            language.GetText(text::kTextToTheNatal) + " " + name[At(p1)] + "X, " + language.GetText(text::kTextPictureOrb) + " " +
            core::Rad2DegMin(astro.orbs.dblOrb[At(a)][At(k)], false, false, false, false);
        return outcome;
    }

    outcome.kind = CellClickOutcome::Kind::DurationsQuestion;
    outcome.message = platform::Message::Question(
        caption, message + text::kLineBreak + text::kLineBreak + language.GetText(text::kTextListDurations) + " " +
                     language.GetText(personal ? text::kTextPersonalTransits : text::kTextWorldTransits) + "?",
        platform::Button::No);
    return outcome;
}

display::DurationGrid DurationGridOf(Program& program)
{
    MainModel& main = program.main;
    display::DurationGrid grid;
    grid.intMode = main.DetermineMode();
    grid.intNumCols = program.grid.intNumCols;
    for (int16_t i = 0; i < program.grid.intNumCells; ++i)
        grid.txbCell.push_back(program.grid.txbCell[At(i)].text);
    grid.dblMoment = main.dblMoment;
    grid.dblWorldLocalDayNumber = datetime::InputDateToLocalDayNumber(main, core::kWorldDateRow);
    grid.intZoneMinutes = static_cast<int16_t>(main.cboTimezone[0].SelectedItemData());
    return grid;
}

tools::ReportInputs ReportInputsOf(Program& program)
{
    tools::ReportInputs inputs;
    inputs.intMode = program.main.DetermineMode();
    for (size_t k = 0; k < inputs.intOrbListIndex.size(); ++k)
        inputs.intOrbListIndex[k] = program.configure.intOrbListIndex[k];
    inputs.InputDateToString = [&program](int16_t row, bool abbreviated) {
        return datetime::InputDateToString(program.main, row, abbreviated, program.language);
    };
    inputs.AddOrbToTitle = [&program](const std::string& title, bool personal, bool addPeriod) {
        return AddOrbToTitle(program, title, personal, addPeriod);
    };
    inputs.grid = DurationGridOf(program);
    return inputs;
}

tools::NatalListingInputs NatalListingInputsOf(Program& program)
{
    tools::NatalListingInputs natal;
    natal.dblPos = program.main.dblPos;
    natal.intAspectCount = program.main.intAspectCount;
    natal.findPattern = [&program](int16_t patternIndex) {
        tools::PatternFinding finding;
        if (patternIndex == core::kPatternMidpoint) {
            core::CheckForMidpoint(program.astro, program.main.dblPos, program.configure.cboOrbForMidpoints.ListIndex(),
                                   true, finding.count, finding.text);
            return finding;
        }
        const core::PatternFinder finder(program.astro, program.main.dblPos, program.language);
        finding.text = finder.Find(patternIndex, true, finding.count);
        return finding;
    };
    return natal;
}

std::optional<platform::Message> cmdReport_Click(Program& program, tools::DurationsWindow& window)
{
    program.main.intTotalNumAspects = program.grid.GetTotalNumAspects(program.astro.tables);
    const int16_t mode = program.main.DetermineMode();
    if (program.main.intTotalNumAspects == 0)
        return tools::NoAspectsMessage(program.language, mode);
    window.Report(ReportInputsOf(program));
    window.Activate(program.main.intTotalNumAspects, NatalListingInputsOf(program));
    return std::nullopt;
}

namespace {

void MarkStateFileTouched(MainModel& main)
{
    main.blnStateFileTouched = true;
    main.intStateFileTouchedTicks = 0;
}

}  // namespace

std::string SaveStateFile(Program& program, const std::string& path, settings::RegistryStore& store)
{
    MainModel& main = program.main;
    std::string error = tools::WriteStateFile(path, main, main, main.cboForwardBack, program.configure,
                                              program.astro.tables, store, program.language);
    if (error.empty())
        MarkStateFileTouched(main);
    return error;
}

std::string LoadStateFile(Program& program, const std::string& path, settings::RegistryStore& store)
{
    MainModel& main = program.main;
    // A file that turns out damaged part-way leaves the dates, the mode, the panel and the colours as
    // they were before it was opened.
    const MainModel mainBefore = main;
    const settings::ConfigureModel configureBefore = program.configure;
    const core::AstroTables tablesBefore = program.astro.tables;
    main.blnInhibitCompute = true;
    std::string error = tools::ReadStateFile(path, main, main, main.cboForwardBack, program.configure,
                                             program.astro.tables, store, program.language);
    if (error.empty()) {
        MarkStateFileTouched(main);
    } else {
        main = mainBefore;
        program.configure = configureBefore;
        program.astro.tables = tablesBefore;
    }
    main.blnInhibitCompute = false;
    return error;
}

}  // namespace orvane::mainwindow
