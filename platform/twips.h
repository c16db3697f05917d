#pragma once

// Window geometry is given in twips (1/1440 inch). The windows lay themselves out in Qt's device-
// independent pixels at 15 twips a pixel; Qt scales those by the screen's device-pixel ratio.

#include <cstdint>

namespace orvane::platform {

inline constexpr int32_t kTwipsPerPixel = 15;

// Twips to device-independent pixels, rounded to the nearest pixel (halves away from zero).
constexpr int Px(int32_t twips)
{
    return static_cast<int>(twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                                       : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel));
}

// A window's outer size, which its layout counts from, exceeds its inner area by a title bar and a lower
// border (height) and two side borders (width); Qt's sizes are the inner ones.
inline constexpr int32_t kWindowFrameHeight = 450;
inline constexpr int32_t kWindowFrameWidth = 120;

// Device-independent pixels to twips.
constexpr int32_t Twips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

}  // namespace orvane::platform
