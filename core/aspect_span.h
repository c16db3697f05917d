#pragma once

// When a transit aspect comes into orb and when it leaves it, and the fixed-column duration records of
// every aspect cell of the grid that the durations window sorts and lists.
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
#include <string>
#include <vector>

namespace orvane::core {


// Result of a search that found no day: a body had no position at a trial moment (Pluto outside its
// table, a failed ephemeris computation), an input row held no date, or the trial bound was reached.
inline constexpr double kUnknownDay = -1.0;

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
AspectSpanContext MakeAspectSpanContext(int16_t currentMode, const std::array<double, 3>& moments,
                                        double worldLocalDayNumber, int16_t zoneMinutes);

// The day number of the local day on which aspect `a` between bodies p1 and p2 came into orb of orb
// column k (0 world transits, 1 personal transits): stepping back from the world date's local midnight,
// the day whose starting midnight first finds the aspect outside the orb. p1 is the row body, the natal
// body in personal transits. When both bodies are Uranus, Neptune or Pluto the steps grow with the
// exactness (1 to 11 days), so the day found can lie up to ten days before the true entry.
// Returns a whole day number, or kUnknownDay.
double BeginningOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1,
                         Body p2, Aspect a, int16_t k);

// The last local day at whose starting midnight the aspect was still in orb, stepping forward from the
// midnight after the world date (the world date's own day when the aspect is out of orb at that
// midnight). Same arguments, steps and result as BeginningOfAspect.
double EndOfAspect(const AstroModule& astro, const AspectSpanContext& context, Body p1, Body p2,
                   Aspect a, int16_t k);

// Record columns, counted from 1, and their widths. A record is
//   first body (2) second body (2) first body again (2) aspect (2, " 4") blank (1)
//   deviation in radians with six decimals (8) beginning day (8) end day (8) duration in days (6),
// numbers right-justified. Natal and synastry records carry 22 hyphens after the deviation, records whose
// second body is 10 carry 22 blanks, and a duration whose beginning or end was not found is blank.
inline constexpr int kRecordFirstBody = 1;
inline constexpr int kRecordSecondBody = 3;
inline constexpr int kRecordFirstBodyAgain = 5;
inline constexpr int kRecordAspect = 7;
inline constexpr int kRecordExactness = 9;  // the blank before the deviation, which starts at 10
inline constexpr int kRecordBeginning = 18;
inline constexpr int kRecordEnding = 26;
inline constexpr int kRecordDuration = 34;
inline constexpr int kRecordLength = 39;

// The durations module's records: one line per aspect of the grid.
struct DurationRecords {
    std::vector<std::string> recordLines;
    int16_t recordCount = 0;
};

// The aspects of the last computation, as the main window holds them.
struct DurationGrid {
    int16_t currentMode = kModeNone;
    // The aspects found, in the grid's order (row by row).
    std::vector<AspectFound> aspects;
    // AJDates of the date rows: 0 world date, 1 1st birthdate, 2 2nd birthdate.
    std::array<double, 3> moments{};
    // J and z of the world date (see AspectSpanContext).
    double worldLocalDay = 0.0;
    int16_t zoneOffsetMinutes = 0;
};

// Rebuilds `records` from the grid: one record for every aspect, in the grid's order, with the beginning
// and end searched for every transit aspect.
void GetDurations(const AstroModule& astro, const DurationGrid& grid, DurationRecords& records);

}  // namespace orvane::core
