#include "core/cycles.h"

#include "core/modes.h"

#include <array>
#include <cmath>

namespace orvane::core {
namespace {

// Mean sidereal orbital periods in days, by body slot (the Earth's is the sidereal year).
constexpr std::array<double, kBodySlots> kMeanPeriodDays{
    0.0, 365.25636, 87.96926, 224.70080, 686.97985, 4332.589, 10759.22, 30688.5, 60182.0, 90560.0};

double MeanPeriod(Body body)
{
    return kMeanPeriodDays[SlotOf(body)];
}

// A conjunction is looked for this many mean cycles back from the span's start, and forward past its end:
// a cycle's length strays from the mean by less than half of it (Mercury's eccentric orbit makes the most
// of it), so one and a half cycles always hold a conjunction where the positions are known.
constexpr double kCyclesSearched = 1.5;
// And at least these days, so that the search reaches a few samples beyond the next conjunction.
constexpr double kLeastSearchDays = 30.0;

// The phase in whole degrees (0 … 330) that an exact event of the pair marks, from its branch L1 − L2.
int16_t PhaseDegrees(const Event& event, Body faster)
{
    const double lead = event.body1 == faster ? event.branch : kTwoPi - event.branch;
    const auto degrees = static_cast<int>(std::lround(lead / kTwoPi * 12.0)) % 12 * 30;
    return static_cast<int16_t>(degrees);
}

}  // namespace

Aspect AspectOfPhase(int16_t degrees)
{
    switch (std::min<int16_t>(degrees, static_cast<int16_t>(360 - degrees))) {
    case 0: return Aspect::Conjunction;
    case 30: return Aspect::Semisextile;
    case 60: return Aspect::Sextile;
    case 90: return Aspect::Square;
    case 120: return Aspect::Trine;
    case 150: return Aspect::Quincunx;
    default: return Aspect::Opposition;
    }
}

Body FasterBody(Body a, Body b)
{
    return MeanPeriod(a) <= MeanPeriod(b) ? a : b;
}

double MeanSynodicDays(Body a, Body b)
{
    return 1.0 / std::fabs(1.0 / MeanPeriod(a) - 1.0 / MeanPeriod(b));
}

bool CycleGatherer::Phase(double moment, int16_t degrees)
{
    if (degrees == 0) {
        if (!m_cycles.empty())
            m_cycles.back().end = moment;
        if (moment >= m_to)
            return false;
        // The cycle in progress at `from` is the last that began by then.
        if (moment <= m_from && !m_cycles.empty())
            m_cycles.erase(m_cycles.begin());
        m_cycles.push_back({moment, std::nullopt, {}});
    } else if (!m_cycles.empty()) {
        m_cycles.back().phases.push_back({moment, degrees, AspectOfPhase(degrees)});
    }
    return true;
}

CycleSearch::CycleSearch(const AstroModule& astro, Body a, Body b, platform::Convention convention)
    : m_astro(astro), m_convention(convention), m_faster(FasterBody(a, b)), m_slower(m_faster == a ? b : a)
{
    // The phases are every exact aspect of the pair, whatever orbs the program is set to (an orb of 0
    // switches an aspect off in the event search): this search has its own.
    for (const Aspect aspect : kAspects)
        m_astro.orbs.orbs[SlotOf(aspect)][static_cast<size_t>(kOrbColumnOneMoment)] = 1.0 / 180.0 * kPi;
}

std::vector<SynodicCycle> CycleSearch::Cycles(double from, double to) const
{
    const double reach = std::max(kCyclesSearched * MeanSynodicDays(m_faster, m_slower), kLeastSearchDays);
    EventFilter filter;
    filter.bodies = static_cast<uint16_t>(1u << IndexOf(m_faster) | 1u << IndexOf(m_slower));
    filter.kinds = static_cast<uint16_t>(1u << static_cast<int>(EventKind::Exact));
    const EventSearch search(m_astro, Mode::WorldTransits, {}, filter, m_convention);

    CycleGatherer cycles(from, to);
    search.Run(from - reach, to + reach,
               [&](const Event& event) { return cycles.Phase(event.moment, PhaseDegrees(event, m_faster)); });
    return std::move(cycles).Cycles();
}

std::optional<double> CycleSearch::PhaseAt(double moment) const
{
    const double fast = m_astro.HelioLongitude(m_faster, moment, m_convention);
    const double slow = m_astro.HelioLongitude(m_slower, moment, m_convention);
    if (fast < 0.0 || slow < 0.0)
        return std::nullopt;
    const double lead = std::fmod(fast - slow + kTwoPi, kTwoPi);
    return lead;
}

}  // namespace orvane::core
