#include "cli/session.h"

#include "cli/messages.h"
#include "cli/texts.h"
#include "cli/values.h"
#include "app/actions.h"
#include "app/startup.h"
#include "datetime/date_input.h"
#include "datetime/iso_dates.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orvane::cli {
bool Session::Start()
{
    const platform::SystemClock systemClock;
    const platform::Clock& clock = m_environment.clock != nullptr ? *m_environment.clock : systemClock;
    // The companion has no stored display options: its zone lists are written without the North American
    // abbreviations on every computer, and a command given in explicit zones never asks for the computer's.
    m_store.Write(settings::kValueTZDisp, "0");
    m_program.astro.checkedFiles = platform::CheckedFiles(m_environment.checkedFolder);
    // The data folder's program text is read and parsed only when it differs from the one built in.
    m_program.language.UseProgramText(CompiledProgramText());
    // The positions of a moment on the command line read no date row, zone list or orb: only the tables are
    // prepared for them.
    const app::StartUpParts parts = m_line.command == "positions" && m_line.state.empty() ? app::StartUpParts::TablesOnly
                                                                                          : app::StartUpParts::Everything;
    const app::StartUpResult result = app::StartUp(m_program, m_environment.dataFolder, clock, m_store, parts);
    if (!result.programText) {
        PrintMessage(m_err, result.programText.error());
        return false;
    }
    if (!result.plutoTable)
        PrintMessage(m_err, result.plutoTable.error());
    // Every position of the run is computed in the convention asked for.
    m_program.astro.convention = m_line.convention;
    m_program.astro.bodyCount = core::NumPlanetsIn(m_line.convention, m_program.astro.PlutoDataReadOK());
    if (m_line.language != text::langEnglish) {
        m_program.language.currentLanguage = m_line.language;
        if (parts == app::StartUpParts::Everything)
            app::ApplyLanguageToModels(m_program);
        else
            m_program.astro.tables.SetNameTables();
    }
    return true;
}

int Session::LoadState()
{
    const platform::Result<void> loaded = app::LoadStateFile(m_program, m_line.state, m_store);
    if (!loaded.ok()) {
        // A zone written after a date with a blank is taken for a state file: the remedy is the brackets.
        const std::string& date = !m_line.birth.empty() ? m_line.birth : !m_line.birth2.empty() ? m_line.birth2 : m_line.date;
        if (const std::optional<std::string> remedy = ZoneWordRemedy(m_line.state, date, m_line.language)) {
            m_err << *remedy << '\n'
                  << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli " + m_line.command + " --help") << '\n';
            return kExitUsage;
        }
        // The message names the file as typed: it is shown as every echoed value is.
        std::string text = ConsoleText(loaded.error().text);
        if (const size_t at = text.find(m_line.state); at != std::string::npos)
            text.replace(at, m_line.state.size(), EchoedValue(m_line.state));
        m_err << text << '\n';
        return kExitBadInput;
    }
    return kExitSuccess;
}

int Session::DateError(const platform::Message& message)
{
    PrintMessage(m_err, message);
    return kExitBadInput;
}

int Session::DateError(const platform::Result<void>& dates)
{
    return dates ? kExitBadInput : DateError(dates.error());
}

int Session::ReadModeAndMoments(core::Mode& mode, std::array<double, 3>& moments, double& start)
{
    app::MainModel& main = m_program.main;
    if (m_line.state.empty()) {
        // World transits, or the mode and birthdates the command line gives.
        if (const int code = ChooseMode(false); code != kExitSuccess)
            return code;
        mode = main.DetermineMode();
    } else {
        if (const int code = LoadState(); code != kExitSuccess)
            return code;
        if (m_line.mode)
            main.SelectMode(*m_line.mode);
        mode = main.DetermineMode();
        if (mode == core::Mode::None) {
            m_err << OwnText(text::kTextNoModeSelected, m_line.language) << '\n';
            return kExitBadInput;
        }
        for (int16_t row = 0; row < core::kNumDateRows; ++row) {
            // The world date only gives the start of the span (none is needed with --from); a birthdate is
            // read where the mode names it, unless the command line gives it.
            const bool used = row == core::kWorldDateRow ? m_line.from.empty()
                                                         : core::RowUsedByMode(row, mode) && BirthOf(row).empty();
            if (!used)
                continue;
            const platform::Result<double> moment = datetime::InputDateToAJDate(main, row, m_program.language);
            if (!moment)
                return DateError(moment.error());
            moments[static_cast<size_t>(row)] = moment.value();
        }
        start = moments[0];
    }
    // The birthdates of the command line to the second: a span's search needs no half hours.
    for (int16_t row = 1; row < core::kNumDateRows; ++row)
        if (!BirthOf(row).empty())
            moments[static_cast<size_t>(row)] = MomentOf(BirthOf(row));
    return kExitSuccess;
}

TableHeading Session::Heading() const
{
    if (m_line.perspective == core::Perspective::Geocentric)
        return {m_line.geoConvention, m_line.zone, m_line.zoneName, core::Perspective::Geocentric};
    return {m_line.convention, m_line.zone, m_line.zoneName};
}

TableWords Session::Words(core::Mode mode) const
{
    TableWords words;
    words.eventRoles = display::EventRoles(mode);
    words.gridRoles = display::GridRoles(mode);
    words.natal = m_program.language.Text(text::kTextNatalBody);  // "[r1]" kept for the name
    if (words.eventRoles.first != display::BodyRole::None)
        words.nameWidth = 14;
    words.language = m_line.language;
    constexpr std::array<int16_t, core::kNumEventKinds> kinds{
        text::kTextEventExact,          text::kTextEventEnter,         text::kTextEventLeave,
        text::kTextEventIngress,        text::kTextEventCross,         text::kTextEventReturn,
        text::kTextEventAscendingNode,  text::kTextEventDescendingNode, text::kTextEventLatitudeMax,
        text::kTextEventLatitudeMin,    text::kTextEventPerihelion,    text::kTextEventAphelion,
        text::kTextEventMiss};
    // The kinds of the aspects and ingresses always, the others when asked for: the kind column is as wide
    // as its longest word.
    for (size_t k = 0; k < words.kinds.size(); ++k)
        if (k <= static_cast<size_t>(core::EventKind::Ingress) ||
            m_line.filter.HasKind(static_cast<core::EventKind>(k)))
            words.kinds[k] = OwnText(kinds[k], m_line.language);
    words.date = OwnText(text::kTextColumnDate, m_line.language);
    words.time = OwnText(text::kTextColumnTime, m_line.language);
    words.event = OwnText(text::kTextColumnEvent, m_line.language);
    words.body = OwnText(text::kTextColumnBody, m_line.language);
    words.aspect = OwnText(text::kTextColumnAspect, m_line.language);
    words.sign = OwnText(text::kTextColumnSign, m_line.language);
    // The value column of the text table, when a kind that has a value is asked for.
    for (size_t k = static_cast<size_t>(core::EventKind::Cross); k < words.kinds.size(); ++k)
        if (m_line.filter.HasKind(static_cast<core::EventKind>(k)))
            words.value = OwnText(text::kTextColumnValue, m_line.language);
    for (const core::Aspect aspect : core::kExtraAspects)
        if (m_line.filter.HasAspect(aspect))
            words.aspectWidth = std::max(words.aspectWidth, NameTables().NamesOf(aspect).Name.size() + 2);
    words.columns = {OwnText(text::kTextColumnLatitude, m_line.language),
                     OwnText(text::kTextColumnDistance, m_line.language),
                     OwnText(text::kTextColumnSpeed, m_line.language)};
    words.heading = Heading();
    if (m_line.perspective == core::Perspective::Geocentric) {
        words.stations = {OwnText(text::kTextStationRetrograde, m_line.language),
                          OwnText(text::kTextStationDirect, m_line.language)};
        // With a place, the angles' events and names: the name column as wide as "Midheaven".
        if (Place()) {
            words.angle = OwnText(text::kTextEventAngle, m_line.language);
            for (const core::GeoAngle angle : core::kGeoAngles)
                words.nameWidth = std::max(words.nameWidth, core::GeoAngleName(angle).size());
        }
    }
    words.deviation = OwnText(text::kTextColumnDeviation, m_line.language);
    words.motion = OwnText(text::kTextColumnMotion, m_line.language);
    words.applying = OwnText(text::kTextApplying, m_line.language);
    words.separating = OwnText(text::kTextSeparating, m_line.language);
    return words;
}

}  // namespace orvane::cli
