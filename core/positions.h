#pragma once

// Heliocentric longitudes of the nine bodies: Earth and Mercury … Neptune from the ephemeris, Pluto from
// its daily table.

#include "core/pluto_table.h"
#include "core/vocabulary.h"
#include "platform/ephemeris.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane::core {

// Returned for a body index outside 1 … 9, or a moment the ephemeris cannot compute (negative: no
// position).
inline constexpr double kUnknownBody = -1.0;

// Why a body has no position.
enum class NoPosition : uint8_t {
    NotInUse,          // a body the computation leaves out (Pluto without its table), or a moment not compared
    BeforePlutoTable,  // Pluto before the first day of its table, 1 January 1600
    AfterPlutoTable,   // Pluto after its last day, 31 December 2199 (or a day the table lacks)
    NoEphemeris,       // the ephemeris gave none
};

// A body's heliocentric longitude at a moment, or why it has none.
struct Position {
    std::optional<double> longitude;            // radians, 0 … 2π
    NoPosition missing = NoPosition::NotInUse;  // read only when there is no longitude

    bool operator==(const Position&) const = default;
};

// The position that a longitude of the ephemeris layer stands for: a negative value is no longitude, and
// the Pluto table's values before and after it say why.
Position PositionOf(double helioLongitude);

// Whether a body takes part in the computation (it has a position, or a reason other than NotInUse).
constexpr bool InUse(const Position& position)
{
    return position.longitude || position.missing != NoPosition::NotInUse;
}

// The positions of the nine bodies at one moment.
class ChartPositions {
public:
    const Position& operator[](Body body) const { return m_positions[SlotOf(body) - 1]; }
    Position& operator[](Body body) { return m_positions[SlotOf(body) - 1]; }

    bool operator==(const ChartPositions&) const = default;

private:
    std::array<Position, kNumBodies> m_positions{};
};

// The ephemeris' own planet number of a body index: Earth 3, Mercury 1, Venus 2; Mars … Pluto keep
// theirs (4 … 9). 0 for an index outside 1 … 9.
int32_t EphemerisPlanetNumber(int16_t body);

// Heliocentric ecliptic longitude (J2000, radians) of `body` at `moment` (Julian date, UT). Pluto comes
// from `pluto` and may be kPlutoBeforeTable or kPlutoAfterTable.
double HelioLongitude(const PlutoTable& pluto, Body body, double moment);

// The same in `convention`: in the default one exactly the above; in any other every body, Pluto included,
// from the ephemeris in that convention (Pluto then has a position in every year the ephemeris covers).
double HelioLongitude(const PlutoTable& pluto, Body body, double moment, platform::Convention convention);

// A body and the moments from `from` to `to` a search is about to ask of it.
struct BodySpan {
    Body body{};
    double from = 0.0;
    double to = 0.0;
};

// Tells the ephemeris the moments a search is about to ask of the bodies in `convention`, so that what it
// reads them from in a convention other than the default is worked out ahead, all bodies together in the
// order of time (see platform::PrepareSequence); each of those moments then counts as asked in sequence.
void PrepareMoments(std::span<const BodySpan> spans, platform::Convention convention);

// Whether Pluto's longitudes come from its table in `convention` (the default convention only).
constexpr bool PlutoFromTable(platform::Convention convention)
{
    return convention.IsDefault();
}

// The number of bodies in use in `convention`: as NumPlanetsFor in the default one, 9 in any other.
int16_t NumPlanetsIn(platform::Convention convention, bool plutoTableRead);

// Latitude, distance and their rates (see platform::HelioState; the Earth's are the Earth–Moon
// barycentre's) of `body` at `moment` in `convention`, the longitude as HelioLongitude above gives it.
// Nothing where the body has no longitude there (Pluto outside its table in the default convention, whose
// latitude and distance then come from the ephemeris for the table's years only).
std::optional<platform::HelioState> HelioStateOf(const PlutoTable& pluto, Body body, double moment,
                                                 platform::Convention convention, bool withSpeed);

// The number of bodies in use: 9 with a Pluto table, 8 without.
int16_t NumPlanetsFor(bool plutoTableRead);

// How far a body's heliocentric longitude moves in one day, in radians: never less than `least`, never
// more than `greatest`. Every body moves forward in heliocentric longitude; it moves fastest at
// perihelion, where Kepler's second law gives n·√(1 + e) / (1 − e)^{3/2} for the mean daily motion n
// and the eccentricity e, and slowest at aphelion, n·√(1 − e) / (1 + e)^{3/2}. Seen in the ecliptic a
// body on an orbit inclined by i moves up to 1 / cos i faster and down to cos i slower. The bounds add a
// tenth to the fastest and take a tenth from the slowest motion, more than the planets' perturbations,
// the Moon's pull on the Earth and the drift of the orbits over the program's years ever change.
struct DailyMotion {
    double least = 0.0;
    double greatest = 0.0;
};

// The bounds of a body.
DailyMotion DailyMotionOf(Body body);

// The most the separation of two bodies (and so any aspect's deviation) can change in one day, in
// radians: with both bodies moving forward, the difference of their motions lies between
// least(p1) − greatest(p2) and greatest(p1) − least(p2). With `firstFixed` body p1 stands still (a natal
// position) and only p2's motion counts.
double GreatestDailySeparationChange(Body p1, Body p2, bool firstFixed);

// The most the daily motion of a body can change in one day, in radians per day², and the most that change
// can change in a day (radians per day³), for the J2000 longitudes of years 1 … 3000. For an orbit the
// Keplerian part of the first is at most 2·n²·e / (1 − e)³; to it come the Sun's own pull towards
// Jupiter and Saturn (the positions are heliocentric) divided by the body's least distance, the tilt of
// the orbit seen in the ecliptic, the slow change of the orbits over the centuries and, for the Earth,
// its monthly swing about the Earth–Moon barycentre. The bounds are twice the greatest that the
// ephemeris' longitudes show over those years (second and third differences at a step of a day for
// the inner bodies and of 8 to 64 days for the outer ones). Over any span the motion then differs
// from its mean over a known earlier span by no more than the first bound times the spans' lengths,
// and a longitude from the parabola through three known ones by no more than the second bound times
// the product of the distances to them, over six.
double GreatestDailyAcceleration(Body body);
double GreatestDailyJerk(Body body);

// What the nutation in longitude, which every longitude of date carries alike, may add to one body's
// longitude beyond its leading term (17.2″ over 18.6 years, which moves as smoothly as the slow bodies):
// the sum of the other terms' amplitudes, some 2.3″, in radians. It cancels between two bodies taken at
// one moment, but not against a natal longitude.
inline constexpr double kNutationBeyondLeadingTerm = 1.2e-5;
// The leading term's own greatest change of rate a day, and of that change a day (17.2″ · ω², · ω³).
inline constexpr double kNutationLeadingAcceleration = 8.0e-11;
inline constexpr double kNutationLeadingJerk = 8.0e-14;

// How far a computed longitude of `body` may stray from the smooth motion the bounds above describe,
// in radians: Pluto's table holds whole arcseconds, the ephemeris' series agree far better.
double LongitudeRounding(Body body);

// What a table or a rounded ephemeris value may stray from the smooth motion the bounds above describe,
// in radians (Pluto's table holds whole arcseconds): a change of separation over any number of days is
// bounded by that many times the daily bound plus this.
inline constexpr double kLongitudeRoundingSlack = 2.0e-5;

}  // namespace orvane::core
