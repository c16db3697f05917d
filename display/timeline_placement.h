#pragma once

// Where the aspect timeline opens: beside or below the main window, so that the grid or chart it drives
// stays in sight, within the screen's available area.

#include <cstdint>

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

// The timeline's frame for a main window whose frame is `main` on a screen whose available area is
// `area`; the timeline needs at least `leastWidth` × `leastHeight`. In this order: below the main window
// across the area's width, where the room there is high enough; beside it, on the side with more room
// and the area's height, where that side is wide enough; beside it after the main window moved to the
// area's left edge, where the area is wide enough for both; else over the main window's lower part.
TimelinePlace PlaceTimeline(const ScreenRect& main, const ScreenRect& area, int32_t leastWidth, int32_t leastHeight);

}  // namespace orvane::display
