#include "core/longitude_samples.h"

#include "core/events.h"

#include <cmath>
#include <limits>

namespace orvane::core {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double WrapPi(double angle)
{
    return angle - kTwoPi * std::round(angle / kTwoPi);
}

// Samples kept beyond each end of the span, so that every moment of it has two samples either side.
constexpr int kMargin = 3;

}  // namespace

LongitudeSamples::LongitudeSamples(const AstroModule& astro, double from, double to,
                                   platform::Convention convention, std::optional<double> grid)
    : m_astro(astro), m_convention(convention), m_from(from), m_to(to)
{
    const double start = grid.value_or(from);
    for (const Body body : BodiesInUse(astro.bodyCount)) {
        Track& track = m_tracks[SlotOf(body)];
        track.step = SampleEvery(body, convention) * kEventSampleDays;
        const double offset = (from - start) / track.step;
        track.origin = start + (std::floor(offset) - kMargin) * track.step;
        // One more sample at the end where `from` falls between two of the grid.
        const size_t between = offset > std::floor(offset) ? 1 : 0;
        const auto count = static_cast<size_t>(std::ceil((to - from) / track.step)) + 2 * kMargin + 1 + between;
        track.values.reserve(count);
        double previous = kNaN;
        for (size_t k = 0; k < count; ++k) {
            const double L = Read(body, track.origin + static_cast<double>(k) * track.step);
            if (L < 0.0) {
                track.values.push_back(kNaN);
                continue;
            }
            previous = std::isnan(previous) ? L : previous + WrapPi(L - previous);
            track.values.push_back(previous);
        }
    }
}

double LongitudeSamples::Unwrapped(Body body, double moment) const
{
    const Track& track = m_tracks[SlotOf(body)];
    if (track.values.size() < 4)
        return kNaN;
    const double x = (moment - track.origin) / track.step;
    auto k = static_cast<ptrdiff_t>(std::floor(x));
    if (k < 1 || k + 2 >= static_cast<ptrdiff_t>(track.values.size()))
        return kNaN;
    const double* u = &track.values[static_cast<size_t>(k - 1)];
    const double f = x - static_cast<double>(k);
    if (body == Body::Pluto && PlutoFromTable(m_convention)) {
        // Pluto's table is read directly, as the grid reads it; the samples only say which turn it is on.
        const double L = Read(body, moment);
        return L < 0.0 || std::isnan(u[1]) ? kNaN : u[1] + WrapPi(L - u[1]);
    }
    // The cubic through the samples at −1, 0, 1, 2.
    return -u[0] * f * (f - 1) * (f - 2) / 6 + u[1] * (f + 1) * (f - 1) * (f - 2) / 2 -
           u[2] * (f + 1) * f * (f - 2) / 2 + u[3] * (f + 1) * f * (f - 1) / 6;
}

double LongitudeSamples::Longitude(Body body, double moment) const
{
    const double u = Unwrapped(body, moment);
    if (std::isnan(u))
        return kUnknownBody;
    return u - kTwoPi * std::floor(u / kTwoPi);
}

double LongitudeSamples::Precise(Body body, double moment) const
{
    const double L = body == Body::Mercury ? -1.0 : Longitude(body, moment);
    return L >= 0.0 ? L : Read(body, moment);
}

ChartPositions LongitudeSamples::PositionsAt(double moment, double margin) const
{
    ChartPositions positions;
    for (const Body body : BodiesInUse(m_astro.bodyCount)) {
        // Far from every edge the samples are as good as the ephemeris; near one it is asked itself.
        const double L = margin >= kSamplesEnoughMargin ? Longitude(body, moment) : Precise(body, moment);
        positions[body] = PositionOf(L >= 0.0 ? L : Read(body, moment));
    }
    return positions;
}

}  // namespace orvane::core
