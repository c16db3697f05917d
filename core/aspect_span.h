#pragma once

// When a transit aspect comes into orb and when it leaves it, and the duration records of every aspect of
// the grid that the durations window sorts and lists.
//
// A transit aspect is in force while the separation of its two bodies stays within the aspect's orb. The
// searches step from the world date's local day in whole days, backwards for the beginning and forwards
// for the end, testing the aspect at each local midnight, until it is found outside the orb. In world
// transits both bodies move; in personal transits the natal body stands at its birth longitude and only
// the transiting body moves. Aspects between fixed moments (natal aspects, synastry) have no beginning
// or end.

#include "core/aspect_result.h"
#include "core/astro_module.h"
#include "core/modes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvane::core {


// A local calendar day, as its Julian Day Number.
using DayNumber = int32_t;

// The most trial midnights one search tests. Every trial moves at least one day, and the Pluto table
// covers fewer days than this, so a search involving Pluto always ends at the aspect's edge or at the
// table's end before the bound; for the other bodies the longest real aspects (Uranus with Neptune at
// the widest orbs) last a few thousand days. The bound only guards against an orb that keeps an aspect in
// force for ever (an orb wider than the aspect's possible deviation): such a search ends after about 685
// years of trials with an unknown day.
inline constexpr int32_t kMaxAspectSpanTrials = 250000;

// What the main window supplies to the searches.
struct AspectSpanContext {
    // Personal transits (the natal body stands still) rather than world transits (both bodies move).
    bool isPersonalTransits = false;
    // J: the world date's day number plus the local fraction of the day, InputDateToLocalDayNumber(0).
    double worldLocalDay = 0.0;
    // N: the natal moment (AJDate) of the selected birthdate; read in personal transits only.
    double natalMoment = 0.0;
    // z: the world date's time-zone offset in minutes east of Greenwich.
    int16_t zoneOffsetMinutes = 0;
    // The trial bound; the default suits every real search.
    int32_t lngMaxTrials = kMaxAspectSpanTrials;
};

// The context for the main window's current mode: `moments` holds the AJDates of the date rows
// (0 world date, 1 1st birthdate, 2 2nd birthdate), `worldLocalDayNumber` is J, `zoneMinutes` z.
AspectSpanContext MakeAspectSpanContext(core::Mode currentMode, const std::array<double, 3>& moments,
                                        double worldLocalDayNumber, int16_t zoneMinutes);

// The day number of the local day on which aspect `a` between bodies p1 and p2 came into orb of orb
// column k (0 world transits, 1 personal transits): stepping back from the world date's local midnight,
// the day whose starting midnight first finds the aspect outside the orb. p1 is the row body, the natal
// body in personal transits. When both bodies are Uranus, Neptune or Pluto the steps grow with the
// exactness (1 to 11 days), so the day found can lie up to ten days before the true entry.
// No day when a body had no position at a trial moment (Pluto outside its table, a failed ephemeris
// computation), an input row held no date, or the trial bound was reached.
std::optional<DayNumber> BeginningOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1,
                                           Body p2, Aspect a, int16_t k);

// The last local day at whose starting midnight the aspect was still in orb, stepping forward from the
// midnight after the world date (the world date's own day when the aspect is out of orb at that
// midnight). Same arguments, steps and result as BeginningOfAspect.
std::optional<DayNumber> EndOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1,
                                     Body p2, Aspect a, int16_t k);

// One aspect of the grid as the durations report lists it.
struct DurationRecord {
    // The row body, the natal body in personal transits; in synastry the 1st birthdate's body.
    Body first = Body::Earth;
    // The column body, the transiting body in personal transits; in synastry the 2nd birthdate's body.
    Body second = Body::Earth;
    Aspect aspect = Aspect::Conjunction;
    // |separation − the aspect's angle| in whole millionths of a radian (to nearest, a half to the even
    // neighbour): the precision at which the report sorts and writes the deviation.
    int32_t deviationMicroradians = 0;
    // Transits only: whether the beginning and end were searched. Natal and synastry aspects stand
    // between fixed moments and have neither.
    bool dated = false;
    // The days on which the aspect came into orb and on which it was last in orb; empty when not found.
    std::optional<DayNumber> beginning;
    std::optional<DayNumber> ending;

    // The deviation in radians, as the record keeps it.
    double Deviation() const { return deviationMicroradians / 1.0e6; }
    // ending − beginning + 1 when both are known.
    std::optional<int32_t> Days() const;

    bool operator==(const DurationRecord&) const = default;
};

// `radians` (not negative) in whole millionths, rounded to nearest and a half to the even neighbour,
// decided on the exact value of the double.
int32_t MicroradiansOf(double radians);

// The aspects of the last computation, as the main window holds them.
struct DurationGrid {
    core::Mode currentMode = Mode::None;
    // The aspects found, in the grid's order (row by row).
    std::vector<AspectFound> aspects;
    // AJDates of the date rows: 0 world date, 1 1st birthdate, 2 2nd birthdate.
    std::array<double, 3> moments{};
    // J and z of the world date (see AspectSpanContext).
    double worldLocalDay = 0.0;
    int16_t zoneOffsetMinutes = 0;
};

// One record for every aspect of the grid, in the grid's order, with the beginning and end searched for
// every transit aspect. None outside the six modes.
std::vector<DurationRecord> GetDurations(const AstroModule& astro, const DurationGrid& grid);

}  // namespace orvane::core
