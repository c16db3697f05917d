#pragma once

// Where the aspect timeline opens: beside or below the main window, so that the grid or chart it drives
// stays in sight, within the screen's available area.

#include <cstdint>
#include <optional>

namespace orvane::display {

// A window's outer rectangle (its frame, title bar included) or the screen's available area, in pixels.
struct ScreenRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t Right() const { return left + width; }    // one past the last column
    int32_t Bottom() const { return top + height; }  // one past the last row
    bool operator==(const ScreenRect&) const = default;
};

struct TimelinePlace {
    ScreenRect timeline;
    int32_t mainLeft = 0;  // where the main window's frame stands: moved sideways only to make room
    bool operator==(const TimelinePlace&) const = default;
};

// The sizes of the timeline's frame: what it needs at least, and the width from which a place beside the
// main window beats one below it (the rows want the screen's height).
struct TimelineSizes {
    int32_t leastWidth = 0;
    int32_t leastHeight = 0;
    int32_t goodWidth = 0;
};

// The timeline's frame for a main window whose frame is `main` on a screen whose available area is
// `area`, in this order: beside the main window, on the side with more room and at the area's height,
// where that side is `goodWidth` wide; the same after the main window moved to the area's left edge;
// below the main window across the area, where `leastHeight` is left there; beside it (moved or not) at
// `leastWidth`; else, on a screen too small for both, over the main window's lower part.
TimelinePlace PlaceTimeline(const ScreenRect& main, const ScreenRect& area, const TimelineSizes& sizes);

}  // namespace orvane::display
