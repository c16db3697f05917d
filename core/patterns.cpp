#include "core/patterns.h"

#include "core/midpoints.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace orvane::core {
namespace {

bool SameLetters(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

int16_t PatternNameIndex(std::string_view name)
{
    for (size_t i = 0; i < kRunPatternName.size(); ++i)
        if (SameLetters(kRunPatternName[i], name))
            return static_cast<int16_t>(i);
    return -1;
}

bool IsSoughtBody(int16_t x, int16_t b1, int16_t b2, int16_t b3, int16_t b4, int16_t b5, int16_t b6)
{
    if (x == b1 || x == b2 || x == b3)
        return true;
    return (b4 > 0 && x == b4) || (b5 > 0 && x == b5) || (b6 > 0 && x == b6);
}

void RecordPatternForRun(RunSearchState& run, std::string_view runName, int16_t b1, int16_t b2, int16_t b3, int16_t b4,
                         int16_t b5, int16_t b6)
{
    const int16_t pattern = PatternNameIndex(runName);
    if (pattern < 0 || pattern != run.patternSought)
        return;
    run.numBodiesFound = 0;
    const int16_t boxes = std::min<int16_t>(run.numSoughtBodyBoxes, kNumSoughtPlanetBoxes);
    for (int16_t i = 0; i < boxes; ++i) {
        const int16_t sought = run.soughtBody[static_cast<size_t>(i)];
        if (sought > 0 && IsSoughtBody(sought, b1, b2, b3, b4, b5, b6))
            ++run.numBodiesFound;
    }
    if (run.numBodiesFound == run.numBodiesSought)
        run.soughtBodiesFound = true;
}

PatternPoints PointsOf(const ChartPositions& positions, int16_t bodyCount)
{
    PatternPoints points;
    points.longitudes.fill(std::numeric_limits<double>::quiet_NaN());
    for (const Body body : BodiesInUse(std::clamp<int16_t>(bodyCount, 0, kNumBodies))) {
        points.inUse.push_back(body);
        if (const std::optional<double>& longitude = positions[body].longitude)
            points.longitudes[SlotOf(body)] = *longitude;
    }
    return points;
}

PatternFinder::PatternFinder(const AstroModule& astro, const ChartPositions& positions, RunSearchState* run)
    : PatternFinder(astro, PointsOf(positions, astro.bodyCount), run)
{
}

PatternFinder::PatternFinder(const AstroModule& astro, const PatternPoints& points, RunSearchState* run)
    : m_astro(astro), m_run(run), m_inUse(points.inUse)
{
    // The finders ask for the same pairs again and again. The aspect test of a pair depends only on the
    // positions and the orbs, so each pair's separation is measured once here; the one-moment test
    // (deviation = |separation − aspect angle|, an aspect when it is within the orb) is made from it when
    // asked. A point paired with itself stands at a separation of 0 and is tested like any other pair;
    // a point without a position stands in no aspect.
    for (size_t i = 0; i < m_inUse.size(); ++i) {
        m_place[SlotOf(m_inUse[i])] = i;
        for (size_t j = i; j < m_inUse.size(); ++j) {
            const double L1 = points.longitudes[SlotOf(m_inUse[i])];
            const double L2 = points.longitudes[SlotOf(m_inUse[j])];
            const double s = std::isnan(L1) || std::isnan(L2) ? std::numeric_limits<double>::quiet_NaN()
                                                              : Separation(L1, L2);
            m_separation[SlotOf(m_inUse[i])][SlotOf(m_inUse[j])] = s;
            m_separation[SlotOf(m_inUse[j])][SlotOf(m_inUse[i])] = s;
        }
    }
}

bool PatternFinder::Holds(Body p1, Body p2, Aspect aspect, double& deviationSum) const
{
    const double deviation =
        std::fabs(m_separation[SlotOf(p1)][SlotOf(p2)] - m_astro.tables.aspectAngles[SlotOf(aspect)]);
    if (!m_astro.orbs.Holds(aspect, kOrbColumnOneMoment, deviation))
        return false;
    deviationSum += deviation;
    return true;
}

void PatternFinder::Accept(int16_t patternIndex, std::vector<Body> bodies, std::optional<double> meanDeviation,
                           Found& found) const
{
    if (m_run != nullptr && m_run->bodiesSought && !m_run->soughtBodiesFound) {
        std::array<int16_t, 6> b{};
        for (size_t i = 0; i < bodies.size() && i < b.size(); ++i)
            b[i] = IndexOf(bodies[i]);
        RecordPatternForRun(*m_run, kRunPatternName[static_cast<size_t>(patternIndex)], b[0], b[1], b[2], b[3], b[4],
                            b[5]);
    }
    found.push_back({patternIndex, std::move(bodies), meanDeviation});
}

PatternFinder::Found PatternFinder::GrandTrine() const
{
    Found found;
    ForEachPairIn(Aspect::Trine, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : After(p2)) {
            double s = s12;
            if (Holds(p1, p3, Aspect::Trine, s) && Holds(p2, p3, Aspect::Trine, s))
                Accept(kPatternGrandTrine, {p1, p2, p3}, s / 3, found);
        }
    });
    return found;
}

PatternFinder::Found PatternFinder::Kite() const
{
    Found found;
    ForEachPairIn(Aspect::Trine, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : After(p2)) {
            double trines = s12;
            if (!Holds(p1, p3, Aspect::Trine, trines) || !Holds(p2, p3, Aspect::Trine, trines))
                continue;
            const std::array<std::array<Body, 3>, 3> rotations{{{p1, p2, p3}, {p2, p3, p1}, {p3, p1, p2}}};
            for (const Body p4 : Bodies()) {
                if (p4 == p1 || p4 == p2 || p4 == p3)
                    continue;
                for (const auto& [t1, t2, t3] : rotations) {
                    double s = trines;
                    if (Holds(p4, t1, Aspect::Opposition, s) && Holds(p4, t2, Aspect::Sextile, s) &&
                        Holds(p4, t3, Aspect::Sextile, s))
                        Accept(kPatternKite, {t1, t2, t3, p4}, s / 6, found);
                }
            }
        }
    });
    return found;
}

PatternFinder::Found PatternFinder::Rectangle() const
{
    Found found;
    // The rectangle is met once from each of its oppositions. A candidate whose last two bodies are the
    // first two of the rectangle accepted last is that rectangle seen from its other opposition.
    std::optional<std::array<Body, 2>> kept;
    ForEachPairIn(Aspect::Opposition, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : Bodies()) {
            double s123 = s12;
            if (!Holds(p2, p3, Aspect::Sextile, s123))
                continue;
            for (const Body p4 : After(p3)) {
                double s = s123;
                if (!Holds(p3, p4, Aspect::Opposition, s) || !Holds(p4, p1, Aspect::Sextile, s) ||
                    !Holds(p2, p4, Aspect::Trine, s) || !Holds(p1, p3, Aspect::Trine, s))
                    continue;
                if (kept && (*kept)[0] == p3 && (*kept)[1] == p4)
                    continue;
                kept = {p1, p2};
                Accept(kPatternRectangle, {p1, p2, p3, p4}, s / 6, found);
            }
        }
    });
    return found;
}

PatternFinder::Found PatternFinder::GrandCross() const
{
    Found found;
    ForEachPairIn(Aspect::Square, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : After(p2)) {
            double s123 = s12;
            if (!Holds(p1, p3, Aspect::Square, s123))
                continue;
            for (const Body p4 : After(p1)) {
                double s = s123;
                if (Holds(p1, p4, Aspect::Opposition, s) && Holds(p2, p3, Aspect::Opposition, s) &&
                    Holds(p2, p4, Aspect::Square, s) && Holds(p4, p3, Aspect::Square, s))
                    Accept(kPatternGrandCross, {p1, p2, p4, p3}, s / 6, found);
            }
        }
    });
    return found;
}

// The T-square and the yod: a pair p1 < p2 in `baseAspect`, and a third body p3 (the apex) in
// `apexAspect` to both, named p1-p3-p2.
PatternFinder::Found PatternFinder::ApexPattern(int16_t patternIndex, Aspect baseAspect, Aspect apexAspect) const
{
    Found found;
    ForEachPairIn(baseAspect, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : Bodies()) {
            double s = s12;
            if (Holds(p1, p3, apexAspect, s) && Holds(p2, p3, apexAspect, s))
                Accept(patternIndex, {p1, p3, p2}, s / 3, found);
        }
    });
    return found;
}

PatternFinder::Found PatternFinder::YodKite() const
{
    Found found;
    ForEachPairIn(Aspect::Sextile, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : Bodies()) {
            double yod = s12;
            if (!Holds(p1, p3, Aspect::Quincunx, yod) || !Holds(p2, p3, Aspect::Quincunx, yod))
                continue;
            for (const Body p4 : Bodies()) {
                if (p4 == p1 || p4 == p2 || p4 == p3)
                    continue;
                double s = yod;
                if (Holds(p4, p3, Aspect::Opposition, s) && Holds(p4, p2, Aspect::Semisextile, s) &&
                    Holds(p4, p1, Aspect::Semisextile, s))
                    Accept(kPatternYodKite, {p1, p3, p2, p4}, s / 6, found);
            }
        }
    });
    return found;
}

PatternFinder::Found PatternFinder::Trapezium() const
{
    Found found;
    ForEachPairIn(Aspect::Opposition, [&](Body p1, Body p2, double s12) {
        for (const Body p3 : Bodies()) {
            if (p3 == p1 || p3 == p2)
                continue;
            double s123 = s12;
            if (!Holds(p1, p3, Aspect::Trine, s123))
                continue;
            for (const Body p4 : Bodies()) {
                if (p4 == p1 || p4 == p2 || p4 == p3)
                    continue;
                double s = s123;
                if (Holds(p1, p4, Aspect::Sextile, s) && Holds(p3, p4, Aspect::Sextile, s) &&
                    Holds(p3, p2, Aspect::Sextile, s) && Holds(p2, p4, Aspect::Trine, s))
                    Accept(kPatternTrapezium, {p1, p2, p3, p4}, s / 6, found);
            }
        }
    });
    return found;
}

std::vector<PatternFound> PatternFinder::Stellium(int16_t size) const
{
    Found found;
    if (size < 3 || size > 6)
        return found;
    const int16_t patternIndex = StelliumPatternIndex(size);
    const int pairs = size * (size - 1) / 2;
    std::vector<Body> bodies;
    bodies.reserve(static_cast<size_t>(size));

    // Bodies in increasing order; each new body must be conjunct every body chosen before it.
    const std::span<const Body> all = Bodies();
    auto extend = [&](auto& self, size_t from, double sum) -> void {
        if (static_cast<int16_t>(bodies.size()) == size) {
            Accept(patternIndex, bodies, sum / pairs, found);
            return;
        }
        for (size_t k = from; k < all.size(); ++k) {
            if (bodies.size() + (all.size() - k) < static_cast<size_t>(size))
                break;  // too few bodies left to complete the stellium
            const Body p = all[k];
            double s = sum;
            const bool allConjunct = std::all_of(bodies.begin(), bodies.end(),
                                                 [&](Body earlier) { return Holds(earlier, p, Aspect::Conjunction, s); });
            if (!allConjunct)
                continue;
            bodies.push_back(p);
            self(self, k + 1, s);
            bodies.pop_back();
        }
    };
    extend(extend, 0, 0.0);
    return found;
}

PatternFinder::Found PatternFinder::GrandSextile() const
{
    Found found;
    // Every grand trine, in the order of the search.
    std::vector<std::array<Body, 3>> trines;
    double ignored = 0.0;
    ForEachPairIn(Aspect::Trine, [&](Body p1, Body p2, double) {
        for (const Body p3 : After(p2))
            if (Holds(p1, p3, Aspect::Trine, ignored) && Holds(p2, p3, Aspect::Trine, ignored))
                trines.push_back({p1, p2, p3});
    });

    for (const auto& p : trines)
        for (const auto& q : trines) {
            if (q[0] <= p[0])
                continue;
            const bool shared = std::any_of(q.begin(), q.end(), [&](Body body) { return body == p[1] || body == p[2]; });
            if (shared)
                continue;
            // Two trines interlace into a six-pointed star when each body of one is sextile to exactly
            // two bodies of the other: six sextiles of the nine pairs.
            int sextiles = 0;
            for (const Body pi : p)
                for (const Body qj : q)
                    if (Holds(pi, qj, Aspect::Sextile, ignored))
                        ++sextiles;
            if (sextiles == 6)
                Accept(kPatternGrandSextile, {p[0], p[1], p[2], q[0], q[1], q[2]}, std::nullopt, found);
        }
    return found;
}

std::vector<PatternFound> PatternFinder::Find(int16_t patternIndex) const
{
    switch (patternIndex) {
    case kPatternGrandTrine: return GrandTrine();
    case kPatternKite: return Kite();
    case kPatternRectangle: return Rectangle();
    case kPatternTSquare: return ApexPattern(kPatternTSquare, Aspect::Opposition, Aspect::Square);
    case kPatternGrandCross: return GrandCross();
    case kPatternYod: return ApexPattern(kPatternYod, Aspect::Sextile, Aspect::Quincunx);
    case kPatternYodKite: return YodKite();
    case kPatternTrapezium: return Trapezium();
    case kPattern6Stellium: return Stellium(6);
    case kPattern5Stellium: return Stellium(5);
    case kPattern4Stellium: return Stellium(4);
    case kPattern3Stellium: return Stellium(3);
    case kPatternGrandSextile: return GrandSextile();
    default: return {};
    }
}

namespace {

// Asks for the patterns in the order of the aspect summary: Grand trine … Trapezium, the stelliums from the
// largest down until `ask` says one was found, Grand sextile, and last the midpoints.
template <class Ask>
void AskPatternsInSummaryOrder(Ask&& ask)
{
    for (int16_t pattern = kPatternGrandTrine; pattern <= kPatternTrapezium; ++pattern)
        ask(pattern);
    // A larger stellium contains the smaller ones: only the largest size present is reported.
    for (int16_t pattern = kPattern6Stellium; pattern <= kPattern3Stellium; ++pattern)
        if (ask(pattern))
            break;
    ask(kPatternGrandSextile);
    ask(kPatternMidpoint);
}

bool IsStellium(int16_t patternIndex)
{
    return patternIndex >= kPattern6Stellium && patternIndex <= kPattern3Stellium;
}

}  // namespace

std::vector<PatternFound> FindChartPatterns(const AstroModule& astro, const ChartPositions& positions,
                                            int16_t orbForMidpointsPosition, RunSearchState* run)
{
    const PatternFinder finder(astro, positions, run);
    std::vector<PatternFound> patterns;
    AskPatternsInSummaryOrder([&](int16_t patternIndex) {
        std::vector<PatternFound> found = patternIndex == kPatternMidpoint
                                              ? FindMidpoints(astro, positions, orbForMidpointsPosition, run)
                                              : finder.Find(patternIndex);
        patterns.insert(patterns.end(), std::make_move_iterator(found.begin()), std::make_move_iterator(found.end()));
        return !found.empty();
    });
    return patterns;
}

std::vector<std::span<const PatternFound>> ByPattern(std::span<const PatternFound> patterns)
{
    std::vector<std::span<const PatternFound>> groups;
    for (size_t first = 0; first < patterns.size();) {
        size_t end = first + 1;
        while (end < patterns.size() && patterns[end].pattern == patterns[first].pattern)
            ++end;
        groups.push_back(patterns.subspan(first, end - first));
        first = end;
    }
    return groups;
}

void StorePatternCounts(std::span<const PatternFound> patterns, std::array<int16_t, kNumPatterns>& patternCounts)
{
    std::array<int16_t, kNumPatterns> found{};
    for (const PatternFound& pattern : patterns)
        if (pattern.pattern >= 0 && pattern.pattern < kNumPatterns)
            ++found[static_cast<size_t>(pattern.pattern)];
    for (int16_t index = 0; index < kNumPatterns; ++index) {
        const auto at = static_cast<size_t>(index);
        if (index != kPatternMidpoint && found[at] == 0)
            continue;
        patternCounts[at] = found[at];
        if (IsStellium(index) && found[at] > 0)
            for (size_t smaller = at + 1; smaller <= static_cast<size_t>(kPattern3Stellium); ++smaller)
                patternCounts[smaller] = 0;
    }
}

int16_t SummaryCountOf(const AstroModule& astro, const ChartPositions& positions, int16_t patternIndex,
                       int16_t orbForMidpointsPosition, RunSearchState* run)
{
    if (patternIndex == kPatternMidpoint)
        return static_cast<int16_t>(FindMidpoints(astro, positions, orbForMidpointsPosition, run).size());
    const PatternFinder finder(astro, positions, run);
    if (IsStellium(patternIndex)) {
        for (int16_t larger = kPattern6Stellium; larger < patternIndex; ++larger)
            if (!finder.Find(larger).empty())
                return 0;
    }
    return static_cast<int16_t>(finder.Find(patternIndex).size());
}

}  // namespace orvane::core
