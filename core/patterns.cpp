#include "core/patterns.h"

#include "core/midpoints.h"
#include "text/language.h"
#include "text/text_numbers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace orvane::core {
namespace {


// The bodies joined by "-", as abbreviations or as names.
std::string BodyList(const AstroTables& tables, const std::vector<int16_t>& bodies, bool fullNames)
{
    std::string list;
    for (const int16_t body : bodies) {
        if (!list.empty())
            list += '-';
        const auto index = static_cast<size_t>(body);
        list += fullNames ? tables.bodyNames[index] : tables.bodyAbbrevs[index];
    }
    return list;
}

// Up to `length` characters of `text` from `position` on; empty beyond its end.
std::string_view Piece(std::string_view text, size_t position, size_t length)
{
    return position < text.size() ? text.substr(position, length) : std::string_view();
}

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

void RecordPatternForRun(RunSearchState& run, std::string_view runName, int16_t /*numBodies*/, int16_t b1, int16_t b2,
                         int16_t b3, int16_t b4, int16_t b5, int16_t b6)
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

PatternFinder::PatternFinder(const AstroModule& astro, const PositionTable& longitudes, const text::Language& language,
                             RunSearchState* run)
    : m_astro(astro),
      m_dblPos(longitudes),
      m_language(language),
      m_run(run),
      m_numPlanets(std::clamp<int16_t>(astro.bodyCount, 0, kMaxBodyIndex))
{
    // The finders ask for the same pairs again and again. The aspect test of a pair depends only on the
    // positions and the orbs, so each pair's separation is measured once here; the one-moment test
    // (deviation = |separation − aspect angle|, an aspect when it is below the orb) is made from it when
    // asked. A body paired with itself stands at a separation of 0 and is tested like any other pair;
    // a body without a position stands in no aspect.
    const int16_t n = m_numPlanets;
    for (int16_t p1 = 1; p1 <= n; ++p1)
        for (int16_t p2 = p1; p2 <= n; ++p2) {
            const double L1 = m_dblPos[static_cast<size_t>(p1)][0];
            const double L2 = m_dblPos[static_cast<size_t>(p2)][0];
            const double s = L1 < 0.0 || L2 < 0.0 ? std::numeric_limits<double>::quiet_NaN() : Separation(L1, L2);
            m_separation[static_cast<size_t>(p1)][static_cast<size_t>(p2)] = s;
            m_separation[static_cast<size_t>(p2)][static_cast<size_t>(p1)] = s;
        }
}

bool PatternFinder::Aspect(int16_t p1, int16_t p2, int16_t aspect, double& deviationSum) const
{
    const auto a = static_cast<size_t>(aspect);
    const double deviation =
        std::fabs(m_separation[static_cast<size_t>(p1)][static_cast<size_t>(p2)] - m_astro.tables.aspectAngles[a]);
    if (!(deviation < m_astro.orbs.orbs[a][kOrbColumnOneMoment]))
        return false;
    deviationSum += deviation;
    return true;
}

void PatternFinder::Accept(int16_t patternIndex, const std::vector<int16_t>& bodies, double meanDeviation,
                           bool withDeviation, bool fullNames, std::string& text, int16_t& count) const
{
    if (m_run != nullptr && m_run->bodiesSought && !m_run->soughtBodiesFound) {
        std::array<int16_t, 6> b{};
        std::copy_n(bodies.begin(), std::min<size_t>(bodies.size(), b.size()), b.begin());
        RecordPatternForRun(*m_run, kRunPatternName[static_cast<size_t>(patternIndex)],
                            static_cast<int16_t>(bodies.size()), b[0], b[1], b[2], b[3], b[4], b[5]);
    }
    ++count;

    const AstroTables& tables = m_astro.tables;
    if (fullNames) {
        text += BodyList(tables, bodies, true);
    } else {
        text += tables.patternNames[static_cast<size_t>(patternIndex)];
        text += ": ";
        text += BodyList(tables, bodies, false);
        if (withDeviation) {
            text += " (";
            text += m_language.Text(text::kTextMeanDeviation);
            text += ' ';
            text += Rad2DegMin(meanDeviation, false, false, false, false);
            text += ')';
        }
    }
    text += text::kLineBreak;
}

std::string PatternFinder::GrandTrine(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;
    ForEachPairIn(kTrine, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = p2 + 1; p3 <= n; ++p3) {
            double s = s12;
            if (Aspect(p1, p3, kTrine, s) && Aspect(p2, p3, kTrine, s))
                Accept(kPatternGrandTrine, {p1, p2, p3}, s / 3, true, fullNames, text, count);
        }
    });
    return text;
}

std::string PatternFinder::Kite(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;
    ForEachPairIn(kTrine, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = p2 + 1; p3 <= n; ++p3) {
            double trines = s12;
            if (!Aspect(p1, p3, kTrine, trines) || !Aspect(p2, p3, kTrine, trines))
                continue;
            const std::array<std::array<int16_t, 3>, 3> rotations{{{p1, p2, p3}, {p2, p3, p1}, {p3, p1, p2}}};
            for (int16_t p4 = 1; p4 <= n; ++p4) {
                if (p4 == p1 || p4 == p2 || p4 == p3)
                    continue;
                for (const auto& [t1, t2, t3] : rotations) {
                    double s = trines;
                    if (Aspect(p4, t1, kOpposition, s) && Aspect(p4, t2, kSextile, s) &&
                        Aspect(p4, t3, kSextile, s))
                        Accept(kPatternKite, {t1, t2, t3, p4}, s / 6, true, fullNames, text, count);
                }
            }
        }
    });
    return text;
}

std::string PatternFinder::Rectangle(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    // The rectangle is met once from each of its oppositions. A candidate whose last two bodies are the
    // first two of the rectangle accepted last is that rectangle seen from its other opposition.
    std::string kept;
    const AstroTables& tables = m_astro.tables;
    const int16_t n = m_numPlanets;
    ForEachPairIn(kOpposition, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = 1; p3 <= n; ++p3) {
            double s123 = s12;
            if (!Aspect(p2, p3, kSextile, s123))
                continue;
            for (int16_t p4 = p3 + 1; p4 <= n; ++p4) {
                double s = s123;
                if (!Aspect(p3, p4, kOpposition, s) || !Aspect(p4, p1, kSextile, s) ||
                    !Aspect(p2, p4, kTrine, s) || !Aspect(p1, p3, kTrine, s))
                    continue;
                const std::vector<int16_t> bodies{p1, p2, p3, p4};
                std::string candidate = BodyList(tables, bodies, false);
                if (!kept.empty() && Piece(candidate, 6, 5) == Piece(kept, 0, 5))
                    continue;
                kept = std::move(candidate);
                Accept(kPatternRectangle, bodies, s / 6, true, fullNames, text, count);
            }
        }
    });
    return text;
}

std::string PatternFinder::TSquare(bool fullNames, int16_t& count) const
{
    return ApexPattern(kPatternTSquare, kOpposition, kSquare, fullNames, count);
}

std::string PatternFinder::GrandCross(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;
    ForEachPairIn(kSquare, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = p2 + 1; p3 <= n; ++p3) {
            double s123 = s12;
            if (!Aspect(p1, p3, kSquare, s123))
                continue;
            for (int16_t p4 = p1 + 1; p4 <= n; ++p4) {
                double s = s123;
                if (Aspect(p1, p4, kOpposition, s) && Aspect(p2, p3, kOpposition, s) &&
                    Aspect(p2, p4, kSquare, s) && Aspect(p4, p3, kSquare, s))
                    Accept(kPatternGrandCross, {p1, p2, p4, p3}, s / 6, true, fullNames, text, count);
            }
        }
    });
    return text;
}

std::string PatternFinder::Yod(bool fullNames, int16_t& count) const
{
    return ApexPattern(kPatternYod, kSextile, kQuincunx, fullNames, count);
}

// The T-square and the yod: a pair p1 < p2 in `baseAspect`, and a third body p3 (the apex) in
// `apexAspect` to both, printed p1-p3-p2.
std::string PatternFinder::ApexPattern(int16_t patternIndex, int16_t baseAspect, int16_t apexAspect, bool fullNames,
                                       int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;
    ForEachPairIn(baseAspect, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = 1; p3 <= n; ++p3) {
            double s = s12;
            if (Aspect(p1, p3, apexAspect, s) && Aspect(p2, p3, apexAspect, s))
                Accept(patternIndex, {p1, p3, p2}, s / 3, true, fullNames, text, count);
        }
    });
    return text;
}

std::string PatternFinder::YodKite(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;
    ForEachPairIn(kSextile, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = 1; p3 <= n; ++p3) {
            double yod = s12;
            if (!Aspect(p1, p3, kQuincunx, yod) || !Aspect(p2, p3, kQuincunx, yod))
                continue;
            for (int16_t p4 = 1; p4 <= n; ++p4) {
                if (p4 == p1 || p4 == p2 || p4 == p3)
                    continue;
                double s = yod;
                if (Aspect(p4, p3, kOpposition, s) && Aspect(p4, p2, kSemisextile, s) &&
                    Aspect(p4, p1, kSemisextile, s))
                    Accept(kPatternYodKite, {p1, p3, p2, p4}, s / 6, true, fullNames, text, count);
            }
        }
    });
    return text;
}

std::string PatternFinder::Trapezium(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;
    ForEachPairIn(kOpposition, [&](int16_t p1, int16_t p2, double s12) {
        for (int16_t p3 = 1; p3 <= n; ++p3) {
            if (p3 == p1 || p3 == p2)
                continue;
            double s123 = s12;
            if (!Aspect(p1, p3, kTrine, s123))
                continue;
            for (int16_t p4 = 1; p4 <= n; ++p4) {
                if (p4 == p1 || p4 == p2 || p4 == p3)
                    continue;
                double s = s123;
                if (Aspect(p1, p4, kSextile, s) && Aspect(p3, p4, kSextile, s) && Aspect(p3, p2, kSextile, s) &&
                    Aspect(p2, p4, kTrine, s))
                    Accept(kPatternTrapezium, {p1, p2, p3, p4}, s / 6, true, fullNames, text, count);
            }
        }
    });
    return text;
}

std::string PatternFinder::Stellium(int16_t size, bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    if (size < 3 || size > 6)
        return text;
    const int16_t n = m_numPlanets;
    const int16_t patternIndex = StelliumPatternIndex(size);
    const int pairs = size * (size - 1) / 2;
    std::vector<int16_t> bodies;
    bodies.reserve(static_cast<size_t>(size));

    // Bodies in increasing index order; each new body must be conjunct every body chosen before it.
    auto extend = [&](auto& self, int16_t from, double sum) -> void {
        if (static_cast<int16_t>(bodies.size()) == size) {
            Accept(patternIndex, bodies, sum / pairs, true, fullNames, text, count);
            return;
        }
        for (int16_t p = from; p <= n; ++p) {
            if (static_cast<int>(bodies.size()) + (n - p + 1) < size)
                break;  // too few bodies left to complete the stellium
            double s = sum;
            const bool allConjunct = std::all_of(bodies.begin(), bodies.end(),
                                                 [&](int16_t earlier) { return Aspect(earlier, p, kConjunction, s); });
            if (!allConjunct)
                continue;
            bodies.push_back(p);
            self(self, static_cast<int16_t>(p + 1), s);
            bodies.pop_back();
        }
    };
    extend(extend, 1, 0.0);
    return text;
}

std::string PatternFinder::GrandSextile(bool fullNames, int16_t& count) const
{
    count = 0;
    std::string text;
    const int16_t n = m_numPlanets;

    // Every grand trine, in the order of the search.
    std::vector<std::array<int16_t, 3>> trines;
    double ignored = 0.0;
    ForEachPairIn(kTrine, [&](int16_t p1, int16_t p2, double) {
        for (int16_t p3 = p2 + 1; p3 <= n; ++p3)
            if (Aspect(p1, p3, kTrine, ignored) && Aspect(p2, p3, kTrine, ignored))
                trines.push_back({p1, p2, p3});
    });

    for (const auto& p : trines)
        for (const auto& q : trines) {
            if (q[0] <= p[0])
                continue;
            const bool shared = std::any_of(q.begin(), q.end(), [&](int16_t body) { return body == p[1] || body == p[2]; });
            if (shared)
                continue;
            // Two trines interlace into a six-pointed star when each body of one is sextile to exactly
            // two bodies of the other: six sextiles of the nine pairs.
            int sextiles = 0;
            for (const int16_t pi : p)
                for (const int16_t qj : q)
                    if (Aspect(pi, qj, kSextile, ignored))
                        ++sextiles;
            if (sextiles == 6)
                Accept(kPatternGrandSextile, {p[0], p[1], p[2], q[0], q[1], q[2]}, 0.0, false, fullNames, text,
                       count);
        }
    return text;
}

std::string PatternFinder::Find(int16_t patternIndex, bool fullNames, int16_t& count) const
{
    switch (patternIndex) {
    case kPatternGrandTrine: return GrandTrine(fullNames, count);
    case kPatternKite: return Kite(fullNames, count);
    case kPatternRectangle: return Rectangle(fullNames, count);
    case kPatternTSquare: return TSquare(fullNames, count);
    case kPatternGrandCross: return GrandCross(fullNames, count);
    case kPatternYod: return Yod(fullNames, count);
    case kPatternYodKite: return YodKite(fullNames, count);
    case kPatternTrapezium: return Trapezium(fullNames, count);
    case kPattern6Stellium: return Stellium(6, fullNames, count);
    case kPattern5Stellium: return Stellium(5, fullNames, count);
    case kPattern4Stellium: return Stellium(4, fullNames, count);
    case kPattern3Stellium: return Stellium(3, fullNames, count);
    case kPatternGrandSextile: return GrandSextile(fullNames, count);
    default: count = 0; return {};
    }
}

void AskPatternsInSummaryOrder(const std::function<bool(int16_t patternIndex)>& ask)
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

std::vector<PatternFinding> FindAllPatterns(const PatternFinder& finder, bool fullNames,
                                            int16_t orbForMidpointsPosition)
{
    std::vector<PatternFinding> findings;
    AskPatternsInSummaryOrder([&](int16_t patternIndex) {
        PatternFinding& finding = findings.emplace_back();
        finding.patternIndex = patternIndex;
        if (patternIndex == kPatternMidpoint)
            CheckForMidpoint(finder.astro(), finder.positions(), orbForMidpointsPosition, fullNames,
                             finding.count, finding.text, finder.run());
        else
            finding.text = finder.Find(patternIndex, fullNames, finding.count);
        return !finding.text.empty();
    });
    return findings;
}

int16_t SummaryCountOf(const PatternFinder& finder, int16_t patternIndex, int16_t orbForMidpointsPosition)
{
    int16_t count = 0;
    if (patternIndex == kPatternMidpoint) {
        std::string text;
        CheckForMidpoint(finder.astro(), finder.positions(), orbForMidpointsPosition, false, count, text,
                         finder.run());
        return count;
    }
    if (patternIndex >= kPattern6Stellium && patternIndex <= kPattern3Stellium) {
        for (int16_t larger = kPattern6Stellium; larger < patternIndex; ++larger)
            if (!finder.Find(larger, false, count).empty())
                return 0;
    }
    return finder.Find(patternIndex, false, count).empty() ? int16_t{0} : count;
}

std::string PatternSummary(const std::vector<PatternFinding>& findings, std::array<int16_t, kNumPatterns>& patternCounts)
{
    std::string summary;
    for (const PatternFinding& finding : findings) {
        if (finding.patternIndex < 0 || finding.patternIndex >= kNumPatterns)
            continue;
        const auto index = static_cast<size_t>(finding.patternIndex);
        if (finding.patternIndex == kPatternMidpoint) {
            patternCounts[index] = finding.count;
            summary += finding.text;
            continue;
        }
        if (finding.text.empty())
            continue;
        summary += finding.text;
        summary += text::kLineBreak;
        patternCounts[index] = finding.count;
        if (finding.patternIndex >= kPattern6Stellium && finding.patternIndex <= kPattern3Stellium)
            for (size_t smaller = index + 1; smaller <= static_cast<size_t>(kPattern3Stellium); ++smaller)
                patternCounts[smaller] = 0;
    }
    return summary;
}

}  // namespace orvane::core
