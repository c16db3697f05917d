#pragma once

// Δψ, the nutation in longitude, from its series: the 77 largest lunar–solar terms of the IAU 2000A
// nutation, as the IAU 2000B model takes them, over the fundamental arguments of the Moon and the Sun.
// Swiss Ephemeris' own nutation (its default model, IAU 2000B) sums the same terms over the same
// arguments and leaves out 2000B's fixed offset for the planetary terms, as this does: the two agree
// within 1e-9″ over years 1–2900.

namespace orvane::platform {

// Δψ in radians at `momentTt` (Julian date, Terrestrial Time).
double LunisolarNutation(double momentTt);

}  // namespace orvane::platform
