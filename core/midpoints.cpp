#include "core/midpoints.h"

#include "core/patterns.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <optional>
#include <utility>

namespace orvane::core {
namespace {

// Whether each body stands on the midpoint (L1 + L2) / 2 of each pair of the others or on the point
// opposite it, within the orb. Worked out once for all the triples that share a pair, in one pass over
// the positions; a body without a position stands on no midpoint and has none with another.
class MidpointTable {
public:
    MidpointTable(const ChartPositions& positions, std::span<const Body> bodies, double orb)
    {
        const auto longitude = [&](Body body) {
            return positions[body].longitude.value_or(std::numeric_limits<double>::quiet_NaN());
        };
        for (size_t i = 0; i < bodies.size(); ++i)
            for (size_t j = i + 1; j < bodies.size(); ++j) {
                const size_t x = SlotOf(bodies[i]);
                const size_t y = SlotOf(bodies[j]);
                const double midpoint = (longitude(bodies[i]) + longitude(bodies[j])) / 2;
                const double opposite = NormalizeAngle(midpoint + kPi);
                for (const Body body : bodies) {
                    const double L = longitude(body);
                    const bool on = WithinOrb(Separation(midpoint, L), orb) || WithinOrb(Separation(opposite, L), orb);
                    m_on[SlotOf(body)][x][y] = on;
                    m_on[SlotOf(body)][y][x] = on;
                }
            }
    }

    // Whether `body` stands on the midpoint of x and y or on the point opposite it.
    bool On(Body body, Body x, Body y) const { return m_on[SlotOf(body)][SlotOf(x)][SlotOf(y)]; }

private:
    std::array<std::array<std::array<bool, kBodySlots>, kBodySlots>, kBodySlots> m_on{};
};

std::optional<MidpointBodies> FindMidpoint(const ChartPositions& positions, const MidpointTable& midpoints, Body a,
                                           Body b, Body c)
{
    const std::optional<double>& La = positions[a].longitude;
    const std::optional<double>& Lb = positions[b].longitude;
    const std::optional<double>& Lc = positions[c].longitude;
    if (!La || !Lb || !Lc)
        return std::nullopt;
    if (*La == *Lb || *La == *Lc || *Lb == *Lc)
        return std::nullopt;

    auto ordered = [](Body middle, Body x, Body y) {
        if (y < x)
            std::swap(x, y);
        return MidpointBodies{x, middle, y};
    };
    if (midpoints.On(a, c, b))
        return ordered(a, b, c);
    if (midpoints.On(b, c, a))
        return ordered(b, a, c);
    if (midpoints.On(c, b, a))
        return ordered(c, a, b);
    return std::nullopt;
}

}  // namespace

double MidpointOrb(int16_t orbForMidpointsPosition)
{
    const int16_t position = orbForMidpointsPosition >= 0 && orbForMidpointsPosition < kNumMidpointOrbs
                                 ? orbForMidpointsPosition
                                 : kDefaultMidpointOrbPosition;
    const double degrees = kMidpointOrbMinutes[static_cast<size_t>(position)] / 60.0;
    return kTwoPi / 360.0 * degrees;
}

std::optional<MidpointBodies> MidpointOf(const ChartPositions& positions, int16_t orbForMidpointsPosition, Body a,
                                         Body b, Body c)
{
    const MidpointTable midpoints(positions, kBodies, MidpointOrb(orbForMidpointsPosition));
    return FindMidpoint(positions, midpoints, a, b, c);
}

std::vector<PatternFound> FindMidpoints(const AstroModule& astro, const ChartPositions& positions,
                                        int16_t orbForMidpointsPosition, RunSearchState* run)
{
    std::vector<PatternFound> found;
    const std::span<const Body> bodies = BodiesInUse(astro.bodyCount);

    // Which pairs are in conjunction, tested once per pair.
    std::array<std::array<bool, kBodySlots>, kBodySlots> conjunction{};
    for (const Body x : bodies)
        for (const Body y : BodiesAfter(x, astro.bodyCount)) {
            double deviation = 0.0;
            const bool holds = astro.IsAspect(positions, x, y, Aspect::Conjunction, deviation);
            conjunction[SlotOf(x)][SlotOf(y)] = holds;
            conjunction[SlotOf(y)][SlotOf(x)] = holds;
        }
    auto conjunct = [&](Body x, Body y) { return conjunction[SlotOf(x)][SlotOf(y)]; };
    const MidpointTable midpoints(positions, bodies, MidpointOrb(orbForMidpointsPosition));

    for (const Body p1 : bodies)
        for (const Body p2 : BodiesAfter(p1, astro.bodyCount)) {
            // Bodies in conjunction have no distinct midpoint to speak of.
            if (conjunct(p1, p2))
                continue;
            for (const Body p3 : bodies) {
                if (p3 == p1 || p3 == p2 || conjunct(p3, p1) || conjunct(p3, p2))
                    continue;
                // Most triples hold no midpoint at all: look that up before anything else.
                if (!(midpoints.On(p1, p3, p2) || midpoints.On(p3, p1, p2) || midpoints.On(p2, p1, p3)))
                    continue;
                const auto triple = FindMidpoint(positions, midpoints, p1, p3, p2);
                if (!triple)
                    continue;
                // The same three bodies come up once for each pair among them; list them once.
                const std::vector<Body> named{triple->lower, triple->middle, triple->higher};
                if (std::any_of(found.begin(), found.end(), [&](const PatternFound& f) { return f.bodies == named; }))
                    continue;
                found.push_back({kPatternMidpoint, named, std::nullopt});
                if (run != nullptr && run->bodiesSought && !run->soughtBodiesFound)
                    RecordPatternForRun(*run, kRunPatternName[static_cast<size_t>(kPatternMidpoint)],
                                        IndexOf(triple->lower), IndexOf(triple->middle), IndexOf(triple->higher), 0,
                                        0, 0);
            }
        }
    return found;
}

}  // namespace orvane::core
