#pragma once

// Aspect patterns: sets of three to six bodies whose pairs stand in prescribed aspects. Thirteen finders
// look for them among the one-moment positions (column 0 of the positions table, orb column 0); each
// returns one line per pattern found and counts them. A run until found learns from the finders which
// bodies form the pattern it looks for.

#include "core/astro_module.h"
#include "core/aspects.h"

#include <array>
#include <functional>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane::text {
class Language;
}

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
void RecordPatternForRun(RunSearchState& run, std::string_view runName, int16_t numBodies, int16_t b1, int16_t b2,
                         int16_t b3, int16_t b4, int16_t b5, int16_t b6);

// The pattern finders over one set of positions. Each finder sets `count` to the number of patterns
// found and returns one line per pattern, ending with "\r\n" (the empty text when none was found): with
// fullNames false the pattern's name, ": ", the bodies' abbreviations joined by "-" and the mean
// deviation in brackets ("Grand trine: Ea-Ju-Ne (mean deviation 1°3')"); with fullNames true only
// the bodies' names joined by "-" ("Earth-Jupiter-Neptune").
//
// The finder works on the positions as they are when it is made (it tests every pair once then); it
// keeps references to `astro`, `language` and `run`, which must outlive it. While `run` is given and looks for
// bodies that were not yet found together, every pattern found is handed to it.
class PatternFinder {
public:
    PatternFinder(const AstroModule& astro, const PositionTable& longitudes, const text::Language& language,
                  RunSearchState* run = nullptr);

    std::string GrandTrine(bool fullNames, int16_t& count) const;
    std::string Kite(bool fullNames, int16_t& count) const;
    std::string Rectangle(bool fullNames, int16_t& count) const;
    std::string TSquare(bool fullNames, int16_t& count) const;
    std::string GrandCross(bool fullNames, int16_t& count) const;
    std::string Yod(bool fullNames, int16_t& count) const;
    std::string YodKite(bool fullNames, int16_t& count) const;
    std::string Trapezium(bool fullNames, int16_t& count) const;
    // A stellium of `size` bodies (3 … 6), every pair in conjunction; any other size finds nothing.
    std::string Stellium(int16_t size, bool fullNames, int16_t& count) const;
    std::string GrandSextile(bool fullNames, int16_t& count) const;

    // The finder of pattern index 0 … 12; the empty text and a count of 0 for any other index.
    std::string Find(int16_t patternIndex, bool fullNames, int16_t& count) const;

    const AstroModule& astro() const { return m_astro; }
    const PositionTable& positions() const { return m_dblPos; }
    RunSearchState* run() const { return m_run; }

private:
    bool Aspect(int16_t p1, int16_t p2, int16_t aspect, double& deviationSum) const;
    // Calls visit(p1, p2, deviation) for every pair of bodies p1 < p2 in `aspect`, in the order of the
    // search: p1 from the first body up, p2 from p1 + 1 up.
    template <class Visit>
    void ForEachPairIn(int16_t aspect, Visit&& visit) const
    {
        for (int16_t p1 = 1; p1 <= m_numPlanets; ++p1)
            for (int16_t p2 = static_cast<int16_t>(p1 + 1); p2 <= m_numPlanets; ++p2) {
                double deviation = 0.0;
                if (Aspect(p1, p2, aspect, deviation))
                    visit(p1, p2, deviation);
            }
    }
    std::string ApexPattern(int16_t patternIndex, int16_t baseAspect, int16_t apexAspect, bool fullNames,
                            int16_t& count) const;
    void Accept(int16_t patternIndex, const std::vector<int16_t>& bodies, double meanDeviation, bool withDeviation,
                bool fullNames, std::string& text, int16_t& count) const;

    const AstroModule& m_astro;
    PositionTable m_dblPos;
    const text::Language& m_language;
    RunSearchState* m_run;
    int16_t m_numPlanets;  // bodyCount, kept within the body tables
    // The separation of each pair of bodies 1 … m_numPlanets (NaN when a body has no position: no aspect
    // holds), measured once; each aspect test of a pair compares it with the aspect's angle and orb. Left
    // unset beyond those bodies, the only ones the finders ask for, so that a finder costs no clearing of
    // the whole table.
    std::array<std::array<double, kBodySlots>, kBodySlots> m_separation;
};

// What one finder (or the midpoint check) reported.
struct PatternFinding {
    int16_t patternIndex = 0;
    std::string text;
    int16_t count = 0;
};

// Asks for the patterns in the order of the aspect summary and the natal listing: Grand trine, Kite,
// Rectangle, T-square, Grand cross, Yod, Yod-kite, Trapezium, then the stelliums from the largest down
// until `ask` says one was found, then Grand sextile, and last the midpoints (kPatternMidpoint).
void AskPatternsInSummaryOrder(const std::function<bool(int16_t patternIndex)>& ask);

// Runs the finders in the order of the aspect summary — Grand trine, Kite, Rectangle, T-square, Grand
// cross, Yod, Yod-kite, Trapezium, then the stelliums from the largest down, stopping at the first size
// that finds something, then Grand sextile — and last the midpoint check with the midpoint orb at
// position `orbForMidpointsPosition` of the panel's list. Returns every finder that was asked, in that
// order, with its text (possibly empty) and count.
std::vector<PatternFinding> FindAllPatterns(const PatternFinder& finder, bool fullNames,
                                            int16_t orbForMidpointsPosition);

// The count that the one-moment summary stores for pattern `patternIndex` (FindAllPatterns followed by
// PatternSummary into counts cleared beforehand), asking only the finders that decide it: the pattern's
// own, for a stellium first the larger ones (a larger stellium found leaves the smaller ones at 0), for
// kPatternMidpoint the midpoint check. A run given to the finder hears of the patterns found exactly as
// in the whole summary. 0 for an index outside the patterns.
int16_t SummaryCountOf(const PatternFinder& finder, int16_t patternIndex, int16_t orbForMidpointsPosition);

// The pattern part of the one-moment summary: each non-empty pattern text followed by "\r\n", then the
// midpoint text. A pattern's count is stored in patternCounts only when its finder found something (a
// stellium found also sets the counts of the smaller stelliums to 0); the midpoint count is always
// stored.
std::string PatternSummary(const std::vector<PatternFinding>& findings, std::array<int16_t, kNumPatterns>& patternCounts);

}  // namespace orvane::core
