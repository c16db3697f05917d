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
// strays from a term of period P and amplitude A by about 0.023·A·(2πh/P)⁴, the quintic through six by
// 0.0049·A·(2πh/P)⁶; the steps keep every body within 0.0003″ of the direct value over two thousand
// years (tests/platform/test_convention_shift): Mercury 2 days (the quintic: under 0.0001″; the cubic
// strayed by 0.001″), the Earth 4 (the Moon's monthly pull on its speed shows in its light-time), Venus
// 8, Mars 16, Jupiter … Pluto 32, each through the cubic.
// The rates take the difference of Swiss Ephemeris' apparent and geometric rates from a cubic through
// the same nodes, so that they are the rates a direct computation gives (within 0.0003″ a day for
// Mercury). Those leave out the change of the light-time itself; the slope of the shift would not, but
// then a lone moment's rates and a search's would differ by up to 0.5″ a day (Mercury).
//
// Each thread keeps the nodes it worked out per body in a direct-mapped table, so that a search moving
// back and forth over a year finds them again. A moment in apparent positions is asked in sequence when
// it lies within a light-time node step of the last one asked for the body in the convention or when
// what it needs is at hand (a search works its chunk's nodes out ahead, PrepareInSequence); any other (a
// lone moment, such as a single chart's) is computed directly, exactly as Swiss Ephemeris gives it, and
// so is every geometric one (the frame of date costs it little more than J2000).

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

// A body's longitude in a convention, without the nutation, read whole from the curve through its values
// at nodes, each computed with `direct` when not at hand (the J2000 geometric position, the light-time
// shift from its own nodes, the turn into the mean frame of date): a search asks a longitude many times
// more often than the nodes cost. The orbits are smooth enough that the septic through eight nodes a day
// apart (Mercury, its equation of the centre 23.7° over 88 days) and the quintic through six 4 days apart
// (Venus), 2 (the Earth, whose monthly swing about the Earth–Moon barycentre moves its longitude by 6″),
// 8 (Mars) and 16 (Jupiter … Pluto) follow Swiss Ephemeris' own longitude as closely as the ephemeris
// follows any smooth curve: its positions wiggle by up to 0.0015″ (Mercury), 0.0012″ (the Earth), 0.0007″
// (Venus), 0.001″ (Mars), 0.0002″ (Jupiter) and under 0.0001″ (the others) about one, mostly where it
// joins two stored stretches. Nothing for a body read otherwise or when a node cannot be computed.
using DirectLongitude = std::optional<double> (*)(int32_t planet, double moment, Convention convention);
std::optional<double> WholeLongitudeInSequence(int32_t planet, double moment, Convention convention,
                                              DirectLongitude direct);

// Forgets every node and the last moment asked of each body in this thread, as if it had asked none.
void ForgetShiftsInSequence();

// Works out ahead every node the spans' moments in `convention` read (the light-time's, the turn's into
// the frame of date, the longitudes'), all bodies together in the order of time, so that
// Swiss Ephemeris reads each stretch of its files once for them; left to themselves, nodes worked out as
// a search first needs them lie days to weeks ahead of the moments it asks, and each sends the library
// back and forth between two stretches of its files.
void PrepareInSequence(std::span<const SequenceSpan> spans, Convention convention, DirectLightTime shift,
                       DirectLongitude longitude);

}  // namespace orvane::platform
