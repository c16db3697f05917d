#include "display/angle_texts.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace orvane::display {
namespace {

struct DegreesMinutes {
    int degrees = 0;
    int minutes = 0;
};

// Whole degrees and rounded minutes of an angle of 0 … 2π. The 0.00001 added before taking the whole
// degrees carries an angle a hair below a whole degree (29.999999°) to that degree; the minutes are
// rounded to the nearest, a half to the even neighbour, and may come out as 60.
DegreesMinutes SplitDegrees(double angle)
{
    const double d = angle / core::kTwoPi * 360.0;
    const int whole = static_cast<int>(std::floor(d + 0.00001));
    const int minutes = static_cast<int>(std::nearbyint((d - whole) * 60.0));
    return {whole, minutes};
}

}  // namespace

std::string Rad2DegMin(double angle, DegMinOptions options)
{
    if (std::isnan(angle))
        return {};
    const bool negative = angle < 0.0;
    if (negative && !options.allowNegative)
        return {};
    const double magnitude = std::fabs(angle);
    if (magnitude > core::kTwoPi)
        return {};

    auto [degrees, minutes] = SplitDegrees(magnitude);
    if (minutes == 60) {
        if (!options.allowRollover && degrees == 359) {
            minutes = 59;
        } else {
            ++degrees;
            minutes = 0;
        }
    }

    // Built in a small buffer: the grid writes this text for every position and aspect of every step.
    char buffer[32];
    char* out = buffer;
    if (negative)
        *out++ = '-';
    out = std::to_chars(out, buffer + sizeof buffer, degrees).ptr;
    for (const char c : std::string_view("°"))
        *out++ = c;
    if (!(options.omitZeroMinutes && minutes == 0)) {
        if (options.blankBeforeMinutes)
            *out++ = ' ';
        out = std::to_chars(out, buffer + sizeof buffer, minutes).ptr;
        *out++ = '\'';
    }
    return std::string(buffer, out);
}

std::string ZodiacPositionText(const core::AstroTables& tables, double longitude, bool fullForm)
{
    if (std::isnan(longitude) || longitude < 0.0 || longitude > core::kTwoPi)
        return {};

    auto [degrees, minutes] = SplitDegrees(longitude);
    if (minutes == 60) {
        if (degrees == 359) {
            minutes = 59;
        } else {
            ++degrees;
            minutes = 0;
        }
    }
    // A longitude less than 0.00001° below 360° (or exactly 360°) carries the whole degrees to 360; it
    // still lies in Pisces and reads as its last minute, 29°59' Pisces, never as a thirteenth sign.
    if (degrees >= 360) {
        degrees = 359;
        minutes = 59;
    }

    const int sign = degrees / 30;
    int inSign = degrees - 30 * sign;
    const core::SignNames& names = tables.SignText[static_cast<size_t>(sign)];
    if (!fullForm) {
        // "12Tau34", built in place: the grid writes one for every position of every step.
        std::string text(2 + names.Abbrev.size() + 2, '\0');
        char* out = std::to_chars(text.data(), text.data() + 2, inSign).ptr;
        out = std::copy(names.Abbrev.begin(), names.Abbrev.end(), out);
        out = std::to_chars(out, text.data() + text.size(), minutes).ptr;
        text.resize(static_cast<size_t>(out - text.data()));
        return text;
    }

    if (minutes >= 31 && inSign != 29)
        ++inSign;
    return std::to_string(inSign) + "° in " + names.Name;
}

}  // namespace orvane::display
