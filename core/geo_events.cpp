#include "core/geo_events.h"

#include "core/event_roots.h"
#include "core/geo_angle_events.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace orvane::core {
namespace {

using event_roots::WrapPi;

constexpr double kSignWidth = kTwoPi / kNumSigns;
// A change of a wrapped angle between two samples is a crossing only from this close to zero; a jump
// across ±π is the wrap (no difference moves more than 18° in a step).
constexpr double kNearZero = kPi / 2.0;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Half the span over which a station's rate is taken (days, 7.2 minutes).
constexpr double kStationDays = 0.005;
// Days between the sorting and handing on of the events found so far.
constexpr int kStepsPerChunk = 32;

struct Sample {
    double longitude = 0.0;
    double speed = 0.0;
};
using Row = std::array<Sample, platform::kNumGeoBodies>;

size_t SlotOf(GeoBody body)
{
    return static_cast<size_t>(body);
}

// The first guess of a root between a and b: the root of the cubic with the values ga, gb and rates da,
// db at the ends (Newton's method on it from the straight line's root). Over a day it lies within a
// second or so of the true root even for the Moon, so that the refinement on the ephemeris mostly
// accepts it at the first or second evaluation.
double CubicGuess(double a, double ga, double da, double b, double gb, double db)
{
    const double h = b - a;
    const auto p = [&](double s) {
        const double s2 = s * s, s3 = s2 * s;
        return (2 * s3 - 3 * s2 + 1) * ga + (s3 - 2 * s2 + s) * h * da + (-2 * s3 + 3 * s2) * gb + (s3 - s2) * h * db;
    };
    const auto dp = [&](double s) {
        const double s2 = s * s;
        return (6 * s2 - 6 * s) * ga + (3 * s2 - 4 * s + 1) * h * da + (-6 * s2 + 6 * s) * gb + (3 * s2 - 2 * s) * h * db;
    };
    double s = ga / (ga - gb);
    for (int i = 0; i < 4; ++i) {
        const double slope = dp(s);
        if (slope == 0.0)
            break;
        s = std::clamp(s - p(s) / slope, 0.0, 1.0);
    }
    return a + s * h;
}

// One end of a monotone piece of a step: the moment, the wrapped angle's unwrapped value there and its
// rate (radians a day).
struct End {
    double t = 0.0;
    double value = 0.0;
    double rate = 0.0;
};

// A root of the wrapped angle g (g(t) = WrapPi(value(t) − target)) between two ends of a monotone piece;
// none when it keeps its sign (or only wraps).
template <typename Function>
std::optional<double> Crossing(const Function& g, const End& a, const End& b, double target)
{
    const double ga = WrapPi(a.value - target);
    const double gb = WrapPi(b.value - target);
    if ((ga < 0.0) == (gb < 0.0) || std::fabs(ga) > kNearZero || std::fabs(gb) > kNearZero)
        return std::nullopt;
    const double guess = CubicGuess(a.t, ga, a.rate, b.t, gb, b.rate);
    const double slope = std::fabs(a.rate) > std::fabs(b.rate) ? a.rate : b.rate;
    const double root = event_roots::RefineRoot(g, a.t, b.t, ga < 0.0, guess, slope != 0.0 ? slope : (gb - ga) / (b.t - a.t));
    return std::isnan(root) ? std::nullopt : std::optional(root);
}

// What one sweep finds between its samples.
struct Found {
    std::vector<GeoEvent> events;
    std::vector<GeoOrbEdge> edges;
};

// The orb edges asked for: the aspects by bit and their orbs (radians) by slot.
struct EdgeAsk {
    uint16_t aspects = 0;
    std::array<double, kAspectSlots> orbs{};
};

class GeoSearch {
public:
    GeoSearch(platform::Convention convention, const GeoEventFilter& filter, std::optional<EdgeAsk> edges = std::nullopt)
        : m_convention(convention), m_filter(filter), m_edges(edges)
    {
        if (filter.place && filter.HasKind(GeoEventKind::Angle))
            m_angles.emplace(convention, filter);
    }

    // The selected bodies' longitudes and rates at `t`; false when the ephemeris has none.
    bool Take(double t, Row& row) const
    {
        for (const GeoBody body : platform::kGeoBodies) {
            if (!m_filter.HasBody(body))
                continue;
            const std::optional<Sample> sample = At(body, t);
            if (!sample)
                return false;
            row[SlotOf(body)] = *sample;
        }
        return true;
    }

    // The events between two samples; false when the ephemeris failed on the way.
    bool Step(double t0, const Row& r0, double t1, const Row& r1, Found& found)
    {
        m_failed = false;
        const bool bodyKinds = m_filter.HasKind(GeoEventKind::Ingress) ||
                               m_filter.HasKind(GeoEventKind::StationRetrograde) ||
                               m_filter.HasKind(GeoEventKind::StationDirect);
        const bool pairs = m_filter.HasKind(GeoEventKind::Exact) || m_edges;
        for (size_t i = 0; i < platform::kGeoBodies.size(); ++i) {
            const GeoBody body = platform::kGeoBodies[i];
            if (!m_filter.HasBody(body))
                continue;
            if (bodyKinds)
                BodyEvents(body, t0, r0[i], t1, r1[i], found.events);
            for (size_t j = i + 1; j < platform::kGeoBodies.size(); ++j)
                if (m_filter.HasBody(platform::kGeoBodies[j]) && pairs)
                    PairEvents(body, platform::kGeoBodies[j], t0, r0, t1, r1, found);
        }
        if (m_angles && !m_angles->Between(t0, t1, found.events))
            return false;
        return !m_failed;
    }

private:
    std::optional<Sample> At(GeoBody body, double t) const
    {
        const std::optional<platform::HelioState> state = platform::GeoStateIn(body, t, m_convention, true);
        return state ? std::optional(Sample{state->longitude, state->longitudeSpeed}) : std::nullopt;
    }

    double Longitude(GeoBody body, double t)
    {
        const std::optional<double> longitude = platform::GeoLongitudeIn(body, t, m_convention);
        m_failed = m_failed || !longitude;
        return longitude.value_or(kNaN);
    }

    double Speed(GeoBody body, double t)
    {
        const std::optional<Sample> sample = At(body, t);
        m_failed = m_failed || !sample;
        return sample ? sample->speed : kNaN;
    }

    // Where the rate `rate` (rate(a) = ra, rate(b) = rb, of opposite signs) passes zero; none when it fails.
    template <typename Rate>
    std::optional<double> TurningPoint(const Rate& rate, double a, double ra, double b, double rb)
    {
        const double slope = (rb - ra) / (b - a);
        const double root = event_roots::RefineRoot(rate, a, b, ra < 0.0, a - ra / slope, slope);
        return std::isnan(root) ? std::nullopt : std::optional(root);
    }

    // A body's station within the step (it splits the step for the ingresses), and its ingresses.
    void BodyEvents(GeoBody body, double t0, const Sample& s0, double t1, const Sample& s1,
                    std::vector<GeoEvent>& found)
    {
        std::vector<End> pieces{{t0, s0.longitude, s0.speed}};
        if ((s0.speed < 0.0) != (s1.speed < 0.0)) {
            // The station is where the apparent longitude itself turns: its change over a few minutes, as
            // the ephemeris' own rate of an apparent position is off by some 0.002″ a day, which moves
            // Pluto's flat stations by a minute. The ephemeris' rate only finds the step.
            const auto rate = [&](double t) {
                return WrapPi(Longitude(body, t + kStationDays) - Longitude(body, t - kStationDays)) / (2 * kStationDays);
            };
            const double r0 = rate(t0);
            const double r1 = rate(t1);
            const bool straddles = (r0 < 0.0) != (r1 < 0.0);
            const std::optional<double> station = straddles ? TurningPoint(rate, t0, r0, t1, r1)
                                                            : TurningPoint([&](double t) { return Speed(body, t); },
                                                                           t0, s0.speed, t1, s1.speed);
            if (!station)
                return void(m_failed = true);
            const double L = Longitude(body, *station);
            if (m_failed)
                return;
            pieces.push_back({*station, L, 0.0});
            const GeoEventKind kind = s0.speed >= 0.0 ? GeoEventKind::StationRetrograde : GeoEventKind::StationDirect;
            if (m_filter.HasKind(kind))
                found.push_back({*station, kind, body, std::nullopt, std::nullopt, -1, L, std::nullopt});
        }
        pieces.push_back({t1, s1.longitude, s1.speed});
        if (!m_filter.HasKind(GeoEventKind::Ingress))
            return;
        for (size_t p = 0; p + 1 < pieces.size(); ++p)
            Ingress(body, pieces[p], pieces[p + 1], found);
    }

    void Ingress(GeoBody body, const End& from, const End& to, std::vector<GeoEvent>& found)
    {
        const auto signOf = [](double L) { return static_cast<int>(std::floor(L / kSignWidth)) % kNumSigns; };
        const int sign0 = signOf(from.value);
        const int sign1 = signOf(to.value);
        if (sign0 == sign1)
            return;
        const bool forward = WrapPi(to.value - from.value) > 0.0;
        const double boundary = (forward ? sign1 : sign0) * kSignWidth;
        const auto g = [&](double t) { return WrapPi(Longitude(body, t) - boundary); };
        const std::optional<double> root = Crossing(g, from, to, boundary);
        if (!root)
            return;
        const int16_t entered = static_cast<int16_t>(forward ? sign1 : (sign0 + kNumSigns - 1) % kNumSigns);
        found.push_back({*root, GeoEventKind::Ingress, body, std::nullopt, std::nullopt, entered, boundary, std::nullopt});
    }

    // The exact aspects and orb edges of a pair within the step, the step split where their separation
    // turns back.
    void PairEvents(GeoBody b1, GeoBody b2, double t0, const Row& r0, double t1, const Row& r1, Found& found)
    {
        const Sample& a0 = r0[SlotOf(b1)];
        const Sample& a1 = r1[SlotOf(b1)];
        const Sample& c0 = r0[SlotOf(b2)];
        const Sample& c1 = r1[SlotOf(b2)];
        const double d0 = a0.speed - c0.speed;
        const double d1 = a1.speed - c1.speed;
        std::vector<End> pieces{{t0, a0.longitude - c0.longitude, d0}};  // L1 − L2 and its rate
        if ((d0 < 0.0) != (d1 < 0.0)) {
            const auto rate = [&](double t) { return Speed(b1, t) - Speed(b2, t); };
            const std::optional<double> turn = TurningPoint(rate, t0, d0, t1, d1);
            if (!turn)
                return void(m_failed = true);
            pieces.push_back({*turn, Longitude(b1, *turn) - Longitude(b2, *turn), 0.0});
            if (m_failed)
                return;
        }
        pieces.push_back({t1, a1.longitude - c1.longitude, d1});
        if (m_filter.HasKind(GeoEventKind::Exact))
            Exacts(b1, b2, pieces, found.events);
        if (m_edges)
            Edges(b1, b2, pieces, found.edges);
    }

    void Exacts(GeoBody b1, GeoBody b2, const std::vector<End>& pieces, std::vector<GeoEvent>& found)
    {
        for (const Aspect aspect : kEventAspects) {
            if (!m_filter.HasAspect(aspect))
                continue;
            const double angle = kEventAspectDegrees[SlotOf(aspect)] * (kTwoPi / 360.0);
            const bool oneBranch = angle == 0.0 || kEventAspectDegrees[SlotOf(aspect)] == 180;
            for (const double branch : {angle, kTwoPi - angle}) {
                const auto g = [&](double t) { return WrapPi(Longitude(b1, t) - Longitude(b2, t) - branch); };
                for (size_t p = 0; p + 1 < pieces.size(); ++p)
                    if (const auto root = Crossing(g, pieces[p], pieces[p + 1], branch))
                        found.push_back({*root, GeoEventKind::Exact, b1, b2, aspect, -1, 0.0, std::nullopt});
                if (oneBranch)
                    break;
            }
        }
    }

    // The edges of each aspect's orb: the difference L1 − L2 at either branch of the aspect (±angle, one
    // branch for the conjunction and the opposition), less or more the orb. On a monotone piece the
    // difference passes each edge at most once; it enters the orb where it climbs past a lower edge or
    // falls past an upper one.
    void Edges(GeoBody b1, GeoBody b2, const std::vector<End>& pieces, std::vector<GeoOrbEdge>& found)
    {
        for (const Aspect aspect : kAspects) {
            if ((m_edges->aspects >> IndexOf(aspect) & 1u) == 0)
                continue;
            const double angle = kAspectDegrees[SlotOf(aspect)] * (kTwoPi / 360.0);
            const double orb = m_edges->orbs[SlotOf(aspect)];
            const bool oneBranch = angle == 0.0 || kAspectDegrees[SlotOf(aspect)] == 180;
            for (const double branch : {angle, kTwoPi - angle}) {
                for (const double side : {-1.0, 1.0}) {
                    const double edge = branch + side * orb;
                    const auto g = [&](double t) { return WrapPi(Longitude(b1, t) - Longitude(b2, t) - edge); };
                    for (size_t p = 0; p + 1 < pieces.size(); ++p)
                        if (const auto root = Crossing(g, pieces[p], pieces[p + 1], edge)) {
                            const bool climbs = WrapPi(pieces[p].value - edge) < 0.0;
                            found.push_back({*root, b1, b2, aspect, climbs == (side < 0.0)});
                        }
                }
                if (oneBranch)
                    break;
            }
        }
    }

    platform::Convention m_convention;
    GeoEventFilter m_filter;
    std::optional<EdgeAsk> m_edges;
    bool m_failed = false;
    std::optional<AngleEventSearch> m_angles;  // with a place and its kind chosen
};

bool GeoEventBefore(const GeoEvent& a, const GeoEvent& b)
{
    const auto key = [](const GeoEvent& e) {
        return std::tuple(e.moment, e.kind, e.body1, e.body2.value_or(GeoBody::Sun),
                          e.aspect ? IndexOf(*e.aspect) : int16_t{0}, e.angle.value_or(GeoAngle::Ascendant));
    };
    return key(a) < key(b);
}

// Takes the samples day by day over [from, to) and finds what lies between them; every kStepsPerChunk
// steps, and at the end, hands all found so far (each before the last sample) to handOn and forgets it.
// handOn returns false to end the sweep. False when the ephemeris failed.
template <typename HandOn>
bool Sweep(GeoSearch& search, double from, double to, HandOn&& handOn)
{
    Found found;
    Row r0{};
    Row r1{};
    if (!search.Take(from, r0))
        return false;
    for (int64_t k = 0; from + static_cast<double>(k) * kGeoSampleDays < to; ++k) {
        const double t0 = from + static_cast<double>(k) * kGeoSampleDays;
        const double t1 = from + static_cast<double>(k + 1) * kGeoSampleDays;
        if (!search.Take(t1, r1) || !search.Step(t0, r0, t1, r1, found))
            return false;
        r0 = r1;
        if ((k + 1) % kStepsPerChunk != 0 && t1 < to)
            continue;
        if (!handOn(found))
            return true;
        found.events.clear();
        found.edges.clear();
    }
    return true;
}

}  // namespace

bool FindGeoEvents(double from, double to, platform::Convention convention, const GeoEventFilter& filter,
                   const GeoEventSink& sink)
{
    if (filter.place && filter.HasKind(GeoEventKind::Angle) &&
        !(std::fabs(filter.place->latitude) <= kAngleEventLatitudeLimit))
        return false;
    GeoSearch search(convention, filter);
    return Sweep(search, from, to, [&](Found& found) {
        std::sort(found.events.begin(), found.events.end(), GeoEventBefore);
        for (const GeoEvent& event : found.events)
            if (event.moment >= from && event.moment < to && !sink(event))
                return false;
        return true;
    });
}

bool FindGeoOrbEdges(double from, double to, platform::Convention convention, uint16_t aspects,
                     const std::array<double, kAspectSlots>& orbs, const GeoOrbEdgeSink& sink)
{
    GeoEventFilter filter;
    filter.kinds = 0;
    GeoSearch search(convention, filter, EdgeAsk{aspects, orbs});
    return Sweep(search, from, to, [&](Found& found) {
        const auto key = [](const GeoOrbEdge& e) {
            return std::tuple(e.moment, e.body1, e.body2, IndexOf(e.aspect), e.enters);
        };
        std::sort(found.edges.begin(), found.edges.end(),
                  [&](const GeoOrbEdge& a, const GeoOrbEdge& b) { return key(a) < key(b); });
        for (const GeoOrbEdge& edge : found.edges)
            if (edge.moment >= from && edge.moment < to)
                sink(edge);
        return true;
    });
}

}  // namespace orvane::core
