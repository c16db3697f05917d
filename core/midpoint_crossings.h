#pragma once

// The moments at which a body comes onto or leaves the midpoint of two others (or the point opposite that
// midpoint) within the midpoint orb: the moments at which the midpoint check's answer can change, besides
// those at which a conjunction begins or ends.
//
// A body at L stands within `orb` of the midpoint (L1 + L2) / 2 or of the point opposite it exactly when
// 2L − L1 − L2, taken round the circle, lies within 2·orb of 0: the test of the midpoint check, written
// as one angle that changes smoothly with time. For every body and every pair of the other bodies that
// angle is followed from day to day on the samples; where it passes 2·orb or −2·orb the moment is found on
// the cubic through the four nearest days (split where the angle turns back within the day, as it can
// where Mercury is involved) and then corrected once on the ephemeris itself.

#include "core/longitude_samples.h"

#include <vector>

namespace orvane::core {

// Every such moment from samples.From() up to samples.To() (excluded) for the bodies in use, sorted. A
// moment may be listed more than once when two bodies cross together.
std::vector<double> MidpointCrossings(const LongitudeSamples& samples, double orb);

}  // namespace orvane::core
