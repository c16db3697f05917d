#pragma once

// The timeline's pattern lanes, below the aspect rows: one lane for each pattern with the same bodies (as
// the summary names them), each life of it a bar from the moment it forms to the moment it dissolves, its
// tightest moment marked. The lanes follow the sky of one moment, as the summary's patterns do: world
// transits and the natal modes (whose timeline also follows the sky); the two-moment modes have none.
// The midpoints are left out: a year holds hundreds of them, each lasting hours.

#include "core/modes.h"
#include "core/pattern_lifetimes.h"
#include "platform/ephemeris.h"

#include <array>
#include <string>
#include <vector>

namespace orvane::text {
class Language;
}

namespace orvane::display {

// A lane, or the heading above the lanes of one pattern (which names the pattern and has no lives).
struct PatternLane {
    bool heading = false;
    int16_t pattern = 0;
    std::vector<core::Body> bodies;
    std::vector<core::PatternOccurrence> lives;  // in the order of time
};

// The lanes of `mode` over from … to with the orbs of `astro`, in `convention`, by pattern index, each
// pattern's under its heading, then by the first formation; none outside the one-moment modes.
std::vector<PatternLane> BuildPatternLanes(const core::AstroModule& astro, core::Mode mode, double from, double to,
                                           platform::Convention convention = {});

// The lanes whose bodies are all ticked in `bodies` (by body index 1 … 9), as the aspect rows keep pairs,
// and the headings of the patterns that keep a lane.
std::vector<PatternLane> KeepLaneBodies(const std::vector<PatternLane>& lanes, const std::array<bool, core::kBodySlots>& bodies);

// The lane's label: the bodies, "Ea-Me-Sa"; a heading's, the pattern's name.
std::string LaneLabel(const core::AstroTables& tables, const PatternLane& lane);

// The life of `lane` at `moment`, widened by `slackDays` each side; null when none.
const core::PatternOccurrence* LifeAt(const PatternLane& lane, double moment, double slackDays);

// The hover text of a life: the pattern and its bodies by name, then when it formed, when it was tightest
// with its mean deviation, and when it dissolved, in local time `zoneMinutes` east of Greenwich.
std::string LifeText(const core::AstroTables& tables, const text::Language& language,
                     const core::PatternOccurrence& life, int16_t zoneMinutes);

}  // namespace orvane::display
