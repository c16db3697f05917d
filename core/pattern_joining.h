#pragma once

// What the lives of the patterns share, whatever the positions are seen from: the aspects whose orb edges
// can change a finder's answer, the summary's patterns of one moment, and the joining of the finders'
// answers piece by piece into occurrences with their tightest moments. A perspective cuts its span at
// its own orb edges and reads its own longitudes through a PointTrack.

#include "core/pattern_lifetimes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace orvane::core {

// The aspects whose orb edges can change what the asked-for finders answer, as an event filter's bits (the
// midpoint check counts the conjunction's).
uint16_t AspectsNeeded(const std::array<bool, kNumPatterns>& asked);

// What the summary lists of the patterns asked for (the midpoints aside): the finders in its order, the
// stelliums from the largest down to the first size found.
std::vector<PatternFound> SummaryPatterns(const PatternFinder& finder, const std::array<bool, kNumPatterns>& asked);

// The longitudes of the points of the found patterns (by slot, as the finders name them) over the span.
class PointTrack {
public:
    virtual ~PointTrack() = default;
    // Makes the longitudes from a to b readable until the next call.
    virtual void Cover(double a, double b) = 0;
    // A point's longitude (radians) at t, as the search for the tightest moment reads it.
    virtual double Longitude(Body point, double t) const = 0;
    // The same as the ephemeris gives it, to well within a tenth of an arcsecond.
    virtual double Precise(Body point, double t) const = 0;
};

// Joins what the finders answer piece by piece into occurrences, and hands each on once no occurrence
// still open, nor any to come, can go before it. Keeps references to its arguments.
class PatternJoiner {
public:
    PatternJoiner(const AstroModule& astro, const LifetimeRequest& request, PointTrack& track)
        : m_astro(astro), m_request(request), m_track(track)
    {
    }

    // The finders of one kind (`midpoints` or the other patterns) answered `found` from `moment` on; at the
    // span's start (`atStart`) what they found was there before it.
    void Answer(bool midpoints, const std::vector<PatternFound>& found, double moment, bool atStart);

    // The span has been cut up to `until`: every occurrence that begins before it and before each one still
    // open is handed on.
    void HandOn(double until, const OccurrenceSink& sink);

    // The span ends with these still there.
    void Finish(const OccurrenceSink& sink);

private:
    struct Open {
        int16_t pattern = 0;
        std::vector<Body> bodies;
        std::optional<double> begin;
    };

    void Close(const Open& life, std::optional<double> end);
    double DeviationAt(const PatternOccurrence& occurrence, double t) const;
    void FindPeak(PatternOccurrence& occurrence, double a, double b) const;
    void DeviationsAtPeaks();

    const AstroModule& m_astro;
    const LifetimeRequest& m_request;
    PointTrack& m_track;
    std::array<std::unordered_map<uint64_t, Open>, 2> m_open;
    std::vector<PatternOccurrence> m_done;
    std::vector<size_t> m_deviationDue;  // indices into m_done
};

}  // namespace orvane::core
