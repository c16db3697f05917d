#include "core/pattern_lifetimes.h"

#include "core/events.h"
#include "core/longitude_samples.h"
#include "core/midpoint_crossings.h"
#include "core/modes.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

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

// The aspects whose orb edges can change what the asked-for finders answer, as an event filter's bits.
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

// A pattern and its bodies in one number: four bits each.
uint64_t KeyOf(int16_t pattern, const std::vector<Body>& bodies)
{
    uint64_t key = static_cast<uint64_t>(pattern) + 1;
    for (const Body body : bodies)
        key = key << 4 | static_cast<uint64_t>(IndexOf(body));
    return key;
}

struct Open {
    int16_t pattern = 0;
    std::vector<Body> bodies;
    std::optional<double> begin;
};

// Joins what the finders answer piece by piece into occurrences.
class Lives {
public:
    Lives(const AstroModule& astro, const LongitudeSamples& samples) : m_astro(astro), m_samples(samples) {}

    // The finders of one kind (`midpoints` or the other patterns) answered `found` from `moment` on.
    void Answer(bool midpoints, const std::vector<PatternFound>& found, double moment, bool atStart)
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

    // The span ends with these still there.
    std::vector<PatternOccurrence> Finish()
    {
        for (auto& open : m_open)
            for (auto& [key, life] : open)
                Close(life, std::nullopt);
        DeviationsAtPeaks();
        std::sort(m_done.begin(), m_done.end(), [](const PatternOccurrence& a, const PatternOccurrence& b) {
            const double ba = a.begin.value_or(-1e300);
            const double bb = b.begin.value_or(-1e300);
            if (ba != bb)
                return ba < bb;
            if (a.pattern != b.pattern)
                return a.pattern < b.pattern;
            return a.bodies < b.bodies;
        });
        return std::move(m_done);
    }

private:
    void Close(const Open& life, std::optional<double> end)
    {
        PatternOccurrence occurrence{life.pattern, life.bodies, life.begin, end, 0.0, 0.0};
        FindPeak(occurrence, life.begin.value_or(m_samples.From()), end.value_or(m_samples.To()));
        m_done.push_back(std::move(occurrence));
    }

    double DeviationOnSamples(const PatternOccurrence& occurrence, double t) const
    {
        std::array<double, kBodySlots> longitudes{};
        for (const Body body : occurrence.bodies)
            longitudes[SlotOf(body)] = m_samples.Longitude(body, t);
        return PatternDeviation(m_astro, occurrence.pattern, occurrence.bodies, longitudes);
    }

    // The smallest mean deviation between a and b: the least of the values at steps of at most a day,
    // then a golden-section search between that step's neighbours.
    void FindPeak(PatternOccurrence& occurrence, double a, double b) const
    {
        const auto steps = static_cast<int64_t>(std::max(8.0, std::ceil(b - a)));
        const double h = (b - a) / static_cast<double>(steps);
        int64_t best = 0;
        double bestValue = DeviationOnSamples(occurrence, a);
        for (int64_t k = 1; k <= steps; ++k) {
            const double value = DeviationOnSamples(occurrence, a + static_cast<double>(k) * h);
            if (value < bestValue) {
                bestValue = value;
                best = k;
            }
        }
        double lo = std::max(a, a + static_cast<double>(best - 1) * h);
        double hi = std::min(b, a + static_cast<double>(best + 1) * h);
        constexpr double kGolden = 0.6180339887498949;
        double x1 = hi - kGolden * (hi - lo);
        double x2 = lo + kGolden * (hi - lo);
        double f1 = DeviationOnSamples(occurrence, x1);
        double f2 = DeviationOnSamples(occurrence, x2);
        while (hi - lo > kEventCorrectionDays / 4) {
            if (f1 <= f2) {
                hi = x2;
                x2 = x1;
                f2 = f1;
                x1 = hi - kGolden * (hi - lo);
                f1 = DeviationOnSamples(occurrence, x1);
            } else {
                lo = x1;
                x1 = x2;
                f1 = f2;
                x2 = lo + kGolden * (hi - lo);
                f2 = DeviationOnSamples(occurrence, x2);
            }
        }
        double peak = 0.5 * (lo + hi);
        if (bestValue < std::min(f1, f2))
            peak = a + static_cast<double>(best) * h;
        occurrence.peak = std::clamp(peak, a, b);
    }

    // The mean deviation at each tightest moment, as the ephemeris gives it to well within a tenth of an
    // arcsecond (LongitudeSamples::Precise), in the order of time, so that the ephemeris reads each
    // stretch of its data once.
    void DeviationsAtPeaks()
    {
        std::vector<PatternOccurrence*> byPeak;
        for (PatternOccurrence& occurrence : m_done)
            byPeak.push_back(&occurrence);
        std::sort(byPeak.begin(), byPeak.end(), [](const auto* a, const auto* b) { return a->peak < b->peak; });
        for (PatternOccurrence* occurrence : byPeak) {
            std::array<double, kBodySlots> longitudes{};
            for (const Body body : occurrence->bodies)
                longitudes[SlotOf(body)] = m_samples.Precise(body, occurrence->peak);
            occurrence->peakDeviation =
                PatternDeviation(m_astro, occurrence->pattern, occurrence->bodies, longitudes);
        }
    }

    const AstroModule& m_astro;
    const LongitudeSamples& m_samples;
    std::array<std::unordered_map<uint64_t, Open>, 2> m_open;
    std::vector<PatternOccurrence> m_done;
};

// What the summary lists of the patterns asked for (the midpoints aside): the finders in its order, the
// stelliums from the largest down to the first size found.
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

}  // namespace

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

std::vector<PatternOccurrence> PatternLifetimes(const AstroModule& astro, const LifetimeRequest& request)
{
    if (!(request.to > request.from))
        return {};
    const std::array<bool, kNumPatterns>& asked = request.patterns;
    const bool midpoints = asked[kPatternMidpoint];
    std::array<bool, kNumPatterns> others = asked;
    others[kPatternMidpoint] = false;
    const bool patterns = std::any_of(others.begin(), others.end(), [](bool b) { return b; });

    // The moments at which an answer can change: bit 1 for the patterns' aspects, bit 2 for the midpoint
    // check (a conjunction's edges count for both).
    constexpr uint8_t kForPatterns = 1;
    constexpr uint8_t kForMidpoints = 2;
    std::vector<std::pair<double, uint8_t>> cuts;
    EventFilter filter;
    filter.kinds = 1u << static_cast<int>(EventKind::Enter) | 1u << static_cast<int>(EventKind::Leave);
    filter.aspects = AspectsNeeded(asked);
    const EventSearch search(astro, kModeWorldTransits, {request.from, 0.0, 0.0}, filter, request.convention);
    search.Run(request.from, request.to, [&](const Event& event) {
        const bool conjunction = event.aspect == Aspect::Conjunction;
        const uint8_t which = static_cast<uint8_t>((patterns ? kForPatterns : 0) | (conjunction && midpoints ? kForMidpoints : 0));
        if (which != 0)
            cuts.emplace_back(event.moment, which);
        return true;
    });
    const LongitudeSamples samples(astro, request.from, request.to, request.convention);
    if (midpoints)
        for (const double moment : MidpointCrossings(samples, MidpointOrb(request.midpointOrbPosition)))
            cuts.emplace_back(moment, kForMidpoints);
    std::sort(cuts.begin(), cuts.end());

    Lives lives(astro, samples);
    double start = request.from;
    uint8_t pending = kForPatterns | kForMidpoints;
    const auto ask = [&](double end) {
        if (!(end > start))
            return;
        const ChartPositions positions = samples.PositionsAt(0.5 * (start + end), 0.5 * (end - start));
        const bool atStart = start == request.from;
        if (patterns && (pending & kForPatterns) != 0)
            lives.Answer(false, SummaryPatterns(PatternFinder(astro, positions), others), start, atStart);
        if (midpoints && (pending & kForMidpoints) != 0)
            lives.Answer(true, FindMidpoints(astro, positions, request.midpointOrbPosition), start, atStart);
        pending = 0;
        start = end;
    };
    for (const auto& [moment, which] : cuts) {
        ask(moment);
        pending |= which;
    }
    ask(request.to);
    return lives.Finish();
}

std::optional<double> FirstFormation(std::span<const PatternOccurrence> occurrences, double from, int count,
                                     std::span<const Body> involving)
{
    const auto involves = [&](const PatternOccurrence& occurrence) {
        return std::all_of(involving.begin(), involving.end(), [&](Body body) {
            return std::find(occurrence.bodies.begin(), occurrence.bodies.end(), body) != occurrence.bodies.end();
        });
    };
    // Each occurrence's beginning and end, in the order of time; an end before a beginning at one moment.
    struct Change {
        double moment;
        int delta;
        bool involves;
    };
    std::vector<Change> changes;
    int present = 0;
    int presentInvolving = 0;
    for (const PatternOccurrence& occurrence : occurrences) {
        const bool with = involves(occurrence);
        if (occurrence.begin)
            changes.push_back({*occurrence.begin, 1, with});
        else {
            ++present;
            presentInvolving += with ? 1 : 0;
        }
        if (occurrence.end)
            changes.push_back({*occurrence.end, -1, with});
    }
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.moment != b.moment ? a.moment < b.moment : a.delta < b.delta; });
    bool was = present >= count && presentInvolving > 0;
    for (size_t i = 0; i < changes.size();) {
        const double moment = changes[i].moment;
        for (; i < changes.size() && changes[i].moment == moment; ++i) {
            present += changes[i].delta;
            presentInvolving += changes[i].involves ? changes[i].delta : 0;
        }
        const bool is = present >= count && presentInvolving > 0;
        if (is && !was && moment > from)
            return moment;
        was = is;
    }
    return std::nullopt;
}

}  // namespace orvane::core
