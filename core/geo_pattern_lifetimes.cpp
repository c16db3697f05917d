#include "core/geo_pattern_lifetimes.h"

#include "core/geo_events.h"
#include "core/pattern_joining.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace orvane::core {
namespace {

// Days of the span cut between two hand-ons, so that what the search holds does not grow with the span.
constexpr double kHandOnDays = 64.0;

// The search for the tightest moment reads the longitudes between samples every six hours (longitude and
// rate, joined by the cubic that matches both at either end: within a few thousandths of an arcsecond of
// the ephemeris for the Moon, 0.03″ at twelve hours, 0.4″ at a day), taken on a grid from the span's start;
// the tightest moment's deviation is read from the ephemeris itself.
constexpr double kTrackStep = 0.25;
// Samples kept before the track starts afresh: what it holds does not grow with the span.
constexpr size_t kMostTrackSamples = 4096;
// Five minutes: a piece whose middle lies this far from its edges is asked on the track. In that time every
// pair with the Moon moves its separation by two arcminutes or more, and a pair of the slower bodies by far
// more than their samples stray (well under a thousandth of an arcsecond), unless their separation stands
// still; nearer an edge the ephemeris is asked itself.
constexpr double kTrackEnoughMargin = 5.0 / 1440.0;

class GeoTrack : public PointTrack {
public:
    GeoTrack(platform::Convention convention, double origin) : m_convention(convention), m_origin(origin) {}

    void Cover(double, double) override
    {
        if (m_samples.size() > kMostTrackSamples)
            m_samples.clear();
    }

    double Longitude(Body point, double t) const override
    {
        const std::optional<GeoBody> body = GeoBodyOfPoint(point);
        const double x = (t - m_origin) / kTrackStep;
        const auto k = static_cast<int64_t>(std::floor(x));
        const std::optional<platform::HelioState> a = body ? Sample(*body, k) : std::nullopt;
        const std::optional<platform::HelioState> b = body ? Sample(*body, k + 1) : std::nullopt;
        if (!a || !b)
            return Precise(point, t);
        const double s = x - static_cast<double>(k);
        const double s2 = s * s, s3 = s2 * s;
        const double L1 = a->longitude + std::remainder(b->longitude - a->longitude, kTwoPi);
        const double L = (2 * s3 - 3 * s2 + 1) * a->longitude + (s3 - 2 * s2 + s) * kTrackStep * a->longitudeSpeed +
                         (-2 * s3 + 3 * s2) * L1 + (s3 - s2) * kTrackStep * b->longitudeSpeed;
        return L - kTwoPi * std::floor(L / kTwoPi);
    }

    // The ten bodies at t on the track.
    PatternPoints PointsAt(double t) const
    {
        PatternPoints points;
        points.longitudes.fill(std::numeric_limits<double>::quiet_NaN());
        for (const GeoBody body : platform::kGeoBodies) {
            points.longitudes[SlotOf(PatternPointOf(body))] = Longitude(PatternPointOf(body), t);
            points.inUse.push_back(PatternPointOf(body));
        }
        return points;
    }

    double Precise(Body point, double t) const override
    {
        const std::optional<GeoBody> body = GeoBodyOfPoint(point);
        const std::optional<double> longitude = body ? platform::GeoLongitudeIn(*body, t, m_convention) : std::nullopt;
        return longitude.value_or(std::numeric_limits<double>::quiet_NaN());
    }

private:
    std::optional<platform::HelioState> Sample(GeoBody body, int64_t k) const
    {
        const int64_t key = k * platform::kNumGeoBodies + static_cast<int64_t>(body);
        if (const auto known = m_samples.find(key); known != m_samples.end())
            return known->second;
        const std::optional<platform::HelioState> state =
            platform::GeoStateIn(body, m_origin + static_cast<double>(k) * kTrackStep, m_convention, true);
        if (state)
            m_samples.emplace(key, *state);
        return state;
    }

    platform::Convention m_convention;
    double m_origin = 0.0;
    mutable std::unordered_map<int64_t, platform::HelioState> m_samples;
};

// Cuts the span at the orb edges, asks the finders once in each piece and hands the occurrences on.
class GeoCutter {
public:
    GeoCutter(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink)
        : m_astro(astro), m_request(request), m_sink(sink), m_track(request.convention, request.from),
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
        const double middle = 0.5 * (m_start + end);
        const std::optional<PatternPoints> points = 0.5 * (end - m_start) >= kTrackEnoughMargin
                                                        ? m_track.PointsAt(middle)
                                                        : GeoPatternPoints(middle, m_request.convention);
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
