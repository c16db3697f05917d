#pragma once

// The aspect test: separations between longitudes, whether two bodies stand in an aspect within its orb,
// how exact it is, and whether it is applying or separating; and the orb table with its summary.

#include "core/vocabulary.h"

#include <array>
#include <cstdint>

namespace orvane::core {

// Orb columns: both bodies at one moment (world transits, natal aspects, patterns), a body now against a
// birth chart (personal transits), one birth chart against the other (synastry).
inline constexpr int16_t kOrbColumnOneMoment = 0;
inline constexpr int16_t kOrbColumnPersonal = 1;
inline constexpr int16_t kOrbColumnSynastry = 2;
inline constexpr int kOrbColumns = 3;

// The aspect test's rule, and the one place where it is written: an aspect holds while its deviation (the
// separation's distance from the aspect's angle) is strictly below its orb. A deviation equal to the orb is
// no aspect, and an orb of 0 switches the aspect off even when it is exact.
constexpr bool WithinOrb(double deviation, double orb)
{
    return deviation < orb;
}

// Whether an aspect is applying (its deviation shrinks half an hour later), separating (it grows) or
// neither (it stays, or cannot be told).
enum class Motion : int8_t { Applying = -1, Neither = 0, Separating = 1 };

// The shorter angle between two longitudes (0 … π). `sense` becomes −1 when L2 lies that angle ahead of
// L1 (in the direction of increasing longitude), 1 when L1 lies ahead of L2, and keeps its value when
// neither can be told (rounding to 6 decimals); at 0 and π it is −1.
double AngularSeparation(double L1, double L2, int16_t& sense);

// The shorter angle between two longitudes (0 … π), exactly as AngularSeparation measures it, for the
// callers that need no sense. Of L1 − L2 and L2 − L1 one is |L1 − L2| and the other 2π − |L1 − L2|;
// written without branches, as the aspect and midpoint tests make a great many of these comparisons.
inline double Separation(double L1, double L2)
{
    const double d = L1 >= L2 ? L1 - L2 : L2 - L1;
    const double other = kTwoPi - d;
    return d <= other ? d : other;
}

// The separation times its sense (0 when no sense was found).
double SignedSeparation(double L1, double L2);

// Orb table, rebuilt from the configuration panel's choices, and its summary.
struct OrbTable {
    // orbs[aspect][column] in radians; row 0 is not used. An orb of 0 switches an aspect off.
    std::array<std::array<double, kOrbColumns>, kAspectSlots> orbs{};

    double largestOrb = 0.0;   // largest orb of column 0
    double smallestOrb = 20.0;  // smallest non-zero orb of column 0 (20 when all are 0)
    bool allOrbsEqual = false;
    std::array<double, 2> largestOrbOfColumn{0.0, 0.0};    // index 0: column 1, index 1: column 2
    std::array<double, 2> smallestOrbOfColumn{20.0, 20.0};

    // The orb of `aspect` in `column` (0 … 2).
    double Orb(Aspect aspect, int16_t column) const { return orbs[SlotOf(aspect)][static_cast<size_t>(column)]; }

    // Whether an aspect `deviation` from exact holds with the orb of `column` (WithinOrb).
    bool Holds(Aspect aspect, int16_t column, double deviation) const
    {
        return WithinOrb(deviation, Orb(aspect, column));
    }

    // Rebuilds the table: `orbMinutes` are the orbs of aspects 1 … 7 in whole minutes of arc (the item
    // data of the entries chosen in the orb lists), `proportions` the divisors of the personal-transit and
    // the synastry column. A divisor below 1 is taken as 1, so that no column is ever divided by 0.
    void ApplyOrbs(const std::array<int32_t, kNumAspects>& orbMinutes, const std::array<int32_t, 2>& proportions);

    // Recomputes the summary from the table.
    void SetOrbSummary();
};

}  // namespace orvane::core
