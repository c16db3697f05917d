#pragma once

// The transit picture of one personal-transit aspect without a picture: the course of the transiting
// body's deviation from the exact aspect between the day the aspect comes into orb and the day it
// leaves it, sampled for drawing, with the time rows beside it, the orb scale above it and its caption,
// and the right-click report of a point on the curve.
//
// The picture is laid out in pixels of the picture's scale unit s (15 twips); its height runs over 393
// samples, one pixel each, from 21 to 413 pixels. Half its width, 300 pixels, stands for the orb.

#include "core/astro_module.h"
#include "datetime/date_rows.h"
#include "platform/message.h"
#include "text/language.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvane::display {

inline constexpr int32_t kTransitPictureWidth = 10950;  // twips
inline constexpr int32_t kTransitPictureHeight = 6600;
inline constexpr int kTransitUnit = 15;           // s: twips per pixel
inline constexpr int kTransitRows = 29;           // time rows 0 … 28
inline constexpr int kTransitRowPitch = 14;       // pixels from one row's line to the next
inline constexpr int kTransitRowLineTop = 21;     // row 0's line, in pixels
inline constexpr int kTransitLeft = 120;          // the rows' lines run from here …
inline constexpr int kTransitRight = 720;         // … to here (pixels)
inline constexpr int kTransitCentre = 420;        // x of the exact aspect (pixels)
inline constexpr int kTransitHalfWidth = 300;     // pixels standing for the orb
inline constexpr int kTransitScaleStep = 40;      // pixels between the scale's guide lines
inline constexpr int kTransitScaleSteps = 7;
inline constexpr int32_t kTransitCourseTop = 315;     // twips
inline constexpr int32_t kTransitCourseBottom = 6195;
inline constexpr int32_t kTransitCourseStep = 15;
inline constexpr int kTransitSamples = 393;
inline constexpr int32_t kTransitCaptionTop = 6210 + 7 * kTransitUnit;  // twips

struct TransitPicture {
    core::Aspect aspect = core::Aspect::Conjunction;
    double orb = 0.0;    // the personal-transit orb of the aspect, radians
    double color = 0.0;  // the aspect's colour
    double beginning = 0.0;  // local day numbers of the first and the last day in orb
    double ending = 0.0;
    // "2000-01-05 12:00" of each time row, and the row of the world date.
    std::array<std::string, kTransitRows> rowLabels;
    int markedRow = 0;
    // The scale's texts: 0 at the centre, then j × orb / 7.5 for j = 1 … 7 on both sides.
    std::array<std::string, kTransitScaleSteps + 1> scaleLabels;
    // The deviation of each sample from the exact point (radians, signed), when within the orb.
    std::array<std::optional<double>, kTransitSamples> course;
    std::string caption;
    bool operator==(const TransitPicture&) const = default;
};

// The picture of natal body p1, transiting body p2 and aspect `aspect`, in orb from local day b to day e,
// the world date's zone `zoneMinutes` east of Greenwich. `rows` are the date rows (a copy: converting them
// cleans them), `birthRow` the birthdate of the personal transits, `caption` the sentence to caption it
// with, whose first "X" becomes the birthdate " (2000-01-05)"; `language` the language the rows convert in.
TransitPicture MakeTransitPicture(const core::AstroModule& astro, datetime::DateRows rows, int16_t birthRow,
                                  core::Body p1, core::Body p2, core::Aspect aspect, int16_t zoneMinutes, double b,
                                  double e, const std::string& caption, const text::Language& language);

// The x of a deviation, in pixels.
double CourseX(const TransitPicture& picture, double deviation);
// The y of sample k, in pixels.
constexpr int CourseY(int k)
{
    return (kTransitCourseTop + k * kTransitCourseStep) / kTransitUnit;
}

// The right-click at (x, y) twips over a point of colour `color`: the date, time and deviation from the
// exact aspect of that point of the curve; nothing over the background or outside the course.
std::optional<platform::Message> TransitCurveReport(const TransitPicture& picture, const text::Language& language,
                                                    int32_t x, int32_t y, double color);

}  // namespace orvane::display
