#include "cli/session.h"

#include "cli/cycle_table.h"
#include "cli/values.h"
#include "core/cycles.h"
#include "core/geo_cycles.h"
#include "datetime/iso_dates.h"

#include <ostream>

namespace orvane::cli {
namespace {

// The table of either perspective's search: the phase angle at `at`, the cycle in progress then when the
// moment was asked for (it may lie outside the span: its cycle is named all the same), and the span's
// cycles; the number of cycles written.
template <class Search>
int WriteCycles(CycleTable& table, const Search& search, double at, double from, double to, bool dateGiven)
{
    table.Begin(at, search.PhaseAt(at));
    if (dateGiven)
        if (const std::vector<core::SynodicCycle> current = search.Cycles(at, at); !current.empty())
            table.InProgress(current.front());
    int number = 0;
    for (const core::SynodicCycle& cycle : search.Cycles(from, to))
        table.Cycle(++number, cycle);
    table.End(number);
    return number;
}

}  // namespace

int Session::Cycles()
{
    const double start = m_line.date.empty() ? m_environment.nowMoment : MomentOf(m_line.date);
    const double from = m_line.from.empty() ? start : MomentOf(m_line.from);
    const double to = m_line.to.empty() ? datetime::OneYearLater(from) : MomentOf(m_line.to);
    const double at = m_line.date.empty() ? from : start;
    if (const int code = CheckSpan(from, to); code != kExitSuccess)
        return code;
    if (const int code = CheckSpan(at, at); code != kExitSuccess)
        return code;
    core::AstroModule& astro = m_program.astro;
    if (m_line.perspective == core::Perspective::Geocentric) {
        const core::GeoCycleSearch search(*core::GeoBodyNamed(m_line.cycleBodies[0]),
                                          *core::GeoBodyNamed(m_line.cycleBodies[1]), m_line.geoConvention);
        CycleTable table(m_out, m_line.format, m_line.language, astro.tables,
                         std::string(core::GeoBodyName(search.Faster())),
                         std::string(core::GeoBodyName(search.Slower())), Words().heading);
        WriteCycles(table, search, at, from, to, !m_line.date.empty());
        return kExitSuccess;
    }
    astro.bodyCount = core::NumPlanetsIn(m_line.convention, astro.PlutoDataReadOK());
    const core::Body first = *core::BodyOfIndex(BodyIndex(m_line.cycleBodies[0]));
    const core::Body second = *core::BodyOfIndex(BodyIndex(m_line.cycleBodies[1]));

    const core::CycleSearch search(astro, first, second, m_line.convention);
    const auto name = [&astro](core::Body body) { return astro.tables.bodyNames[core::SlotOf(body)]; };
    CycleTable table(m_out, m_line.format, m_line.language, astro.tables, name(search.Faster()),
                     name(search.Slower()), Words().heading);
    // No cycle where Pluto's table ends: said on stderr, as events say it.
    if (WriteCycles(table, search, at, from, to, !m_line.date.empty()) == 0 &&
        (first == core::Body::Pluto || second == core::Body::Pluto))
        PlutoTableNotice(from, to);
    return kExitSuccess;
}

}  // namespace orvane::cli
