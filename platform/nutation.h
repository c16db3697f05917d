#pragma once

// The nutation in longitude, Δψ: the true equinox of date runs ahead of the mean one by it along the
// ecliptic (nutation moves the equator, not the ecliptic, so in ecliptic coordinates it is a turn about the
// ecliptic's pole by Δψ alone). A longitude in the true ecliptic and equinox of date is the one in the mean
// ecliptic and equinox of date plus Δψ, the same for every body at one moment.
//
// Swiss Ephemeris works Δψ out afresh for each new moment, which costs more than a planet's position.
// Moments asked in sequence, as a search asks them, read it from the cubic through the four nearest daily
// values instead (its fastest term, a fortnightly 0.2″, strays from that cubic by under 0.0003″); each
// thread keeps the daily values it worked out. A moment far from the last one asked gets Δψ of its own.

#include <optional>

namespace orvane::platform {

struct Nutation {
    double longitude = 0.0;  // Δψ, radians
    double rate = 0.0;       // its rate per day (only where asked for)
};

// Δψ at `moment` (Julian date, UT), with its rate when `withRate`; nothing when the ephemeris cannot give it.
std::optional<Nutation> NutationInLongitude(double moment, bool withRate);

}  // namespace orvane::platform
