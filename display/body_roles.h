#pragma once

// Who transits whom: the role of each body of an aspect in the two-date modes, for every table and
// calendar that names the two bodies, so that a row reads "Saturn square natal Venus", not "Saturn square
// Venus", and synastry says whose chart a body belongs to.

#include "core/modes.h"

#include <cstdint>
#include <string>

namespace orvane::display {

enum class BodyRole { None, Transiting, Natal1, Natal2 };

struct PairRoles {
    BodyRole first = BodyRole::None;
    BodyRole second = BodyRole::None;
};

// The roles of an event's body1 and body2 (core::Event, core::EventPair) in `mode`: the transiting body,
// then the natal one, in personal transits; the 1st birthdate's, then the 2nd's, in synastry; none in
// the one-chart modes.
PairRoles EventRoles(core::Mode mode);

// The roles of the grid's row and column bodies (core::AspectFound body1, body2) in `mode`: the natal body
// is the row's in personal transits, the 2nd birthdate's in synastry.
PairRoles GridRoles(core::Mode mode);

// The role as the machine formats write it: "transiting", "natal1", "natal2"; empty for none.
const char* RoleKey(BodyRole role);

// A body's name with its role as people read it: `natal` ("natal [r1]") filled with the name for the
// natal body of a personal transit, "Venus (1)" or "Venus (2)" in synastry, the name alone otherwise.
std::string NameWithRole(const std::string& name, BodyRole role, BodyRole otherRole, const std::string& natal);

}  // namespace orvane::display
