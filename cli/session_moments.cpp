// The moments of the command line in the program's date rows: --date, --birth and --birth2 for report
// and find (each row on its half hour, with the precise moment typed where the row cannot hold it), the
// mode they are computed in, and the notes that say how a moment was put into its row.

#include "cli/session.h"

#include "app/typed_chart.h"
#include "cli/options_moments.h"
#include "cli/texts.h"
#include "datetime/zoned_moments.h"
#include "text/strings.h"
#include "text/text_numbers.h"

#include <ostream>

namespace orvane::cli {

platform::Result<datetime::PreciseMoment> Session::ReadMoment(const std::string& typed) const
{
    const std::optional<std::string> word = DateWordMoment(typed, m_environment.nowMoment, m_line);
    if (word && text::LowerCase(typed) == "now") {
        // The present moment as precisely as the clock gives it, not to the second of its ISO text.
        platform::Result<datetime::PreciseMoment> now =
            datetime::MomentInZone(m_environment.nowMoment, datetime::MomentZone::Fixed(0), m_program.language);
        if (now)
            now.value().typed = typed;
        return now;
    }
    return datetime::ParsePreciseMoment(word.value_or(typed), datetime::MomentZone::Fixed(0), m_program.language);
}

double Session::MomentOf(const std::string& typed) const
{
    // Every DATE was checked while the command line was read.
    const platform::Result<datetime::PreciseMoment> read = ReadMoment(typed);
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
    const platform::Result<datetime::PreciseMoment> read = ReadMoment(typed);
    if (!read)
        return DateError(read.error());
    // A world date that a search steps on from its half hour is rounded to it; every other moment is
    // computed as typed, as the desktop does.
    const bool keepPrecise = !(row == core::kWorldDateRow && m_line.command == "find");
    const platform::Result<std::optional<std::string>> put =
        app::PutTypedMoment(m_program, row, read.value(), keepPrecise);
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
