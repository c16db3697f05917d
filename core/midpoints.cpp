#include "core/midpoints.h"

#include "core/patterns.h"
#include "text/language.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

namespace orvane::core {
namespace {

struct MidpointBodies {
    int16_t lower = 0;
    int16_t middle = 0;
    int16_t higher = 0;
};

double Position(const PositionTable& longitudes, int16_t body)
{
    if (body < 0 || body > kMaxBodyIndex)
        return -1.0;
    return longitudes[static_cast<size_t>(body)][0];
}

// For the bodies `firstBody` … `lastBody`: whether each body stands on the midpoint (L1 + L2) / 2 of each pair of
// the others or on the point opposite it, within the orb. Worked out once for all the triples that
// share a pair, in one pass over the positions.
class MidpointTable {
public:
    MidpointTable(const PositionTable& longitudes, int16_t firstBody, int16_t lastBody, double orb)
    {
        const auto first = static_cast<size_t>(std::clamp<int16_t>(firstBody, 0, kMaxBodyIndex));
        const auto last = static_cast<size_t>(std::clamp<int16_t>(lastBody, 0, kMaxBodyIndex));
        for (size_t x = first; x <= last; ++x)
            for (size_t y = x + 1; y <= last; ++y) {
                const double midpoint = (longitudes[x][0] + longitudes[y][0]) / 2;
                const double opposite = NormalizeAngle(midpoint + kPi);
                for (size_t body = first; body <= last; ++body) {
                    const double L = longitudes[body][0];
                    const bool on = Separation(midpoint, L) < orb || Separation(opposite, L) < orb;
                    m_on[body][x][y] = on;
                    m_on[body][y][x] = on;
                }
            }
    }

    // Whether `body` stands on the midpoint of x and y or on the point opposite it.
    bool On(int16_t body, int16_t x, int16_t y) const
    {
        return m_on[static_cast<size_t>(body)][static_cast<size_t>(x)][static_cast<size_t>(y)];
    }

private:
    std::array<std::array<std::array<bool, kBodySlots>, kBodySlots>, kBodySlots> m_on{};
};

std::optional<MidpointBodies> FindMidpoint(const PositionTable& longitudes, const MidpointTable& midpoints, int16_t a,
                                           int16_t b, int16_t c)
{
    const double La = Position(longitudes, a);
    const double Lb = Position(longitudes, b);
    const double Lc = Position(longitudes, c);
    if (La < 0.0 || Lb < 0.0 || Lc < 0.0)
        return std::nullopt;
    if (La == Lb || La == Lc || Lb == Lc)
        return std::nullopt;

    auto ordered = [](int16_t middle, int16_t x, int16_t y) {
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

std::string Describe(const AstroTables& tables, const MidpointBodies& bodies, bool fullNames)
{
    const auto& names = fullNames ? tables.bodyNames : tables.bodyAbbrevs;
    return names[static_cast<size_t>(bodies.lower)] + "-" + names[static_cast<size_t>(bodies.middle)] + "-" +
           names[static_cast<size_t>(bodies.higher)];
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

std::string MidpointText(const AstroModule& astro, const PositionTable& longitudes, int16_t orbForMidpointsPosition,
                         int16_t a, int16_t b, int16_t c, bool fullNames)
{
    const MidpointTable midpoints(longitudes, 0, kMaxBodyIndex, MidpointOrb(orbForMidpointsPosition));
    const auto bodies = FindMidpoint(longitudes, midpoints, a, b, c);
    return bodies ? Describe(astro.tables, *bodies, fullNames) : std::string();
}

void CheckForMidpoint(const AstroModule& astro, const PositionTable& longitudes, int16_t orbForMidpointsPosition,
                      bool fullNames, int16_t& count, std::string& text, RunSearchState* run)
{
    count = 0;
    text.clear();
    const int16_t n = std::clamp<int16_t>(astro.bodyCount, 0, kMaxBodyIndex);

    // Which pairs are in conjunction, tested once per pair.
    std::array<std::array<bool, kBodySlots>, kBodySlots> conjunction{};
    for (int16_t x = 1; x <= n; ++x)
        for (int16_t y = static_cast<int16_t>(x + 1); y <= n; ++y) {
            double deviation = 0.0;
            const bool holds = astro.IsAspect(longitudes, x, y, kConjunction, deviation);
            conjunction[static_cast<size_t>(x)][static_cast<size_t>(y)] = holds;
            conjunction[static_cast<size_t>(y)][static_cast<size_t>(x)] = holds;
        }
    auto conjunct = [&](int16_t x, int16_t y) { return conjunction[static_cast<size_t>(x)][static_cast<size_t>(y)]; };
    const MidpointTable midpoints(longitudes, 1, n, MidpointOrb(orbForMidpointsPosition));

    for (int16_t p1 = 1; p1 <= n - 1; ++p1)
        for (int16_t p2 = p1 + 1; p2 <= n; ++p2) {
            // Bodies in conjunction have no distinct midpoint to speak of.
            if (conjunct(p1, p2))
                continue;
            for (int16_t p3 = 1; p3 <= n; ++p3) {
                if (p3 == p1 || p3 == p2 || conjunct(p3, p1) || conjunct(p3, p2))
                    continue;
                // Most triples hold no midpoint at all: look that up before anything else.
                if (!(midpoints.On(p1, p3, p2) || midpoints.On(p3, p1, p2) || midpoints.On(p2, p1, p3)))
                    continue;
                const auto bodies = FindMidpoint(longitudes, midpoints, p1, p3, p2);
                if (!bodies)
                    continue;
                // The same three bodies come up once for each pair among them; list them once.
                const std::string s = Describe(astro.tables, *bodies, fullNames);
                if (text.find(s) != std::string::npos)
                    continue;
                ++count;
                if (!fullNames) {
                    text += astro.tables.patternNames[static_cast<size_t>(kPatternMidpoint)];
                    text += ": ";
                }
                text += s;
                text += text::kLineBreak;
                if (run != nullptr && run->bodiesSought && !run->soughtBodiesFound)
                    RecordPatternForRun(*run, kRunPatternName[static_cast<size_t>(kPatternMidpoint)], 3,
                                        bodies->lower, bodies->middle, bodies->higher, 0, 0, 0);
            }
        }
}

}  // namespace orvane::core
