#include "core/pattern_joining.h"

#include "core/event_roots.h"
#include "core/events.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane::core {
namespace {

// An aspect between the bodies at places i and j of a pattern as its finder names them.
struct Link {
    uint8_t i = 0;
    uint8_t j = 0;
    Aspect aspect = Aspect::Conjunction;
};

constexpr Aspect kCon = Aspect::Conjunction;
constexpr Aspect kOpp = Aspect::Opposition;
constexpr Aspect kSqr = Aspect::Square;
constexpr Aspect kTri = Aspect::Trine;
constexpr Aspect kSxt = Aspect::Sextile;
constexpr Aspect kSsx = Aspect::Semisextile;
constexpr Aspect kQnx = Aspect::Quincunx;

// The aspects each finder averages, by the places of the bodies in the pattern's name. The T-square and
// the yod name their apex in the middle; the grand cross goes round the circle.
constexpr std::array<Link, 3> kGrandTrineLinks{{{0, 1, kTri}, {0, 2, kTri}, {1, 2, kTri}}};
constexpr std::array<Link, 6> kKiteLinks{{{0, 1, kTri}, {0, 2, kTri}, {1, 2, kTri}, {3, 0, kOpp}, {3, 1, kSxt}, {3, 2, kSxt}}};
constexpr std::array<Link, 6> kRectangleLinks{
    {{0, 1, kOpp}, {1, 2, kSxt}, {2, 3, kOpp}, {3, 0, kSxt}, {1, 3, kTri}, {0, 2, kTri}}};
constexpr std::array<Link, 3> kTSquareLinks{{{0, 2, kOpp}, {0, 1, kSqr}, {2, 1, kSqr}}};
constexpr std::array<Link, 6> kGrandCrossLinks{
    {{0, 1, kSqr}, {0, 3, kSqr}, {0, 2, kOpp}, {1, 3, kOpp}, {1, 2, kSqr}, {2, 3, kSqr}}};
constexpr std::array<Link, 3> kYodLinks{{{0, 2, kSxt}, {0, 1, kQnx}, {2, 1, kQnx}}};
constexpr std::array<Link, 6> kYodKiteLinks{
    {{0, 2, kSxt}, {0, 1, kQnx}, {2, 1, kQnx}, {3, 1, kOpp}, {3, 2, kSsx}, {3, 0, kSsx}}};
constexpr std::array<Link, 6> kTrapeziumLinks{
    {{0, 1, kOpp}, {0, 2, kTri}, {0, 3, kSxt}, {2, 3, kSxt}, {2, 1, kSxt}, {1, 3, kTri}}};
// A stellium: every pair of its first n bodies in conjunction, the first n·(n − 1)/2 of these.
constexpr std::array<Link, 15> kStelliumLinks{{{0, 1, kCon}, {0, 2, kCon}, {1, 2, kCon}, {0, 3, kCon}, {1, 3, kCon},
                                               {2, 3, kCon}, {0, 4, kCon}, {1, 4, kCon}, {2, 4, kCon}, {3, 4, kCon},
                                               {0, 5, kCon}, {1, 5, kCon}, {2, 5, kCon}, {3, 5, kCon}, {4, 5, kCon}}};

std::span<const Link> LinksOf(int16_t pattern, size_t bodies)
{
    switch (pattern) {
    case kPatternGrandTrine: return kGrandTrineLinks;
    case kPatternKite: return kKiteLinks;
    case kPatternRectangle: return kRectangleLinks;
    case kPatternTSquare: return kTSquareLinks;
    case kPatternGrandCross: return kGrandCrossLinks;
    case kPatternYod: return kYodLinks;
    case kPatternYodKite: return kYodKiteLinks;
    case kPatternTrapezium: return kTrapeziumLinks;
    default: return std::span(kStelliumLinks).first(std::min<size_t>(bodies * (bodies - 1) / 2, kStelliumLinks.size()));
    }
}

// A pattern and its bodies in one number: four bits each.
uint64_t KeyOf(int16_t pattern, const std::vector<Body>& bodies)
{
    uint64_t key = static_cast<uint64_t>(pattern) + 1;
    for (const Body body : bodies)
        key = key << 4 | static_cast<uint64_t>(IndexOf(body));
    return key;
}

// Occurrences in the order they are handed on: those there at the start first, then by formation, pattern
// and bodies.
bool Earlier(const PatternOccurrence& a, const PatternOccurrence& b)
{
    const double ba = a.begin.value_or(-1e300);
    const double bb = b.begin.value_or(-1e300);
    if (ba != bb)
        return ba < bb;
    if (a.pattern != b.pattern)
        return a.pattern < b.pattern;
    return a.bodies < b.bodies;
}

}  // namespace

uint16_t AspectsNeeded(const std::array<bool, kNumPatterns>& asked)
{
    uint16_t bits = 0;
    for (int16_t pattern = 0; pattern < kNumPatterns; ++pattern) {
        if (!asked[static_cast<size_t>(pattern)])
            continue;
        if (pattern == kPatternGrandSextile)
            bits |= 1u << kTrine | 1u << kSextile;
        else if (pattern == kPatternMidpoint)
            bits |= 1u << kConjunction;
        else
            for (const Link& link : LinksOf(pattern, 6))
                bits = static_cast<uint16_t>(bits | 1u << IndexOf(link.aspect));
    }
    return bits;
}

std::vector<PatternFound> SummaryPatterns(const PatternFinder& finder, const std::array<bool, kNumPatterns>& asked)
{
    std::vector<PatternFound> found;
    const auto add = [&](std::vector<PatternFound> more) {
        found.insert(found.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    };
    for (int16_t pattern = kPatternGrandTrine; pattern <= kPatternTrapezium; ++pattern)
        if (asked[static_cast<size_t>(pattern)])
            add(finder.Find(pattern));
    if (std::any_of(asked.begin() + kPattern6Stellium, asked.begin() + kPattern3Stellium + 1, [](bool b) { return b; }))
        for (int16_t pattern = kPattern6Stellium; pattern <= kPattern3Stellium; ++pattern) {
            std::vector<PatternFound> stellium = finder.Find(pattern);
            if (stellium.empty())
                continue;
            if (asked[static_cast<size_t>(pattern)])
                add(std::move(stellium));
            break;
        }
    if (asked[kPatternGrandSextile])
        add(finder.Find(kPatternGrandSextile));
    return found;
}

double PatternDeviation(const AstroModule& astro, int16_t pattern, std::span<const Body> bodies,
                        const std::array<double, kBodySlots>& longitudes)
{
    const auto L = [&](size_t place) { return longitudes[SlotOf(bodies[place])]; };
    if (pattern == kPatternMidpoint) {
        if (bodies.size() != 3)
            return 0.0;
        const double twice = 2 * L(1) - L(0) - L(2);
        return std::fabs(twice - kTwoPi * std::round(twice / kTwoPi)) / 2;
    }
    if (pattern == kPatternGrandSextile) {
        double sum = 0.0;
        int pairs = 0;
        for (size_t i = 0; i < bodies.size(); ++i)
            for (size_t j = i + 1; j < bodies.size(); ++j) {
                const double s = Separation(L(i), L(j));
                const double sixth = kTwoPi / 6;
                const double nearest = std::clamp(std::round(s / sixth), 1.0, 3.0) * sixth;
                sum += std::fabs(s - nearest);
                ++pairs;
            }
        return pairs > 0 ? sum / pairs : 0.0;
    }
    const std::span<const Link> links = LinksOf(pattern, bodies.size());
    double sum = 0.0;
    for (const Link& link : links) {
        if (link.i >= bodies.size() || link.j >= bodies.size())
            return 0.0;
        sum += astro.Deviation(L(link.i), L(link.j), link.aspect);
    }
    return links.empty() ? 0.0 : sum / static_cast<double>(links.size());
}

void PatternJoiner::Answer(bool midpoints, const std::vector<PatternFound>& found, double moment, bool atStart)
{
    std::unordered_map<uint64_t, Open>& open = m_open[midpoints ? 1 : 0];
    std::vector<uint64_t> now;
    now.reserve(found.size());
    for (const PatternFound& pattern : found) {
        const uint64_t key = KeyOf(pattern.pattern, pattern.bodies);
        now.push_back(key);
        if (!open.contains(key))
            open.emplace(key, Open{pattern.pattern, pattern.bodies, atStart ? std::nullopt : std::optional(moment)});
    }
    for (auto it = open.begin(); it != open.end();) {
        if (std::find(now.begin(), now.end(), it->first) == now.end()) {
            Close(it->second, moment);
            it = open.erase(it);
        } else {
            ++it;
        }
    }
}

void PatternJoiner::HandOn(double until, const OccurrenceSink& sink)
{
    DeviationsAtPeaks();
    double first = until;
    for (const auto& open : m_open)
        for (const auto& [key, life] : open)
            first = std::min(first, life.begin.value_or(-1e300));
    std::sort(m_done.begin(), m_done.end(), Earlier);
    const auto ready = std::find_if(m_done.begin(), m_done.end(), [first](const PatternOccurrence& occurrence) {
        return !(occurrence.begin.value_or(-1e300) < first);
    });
    for (auto it = m_done.begin(); it != ready; ++it)
        sink(*it);
    m_done.erase(m_done.begin(), ready);
}

void PatternJoiner::Finish(const OccurrenceSink& sink)
{
    for (auto& open : m_open) {
        for (auto& [key, life] : open)
            Close(life, std::nullopt);
        open.clear();
    }
    HandOn(std::numeric_limits<double>::infinity(), sink);
}

void PatternJoiner::Close(const Open& life, std::optional<double> end)
{
    PatternOccurrence occurrence{life.pattern, life.bodies, life.begin, end, 0.0, 0.0};
    const double a = life.begin.value_or(m_request.from);
    const double b = end.value_or(m_request.to);
    m_track.Cover(a, b);
    FindPeak(occurrence, a, b);
    m_done.push_back(std::move(occurrence));
    m_deviationDue.push_back(m_done.size() - 1);
}

double PatternJoiner::DeviationAt(const PatternOccurrence& occurrence, double t) const
{
    std::array<double, kBodySlots> longitudes{};
    for (const Body body : occurrence.bodies)
        longitudes[SlotOf(body)] = m_track.Longitude(body, t);
    return PatternDeviation(m_astro, occurrence.pattern, occurrence.bodies, longitudes);
}

// The smallest mean deviation between a and b: the least of the values at steps of at most a day, then a
// golden-section search between that step's neighbours.
void PatternJoiner::FindPeak(PatternOccurrence& occurrence, double a, double b) const
{
    const auto deviation = [&](double t) { return DeviationAt(occurrence, t); };
    const auto steps = static_cast<int64_t>(std::max(8.0, std::ceil(b - a)));
    const double h = (b - a) / static_cast<double>(steps);
    int64_t best = 0;
    double bestValue = deviation(a);
    for (int64_t k = 1; k <= steps; ++k) {
        const double value = deviation(a + static_cast<double>(k) * h);
        if (value < bestValue) {
            bestValue = value;
            best = k;
        }
    }
    double lo = std::max(a, a + static_cast<double>(best - 1) * h);
    double hi = std::min(b, a + static_cast<double>(best + 1) * h);
    // The golden-section search looks for the largest closeness, the deviation's negative.
    const auto closeness = [&](double t) { return -deviation(t); };
    const std::optional<event_roots::GoldenPeak> found =
        event_roots::GoldenSectionMaximum(closeness, lo, hi, kEventCorrectionDays / 4);
    double peak = found ? found->moment : 0.5 * (lo + hi);
    if (found && bestValue < -found->value)
        peak = a + static_cast<double>(best) * h;
    occurrence.peak = std::clamp(peak, a, b);
}

// The mean deviation at each tightest moment found since the last hand-on, as the ephemeris gives it to well
// within a tenth of an arcsecond, in the order of time, so that the ephemeris reads each stretch of its data
// once.
void PatternJoiner::DeviationsAtPeaks()
{
    std::sort(m_deviationDue.begin(), m_deviationDue.end(),
              [this](size_t a, size_t b) { return m_done[a].peak < m_done[b].peak; });
    for (const size_t index : m_deviationDue) {
        PatternOccurrence& occurrence = m_done[index];
        m_track.Cover(occurrence.peak, occurrence.peak);
        std::array<double, kBodySlots> longitudes{};
        for (const Body body : occurrence.bodies)
            longitudes[SlotOf(body)] = m_track.Precise(body, occurrence.peak);
        occurrence.peakDeviation = PatternDeviation(m_astro, occurrence.pattern, occurrence.bodies, longitudes);
    }
    m_deviationDue.clear();
}

}  // namespace orvane::core
