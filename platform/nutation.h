#pragma once

// The nutation in longitude, Δψ: the true equinox of date runs ahead of the mean one by it along the
// ecliptic (nutation moves the equator, not the ecliptic, so in ecliptic coordinates it is a turn about the
// ecliptic's pole by Δψ alone). A longitude in the true ecliptic and equinox of date is the one in the mean
// ecliptic and equinox of date plus Δψ, the same for every body at one moment.
//
// Δψ comes from the lunar–solar series Swiss Ephemeris uses for it (nutation_series.h), at the moment in
// Terrestrial Time Swiss Ephemeris' own ΔT gives, so that it is Swiss Ephemeris' Δψ to within 1e-9″ at a
// fraction of the cost. Moments asked in sequence, as a search asks them, read it from the cubic through the
// four nearest daily values instead (its fortnightly 0.23″ and nine-day 0.03″ terms stray from that cubic
// by under 0.0007″ together); each thread keeps the daily values it worked out. A moment far from the last
// one asked gets Δψ of its own.


namespace orvane::platform {

struct Nutation {
    double longitude = 0.0;  // Δψ, radians
    double rate = 0.0;       // its rate per day (only where asked for)
};

// Δψ at `moment` (Julian date, UT), with its rate when `withRate`.
Nutation NutationInLongitude(double moment, bool withRate);

// Forgets the daily values and the last moment this thread asked, as if it had asked none.
void ForgetNutationInSequence();

}  // namespace orvane::platform
