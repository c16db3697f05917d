#pragma once

// The turn from the ecliptic and equinox of J2000 to the mean ecliptic and equinox of date: precession,
// a rotation the same for every body at one moment. Swiss Ephemeris applies it to each position it is
// asked for in the frame of date; a search, asking many, turns the J2000 position itself instead.
//
// The rotation's elements change slowly and evenly (50″ a year of precession in longitude, the ecliptic's
// tilt by under half an arcsecond a year, their terms of centuries' and millennia's period), so a cubic
// through their values 512 days apart reproduces them far below a ten-thousandth of an arcsecond: a
// position turned with it stays within 1.4e-7″ of Swiss Ephemeris' own of date (1e-8″ with nodes 32 days
// apart, 9e-7″ 2048 days apart; years 1–2900). A search over the centuries a cycle of Neptune and Pluto
// spans thus works out a node for every 1.4 years instead of every month. Each node is taken from Swiss
// Ephemeris itself: three bodies' geometric positions in both frames fix the rotation. Each thread keeps
// the nodes it worked out.

#include "platform/ephemeris.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace orvane::platform {

// Row-major 3 × 3 rotation (J2000 → mean of date) and its rate per day.
struct FrameTurn {
    std::array<double, 9> matrix{};
    std::array<double, 9> rate{};
};

// The turn at `moment` (Julian date, UT), with its rate when `withRate`; nothing when the ephemeris fails.
std::optional<FrameTurn> TurnToMeanOfDate(double moment, bool withRate);

// True when the nodes TurnToMeanOfDate needs at `moment` are at hand in this thread.
bool TurnIsAtHand(double moment);

// The turn's nodes by number, for working them out ahead in the order of time: the first and last node the
// moments from `from` to `to` read, a node's moment, whether it is at hand, and working it out (false when
// the ephemeris fails).
std::pair<int64_t, int64_t> TurnNodesOver(double from, double to);
double TurnNodeMoment(int64_t index);
bool TurnNodeAtHand(int64_t index);
bool WorkOutTurnNode(int64_t index);

// Forgets the nodes this thread worked out.
void ForgetTurnNodes();

// `state` (a J2000 polar position with its rates, as HelioState holds them) turned into the mean frame of
// date; the distance and its rate stay as they are.
void Turn(const FrameTurn& turn, HelioState& state, bool withRate);

}  // namespace orvane::platform
