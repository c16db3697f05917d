#pragma once

// The one computation of the program: the input dates of the current mode become moments, the core
// computes the bodies' positions, the aspects of every pair and the patterns (core::ComputeAspects), and
// the result is kept and written into the grid, the title and the summary; a run in progress is asked
// whether it may stop.

#include "core/aspect_result.h"
#include "datetime/date_input.h"
#include "app/workspace.h"
#include "search/run_model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace orvane::app {

// What a computation leaves for the window to show.
struct ComputeOutcome {
    // Whether the date rows the mode uses converted: when one did not, its code and message (the first
    // such row in `refusedRow`), the input-error flag is set and nothing else changed. The window that is
    // still loading drops the outcome of its first computation, and with it such a message.
    platform::Result<void> dates;
    std::optional<int16_t> refusedRow;
    // False when the dates did not convert or no mode is chosen.
    bool computed = false;
    // Set when a run in progress found what it looked for (and has been stopped).
    std::optional<platform::Message> found;
};

// Compute: the whole result is replaced, or, on a date error, nothing is changed.
ComputeOutcome Compute(Workspace& program);

// Compute for one step of a search in world transits (a run, or the companion's find): only what the stop
// test reads. The positions of the world moment are computed and the sought pattern's count, as the
// summary would store it, into patternCounts (the run hears of the patterns found as in Compute); the
// result, grid, title, summary and the other patterns' counts are left as they were. A step that finds
// what the run seeks is computed in full by Compute, so that everything it shows belongs to it; so is
// every step when no run looks for a pattern or the mode is not world transits.
ComputeOutcome SearchCompute(Workspace& program);

// The aspects the grid shows in `mode` while its date rows hold `moments` (Julian dates, UT: 0 the world
// date, 1 and 2 the birthdates): the computation Compute makes, with the workspace's orbs, bodies and
// boldface rule, leaving the workspace as it is. The orbs and the number of bodies are those last applied
// to the astro module (as Compute applies them).
core::AspectResult AspectsAt(const Workspace& program, core::Mode mode,
                             const std::array<double, core::kNumDateRows>& moments);

// The caption of titleText for the mode and the view, with the orbs appended.
std::string SetGridTitle(const Workspace& program, core::Mode mode);

// `title` with the orbs of the mode appended: a single orb when all are equal, otherwise the range.
std::string AddOrbToTitle(const Workspace& program, const std::string& title, bool personal, bool addPeriod);

}  // namespace orvane::app
