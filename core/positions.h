#pragma once

// Heliocentric longitudes of the nine bodies: Earth and Mercury … Neptune from the ephemeris, Pluto from
// its daily table.

#include "core/pluto_table.h"

#include <cstdint>

namespace orvane::core {

// Returned for a body index outside 1 … 9 (negative: no position).
inline constexpr double kUnknownBody = -1.0;

// Year number of the civil day containing `moment` (a Julian date, UT), as the calendar layer's
// astronomers' calendar counts it.
int32_t CalendarYear(double moment);

// The ephemeris' own planet number of a body index: Earth 3, Mercury 1, Venus 2; Mars … Pluto keep
// theirs (4 … 9). 0 for an index outside 1 … 9.
int32_t EphemerisPlanetNumber(int16_t body);

// Heliocentric ecliptic longitude (J2000, radians) of `body` (1 Earth … 9 Pluto) at `moment` (Julian
// date, UT). Pluto comes from `pluto` and may be kPlutoBeforeTable or kPlutoAfterTable; an unknown body
// gives kUnknownBody.
double HelioLongitude(const PlutoTable& pluto, int16_t body, double moment);

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

// The bounds of body 1 … 9; {0, 0} for any other index (a body without positions does not move).
DailyMotion DailyMotionOf(int16_t body);

// The most the separation of two bodies (and so any aspect's deviation) can change in one day, in
// radians: with both bodies moving forward, the difference of their motions lies between
// least(p1) − greatest(p2) and greatest(p1) − least(p2). With `firstFixed` body p1 stands still (a natal
// position) and only p2's motion counts.
double GreatestDailySeparationChange(int16_t p1, int16_t p2, bool firstFixed);

// The most the daily motion of a slow body (Uranus, Neptune, Pluto) can change in one day, in radians per
// day²; 0 for the other bodies, whose motion changes too fast for it to be of use. For an orbit the
// Keplerian part is at most 2·n²·e / (1 − e)³; to it come the Sun's own pull towards Jupiter and Saturn
// (the positions are heliocentric) divided by the body's least distance, and the tilt of Pluto's orbit
// seen in the ecliptic. The bounds are twice the sum. Over any span the motion then differs from its mean
// over a known earlier span by no more than these times the spans' lengths.
double GreatestDailyAcceleration(int16_t body);

// How far a computed longitude of `body` may stray from the smooth motion the bounds above describe,
// in radians: Pluto's table holds whole arcseconds, the ephemeris' series agree far better.
double LongitudeRounding(int16_t body);

// What a table or a rounded ephemeris value may stray from the smooth motion the bounds above describe,
// in radians (Pluto's table holds whole arcseconds): a change of separation over any number of days is
// bounded by that many times the daily bound plus this.
inline constexpr double kLongitudeRoundingSlack = 2.0e-5;

}  // namespace orvane::core
