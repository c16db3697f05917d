#pragma once

// Aspect patterns: sets of three to six bodies whose pairs stand in prescribed aspects. Thirteen finders
// look for them among the positions of one moment (orb column 0); each returns the patterns it found with
// their bodies and mean deviation. A run until found learns from the finders which bodies form the pattern
// it looks for.

#include "core/astro_module.h"
#include "core/aspects.h"
#include "core/positions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace orvane::core {

// Pattern indices, the positions of the names in patternNames.
inline constexpr int16_t kPatternGrandTrine = 0;
inline constexpr int16_t kPatternKite = 1;
inline constexpr int16_t kPatternRectangle = 2;
inline constexpr int16_t kPatternTSquare = 3;
inline constexpr int16_t kPatternGrandCross = 4;
inline constexpr int16_t kPatternYod = 5;
inline constexpr int16_t kPatternYodKite = 6;
inline constexpr int16_t kPatternTrapezium = 7;
inline constexpr int16_t kPattern6Stellium = 8;
inline constexpr int16_t kPattern5Stellium = 9;
inline constexpr int16_t kPattern4Stellium = 10;
inline constexpr int16_t kPattern3Stellium = 11;
inline constexpr int16_t kPatternGrandSextile = 12;
inline constexpr int16_t kPatternMidpoint = 13;

// The pattern index of a stellium of `size` bodies (3 … 6).
constexpr int16_t StelliumPatternIndex(int16_t size)
{
    return static_cast<int16_t>(kPattern3Stellium + 3 - size);
}

// The names under which the finders hand a found pattern to a run until found, by pattern index.
inline constexpr std::array<std::string_view, kNumPatterns> kRunPatternName{
    "Grand trine", "Kite",       "Rectangle",  "T-square",   "Grand cross",   "Yod",      "Yod-kite",
    "Trapezium",   "6-stellium", "5-stellium", "4-stellium", "3-stellium", "Grand sextile", "Midpoint"};

// The number of sought-planet boxes of the run dialog.
inline constexpr int16_t kNumSoughtPlanetBoxes = 3;

// What a run until found looks for, and what the pattern finders learnt about it on the last
// computation. The run dialog sets the wishes; the finders maintain numBodiesFound and
// soughtBodiesFound.
struct RunSearchState {
    bool bodiesSought = false;        // at least one sought body was chosen
    bool soughtBodiesFound = false;   // a pattern of the sought kind involved every sought body
    int16_t patternSought = -1;  // pattern index sought; −1 for none
    int16_t numBodiesSought = 0;      // sought bodies chosen, 0 … 3
    int16_t numBodiesFound = 0;       // sought bodies in the pattern examined last
    std::array<int16_t, kNumSoughtPlanetBoxes> soughtBody{};  // body index per box, 0 for none
    int16_t numSoughtBodyBoxes = kNumSoughtPlanetBoxes;
};

// The pattern index of a run name (any case: "3-stellium" and "3-Stellium" alike); −1 for an unknown
// name.
int16_t PatternNameIndex(std::string_view name);

// Whether body x is one of the pattern's bodies b1 … b6; b4 … b6 count only when positive.
bool IsSoughtBody(int16_t x, int16_t b1, int16_t b2, int16_t b3, int16_t b4, int16_t b5, int16_t b6);

// Hands a found pattern to the run: when `runName` names the sought pattern, counts how many of the
// sought bodies are among the pattern's bodies (0 for unused places) and marks the sought bodies found
// when all of them are.
void RecordPatternForRun(RunSearchState& run, std::string_view runName, int16_t b1, int16_t b2, int16_t b3, int16_t b4,
                         int16_t b5, int16_t b6);

// One pattern found: its index (kPatternGrandTrine … kPatternMidpoint), its bodies in the order in which
// it names them, and the mean deviation of the aspects that make it up (none for the grand sextile and a
// midpoint).
struct PatternFound {
    int16_t pattern = 0;
    std::vector<Body> bodies;
    std::optional<double> meanDeviation;

    bool operator==(const PatternFound&) const = default;
};

// The points the finders look among, whatever they are seen from: each point's longitude (radians) by slot,
// NaN for a point without a position, and the slots in use in increasing order. A pattern found names its
// points by slot as Body values: a heliocentric body is its own slot; another perspective numbers its bodies
// into the slots 1 … 10 and names them itself.
struct PatternPoints {
    std::array<double, kBodySlots> longitudes{};
    std::vector<Body> inUse;
};

// The heliocentric bodies in use (the first `bodyCount`, at most nine) at their positions.
PatternPoints PointsOf(const ChartPositions& positions, int16_t bodyCount);

// The pattern finders over the positions of one moment. The finder tests every pair once when it is made;
// it keeps references to `astro` and `run`, which must outlive it. While `run` is given and looks for
// bodies that were not yet found together, every pattern found is handed to it. `astro` gives the aspects'
// angles and one-moment orbs.
class PatternFinder {
public:
    PatternFinder(const AstroModule& astro, const ChartPositions& positions, RunSearchState* run = nullptr);
    PatternFinder(const AstroModule& astro, const PatternPoints& points, RunSearchState* run = nullptr);

    // The patterns of index 0 … 12 (the midpoints are not among them), in the order of the search; none for
    // any other index.
    std::vector<PatternFound> Find(int16_t patternIndex) const;
    // A stellium of `size` bodies (3 … 6), every pair in conjunction; any other size finds nothing.
    std::vector<PatternFound> Stellium(int16_t size) const;

private:
    using Found = std::vector<PatternFound>;
    Found GrandTrine() const;
    Found Kite() const;
    Found Rectangle() const;
    Found GrandCross() const;
    Found YodKite() const;
    Found Trapezium() const;
    Found GrandSextile() const;
    // The T-square and the yod: a pair in `baseAspect` and an apex in `apexAspect` to both.
    Found ApexPattern(int16_t patternIndex, Aspect baseAspect, Aspect apexAspect) const;

    // Whether p1 and p2 stand in `aspect`; adds the deviation to `deviationSum` when they do.
    bool Holds(Body p1, Body p2, Aspect aspect, double& deviationSum) const;
    // Calls visit(p1, p2, deviation) for every pair of bodies p1 < p2 in `aspect`, in the order of the
    // search: p1 from the first body up, p2 from the body after p1 up.
    template <class Visit>
    void ForEachPairIn(Aspect aspect, Visit&& visit) const
    {
        for (const Body p1 : Bodies())
            for (const Body p2 : After(p1)) {
                double deviation = 0.0;
                if (Holds(p1, p2, aspect, deviation))
                    visit(p1, p2, deviation);
            }
    }
    std::span<const Body> Bodies() const { return m_inUse; }
    // The points in use after `p`: the second points of the pairs that `p` begins.
    std::span<const Body> After(Body p) const { return Bodies().subspan(m_place[SlotOf(p)] + 1); }
    void Accept(int16_t patternIndex, std::vector<Body> bodies, std::optional<double> meanDeviation,
                Found& found) const;

    const AstroModule& m_astro;
    RunSearchState* m_run;
    std::vector<Body> m_inUse;
    std::array<size_t, kBodySlots> m_place{};  // each point's place in m_inUse
    // The separation of each pair of points in use (NaN when a point has no position: no aspect holds),
    // measured once; each aspect test of a pair compares it with the aspect's angle and orb.
    std::array<std::array<double, kBodySlots>, kBodySlots> m_separation;
};

// The patterns in the order of the aspect summary and the natal listing: Grand trine, Kite, Rectangle,
// T-square, Grand cross, Yod, Yod-kite, Trapezium, then the stelliums from the largest down, stopping at
// the first size that finds something, then Grand sextile, and last the midpoints with the midpoint orb at
// position `orbForMidpointsPosition` of the panel's list. A run given hears of each as it is found.
std::vector<PatternFound> FindChartPatterns(const AstroModule& astro, const ChartPositions& positions,
                                            int16_t orbForMidpointsPosition, RunSearchState* run = nullptr);

// The patterns grouped by pattern, in their order: one span for each pattern found.
std::vector<std::span<const PatternFound>> ByPattern(std::span<const PatternFound> patterns);

// The pattern counts that the one-moment summary stores (patternCounts): the count of each pattern found;
// a stellium found also sets the counts of the smaller stelliums to 0; patterns not found keep what they
// held; the midpoint count is always stored.
void StorePatternCounts(std::span<const PatternFound> patterns, std::array<int16_t, kNumPatterns>& patternCounts);

// The count that the one-moment summary stores for pattern `patternIndex` (FindChartPatterns followed by
// StorePatternCounts into counts cleared beforehand), asking only the finders that decide it: the pattern's
// own, for a stellium first the larger ones (a larger stellium found leaves the smaller ones at 0), for
// kPatternMidpoint the midpoint check. A run given hears of the patterns found exactly as in the whole
// summary. 0 for an index outside the patterns.
int16_t SummaryCountOf(const AstroModule& astro, const ChartPositions& positions, int16_t patternIndex,
                       int16_t orbForMidpointsPosition, RunSearchState* run = nullptr);

}  // namespace orvane::core
