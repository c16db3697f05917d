// orvane-cli state: a state file written from the command line's birthdates, world date and mode (over a
// state file's, when one is named), which the desktop program opens as it is.

#include "cli/session.h"

#include "cli/texts.h"
#include "app/actions.h"
#include "app/window_rules.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

int Session::State()
{
    // Without a state file the rows start as the desktop program starts without one: the world date now.
    if (m_line.state.empty()) {
        const platform::SystemClock systemClock;
        const platform::Clock& clock = m_environment.clock != nullptr ? *m_environment.clock : systemClock;
        app::LoadUserStateOrNow(m_program, false, clock, m_store);
    }
    if (const int code = LoadStateOrDate(); code != kExitSuccess)
        return code;
    // The rows are checked as Compute checks them, so that the file opens without a complaint.
    m_program.main.startupCompleted = true;
    const app::ComputeOutcome outcome = m_program.Compute();
    if (!outcome.computed)
        return DateError(outcome.dates);
    const platform::Result<void> saved = app::SaveStateFile(m_program, m_line.output, m_store);
    if (!saved.ok()) {
        PrintMessage(m_err, saved.error());
        return kExitBadInput;
    }
    // The notes say how the rows hold the moments typed; the file is the output.
    PrintRoundingNotes(true);
    return kExitSuccess;
}

}  // namespace orvane::cli
