#pragma once

// What one computation finds, as values: each body's position at the mode's moments, the one aspect of
// every pair that stands in one, with its deviation, its direction and whether it is close, the aspect
// patterns and midpoints of a single chart, and the counts. The grid, the chart, the summary, the reports
// and the companion write their texts from it; nothing reads a text back.

#include "core/aspects.h"
#include "core/midpoints.h"
#include "core/modes.h"
#include "core/patterns.h"
#include "core/positions.h"
#include "core/vocabulary.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace orvane::core {

class AstroModule;
struct RunSearchState;

// What a mode compares: the bodies of one moment with each other (world transits, natal aspects), the
// bodies of the world date with a birth chart standing still (personal transits), or two birth charts
// (synastry).
enum class Comparison : uint8_t { OneMoment, Transits, Synastry };

// The comparison of mode 1 … 6 (world transits and the natal modes for any other number).
Comparison ComparisonOf(core::Mode mode);

// The orb column of a comparison: 0, 1 (personal transits) or 2 (synastry).
constexpr int16_t OrbColumnOf(Comparison comparison)
{
    switch (comparison) {
    case Comparison::Transits: return kOrbColumnPersonal;
    case Comparison::Synastry: return kOrbColumnSynastry;
    default: return kOrbColumnOneMoment;
    }
}

// The boldface rule of the configuration panel: which aspects count as close.
struct CloseAspectRule {
    enum class Kind : uint8_t { None, WithinOneDegree, FractionOfOrb };
    Kind kind = Kind::None;
    // FractionOfOrb: close below the orb divided by this (a divisor below 1 counts as 1).
    int32_t divisor = 1;

    // Whether an aspect `deviation` from exact is close, measured against the orb of `column`.
    bool IsClose(const OrbTable& orbs, Aspect aspect, int16_t column, double deviation) const;
};

// One pair of bodies in an aspect: the first aspect, in search order, that holds for it.
struct AspectFound {
    // One moment: the lower body and the higher one. Two moments: the body of the second moment (the
    // birth chart of personal transits, the 2nd birthdate of synastry) and the body of the first (the
    // transiting body, the 1st birthdate's body).
    Body body1 = Body::Earth;
    Body body2 = Body::Earth;
    Aspect aspect = Aspect::Conjunction;
    // |separation − the aspect's angle|, radians.
    double deviation = 0.0;
    // Half an hour later; never told in synastry, whose charts stand still.
    Motion motion = Motion::Neither;
    // Close by the boldface rule (in synastry measured against the personal-transit orbs).
    bool close = false;

    bool operator==(const AspectFound&) const = default;
};

struct AspectResult {
    Comparison comparison = Comparison::OneMoment;
    // The positions at the mode's first moment (0) and, when two moments are compared, its second (1).
    // Bodies not in use, and the second moment of a one-moment comparison, are NoPosition::NotInUse.
    std::array<ChartPositions, 2> positions;
    // Every pair in an aspect, in the grid's order: by body1, then by body2.
    std::vector<AspectFound> aspects;
    // One moment only: the chart's aspect patterns and midpoints, as the summary lists them.
    std::vector<PatternFound> patterns;

    // How many aspects of each kind were found, by aspect index (slot 0 unused).
    std::array<int16_t, kAspectSlots> AspectCounts() const;
    int16_t TotalAspects() const { return static_cast<int16_t>(aspects.size()); }

    bool operator==(const AspectResult&) const = default;
};

// Each moving body's longitude half an hour after the first moment, for the applying or separating
// mark. Asked only for the bodies of an aspect, in the order the aspects are found.
using LaterPosition = std::function<Position(Body)>;

// The aspects among `positions` with the angles and orbs of `astro`: every pair of the comparison (in one
// moment each body with every higher one, in two moments each body of the second moment with each body
// of the first, itself included), the first aspect of the seven that holds. A body without a position
// takes part in nothing. The patterns are left empty.
AspectResult FindAspects(const AstroModule& astro, Comparison comparison, const std::array<ChartPositions, 2>& positions,
                         const CloseAspectRule& closeRule, const LaterPosition& later);

// What a computation is asked for: the comparison, its moments (Julian dates, UT; the second read in
// the two-moment comparisons only), the boldface rule, the midpoint orb's position in its list, and a
// run until found that hears of the patterns found (none when null).
struct AspectRequest {
    Comparison comparison = Comparison::OneMoment;
    std::array<double, 2> moments{};
    CloseAspectRule closeRule;
    int16_t midpointOrbPosition = kDefaultMidpointOrbPosition;
    RunSearchState* run = nullptr;
};

// The whole computation: the positions of the bodies in use from the ephemeris and Pluto's table, the
// aspects, and for one moment the patterns and midpoints (FindChartPatterns).
AspectResult ComputeAspects(const AstroModule& astro, const AspectRequest& request);

}  // namespace orvane::core
