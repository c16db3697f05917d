#pragma once

// What a printed or exported page of the grid says above it, so that a client's sheet can be filed: the
// mode, every date the grid was computed for as the window shows it (the precise moment where a row holds
// one), and the convention of the positions.

#include "app/workspace.h"

#include <string>
#include <vector>

namespace orvane::app {

// "World transits · Positions: J2000 ecliptic, geometric", then one line per date the mode uses:
// "World date: March 14, 1978, 06:45 (Europe/Vienna, GMT+1:00)", in the current language.
std::vector<std::string> PageHeading(const Workspace& program);

}  // namespace orvane::app
