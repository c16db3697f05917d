// The moments of the command line in the program's date rows: --date, --birth and --birth2 to the half
// hour of the rows for report and find, the mode they are computed in, and the notes that say how a
// moment was rounded.

#include "cli/session.h"

#include "app/typed_chart.h"
#include "cli/texts.h"
#include "datetime/zoned_moments.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

double Session::MomentOf(const std::string& typed) const
{
    // Every DATE was checked while the command line was read.
    const platform::Result<datetime::PreciseMoment> read =
        datetime::ParsePreciseMoment(typed, datetime::MomentZone::Fixed(0), m_program.language);
    return read ? read.value().moment : 0.0;
}

const std::string& Session::BirthOf(int16_t row) const
{
    return row == 1 ? m_line.birth : m_line.birth2;
}

int Session::LoadStateOrDate()
{
    const bool stateLoaded = !m_line.state.empty();
    if (stateLoaded)
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
    const std::string* typed[] = {&m_line.date, &m_line.birth, &m_line.birth2};
    for (int16_t row = 0; row < core::kNumDateRows; ++row)
        if (!typed[row]->empty())
            if (const int code = PutMoment(row, *typed[row]); code != kExitSuccess)
                return code;
    return ChooseMode(stateLoaded);
}

int Session::ChooseMode(bool stateLoaded)
{
    app::TypedChart chart{{m_line.date, m_line.birth, m_line.birth2}, m_line.mode};
    // The world date of a command over a span (events, aspects) only gives the start of the span, which is
    // now without it, as a state file written without one holds now; over a span a birthdate alone stands
    // for the transits to it.
    const bool nowWithout = m_line.command == "events" || m_line.command == "aspects" || m_line.command == "state";
    const platform::Result<void> chosen =
        app::ChooseTypedMode(m_program, chart, stateLoaded, {nowWithout, m_line.command == "events"});
    if (chosen)
        return kExitSuccess;
    PrintMessage(m_err, chosen.error());
    m_err << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli " + m_line.command + " --help") << '\n';
    return kExitUsage;
}

int Session::PutMoment(int16_t row, const std::string& typed)
{
    const platform::Result<std::optional<std::string>> put = app::PutTypedMoment(m_program, row, typed);
    if (!put)
        return DateError(put.error());
    if (put.value())
        m_roundingNotes.push_back(*put.value());
    return kExitSuccess;
}

void Session::PrintRoundingNotes(bool machineFormat)
{
    std::ostream& stream = machineFormat ? m_err : m_out;
    for (const std::string& note : m_roundingNotes)
        stream << note << '\n';
    if (!m_roundingNotes.empty() && !machineFormat)
        stream << '\n';
}

}  // namespace orvane::cli
