#pragma once

// The sizes and duration of the notices the main window pops up (loading, restored, saved), in twips and
// milliseconds.

#include <cstdint>

namespace orvane::gui {

inline constexpr int16_t kPopUpWidth = 2400;
inline constexpr int16_t kPopUpHeight = 300;
inline constexpr int16_t kSaveAsPopUpHeight = 350;
inline constexpr int16_t kPopUpDuration = 2000;
inline constexpr int16_t kLoadingWidth = 2000;

}  // namespace orvane::gui
