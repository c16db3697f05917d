#pragma once

// Light-time to the Sun for moments asked in sequence. An apparent heliocentric position is the body
// where it was when the light now reaching the Sun left it; Swiss Ephemeris iterates that light-time at
// every call, which costs more than twice the geometric position. The shift it gives the position is
// smooth: about −(dL/dt)·r/c in longitude (Mercury: some −32″, swinging by ±7″ over its 88 days with
// the harmonics of its eccentric orbit), likewise −(dβ/dt)·r/c in latitude and −(dr/dt)·r/c in
// distance. A search therefore takes the geometric position and adds the shift read from the cubic
// through its values at nodes a fixed step apart, each node one direct computation (J2000 apparent less
// J2000 geometric; the frame of date turns both alike, see mean_frame.h; Mercury's are worked out from its
// geometric state, see ephemeris.cpp). A cubic through nodes h apart
// strays from a term of period P and amplitude A by about 0.023·A·(2πh/P)⁴; the steps keep every body
// within 0.001″ of the direct value over two thousand years (tests/platform/test_convention_shift):
//   Mercury 2 days (up to 0.001″), the Earth 4 (the Moon's monthly pull on its speed shows in its
//   light-time), Venus 8, Mars 16, Jupiter … Pluto 32.
// The rates take the difference of Swiss Ephemeris' apparent and geometric rates from a cubic through
// the same nodes, so that they are the rates a direct computation gives (within 0.0003″ a day for
// Mercury). Those leave out the change of the light-time itself; the slope of the shift would not, but
// then a lone moment's rates and a search's would differ by up to 0.5″ a day (Mercury).
//
// Each thread keeps the nodes it worked out per body in a direct-mapped table, so that a search moving
// back and forth over a year finds them again. A moment in apparent positions is asked in sequence when
// it lies within a node step of the last one asked for the body in the convention or when what it needs
// is at hand; any other (a lone moment, such as a single chart's) is computed directly, exactly as Swiss
// Ephemeris gives it, and so is every geometric one (the frame of date costs it little more than J2000).

#include "platform/ephemeris.h"

#include <cstdint>
#include <optional>
#include <span>

namespace orvane::platform {

// Apparent less geometric position (J2000) and apparent less geometric rates per day, the longitude's
// within ±π. For the Earth this is the Earth's own (not the Earth–Moon barycentre's, whose light-time
// shift carries the monthly swing of the Earth about it: its states in apparent positions are computed
// directly).
using LightTimeShift = HelioState;

// Computes the shift of `planet` at `moment` directly, without rates; nothing when the ephemeris fails.
using DirectLightTime = std::optional<LightTimeShift> (*)(int32_t planet, double moment);

// Whether `moment` counts as asked in sequence for `planet` (1 … 9) in `convention` (see above); notes
// the moment as the last one asked.
bool AskedInSequence(int32_t planet, double moment, Convention convention);

// The shift of `planet` (1 … 9) at `moment` from the cubic through its nodes, each computed with
// `direct` when not at hand; nothing for an unknown planet or when a node cannot be computed.
std::optional<LightTimeShift> LightTimeInSequence(int32_t planet, double moment, bool withRate,
                                                  DirectLightTime direct);

// The longitude of the slow bodies (Mars … Pluto) in a convention, without the nutation, read whole from
// the quintic through its values at six nodes, each computed with `direct` when not at hand: their orbits
// are smooth enough (Mars: its equation of the centre, 10.7°, over 687 days; the others slower still, the
// Sun's wobble about the barycentre included) that nodes every 8 days for Mars and 16 for Jupiter … Pluto
// give the longitude within 0.0002″ of the direct value beyond the ephemeris' own noise (which is 0.001″
// for Mars, 0.0002″ for Jupiter, under 0.0001″ for the others: the wiggle its positions show about any
// smooth curve). Nothing for a body read otherwise (Mercury, Venus, the Earth) or when a node cannot be
// computed.
using DirectLongitude = std::optional<double> (*)(int32_t planet, double moment, Convention convention);
std::optional<double> SlowLongitudeInSequence(int32_t planet, double moment, Convention convention,
                                              DirectLongitude direct);

// Works out ahead every node the spans' moments in `convention` read (the light-time's, the turn's into
// the frame of date, the slow bodies' longitudes'), all bodies together in the order of time, so that
// Swiss Ephemeris reads each stretch of its files once for them; left to themselves, nodes worked out as
// a search first needs them lie days to weeks ahead of the moments it asks, and each sends the library
// back and forth between two stretches of its files.
void PrepareInSequence(std::span<const SequenceSpan> spans, Convention convention, DirectLightTime shift,
                       DirectLongitude longitude);

}  // namespace orvane::platform
