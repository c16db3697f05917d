#pragma once

// Angles as the program writes them: degrees and minutes ("12°5'") and places in the zodiac ("12Tau34",
// "12° in Taurus").

#include "core/vocabulary.h"

#include <string>

namespace orvane::display {

// How Rad2DegMin writes an angle.
struct DegMinOptions {
    bool omitZeroMinutes = false;     // "12°" rather than "12°0'"
    bool blankBeforeMinutes = false;  // "12° 5'" rather than "12°5'"
    bool allowNegative = false;       // "-0°30'" rather than nothing
    bool allowRollover = false;       // 359°59.7' reads "360°0'" rather than "359°59'"
};

// Angle text in degrees and minutes, e.g. "12°5'", "12° 5'", "12°", "-0°30'": whole degrees (an angle a
// hair below a whole degree, 29.999999°, counts as that degree) and minutes rounded to the nearest, a half
// to the even neighbour. Empty for a negative angle (unless allowed) and for an angle beyond 2π.
std::string Rad2DegMin(double angle, DegMinOptions options = {});

// Position of a longitude in the zodiac: "12Tau34" (short form) or "12° in Taurus" (full form). Empty for
// a longitude below 0 or above 2π.
std::string ZodiacPositionText(const core::AstroTables& tables, double longitude, bool fullForm);

}  // namespace orvane::display
