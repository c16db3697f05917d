#include "core/geo_cycles.h"

#include "core/geo_events.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace orvane::core {
namespace {

// Mean geocentric periods in days, by GeoBody: the Moon's sidereal month; the Sun's year, which Mercury and
// Venus keep on average; the outer planets' sidereal periods.
constexpr std::array<double, platform::kNumGeoBodies> kMeanPeriodDays{
    365.25636, 27.321661, 365.25636, 365.25636, 686.97985, 4332.589, 10759.22, 30688.5, 60182.0, 90560.0};

double MeanPeriod(GeoBody body)
{
    return kMeanPeriodDays[static_cast<size_t>(body)];
}

double MeanSynodicDays(GeoBody a, GeoBody b)
{
    return 1.0 / std::fabs(1.0 / MeanPeriod(a) - 1.0 / MeanPeriod(b));
}

// As the heliocentric search: one and a half mean cycles hold a conjunction, and at least a month is
// searched so that the search reaches beyond the next conjunction of the Moon.
constexpr double kCyclesSearched = 1.5;
constexpr double kLeastSearchDays = 30.0;

}  // namespace

bool HaveGeoCycle(GeoBody a, GeoBody b)
{
    return a != b && MeanPeriod(a) != MeanPeriod(b);
}

GeoCycleSearch::GeoCycleSearch(GeoBody a, GeoBody b, platform::Convention convention)
    : m_convention(convention),
      m_faster(MeanPeriod(a) <= MeanPeriod(b) ? a : b),
      m_slower(m_faster == a ? b : a)
{
}

std::vector<SynodicCycle> GeoCycleSearch::Cycles(double from, double to) const
{
    const double reach = std::max(kCyclesSearched * MeanSynodicDays(m_faster, m_slower), kLeastSearchDays);
    GeoEventFilter filter;
    filter.bodies = static_cast<uint16_t>(1u << static_cast<int>(m_faster) | 1u << static_cast<int>(m_slower));
    filter.kinds = 1u << static_cast<int>(GeoEventKind::Exact);
    CycleGatherer cycles(from, to);
    FindGeoEvents(from - reach, to + reach, m_convention, filter, [&](const GeoEvent& event) {
        // The phase the lead is nearest to: an exact aspect of angle a is the phase a or 360° − a.
        const std::optional<double> lead = PhaseAt(event.moment);
        return lead && cycles.Phase(event.moment, static_cast<int16_t>(std::lround(*lead / kTwoPi * 12.0) % 12 * 30));
    });
    return std::move(cycles).Cycles();
}

std::optional<double> GeoCycleSearch::PhaseAt(double moment) const
{
    const std::optional<double> fast = platform::GeoLongitudeIn(m_faster, moment, m_convention);
    const std::optional<double> slow = platform::GeoLongitudeIn(m_slower, moment, m_convention);
    if (!fast || !slow)
        return std::nullopt;
    return std::fmod(*fast - *slow + kTwoPi, kTwoPi);
}

}  // namespace orvane::core
