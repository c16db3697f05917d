// The events of one body's latitude and distance (nodes, latitude extremes, apsides) and the misses at the
// turns of a pair's difference.

#include "core/event_roots.h"
#include "core/events.h"
#include "core/positions.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace orvane::core {
namespace {

using event_roots::RefineRoot;
using event_roots::WrapPi;

// Days between two samples of a body's latitude and distance. Each quantity is bracketed by a change of
// sign of itself (the latitude, for the nodes) or of its rate (the extremes); the fastest of them, Mercury's,
// changes sign every 44 days, and the wobble of the Sun about the planets' centre of mass, which puts extra
// extremes into the outer planets' heliocentric distance near their apsides, has periods of years.
// Each divides the search's chunk.
constexpr int64_t StateSampleDays(Body body)
{
    switch (body) {
    case Body::Mercury: return 2;
    case Body::Venus: case Body::Earth: return 4;
    case Body::Mars: return 8;
    default: return 16;
    }
}
static_assert(kEventChunkDays % 16 == 0);

int64_t CeilDiv(int64_t a, int64_t b)
{
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// Which of a state's quantities a search follows.
enum class Quantity { Latitude, LatitudeRate, DistanceRate };

double ValueOf(const platform::HelioState& state, Quantity quantity)
{
    switch (quantity) {
    case Quantity::Latitude: return state.latitude;
    case Quantity::LatitudeRate: return state.latitudeSpeed;
    case Quantity::DistanceRate: return state.distanceSpeed;
    }
    return 0.0;
}

// A quantity followed for its passes through zero, and the events they are.
struct StateSearch {
    Quantity quantity;
    EventKind rising;   // the kind when the quantity passes zero going up
    EventKind falling;  // … going down
};
constexpr StateSearch kStateSearches[] = {
    {Quantity::Latitude, EventKind::AscendingNode, EventKind::DescendingNode},
    {Quantity::LatitudeRate, EventKind::LatitudeMin, EventKind::LatitudeMax},
    {Quantity::DistanceRate, EventKind::Perihelion, EventKind::Aphelion},
};

// The difference of a pair that can turn back (Neptune and Pluto) moves a few degrees a year and turns over
// months: taken every kMissSampleDays, a sample above (or below) both its neighbours brackets a turn. The
// spacing keeps the arcsecond rounding of Pluto's table from passing for turns.
constexpr int64_t kMissSampleDays = 64;
static_assert(kEventChunkDays % kMissSampleDays == 0);

double StepTime(double from, int64_t step)
{
    return from + static_cast<double>(step) * kEventSampleDays;
}

// What an event at a zero of `quantity` tells: the longitude at a node, the latitude at its extreme, the
// distance at an apsis.
double EventValue(const platform::HelioState& at, Quantity quantity)
{
    switch (quantity) {
    case Quantity::Latitude: return at.longitude;
    case Quantity::LatitudeRate: return at.latitude;
    case Quantity::DistanceRate: return at.distance;
    }
    return 0.0;
}

}  // namespace

EventSearch::ChunkDue EventSearch::PlanDue(int64_t firstStep, int64_t endStep) const
{
    ChunkDue due;
    for (const Body body : m_stateBodies) {
        const int64_t every = StateSampleDays(body);
        // Each body from its first sample at or after firstStep to its first at or after endStep.
        BodyStates& planned = due.states.emplace_back(
            BodyStates{body, every, CeilDiv(firstStep, every), CeilDiv(endStep, every), {}});
        planned.states.reserve(static_cast<size_t>(planned.last - planned.first + 1));
    }
    if (!m_filter.HasKind(EventKind::Miss))
        return due;
    // The samples from firstStep to before endStep, each with its neighbours.
    for (const Track& track : m_tracks)
        if (!track.aspects.empty())
            due.turns.push_back({&track, kMissSampleDays, CeilDiv(firstStep, kMissSampleDays) - 1,
                                 CeilDiv(endStep, kMissSampleDays), {}});
    return due;
}

std::pair<int64_t, int64_t> EventSearch::ChunkDue::Steps() const
{
    std::pair<int64_t, int64_t> steps{std::numeric_limits<int64_t>::max(), std::numeric_limits<int64_t>::min()};
    const auto widen = [&steps](int64_t first, int64_t last) {
        steps.first = std::min(steps.first, first);
        steps.second = std::max(steps.second, last);
    };
    for (const BodyStates& body : states)
        widen(body.first * body.every, body.last * body.every);
    for (const TurnSamples& pair : turns)
        widen(pair.first * pair.every, pair.last * pair.every);
    return steps;
}

void EventSearch::TakeDue(ChunkDue& due, int64_t step, double from) const
{
    for (BodyStates& samples : due.states) {
        const int64_t j = samples.first + static_cast<int64_t>(samples.states.size());
        if (j <= samples.last && j * samples.every == step)
            samples.states.push_back(HelioStateOf(m_astro.pluto, samples.body, StepTime(from, step), m_convention, true));
    }
    for (TurnSamples& samples : due.turns) {
        const int64_t j = samples.first + static_cast<int64_t>(samples.differences.size());
        if (j <= samples.last && j * samples.every == step)
            samples.differences.push_back(Difference(*samples.track, StepTime(from, step)));
    }
}

void EventSearch::FindStatePasses(const std::vector<BodyStates>& states, double from,
                                  std::vector<StatePending>& pending) const
{
    for (const BodyStates& samples : states)
        for (size_t s = 0; s < std::size(kStateSearches); ++s) {
            const StateSearch& search = kStateSearches[s];
            // The Earth's latitude is that of the barycentre, which defines the ecliptic (see events.h).
            if (search.quantity != Quantity::DistanceRate && samples.body == Body::Earth)
                continue;
            for (size_t k = 0; k + 1 < samples.states.size(); ++k) {
                const std::optional<platform::HelioState>& a = samples.states[k];
                const std::optional<platform::HelioState>& b = samples.states[k + 1];
                if (!a || !b)
                    continue;
                const double va = ValueOf(*a, search.quantity);
                const double vb = ValueOf(*b, search.quantity);
                if ((va >= 0.0) == (vb >= 0.0))
                    continue;
                const bool up = vb >= 0.0;
                const EventKind kind = up ? search.rising : search.falling;
                if (!m_filter.HasKind(kind))
                    continue;
                const int64_t j = samples.first + static_cast<int64_t>(k);
                const double ta = StepTime(from, j * samples.every);
                const double tb = StepTime(from, (j + 1) * samples.every);
                pending.push_back({samples.body, s, kind, ta, tb, up, ta + (tb - ta) * va / (va - vb),
                                   (vb - va) / (tb - ta)});
            }
        }
}

void EventSearch::RefineState(const StatePending& pass, double from, double to, std::vector<Event>& out) const
{
    const Quantity quantity = kStateSearches[pass.search].quantity;
    const auto stateAt = [&](double moment) {
        return HelioStateOf(m_astro.pluto, pass.body, moment, m_convention, true);
    };
    const auto g = [&](double t) {
        const std::optional<platform::HelioState> state = stateAt(t);
        return state ? ValueOf(*state, quantity) : std::nan("");
    };
    const double moment = RefineRoot(g, pass.ta, pass.tb, pass.up, pass.guess, pass.slope);
    if (std::isnan(moment) || moment < from || moment >= to)
        return;
    const std::optional<platform::HelioState> at = stateAt(moment);
    if (!at)
        return;
    Event event;
    event.moment = moment;
    event.kind = pass.kind;
    event.body1 = pass.body;
    event.value = EventValue(*at, quantity);
    out.push_back(event);
}

void EventSearch::SearchTurns(const std::vector<TurnSamples>& turns, double from, double to,
                              std::vector<Event>& out) const
{
    for (const TurnSamples& samples : turns) {
        const std::vector<double>& d = samples.differences;
        const auto time = [&](size_t k) {
            return StepTime(from, (samples.first + static_cast<int64_t>(k)) * samples.every);
        };
        // A sample above (or below) both its neighbours brackets a turn.
        for (size_t k = 1; k + 1 < d.size(); ++k) {
            if (d[k - 1] < 0.0 || d[k] < 0.0 || d[k + 1] < 0.0)
                continue;
            const double rise = WrapPi(d[k] - d[k - 1]);
            const double fall = WrapPi(d[k + 1] - d[k]);
            if ((rise > 0.0) != (fall > 0.0) && rise != 0.0 && fall != 0.0)
                FindMisses(*samples.track, time(k - 1), time(k + 1), rise > 0.0, from, to, out);
        }
    }
}

void EventSearch::FindMisses(const Track& track, double ta, double tb, bool rising, double from, double to,
                             std::vector<Event>& out) const
{
    const double base = Difference(track, ta);
    if (base < 0.0)
        return;
    // The difference unwrapped near its value at ta; the turn by golden-section search on it.
    const auto unwrapped = [&](double t) {
        const double d = Difference(track, t);
        return d < 0.0 ? std::nan("") : (rising ? 1.0 : -1.0) * (base + WrapPi(d - base));
    };
    const std::optional<event_roots::GoldenPeak> peak =
        event_roots::GoldenSectionMaximum(unwrapped, ta, tb, kEventBracketDays * 100);
    if (!peak)
        return;
    const double moment = peak->moment;
    const double turn = Difference(track, moment);
    if (moment < from || moment >= to || turn < 0.0)
        return;
    for (const TrackAspect& aspect : track.aspects) {
        const bool oneBranch = std::fabs(aspect.angle) < 1e-9 || std::fabs(aspect.angle - kPi) < 1e-9;
        for (const double target : {aspect.angle, kTwoPi - aspect.angle}) {
            // Still short of the target when the difference turns back, and within the orb.
            const double shortfall = (rising ? 1.0 : -1.0) * WrapPi(target - turn);
            if (shortfall > 0.0 && WithinOrb(shortfall, aspect.orb)) {
                Event event;
                event.moment = moment;
                event.kind = EventKind::Miss;
                event.body1 = track.pair.body1;
                event.body2 = track.pair.body2;
                event.aspect = aspect.aspect;
                event.value = shortfall;
                out.push_back(event);
            }
            if (oneBranch)
                break;
        }
    }
}

}  // namespace orvane::core
