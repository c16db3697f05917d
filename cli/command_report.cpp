#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "app/actions.h"
#include "datetime/zoned_moments.h"
#include "display/result_texts.h"
#include "text/text_numbers.h"
#include "reports/durations.h"

#include <ostream>

namespace orvane::cli {

int Session::Report()
{
    if (const int code = LoadStateOrDate(); code != kExitSuccess)
        return code;
    // Without a mode the computation does nothing and has nothing to complain of.
    if (m_program.main.DetermineMode() == core::Mode::None) {
        m_err << OwnText(text::kTextNoModeSelected, m_line.language) << '\n';
        return kExitBadInput;
    }
    if (m_line.radians)
        m_program.main.SelectRadians(true);
    m_program.main.startupCompleted = true;

    const app::ComputeOutcome outcome = m_program.Compute();
    if (!outcome.computed)
        return DateError(outcome.dates);

    const core::Mode mode = m_program.main.currentMode;
    // The sort list of the mode: six entries in world transits, seven in personal transits; the
    // natal and synastry listings are always in order of exactness.
    const long sortEntries = mode == core::Mode::WorldTransits ? 6 : core::IsPersonalTransitMode(mode) ? 7 : 1;
    if (m_line.sort >= sortEntries) {
        m_err << OwnText(text::kTextBadValue, m_line.language, "--sort", m_line.sortText) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli report --help") << '\n';
        return kExitUsage;
    }
    reports::DurationsWindow window(m_program.astro, m_program.language);
    const std::optional<platform::Message> noAspects = m_program.Report(window);
    if (!noAspects && m_line.sort != 0) {
        window.sortList.SetListIndex(static_cast<int16_t>(m_line.sort));
        window.SortChosen();
    }

    PrintRoundingNotes(false);
    m_out << HeadingLine(ReportHeading(mode), m_line.language) << "\n\n";
    m_out << Trimmed(ConsoleText(m_program.main.titleText)) << "\n\n";
    for (const std::string& line : AspectCellLines())
        m_out << line << '\n';
    m_out << '\n';
    const std::string& summary =
        core::IsOneDateMode(mode) ? m_program.main.summaryText : m_program.main.twoDateSummaryText;
    m_out << Trimmed(ConsoleText(summary)) << "\n\n";
    if (noAspects)
        PrintMessage(m_out, *noAspects);
    else
        m_out << Trimmed(ConsoleText(window.ClipboardText())) << '\n';
    return kExitSuccess;
}

TableHeading Session::ReportHeading(core::Mode mode)
{
    // The times of the durations are the world date's; a natal or synastry listing has the birthdates'.
    const int16_t row = core::RowUsedByMode(core::kWorldDateRow, mode) ? core::kWorldDateRow : int16_t{1};
    const auto r = static_cast<size_t>(row);
    const std::optional<datetime::PreciseMoment>& precise = m_program.main.preciseMoments[r];
    TableHeading heading = Heading();
    heading.zoneName = precise ? datetime::ZoneDescription(*precise, m_program.language)
                               : m_program.main.zoneLists[r].Text();
    return heading;
}

// One line per aspect, in the grid's order: its cell, the row body and the column body, and the cell's
// text: "3,4 Me-Ju Sqr 2°15' -".
std::vector<std::string> Session::AspectCellLines() const
{
    const core::AspectResult& result = m_program.main.result;
    const core::AstroTables& tables = m_program.astro.tables;
    std::vector<std::string> lines;
    for (const core::AspectFound& found : result.aspects) {
        const display::RowCol cell = display::AspectCell(result.comparison, found);
        const std::string text =
            ReplaceLineBreaks(display::AspectCellText(tables, found, m_program.main.radiansSelected()), " ");
        lines.push_back(std::to_string(cell.gridRow) + "," + std::to_string(cell.gridCol) + " " +
                        tables.bodyAbbrevs[core::SlotOf(found.body1)] + "-" + tables.bodyAbbrevs[core::SlotOf(found.body2)] +
                        " " + text);
    }
    return lines;
}

}  // namespace orvane::cli
