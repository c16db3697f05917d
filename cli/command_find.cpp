#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "app/actions.h"
#include "datetime/date_input.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

int Session::Find()
{
    if (const int code = LoadStateOrDate(); code != kExitSuccess)
        return code;
    PrintRoundingNotes(m_line.format != TableFormat::Text);
    app::MainModel& main = m_program.main;
    main.SelectMode(core::Mode::WorldTransits);
    // The search starts from the state's world date: a date the date input rejects has no next step
    // (stepping an incomplete row would invent a date). The conversion also fills in the default
    // half hour and zone, so that the steps start from the moment the date row stands for.
    if (const platform::Result<double> start =
            datetime::InputDateToAJDate(main, core::kWorldDateRow, m_program.language);
        !start)
        return DateError(start.error());
    if (m_line.step)
        main.stepIncrement.SetListIndex(*m_line.step);
    main.startupCompleted = true;

    // The run dialog as a user would fill it in.
    search::RunDialogModel& dialog = m_program.runDialog;
    dialog.Activate(m_program.astro.tables);
    dialog.patternList.SetListIndex(m_line.pattern);
    dialog.ChoosePattern();
    for (size_t k = 0; k < m_line.planets.size(); ++k)
        dialog.soughtBodyLists[k].SetListIndex(m_line.planets[k]);
    if (m_line.atLeast >= 2) {
        dialog.twoOrMoreTicked = true;
        dialog.ToggleTwoOrMore();
        dialog.countList.SetListIndex(static_cast<int16_t>(m_line.atLeast - 2));
    }
    if (const std::optional<platform::Message> refused = dialog.Run(m_program.language)) {
        PrintMessage(m_err, *refused);
        return kExitUsage;
    }

    m_program.run.isRunning = true;
    for (long n = 0; n < m_line.maxSteps; ++n) {
        // Each step is judged on its own patterns: the sought bodies count only when a pattern of that
        // day involves them, not because one of an earlier step did.
        dialog.search.numBodiesFound = 0;
        dialog.search.soughtBodiesFound = false;
        const double before = m_line.forms ? WorldMoment() : 0.0;
        const app::StepOutcome outcome = m_program.SearchStep(app::Direction::Forward);
        if (outcome.undone)
            return NotFoundUpToTheLastDate();
        if (!outcome.compute.computed)
            return DateError(outcome.compute.dates);
        if (outcome.compute.found && !m_line.forms)
            return PrintFound(*outcome.compute.found);
        // With --forms a step that finds the pattern is followed back to the moment it formed; one that
        // finds it already there before the step goes on, as the pattern did not form then.
        if (outcome.compute.found)
            if (const int code = FoundAtFormation(before, WorldMoment(), *outcome.compute.found); code >= 0)
                return code;
    }
    m_err << OwnText(text::kTextNotFound, m_line.language, std::to_string(m_line.maxSteps)) << '\n';
    return NothingFound();
}

double Session::WorldMoment()
{
    const platform::Result<double> moment =
        datetime::InputDateToAJDate(m_program.main, core::kWorldDateRow, m_program.language);
    return moment ? moment.value() : 0.0;
}

int Session::PrintFound(const platform::Message& message)
{
    app::MainModel& main = m_program.main;
    if (m_line.format == TableFormat::Text) {
        PrintMessage(m_out, message);
        m_out << datetime::InputDateToString(main, core::kWorldDateRow, false, m_program.language) << '\n';
        return kExitSuccess;
    }
    FoundTable(datetime::InputDateToAJDate(main, core::kWorldDateRow, m_program.language).value());
    return kExitSuccess;
}

int Session::NothingFound()
{
    // A table that finds nothing has no rows, so that a script reads the same format either way.
    if (m_line.format != TableFormat::Text)
        FoundTable(std::nullopt);
    return kExitNotFound;
}

void Session::FoundTable(std::optional<double> found)
{
    TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words());
    writer.BeginFound();
    if (found)
        writer.Found(*found, NameTables().patternNames[static_cast<size_t>(m_line.pattern)]);
    writer.End();
}

int Session::NotFoundUpToTheLastDate()
{
    m_err << OwnText(text::kTextNotFoundUpTo, m_line.language,
                     datetime::InputDateToString(m_program.main, core::kWorldDateRow, false, m_program.language))
          << '\n';
    return NothingFound();
}

}  // namespace orvane::cli
