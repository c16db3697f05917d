// The events of one body's latitude and distance (nodes, latitude extremes, apsides) and the misses at the
// turns of a pair's difference.

#include "core/event_roots.h"
#include "core/events.h"
#include "core/positions.h"

#include <cmath>
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
constexpr int32_t StateSampleDays(Body body)
{
    switch (body) {
    case Body::Mercury: return 1;
    case Body::Venus: case Body::Earth: return 2;
    case Body::Mars: return 4;
    default: return 8;
    }
}

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

}  // namespace

void EventSearch::SearchBodyStates(int64_t firstStep, int64_t endStep, double from, double to,
                                   std::vector<Event>& out) const
{
    const auto stateAt = [this](Body body, double moment) {
        return HelioStateOf(m_astro.pluto, body, moment, m_convention, true);
    };
    for (const Body body : m_stateBodies) {
        const int64_t every = StateSampleDays(body);
        const int64_t first = CeilDiv(firstStep, every);
        const int64_t end = CeilDiv(endStep, every);
        const auto time = [&](int64_t j) { return from + static_cast<double>(j * every) * kEventSampleDays; };
        std::vector<std::optional<platform::HelioState>> states;
        for (int64_t j = first; j <= end; ++j)
            states.push_back(stateAt(body, time(j)));

        // The Earth's latitude is that of the barycentre, which defines the ecliptic (see events.h).
        const bool latitude = body != Body::Earth;
        struct Search {
            Quantity quantity;
            EventKind rising;   // the kind when the quantity passes zero going up
            EventKind falling;  // … going down
        };
        const Search searches[] = {
            {Quantity::Latitude, EventKind::AscendingNode, EventKind::DescendingNode},
            {Quantity::LatitudeRate, EventKind::LatitudeMin, EventKind::LatitudeMax},
            {Quantity::DistanceRate, EventKind::Perihelion, EventKind::Aphelion},
        };
        for (const Search& search : searches) {
            if (search.quantity != Quantity::DistanceRate && !latitude)
                continue;
            if (!m_filter.HasKind(search.rising) && !m_filter.HasKind(search.falling))
                continue;
            for (size_t k = 0; k + 1 < states.size(); ++k) {
                if (!states[k] || !states[k + 1])
                    continue;
                const double va = ValueOf(*states[k], search.quantity);
                const double vb = ValueOf(*states[k + 1], search.quantity);
                if ((va >= 0.0) == (vb >= 0.0))
                    continue;
                const bool up = vb >= 0.0;
                const EventKind kind = up ? search.rising : search.falling;
                if (!m_filter.HasKind(kind))
                    continue;
                const double ta = time(first + static_cast<int64_t>(k));
                const double tb = time(first + static_cast<int64_t>(k) + 1);
                const auto g = [&](double t) {
                    const std::optional<platform::HelioState> state = stateAt(body, t);
                    return state ? ValueOf(*state, search.quantity) : std::nan("");
                };
                const double guess = ta + (tb - ta) * va / (va - vb);
                const double moment = RefineRoot(g, ta, tb, up, guess, (vb - va) / (tb - ta));
                if (std::isnan(moment) || moment < from || moment >= to)
                    continue;
                const std::optional<platform::HelioState> at = stateAt(body, moment);
                if (!at)
                    continue;
                Event event;
                event.moment = moment;
                event.kind = kind;
                event.body1 = body;
                event.value = search.quantity == Quantity::Latitude       ? at->longitude
                              : search.quantity == Quantity::LatitudeRate ? at->latitude
                                                                          : at->distance;
                out.push_back(event);
            }
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
    constexpr double kInverseGolden = 0.6180339887498949;
    double a = ta;
    double b = tb;
    double c = b - kInverseGolden * (b - a);
    double d = a + kInverseGolden * (b - a);
    double fc = unwrapped(c);
    double fd = unwrapped(d);
    while (b - a > kEventBracketDays * 100) {
        if (std::isnan(fc) || std::isnan(fd))
            return;
        if (fc > fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - kInverseGolden * (b - a);
            fc = unwrapped(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + kInverseGolden * (b - a);
            fd = unwrapped(d);
        }
    }
    const double moment = 0.5 * (a + b);
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
