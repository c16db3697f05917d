#include "cli/session.h"

#include "cli/option_kit.h"
#include "cli/texts.h"
#include "cli/values.h"
#include "core/modes.h"
#include "core/positions.h"
#include "datetime/date_input.h"
#include "datetime/iso_dates.h"
#include "platform/moment.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace orvane::cli {
namespace {

// The dates at which every body but Pluto has a position, as a refusal names them.
constexpr const char* kEphemerisRange = "-5400-01-01 … 5399-12-31";

}  // namespace

int Session::Events()
{
    core::Mode mode = core::Mode::WorldTransits;
    std::array<double, 3> moments{};
    double start = m_environment.nowMoment;
    if (const int code = ReadModeAndMoments(mode, moments, start); code != kExitSuccess)
        return code;
    if (RolesChosen(m_line) && !core::IsPersonalTransitMode(mode)) {
        m_err << OwnText(text::kTextRolesNeedPersonal, m_line.language) << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli events --help") << '\n';
        return kExitUsage;
    }
    // Usage mistakes that only the mode shows, with where the help is, as every usage mistake has.
    const bool synastry = mode == core::Mode::Synastry;
    if (synastry || (m_line.filter.HasKind(core::EventKind::Return) && !core::IsPersonalTransitMode(mode))) {
        m_err << OwnText(synastry ? text::kTextSynastryNoEvents : text::kTextReturnNeedsBirthdate, m_line.language)
              << '\n'
              << OwnText(text::kTextHelpHint, m_line.language, "orvane-cli events --help") << '\n';
        return kExitUsage;
    }
    if (const int code = PlaceMistake(true, "events"); code != kExitSuccess)
        return code;
    m_program.configure.ApplyOrbs(m_program.astro);
    m_program.astro.bodyCount = core::NumPlanetsFor(m_program.astro.PlutoDataReadOK());
    const double from = m_line.from.empty() ? start : MomentOf(m_line.from);
    const double to = m_line.to.empty() ? datetime::OneYearLater(from) : MomentOf(m_line.to);
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;
    if (m_line.perspective == core::Perspective::Geocentric)
        return GeocentricEvents(mode, from, to);
    if (m_line.format == TableFormat::Ics)
        return EventCalendar(mode, moments, from, to);
    if (m_line.windows)
        return EventWindows(mode, moments, from, to);
    PlutoTableNotice(from, to);
    const core::EventSearch search(m_program.astro, mode, moments, m_line.filter, m_line.convention);
    TableWriter writer(m_out, m_line.format, m_program.astro.tables, Words(mode));
    writer.BeginEvents();
    search.Run(from, to, [&](const core::Event& event) {
        writer.Event(event);
        return static_cast<bool>(m_out);
    });
    writer.End();
    return kExitSuccess;
}

int Session::Ephemeris()
{
    const double from = MomentOf(m_line.from);
    const double to = MomentOf(m_line.to);
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;
    if (m_line.perspective == core::Perspective::Geocentric) {
        GeocentricEphemeris(from, to);
        return kExitSuccess;
    }
    const core::AstroModule& astro = m_program.astro;
    const platform::Convention convention = m_line.convention;
    const int16_t bodyCount = core::PlutoFromTable(convention) ? astro.bodyCount : core::kPluto;
    TableWriter writer(m_out, m_line.format, astro.tables, Words());
    writer.SetColumns(m_line.columns);
    writer.BeginPositions();
    ForEachStep(from, to, [&](double t) {
        std::array<double, core::kBodySlots> longitudes{};
        BodyStates states;
        for (const core::Body body : core::kBodies) {
            const size_t slot = core::SlotOf(body);
            // Where the state is asked for, its longitude is the one printed: the longitude alone may come
            // from another computation (read off nodes in a search, see platform/convention_shift.h).
            if (core::IndexOf(body) <= bodyCount && m_line.columns != 0)
                states[slot] = core::HelioStateOf(astro.pluto, body, t, convention, true);
            longitudes[slot] = states[slot]                       ? states[slot]->longitude
                               : core::IndexOf(body) <= bodyCount ? astro.HelioLongitude(body, t, convention)
                                                                  : core::kPlutoAfterTable;
        }
        writer.Positions(t, longitudes, states);
    });
    writer.End();
    return kExitSuccess;
}

void Session::PlutoTableNotice(double from, double to)
{
    // Only the default convention takes Pluto from its table, and only a search that looks at Pluto misses
    // its events beyond it.
    if (!core::PlutoFromTable(m_line.convention) || !m_program.astro.PlutoDataReadOK() ||
        !m_line.filter.HasBody(core::Body::Pluto))
        return;
    constexpr double kTableBegins = platform::DayStart(core::kPlutoFirstDay);
    constexpr double kTableEnds = core::kPlutoLastDay + 0.5;
    if (from < kTableBegins)
        m_err << OwnText(text::kTextPlutoTableBegins, m_line.language) << '\n';
    if (to > kTableEnds)
        m_err << OwnText(text::kTextPlutoTableEnds, m_line.language) << '\n';
}

int Session::CheckSpan(double from, double to)
{
    if (to < from) {
        m_err << OwnText(text::kTextSpanReversed, m_line.language, datetime::IsoText(from, m_line.zone),
                         datetime::IsoText(to, m_line.zone))
              << '\n';
        return kExitBadInput;
    }
    for (const double moment : {from, to})
        for (int16_t body = core::kEarth; body <= core::kNeptune; ++body)
            if (m_program.astro.HelioLongitude(body, moment) < 0.0) {
                m_err << OwnText(text::kTextMomentOutOfRangeDate, m_line.language, datetime::IsoText(moment, m_line.zone),
                                 {}, kEphemerisRange)
                      << '\n';
                return kExitBadInput;
            }
    return kExitSuccess;
}

}  // namespace orvane::cli
