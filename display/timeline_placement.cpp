#include "display/timeline_placement.h"

#include <algorithm>

namespace orvane::display {
namespace {

// The timeline beside the main window, on the side with more room, the area's height; none when that
// side is narrower than `width`.
std::optional<ScreenRect> Beside(const ScreenRect& main, const ScreenRect& area, int32_t width)
{
    const int32_t right = area.Right() - std::max(main.Right(), area.left);
    const int32_t left = std::min(main.left, area.Right()) - area.left;
    if (std::max(left, right) < width)
        return std::nullopt;
    return right >= left ? ScreenRect{area.Right() - right, area.top, right, area.height}
                         : ScreenRect{area.left, area.top, left, area.height};
}

}  // namespace

TimelinePlace PlaceTimeline(const ScreenRect& main, const ScreenRect& area, const TimelineSizes& sizes)
{
    ScreenRect atLeftEdge = main;
    atLeftEdge.left = area.left;
    const int32_t below = area.Bottom() - std::max(main.Bottom(), area.top);
    for (const int32_t width : {sizes.goodWidth, sizes.leastWidth}) {
        if (const std::optional<ScreenRect> beside = Beside(main, area, width))
            return {*beside, main.left};
        if (const std::optional<ScreenRect> beside = Beside(atLeftEdge, area, width))
            return {*beside, area.left};
        // Below, across the area, before a narrow place beside.
        if (width == sizes.goodWidth && below >= sizes.leastHeight)
            return {{area.left, area.Bottom() - below, area.width, below}, main.left};
    }
    // A screen too small for both side by side: the timeline covers the main window's lower part.
    const int32_t height = std::min(area.height, std::max(sizes.leastHeight, below));
    return {{area.left, area.Bottom() - height, area.width, height}, main.left};
}

}  // namespace orvane::display
