#include "core/pattern_lifetimes.h"

#include "core/events.h"
#include "core/longitude_samples.h"
#include "core/midpoint_crossings.h"
#include "core/modes.h"
#include "core/pattern_joining.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvane::core {
namespace {

// The heliocentric longitudes of the patterns' bodies: the samples of the part of the span being cut where
// they reach, else new ones on the same grid (for an occurrence that began in an earlier part).
class HelioTrack : public PointTrack {
public:
    HelioTrack(const AstroModule& astro, const LifetimeRequest& request) : m_astro(astro), m_request(request) {}

    // The samples of the part of the span now being cut into pieces.
    void Use(const LongitudeSamples& samples) { m_samples = &samples; }

    void Cover(double a, double b) override
    {
        if (a >= m_samples->From() && b <= m_samples->To()) {
            m_covering = m_samples;
            return;
        }
        m_older.emplace(m_astro, a, b, m_request.convention, m_request.from);
        m_covering = &*m_older;
    }
    double Longitude(Body body, double t) const override { return m_covering->Longitude(body, t); }
    double Precise(Body body, double t) const override { return m_covering->Precise(body, t); }

private:
    const AstroModule& m_astro;
    const LifetimeRequest& m_request;
    const LongitudeSamples* m_samples = nullptr;
    const LongitudeSamples* m_covering = nullptr;
    std::optional<LongitudeSamples> m_older;
};

// The moments at which an answer can change: bit 1 for the patterns' aspects, bit 2 for the midpoint check
// (a conjunction's edges count for both).
constexpr uint8_t kForPatterns = 1;
constexpr uint8_t kForMidpoints = 2;

// Days of the span cut into pieces at a time: the cuts and occurrences of one part are what the search
// holds, whatever the span. The samples (and the midpoint crossings found on them) cover a block of four
// parts: where an occurrence's samples come from decides the last bits of its tightest moment, so the
// blocks stay as long as they were when the parts were, while the parts hold a quarter of the memory.
constexpr double kPartDays = 1024.0;
constexpr double kBlockDays = 4 * kPartDays;
// A midpoint crossing is looked for this many days beyond its part, so that one whose first guess falls in
// the neighbouring part is still found.
constexpr double kCrossingReach = 2.0;

// Cuts the span into pieces at the moments the finders' answers can change, asks the finders once in each
// piece, and hands the occurrences on, one part of the span at a time.
class Cutter {
public:
    Cutter(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink)
        : m_astro(astro), m_request(request), m_sink(sink), m_track(astro, request), m_lives(astro, request, m_track),
          m_start(request.from),
          m_partEnd(std::min(request.to, request.from + kPartDays))
    {
        m_midpoints = request.patterns[kPatternMidpoint];
        m_others = request.patterns;
        m_others[kPatternMidpoint] = false;
        m_patterns = std::any_of(m_others.begin(), m_others.end(), [](bool b) { return b; });
    }

    // An orb's edge from the event search, in the order of time.
    void Edge(const Event& event)
    {
        while (event.moment >= m_partEnd && m_partEnd < m_request.to)
            CutPart();
        const bool conjunction = event.aspect == Aspect::Conjunction;
        const auto which = static_cast<uint8_t>((m_patterns ? kForPatterns : 0) |
                                                (conjunction && m_midpoints ? kForMidpoints : 0));
        if (which != 0)
            m_cuts.emplace_back(event.moment, which);
    }

    void Finish()
    {
        while (m_partStart < m_request.to)
            CutPart();
        m_lives.Finish(m_sink);
    }

private:
    void CutPart()
    {
        const double from = m_partStart;
        const double to = m_partEnd;
        if (!m_samples || from >= m_blockEnd)
            StartBlock(from);
        const LongitudeSamples& samples = *m_samples;
        for (const double moment : m_crossings)
            if (moment >= from && moment < to)
                m_cuts.emplace_back(moment, kForMidpoints);
        std::sort(m_cuts.begin(), m_cuts.end());
        for (const auto& [moment, which] : m_cuts) {
            Ask(samples, moment);
            m_pending |= which;
        }
        m_cuts.clear();
        Ask(samples, to);
        if (to < m_request.to)  // the last part's occurrences are handed on by Finish, with those still open
            m_lives.HandOn(to, m_sink);
        m_partStart = to;
        m_partEnd = std::min(m_request.to, to + kPartDays);
    }

    // The samples of the block that begins at `from`, and the midpoint crossings in it.
    void StartBlock(double from)
    {
        m_blockEnd = std::min(m_request.to, from + kBlockDays);
        const LongitudeSamples& samples =
            m_samples.emplace(m_astro, std::max(m_request.from, from - kCrossingReach),
                              std::min(m_request.to, m_blockEnd + kCrossingReach), m_request.convention, m_request.from);
        m_track.Use(samples);
        m_crossings.clear();
        if (m_midpoints)
            for (const double moment : MidpointCrossings(samples, MidpointOrb(m_request.midpointOrbPosition)))
                if (moment >= from && moment < m_blockEnd)
                    m_crossings.push_back(moment);
    }

    // The finders whose answers may have changed at the piece's start, asked in the piece up to `end`.
    void Ask(const LongitudeSamples& samples, double end)
    {
        if (!(end > m_start))
            return;
        const ChartPositions positions = samples.PositionsAt(0.5 * (m_start + end), 0.5 * (end - m_start));
        const bool atStart = m_start == m_request.from;
        if (m_patterns && (m_pending & kForPatterns) != 0)
            m_lives.Answer(false, SummaryPatterns(PatternFinder(m_astro, positions), m_others), m_start, atStart);
        if (m_midpoints && (m_pending & kForMidpoints) != 0)
            m_lives.Answer(true, FindMidpoints(m_astro, positions, m_request.midpointOrbPosition), m_start, atStart);
        m_pending = 0;
        m_start = end;
    }

    const AstroModule& m_astro;
    const LifetimeRequest& m_request;
    const OccurrenceSink& m_sink;
    std::optional<LongitudeSamples> m_samples;  // of the block being cut, kept until the next
    std::vector<double> m_crossings;            // the block's midpoint crossings
    double m_blockEnd = 0.0;
    HelioTrack m_track;
    PatternJoiner m_lives;
    bool m_midpoints = false;
    bool m_patterns = false;
    std::array<bool, kNumPatterns> m_others{};
    std::vector<std::pair<double, uint8_t>> m_cuts;  // of the part being gathered
    double m_start = 0.0;                            // where the piece being gathered starts
    uint8_t m_pending = kForPatterns | kForMidpoints;
    double m_partStart = m_request.from;
    double m_partEnd = 0.0;
};

}  // namespace

void PatternLifetimes(const AstroModule& astro, const LifetimeRequest& request, const OccurrenceSink& sink)
{
    if (!(request.to > request.from))
        return;
    EventFilter filter;
    filter.kinds = 1u << static_cast<int>(EventKind::Enter) | 1u << static_cast<int>(EventKind::Leave);
    filter.aspects = AspectsNeeded(request.patterns);
    const EventSearch search(astro, Mode::WorldTransits, {request.from, 0.0, 0.0}, filter, request.convention);
    Cutter cutter(astro, request, sink);
    search.Run(request.from, request.to, [&cutter](const Event& event) {
        cutter.Edge(event);
        return true;
    });
    cutter.Finish();
}

std::vector<PatternOccurrence> PatternLifetimes(const AstroModule& astro, const LifetimeRequest& request)
{
    std::vector<PatternOccurrence> occurrences;
    PatternLifetimes(astro, request, [&occurrences](const PatternOccurrence& occurrence) {
        occurrences.push_back(occurrence);
    });
    return occurrences;
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
