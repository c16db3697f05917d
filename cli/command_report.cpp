#include "cli/session.h"

#include "cli/texts.h"
#include "cli/values.h"
#include "app/actions.h"
#include "text/text_numbers.h"
#include "tools/durations.h"

#include <ostream>

namespace orvane::cli {

int Session::Report()
{
    if (const int code = LoadStateOrDate(); code != kExitSuccess)
        return code;
    // Without a mode the computation does nothing and has nothing to complain of.
    if (m_program.main.DetermineMode() == core::kModeNone) {
        m_err << OwnText(text::kTextNoModeSelected, m_line.language) << '\n';
        return kExitBadInput;
    }
    if (m_line.radians)
        m_program.main.SelectRadians(true);
    m_program.main.startupCompleted = true;

    const app::ComputeOutcome outcome = m_program.Compute();
    if (!outcome.computed)
        return DateError(outcome.dateError);

    const int16_t mode = m_program.main.currentMode;
    // The sort list of the mode: six entries in world transits, seven in personal transits; the
    // natal and synastry listings are always in order of exactness.
    const long sortEntries = mode == core::kModeWorldTransits ? 6 : core::IsPersonalTransitMode(mode) ? 7 : 1;
    if (m_line.sort >= sortEntries) {
        m_err << OwnText(text::kTextBadValue, m_line.language, "--sort", m_line.sortText) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli report --help") << '\n';
        return kExitUsage;
    }
    tools::DurationsWindow window(m_program.astro, m_program.language);
    const std::optional<platform::Message> noAspects = m_program.Report(window);
    if (!noAspects && m_line.sort != 0) {
        window.sortList.SetListIndex(static_cast<int16_t>(m_line.sort));
        window.SortChosen();
    }

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

std::vector<std::string> Session::AspectCellLines() const
{
    const display::GridModel& grid = m_program.grid;
    const core::AstroTables& tables = m_program.astro.tables;
    const bool triangle = core::IsOneDateMode(m_program.main.currentMode);
    std::vector<std::string> lines;
    for (int16_t i = 0; i < grid.cellCount; ++i) {
        if (grid.CellAspect(tables, i) == 0)
            continue;
        const int16_t row = static_cast<int16_t>(i / grid.columnCount);
        const int16_t col = static_cast<int16_t>(i % grid.columnCount);
        const auto rowBody = static_cast<size_t>(row - 1);
        const auto colBody = static_cast<size_t>(triangle ? col + 1 : col - 1);
        const std::string text = ReplaceLineBreaks(grid.cellTexts[static_cast<size_t>(i)].text, " ");
        lines.push_back(std::to_string(row) + "," + std::to_string(col) + " " + tables.bodyAbbrevs[rowBody] +
                        "-" + tables.bodyAbbrevs[colBody] + " " + text);
    }
    return lines;
}

}  // namespace orvane::cli
