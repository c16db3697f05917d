#include "core/geo_pattern_lifetimes.h"

#include "core/geo_events.h"
#include "core/pattern_joining.h"

#include <algorithm>
#include <limits>

namespace orvane::core {
namespace {

// Days of the span cut between two hand-ons, so that what the search holds does not grow with the span.
constexpr double kHandOnDays = 64.0;

// The longitudes of the points, read from the ephemeris at each moment asked.
class GeoTrack : public PointTrack {
public:
    explicit GeoTrack(platform::Convention convention) : m_convention(convention) {}

    void Cover(double, double) override {}
    double Longitude(Body point, double t) const override
    {
        const std::optional<GeoBody> body = GeoBodyOfPoint(point);
        const std::optional<double> longitude = body ? platform::GeoLongitudeIn(*body, t, m_convention) : std::nullopt;
        return longitude.value_or(std::numeric_limits<double>::quiet_NaN());
    }
    double Precise(Body point, double t) const override { return Longitude(point, t); }

private:
    platform::Convention m_convention;
};

// Cuts the span at the orb edges, asks the finders once in each piece and hands the occurrences on.
class GeoCutter {
public:
    GeoCutter(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink)
        : m_astro(astro), m_request(request), m_sink(sink), m_track(request.convention),
          m_joiner(astro, request, m_track), m_start(request.from), m_handedOn(request.from)
    {
    }

    // An orb's edge, in the order of time: the piece before it is asked. False once the ephemeris failed.
    bool Cut(double moment)
    {
        m_failed = m_failed || !Ask(moment);
        return !m_failed;
    }

    bool Finish()
    {
        if (m_failed || !Ask(m_request.to))
            return false;
        m_joiner.Finish(m_sink);
        return true;
    }

private:
    bool Ask(double end)
    {
        if (m_failed || !(end > m_start))
            return !m_failed;
        const std::optional<PatternPoints> points = GeoPatternPoints(0.5 * (m_start + end), m_request.convention);
        if (!points)
            return false;
        m_joiner.Answer(false, SummaryPatterns(PatternFinder(m_astro, *points), m_request.patterns), m_start,
                        m_start == m_request.from);
        m_start = end;
        if (m_start > m_handedOn + kHandOnDays && m_start < m_request.to) {
            m_joiner.HandOn(m_start, m_sink);
            m_handedOn = m_start;
        }
        return true;
    }

    const AstroModule& m_astro;
    const LifetimeRequest& m_request;
    const OccurrenceSink& m_sink;
    GeoTrack m_track;
    PatternJoiner m_joiner;
    double m_start = 0.0;  // where the piece being gathered starts
    double m_handedOn = 0.0;
    bool m_failed = false;
};

}  // namespace

std::optional<PatternPoints> GeoPatternPoints(double moment, platform::Convention convention)
{
    PatternPoints points;
    points.longitudes.fill(std::numeric_limits<double>::quiet_NaN());
    for (const GeoBody body : platform::kGeoBodies) {
        const std::optional<double> longitude = platform::GeoLongitudeIn(body, moment, convention);
        if (!longitude)
            return std::nullopt;
        points.longitudes[SlotOf(PatternPointOf(body))] = *longitude;
        points.inUse.push_back(PatternPointOf(body));
    }
    return points;
}

bool GeoPatternLifetimes(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink)
{
    LifetimeRequest geo = request;
    geo.patterns[kPatternMidpoint] = false;
    if (!(geo.to > geo.from) || std::none_of(geo.patterns.begin(), geo.patterns.end(), [](bool b) { return b; }))
        return true;
    std::array<double, kAspectSlots> orbs{};
    for (const Aspect aspect : kAspects)
        orbs[SlotOf(aspect)] = astro.orbs.Orb(aspect, kOrbColumnOneMoment);
    GeoCutter cutter(astro, geo, sink);
    const bool swept = FindGeoOrbEdges(geo.from, geo.to, geo.convention, AspectsNeeded(geo.patterns), orbs,
                                       [&cutter](const GeoOrbEdge& edge) { cutter.Cut(edge.moment); });
    return swept && cutter.Finish();
}

std::optional<std::vector<PatternOccurrence>> GeoPatternLifetimes(const AstroModule& astro,
                                                                  const LifetimeRequest& request)
{
    std::vector<PatternOccurrence> occurrences;
    const bool done = GeoPatternLifetimes(astro, request, [&occurrences](const PatternOccurrence& occurrence) {
        occurrences.push_back(occurrence);
    });
    return done ? std::optional(std::move(occurrences)) : std::nullopt;
}

}  // namespace orvane::core
