#include "display/timeline_placement.h"

#include <algorithm>

namespace orvane::display {

TimelinePlace PlaceTimeline(const ScreenRect& main, const ScreenRect& area, int32_t leastWidth, int32_t leastHeight)
{
    TimelinePlace place{{}, main.left};
    const int32_t below = area.Bottom() - std::max(main.Bottom(), area.top);
    if (below >= leastHeight) {
        place.timeline = {area.left, area.Bottom() - below, area.width, below};
        return place;
    }
    const int32_t right = area.Right() - std::max(main.Right(), area.left);
    const int32_t left = std::min(main.left, area.Right()) - area.left;
    if (std::max(left, right) >= leastWidth) {
        place.timeline = right >= left ? ScreenRect{area.Right() - right, area.top, right, area.height}
                                       : ScreenRect{area.left, area.top, left, area.height};
        return place;
    }
    if (area.width - main.width >= leastWidth) {
        place.mainLeft = area.left;
        place.timeline = {area.left + main.width, area.top, area.width - main.width, area.height};
        return place;
    }
    // A screen too small for both side by side: the timeline covers the main window's lower part.
    const int32_t height = std::min(area.height, std::max(leastHeight, below));
    place.timeline = {area.left, area.Bottom() - height, area.width, height};
    return place;
}

}  // namespace orvane::display
