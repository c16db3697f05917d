#pragma once

// The stays of aspects within their orbs as the tables list them, one row a stay: entry, exact moments,
// exit and the tightest deviation, for the companion's event list and calendar alike.

#include "core/astro_module.h"
#include "core/events.h"
#include "display/timeline.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orvane::display {

struct OrbWindow {
    core::EventPair pair;
    core::Aspect aspect = core::Aspect::Conjunction;
    TimelineBar bar;        // entry, exit (or the span's ends where it cuts the stay) and the exact moments
    double tightest = 0.0;  // the least deviation from exact within the stay (radians); 0 when it is exact

    // How long the stay lasts in days; unknown where the span cuts it.
    std::optional<double> Days() const
    {
        return bar.openStart || bar.openEnd ? std::nullopt : std::optional<double>(bar.to - bar.from);
    }
};

// Every stay within orb over from … to of the pairs and aspects `filter` asks for (with its orbs), in the
// convention given, ordered by entry; `moments` are the date rows' moments, as for the event search.
std::vector<OrbWindow> OrbWindows(const core::AstroModule& astro, core::Mode mode, const std::array<double, 3>& moments,
                                  double from, double to, core::EventFilter filter, platform::Convention convention);

}  // namespace orvane::display
